#include "persist_support.h"
#include "scripted_dialogs.h"

#include "persistence/data_file_commands.h"
#include "persistence/data_version.h"
#include "persistence/film_data_file.h"
#include "persistence/network_lock.h"
#include "trace/trace_log.h"

#include <gtest/gtest.h>

using namespace kt;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

// A file written by the program in `version`, with its cassette file.
void WriteCollection(const std::string& file, int version, int films = 2) {
    Collection c;
    for (int i = 1; i <= films; ++i) {
        TFilmV26 f;
        f.FilmName.Strng = "Film " + std::to_string(i);
        f.FilmNr = i;
        f.StorageType = StDvd;
        f.FilmLength = 90;
        c.appendFilm(f);
    }
    c.DataVerMinor = version;
    std::string name = file, errorText;
    ScriptedDialogs ui;
    if (version != ActVer)
        ui.expectQuestion("Soll diese in das aktuelle Format", Answer::No);
    NoProgress p;
    ASSERT_TRUE(Save_Video_Data(c, name, errorText, ui, p));
    ASSERT_EQ(name, file);
}

int VersionInFile(const std::string& file) {
    return RecognizeVersion(test::ReadBytes(file)).minor;
}

} // namespace

TEST(DataFileCommands, TheSevenFiltersAndTheirExtensions) {
    const char* expected[][3] = {
        {"Kassotek Dateien V2.0(*.VDT)", "*.VDT ", ".VDT"}, {"Kassotek Dateien V2.1(*.VD1)", "*.VD1", ".VD1"},
        {"Kassotek Dateien V2.2(*.VD2)", "*.VD2 ", ".VD2"}, {"Kassotek Dateien V2.3(*.VD3)", "*.VD3", ".VD3"},
        {"Kassotek Dateien V2.4(*.VD4)", "*.VD4 ", ".VD4"}, {"Kassotek Dateien V2.5(*.VD5)", "*.VD5", ".VD5"},
        {"Kassotek Dateien V2.6(*.VD6)", "*.VD6", ".VD6"},
    };
    for (int i = 1; i <= DataFileFilterCount; ++i) {
        EXPECT_STREQ(DataFileFilterAt(i).description, expected[i - 1][0]);
        EXPECT_STREQ(DataFileFilterAt(i).pattern, expected[i - 1][1]);
        EXPECT_EQ(FilterExtension(i), expected[i - 1][2]);
    }
    EXPECT_EQ(DefaultDataFileFilter, 7);
    EXPECT_THROW(DataFileFilterAt(0), std::out_of_range);
    EXPECT_EQ(FilterExtension(8), "");
}

TEST(DataFileCommands, OpenQuestionsDecideTheVersion) {
    struct Case {
        const char* file;
        int filter;
        std::vector<std::pair<std::string, Answer>> questions;
        bool load;
        int version; // DataVerMinor afterwards (6 before)
    };
    const std::string typeVd3 =
        "Datei-Typ (\".VD3\") entspricht NICHT\r\ndem eingestellten Datei-Format (\".VD6\").";
    const Case cases[] = {
        {"/d/Filme.VD6", 7, {}, true, 6},
        {"/d/Filme.vd4", 5, {}, true, 4},
        {"/d/Filme.VDT", 1, {}, true, 0},
        {"/d/Filme.VD3", 7, {{typeVd3, Answer::Yes}}, true, 3},
        {"/d/Filme.VD3", 7, {{typeVd3, Answer::No}}, true, 6},
        // A stopped command keeps the version of the collection in use.
        {"/d/Filme.VD3", 7, {{typeVd3, Answer::Cancel}}, false, 6},
        {"/d/Filme.VD6",
         2,
         {{"(\".VD6\") entspricht NICHT\r\ndem eingestellten Datei-Format (\".VD1\")", Answer::No}},
         true,
         1},
        {"/d/Liste.TXT",
         7,
         {{"/d/Liste.TXT enthält nicht den Standardsuffix \"VDx\"! Laden abbrechen?", Answer::Yes}},
         false,
         6},
        // The fourth letter of ".TXT" stands for version 0, so the type question follows.
        {"/d/Liste.TXT", 7, {{"Standardsuffix", Answer::No}, {"Datei-Typ (\".TXT\")", Answer::Yes}}, true, 0},
        {"/d/Liste.TXT", 1, {{"Standardsuffix", Answer::No}}, true, 0},
        // No version letter: the version stays and matches the preselected entry.
        {"/d/ohne", 7, {{"/d/ohne enthält nicht", Answer::No}}, true, 6},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.file) + " filter " + std::to_string(k.filter));
        Collection c;
        ScriptedDialogs ui;
        for (const auto& [text, answer] : k.questions)
            ui.expectQuestion(text, answer);
        EXPECT_EQ(AcceptOpenChoice(c, k.file, k.filter, ui), k.load);
        EXPECT_EQ(c.DataVerMinor, k.version);
        ui.verify();
    }
}

