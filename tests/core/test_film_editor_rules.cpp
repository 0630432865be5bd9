#include "cassette_fixture.h"
#include "filmeditor/field_checks.h"
#include "filmeditor/film_store.h"
#include "filmeditor/lending.h"
#include "filmeditor/session_checks.h"
#include "model/collection.h"
#include "scripted_dialogs.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kt;
using namespace kt::literals;
using kt::test::AddFilm;
using kt::test::AllHold;
using kt::test::Box;
using kt::test::Cas;
using kt::test::ScriptedDialogs;

namespace {

TFilmV26 Disc(const std::string& title, int number, int32_t storage = StDvd) {
    return kt::test::Film(title, number, 0, 0, storage);
}

} // namespace

TEST(FilmEditorFields, NumbersOfFieldTexts) {
    struct Case {
        const char* text;
        int number;
        int orValue; // FieldNumberOr(text, -1, -2)
    } cases[] = {
        {"", 0, -1},   {"   ", 0, -1}, {"90", 90, 90}, {" 9 0", 90, 90},
        {"007", 7, 7}, {"abc", 0, -2}, {"1a", 0, -2},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(FieldNumber(k.text), k.number) << k.text;
        EXPECT_EQ(FieldNumberOr(k.text, -1, -2), k.orValue) << k.text;
    }
}

TEST(FilmEditorFields, CompletionTakesTheFirstItemThatStartsWithTheText) {
    const std::vector<std::string> media = {"Video-Cassette", "Kauf-Cassette", "DVD", "VCD",
                                            "SVCD",           "DivX ;-)"};
    EXPECT_EQ(CompletionIndex(media, "dv"), 2);
    EXPECT_EQ(CompletionIndex(media, "D"), 2); // list order, not the shortest
    EXPECT_EQ(CompletionIndex(media, "divx"), 5);
    EXPECT_EQ(CompletionIndex(media, "v"), 0);
    EXPECT_EQ(CompletionIndex(media, "Blu"), -1);
    EXPECT_EQ(CompletionIndex(media, ""), -1);
    // Only a to z change case: "ä" does not complete "Ä".
    EXPECT_EQ(CompletionIndex({"Ärzte"_cp}, "ä"_cp), -1);
    EXPECT_EQ(CompletionIndex({"Ärzte"_cp}, "Är"_cp), 0);
}

TEST(FilmEditorFields, DiscNumberSuggestionSharesOneNumberingOverTheOtherMedia) {
    Collection c;
    EXPECT_EQ(SuggestedDiscNumber(c), 0);
    AddFilm(c, kt::test::Film("Band", 40, 1, 90)); // video cassettes have their own numbers
    EXPECT_EQ(SuggestedDiscNumber(c), 0);
    AddFilm(c, Disc("A", 4));
    AddFilm(c, Disc("B", 9, StDivx));
    AddFilm(c, Disc("C", 2, StBought));
    EXPECT_EQ(SuggestedDiscNumber(c), 10);

    EXPECT_TRUE(OtherFilmWithNumber(c, 9, 0));
    EXPECT_FALSE(OtherFilmWithNumber(c, 9, 3));  // the film being edited itself
    EXPECT_FALSE(OtherFilmWithNumber(c, 40, 0)); // a cassette number is no disc number
}

TEST(FilmEditorFields, LengthsAgainstEachOther) {
    EXPECT_TRUE(NetLongerThanTotal("90", "95"));
    EXPECT_FALSE(NetLongerThanTotal("95", "90"));
    EXPECT_FALSE(NetLongerThanTotal("", "95"));
    EXPECT_FALSE(NetLongerThanTotal("90", ""));

    EXPECT_TRUE(CommercialsByLengths(0, "100", "95"));
    EXPECT_TRUE(CommercialsByLengths(0, "100", ""));
    EXPECT_FALSE(CommercialsByLengths(0, "100", "100"));
    EXPECT_FALSE(CommercialsByLengths(0, "", "95"));
    EXPECT_FALSE(CommercialsByLengths(2, "100", "95"));
}

