#pragma once

#include "pictures/picture_codec.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <fstream>
#include <string>

namespace kt::test {

// A picture with a red left half and a blue right half, so that a decoder's rows can be checked.
inline QImage TwoColours(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter p(&image);
    p.fillRect(0, 0, width / 2, height, Qt::red);
    return image;
}

inline QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// JPEG bytes made by the program's own encoder (quality 90).
inline QByteArray Jpeg(int width, int height) {
    QByteArray jpeg;
    QString problem;
    if (!ConvertToJpeg(Encoded(TwoColours(width, height), "PNG"), jpeg, problem))
        QTest::qFail(qPrintable(problem), __FILE__, __LINE__);
    return jpeg;
}

inline void WriteFile(const std::string& path, const QByteArray& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
}

// Near a colour, as JPEG keeps it.
inline bool Near(QRgb pixel, QColor wanted, int tolerance = 40) {
    const QColor c(pixel);
    return std::abs(c.red() - wanted.red()) <= tolerance &&
           std::abs(c.green() - wanted.green()) <= tolerance &&
           std::abs(c.blue() - wanted.blue()) <= tolerance;
}

} // namespace kt::test
