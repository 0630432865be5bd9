#include "printing/print_layout.h"

#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "text/helpers.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kt {

namespace {

constexpr int HeaderBottom = -100;
constexpr int RuleY = -105;
constexpr int HeadingsY = -150;
constexpr int RowsY = -200;
// The gap a fitted text keeps to the next column.
constexpr int ColumnGap = 20;
const std::string Ellipsis = " ...";

// Character limits of catalogue entries 0 to 24. Entries 18 to 24 take the character count of the
// sample text their column width is derived from, so their texts and headings print.
constexpr std::array<int, 25> CharLimits = {50,  3,   6,  1,  18, 15, 10, 4,  1,  1,  10, 10, 80,
                                            255, 255, 10, 10, 20, 16, 16, 16, 16, 14, 8,  6};
// A column whose entry is unknown.
constexpr int UnknownEntryLimit = 255;
// More blanks than any printable area can want: the widening stops there whatever the measure says.
constexpr int MaxHeaderBlanks = 10000;

std::string WithoutLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text)
        if (ch != '\r' && ch != '\n')
            out += ch;
    return out;
}

} // namespace

int PrintFontHeight(PrintFont font) {
    return font == PrintFont::ColumnHeads ? 30 : 40;
}

PrintCopy::PrintCopy(std::vector<PrintColumn> columns, int rows,
                     const std::function<std::string_view(int row, int col)>& cell)
    : columns_(std::move(columns)) {
    rowText_.resize(static_cast<std::size_t>(std::max(rows, 0)));
    cellEnd_.resize(rowText_.size() * columns_.size());
    std::size_t k = 0;
    for (int r = 0; r < RowCount(); ++r) {
        std::string& text = rowText_[static_cast<std::size_t>(r)];
        for (int c = 0; c < ColCount(); ++c) {
            text += cell(r, c);
            cellEnd_[k++] = static_cast<uint32_t>(text.size());
        }
    }
}

std::string_view PrintCopy::Cell(int row, int col) const {
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount())
        return {};
    const std::size_t base = static_cast<std::size_t>(row) * columns_.size();
    const uint32_t begin = col == 0 ? 0 : cellEnd_[base + static_cast<std::size_t>(col) - 1];
    const uint32_t end = cellEnd_[base + static_cast<std::size_t>(col)];
    return std::string_view(rowText_[static_cast<std::size_t>(row)]).substr(begin, end - begin);
}

PrintCopy MakePrintCopy(const FilmList& list, const ColArrange& ca) {
    std::vector<PrintColumn> columns(static_cast<std::size_t>(list.ColCount()));
    for (int col = 0; col < list.ColCount(); ++col) {
        PrintColumn& pc = columns[static_cast<std::size_t>(col)];
        pc.entry = list.ColumnAttribute(col);
        if (pc.entry < 0)
            pc.entry = EntryOfHeader(ca, std::string(list.Cell(0, col)));
        pc.width = pc.entry >= 0 ? ca[pc.entry].Width : list.ColumnWidth(col);
    }
    return PrintCopy(std::move(columns), list.RowCount(), [&](int r, int c) { return list.Cell(r, c); });
}

int PrintCharLimit(int entry) {
    if (entry < 0 || entry >= static_cast<int>(CharLimits.size()))
        return UnknownEntryLimit;
    return CharLimits[static_cast<std::size_t>(entry)];
}

std::string PrintDateText(double dateTime) {
    int y = 0, m = 0, d = 0;
    if (!DecodeDate(dateTime, y, m, d))
        return {};
    return std::to_string(d) + "." + std::to_string(m) + "." + std::to_string(y);
}

PrintLayout::PrintLayout(PrintCopy copy) : copy_(std::move(copy)) {
    // Widths come from the configuration: a negative or absurd one must not fold columns back.
    long long x = LeftMargin;
    columnX_.push_back(LeftMargin);
    for (int c = 0; c < copy_.ColCount(); ++c) {
        x += 3LL * std::clamp(copy_.Column(c).width, 0, 100000) + 5;
        columnX_.push_back(static_cast<int>(std::min<long long>(x, INT_MAX / 2)));
    }
}

int PrintLayout::ColumnX(int col) const {
    return columnX_.at(static_cast<std::size_t>(std::clamp(col, 0, copy_.ColCount())));
}

void PrintLayout::SetStartCell() {
    const long long start = (static_cast<long long>(Seite) - 1) * LinesPerPage;
    StartCell = start == 0 ? 1 : static_cast<int>(std::min<long long>(start, INT_MAX));
}

void PrintLayout::ResetPageLength() {
    LinesPerPage = Unfixed;
    TotalPages = 0;
}

