#include "catalogue/col_arrange.h"
#include "exchange/import_entry.h"
#include "exchange/import_file.h"
#include "exchange/import_text.h"
#include "model/collection.h"
#include "scripted_dialogs.h"
#include "settings/settings.h"
#include "temp_folder.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace kt;
using namespace kt::literals;
using kt::test::Box;
using kt::test::ScriptedDialogs;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

// A worksheet from rows of UTF-8 texts starting at A1; "" leaves a cell empty.
ImportSheet SheetOf(const std::vector<std::vector<std::string>>& rows) {
    ImportSheet sheet;
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (rows[r][c].empty())
                sheet.touch(static_cast<int>(r), static_cast<int>(c));
            else
                sheet.setCell(static_cast<int>(r), static_cast<int>(c), ToCp1252(rows[r][c]));
    return sheet;
}

ColArrange Positions(const std::map<int, int>& entryToField) {
    ColArrange columns;
    for (const auto& [entry, field] : entryToField)
        columns[entry].ImportPos = field;
    return columns;
}

struct Import {
    Collection c;
    ScriptedDialogs ui;
    std::vector<int> added;
    ImportResult result;

    void sheet(const ImportSheet& sheet, const ImportWindow& w, const ColArrange& columns) {
        NoProgress progress;
        result = ImportSheetRows(sheet, w, c, columns, ui, progress, [this](int i) { added.push_back(i); });
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const auto& f : c.films())
            out.push_back(ToUtf8(f.FilmName.Strng));
        return out;
    }
};

ImportWindow Window(long long firstRow, long long rows, long long firstCol, long long cols) {
    ImportWindow w;
    w.firstRow = firstRow;
    w.rows = rows;
    w.firstCol = firstCol;
    w.cols = cols;
    return w;
}

} // namespace

// Rows of a worksheet become lines joined by the separator, then fields by their numbers.
TEST(Import, WorksheetRowsAndWindows) {
    const ColArrange titleLengthCategory = Positions({{ColTitle, 1}, {ColLength, 2}, {ColCategory, 3}});
    struct Case {
        const char* what;
        std::vector<std::vector<std::string>> rows;
        ImportWindow window;
        std::vector<std::string> titles;
        std::vector<int32_t> lengths;
        std::vector<std::string> categories;
    };
    const std::vector<Case> cases = {
        {"from column A", {{"Alien", "117", "Horror"}}, Window(0, 1, 0, 3), {"Alien"}, {117}, {"Horror"}},
        // Reading from column B: the line starts with the separator, field 1 is empty.
        {"from column B", {{"Alien", "117", "Horror"}}, Window(0, 1, 1, 2), {""}, {117}, {"Horror"}},
        {"empty first cell",
         {{"Titel", "x", "y"}, {"", "117", "Horror"}},
         Window(1, 1, 0, 3),
         {""},
         {117},
         {"Horror"}},
        {"all-empty row skipped",
         {{"Alien", "117"}, {"", ""}, {"Heat", "170"}},
         Window(0, 3, 0, 3),
         {"Alien", "Heat"},
         {117, 170},
         {"", ""}},
        {"rows 2 to 4 of 6",
         {{"R1"}, {"R2"}, {"R3"}, {"R4"}, {"R5"}, {"R6"}},
         Window(1, 3, 0, 1),
         {"R2", "R3", "R4"},
         {0, 0, 0},
         {"", "", ""}},
        {"two columns of three", {{"Alien", "117", "Horror"}}, Window(0, 1, 0, 2), {"Alien"}, {117}, {""}},
        {"rows beyond the sheet", {{"Alien"}}, Window(0, 5000, 0, 2000), {"Alien"}, {0}, {""}},
        {"nothing in the window", {{"Alien", "117"}}, Window(3, 2, 0, 2), {}, {}, {}},
        {"window right of the sheet", {{"Alien", "117"}}, Window(0, 1, 5, 3), {}, {}, {}},
        {"field with blanks kept", {{"  Alien  ", "117"}}, Window(0, 1, 0, 2), {"Alien  "}, {117}, {""}},
        {"Élodie keeps its É",
         {{"Élodie", "90", "„Krimi“"}},
         Window(0, 1, 0, 3),
         {"Élodie"},
         {90},
         {"„Krimi“"}},
    };
    for (const auto& k : cases) {
        Import run;
        run.sheet(SheetOf(k.rows), k.window, titleLengthCategory);
        EXPECT_EQ(run.titles(), k.titles) << k.what;
        EXPECT_EQ(run.result.count, static_cast<int>(k.titles.size())) << k.what;
        for (std::size_t i = 0; i < k.titles.size() && i < static_cast<std::size_t>(run.c.AnzFilm()); ++i) {
            EXPECT_EQ(run.c.films()[i].FilmLength, k.lengths[i]) << k.what;
            EXPECT_EQ(ToUtf8(run.c.films()[i].Category.Strng), k.categories[i]) << k.what;
        }
        EXPECT_FALSE(run.ui.pending());
    }
}

