#include "cassette_fixture.h"
#include "cassettes/cassette_book.h"
#include "scripted_dialogs.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

// Cassette 1 (240 min.) with three films of 60 minutes at positions 1 to 3, rest 60.
Collection ThreeFilms() {
    Collection c;
    c.appendCassette(Cas(1, 240, 60));
    for (int p = 1; p <= 3; ++p) {
        // Appended rather than "F" + text: GCC 12 at -O3 reports a false -Wrestrict for inserting
        // a literal in front of a temporary string.
        std::string title = "F";
        title += std::to_string(p);
        AddFilm(c, Film(title, 1, p, 60));
    }
    return c;
}

int SlotAt(const Collection& c, int casNr, int pos) {
    for (int i = 1; i <= c.AnzFilm(); ++i)
        if (c.Film(i).CasNr == casNr && c.Film(i).PosOnCas == pos)
            return i;
    return 0;
}

} // namespace

TEST(CassetteBook, DeletingFilmsGivesTheirMinutesBack) {
    Collection c = ThreeFilms();
    ScriptedDialogs ui;
    ASSERT_TRUE(DeleteFilmWithBooking(c, SlotAt(c, 1, 2), ui));
    EXPECT_EQ(c.Cassette(1), Cas(1, 240, 60, 60)); // a hole behind which film 3 lies
    EXPECT_FALSE(c.DataSaved);
    ASSERT_TRUE(DeleteFilmWithBooking(c, SlotAt(c, 1, 1), ui));
    EXPECT_EQ(c.Cassette(1), Cas(1, 240, 60, 120));
    EXPECT_TRUE(AllHold(c));
    ASSERT_TRUE(DeleteFilmWithBooking(c, SlotAt(c, 1, 3), ui));
    EXPECT_EQ(c.Cassette(1), Cas(1, 240, 120, 120)); // the last film: rest
    EXPECT_EQ(c.AnzFilm(), 0);
    EXPECT_TRUE(AllHold(c));
}

