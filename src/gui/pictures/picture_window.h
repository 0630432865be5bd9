#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QSize>

class QAction;
class QMenu;
class QScrollArea;

namespace kt {

class TPicImage;

// The window's outer rectangle for a picture of `picture` pixels on a screen whose free area is
// `screen`: the picture plus frame when it fits, else the screen less a margin; centred in each
// direction in which it is smaller than the screen.
QRect PictureWindowGeometry(QSize picture, const QRect& screen);

// The new outer size after a resize from `before` to `after` that keeps `ratio` (width / height):
// the dimension that changed less follows the other.
QSize KeepAspect(QSize before, QSize after, double ratio);

// The picture window: one picture of a film, stretched to the window.
class TForm_Kassotek_Image : public QDialog {
    Q_OBJECT
public:
    // `onTop`: the film list's window, which stays above the others and does not block.
    explicit TForm_Kassotek_Image(QWidget* parent = nullptr, bool onTop = false);
    ~TForm_Kassotek_Image() override;

    // `image` may be reduced; `size` is the picture's own size.
    void setPicture(const QImage& image, QSize size);
    QSize pictureSize() const;

    // The picture window that is showing (one per program), or nullptr.
    static TForm_Kassotek_Image* Showing();

    TPicImage* Image1;
    QScrollArea* ScrollBox1;
    QMenu* PopupMenu1;
    QAction* Seitenverhaeltnis1;
    QAction* FreiSkalierbar1;

    void Seitenverhaeltnis1Click();
    void FreiSkalierbar1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormActivate();
    QSize decoration() const;

    double ratio_ = 0.0;
    QSize remembered_;
    bool adjusting_ = false;
    bool placed_ = false;
};

} // namespace kt