TEST(Import, LineOfARow) {
    const ImportSheet sheet = SheetOf({{"Alien", "117", "Horror"}, {"", "117", ""}});
    struct Case {
        int row;
        ImportWindow w;
        const char* line;
    };
    ImportWindow dollar = Window(0, 9, 0, 3);
    ImportWindow fromB = Window(0, 9, 1, 2);
    ImportWindow semicolon = Window(0, 9, 0, 3);
    semicolon.cellSeparator = ';';
    for (const Case& k : {Case{0, dollar, "Alien$117$Horror"}, Case{0, fromB, "$117$Horror"},
                          Case{1, dollar, " $117$ "}, Case{0, semicolon, "Alien;117;Horror"}}) {
        bool content = false;
        EXPECT_EQ(BuildImportLine(sheet, sheet.rows().at(k.row), k.w, content), k.line);
        EXPECT_TRUE(content);
    }
}

TEST(Import, CuttingIntoFields) {
    struct Case {
        const char* line;
        std::vector<std::string> fields;
    };
    const std::vector<Case> cases = {
        {"Alien$117$Horror", {"Alien", "117", "Horror"}},
        {"$117", {"", "117"}},
        {" $117$ ", {"", "117"}},
        {"Alien $ 117", {"Alien ", "117"}},
        {"Alien$$Horror", {"Alien", "", "Horror"}},
        {"Alien$", {"Alien"}},
        {"\t\x01 Alien", {"Alien"}},
        {"", {}},
        {"Élodie$éclair$„Zitat“$€ 5$ß", {"Élodie", "éclair", "„Zitat“", "€ 5", "ß"}},
    };
    for (const auto& k : cases) {
        std::vector<std::string> fields;
        for (const auto& f : CutImportLine(ToCp1252(k.line), '$'))
            fields.push_back(ToUtf8(f));
        EXPECT_EQ(fields, k.fields) << k.line;
    }
}

