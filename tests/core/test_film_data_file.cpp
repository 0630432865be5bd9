#include "persist_support.h"
#include "scripted_dialogs.h"

#include "persistence/companion_files.h"
#include "persistence/file_access.h"
#include "persistence/film_data_file.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace kt;
using namespace kt::literals;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

TFilmV26 SmallFilm() {
    TFilmV26 f;
    f.FilmName.Strng = "Ab";
    f.ProdYear = 1999, f.FilmLength = 90, f.FilmNr = 1;
    f.Director.Strng = "D\xF6r";
    f.Content.Strng = "x\r\ny";
    f.CasNr = 3, f.PosOnCas = 4;
    f.Category.Strng = "Krimi", f.Country.Strng = "D";
    f.TwoChannel = true, f.Commercials = false, f.CatalogCard = 1, f.Rating = 5, f.RecDate = 36526.25;
    f.StorageType = 1, f.LendStatus = 1, f.AnzDiscs = 1, f.NetLength = 80, f.Languages = 1;
    f.Pics.push_back({3, 129, {0xAA, 0xBB, 0xCC}, {"T"}});
    f.Pics.push_back({500, 257, {}, {"/b.jpg"}});
    f.SoundFormat = 1, f.PictureFormat = 2, f.DvdRegion = 2, f.Fsk = 3;
    return f;
}

// Fields 1 to 24 of SmallFilm as the table of the tagged record lists them, after RecLength.
std::string SmallFilmFields1To24() {
    using test::I32;
    using test::Txt;
    return Txt("Ab") + I32(1999) + I32(90) + I32(1) + Txt(" ") + Txt("D\xF6r") + Txt("x\r\ny") + Txt(" ") +
           I32(3) + I32(4) + Txt("Krimi") + Txt("D") + std::string("\x01\x00", 2) + I32(1) + I32(5) +
           std::string("\x00\x00\x00\x00\xC8\xD5\xE1\x40", 8) + I32(1) + I32(1) + I32(1) + Txt(" ") +
           Txt(" ") + I32(80) + I32(1);
}

struct Saved {
    bool ok;
    std::string file;
    std::string errorText;
};

Saved SaveAs(Collection& c, const std::string& file, UserDialogs& ui) {
    Saved s{false, file, {}};
    NoProgress p;
    s.ok = Save_Video_Data(c, s.file, s.errorText, ui, p);
    return s;
}

bool Load(Collection& c, const std::string& file, UserDialogs& ui, std::string* errorText = nullptr) {
    std::string e;
    NoProgress p;
    const bool ok = Load_Video_Data(c, file, e, ui, p);
    if (errorText)
        *errorText = e;
    return ok;
}

} // namespace

TEST(TaggedFile, WritesExactlyTheBytesOfEachVersion) {
    using test::I32;
    using test::Txt;
    const std::string pictures =
        I32(2) + I32(3) + I32(129) + "\xAA\xBB\xCC" + Txt("T") + I32(500) + I32(257) + Txt("/b.jpg");
    const std::string formats = I32(1) + I32(2) + I32(2) + I32(3);
    const struct {
        int minor;
        std::string expected;
    } cases[] = {
        {4, "Kassotek2.4#" + I32(117) + SmallFilmFields1To24()},
        {5, "Kassotek2.5#" + I32(155) + SmallFilmFields1To24() + pictures},
        {6, "Kassotek2.6#" + I32(171) + SmallFilmFields1To24() + pictures + formats},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.minor);
        test::TempFolder dir;
        Collection c;
        c.appendFilm(SmallFilm());
        c.DataVerMinor = tc.minor;
        ScriptedDialogs ui;
        if (tc.minor != 6)
            ui.expectQuestion("übertragen werden?", Answer::No);
        const Saved s = SaveAs(c, dir.file("f.VD6"), ui);
        ASSERT_TRUE(s.ok);
        EXPECT_EQ(s.file, dir.file("f.VD" + std::to_string(tc.minor)));
        EXPECT_EQ(test::ReadBytes(s.file), tc.expected);
        EXPECT_EQ(c.Film(1).RecLength, static_cast<int32_t>(tc.expected.size() - 12));
        EXPECT_TRUE(c.DataSaved);
    }
}

