#include "film_fixture.h"

#include "filmlist/film_sort.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace kt;
using kt::test::AddFilm;
using kt::test::TitlesOf;

namespace {

std::vector<int> AllSlots(const Collection& c) {
    std::vector<int> slots(static_cast<std::size_t>(c.AnzFilm()));
    std::iota(slots.begin(), slots.end(), 1);
    return slots;
}

std::vector<std::string> Ordered(const Collection& c, const Settings& s) {
    const ListOrder order = OrderListedFilms(c, AllSlots(c), s);
    EXPECT_FALSE(order.mainSortFailed);
    EXPECT_FALSE(order.subSortFailed);
    return TitlesOf(c, order.slots);
}

Settings WithOrder(int filmSort, int sortLength = 25, int casSubSort = 0) {
    Settings s;
    s.FilmSort = static_cast<uint8_t>(filmSort);
    s.SortLength = static_cast<uint8_t>(sortLength);
    s.CasSubSort = static_cast<uint8_t>(casSubSort);
    return s;
}

using Titles = std::vector<std::string>;

} // namespace

TEST(FilmSortKey, KeysOfTheSixSortedOrders) {
    TFilmV26 f;
    f.FilmName.Strng = "Das Boot";
    f.FilmLength = 149;
    f.CasNr = 123456;
    f.Category.Strng = "Kriegsfilm";
    f.Country.Strng = "Deutschland";
    f.ProdYear = 1981;
    EXPECT_EQ(FilmSortKey(f, SortByTitle, 25), "DAS BOOT");
    EXPECT_EQ(FilmSortKey(f, SortByLength, 25), " 149");
    EXPECT_EQ(FilmSortKey(f, SortByCasNr, 25), "1234"); // more digits than the width: the first four
    EXPECT_EQ(FilmSortKey(f, SortByCategory, 5), "KRIEG");
    EXPECT_EQ(FilmSortKey(f, SortByCategory, 12), "KRIEGSFILM  ");
    EXPECT_EQ(FilmSortKey(f, SortByCategory, 0), "KRIEGSFILM");
    EXPECT_EQ(FilmSortKey(f, SortByCountry, 25), "DEUTSCHLAND");
    EXPECT_EQ(FilmSortKey(f, SortByYear, 25), " 1981");
    f.FilmName.Strng = std::string(300, 'x');
    EXPECT_EQ(FilmSortKey(f, SortByTitle, 25), std::string(255, 'X'));
}

TEST(FilmSortOrder, TitlesAreUpperCasedAndEqualKeysFollowTheGapSequence) {
    Collection c;
    for (const char* t : {"b", "A", "a", "Ab"})
        AddFilm(c, t);
    EXPECT_EQ(Ordered(c, WithOrder(SortByTitle)), (Titles{"A", "a", "Ab", "b"}));

    // Five films with the keys B A B A A: the gap 4 pass moves the fifth to the front, so the
    // three A come out as films 5, 2, 4 (a stable sort would give 2, 4, 5).
    Collection five;
    for (const char* t : {"b", "a", "B", "A", "a"})
        AddFilm(five, t);
    const ListOrder order = OrderListedFilms(five, AllSlots(five), WithOrder(SortByTitle));
    EXPECT_EQ(order.slots, (std::vector<int>{5, 2, 4, 3, 1}));
}

TEST(FilmSortOrder, SortLengthCutsTheKey) {
    const std::string same(25, 'M');
    Collection c;
    AddFilm(c, same + "zwei");
    AddFilm(c, same + "eins");
    EXPECT_EQ(Ordered(c, WithOrder(SortByTitle, 25)), (Titles{same + "zwei", same + "eins"}));
    EXPECT_EQ(Ordered(c, WithOrder(SortByTitle, 30)), (Titles{same + "eins", same + "zwei"}));
    EXPECT_EQ(Ordered(c, WithOrder(SortByTitle, 0)), (Titles{same + "zwei", same + "eins"}));
}

TEST(FilmSortOrder, NumbersAreRightAlignedAndTiesGoByTitle) {
    struct Film {
        const char* title;
        int value;
    };
    struct Case {
        int order;
        std::vector<Film> films;
        Titles expected;
    };
    const Case cases[] = {
        {SortByLength, {{"Neunzig", 90}, {"Hundert", 100}, {"Neun", 9}}, {"Neun", "Neunzig", "Hundert"}},
        {SortByLength, {{"Zorro", 90}, {"Alien", 90}}, {"Alien", "Zorro"}},
        // 12345 is cut to 1234: one group with 1234, sorted by title, behind 999.
        {SortByLength, {{"Zulu", 12345}, {"Xaver", 999}, {"Alpha", 1234}}, {"Xaver", "Alpha", "Zulu"}},
        {SortByYear,
         {{"Metropolis", 1927}, {"Alien", 1979}, {"Tron", 1982}, {"Blade", 1982}},
         {"Metropolis", "Alien", "Blade", "Tron"}},
        {SortByYear, {{"Ohne", 0}, {"Mit", 1999}}, {"Ohne", "Mit"}},
    };
    for (const auto& tc : cases) {
        Collection c;
        for (const auto& f : tc.films) {
            TFilmV26& film = AddFilm(c, f.title);
            (tc.order == SortByLength ? film.FilmLength : film.ProdYear) = f.value;
        }
        EXPECT_EQ(Ordered(c, WithOrder(tc.order)), tc.expected) << "first " << tc.films.front().title;
    }
}