TEST(DataFileCommands, AutomaticLoadAsksWhenTheNameIsAnOlderVersion) {
    struct Case {
        const char* file;
        bool asked;
        Answer answer;
        bool load;
        int version;
    };
    const Case cases[] = {
        {"/d/Filme.VD6", false, Answer::Yes, true, 6}, {"/d/Filme.VD3", true, Answer::No, false, 6},
        {"/d/Filme.VD3", true, Answer::Yes, true, 3},  {"/d/Filme.vdt", true, Answer::Yes, true, 0},
        {"/d/Filme.VD9", false, Answer::Yes, true, 6},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file);
        Collection c;
        c.CurrentDataFile = k.file;
        ScriptedDialogs ui;
        if (k.asked)
            ui.expectQuestion("Fehler: Daten-Version stimmt NICHT mit Programmversion überein!\r\n"
                              "Daten mit geeignetem Filter laden?",
                              k.answer);
        EXPECT_EQ(AcceptAutoLoadVersion(c, ui), k.load);
        EXPECT_EQ(c.DataVerMinor, k.version);
        ui.verify();
    }
}

TEST(DataFileCommands, SaveWithoutAnExistingFileAsksForOne) {
    test::TempFolder dir;
    for (const std::string& file : {std::string(), dir.file("fehlt.VD6"), dir.file(".VD6")}) {
        Collection c;
        c.CurrentDataFile = file;
        c.DataSaved = false;
        ScriptedDialogs ui;
        NoProgress p;
        EXPECT_EQ(SaveCurrentDataFile(c, ui, p), SaveResult::SaveAsNeeded) << file;
        EXPECT_FALSE(c.DataSaved);
    }
    EXPECT_TRUE(dir.names().empty());
}

TEST(DataFileCommands, SaveWritesTheCurrentFile) {
    test::TempFolder dir;
    const std::string file = dir.file("Filme.VD6");
    WriteCollection(file, 6, 1);
    Collection c;
    c.CurrentDataFile = file;
    TFilmV26 f;
    f.FilmName.Strng = "Neu";
    f.FilmNr = 1;
    c.appendFilm(f);
    c.DataSaved = false;
    ScriptedDialogs ui;
    ui.expect(Box::Information, file + " wurde gesichert!");
    NoProgress p;
    EXPECT_EQ(SaveCurrentDataFile(c, ui, p), SaveResult::Saved);
    EXPECT_TRUE(c.DataSaved);
    EXPECT_NE(test::ReadBytes(file).find("Neu"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.file("Filme.BKV")));
}

TEST(DataFileCommands, SaveOfAnOlderFileConvertsOrRefuses) {
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        test::TempFolder dir;
        const std::string vd5 = dir.file("Filme.VD5");
        WriteCollection(vd5, 5);
        const std::string before = test::ReadBytes(vd5);
        Collection c;
        c.CurrentDataFile = vd5;
        c.DataVerMinor = 5;
        c.DataSaved = false;
        ScriptedDialogs ui;
        ui.expectQuestion("ist eine Datei der Version 2.5", answer);
        if (answer == Answer::No) {
            // The file of that version exists: the save refuses, then the command's own box.
            ui.expect(Box::Warning, "Eine Datei dieses Formats besteht offensichtlich schon!");
            ui.expect(Box::Error, "Fehler beim Sichern von \"" + vd5 + "\": Fehlernr. (0) unbekannt!");
        } else {
            ui.expect(Box::Information, dir.file("Filme.VD6") + " wurde gesichert!");
        }
        NoProgress p;
        const SaveResult r = SaveCurrentDataFile(c, ui, p);
        ui.verify();
        EXPECT_EQ(test::ReadBytes(vd5), before);
        if (answer == Answer::No) {
            EXPECT_EQ(r, SaveResult::Failed);
            EXPECT_EQ(c.CurrentDataFile, vd5);
            EXPECT_FALSE(c.DataSaved);
        } else {
            EXPECT_EQ(r, SaveResult::Saved);
            EXPECT_EQ(c.CurrentDataFile, dir.file("Filme.VD6"));
            EXPECT_EQ(VersionInFile(dir.file("Filme.VD6")), 6);
        }
    }
}

