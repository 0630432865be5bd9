#pragma once

#include "app_context.h"
#include "scripted_dialogs.h"
#include "trace/trace_log.h"

#include <QApplication>
#include <QString>
#include <QUrl>

#include <functional>
#include <vector>

class QAbstractButton;
class QWidget;

namespace kt::test {

// Routes failures of the scripted dialogs into the running Qt test.
void InstallQtFailHook();

// Installs `dialogs` as the context's message-box door for the scope; afterwards the previous
// door is back and every expectation must have been met.
class ScopedDialogs {
public:
    explicit ScopedDialogs(AppContext& ctx, bool showAllMsg = true);
    ~ScopedDialogs();
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

    ScriptedDialogs& operator*() { return dialogs; }
    ScriptedDialogs* operator->() { return &dialogs; }

    ScriptedDialogs dialogs;

private:
    AppContext& ctx_;
    UserDialogs* previous_;
};

// A fresh program state for a window test: its own trace ring, scripted dialogs, long work
// without the wait box, and web and mail addresses recorded instead of opened.
class TestContext {
public:
    explicit TestContext(bool showAllMsg = true);
    ~TestContext();

    TraceLog trace;
    AppContext ctx;
    ScriptedDialogs dialogs;
    std::vector<QUrl> openedUrls;
};

// Runs `action` with the modal dialog as soon as one shows. Call it before the code that opens
// the dialog: it polls from the event loop, so it also acts inside exec(). The test fails when
// no modal dialog appears within `timeoutMs`.
void WhenModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);
// The same for a popup (context menu, drop-down window).
void WhenPopup(std::function<void(QWidget*)> action, int timeoutMs = 5000);
// Polls until `find` gives a visible widget, then runs `action` on it (from the event loop, so it
// acts inside exec()); fails the test with `what` after `timeoutMs`.
void WhenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> action, int timeoutMs,
               const char* what);
// As WhenModal, for the first active modal dialog of type T (a chooser on top of another modal one).
template <class T> void WhenModalOf(std::function<void(T*)> action, int timeoutMs = 5000) {
    WhenShown([] { return static_cast<QWidget*>(qobject_cast<T*>(QApplication::activeModalWidget())); },
              [action](QWidget* w) { action(static_cast<T*>(w)); }, timeoutMs,
              "the expected dialog did not appear");
}

// The button of `dialog` whose caption without "&" is `caption`; nullptr when there is none.
QAbstractButton* FindButton(QWidget* dialog, const QString& caption);
// Clicks it with the mouse; fails the test when there is none.
void ClickButton(QWidget* dialog, const QString& caption);

} // namespace kt::test
