#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

// Turning a picture's bytes into an image, and other formats into the kept JPEG.
namespace kt {

struct DecodedPicture {
    QImage image; // what can be shown; a JPEG may come reduced (DCT scaling)
    QSize size;   // the picture's own size
    bool ok = false;
    bool partial = false; // truncated or damaged: shown as far as it goes
    QString problem;      // German, when not ok (or partial)
};

// Decodes the bytes of a picture of `type` (PicJpg … PicWmf). `shown` is the largest size the
// picture will be shown at (empty: its own size); a JPEG at least twice as large is decoded with
// DCT scaling. EMF and WMF, which Qt cannot draw, give a neutral placeholder naming type and size.
DecodedPicture DecodePicture(const uint8_t* data, std::size_t size, int32_t type, QSize shown = {});

// The placeholder for a metafile of `bytes` bytes.
QImage MetafilePlaceholder(int32_t type, std::size_t bytes);

// The formats that Qt reads here and that are kept as JPEG when added ("PNG", "GIF", "WEBP"),
// given as upper-case extensions without the dot.
bool IsConvertibleExtension(const QString& upperExt);
bool CanReadFormat(const QString& upperExt);

// Reads a picture of another format and encodes it as JPEG of quality 90 (transparent parts on
// white). False with a German reason when it cannot be read.
bool ConvertToJpeg(const QByteArray& bytes, QByteArray& jpeg, QString& problem);

} // namespace kt
