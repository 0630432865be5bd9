#include "mainwindow/main_window.h"

#include <QAction>
#include <QToolButton>

namespace kt {

void TKassotekMainWindow::OptionenProgrammClick() {
    NotYetAvailable("OptionenProgrammClick");
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
