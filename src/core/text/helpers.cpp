#include "text/helpers.h"

#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <sys/utsname.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

extern char** environ;

namespace fs = std::filesystem;

namespace kt {

bool IsPrintable(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 33 && u <= 126)
        return true;
    switch (u) {
    case 196: case 214: case 220: case 228: case 246: case 252:
        return true;
    default:
        return false;
    }
}

std::string TrimText(const std::string& text, char mode) {
    if (text.empty())
        return text;
    switch (mode) {
    case 'A': case 'a': {
        std::string out;
        out.reserve(text.size());
        for (char c : text)
            if (IsPrintable(c))
                out += c;
        return out;
    }
    // Only "A" is taken in either case; "l" and "r" are other letters and change nothing.
    case 'L': {
        std::size_t i = 0;
        while (i < text.size() && !IsPrintable(text[i]))
            ++i;
        return text.substr(i);
    }
    case 'R': {
        std::size_t n = text.size();
        while (n > 0 && !IsPrintable(text[n - 1]))
            --n;
        return text.substr(0, n);
    }
    default:
        return text;
    }
}

bool HasContent(const std::string& text) {
    for (char c : text)
        if (IsPrintable(c))
            return true;
    return false;
}

std::string BoolText(bool value, int kind) {
    if (kind == 1)
        return value ? "TRUE" : "FALSE";
    if (kind == 2)
        return value ? "Ja" : "Nein";
    return {};
}

std::string DateTimeText() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return {};
    char buf[32];
    if (std::strftime(buf, sizeof buf, "%d.%m.%Y | %H:%M:%S", &tm) == 0)
        return {};
    return buf;
}

std::string WithBackslash(const std::string& path) {
    if (TrimText(path, 'A').empty() || path.back() == '/')
        return path;
    return path + '/';
}

std::string ZeroPad(long long value, int width) {
    std::string s = std::to_string(value);
    while (static_cast<int>(s.size()) < width)
        s.insert(s.begin(), '0');
    return s;
}

std::string TextBefore(const std::string& text, char c) {
    const auto p = text.find(c);
    return p == std::string::npos ? std::string() : text.substr(0, p);
}

std::string TextAfter(const std::string& text, char c) {
    const auto p = text.find(c);
    return p == std::string::npos ? std::string() : text.substr(p + 1);
}

std::string PadText(const std::string& text, int width, char side) {
    std::string s = text;
    if (width > 0 && static_cast<int>(s.size()) > width)
        s.resize(static_cast<std::size_t>(width));
    if (side != 'L' && side != 'R')
        return s;
    while (static_cast<int>(s.size()) < width) {
        if (side == 'L')
            s.insert(s.begin(), ' ');
        else
            s += ' ';
    }
    return s;
}

namespace {

std::string FitRight(std::string s, int width) {
    if (static_cast<int>(s.size()) > width)
        return s.substr(0, static_cast<std::size_t>(width));
    return std::string(static_cast<std::size_t>(width) - s.size(), ' ') + s;
}

} // namespace

std::string IntText(long long value, int width) {
    std::string s = std::to_string(value);
    return width > 0 ? FitRight(s, width) : s;
}

std::string FloatText(double value, int width, int decimals) {
    char buf[64];
    if (width > 0) {
        std::snprintf(buf, sizeof buf, "%.*f", decimals < 0 ? 0 : decimals, value);
        return FitRight(buf, width);
    }
    std::snprintf(buf, sizeof buf, "%.14E", value);
    return buf;
}

double TextToFloat(const std::string& text, bool& error) {
    std::string s = TrimText(text, 'A');
    const auto comma = s.find(',');
    if (comma != std::string::npos)
        s[comma] = '.';
    double v = 0.0;
    const char* b = s.data();
    const char* e = s.data() + s.size();
    if (b != e && *b == '+')
        ++b;
    const auto r = std::from_chars(b, e, v);
    error = s.empty() || r.ec != std::errc() || r.ptr != e || !std::isfinite(v);
    return error ? 0.0 : v;
}

bool ParseInt(const std::string& text, long long& value) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r'))
        --e;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    if (first != last && *first == '+')
        ++first;
    long long v = 0;
    const auto r = std::from_chars(first, last, v);
    if (first == last || r.ec != std::errc() || r.ptr != last)
        return false;
    value = v;
    return true;
}

std::string FilePathOf(const std::string& fileName) {
    const auto p = fileName.rfind('/');
    return p == std::string::npos ? std::string() : fileName.substr(0, p + 1);
}

std::string FileNameText(const std::string& fileName) { return ToCp1252(fileName); }