TEST(FilmEditorFields, EditedLengthOfAFilmOnItsTape) {
    Collection c;
    c.appendCassette(Cas(1, 240, 30));
    AddFilm(c, kt::test::Film("Erster", 1, 1, 60));
    AddFilm(c, kt::test::Film("Mitte", 1, 2, 60));
    AddFilm(c, kt::test::Film("Letzter", 1, 3, 90));
    c.appendCassette(Cas(2, 240, 5));
    // Free positions in front of the films: the film at 5 is the last one all the same.
    AddFilm(c, kt::test::Film("Hinten3", 2, 3, 60));
    AddFilm(c, kt::test::Film("Hinten5", 2, 5, 60));
    const TFilmV26 dvd = Disc("Scheibe", 1);

    struct Case {
        int slot;
        int newLength;
        LengthRefusal expected;
    } cases[] = {
        {3, 100, LengthRefusal::None},        // 10 more minutes, rest 30
        {3, 120, LengthRefusal::None},        // exactly the rest
        {3, 121, LengthRefusal::ExceedsRest}, // one minute too many
        {2, 61, LengthRefusal::FilmsBehind},  // a film follows
        {2, 55, LengthRefusal::None},         // shorter is always fine
        {5, 65, LengthRefusal::None},         // last film, rest 5
        {5, 66, LengthRefusal::ExceedsRest},  {4, 61, LengthRefusal::FilmsBehind},
    };
    for (const Case& k : cases)
        EXPECT_EQ(CheckEditedLength(c, c.Film(k.slot), k.newLength), k.expected)
            << k.slot << " " << k.newLength;
    EXPECT_EQ(CheckEditedLength(c, dvd, 500), LengthRefusal::None);
    EXPECT_NE(LengthRefusalText(LengthRefusal::FilmsBehind).find("VERGRÖßERT"_cp), std::string::npos);
    EXPECT_EQ(NetLengthText(false),
              "Netto-Filmlänge kann nicht größer als Gesamtfilmlänge sein!\r\nNetto-Filmlänge "
              "wird gelöscht!\r\n\r\nBitte, geben Sie ihn noch einmal ein!"_cp);
}

TEST(FilmEditorFields, UnrealisticYears) {
    EXPECT_EQ(
        YearQuestion("1850", 2024),
        "Im Jahr \"1850\" wird es wohl kaum schon Filme gegeben haben.\r\nWollen Sie dieses unrealistische "
        "Datum wirklich speichern?");
    EXPECT_EQ(YearQuestion("2025", 2024), "Das Jahr \"2025\" liegt in der Zukunft.\r\nWollen Sie dieses "
                                          "unrealistische Datum wirklich speichern?");
    EXPECT_EQ(YearQuestion("2024", 2024), "");
    EXPECT_EQ(YearQuestion("1900", 2024), "");
    EXPECT_EQ(YearQuestion("", 2024), "");
    EXPECT_NE(YearQuestion("0", 2024), "");
}

TEST(FilmEditorFields, FitOnTheChosenCassette) {
    Collection c;
    c.appendCassette(Cas(1, 240, 80, 120));
    c.appendCassette(Cas(2, 240, 80, 90));
    c.appendCassette(Cas(3, 240, 100, 0));
    const TFilmV26 onTwo = kt::test::Film("Da", 2, 1, 90);
    const TFilmV26 dvd = Disc("Scheibe", 2);

    EXPECT_EQ(CassetteFit(c, nullptr, 0, 1, 100).outcome, FitOutcome::Fits); // the gap takes it
    const FitResult no = CassetteFit(c, nullptr, 0, 2, 100);
    EXPECT_EQ(no.outcome, FitOutcome::DoesNotFit);
    EXPECT_EQ(no.exceeded, 20);
    EXPECT_EQ(
        DoesNotFitText(no.exceeded),
        "Film paßt nicht auf die Cassette!\r\n\r\nDie Cassetten-Länge wird um 20 Minuten überschritten!"_cp);
    EXPECT_EQ(CassetteFit(c, nullptr, 0, 3, 100).outcome, FitOutcome::Fits); // exactly the rest

    // Nothing to check: its own cassette, another medium, no cassette, no number, no length.
    EXPECT_EQ(CassetteFit(c, &onTwo, 0, 2, 200).outcome, FitOutcome::NotChecked);
    EXPECT_EQ(CassetteFit(c, nullptr, 2, 2, 200).outcome, FitOutcome::NotChecked);
    EXPECT_EQ(CassetteFit(c, nullptr, 0, 9, 200).outcome, FitOutcome::NotChecked);
    EXPECT_EQ(CassetteFit(c, nullptr, 0, 0, 200).outcome, FitOutcome::NotChecked);
    EXPECT_EQ(CassetteFit(c, nullptr, 0, 2, -1).outcome, FitOutcome::NotChecked);
    // A disc that becomes a recording is checked on the cassette that carries its old number.
    EXPECT_EQ(CassetteFit(c, &dvd, 0, 2, 200).outcome, FitOutcome::DoesNotFit);
    EXPECT_EQ(CassetteFit(c, &onTwo, 0, 3, 100).outcome, FitOutcome::Fits);
}

