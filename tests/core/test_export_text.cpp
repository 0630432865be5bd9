#include "film_fixture.h"
#include "persist_support.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include "catalogue/col_arrange.h"
#include "exchange/csv_export.h"
#include "exchange/text_export.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "persistence/file_ops.h"
#include "persistence/network_lock.h"
#include "settings/settings.h"
#include "text/helpers.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kt;
using namespace kt::literals;
using kt::test::AddFilm;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

std::string Line(const std::string& nameUtf8, const std::string& valueUtf8) {
    std::string name = nameUtf8;
    const std::size_t chars = ToCp1252(name).size();
    name.append(23 - chars, ' ');
    return name + "= " + valueUtf8 + "\r\n";
}

struct ExportList : ::testing::Test {
    Collection c;
    Settings s;
    ColArrange ca;
    FilterSearch fs;
    ScriptedDialogs ui;

    // Title, length, category and year shown, in that order.
    void ShowFour() {
        for (int n = 0; n < ColCount; ++n) {
            ca[n].Show = n == ColTitle || n == ColLength || n == ColCategory || n == ColYear;
            ca[n].Pos = -1;
        }
        ca[ColTitle].Pos = 0, ca[ColLength].Pos = 1, ca[ColCategory].Pos = 2, ca[ColYear].Pos = 3;
    }
    void AddThree() {
        auto& a = AddFilm(c, "Alpha");
        a.FilmLength = 90, a.Category.Strng = "Krimi", a.ProdYear = 1999;
        auto& b = AddFilm(c, "Beta");
        b.FilmLength = 100, b.Category.Strng = "Komödie"_cp;
        auto& g = AddFilm(c, "Gamma");
        g.FilmLength = 110, g.Category.Strng = "Drama", g.ProdYear = 2001;
    }
    std::string Export(FilmList& list, TextExportMode mode, int column, int bottom) {
        return ToUtf8(TextExportBytes(c, list, mode, column, bottom));
    }
};

} // namespace

TEST(TextExportLine, EveryEntryGivesItsNameAndValueOrIsLeftOut) {
    struct Case {
        int entry;
        std::function<void(TFilmV26&)> set;
        std::string expected; // UTF-8; empty: the line is left out
    };
    const std::vector<Case> cases = {
        {ColTitle, [](TFilmV26& f) { f.FilmName.Strng = "Ärger"_cp; }, Line("Filmname", "Ärger")},
        {ColLength, [](TFilmV26& f) { f.FilmLength = 0; }, Line("Filmlänge (insg.)", "0")},
        {ColCasNr, [](TFilmV26& f) { f.CasNr = 12, f.StorageType = StVideo; },
         Line("Cassetten-Nummer", "12")},
        {ColCasNr, [](TFilmV26& f) { f.CasNr = 3, f.StorageType = StBought; }, Line("Cassetten-Nummer", "3")},
        {ColCasNr, [](TFilmV26& f) { f.CasNr = 3, f.StorageType = 0; }, Line("Cassetten-Nummer", "3")},
        {ColCasNr, [](TFilmV26& f) { f.CasNr = 7, f.StorageType = StDvd; }, Line("DVD-Nummer", "7")},
        {ColCasNr, [](TFilmV26& f) { f.CasNr = 7, f.StorageType = 8; }, Line("CD-Nummer", "7")},
        {ColCasNr, [](TFilmV26& f) { f.CasNr = 7, f.StorageType = 16; }, Line("CD-Nummer", "7")},
        {ColCasNr, [](TFilmV26& f) { f.CasNr = 7, f.StorageType = 32; }, Line("CD-Nummer", "7")},
        {ColCasNr, [](TFilmV26& f) { f.CasNr = 7, f.StorageType = 128; }, Line("CD-Nummer", "7")},
        {ColPos, [](TFilmV26& f) { f.PosOnCas = 4, f.StorageType = StDvd; },
         Line("Position auf Cassette", "4")},
        {ColYear, [](TFilmV26& f) { f.ProdYear = 0; }, ""},
        {ColYear, [](TFilmV26& f) { f.ProdYear = 1984; }, Line("Herstellungsdatum", "1984")},
        {ColTwoChannel, [](TFilmV26& f) { f.TwoChannel = true; }, Line("Zwei-Kanalton", "Ja")},
        {ColCommercials, [](TFilmV26& f) { f.Commercials = false; }, Line("Werbung", "Nein")},
        {ColRating, [](TFilmV26& f) { f.Rating = 6; }, Line("persönliche Wertung", "grauenhaft")},
        {ColRating, [](TFilmV26& f) { f.Rating = 7; }, ""},
        {ColRating, [](TFilmV26& f) { f.Rating = -1; }, ""},
        {ColCard, [](TFilmV26& f) { f.CatalogCard = 0; }, Line("Karte vorhanden", "ja")},
        {ColCard, [](TFilmV26& f) { f.CatalogCard = 1; }, Line("Karte vorhanden", "nein")},
        {ColCard, [](TFilmV26& f) { f.CatalogCard = 5; }, Line("Karte vorhanden", "nicht geprüft")},
        {ColContent, [](TFilmV26& f) { f.Content.Strng = "eins\r\nzwei"; }, Line("Inhalt", "eins\r\nzwei")},
        {ColRecDate, [](TFilmV26& f) { f.RecDate = 0; }, ""},
        {ColRecDate, [](TFilmV26& f) { f.RecDate = EncodeDate(1980, 1, 1); },
         Line("Aufzeichnungsdatum", "01.01.1980")},
        {ColLanguages, [](TFilmV26& f) { f.Languages = 3; }, Line("Sprache(n)", "Deutsch, Englisch")},
        {ColLentTo, [](TFilmV26& f) { f.LentTo.Strng = "Jürgen"_cp; }, Line("Verliehen an", "Jürgen")},
        {ColSound, [](TFilmV26& f) { f.SoundFormat = 0; }, Line("Tonformat", "nicht eingegeben")},
        {ColPicture, [](TFilmV26& f) { f.PictureFormat = 6; }, Line("Bildformat", "16:9 (Breitbild)")},
        {ColFsk, [](TFilmV26& f) { f.Fsk = 3; }, Line("FSK", "Ab 12")},
        {ColRegion, [](TFilmV26& f) { f.DvdRegion = 2; }, Line("DVD-Regionalcode", "1: Kanada, USA")},
        {ColStorage, [](TFilmV26& f) { f.StorageType = StDvd; }, Line("Speichermedium", "DVD")},
        {ColStorage, [](TFilmV26& f) { f.StorageType = 3; }, Line("Speichermedium", "unbekannt!")},
        {ColDiscs, [](TFilmV26& f) { f.AnzDiscs = 2, f.StorageType = StVideo; }, Line("Anzahl CDs", "2")},
        {ColPics, [](TFilmV26& f) { f.Pics.resize(3); }, Line("Anzahl Bilder", "3")},
    };
    Collection c;
    for (const Case& k : cases) {
        TFilmV26 f;
        k.set(f);
        EXPECT_EQ(ToUtf8(TextExportLine(c, f, k.entry)), k.expected) << "entry " << k.entry;
    }
}

