#include "mainwindow/main_window.h"

namespace kt {

// The cassette commands open the cassette editor and the check window once they exist.
void TKassotekMainWindow::CassetteNeuanlegenClick() {
    NotYetAvailable("CassetteNeuanlegenClick");
}
void TKassotekMainWindow::CassetteBearbeitenClick() {
    NotYetAvailable("CassetteBearbeitenClick");
}
void TKassotekMainWindow::UeberpruefenClick() {
    NotYetAvailable("UeberpruefenClick");
}
void TKassotekMainWindow::RestaurierungderCassettendatenClick() {
    NotYetAvailable("RestaurierungderCassettendatenClick");
}

} // namespace kt
