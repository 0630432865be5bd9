#include "film_fixture.h"
#include "persist_support.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include "catalogue/col_arrange.h"
#include "exchange/biff8.h"
#include "exchange/excel_export.h"
#include "exchange/import_file.h"
#include "exchange/import_sheet.h"
#include "exchange/workbook.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "persistence/file_ops.h"
#include "settings/settings.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

using namespace kt;
using namespace kt::literals;
using kt::test::AddFilm;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

// "B12" -> (column 1, row 11).
std::pair<int, int> CellPlace(const std::string& ref) {
    int col = 0;
    std::size_t i = 0;
    for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z'; ++i)
        col = col * 26 + (ref[i] - 'A' + 1);
    return {col - 1, std::stoi(ref.substr(i)) - 1};
}

// What an independent reader finds in a workbook: sheet names and every non-empty cell.
struct ReadBack {
    bool ran = false;
    std::vector<std::string> sheets;
    std::map<std::pair<int, int>, std::string> cells; // (row, col) of sheet 0 -> UTF-8 text
    std::string text(int row, int col) const {
        const auto it = cells.find({row, col});
        return it == cells.end() ? std::string() : it->second;
    }
};

std::string Run(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[65536];
        std::size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        if (::pclose(p) != 0)
            return {};
    }
    return out;
}

// The system's Python, where the Debian packages of the readers are installed.
const std::string Python = "/usr/bin/python3";

bool HasPython(const char* module) {
    return std::system((Python + " -c 'import " + std::string(module) + "' 2>/dev/null").c_str()) == 0;
}

// Reads with Python's xlrd (.xls) or openpyxl (.xlsx); texts come back hex-encoded UTF-8.
ReadBack ReadWithPython(const std::string& file, bool xlsx) {
    const std::string xls = "import sys, xlrd\n"
                            "b = xlrd.open_workbook(sys.argv[1])\n"
                            "for s in b.sheets(): print('S', s.name.encode().hex())\n"
                            "s = b.sheet_by_index(0)\n"
                            "for r in range(s.nrows):\n"
                            "  for c in range(s.ncols):\n"
                            "    v = s.cell_value(r, c)\n"
                            "    if s.cell_type(r, c) != xlrd.XL_CELL_TEXT: continue\n"
                            "    print('C', r, c, v.encode().hex())\n";
    const std::string openpyxl =
        "import sys, openpyxl\n"
        "b = openpyxl.load_workbook(sys.argv[1])\n"
        "for s in b.worksheets: print('S', s.title.encode().hex())\n"
        "for row in b.worksheets[0].iter_rows():\n"
        "  for c in row:\n"
        "    if c.value is not None: print('C', c.row - 1, c.column - 1, str(c.value).encode().hex())\n";
    test::TempFolder dir;
    test::WriteBytes(dir.file("read.py"), xlsx ? openpyxl : xls);
    const std::string out = Run(Python + " " + dir.file("read.py") + " '" + file + "'");
    ReadBack rb;
    rb.ran = !out.empty();
    auto unhex = [](const std::string& h) {
        std::string s;
        for (std::size_t i = 0; i + 1 < h.size(); i += 2)
            s += static_cast<char>(std::stoi(h.substr(i, 2), nullptr, 16));
        return s;
    };
    std::istringstream in(out);
    std::string kind;
    while (in >> kind) {
        if (kind == "S") {
            std::string name;
            in >> name;
            rb.sheets.push_back(unhex(name));
        } else {
            int r = 0, c = 0;
            std::string hex;
            in >> r >> c;
            std::getline(in, hex);
            rb.cells[{r, c}] = unhex(hex.empty() ? hex : hex.substr(1));
        }
    }
    return rb;
}

#define REQUIRE_READER(module)                                                                               \
    if (!HasPython(module))                                                                                  \
    GTEST_SKIP() << "python3-" module " is not installed"

const std::string Euro = "Preis 5 € – „gut“";

} // namespace