TEST(FilmEditorSession, SimilarTitlesAskUntilSwitchedOff) {
    Collection c;
    AddFilm(c, kt::test::Film("Star Wars", 1, 1, 120));
    AddFilm(c, kt::test::Film("Krieg der Sterne", 1, 2, 120));
    AddFilm(c, kt::test::Film("Star Wars II", 1, 3, 120));
    AddFilm(c, kt::test::Film("   ", 1, 4, 120));
    FilmEditorSession session;
    ScriptedDialogs ui;

    ui.expectQuestion(
        "Die Film-Namen \"starwars\" (neu) und \r\n\"Star Wars\" (gef.) sind sich sehr ähnlich!\r\n"
        "Soll der neue Film tatsächlich in die Datenbank übernommen werden?",
        Answer::No);
    EXPECT_FALSE(NoSimilarFilmFound(c, session, "starwars", SimilarOnAccept, 0, ui));
    ui.verify();

    // The first Yes asks whether to keep the check; No switches it off, but this run goes on.
    ui.expectQuestion("\"Star Wars\" (gef.)", Answer::Yes)
        .expectQuestion("Serien-Verwaltung", Answer::No)
        .expect(Box::Information, "ist nun für diese Sitzung deaktiviert")
        .expectQuestion(
            "\"Star Wars II\" (gef.) sind sich sehr ähnlich!\r\nSoll der neue Filmname so beibehalten",
            Answer::Yes);
    EXPECT_TRUE(NoSimilarFilmFound(c, session, "Star Wars", SimilarOnLeave, 0, ui));
    ui.verify();
    EXPECT_EQ(session.TitleSimilarityCheck, SessionCheck::Off);
    EXPECT_TRUE(NoSimilarFilmFound(c, session, "Star Wars", SimilarOnAccept, 0, ui));
}

TEST(FilmEditorSession, SimilarTitlesSkipTheEditedFilmAndBlankTitles) {
    Collection c;
    AddFilm(c, kt::test::Film("Metropolis", 1, 1, 120));
    AddFilm(c, kt::test::Film("", 1, 2, 120));
    FilmEditorSession session;
    ScriptedDialogs ui; // no box at all
    EXPECT_TRUE(NoSimilarFilmFound(c, session, "Metropolis", SimilarOnLeave, 1, ui));
    EXPECT_TRUE(NoSimilarFilmFound(c, session, "  ", SimilarOnLeave, 0, ui));
    EXPECT_TRUE(NoSimilarFilmFound(c, session, "Nosferatu", SimilarOnLeave, 0, ui));

    session.TitleSimilarityCheck = SessionCheck::On; // once kept, no second keep question
    ui.expectQuestion("\"Metropolis\" (gef.)", Answer::Yes);
    EXPECT_TRUE(NoSimilarFilmFound(c, session, "metro", SimilarOnLeave, 0, ui));
}