// Every conversion of the table: a film per case with the one field set.
TEST(Import, FieldConversions) {
    struct Case {
        int entry;
        const char* field;
        std::function<bool(const TFilmV26&)> check;
    };
    const std::vector<Case> cases = {
        {ColLength, "117,9", [](const TFilmV26& f) { return f.FilmLength == 117; }},
        {ColLength, "-3,7", [](const TFilmV26& f) { return f.FilmLength == -3; }},
        {ColLength, "1 17", [](const TFilmV26& f) { return f.FilmLength == 117; }},
        {ColLength, "zwei", [](const TFilmV26& f) { return f.FilmLength == 0; }},
        {ColLength, "3000000000", [](const TFilmV26& f) { return f.FilmLength == 0; }},
        {ColCasNr, "2147483647", [](const TFilmV26& f) { return f.CasNr == 2147483647; }},
        {ColCasNr, "2147483648", [](const TFilmV26& f) { return f.CasNr == 0; }},
        {ColPos, "5", [](const TFilmV26& f) { return f.PosOnCas == 5; }},
        {ColDiscs, "1e12", [](const TFilmV26& f) { return f.AnzDiscs == 0; }},
        {ColYear, "99999999999", [](const TFilmV26& f) { return f.ProdYear == 0; }},
        {ColYear, "1979", [](const TFilmV26& f) { return f.ProdYear == 1979; }},
        {ColTwoChannel, " X ", [](const TFilmV26& f) { return f.TwoChannel; }},
        {ColCommercials, "x", [](const TFilmV26& f) { return !f.Commercials; }},
        {ColCommercials, "X", [](const TFilmV26& f) { return f.Commercials; }},
        {ColCommercials, "-", [](const TFilmV26& f) { return !f.Commercials; }},
        {ColRating, "SUPER", [](const TFilmV26& f) { return f.Rating == 2; }},
        {ColRating, "gut", [](const TFilmV26& f) { return f.Rating == -1; }},
        {ColCard, "Nicht Vorhanden", [](const TFilmV26& f) { return f.CatalogCard == 1; }},
        {ColCard, "vorhanden", [](const TFilmV26& f) { return f.CatalogCard == 0; }},
        {ColCard, "ja", [](const TFilmV26& f) { return f.CatalogCard == 2; }},
        {ColRecDate, "12.05.2001", [](const TFilmV26& f) { return f.RecDate == EncodeDate(2001, 5, 12); }},
        {ColRecDate, "1.2.99", [](const TFilmV26& f) { return f.RecDate == EncodeDate(1999, 2, 1); }},
        {ColRecDate, "31.02.2001", [](const TFilmV26& f) { return f.RecDate == 0; }},
        {ColRecDate, "2001-05-12", [](const TFilmV26& f) { return f.RecDate == 0; }},
        {ColLanguages, "Deutsch, Englisch", [](const TFilmV26& f) { return f.Languages == 3; }},
        {ColLanguages, "nur englisch", [](const TFilmV26& f) { return f.Languages == 2; }},
        {ColLanguages, "FRANZöSISCH/japanisch",
         [](const TFilmV26& f) { return f.Languages == (4 | (1 << 17)); }},
        {ColLentTo, "Hans",
         [](const TFilmV26& f) { return f.LentTo.Strng == "Hans" && f.LendStatus == LendLent; }},
        {ColSound, "stereo", [](const TFilmV26& f) { return f.SoundFormat == 3; }},
        {ColSound, "Quadro", [](const TFilmV26& f) { return f.SoundFormat == 0; }},
        {ColPicture, "4:3(Fernsehbild)", [](const TFilmV26& f) { return f.PictureFormat == 1; }},
        {ColPicture, "16:9 (breitbild)", [](const TFilmV26& f) { return f.PictureFormat == 6; }},
        {ColFsk, "ab 12", [](const TFilmV26& f) { return f.Fsk == 3; }},
        {ColFsk, "unbekannt", [](const TFilmV26& f) { return f.Fsk == 0; }},
        {ColRegion, "2: Europa, Japan, Südafrika, Mittl. Osten (inkl. Ägypt.)",
         [](const TFilmV26& f) { return f.DvdRegion == 3; }},
        {ColStorage, "dvd", [](const TFilmV26& f) { return f.StorageType == StDvd; }},
        {ColDiscs, "2", [](const TFilmV26& f) { return f.AnzDiscs == 2; }},
        {ColStars, "Sigourney Weaver", [](const TFilmV26& f) { return f.Stars.Strng == "Sigourney Weaver"; }},
        {ColPics, "3", [](const TFilmV26& f) { return f.AnzPics() == 0; }},
        // A field without content leaves the default.
        {ColCommercials, "   ", [](const TFilmV26& f) { return f.Commercials; }},
        {ColCard, " ", [](const TFilmV26& f) { return f.CatalogCard == 2; }},
    };
    for (const auto& k : cases) {
        Collection c;
        ScriptedDialogs ui;
        ImportRun run(c, Positions({{k.entry, 2}}), ui);
        ASSERT_TRUE(run.ImportEntry(ToCp1252(std::string("Titel$") + k.field), '$'));
        EXPECT_TRUE(k.check(c.Film(1))) << "entry " << k.entry << " field \"" << k.field << "\"";
    }
}