TEST(Workbook, TextsOfEveryKindComeBackFromAnIndependentReader) {
    REQUIRE_READER("xlrd");
    test::TempFolder dir;
    Workbook wb;
    wb.SetFileName(dir.file("mappe.xls"));
    ASSERT_TRUE(wb.SetSheetName(0, "Kassotek-Daten"));
    const std::string longText(Workbook::MaxTextLength, 'x');
    // A long text beyond Latin-1 spans several CONTINUE records, restarting with its flags byte.
    std::string longUtf16;
    for (int i = 0; i < 20000; ++i)
        longUtf16 += i % 7 == 0 ? "€" : "ä";
    const std::vector<std::string> texts = {
        "Schöne Grüße aus Köln", Euro, "eins\nzwei", "", longText, longUtf16, "ÿ Latin-1 bis zum Ende"};
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(wb.SetText(0, static_cast<int>(i), 0, texts[i]));
    // 20000 rows of distinct texts: an SST far beyond one record.
    for (int r = 1; r <= 20000; ++r) {
        wb.SetText(0, 0, r, "Film Nummer " + std::to_string(r) + (r % 3 ? " ä" : " €"));
        wb.SetText(0, 1, r, r % 2 ? "X" : "-");
    }
    std::string error;
    ASSERT_TRUE(wb.Write(error)) << error;

    const ReadBack rb = ReadWithPython(wb.FileName(), false);
    ASSERT_TRUE(rb.ran);
    EXPECT_EQ(rb.sheets, std::vector<std::string>{"Kassotek-Daten"});
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(rb.text(0, static_cast<int>(i)), texts[i]) << "column " << i;
    for (int r : {1, 2, 3, 4095, 8191, 19999, 20000}) {
        EXPECT_EQ(rb.text(r, 0), "Film Nummer " + std::to_string(r) + (r % 3 ? " ä" : " €")) << r;
        EXPECT_EQ(rb.text(r, 1), r % 2 ? "X" : "-") << r;
    }
    // The empty text is a text cell too.
    EXPECT_EQ(rb.cells.size(), texts.size() + 40000);
}

TEST(Workbook, CellsSheetsAndLimitsFollowTheirRules) {
    Workbook wb;
    EXPECT_EQ(wb.SheetCount(), 1);
    EXPECT_TRUE(wb.SetText(0, 2, 5, "spät"));
    EXPECT_TRUE(wb.SetText(0, 0, 1, "früh"));
    EXPECT_TRUE(wb.SetText(0, 2, 5, "ersetzt"));
    EXPECT_EQ(wb.Text(0, 2, 5), "ersetzt");
    EXPECT_EQ(wb.Text(0, 0, 1), "früh");
    EXPECT_EQ(wb.Text(0, 1, 1), "");
    EXPECT_EQ(wb.RowCount(0), 6);
    EXPECT_EQ(wb.ColumnCount(0), 3);

    EXPECT_TRUE(wb.SetText(0, 255, 65535, "Ecke"));
    for (auto [col, row] : {std::pair{256, 0}, {0, 65536}, {-1, 0}, {0, -1}})
        EXPECT_FALSE(wb.SetText(0, col, row, "nein")) << col << "," << row;
    EXPECT_FALSE(wb.SetText(1, 0, 0, "kein Blatt"));
    // Cut at the cell limit, never inside a character that needs two UTF-16 units.
    wb.SetText(0, 0, 0, std::string(Workbook::MaxTextLength - 1, 'a') + "😀");
    EXPECT_EQ(wb.Text(0, 0, 0), std::string(Workbook::MaxTextLength - 1, 'a'));

    for (const char* bad :
         {"", "a:b", "a/b", "a\\b", "a?b", "a*b", "[a]", "1234567890123456789012345678901x"})
        EXPECT_FALSE(wb.SetSheetName(0, bad)) << bad;
    EXPECT_TRUE(wb.SetSheetName(0, "Übersicht 2024"));
    wb.AddSheet("Zweite");
    wb.Reset();
    EXPECT_EQ(wb.SheetCount(), 1);
    EXPECT_EQ(wb.RowCount(0), 0);
    EXPECT_TRUE(wb.SharedTexts().empty());

    EXPECT_EQ(biff8::Utf8FromUtf16(biff8::Utf16FromUtf8(Euro + "😀")), Euro + "😀");
    // A stray Windows-1252 byte is read as that character.
    EXPECT_EQ(biff8::Utf8FromUtf16(biff8::Utf16FromUtf8("\x80 Gr\xFC\xDF")), "€ Grüß");
    EXPECT_EQ(WorkbookFormatOf("a/b.XLSX"), WorkbookFormat::Xlsx);
    EXPECT_EQ(WorkbookFormatOf("a/b.xls"), WorkbookFormat::Excel97);
}

