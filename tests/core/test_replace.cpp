#include "film_fixture.h"
#include "scripted_dialogs.h"

#include "filter/replace.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::literals;
using kt::test::AddFilm;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

ReplaceRequest Request(ReplaceField field, const char* old, const char* with, bool caseSensitive = false) {
    ReplaceRequest r;
    r.In[field] = true;
    r.Bisher = ToCp1252(old);
    r.NeuStr = ToCp1252(with);
    r.CaseSensitiv = caseSensitive;
    return r;
}

} // namespace

TEST(Replace, FirstOccurrencePerValueInAnyCase) {
    Collection c;
    AddFilm(c, "Jaws").Director.Strng = "Steven Spielberg";
    AddFilm(c, "E.T.").Director.Strng = "spielberg";
    AddFilm(c, "Duel", StDvd).Director.Strng = "SPIELBERG und SPIELBERG";
    AddFilm(c, "Alien").Director.Strng = "Ridley Scott";
    c.Film(4).Remark.Strng = "Spielberg";
    ScriptedDialogs ui;
    const ReplaceRequest rq = Request(ReplaceDirector, "Spielberg", "Spielberg, S.");
    ui.expect(Box::Information, "Es wurden 3 Änderung(en) durchgeführt!");
    EXPECT_EQ(ReplaceInAllFilms(c, rq, ui).Count, 3);
    EXPECT_EQ(c.Film(1).Director.Strng, "Steven Spielberg, S.");
    EXPECT_EQ(c.Film(2).Director.Strng, "Spielberg, S.");
    EXPECT_EQ(c.Film(3).Director.Strng, "Spielberg, S. und SPIELBERG");
    EXPECT_EQ(c.Film(4).Director.Strng, "Ridley Scott");
    EXPECT_EQ(c.Film(4).Remark.Strng, "Spielberg"); // field not chosen
    EXPECT_FALSE(c.DataSaved);

    // A second run extends each value again (the new text holds the old one).
    ui.expect(Box::Information, "Es wurden 3 ");
    EXPECT_EQ(ReplaceInAllFilms(c, rq, ui).Count, 3);
    EXPECT_EQ(c.Film(2).Director.Strng, "Spielberg, S., S.");
}

TEST(Replace, CaseSensitiveAndUmlauts) {
    Collection c;
    AddFilm(c, "A").Director.Strng = "SPIELBERG";
    AddFilm(c, "B").Director.Strng = "Spielberg";
    AddFilm(c, "Ärger im Paradies");
    AddFilm(c, "ärgerlich");
    ScriptedDialogs ui;
    ui.expect(Box::Information, "Es wurden 1 ");
    EXPECT_EQ(ReplaceInAllFilms(c, Request(ReplaceDirector, "Spielberg", "X", true), ui).Count, 1);
    EXPECT_EQ(c.Film(1).Director.Strng, "SPIELBERG");
    EXPECT_EQ(c.Film(2).Director.Strng, "X");
    // Only a-z are upper-cased: "ä" does not find "Ä".
    ui.expect(Box::Information, "Es wurden 1 ");
    EXPECT_EQ(ReplaceInAllFilms(c, Request(ReplaceFilmName, "ärger", "Freude"), ui).Count, 1);
    EXPECT_EQ(ToUtf8(c.Film(3).FilmName.Strng), "Ärger im Paradies");
    EXPECT_EQ(ToUtf8(c.Film(4).FilmName.Strng), "Freudelich");
}

