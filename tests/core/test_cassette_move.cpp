#include "cassette_fixture.h"
#include "cassettes/film_move.h"
#include "scripted_dialogs.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

// Cassette 1: 60 at 1, 60 at 2, gap 100, rest 20. Cassette 2: 40 at 1, 30 at 4, gap 70, rest 100.
Collection TwoCassettes() {
    Collection c;
    c.appendCassette(Cas(1, 240, 20, 100));
    c.appendCassette(Cas(2, 240, 100, 70));
    AddFilm(c, Film("Eins", 1, 1, 60));
    AddFilm(c, Film("Zwei", 1, 2, 60));
    AddFilm(c, Film("Drei", 2, 1, 40));
    AddFilm(c, Film("Vier", 2, 4, 30));
    return c;
}

} // namespace

TEST(FilmMove, LastFilmToTheEndOfAnotherCassette) {
    for (bool showAll : {true, false}) {
        SCOPED_TRACE(showAll);
        Collection c = TwoCassettes();
        ASSERT_TRUE(AllHold(c));
        ScriptedDialogs ui(showAll);
        if (showAll)
            ui.expect(Box::Information, "Film wurde verschoben!");
        EXPECT_EQ(MoveFilm(c, {1, 2}, "Zwei", {2, 5}, ui), MoveResult::Moved);
        EXPECT_EQ(c.Cassette(1), Cas(1, 240, 80, 100));
        EXPECT_EQ(c.Cassette(2), Cas(2, 240, 40, 70));
        EXPECT_EQ(c.Film(2).CasNr, 2);
        EXPECT_EQ(c.Film(2).PosOnCas, 5);
        EXPECT_TRUE(AllHold(c));
        EXPECT_FALSE(c.DataSaved);
        EXPECT_EQ(ui.quiet.size(), showAll ? 0u : 1u);
    }
}

