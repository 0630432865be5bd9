#include "film_fixture.h"
#include "scripted_dialogs.h"

#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "printing/print_layout.h"
#include "settings/settings.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace kt;
using namespace kt::literals;

namespace {

// A font where a blank is 10 units wide and every other character 20 (15 in the headings).
int Measure(PrintFont font, std::string_view text) {
    int w = 0;
    for (char ch : text)
        w += ch == ' ' ? 10 : 20;
    return font == PrintFont::ColumnHeads ? w * 3 / 4 : w;
}

const PrintArea A4{200, 287};

// Title (280 px), length (46 px) and cassette number (52 px) columns with `films` rows.
PrintCopy Films(int films, const std::string& title = "Film") {
    std::vector<std::vector<std::string>> rows = {{"Filmtitel", "Länge"_cp, "Cas.Nr."}};
    for (int i = 1; i <= films; ++i)
        rows.push_back({title + " " + std::to_string(i), std::to_string(60 + i % 90), std::to_string(i)});
    return PrintCopy({{ColTitle, 280}, {ColLength, 46}, {ColCasNr, 52}}, static_cast<int>(rows.size()),
                     [rows](int r, int c) -> std::string_view {
                         return rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                     });
}

PrintedPage Page(PrintLayout& layout, int seite, const PrintArea& area = A4) {
    layout.Seite = seite;
    PrintedPage page;
    layout.Ausgabe(area, Measure, "3.1.2027", page);
    return page;
}

// The texts of the film rows of a page, by column x, from top to bottom.
std::vector<std::string> Column(const PrintedPage& page, int x) {
    std::vector<const PrintText*> hits;
    for (const PrintText& t : page.texts)
        if (t.font == PrintFont::Rows && t.x == x)
            hits.push_back(&t);
    std::sort(hits.begin(), hits.end(), [](auto* a, auto* b) { return a->y > b->y; });
    std::vector<std::string> out;
    for (const PrintText* t : hits)
        out.push_back(t->text);
    return out;
}

const PrintText* Heading(const PrintedPage& page, int x) {
    for (const PrintText& t : page.texts)
        if (t.font == PrintFont::ColumnHeads && t.x == x)
            return &t;
    return nullptr;
}

std::string Trimmed(const std::string& s) {
    std::string out;
    for (char ch : s)
        if (ch != ' ' || (!out.empty() && out.back() != ' '))
            out += ch;
    return out;
}

} // namespace

TEST(PrintLayout, PagesOfListsLongAndShort) {
    struct Case {
        int films;
        int linesPerPage; // 0: not fixed
        std::vector<int> perPage;
    };
    const Case cases[] = {
        {120, 51, {50, 51, 19}}, {30, 0, {30}},       {52, 0, {52}},
        {53, 51, {50, 3}},       {101, 51, {50, 51}}, {102, 51, {50, 51, 1}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.films);
        PrintLayout layout(Films(k.films));
        PrintedPage first;
        const bool fixed = layout.Ausgabe(A4, Measure, "3.1.2027", first);
        EXPECT_EQ(fixed, k.linesPerPage != 0);
        EXPECT_EQ(layout.LinesPerPage, k.linesPerPage ? k.linesPerPage : PrintLayout::Unfixed);
        EXPECT_EQ(layout.TotalPages, k.linesPerPage ? static_cast<int>(k.perPage.size()) : 0);
        ASSERT_EQ(layout.PageCount(), static_cast<int>(k.perPage.size()));
        int next = 1;
        for (int p = 1; p <= layout.PageCount(); ++p) {
            const PrintedPage page = Page(layout, p);
            const auto titles = Column(page, 100);
            ASSERT_EQ(static_cast<int>(titles.size()), k.perPage[static_cast<std::size_t>(p - 1)]) << p;
            EXPECT_EQ(titles.front(), "Film " + std::to_string(next));
            next += static_cast<int>(titles.size());
            const std::string header = Trimmed(page.texts.front().text);
            const std::string ending =
                "Seite " + std::to_string(p) + " von " + std::to_string(layout.PageCount());
            EXPECT_TRUE(header.ends_with(ending)) << header;
        }
        EXPECT_EQ(next, k.films + 1);
    }
}

