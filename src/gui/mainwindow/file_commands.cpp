#include "mainwindow/main_window.h"

namespace kt {

// The file commands work on the data files once the file layer is in place.
void TKassotekMainWindow::Neu1Click() {
    NotYetAvailable("Neu1Click");
}
void TKassotekMainWindow::Oeffnen1Click() {
    NotYetAvailable("Oeffnen1Click");
}
void TKassotekMainWindow::Speichern1Click() {
    NotYetAvailable("Speichern1Click");
}
void TKassotekMainWindow::Speichernunter1Click() {
    NotYetAvailable("Speichernunter1Click");
}

// The text import stays disabled; its handler exists for the menu item only.
void TKassotekMainWindow::ImportierenausTXTDatei1Click() {}

void TKassotekMainWindow::ImportierenausExcel1Click() {
    NotYetAvailable("ImportierenausExcel1Click");
}
void TKassotekMainWindow::ExportierennachExcel1Click() {
    NotYetAvailable("ExportierennachExcel1Click");
}

// Both text exports run here; the caller tells the whole list from the current column only.
void TKassotekMainWindow::inTextdateiMIClick(QAction*) {
    NotYetAvailable("inTextdateiMIClick");
}

void TKassotekMainWindow::Drucken1Click() {
    NotYetAvailable("Drucken1Click");
}
void TKassotekMainWindow::Druckereinrichtung1Click() {
    NotYetAvailable("Druckereinrichtung1Click");
}

// Closing runs the window's close question, which asks about unsaved data once it exists.
void TKassotekMainWindow::Beenden1Click() {
    traceCommand("Beenden1Click", true);
    close();
    traceCommand("Beenden1Click", false);
}

void TKassotekMainWindow::CloseSpeedButtonClick() {
    close();
}

} // namespace kt
