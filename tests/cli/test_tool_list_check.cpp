#include "run_tool.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

using kt::test::ReadBytes;
using kt::test::CreateCollection;
using kt::test::RunTool;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

// Cassette 5 holds Zorro (1) and Alien (2) and is consistent; a DVD carries the number 5 too;
// cassette 2 claims 200 minutes of rest on an empty 240-minute tape.
const char* const CollectionJson = R"({
  "films": [
    {"FilmName": "Zorro", "StorageType": 1, "CasNr": 5, "PosOnCas": 1, "FilmLength": 100, "Director": "Steven Spielberg"},
    {"FilmName": "Alien", "StorageType": 1, "CasNr": 5, "PosOnCas": 2, "FilmLength": 90, "Director": "Ridley Scott"},
    {"FilmName": "Ben Hur", "StorageType": 4, "CasNr": 5, "FilmLength": 200, "Director": "STEVEN SPIELBERG"}
  ],
  "cassettes": [
    {"Nr": 5, "TotalLength": 240, "RestLength": 50, "GapLength": 0},
    {"Nr": 2, "TotalLength": 240, "RestLength": 200, "GapLength": 0}
  ]
})";

struct Fixture {
    TempFolder dir;
    std::string file = dir.file("Filme.VD6");
    Fixture() {
        const auto r = CreateCollection(dir, CollectionJson, file);
        EXPECT_EQ(r.code, 0) << r.err;
    }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

std::string FirstCells(const std::string& listOutput) {
    std::string titles;
    for (const auto& line : Lines(listOutput)) {
        if (line.starts_with("SortedFilm:"))
            break;
        titles += line.substr(0, line.find('\t')) + "|";
    }
    return titles;
}

} // namespace

TEST(ToolList, PrintsTheListTheWindowShows) {
    Fixture f;
    const auto r = RunTool({"list", f.file, "--sort", "2"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 8u) << r.out;
    EXPECT_TRUE(lines[0].starts_with("Filmtitel\tLänge\tCas.Nr.\tPos.\tKategorie")) << lines[0];
    // The position sub-sort puts the cassette films into their two rows by position.
    EXPECT_EQ(FirstCells(r.out), "Filmtitel|Zorro|Ben Hur|Alien|");
    EXPECT_EQ(lines[4], "SortedFilm: 1 3 2");
    EXPECT_EQ(lines[5], "Datei: " + f.file);
    EXPECT_EQ(lines[6], "Anzahl Filme: 3/3");
    EXPECT_EQ(lines[7], "Anzahl Cassetten: 2");
}

TEST(ToolList, ConfigurationAndOptionsDecideWhatIsListed) {
    Fixture f;
    WriteBytes(f.dir.file("k.INI"), "[COMMON]\r\nCasSubSort=1\r\nStorageTypeShow=1\r\n");
    struct Case {
        std::vector<std::string> options;
        std::string titles;
        std::string count;
    } cases[] = {
        {{"--config", f.dir.file("k.INI"), "--sort", "2", "--show", "63"},
         "Filmtitel|Alien|Ben Hur|Zorro|",
         "3/3"},
        {{"--config", f.dir.file("k.INI")}, "Filmtitel|Alien|Zorro|", "2/3"},
        {{"--config", f.dir.file("k.INI"), "--all-media"}, "Filmtitel|Alien|Ben Hur|Zorro|", "3/3"},
        {{"--sort", "6"}, "Filmtitel|Ben Hur|Alien|Zorro|", "3/3"},
        {{"--search", "ALI", "--in", "1"}, "Filmtitel|Alien|", "1/3"},
        {{"--search", "spielberg", "--in", "2,5"}, "Filmtitel|Ben Hur|Zorro|", "2/3"},
        {{"--show", "1", "--search", "ben", "--in", "1", "--search-all-media"}, "Filmtitel|Ben Hur|", "1/3"},
        {{"--max-length", "95"}, "Filmtitel|Alien|", "1/3"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"list", f.file};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = RunTool(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(FirstCells(r.out), c.titles) << c.options.back();
        EXPECT_NE(r.out.find("Anzahl Filme: " + c.count), std::string::npos) << r.out;
    }
}

TEST(ToolList, AnEmptyResultAndWrongUsage) {
    Fixture f;
    auto r = RunTool({"list", f.file, "--search", "xyz", "--in", "1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("wurden keine Videodaten gefunden"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("SortedFilm:\n"), std::string::npos);
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--sort", "7"},
                                                                 {"--search", "x"},
                                                                 {"--search", "x", "--in", "7"},
                                                                 {"--show", "-1"},
                                                                 {"--max-length", "abc"}}) {
        std::vector<std::string> args = {"list", f.file};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(RunTool(args).code, 2) << bad[0];
    }
    EXPECT_EQ(RunTool({"list", f.dir.file("fehlt.VD6")}).code, 1);
}

TEST(ToolCheckRestore, ListsInconsistentCassettesAndRebuildsThem) {
    Fixture f;
    auto r = RunTool({"check", f.file});
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.out, "   2\n");

    const std::string out = f.dir.file("Neu.VD6");
    r = RunTool({"restore", f.file, out, "--default-length", "240"});
    ASSERT_EQ(r.code, 0) << r.err;
    r = RunTool({"check", out});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "");
    // The source file stays as it was.
    EXPECT_EQ(RunTool({"check", f.file}).code, 3);

    EXPECT_EQ(RunTool({"restore", f.file, out, "--default-length", "100"}).code, 2);
    EXPECT_EQ(RunTool({"check", f.dir.file("fehlt.VD6")}).code, 1);
}

TEST(ToolReplace, ReplacesInAllFilmsAndSaves) {
    Fixture f;
    const std::string out = f.dir.file("Neu.VD6");
    auto r = RunTool({"replace", f.file, out, "--find", "spielberg", "--with", "Spielberg, S.", "--in", "5"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "2\n"); // the DVD counts too
    r = RunTool({"dump", out});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"Steven Spielberg, S.\""), std::string::npos);
    EXPECT_NE(r.out.find("\"STEVEN Spielberg, S.\""), std::string::npos);

    r = RunTool(
        {"replace", f.file, out, "--find", "spielberg", "--with", "X", "--in", "5", "--case-sensitive"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "0\n");
    EXPECT_EQ(RunTool({"replace", f.file, out, "--find", "a", "--with", "b", "--in", "11"}).code, 2);
    EXPECT_EQ(RunTool({"replace", f.file, out, "--find", "a", "--in", "1"}).code, 2);
}
