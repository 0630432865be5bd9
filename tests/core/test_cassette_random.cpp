#include "cassette_fixture.h"
#include "cassettes/cassette_book.h"
#include "cassettes/cassette_check.h"
#include "cassettes/cassette_lookup.h"
#include "cassettes/film_move.h"
#include "model/dialogs.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

using namespace kt;
using namespace kt::test;

namespace {

// Boxes are counted, not scripted: which ones appear is decided by the random walk.
struct CountingDialogs : UserDialogs {
    void error(const std::string&) override { ++errors; }
    void warning(const std::string&) override { ++errors; }
    void information(const std::string&) override {}
    void notice(const std::string&) override {}
    Answer question(const std::string&, Buttons, BoxKind) override { return Answer::Yes; }
    Answer threeWay(const ThreeWayQuestion&) override { return Answer::Ok; }
    int errors = 0;
};

// Drives the occupancy operations the way the film editor, the film deletion and the cassette
// editor would: only with choices those dialogs accept (the place is free and the hole or the
// rest takes the film), so that the consistency rule must hold after every step.
class Walk {
public:
    explicit Walk(unsigned seed) : rng_(seed) {}

    int rnd(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // Video films at a place and behind it, judged here from the table alone.
    bool occupied(int nr, int pos, int exceptSlot) const {
        for (int i = 1; i <= c.AnzFilm(); ++i) {
            const auto& f = c.Film(i);
            if (i != exceptSlot && f.StorageType == StVideo && f.CasNr == nr && f.PosOnCas == pos)
                return true;
        }
        return false;
    }
    bool behind(int nr, int pos, int exceptSlot) const {
        for (int i = 1; i <= c.AnzFilm(); ++i) {
            const auto& f = c.Film(i);
            if (i != exceptSlot && f.StorageType == StVideo && f.CasNr == nr && f.PosOnCas > pos &&
                f.PosOnCas <= 30)
                return true;
        }
        return false;
    }
    static bool takes(const TCasRec& cas, bool inHole, int length) {
        return inHole ? cas.GapLength >= length : cas.RestLength >= length;
    }

    TFilmV26 randomFilm() {
        const bool video = c.AnzCas() > 0 && rnd(0, 9) < 8;
        if (!video)
            return Film("DVD" + std::to_string(++titles_), rnd(1, 40), rnd(1, 30), rnd(1, 150), StDvd);
        const int nr = c.Cassette(rnd(1, c.AnzCas())).Nr;
        return Film("F" + std::to_string(++titles_), nr, rnd(1, 30), rnd(1, 150));
    }

    // True when the dialogs would accept `f` in `slot` (0 = a new film) after its old self was released.
    bool accepts(const TFilmV26& f, int slot) const {
        if (f.StorageType != StVideo)
            return true;
        const int pos = FindCassette(c, f.CasNr);
        if (pos < 0 || occupied(f.CasNr, f.PosOnCas, slot))
            return false;
        TCasRec cas = c.Cassette(pos);
        if (slot != 0) {
            const auto& old = c.Film(slot);
            if (old.StorageType == StVideo && old.CasNr == f.CasNr) {
                if (behind(old.CasNr, old.PosOnCas, slot))
                    cas.GapLength = static_cast<uint16_t>(cas.GapLength + old.FilmLength);
                else
                    cas.RestLength = static_cast<int16_t>(cas.RestLength + old.FilmLength);
            }
        }
        return takes(cas, behind(f.CasNr, f.PosOnCas, slot), f.FilmLength);
    }

    void newCassette() {
        ASSERT_TRUE(NewCassette(c, ui));
        TCasRec& cas = c.Cassette(c.AnzCas());
        static const uint16_t lengths[] = {300, 260, 240, 180, 120, 90, 60};
        cas.TotalLength = WithLongPlay(lengths[rnd(0, 6)], rnd(0, 3) == 0);
        cas.GapLength = static_cast<uint16_t>(rnd(0, 20));
        cas.RestLength = static_cast<int16_t>(EffectiveLength(cas.TotalLength) - cas.GapLength);
        ++counts["new cassette"];
    }

    void deleteEmptyCassette() {
        std::vector<int> empty;
        std::string films;
        for (int i = 1; i <= c.AnzCas(); ++i)
            if (FilmsOnCassette(c, c.Cassette(i).Nr, films))
                empty.push_back(i);
        if (empty.empty())
            return;
        // Also one in the middle: numbers and list positions part.
        c.deleteCassette(empty[static_cast<std::size_t>(rnd(0, static_cast<int>(empty.size()) - 1))]);
        ++counts["delete cassette"];
    }

    void createFilm() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            TFilmV26 f = randomFilm();
            if (!accepts(f, 0))
                continue;
            ASSERT_TRUE(NewFilm(c, ui));
            f.FilmNr = c.Film(c.AnzFilm()).FilmNr;
            ASSERT_TRUE(RebookFilm(c, c.AnzFilm(), f, false, ui));
            ++counts["create"];
            return;
        }
    }

