#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kt::bytes {

// Little-endian numbers, whatever the machine.
inline void PutU8(std::string& out, uint8_t v) {
    out.push_back(static_cast<char>(v));
}

inline void PutU16(std::string& out, uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

inline void PutI32(std::string& out, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

inline void PutF64(std::string& out, double v) {
    uint64_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

inline uint8_t GetU8(const char* p) {
    return static_cast<uint8_t>(*p);
}

inline uint16_t GetU16(const char* p) {
    return static_cast<uint16_t>(GetU8(p) | (GetU8(p + 1) << 8));
}

inline int32_t GetI32(const char* p) {
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | GetU8(p + i);
    return static_cast<int32_t>(u);
}

inline double GetF64(const char* p) {
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i)
        u = (u << 8) | GetU8(p + i);
    double v = 0;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

// Reads fields from [pos, end) of a buffer and never past `end`: a field that does not fit
// makes every later read fail too.
class Cursor {
public:
    Cursor(std::string_view data, std::size_t pos, std::size_t end) : data_(data), pos_(pos), end_(end) {}

    bool ok() const { return ok_; }
    std::size_t pos() const { return pos_; }
    std::size_t left() const { return ok_ ? end_ - pos_ : 0; }

    int32_t i32() { return take(4) ? GetI32(data_.data() + pos_ - 4) : 0; }
    double f64() { return take(8) ? GetF64(data_.data() + pos_ - 8) : 0.0; }
    bool boolean() { return take(1) && data_[pos_ - 1] != 0; }
    // `n` bytes as they stand; an empty view when they do not fit or n is negative.
    std::string_view raw(int64_t n) {
        if (n < 0) {
            ok_ = false;
            return {};
        }
        if (!take(static_cast<std::size_t>(n)))
            return {};
        return data_.substr(pos_ - static_cast<std::size_t>(n), static_cast<std::size_t>(n));
    }

private:
    bool take(std::size_t n) {
        if (!ok_ || n > end_ - pos_) {
            ok_ = false;
            return false;
        }
        pos_ += n;
        return true;
    }

    std::string_view data_;
    std::size_t pos_;
    std::size_t end_;
    bool ok_ = true;
};

} // namespace kt::bytes
