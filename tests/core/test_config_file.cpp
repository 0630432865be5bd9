#include "env_guard.h"
#include "settings/config_file.h"
#include "settings/ini_file.h"
#include "settings/program_paths.h"
#include "temp_folder.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace kt;
using namespace kt::literals;
using kt::test::EnvGuard;
using kt::test::ReadBytes;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

// What the program holds when it reads the configuration: the defaults, with the two trace
// values that the main window's creation sets.
struct Config {
    Settings s;
    Collection data;
    ColArrange columns;
    TraceLog trace;

    Config() {
        s.TempDir = "/tmp/";
        trace.WriteMasterAlways = 2;
        trace.MasterStoreLevel = 1;
    }
    bool read(const std::string& path) { return ReadConfiguration(path, s, data, columns, trace); }
    bool write(const std::string& path) const { return WriteConfiguration(path, s, data, columns, trace); }

    // Every value the configuration holds, for comparing two reads.
    std::string dump() const {
        std::ostringstream o;
        o << +s.SortLength << s.SaveDir << s.SaveOption << '|' << data.CurrentDataFile << '|'
          << s.OpenFileAtStart << s.CreateBakOnFOpen << +s.FilmSort << +s.MinimizeTarget << ' '
          << trace.WriteMasterAlways << ' ' << +trace.MasterStoreLevel << ' ' << s.LastStorageType << ' '
          << s.StorageTypeShow << s.ShowAllMsg << s.CenterFilmTitel << ' ' << s.ImportKopfzeilen
          << s.ImportTrennz << +s.SuggestPosOnCas << +s.CasSubSort << s.ShowFirstPicAutomatically << '|'
          << s.TempDir << '|' << s.MinimizeConfirm << s.MarkFilmList << s.ImportHinweis << ' '
          << s.FirstCol2Read << ' ' << s.AnzCols2Read << ' ' << s.FirstRow2Read << ' ' << s.AnzRows2Read
          << s.Trennzeichen << '\n';
        for (const auto& e : columns.Entry)
            o << e.Header << '|' << e.Pos << '|' << e.Width << '|' << e.Show << '|' << e.EditLabel << '|'
              << e.ImportPos << '\n';
        for (const auto& l : {data.CategoryList, data.StorageMediaList})
            for (const auto& e : l)
                o << e.Name << '|' << e.Selected << '|' << e.Nr << '\n';
        for (const auto& l : {data.RatingTexts, s.History})
            for (const auto& e : l)
                o << e << '\n';
        for (int v : trace.Locations)
            o << v << ' ';
        return o.str();
    }
};

std::string Section(const std::string& name, const std::string& body) {
    return "[" + name + "]\r\n" + body;
}

} // namespace