TEST(Import, FirstEntryOfAFieldNumberWinsAndFilmsAreNumbered) {
    Collection c;
    c.appendFilm([] {
        TFilmV26 f;
        f.FilmNr = 41;
        return f;
    }());
    ScriptedDialogs ui;
    // Entries 0 and 5 both claim field 1: the title (first in catalogue order) gets it.
    ImportRun run(c, Positions({{ColTitle, 1}, {ColDirector, 1}}), ui);
    ASSERT_TRUE(run.ImportEntry("Alien", '$'));
    ASSERT_TRUE(run.ImportEntry("Heat", '$'));
    EXPECT_EQ(c.Film(2).FilmName.Strng, "Alien");
    EXPECT_EQ(c.Film(2).Director.Strng, "");
    EXPECT_EQ(c.Film(2).FilmNr, 42);
    EXPECT_EQ(c.Film(3).FilmNr, 43);
    EXPECT_EQ(c.ActFilm, 3);
}

TEST(Import, NewStorageMediumIsAddedOnceAndTicked) {
    Import run;
    const ImportSheet sheet = SheetOf({{"Alien", "Blu-ray"}, {"Heat", "BLU-RAY"}, {"Ran", "DVD"}});
    run.sheet(sheet, Window(0, 3, 0, 2), Positions({{ColTitle, 1}, {ColStorage, 2}}));
    ASSERT_EQ(run.c.StorageMediaList.size(), 7u);
    EXPECT_EQ(run.c.StorageMediaList[6], (TSelectableStr{"Blu-ray", true, 7}));
    EXPECT_EQ(run.added, std::vector<int>{6});
    EXPECT_EQ(run.c.Film(1).StorageType, 64);
    EXPECT_EQ(run.c.Film(2).StorageType, 64);
    EXPECT_EQ(run.c.Film(3).StorageType, StDvd);
    EXPECT_FALSE(run.result.storedVideo);
}

TEST(Import, FullTableStopsWithTheFilmsSoFar) {
    Import run;
    run.c.films().resize(MaxFilms - 1);
    run.ui.expect(Box::Notice, "Konnte neuen Filmeintrag nicht anlegen.");
    run.sheet(SheetOf({{"Alien"}, {"Heat"}, {"Ran"}}), Window(0, 3, 0, 1), Positions({{ColTitle, 1}}));
    EXPECT_EQ(run.result.count, 1);
    EXPECT_TRUE(run.result.stopped);
    EXPECT_EQ(run.c.AnzFilm(), MaxFilms);
    EXPECT_EQ(run.c.Film(MaxFilms).FilmName.Strng, "Alien");
}

TEST(Import, PositionChecks) {
    struct Case {
        std::map<int, int> positions;
        const char* message; // UTF-8 part, "" for none
    };
    const std::vector<Case> cases = {
        {{{0, 3}, {1, 3}, {2, 1}, {4, 2}}, "Es existieren doppelte Zuweisungen!"},
        {{{0, 1}, {1, 1}}, "Es existieren doppelte Zuweisungen!"},
        {{{0, 1}, {1, 2}, {2, 4}}, "Es existieren Lücken in den Zuweisungen!"},
        {{{0, 1}, {1, 2}, {2, 3}}, ""},
        {{}, ""},
        {{{0, 1}, {5, -1}, {6, -1}}, ""},
        {{{0, 2}}, "Es existieren Lücken"},
        // Only the numbers up to 23 must all be there.
        {{{0, 1},   {1, 2},   {2, 3},   {3, 4},   {4, 5},   {5, 6},   {6, 7},   {7, 8},
          {8, 9},   {9, 10},  {10, 11}, {11, 12}, {12, 13}, {13, 14}, {14, 15}, {15, 16},
          {16, 17}, {17, 18}, {18, 19}, {19, 20}, {20, 21}, {21, 22}, {22, 23}, {23, 40}},
         ""},
    };
    for (const auto& k : cases) {
        std::array<int32_t, ImportCheckedEntries> p{};
        for (const auto& [entry, field] : k.positions)
            p[static_cast<std::size_t>(entry)] = field;
        const std::string message = ToUtf8(CheckImportPositions(p));
        if (*k.message == '\0') {
            EXPECT_EQ(message, "");
        } else {
            EXPECT_EQ(message.rfind(k.message, 0), 0u) << message;
            EXPECT_NE(message.find("\r\nBitte, überprüfen Sie die Import-Spaltenabfolge!"),
                      std::string::npos);
        }
    }
}

