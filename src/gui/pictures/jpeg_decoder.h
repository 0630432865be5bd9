#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// JPEG decoding with libjpeg-turbo, without Qt, so that the fuzz targets can use it alone.
namespace kt {

// Where the decoder puts the pixels: 4 bytes per pixel in the order blue, green, red, unused
// (QImage::Format_RGB32 on a little-endian machine).
class JpegTarget {
public:
    virtual ~JpegTarget() = default;
    // Called once the output size is known; returns the first row (nullptr refuses the size)
    // and the distance between rows in bytes.
    virtual uint8_t* start(int width, int height, std::size_t& stride) = 0;
};

enum class JpegResult {
    Ok,      // the whole picture
    Partial, // truncated or damaged data: what could be read, the rest grey
    Failed,  // nothing usable; `message` says why
};

struct JpegDecode {
    JpegResult result = JpegResult::Failed;
    int width = 0; // the picture's own size
    int height = 0;
    int scaleDenom = 1; // the DCT scaling used: the output is width / scaleDenom (rounded up)
    int outWidth = 0;
    int outHeight = 0;
    std::string message; // libjpeg's text for Partial and Failed
};

// The picture size from the header alone; false when the data are no readable JPEG.
bool ReadJpegSize(const uint8_t* data, std::size_t size, int& width, int& height);

// The largest DCT reduction (1, 2, 4 or 8) that still gives at least `shownWidth` x `shownHeight`
// for a picture of `width` x `height`; a picture shown at half its size or more is decoded fully.
int JpegScaleDenom(int width, int height, int shownWidth, int shownHeight);

// The most output pixels a decode produces (about 200 MB of memory).
constexpr long long MaxJpegPixels = 50'000'000;
// The largest picture decoded at all: a few hundred bytes can announce a picture whose decoding
// would take gigabytes and minutes.
constexpr long long MaxJpegSourcePixels = 120'000'000;

// Decodes with the DCT scaling 1/`scaleDenom` (1, 2, 4, 8; raised when the output would exceed
// MaxJpegPixels). Damaged data end in Failed or Partial, never in a crash or exit.
JpegDecode DecodeJpeg(const uint8_t* data, std::size_t size, int scaleDenom, JpegTarget& target,
                      long long maxSourcePixels = MaxJpegSourcePixels);

} // namespace kt