TEST(Configuration, NoFileGivesDefaultsAndAFullFile) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    Config c;
    const std::string defaults = Config().dump();
    ASSERT_TRUE(c.read(ini));
    EXPECT_EQ(c.dump(), defaults);
    EXPECT_FALSE(FileExists(ini)); // reading creates nothing

    c.data.CurrentDataFile = "/daten/Filme.VD6"; // not kept: OpenFileAtStart is off
    ASSERT_TRUE(c.write(ini));
    const std::string text = ReadBytes(ini);
    const std::string head =
        "[COMMON]\r\nSortLength=25\r\nSaveDir=1\r\nLastFile=\r\nSaveOption=0\r\n"
        "OpenFileAtStart=0\r\nCreateBakOnFOpen=1\r\nFilmSort=0\r\nMinimizeTarget=0\r\n"
        "WriteMasterAlways=2\r\nMasterStoreLevel=1\r\nMarkFilmList=1\r\nLastStorageType=0\r\n"
        "StorageTypeShow=63\r\nShowAllMsg=1\r\nCenterFilmTitel=0\r\nImportKopfzeilen=0\r\n"
        "ImportTrennz=$\r\nSuggestPosOnCas=0\r\nCasSubSort=0\r\nShowFirstPicAutomatically=0\r\n"
        "TempDir=/tmp/\r\nMinimizeConfirm=1\r\nImportHinweis=0\r\n"
        "[ImpExp]\r\nFirstCol2Read=1\r\nAnzCols2Read=0\r\nFirstRow2Read=1\r\nAnzRows2Read=0\r\n"
        "Trennzeichen=$\r\n[Zellenanordnung]\r\n0=0\r\n1=1\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    std::size_t at = 0;
    for (const char* section :
         {"[Zellenanordnung]", "[Spaltentitel]", "[FEdBez]", "[Zellenbreite]", "[ImportPos]", "[Zeigen]"}) {
        const auto p = text.find(section);
        ASSERT_NE(p, std::string::npos) << section;
        EXPECT_GT(p, at) << section;
        at = p;
    }
    EXPECT_NE(text.find("[Spaltentitel]\r\n0=Filmtitel\r\n1=L\xe4nge\r\n"), std::string::npos);
    EXPECT_NE(text.find("[FEdBez]\r\n0=Film&name:\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Zellenbreite]\r\n0=280\r\n"), std::string::npos);
    EXPECT_TRUE(
        text.ends_with("[Zeigen]\r\n0=1\r\n1=1\r\n2=1\r\n3=1\r\n4=1\r\n5=1\r\n6=1\r\n7=1\r\n8=1\r\n9=1\r\n"
                       "10=1\r\n11=1\r\n12=1\r\n13=1\r\n14=1\r\n15=1\r\n16=1\r\n17=1\r\n18=1\r\n19=1\r\n"
                       "20=1\r\n21=1\r\n22=1\r\n23=1\r\n24=1\r\n"));
    for (const char* absent : {"KATEGORIEN", "ZusaetzlicheSpeichermedien", "History", "DBGLOC", "FirstStart",
                               "WertungStrings", "LastFile=/"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;

    Config again;
    ASSERT_TRUE(again.read(ini));
    EXPECT_EQ(again.dump(), defaults);
}

TEST(Configuration, EveryKeyWithItsType) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    WriteBytes(
        ini,
        Section("COMMON", "SortLength=40\r\nSaveDir=0\r\nSaveOption=1\r\nLastFile=/d/B\xfc"
                          "cher.VD6\r\n"
                          "OpenFileAtStart=7\r\nCreateBakOnFOpen=0\r\nFilmSort=6\r\nMinimizeTarget=2\r\n"
                          "WriteMasterAlways=129\r\nMasterStoreLevel=-5\r\nLastStorageType=64\r\n"
                          "StorageTypeShow=-1\r\nShowAllMsg=0\r\nCenterFilmTitel=-1\r\n"
                          "ImportKopfzeilen=3\r\nImportTrennz=;x\r\nSuggestPosOnCas=2\r\nCasSubSort=1\r\n"
                          "ShowFirstPicAutomatically=1\r\nTempDir=/var/tmp\r\nMinimizeConfirm=0\r\n"
                          "MarkFilmList=0\r\nImportHinweis=1\r\n") +
            Section("ImpExp", "FirstCol2Read=0\r\nAnzCols2Read=12\r\nFirstRow2Read=-1\r\n"
                              "AnzRows2Read=500\r\nTrennzeichen=\xa7\r\n") +
            Section("Zellenanordnung", "0=3\r\n24=-1\r\n") + Section("Spaltentitel", "4=Genre \xfc\r\n") +
            Section("FEdBez", "0=&Titel:\r\n") + Section("ImportPos", "0=1\r\n5=2\r\n") +
            Section("Zellenbreite", "3=0\r\n4=-7\r\n5=77\r\n") + Section("Zeigen", "24=0\r\n6=x\r\n"));
    Config c;
    ASSERT_TRUE(c.read(ini));
    const Settings& s = c.s;
    EXPECT_EQ(s.SortLength, 40);
    EXPECT_FALSE(s.SaveDir);
    EXPECT_TRUE(s.SaveOption);
    EXPECT_EQ(c.data.CurrentDataFile, "/d/B\xfc"
                                      "cher.VD6");
    EXPECT_TRUE(s.OpenFileAtStart); // any non-zero integer is true
    EXPECT_FALSE(s.CreateBakOnFOpen);
    EXPECT_EQ(s.FilmSort, 6);
    EXPECT_EQ(s.MinimizeTarget, 2);
    EXPECT_EQ(c.trace.WriteMasterAlways, 129);
    EXPECT_EQ(c.trace.MasterStoreLevel, -5);
    EXPECT_EQ(s.LastStorageType, 64);
    EXPECT_EQ(s.StorageTypeShow, -1);
    EXPECT_FALSE(s.ShowAllMsg);
    EXPECT_TRUE(s.CenterFilmTitel);
    EXPECT_EQ(s.ImportKopfzeilen, 3);
    EXPECT_EQ(s.ImportTrennz, ';'); // the first character
    EXPECT_EQ(s.SuggestPosOnCas, 2);
    EXPECT_EQ(s.CasSubSort, 1);
    EXPECT_TRUE(s.ShowFirstPicAutomatically);
    EXPECT_EQ(s.TempDir, "/var/tmp/");
    EXPECT_FALSE(s.MinimizeConfirm);
    EXPECT_FALSE(s.MarkFilmList);
    EXPECT_TRUE(s.ImportHinweis);
    EXPECT_FALSE(s.FirstStart);
    EXPECT_EQ(s.FirstCol2Read, 0);
    EXPECT_EQ(s.AnzCols2Read, 12);
    EXPECT_EQ(s.FirstRow2Read, -1);
    EXPECT_EQ(s.AnzRows2Read, 500);
    EXPECT_EQ(s.Trennzeichen, '\xa7');
    EXPECT_EQ(c.columns[0].Pos, 3);
    EXPECT_EQ(c.columns[24].Pos, -1);
    EXPECT_EQ(c.columns[4].Header, "Genre \xfc");
    EXPECT_EQ(c.columns[0].EditLabel, "&Titel:");
    EXPECT_EQ(c.columns[0].ImportPos, 1);
    EXPECT_EQ(c.columns[5].ImportPos, 2);
    EXPECT_EQ(c.columns[3].Width, 39); // 0 keeps the built-in width
    EXPECT_EQ(c.columns[4].Width, 152);
    EXPECT_EQ(c.columns[5].Width, 77);
    EXPECT_FALSE(c.columns[24].Show);
    EXPECT_TRUE(c.columns[6].Show);
    EXPECT_EQ(c.columns[1].Header, "L\xe4nge");

    // Written and read again, every value comes back.
    ASSERT_TRUE(c.write(ini));
    Config back;
    ASSERT_TRUE(back.read(ini));
    EXPECT_EQ(back.dump(), c.dump());
}