bool PrintLayout::FixPageLength(const PrintArea& area) {
    if (PageLengthFixed())
        return false;
    // The page is full with the first row whose line on page 1 lies below the bottom limit; the
    // length is fixed from page 1 whichever page is shown, so that a new printer chosen while a
    // later page is displayed gets the same length.
    const int bottom = -area.DruckHoehe * 10 + BottomMargin;
    const int room = RowsY - bottom;
    const int firstBelow = room < 0 ? 1 : room / LineHeight + 2;
    if (copy_.RowCount() - 1 < firstBelow)
        return false;
    // A page shorter than three lines still pages through the rows.
    LinesPerPage = std::max(firstBelow - 2, 2);
    TotalPages = static_cast<uint16_t>(std::min(copy_.DataRows() / LinesPerPage + 1, 65535));
    return true;
}

std::string PrintLayout::HeaderText(const PrintArea& area, const MeasureText& measure,
                                    const std::string& date) const {
    std::string text = "Kassotek Ausdruck vom " + date + " Seite " + std::to_string(Seite) + " von " +
                       std::to_string(PageCount());
    const int wanted = area.druckbreite * 10 - 2 * LeftMargin;
    int width = measure(PrintFont::Header, " " + text);
    for (int i = 1; i <= MaxHeaderBlanks && width < wanted; ++i) {
        const std::size_t at = text.find(i % 2 == 1 ? " Ausdruck" : " Seite");
        if (at == std::string::npos)
            break;
        text.insert(at, 1, ' ');
        const int widened = measure(PrintFont::Header, " " + text);
        // A blank that measures nothing (a tiny or broken font) would widen for ever.
        if (widened <= width)
            break;
        width = widened;
    }
    return text;
}

void PrintLayout::Print_Eintrag(int lineIndex, int row, int baseY, PrintFont font, const PrintArea& area,
                                const MeasureText& measure, PrintedPage& page) const {
    const int y = baseY - LineHeight * (lineIndex % LinesPerPage);
    const int rightLimit = area.druckbreite * 10 - RightMargin;
    for (int c = 0; c < copy_.ColCount(); ++c) {
        const int x = columnX_[static_cast<std::size_t>(c)];
        // Nothing starting at the margin or beyond can be drawn.
        if (x >= rightLimit)
            break;
        const int entry = copy_.Column(c).entry;
        const int limit = PrintCharLimit(entry);
        std::string text = WithoutLineBreaks(copy_.Cell(row, c));
        if (static_cast<int>(text.size()) > limit)
            text.resize(static_cast<std::size_t>(limit));

        // Shortest cut that keeps " ..." before the margin and the next column. The widths grow
        // with the length, so the search finds what cutting one character at a time finds.
        const int bound = std::min(rightLimit, columnX_[static_cast<std::size_t>(c) + 1] - ColumnGap);
        auto reaches = [&](std::size_t length) {
            return x + measure(font, text.substr(0, length) + Ellipsis) >= bound;
        };
        if (text.size() >= 3 && reaches(text.size())) {
            std::size_t lo = 2, hi = text.size() - 1;
            while (lo < hi) {
                const std::size_t mid = (lo + hi + 1) / 2;
                if (reaches(mid))
                    hi = mid - 1;
                else
                    lo = mid;
            }
            text.resize(lo);
            text += Ellipsis;
        }

        int width = measure(font, text);
        if (entry == ColLength || entry == ColCasNr) {
            const int wanted = measure(font, "A") * limit;
            while (width < wanted) {
                const int widened = measure(font, " " + text);
                if (widened <= width)
                    break;
                text.insert(0, 1, ' ');
                width = widened;
            }
        }
        if (x + width < rightLimit)
            page.texts.push_back({font, PrintAlign::LeftTop, x, y, std::move(text)});
    }
}

bool PrintLayout::Ausgabe(const PrintArea& area, const MeasureText& measure, const std::string& date,
                          PrintedPage& page) {
    const bool fixed = FixPageLength(area);
    Seite = std::clamp(Seite, 1, PageCount());
    SetStartCell();

    page = PrintedPage{};
    page.width = area.druckbreite * 10;
    page.height = area.DruckHoehe * 10;
    page.texts.push_back({PrintFont::Header, PrintAlign::CenterBottom, page.width / 2, HeaderBottom,
                          HeaderText(area, measure, date)});
    page.lines.push_back({LeftMargin, RuleY, page.width - RightMargin, RuleY});
    Print_Eintrag(0, 0, HeadingsY, PrintFont::ColumnHeads, area, measure, page);
    const int lastRow = copy_.RowCount() - 1;
    for (int i = StartCell; i <= lastRow; ++i) {
        if (i > StartCell && i % LinesPerPage == 0)
            break;
        Print_Eintrag(Seite == 1 ? i - 1 : i, i, RowsY, PrintFont::Rows, area, measure, page);
    }
    return fixed;
}

} // namespace kt