TEST(TaggedFile, EmptyTextsAndBlankTextsReadBackEmpty) {
    test::TempFolder dir;
    Collection c;
    TFilmV26 f;
    f.Remark.Strng = " ";
    c.appendFilm(f);
    c.DataSaved = false;
    ScriptedDialogs ui;
    ASSERT_TRUE(SaveAs(c, dir.file("e.VD6"), ui).ok);
    // nine texts of one blank each, no pictures
    EXPECT_EQ(test::ReadBytes(dir.file("e.VD6")).size(), 12u + 107 + 4 + 16);

    Collection back;
    ASSERT_TRUE(Load(back, dir.file("e.VD6"), ui));
    ASSERT_EQ(back.AnzFilm(), 1);
    EXPECT_EQ(back.Film(1).Remark.Strng, "");
    EXPECT_EQ(back.Film(1).FilmName.Strng, "");
    EXPECT_EQ(back.Film(1).Category.Strng, "");
    EXPECT_TRUE(back.CategoryList.empty());
}

TEST(TaggedFile, RecordsOfALaterFormAreReadUpToTheFieldsOfTheVersion) {
    // A 2.5 header in front of 2.6 records: fields 30 to 33 are skipped through RecLength.
    test::TempFolder dir;
    std::string bytes = test::ReadBytes(test::SampleFile(".VD6"));
    bytes[10] = '5';
    test::WriteBytes(dir.file("s.VD5"), bytes);
    Collection c;
    c.DataVerMinor = 5;
    ScriptedDialogs ui;
    ui.expect(Box::Warning, "konnte nicht gefunden werden!");
    ui.expectQuestion("mit dem Daten-Filter für Daten der Version 2.5 geladen werden?", Answer::Yes);
    ASSERT_TRUE(Load(c, dir.file("s.VD5"), ui));
    const Collection sample = test::SampleCollection();
    ASSERT_EQ(c.AnzFilm(), 3);
    EXPECT_EQ(c.Film(1).Pics, sample.Film(1).Pics);
    EXPECT_EQ(c.Film(2).Pics, sample.Film(2).Pics);
    for (const TFilmV26& f : c.films())
        EXPECT_EQ(f.SoundFormat + f.PictureFormat + f.DvdRegion + f.Fsk, 0);
    EXPECT_EQ(c.Film(3).FilmNr, 3);
}

TEST(TaggedFile, ACollectionWithoutFilmsIsTheHeaderAloneAndLoadsEmpty) {
    const struct {
        int minor;
        std::size_t size;
    } cases[] = {{6, 12}, {4, 12}, {3, 1564}, {0, 0}};
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.minor);
        test::TempFolder dir;
        Collection c;
        c.DataVerMinor = tc.minor;
        ScriptedDialogs ui;
        if (tc.minor != 6)
            ui.expectQuestion("übertragen", Answer::No);
        const Saved s = SaveAs(c, dir.file("leer.VD6"), ui);
        ASSERT_TRUE(s.ok);
        EXPECT_EQ(test::ReadBytes(s.file).size(), tc.size);
        EXPECT_EQ(test::ReadBytes(dir.file("leer.CDT")), "");

        Collection back;
        back.appendFilm(TFilmV26{}); // replaced by the load
        back.DataVerMinor = tc.minor;
        if (tc.minor != 6)
            ui.expectQuestion("geladen werden?", Answer::Yes);
        EXPECT_TRUE(Load(back, s.file, ui));
        EXPECT_EQ(back.AnzFilm(), 0);
        EXPECT_EQ(back.ActError, 0);
    }
}