TEST(CassetteBook, RemoveAfterTheFilmLeftTheTable) {
    struct Case {
        const char* what;
        int number, position, length;
        int32_t storage;
        TCasRec expected;
    };
    const Case cases[] = {
        {"in front of a film: gap", 1, 1, 60, StVideo, Cas(1, 240, 60, 60)},
        {"behind every film: rest", 1, 4, 60, StVideo, Cas(1, 240, 120, 0)},
        {"another medium", 1, 1, 60, StDvd, Cas(1, 240, 60, 0)},
        {"position 0", 1, 0, 60, StVideo, Cas(1, 240, 60, 0)},
        {"position 31 was never booked", 1, 31, 60, StVideo, Cas(1, 240, 60, 0)},
        {"cassette 0", 0, 1, 60, StVideo, Cas(1, 240, 60, 0)},
        {"no such cassette", 2, 1, 60, StVideo, Cas(1, 240, 60, 0)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Collection c;
        c.appendCassette(Cas(1, 240, 60));
        AddFilm(c, Film("B", 1, 2, 60));
        AddFilm(c, Film("C", 1, 3, 60));
        AddFilm(c, Film("DVD", 1, 9, 60, StDvd)); // makes no gap on cassette 1
        ScriptedDialogs ui;
        EXPECT_TRUE(RemoveFilmFromCassette(c, k.number, k.position, k.length, ui, k.storage));
        EXPECT_EQ(c.Cassette(1), k.expected);
    }
}

TEST(CassetteBook, NewFilmTakesItsMinutes) {
    struct Case {
        const char* what;
        int pos, length;
        uint16_t gap;
        int16_t rest;
        TCasRec expected;
        bool consistent;
    };
    const Case cases[] = {
        {"into a hole that takes it", 2, 100, 120, 60, Cas(1, 300, 60, 20), true},
        {"into a hole too small: gap 0", 2, 100, 80, 100, Cas(1, 300, 100, 0), false},
        {"behind the last film", 4, 50, 0, 180, Cas(1, 300, 130, 0), true},
        {"behind, rest too small: rest 0", 4, 50, 0, 30, Cas(1, 300, 0, 0), false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Collection c;
        c.appendCassette(Cas(1, 300, k.rest, k.gap));
        AddFilm(c, Film("A", 1, 1, 60));
        AddFilm(c, Film("C", 1, 3, static_cast<int>(300 - 60 - k.rest - k.gap)));
        ASSERT_TRUE(AllHold(c));
        ScriptedDialogs ui;
        ASSERT_TRUE(NewFilm(c, ui));
        ASSERT_TRUE(RebookFilm(c, c.AnzFilm(), Film("Neu", 1, k.pos, k.length), false, ui));
        EXPECT_EQ(c.Cassette(1), k.expected);
        EXPECT_EQ(AllHold(c), k.consistent);
        EXPECT_EQ(c.Film(c.AnzFilm()).FilmName.Strng, "Neu");
    }
}

TEST(CassetteBook, EditingAFilm) {
    struct Case {
        const char* what;
        TFilmV26 edited;
        TCasRec expected1, expected2;
    };
    // Cassette 1: films of 60 at 1 and 90 at 2, rest 30, gap 60; cassette 2: a hole of 50 at 1.
    const Case cases[] = {
        {"last film 90 -> 100: rest 30 -> 20", Film("B", 1, 2, 100), Cas(1, 240, 20, 60),
         Cas(2, 240, 140, 50)},
        {"film in its hole 60 -> 40: gap stays, rest grows", Film("A", 1, 1, 40), Cas(1, 240, 50, 60),
         Cas(2, 240, 140, 50)},
        {"film into a hole elsewhere that cannot give back its old length", Film("A", 2, 1, 40),
         Cas(1, 240, 30, 120), Cas(2, 240, 140, 10)},
        {"last film to the end of cassette 2", Film("B", 2, 3, 90), Cas(1, 240, 120, 60),
         Cas(2, 240, 50, 50)},
        {"to another medium: only released", Film("B", 7, 2, 90, StDvd), Cas(1, 240, 120, 60),
         Cas(2, 240, 140, 50)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Collection c;
        c.appendCassette(Cas(1, 240, 30, 60));
        c.appendCassette(Cas(2, 240, 140, 50));
        AddFilm(c, Film("A", 1, 1, 60));
        AddFilm(c, Film("B", 1, 2, 90));
        AddFilm(c, Film("Z", 2, 2, 50));
        ASSERT_TRUE(AllHold(c));
        const int slot = k.edited.FilmName.Strng == "A" ? 1 : 2;
        ScriptedDialogs ui;
        // The film editor's way: release the stored film, store the edit, book it.
        const int oldLength = c.Film(slot).FilmLength;
        ASSERT_TRUE(ReleaseFilmFromCassette(c, c.Film(slot), ui));
        c.Film(slot) = k.edited;
        ASSERT_TRUE(BookFilmOnCassette(c, c.Film(slot), oldLength, true, ui));
        EXPECT_EQ(c.Cassette(1), k.expected1);
        EXPECT_EQ(c.Cassette(2), k.expected2);
        EXPECT_TRUE(AllHold(c));
    }
}

TEST(CassetteBook, StepsThatDoNothing) {
    Collection c;
    c.appendCassette(Cas(1, 0, 0)); // TotalLength 0: nothing to release into
    c.appendCassette(Cas(2, 240, 240));
    const auto before = c.cassettes();
    ScriptedDialogs ui;
    EXPECT_TRUE(ReleaseFilmFromCassette(c, Film("A", 1, 1, 60), ui));
    EXPECT_TRUE(ReleaseFilmFromCassette(c, Film("A", 2, 1, 60, StBought), ui));
    EXPECT_TRUE(ReleaseFilmFromCassette(c, Film("A", 0, 1, 60), ui));
    EXPECT_TRUE(ReleaseFilmFromCassette(c, Film("A", 3, 1, 60), ui));
    EXPECT_TRUE(ReleaseFilmFromCassette(c, Film("A", 2, 31, 60), ui));
    EXPECT_TRUE(BookFilmOnCassette(c, Film("A", 2, 1, 60, StDvd), 0, false, ui));
    EXPECT_TRUE(BookFilmOnCassette(c, Film("A", 0, 1, 60), 0, false, ui));
    EXPECT_TRUE(BookFilmOnCassette(c, Film("A", 3, 1, 60), 0, false, ui));
    EXPECT_TRUE(BookFilmOnCassette(c, Film("A", 2, 31, 60), 0, false, ui));
    EXPECT_EQ(c.cassettes(), before);
}

TEST(CassetteBook, CassettesAreFoundByTheirNumber) {
    // Cassette 3 of five was deleted: positions and numbers differ from position 3 on.
    Collection c;
    for (uint16_t nr : {1, 2, 4, 5})
        c.appendCassette(Cas(nr, 240, 240));
    AddFilm(c, Film("Auf 4", 4, 1, 0));
    ScriptedDialogs ui;
    ASSERT_TRUE(RebookFilm(c, 1, Film("Auf 4", 4, 1, 100), false, ui));
    EXPECT_EQ(c.Cassette(3), Cas(4, 240, 140));
    ASSERT_TRUE(RebookFilm(c, 1, Film("Auf 3", 3, 1, 100), true, ui)); // no cassette 3 any more
    EXPECT_EQ(c.Cassette(3), Cas(4, 240, 240));
    EXPECT_EQ(c.Cassette(4), Cas(5, 240, 240));
    EXPECT_EQ(c.Cassette(2), Cas(2, 240, 240));
    EXPECT_TRUE(DeleteFilmWithBooking(c, 1, ui));
    EXPECT_EQ(c.AnzFilm(), 0);
}

TEST(CassetteBook, IncreasesBeyondAFieldAreRefused) {
    struct Case {
        const char* what;
        TCasRec cas;
        const char* message;
    };
    // A film of 100 at position 1 in front of one at 2, or alone at position 1.
    const Case cases[] = {
        {"gap above 65535", Cas(1, 0x7FFF, 32667 - 200, 65500),
         "Die Lochlänge der Cassette 1 läge mit 65600 Minuten"},
        {"rest above 32767", Cas(1, 0x7FFF, 32700, 0), "Die Restlänge der Cassette 1 läge mit 32800 Minuten"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Collection c;
        c.appendCassette(k.cas);
        AddFilm(c, Film("A", 1, 1, 100));
        if (k.cas.GapLength != 0)
            AddFilm(c, Film("B", 1, 2, 0));
        c.DataSaved = true;
        const auto films = c.films();
        ScriptedDialogs ui;

        ui.expect(Box::Error, k.message);
        EXPECT_FALSE(ReleaseFilmFromCassette(c, c.Film(1), ui));
        ui.expect(Box::Error, k.message);
        EXPECT_FALSE(RemoveFilmFromCassette(c, 1, 1, 100, ui));
        ui.expect(Box::Error, k.message);
        EXPECT_FALSE(DeleteFilmWithBooking(c, 1, ui));
        ui.expect(Box::Error, k.message);
        EXPECT_FALSE(RebookFilm(c, 1, Film("A", 1, 1, 50), true, ui));
        EXPECT_EQ(c.cassettes().front(), k.cas);
        EXPECT_EQ(c.films(), films);
        EXPECT_TRUE(c.DataSaved);
    }
}

TEST(CassetteBook, RefusedBookingUndoesTheRelease) {
    // The film stays in its hole and shrinks by 90: the rest would pass 32767.
    Collection c;
    c.appendCassette(Cas(1, 0xFFFF, 32700, 0)); // 65534 minutes
    AddFilm(c, Film("A", 1, 1, 100));
    AddFilm(c, Film("B", 1, 2, 65534 - 32700 - 100));
    ASSERT_TRUE(AllHold(c));
    const auto cassettes = c.cassettes();
    const auto films = c.films();
    ScriptedDialogs ui;
    ui.expect(Box::Error, "Restlänge der Cassette 1 läge mit 32790 Minuten");
    EXPECT_FALSE(RebookFilm(c, 1, Film("A", 1, 1, 10), true, ui));
    EXPECT_EQ(c.cassettes(), cassettes);
    EXPECT_EQ(c.films(), films);
}
