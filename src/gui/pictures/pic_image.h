#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdint>

namespace kt {

// An image control: one picture, shown at the control's size (stretched) or at the picture's own
// size; the tag holds the picture's flags. The picture may be held at a lower resolution than its
// own size (a reduced decode) and is drawn scaled.
class TPicImage : public QWidget {
    Q_OBJECT
public:
    explicit TPicImage(QWidget* parent = nullptr);

    // `size` is the picture's own size; `image` may be smaller.
    void setPicture(const QImage& image, QSize size);
    void clearPicture();
    const QImage& picture() const { return image_; }
    QSize pictureSize() const { return size_; }
    bool hasPicture() const { return !image_.isNull(); }

    int32_t Tag = 0;

    // Shows the picture at its own size; with `stretch` it fills whatever size the control gets.
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }
    // Stretched, the picture keeps its aspect ratio inside the control (centred) instead of
    // filling it.
    void setKeepAspect(bool keep);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage image_;
    QSize size_;
    bool stretch_ = false;
    bool keepAspect_ = false;
    QPixmap scaled_; // the picture at the current size, made once per size
};

} // namespace kt