TEST(Configuration, ValuesThatDoNotFitKeepTheirDefaults) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    auto readCommon = [&](const std::string& line) {
        WriteBytes(ini, Section("COMMON", line + "\r\n") + Section("ImpExp", line + "\r\n"));
        Config c;
        EXPECT_TRUE(c.read(ini));
        return c;
    };
    struct ByteCase {
        const char* line;
        int sortLength, filmSort, minimize, suggest, casSub;
    };
    const ByteCase bytes[] = {
        {"SortLength=-1", 25, 0, 0, 0, 0},       {"SortLength=256", 25, 0, 0, 0, 0},
        {"SortLength=255", 255, 0, 0, 0, 0},     {"SortLength=0", 0, 0, 0, 0, 0},
        {"SortLength=1e2", 25, 0, 0, 0, 0},      {"SortLength=", 25, 0, 0, 0, 0},
        {"FilmSort=300", 25, 0, 0, 0, 0},        {"FilmSort=-6", 25, 0, 0, 0, 0},
        {"MinimizeTarget=-2", 25, 0, 0, 0, 0},   {"MinimizeTarget=1", 25, 0, 1, 0, 0},
        {"SuggestPosOnCas=256", 25, 0, 0, 0, 0}, {"CasSubSort=x", 25, 0, 0, 0, 0},
        {"CasSubSort= 1 ", 25, 0, 0, 0, 1},
    };
    for (const auto& k : bytes) {
        const Config c = readCommon(k.line);
        EXPECT_EQ(c.s.SortLength, k.sortLength) << k.line;
        EXPECT_EQ(c.s.FilmSort, k.filmSort) << k.line;
        EXPECT_EQ(c.s.MinimizeTarget, k.minimize) << k.line;
        EXPECT_EQ(c.s.SuggestPosOnCas, k.suggest) << k.line;
        EXPECT_EQ(c.s.CasSubSort, k.casSub) << k.line;
    }
    const std::pair<const char*, int> levels[] = {{"128", 1},  {"-129", 1}, {"127", 127}, {"-128", -128},
                                                  {"254", -2}, {"-2", -2},  {"255", 1},   {"x", 1}};
    for (const auto& [value, level] : levels)
        EXPECT_EQ(readCommon(std::string("MasterStoreLevel=") + value).trace.MasterStoreLevel, level)
            << value;
    const std::pair<const char*, int> modes[] = {{"2147483647", 2147483647},
                                                 {"-2147483648", -2147483647 - 1},
                                                 {"2147483648", 2},
                                                 {"1.0", 2},
                                                 {"-1", -1}};
    for (const auto& [value, mode] : modes)
        EXPECT_EQ(readCommon(std::string("WriteMasterAlways=") + value).trace.WriteMasterAlways, mode)
            << value;
    const std::pair<const char*, bool> flags[] = {{"0", false},  {"1", true}, {"-1", true},   {"2", true},
                                                  {"ja", false}, {"", false}, {"0x1", false}, {"1,0", false}};
    for (const auto& [value, flag] : flags)
        EXPECT_EQ(readCommon(std::string("CenterFilmTitel=") + value).s.CenterFilmTitel, flag) << value;
    const std::pair<const char*, char> separators[] = {{"ImportTrennz=", '$'},
                                                       {"ImportTrennz=  ", '$'},
                                                       {"ImportTrennz=\" \"", ' '},
                                                       {"ImportTrennz=##", '#'}};
    for (const auto& [line, sep] : separators)
        EXPECT_EQ(readCommon(line).s.ImportTrennz, sep) << line;
    EXPECT_EQ(readCommon("Trennzeichen=").s.Trennzeichen, '$');
    EXPECT_EQ(readCommon("Trennzeichen=\t").s.Trennzeichen, '$');
    EXPECT_EQ(readCommon("Trennzeichen=,").s.Trennzeichen, ',');
    EXPECT_EQ(readCommon("TempDir=").s.TempDir, "/tmp/");
    EXPECT_EQ(readCommon("TempDir=   ").s.TempDir, "/tmp/");
    EXPECT_EQ(readCommon("LastFile=").data.CurrentDataFile, "");
}

