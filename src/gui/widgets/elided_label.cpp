#include "widgets/elided_label.h"

#include <algorithm>

namespace kt {

ElidedLabel::ElidedLabel(QWidget* parent, int minimumWidth) : QLabel(parent), minimumWidth_(minimumWidth) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString& text) {
    full_ = text;
    updateGeometry();
    elide();
}

QSize ElidedLabel::sizeHint() const {
    const QMargins m = contentsMargins();
    const int width = fontMetrics().horizontalAdvance(full_) + m.left() + m.right() + 2 * frameWidth() + 8;
    return {std::max(minimumWidth_, width), QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    return {minimumWidth_, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide() {
    const QMargins m = contentsMargins();
    const int room = width() - m.left() - m.right() - 2 * frameWidth() - 2;
    const QString shown = fontMetrics().horizontalAdvance(full_) <= room
                              ? full_
                              : fontMetrics().elidedText(full_, Qt::ElideRight, std::max(0, room));
    setText(shown);
    setToolTip(shown == full_ ? QString() : full_);
}

} // namespace kt