    void editFilm() {
        const int slot = rnd(1, c.AnzFilm());
        TFilmV26 f = c.Film(slot);
        switch (rnd(0, 2)) {
        case 0:
            f.FilmLength = rnd(1, 150);
            break; // same place
        case 1: {
            const TFilmV26 other = randomFilm();
            f.StorageType = other.StorageType;
            f.CasNr = other.CasNr;
            f.PosOnCas = other.PosOnCas;
            break;
        }
        default: {
            const TFilmV26 other = randomFilm();
            f.StorageType = other.StorageType;
            f.CasNr = other.CasNr;
            f.PosOnCas = other.PosOnCas;
            f.FilmLength = other.FilmLength;
        }
        }
        if (!accepts(f, slot))
            return;
        if (rnd(0, 1) == 0) {
            ASSERT_TRUE(RebookFilm(c, slot, f, true, ui));
        } else {
            const int oldLength = c.Film(slot).FilmLength;
            ASSERT_TRUE(ReleaseFilmFromCassette(c, c.Film(slot), ui));
            c.Film(slot) = f;
            ASSERT_TRUE(BookFilmOnCassette(c, c.Film(slot), oldLength, true, ui));
        }
        ++counts["edit"];
    }

    void moveFilm() {
        const int slot = rnd(1, c.AnzFilm());
        const TFilmV26 f = c.Film(slot);
        const int srcCas = FindCassette(c, f.CasNr);
        if (f.StorageType != StVideo || srcCas < 0 || c.AnzCas() == 0)
            return;
        const CasPlace source{srcCas, f.PosOnCas};
        const CasPlace target{rnd(1, c.AnzCas()), rnd(1, 30)};
        const int tgtNr = c.Cassette(target.cassette).Nr;
        const bool fits = !occupied(tgtNr, target.position, 0) &&
                          takes(c.Cassette(target.cassette), behind(tgtNr, target.position, 0), f.FilmLength);
        const int errorsBefore = ui.errors;
        const MoveResult r = MoveFilm(c, source, f.FilmName.Strng, target, ui);
        ASSERT_EQ(r, fits ? MoveResult::Moved : MoveResult::Refused);
        ASSERT_EQ(ui.errors - errorsBefore, fits ? 0 : 1);
        if (fits) {
            ASSERT_EQ(c.Film(slot).CasNr, tgtNr);
            ASSERT_EQ(c.Film(slot).PosOnCas, target.position);
        } else {
            ASSERT_EQ(c.Film(slot), f);
        }
        ++counts[fits ? "move" : "refused move"];
    }

    void deleteFilm() {
        ASSERT_TRUE(DeleteFilmWithBooking(c, rnd(1, c.AnzFilm()), ui));
        ++counts["delete"];
    }

    void step() {
        const int roll = rnd(0, 99);
        if (c.AnzCas() < 3 || (roll < 2 && c.AnzCas() < 25))
            newCassette();
        else if (roll < 4)
            deleteEmptyCassette();
        else if (c.AnzFilm() == 0 || roll < 32)
            createFilm();
        else if (roll < 55)
            editFilm();
        else if (roll < 80)
            moveFilm();
        else
            deleteFilm();
    }

    Collection c;
    CountingDialogs ui;
    std::map<std::string, int> counts;

private:
    std::mt19937 rng_;
    int titles_ = 0;
};

// Only cassettes named by the operation may change.
void ExpectOthersUnchanged(const Collection& before, const Collection& after, int nrA, int nrB) {
    if (before.AnzCas() != after.AnzCas())
        return; // a cassette was created or deleted
    for (int i = 1; i <= before.AnzCas(); ++i) {
        const TCasRec& cas = before.Cassette(i);
        if (cas.Nr != nrA && cas.Nr != nrB) {
            ASSERT_EQ(after.Cassette(i), cas) << "cassette " << cas.Nr << " changed";
        }
    }
}

} // namespace

TEST(CassetteRandomWalk, TheRuleHoldsAfterEveryStep) {
    Walk w(20240517);
    for (int step = 1; step <= 4000; ++step) {
        const Collection before = w.c;
        w.step();
        ASSERT_FALSE(HasFatalFailure()) << "step " << step;
        ASSERT_TRUE(AllHold(w.c)) << "step " << step;
        ASSERT_TRUE(NotOKCassettes(w.c).empty()) << "step " << step;
        // Which cassettes an edit, move or deletion may touch: those of the changed films.
        int nrA = -1, nrB = -1;
        if (before.AnzFilm() == w.c.AnzFilm()) {
            for (int i = 1; i <= before.AnzFilm(); ++i)
                if (!(before.Film(i) == w.c.Film(i))) {
                    nrA = before.Film(i).CasNr;
                    nrB = w.c.Film(i).CasNr;
                }
        } else {
            for (const auto& f : before.films())
                if (FilmIndexByNr(w.c, f.FilmNr) == 0)
                    nrA = f.CasNr;
            for (const auto& f : w.c.films())
                if (FilmIndexByNr(before, f.FilmNr) == 0)
                    nrB = f.CasNr;
        }
        ExpectOthersUnchanged(before, w.c, nrA, nrB);
        ASSERT_FALSE(HasFatalFailure()) << "step " << step;
    }
    // The walk really went everywhere.
    for (const char* kind :
         {"create", "edit", "move", "refused move", "delete", "new cassette", "delete cassette"})
        EXPECT_GE(w.counts[kind], 10) << kind;
    EXPECT_GT(w.c.AnzFilm(), 20);
}