TEST(Configuration, FirstStartActsOnce) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    const std::string before =
        "[Fremd]\r\nx=1\r\n[COMMON]\r\nSortLength=30\r\nFirstStart=1\r\nShowAllMsg=0\r\n";
    WriteBytes(ini, before);
    Config first;
    ASSERT_TRUE(first.read(ini));
    EXPECT_TRUE(first.s.FirstStart);
    EXPECT_EQ(ReadBytes(ini),
              "[Fremd]\r\nx=1\r\n[COMMON]\r\nSortLength=30\r\nShowAllMsg=0\r\n"); // gone at once

    Config second;
    ASSERT_TRUE(second.read(ini));
    EXPECT_FALSE(second.s.FirstStart);

    // The flag is never written, and a false one stays in the file as it was.
    first.s.FirstStart = true;
    ASSERT_TRUE(first.write(ini));
    EXPECT_EQ(ReadBytes(ini).find("FirstStart"), std::string::npos);
    WriteBytes(ini, "[COMMON]\r\nFirstStart=0\r\n");
    Config third;
    ASSERT_TRUE(third.read(ini));
    EXPECT_FALSE(third.s.FirstStart);
    EXPECT_EQ(ReadBytes(ini), "[COMMON]\r\nFirstStart=0\r\n");
}

TEST(Configuration, RatingTextsNeedFiveUsableLines) {
    const TWertung builtIn = Collection().RatingTexts;
    struct Case {
        const char* body;
        TWertung expected;
    };
    const Case cases[] = {
        {"a=eins\r\nb=zwei\r\nc=drei\r\nd=vier\r\n", builtIn},
        {"a=eins\r\nb=zwei\r\nc=drei\r\nd=vier\r\ne= \r\n", builtIn},
        {"a=eins\r\nb=zwei\r\nc=drei\r\nd=vier\r\nohne\r\n;e=f\r\n", builtIn},
        {"a=eins\r\nb=zwei\r\n\r\nc=drei\r\nd=\r\ne=vier\r\nf=f\xfcnf\r\n",
         {"eins", "zwei", "drei", "vier", "f\xfcnf"}},
        {"x=\"nett\"\r\nx=b\r\nx=c\r\nx=d\r\nx=e\r\n", {"nett", "b", "c", "d", "e"}}, // keys may repeat
        {"a=1\r\nb=2\r\nc=3\r\nd=4\r\ne=5\r\nf=6\r\ng=7\r\nh=8\r\n",
         {"1", "2", "3", "4", "5", "6", "7", "8"}},
    };
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    for (const auto& k : cases) {
        WriteBytes(ini, Section("WertungStrings", k.body));
        Config c;
        ASSERT_TRUE(c.read(ini));
        EXPECT_EQ(c.data.RatingTexts, k.expected) << k.body;
        ASSERT_TRUE(c.write(ini));
        EXPECT_TRUE(ReadBytes(ini).starts_with(Section("WertungStrings", k.body))); // never written
    }
}

