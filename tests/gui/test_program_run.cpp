#include "catalogue/col_arrange.h"
#include "env_guard.h"
#include "filmlist/film_list.h"
#include "gui_test.h"
#include "help/help_window.h"
#include "main_window_support.h"
#include "mainwindow/film_string_grid.h"
#include "mainwindow/main_window.h"
#include "program/program_run.h"
#include "single_instance.h"
#include "temp_folder.h"
#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <QDir>
#include <QListWidget>
#include <QProcess>
#include <QTest>
#include <QTextBrowser>

#include <filesystem>
#include <memory>

using kt::ProgramRun;
using kt::TKassotekMainWindow;
using namespace kt::test;
using namespace kt::literals;

namespace {

// A program folder of its own for one start, and a lock file of its own.
struct ProgramFolder {
    TempFolder dir;
    EnvGuard programDir{"KASSOTEK_PROGRAM_DIR", dir.path().c_str()};
    TestContext t;
    std::string lock = dir.file("Kassotek.lock");

    std::string ini() const { return dir.file("Kassotek.INI"); }
    std::string log() const { return dir.file("Kassotek.QBL"); }
    void writeIni(const std::string& lines) const { WriteBytes(ini(), kt::ToCp1252(lines)); }
    std::string iniText() const { return kt::ToUtf8(ReadBytes(ini())); }
    std::vector<std::string> logLines() const {
        const std::string bytes = ReadBytes(log());
        std::vector<std::string> lines = kt::DecodeLogBlock(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return lines;
    }
    bool logHas(const std::string& part) const {
        for (const std::string& line : logLines())
            if (line.find(part) != std::string::npos)
                return true;
        return false;
    }
    // Runs the program up to its window; the window's close ends it.
    std::unique_ptr<ProgramRun> start(const QStringList& args = {QStringLiteral("kassotek")}) {
        auto run = std::make_unique<ProgramRun>(t.ctx, args, lock);
        if (run->start()) {
            // The first showing runs its questions once the window is on the screen.
            QTest::qWait(20);
        }
        return run;
    }
    static void quit(ProgramRun& run) {
        run.window()->Beenden1->trigger();
        run.finish();
    }
};

std::vector<kt::TFilmV26> ThreeFilms() {
    return {MakeFilm("Casablanca"), MakeFilm("Das Boot", kt::StDvd), MakeFilm("Alien", kt::StDvd)};
}

} // namespace

class ProgramRunTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }
    void cleanup() { delete kt::HelpWindow::Instance(); }

    void aStartWithoutTheLastFile() {
        ProgramFolder p;
        WriteDataFile(p.dir.file("Filme.VD6"), ThreeFilms());
        p.writeIni("[COMMON]\r\nOpenFileAtStart=0\r\nLastFile=" + p.dir.file("Filme.VD6") + "\r\n");
        // A lock file left behind by a program that crashed does not block.
        WriteBytes(p.lock, "4711\n");
        auto run = p.start({"kassotek", "--liste", "--zwei Wörter"});
        TKassotekMainWindow* w = run->window();
        QVERIFY(w && w->isVisible());
        QVERIFY(run->lockHeld());
        QCOMPARE(w->Tag, 0);
        QVERIFY(ListedTitles(w->filmList()).empty());
        QCOMPARE(w->statusPanelText(1),
                 QStringLiteral("Datei: ") + QString::fromStdString(p.dir.file("Filme.VD6")));
        // A file opened during the run is not kept as the last one.
        auto files = std::make_unique<ScriptedFileDialogs>();
        files->openAnswer(kt::DataFileChoice{QString::fromStdString(p.dir.file("Filme.VD6")), 7});
        w->setFileDialogs(std::move(files));
        w->Oeffnen1->trigger();
        QCOMPARE(w->filmList().FilledRows(), 3);
        ProgramFolder::quit(*run);
        QVERIFY(!run->lockHeld());
        QVERIFY(p.iniText().find("LastFile=\r\n") != std::string::npos);
        QVERIFY(p.iniText().find("[Zellenanordnung]") != std::string::npos);
        // The parameters go to the trace log and nowhere else.
        QVERIFY(p.logHas("Parameter 1 = --liste"));
        QVERIFY(p.logHas("Parameter 2 = --zwei Wörter"_cp));
        QVERIFY(p.logHas("Protokoll-Beginn"));
    }

    void theLastFileIsLoadedWithTheStartScreen() {
        ProgramFolder p;
        WriteDataFile(p.dir.file("Filme.VD6"), ThreeFilms());
        p.writeIni("[COMMON]\r\nOpenFileAtStart=1\r\nLastFile=" + p.dir.file("Filme.VD6") + "\r\n");
        bool startScreen = false;
        p.t.ctx.setProgressFactory([&] {
            startScreen = p.t.ctx.startScreenGauge() != nullptr;
            return std::make_unique<kt::NoProgress>();
        });
        auto run = p.start();
        TKassotekMainWindow* w = run->window();
        QVERIFY(startScreen);
        QVERIFY(!p.t.ctx.startScreenGauge());
        QCOMPARE(ListedTitles(w->filmList()), (std::vector<std::string>{"Alien", "Casablanca", "Das Boot"}));
        QCOMPARE(w->FilmStringGrid->currentRow(), 1);
        QCOMPARE(w->FilmStringGrid->currentColumn(), 1);
        QCOMPARE(int(p.t.ctx.collection.ActFilm), 3);
        QCOMPARE(w->windowTitle(), QStringLiteral("Jorvald's Kassotek - Filme.VD6"));
        QVERIFY(run->startMilliseconds() >= 0);
        ProgramFolder::quit(*run);
        QVERIFY(p.iniText().find("LastFile=" + p.dir.file("Filme.VD6") + "\r\n") != std::string::npos);
    }

    void theVersionQuestionOfTheAutomaticLoad() {
        for (const kt::Answer answer : {kt::Answer::No, kt::Answer::Yes}) {
            ProgramFolder p;
            const std::string from = std::string(KT_TEST_DATA) + "/sample/Sammlung";
            for (const char* ext : {".VD3", ".CDT", ".LNA", ".LAD"})
                std::filesystem::copy_file(from + ext, p.dir.file(std::string("Alt") + ext));
            // A gap in the column positions, which the start closes after a load.
            p.writeIni("[COMMON]\r\nOpenFileAtStart=1\r\nLastFile=" + p.dir.file("Alt.VD3") +
                       "\r\n[Zellenanordnung]\r\n24=40\r\n");
            p.t.dialogs.expectQuestion("Fehler: Daten-Version stimmt NICHT mit Programmversion überein!\r\n"
                                       "Daten mit geeignetem Filter laden?",
                                       answer);
            if (answer == kt::Answer::Yes) {
                p.t.dialogs.expectQuestion("entspricht nicht der eingestellten Datenversion (2.3)!",
                                           kt::Answer::Yes);
            }
            // The cassette check follows the load; the third cassette of the sample is off.
            QStringList listed;
            if (answer == kt::Answer::Yes)
                WhenModal([&listed](QWidget* w) {
                    QCOMPARE(w->windowTitle(), QStringLiteral("Unstimmige Cassetten"));
                    auto* list = w->findChild<QListWidget*>(QStringLiteral("NotOKCasListBox"));
                    for (int i = 0; list && i < list->count(); ++i)
                        listed << list->item(i)->text();
                    ClickButton(w, QStringLiteral("Ende"));
                });
            auto run = p.start();
            TKassotekMainWindow* w = run->window();
            QVERIFY(!p.t.dialogs.pending());
            QCOMPARE(listed, answer == kt::Answer::Yes ? QStringList{"   3"} : QStringList{});
            if (answer == kt::Answer::No) {
                QVERIFY(ListedTitles(w->filmList()).empty());
                QCOMPARE(p.t.ctx.colArrange[kt::ColPics].Pos, 40);
                QCOMPARE(p.t.ctx.collection.DataVerMinor, 6);
            } else {
                QCOMPARE(w->filmList().FilledRows(), 3);
                QCOMPARE(p.t.ctx.colArrange[kt::ColPics].Pos, 24);
                QCOMPARE(p.t.ctx.collection.DataVerMinor, 3);
            }
            // Declined, the program works on an empty collection without a name, so that a save
            // cannot write over the file.
            QCOMPARE(p.t.ctx.collection.CurrentDataFile,
                     answer == kt::Answer::Yes ? p.dir.file("Alt.VD3") : std::string());
            ProgramFolder::quit(*run);
        }
    }

    void aFailedAutomaticLoadLeavesTheProgramUsable() {
        ProgramFolder p;
        p.writeIni("[COMMON]\r\nOpenFileAtStart=1\r\nLastFile=" + p.dir.file("weg.VD6") + "\r\n");
        p.t.dialogs.expect(Box::Warning, "Datei " + p.dir.file("weg.VD6") + " nicht gefunden!");
        auto run = p.start();
        QVERIFY(run->window() && run->window()->isVisible());
        QVERIFY(ListedTitles(run->window()->filmList()).empty());
        // The list works: a new collection can be started.
        run->window()->Neu1->trigger();
        ProgramFolder::quit(*run);
    }

    // Also with a file, when the running program does not answer (one without the door).
    void aSecondStartTouchesNothing() {
        for (const QStringList& args : {QStringList{"kassotek"}, QStringList{"kassotek", "Filme.VD6"}}) {
            ProgramFolder p;
            p.writeIni("[COMMON]\r\nOpenFileAtStart=0\r\nFilmSort=3\r\n");
            {
                kt::TraceLog earlier;
                earlier.start(p.log());
                earlier.WriteMasterAlways = 1;
                earlier.TraceLine("vom ersten Programm");
            }
            const std::string ini = ReadBytes(p.ini());
            const std::string log = ReadBytes(p.log());
            kt::SingleInstanceLock first(p.lock);
            QVERIFY(first.acquire());
            p.t.dialogs.expect(
                Box::Warning,
                "Kassotek befindet sich bereits im Speicher und kann nicht noch einmal geladen werden, "
                "weil es keine Multi-Userversion ist!");
            auto run = p.start(args);
            QVERIFY(!run->window());
            QVERIFY(!run->handedOver());
            run->finish();
            QVERIFY(first.held());
            QCOMPARE(ReadBytes(p.ini()), ini);
            QCOMPARE(ReadBytes(p.log()), log);
            std::vector<std::string> names;
            for (const auto& e : std::filesystem::directory_iterator(p.dir.path()))
                names.push_back(e.path().filename().string());
            std::sort(names.begin(), names.end());
            QCOMPARE(names, (std::vector<std::string>{"Kassotek.INI", "Kassotek.QBL", "Kassotek.lock"}));
        }
    }

    // The file of the command line is opened as "Ö&ffnen..." opens a chosen file (with the filter
    // entry of its extension), in place of the last file.
    void aFileOnTheCommandLineTakesThePlaceOfTheLastFile() {
        const struct {
            const char* arg;
            Box box;
            const char* text; // nullptr: no box
            kt::Answer answer;
            std::size_t rows;
            std::vector<std::string> titles; // empty: not compared
            const char* loaded;              // CurrentDataFile afterwards, nullptr for none
        } cases[] = {
            {"Filme.VD6",
             Box::Question,
             nullptr,
             kt::Answer::Ok,
             3,
             {"Alien", "Casablanca", "Das Boot"},
             "Filme.VD6"},
            {"./sub/../filme.vd6", Box::Question, nullptr, kt::Answer::Ok, 1, {"Zweite"}, "filme.vd6"},
            {"Alt.VD3",
             Box::Question,
             "entspricht nicht der eingestellten Datenversion (2.3)!",
             kt::Answer::Yes,
             3,
             {},
             "Alt.VD3"},
            {"Filme.txt",
             Box::Question,
             "Filme.txt enthält nicht den Standardsuffix \"VDx\"! Laden abbrechen?",
             kt::Answer::Yes,
             0,
             {},
             nullptr},
            {"weg.VD6", Box::Error, "Fehler beim Laden: Datei ", kt::Answer::Ok, 0, {}, nullptr},
        };
        const QString home = QDir::currentPath();
        for (const auto& c : cases) {
            ProgramFolder p;
            WriteDataFile(p.dir.file("Filme.VD6"), ThreeFilms());
            WriteDataFile(p.dir.file("filme.vd6"), {MakeFilm("Zweite")});
            WriteDataFile(p.dir.file("Letzte.VD6"), {MakeFilm("Die letzte")});
            WriteBytes(p.dir.file("Filme.txt"), "Text");
            std::filesystem::create_directory(p.dir.file("sub"));
            const std::string from = std::string(KT_TEST_DATA) + "/sample/Sammlung";
            for (const char* ext : {".VD3", ".CDT", ".LNA", ".LAD"})
                std::filesystem::copy_file(from + ext, p.dir.file(std::string("Alt") + ext));
            p.writeIni("[COMMON]\r\nOpenFileAtStart=1\r\nLastFile=" + p.dir.file("Letzte.VD6") + "\r\n");
            if (c.text)
                p.t.dialogs.expect(c.box, c.text, c.answer);
            // A relative name is taken from the folder the program was started in.
            QVERIFY(QDir::setCurrent(QString::fromStdString(p.dir.path())));
            auto run = p.start({"kassotek", c.arg});
            QDir::setCurrent(home);
            TKassotekMainWindow* w = run->window();
            QVERIFY(w);
            QTRY_VERIFY(!p.t.dialogs.pending());
            QTRY_COMPARE(ListedTitles(w->filmList()).size(), c.rows);
            if (!c.titles.empty())
                QCOMPARE(ListedTitles(w->filmList()), c.titles);
            QCOMPARE(p.t.ctx.collection.CurrentDataFile, c.loaded ? p.dir.file(c.loaded) : std::string());
            ProgramFolder::quit(*run);
            QVERIFY(p.iniText().find("LastFile=" + (c.loaded ? p.dir.file(c.loaded) : std::string()) +
                                     "\r\n") != std::string::npos);
        }
    }

    // A start with a file while the program runs gives the file to the running program, which
    // comes to the front with it; the second start itself ends at once and writes no settings.
    void aSecondStartHandsItsFileToTheRunningProgram() {
        ProgramFolder p;
        WriteDataFile(p.dir.file("Filme.VD6"), ThreeFilms());
        p.writeIni("[COMMON]\r\nOpenFileAtStart=0\r\n");
        auto run = p.start();
        TKassotekMainWindow* w = run->window();
        QVERIFY(w);
        w->showMinimized();
        TempFolder secondDir;
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(p.dir.path()));
        env.insert(QStringLiteral("KASSOTEK_PROGRAM_DIR"), QString::fromStdString(secondDir.path()));
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(QString::fromStdString(p.dir.path()));
        second.start(QStringLiteral(KT_APP), {QStringLiteral("Filme.VD6")});
        QVERIFY(second.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 30000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(ListedTitles(w->filmList()),
                     (std::vector<std::string>{"Alien", "Casablanca", "Das Boot"}));
        QCOMPARE(p.t.ctx.collection.CurrentDataFile, p.dir.file("Filme.VD6"));
        QVERIFY(!w->isMinimized());
        QVERIFY(w->isVisible());
        QVERIFY(secondDir.names().empty());
        ProgramFolder::quit(*run);
        // The door closes with the program.
        QVERIFY(!std::filesystem::exists(p.dir.file("Kassotek.socket")));
    }

    void anUnreadableConfigurationGivesTheDefaults() {
        ProgramFolder p;
        std::filesystem::create_directory(p.ini());
        p.t.dialogs.expect(Box::Warning, "Konnte Kassotek.INI nicht lesen!");
        auto run = p.start();
        QVERIFY(run->window());
        QCOMPARE(int(p.t.ctx.settings.FilmSort), 0);
        ProgramFolder::quit(*run);
        QVERIFY(std::filesystem::is_directory(p.ini()));
    }

    void theFirstShowingAsksAboutTheTraceLevelAndOpensTheQuickStart() {
        ProgramFolder p;
        p.writeIni("[COMMON]\r\nMasterStoreLevel=3\r\nFirstStart=1\r\n");
        p.t.dialogs.expectQuestion("Die Debug-Variable \"MasterStoreLevel\" ist auf den Wert 3 gesetzt\r\n"
                                   "und verlangsamt dadurch den Programmablauf!\r\n\r\n"
                                   "Wollen Sie mit dieser unvorteilhaften Einstellung weiterarbeiten?",
                                   kt::Answer::No);
        auto run = p.start();
        QTRY_VERIFY(kt::HelpWindow::Instance() && kt::HelpWindow::Instance()->isVisible());
        QCOMPARE(kt::HelpWindow::Instance()->browser()->source().fileName(), QStringLiteral("303.html"));
        QCOMPARE(int(p.t.ctx.trace.MasterStoreLevel), 1);
        QVERIFY(p.iniText().find("FirstStart") == std::string::npos);
        ProgramFolder::quit(*run);
        QVERIFY(p.iniText().find("MasterStoreLevel=1\r\n") != std::string::npos);
    }
};

QTEST_MAIN(ProgramRunTest)
#include "test_program_run.moc"
