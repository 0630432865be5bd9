#include "run_tool.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

using kt::test::ReadBytes;
using kt::test::RunTool;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

const std::string Data = std::string(KT_TEST_DATA) + "/import/";
// Title 1, length 2, category 3, year 4, languages 5, commercials 6, recording date 7, medium 8.
const std::string Positions = "1,2,0,0,3,0,0,4,0,6,0,0,0,0,0,7,5,0,0,0,0,0,8,0";

std::vector<std::string> Titles(const std::string& file) {
    const auto r = RunTool({"dump", file});
    EXPECT_EQ(r.code, 0) << r.err;
    std::vector<std::string> titles;
    const auto doc = nlohmann::json::parse(r.out);
    for (const auto& f : doc.at("films"))
        titles.push_back(f.at("FilmName").get<std::string>());
    return titles;
}

} // namespace

TEST(ToolImport, WorkbooksAndTextFiles) {
    TempFolder dir;
    WriteBytes(dir.file("filme.csv"), "Titel;L\xC3\xA4nge\r\n\"Alien; der 8.\";117\r\n\xC3\x89lodie;90\r\n");
    struct Case {
        std::string source;
        std::vector<std::string> options;
        std::vector<std::string> titles;
    };
    const std::vector<Case> cases = {
        {Data + "filme-libreoffice.xls",
         {"--first-row", "2", "--rows", "4", "--cols", "8", "--first-col", "1"},
         {"Alien", "Élodie „Ça“ 5 €", "Blade Runner"}},
        {Data + "filme-libreoffice.xlsx",
         {"--first-row", "2", "--rows", "2", "--cols", "8", "--first-col", "1"},
         {"Alien", "Élodie „Ça“ 5 €"}},
        {Data + "filme-xlwt.xls",
         {"--first-row", "2", "--rows", "2", "--cols", "8", "--first-col", "2"},
         {"Alien", "Élodie"}},
        {dir.file("filme.csv"), {"--header-lines", "1", "--separator", ";"}, {"Alien; der 8.", "Élodie"}},
    };
    for (const auto& c : cases) {
        const std::string out = dir.file("Neu.VD6");
        std::vector<std::string> args = {"import", c.source, out, "--positions", Positions};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = RunTool(args);
        ASSERT_EQ(r.code, 0) << c.source << ": " << r.err;
        EXPECT_NE(r.err.find("Es wurden " + std::to_string(c.titles.size()) + " Datensätze aus "),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(Titles(out), c.titles) << c.source;
    }
}

// --into adds to a collection; a new storage medium goes into the configuration that was read.
TEST(ToolImport, IntoACollectionWithTheConfiguration) {
    TempFolder dir;
    WriteBytes(dir.file("c.json"),
               R"({"films": [{"FilmName": "Heat", "StorageType": 4, "FilmLength": 170}]})");
    ASSERT_EQ(RunTool({"create", dir.file("c.json"), dir.file("Alt.VD6")}).code, 0);
    const std::string ini = dir.file("Kassotek.INI");
    WriteBytes(ini, "[COMMON]\r\nStorageTypeShow=4\r\n[ImpExp]\r\nFirstRow2Read=1\r\nAnzRows2Read=2\r\n"
                    "FirstCol2Read=0\r\nAnzCols2Read=8\r\n");
    const auto r = RunTool({"import", Data + "filme-libreoffice.xls", dir.file("Neu.VD6"), "--into",
                            dir.file("Alt.VD6"), "--config", ini, "--positions", Positions});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Titles(dir.file("Neu.VD6")), (std::vector<std::string>{"Heat", "Alien", "Élodie „Ça“ 5 €"}));
    const std::string written = ReadBytes(ini);
    EXPECT_NE(written.find("ZSM0=Blu-ray"), std::string::npos) << written;
    // The medium is shown; the import's own options are not stored.
    EXPECT_NE(written.find("StorageTypeShow=68"), std::string::npos) << written;
    EXPECT_NE(written.find("AnzRows2Read=2"), std::string::npos) << written;
    EXPECT_EQ(written.find("[ImportPos]\r\n0=1"), std::string::npos) << written;
}

TEST(ToolImport, WrongUsageAndUnreadableFiles) {
    TempFolder dir;
    WriteBytes(dir.file("leer.xls"), "");
    const std::string xls = Data + "filme-libreoffice.xls";
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{xls, "--rows", "0", "--cols", "3"},
         2,
         "Fehler: Es werden gemäß der Einstellungen KEINE Daten importiert!"},
        {{xls, "--rows", "3", "--cols", "0"}, 2, "KEINE Daten"},
        {{xls, "--rows", "3"}, 2, "KEINE Daten"}, // no columns in the configuration
        {{xls, "--rows", "3", "--cols", "3", "--positions",
          "3,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"},
         2,
         "Es existieren doppelte Zuweisungen!"},
        {{xls, "--rows", "3", "--cols", "3", "--positions",
          "1,2,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"},
         2,
         "Es existieren Lücken in den Zuweisungen!"},
        {{xls, "--positions", "1,2,3"}, 2, "--positions braucht 24"},
        {{xls, "--first-row", "0"}, 2, "--first-row"},
        {{xls, "--rows", "x"}, 2, "--rows"},
        {{xls, "--bogus"}, 2, "Unbekannte Option"},
        {{Data + "tabelle.ods", "--rows", "3", "--cols", "3"}, 1, "OpenDocument-Tabelle (.ods)"},
        {{Data + "filme-libreoffice.xlsx", "--rows", "3", "--cols", "3", "--into", dir.file("fehlt.VD6")},
         1,
         ""},
        {{dir.file("leer.xls"), "--rows", "3", "--cols", "3"}, 1, "Die Datei ist leer."},
        {{dir.file("fehlt.xlsx"), "--rows", "3", "--cols", "3"}, 1, "kann nicht gelesen werden"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"import", c.args[0], dir.file("Neu.VD6")};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        const auto r = RunTool(args);
        EXPECT_EQ(r.code, c.code) << c.args[0] << ' ' << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.file("Neu.VD6"))) << c.args[0];
    }
    const auto help = RunTool({"--help"});
    EXPECT_NE(help.out.find("import QUELLE AUSGABE"), std::string::npos);
}