TEST(Configuration, StorageMediaAndTheirSelection) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    WriteBytes(ini, Section("COMMON", "StorageTypeShow=5\r\n"));
    Config c;
    ASSERT_TRUE(c.read(ini));
    std::vector<bool> selected;
    for (const auto& m : c.data.StorageMediaList)
        selected.push_back(m.Selected);
    EXPECT_EQ(selected, (std::vector<bool>{true, false, true, false, false, false}));

    WriteBytes(ini, Section("COMMON", "StorageTypeShow=192\r\n") +
                        Section("ZusaetzlicheSpeichermedien", "ZSM0=Blu-ray\r\nZSM1=Festplatte\r\n"));
    Config d;
    ASSERT_TRUE(d.read(ini));
    ASSERT_EQ(d.data.StorageMediaList.size(), 8u);
    EXPECT_EQ(d.data.StorageMediaList[6], (TSelectableStr{"Blu-ray", true, 7}));
    EXPECT_EQ(d.data.StorageMediaList[7], (TSelectableStr{"Festplatte", true, 8}));
    EXPECT_FALSE(d.data.StorageMediaList[0].Selected);

    d.data.StorageMediaList.push_back({"Cloud", true, 9});
    ASSERT_TRUE(d.write(ini));
    const std::string text = ReadBytes(ini);
    EXPECT_NE(text.find("[ZusaetzlicheSpeichermedien]\r\nZSM0=Blu-ray\r\nZSM1=Festplatte\r\nZSM2=Cloud\r\n"),
              std::string::npos);
    Config e;
    ASSERT_TRUE(e.read(ini));
    EXPECT_EQ(e.data.StorageMediaList.size(), 9u);
    EXPECT_FALSE(e.data.StorageMediaList[8].Selected); // bit 8 is not in the mask
}

// Only 32 media have a storage-type bit: more added media in the file are left out.
TEST(Configuration, AtMostThirtyTwoMedia) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    std::string added;
    for (int i = 0; i < 30; ++i)
        added += "ZSM" + std::to_string(i) + "=Medium " + std::to_string(i) + "\r\n";
    WriteBytes(ini,
               Section("COMMON", "StorageTypeShow=-1\r\n") + Section("ZusaetzlicheSpeichermedien", added));
    Config c;
    ASSERT_TRUE(c.read(ini));
    ASSERT_EQ(c.data.StorageMediaList.size(), 32u);
    EXPECT_EQ(c.data.StorageMediaList[31], (TSelectableStr{"Medium 25", true, 32}));
    // Those left out stay in the file; they are no part of the list that is written.
    c.data.StorageMediaList[6].Name = "Blu-ray";
    ASSERT_TRUE(c.write(ini));
    const std::string written = ReadBytes(ini);
    EXPECT_NE(written.find("ZSM0=Blu-ray\r\nZSM1=Medium 1\r\n"), std::string::npos);
    EXPECT_NE(written.find("ZSM25=Medium 25\r\nZSM26=Medium 26\r\nZSM27=Medium 27\r\n"
                           "ZSM28=Medium 28\r\nZSM29=Medium 29\r\n[ImpExp]"),
              std::string::npos);
    Config back;
    ASSERT_TRUE(back.read(ini));
    EXPECT_EQ(back.dump(), c.dump());
}

TEST(Configuration, ApplyStorageTypeShowReachesThirtyTwoMedia) {
    Settings s;
    Collection c;
    for (int i = 7; i <= 34; ++i)
        c.StorageMediaList.push_back({"M" + std::to_string(i), true, i});
    s.StorageTypeShow = static_cast<int32_t>(0x80000001u);
    ApplyStorageTypeShow(s, c);
    EXPECT_TRUE(c.StorageMediaList[0].Selected);
    EXPECT_FALSE(c.StorageMediaList[1].Selected);
    EXPECT_FALSE(c.StorageMediaList[30].Selected);
    EXPECT_TRUE(c.StorageMediaList[31].Selected);
    EXPECT_TRUE(c.StorageMediaList[32].Selected); // beyond the mask: as it was
    c.StorageMediaList[33].Selected = false;
    ApplyStorageTypeShow(s, c);
    EXPECT_FALSE(c.StorageMediaList[33].Selected);
}

TEST(Configuration, CategoriesAsTheyStand) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    WriteBytes(ini, Section("KATEGORIEN", "Kategorie0=Krimi\r\nKategorie1=krimi\r\nKategorie2=\r\n"
                                          "Kategorie3=\"Krimi \"\r\nKategorie4=Kom\xf6"
                                          "die\r\n"
                                          "Kategorie5=Alt\r\n"));
    Config c;
    ASSERT_TRUE(c.read(ini));
    ASSERT_EQ(c.data.CategoryList.size(), 6u);
    EXPECT_EQ(c.data.CategoryList[1], (TSelectableStr{"krimi", false, 2}));
    EXPECT_EQ(c.data.CategoryList[2].Name, "");
    EXPECT_EQ(c.data.CategoryList[3].Name, "Krimi ");

    // The section is the list: a category the list no longer has does not come back.
    c.data.CategoryList.resize(5);
    c.data.CategoryList[0].Name = "Thriller";
    ASSERT_TRUE(c.write(ini));
    EXPECT_TRUE(ReadBytes(ini).starts_with(Section("KATEGORIEN", "Kategorie0=Thriller\r\nKategorie1=krimi\r\n"
                                                                 "Kategorie2=\r\nKategorie3=\"Krimi \"\r\n"
                                                                 "Kategorie4=Kom\xf6"
                                                                 "die\r\n[COMMON]")));
    Config d;
    ASSERT_TRUE(d.read(ini));
    ASSERT_EQ(d.data.CategoryList.size(), 5u);
    EXPECT_EQ(d.data.CategoryList[3].Name, "Krimi ");
}