TEST(Replace, EveryFieldOfTheList) {
    Collection c;
    TFilmV26& f = AddFilm(c, "alt");
    for (std::string* s : {&f.Category.Strng, &f.Country.Strng, &f.Stars.Strng, &f.Director.Strng,
                           &f.Content.Strng, &f.Remark.Strng, &f.LentTo.Strng, &f.LenderAddress.Strng})
        *s = "alt";
    ScriptedDialogs ui;
    for (int field = 0; field < ReplacePicText; ++field) {
        ui.expect(Box::Information, "Es wurden 1 ");
        EXPECT_EQ(ReplaceInAllFilms(c, Request(static_cast<ReplaceField>(field), "alt", "neu"), ui).Count, 1)
            << ReplaceFieldNames()[static_cast<std::size_t>(field)];
    }
    const TFilmV26& g = c.Film(1);
    for (const std::string* s :
         {&g.FilmName.Strng, &g.Category.Strng, &g.Country.Strng, &g.Stars.Strng, &g.Director.Strng,
          &g.Content.Strng, &g.Remark.Strng, &g.LentTo.Strng, &g.LenderAddress.Strng})
        EXPECT_EQ(*s, "neu");
    // The category made by the replace is known to the lists.
    ASSERT_EQ(c.CategoryList.size(), 1u);
    EXPECT_EQ(c.CategoryList[0].Name, "neu");
}

TEST(Replace, PicturePathsCountOncePerPictureUpToTen) {
    Collection c;
    TFilmV26& f = AddFilm(c, "Alien", StDvd);
    f.Pics.resize(12);
    for (auto& p : f.Pics)
        p.PicText.Strng = "/alt/bilder/alien.jpg";
    f.Pics[1].PicText.Strng = "Titelbild";
    ScriptedDialogs ui;
    ui.expect(Box::Information, "Es wurden 9 ");
    EXPECT_EQ(ReplaceInAllFilms(c, Request(ReplacePicText, "/alt/", "/neu/"), ui).Count, 9);
    EXPECT_EQ(c.Film(1).Pics[0].PicText.Strng, "/neu/bilder/alien.jpg");
    EXPECT_EQ(c.Film(1).Pics[1].PicText.Strng, "Titelbild");
    EXPECT_EQ(c.Film(1).Pics[9].PicText.Strng, "/neu/bilder/alien.jpg");
    EXPECT_EQ(c.Film(1).Pics[10].PicText.Strng, "/alt/bilder/alien.jpg");
}

TEST(Replace, NoFieldChosen) {
    Collection c;
    AddFilm(c, "alt");
    ReplaceRequest rq = Request(ReplaceFilmName, "alt", "neu");
    rq.In.fill(false);
    ScriptedDialogs ui;
    ui.expectQuestion("Es wurde kein Feld angegeben, in dem geändert werden soll!\r\nAngabe nachholen?",
                      Answer::Yes);
    const ReplaceResult again = ReplaceInAllFilms(c, rq, ui);
    EXPECT_TRUE(again.KeepOpen);
    EXPECT_EQ(again.Count, 0);
    EXPECT_EQ(ui.questionButtons.back(), Buttons::YesNo);

    ui.expectQuestion("Angabe nachholen?", Answer::No);
    ui.expect(Box::Information, "Es wurden 0 Änderung(en) durchgeführt!");
    const ReplaceResult none = ReplaceInAllFilms(c, rq, ui);
    EXPECT_FALSE(none.KeepOpen);
    EXPECT_EQ(none.Count, 0);
    EXPECT_EQ(c.Film(1).FilmName.Strng, "alt");
    EXPECT_TRUE(c.DataSaved);
}

TEST(Replace, EmptyOldTextNeverMatchesAndTheCountIsQuietWithoutShowAllMsg) {
    Collection c;
    AddFilm(c, "Alien");
    ScriptedDialogs quiet(false);
    EXPECT_EQ(ReplaceInAllFilms(c, Request(ReplaceFilmName, "", "X"), quiet).Count, 0);
    EXPECT_EQ(c.Film(1).FilmName.Strng, "Alien");
    EXPECT_TRUE(c.DataSaved);
    ASSERT_EQ(quiet.quiet.size(), 1u);
    EXPECT_EQ(quiet.quiet[0], "Es wurden 0 Änderung(en) durchgeführt!"_cp);
}
