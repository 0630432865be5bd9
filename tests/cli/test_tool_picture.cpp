#include "run_tool.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using kt::test::ReadBytes;
using kt::test::CreateCollection;
using kt::test::RunTool;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

// Film 2 (numbered by its place in the file) has a kept picture and a link. "Kept" as a picture kept in the
// data file: the bytes "\xFF\xD8kept\x00\xFF\xD9".
const char* const KeptBase64 = "/9hrZXB0AP/Z";
const std::string KeptBytes("\xFF\xD8kept\x00\xFF\xD9", 9);

struct Fixture {
    TempFolder dir;
    std::string file = dir.file("Filme.VD6");
    std::string linked = dir.file("Cover Ä.bmp");
    explicit Fixture(bool withLinkedFile = true) {
        if (withLinkedFile)
            WriteBytes(linked, "BM linked bytes");
        const std::string json = std::string(R"({"films": [
          {"FilmName": "Ohne Bilder", "StorageType": 4, "FilmLength": 90},
          {"FilmName": "Mit Bildern", "StorageType": 4, "FilmLength": 90, "Pics": [
            {"PicFlags": 129, "PicText": "Cover", "PicDataBase64": ")") +
                                 KeptBase64 + R"("},
            {"PicFlags": 260, "PicText": ")" +
                                 linked + R"(", "PicSize": 15}]}]})";
        const auto r = CreateCollection(dir, json, file);
        EXPECT_EQ(r.code, 0) << r.err;
    }
};

} // namespace

TEST(ToolPicture, WritesKeptBytesAndCopiesLinkedFiles) {
    Fixture f;
    struct Case {
        const char* index;
        std::string expected;
    };
    const Case cases[] = {{"1", KeptBytes}, {"2", "BM linked bytes"}};
    for (const Case& tc : cases) {
        const std::string out = f.dir.file(std::string("out") + tc.index);
        const auto r = RunTool({"picture", f.file, "2", tc.index, out});
        EXPECT_EQ(r.code, 0) << tc.index << r.err;
        EXPECT_EQ(ReadBytes(out), tc.expected) << tc.index;
    }
    // An existing output is replaced as a whole.
    WriteBytes(f.dir.file("out1"), std::string(100, 'x'));
    EXPECT_EQ(RunTool({"picture", f.file, "2", "1", f.dir.file("out1")}).code, 0);
    EXPECT_EQ(ReadBytes(f.dir.file("out1")), KeptBytes);
}

TEST(ToolPicture, RefusesWhatItCannotWrite) {
    Fixture f(false);
    const std::string out = f.dir.file("out");
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{"picture", f.file, "2", "1"}, 2, "Falsche Anzahl"},
        {{"picture", f.file, "x", "1", out}, 2, "FILMNR"},
        {{"picture", f.file, "2", "0", out}, 2, "INDEX muss eine Zahl von 1 bis 10"},
        {{"picture", f.file, "2", "11", out}, 2, "INDEX muss eine Zahl von 1 bis 10"},
        {{"picture", f.file, "99", "1", out}, 1, "Kein Film mit der Nummer 99"},
        {{"picture", f.file, "1", "1", out}, 1, "hat kein Bild 1 (Bilder: 0)"},
        {{"picture", f.file, "2", "3", out}, 1, "hat kein Bild 3 (Bilder: 2)"},
        {{"picture", f.file, "2", "2", out}, 1, "Cover Ä.bmp\" fehlt"},
        {{"picture", f.dir.file("fehlt.VD6"), "2", "1", out}, 1, "Fehler beim Laden"},
        {{"picture", f.file, "2", "1", f.dir.file("kein/Ordner/out")}, 1, "nicht schreiben"},
    };
    for (const Case& tc : cases) {
        const auto r = RunTool(tc.args);
        EXPECT_EQ(r.code, tc.code) << tc.message << r.err;
        EXPECT_NE(r.err.find(tc.message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << tc.message;
    }
}
