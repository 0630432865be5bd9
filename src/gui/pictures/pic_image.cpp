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

void TPicImage::setKeepAspect(bool keep) {
    keepAspect_ = keep;
    scaled_ = QPixmap();
    update();
}

void TPicImage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scaled_ = QPixmap();
}

void TPicImage::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    const QSize target =
        stretch_ && keepAspect_ && size_.isValid() ? size_.scaled(size(), Qt::KeepAspectRatio) : size();
    if (scaled_.size() != target) {
        const QImage fitted = image_.size() == target
                                  ? image_
                                  : image_.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled_ = QPixmap::fromImage(fitted);
    }
    QPainter p(this);
    p.drawPixmap((width() - target.width()) / 2, (height() - target.height()) / 2, scaled_);
}

void TPicImage::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace kt