std::string BaseName(const std::string& fileName) {
    const auto p = fileName.rfind('/');
    const std::string name = p == std::string::npos ? fileName : fileName.substr(p + 1);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FileExtOf(const std::string& fileName) {
    const auto slash = fileName.rfind('/');
    const auto dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return fileName.substr(dot);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& ext) {
    const std::string old = FileExtOf(fileName);
    return fileName.substr(0, fileName.size() - old.size()) + ext;
}

void EraseFile(const std::string& fileName) {
    std::error_code ec;
    if (fs::exists(fileName, ec))
        fs::remove(fileName, ec);
    TraceLine("QSys: EraseFile \"" + fileName + "\"" + (ec ? " [ERROR] " + ec.message() : std::string()));
}

bool CheckIO(int ioResult, int position) {
    if (ioResult == 0)
        return true;
    TraceLine("QSys: CheckIO: [ERROR] ioresult = " + std::to_string(ioResult) +
              " at IDPos=" + std::to_string(position));
    return false;
}

long long FileSizeOf(const std::string& fileName) {
    std::error_code ec;
    if (!fs::exists(fileName, ec)) {
        CheckIO(ec ? ec.value() : 2, 1);
        return -1;
    }
    const auto size = fs::file_size(fileName, ec);
    if (!CheckIO(ec.value(), 2))
        return -1;
    return static_cast<long long>(size);
}

bool FileExists(const std::string& fileName) {
    std::error_code ec;
    return !fileName.empty() && fs::is_regular_file(fileName, ec);
}

bool PathExists(const std::string& fileName) {
    std::error_code ec;
    return !fileName.empty() && fs::symlink_status(fileName, ec).type() != fs::file_type::not_found &&
           !ec;
}

std::string EnvValue(const std::string& name) {
    // The value keeps its letter case: paths on this platform depend on it.
    const std::string wanted = UpperAZ(name);
    for (char** e = environ; e && *e; ++e) {
        const std::string entry = *e;
        const auto eq = entry.find('=');
        if (eq != std::string::npos && UpperAZ(entry.substr(0, eq)) == wanted)
            return entry.substr(eq + 1);
    }
    return {};
}

std::string ProgramFile() {
    std::error_code ec;
    const auto p = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

namespace {
constexpr FileVersion OwnVersion{2, 6, 16, 4};
} // namespace

bool GetFileVersion(const std::string& fileName, FileVersion& version) {
    // Only the program's own files carry a version here.
    std::error_code ec;
    const std::string self = ProgramFile();
    if (self.empty() || !fs::exists(fileName, ec) || !fs::equivalent(fileName, self, ec))
        return false;
    version = OwnVersion;
    return true;
}

std::string VersionText(const std::string& fileName) {
    FileVersion v;
    if (!GetFileVersion(fileName, v))
        return {};
    return std::to_string(v.main) + "." + std::to_string(v.minor) + "." + std::to_string(v.release) + "." +
           std::to_string(v.build);
}

std::string ProgramVersionText() {
    const FileVersion v = OwnVersion;
    return std::to_string(v.main) + "." + std::to_string(v.minor) + "." + std::to_string(v.release) + "." +
           std::to_string(v.build);
}

std::string WindowsVersionText() {
    utsname u{};
    if (uname(&u) != 0)
        return "Linux: unbekannt";
    return std::string(u.sysname) + ": " + u.release + "  (Build " + u.version + ")\r\nPlatform:   " + u.machine;
}

std::string ShiftStateText(int state) {
    switch (state) {
    case 1: return "ssShift ";
    case 2: return "ssAlt ";
    case 4: return "ssCtrl ";
    case 8: return "ssLeft ";
    case 16: return "ssRight ";
    case 32: return "ssMiddle ";
    case 64: return "ssDouble ";
    default: return {};
    }
}

void MakeBackupFile(const std::string& file, const std::string& backup, bool move, int generations) {
    std::error_code ec;
    if (!fs::exists(file, ec))
        return;
    if (fs::exists(backup, ec)) {
        const std::string oldest = backup + std::to_string(generations);
        if (fs::exists(oldest, ec))
            fs::remove(oldest, ec);
        for (int k = generations - 1; k >= 1; --k) {
            const std::string from = backup + std::to_string(k);
            if (fs::exists(from, ec))
                fs::rename(from, backup + std::to_string(k + 1), ec);
        }
        fs::rename(backup, backup + "1", ec);
    }
    if (move)
        fs::rename(file, backup, ec);
    else
        fs::copy_file(file, backup, fs::copy_options::overwrite_existing, ec);
    if (ec)
        TraceLine("QSys: MakeBackupFile [ERROR] " + ec.message());
}

namespace {

// Days from 1970-01-01 of a civil date, and back (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

constexpr long long UnixEpochDay = 25569; // 1970-01-01 counted from 1899-12-30

} // namespace

double EncodeDate(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                               UnixEpochDay);
}

bool DecodeDate(double dateTime, int& year, int& month, int& day) {
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > 3.0e6)
        return false;
    long long y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(static_cast<long long>(std::floor(dateTime)) - UnixEpochDay, y, m, d);
    if (y < 1 || y > 9999)
        return false;
    year = static_cast<int>(y);
    month = static_cast<int>(m);
    day = static_cast<int>(d);
    return true;
}

std::string ShortDateText(double dateTime) {
    int y = 0, m = 0, d = 0;
    if (!DecodeDate(dateTime, y, m, d))
        return {};
    char buf[32]; // room for any int, so Release builds see no truncation
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
    return buf;
}

double NowAsDateTime() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           (tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec) / 86400.0;
}

} // namespace kt
