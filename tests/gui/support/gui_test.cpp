#include "gui_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

namespace kt::test {

void InstallQtFailHook() {
    ScriptedDialogs::failHook = [](const std::string& msg) { QTest::qFail(msg.c_str(), __FILE__, __LINE__); };
}

ScopedDialogs::ScopedDialogs(AppContext& ctx, bool showAllMsg)
    : dialogs(showAllMsg), ctx_(ctx), previous_(ctx.currentDialogs()) {
    ctx_.setDialogs(&dialogs);
}

ScopedDialogs::~ScopedDialogs() {
    ctx_.setDialogs(previous_);
    dialogs.verify();
}

TestContext::TestContext(bool showAllMsg) : ctx(trace), dialogs(showAllMsg) {
    ctx.settings.ShowAllMsg = showAllMsg;
    ctx.setDialogs(&dialogs);
    ctx.setProgressFactory([] { return std::make_unique<NoProgress>(); });
    ctx.openUrl = [this](const QUrl& url) {
        openedUrls.push_back(url);
        return true;
    };
}

TestContext::~TestContext() {
    ctx.setDialogs(nullptr);
    dialogs.verify();
}

void WhenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> action, int timeoutMs,
               const char* what) {
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        if (QWidget* w = find(); w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            QPointer<QWidget> guard(w);
            action(w);
            // A failed check inside the action must not leave the test waiting in exec() for ever.
            if (QTest::currentTestFailed() && guard && guard->isVisible()) {
                if (auto* dialog = qobject_cast<QDialog*>(guard.data()))
                    dialog->reject();
                else
                    guard->close();
            }
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            QTest::qFail(what, __FILE__, __LINE__);
        }
    });
    timer->start(5);
}

void WhenModal(std::function<void(QWidget*)> action, int timeoutMs) {
    WhenShown([] { return QApplication::activeModalWidget(); }, std::move(action), timeoutMs,
              "no modal dialog appeared");
}

void WhenPopup(std::function<void(QWidget*)> action, int timeoutMs) {
    WhenShown([] { return QApplication::activePopupWidget(); }, std::move(action), timeoutMs,
              "no popup appeared");
}

QAbstractButton* FindButton(QWidget* dialog, const QString& caption) {
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
        QString text = b->text();
        text.remove(QLatin1Char('&'));
        if (text == caption && b->isVisible())
            return b;
    }
    return nullptr;
}

void ClickButton(QWidget* dialog, const QString& caption) {
    if (QAbstractButton* b = FindButton(dialog, caption)) {
        QTest::mouseClick(b, Qt::LeftButton);
        return;
    }
    QTest::qFail(qPrintable(QStringLiteral("no button \"%1\" in the dialog").arg(caption)), __FILE__,
                 __LINE__);
}

} // namespace kt::test
