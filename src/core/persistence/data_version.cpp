#include "persistence/data_version.h"

#include "text/cp1252.h"
#include "text/helpers.h"

#include <algorithm>

namespace kt {

int VersionOfFileName(const std::string& fileName) {
    const std::string ext = UpperAZ(FileExtOf(fileName));
    if (ext.size() < 4)
        return -1;
    const char letter = ext[3];
    if (letter >= '1' && letter <= '6')
        return letter - '0';
    if (letter == 'T')
        return 0;
    return -1;
}

bool HasStandardSuffix(const std::string& fileName) {
    const std::string ext = UpperAZ(FileExtOf(fileName));
    for (int v = OldestDataVersion; v <= NewestDataVersion; ++v)
        if (ext == ExtensionOfVersion(v))
            return true;
    return false;
}

std::string ExtensionOfVersion(int minor) {
    if (minor == 0)
        return ".VDT";
    if (minor >= 1 && minor <= NewestDataVersion)
        return ".VD" + std::to_string(minor);
    return {};
}

std::string ChangeToVersionExt(const std::string& fileName, int minor) {
    return ChangeFileExt(fileName, ExtensionOfVersion(minor));
}

namespace {

int DigitAt(const std::string& s, std::size_t i) {
    if (i >= s.size() || s[i] < '0' || s[i] > '9')
        return -1;
    return s[i] - '0';
}

} // namespace

RecognizedVersion RecognizeVersion(std::string_view data) {
    // Missing bytes count as NUL.
    std::string text(data.substr(0, std::min<std::size_t>(data.size(), 255)));
    text.resize(255, '\0');
    const std::string upper = UpperAZ(text);
    RecognizedVersion r;

    const auto old = upper.find("KASSOTEK-VERSION");
    if (old != std::string::npos && old < 24) {
        const auto k = upper.find('K');
        const auto nul = text.find('\0', k);
        const std::string head = text.substr(k, nul == std::string::npos ? std::string::npos : nul - k);
        const auto blank = head.find(' ');
        const std::string number =
            TrimText(blank == std::string::npos ? std::string() : head.substr(blank + 1), 'A');
        r.recognised = r.hasHeader = true;
        r.main = DigitAt(number, 0);
        r.minor = DigitAt(number, 2);
        return r;
    }
    if (upper.rfind("KASSOTEK", 0) == 0) {
        const std::string before = TextBefore(text, '#');
        r.recognised = r.hasHeader = true;
        if (before.size() >= 3) {
            r.main = DigitAt(before, before.size() - 3);
            r.minor = DigitAt(before, before.size() - 1);
        }
    }
    return r;
}

} // namespace kt