TEST_F(ExportList, FullModeWritesOneBlockPerFilmWithStarsBeforeAllButTheSelectedRow) {
    ShowFour();
    AddThree();
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    const std::string stars = "\r\n" + std::string(47, '*') + "\r\n\r\n";
    const std::string alpha = Line("Filmname", "Alpha") + Line("Filmlänge (insg.)", "90") +
                              Line("Kategorie", "Krimi") + Line("Herstellungsdatum", "1999") + "\r\n";
    const std::string beta =
        Line("Filmname", "Beta") + Line("Filmlänge (insg.)", "100") + Line("Kategorie", "Komödie") + "\r\n";
    const std::string gamma = Line("Filmname", "Gamma") + Line("Filmlänge (insg.)", "110") +
                              Line("Kategorie", "Drama") + Line("Herstellungsdatum", "2001") + "\r\n";
    EXPECT_EQ(Export(list, TextExportMode::AllColumns, 0, 1), alpha + stars + beta + stars + gamma);
    EXPECT_EQ(Export(list, TextExportMode::AllColumns, 0, 3), stars + alpha + stars + beta + gamma);
}

TEST_F(ExportList, ColumnModeGivesOneLinePerFilmEmptyWhenTheValueIsLeftOut) {
    ShowFour();
    AddThree();
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    ASSERT_EQ(list.ColumnAttribute(3), ColYear);
    EXPECT_EQ(Export(list, TextExportMode::CurrentColumn, 3, 1),
              "Herstellungsdatum      = 1999\r\n\r\nHerstellungsdatum      = 2001\r\n");
    EXPECT_EQ(Export(list, TextExportMode::CurrentColumn, 2, 2),
              "Kategorie              = Krimi\r\nKategorie              = Komödie\r\n"
              "Kategorie              = Drama\r\n");
}

