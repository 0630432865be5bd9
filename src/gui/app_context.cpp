#include "app_context.h"

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

std::unique_ptr<Progress> AppContext::makeProgress() {
    if (progressFactory_)
        return progressFactory_();
    if (startGauge_)
        return std::make_unique<BarProgress>(startGauge_);
    return std::make_unique<WaitProgress>(dialogParent_);
}

} // namespace kt
