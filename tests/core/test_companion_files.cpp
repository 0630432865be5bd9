#include "persist_support.h"
#include "scripted_dialogs.h"

#include "persistence/companion_files.h"
#include "persistence/film_data_file.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kt;
using namespace kt::literals;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

bool Load(Collection& c, const std::string& file, ScriptedDialogs& ui) {
    std::string errorText;
    NoProgress p;
    return Load_Video_Data(c, file, errorText, ui, p);
}

bool Save(Collection& c, const std::string& file) {
    ScriptedDialogs ui;
    std::string name = file, errorText;
    NoProgress p;
    return Save_Video_Data(c, name, errorText, ui, p);
}

std::string Cas(uint16_t nr) {
    return test::U16(nr) + test::U16(240) + test::U16(240) + test::U16(0);
}

TFilmV26 LentTo(const std::string& name, const std::string& address) {
    TFilmV26 f;
    f.LendStatus = LendLent;
    f.LentTo.Strng = name;
    f.LenderAddress.Strng = address;
    return f;
}

} // namespace

TEST(CassetteFile, RecordsAreReadInSlotOrderAndAnIncompleteOneIsIgnored) {
    test::TempFolder dir;
    test::WriteBytes(dir.file("c.VD6"), "Kassotek2.6#");
    test::WriteBytes(dir.file("c.CDT"), Cas(5) + Cas(2) + std::string("\x09\x00\x10\x00", 4));
    Collection c;
    ScriptedDialogs ui;
    ASSERT_TRUE(Load(c, dir.file("c.VD6"), ui));
    ASSERT_EQ(c.AnzCas(), 2);
    EXPECT_EQ(c.Cassette(1).Nr, 5);
    EXPECT_EQ(c.Cassette(2).Nr, 2);
    EXPECT_EQ(c.ActError, 0);

    c.appendCassette({9, 0x8000 | 120, -7, 3});
    ASSERT_TRUE(Save(c, dir.file("c.VD6")));
    EXPECT_EQ(test::ReadBytes(dir.file("c.CDT")),
              Cas(5) + Cas(2) + std::string("\x09\x00\x78\x80\xF9\xFF\x03\x00", 8));
    EXPECT_EQ(test::ReadBytes(dir.file("c.BKC")), Cas(5) + Cas(2) + std::string("\x09\x00\x10\x00", 4));
}

TEST(CassetteFile, MoreThan5000RecordsLoadTheFirst5000WithAWarning) {
    test::TempFolder dir;
    test::WriteBytes(dir.file("c.VD6"), "Kassotek2.6#");
    std::string cdt;
    for (int i = 1; i <= MaxCassettes + 2; ++i)
        cdt += Cas(static_cast<uint16_t>(i));
    test::WriteBytes(dir.file("c.CDT"), cdt);
    Collection c;
    ScriptedDialogs ui;
    ui.expect(Box::Warning, "mehr als 5000 Cassetten; nur die ersten 5000 wurden geladen.");
    ASSERT_TRUE(Load(c, dir.file("c.VD6"), ui));
    EXPECT_EQ(c.AnzCas(), MaxCassettes);
    EXPECT_EQ(c.Cassette(MaxCassettes).Nr, MaxCassettes);
    EXPECT_EQ(c.ActError, 14);
}

TEST(CassetteFile, AMissingFileWarnsAndTheFilmsStillLoad) {
    test::TempFolder dir;
    test::WriteBytes(dir.file("ohne.VD6"), test::ReadBytes(test::SampleFile(".VD6")));
    Collection c;
    c.appendCassette({1, 240, 240, 0});
    ScriptedDialogs ui;
    ui.expect(Box::Warning, std::string(22, ' ') +
                                "> > >   ACHTUNG!!!     < < <\r\n\r\nDie Cassetten-Daten-Datei \"" +
                                dir.file("ohne.CDT") + "\"\r\nkonnte nicht gefunden werden!\r\n\r\n" +
                                "Kassotek versucht nun, zumindest die Filmdaten zu laden.\r\n\r\n"
                                "Prüfen Sie, ob sie eine Backup-Datei (.BKC) der CDT-Datendatei \r\n"
                                "haben und benennen Sie sie ggf. nach xxxx.CDT um, um Ihre\r\n"
                                "Cassettendaten wiederherzustellen.\r\n\r\n"
                                "Für eine ggf. notwendige Restaurierung der Cassettendaten\r\n"
                                "wenden Sie sich bitte an \"");
    ASSERT_TRUE(Load(c, dir.file("ohne.VD6"), ui));
    EXPECT_EQ(c.AnzFilm(), 3);
    EXPECT_EQ(c.AnzCas(), 0);
    // the next save writes a new, empty cassette file
    ASSERT_TRUE(Save(c, dir.file("ohne.VD6")));
    EXPECT_EQ(test::ReadBytes(dir.file("ohne.CDT")), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("ohne.BKC")));
}