TEST(Import, SeparatorOfTheEditField) {
    EXPECT_EQ(SeparatorOf(" ;", '$'), ';');
    EXPECT_EQ(SeparatorOf("", '$'), '$');
    EXPECT_EQ(SeparatorOf("  ", ';'), ';');
}

TEST(ImportText, CsvRecords) {
    struct Case {
        const char* text;
        std::vector<std::vector<std::string>> records;
    };
    const std::vector<Case> cases = {
        {"a;b;c\r\nd;e;f\r\n", {{"a", "b", "c"}, {"d", "e", "f"}}},
        {"\"Alien; der 8.\";117\n", {{"Alien; der 8.", "117"}}},
        {"\"Zeile 1\r\nZeile 2\";2", {{"Zeile 1\r\nZeile 2", "2"}}},
        {"\"Er sagte \"\"Hallo\"\"\";3", {{"Er sagte \"Hallo\"", "3"}}},
        {"a;;c\n;\n", {{"a", "", "c"}, {"", ""}}},
        {" a; \" b\"", {{"a", " b"}}},
        {"", {}},
    };
    for (const auto& k : cases)
        EXPECT_EQ(CsvRecords(k.text, ';'), k.records) << k.text;
}

TEST(ImportText, CsvEncodings) {
    EXPECT_EQ(CsvText("\xEF\xBB\xBF\xC3\x89lodie"), "\xC9lodie");
    EXPECT_EQ(CsvText("\xC3\x89lodie \xE2\x82\xAC"), "\xC9lodie \x80");
    EXPECT_EQ(CsvText("\xC9lodie \x80"), "\xC9lodie \x80");
}

// The text import: header lines skipped, lines without content left out, the separator of the
// settings, Windows-1252 for .txt and the recognised encoding for .csv.
TEST(ImportText, Files) {
    TempFolder dir;
    Settings s;
    s.Trennzeichen = ';';
    s.ImportKopfzeilen = 1;
    const ColArrange columns = Positions({{ColTitle, 1}, {ColLength, 2}, {ColCategory, 3}});
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> titles; // UTF-8
        std::vector<std::string> categories;
    };
    const std::vector<Case> cases = {
        {"filme.txt",
         "Titel;L\xE4nge;Kategorie\r\nAlien;117;Horror\r\n\r\n\xC9lodie;90;Krimi \x84X\x93\r\n",
         {"Alien", "Élodie"},
         {"Horror", "Krimi „X“"}},
        {"filme.TXT", "Kopf\nAlien; 117 ;Horror", {"Alien"}, {"Horror"}},
        {"filme.csv",
         "\xEF\xBB\xBFTitel;L\xC3\xA4nge\r\n\"Alien; der 8.\";117;\"Horror\"\r\n;;\r\n\xC3\x89lodie;90;\r\n",
         {"Alien; der 8.", "Élodie"},
         {"Horror", ""}},
        {"filme.csv",
         "Kopf\n\xC9lodie;90;\"Krimi\nmit Zeilenumbruch\"\n",
         {"Élodie"},
         {"Krimi\nmit Zeilenumbruch"}},
    };
    for (const auto& k : cases) {
        const std::string file = dir.file(k.name);
        WriteBytes(file, k.bytes);
        Collection c;
        ScriptedDialogs ui;
        NoProgress progress;
        const ImportResult r = ImportFromFile(file, ImportKindOfName(file), s, c, columns, ui, progress);
        EXPECT_TRUE(r.read);
        EXPECT_EQ(r.count, static_cast<int>(k.titles.size())) << k.name;
        ASSERT_EQ(c.AnzFilm(), static_cast<int>(k.titles.size())) << k.name;
        for (int i = 0; i < c.AnzFilm(); ++i) {
            EXPECT_EQ(ToUtf8(c.films()[i].FilmName.Strng), k.titles[i]) << k.name;
            EXPECT_EQ(ToUtf8(c.films()[i].Category.Strng), k.categories[i]) << k.name;
        }
    }
}

