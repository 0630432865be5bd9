#pragma once

#include "single_instance.h"

#include <QPointer>
#include <QStringList>

#include <memory>
#include <string>

namespace kt {

class AppContext;
class TKassotekMainWindow;

// The program from start to end: the single-instance lock, the start screen during the
// automatic load, the main window, the configuration, the event loop and what follows it.
// main() only makes the application object and calls run(); tests call the steps one by one.
class ProgramRun {
public:
    ProgramRun(AppContext& ctx, QStringList arguments,
               std::string lockPath = SingleInstanceLock::DefaultPath());
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Up to the shown main window; false when the program ends at once (a second start, no
    // memory, an error during the start).
    bool start();
    // The event loop, until the main window has closed.
    int exec();
    // After the loop: the configuration is written, the lock released, the trace log finished.
    void finish();
    int run();

    TKassotekMainWindow* window() const { return window_.get(); }
    // The file named on the command line (absolute), empty when none.
    const QString& fileArgument() const { return fileArgument_; }
    // True when start() ended because the file went to the program that already runs.
    bool handedOver() const { return handedOver_; }
    bool lockHeld() const { return lock_.held(); }
    // Milliseconds from the start screen to the filled list.
    qint64 startMilliseconds() const { return startMs_; }

private:
    void traceArguments();
    void openDoor();

    AppContext& ctx_;
    QStringList arguments_;
    SingleInstanceLock lock_;
    QString fileArgument_;
    bool handedOver_ = false;
    std::unique_ptr<InstanceDoor> door_;
    std::unique_ptr<TKassotekMainWindow> window_;
    bool started_ = false;
    bool finished_ = false;
    qint64 startMs_ = 0;
};

// The file among the program's arguments: the first one that is no option ("-..."), made
// absolute; a "file:" URL gives its local file. Empty when there is none.
QString FileArgument(const QStringList& arguments);

// An environment variable of our own: KASSOTEK_SCREENSHOT names a PNG file; once the window has
// been on the screen for a moment it is saved there, the start time is printed, and the program
// ends.
void ScheduleScreenshot(TKassotekMainWindow* window, qint64 startMs);

} // namespace kt
