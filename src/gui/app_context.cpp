#include "app_context.h"

#include "dialogs/message_box.h"
#include "dialogs/wait_form.h"

#include <QDesktopServices>
#include <QProgressBar>

namespace kt {

AppContext::AppContext(TraceLog& trace)
    : trace(trace), openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      qtDialogs_(settings) {
    door_.target = &qtDialogs_;
}

AppContext::~AppContext() = default;

void AppContext::setDialogs(UserDialogs* dialogs) {
    door_.target = dialogs ? dialogs : &qtDialogs_;
}

void AppContext::setDialogParent(QWidget* parent) {
    dialogParent_ = parent;
    qtDialogs_.setParent(parent);
}

void AppContext::setStartScreenGauge(QProgressBar* gauge) {
    startGauge_ = gauge;
}

void AppContext::openAddress(const QUrl& url) {
    if (openUrl(url))
        return;
    const bool mail = url.scheme() == QLatin1String("mailto");
    const QString text =
        mail ? QStringLiteral("Es ist kein E-Mail-Programm eingerichtet, das eine Nachricht an\r\n%1\r\n"
                              "schreiben könnte.")
                   .arg(url.path())
             : QStringLiteral("Es ist kein Browser eingerichtet, der diese Seite öffnen könnte:\r\n%1")
                   .arg(url.toString());
    dialogs().warning(ToCp(text + QStringLiteral("\r\n\r\nSie können die Adresse hier markieren und kopieren "
                                                 "(Strg+C kopiert den ganzen Text).")));
}

std::unique_ptr<Progress> AppContext::makeProgress() {
    if (progressFactory_)
        return progressFactory_();
    if (startGauge_)
        return std::make_unique<BarProgress>(startGauge_);
    return std::make_unique<WaitProgress>(dialogParent_);
}

} // namespace kt
