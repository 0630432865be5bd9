#include "film_fixture.h"

#include "filter/filter_search.h"

#include <gtest/gtest.h>

using namespace kt;

namespace {

TKategorie Categories(std::initializer_list<std::pair<const char*, bool>> entries) {
    TKategorie list;
    int nr = 0;
    for (const auto& [name, marked] : entries)
        list.push_back({ToCp1252(name), marked, ++nr});
    return list;
}

TFilmV26 Film(const char* title) {
    TFilmV26 f;
    f.FilmName.Strng = ToCp1252(title);
    return f;
}

} // namespace

TEST(FilterSearch, ActiveFlagsAreDerivedFromTheCriteria) {
    struct Case {
        const char* what;
        std::array<bool, 6> filter;
        uint16_t maxLength;
        bool categoryMarked;
        bool filterActive;
    };
    const Case cases[] = {
        {"nothing", {}, 0, true, false},
        {"categories, none marked", {false, true}, 0, false, false},
        {"categories, one marked", {false, true}, 0, true, true},
        {"maximum length without value", {false, false, true}, 0, true, false},
        {"maximum length 90", {false, false, true}, 90, false, true},
        {"no commercials", {false, false, false, true}, 0, false, true},
        {"two-channel", {false, false, false, false, true}, 0, false, true},
        {"lent only", {false, false, false, false, false, true}, 0, false, true},
    };
    for (const auto& tc : cases) {
        FilterSearch fs;
        fs.FilternVon = tc.filter;
        fs.MaxFilmLaenge = tc.maxLength;
        DeriveActiveFlags(fs, Categories({{"Krimi", tc.categoryMarked}}));
        EXPECT_EQ(fs.FilterIsActive(), tc.filterActive) << tc.what;
        EXPECT_FALSE(fs.SearchIsActive()) << tc.what;
    }

    FilterSearch fs;
    fs.SuchenIn[SearchStars] = true;
    DeriveActiveFlags(fs, {});
    EXPECT_FALSE(fs.SearchIsActive()) << "switch set, empty text";
    fs.SuchText = "x";
    DeriveActiveFlags(fs, {});
    EXPECT_TRUE(fs.SearchIsActive());
    fs.SuchenIn[SearchStars] = false;
    DeriveActiveFlags(fs, {});
    EXPECT_FALSE(fs.SearchIsActive()) << "text, no switch";
}

TEST(FilterSearch, FilterCriteria) {
    const TKategorie cats = Categories({{"Science Fiction", true}, {"Krimi", false}});
    auto film = [](auto change) {
        TFilmV26 f = Film("X");
        f.Category.Strng = "Science Fiction";
        f.FilmLength = 90;
        f.Commercials = false;
        f.TwoChannel = true;
        f.LendStatus = LendLent;
        change(f);
        return f;
    };
    FilterSearch all;
    all.FilternVon = {true, true, true, true, true, true};
    all.MaxFilmLaenge = 90;
    struct Case {
        const char* what;
        TFilmV26 film;
        bool passes;
    };
    const Case cases[] = {
        {"every criterion holds", film([](TFilmV26&) {}), true},
        {"category with two blanks", film([](TFilmV26& f) { f.Category.Strng = "Science  Fiction"; }), true},
        {"category with a tab", film([](TFilmV26& f) { f.Category.Strng = "Science\tFiction "; }), true},
        {"category in lower case", film([](TFilmV26& f) { f.Category.Strng = "science fiction"; }), false},
        {"unmarked category", film([](TFilmV26& f) { f.Category.Strng = "Krimi"; }), false},
        {"longer than the maximum", film([](TFilmV26& f) { f.FilmLength = 91; }), false},
        {"with commercials", film([](TFilmV26& f) { f.Commercials = true; }), false},
        {"without two-channel sound", film([](TFilmV26& f) { f.TwoChannel = false; }), false},
        {"not lent", film([](TFilmV26& f) { f.LendStatus = LendNotLent; }), false},
    };
    for (const auto& tc : cases)
        EXPECT_EQ(FilterTest(all, cats, tc.film), tc.passes) << tc.what;

    // A maximum length of 0 is not tested; neither is the category criterion without marks.
    FilterSearch loose = all;
    loose.MaxFilmLaenge = 0;
    EXPECT_TRUE(FilterTest(loose, cats, film([](TFilmV26& f) { f.FilmLength = 500; })));
    EXPECT_TRUE(FilterTest(loose, Categories({{"Science Fiction", false}}),
                           film([](TFilmV26& f) { f.Category.Strng = "Krimi"; })));
}