TEST(TaggedFile, KeptPicturesCarryTheirBytesAndLinksNone) {
    test::TempFolder dir;
    Collection kept, linked;
    TFilmV26 f;
    for (int i = 0; i < 3; ++i)
        f.Pics.push_back({100000, PicKept | PicJpg, TBArray(100000, static_cast<uint8_t>(i)), {"Bild"}});
    kept.appendFilm(f);
    for (TPicRec& p : f.Pics)
        p.PicFlags = PicLink | PicJpg, p.PicData.clear();
    linked.appendFilm(f);
    ScriptedDialogs ui;
    ASSERT_TRUE(SaveAs(kept, dir.file("k.VD6"), ui).ok);
    ASSERT_TRUE(SaveAs(linked, dir.file("l.VD6"), ui).ok);
    EXPECT_EQ(test::ReadBytes(dir.file("k.VD6")).size(), test::ReadBytes(dir.file("l.VD6")).size() + 300000);

    Collection back;
    ASSERT_TRUE(Load(back, dir.file("l.VD6"), ui));
    ASSERT_EQ(back.Film(1).AnzPics(), 3);
    EXPECT_EQ(back.Film(1).Pics[0].PicSize, 100000);
    EXPECT_TRUE(back.Film(1).Pics[0].PicData.empty());
}

TEST(LoadFailures, EachRowEndsTheLoadAsDescribed) {
    struct Case {
        const char* name;
        std::string bytes; // empty name part: no file at all
        int expectMinor;
        std::vector<std::pair<Box, std::string>> boxes;
        Answer answer;
        uint8_t actError;
        bool errorTextIsFile;
        bool keepsCurrentFile;
    };
    const std::string v6 = test::ReadBytes(test::SampleFile(".VD6"));
    const std::string v4 = test::ReadBytes(test::SampleFile(".VD4"));
    std::string caps = v6;
    caps.replace(0, 8, "KASSOTEK");
    std::string main3 = v6;
    main3[8] = '3';
    std::string noHash = v6.substr(0, 8) + "2.6XXXXXXXXXXXXXXXXXXXXX";
    const Case cases[] = {
        {"unrecognised",
         std::string(300, 'x'),
         6,
         {{Box::Error, "Konnte Dateiformat NICHT erkennen!"}},
         Answer::Ok,
         0,
         false,
         true},
        {"main version",
         main3,
         6,
         {{Box::Error, "Programm-Hauptversion entspricht nicht"}},
         Answer::Ok,
         0,
         false,
         true},
        {"declined",
         v4,
         4,
         {{Box::Question, "Programmversion (2.6) entspricht nicht der eingestellten Datenversion (2.4)!"}},
         Answer::No,
         0,
         false,
         true},
        {"header in capitals", caps, 6, {}, Answer::Ok, 3, true, false},
        {"no # in the header",
         noHash,
         6,
         {{Box::Error, "Programm-Hauptversion"}},
         Answer::Ok,
         0,
         false,
         true},
        {"minor 8",
         "Kassotek2.8#",
         6,
         {{Box::Error, "Konnte Dateiformat NICHT erkennen!"}},
         Answer::Ok,
         0,
         false,
         true},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        test::TempFolder dir;
        const std::string file = dir.file("f.VD6");
        test::WriteBytes(file, tc.bytes);
        test::WriteBytes(dir.file("f.CDT"), std::string(8, '\0'));
        // The collection in use stays as it was, with its file name and save state.
        Collection c;
        c.appendFilm(TFilmV26{});
        c.CurrentDataFile = "alt.VD6";
        c.DataSaved = false;
        c.LenderNames = {"Alt"};
        c.DataVerMinor = tc.expectMinor;
        ScriptedDialogs ui;
        for (const auto& [box, text] : tc.boxes)
            ui.expect(box, text, tc.answer);
        std::string errorText;
        bool replaced = true;
        ScriptedDialogs* u = &ui;
        NoProgress p;
        EXPECT_FALSE(Load_Video_Data(c, file, errorText, *u, p, &replaced));
        EXPECT_FALSE(replaced);
        EXPECT_EQ(c.ActError, tc.actError);
        EXPECT_EQ(errorText, tc.errorTextIsFile ? file : "");
        EXPECT_EQ(c.CurrentDataFile, "alt.VD6");
        EXPECT_FALSE(c.DataSaved);
        EXPECT_EQ(c.LenderNames, std::vector<std::string>{"Alt"});
        EXPECT_EQ(c.AnzFilm(), 1);
        EXPECT_EQ(c.AnzCas(), 0);
        EXPECT_EQ(c.DataVerMain, PrgVerMain); // a later save still writes a readable header
    }
}

