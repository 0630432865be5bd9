#pragma once

#include "casseditor/cas_chooser_state.h"
#include "catalogue/col_arrange.h"
#include "dialogs/message_box.h"
#include "filmeditor/session_checks.h"
#include "filter/filter_search.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "settings/settings.h"
#include "trace/trace_log.h"

#include <QPointer>
#include <QProgressBar>
#include <QUrl>

#include <functional>
#include <memory>

class QWidget;

namespace kt {

class CassetteChooser;

// The program-wide state the windows work on, and the doors through which they reach the user.
// One instance per program run; tests make a fresh one per case.
class AppContext {
public:
    explicit AppContext(TraceLog& trace = Trace());
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Collection collection;
    Settings settings;
    ColArrange colArrange;
    FilterSearch filterSearch;
    TraceLog& trace;
    // The values the cassette editor shares with its callers for the program run (Bearbeiten, the
    // chosen cassette and position, the cassette chosen last).
    CasChooserState casChooser;
    // The mode the film and cassette editors are opened in (1 edit, 3 view, 4 new film, 5 new
    // cassette, 6 and 7 position choice; 0 none): the chooser's own, one value under two names.
    int& Bearbeiten = casChooser.Bearbeiten;
    // The film editor's checks the user switched on or off for this run.
    FilmEditorSession filmEditorSession;
    // Replaces the cassette editor as the film editor's cassette and position chooser (tests).
    CassetteChooser* cassetteChooser = nullptr;

    // The message-box door. The reference stays valid for the context's lifetime and always
    // reaches the implementation installed at the time of the call, so widgets may keep it.
    UserDialogs& dialogs() { return door_; }
    // Installs another implementation (tests: ScriptedDialogs); nullptr restores the message boxes.
    void setDialogs(UserDialogs* dialogs);
    UserDialogs* currentDialogs() const { return door_.target; }
    QtDialogs& qtDialogs() { return qtDialogs_; }
    // The window the message boxes and the wait box are centred on.
    void setDialogParent(QWidget* parent);
    QWidget* dialogParent() const { return dialogParent_; }

    // Long work reports here: while a start screen is registered its bar moves, otherwise the
    // wait box appears. A factory set with setProgressFactory replaces both (tests).
    using ProgressFactory = std::function<std::unique_ptr<Progress>()>;
    std::unique_ptr<Progress> makeProgress();
    void setProgressFactory(ProgressFactory factory) { progressFactory_ = std::move(factory); }
    // The start screen's bar; forgotten by itself when the bar is destroyed.
    void setStartScreenGauge(QProgressBar* gauge);
    QProgressBar* startScreenGauge() const { return startGauge_; }

    // Web pages and mail: QDesktopServices unless a test records the addresses instead.
    std::function<bool(const QUrl&)> openUrl;
    // Opens a web page or a new mail; without a program for it the user is told the address,
    // in a box whose text can be copied.
    void openAddress(const QUrl& url);

private:
    class Door : public UserDialogs {
    public:
        UserDialogs* target = nullptr;
        void error(const std::string& text) override { target->error(text); }
        void warning(const std::string& text) override { target->warning(text); }
        void information(const std::string& text) override { target->information(text); }
        void notice(const std::string& text) override { target->notice(text); }
        Answer question(const std::string& text, Buttons buttons, BoxKind kind) override {
            return target->question(text, buttons, kind);
        }
        Answer threeWay(const ThreeWayQuestion& q) override { return target->threeWay(q); }
    };

    QtDialogs qtDialogs_;
    Door door_;
    QPointer<QWidget> dialogParent_;
    QPointer<QProgressBar> startGauge_;
    ProgressFactory progressFactory_;
};

} // namespace kt
