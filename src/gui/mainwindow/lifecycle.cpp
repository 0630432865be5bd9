#include "mainwindow/main_window.h"

#include "app_context.h"
#include "filmlist/film_list.h"
#include "notepad/notepad_form.h"
#include "persistence/network_lock.h"
#include "printing/prn_preview_form.h"
#include "settings/program_paths.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

// The window around its commands: the questions before closing, the notification area, the idle
// handling, the first showing, the end of the session and the exception handler.
namespace kt {

using namespace kt::literals;

bool TKassotekMainWindow::EndAllowed() {
    ThreeWayQuestion q;
    q.caption = "Kassotek";
    q.okCaption = "Jetzt &sichern";
    q.noCaption = "&Nicht sichern";
    q.line1 = "Die Videodaten wurden geändert, aber noch nicht gesichert."_cp;
    q.line2 = "Alle Änderungen gehen verloren, wenn die Daten jetzt NICHT gespeichert werden!"_cp;
    switch (ctx_.dialogs().threeWay(q)) {
    case Answer::Ok:
        Speichern1Click();
        return ctx_.collection.DataSaved;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool TKassotekMainWindow::FormCloseQuery() {
    traceCommand("FormCloseQuery", true);
    bool allowed = ctx_.collection.DataSaved || EndAllowed();
    // After "&Abbruch" nothing more is asked.
    if (allowed && Tag != TagRealEnd && ctx_.settings.MinimizeTarget == 1) {
        Answer answer = Answer::Ok;
        if (ctx_.settings.MinimizeConfirm) {
            ThreeWayQuestion q;
            q.caption = "Kassotek";
            q.okCaption = "&Minimieren";
            q.noCaption = "&Beenden";
            q.line1 = "Sie haben \"Programm-Beenden\" aktiviert!";
            q.line2 = "Wollen Sie das Programm minimieren oder beenden?";
            answer = ctx_.dialogs().threeWay(q);
        }
        if (answer == Answer::Ok) {
            allowed = false;
            Hide_to_Systray();
        } else if (answer != Answer::No) {
            allowed = false;
        }
    }
    Tag = 0;
    traceCommand("FormCloseQuery", false);
    return allowed;
}

void TKassotekMainWindow::closeEvent(QCloseEvent* event) {
    if (endConfirmed_ || FormCloseQuery()) {
        endConfirmed_ = false;
        // The notes are saved before the end; when they cannot be, the program stays.
        if (notepad_ && !notepad_->close()) {
            event->ignore();
            return;
        }
        if (preview_)
            preview_->close();
        FormClose();
        event->accept();
        emit closed();
    } else {
        event->ignore();
    }
}

void TKassotekMainWindow::FormClose() {
    traceCommand("FormClose", true);
    Collection& c = ctx_.collection;
    if (!c.CurrentDataFile.empty())
        EraseSemaphoreFile(c, c.CurrentDataFile);
    const std::string programSem = ProgramDir() + ".SEM";
    if (FileExists(programSem))
        EraseFile(programSem);
    if (trayIcon_)
        trayIcon_->hide();
    ctx_.trace.TraceLine("KtkMain: FormClose Version " + ProgramVersionText());
    ctx_.trace.TraceLine("KtkMain: FormClose " + WindowsVersionText());
    ctx_.trace.TraceLine(
        "KtkMain: FormClose WriteMasterAlways=" + std::to_string(ctx_.trace.WriteMasterAlways) +
        " MasterStoreLevel=" + std::to_string(ctx_.trace.MasterStoreLevel));
    traceCommand("FormClose", false);
}

void TKassotekMainWindow::buildTrayIcon() {
    if (trayIcon_)
        return;
    trayIcon_ = new QSystemTrayIcon(windowIcon(), this);
    trayIcon_->setObjectName(QStringLiteral("TrayIcon"));
    trayIcon_->setToolTip(QStringLiteral("Kassotek"));
    trayMenu_ = new QMenu(this);
    trayMenu_->setObjectName(QStringLiteral("TrayMenu"));
    QAction* restore = trayMenu_->addAction(QStringLiteral("Kassotek wiederhestellen"));
    restore->setObjectName(QStringLiteral("TrayRestore"));
    connect(restore, &QAction::triggered, this, &TKassotekMainWindow::RestoreFromSystray);
    QAction* end = trayMenu_->addAction(QStringLiteral("Kassotek beenden"));
    end->setObjectName(QStringLiteral("TrayEnd"));
    connect(end, &QAction::triggered, this, [this] {
        Tag = TagRealEnd;
        close();
    });
    trayIcon_->setContextMenu(trayMenu_);
    connect(trayIcon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            RestoreFromSystray();
    });
}

void TKassotekMainWindow::Hide_to_Systray() {
    traceCommand("Hide_to_Systray", true);
    if (trayAvailable_) {
        buildTrayIcon();
        trayIcon_->show();
        hide();
    } else {
        // Without a notification area the window goes to the task bar.
        showMinimized();
    }
    traceCommand("Hide_to_Systray", false);
}

void TKassotekMainWindow::RestoreFromSystray() {
    if (trayIcon_)
        trayIcon_->hide();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TKassotekMainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const uint8_t target = ctx_.settings.MinimizeTarget;
        if (isMinimized() && isVisible() && trayAvailable_ && (target == 1 || target == 2))
            QTimer::singleShot(0, this, &TKassotekMainWindow::Hide_to_Systray);
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (ctx_.filterSearch.FSS_Changed) {
            Update_SortSpeedbuttons();
            SetAusgabeData();
            ctx_.filterSearch.FSS_Changed = false;
        }
        if (Tag == TagFirstActivation) {
            Tag = 0;
            QTimer::singleShot(0, this, [this] { firstShown(false); });
        }
    }
}

void TKassotekMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (Tag == TagFirstResize) {
        Tag = 0;
        // Asked once the window is on the screen, not while it is being shown.
        QTimer::singleShot(0, this, [this] { firstShown(true); });
    }
}

