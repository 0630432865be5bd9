#include "mainwindow/main_window.h"

#include "app_context.h"
#include "notepad/memo_files.h"
#include "notepad/notepad_form.h"
#include "options/options_form.h"
#include "widgets/checked_combo_box.h"

#include <QAction>
#include <QToolButton>

namespace kt {

void TKassotekMainWindow::OptionenProgrammClick() {
    traceCommand("OptionenProgrammClick", true);
    TOptionenForm form(ctx_, this);
    form.exec();
    if (form.changed()) {
        Initialize_FilmStringGrid();
        Resort_FilmString_Headers_and_Pos();
        Initialize_FilmStringGrid();
        SetAusgabeData();
    } else {
        Initialize_FilmStringGrid_Headers();
    }
    AdjustToProgramOptions();
    traceCommand("OptionenProgrammClick", false);
}

void TKassotekMainWindow::AdjustToProgramOptions() {
    const bool restore = ctx_.settings.AllowCasRestore;
    RestaurierungSeparator->setVisible(restore);
    RestaurierungderCassettendaten->setVisible(restore);
    RestaurierungderCassettendaten->setEnabled(restore);
    CheckedComboBoxShowStorageType->setEnabled(!ctx_.settings.OverrideStorageTypeShow);
}

void TKassotekMainWindow::Notizblock1Click() {
    traceCommand("Notizblock1Click", true);
    if (!notepad_) {
        notepad_ = new TNotepadForm(ctx_, MemoFolder(), this);
        notepad_->setAttribute(Qt::WA_DeleteOnClose);
    }
    notepad_->showNormal();
    notepad_->raise();
    notepad_->activateWindow();
    traceCommand("Notizblock1Click", false);
}

} // namespace kt
