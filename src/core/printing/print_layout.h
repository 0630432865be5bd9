#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

class FilmList;
struct ColArrange;

// The three fonts of a printed page, all Arial: the page header (height 40, italic), the column
// headings (30, bold italic) and the film rows (40, regular). Heights in 0.1 mm.
enum class PrintFont { Header, ColumnHeads, Rows };
int PrintFontHeight(PrintFont font);

// The width of a text (Windows-1252) in one of the fonts, in 0.1 mm. The front end measures; the
// layout only compares, so any unit-consistent measure gives the same page on screen and paper.
using MeasureText = std::function<int(PrintFont font, std::string_view text)>;

// One column of the print copy: the catalogue entry it shows (-1 when none could be found) and the
// entry's width in screen pixels, both taken when the copy is made.
struct PrintColumn {
    int entry = -1;
    int width = 0;
};

// The print copy of the film list: every cell of every row (row 0 the headings) as the grid held
// them when printing was asked for. Later changes of the list do not reach it.
class PrintCopy {
public:
    PrintCopy() = default;
    // The cells of `rows` rows of `columns.size()` columns; `cell(r, c)` gives each text.
    PrintCopy(std::vector<PrintColumn> columns, int rows,
              const std::function<std::string_view(int row, int col)>& cell);

    int RowCount() const { return static_cast<int>(rowText_.size()); }
    int ColCount() const { return static_cast<int>(columns_.size()); }
    // Rows below the headings (the grid has at least one, empty when no film is listed).
    int DataRows() const { return RowCount() > 0 ? RowCount() - 1 : 0; }
    std::string_view Cell(int row, int col) const;
    const PrintColumn& Column(int col) const { return columns_.at(static_cast<std::size_t>(col)); }

private:
    std::vector<PrintColumn> columns_;
    std::vector<std::string> rowText_;
    std::vector<uint32_t> cellEnd_;
};

// The copy of the list as the main window shows it. A column's entry is the attribute the list
// placed there (the heading decides only when the list knows none), so two attributes that the
// user gave the same heading keep their own widths and limits.
PrintCopy MakePrintCopy(const FilmList& list, const ColArrange& ca);

// The number of characters a column of catalogue entry `entry` prints at most.
int PrintCharLimit(int entry);

// The printable area of the printer in whole millimetres.
struct PrintArea {
    int druckbreite = 0;
    int DruckHoehe = 0;
};

// Positions in 0.1 mm: x to the right from the left edge of the printable area, y upward from
// its top edge, so that everything on the page has y <= 0.
enum class PrintAlign { LeftTop, CenterBottom };
struct PrintText {
    PrintFont font = PrintFont::Rows;
    PrintAlign align = PrintAlign::LeftTop;
    int x = 0;
    int y = 0;
    std::string text; // Windows-1252
};
struct PrintLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
struct PrintedPage {
    int width = 0;  // druckbreite * 10
    int height = 0; // DruckHoehe * 10
    std::vector<PrintText> texts;
    std::vector<PrintLine> lines;
};

// "d.m.yyyy" without leading zeros, as the page header shows the date.
std::string PrintDateText(double dateTime);

// The paging of the print copy and the layout of one page, shared by the preview, printing and
// the tool. The page length is not known before the first page has been laid out on a printer.
class PrintLayout {
public:
    static constexpr int Unfixed = INT_MAX;
    static constexpr int LeftMargin = 100;
    static constexpr int RightMargin = 100;
    static constexpr int BottomMargin = 100;
    static constexpr int LineHeight = 50;

    explicit PrintLayout(PrintCopy copy);

    // The displayed page, from 1.
    int Seite = 1;
    // Rows per page; Unfixed until a drawing found the page full.
    int LinesPerPage = Unfixed;
    // 0 until LinesPerPage is fixed.
    uint16_t TotalPages = 0;
    // The first grid row of the displayed page.
    int StartCell = 1;

    int PageCount() const { return TotalPages == 0 ? 1 : TotalPages; }
    bool PageLengthFixed() const { return LinesPerPage != Unfixed; }
    // StartCell for Seite.
    void SetStartCell();
    // Forgets the page length (another printer or paper): the next drawing fixes it anew.
    void ResetPageLength();

    // Lays out the displayed page on a printable area of `area`, dated `date`. While the page
    // length is open and the rows do not fit on one page, this fixes LinesPerPage and the page
    // count first (true is returned then) and keeps Seite inside the pages.
    bool Ausgabe(const PrintArea& area, const MeasureText& measure, const std::string& date,
                 PrintedPage& page);

    // The header line "Kassotek Ausdruck vom ..." widened with blanks to the width of the area.
    std::string HeaderText(const PrintArea& area, const MeasureText& measure, const std::string& date) const;
    // Where column `col` starts (the column after the last included).
    int ColumnX(int col) const;
    const PrintCopy& copy() const { return copy_; }

private:
    bool FixPageLength(const PrintArea& area);
    void Print_Eintrag(int lineIndex, int row, int baseY, PrintFont font, const PrintArea& area,
                       const MeasureText& measure, PrintedPage& page) const;

    PrintCopy copy_;
    std::vector<int> columnX_;
};

} // namespace kt
