#pragma once

#include <QLabel>

namespace kt {

// A one-line label that asks for the width of its whole text but may be narrowed: what does not
// fit then ends in "…", and the whole text is its tooltip.
class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(QWidget* parent = nullptr, int minimumWidth = 50);

    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }
    bool isElided() const { return text() != full_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString full_;
    int minimumWidth_;
};

} // namespace kt