TEST(CompanionFiles, AreFoundWhateverTheCaseOfTheirNames) {
    test::TempFolder dir;
    test::WriteBytes(dir.file("filme.vd6"), test::ReadBytes(test::SampleFile(".VD6")));
    test::WriteBytes(dir.file("filme.cdt"), Cas(7));
    test::WriteBytes(dir.file("FILME.LNA"), "Otto\r\n");
    test::WriteBytes(dir.file("Filme.lad"), "Gasse 2\r\n");
    Collection c;
    ScriptedDialogs ui;
    ASSERT_TRUE(Load(c, dir.file("filme.vd6"), ui));
    ASSERT_EQ(c.AnzCas(), 1);
    EXPECT_EQ(c.Cassette(1).Nr, 7);
    EXPECT_EQ(c.LenderNames.front(), "Otto");
    EXPECT_EQ(c.LenderAddresses.front(), "Gasse 2");

    // A save writes to the files that are there rather than beside them; new files get the
    // extensions in capitals.
    ASSERT_TRUE(Save(c, dir.file("filme.vd6")));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"FILME.LNA", "Filme.lad", "filme.BKC", "filme.BKV",
                                                     "filme.cdt", "filme.vd6"}));
}

TEST(LenderFiles, OldLineEndsAreReadAndAnEntryWithLineBreaksStaysOneEntry) {
    const struct {
        std::string bytes;
        std::vector<std::string> entries;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"Weg 1\x0B"
         "12345 Ort\r\n",
         {"Weg 1\r\n12345 Ort"}},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.bytes);
        EXPECT_EQ(ParseLenderFile(tc.bytes), tc.entries);
    }
    const std::vector<std::string> entries = {"Weg 1\r\n12345 Ort", "", " ", "zwei\nZeilen\rmehr"};
    EXPECT_EQ(LenderFileBytes(entries), "Weg 1\x0B"
                                        "12345 Ort\r\n\r\n \r\nzwei\x0BZeilen\x0Bmehr\r\n");
    EXPECT_EQ(ParseLenderFile(LenderFileBytes(entries)),
              (std::vector<std::string>{"Weg 1\r\n12345 Ort", "", " ", "zwei\r\nZeilen\r\nmehr"}));
}

TEST(LenderFiles, NamesAndMultiLineAddressesStayPairedThroughSaveAndLoad) {
    test::TempFolder dir;
    Collection c;
    c.appendFilm(LentTo("Müller"_cp, "Weg 1\r\n12345 Köln"_cp));
    c.appendFilm(LentTo("Schmidt", "Platz 3\r\n\r\n54321 Bonn"));
    c.LenderNames = {"Alt"};
    c.LenderAddresses = {"Gasse 9\r\nDorf"};
    MergeLenders(c);
    ASSERT_TRUE(Save(c, dir.file("v.VD6")));
    Collection back;
    ScriptedDialogs ui;
    ASSERT_TRUE(Load(back, dir.file("v.VD6"), ui));
    EXPECT_EQ(back.LenderNames, (std::vector<std::string>{"Alt", "Müller"_cp, "Schmidt"}));
    EXPECT_EQ(back.LenderAddresses, (std::vector<std::string>{"Gasse 9\r\nDorf", "Weg 1\r\n12345 Köln"_cp,
                                                              "Platz 3\r\n\r\n54321 Bonn"}));
}

TEST(LenderFiles, TheMergeAddsEachBorrowerOnceAndNoFileIsWrittenWithoutBorrowers) {
    test::TempFolder dir;
    Collection c;
    c.appendFilm(LentTo("  Karl Maier ", "Erste"));
    c.appendFilm(LentTo("karl maier", "Zweite"));
    TFilmV26 notLent = LentTo("Nicht Verliehen", "x");
    notLent.LendStatus = LendNotLent;
    c.appendFilm(notLent);
    c.appendFilm(LentTo("", "ohne Namen"));
    c.appendFilm(LentTo(" ", "auch ohne"));
    MergeLenders(c);
    EXPECT_EQ(c.LenderNames, (std::vector<std::string>{"  Karl Maier ", ""}));
    EXPECT_EQ(c.LenderAddresses, (std::vector<std::string>{"Erste", "ohne Namen"}));

    // An address list that is shorter than the names gets blanks so that a new pair lines up.
    Collection d;
    d.LenderNames = {"A", "B"};
    d.appendFilm(LentTo("C", "Adresse C"));
    MergeLenders(d);
    EXPECT_EQ(d.LenderAddresses, (std::vector<std::string>{" ", " ", "Adresse C"}));

    Collection none;
    none.appendFilm(TFilmV26{});
    ASSERT_TRUE(Save(none, dir.file("n.VD6")));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"n.CDT", "n.VD6"}));
    // existing borrower files stay when the lists are empty
    test::WriteBytes(dir.file("n.LNA"), "bleibt\r\n");
    ASSERT_TRUE(Save(none, dir.file("n.VD6")));
    EXPECT_EQ(test::ReadBytes(dir.file("n.LNA")), "bleibt\r\n");
}

