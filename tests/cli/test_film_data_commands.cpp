#include "../core/persist_support.h"
#include "run_tool.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

using kt::test::ReadBytes;
using kt::test::RunTool;
using kt::test::SampleFile;
using kt::test::TempFolder;
using nlohmann::json;

namespace {

const std::string SampleJson = std::string(KT_TEST_DATA) + "/sample/Sammlung.json";

// The sample collection's files copied into `dir` under the name Sammlung with extension `ext`.
std::string CopySample(const TempFolder& dir, const std::string& ext) {
    for (const char* companion : {".CDT", ".LNA", ".LAD"})
        kt::test::WriteBytes(dir.file(std::string("Sammlung") + companion), ReadBytes(SampleFile(companion)));
    const std::string file = dir.file("Sammlung" + ext);
    kt::test::WriteBytes(file, ReadBytes(SampleFile(ext)));
    return file;
}

} // namespace

TEST(ToolDump, PrintsEveryFieldOfTheCollection) {
    TempFolder dir;
    const auto r = RunTool({"dump", CopySample(dir, ".VD6")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const json doc = json::parse(r.out);
    EXPECT_EQ(doc["dataVersion"], "2.6");

    const std::vector<std::string> keys = {
        "ProdYear",  "FilmLength",  "FilmNr",      "CasNr",         "PosOnCas",      "Category",
        "Country",   "TwoChannel",  "Commercials", "CatalogCard",   "Rating",        "RecDate",
        "NetLength", "StorageType", "LendStatus",  "AnzDiscs",      "FilmName",      "Stars",
        "Director",  "Content",     "Remark",      "LentTo",        "LenderAddress", "Languages",
        "AnzPics",   "Pics",        "SoundFormat", "PictureFormat", "DvdRegion",     "Fsk"};
    const auto ordered = nlohmann::ordered_json::parse(r.out);
    std::vector<std::string> got;
    for (const auto& [k, v] : ordered["films"][0].items())
        got.push_back(k);
    EXPECT_EQ(got, keys);

    // Everything the document given to "create" says is what the file holds.
    std::ifstream in(SampleJson);
    const json source = json::parse(in);
    ASSERT_EQ(doc["films"].size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        for (const auto& [k, v] : source["films"][i].items()) {
            if (k == "Pics")
                continue;
            EXPECT_EQ(doc["films"][i][k], v) << "film " << i << " " << k;
        }
    }
    const json& pics = doc["films"][0]["Pics"];
    EXPECT_EQ(doc["films"][0]["AnzPics"], 2);
    EXPECT_EQ(pics[0],
              json({{"PicSize", 91},
                    {"PicFlags", 129},
                    {"PicText", "Titelbild"},
                    {"PicDataSha256", "ab478763594048f697701820ef28daac14a3e792176b4b430ac20f55c4b7ef3a"}}));
    EXPECT_EQ(pics[1]["PicDataSha256"], "");
    EXPECT_EQ(pics[1]["PicText"], "/home/film/bilder/Szene ä.bmp");
    EXPECT_TRUE(doc["films"][0]["TwoChannel"].is_boolean());
    EXPECT_TRUE(doc["films"][0]["RecDate"].is_number());
    EXPECT_EQ(doc["cassettes"], source["cassettes"]);
    EXPECT_EQ(doc["LenderNames"], json({"Anna Schäfer", "Jürgen Müller"}));
    EXPECT_EQ(doc["LenderAddresses"], json({"Ringweg 1\r\n10115 Berlin", "Hauptstraße 5\r\n50667 Köln"}));
    EXPECT_EQ(doc["CategoryList"], json({"Drama", "Komödie"}));
}

TEST(ToolDump, TheVersionQuestionIsAnsweredNoUnlessYesIsGiven) {
    TempFolder dir;
    const std::string file = CopySample(dir, ".VD4");
    auto r = RunTool({"dump", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(
        r.err.find("Frage: Programmversion (2.6) entspricht nicht der eingestellten Datenversion (2.4)!"),
        std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("Die Daten aus " + file + " wurden nicht geladen."), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Fehlernr."), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");

    r = RunTool({"dump", file, "--yes"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(json::parse(r.out)["dataVersion"], "2.4");
}

TEST(ToolDump, TheVersionComesFromTheNameOrFromAsVersion) {
    TempFolder dir;
    kt::test::WriteBytes(dir.file("alt.bin"), ReadBytes(SampleFile(".VD2")));
    auto r = RunTool({"dump", dir.file("alt.bin"), "--yes"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Die Cassetten-Daten-Datei"), std::string::npos) << "the warning goes to stderr";
    EXPECT_NE(r.err.find("Konnte Dateiformat NICHT erkennen!"), std::string::npos) << r.err;

    r = RunTool({"dump", dir.file("alt.bin"), "--as-version", "2", "--yes"});
    ASSERT_EQ(r.code, 0) << r.err;
    const json doc = json::parse(r.out);
    EXPECT_EQ(doc["dataVersion"], "2.2");
    EXPECT_EQ(doc["films"][0]["Country"], "Deut");
    EXPECT_EQ(doc["films"][0]["AnzPics"], 0);

    r = RunTool({"dump", dir.file("fehlt.VD6")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Fehler beim Laden: Datei " + dir.file("fehlt.VD6") + " nicht gefunden!"),
              std::string::npos);
    EXPECT_EQ(RunTool({"dump", dir.file("alt.bin"), "--as-version", "9"}).code, 2);
    EXPECT_EQ(RunTool({"dump"}).code, 2);
}

TEST(ToolConvert, WritesTheVersionOfTheOutputNameWithItsCompanions) {
    TempFolder dir;
    const std::string in = CopySample(dir, ".VD6");
    const struct {
        const char* ext;
        bool questions;
    } cases[] = {{".VD4", true}, {".VDT", true}, {".VD6", false}};
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.ext);
        TempFolder out;
        const auto r = RunTool({"convert", in, out.file(std::string("Neu") + tc.ext)});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err.find("übertragen werden?") != std::string::npos, tc.questions) << r.err;
        EXPECT_EQ(ReadBytes(out.file(std::string("Neu") + tc.ext)), ReadBytes(SampleFile(tc.ext)));
        EXPECT_EQ(ReadBytes(out.file("Neu.CDT")), ReadBytes(SampleFile(".CDT")));
        // the borrower merged by the load is written with the others
        EXPECT_EQ(ReadBytes(out.file("Neu.LNA")), "Anna Sch\xE4"
                                                  "fer\r\nJ\xFCrgen M\xFCller\r\n");
    }
}

TEST(ToolConvert, RefusalsGiveExitOneWithTheReason) {
    TempFolder dir;
    const std::string in = CopySample(dir, ".VD6");
    kt::test::WriteBytes(dir.file("da.VD5"), "alt");
    auto r = RunTool({"convert", in, dir.file("da.VD5")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Eine Datei dieses Formats besteht offensichtlich schon!"), std::string::npos)
        << r.err;
    EXPECT_EQ(ReadBytes(dir.file("da.VD5")), "alt");

    r = RunTool({"convert", in, dir.file("x.txt")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("enthält nicht den Standardsuffix \"VDx\"!"), std::string::npos) << r.err;

    r = RunTool({"convert", in, dir.file("fehlt/x.VD6")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Fehler beim Speichern der Daten in " + dir.file("fehlt/x.VD6")), std::string::npos)
        << r.err;
}

TEST(ToolCreate, BuildsTheSampleFilesFromTheirDocument) {
    TempFolder dir;
    auto r = RunTool({"create", SampleJson, dir.file("Sammlung.VD6")});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* ext : {".VD6", ".CDT", ".LNA", ".LAD"})
        EXPECT_EQ(ReadBytes(dir.file(std::string("Sammlung") + ext)), ReadBytes(SampleFile(ext))) << ext;

    kt::test::WriteBytes(dir.file("kaputt.json"), "{\"films\": [ {\"FilmName\": 7} ]}");
    r = RunTool({"create", dir.file("kaputt.json"), dir.file("k.VD6")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Fehler in der JSON-Datei"), std::string::npos);
    kt::test::WriteBytes(dir.file("bild.json"), "{\"films\": [ {\"Pics\": [{\"PicDataBase64\": \"*\"}]} ]}");
    EXPECT_EQ(RunTool({"create", dir.file("bild.json"), dir.file("k.VD6")}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("k.VD6")));
}

TEST(ToolDump, AnUnknownFormatSaysSoWithoutAnErrorNumber) {
    TempFolder dir;
    const std::string file = dir.file("zufall.VD6");
    kt::test::WriteBytes(file, std::string(300, '\x7f'));
    const auto r = RunTool({"dump", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Konnte Dateiformat NICHT erkennen!"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Die Daten aus " + file + " wurden nicht geladen."), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Fehlernr."), std::string::npos) << r.err;
}