TEST(FilterSearch, SearchUpperCasesAToZOnlyInTheChosenFields) {
    FilterSearch fs;
    fs.SuchenIn[SearchTitle] = true;
    fs.SuchText = "BOOT";
    DeriveActiveFlags(fs, {});
    EXPECT_TRUE(SearchTest(fs, Film("Das Boot")));
    EXPECT_TRUE(SearchTest(fs, Film("Bootleg")));
    EXPECT_FALSE(SearchTest(fs, Film("Boo")));
    fs.SuchText = ToCp1252("ä");
    EXPECT_FALSE(SearchTest(fs, Film("Ärger")));
    EXPECT_TRUE(SearchTest(fs, Film("Käfer")));

    TFilmV26 f = Film("-");
    f.Stars.Strng = "Sigourney Weaver";
    f.Content.Strng = "Im Weltraum\r\nhört dich niemand";
    f.Remark.Strng = "Director's Cut";
    f.Director.Strng = "Ridley Scott";
    f.LentTo.Strng = "Paul";
    const std::pair<int, const char*> hits[] = {{SearchStars, "weaver"},
                                                {SearchContent, "niemand"},
                                                {SearchRemark, "cut"},
                                                {SearchDirector, "SCOTT"},
                                                {SearchLentTo, "pau"}};
    for (const auto& [field, text] : hits) {
        FilterSearch one;
        one.SuchenIn[static_cast<std::size_t>(field)] = true;
        one.SuchText = text;
        EXPECT_TRUE(SearchTest(one, f)) << text;
        // Every other field alone misses it.
        for (int other = SearchTitle; other <= SearchLentTo; ++other) {
            if (other == field)
                continue;
            FilterSearch miss;
            miss.SuchenIn[static_cast<std::size_t>(other)] = true;
            miss.SuchText = text;
            EXPECT_FALSE(SearchTest(miss, f)) << text << " in field " << other;
        }
    }
}

TEST(FilterSearch, PassesNeedsFilterAndSearchWhenBothAreActive) {
    FilterSearch fs;
    fs.FilternVon[FilterTwoChannel] = true;
    fs.SuchenIn[SearchTitle] = true;
    fs.SuchText = "boot";
    DeriveActiveFlags(fs, {});
    TFilmV26 boot = Film("Das Boot");
    TFilmV26 alien = Film("Alien");
    alien.TwoChannel = true;
    const FilterSearchTest test(fs, {});
    EXPECT_FALSE(test.Passes(boot));
    EXPECT_FALSE(test.Passes(alien));
    boot.TwoChannel = true;
    EXPECT_TRUE(test.Passes(boot));
    FilterSearch off;
    EXPECT_TRUE(FilterSearchTest(off, {}).Passes(Film("")));
}

TEST(FilterSearch, TypedMaximumLength) {
    const std::pair<const char*, int> cases[] = {
        {"90 ", 90}, {" 9 0", 90}, {"abc", 300}, {"70000", 300}, {"65535", 65535},
        {"0", 0},    {"-1", 300},  {"", 300},    {"12a", 300},   {"\t45\r\n", 45},
    };
    for (const auto& [typed, value] : cases)
        EXPECT_EQ(MaxFilmLaengeOfText(typed), value) << '"' << typed << '"';
}

TEST(FilterSearch, ResetSwitchesEverythingOffButKeepsTheCategoryMarks) {
    TKategorie cats = Categories({{"Krimi", true}});
    FilterSearch fs;
    fs.FilternVon = {true, true, true, true, true, true};
    fs.SuchenIn = {true, true, true, true, true, true, true};
    fs.SuchText = "x";
    fs.MaxFilmLaenge = 90;
    fs.FSS_Changed = true;
    fs.SearchAllStorageTypes = true;
    ResetFilterSearch(fs);
    EXPECT_EQ(fs, FilterSearch{});
    EXPECT_TRUE(cats[0].Selected);
}