TEST_F(ExportList, LinesFollowTheGridsColumnsAfterHidingAndMoving) {
    ShowFour();
    AddThree();
    ca[ColLength].Show = false, ca[ColLength].Pos = -1;
    ca[ColCategory].Pos = 1, ca[ColYear].Pos = 2;
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    // Year before category, and then the title moved behind both: whichever attribute stands in
    // the first column is exported too.
    list.MoveColumn(2, 1);
    Resort_FilmString_Headers_and_Pos(ca, list);
    list.MoveColumn(0, 2);
    Resort_FilmString_Headers_and_Pos(ca, list);
    ASSERT_EQ(list.ColumnAttribute(0), ColYear);
    const std::string first = Export(list, TextExportMode::AllColumns, 0, 1);
    EXPECT_EQ(first.substr(0, first.find("\r\n\r\n") + 4), Line("Herstellungsdatum", "1999") +
                                                               Line("Kategorie", "Krimi") +
                                                               Line("Filmname", "Alpha") + "\r\n");
    EXPECT_EQ(first.find("Filmlänge"), std::string::npos);
}

TEST_F(ExportList, WritingTellsTheCountAndFailuresLeaveNoFileBehind) {
    ShowFour();
    AddThree();
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    test::TempFolder dir;
    NoProgress progress;

    const std::string file = dir.file("liste.txt");
    ui.expect(Box::Information, "3 Filme wurden in " + file + " exportiert!");
    EXPECT_TRUE(ExportTextFile(c, list, TextExportMode::AllColumns, 0, 1, file, ui, progress));
    EXPECT_EQ(test::ReadBytes(file), TextExportBytes(c, list, TextExportMode::AllColumns, 0, 1));

    // A missing folder: the Part's message with the reason, whatever ShowAllMsg says.
    const std::string lost = dir.file("weg/liste.txt");
    ui.expect(Box::Notice, "Export nach " + lost + " ist fehlgeschlagen!\r\nOrdner nicht gefunden");
    EXPECT_FALSE(ExportTextFile(c, list, TextExportMode::AllColumns, 0, 1, lost, ui, progress));

    // A full disk midway: the earlier export stays whole, no temporary file is left.
    struct FullDisk : FileOps {
        FullDisk() { SetFileOps(this); }
        ~FullDisk() override { SetFileOps(nullptr); }
        int write(int fd, const char* data, std::size_t size, std::size_t& written) override {
            FileOps::write(fd, data, std::min<std::size_t>(size, 10), written);
            return ENOSPC;
        }
    };
    const std::string before = test::ReadBytes(file);
    {
        FullDisk full;
        ui.expect(Box::Notice, "ist fehlgeschlagen!\r\nDatenträger voll");
        EXPECT_FALSE(ExportCsvFile(c, list, file, ui, progress));
    }
    EXPECT_EQ(test::ReadBytes(file), before);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"liste.txt"});
}

TEST_F(ExportList, AnEmptyListExportsNothingAndABusyTargetIsRefused) {
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    ui.expect(Box::Notice, "Es werden keine Filme angezeigt; es wurde nichts exportiert.");
    EXPECT_FALSE(ListShowsFilms(list, ui));

    AddThree();
    ASSERT_TRUE(list.SetAusgabeData(ui));
    EXPECT_TRUE(ListShowsFilms(list, ui));
    test::TempFolder dir;
    const std::string file = dir.file("liste.txt");
    test::WriteBytes(dir.file("liste.SEM"), std::string(SemaphoreFirstLine) + "\r\nanderer\r\n");
    SetNetworkDriveTest([](const std::string&) { return true; });
    NoProgress progress;
    ui.expect(Box::Notice, "Anscheinend hat ein anderer Computer");
    ui.expect(Box::Error, "Auf die gewählte Datei wird scheinbar gerade von einem");
    EXPECT_FALSE(ExportTextFile(c, list, TextExportMode::AllColumns, 0, 1, file, ui, progress));
    SetNetworkDriveTest({});
    EXPECT_FALSE(FileExists(file));
}

TEST(CsvExport, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Alpha", "Alpha"},
        {"", ""},
        {"a;b", "\"a;b\""},
        {"Er sagte \"nein\"", "\"Er sagte \"\"nein\"\"\""},
        {"eins\r\nzwei", "\"eins\r\nzwei\""},
        {"eins\nzwei", "\"eins\nzwei\""},
        {"Komma, bleibt", "Komma, bleibt"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(CsvField(in), out) << in;
}

TEST_F(ExportList, CsvHoldsTheHeaderAndTheShownColumnsInUtf8WithByteOrderMark) {
    ShowFour();
    AddThree();
    c.Film(2).Category.Strng = "Komödie; \"schwarz\""_cp;
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    list.MoveColumn(3, 1);
    EXPECT_EQ(CsvBytes(list), "\xEF\xBB\xBF"
                              "Filmtitel;Jahr;Länge;Kategorie\r\n"
                              "Alpha;1999;90;Krimi\r\n"
                              "Beta;;100;\"Komödie; \"\"schwarz\"\"\"\r\n"
                              "Gamma;2001;110;Drama\r\n");
}