TEST(FilmEditorSession, DuplicateDiscNumbers) {
    Collection c;
    AddFilm(c, Disc("A", 4));
    AddFilm(c, Disc("B", 5));
    FilmEditorSession session;
    ScriptedDialogs ui;

    EXPECT_FALSE(DuplicateNumberToChange(c, session, 7, 0, "DVD-Nr.", ui)); // free number: no question
    EXPECT_FALSE(DuplicateNumberToChange(c, session, 4, 1, "DVD-Nr.", ui)); // its own number
    EXPECT_EQ(session.DuplicateNumberCheck, SessionCheck::NotAsked);

    ui.expectQuestion(
          "Die sicherheitshalber eingerichtete \"Prüfung\" auf bereits\r\nvorhandene DVD-Nr. kann "
          "lästig sein.\r\n\r\nMöchten Sie diese Ähnlichkeitsprüfung beibehalten?\r\n(Die Einstellung "
          "gilt NUR für DIESE Sitzung!)",
          Answer::Yes)
        .expectQuestion("Achtung:\r\nDie DVD-Nr. existiert bereits!\r\n\r\nEingabe ändern?", Answer::Yes);
    EXPECT_TRUE(DuplicateNumberToChange(c, session, 4, 0, "DVD-Nr.", ui));
    ui.expectQuestion("existiert bereits", Answer::No);
    EXPECT_FALSE(DuplicateNumberToChange(c, session, 5, 0, "DVD-Nr.", ui));
    ui.verify();

    FilmEditorSession fresh;
    ui.expectQuestion("kann lästig sein", Answer::No)
        .expect(Box::Information, "Ähnlichkeitsprüfung hins. CD-Nr. ist nun für diese Sitzung deaktiviert!");
    EXPECT_FALSE(DuplicateNumberToChange(c, fresh, 4, 0, "CD-Nr.", ui));
    EXPECT_FALSE(DuplicateNumberToChange(c, fresh, 4, 0, "CD-Nr.", ui));
}

TEST(FilmEditorMedia, NewMediumUpToThe32nd) {
    TSpeichermedium media = DefaultStorageMedia();
    int32_t show = 63;
    ScriptedDialogs ui;
    EXPECT_EQ(FindStorageMedium(media, "dvd"), 2);
    EXPECT_EQ(FindStorageMedium(media, "Blu"), -1);

    EXPECT_EQ(AddStorageMedium(media, show, "Blu", ui), 6);
    EXPECT_EQ(show, 63 + 64);
    EXPECT_EQ(media.back(), (TSelectableStr{"Blu", true, 7}));

    while (media.size() < MaxStorageMedia)
        AddStorageMedium(media, show, "M" + std::to_string(media.size()), ui);
    EXPECT_EQ(static_cast<uint32_t>(show), 0xFFFFFFFFu);
    ui.expect(Box::Error, "Es gibt bereits 32 Speichermedien");
    ui.expect(Box::Error, "Speichermedium an");
    const TSpeichermedium before = media;
    EXPECT_EQ(AddStorageMedium(media, show, "Zuviel", ui), -1);
    EXPECT_EQ(AddStorageMedium(media, show, "  ", ui), -1);
    EXPECT_EQ(media, before);

    // A 33rd medium from the configuration is not offered: it has no bit.
    media.push_back({"Dreiunddreißig"_cp, true, 33});
    EXPECT_EQ(FindStorageMedium(media, "Dreiunddreißig"_cp), -1);
}

TEST(FilmEditorLending, KnownAndNewBorrowers) {
    Collection c;
    c.LenderNames = {"Anna Berg", "Otto"};
    c.LenderAddresses = {"Weg 1\r\nStadt", "Platz 2"};
    EXPECT_EQ(FindLender(c, "anna berg"), 0);
    EXPECT_EQ(FindLender(c, "AnnaBerg"), 0); // blanks do not count
    EXPECT_EQ(FindLender(c, "Ot to"), 1);
    EXPECT_EQ(FindLender(c, "Paula"), -1);
    EXPECT_EQ(LenderAddressOf(c, 0), "Weg 1\r\nStadt");
    EXPECT_EQ(LenderAddressOf(c, 5), "");

    TFilmV26 f;
    std::string address = "anderswo";
    EXPECT_FALSE(CollectLending(c, LendLent, "ANNA BERG", address, f));
    EXPECT_EQ(f.LentTo.Strng, "ANNA BERG");
    EXPECT_EQ(f.LenderAddress.Strng, "anderswo"); // the film keeps what was typed
    EXPECT_EQ(c.LenderAddresses[0], "Weg 1\r\nStadt");

    address.clear();
    EXPECT_TRUE(CollectLending(c, LendLent, "Paula", address, f));
    EXPECT_EQ(address, " ");
    EXPECT_EQ(f.LenderAddress.Strng, " ");
    EXPECT_EQ(c.LenderNames.back(), "Paula");
    EXPECT_EQ(c.LenderAddresses.back(), " ");

    // Not lent, or lent without a name: the borrower is cleared and nobody is added.
    f.LentTo.Strng = "alt";
    EXPECT_FALSE(CollectLending(c, LendNotLent, "Neu", address, f));
    EXPECT_EQ(f.LentTo.Strng, "");
    EXPECT_EQ(f.LendStatus, LendNotLent);
    EXPECT_FALSE(CollectLending(c, LendLent, "  ", address, f));
    EXPECT_EQ(c.LenderNames.size(), 3u);
}

