#include "film_fixture.h"
#include "scripted_dialogs.h"

#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

using namespace kt;
using kt::test::AddFilm;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

struct ListFixture : ::testing::Test {
    Collection c;
    Settings s;
    ColArrange ca;
    FilterSearch fs;
    ScriptedDialogs ui;

    // Column 0 of every row after row 0.
    std::vector<std::string> FirstColumn(const FilmList& list) {
        std::vector<std::string> out;
        for (int r = 1; r < list.RowCount(); ++r)
            out.push_back(ToUtf8(std::string(list.Cell(r, 0))));
        return out;
    }
    std::vector<uint16_t> SortedHead(int n) {
        return std::vector<uint16_t>(c.SortedFilm.begin(), c.SortedFilm.begin() + n);
    }
};

struct Recorder : FilmListListener {
    std::vector<std::string> events;
    void aboutToReset() override { events.push_back("aboutToReset"); }
    void reset() override { events.push_back("reset"); }
    void rowChanged(int row) override { events.push_back("row " + std::to_string(row)); }
};

} // namespace

TEST_F(ListFixture, EmptyCollectionGivesHeadersAndOneEmptyRow) {
    FilmList list(c, s, ca, fs);
    EXPECT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.ColCount(), 25);
    EXPECT_EQ(list.Cell(0, 0), "Filmtitel");
    EXPECT_EQ(ToUtf8(std::string(list.Cell(0, 1))), "Länge");
    EXPECT_EQ(list.Cell(0, 24), "Bilder");
    for (int col = 0; col < list.ColCount(); ++col)
        EXPECT_EQ(list.Cell(1, col), "");
    EXPECT_EQ(list.ListedCount(), 0);
    const auto panels = StatusPanelTexts(c, list.FilledRows(), "");
    ASSERT_EQ(panels.size(), 5u);
    EXPECT_EQ(panels[0], "Kassotek 2.6.16.4");
    EXPECT_EQ(panels[1], "Datei: n.a");
    EXPECT_EQ(panels[2], "Anzahl Filme: 0/0");
    EXPECT_EQ(panels[3], "Anzahl Cassetten: 0");
    EXPECT_EQ(panels[4], " ");
}

TEST_F(ListFixture, StorageMaskSelectsTheListedFilmsUnlessOverridden) {
    AddFilm(c, "Casablanca", StVideo).FilmNr = 11;
    AddFilm(c, "Brazil", StDvd).FilmNr = 12;
    AddFilm(c, "Alien", StVideo).FilmNr = 13;
    s.StorageTypeShow = StVideo;
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(FirstColumn(list), (std::vector<std::string>{"Alien", "Casablanca"}));
    EXPECT_EQ(SortedHead(3), (std::vector<uint16_t>{13, 11, 0}));
    EXPECT_TRUE(std::all_of(c.SortedFilm.begin() + 2, c.SortedFilm.end(), [](uint16_t v) { return v == 0; }));
    EXPECT_EQ(StatusPanelTexts(c, list.FilledRows(), "")[2], "Anzahl Filme: 2/3");
    EXPECT_EQ(list.FilmOfRow(1), 3);
    EXPECT_EQ(list.FilmOfRow(2), 1);
    EXPECT_EQ(list.FilmOfRow(3), 0);
    EXPECT_EQ(list.RowOfFilm(1), 2);
    EXPECT_EQ(list.RowOfFilm(2), 0);

    s.OverrideStorageTypeShow = true;
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(FirstColumn(list), (std::vector<std::string>{"Alien", "Brazil", "Casablanca"}));

    // No medium checked: nothing listed and no message (that one belongs to filter and search).
    s.OverrideStorageTypeShow = false;
    s.StorageTypeShow = 0;
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.ListedCount(), 0);
    EXPECT_EQ(list.FilmOfRow(1), 0);
}

TEST_F(ListFixture, UserMediumAndUnknownBitsNeedTheirBitOrTheOverride) {
    c.StorageMediaList.push_back({"Blu-ray", false, 7});
    AddFilm(c, "Neu", 64);
    AddFilm(c, "Fremd", 1 << 20);
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui)); // mask 63
    EXPECT_EQ(list.ListedCount(), 0);
    s.StorageTypeShow = 63 | 64;
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(FirstColumn(list), (std::vector<std::string>{"Neu"}));
    EXPECT_EQ(list.Cell(1, ColStorage), "Blu-ray");
    s.OverrideStorageTypeShow = true;
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(list.Cell(1, 0), "Fremd");
    EXPECT_EQ(list.Cell(1, ColStorage), "unbekannt!");
}

