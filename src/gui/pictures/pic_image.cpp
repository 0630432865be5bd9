#include "pictures/pic_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace kt {

TPicImage::TPicImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(1, 1);
}

void TPicImage::setPicture(const QImage& image, QSize size) {
    image_ = image;
    size_ = size.isValid() ? size : image.size();
    scaled_ = QPixmap();
    if (!stretch_ && size_.isValid())
        resize(size_);
    update();
}

void TPicImage::clearPicture() {
    image_ = QImage();
    size_ = QSize();
    scaled_ = QPixmap();
    update();
}

void TPicImage::setStretch(bool stretch) {
    stretch_ = stretch;
    if (!stretch_ && size_.isValid())
        resize(size_);
    update();
}

void TPicImage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scaled_ = QPixmap();
}

void TPicImage::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    if (scaled_.size() != size()) {
        const QImage fitted = image_.size() == size()
                                  ? image_
                                  : image_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled_ = QPixmap::fromImage(fitted);
    }
    QPainter p(this);
    p.drawPixmap(0, 0, scaled_);
}

void TPicImage::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace kt
