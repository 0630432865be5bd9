#include "filmlist/film_list.h"
#include "gui_test.h"
#include "main_window_support.h"
#include "mainwindow/data_file_dialogs.h"
#include "mainwindow/main_window.h"
#include "persistence/data_version.h"
#include "persistence/film_data_file.h"
#include "temp_folder.h"
#include "text/cp1252.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <memory>

using kt::Answer;
using kt::DataFileChoice;
using kt::TKassotekMainWindow;
using namespace kt::test;
using namespace kt::literals;

namespace {

const char* const Unsaved = "Die Videodaten wurden geändert, aber noch nicht gesichert.\n"
                            "Alle Änderungen gehen verloren, wenn die Daten jetzt NICHT gespeichert werden!";

// A main window with scripted file dialogs, and a folder for its files.
struct FileWindow {
    explicit FileWindow(bool showAllMsg = true) : t(showAllMsg) {
        w = std::make_unique<TKassotekMainWindow>(t.ctx);
        auto scripted = std::make_unique<ScriptedFileDialogs>();
        files = scripted.get();
        w->setFileDialogs(std::move(scripted));
    }
    ~FileWindow() {
        if (files->pending())
            QTest::qFail("file dialog answers left over", __FILE__, __LINE__);
    }
    std::string file(const std::string& name) const { return dir.file(name); }
    QString qfile(const std::string& name) const { return QString::fromStdString(dir.file(name)); }
    std::vector<std::string> titles() const { return ListedTitles(w->filmList()); }
    // Opens `name` through the open command with filter entry `filter`.
    void open(const std::string& name, int filter = 7) {
        files->openAnswer(DataFileChoice{qfile(name), filter});
        w->Oeffnen1->trigger();
    }