TEST_F(ListFixture, FilterOrSearchWithoutResultReportsOnce) {
    AddFilm(c, "Das Boot");
    fs.SuchenIn[SearchTitle] = true;
    fs.SuchText = "Zorro";
    DeriveActiveFlags(fs, c.CategoryList);
    FilmList list(c, s, ca, fs);
    ui.expect(Box::Error, "Für diese Suchen-/Filtern-Einstellung wurden keine Videodaten gefunden.");
    EXPECT_TRUE(list.SetAusgabeData(ui));
    ui.verify();
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.Cell(1, 0), "");
    EXPECT_EQ(StatusPanelTexts(c, list.FilledRows(), "")[2], "Anzahl Filme: 0/1");

    // The same search over films that match lists them; filter and search must both hold.
    fs.SuchText = "boot";
    DeriveActiveFlags(fs, c.CategoryList);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(list.ListedCount(), 1);
    fs.FilternVon[FilterTwoChannel] = true;
    DeriveActiveFlags(fs, c.CategoryList);
    ui.expect(Box::Error, "keine Videodaten gefunden");
    list.SetAusgabeData(ui);
}

TEST_F(ListFixture, SearchOverAllMediaIgnoresTheStorageSelection) {
    AddFilm(c, "Das Boot", StVideo);
    AddFilm(c, "Das Boot (Director's Cut)", StDvd);
    AddFilm(c, "Alien", StDvd);
    s.StorageTypeShow = StVideo;
    fs.SuchenIn[SearchTitle] = true;
    fs.SuchText = "Boot";
    fs.SearchAllStorageTypes = true;
    FilmList list(c, s, ca, fs);

    // Not active yet: the selection applies.
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(FirstColumn(list), (std::vector<std::string>{"Das Boot"}));
    DeriveActiveFlags(fs, c.CategoryList);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(FirstColumn(list), (std::vector<std::string>{"Das Boot", "Das Boot (Director's Cut)"}));
    EXPECT_EQ(list.Cell(2, ColStorage), "DVD");

    fs.SearchAllStorageTypes = false;
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(FirstColumn(list), (std::vector<std::string>{"Das Boot"}));
}

TEST_F(ListFixture, CellsFollowTheCatalogueColumns) {
    TFilmV26& f = AddFilm(c, "Alien", StBought);
    f.FilmLength = 117;
    f.PosOnCas = 5;
    f.Content.Strng = "Zeile 1\r\nZeile 2";
    f.AnzDiscs = 2;
    // Title and position hidden; "Jahr" moved to the front.
    ca[ColTitle].Show = false;
    ca[ColTitle].Pos = -1;
    ca[ColPos].Show = false;
    ca[ColPos].Pos = -1;
    ca[ColYear].Pos = -5;
    f.ProdYear = 1979;
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(list.ColCount(), 23);
    // Positions: 1, 2, 4, 5, 6 then -5 for the year: the year has column 0 as no shown attribute
    // lies below it; length 1 has column 0 too and the year, written later, wins that cell.
    EXPECT_EQ(list.ColumnAttribute(0), ColYear);
    EXPECT_EQ(list.Cell(0, 0), "Jahr");
    EXPECT_EQ(list.Cell(1, 0), "1979");
    EXPECT_EQ(list.Cell(1, list.ColCount() - 1), ""); // nothing placed there
    int content = -1, discs = -1;
    for (int col = 0; col < list.ColCount(); ++col) {
        if (list.ColumnAttribute(col) == ColContent)
            content = col;
        if (list.ColumnAttribute(col) == ColDiscs)
            discs = col;
    }
    ASSERT_GE(content, 0);
    EXPECT_EQ(list.Cell(1, content), "Zeile 1\r\nZeile 2");
    EXPECT_EQ(list.Cell(1, discs), "2");
}

TEST_F(ListFixture, ColumnsPlaceShownAttributesWithoutPositionAtTheEndAndWidenNarrowOnes) {
    ca[ColDirector].Pos = -1; // shown, but without a position
    ca[ColCountry].Width = 1;
    ca[ColYear].Width = 0;
    ca[ColStars].Width = 2;
    AddFilm(c, "Alien").Director.Strng = "Ridley Scott";
    FilmList list(c, s, ca, fs);
    EXPECT_EQ(ca[ColDirector].Pos, 25); // 24 placed attributes + 1
    EXPECT_EQ(list.ColumnAttribute(24), ColDirector);
    EXPECT_EQ(list.Cell(0, 24), "Regisseur");
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(list.Cell(1, 24), "Ridley Scott");
    EXPECT_EQ(list.ColumnWidth(0), 280);
    EXPECT_EQ(list.ColumnWidth(ColumnOfEntry(ca, ColCountry)), 50);
    EXPECT_EQ(list.ColumnWidth(ColumnOfEntry(ca, ColYear)), 50);
    EXPECT_EQ(list.ColumnWidth(ColumnOfEntry(ca, ColStars)), 2);
}

