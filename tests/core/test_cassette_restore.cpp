#include "cassette_fixture.h"
#include "cassettes/cassette_check.h"
#include "cassettes/cassette_restore.h"
#include "model/dialogs.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

using namespace kt;
using namespace kt::test;
using namespace kt::literals;

namespace {

struct RecordingProgress : Progress {
    struct Start {
        std::string text;
        int max;
    };
    void start(const std::string& text, int max) override { starts.push_back({text, max}); }
    void step(int pos) override {
        if (pos == failAtStep)
            throw std::bad_alloc();
        lastStep = pos;
        ++steps;
    }
    void finish() override { ++finished; }

    std::vector<Start> starts;
    int steps = 0;
    int lastStep = 0;
    int finished = 0;
    int failAtStep = -1;
};

// Films of 100 and 90 minutes on cassette 3, 350 minutes on cassette 5, a DVD numbered 7.
Collection Example() {
    Collection c;
    c.appendCassette(Cas(9, 240, 17, 3)); // the old table, replaced wholesale
    AddFilm(c, Film("A", 3, 1, 100));
    AddFilm(c, Film("B", 5, 1, 350));
    AddFilm(c, Film("DVD", 7, 1, 100, StDvd));
    AddFilm(c, Film("C", 3, 4, 90));
    return c;
}

} // namespace

TEST(CassetteRestore, RebuildsFromTheFilms) {
    const uint16_t lp300 = WithLongPlay(300, true);
    struct Case {
        int defaultLength;
        std::vector<TCasRec> expected;
    };
    const Case cases[] = {
        {0, {Cas(1, 90, 90), Cas(2, 90, 90), Cas(3, 240, 50), Cas(4, 90, 90), Cas(5, lp300, 250)}},
        {240, {Cas(1, 240, 240), Cas(2, 240, 240), Cas(3, 240, 50), Cas(4, 240, 240), Cas(5, lp300, 250)}},
        {300, {Cas(1, 300, 300), Cas(2, 300, 300), Cas(3, 300, 110), Cas(4, 300, 300), Cas(5, lp300, 250)}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.defaultLength);
        Collection c = Example();
        const auto films = c.films();
        RecordingProgress progress;
        ASSERT_TRUE(RestoreCassetteData(c, k.defaultLength, progress));
        EXPECT_EQ(c.cassettes(), k.expected);
        EXPECT_EQ(c.films(), films);
        EXPECT_FALSE(c.DataSaved);
        EXPECT_TRUE(NotOKCassettes(c).empty());
        EXPECT_EQ(progress.finished, 1);
    }
}

TEST(CassetteRestore, SmallestStandardLength) {
    struct Case {
        int sum, defaultLength;
        uint16_t total;
    };
    const Case cases[] = {
        {0, 0, 90},      {90, 0, 90},     {91, 0, 120},   {120, 0, 120},   {121, 0, 180},
        {181, 0, 240},   {241, 0, 260},   {261, 0, 300},  {300, 0, 300},   {301, 0, 0x8000 | 300},
        {250, 240, 260}, {250, 260, 260}, {100, 90, 120}, {100, 180, 180}, {700, 300, 0x8000 | 300},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::to_string(k.sum) + " default " + std::to_string(k.defaultLength));
        Collection c;
        AddFilm(c, Film("A", 1, 1, k.sum));
        NoProgress none;
        ASSERT_TRUE(RestoreCassetteData(c, k.defaultLength, none));
        ASSERT_EQ(c.AnzCas(), 1);
        EXPECT_EQ(c.Cassette(1), Cas(1, k.total, static_cast<int16_t>(EffectiveLength(k.total) - k.sum)));
    }
}

TEST(CassetteRestore, WhichFilmsMakeCassettes) {
    Collection c;
    AddFilm(c, Film("Ohne Nummer", 0, 1, 60));
    AddFilm(c, Film("Zu hoch", 5001, 1, 60));
    AddFilm(c, Film("Kauf", 4, 1, 60, StBought));
    AddFilm(c, Film("Zwei", 2, 1, 60));
    AddFilm(c, Film("Jenseits", 3, 31, 60)); // names cassette 3, but is not booked on it
    NoProgress none;
    ASSERT_TRUE(RestoreCassetteData(c, 0, none));
    ASSERT_EQ(c.AnzCas(), 3);
    EXPECT_EQ(c.Cassette(1), Cas(1, 90, 90));
    EXPECT_EQ(c.Cassette(2), Cas(2, 90, 30));
    EXPECT_EQ(c.Cassette(3), Cas(3, 90, 90));
    EXPECT_TRUE(NotOKCassettes(c).empty());
}

TEST(CassetteRestore, ProgressTexts) {
    Collection c = Example();
    RecordingProgress progress;
    ASSERT_TRUE(RestoreCassetteData(c, 0, progress));
    ASSERT_EQ(progress.starts.size(), 3u);
    EXPECT_EQ(progress.starts[0].text, "Analyse der Filmdaten: Bestimmung der Anzahl Cassetten ");
    EXPECT_EQ(progress.starts[0].max, 4);
    EXPECT_EQ(progress.starts[1].text, "Analyse der Filmdaten: Bestimmung der Details der Cassetten ");
    EXPECT_EQ(progress.starts[1].max, 4);
    EXPECT_EQ(progress.starts[2].text, "Analyse der Filmdaten: Bestimmung der Gesamtlänge der Cassetten "_cp);
    EXPECT_EQ(progress.starts[2].max, 5);
    EXPECT_EQ(progress.steps, 4 + 4 + 5);
    EXPECT_EQ(progress.lastStep, 5);
}

TEST(CassetteRestore, RefusalsKeepTheOldTable) {
    for (int badDefault : {60, 200, -1}) {
        Collection c = Example();
        const auto before = c.cassettes();
        RecordingProgress progress;
        EXPECT_FALSE(RestoreCassetteData(c, badDefault, progress));
        EXPECT_EQ(c.cassettes(), before);
        EXPECT_TRUE(c.DataSaved);
        EXPECT_TRUE(progress.starts.empty());
    }
    // Memory running out in the middle: ActError 2, the wait window closed, the old table kept.
    Collection c = Example();
    const auto before = c.cassettes();
    RecordingProgress progress;
    progress.failAtStep = 2;
    EXPECT_FALSE(RestoreCassetteData(c, 0, progress));
    EXPECT_EQ(c.ActError, 2);
    EXPECT_EQ(progress.finished, 1);
    EXPECT_EQ(c.cassettes(), before);
    EXPECT_TRUE(c.DataSaved);
}

TEST(CassetteRestore, NoVideoFilmsLeaveNoCassettes) {
    Collection c;
    c.appendCassette(Cas(1, 240, 240));
    AddFilm(c, Film("DVD", 7, 1, 100, StDvd));
    NoProgress none;
    ASSERT_TRUE(RestoreCassetteData(c, 240, none));
    EXPECT_EQ(c.AnzCas(), 0);
}

TEST(CassetteRestore, MoreMinutesThanARestHoldsStayVisible) {
    Collection c;
    for (int i = 0; i < 700; ++i)
        AddFilm(c, Film("F", 1, 1, 100)); // 70000 minutes: more than 16 bits
    NoProgress none;
    ASSERT_TRUE(RestoreCassetteData(c, 0, none));
    EXPECT_EQ(c.Cassette(1), Cas(1, 0x8000 | 300, -32768));
    EXPECT_EQ(NotOKCassettes(c), std::vector<int>{1});
}