TEST(FilmEditorLending, ShortAddressListIsPaddedSoThePairsStay) {
    Collection c;
    c.LenderNames = {"A", "B"};
    c.LenderAddresses = {"x"};
    TFilmV26 f;
    std::string address = "Neue Str. 3";
    EXPECT_TRUE(CollectLending(c, LendLent, "C", address, f));
    ASSERT_EQ(c.LenderAddresses.size(), 3u);
    EXPECT_EQ(c.LenderAddresses[1], " ");
    EXPECT_EQ(c.LenderAddresses[2], "Neue Str. 3");
}

namespace {

struct StoreFixture : ::testing::Test {
    Collection c;
    ScriptedDialogs ui;
    PictureEdit keep;

    void SetUp() override {
        c.appendCassette(Cas(1, 240, 80, 0));
        AddFilm(c, kt::test::Film("Erster", 1, 1, 100));
        AddFilm(c, kt::test::Film("Zweiter", 1, 2, 60));
        c.appendCassette(Cas(2, 240, 240, 0));
        TPicRec pic;
        pic.PicFlags = PicJpg | PicKept;
        pic.PicData = {1, 2, 3};
        pic.PicText.Strng = "Cover";
        c.Film(2).Pics = {pic};
        ASSERT_TRUE(AllHold(c));
    }
};

} // namespace

TEST_F(StoreFixture, NewFilmIsAppendedAndBooked) {
    TFilmV26 w = kt::test::Film("Dritter", 1, 3, 50);
    w.FilmNr = 3;
    const StoreResult r = StoreFilm(c, ModeNew, w, keep, ui);
    EXPECT_EQ(r.outcome, StoreOutcome::Stored);
    EXPECT_TRUE(r.changed);
    EXPECT_FALSE(c.DataSaved);
    EXPECT_EQ(c.AnzFilm(), 3);
    EXPECT_EQ(c.ActFilm, 3);
    EXPECT_EQ(c.Film(3).FilmName.Strng, "Dritter");
    EXPECT_EQ(c.Cassette(1).RestLength, 30);
    EXPECT_TRUE(AllHold(c));
}

TEST_F(StoreFixture, UnchangedEditKeepsDataSavedAndPictures) {
    c.ActFilm = 2;
    TFilmV26 w = c.Film(2);
    w.Pics.clear();      // the working record never carries pictures
    w.RecDate = 45000.0; // the date alone is no change
    const StoreResult r = StoreFilm(c, ModeEdit, w, keep, ui);
    EXPECT_EQ(r.outcome, StoreOutcome::Stored);
    EXPECT_FALSE(r.changed);
    EXPECT_TRUE(c.DataSaved);
    ASSERT_EQ(c.Film(2).AnzPics(), 1);
    EXPECT_EQ(c.Film(2).Pics[0].PicData, (TBArray{1, 2, 3}));
    EXPECT_EQ(c.Film(2).RecDate, 45000.0);
    EXPECT_TRUE(AllHold(c));

    PictureEdit titles;
    titles.titlesChanged = true;
    titles.titles = {"Rückseite"_cp};
    EXPECT_TRUE(StoreFilm(c, ModeEdit, w, titles, ui).changed);
    EXPECT_EQ(c.Film(2).Pics[0].PicText.Strng, "Rückseite"_cp);
    EXPECT_EQ(c.Film(2).Pics[0].PicData, (TBArray{1, 2, 3}));
}

