#include "model/collection.h"
#include "scripted_dialogs.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace kt;
using namespace kt::literals;
using kt::test::ScriptedDialogs;

TEST(NewFilm, CreatesRecordsWithTheirCreationValues) {
    Collection c;
    ScriptedDialogs ui;
    ASSERT_TRUE(NewFilm(c, ui));
    ASSERT_EQ(c.AnzFilm(), 1);
    const TFilmV26& f = c.Film(1);
    EXPECT_EQ(f.FilmNr, 1);
    EXPECT_EQ(f.ProdYear, 0);
    EXPECT_EQ(f.FilmLength, 0);
    EXPECT_EQ(f.CasNr, 0);
    EXPECT_EQ(f.PosOnCas, 0);
    EXPECT_FALSE(f.TwoChannel);
    EXPECT_TRUE(f.Commercials);
    EXPECT_EQ(f.CatalogCard, 2);
    EXPECT_EQ(f.Rating, -1);
    EXPECT_EQ(f.RecDate, 0.0);
    EXPECT_EQ(f.StorageType, 0);
    EXPECT_EQ(f.LendStatus, LendNotLent);
    EXPECT_EQ(f.AnzDiscs, 0);
    EXPECT_EQ(f.AnzPics(), 0);
    EXPECT_TRUE(f.FilmName.Strng.empty());
    EXPECT_EQ(f.SoundFormat + f.PictureFormat + f.DvdRegion + f.Fsk, 0);
}

TEST(NewFilm, TheTwentyThousandthIsTheLast) {
    Collection c;
    ScriptedDialogs ui;
    for (int i = 1; i < MaxFilms; ++i) {
        TFilmV26 f;
        f.FilmNr = i;
        ASSERT_TRUE(c.appendFilm(f));
    }
    ASSERT_TRUE(NewFilm(c, ui));
    EXPECT_EQ(c.AnzFilm(), 20000);
    EXPECT_EQ(c.Film(20000).FilmNr, 20000);
    EXPECT_EQ(c.ActError, 0);

    EXPECT_FALSE(NewFilm(c, ui));
    EXPECT_EQ(c.AnzFilm(), 20000);
    EXPECT_EQ(c.ActError, 13);
    EXPECT_NE(ErrorText(c.ActError, "").find("(20000)"), std::string::npos);
    EXPECT_FALSE(c.appendFilm(TFilmV26{}));
    EXPECT_EQ(c.AnzFilm(), 20000);
}

TEST(NewFilm, NumbersAreNeverSharedAfterADeletion) {
    Collection c;
    ScriptedDialogs ui;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(NewFilm(c, ui));
    c.deleteFilm(3);
    ASSERT_EQ(c.AnzFilm(), 4);
    EXPECT_EQ(c.Film(3).FilmNr, 4); // the remaining films keep their numbers
    ASSERT_TRUE(NewFilm(c, ui));
    EXPECT_EQ(c.Film(5).FilmNr, 6);

    // The highest number counts, not the last slot.
    c.Film(1).FilmNr = 40;
    ASSERT_TRUE(NewFilm(c, ui));
    EXPECT_EQ(c.Film(6).FilmNr, 41);
}

TEST(NewCassette, NumberIsOneAboveTheHighest) {
    Collection c;
    ScriptedDialogs ui;
    ASSERT_TRUE(NewCassette(c, ui));
    EXPECT_EQ(c.Cassette(1), (TCasRec{1, 240, 240, 0}));

    c.clearFilmsAndCassettes();
    for (uint16_t nr : {3, 7, 5})
        ASSERT_TRUE(c.appendCassette(TCasRec{nr, 240, 240, 0}));
    ASSERT_TRUE(NewCassette(c, ui));
    ASSERT_EQ(c.AnzCas(), 4);
    EXPECT_EQ(c.Cassette(4).Nr, 8);
    EXPECT_EQ(c.Cassette(4).TotalLength, 240);
    EXPECT_EQ(c.Cassette(4).RestLength, 240);
    EXPECT_EQ(c.Cassette(4).GapLength, 0);
}

TEST(NewCassette, RefusesAtTheLimitsOfTableAndNumber) {
    Collection c;
    ScriptedDialogs ui;
    for (int i = 1; i <= MaxCassettes; ++i)
        ASSERT_TRUE(c.appendCassette(TCasRec{static_cast<uint16_t>(i), 240, 240, 0}));
    EXPECT_FALSE(NewCassette(c, ui));
    EXPECT_EQ(c.AnzCas(), 5000);
    EXPECT_EQ(c.ActError, 14);
    EXPECT_FALSE(c.appendCassette(TCasRec{}));

    // The number must fit the 16-bit field.
    Collection d;
    ASSERT_TRUE(d.appendCassette(TCasRec{65535, 240, 240, 0}));
    ui.expect(kt::test::Box::Error, "65535");
    EXPECT_FALSE(NewCassette(d, ui));
    EXPECT_EQ(d.AnzCas(), 1);
}