TEST(LoadFailures, AMissingFileReleasesNothing) {
    test::TempFolder dir;
    Collection c;
    c.appendFilm(TFilmV26{});
    c.CurrentDataFile = "alt.VD6";
    ScriptedDialogs ui;
    std::string errorText;
    EXPECT_FALSE(Load(c, dir.file("fehlt.VD6"), ui, &errorText));
    EXPECT_EQ(c.ActError, 1);
    EXPECT_EQ(errorText, dir.file("fehlt.VD6"));
    EXPECT_EQ(c.AnzFilm(), 1);
    EXPECT_EQ(c.CurrentDataFile, "alt.VD6");
    EXPECT_EQ(ErrorText(c.ActError, errorText), "Datei " + dir.file("fehlt.VD6") + " nicht gefunden!");
}

// File names are the file system's UTF-8 bytes; messages are Windows-1252, so a name with umlauts
// must be converted on its way into a message, or the box shows it garbled.
TEST(LoadFailures, AFileNameWithUmlautsReadsRightInTheMessage) {
    test::TempFolder dir;
    Collection c;
    ScriptedDialogs ui;
    std::string errorText;
    const std::string file = dir.file("Größe.VD6"); // UTF-8 from the source file
    EXPECT_FALSE(Load(c, file, ui, &errorText));
    EXPECT_EQ(ToUtf8(ErrorText(c.ActError, errorText)), "Datei " + file + " nicht gefunden!");
}

TEST(LoadFailures, TheFilmLimitKeepsTheFirst20000Films) {
    test::TempFolder dir;
    Collection c;
    c.appendFilm(TFilmV26{});
    std::string one;
    TFilmV26 f;
    std::string file = "Kassotek2.4#";
    const std::string bytes = test::I32(107) + test::Txt(" ") + std::string(12, '\0') + [] {
        std::string s;
        for (int i = 0; i < 4; ++i)
            s += test::Txt(" ");
        s += std::string(8, '\0') + test::Txt(" ") + test::Txt(" ") + std::string(2 + 8 + 8 + 12, '\0') +
             test::Txt(" ") + test::Txt(" ") + std::string(8, '\0');
        return s;
    }();
    ASSERT_EQ(bytes.size(), 107u);
    for (int i = 0; i < MaxFilms + 1; ++i)
        file += bytes;
    test::WriteBytes(dir.file("voll.VD4"), file);
    test::WriteBytes(dir.file("voll.CDT"), "");
    c.DataVerMinor = 4;
    ScriptedDialogs ui;
    ui.expectQuestion("Version 2.4 geladen werden?", Answer::Yes);
    // The first 20000 films are offered as a collection without a file name.
    ui.expectQuestion("nur die ersten 20000 Filme konnten gelesen werden", Answer::Yes);
    std::string errorText;
    EXPECT_FALSE(Load(c, dir.file("voll.VD4"), ui, &errorText));
    EXPECT_EQ(c.ActError, 13);
    EXPECT_EQ(errorText, "");
    EXPECT_EQ(c.AnzFilm(), MaxFilms);
    EXPECT_EQ(c.Film(MaxFilms).FilmNr, MaxFilms);
    EXPECT_EQ(c.CurrentDataFile, "");
    EXPECT_FALSE(c.DataSaved);
}

