#include "run_tool.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

using kt::test::ReadBytes;
using kt::test::RunTool;
using kt::test::TempFolder;
using kt::test::WriteBytes;
using Json = nlohmann::json;

namespace {

const std::string HandMade = KT_TEST_DATA "/config/handmade.INI";

Json Settings(const std::string& ini, const std::vector<std::string>& more = {}) {
    std::vector<std::string> args = {"settings", "--config", ini};
    args.insert(args.end(), more.begin(), more.end());
    const auto r = RunTool(args);
    EXPECT_EQ(r.code, 0) << r.err;
    return Json::parse(r.out);
}

} // namespace

TEST(ToolHelp, ListsTheCommands) {
    const auto r = RunTool({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("settings [--config DATEI] [--write]"), std::string::npos);
    EXPECT_NE(r.out.find("trace DATEI.QBL"), std::string::npos);
    const auto none = RunTool({});
    EXPECT_EQ(none.code, 2);
    EXPECT_NE(none.err.find("Kein Befehl"), std::string::npos);
    const auto unknown = RunTool({"zaubern"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("Unbekannter Befehl"), std::string::npos);
}

TEST(ToolSettings, DefaultsWithTheirTypes) {
    TempFolder dir;
    const auto r = RunTool({"settings", "--config", dir.file("Kassotek.INI")}, {"TMPDIR=/var/Tmp"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("Voreinstellungen"), std::string::npos);
    const Json j = Json::parse(r.out);
    const std::vector<std::string> keys = {
        "SortLength",        "SaveDir",          "SaveOption",      "LastFile",
        "OpenFileAtStart",   "CreateBakOnFOpen", "FilmSort",        "MinimizeTarget",
        "WriteMasterAlways", "MasterStoreLevel", "LastStorageType", "StorageTypeShow",
        "ShowAllMsg",        "FirstStart",       "CenterFilmTitel", "ImportKopfzeilen",
        "ImportTrennz",      "SuggestPosOnCas",  "CasSubSort",      "ShowFirstPicAutomatically",
        "TempDir",           "MinimizeConfirm",  "MarkFilmList",    "ImportHinweis",
        "FirstCol2Read",     "AnzCols2Read",     "FirstRow2Read",   "AnzRows2Read",
        "Trennzeichen",      "ColArrange",       "CategoryList",    "StorageMediaList",
        "RatingTexts",       "History",          "DBGLOC"};
    std::vector<std::string> members;
    for (const auto& [key, value] : j.items())
        members.push_back(key);
    std::sort(members.begin(), members.end());
    std::vector<std::string> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(members, sorted);

    EXPECT_EQ(j["SortLength"], 25);
    EXPECT_EQ(j["SaveDir"], true);
    EXPECT_EQ(j["SaveOption"], false);
    EXPECT_EQ(j["LastFile"], "");
    EXPECT_EQ(j["WriteMasterAlways"], 2);
    EXPECT_EQ(j["MasterStoreLevel"], 1);
    EXPECT_EQ(j["StorageTypeShow"], 63);
    EXPECT_EQ(j["FirstStart"], false);
    EXPECT_EQ(j["ImportTrennz"], "$");
    EXPECT_EQ(j["TempDir"], "/var/Tmp/");
    EXPECT_EQ(j["FirstCol2Read"], 1);
    EXPECT_EQ(j["Trennzeichen"], "$");
    ASSERT_EQ(j["ColArrange"].size(), 25u);
    EXPECT_EQ(j["ColArrange"][1], (Json{{"Header", "Länge"},
                                        {"Pos", 1},
                                        {"Width", 46},
                                        {"Show", true},
                                        {"LongName", "Länge des Films (insg.)"},
                                        {"EditLabel", "Film&länge"},
                                        {"ImportPos", 0}}));
    EXPECT_EQ(j["CategoryList"], Json::array());
    ASSERT_EQ(j["StorageMediaList"].size(), 6u);
    EXPECT_EQ(j["StorageMediaList"][5], (Json{{"Name", "DivX ;-)"}, {"Selected", true}, {"Nr", 6}}));
    EXPECT_EQ(j["RatingTexts"],
              (Json{"Kult", "Muß", "super", "fesselnd", "\"nett\"", "passabel", "grauenhaft"}));
    EXPECT_EQ(j["History"], Json::array());
    EXPECT_EQ(j["DBGLOC"], Json::array());
    EXPECT_FALSE(std::filesystem::exists(dir.file("Kassotek.INI"))); // nothing written without --write
}

TEST(ToolSettings, HandMadeFile) {
    const Json j = Settings(HandMade);
    EXPECT_EQ(j["SortLength"], 30);
    EXPECT_EQ(j["SaveDir"], false);
    EXPECT_EQ(j["LastFile"], "/home/jörg/Filme/Sammlung.VD6");
    EXPECT_EQ(j["FilmSort"], 3);
    EXPECT_EQ(j["WriteMasterAlways"], 1);
    EXPECT_EQ(j["MasterStoreLevel"], 3);
    EXPECT_EQ(j["StorageTypeShow"], 69);
    EXPECT_EQ(j["ImportTrennz"], ";");
    EXPECT_EQ(j["Trennzeichen"], "|");
    EXPECT_EQ(j["TempDir"], "/var/tmp/kassotek/");
    EXPECT_EQ(j["MarkFilmList"], false);
    EXPECT_EQ(j["ColArrange"][4]["Header"], "Genre ü");
    EXPECT_EQ(j["ColArrange"][16]["Show"], false);
    EXPECT_EQ(j["ColArrange"][16]["Pos"], -1);
    EXPECT_EQ(j["CategoryList"][0], (Json{{"Name", "Komödie"}, {"Selected", false}, {"Nr", 1}}));
    EXPECT_EQ(j["StorageMediaList"][6], (Json{{"Name", "Blu-ray"}, {"Selected", true}, {"Nr", 7}}));
    EXPECT_EQ(j["StorageMediaList"][7]["Selected"], false);
    EXPECT_EQ(j["RatingTexts"], (Json{"großartig", "gut", "mittel", "schwach", "übel"}));
    EXPECT_EQ(j["History"], (Json{"/home/jörg/Filme/Sammlung.VD6", "/home/jörg/Filme/Alt.VD5"}));
    EXPECT_EQ(j["DBGLOC"], (Json{12, -4}));
}

// Paths the program wrote on this platform are the file system's UTF-8 bytes; they are shown as
// they are, while a Windows file's paths are Windows-1252.
TEST(ToolSettings, PathsWrittenHereKeepTheirBytes) {
    kt::test::TempFolder dir;
    kt::test::WriteBytes(dir.file("k.INI"), "[COMMON]\r\nLastFile=/home/j\xC3\xB6rg/Filme.VD6\r\n"
                                            "[History]\r\n0=/home/j\xC3\xB6rg/Filme.VD6\r\n");
    const Json j = Settings(dir.file("k.INI"));
    EXPECT_EQ(j["LastFile"], "/home/jörg/Filme.VD6");
    EXPECT_EQ(j["History"], (Json{"/home/jörg/Filme.VD6"}));
}

// No bytes in a path may stop the tool: what is no UTF-8 (a UTF-16 surrogate, an overlong form, a
// Windows-1252 umlaut, a cut sequence) is shown as Windows-1252 characters, the rest as it is.
TEST(ToolSettings, PathsThatAreNoUtf8) {
    struct Case {
        const char* bytes;
        const char* shown;
    };
    const Case cases[] = {
        {"/daten/\xed\xa0\x80.VD6", "/daten/í\u00a0€.VD6"},
        {"/d\xc3\xbcsseldorf/\xed\xbf\xbf.VD6", "/düsseldorf/í¿¿.VD6"},
        {"/\xc0\xaf\xe0\x80\xaf.VD6", "/À¯à€¯.VD6"},
        {"/\xf4\x90\x80\x80.VD6", "/ô\u0090€€.VD6"},
        {"/j\xf6rg/\xe2\x82", "/jörg/â‚"},
        {"/\xf0\x9f\x8e\xac.VD6", "/🎬.VD6"},
    };
    TempFolder dir;
    const std::string ini = dir.file("k.INI");
    for (const auto& k : cases) {
        const std::string path = k.bytes;
        WriteBytes(ini, "[COMMON]\r\nLastFile=" + path + "\r\nTempDir=" + path + "\r\nOpenFileAtStart=1\r\n" +
                            "[History]\r\n0=" + path + "\r\n");
        const auto r = RunTool({"settings", "--config", ini, "--write"});
        ASSERT_EQ(r.code, 0) << path << r.err;
        const Json j = Json::parse(r.out);
        EXPECT_EQ(j["LastFile"], k.shown) << path;
        EXPECT_EQ(j["TempDir"], std::string(k.shown) + "/") << path;
        EXPECT_EQ(j["History"], Json{k.shown}) << path;
        // The file keeps the bytes as they were.
        EXPECT_NE(ReadBytes(ini).find("LastFile=" + path + "\r\n"), std::string::npos) << path;
        EXPECT_NE(ReadBytes(ini).find("[History]\r\n0=" + path + "\r\n"), std::string::npos) << path;
    }
}

TEST(ToolSettings, WriteKeepsTheHandMadeFile) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    const std::string original = ReadBytes(HandMade);
    WriteBytes(ini, original);
    const Json first = Settings(ini, {"--write"});
    const std::string written = ReadBytes(ini);
    EXPECT_GT(written.size(), original.size());
    // Unknown sections and keys keep their Windows-1252 bytes and their places.
    EXPECT_TRUE(
        written.starts_with("; Kassotek-Einstellungen, von Hand bearbeitet\r\n[common]\r\nsortlength=30\r\n"
                            "SaveDir=0\r\nLastFile=/home/j\xf6rg/Filme/Sammlung.VD6\r\n"));
    EXPECT_NE(written.find("FilmSort = 3\r\n"), std::string::npos);
    EXPECT_NE(written.find("EigenerSchl\xfcssel=Wert mit \xc4 und \x80\r\nMarkFilmList=0\r\n"),
              std::string::npos);
    EXPECT_NE(written.find("\r\n\r\n[Fenster]\r\nLinks=10\r\nOben=20\r\nTitel=Gr\xf6\xdf"
                           "e \x93gro\xdf\x94\r\n\r\n"
                           "[ImpExp]\r\n"),
              std::string::npos);
    EXPECT_NE(written.find("[WertungStrings]\r\nW0=gro\xdf"
                           "artig\r\n"),
              std::string::npos);
    EXPECT_EQ(written.find("\n\n"), std::string::npos); // every line break stays CR LF
    EXPECT_EQ(written.find("\r\r"), std::string::npos);

    const Json again = Settings(ini);
    EXPECT_EQ(again, first);
    Settings(ini, {"--write"});
    EXPECT_EQ(ReadBytes(ini), written);
}

TEST(ToolSettings, WriteClearsLastFileAndTakesFirstStartAway) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    WriteBytes(ini, "[COMMON]\nLastFile=/a.VD6\nFirstStart=1\nOpenFileAtStart=0\n");
    const Json j = Settings(ini, {"--write"});
    EXPECT_EQ(j["LastFile"], "/a.VD6"); // as read
    EXPECT_EQ(j["FirstStart"], true);
    const std::string text = ReadBytes(ini);
    EXPECT_TRUE(text.starts_with("[COMMON]\nLastFile=\nOpenFileAtStart=0\nSortLength=25\n")) << text;
    EXPECT_EQ(text.find("FirstStart"), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos); // the file's own line breaks
    EXPECT_EQ(Settings(ini)["FirstStart"], false);
}

TEST(ToolSettings, ProgramFolderFileWithoutConfig) {
    TempFolder dir;
    WriteBytes(dir.file("Kassotek.INI"), "[COMMON]\r\nSortLength=12\r\n");
    const auto r = RunTool({"settings"}, {"KASSOTEK_PROGRAM_DIR=" + dir.path()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Json::parse(r.out)["SortLength"], 12);
}

TEST(ToolSettings, UserFolderWhenTheProgramFolderIsReadOnly) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write everywhere";
    TempFolder dir;
    const std::string prog = dir.file("bin");
    std::filesystem::create_directory(prog);
    std::filesystem::copy_file(KT_TOOL, prog + "/kassotek-tool");
    std::filesystem::create_directories(dir.file("config/kassotek"));
    WriteBytes(dir.file("config/kassotek/Kassotek.INI"), "[COMMON]\r\nSortLength=77\r\n");
    ::chmod(prog.c_str(), 0555);
    const std::string cmd =
        "env -u KASSOTEK_PROGRAM_DIR XDG_CONFIG_HOME=" + kt::test::ShellQuoted(dir.file("config")) + " " +
        kt::test::ShellQuoted(prog + "/kassotek-tool") + " settings --write >" +
        kt::test::ShellQuoted(dir.file("out")) + " 2>&1";
    const int status = std::system(cmd.c_str());
    ::chmod(prog.c_str(), 0755);
    ASSERT_EQ(status, 0) << ReadBytes(dir.file("out"));
    EXPECT_EQ(Json::parse(ReadBytes(dir.file("out")))["SortLength"], 77);
    EXPECT_FALSE(std::filesystem::exists(prog + "/Kassotek.INI"));
    EXPECT_NE(ReadBytes(dir.file("config/kassotek/Kassotek.INI")).find("SaveDir=1"), std::string::npos);
}

TEST(ToolSettings, Errors) {
    TempFolder dir;
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{"settings", "--bogus"}, 2, "Unbekannte Option --bogus"},
        {{"settings", "--config"}, 2, "braucht einen Wert"},
        {{"settings", "--config", ""}, 2, "braucht einen Dateinamen"},
        {{"settings", "übrig"}, 2, "Unerwartetes Argument \"übrig\""},
        {{"settings", "--config", dir.path()}, 1, "nicht lesen"},
        {{"settings", "--config", dir.file("fehlt/Kassotek.INI"), "--write"}, 1, "nicht schreiben"},
    };
    for (const auto& k : cases) {
        const auto r = RunTool(k.args);
        EXPECT_EQ(r.code, k.code) << k.message;
        EXPECT_NE(r.err.find(k.message), std::string::npos) << r.err;
    }
    if (::geteuid() != 0) {
        const std::string ini = dir.file("Kassotek.INI");
        WriteBytes(ini, "[COMMON]\r\nSortLength=12\r\n");
        ::chmod(ini.c_str(), 0);
        const auto r = RunTool({"settings", "--config", ini, "--write"});
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find("nicht lesen"), std::string::npos);
        ::chmod(ini.c_str(), 0600);
        EXPECT_EQ(ReadBytes(ini), "[COMMON]\r\nSortLength=12\r\n");
    }
}
