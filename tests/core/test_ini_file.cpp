#include "settings/ini_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using namespace kt;
using kt::test::ReadBytes;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

IniFile Parsed(const std::string& text) {
    IniFile ini;
    ini.parse(text);
    return ini;
}

} // namespace

TEST(IniFile, ReadsValuesWithoutRegardToCase) {
    const IniFile ini = Parsed("; Kopf\r\n"
                               "[Common]\r\n"
                               "  SortLength =  30 \r\n"
                               "sortlength=99\r\n" // a second key of the same name is not seen
                               "LastFile=C:\\x=y.VD6\r\n"
                               "Leer=\r\n"
                               "Quoted=\"  a b \"\r\n"
                               "Single='x'\r\n"
                               "Half=\"x\r\n"
                               "Umlaut=\xe4\xf6\xfc\xdf\x80\r\n"
                               "[ Fremd ]\r\n"
                               "Common=nein\r\n"
                               "[common]\r\n" // a repeated section is not seen either
                               "Late=1\r\n");
    EXPECT_EQ(ini.value("COMMON", "SORTLENGTH"), "30");
    EXPECT_EQ(ini.value("common", "LastFile"), "C:\\x=y.VD6");
    EXPECT_EQ(ini.value("COMMON", "Leer"), "");
    EXPECT_EQ(ini.value("COMMON", "Quoted"), "  a b ");
    EXPECT_EQ(ini.value("COMMON", "Single"), "x");
    EXPECT_EQ(ini.value("COMMON", "Half"), "\"x");
    EXPECT_EQ(ini.value("COMMON", "Umlaut"), "\xe4\xf6\xfc\xdf\x80");
    EXPECT_EQ(ini.value("COMMON", "Missing"), std::nullopt);
    EXPECT_EQ(ini.value("COMMON", "Late"), std::nullopt);
    EXPECT_EQ(ini.value("Fremd", "common"), "nein");
    EXPECT_EQ(ini.value("Kopf", "x"), std::nullopt);
    EXPECT_TRUE(ini.hasSection("fremd"));
    EXPECT_FALSE(ini.hasSection("Zeigen"));
}

TEST(IniFile, SectionValuesInFileOrder) {
    const IniFile ini = Parsed("[WertungStrings]\n"
                               "b=zwei\n"
                               "; Kommentar\n"
                               "\n"
                               "ohne Gleichheitszeichen\n"
                               "a= eins = 1 \n"
                               "=leer\n"
                               "[Next]\n"
                               "x=1\n");
    EXPECT_EQ(ini.sectionValues("wertungstrings"),
              (std::vector<std::string>{"zwei", "", "eins = 1", "leer"}));
    EXPECT_TRUE(ini.sectionValues("None").empty());
}

TEST(IniFile, UnchangedTextStaysByteForByte) {
    const std::string text =
        "\xEF\xBB\xBF[A]\r\nx = 1 \r\n;c\r\n\r\n[B]\nmixed=breaks\r\nlone=cr\rcr=\r\r\nlast=no break";
    IniFile ini = Parsed(text);
    EXPECT_EQ(ini.text(), text);
    EXPECT_EQ(ini.value("A", "x"), "1"); // the byte order mark does not hide the first section
    EXPECT_EQ(ini.value("B", "lone"), "cr");
    EXPECT_EQ(ini.value("B", "cr"), "");
    EXPECT_EQ(ini.value("B", "last"), "no break");
    ini.setValue("a", "X", "1"); // the same value: the line stays as it was written
    ini.setValue("b", "MIXED", "breaks");
    EXPECT_EQ(ini.text(), text);
}

TEST(IniFile, UpdatesInPlaceAndAppends) {
    IniFile ini = Parsed("[A]\r\n"
                         "Eins=1\r\n"
                         "Zwei=2\r\n"
                         "\r\n"
                         "[B]\r\n"
                         "x=y\r\n");
    ini.setValue("a", "ZWEI", "zwei");
    ini.setValue("A", "Drei", "3");
    ini.setValue("B", "z", "\xfc");
    ini.setValue("Neu", "k", "v");
    ini.setValue("neu", "l", "w");
    EXPECT_EQ(ini.text(), "[A]\r\n"
                          "Eins=1\r\n"
                          "Zwei=zwei\r\n"
                          "Drei=3\r\n"
                          "\r\n"
                          "[B]\r\n"
                          "x=y\r\n"
                          "z=\xfc\r\n"
                          "[Neu]\r\n"
                          "k=v\r\n"
                          "l=w\r\n");
}

