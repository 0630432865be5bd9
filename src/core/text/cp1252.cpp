#include "text/cp1252.h"

#include <array>

namespace kt {

namespace {

// 0x80..0x9F; the five undefined positions keep their own value.
constexpr std::array<char32_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char FromUnicode(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < HighTable.size(); ++i)
        if (HighTable[i] == u)
            return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

} // namespace

char32_t Cp1252ToUnicode(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F)
        return HighTable[c - 0x80];
    return c;
}

std::string ToCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int len = 1;
        char32_t u = b;
        if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            u = b & 0x07;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            u = b & 0x0F;
        } else if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
            u = b & 0x1F;
        } else if (b >= 0x80) {
            out += '?'; // stray continuation or invalid lead byte
            ++i;
            continue;
        }
        // A cut or broken sequence costs one "?"; the text goes on after its lead byte.
        bool ok = i + static_cast<std::size_t>(len) <= s.size();
        for (int k = 1; ok && k < len; ++k) {
            const auto cb = static_cast<unsigned char>(s[i + k]);
            if ((cb & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            u = (u << 6) | (cb & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        // Overlong forms could smuggle in ASCII such as "/" or a zero byte.
        const bool overlong = (len == 3 && u < 0x800) || (len == 4 && (u < 0x10000 || u > 0x10FFFF));
        out += overlong ? '?' : FromUnicode(u);
        i += len;
    }
    return out;
}

namespace {

// The length of the well-formed UTF-8 sequence at `i` (RFC 3629: no overlong forms, no UTF-16
// surrogates, nothing above U+10FFFF), 0 when there is none.
std::size_t Utf8SequenceAt(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80)
        return 1;
    const std::size_t len = b >= 0xC2 && b <= 0xDF   ? 2
                            : b >= 0xE0 && b <= 0xEF ? 3
                            : b >= 0xF0 && b <= 0xF4 ? 4
                                                     : 0;
    if (len == 0 || i + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 0;
    // The second byte's range rules out the forms that decoders such as JSON writers reject.
    const auto c = static_cast<unsigned char>(s[i + 1]);
    const bool bad = (b == 0xE0 && c < 0xA0) || (b == 0xED && c >= 0xA0) || (b == 0xF0 && c < 0x90) ||
                     (b == 0xF4 && c >= 0x90);
    return bad ? 0 : len;
}

} // namespace

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = Utf8SequenceAt(s, i);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::string Utf8OrCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (std::size_t i = 0; i < s.size();) {
        if (const std::size_t len = Utf8SequenceAt(s, i); len > 0) {
            out.append(s.substr(i, len));
            i += len;
        } else {
            AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(s[i])));
            ++i;
        }
    }
    return out;
}

std::string ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (char ch : s)
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(ch)));
    return out;
}

std::string UpperAZ(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return out;
}

} // namespace kt