TEST(DataFileCommands, SaveOnALockedNetworkFileGoesToSaveAs) {
    test::TempFolder dir;
    const std::string file = dir.file("Filme.VD6");
    WriteCollection(file, 6);
    test::WriteBytes(dir.file("Filme.SEM"), std::string(SemaphoreFirstLine) + "\r\nANDERER\r\n");
    SetNetworkDriveTest([](const std::string&) { return true; });
    const int32_t mode = Trace().WriteMasterAlways;
    Collection c;
    c.CurrentDataFile = file;
    ScriptedDialogs ui;
    ui.expect(Box::Notice, "Anscheinend hat ein anderer Computer");
    NoProgress p;
    EXPECT_EQ(SaveCurrentDataFile(c, ui, p), SaveResult::SaveAsNeeded);
    SetNetworkDriveTest({});
    Trace().WriteMasterAlways = mode;
}

TEST(DataFileCommands, SaveAsChoosesTheVersionByTheName) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, Answer>> questions;
        const char* written;
        int version; // as the header says; files of 2.0 to 2.2 have none
    };
    const Case cases[] = {
        {"neu.VD6", {}, "neu.VD6", 6},
        {"neu.VD4",
         {{"Sie verwenden eine Datendatei der Version 2.4. In das aktuelle Format 2.6 ändern?", Answer::Yes}},
         "neu.VD6",
         6},
        {"neu.VD4",
         {{"Sie verwenden eine Datendatei der Version 2.4.", Answer::No},
          {"ist eine Datei der Version 2.4. Soll diese in das aktuelle Format 2.6", Answer::No}},
         "neu.VD4",
         4},
        {"neu.vdt", {{"Version 2.0.", Answer::No}, {"Version 2.0.", Answer::No}}, "neu.VDT", -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        test::TempFolder dir;
        Collection c;
        c.appendFilm(TFilmV26{});
        c.DataSaved = false;
        ScriptedDialogs ui;
        for (const auto& [text, answer] : k.questions)
            ui.expectQuestion(text, answer);
        ui.expect(Box::Information, dir.file(k.written) + " wurde gesichert!");
        NoProgress p;
        EXPECT_TRUE(SaveDataFileAs(c, dir.file(k.name), ui, p));
        ui.verify();
        EXPECT_EQ(c.CurrentDataFile, dir.file(k.written));
        EXPECT_EQ(VersionInFile(dir.file(k.written)), k.version);
        EXPECT_TRUE(c.DataSaved);
        EXPECT_EQ(dir.names().size(), 2u) << "film and cassette file only";
    }
}

TEST(DataFileCommands, SaveAsRefusesBadNamesAndReportsFailures) {
    test::TempFolder dir;
    struct Case {
        std::string name;
        std::vector<std::tuple<Box, std::string, Answer>> boxes;
    };
    const Case cases[] = {
        {dir.file("liste.txt"),
         {{Box::Error,
           dir.file("liste.txt") + " enthält nicht den Standardsuffix \"VDx\"!\r\nSpeichern wird "
                                   "abgebrochen!\r\n\r\nACHTUNG: die Daten sind NICHT gesichert und\r\n"
                                   "          gehen beim Beenden des Programms verloren!",
           Answer::Ok}}},
        {dir.file(".VD6"),
         {{Box::Error, "Der Dateiname ist leer! Bitte, geben Sie einen Dateinamen an!", Answer::Ok}}},
        {dir.file("fehlt/neu.VD6"),
         {{Box::Error, "Fehler beim Speichern der Daten in", Answer::Ok},
          {Box::Information, dir.file("fehlt/neu.VD6") + " wurde nicht gesichert!", Answer::Ok}}},
        // A failed save in an older version leaves the data's version as it was.
        {dir.file("fehlt/neu.VD4"),
         {{Box::Question, "Sie verwenden eine Datendatei der Version 2.4.", Answer::No},
          {Box::Question, "ist eine Datei der Version 2.4.", Answer::No},
          {Box::Error, "Fehler beim Speichern der Daten in", Answer::Ok},
          {Box::Information, "neu.VD4 wurde nicht gesichert!", Answer::Ok}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Collection c;
        c.CurrentDataFile = "/alt.VD6";
        c.DataSaved = false;
        ScriptedDialogs ui;
        for (const auto& [box, text, answer] : k.boxes)
            ui.expect(box, text, answer);
        NoProgress p;
        EXPECT_FALSE(SaveDataFileAs(c, k.name, ui, p));
        ui.verify();
        EXPECT_EQ(c.CurrentDataFile, "/alt.VD6");
        EXPECT_FALSE(c.DataSaved);
        EXPECT_EQ(c.DataVerMinor, 6);
    }
    EXPECT_TRUE(dir.names().empty());
}
