#include "cassette_fixture.h"
#include "cassettes/cassette_lookup.h"
#include "scripted_dialogs.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kt;
using namespace kt::test;

TEST(CassetteLengths, BitsAndLongPlay) {
    struct Case {
        uint16_t total;
        int effective, nominal;
        bool longPlay;
    };
    const Case cases[] = {
        {240, 240, 240, false},         {32888, 240, 120, true}, // nominal 120 with the flag
        {0x8000 | 300, 600, 300, true}, {0, 0, 0, false},        {0xFFFF, 65534, 32767, true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.total);
        EXPECT_EQ(EffectiveLength(k.total), k.effective);
        EXPECT_EQ(NominalLength(k.total), k.nominal);
        EXPECT_EQ(IsLongPlay(k.total), k.longPlay);
        EXPECT_EQ(WithLongPlay(static_cast<uint16_t>(k.nominal), k.longPlay), k.total);
    }
    EXPECT_EQ(WithLongPlay(120, false), 120);
}

TEST(CassetteLookup, FindCassetteByNumberNotByPosition) {
    Collection c;
    for (uint16_t nr : {1, 2, 4, 5, 4})
        c.appendCassette(Cas(nr, 240, 240));
    EXPECT_EQ(FindCassette(c, 1), 1);
    EXPECT_EQ(FindCassette(c, 4), 3); // the first of two with the same number
    EXPECT_EQ(FindCassette(c, 5), 4);
    EXPECT_EQ(FindCassette(c, 3), -1);
    EXPECT_EQ(FindCassette(c, 0), -1);
    EXPECT_EQ(FindCassette(Collection{}, 1), -1);
}

TEST(CassetteLookup, GapsCountOnlyVideoFilmsBehindThePosition) {
    Collection c;
    AddFilm(c, Film("A", 3, 1, 60));
    AddFilm(c, Film("B", 3, 2, 60));
    AddFilm(c, Film("DVD", 3, 5, 90, StDvd)); // its number is not cassette 3
    AddFilm(c, Film("C", 4, 7, 60));
    EXPECT_TRUE(PosOnCas_is_a_Gap(c, 3, 1));
    EXPECT_FALSE(PosOnCas_is_a_Gap(c, 3, 2)); // last film of the tape
    EXPECT_FALSE(PosOnCas_is_a_Gap(c, 3, 3));
    EXPECT_TRUE(PosOnCas_is_a_Gap(c, 4, 6));
    EXPECT_FALSE(PosOnCas_is_a_Gap(c, 5, 0));
}

TEST(CassetteLookup, NextFreePosition) {
    struct Case {
        std::vector<int> positions;
        int expected;
    };
    const Case cases[] = {
        {{3, 4, 5}, 2}, {{1, 2, 4}, 5}, {{}, 1},    {{2}, 1},
        {{30}, 29},     {{1, 30}, 31},  {{31}, 32}, {{1, 300}, 255},
    };
    for (const auto& k : cases) {
        Collection c;
        for (int p : k.positions)
            AddFilm(c, Film("F", 7, p, 10));
        AddFilm(c, Film("DVD", 7, 1, 10, StDvd)); // ignored: other numbering
        AddFilm(c, Film("Other", 8, 1, 10));
        EXPECT_EQ(NextFreePosition(c, 7), k.expected) << ::testing::PrintToString(k.positions);
    }
}

TEST(CassetteLookup, FirstCassetteWithSufficientSpace) {
    Collection c;
    c.appendCassette(Cas(1, 240, 50, 0));
    c.appendCassette(Cas(2, 240, 10, 110));
    c.appendCassette(Cas(3, 240, 120, 0));
    ScriptedDialogs ui;
    EXPECT_EQ(GetFirstCas_with_sufficientSpace(c, 0, ui), 1);
    EXPECT_EQ(GetFirstCas_with_sufficientSpace(c, 50, ui), 1);
    EXPECT_EQ(GetFirstCas_with_sufficientSpace(c, 100, ui), 2); // the gap takes it
    EXPECT_EQ(GetFirstCas_with_sufficientSpace(c, 115, ui), 3);
    ui.expect(Box::Error, "Keine Cassette mit ausreichend freiem Platz gefunden!");
    EXPECT_EQ(GetFirstCas_with_sufficientSpace(c, 121, ui), 1);
}

TEST(CassetteLookup, FilmsOnCassetteListsVideoFilmsOnly) {
    Collection c;
    AddFilm(c, Film("Erster", 2, 1, 60));
    AddFilm(c, Film("DVD", 2, 1, 60, StDvd));
    AddFilm(c, Film("Zweiter", 2, 3, 60));
    AddFilm(c, Film("Anderer", 1, 1, 60));
    std::string list = "old";
    EXPECT_FALSE(FilmsOnCassette(c, 2, list));
    EXPECT_EQ(list, " >  Erster\r\n >  Zweiter");
    EXPECT_TRUE(FilmsOnCassette(c, 3, list));
    EXPECT_EQ(list, "");
}

TEST(CassetteLookup, FilmsByTitleAndNumber) {
    using namespace kt::literals;
    Collection c;
    AddFilm(c, Film("Die Brücke"_cp, 1, 1, 100));
    AddFilm(c, Film("Die Brücke"_cp, 2, 1, 95, StDvd));
    AddFilm(c, Film(" Die  Brücke\t"_cp, 2, 4, 90));
    AddFilm(c, Film("die brücke"_cp, 3, 1, 80));

    // Blanks and unprintable characters do not count, letter case does.
    EXPECT_EQ(FilmLengthByName(c, "DieBrücke"_cp), 100);
    EXPECT_EQ(FilmLengthByName(c, "die brücke"_cp), 80);
    EXPECT_EQ(FilmLengthByName(c, "Brücke"_cp), 0);

    EXPECT_EQ(FilmByNameOnCassette(c, "Die Brücke"_cp, 1), 1);
    EXPECT_EQ(FilmByNameOnCassette(c, "Die Brücke"_cp, 2), 3); // the DVD numbered 2 is not on cassette 2
    EXPECT_EQ(FilmByNameOnCassette(c, "Die Brücke"_cp, 3), 0);
}

TEST(CassetteLookup, FilmIndexByNrSurvivesDeletion) {
    Collection c;
    for (int i = 0; i < 5; ++i)
        AddFilm(c, Film("F" + std::to_string(i + 1), 1, i + 1, 10));
    c.deleteFilm(3); // FilmNr 3
    EXPECT_EQ(FilmIndexByNr(c, 4), 3);
    EXPECT_EQ(FilmIndexByNr(c, 5), 4);
    EXPECT_EQ(FilmIndexByNr(c, 3), 0);
    EXPECT_EQ(FilmIndexByNr(c, 1), 1);
}
