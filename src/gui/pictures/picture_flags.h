#pragma once

#include "model/film.h"

#include <cstdint>
#include <string>

// What a picture's PicFlags say: the file type in the low bits, where the picture is kept above.
namespace kt {

// The type: the flags without the two storage bits; only the five values above are known.
inline int32_t PicTypeOf(int32_t flags) {
    return flags & ~(PicKept | PicLink);
}
inline bool IsKnownPicType(int32_t type) {
    return type == PicJpg || type == PicJpeg || type == PicBmp || type == PicEmf || type == PicWmf;
}
// The storage mode of a sub-page's tag: without the bits 0 to 6, and 128 when nothing is left.
inline int32_t PicStorageMode(int32_t flags) {
    const int32_t mode = flags & ~0x7F;
    return mode == 0 ? PicKept : mode;
}
// Link pictures carry no bytes in the data file.
inline bool IsPicLink(int32_t flags) {
    return flags >= PicLink;
}
inline bool IsJpegType(int32_t type) {
    return type == PicJpg || type == PicJpeg;
}

// ".JPG", ".JPEG", ".BMP", ".EMF", ".WMF"; empty for another type.
inline std::string PicTypeExtension(int32_t type) {
    switch (type) {
    case PicJpg:
        return ".JPG";
    case PicJpeg:
        return ".JPEG";
    case PicBmp:
        return ".BMP";
    case PicEmf:
        return ".EMF";
    case PicWmf:
        return ".WMF";
    default:
        return {};
    }
}
// The type of an upper-case extension with its dot; 0 for any other.
inline int32_t PicTypeOfExtension(const std::string& upperExt) {
    for (int32_t t : {PicJpg, PicJpeg, PicBmp, PicEmf, PicWmf})
        if (upperExt == PicTypeExtension(t))
            return t;
    return 0;
}

} // namespace kt