TEST(IniFile, KeepsTheLineBreakStyle) {
    IniFile unix = Parsed("[A]\nx=1");
    EXPECT_EQ(unix.lineBreak(), "\n");
    unix.setValue("A", "y", "2");
    unix.setValue("B", "z", "3");
    EXPECT_EQ(unix.text(), "[A]\nx=1\ny=2\n[B]\nz=3\n");

    IniFile empty;
    empty.parse("");
    EXPECT_EQ(empty.lineBreak(), "\r\n");
    empty.setValue("COMMON", "SortLength", "25");
    EXPECT_EQ(empty.text(), "[COMMON]\r\nSortLength=25\r\n");

    IniFile emptySection = Parsed("[A]\r\n\r\n[B]\r\n");
    emptySection.setValue("A", "k", "v");
    EXPECT_EQ(emptySection.text(), "[A]\r\nk=v\r\n\r\n[B]\r\n");
}

TEST(IniFile, ValuesThatNeedQuotesRoundTrip) {
    const std::string values[] = {"Krimi ", " Krimi", "\"nett\"", "'x'", "\"",
                                  "a\"b\"", "",       " ",        "x=y", "\xe4 ; \xfc"};
    IniFile ini;
    ini.parse("");
    for (std::size_t i = 0; i < std::size(values); ++i)
        ini.setValue("S", "k" + std::to_string(i), values[i]);
    const IniFile back = Parsed(ini.text());
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(back.value("S", "k" + std::to_string(i)), values[i]) << '[' << values[i] << ']';
    EXPECT_EQ(IniFile::EncodeValue("plain text"), "plain text");
    EXPECT_EQ(IniFile::EncodeValue("Krimi "), "\"Krimi \"");
    // A line break would split the line: it is written as a blank.
    ini.setValue("S", "broken", "a\r\nb");
    EXPECT_EQ(Parsed(ini.text()).value("S", "broken"), "a  b");
    EXPECT_EQ(Parsed(ini.text()).sectionValues("S").size(), std::size(values) + 1);
}

TEST(IniFile, DeleteKey) {
    IniFile ini = Parsed("[COMMON]\r\nA=1\r\nFirstStart=1\r\nfirststart=0\r\nB=2\r\n[X]\r\nFirstStart=1\r\n");
    EXPECT_TRUE(ini.deleteKey("common", "FIRSTSTART"));
    EXPECT_EQ(ini.text(), "[COMMON]\r\nA=1\r\nB=2\r\n[X]\r\nFirstStart=1\r\n");
    EXPECT_FALSE(ini.deleteKey("COMMON", "FirstStart"));
    EXPECT_FALSE(ini.deleteKey("None", "A"));
}

TEST(IniFile, LoadAndSave) {
    TempFolder dir;
    IniFile ini;
    EXPECT_TRUE(ini.load(dir.file("missing.INI")));
    EXPECT_EQ(ini.text(), "");
    EXPECT_FALSE(ini.load(dir.path()));  // a folder is no profile
    EXPECT_FALSE(ini.load("/dev/zero")); // nor a device that never ends
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(ini.load(dir.file("fifo")));
    const std::string big = dir.file("big.INI");
    WriteBytes(big, "[A]");
    ASSERT_EQ(::truncate(big.c_str(), 65 << 20), 0); // sparse: nothing of it is written
    EXPECT_FALSE(ini.load(big));
    std::filesystem::remove(dir.file("fifo"));
    std::filesystem::remove(big);
    EXPECT_TRUE(ini.load(dir.file("no/such/folder/x.INI")));

    const std::string file = dir.file("K.INI");
    WriteBytes(file, "[A]\r\nx=\xe4\r\n");
    ASSERT_TRUE(ini.load(file));
    EXPECT_EQ(ini.value("A", "X"), "\xe4");
    ini.setValue("A", "y", "2");
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(ini.save(file));
    EXPECT_EQ(ReadBytes(file), "[A]\r\nx=\xe4\r\ny=2\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator{}),
        1); // no temporary left

    // Through a symbolic link the file it leads to is replaced; the link stays.
    const std::string link = dir.file("link.INI");
    std::filesystem::create_symlink(file, link);
    ini.setValue("A", "z", "3");
    ASSERT_TRUE(ini.save(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(file), "[A]\r\nx=\xe4\r\ny=2\r\nz=3\r\n");

    EXPECT_FALSE(ini.save(dir.file("no/such/folder/x.INI")));
    if (::geteuid() != 0) {
        ::chmod(file.c_str(), 0);
        EXPECT_FALSE(ini.load(file));
        ::chmod(file.c_str(), 0640);
        ::chmod(dir.path().c_str(), 0500);
        EXPECT_FALSE(ini.save(file));
        ::chmod(dir.path().c_str(), 0700);
        EXPECT_EQ(ReadBytes(file), "[A]\r\nx=\xe4\r\ny=2\r\nz=3\r\n");
    }
}
