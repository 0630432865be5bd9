// The input is a picture's bytes as a film keeps them. The first byte picks the DCT scaling; the
// decoder must end every input in a result without touching memory it does not own, and a
// picture it reports as read must have the size it announced.
#include "pictures/jpeg_decoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class Buffer : public kt::JpegTarget {
public:
    uint8_t* start(int width, int height, std::size_t& stride) override {
        this->width = width;
        this->height = height;
        stride = static_cast<std::size_t>(width) * 4;
        pixels.assign(stride * static_cast<std::size_t>(height), 0);
        return pixels.data();
    }
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int denom = 1 << (data[0] & 3);
    int w = 0, h = 0;
    const bool header = kt::ReadJpegSize(data + 1, size - 1, w, h);
    Buffer out;
    // Larger pictures only cost time here; the limit itself is what the program relies on.
    const kt::JpegDecode d = kt::DecodeJpeg(data + 1, size - 1, denom, out, 4'000'000);
    if (d.result != kt::JpegResult::Failed) {
        if (!header || d.width != w || d.height != h || out.width != d.outWidth || out.height != d.outHeight)
            std::abort();
        if (static_cast<long long>(d.width) * d.height > 4'000'000 ||
            static_cast<long long>(d.outWidth) * d.outHeight > kt::MaxJpegPixels)
            std::abort();
    }
    return 0;
}