TEST_F(StoreFixture, EditedLastFilmAndMoveToAnotherCassette) {
    c.ActFilm = 2;
    TFilmV26 w = c.Film(2);
    w.FilmLength = 90;
    EXPECT_TRUE(StoreFilm(c, ModeEdit, w, keep, ui).changed);
    EXPECT_EQ(c.Cassette(1).RestLength, 50);

    w.CasNr = 2;
    w.PosOnCas = 1;
    EXPECT_EQ(StoreFilm(c, ModeEdit, w, keep, ui).outcome, StoreOutcome::Stored);
    EXPECT_EQ(c.Cassette(1).RestLength, 140);
    EXPECT_EQ(c.Cassette(2).RestLength, 150);
    EXPECT_TRUE(AllHold(c));
}

TEST_F(StoreFixture, APlaceWithoutRoomIsRefusedAndNothingChanges) {
    // Cassette 1 has a 100-minute hole at 1 but only 10 minutes of rest behind position 2.
    c.Cassette(1).GapLength = 100;
    c.Cassette(1).RestLength = 10;
    c.Film(1).PosOnCas = 3;
    c.Film(1).FilmLength = 70;
    ASSERT_TRUE(AllHold(c));
    const Collection before = c;
    ui.expect(Box::Error, "Film paßt NICHT auf die gewählte Cassette!");
    TFilmV26 w = kt::test::Film("Neu", 1, 4, 90); // at the end, where only 10 minutes are free
    w.FilmNr = 3;
    EXPECT_EQ(StoreFilm(c, ModeNew, w, keep, ui).outcome, StoreOutcome::NotFit);
    EXPECT_EQ(c.AnzFilm(), 2);
    EXPECT_EQ(c.cassettes(), before.cassettes());
    EXPECT_EQ(c.ActFilm, before.ActFilm);
    EXPECT_TRUE(c.DataSaved);
    ui.verify();

    w.PosOnCas = 1; // in the hole it fits
    EXPECT_EQ(StoreFilm(c, ModeNew, w, keep, ui).outcome, StoreOutcome::Stored);
    EXPECT_EQ(c.Cassette(1).GapLength, 10);
    EXPECT_TRUE(AllHold(c));
}

TEST_F(StoreFixture, NoFreeSlotStoresNothing) {
    while (c.AnzFilm() < MaxFilms)
        c.appendFilm(TFilmV26{});
    c.ActFilm = 7;
    ui.expect(Box::Error, "Konnte neuen Filmeintrag nicht anlegen.");
    EXPECT_EQ(StoreFilm(c, ModeNew, kt::test::Film("X", 2, 1, 10), keep, ui).outcome, StoreOutcome::Failed);
    EXPECT_EQ(c.AnzFilm(), MaxFilms);
    EXPECT_EQ(c.ActFilm, 7);
    EXPECT_EQ(c.Cassette(2).RestLength, 240);
}

TEST(FilmEditorStore, ChangeDetectionFields) {
    const TFilmV26 base = kt::test::Film("T", 1, 1, 90);
    std::vector<std::function<void(TFilmV26&)>> changes = {
        [](TFilmV26& f) { f.FilmName.Strng = "U"; },
        [](TFilmV26& f) { f.ProdYear = 1999; },
        [](TFilmV26& f) { f.NetLength = 80; },
        [](TFilmV26& f) { f.Stars.Strng = "S"; },
        [](TFilmV26& f) { f.Remark.Strng = "R"; },
        [](TFilmV26& f) { f.PosOnCas = 2; },
        [](TFilmV26& f) { f.Commercials = false; },
        [](TFilmV26& f) { f.Rating = 3; },
        [](TFilmV26& f) { f.LenderAddress.Strng = "A"; },
        [](TFilmV26& f) { f.Languages = 2; },
        [](TFilmV26& f) { f.DvdRegion = 3; },
        [](TFilmV26& f) { f.Fsk = 1; },
        [](TFilmV26& f) { f.AnzDiscs = 2; },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        TFilmV26 f = base;
        changes[i](f);
        EXPECT_TRUE(FilmFieldsDiffer(base, f)) << i;
    }
    TFilmV26 same = base;
    same.RecDate = 1.0;
    same.FilmNr = 99;
    same.Pics.resize(2);
    EXPECT_FALSE(FilmFieldsDiffer(base, same));
}