TEST(Workbook, AFailedWriteLeavesTheEarlierFileAndSaysWhyInGerman) {
    test::TempFolder dir;
    Workbook wb;
    wb.SetText(0, 0, 0, "alt");
    std::string error;
    wb.SetFileName(dir.file("fehlt/mappe.xls"));
    EXPECT_FALSE(wb.Write(error));
    EXPECT_EQ(ToUtf8(error), "Fehler beim Schreiben: Ordner nicht gefunden");

    for (WorkbookFormat format : {WorkbookFormat::Excel97, WorkbookFormat::Xlsx}) {
        const std::string file = dir.file(format == WorkbookFormat::Xlsx ? "m.xlsx" : "m.xls");
        wb.SetFileName(file);
        wb.SetFormat(format);
        ASSERT_TRUE(wb.Write(error)) << error;
        const std::string before = test::ReadBytes(file);
        struct FullDisk : FileOps {
            FullDisk() { SetFileOps(this); }
            ~FullDisk() override { SetFileOps(nullptr); }
            int write(int, const char*, std::size_t, std::size_t& written) override {
                written = 0;
                return ENOSPC;
            }
        } full;
        wb.SetText(0, 0, 1, "neu");
        EXPECT_FALSE(wb.Write(error));
        EXPECT_EQ(ToUtf8(error), "Fehler beim Schreiben: Datenträger voll");
        EXPECT_EQ(test::ReadBytes(file), before);
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"m.xls", "m.xlsx"}));
}

namespace {

struct ExcelExport : ::testing::Test {
    Collection c;
    Settings s;
    ColArrange ca;
    FilterSearch fs;
    ScriptedDialogs ui;
    test::TempFolder dir;
    NoProgress progress;

    void ShowFour() {
        for (int n = 0; n < ColCount; ++n) {
            ca[n].Show = n == ColTitle || n == ColLength || n == ColCategory || n == ColYear;
            ca[n].Pos = -1;
        }
        ca[ColTitle].Pos = 0, ca[ColYear].Pos = 1, ca[ColCategory].Pos = 2, ca[ColLength].Pos = 3;
    }
};

} // namespace

TEST(ExcelExportText, LineBreaksBecomeSingleLineFeeds) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"eins\r\nzwei", "eins\nzwei"}, {"eins\rzwei", "eins\nzwei"}, {"eins\nzwei", "eins\nzwei"},
        {"\r\r\n\n", "\n\n\n"},         {"ende\r", "ende\n"},         {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(NormaliseLineBreaks(in), out);
}

TEST_F(ExcelExport, TheSheetHoldsTheGridAsShownAndReplacesAnEarlierWorkbook) {
    REQUIRE_READER("xlrd");
    ShowFour();
    auto& a = AddFilm(c, "Ärger im Büro");
    a.FilmLength = 90, a.Category.Strng = "Komödie"_cp, a.ProdYear = 1999;
    a.Content.Strng = "Zeile 1\r\nZeile 2";
    auto& b = AddFilm(c, "Béla – der „Film“");
    b.Category.Strng = "Drama\rKrimi";
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));

    // An earlier workbook of two sheets under the chosen name.
    const std::string file = dir.file("liste.xls");
    Workbook old;
    old.SetFileName(file);
    old.AddSheet("Zwei");
    std::string error;
    ASSERT_TRUE(old.Write(error));

    int rowsDone = 0;
    ASSERT_TRUE(ExportWorkbookFile(list, file, WorkbookFormat::Excel97, ui, progress, [&] { ++rowsDone; }));
    EXPECT_EQ(rowsDone, 3);
    const ReadBack rb = ReadWithPython(file, false);
    ASSERT_TRUE(rb.ran);
    EXPECT_EQ(rb.sheets, std::vector<std::string>{"Kassotek-Daten"});
    const std::vector<std::vector<std::string>> expected = {
        {"Filmtitel", "Jahr", "Kategorie", "Länge"},
        // Windows-1252's dash and quotes are beyond Latin-1 and come back as themselves.
        {"Béla – der „Film“", "", "Drama\nKrimi", ""},
        {"Ärger im Büro", "1999", "Komödie", "90"},
    };
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(rb.text(r, col), expected[static_cast<std::size_t>(r)][static_cast<std::size_t>(col)])
                << r << "," << col;
}

TEST_F(ExcelExport, AnEmptyListGivesTheHeaderRowAndXlsxHoldsTheSameCells) {
    ShowFour();
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    Workbook wb;
    FillWorkbook(wb, list);
    EXPECT_EQ(wb.RowCount(0), 2);
    EXPECT_EQ(wb.Text(0, 3, 0), "Länge");
    EXPECT_EQ(wb.Text(0, 0, 1), "");

    REQUIRE_READER("openpyxl");
    auto& a = AddFilm(c, "Ärger € im Büro");
    a.Content.Strng = "Zeile 1\r\nZeile 2";
    a.Category.Strng = "Krimi";
    ASSERT_TRUE(list.SetAusgabeData(ui));
    const std::string file = dir.file("liste.xlsx");
    ASSERT_TRUE(ExportWorkbookFile(list, file, WorkbookFormat::Xlsx, ui, progress));
    const ReadBack rb = ReadWithPython(file, true);
    ASSERT_TRUE(rb.ran);
    EXPECT_EQ(rb.sheets, std::vector<std::string>{"Kassotek-Daten"});
    EXPECT_EQ(rb.text(0, 0), "Filmtitel");
    EXPECT_EQ(rb.text(1, 0), "Ärger € im Büro");
    EXPECT_EQ(rb.text(1, 2), "Krimi");
}

