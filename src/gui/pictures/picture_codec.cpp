#include "pictures/picture_codec.h"

#include "pictures/jpeg_decoder.h"
#include "pictures/picture_flags.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace kt {

namespace {

class ImageTarget : public JpegTarget {
public:
    uint8_t* start(int width, int height, std::size_t& stride) override {
        image = QImage(width, height, QImage::Format_RGB32);
        if (image.isNull())
            return nullptr;
        stride = static_cast<std::size_t>(image.bytesPerLine());
        return image.bits();
    }
    QImage image;
};

QString TypeName(int32_t type) {
    switch (type) {
    case PicEmf:
        return QStringLiteral("EMF");
    case PicWmf:
        return QStringLiteral("WMF");
    case PicBmp:
        return QStringLiteral("BMP");
    default:
        return QStringLiteral("JPEG");
    }
}

// Another format behind a JPEG or BMP name (a renamed PNG) is still shown.
DecodedPicture ReadWithQt(const uint8_t* data, std::size_t size, QSize shown, const QString& why) {
    DecodedPicture out;
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    out.size = reader.size();
    if (out.size.isValid() && shown.isValid() && out.size.width() >= 2 * shown.width() &&
        out.size.height() >= 2 * shown.height())
        reader.setScaledSize(out.size.scaled(shown, Qt::KeepAspectRatioByExpanding));
    out.image = reader.read();
    if (out.image.isNull()) {
        out.problem = why.isEmpty() ? QStringLiteral("die Bilddaten sind beschädigt oder kein Bild (%1).")
                                          .arg(reader.errorString())
                                    : why;
        return out;
    }
    if (!out.size.isValid())
        out.size = out.image.size();
    out.ok = true;
    return out;
}

struct EncodeError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void EncodeErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<EncodeError*>(cinfo->err)->jump, 1);
}

// libjpeg itself, so that the kept JPEG does not depend on a Qt image plugin.
bool EncodeJpeg(const QImage& rgb32, int quality, QByteArray& out) {
    auto* cinfo = new jpeg_compress_struct{};
    auto* err = new EncodeError{};
    unsigned char* volatile buffer = nullptr;
    unsigned long volatile length = 0;
    volatile bool ok = false;
    cinfo->err = jpeg_std_error(&err->pub);
    err->pub.error_exit = EncodeErrorExit;
    jpeg_create_compress(cinfo);
    if (setjmp(err->jump) == 0) {
        unsigned char* mem = nullptr;
        unsigned long memLength = 0;
        jpeg_mem_dest(cinfo, &mem, &memLength);
        buffer = mem;
        cinfo->image_width = static_cast<JDIMENSION>(rgb32.width());
        cinfo->image_height = static_cast<JDIMENSION>(rgb32.height());
        cinfo->input_components = 4;
        cinfo->in_color_space = JCS_EXT_BGRX;
        jpeg_set_defaults(cinfo);
        jpeg_set_quality(cinfo, quality, TRUE);
        jpeg_start_compress(cinfo, TRUE);
        while (cinfo->next_scanline < cinfo->image_height) {
            auto* row = const_cast<JSAMPLE*>(rgb32.constScanLine(static_cast<int>(cinfo->next_scanline)));
            jpeg_write_scanlines(cinfo, &row, 1);
        }
        jpeg_finish_compress(cinfo);
        buffer = mem;
        length = memLength;
        ok = true;
    }
    if (ok)
        out = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(length));
    jpeg_destroy_compress(cinfo);
    std::free(buffer);
    delete err;
    delete cinfo;
    return ok;
}

} // namespace

QImage MetafilePlaceholder(int32_t type, std::size_t bytes) {
    QImage image(240, 160, QImage::Format_RGB32);
    image.fill(QColor(0xE8, 0xE8, 0xE8));
    QPainter p(&image);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    const long long kb = (static_cast<long long>(bytes) + 512) / 1024;
    p.drawText(image.rect(), Qt::AlignCenter,
               QStringLiteral("%1-Bild\n%2 kB\n\n(wird hier nicht dargestellt)").arg(TypeName(type)).arg(kb));
    return image;
}

DecodedPicture DecodePicture(const uint8_t* data, std::size_t size, int32_t type, QSize shown) {
    DecodedPicture out;
    if (type == PicEmf || type == PicWmf) {
        out.image = MetafilePlaceholder(type, size);
        out.size = out.image.size();
        out.ok = true;
        return out;
    }
    if (size == 0) {
        out.problem = QStringLiteral("die Bilddatei ist leer.");
        return out;
    }
    const bool jpegBytes = size >= 2 && data[0] == 0xFF && data[1] == 0xD8;
    if (!jpegBytes)
        return ReadWithQt(data, size, shown,
                          IsJpegType(type)
                              ? QStringLiteral("die Bilddaten sind beschädigt oder kein JPEG-Bild.")
                              : QString());
    int denom = 1;
    int w = 0, h = 0;
    if (shown.isValid() && ReadJpegSize(data, size, w, h))
        denom = JpegScaleDenom(w, h, shown.width(), shown.height());
    ImageTarget target;
    const JpegDecode d = DecodeJpeg(data, size, denom, target);
    out.size = QSize(d.width, d.height);
    if (d.result == JpegResult::Failed) {
        out.problem =
            QStringLiteral("die JPEG-Daten sind beschädigt (%1).").arg(QString::fromLatin1(d.message));
        return out;
    }
    out.image = std::move(target.image);
    out.ok = true;
    out.partial = d.result == JpegResult::Partial;
    if (out.partial)
        out.problem =
            QStringLiteral("die JPEG-Daten sind unvollständig (%1).").arg(QString::fromLatin1(d.message));
    return out;
}

bool IsConvertibleExtension(const QString& upperExt) {
    return upperExt == QLatin1String("PNG") || upperExt == QLatin1String("GIF") ||
           upperExt == QLatin1String("WEBP");
}

bool CanReadFormat(const QString& upperExt) {
    return QImageReader::supportedImageFormats().contains(upperExt.toLower().toLatin1());
}

bool ConvertToJpeg(const QByteArray& bytes, QByteArray& jpeg, QString& problem) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QImage read = reader.read();
    if (read.isNull()) {
        problem = QStringLiteral("Das Bild kann nicht gelesen werden (%1).").arg(reader.errorString());
        return false;
    }
    QImage flat(read.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter p(&flat);
        p.drawImage(0, 0, read);
    }
    if (!EncodeJpeg(flat, 90, jpeg)) {
        problem = QStringLiteral("Das Bild kann nicht in das JPEG-Format umgewandelt werden.");
        return false;
    }
    return true;
}

} // namespace kt