TEST(Configuration, HistoryAndLocations) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    WriteBytes(ini, Section("History", "1=/b.VD6\r\n0=/a.VD6\r\n2=\r\n3=/d.VD5\r\n5=/zu-viel.VD6\r\n") +
                        Section("DBGLOC", "0=12\r\n1=3,7\r\n2=-2,9\r\n3=abc\r\n4= 1 2 \r\nohne\r\n6=1e12\r\n"
                                          "7=-2147483648\r\n"));
    Config c;
    ASSERT_TRUE(c.read(ini));
    EXPECT_EQ(c.s.History, (std::vector<std::string>{"/a.VD6", "/b.VD6", "/d.VD5"}));
    EXPECT_EQ(c.trace.Locations, (std::vector<int32_t>{12, 3, -2, 0, 12, 0, 0, -2147483647 - 1}));

    // Written back, both sections hold their lists numbered from 0 and nothing from before.
    c.s.History = {"/neu.VD6", "/a.VD6"};
    c.trace.Locations = {5, -1};
    ASSERT_TRUE(c.write(ini));
    EXPECT_TRUE(ReadBytes(ini).starts_with(Section("History", "0=/neu.VD6\r\n1=/a.VD6\r\n") +
                                           Section("DBGLOC", "0=5\r\n1=-1\r\n[COMMON]")));
    Config d;
    ASSERT_TRUE(d.read(ini));
    EXPECT_EQ(d.s.History, c.s.History);
    EXPECT_EQ(d.trace.Locations, c.trace.Locations);

    // Empty lists write nothing: the sections stay as they were.
    d.s.History.clear();
    d.trace.Locations.clear();
    const std::string before = ReadBytes(ini);
    ASSERT_TRUE(d.write(ini));
    EXPECT_EQ(ReadBytes(ini), before);
}

// Keys that are not numbered 0, 1, 2 ... were read into the list; written back, the section holds
// the list with the usual numbering, so no entry comes back twice. A line that already says the
// same stays as it was written, comments stay.
TEST(Configuration, ListSectionsAreWrittenAsTheirLists) {
    struct Case {
        const char* section;
        const char* body;
        const char* written;
    };
    const Case cases[] = {
        {"KATEGORIEN", "Kategorie0=Krimi\r\nKategorie2=Drama\r\nKategorie7=Western\r\n",
         "Kategorie0=Krimi\r\nKategorie1=Drama\r\nKategorie2=Western\r\n"},
        {"KATEGORIEN", "Kategorie1=Krimi\r\nKategorie0=Drama\r\n",
         "Kategorie0=Krimi\r\nKategorie1=Drama\r\n"},
        {"KATEGORIEN", "kategorie0=Krimi\r\n Kategorie1 = Drama \r\nKATEGORIE3=Western\r\n",
         "kategorie0=Krimi\r\n Kategorie1 = Drama \r\nKategorie2=Western\r\n"},
        {"KATEGORIEN", "; von Hand\r\nA=Krimi\r\nohne Wert\r\nKategorie0=Drama\r\n\r\n",
         "; von Hand\r\nKategorie0=Krimi\r\nKategorie1=\r\nKategorie2=Drama\r\n\r\n"},
        {"ZusaetzlicheSpeichermedien", "ZSM3=Blu-ray\r\nZSM1=Festplatte\r\nzsm1=Cloud\r\n",
         "ZSM0=Blu-ray\r\nZSM1=Festplatte\r\nZSM2=Cloud\r\n"},
        {"History", "1=/b.VD6\r\n3=/d.VD6\r\n", "0=/b.VD6\r\n1=/d.VD6\r\n"},
        {"History", "0=/a.VD6\r\nLetzte=/x.VD6\r\n7=/y.VD6\r\n", "0=/a.VD6\r\n"},
        {"DBGLOC", "5=1\r\n9=2\r\nx=3,5\r\n", "0=1\r\n1=2\r\n2=3\r\n"},
    };
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    for (const auto& k : cases) {
        const std::string tail = Section("Fremd", "Kategorie9=x\r\n");
        WriteBytes(ini, Section(k.section, k.body) + tail);
        Config c;
        ASSERT_TRUE(c.read(ini));
        ASSERT_TRUE(c.write(ini));
        const std::string written = ReadBytes(ini);
        EXPECT_NE(written.find(Section(k.section, k.written) + tail), std::string::npos) << k.body << written;
        Config back;
        ASSERT_TRUE(back.read(ini));
        EXPECT_EQ(back.dump(), c.dump()) << k.body;
        ASSERT_TRUE(back.write(ini));
        EXPECT_EQ(ReadBytes(ini), written) << k.body; // a second write changes nothing
    }
}

