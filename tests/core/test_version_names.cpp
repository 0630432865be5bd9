#include "persistence/data_version.h"

#include <gtest/gtest.h>

using namespace kt;

TEST(VersionNames, TheVersionLetterOfAFileName) {
    const struct {
        const char* name;
        int version;
    } cases[] = {
        {"/a/Filme.VD6", 6}, {"Filme.vd1", 1}, {"x.VDT", 0},     {"x.vdt", 0},  {"x.TXT", 0},  {"x.VD7", -1},
        {"x.VD", -1},        {"x", -1},        {"/a.VD5/x", -1}, {"x.VD0", -1}, {"x.AB3X", 3},
    };
    for (const auto& tc : cases)
        EXPECT_EQ(VersionOfFileName(tc.name), tc.version) << tc.name;
    EXPECT_TRUE(HasStandardSuffix("x.vd3"));
    EXPECT_FALSE(HasStandardSuffix("x.TXT"));
    EXPECT_FALSE(HasStandardSuffix("x.VD66"));
}

TEST(VersionNames, TheExtensionOfAVersionReplacesWhateverTheNameHad) {
    EXPECT_EQ(ExtensionOfVersion(0), ".VDT");
    EXPECT_EQ(ExtensionOfVersion(4), ".VD4");
    EXPECT_EQ(ExtensionOfVersion(7), "");
    EXPECT_EQ(ChangeToVersionExt("/d/Filme.vd5", 6), "/d/Filme.VD6");
    EXPECT_EQ(ChangeToVersionExt("/d/Filme.txt", 0), "/d/Filme.VDT");
    EXPECT_EQ(ChangeToVersionExt("/d.x/Filme", 3), "/d.x/Filme.VD3");
}

TEST(VersionNames, RecognisingTheVersionFromTheFirstBytes) {
    const std::string header23 = std::string("\x16KASSOTEK-VERSION   2.3") + std::string(1541, '\0');
    const struct {
        std::string bytes;
        bool recognised;
        int main, minor;
    } cases[] = {
        {"Kassotek2.6#rest", true, 2, 6},
        {"KASSOTEK2.4#", true, 2, 4}, // recognised, rejected later by the exact-case check
        {header23, true, 2, 3},
        {std::string(20, ' ') + "kassotek-version 2.1", true, 2, 1}, // starts at position 21
        {std::string(24, ' ') + "KASSOTEK-VERSION 2.3", false, -1, -1},
        {"Kassotek3.6#", true, 3, 6},
        {"Kassotek", true, -1, -1},
        {"", false, -1, -1},
        {std::string(1552, '\x05'), false, -1, -1},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.bytes.substr(0, 40));
        const RecognizedVersion v = RecognizeVersion(tc.bytes);
        EXPECT_EQ(v.recognised, tc.recognised);
        EXPECT_EQ(v.hasHeader, tc.recognised);
        EXPECT_EQ(v.main, tc.main);
        EXPECT_EQ(v.minor, tc.minor);
    }
}