TEST(FilmSortOrder, TextKeysGroupWithoutBlanksAndTiesGoByTitleAsStored) {
    struct Film {
        const char* title;
        const char* text;
    };
    struct Case {
        int order;
        int sortLength;
        std::vector<Film> films;
        Titles expected;
    };
    const Case cases[] = {
        // Categories cut to SortLength: with 5 "Drama" and "Dramatik" are one group.
        {SortByCategory, 5, {{"Zeta", "Drama"}, {"Alpha", "Dramatik"}}, {"Alpha", "Zeta"}},
        {SortByCategory, 25, {{"Zeta", "Drama"}, {"Alpha", "Dramatik"}}, {"Zeta", "Alpha"}},
        // Two blanks sort before "F", but without blanks both keys are one group.
        {SortByCategory,
         25,
         {{"Alien", "Science Fiction"}, {"Zardoz", "Science  Fiction"}, {"Brazil", "Satire"}},
         {"Brazil", "Alien", "Zardoz"}},
        {SortByCountry,
         25,
         {{"Zelig", "usa"}, {"Amadeus", "USA"}, {"Heimat", "Österreich"}, {"Tati", "Frankreich"}},
         {"Tati", "Amadeus", "Zelig", "Heimat"}},
        // The title sub-sort compares titles as stored: mixed case splits the runs.
        {SortByCountry, 25, {{"bC", "X"}, {"Bb", "X"}, {"bA", "X"}}, {"bC", "Bb", "bA"}},
    };
    for (const auto& tc : cases) {
        Collection c;
        for (const auto& f : tc.films)
            (tc.order == SortByCategory ? AddFilm(c, f.title).Category : AddFilm(c, f.title).Country).Strng =
                ToCp1252(f.text);
        EXPECT_EQ(Ordered(c, WithOrder(tc.order, tc.sortLength)), tc.expected)
            << "first " << tc.films.front().title;
    }
}

TEST(FilmSortOrder, CassetteNumberWithPositionSubSort) {
    Collection c;
    auto video = [&](const char* title, int cas, int pos) {
        TFilmV26& f = AddFilm(c, title, StVideo);
        f.CasNr = cas;
        f.PosOnCas = pos;
    };
    video("Zorro", 5, 1);
    video("Alien", 5, 2);
    AddFilm(c, "Ben Hur", StDvd).CasNr = 5;
    EXPECT_EQ(Ordered(c, WithOrder(SortByCasNr, 25, 0)), (Titles{"Zorro", "Ben Hur", "Alien"}));
    EXPECT_EQ(Ordered(c, WithOrder(SortByCasNr, 25, 1)), (Titles{"Alien", "Ben Hur", "Zorro"}));

    // Each cassette is a group of its own; a bought cassette with the same number keeps its row.
    video("Casablanca", 3, 3);
    video("Aguirre", 3, 1);
    video("Brazil", 3, 2);
    AddFilm(c, "Alphaville", StBought).CasNr = 3;
    EXPECT_EQ(Ordered(c, WithOrder(SortByCasNr, 25, 0)),
              (Titles{"Aguirre", "Alphaville", "Brazil", "Casablanca", "Zorro", "Ben Hur", "Alien"}));
}

TEST(FilmSortOrder, PositionSubSortOfEqualPositionsFollowsTheGapSequence) {
    // Five films on cassette 1: the title sub-sort gives A..E; their positions 2 1 2 1 1 then go
    // through the gaps 4, 1, which put E (not B) first among the three at position 1.
    Collection c;
    const std::pair<const char*, int> films[] = {{"E", 1}, {"D", 1}, {"C", 2}, {"B", 1}, {"A", 2}};
    for (const auto& [title, pos] : films) {
        TFilmV26& f = AddFilm(c, title, StVideo);
        f.CasNr = 1;
        f.PosOnCas = pos;
    }
    EXPECT_EQ(Ordered(c, WithOrder(SortByCasNr, 25, 0)), (Titles{"E", "B", "D", "C", "A"}));
}

TEST(FilmSortOrder, UnsortedIsTheReverseOfTheIndexOrder) {
    Collection c;
    for (const char* t : {"A", "B", "C"})
        AddFilm(c, t);
    EXPECT_EQ(Ordered(c, WithOrder(SortUnsorted)), (Titles{"C", "B", "A"}));
    c.deleteFilm(2);
    EXPECT_EQ(Ordered(c, WithOrder(SortUnsorted)), (Titles{"C", "A"}));
}

TEST(FilmSortOrder, OnlyTheListedFilmsAreOrdered) {
    Collection c;
    for (const char* t : {"D", "C", "B", "A"})
        AddFilm(c, t);
    const ListOrder order = OrderListedFilms(c, {1, 3, 4}, WithOrder(SortByTitle));
    EXPECT_EQ(TitlesOf(c, order.slots), (Titles{"A", "B", "D"}));
    EXPECT_TRUE(OrderListedFilms(c, {}, WithOrder(SortByTitle)).slots.empty());
    EXPECT_EQ(OrderListedFilms(c, {2}, WithOrder(SortUnsorted)).slots, (std::vector<int>{2}));
}
