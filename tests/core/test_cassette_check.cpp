#include "cassette_fixture.h"
#include "cassettes/cassette_check.h"
#include "scripted_dialogs.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

// A 240-minute cassette with 100 and 90 minutes at positions 1 and 2.
Collection TwoFilms(int16_t rest) {
    Collection c;
    c.appendCassette(Cas(1, 240, rest));
    AddFilm(c, Film("A", 1, 1, 100));
    AddFilm(c, Film("B", 1, 2, 90));
    return c;
}

} // namespace

TEST(CassetteCheck, ConsistentCassettePasses) {
    Collection c = TwoFilms(50);
    ScriptedDialogs ui;
    EXPECT_TRUE(CassetteData_OK(c, 1, ui));
    EXPECT_EQ(CassetteFilmSum(c, 1), 190);
}

TEST(CassetteCheck, ViolationShowsTheFullReport) {
    Collection c = TwoFilms(60);
    ScriptedDialogs ui;
    ui.expect(Box::Error, "CassetteData_OK");
    EXPECT_FALSE(CassetteData_OK(c, 1, ui));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "CassetteData_OK: [ERROR]: \"TotalLength <> GapLength+RestLength+Sum\"!!\r\n"
                                "     lfd. Cassetten-Nr.      = 1\r\n"
                                "     nom. Cassetten-Nr.      = 1\r\n"
                                "     TotalLength             = 240\r\n"
                                "     GapLength+RestLength+Sum= 250 wobei\r\n"
                                "     GapLength               = 0\r\n"
                                "               RestLength    = 60\r\n"
                                "                          Sum= 190");
    EXPECT_EQ(c.LastReportedBadCas, 0); // the callers set it
}

TEST(CassetteCheck, ReportShowsListPositionAndNumber) {
    Collection c;
    c.appendCassette(Cas(1, 240, 240));
    c.appendCassette(Cas(4, 240, 200, 50)); // cassettes 2 and 3 were deleted
    ScriptedDialogs ui;
    ui.expect(Box::Error, "lfd. Cassetten-Nr.      = 2\r\n     nom. Cassetten-Nr.      = 4\r\n");
    EXPECT_FALSE(CassetteData_OK(c, 2, ui));
}

TEST(CassetteCheck, WhatTheSumCounts) {
    struct Case {
        const char* what;
        uint16_t total;
        int16_t rest;
        TFilmV26 film;
        bool ok;
    };
    const Case cases[] = {
        {"long play, no films, rest 240", 32888, 240, Film("X", 2, 1, 0), true},
        {"long play, no films, rest 120", 32888, 120, Film("X", 2, 1, 0), false},
        {"position 31 does not count", 240, 240, Film("X", 1, 31, 60), true},
        {"a DVD numbered 1 does not count", 240, 240, Film("X", 1, 1, 60, StDvd), true},
        {"position 30 counts", 240, 180, Film("X", 1, 30, 60), true},
        {"a film on another cassette", 240, 240, Film("X", 2, 1, 60), true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Collection c;
        c.appendCassette(Cas(1, k.total, k.rest));
        AddFilm(c, k.film);
        ScriptedDialogs ui;
        if (!k.ok)
            ui.expect(Box::Error, "CassetteData_OK");
        EXPECT_EQ(CassetteData_OK(c, 1, ui), k.ok);
        EXPECT_EQ(NotOKCassettes(c).empty(), k.ok);
    }
}

TEST(CassetteCheck, OutsideTheTableIsAnError) {
    Collection c = TwoFilms(50);
    ScriptedDialogs ui;
    EXPECT_THROW(CassetteData_OK(c, 2, ui), std::out_of_range);
    EXPECT_THROW(CassetteData_OK(c, 0, ui), std::out_of_range);
}

TEST(CassetteCheck, AllCassettesStopsAtFirstAndSkipsTheReportedOne) {
    Collection c;
    c.appendCassette(Cas(1, 240, 240));
    c.appendCassette(Cas(2, 240, 100)); // bad
    c.appendCassette(Cas(3, 180, 180));
    c.appendCassette(Cas(4, 240, 10)); // bad
    ScriptedDialogs ui;
    int bad = -1;
    ui.expect(Box::Error, "lfd. Cassetten-Nr.      = 2\r\n");
    EXPECT_FALSE(AllCassettesOK(c, ui, bad));
    EXPECT_EQ(bad, 2);
    ui.verify();

    // A caller that adds its own message remembers the cassette; it is not reported again,
    // a different inconsistent cassette is.
    c.LastReportedBadCas = 2;
    EXPECT_TRUE(CassetteData_OK(c, 2, ui));
    ui.expect(Box::Error, "lfd. Cassetten-Nr.      = 4\r\n");
    EXPECT_FALSE(AllCassettesOK(c, ui, bad));
    EXPECT_EQ(bad, 4);
    EXPECT_EQ(c.LastReportedBadCas, 2);

    c.LastReportedBadCas = 4;
    c.Cassette(2).RestLength = 240;
    EXPECT_TRUE(AllCassettesOK(c, ui, bad));
    EXPECT_EQ(bad, 0);
}

TEST(CassetteCheck, ListOfInconsistentCassettes) {
    Collection c;
    for (uint16_t nr = 1; nr <= 12; ++nr)
        c.appendCassette(Cas(nr, 240, 240));
    c.Cassette(11).GapLength = 5;
    c.Cassette(2).RestLength = 0;
    c.LastReportedBadCas = 2; // the list ignores the report memory
    EXPECT_EQ(NotOKCassettes(c), (std::vector<int>{2, 11}));
    EXPECT_EQ(NotOKCasListEntries(c), (std::vector<std::string>{"   2", "  11"}));
    EXPECT_EQ(NotOKCasListEntry(4999), "4999");
    EXPECT_EQ(NotOKCasListEntry(12345), "12345");
    EXPECT_EQ(c.LastReportedBadCas, 2);

    c.Cassette(11).GapLength = 0;
    c.Cassette(2).RestLength = 240;
    EXPECT_TRUE(NotOKCasListEntries(c).empty());
}

TEST(CassetteCheck, SumsOfAllCassettesInOnePass) {
    Collection c;
    c.appendCassette(Cas(5, 240, 240));
    c.appendCassette(Cas(2, 240, 240));
    c.appendCassette(Cas(5, 240, 240));
    AddFilm(c, Film("A", 5, 1, 30));
    AddFilm(c, Film("B", 2, 1, 20));
    AddFilm(c, Film("C", 5, 2, 25));
    AddFilm(c, Film("D", 70000, 1, 25)); // no such number
    AddFilm(c, Film("E", -1, 1, 25));
    EXPECT_EQ(CassetteFilmSums(c), (std::vector<long long>{55, 20, 55}));
}