TEST(Collection, SlotsOutsideTheTablesThrow) {
    Collection c;
    ScriptedDialogs ui;
    ASSERT_TRUE(NewFilm(c, ui));
    EXPECT_NO_THROW(c.Film(1));
    EXPECT_THROW(c.Film(0), std::out_of_range);
    EXPECT_THROW(c.Film(2), std::out_of_range);
    EXPECT_THROW(c.Cassette(1), std::out_of_range);
    EXPECT_THROW(c.deleteFilm(2), std::out_of_range);
}

TEST(Collection, ResetKeepsListsAndClearsTheData) {
    Collection c;
    ScriptedDialogs ui;
    ASSERT_TRUE(NewFilm(c, ui));
    ASSERT_TRUE(NewCassette(c, ui));
    c.ActFilm = 1;
    c.DataSaved = false;
    c.CurrentDataFile = "/x/Filme.VD6";
    c.SortedFilm[7] = 3;
    c.LenderNames = {"Anna"};
    c.LenderAddresses = {"Weg 1"};
    AddCategoryToList(c, "Krimi");
    c.StorageMediaList.push_back({"Blu-ray", true, 7});

    c.resetData();
    EXPECT_EQ(c.AnzFilm(), 0);
    EXPECT_EQ(c.AnzCas(), 0);
    EXPECT_EQ(c.ActFilm, 0);
    EXPECT_TRUE(c.DataSaved);
    EXPECT_TRUE(c.CurrentDataFile.empty());
    EXPECT_EQ(c.SortedFilm, std::vector<uint16_t>(MaxFilms, 0));
    EXPECT_TRUE(c.LenderNames.empty());
    EXPECT_TRUE(c.LenderAddresses.empty());
    EXPECT_EQ(c.CategoryList.size(), 1u);
    EXPECT_EQ(c.StorageMediaList.size(), 7u);
    EXPECT_EQ(c.RatingTexts.size(), 7u);

    c.SortedFilm[0] = 9;
    Reset_SortedFilm(c);
    EXPECT_EQ(c.SortedFilm, std::vector<uint16_t>(MaxFilms, 0));
}

TEST(Collection, StartsWithTheBuiltInLists) {
    const Collection c;
    ASSERT_EQ(c.StorageMediaList.size(), 6u);
    const char* media[] = {"Video-Cassette", "Kauf-Cassette", "DVD", "VCD", "SVCD", "DivX ;-)"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(c.StorageMediaList[static_cast<std::size_t>(i)], (TSelectableStr{media[i], true, i + 1}));
        EXPECT_EQ(StorageTypeOfMedium(i), 1 << i);
    }
    EXPECT_EQ(c.RatingTexts,
              (TWertung{"Kult", "Muß"_cp, "super", "fesselnd", "\"nett\"", "passabel", "grauenhaft"}));
    EXPECT_TRUE(c.CategoryList.empty());
    EXPECT_EQ(c.SortedFilm.size(), 20000u);
}

TEST(AddCategoryToList, SkipsBlankAndListedNames) {
    struct Case {
        const char* text;
        bool added;
    };
    const Case cases[] = {
        {"  ", false},      // nothing printable
        {"\t\r\n", false},  // control characters only
        {"krimi", false},   // listed, other letter case
        {"KRIMI", false},   //
        {"Krimi ", true},   // the comparison is of the untrimmed texts
        {"Komödie", true},  //
        {"KOMöDIE", false}, // only a-z are upper-cased: ö equals ö
        {"KOMÖDIE", true},  // Ö is not ö
        {"Western", true},  //
    };
    Collection c;
    AddCategoryToList(c, "Krimi");
    for (const auto& k : cases) {
        const std::size_t before = c.CategoryList.size();
        const std::string text = ToCp1252(k.text);
        AddCategoryToList(c, text);
        ASSERT_EQ(c.CategoryList.size(), before + (k.added ? 1 : 0)) << k.text;
        if (k.added) {
            EXPECT_EQ(c.CategoryList.back(), (TSelectableStr{text, false, static_cast<int32_t>(before + 1)}))
                << k.text;
        }
    }
}

