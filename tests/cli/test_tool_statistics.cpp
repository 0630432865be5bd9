#include "run_tool.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using kt::test::CreateCollection;
using kt::test::RunTool;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

// Two cassettes hold three video films; categories differ only after their third character.
const char* const CollectionJson = R"({
  "films": [
    {"FilmName": "A", "StorageType": 1, "CasNr": 1, "PosOnCas": 1, "FilmLength": 90, "Category": "AbcZ"},
    {"FilmName": "B", "StorageType": 1, "CasNr": 1, "PosOnCas": 2, "FilmLength": 90, "Category": "AbcA"},
    {"FilmName": "C", "StorageType": 1, "CasNr": 2, "PosOnCas": 1, "FilmLength": 90, "Category": "Komödie"},
    {"FilmName": "D", "StorageType": 4, "FilmLength": 90, "Category": "AbcZ"}
  ],
  "cassettes": [
    {"Nr": 1, "TotalLength": 240, "RestLength": 60, "GapLength": 0},
    {"Nr": 2, "TotalLength": 240, "RestLength": 150, "GapLength": 0}
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

} // namespace

TEST(ToolStatistics, PrintsTheEntriesInChartOrder) {
    Fixture f;
    WriteBytes(f.dir.file("k.INI"), "[COMMON]\r\nSortLength=3\r\n");
    struct Case {
        std::vector<std::string> options;
        const char* expected;
    };
    const Case cases[] = {
        {{"--by", "speichermedien"},
         R"([{"label":"DVD","value":1,"color":"#008000"},{"label":"Video-Cassette","value":2,"color":"#0000FF"}])"},
        {{"--by", "kategorien"},
         R"([{"label":"AbcA","value":1,"color":"#008000"},{"label":"AbcZ","value":2,"color":"#0000FF"},)"
         R"({"label":"Komödie","value":1,"color":"#FF0000"}])"},
        // Only three characters compared: AbcZ and AbcA keep the order in which they were met.
        {{"--by", "kategorien", "--config", f.dir.file("k.INI")},
         R"([{"label":"AbcZ","value":2,"color":"#008000"},{"label":"AbcA","value":1,"color":"#0000FF"},)"
         R"({"label":"Komödie","value":1,"color":"#FF0000"}])"},
    };
    for (const auto& tc : cases) {
        std::vector<std::string> args = {"statistics", f.file};
        args.insert(args.end(), tc.options.begin(), tc.options.end());
        const auto r = RunTool(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(nlohmann::ordered_json::parse(r.out).dump(), tc.expected);
    }
}

TEST(ToolStatistics, ExitCodes) {
    Fixture f;
    struct Case {
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {{"statistics", f.dir.file("fehlt.VD6"), "--by", "kategorien"}, 1},
        {{"statistics", f.file}, 2},
        {{"statistics", f.file, "--by", "jahr"}, 2},
        {{"statistics", "--by", "kategorien"}, 2},
        {{"statistics", f.file, "--by", "kategorien", "--as-version", "9"}, 2},
    };
    for (const auto& tc : cases) {
        const auto r = RunTool(tc.args);
        EXPECT_EQ(r.code, tc.code) << tc.args[1] << ' ' << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_FALSE(r.err.empty());
    }
}

TEST(ToolStatistics, HelpListsTheCommand) {
    const auto r = RunTool({"--help"});
    EXPECT_NE(r.out.find("statistics DATEI --by kategorien|speichermedien"), std::string::npos) << r.out;
}