TEST_F(ExcelExport, AFailedWriteIsAnErrorBoxNamingTheFile) {
    ShowFour();
    AddFilm(c, "Alpha");
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    const std::string file = dir.file("fehlt/liste.xls");
    ui.expect(Box::Error,
              "Export nach " + file + " ist fehlgeschlagen!\r\nFehler beim Schreiben: Ordner nicht gefunden");
    EXPECT_FALSE(ExportWorkbookFile(list, file, WorkbookFormat::Excel97, ui, progress));
}

TEST_F(ExcelExport, LibreOfficeOpensTheWorkbook) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice is not installed";
    ShowFour();
    auto& a = AddFilm(c, "Ärger im Büro");
    a.Category.Strng = "Komödie"_cp, a.ProdYear = 1999;
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    const std::string file = dir.file("liste.xls");
    ASSERT_TRUE(ExportWorkbookFile(list, file, WorkbookFormat::Excel97, ui, progress));
    // A private profile, so that a running office or another test does not interfere.
    const std::string cmd = "cd '" + dir.path() + "' && HOME='" + dir.path() +
                            "' timeout 120 soffice --headless -env:UserInstallation=file://" + dir.path() +
                            "profile --convert-to csv:\"Text - txt - csv (StarCalc)\":44,34,76 liste.xls "
                            ">/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0 || !FileExists(dir.file("liste.csv")))
        GTEST_SKIP() << "soffice is there but could not convert";
    EXPECT_EQ(test::ReadBytes(dir.file("liste.csv")), "Filmtitel,Jahr,Kategorie,Länge\n"
                                                      "Ärger im Büro,1999,Komödie,\n");
}

// What the export writes, the import reads back: both halves of the workbook engine agree on texts
// beyond Latin-1, line breaks, a string split over CONTINUE records and empty cells in the range.
TEST(Workbook, TheImportReadsWhatTheExportWrote) {
    std::string longText;
    for (int i = 0; i < 3000; ++i)
        longText += "Größe € ";
    std::vector<std::pair<std::string, std::string>> cells = {
        {"A1", "Filmtitel"}, {"B1", "Länge"}, {"C1", "Inhalt"},
        {"A2", "Ärger im Büro"}, {"B2", "117"}, {"C2", "Preis 5 € – „gut“"},
        {"A3", "Zeile 1\nZeile 2"}, {"C3", longText},
    };
    // Enough distinct texts that the shared-string table continues over several records.
    for (int r = 4; r < 2004; ++r)
        cells.push_back({"A" + std::to_string(r), "Film Nr. " + std::to_string(r) + " – Teil ß"});

    test::TempFolder dir;
    for (const WorkbookFormat format : {WorkbookFormat::Excel97, WorkbookFormat::Xlsx}) {
        const bool xls = format == WorkbookFormat::Excel97;
        const std::string file = dir.file(xls ? "runde.xls" : "runde.xlsx");
        Workbook book;
        book.SetFileName(file);
        book.SetFormat(format);
        ASSERT_TRUE(book.SetSheetName(0, "Kassotek-Daten"));
        for (const auto& [ref, text] : cells) {
            const auto [col, row] = CellPlace(ref);
            ASSERT_TRUE(book.SetText(0, col, row, text));
        }
        std::string error;
        ASSERT_TRUE(book.Write(error)) << error;

        ImportSheet sheet;
        SheetReadError readError;
        ASSERT_TRUE(ReadImportWorkbook(test::ReadBytes(file), xls ? ImportKind::Xls : ImportKind::Xlsx, sheet, readError))
            << ToUtf8(readError.message);
        EXPECT_EQ(sheet.lastRow(), 2002) << file;
        EXPECT_EQ(sheet.lastCol(), 2) << file;
        for (const auto& [ref, text] : cells) {
            const auto [col, row] = CellPlace(ref);
            EXPECT_EQ(ToUtf8(sheet.text(col, row)), text) << file << ' ' << ref;
        }
        EXPECT_EQ(sheet.text(1, 2), "") << file; // B3 lies inside the range and stays empty
    }
}