    TempFolder dir;
    TestContext t;
    std::unique_ptr<TKassotekMainWindow> w;
    ScriptedFileDialogs* files;
};

void CopySample(const std::string& ext, const std::string& to) {
    const std::string from = std::string(KT_TEST_DATA) + "/sample/Sammlung";
    for (const std::string& e : {ext, std::string(".CDT"), std::string(".LNA"), std::string(".LAD")})
        std::filesystem::copy_file(from + e, to + e, std::filesystem::copy_options::overwrite_existing);
}

// The collection a file holds, read back.
kt::Collection ReadBack(const std::string& file) {
    kt::Collection c;
    c.DataVerMinor = kt::VersionOfFileName(file);
    std::string errorText;
    ScriptedDialogs ui;
    kt::NoProgress p;
    if (!kt::Load_Video_Data(c, file, errorText, ui, p))
        QTest::qFail(("cannot read back " + file).c_str(), __FILE__, __LINE__);
    return c;
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void openLoadsTheChosenFile() {
        FileWindow f;
        WriteDataFile(f.file("Filme.VD6"), {MakeFilm("Casablanca"), MakeFilm("Alien", kt::StDvd)},
                      {{1, 240, 150, 0}});
        f.open("Filme.VD6");
        QCOMPARE(f.titles(), (std::vector<std::string>{"Alien", "Casablanca"}));
        QCOMPARE(f.w->windowTitle(), QStringLiteral("Jorvald's Kassotek - Filme.VD6"));
        QCOMPARE(f.w->statusPanelText(1), QStringLiteral("Datei: ") + f.qfile("Filme.VD6"));
        QCOMPARE(f.w->statusPanelText(2), QStringLiteral("Anzahl Filme: 2/2"));
        QCOMPARE(f.w->statusPanelText(3), QStringLiteral("Anzahl Cassetten: 1"));
        QCOMPARE(f.t.ctx.collection.CurrentDataFile, f.file("Filme.VD6"));
        QVERIFY(f.t.ctx.collection.DataSaved);
        QVERIFY(!f.w->Speichern1->isEnabled());
        // The file joins the recent files, and the next dialog starts in its folder.
        QCOMPARE(f.t.ctx.settings.History, std::vector<std::string>{f.file("Filme.VD6")});
        QCOMPARE(f.w->historyItems().size(), 1);
        QCOMPARE(f.w->historyItems()[0]->text(), QStringLiteral("&1 ") + f.qfile("Filme.VD6"));
        f.files->openAnswer(std::nullopt);
        f.t.dialogs.expect(Box::Warning, "Keine Datei ausgewählt!");
        QTest::mouseClick(f.w->OpenFileSpeedButton, Qt::LeftButton);
        QCOMPARE(f.files->folders.last(), QString::fromStdString(f.dir.path()).chopped(1));
        QCOMPARE(f.titles().size(), std::size_t(2));
    }

    void aCancelledDialogWarnsOnlyWithAllMessages() {
        FileWindow quiet(false);
        quiet.files->openAnswer(std::nullopt).saveAnswer(std::nullopt);
        quiet.w->Oeffnen1->trigger();
        quiet.w->Speichernunter1->trigger();
        QVERIFY(quiet.t.dialogs.shown.empty());
    }

    void anOlderFileAsksAboutItsType() {
        struct Case {
            Answer type;
            bool loaded;
        };
        for (const Case k : {Case{Answer::Yes, true}, Case{Answer::Cancel, false}}) {
            FileWindow f;
            CopySample(".VD3", f.file("Alt"));
            f.t.dialogs.expectQuestion(
                "Datei-Typ (\".VD3\") entspricht NICHT\r\ndem eingestellten Datei-Format (\".VD6\").",
                k.type);
            if (k.loaded)
                f.t.dialogs.expectQuestion(
                    "Programmversion (2.6) entspricht nicht der eingestellten Datenversion (2.3)!",
                    Answer::Yes);
            f.open("Alt.VD3");
            QCOMPARE(f.titles().size(), std::size_t(k.loaded ? 3 : 0));
            // A cancelled open keeps the version of the collection in use.
            QCOMPARE(f.t.ctx.collection.DataVerMinor, k.loaded ? 3 : 6);
            QCOMPARE(f.t.ctx.collection.CurrentDataFile.empty(), !k.loaded);
        }
        // A name without the standard suffix: "Yes" stops at once.
        FileWindow f;
        CopySample(".VD6", f.file("Liste"));
        std::filesystem::rename(f.file("Liste.VD6"), f.file("Liste.txt"));
        f.t.dialogs.expectQuestion("Liste.txt enthält nicht den Standardsuffix \"VDx\"! Laden abbrechen?",
                                   Answer::Yes);
        f.open("Liste.txt");
        QVERIFY(f.titles().empty());
    }

    void openingAskesAboutUnsavedDataFirst() {
        FileWindow f;
        WriteDataFile(f.file("A.VD6"), {MakeFilm("Aus A")});
        WriteDataFile(f.file("B.VD6"), {MakeFilm("Aus B")});
        f.open("A.VD6");
        f.t.ctx.collection.Film(1).FilmName.Strng = "Geändert"_cp;
        f.t.ctx.collection.DataSaved = false;
        // "&Abbruch": nothing is loaded and the change stays.
        f.t.dialogs.expect(Box::ThreeWay, Unsaved, Answer::Cancel);
        f.open("B.VD6");
        QCOMPARE(f.t.ctx.collection.CurrentDataFile, f.file("A.VD6"));
        QCOMPARE(kt::ToUtf8(f.t.ctx.collection.Film(1).FilmName.Strng), std::string("Geändert"));
        QVERIFY(!f.t.ctx.collection.DataSaved);
        // "Jetzt &sichern": A is saved, then B loaded.
        f.t.dialogs.expect(Box::ThreeWay, Unsaved, Answer::Ok);
        f.t.dialogs.expect(Box::Information, f.file("A.VD6") + " wurde gesichert!");
        f.open("B.VD6");
        QCOMPARE(f.titles(), std::vector<std::string>{"Aus B"});
        QCOMPARE(kt::ToUtf8(ReadBack(f.file("A.VD6")).Film(1).FilmName.Strng), std::string("Geändert"));
        // A recent file asks as well; "&Nicht sichern" drops the change.
        f.t.ctx.collection.DataSaved = false;
        QAction* recentA = f.w->historyItems().at(1);
        QVERIFY(recentA->text().endsWith(QStringLiteral("A.VD6")));
        f.t.dialogs.expect(Box::ThreeWay, Unsaved, Answer::Cancel);
        recentA->trigger();
        QCOMPARE(f.t.ctx.collection.CurrentDataFile, f.file("B.VD6"));
        f.t.dialogs.expect(Box::ThreeWay, Unsaved, Answer::No);
        recentA->trigger();
        QCOMPARE(f.titles(), std::vector<std::string>{"Geändert"});
        // An existing entry keeps its place.
        QCOMPARE(f.t.ctx.settings.History, (std::vector<std::string>{f.file("B.VD6"), f.file("A.VD6")}));
        // The changes are dealt with: the loaded data are the file's, nothing is asked next time.
        QVERIFY(f.t.ctx.collection.DataSaved);
        f.open("B.VD6");
        QCOMPARE(f.titles(), std::vector<std::string>{"Aus B"});
        // Saving from the question keeps the version of the data in memory, whatever the chosen
        // file is: B is written as 2.6 without a conversion question, then the older file loads.
        CopySample(".VD3", f.file("Alt"));
        f.t.ctx.collection.DataSaved = false;
        f.t.dialogs.expect(Box::ThreeWay, Unsaved, Answer::Ok);
        f.t.dialogs.expect(Box::Information, f.file("B.VD6") + " wurde gesichert!");
        f.t.dialogs.expectQuestion("Datei-Typ (\".VD3\")", Answer::Yes);
        f.t.dialogs.expectQuestion("eingestellten Datenversion (2.3)!", Answer::Yes);
        f.open("Alt.VD3");
        QCOMPARE(f.titles().size(), std::size_t(3));
        QCOMPARE(kt::RecognizeVersion(ReadBytes(f.file("B.VD6"))).minor, 6);
    }

    // A load that fails or is declined leaves the collection in use, its file name, borrowers and
    // save state as they were; a following save writes that collection's own file.
    void aFailedLoadKeepsTheCollectionInUse() {
        struct Case {
            const char* name;
            std::function<void(FileWindow&)> make; // writes Y.VD6 (or Y.VD4)
            const char* file;
            int filter;
            std::vector<std::pair<Box, std::string>> boxes;
        };
        const std::string unknown = "Konnte Dateiformat NICHT erkennen!";
        const std::string damaged = "ist beschädigt; nur die ersten 2 Filme";
        auto truncated = [](FileWindow& f) {
            WriteDataFile(f.file("Y.VD6"), {MakeFilm("Eins"), MakeFilm("Zwei"), MakeFilm("Drei")});
            const std::string bytes = ReadBytes(f.file("Y.VD6"));
            WriteBytes(f.file("Y.VD6"), bytes.substr(0, bytes.size() - 7));
        };
        const Case cases[] = {
            {"random bytes",
             [](FileWindow& f) { WriteBytes(f.file("Y.VD6"), std::string(500, '\xa7')); },
             "Y.VD6",
             7,
             {{Box::Warning, "Die Cassetten-Daten-Datei"}, {Box::Error, unknown}}},
            {"empty file",
             [](FileWindow& f) { WriteBytes(f.file("Y.VD6"), ""); },
             "Y.VD6",
             7,
             {{Box::Warning, "Die Cassetten-Daten-Datei"}, {Box::Error, unknown}}},
            {"text file",
             [](FileWindow& f) { WriteBytes(f.file("Y.VD6"), "Titel;Länge\r\nAlien;117\r\n"); },
             "Y.VD6",
             7,
             {{Box::Warning, "Die Cassetten-Daten-Datei"}, {Box::Error, unknown}}},
            {"declined version",
             [](FileWindow& f) { CopySample(".VD4", f.file("Y")); },
             "Y.VD4",
             5,
             {{Box::Question, "eingestellten Datenversion (2.4)!"}}},
            {"damaged, not taken",
             truncated,
             "Y.VD6",
             7,
             {{Box::Question, damaged}, {Box::Error, "Fehler beim Laden: Fehler beim Lesen aus "}}},
            {"a folder",
             [](FileWindow& f) { std::filesystem::create_directory(f.file("Y.VD6")); },
             "Y.VD6",
             7,
             {{Box::Error, "Y.VD6 ist keine Datei!"}}},
        };
        for (const Case& k : cases) {
            qInfo() << k.name;
            FileWindow f;
            CopySample(".VD6", f.file("A"));
            f.open("A.VD6");
            kt::Collection& c = f.t.ctx.collection;
            c.Film(1).FilmName.Strng = "Geändert"_cp;
            c.DataSaved = false;
            const auto titles = f.titles();
            const auto lenders = c.LenderNames;
            k.make(f);
            const std::string failed =
                std::filesystem::is_directory(f.file(k.file)) ? "" : ReadBytes(f.file(k.file));
            const std::string lenderFile =
                std::filesystem::exists(f.file("Y.LNA")) ? ReadBytes(f.file("Y.LNA")) : "";
            f.t.dialogs.expect(Box::ThreeWay, Unsaved, Answer::No);
            for (const auto& [box, text] : k.boxes)
                f.t.dialogs.expect(box, text, box == Box::Question ? Answer::No : Answer::Ok);
            f.open(k.file, k.filter);
            QVERIFY(!f.t.dialogs.pending());
            QCOMPARE(c.CurrentDataFile, f.file("A.VD6"));
            QCOMPARE(f.titles(), titles);
            QCOMPARE(c.LenderNames, lenders);
            QVERIFY(!c.DataSaved);
            QCOMPARE(c.DataVerMinor, 6);
            QCOMPARE(f.w->windowTitle(), QStringLiteral("Jorvald's Kassotek - A.VD6"));
            // Save writes A, never the file that did not load.
            f.t.dialogs.expect(Box::Information, f.file("A.VD6") + " wurde gesichert!");
            f.w->Speichern1->trigger();
            QCOMPARE(kt::ToUtf8(ReadBack(f.file("A.VD6")).Film(1).FilmName.Strng), std::string("Geändert"));
            if (!std::filesystem::is_directory(f.file(k.file)))
                QCOMPARE(ReadBytes(f.file(k.file)), failed);
            QCOMPARE(std::filesystem::exists(f.file("Y.LNA")) ? ReadBytes(f.file("Y.LNA")) : "", lenderFile);
        }
    }

    // The readable films of a damaged file can be taken as a collection without a file name.
    void theReadableFilmsOfADamagedFileCanBeKept() {
        FileWindow f;
        WriteDataFile(f.file("A.VD6"), {MakeFilm("Aus A")});
        WriteDataFile(f.file("Kaputt.VD6"), {MakeFilm("Eins"), MakeFilm("Zwei"), MakeFilm("Drei")});
        const std::string bytes = ReadBytes(f.file("Kaputt.VD6"));
        WriteBytes(f.file("Kaputt.VD6"), bytes.substr(0, bytes.size() - 7));
        f.open("A.VD6");
        f.t.dialogs.expectQuestion("ist beschädigt; nur die ersten 2 Filme", Answer::Yes);
        f.t.dialogs.expect(Box::Error, "Fehler beim Laden: Fehler beim Lesen aus " + f.file("Kaputt.VD6"));
        f.open("Kaputt.VD6");
        QVERIFY(!f.t.dialogs.pending());
        QCOMPARE(f.titles(), (std::vector<std::string>{"Eins", "Zwei"}));
        QCOMPARE(f.t.ctx.collection.CurrentDataFile, std::string());
        QCOMPARE(f.w->windowTitle(), QStringLiteral("Jorvald's Kassotek"));
        QVERIFY(!f.t.ctx.collection.DataSaved);
        QCOMPARE(f.w->statusPanelText(2), QStringLiteral("Anzahl Filme: 2/2"));
        // Save goes to Save as: the damaged file is never written.
        f.files->saveAnswer(DataFileChoice{f.qfile("Gerettet.VD6"), 7});
        f.t.dialogs.expect(Box::Information, f.file("Gerettet.VD6") + " wurde gesichert!");
        f.w->Speichern1->trigger();
        QCOMPARE(ReadBack(f.file("Gerettet.VD6")).AnzFilm(), 2);
        QCOMPARE(ReadBytes(f.file("Kaputt.VD6")), bytes.substr(0, bytes.size() - 7));
        // A file that has gone meanwhile: the load says so and leaves the collection alone.
        FileWindow g;
        WriteDataFile(g.file("A.VD6"), {MakeFilm("Aus A")});
        g.open("A.VD6");
        g.t.dialogs.expect(Box::Error, "Fehler beim Laden: Datei " + g.file("weg.VD6") + " nicht gefunden!");
        g.open("weg.VD6");
        QCOMPARE(g.titles(), std::vector<std::string>{"Aus A"});
    }

    // Five entries, newest first; a file already listed keeps its place; a file that has gone is
    // passed over; a file that fails to load says so.
    void recentFiles() {
        FileWindow f;
        const char* names[] = {"1.VD6", "2.VD6", "3.VD6", "4.VD6", "5.VD6", "6.VD6"};
        for (const char* name : names)
            WriteDataFile(f.file(name), {MakeFilm(std::string("Aus ") + name)});
        for (const char* name : names)
            f.open(name);
        const auto listed = [&f](std::initializer_list<const char*> expected) {
            std::vector<std::string> files;
            QStringList captions;
            int n = 0;
            for (const char* name : expected) {
                files.push_back(f.file(name));
                captions << QStringLiteral("&%1 ").arg(++n) + f.qfile(name);
            }
            QCOMPARE(f.t.ctx.settings.History, files);
            QStringList shown;
            for (QAction* item : f.w->historyItems())
                shown << item->text();
            QCOMPARE(shown, captions);
        };
        listed({"6.VD6", "5.VD6", "4.VD6", "3.VD6", "2.VD6"});
        // Twelve fixed items, a separator, the five files.
        QCOMPARE(f.w->Datei1->actions().size(), 18);

        f.w->historyItems().at(3)->trigger();
        QCOMPARE(f.titles(), std::vector<std::string>{"Aus 3.VD6"});
        listed({"6.VD6", "5.VD6", "4.VD6", "3.VD6", "2.VD6"});
        f.open("5.VD6");
        listed({"6.VD6", "5.VD6", "4.VD6", "3.VD6", "2.VD6"});

        std::filesystem::remove(f.file("4.VD6"));
        f.w->historyItems().at(2)->trigger();
        QCOMPARE(f.titles(), std::vector<std::string>{"Aus 5.VD6"});
        QCOMPARE(f.t.ctx.collection.CurrentDataFile, f.file("5.VD6"));
        listed({"6.VD6", "5.VD6", "4.VD6", "3.VD6", "2.VD6"});

        WriteBytes(f.file("2.VD6"), "kaputt");
        f.t.dialogs.expect(Box::Error, "Konnte Dateiformat NICHT erkennen!");
        f.t.dialogs.expect(Box::Error, "Konnte " + f.file("2.VD6") + " nicht laden!");
        f.w->historyItems().at(4)->trigger();
        QVERIFY(!f.t.dialogs.pending());

        // A path without a printable character never enters the list.
        f.w->Add2History("  ");
        listed({"6.VD6", "5.VD6", "4.VD6", "3.VD6", "2.VD6"});
    }

    void saveWritesTheOpenFileAndTheButtonsFollow() {
        FileWindow f;
        WriteDataFile(f.file("A.VD6"), {MakeFilm("Aus A")});
        f.open("A.VD6");
        QVERIFY(!f.w->Speichern1->isEnabled() && !f.w->SaveFileSpeedButton->isEnabled());
        f.t.ctx.collection.Film(1).FilmName.Strng = "Neu";
        f.t.ctx.collection.DataSaved = false;
        f.w->ApplicationIdle();
        QVERIFY(f.w->Speichern1->isEnabled() && f.w->SaveFileSpeedButton->isEnabled());
        f.t.dialogs.expect(Box::Information, f.file("A.VD6") + " wurde gesichert!");
        QTest::mouseClick(f.w->SaveFileSpeedButton, Qt::LeftButton);
        QVERIFY(f.t.ctx.collection.DataSaved);
        QVERIFY(!f.w->Speichern1->isEnabled() && !f.w->SaveFileSpeedButton->isEnabled());
        QCOMPARE(ReadBack(f.file("A.VD6")).Film(1).FilmName.Strng, std::string("Neu"));
        QVERIFY(std::filesystem::exists(f.file("A.BKV")));
    }

    void saveWithoutAFileAsksForOne() {
        FileWindow f;
        f.t.ctx.collection.appendFilm(MakeFilm("Neu", kt::StDvd, 1));
        f.t.ctx.collection.DataSaved = false;
        f.w->SetAusgabeData();
        f.w->ApplicationIdle();
        // Cancelled: nothing written, the data still unsaved.
        f.files->saveAnswer(std::nullopt);
        f.t.dialogs.expect(Box::Warning, "Keine Datei ausgewählt!");
        f.w->Speichern1->trigger();
        QVERIFY(!f.t.ctx.collection.DataSaved);
        f.files->saveAnswer(DataFileChoice{f.qfile("Neu.VD6"), 7});
        f.t.dialogs.expect(Box::Information, f.file("Neu.VD6") + " wurde gesichert!");
        f.w->Speichern1->trigger();
        QCOMPARE(f.t.ctx.collection.CurrentDataFile, f.file("Neu.VD6"));
        QCOMPARE(f.w->windowTitle(), QStringLiteral("Jorvald's Kassotek - Neu.VD6"));
        QVERIFY(f.t.ctx.collection.DataSaved);
        QCOMPARE(ReadBack(f.file("Neu.VD6")).AnzFilm(), 1);
        QVERIFY(std::filesystem::exists(f.file("Neu.CDT")));
    }

    void saveAsAnOlderVersion() {
        FileWindow f;
        f.t.ctx.collection.appendFilm(MakeFilm("Alt", kt::StVideo, 1));
        f.files->saveAnswer(DataFileChoice{f.qfile("Alt.VD4"), 7});
        f.t.dialogs.expectQuestion(
            "Sie verwenden eine Datendatei der Version 2.4. In das aktuelle Format 2.6 ändern?", Answer::No);
        f.t.dialogs.expectQuestion("ist eine Datei der Version 2.4. Soll diese in das aktuelle Format 2.6",
                                   Answer::No);
        f.t.dialogs.expect(Box::Information, f.file("Alt.VD4") + " wurde gesichert!");
        f.w->Speichernunter1->trigger();
        QCOMPARE(f.t.ctx.collection.CurrentDataFile, f.file("Alt.VD4"));
        QCOMPARE(kt::RecognizeVersion(ReadBytes(f.file("Alt.VD4"))).minor, 4);
        QCOMPARE(f.t.ctx.collection.DataVerMinor, 4);
    }

    void newAsksAboutUnsavedDataAndEmptiesEverything() {
        FileWindow f;
        WriteDataFile(f.file("A.VD6"), {MakeFilm("Aus A")}, {{1, 240, 150, 0}});
        f.open("A.VD6");
        f.t.ctx.collection.DataVerMinor = 3;
        f.t.ctx.collection.DataSaved = false;
        f.t.dialogs.expect(Box::ThreeWay, Unsaved, Answer::Cancel);
        f.w->Neu1->trigger();
        QCOMPARE(f.titles().size(), std::size_t(1));
        QVERIFY(!f.t.ctx.collection.DataSaved);
        // The minimise question never comes with New.
        f.t.ctx.settings.MinimizeTarget = 1;
        f.t.dialogs.expect(Box::ThreeWay, Unsaved, Answer::No);
        QTest::mouseClick(f.w->NewFileSpeedButton, Qt::LeftButton);
        QVERIFY(f.titles().empty());
        QCOMPARE(f.w->filmList().RowCount(), 2);
        QCOMPARE(f.t.ctx.collection.AnzFilm(), 0);
        QCOMPARE(f.t.ctx.collection.AnzCas(), 0);
        QVERIFY(f.t.ctx.collection.DataSaved);
        QVERIFY(f.t.ctx.collection.CurrentDataFile.empty());
        QCOMPARE(f.t.ctx.collection.DataVerMinor, 3);
        QCOMPARE(f.w->windowTitle(), QStringLiteral("Jorvald's Kassotek"));
        QCOMPARE(f.w->statusPanelText(1), QStringLiteral("Datei: n.a"));
        QCOMPARE(f.w->statusPanelText(2), QStringLiteral("Anzahl Filme: 0/0"));
        QCOMPARE(f.w->Tag, 0);
        // With nothing unsaved New asks nothing.
        f.w->Neu1->trigger();
    }

    void theDialogsOfferTheSevenFormats() {
        TempFolder dir;
        std::unique_ptr<QFileDialog> open(
            kt::CreateDataFileDialog(nullptr, false, QString::fromStdString(dir.path())));
        QCOMPARE(open->windowTitle(), QStringLiteral("Kassotek-Datei laden"));
        QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(open->nameFilters().size(), 7);
        QCOMPARE(open->nameFilters().first(), QStringLiteral("Kassotek Dateien V2.0(*.VDT)"));
        QCOMPARE(open->selectedNameFilter(), QStringLiteral("Kassotek Dateien V2.6(*.VD6)"));
        QCOMPARE(open->defaultSuffix(), QStringLiteral("VD6"));
        open->show();
        auto* combo = open->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = open->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(combo && name);
        const std::pair<int, QString> cases[] = {{0, "VDT"}, {3, "VD3"}, {6, "VD6"}};
        for (const auto& [index, ext] : cases) {
            combo->setCurrentIndex(index);
            // What choosing an entry with the mouse or the keys sends.
            emit combo->activated(index);
            emit combo->textActivated(combo->itemText(index));
            QCOMPARE(name->text(), QStringLiteral("*.") + ext);
            QCOMPARE(open->defaultSuffix(), ext);
        }
        open->hide();
        std::unique_ptr<QFileDialog> save(kt::CreateDataFileDialog(nullptr, true, QString()));
        QCOMPARE(save->windowTitle(), QStringLiteral("Kassotek-Datei speichern"));
        QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!save->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(kt::DataFileFilterIndex(QStringLiteral("Kassotek Dateien V2.3(*.VD3)")), 4);
        QCOMPARE(kt::DataFileFilterIndex(QStringLiteral("Alle Dateien (*)")), 0);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
