#include "run_tool.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using kt::test::ReadBytes;
using kt::test::CreateCollection;
using kt::test::RunTool;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

const char* const CollectionJson = R"({
  "films": [
    {"FilmName": "Zorro", "StorageType": 1, "CasNr": 5, "PosOnCas": 1, "FilmLength": 100, "ProdYear": 1975},
    {"FilmName": "Ärger im Büro", "StorageType": 4, "CasNr": 7, "FilmLength": 90, "Content": "eins\r\nzwei"},
    {"FilmName": "Alien", "StorageType": 1, "CasNr": 5, "PosOnCas": 2, "FilmLength": 90, "ProdYear": 1979}
  ],
  "cassettes": [{"Nr": 5, "TotalLength": 240, "RestLength": 50, "GapLength": 0}]
})";

struct ExportFixture : ::testing::Test {
    TempFolder dir;
    std::string file = dir.file("Filme.VD6");
    void SetUp() override {
        const auto r = CreateCollection(dir, CollectionJson, file);
        ASSERT_EQ(r.code, 0) << r.err;
    }
};

} // namespace

TEST_F(ExportFixture, EachExtensionGivesItsFormOfTheFilteredAndSortedList) {
    // Sorted by title, DVDs left out by the storage mask.
    const auto txt = RunTool({"export", file, dir.file("a.txt"), "--show", "1", "--selected-row", "2"});
    ASSERT_EQ(txt.code, 0) << txt.err;
    const std::string text = ReadBytes(dir.file("a.txt"));
    // Row 2 is the bottom of the selection: only its block has no asterisks before it.
    const std::string stars = "\r\n" + std::string(47, '*') + "\r\n\r\n";
    EXPECT_EQ(text.find(stars + "Filmname               = Alien\r\n"), 0u);
    EXPECT_NE(text.find("\r\n\r\nFilmname               = Zorro\r\n"), std::string::npos);
    EXPECT_EQ(text.find(stars + "Filmname               = Zorro"), std::string::npos);
    EXPECT_EQ(text.find("Ärger"), std::string::npos);
    EXPECT_NE(txt.err.find("2 Filme wurden in " + dir.file("a.txt") + " exportiert!"), std::string::npos)
        << txt.err;

    const auto column = RunTool({"export", file, dir.file("b.txt"), "--column", "7"});
    ASSERT_EQ(column.code, 0) << column.err;
    // One line per film in list order; the DVD has no year.
    EXPECT_EQ(ReadBytes(dir.file("b.txt")),
              "Herstellungsdatum      = 1979\r\nHerstellungsdatum      = 1975\r\n\r\n");

    const auto csv = RunTool({"export", file, dir.file("c.CSV"), "--show", "1"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    const std::string csvText = ReadBytes(dir.file("c.CSV"));
    EXPECT_EQ(csvText.substr(0, 33), "\xEF\xBB\xBF"
                                     "Filmtitel;Länge;Cas.Nr.;Pos.;");
    EXPECT_NE(csvText.find("\r\nAlien;90;5;2;"), std::string::npos);

    for (const char* name : {"d.xls", "e.xlsx"}) {
        const auto r = RunTool({"export", file, dir.file(name), "--search", "rger", "--in", "1"});
        ASSERT_EQ(r.code, 0) << r.err;
        const std::string bytes = ReadBytes(dir.file(name));
        // The OLE2 compound file and the ZIP signature.
        EXPECT_EQ(bytes.substr(0, 4), std::string(name) == "d.xls" ? "\xD0\xCF\x11\xE0" : "PK\x03\x04")
            << name;
    }
}

TEST_F(ExportFixture, UsageErrorsAndUnwritableTargetsHaveTheirExitCodes) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"export", file}, 2, "Falsche Anzahl Dateien"},
        {{"export", file, dir.file("x.pdf")}, 2, ".txt, .csv, .xls oder .xlsx"},
        {{"export", file, dir.file("x.xls"), "--column", "1"}, 2, "--column gilt nur"},
        {{"export", file, dir.file("x.txt"), "--column", "25"}, 2, "nur die Spalten 0 bis 24"},
        {{"export", file, dir.file("x.txt"), "--selected-row", "-1"}, 2, "--selected-row"},
        {{"export", dir.file("fehlt.VD6"), dir.file("x.txt")}, 1, "Fehler beim Laden"},
        {{"export", file, dir.file("fehlt/x.txt")}, 1, "ist fehlgeschlagen!"},
        {{"export", file, dir.file("fehlt/x.xlsx")}, 1, "ist fehlgeschlagen!"},
    };
    for (const Case& k : cases) {
        const auto r = RunTool(k.args);
        EXPECT_EQ(r.code, k.code) << k.args.back() << ": " << r.err;
        EXPECT_NE(r.err.find(k.message), std::string::npos) << r.err;
    }
    // A list without films writes nothing and says so.
    const auto empty = RunTool({"export", file, dir.file("leer.txt"), "--search", "nichts", "--in", "1"});
    EXPECT_EQ(empty.code, 0);
    EXPECT_NE(empty.err.find("es wurde nichts exportiert"), std::string::npos) << empty.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("leer.txt")));

    const auto help = RunTool({"--help"});
    EXPECT_NE(help.out.find("export DATEI AUSGABE"), std::string::npos);
}
