#include "env_guard.h"
#include "settings/settings.h"
#include "temp_folder.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

using namespace kt;
using namespace kt::literals;
using kt::test::EnvGuard;
using kt::test::ReadBytes;
using kt::test::TempFolder;
using kt::test::WriteBytes;

TEST(Printable, CodesAndUmlauts) {
    for (int c = 0; c < 256; ++c) {
        const bool umlaut = c == 196 || c == 214 || c == 220 || c == 228 || c == 246 || c == 252;
        EXPECT_EQ(IsPrintable(static_cast<char>(c)), (c >= 33 && c <= 126) || umlaut) << c;
    }
}

TEST(TrimText, Modes) {
    struct Case {
        const char* text;
        char mode;
        const char* result;
    };
    const Case cases[] = {
        {" Straße ", 'A', "Strae"},
        {"Ärger im Büro", 'A', "ÄrgerimBüro"},
        {"Der Pate 2", 'A', "DerPate2"},
        {"Der Pate 2", 'a', "DerPate2"},
        {"    ", 'A', ""},
        {"", 'A', ""},
        {" \té x é\r\n", 'L', "x é\r\n"},
        {" \té x é\r\n", 'R', " \té x"},
        {" x ", 'l', " x "}, // only "A" may be given in lower case
        {" x ", 'r', " x "},
        {" x ", 'Z', " x "},
        {"  ", 'L', ""},
    };
    for (const auto& k : cases)
        EXPECT_EQ(ToUtf8(TrimText(ToCp1252(k.text), k.mode)), k.result) << '"' << k.text << "\" " << k.mode;
    EXPECT_EQ(TrimText("Der  Pate", 'A'), TrimText(" Der Pate ", 'A'));
    EXPECT_FALSE(HasContent(" \xdf\xe9\t")); // ß é
    EXPECT_TRUE(HasContent(" \xfc "));       // ü
}

TEST(TextHelpers, SmallConversions) {
    EXPECT_EQ(BoolText(true, 1), "TRUE");
    EXPECT_EQ(BoolText(false, 1), "FALSE");
    EXPECT_EQ(BoolText(true, 2), "Ja");
    EXPECT_EQ(BoolText(false, 2), "Nein");
    EXPECT_EQ(BoolText(true, 3), "");

    EXPECT_EQ(ZeroPad(7, 3), "007");
    EXPECT_EQ(ZeroPad(1234, 3), "1234");
    EXPECT_EQ(ZeroPad(5, 0), "5");

    EXPECT_EQ(TextBefore("a=b=c", '='), "a");
    EXPECT_EQ(TextAfter("a=b=c", '='), "b=c");
    EXPECT_EQ(TextBefore("abc", '='), "");
    EXPECT_EQ(TextAfter("abc", '='), "");
    EXPECT_EQ(TextAfter("abc=", '='), "");

    EXPECT_EQ(PadText("abc", 5, 'L'), "  abc");
    EXPECT_EQ(PadText("abc", 5, 'R'), "abc  ");
    EXPECT_EQ(PadText("abcdef", 4, 'R'), "abcd");
    EXPECT_EQ(PadText("abcdef", 4, 'X'), "abcd");
    EXPECT_EQ(PadText("abc", 5, 'X'), "abc");
    EXPECT_EQ(PadText("abc", 0, 'L'), "abc");

    EXPECT_EQ(IntText(42, 5), "   42");
    EXPECT_EQ(IntText(123456, 3), "123");
    EXPECT_EQ(IntText(-42, 0), "-42");
    EXPECT_EQ(FloatText(2.5, 6, 2), "  2.50");
    EXPECT_EQ(FloatText(1234.5, 3, 1), "123");
    EXPECT_NE(FloatText(2.5, 0, 2).find('E'), std::string::npos);

    EXPECT_EQ(ShiftStateText(1), "ssShift ");
    EXPECT_EQ(ShiftStateText(2), "ssAlt ");
    EXPECT_EQ(ShiftStateText(4), "ssCtrl ");
    EXPECT_EQ(ShiftStateText(8), "ssLeft ");
    EXPECT_EQ(ShiftStateText(16), "ssRight ");
    EXPECT_EQ(ShiftStateText(32), "ssMiddle ");
    EXPECT_EQ(ShiftStateText(64), "ssDouble ");
    EXPECT_EQ(ShiftStateText(5), "");
    EXPECT_EQ(ShiftStateText(0), "");
}