TEST(SaveFailures, NoFileNameAndAnExistingConvertedName) {
    test::TempFolder dir;
    Collection c = test::SampleCollection();
    ScriptedDialogs ui;
    Saved s = SaveAs(c, "", ui);
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(c.ActError, 16);
    EXPECT_EQ(s.errorText, "[1] Sichern");

    // A collection of version 2.5 saved under its existing name: No keeps 2.5 and refuses.
    test::WriteBytes(dir.file("alt.VD5"), "bleibt");
    c.DataVerMinor = 5;
    c.DataSaved = false;
    c.ActError = 0; // as the Save command sets it
    ui.expectQuestion(
        "alt.VD5 ist eine Datei der Version 2.5. Soll diese in das aktuelle Format 2.6 übertragen werden?",
        Answer::No);
    ui.expect(Box::Warning,
              "Eine Datei dieses Formats besteht offensichtlich schon!\r\nDaten werden NICHT gesichert!");
    s = SaveAs(c, dir.file("alt.VD5"), ui);
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(c.ActError, 0);
    EXPECT_FALSE(c.DataSaved);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"alt.VD5"}));

    // Yes writes 2.6 beside it and leaves the 2.5 file untouched.
    ui.expectQuestion("übertragen werden?", Answer::Yes);
    s = SaveAs(c, dir.file("alt.VD5"), ui);
    EXPECT_TRUE(s.ok);
    EXPECT_EQ(s.file, dir.file("alt.VD6"));
    EXPECT_EQ(c.DataVerMinor, 6);
    EXPECT_EQ(test::ReadBytes(dir.file("alt.VD5")), "bleibt");
    EXPECT_EQ(test::ReadBytes(dir.file("alt.VD6")), test::ReadBytes(test::SampleFile(".VD6")));
}

TEST(SaveFailures, ValuesTheOldRecordCannotHoldRefuseTheSave) {
    const struct {
        int minor;
        void (*set)(TFilmV26&);
        const char* field;
    } cases[] = {
        {0, [](TFilmV26& f) { f.ProdYear = 65536; }, "\"Jahr\""},
        {3, [](TFilmV26& f) { f.FilmLength = -1; }, "\"Länge\""},
        {2, [](TFilmV26& f) { f.CasNr = 70000; }, "\"Cassetten-Nr.\""},
        {1, [](TFilmV26& f) { f.PosOnCas = 256; }, "\"Position auf Cassette\""},
        {1, [](TFilmV26& f) { f.CatalogCard = 300; }, "\"Karte vorhanden\""},
        {3, [](TFilmV26& f) { f.Rating = 128; }, "\"Wertung\""},
        {2, [](TFilmV26& f) { f.NetLength = 65536; }, "\"Nettolänge\""},
        {0, [](TFilmV26& f) { f.FilmNr = 65536; }, "\"Film-Nr.\""},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.field);
        test::TempFolder dir;
        Collection c = test::SampleCollection();
        tc.set(c.Film(2));
        c.DataVerMinor = tc.minor;
        ScriptedDialogs ui;
        ui.expectQuestion("übertragen werden?", Answer::No);
        ui.expect(Box::Error, "Der Film \"Späte Gäste\" kann nicht im Format 2." + std::to_string(tc.minor) +
                                  " gespeichert werden:");
        const Saved s = SaveAs(c, dir.file("alt.VD6"), ui);
        ASSERT_EQ(ui.shown.size(), 2u);
        EXPECT_NE(ui.shown[1].utf8().find(tc.field), std::string::npos) << ui.shown[1].utf8();
        EXPECT_FALSE(s.ok);
        EXPECT_EQ(c.ActError, 9);
        EXPECT_TRUE(dir.names().empty()) << "nothing written";
    }
}