// Some editors end lines with a lone CR: it breaks the line like CR LF, and new keys take it too.
TEST(Configuration, LoneCarriageReturnBreaksLines) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    const std::string cases[] = {"[COMMON]\rFilmSort=2\rCasSubSort=1\r[ImpExp]\rTrennzeichen=|",
                                 "[COMMON]\r\nFilmSort=2\rCasSubSort=1\n[ImpExp]\r\nTrennzeichen=|\r\n"};
    for (const auto& text : cases) {
        WriteBytes(ini, text);
        Config c;
        ASSERT_TRUE(c.read(ini));
        EXPECT_EQ(c.s.FilmSort, 2) << text;
        EXPECT_EQ(c.s.CasSubSort, 1) << text;
        EXPECT_EQ(c.s.Trennzeichen, '|') << text;
        ASSERT_TRUE(c.write(ini));
        const std::string written = ReadBytes(ini);
        EXPECT_TRUE(written.starts_with(text.substr(0, text.find("CasSubSort=1") + 13))) << written;
        Config back;
        ASSERT_TRUE(back.read(ini));
        EXPECT_EQ(back.dump(), c.dump()) << text;
        ASSERT_TRUE(back.write(ini));
        EXPECT_EQ(ReadBytes(ini), written) << text;
    }
    const std::string written = ReadBytes(ini);
    EXPECT_EQ(written.find("\r\r"), std::string::npos);
    WriteBytes(ini, cases[0]);
    Config c;
    ASSERT_TRUE(c.read(ini));
    ASSERT_TRUE(c.write(ini));
    EXPECT_EQ(ReadBytes(ini).find('\n'), std::string::npos); // the file's own line break
}

TEST(Configuration, LastFileOnlyWhenReopened) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    WriteBytes(ini, Section("COMMON", "LastFile=/alt.VD6\r\nOpenFileAtStart=1\r\n"));
    Config c;
    ASSERT_TRUE(c.read(ini));
    EXPECT_EQ(c.data.CurrentDataFile, "/alt.VD6");
    c.data.CurrentDataFile = "/neu.VD6";
    ASSERT_TRUE(c.write(ini));
    EXPECT_TRUE(ReadBytes(ini).starts_with("[COMMON]\r\nLastFile=/neu.VD6\r\nOpenFileAtStart=1\r\n"));
    c.s.OpenFileAtStart = false;
    ASSERT_TRUE(c.write(ini));
    EXPECT_TRUE(ReadBytes(ini).starts_with("[COMMON]\r\nLastFile=\r\nOpenFileAtStart=0\r\n"));
}