void TKassotekMainWindow::firstShown(bool openQuickStart) {
    AskAboutTraceLevel();
    if (openQuickStart && ctx_.settings.FirstStart) {
        ctx_.settings.FirstStart = false;
        Schnelleinstieg1Click();
    }
}

void TKassotekMainWindow::AskAboutTraceLevel() {
    TraceLog& trace = ctx_.trace;
    if (trace.MasterStoreLevel <= 1)
        return;
    const std::string q = "Die Debug-Variable \"MasterStoreLevel\" ist auf den Wert " +
                          std::to_string(trace.MasterStoreLevel) +
                          " gesetzt\r\nund verlangsamt dadurch den Programmablauf!\r\n\r\n"
                          "Wollen Sie mit dieser unvorteilhaften Einstellung weiterarbeiten?";
    if (ctx_.dialogs().question(q, Buttons::YesNo) == Answer::No)
        trace.MasterStoreLevel = 1;
}

void TKassotekMainWindow::ApplicationIdle() {
    typeAheadLock_ = false;
    if (Tag == TagPreviewFirstPage ||
        (preview_ && preview_->isVisible() && preview_->Tag == TagPreviewFirstPage)) {
        Tag = 0;
        if (preview_) {
            preview_->Tag = 0;
            preview_->FirstPageSpeedButtonClick();
        }
    }
    UpdateSaveControls();
}

void TKassotekMainWindow::AppException(const std::string& message) {
    ctx_.dialogs().error(message);
    TraceLog& trace = ctx_.trace;
    const std::string base = trace.MasterLogFName.empty() ? TraceFilePath() : trace.MasterLogFName;
    for (int n = 1; n <= 999; ++n) {
        std::string ext(1, '.');
        ext += ZeroPad(n, 3);
        ext += ".QBL";
        const std::string name = ChangeFileExt(base, ext);
        if (FileExists(name))
            continue;
        if (n > 500)
            ctx_.dialogs().information("Bitte, informieren Sie den Programmierer über die Probleme!"_cp);
        trace.WriteLogFile(trace.block(), name);
        break;
    }
}

void TKassotekMainWindow::ToggleTraceOutput() {
    TraceLog& trace = ctx_.trace;
    trace.WriteMasterAlways ^= 1;
    const bool everyLine = (trace.WriteMasterAlways & 1) != 0;
    trace.TraceLine("KtkMain: WriteMasterAlways=" + std::to_string(trace.WriteMasterAlways));
    ctx_.dialogs().information(everyLine ? "Das Protokoll wird jetzt nach jeder Zeile geschrieben."
                                         : "Das Protokoll wird jetzt erst am Programmende geschrieben.");
}

bool TKassotekMainWindow::EndOfSession() {
    traceCommand("EndOfSession", true);
    Tag = TagRealEnd;
    const bool closed = close();
    traceCommand("EndOfSession", false);
    return closed;
}

} // namespace kt
