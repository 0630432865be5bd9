#include "env_guard.h"
#include "gui_test.h"
#include "main_window_support.h"
#include "mainwindow/main_window.h"
#include "persistence/network_lock.h"
#include "program/kassotek_application.h"
#include "temp_folder.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <memory>
#include <stdexcept>

using kt::Answer;
using kt::TKassotekMainWindow;
using namespace kt::test;

namespace {

const char* const Unsaved = "Die Videodaten wurden geändert, aber noch nicht gesichert.";
const char* const Minimise =
    "Sie haben \"Programm-Beenden\" aktiviert!\nWollen Sie das Programm minimieren oder beenden?";

// Scripted boxes that also keep the captions of every three-button box.
class RecordingDialogs : public ScriptedDialogs {
public:
    Answer threeWay(const kt::ThreeWayQuestion& q) override {
        questions.push_back(q);
        return ScriptedDialogs::threeWay(q);
    }
    std::vector<kt::ThreeWayQuestion> questions;
};

struct Window {
    TempFolder dir;
    EnvGuard programDir{"KASSOTEK_PROGRAM_DIR", dir.path().c_str()};
    TestContext t;
    RecordingDialogs boxes;
    std::unique_ptr<TKassotekMainWindow> w;
    int closed = 0;

    Window() {
        t.ctx.setDialogs(&boxes);
        w = std::make_unique<TKassotekMainWindow>(t.ctx);
        w->setTrayAvailable(false);
        QObject::connect(w.get(), &TKassotekMainWindow::closed, [this] { ++closed; });
        w->show();
        (void)QTest::qWaitForWindowExposed(w.get());
    }
    ~Window() {
        boxes.verify();
        t.ctx.setDialogs(&t.dialogs);
    }
    void unsaved() {
        t.ctx.collection.appendFilm(MakeFilm("Neu", kt::StDvd, 1));
        t.ctx.collection.DataSaved = false;
    }
};

} // namespace

class LifecycleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtFailHook(); }

    void theCloseQuestionInItsVariants() {
        struct Case {
            const char* name;
            bool unsaved;
            int target;
            bool confirm;
            bool tray;
            std::vector<std::pair<const char*, Answer>> questions;
            enum { Closed, Open, Tray, TaskBar } outcome;
        };
        const Case cases[] = {
            {"saved", false, 0, true, true, {}, Case::Closed},
            {"unsaved, not saved", true, 0, true, true, {{Unsaved, Answer::No}}, Case::Closed},
            {"unsaved, cancelled", true, 0, true, true, {{Unsaved, Answer::Cancel}}, Case::Open},
            {"tray without asking", false, 1, false, true, {}, Case::Tray},
            {"tray, minimise", false, 1, true, true, {{Minimise, Answer::Ok}}, Case::Tray},
            {"tray, end", false, 1, true, true, {{Minimise, Answer::No}}, Case::Closed},
            {"tray, cancelled", false, 1, true, true, {{Minimise, Answer::Cancel}}, Case::Open},
            {"unsaved, then minimise",
             true,
             1,
             true,
             true,
             {{Unsaved, Answer::No}, {Minimise, Answer::Ok}},
             Case::Tray},
            {"unsaved cancelled: no minimise question",
             true,
             1,
             true,
             true,
             {{Unsaved, Answer::Cancel}},
             Case::Open},
            {"no tray: the task bar", false, 1, false, false, {}, Case::TaskBar},
            {"both targets: closing ends", false, 2, true, true, {}, Case::Closed},
        };
        for (const Case& k : cases) {
            Window g;
            g.t.ctx.settings.MinimizeTarget = static_cast<uint8_t>(k.target);
            g.t.ctx.settings.MinimizeConfirm = k.confirm;
            g.w->setTrayAvailable(k.tray);
            if (k.unsaved)
                g.unsaved();
            for (const auto& [text, answer] : k.questions)
                g.boxes.expect(Box::ThreeWay, text, answer);
            QTest::mouseClick(g.w->CloseSpeedButton, Qt::LeftButton);
            QVERIFY2(!g.boxes.pending(), k.name);
            QCOMPARE(g.closed, k.outcome == Case::Closed ? 1 : 0);
            QCOMPARE(g.w->isVisible(), k.outcome == Case::Open || k.outcome == Case::TaskBar);
            QCOMPARE(g.w->isMinimized(), k.outcome == Case::TaskBar);
            QCOMPARE(g.w->trayIcon() && g.w->trayIcon()->isVisible(), k.outcome == Case::Tray);
            QCOMPARE(g.t.ctx.collection.DataSaved, !k.unsaved);
            QCOMPARE(g.w->Tag, 0);
        }
    }

    void theQuestionsBoxesSayWhatTheyOffer() {
        Window g;
        g.t.ctx.settings.MinimizeTarget = 1;
        g.w->setTrayAvailable(true);
        g.unsaved();
        g.boxes.expect(Box::ThreeWay, Unsaved, Answer::No).expect(Box::ThreeWay, Minimise, Answer::Cancel);
        g.w->close();
        QCOMPARE(g.boxes.questions.size(), std::size_t(2));
        const kt::ThreeWayQuestion& save = g.boxes.questions[0];
        QCOMPARE(save.caption, std::string("Kassotek"));
        QCOMPARE(save.okCaption, std::string("Jetzt &sichern"));
        QCOMPARE(save.noCaption, std::string("&Nicht sichern"));
        QCOMPARE(save.abortCaption, std::string("&Abbruch"));
        QCOMPARE(
            kt::ToUtf8(save.line2),
            std::string("Alle Änderungen gehen verloren, wenn die Daten jetzt NICHT gespeichert werden!"));
        const kt::ThreeWayQuestion& minimise = g.boxes.questions[1];
        QCOMPARE(minimise.caption, std::string("Kassotek"));
        QCOMPARE(minimise.okCaption, std::string("&Minimieren"));
        QCOMPARE(minimise.noCaption, std::string("&Beenden"));
    }

    void savingFromTheQuestionMustSucceed() {
        Window g;
        auto files = std::make_unique<ScriptedFileDialogs>();
        ScriptedFileDialogs* dialogs = files.get();
        g.w->setFileDialogs(std::move(files));
        g.unsaved();
        // No file yet: the save asks for one, and the user cancels.
        dialogs->saveAnswer(std::nullopt);
        g.boxes.expect(Box::ThreeWay, Unsaved, Answer::Ok).expect(Box::Warning, "Keine Datei ausgewählt!");
        g.w->close();
        QVERIFY(g.w->isVisible());
        QCOMPARE(g.closed, 0);
        QVERIFY(!g.t.ctx.collection.DataSaved);
        // With a file chosen the data are saved and the window closes.
        dialogs->saveAnswer(kt::DataFileChoice{QString::fromStdString(g.dir.file("Neu.VD6")), 7});
        g.boxes.expect(Box::ThreeWay, Unsaved, Answer::Ok).expect(Box::Information, "wurde gesichert!");
        g.w->close();
        QCOMPARE(g.closed, 1);
        QVERIFY(std::filesystem::exists(g.dir.file("Neu.VD6")));
    }

    void quitAndTheSessionEndNeverMinimise() {
        for (const bool session : {false, true}) {
            Window g;
            g.t.ctx.settings.MinimizeTarget = 1;
            g.w->setTrayAvailable(true);
            g.unsaved();
            g.boxes.expect(Box::ThreeWay, Unsaved, Answer::Cancel);
            if (session)
                QVERIFY(!g.w->EndOfSession());
            else
                g.w->Beenden1->trigger();
            QCOMPARE(g.closed, 0);
            QVERIFY(g.w->isVisible());
            g.boxes.expect(Box::ThreeWay, Unsaved, Answer::No);
            if (session)
                QVERIFY(g.w->EndOfSession());
            else
                g.w->Beenden1->trigger();
            QCOMPARE(g.closed, 1);
            QVERIFY(!g.w->trayIcon() || !g.w->trayIcon()->isVisible());
        }
    }

    void theNotificationArea() {
        Window g;
        g.t.ctx.settings.MinimizeTarget = 1;
        g.t.ctx.settings.MinimizeConfirm = false;
        g.w->setTrayAvailable(true);
        g.w->close();
        QSystemTrayIcon* tray = g.w->trayIcon();
        QVERIFY(tray && tray->isVisible() && !g.w->isVisible());
        QCOMPARE(tray->toolTip(), QStringLiteral("Kassotek"));
        QMenu* menu = tray->contextMenu();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Kassotek wiederhestellen"));
        QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Kassotek beenden"));
        // A double click restores, and so does the menu.
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(g.w->isVisible() && !tray->isVisible());
        g.w->close();
        menu->actions()[0]->trigger();
        QVERIFY(g.w->isVisible() && !tray->isVisible());
        // "Kassotek beenden" ends, with the unsaved-data question but without the minimise one.
        g.w->close();
        g.unsaved();
        g.boxes.expect(Box::ThreeWay, Unsaved, Answer::No);
        menu->actions()[1]->trigger();
        QCOMPARE(g.closed, 1);
    }

    void theMinimiseButtonByTarget() {
        for (const int target : {0, 1, 2}) {
            Window g;
            g.t.ctx.settings.MinimizeTarget = static_cast<uint8_t>(target);
            g.w->setTrayAvailable(true);
            g.w->showMinimized();
            if (target == 0) {
                QTest::qWait(20);
                QVERIFY(g.w->isVisible());
                QVERIFY(!g.w->trayIcon());
            } else {
                QTRY_VERIFY(!g.w->isVisible());
                QVERIFY(g.w->trayIcon()->isVisible());
                g.w->RestoreFromSystray();
                QVERIFY(g.w->isVisible() && !g.w->isMinimized());
            }
            // Closing asks only for target 1.
            if (target == 1)
                g.boxes.expect(Box::ThreeWay, Minimise, Answer::No);
            g.w->close();
            QCOMPARE(g.closed, 1);
        }
    }

    void closingRemovesTheOwnLockFiles() {
        Window g;
        const std::string data = g.dir.file("Filme.VD6");
        WriteDataFile(data, {MakeFilm("A")});
        g.t.ctx.collection.CurrentDataFile = data;
        const std::string own = std::string(kt::SemaphoreFirstLine) + "\r\n" + kt::OwnMachineMarker + "\r\n";
        WriteBytes(g.dir.file("Filme.SEM"), own);
        WriteBytes(g.dir.file(".SEM"), own);
        g.w->close();
        QCOMPARE(g.closed, 1);
        QVERIFY(!std::filesystem::exists(g.dir.file("Filme.SEM")));
        QVERIFY(!std::filesystem::exists(g.dir.file(".SEM")));
        QVERIFY(std::filesystem::exists(data));
    }

    void theExceptionHandlerWritesANumberedLog() {
        Window g;
        g.t.ctx.trace.TraceLine("vor dem Fehler");
        g.boxes.expect(Box::Error, "kaputt");
        g.w->AppException("kaputt");
        const std::string first = g.dir.file("Kassotek.001.QBL");
        QCOMPARE(kt::FileSizeOf(first), 65280LL);
        g.boxes.expect(Box::Error, "wieder");
        g.w->AppException("wieder");
        QVERIFY(std::filesystem::exists(g.dir.file("Kassotek.002.QBL")));
        // Past 500 logs the user is asked to tell the programmer.
        for (int n = 3; n <= 501; ++n)
            WriteBytes(g.dir.file("Kassotek." + kt::ZeroPad(n, 3) + ".QBL"), "");
        g.boxes.expect(Box::Error, "oft")
            .expect(Box::Information, "Bitte, informieren Sie den Programmierer über die Probleme!");
        g.w->AppException("oft");
        QCOMPARE(kt::FileSizeOf(g.dir.file("Kassotek.502.QBL")), 65280LL);
    }

    void anEscapedExceptionReachesTheHandler() {
        auto* app = qobject_cast<kt::KassotekApplication*>(qApp);
        QVERIFY(app);
        std::vector<std::string> seen;
        app->onException = [&](const std::string& message) { seen.push_back(message); };
        QTimer::singleShot(0, [] { throw std::runtime_error("Fehler im Ereignis"); });
        QTRY_COMPARE(seen.size(), std::size_t(1));
        QCOMPARE(seen[0], std::string("Fehler im Ereignis"));
        app->onException = nullptr;
    }

    void theTraceSwitchAndTheIdleHandling() {
        Window g;
        g.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(g.w.get()));
        QCOMPARE(g.t.ctx.trace.WriteMasterAlways, 2);
        g.boxes.expect(Box::Information, "Das Protokoll wird jetzt nach jeder Zeile geschrieben.");
        QTest::keyClick(g.w.get(), Qt::Key_F11, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(g.t.ctx.trace.WriteMasterAlways, 3);
        g.boxes.expect(Box::Information, "erst am Programmende");
        QTest::keyClick(g.w.get(), Qt::Key_F11, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(g.t.ctx.trace.WriteMasterAlways, 2);

        // The save controls follow the unsaved mark whenever the program waits for input.
        g.t.ctx.collection.DataSaved = false;
        QEventLoop loop;
        QTimer::singleShot(30, &loop, &QEventLoop::quit);
        loop.exec();
        QVERIFY(g.w->Speichern1->isEnabled() && g.w->SaveFileSpeedButton->isEnabled());
    }

    void activationRebuildsAfterAFilterChange() {
        Window g;
        g.t.ctx.collection.appendFilm(MakeFilm("A", kt::StDvd, 1));
        g.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(g.w.get()));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        g.t.ctx.filterSearch.FSS_Changed = true;
        g.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(g.w.get()));
        QTRY_VERIFY(!g.t.ctx.filterSearch.FSS_Changed);
        QCOMPARE(g.w->statusPanelText(2), QStringLiteral("Anzahl Filme: 1/1"));
    }
};

int main(int argc, char** argv) {
    kt::KassotekApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    LifecycleTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_lifecycle.moc"