TEST(PrintLayout, RowsLieOnTheLinesOfThePage) {
    PrintLayout layout(Films(120));
    const PrintedPage p1 = Page(layout, 1);
    EXPECT_EQ(p1.width, 2000);
    EXPECT_EQ(p1.height, 2870);
    ASSERT_EQ(p1.lines.size(), 1u);
    EXPECT_EQ((std::vector<int>{p1.lines[0].x1, p1.lines[0].y1, p1.lines[0].x2, p1.lines[0].y2}),
              (std::vector<int>{100, -105, 1900, -105}));
    const PrintText& header = p1.texts.front();
    EXPECT_EQ(header.font, PrintFont::Header);
    EXPECT_EQ(header.align, PrintAlign::CenterBottom);
    EXPECT_EQ(header.x, 1000);
    EXPECT_EQ(header.y, -100);
    // Widened until one more blank reaches the width of the area less the margins.
    EXPECT_LT(Measure(PrintFont::Header, header.text), 1800);
    EXPECT_GE(Measure(PrintFont::Header, " " + header.text), 1800);
    EXPECT_EQ(Trimmed(header.text), "Kassotek Ausdruck vom 3.1.2027 Seite 1 von 3");
    // The blanks go before "Ausdruck" and before "Seite" in turn.
    const auto before = [&](const std::string& word) {
        const std::size_t at = header.text.find(word);
        return at - header.text.find_last_not_of(' ', at - 1) - 1;
    };
    EXPECT_LE(before("Seite"), before("Ausdruck"));
    EXPECT_GE(before("Seite") + 1, before("Ausdruck"));

    auto yOf = [](const PrintedPage& p, const std::string& title) {
        for (const PrintText& t : p.texts)
            if (t.text == title)
                return t.y;
        return 1;
    };
    EXPECT_EQ(Heading(p1, 100)->y, -150);
    EXPECT_EQ(yOf(p1, "Film 1"), -200);
    EXPECT_EQ(yOf(p1, "Film 50"), -200 - 49 * 50);
    const PrintedPage p2 = Page(layout, 2);
    EXPECT_EQ(yOf(p2, "Film 51"), -200);
    EXPECT_EQ(yOf(p2, "Film 101"), -200 - 50 * 50);
    EXPECT_EQ(layout.StartCell, 51);
}

TEST(PrintLayout, CellsAreCutFittedAndAligned) {
    const std::string longTitle(60, 'T');
    PrintLayout layout(Films(3, longTitle));
    const PrintedPage page = Page(layout, 1);
    const int lengthX = 100 + 3 * 280 + 5;
    const int casX = lengthX + 3 * 46 + 5;
    EXPECT_EQ(layout.ColumnX(1), lengthX);
    EXPECT_EQ(layout.ColumnX(2), casX);

    // The title is cut to 50 characters, then fitted with " ..." at least 2 mm before the next column.
    const std::string title = Column(page, 100).front();
    EXPECT_TRUE(title.ends_with(" ...")) << title;
    EXPECT_LE(100 + Measure(PrintFont::Rows, title), lengthX - 20);
    EXPECT_GT(100 + Measure(PrintFont::Rows, title.substr(0, title.size() - 4) + "T ..."), lengthX - 20);

    // The length heading keeps three letters; lengths are right-aligned to three "A".
    const PrintText* lengthHead = Heading(page, lengthX);
    ASSERT_NE(lengthHead, nullptr);
    EXPECT_EQ(lengthHead->text, "Län"_cp);
    for (const std::string& length : Column(page, lengthX)) {
        EXPECT_GE(Measure(PrintFont::Rows, length), 3 * 20) << length;
        EXPECT_LT(Measure(PrintFont::Rows, length.substr(1)), 3 * 20) << length;
        EXPECT_EQ(length.find_first_not_of(' '), length.size() - 2);
    }
    // Cassette numbers end where six "A" end.
    const auto numbers = Column(page, casX);
    ASSERT_EQ(numbers.size(), 3u);
    for (const std::string& nr : numbers)
        EXPECT_EQ(Measure(PrintFont::Rows, nr), 6 * 20) << nr;
}

TEST(PrintLayout, ColumnsBeyondTheMarginAreLeftOut) {
    // Title and content; on a 100 mm area the content starts at 945 and must end before 900.
    std::vector<std::vector<std::string>> rows = {{"Filmtitel", "Inhalt"}, {"Alien", "Weltraum\r\nSchiff"}};
    const PrintCopy copy({{ColTitle, 280}, {ColContent, 780}}, 2,
                         [rows](int r, int c) -> std::string_view { return rows[r][c]; });
    PrintLayout narrow(copy);
    const PrintedPage small = Page(narrow, 1, {100, 287});
    EXPECT_TRUE(Column(small, 945).empty());
    EXPECT_EQ(Heading(small, 945), nullptr);

    // On A4 the content is there, its line break dropped and fitted against the right margin.
    PrintLayout wide(copy);
    const PrintedPage a4 = Page(wide, 1);
    ASSERT_EQ(Column(a4, 945).size(), 1u);
    EXPECT_EQ(Column(a4, 945).front(), "WeltraumSchiff");
}

