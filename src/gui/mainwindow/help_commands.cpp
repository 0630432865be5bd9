#include "mainwindow/main_window.h"

#include "app_context.h"
#include "dialogs/about_form.h"
#include "help/help_window.h"

#include <QApplication>

namespace kt {

void TKassotekMainWindow::HilfeF1Click() {
    HelpWindow::Show(HelpContextOf(QApplication::focusWidget()), this);
}

void TKassotekMainWindow::Inhaltsuebersicht1Click() {
    HelpWindow::Show(HelpContents, this);
}
void TKassotekMainWindow::Schnelleinstieg1Click() {
    HelpWindow::Show(HelpQuickStart, this);
}

void TKassotekMainWindow::Homepage1Click() {
    traceCommand("Homepage1Click", true);
    ctx_.openAddress(QUrl(QLatin1String(MakerWebPage)));
    traceCommand("Homepage1Click", false);
}

void TKassotekMainWindow::OptionenInfoClick() {
    traceCommand("OptionenInfoClick", true);
    TUeberForm about(ctx_, TUeberForm::Mode::Information, this);
    about.showInformation();
    traceCommand("OptionenInfoClick", false);
}

} // namespace kt