TEST(ImportText, FullTableGivesTheErrorOfTheTextImport) {
    TempFolder dir;
    const std::string file = dir.file("filme.txt");
    WriteBytes(file, "Alien\nHeat\n");
    Collection c;
    c.films().resize(MaxFilms - 1);
    ScriptedDialogs ui;
    ui.expect(Box::Notice, "Konnte neuen Filmeintrag nicht anlegen.");
    ui.expect(Box::Error, "Fehler beim Importieren aus ");
    Settings s;
    NoProgress progress;
    const ImportResult r =
        ImportFromFile(file, ImportKind::Text, s, c, Positions({{ColTitle, 1}}), ui, progress);
    EXPECT_EQ(r.count, 1);
    EXPECT_TRUE(r.stopped);
    EXPECT_NE(ui.shown.back().text.find("filme.txt!"), std::string::npos);
}

// A file that cannot be read leaves the collection as it was, with one error box.
TEST(ImportText, UnreadableFilesImportNothing) {
    TempFolder dir;
    WriteBytes(dir.file("leer.xls"), "");
    WriteBytes(dir.file("text.xls"), "Alien$117\n");
    for (const char* name : {"leer.xls", "text.xls", "fehlt.xlsx"}) {
        Collection c;
        ScriptedDialogs ui;
        ui.expect(Box::Error, "Fehler beim Importieren aus ");
        Settings s;
        NoProgress progress;
        const ImportResult r = ImportFromFile(dir.file(name), ImportKindOfName(name), s, c,
                                              Positions({{ColTitle, 1}}), ui, progress);
        EXPECT_FALSE(r.read) << name;
        EXPECT_EQ(c.AnzFilm(), 0) << name;
    }
}

// The LibreOffice workbook through the whole import with the settings' window.
TEST(Import, LibreOfficeWorkbookEndToEnd) {
    Settings s;
    s.FirstRow2Read = 1;
    s.AnzRows2Read = 4;
    s.FirstCol2Read = 0;
    s.AnzCols2Read = 8;
    const ColArrange columns = Positions({{ColTitle, 1},
                                          {ColLength, 2},
                                          {ColCategory, 3},
                                          {ColYear, 4},
                                          {ColLanguages, 5},
                                          {ColCommercials, 6},
                                          {ColRecDate, 7},
                                          {ColStorage, 8}});
    for (const char* name : {"filme-libreoffice.xls", "filme-libreoffice.xlsx"}) {
        Collection c;
        ScriptedDialogs ui;
        NoProgress progress;
        const std::string file = std::string(KT_TEST_DATA) + "/import/" + name;
        const ImportResult r = ImportFromFile(file, ImportKindOfName(file), s, c, columns, ui, progress);
        ASSERT_EQ(r.count, 3) << name; // row 4 is empty
        EXPECT_TRUE(r.storedVideo);
        const TFilmV26& alien = c.Film(1);
        EXPECT_EQ(alien.FilmName.Strng, "Alien");
        EXPECT_EQ(alien.FilmLength, 117);
        EXPECT_EQ(alien.ProdYear, 1979);
        EXPECT_EQ(alien.Languages, 3);
        EXPECT_TRUE(alien.Commercials);
        EXPECT_EQ(alien.RecDate, EncodeDate(2001, 5, 12));
        EXPECT_EQ(alien.StorageType, StVideo);
        const TFilmV26& elodie = c.Film(2);
        EXPECT_EQ(ToUtf8(elodie.FilmName.Strng), "Élodie „Ça“ 5 €");
        EXPECT_EQ(elodie.FilmLength, 117);
        EXPECT_EQ(elodie.Languages, 2);
        EXPECT_FALSE(elodie.Commercials);
        EXPECT_EQ(elodie.StorageType, 64);
        EXPECT_EQ(c.StorageMediaList.back().Name, "Blu-ray");
        EXPECT_EQ(c.Film(3).FilmLength, -3);
        EXPECT_EQ(ToUtf8(ImportedText(r.count, file)).rfind("Es wurden 3 Datensätze aus ", 0), 0u);
    }
}