TEST(BorrowerFiles, AreTakenOnlyAsAMatchingPair) {
    const struct {
        const char* name;
        const char* lna; // nullptr: missing; "/": a folder
        const char* lad;
        const char* warning; // nullptr: none
        std::vector<std::string> names;
        std::vector<std::string> addresses;
    } cases[] = {
        {"both",
         "Anna\r\nBert\r\n",
         "Weg 1\r\nWeg 2\r\n",
         nullptr,
         {"Anna", "Bert", "Carla"},
         {"Weg 1", "Weg 2", "Hof 3"}},
        {"neither", nullptr, nullptr, nullptr, {"Alt", "Carla"}, {"Altweg", "Hof 3"}},
        {"addresses missing",
         "Anna\r\nBert\r\n",
         nullptr,
         "\"f.LAD\" fehlt",
         {"Alt", "Carla"},
         {"Altweg", "Hof 3"}},
        {"names missing", nullptr, "Weg 1\r\n", "\"f.LNA\" fehlt", {"Alt", "Carla"}, {"Altweg", "Hof 3"}},
        {"different lengths",
         "Anna\r\nBert\r\n",
         "Weg 2\r\n",
         "2 Namen, aber 1 Adressen",
         {"Alt", "Carla"},
         {"Altweg", "Hof 3"}},
        {"names unreadable",
         "/",
         "Weg 1\r\n",
         "\"f.LNA\" kann nicht gelesen werden (keine Datei)",
         {"Alt", "Carla"},
         {"Altweg", "Hof 3"}},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        test::TempFolder dir;
        Collection saved;
        saved.appendFilm(LentTo("Carla", "Hof 3"));
        {
            std::string name = dir.file("f.VD6"), errorText;
            ScriptedDialogs ui;
            NoProgress p;
            ASSERT_TRUE(Save_Video_Data(saved, name, errorText, ui, p));
        }
        for (const auto& [ext, bytes] : {std::pair{"f.LNA", tc.lna}, std::pair{"f.LAD", tc.lad}}) {
            const std::string file = dir.file(ext);
            std::filesystem::remove(file);
            if (bytes && std::string(bytes) == "/")
                std::filesystem::create_directory(file);
            else if (bytes)
                test::WriteBytes(file, bytes);
        }
        // The lists of the collection in use stay when the files do not fit together.
        Collection c;
        c.LenderNames = {"Alt"};
        c.LenderAddresses = {"Altweg"};
        ScriptedDialogs ui;
        if (tc.warning)
            ui.expect(Box::Warning, std::string("passen nicht zusammen:\r\n") + tc.warning);
        ASSERT_TRUE(Load(c, dir.file("f.VD6"), ui));
        EXPECT_EQ(c.LenderNames, tc.names);
        EXPECT_EQ(c.LenderAddresses, tc.addresses);
    }
}

TEST(BorrowerFiles, ASaveWritesAnAddressForEveryName) {
    test::TempFolder dir;
    Collection c;
    c.LenderNames = {"Anna", "Bert"};
    c.LenderAddresses = {"Weg 1"};
    std::string name = dir.file("f.VD6"), errorText;
    ScriptedDialogs ui;
    NoProgress p;
    ASSERT_TRUE(Save_Video_Data(c, name, errorText, ui, p));
    EXPECT_EQ(test::ReadBytes(dir.file("f.LAD")), "Weg 1\r\n \r\n");
}

TEST(NotAFile, AFolderOrFifoUnderTheNameIsReportedAsSuch) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir.file("ordner.VD6"));
    ASSERT_EQ(::mkfifo(dir.file("rohr.VD6").c_str(), 0600), 0);
    for (const char* name : {"ordner.VD6", "rohr.VD6"}) {
        SCOPED_TRACE(name);
        Collection c;
        ScriptedDialogs ui;
        std::string errorText;
        NoProgress p;
        EXPECT_FALSE(Load_Video_Data(c, dir.file(name), errorText, ui, p));
        EXPECT_EQ(ErrorText(c.ActError, errorText), dir.file(name) + " ist keine Datei!");
    }
    // A folder in place of the cassette file: its own warning, then the films load.
    Collection sample = test::SampleCollection();
    {
        std::string name = dir.file("f.VD6"), errorText;
        ScriptedDialogs ui;
        NoProgress p;
        ASSERT_TRUE(Save_Video_Data(sample, name, errorText, ui, p));
    }
    std::filesystem::remove(dir.file("f.CDT"));
    std::filesystem::create_directory(dir.file("f.CDT"));
    Collection c;
    ScriptedDialogs ui;
    ui.expect(Box::Warning, "\"" + dir.file("f.CDT") + "\" ist keine Datei!");
    ASSERT_TRUE(Load(c, dir.file("f.VD6"), ui));
    EXPECT_EQ(c.AnzFilm(), 3);
    // Saving then refuses without touching anything.
    const auto before = dir.names();
    std::string name = dir.file("f.VD6"), errorText;
    ScriptedDialogs saveUi;
    NoProgress p;
    EXPECT_FALSE(Save_Video_Data(c, name, errorText, saveUi, p));
    EXPECT_EQ(errorText, "[4] " + dir.file("f.CDT") + " (keine Datei)");
    EXPECT_EQ(dir.names(), before);
}