TEST(TextToFloat, CommaAndErrors) {
    struct Case {
        const char* text;
        double value;
        bool error;
    };
    const Case cases[] = {
        {"2,6", 2.6, false}, {"2.6", 2.6, false}, {" 1 2,5 ", 12.5, false}, {"-3", -3.0, false},
        {"+4", 4.0, false},  {"abc", 0.0, true},  {"", 0.0, true},          {"1,2,3", 0.0, true},
        {"inf", 0.0, true},  {"nan", 0.0, true},  {"7x", 0.0, true},
    };
    for (const auto& k : cases) {
        bool error = !k.error;
        EXPECT_DOUBLE_EQ(TextToFloat(k.text, error), k.value) << k.text;
        EXPECT_EQ(error, k.error) << k.text;
    }
}

TEST(ParseInt, WholeDecimalTextsOnly) {
    long long v = 99;
    EXPECT_TRUE(ParseInt(" -12 ", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(ParseInt("+7", v));
    EXPECT_EQ(v, 7);
    for (const char* bad : {"", " ", "1.5", "12a", "0x10", "99999999999999999999", "--1"}) {
        v = 99;
        EXPECT_FALSE(ParseInt(bad, v)) << bad;
        EXPECT_EQ(v, 99) << bad;
    }
}

TEST(PathHelpers, SplitAtTheSeparator) {
    EXPECT_EQ(WithBackslash("/home/daten"), "/home/daten/");
    EXPECT_EQ(WithBackslash("/home/daten/"), "/home/daten/");
    EXPECT_EQ(WithBackslash(""), "");
    EXPECT_EQ(WithBackslash("   "), "   ");

    EXPECT_EQ(BaseName("/x.y/Filme.VD6"), "Filme");
    EXPECT_EQ(BaseName("/Filme"), "Filme");
    EXPECT_EQ(BaseName("Filme.alt.VD6"), "Filme.alt");
    EXPECT_EQ(BaseName("/x/.hidden"), "");
    EXPECT_EQ(FilePathOf("/x.y/Filme.VD6"), "/x.y/");
    EXPECT_EQ(FilePathOf("Filme.VD6"), "");
    EXPECT_EQ(FilePathOf("/Filme.VD6"), "/");

    EXPECT_EQ(FileExtOf("/x.y/Filme.VD6"), ".VD6");
    EXPECT_EQ(FileExtOf("/x.y/Filme"), "");
    EXPECT_EQ(ChangeFileExt("/x.y/Filme.VD6", ".CDT"), "/x.y/Filme.CDT");
    EXPECT_EQ(ChangeFileExt("/x.y/Filme", ".CDT"), "/x.y/Filme.CDT");
}

TEST(EnvValue, NameWithoutCaseValueAsItIs) {
    const EnvGuard guard("KT_TEST_VARIABLE", "/Tmp/MixedCase");
    EXPECT_EQ(EnvValue("kt_test_variable"), "/Tmp/MixedCase");
    EXPECT_EQ(EnvValue("KT_TEST_VARIABLE"), "/Tmp/MixedCase");
    EXPECT_EQ(EnvValue("KT_TEST_NOT_THERE"), "");
}

TEST(TempDir, DefaultIsTmpdirElseTmp) {
    {
        const EnvGuard guard("TMPDIR", "/var/Tmp");
        EXPECT_EQ(Settings::DefaultTempDir(), "/var/Tmp/");
        EXPECT_EQ(Settings().TempDir, "/var/Tmp/");
    }
    {
        const EnvGuard guard("TMPDIR", "/var/tmp/");
        EXPECT_EQ(Settings::DefaultTempDir(), "/var/tmp/");
    }
    {
        const EnvGuard guard("TMPDIR", nullptr);
        EXPECT_EQ(Settings::DefaultTempDir(), "/tmp/");
    }
    {
        const EnvGuard guard("TMPDIR", "");
        EXPECT_EQ(Settings::DefaultTempDir(), "/tmp/");
    }
}

TEST(Version, OwnExecutableOnly) {
    FileVersion v;
    ASSERT_TRUE(GetFileVersion(ProgramFile(), v));
    EXPECT_EQ(v.main, 2);
    EXPECT_EQ(v.minor, 6);
    EXPECT_EQ(v.release, 16);
    EXPECT_EQ(v.build, 4);
    EXPECT_EQ(VersionText(ProgramFile()), "2.6.16.4");
    EXPECT_EQ(ProgramVersionText(), "2.6.16.4");

    TempFolder dir;
    WriteBytes(dir.file("other"), "x");
    EXPECT_FALSE(GetFileVersion(dir.file("other"), v));
    EXPECT_EQ(VersionText(dir.file("other")), "");
    EXPECT_EQ(VersionText(dir.file("missing")), "");
}

TEST(DateTexts, Formats) {
    EXPECT_TRUE(std::regex_match(DateTimeText(), std::regex(R"(\d\d\.\d\d\.\d{4} \| \d\d:\d\d:\d\d)")));
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1980, 1, 1), 29221.0);
    EXPECT_EQ(ShortDateText(29221.5), "01.01.1980");
    EXPECT_EQ(ShortDateText(EncodeDate(2024, 2, 29)), "29.02.2024");
    EXPECT_EQ(ShortDateText(-1.0), "29.12.1899");
    EXPECT_EQ(ShortDateText(1e300), "");
    EXPECT_EQ(ShortDateText(std::numeric_limits<double>::quiet_NaN()), "");
    int y = 0, m = 0, d = 0;
    ASSERT_TRUE(DecodeDate(EncodeDate(2001, 9, 11) + 0.99, y, m, d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 20010911);
}

TEST(FileHelpers, SizeEraseAndCheck) {
    TempFolder dir;
    const std::string f = dir.file("a.bin");
    WriteBytes(f, "12345");
    EXPECT_EQ(FileSizeOf(f), 5);
    EXPECT_EQ(FileSizeOf(dir.file("none")), -1);
    EXPECT_TRUE(FileExists(f));
    EXPECT_FALSE(FileExists(dir.path()));
    EraseFile(f);
    EXPECT_FALSE(FileExists(f));
    EraseFile(f); // a missing file is no error
    EXPECT_TRUE(CheckIO(0, 1));
    EXPECT_FALSE(CheckIO(5, 2));
}

TEST(MakeBackupFile, KeepsGenerations) {
    TempFolder dir;
    const std::string f = dir.file("Filme.VD6"), b = dir.file("Filme.BAK");
    WriteBytes(f, "F");
    WriteBytes(b, "B");
    WriteBytes(b + "1", "B1");
    WriteBytes(b + "2", "B2");
    MakeBackupFile(f, b, true, 2);
    EXPECT_FALSE(FileExists(f));
    EXPECT_EQ(ReadBytes(b), "F");
    EXPECT_EQ(ReadBytes(b + "1"), "B");
    EXPECT_EQ(ReadBytes(b + "2"), "B1");
    EXPECT_FALSE(FileExists(b + "3"));

    // Copying keeps the file; a missing file changes nothing.
    WriteBytes(f, "G");
    MakeBackupFile(f, b, false, 2);
    EXPECT_EQ(ReadBytes(f), "G");
    EXPECT_EQ(ReadBytes(b), "G");
    EXPECT_EQ(ReadBytes(b + "1"), "F");
    EXPECT_EQ(ReadBytes(b + "2"), "B");
    MakeBackupFile(dir.file("none"), b, true, 2);
    EXPECT_EQ(ReadBytes(b), "G");

    // No earlier backup: only B is made.
    const std::string g = dir.file("x.CDT"), c = dir.file("x.CBK");
    WriteBytes(g, "X");
    MakeBackupFile(g, c, true, 2);
    EXPECT_EQ(ReadBytes(c), "X");
    EXPECT_FALSE(FileExists(c + "1"));
}

TEST(Cp1252, ConvertsBothWays) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(ToCp1252(ToUtf8(all)), all);
    EXPECT_EQ(ToUtf8("\x80\x84\x93\x94\xe4"), "€„“”ä");
    EXPECT_EQ("Größe €"_cp, "Gr\xf6\xdf"
                            "e \x80");
    EXPECT_EQ(ToCp1252("Ω ☺ x"), "? ? x");
    EXPECT_EQ(ToCp1252("\xc3"), "?"); // cut sequence
    EXPECT_EQ(ToCp1252("a\xff"
                       "b"),
              "a?b"); // not UTF-8 at all
    EXPECT_EQ(ToCp1252("\xe4"
                       "bc"),
              "?bc"); // Windows-1252 given as UTF-8
    EXPECT_EQ(ToCp1252("\xe0\x80\xaf"
                       "x"),
              "?x"); // an overlong "/"
    EXPECT_EQ(UpperAZ("aäzé"_cp), "AäZé"_cp);
}