TEST_F(ListFixture, PositionAndDiscCellsDependOnTheMedium) {
    struct Case {
        int32_t storageType;
        int32_t pos;
        int32_t discs;
        const char* posCell;
        const char* discCell;
    };
    const Case cases[] = {
        {StVideo, 0, 2, "0", ""}, {StVideo, 7, 0, "7", ""}, {StBought, 5, 1, "n.a.", "1"},
        {StDvd, 5, 2, "", "2"},   {StDvd, 5, 0, "", ""},
    };
    for (const auto& tc : cases) {
        Collection one;
        TFilmV26& f = AddFilm(one, "X", tc.storageType);
        f.PosOnCas = tc.pos;
        f.AnzDiscs = tc.discs;
        FilmList list(one, s, ca, fs);
        ASSERT_TRUE(list.SetAusgabeData(ui));
        EXPECT_EQ(list.Cell(1, ColPos), tc.posCell) << "medium " << tc.storageType;
        EXPECT_EQ(list.Cell(1, ColDiscs), tc.discCell) << "medium " << tc.storageType;
    }
}

TEST_F(ListFixture, SingleRowRefreshRewritesOnlyThatRow) {
    AddFilm(c, "Brazil").Pics.resize(2);
    AddFilm(c, "Alien").Remark.Strng = "alt";
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    ASSERT_EQ(list.Cell(2, ColPics), "2");
    Recorder rec;
    list.setListener(&rec);

    c.Film(1).Pics.clear();
    c.Film(2).Remark.Strng = "neu"; // not refreshed: the list is a snapshot
    c.ActFilm = 1;
    EXPECT_TRUE(list.SetAusgabeData_OneFilm(ui));
    EXPECT_EQ(list.Cell(2, ColPics), "");
    EXPECT_EQ(list.Cell(2, 0), "Brazil");
    EXPECT_EQ(list.Cell(1, ColRemark), "alt");
    EXPECT_EQ(rec.events, (std::vector<std::string>{"row 2"}));

    // A film without a row.
    s.StorageTypeShow = StDvd;
    list.SetAusgabeData(ui);
    c.ActFilm = 1;
    ui.expect(Box::Error, "Fehler bei der Zuordnung der Datensätze!");
    EXPECT_FALSE(list.SetAusgabeData_OneFilm(ui));
    c.ActFilm = 0;
    ui.expect(Box::Error, "Fehler bei der Zuordnung der Datensätze!");
    EXPECT_FALSE(list.SetAusgabeData_OneFilm(ui));
    EXPECT_EQ(rec.events, (std::vector<std::string>{"row 2", "aboutToReset", "reset"}));
}

TEST_F(ListFixture, AbstractWritesNothingForAHiddenMedium) {
    AddFilm(c, "Alien", StVideo);
    AddFilm(c, "Brazil", StDvd);
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    s.StorageTypeShow = StVideo;
    EXPECT_FALSE(list.SetAusgabeData_OneFilm_Abstract(2, 1));
    EXPECT_EQ(list.Cell(1, 0), "Alien");
    EXPECT_TRUE(list.SetAusgabeData_OneFilm_Abstract(1, 2));
    EXPECT_EQ(list.Cell(2, 0), "Alien");
    EXPECT_THROW(list.SetAusgabeData_OneFilm_Abstract(1, 3), std::out_of_range);
    EXPECT_THROW(list.SetAusgabeData_OneFilm_Abstract(1, 0), std::out_of_range);
    EXPECT_THROW(list.SetAusgabeData_OneFilm_Abstract(3, 1), std::out_of_range);
}

TEST_F(ListFixture, ColumnMoveHookRunsBeforeTheCellsAreWritten) {
    AddFilm(c, "Alien").FilmLength = 117;
    FilmList list(c, s, ca, fs);
    int calls = 0;
    list.ResortPendingColumns = [&] {
        ++calls;
        std::swap(ca[ColTitle].Pos, ca[ColLength].Pos);
    };
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(list.Cell(1, 0), "117");
    EXPECT_EQ(list.Cell(1, 1), "Alien");
    list.Initialize_FilmStringGrid_Headers();
    EXPECT_EQ(ToUtf8(std::string(list.Cell(0, 0))), "Länge");
}

TEST_F(ListFixture, ListenerSeesEveryRebuild) {
    FilmList list(c, s, ca, fs);
    Recorder rec;
    list.setListener(&rec);
    list.SetAusgabeData(ui);
    list.Initialize_FilmStringGrid();
    EXPECT_EQ(rec.events, (std::vector<std::string>{"aboutToReset", "reset", "aboutToReset", "reset"}));
}

TEST(StatusPanels, NameTheFileAndTheTypeAheadText) {
    Collection c;
    c.CurrentDataFile = "/home/kino/Filme.VD6";
    c.appendCassette({});
    const auto p = StatusPanelTexts(c, 0, "DAS");
    EXPECT_EQ(p[1], "Datei: /home/kino/Filme.VD6");
    EXPECT_EQ(p[3], "Anzahl Cassetten: 1");
    EXPECT_EQ(p[4], " DAS");
}
