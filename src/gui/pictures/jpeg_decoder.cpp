#include "pictures/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>

#include <jerror.h>
#include <jpeglib.h>

namespace kt {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to the
// decoder with the message kept.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncated;
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level >= 0)
        return; // trace messages
    // Many real files carry harmless oddities; only a missing end makes the picture incomplete.
    if (cinfo->err->msg_code == JWRN_JPEG_EOF && !err->truncated) {
        err->truncated = true;
        (*cinfo->err->format_message)(cinfo, err->message);
    }
    cinfo->err->num_warnings++;
}

void OutputMessage(j_common_ptr) {}

// Crafted progressive files can hold thousands of scans that each cost a full pass.
constexpr int MaxScans = 500;

void ProgressMonitor(j_common_ptr cinfo) {
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "Progressive JPEG image has more than %d scans",
                      MaxScans);
        std::longjmp(err->jump, 1);
    }
}

struct Decoder {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    JpegDecode out;

    Decoder() {
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = ErrorExit;
        err.pub.emit_message = EmitMessage;
        err.pub.output_message = OutputMessage;
        progress.progress_monitor = ProgressMonitor;
    }
};

long long OutPixels(int width, int height, int denom) {
    return static_cast<long long>((width + denom - 1) / denom) * ((height + denom - 1) / denom);
}

// Adobe writes CMYK inverted; others store plain ink values.
void CmykRow(const JSAMPLE* in, uint8_t* out, int width, bool inverted) {
    for (int x = 0; x < width; ++x, in += 4, out += 4) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = static_cast<uint8_t>(y * k / 255);
        out[1] = static_cast<uint8_t>(m * k / 255);
        out[2] = static_cast<uint8_t>(c * k / 255);
        out[3] = 0xFF;
    }
}

} // namespace

bool ReadJpegSize(const uint8_t* data, std::size_t size, int& width, int& height) {
    auto* d = new Decoder;
    volatile bool ok = false;
    jpeg_create_decompress(&d->cinfo);
    if (setjmp(d->err.jump) == 0) {
        jpeg_mem_src(&d->cinfo, data, static_cast<unsigned long>(size));
        if (jpeg_read_header(&d->cinfo, TRUE) == JPEG_HEADER_OK) {
            width = static_cast<int>(d->cinfo.image_width);
            height = static_cast<int>(d->cinfo.image_height);
            ok = width > 0 && height > 0;
        }
    }
    jpeg_destroy_decompress(&d->cinfo);
    delete d;
    return ok;
}

int JpegScaleDenom(int width, int height, int shownWidth, int shownHeight) {
    if (width <= 0 || height <= 0 || shownWidth <= 0 || shownHeight <= 0)
        return 1;
    int denom = 1;
    while (denom < 8 && width / (denom * 2) >= shownWidth && height / (denom * 2) >= shownHeight)
        denom *= 2;
    return denom;
}

JpegDecode DecodeJpeg(const uint8_t* data, std::size_t size, int scaleDenom, JpegTarget& target,
                      long long maxSourcePixels) {
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        JpegDecode none;
        none.message = "Not a JPEG file";
        return none;
    }
    // Everything that changes after setjmp lives behind this pointer, so that the jump back
    // leaves no value in a register behind.
    auto* d = new Decoder;
    JpegDecode& out = d->out;
    JSAMPLE* volatile cmyk = nullptr;
    volatile int rows = 0;
    volatile bool started = false;
    jpeg_create_decompress(&d->cinfo);
    d->cinfo.progress = &d->progress;
    d->cinfo.mem->max_memory_to_use = 384L * 1024 * 1024;

    if (setjmp(d->err.jump) == 0) {
        jpeg_mem_src(&d->cinfo, data, static_cast<unsigned long>(size));
        jpeg_read_header(&d->cinfo, TRUE);
        out.width = static_cast<int>(d->cinfo.image_width);
        out.height = static_cast<int>(d->cinfo.image_height);
        if (static_cast<long long>(out.width) * out.height > maxSourcePixels) {
            std::snprintf(d->err.message, sizeof d->err.message, "Image too large (%dx%d)", out.width,
                          out.height);
            std::longjmp(d->err.jump, 1);
        }
        int denom = scaleDenom == 2 || scaleDenom == 4 || scaleDenom == 8 ? scaleDenom : 1;
        while (denom < 8 && OutPixels(out.width, out.height, denom) > MaxJpegPixels)
            denom *= 2;
        if (OutPixels(out.width, out.height, denom) > MaxJpegPixels) {
            std::snprintf(d->err.message, sizeof d->err.message, "Image too large (%dx%d)", out.width,
                          out.height);
            std::longjmp(d->err.jump, 1);
        }
        out.scaleDenom = denom;
        d->cinfo.scale_num = 1;
        d->cinfo.scale_denom = static_cast<unsigned>(denom);
        d->cinfo.dct_method = JDCT_ISLOW;
        const bool isCmyk = d->cinfo.jpeg_color_space == JCS_CMYK || d->cinfo.jpeg_color_space == JCS_YCCK;
        d->cinfo.out_color_space = isCmyk ? JCS_CMYK : JCS_EXT_BGRX;
        jpeg_start_decompress(&d->cinfo);
        out.outWidth = static_cast<int>(d->cinfo.output_width);
        out.outHeight = static_cast<int>(d->cinfo.output_height);
        std::size_t stride = 0;
        uint8_t* first = target.start(out.outWidth, out.outHeight, stride);
        if (!first) {
            std::snprintf(d->err.message, sizeof d->err.message, "Out of memory");
            std::longjmp(d->err.jump, 1);
        }
        // Rows never reached stay grey, as libjpeg fills a truncated file.
        for (int y = 0; y < out.outHeight; ++y)
            std::memset(first + static_cast<std::size_t>(y) * stride, 0x80,
                        static_cast<std::size_t>(out.outWidth) * 4);
        started = true;
        if (isCmyk)
            cmyk = new JSAMPLE[static_cast<std::size_t>(out.outWidth) * 4];
        while (d->cinfo.output_scanline < d->cinfo.output_height) {
            uint8_t* row = first + static_cast<std::size_t>(d->cinfo.output_scanline) * stride;
            JSAMPROW line = cmyk ? cmyk : row;
            if (jpeg_read_scanlines(&d->cinfo, &line, 1) != 1)
                break;
            if (cmyk)
                CmykRow(cmyk, row, out.outWidth, d->cinfo.saw_Adobe_marker);
            rows = rows + 1;
        }
        jpeg_finish_decompress(&d->cinfo);
        out.result = d->err.truncated ? JpegResult::Partial : JpegResult::Ok;
        if (d->err.truncated)
            out.message = d->err.message;
    } else {
        // A fatal error after some rows: those rows are the picture as far as it goes.
        out.message = d->err.message;
        out.result = started && rows > 0 ? JpegResult::Partial : JpegResult::Failed;
    }
    delete[] cmyk;
    jpeg_destroy_decompress(&d->cinfo);
    JpegDecode result = std::move(out);
    delete d;
    return result;
}

} // namespace kt
