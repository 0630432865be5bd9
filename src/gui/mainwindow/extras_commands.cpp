#include "mainwindow/main_window.h"

#include "app_context.h"
#include "widgets/checked_combo_box.h"

#include <QAction>
#include <QToolButton>

namespace kt {

void TKassotekMainWindow::OptionenProgrammClick() {
    NotYetAvailable("OptionenProgrammClick");
    AdjustToProgramOptions();
}

void TKassotekMainWindow::AdjustToProgramOptions() {
    const bool restore = ctx_.settings.AllowCasRestore;
    RestaurierungSeparator->setVisible(restore);
    RestaurierungderCassettendaten->setVisible(restore);
    RestaurierungderCassettendaten->setEnabled(restore);
    CheckedComboBoxShowStorageType->setEnabled(!ctx_.settings.OverrideStorageTypeShow);
}

void TKassotekMainWindow::Filtern_Suchen_und_SortierenClick() {
    NotYetAvailable("Filtern_Suchen_und_SortierenClick");
    // Pressed and checked exactly while a filter or a search is active; none can be yet.
    const bool active = false;
    FilterSuchSpeedButton->setChecked(active);
    Filtern_Suchen_und_Sortieren->setChecked(active);
}

void TKassotekMainWindow::ErsetzenMIClick() {
    NotYetAvailable("ErsetzenMIClick");
}
void TKassotekMainWindow::Notizblock1Click() {
    NotYetAvailable("Notizblock1Click");
}

} // namespace kt