TEST(FilmMove, GapDecisionsOnBothSides) {
    struct Case {
        const char* what;
        CasPlace from;
        const char* title;
        CasPlace to;
        TCasRec expected1, expected2;
    };
    const Case cases[] = {
        {"out of the middle raises the source gap",
         {1, 1},
         "Eins",
         {2, 6},
         Cas(1, 240, 20, 160),
         Cas(2, 240, 40, 70)},
        {"into a hole lowers the target gap",
         {1, 2},
         "Zwei",
         {2, 2},
         Cas(1, 240, 80, 100),
         Cas(2, 240, 100, 10)},
        {"to position 20", {1, 2}, "Zwei", {2, 20}, Cas(1, 240, 80, 100), Cas(2, 240, 40, 70)},
        {"behind the last film of the same cassette",
         {2, 4},
         "Vier",
         {2, 6},
         Cas(1, 240, 20, 100),
         Cas(2, 240, 70, 100)},
        {"forward on the same cassette", {2, 4}, "Vier", {2, 2}, Cas(1, 240, 20, 100), Cas(2, 240, 100, 70)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Collection c = TwoCassettes();
        ScriptedDialogs ui(false);
        EXPECT_EQ(MoveFilm(c, k.from, k.title, k.to, ui), MoveResult::Moved);
        EXPECT_EQ(c.Cassette(1), k.expected1);
        EXPECT_EQ(c.Cassette(2), k.expected2);
        EXPECT_TRUE(AllHold(c));
    }
}

TEST(FilmMove, RefusedTargetsChangeNothing) {
    struct Case {
        const char* what;
        CasPlace from;
        const char* title;
        CasPlace to;
        uint16_t gap2;
        const char* message; // nullptr: refused without a box
        MoveResult result;
    };
    const Case cases[] = {
        {"occupied",
         {1, 1},
         "Eins",
         {2, 4},
         70,
         "Position ist besetzt! Auswahl wird ignoriert!",
         MoveResult::Refused},
        {"onto itself", {1, 1}, "Eins", {1, 1}, 70, "Position ist besetzt!", MoveResult::Refused},
        {"hole too small",
         {1, 1},
         "Eins",
         {2, 2},
         50,
         "Lochlänge ist zu klein! Auswahl wird ignoriert!",
         MoveResult::Refused},
        {"hole of a cassette with gap 0",
         {1, 1},
         "Eins",
         {2, 3},
         0,
         "Lochlänge ist zu klein! Auswahl wird ignoriert!",
         MoveResult::Refused},
        {"rest too small",
         {2, 1},
         "Drei",
         {1, 5},
         70,
         "Restlänge ist zu klein! Auswahl wird ignoriert!",
         MoveResult::Refused},
        {"target cassette 0", {1, 1}, "Eins", {0, 1}, 70, nullptr, MoveResult::BadTarget},
        {"target cassette beyond the list", {1, 1}, "Eins", {3, 1}, 70, nullptr, MoveResult::BadTarget},
        {"target position 0", {1, 1}, "Eins", {2, 0}, 70, nullptr, MoveResult::BadTarget},
        {"target position 31", {1, 1}, "Eins", {2, 31}, 70, nullptr, MoveResult::BadTarget},
        {"another title at the source", {1, 1}, "Zwei", {2, 6}, 70, nullptr, MoveResult::NoFilm},
        {"empty source", {1, 5}, "", {2, 6}, 70, nullptr, MoveResult::NoFilm},
        {"source cassette beyond the list", {3, 1}, "Eins", {2, 6}, 70, nullptr, MoveResult::NoFilm},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Collection c = TwoCassettes();
        c.Cassette(2).RestLength =
            static_cast<int16_t>(c.Cassette(2).RestLength + c.Cassette(2).GapLength - k.gap2);
        c.Cassette(2).GapLength = k.gap2;
        const auto films = c.films();
        const auto cassettes = c.cassettes();
        ScriptedDialogs ui;
        if (k.message)
            ui.expect(Box::Error, k.message);
        EXPECT_EQ(MoveFilm(c, k.from, k.title, k.to, ui), k.result);
        EXPECT_EQ(c.films(), films);
        EXPECT_EQ(c.cassettes(), cassettes);
        EXPECT_TRUE(c.DataSaved);
    }
}

TEST(FilmMove, ValidationAlone) {
    Collection c = TwoCassettes();
    ScriptedDialogs ui;
    EXPECT_FALSE(MoveFilmError(c, {1, 2}, {2, 5}, ui));
    EXPECT_TRUE(MoveFilmError(c, {1, 2}, {2, 31}, ui)); // outside the position columns: no box
    ui.expect(Box::Error, "Position ist besetzt!");
    EXPECT_TRUE(MoveFilmError(c, {1, 2}, {2, 1}, ui));
}

TEST(FilmMove, TheFilmOnTheSourceCassetteWithItsOwnLength) {
    Collection c;
    c.appendCassette(Cas(1, 240, 90));
    c.appendCassette(Cas(2, 240, 190));
    c.appendCassette(Cas(3, 90, 90));
    AddFilm(c, Film("Gleich", 1, 1, 150));
    AddFilm(c, Film("Gleich", 2, 1, 50));
    ScriptedDialogs ui(false);
    EXPECT_EQ(MoveFilm(c, {2, 1}, "Gleich", {3, 1}, ui), MoveResult::Moved); // 150 would not fit
    EXPECT_EQ(c.Film(1).CasNr, 1);
    EXPECT_EQ(c.Film(2).CasNr, 3);
    EXPECT_EQ(c.Cassette(2), Cas(2, 240, 240));
    EXPECT_EQ(c.Cassette(3), Cas(3, 90, 40));
    EXPECT_TRUE(AllHold(c));
}

TEST(FilmMove, WhatTheListShowsAtAPlace) {
    using namespace kt::literals;
    Collection c;
    c.appendCassette(Cas(1, 240, 240));
    c.appendCassette(Cas(4, 240, 240)); // numbers and list positions differ
    AddFilm(c, Film("Früher"_cp, 1, 3, 10));
    AddFilm(c, Film("Später"_cp, 1, 3, 10));
    AddFilm(c, Film("DVD", 4, 5, 10, StDvd));
    AddFilm(c, Film("Jenseits", 4, 31, 10));
    AddFilm(c, Film("Vier", 4, 2, 10));
    EXPECT_EQ(FilmAtPlace(c, {1, 3}), 2); // a later film at the same position wins
    EXPECT_EQ(FilmAtPlace(c, {2, 2}), 5);
    EXPECT_EQ(FilmAtPlace(c, {2, 5}), 0);
    EXPECT_EQ(FilmAtPlace(c, {3, 1}), 0);
    EXPECT_TRUE(Film_Is_in_Gap(c, {2, 1}));
    EXPECT_FALSE(Film_Is_in_Gap(c, {2, 2})); // neither the DVD nor position 31 count
    EXPECT_FALSE(Film_Is_in_Gap(c, {1, 3}));

    ScriptedDialogs ui(false);
    EXPECT_EQ(MoveFilm(c, {1, 3}, "Früher"_cp, {2, 6}, ui), MoveResult::NoFilm);
    EXPECT_EQ(MoveFilm(c, {1, 3}, "Später"_cp, {2, 6}, ui), MoveResult::Moved);
    EXPECT_EQ(c.Film(2).CasNr, 4);
    EXPECT_EQ(c.Cassette(2), Cas(4, 240, 230));
}

TEST(FilmMove, FieldWidthRefusalLeavesTheFilmInPlace) {
    Collection c;
    c.appendCassette(Cas(1, 0xFFFF, -66, 65500)); // 65534 minutes
    c.appendCassette(Cas(2, 240, 240));
    AddFilm(c, Film("A", 1, 1, 100));
    AddFilm(c, Film("B", 1, 2, 0));
    ASSERT_TRUE(AllHold(c));
    const auto films = c.films();
    const auto cassettes = c.cassettes();
    ScriptedDialogs ui;
    ui.expect(Box::Error, "Die Lochlänge der Cassette 1 läge mit 65600 Minuten");
    EXPECT_EQ(MoveFilm(c, {1, 1}, "A", {2, 1}, ui), MoveResult::Refused);
    EXPECT_EQ(c.films(), films);
    EXPECT_EQ(c.cassettes(), cassettes);
}