TEST(PrintLayout, EveryCatalogueEntryHasAPrintLimit) {
    const std::map<int, int> limits = {{ColTitle, 50},    {ColLength, 3},  {ColCasNr, 6},    {ColPos, 1},
                                       {ColContent, 255}, {ColLentTo, 20}, {ColSound, 16},   {ColPicture, 16},
                                       {ColFsk, 16},      {ColRegion, 16}, {ColStorage, 14}, {ColDiscs, 8},
                                       {ColPics, 6},      {-1, 255}};
    for (const auto& [entry, limit] : limits)
        EXPECT_EQ(PrintCharLimit(entry), limit) << entry;
    // The headings of those entries print in full in a column of the catalogue width.
    std::vector<std::vector<std::string>> rows = {{"Anz. CDs", "Bilder"}, {"2", "10"}};
    PrintLayout layout(PrintCopy({{ColDiscs, 104}, {ColPics, 78}}, 2,
                                 [rows](int r, int c) -> std::string_view { return rows[r][c]; }));
    const PrintedPage page = Page(layout, 1);
    EXPECT_EQ(Heading(page, 100)->text, "Anz. CDs");
    EXPECT_EQ(Heading(page, layout.ColumnX(1))->text, "Bilder");
    EXPECT_EQ(Column(page, layout.ColumnX(1)), std::vector<std::string>{"10"});
}

TEST(PrintLayout, OddPrintersStillGiveAPage) {
    // A blank that measures nothing: the header widening must stop.
    const MeasureText noBlanks = [](PrintFont, std::string_view text) {
        return static_cast<int>(std::count_if(text.begin(), text.end(), [](char ch) { return ch != ' '; })) *
               20;
    };
    for (const PrintArea area : {PrintArea{2, 287}, PrintArea{200, 287}, PrintArea{200, 1}}) {
        PrintLayout layout(Films(40));
        PrintedPage page;
        layout.Ausgabe(area, noBlanks, "3.1.2027", page);
        EXPECT_FALSE(page.texts.empty());
        EXPECT_GE(layout.LinesPerPage, 2);
    }
    // A page too short for any line still pages through every film.
    PrintLayout tiny(Films(9));
    PrintedPage page;
    tiny.Ausgabe({200, 20}, Measure, "3.1.2027", page);
    EXPECT_EQ(tiny.LinesPerPage, 2);
    int listed = 0;
    for (int p = 1; p <= tiny.PageCount(); ++p)
        listed += static_cast<int>(Column(Page(tiny, p, {200, 20}), 100).size());
    EXPECT_EQ(listed, 9);
}

TEST(PrintLayout, AnotherPaperSizeChangesThePaging) {
    PrintLayout layout(Films(120));
    Page(layout, 3);
    ASSERT_EQ(layout.PageCount(), 3);
    // Smaller paper while page 3 is shown: the length comes from the first page of the new paper.
    layout.ResetPageLength();
    const PrintedPage page = Page(layout, 3, {200, 190});
    EXPECT_EQ(layout.LinesPerPage, 32);
    EXPECT_EQ(layout.PageCount(), 120 / 32 + 1);
    EXPECT_EQ(Column(page, 100).front(), "Film 64");
    // Larger paper on page 4 of 4: everything fits on one page, which is shown.
    layout.Seite = 4;
    layout.ResetPageLength();
    const PrintedPage big = Page(layout, 4, {200, 800});
    EXPECT_EQ(layout.Seite, 1);
    EXPECT_EQ(layout.PageCount(), 1);
    EXPECT_EQ(Column(big, 100).size(), 120u);
}

TEST(PrintLayout, TheCopyKeepsTheListAsItWas) {
    Collection c;
    Settings s;
    ColArrange ca;
    FilterSearch fs;
    test::ScriptedDialogs ui;
    test::AddFilm(c, "Casablanca").Stars.Strng = "Bogart";
    for (int n = 0; n < ColCount; ++n)
        ca[n].Show = n == ColTitle || n == ColStars || n == ColContent;
    // Two attributes under one heading keep their own widths and limits.
    ca[ColStars].Header = ca[ColContent].Header = "Text";
    ca[ColStars].Width = 111;
    FilmList list(c, s, ca, fs);
    ASSERT_TRUE(list.SetAusgabeData(ui));
    const PrintCopy copy = MakePrintCopy(list, ca);
    c.Film(1).FilmName.Strng = "Geändert"_cp;
    list.SetAusgabeData(ui);

    ASSERT_EQ(copy.RowCount(), 2);
    ASSERT_EQ(copy.ColCount(), 3);
    EXPECT_EQ(copy.Cell(1, 0), "Casablanca");
    EXPECT_EQ(copy.Cell(1, 1), "Bogart");
    EXPECT_EQ(copy.Cell(9, 9), "");
    EXPECT_EQ(copy.Column(1).entry, ColStars);
    EXPECT_EQ(copy.Column(1).width, 111);
    EXPECT_EQ(copy.Column(2).entry, ColContent);
    EXPECT_EQ(copy.Column(2).width, 780);
}

TEST(PrintLayout, DateOfTheHeader) {
    EXPECT_EQ(PrintDateText(EncodeDate(2027, 1, 3)), "3.1.2027");
    EXPECT_EQ(PrintDateText(EncodeDate(1999, 12, 31) + 0.75), "31.12.1999");
}