TEST(Configuration, HandMadeFileSurvivesAWrite) {
    TempFolder dir;
    const std::string ini = dir.file("Kassotek.INI");
    const std::string original = ReadBytes(KT_TEST_DATA "/config/handmade.INI");
    ASSERT_FALSE(original.empty());
    WriteBytes(ini, original);
    Config c;
    ASSERT_TRUE(c.read(ini));
    EXPECT_EQ(c.s.SortLength, 30);
    EXPECT_EQ(c.s.FilmSort, 3);
    EXPECT_EQ(c.data.CurrentDataFile, "/home/j\xf6rg/Filme/Sammlung.VD6");
    EXPECT_EQ(c.s.ImportTrennz, ';');
    EXPECT_EQ(c.s.Trennzeichen, '|');
    EXPECT_EQ(c.s.FirstRow2Read, 2);
    EXPECT_EQ(c.columns[1].Header, "Dauer");
    EXPECT_EQ(c.columns[4].Header, "Genre \xfc");
    EXPECT_EQ(c.columns[1].Pos, 2);
    EXPECT_EQ(c.columns[0].Width, 300);
    EXPECT_EQ(c.columns[3].Width, 39);
    EXPECT_FALSE(c.columns[16].Show);
    EXPECT_EQ(c.data.CategoryList.size(), 3u);
    EXPECT_EQ(c.data.CategoryList[0].Name, "Kom\xf6"
                                           "die");
    ASSERT_EQ(c.data.StorageMediaList.size(), 8u);
    EXPECT_TRUE(c.data.StorageMediaList[6].Selected); // 69 = bits 0, 2 and 6
    EXPECT_FALSE(c.data.StorageMediaList[7].Selected);
    EXPECT_EQ(c.data.RatingTexts, (TWertung{"gro\xdf"
                                            "artig",
                                            "gut", "mittel", "schwach",
                                            "\xfc"
                                            "bel"}));
    EXPECT_EQ(c.s.History.size(), 2u);
    EXPECT_EQ(c.trace.Locations, (std::vector<int32_t>{12, -4}));

    ASSERT_TRUE(c.write(ini));
    const std::string written = ReadBytes(ini);
    // Every line of the hand-made file is still there, unchanged and in its order; what was added
    // are the missing keys of the known sections.
    IniFile in;
    in.parse(original);
    std::istringstream a(original), b(written);
    std::vector<std::string> before, after;
    for (std::string l; std::getline(a, l);)
        before.push_back(l);
    for (std::string l; std::getline(b, l);)
        after.push_back(l);
    std::size_t i = 0;
    std::string section;
    for (const auto& line : after) {
        const bool header = line.starts_with("[");
        if (header)
            section = line.substr(1, line.find(']') - 1);
        if (i < before.size() && line == before[i]) {
            ++i;
            continue;
        }
        ASSERT_TRUE(line.ends_with("\r")) << line;
        const auto eq = line.find('=');
        if (header)
            EXPECT_FALSE(in.hasSection(section)) << "added twice: " << line;
        else
            ASSERT_TRUE(eq != std::string::npos && !in.value(section, line.substr(0, eq)))
                << "changed: " << line;
    }
    EXPECT_EQ(i, before.size());
    EXPECT_NE(written.find("[Fenster]\r\nLinks=10\r\nOben=20\r\nTitel=Gr\xf6\xdf"
                           "e \x93gro\xdf\x94\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(
        written.find("EigenerSchl\xfcssel=Wert mit \xc4 und \x80\r\nMarkFilmList=0\r\nSaveOption=0\r\n"),
        std::string::npos); // new keys at the end of their section, before its blank line

    Config back;
    ASSERT_TRUE(back.read(ini));
    EXPECT_EQ(back.dump(), c.dump());
    ASSERT_TRUE(back.write(ini));
    EXPECT_EQ(ReadBytes(ini), written); // a second write changes nothing
}

TEST(Configuration, UnreadableOrUnwritableFile) {
    TempFolder dir;
    Config c;
    c.s.SortLength = 99;
    EXPECT_FALSE(c.read(dir.path())); // a folder where the file should be
    EXPECT_EQ(c.s.SortLength, 99);
    EXPECT_FALSE(c.write(dir.path()));
    EXPECT_FALSE(c.write(dir.file("no/such/folder/Kassotek.INI")));
}

TEST(ProgramPaths, OverrideAndUserFolders) {
    TempFolder dir;
    {
        const EnvGuard guard("KASSOTEK_PROGRAM_DIR", (dir.path() + "prog").c_str());
        EXPECT_EQ(ProgramDir(), dir.path() + "prog/");
        EXPECT_EQ(IniFilePath(), dir.path() + "prog/Kassotek.INI");
        EXPECT_EQ(TraceFilePath(), dir.path() + "prog/Kassotek.QBL");
    }
    const EnvGuard guard("KASSOTEK_PROGRAM_DIR", nullptr);
    EXPECT_EQ(ProgramDir(), FilePathOf(ProgramFile()));
    EXPECT_EQ(IniFilePath(), ProgramDir() + "Kassotek.INI"); // the test's own folder is writable
}

TEST(ProgramPaths, InstalledLayoutIsBinBesideShareKassotek) {
    TempFolder dir;
    std::filesystem::create_directories(dir.path() + "inst/bin");
    std::filesystem::create_directories(dir.path() + "inst/share/kassotek");
    std::filesystem::create_directories(dir.path() + "bare/bin");
    std::filesystem::create_directories(dir.path() + "bare/share/other");
    std::filesystem::create_directories(dir.path() + "inst/share/kassotek/bin");
    const struct {
        std::string dir;
        bool installed;
    } cases[] = {
        {dir.path() + "inst/bin/", true},
        {dir.path() + "inst/bin", true},
        {dir.path() + "bare/bin/", false},            // no share/kassotek beside it
        {dir.path() + "inst/share/kassotek/", false}, // not a bin folder
        {dir.path() + "inst/share/kassotek/bin/", false},
        {dir.path() + "missing/bin/", false},
        {"", false},
        {"/", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InstalledLayout(c.dir), c.installed) << c.dir;
}