TEST(FilmDataErrors, ReportsMissingMandatoryData) {
    struct Case {
        const char* title;
        int32_t storage, length, cas, pos;
        int errors;
    };
    const Case cases[] = {
        {"", StDvd, 0, 0, 0, 1},
        {"  \t", StDvd, 0, 0, 0, 1},
        {"ß", StDvd, 0, 0, 0, 1}, // ß is not printable
        {"Alien", StVideo, 0, 0, 31, 14},
        {"Alien", StVideo, 117, 3, 1, 0},
        {"Alien", StVideo, 117, 3, 30, 0},
        {"Alien", StVideo, 117, 3, 0, 8},
        {"Alien", StVideo, -5, 3, 2, 0}, // only 0 counts as no length
        {"", StVideo, 0, 0, 0, 15},
        {"Alien", StBought, 0, 0, 0, 0}, // cassette data matter for self-recorded cassettes only
        {"Alien", 0, 0, 0, 0, 0},
    };
    for (const auto& k : cases) {
        TFilmV26 f;
        f.FilmName.Strng = ToCp1252(k.title);
        f.StorageType = k.storage;
        f.FilmLength = k.length;
        f.CasNr = k.cas;
        f.PosOnCas = k.pos;
        EXPECT_EQ(FilmDataErrors(f), k.errors) << '"' << k.title << "\" " << k.storage << ' ' << k.pos;
    }
}

TEST(ErrorText, EveryCodeHasItsText) {
    const std::string n = "X.VD6";
    const std::pair<int, std::string> rows[] = {
        {1, "Datei X.VD6 nicht gefunden!"},
        {2, "Nicht genug Speicher zum Laden der Daten!"},
        {3, "Fehler beim Lesen aus X.VD6!"},
        {4, "Nicht genug Speicher für's Sortieren der Daten."},
        {5, "Nicht genug Speicher für neuen Datensatz."},
        {6, "Nicht genug Speicher für neue KategorieX.VD6."},
        {7, "Kategorie X.VD6 gibt es schon; sie wird NICHT noch mal angelegt."},
        {8, "Fehler beim Sortieren der X.VD6."},
        {9, "Fehler beim Speichern der Daten in X.VD6."},
        {10, "Keine Videodaten geladen."},
        {11, "Für diese Suchen-/Filtern-Einstellung wurden keine Videodaten gefunden."},
        {12, "Fehler bei der Zuordnung der Datensätze!"},
        {13, "Maximale Anzahl Filme pro Datei (20000) erreicht. Neue Datei anlegen!"},
        {14, "Maximale Anzahl Cassetten pro Datei (5000) erreicht. Neue Datei anlegen!"},
        {15, "Maximale Anzahl Kategorien (100) erreicht."},
        {16, "Kein Dateiname angegeben. Vorgang \"X.VD6\" abgebrochen!"},
        {17, "Zum Neuanlegen eines Filmeintrags den Menüeintrag \"Film | Neu\" wählen."},
        {18, "Zur Anzeige der Filmdaten nicht in die Titel- oder Filmnamenzeile klicken."},
        {19, "Konnte keine Kategorien aus X.VD6 lesen."},
        {20, "Es wurde noch keine Cassette festgelegt!"},
        {21, "Angegebene X.VD6länge ist größer als die Gesamtlänge."},
        {22, "Angegebene X.VD6länge ist kleiner als Null."},
        {23, "Angegebene Restlänge zzgl. Lochlänge ist größer als die Gesamtlänge."},
        {24, "Angegebene Lochlänge zzgl. Restlänge ist größer als die Gesamtlänge."},
        {25, "Fehler beim Schreiben der Daten-Backupdatei X.VD6."},
        {26, "Fehler bei der Sub-Sortierung!"},
        {0, "Fehlernr. (0) unbekannt!"},
        {27, "X.VD6 ist keine Datei!"},
        {28, "Fehlernr. (28) unbekannt!"},
        {255, "Fehlernr. (255) unbekannt!"},
    };
    for (const auto& [code, text] : rows)
        EXPECT_EQ(ToUtf8(ErrorText(code, n)), text) << code;
    // An empty name gives the text as it was; a save names the backup that failed.
    EXPECT_EQ(ErrorText(25, {}), "Fehler beim Schreiben der Daten-Backupdatei.");
    // The texts are Windows-1252 in memory.
    EXPECT_EQ(ErrorText(4, n), "Nicht genug Speicher f\xfcr's Sortieren der Daten.");
    // A Windows-1252 name is put in as it is.
    EXPECT_EQ(ErrorText(1, "B\xfc"
                           "cher"),
              "Datei B\xfc"
              "cher nicht gefunden!");
}
