#include "mainwindow/main_window.h"

namespace kt {

// The film commands open the film editor once it exists.
void TKassotekMainWindow::FilmNeueingebenClick() {
    NotYetAvailable("FilmNeueingebenClick");
}
void TKassotekMainWindow::FilmBearbeitenClick() {
    NotYetAvailable("FilmBearbeitenClick");
}
void TKassotekMainWindow::FilmAnsehenClick() {
    NotYetAvailable("FilmAnsehenClick");
}
void TKassotekMainWindow::FilmLoeschenClick() {
    NotYetAvailable("FilmLoeschenClick");
}

} // namespace kt
