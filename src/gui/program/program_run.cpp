#include "program/program_run.h"

#include "app_context.h"
#include "dialogs/about_form.h"
#include "mainwindow/data_file_dialogs.h"
#include "mainwindow/main_window.h"
#include "program/kassotek_application.h"
#include "settings/config_file.h"
#include "settings/program_paths.h"
#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <exception>

namespace kt {

using namespace kt::literals;

QString FileArgument(const QStringList& arguments) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a.isEmpty() || a.startsWith(QLatin1Char('-')))
            continue;
        const QUrl url(a);
        const QString file = url.isLocalFile() ? url.toLocalFile() : a;
        return QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    }
    return {};
}

ProgramRun::ProgramRun(AppContext& ctx, QStringList arguments, std::string lockPath)
    : ctx_(ctx), arguments_(std::move(arguments)), lock_(std::move(lockPath)),
      fileArgument_(FileArgument(arguments_)) {
    // Before anything else, so that the log goes on from the last run.
    ctx_.trace.start(TraceFilePath());
}

ProgramRun::~ProgramRun() {
    finish();
}

void ProgramRun::traceArguments() {
    for (int i = 1; i < arguments_.size(); ++i)
        ctx_.trace.TraceLine("Kassotek: Parameter " + std::to_string(i) + " = " + ToCp(arguments_.at(i)));
}

bool ProgramRun::start() {
    QElapsedTimer clock;
    clock.start();
    // Nothing but the trace log is touched before the lock is held.
    if (!lock_.acquire()) {
        // A file goes to the program that runs, which comes to the front with it. Only when that
        // program does not answer does this start end as a second start always has.
        if (!fileArgument_.isEmpty() &&
            HandFileToRunningInstance(InstanceSocketPath(lock_.path()), fileArgument_)) {
            ctx_.trace.TraceLine("Kassotek: file handed to the running program: " + PathBytes(fileArgument_));
            handedOver_ = true;
            return false;
        }
        ctx_.dialogs().warning(
            "Kassotek befindet sich bereits im Speicher und kann nicht noch einmal geladen "
            "werden, weil es keine Multi-Userversion ist!");
        return false;
    }
    ctx_.trace.TraceLine("Kassotek: Start [ENTRY]");
    traceArguments();
    if (ctx_.collection.SortedFilm.size() != static_cast<std::size_t>(MaxFilms)) {
        ctx_.dialogs().warning("Nicht genug Speicher für lokale Variablen."_cp);
        return false;
    }

    std::unique_ptr<TUeberForm> screen;
    bool ok = true;
    bool busy = false;
    try {
        screen = std::make_unique<TUeberForm>(ctx_, TUeberForm::Mode::StartUp);
        screen->showStartScreen();
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        busy = true;
        QGuiApplication::setApplicationName(QStringLiteral("Jorvald's Kassotek"));
        window_ = std::make_unique<TKassotekMainWindow>(ctx_);
        // The boxes of the start stand in front of the start screen.
        ctx_.setDialogParent(screen.get());
        window_->Tag = TKassotekMainWindow::TagFirstActivation;
        if (ReadConfiguration(IniFilePath(), ctx_.settings, ctx_.collection, ctx_.colArrange, ctx_.trace))
            window_->Adjust_FileMenu();
        else
            ctx_.dialogs().warning("Konnte Kassotek.INI nicht lesen!");
        // The file of the command line takes the place of the last one: no automatic load, and
        // no name of a file that is not loaded.
        if (!fileArgument_.isEmpty())
            ctx_.collection.CurrentDataFile.clear();
        ApplyStorageTypeShow(ctx_.settings, ctx_.collection);
        window_->AdjustSpeichermediumDependentElements_To_StorageTypeShow();
        window_->Update_SortSpeedbuttons();
        window_->InitFilmStringGrid();
    } catch (const std::exception& e) {
        ctx_.dialogs().error(ToCp1252(e.what()));
        ok = false;
    }
    ctx_.setDialogParent(window_.get());
    screen.reset();
    if (busy)
        QGuiApplication::restoreOverrideCursor();
    if (!ok) {
        window_.reset();
        return false;
    }
    startMs_ = clock.elapsed();
    ctx_.trace.TraceLine("Kassotek: Start [EXIT] " + std::to_string(startMs_) + " ms");

    // The window may go to the notification area: the end is the window's close, not the last
    // visible window.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    TKassotekMainWindow* window = window_.get();
    QObject::connect(window, &TKassotekMainWindow::closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, window, [window](QSessionManager& manager) {
        if (!window->EndOfSession())
            manager.cancel();
    });
    if (auto* app = qobject_cast<KassotekApplication*>(qApp))
        app->onException = [window](const std::string& message) { window->AppException(message); };
    window->Tag = TKassotekMainWindow::TagFirstResize;
    // Without a window manager nothing maximises: the window then takes the screen itself.
    if (QScreen* screen = window->screen())
        window->setGeometry(screen->availableGeometry());
    window->showMaximized();
    started_ = true;
    openDoor();
    if (!fileArgument_.isEmpty()) {
        const QString file = fileArgument_;
        QTimer::singleShot(0, window, [window, file] { window->OpenFileFromOutside(file); });
    }
    return true;
}

void ProgramRun::openDoor() {
    door_ = std::make_unique<InstanceDoor>(InstanceSocketPath(lock_.path()));
    if (!door_->listen()) {
        ctx_.trace.TraceLine("Kassotek: no socket for files of later starts");
        return;
    }
    TKassotekMainWindow* window = window_.get();
    // Queued: the open asks its questions outside the socket's signal.
    QObject::connect(door_.get(), &InstanceDoor::fileHandedOver, window,
                     &TKassotekMainWindow::OpenFileFromOutside, Qt::QueuedConnection);
}

int ProgramRun::exec() {
    return QCoreApplication::exec();
}

void ProgramRun::finish() {
    if (finished_)
        return;
    finished_ = true;
    if (started_) {
        if (!ctx_.settings.OpenFileAtStart)
            ctx_.collection.CurrentDataFile.clear();
        if (!WriteConfiguration(IniFilePath(), ctx_.settings, ctx_.collection, ctx_.colArrange, ctx_.trace))
            ctx_.trace.TraceLine("Kassotek: WriteConfiguration failed");
        if (auto* app = qobject_cast<KassotekApplication*>(qApp))
            app->onException = nullptr;
    }
    door_.reset();
    window_.reset();
    lock_.release();
    ctx_.trace.TraceLine("Kassotek: End");
    ctx_.trace.exitHook(0);
}

int ProgramRun::run() {
    if (!start()) {
        finish();
        return 0;
    }
    ScheduleScreenshot(window_.get(), startMs_);
    const int rc = exec();
    finish();
    return rc;
}

void ScheduleScreenshot(TKassotekMainWindow* window, qint64 startMs) {
    const QString file = qEnvironmentVariable("KASSOTEK_SCREENSHOT");
    if (file.isEmpty() || !window)
        return;
    QTimer::singleShot(1500, window, [window, file, startMs] {
        const bool saved = window->grab().save(file, "PNG");
        std::fprintf(stderr, "Kassotek: Start bis zur gefüllten Liste %lld ms; Bildschirmfoto %s%s\n",
                     static_cast<long long>(startMs), qPrintable(file), saved ? "" : " NICHT gespeichert");
        window->EndOfSession();
    });
}

} // namespace kt
