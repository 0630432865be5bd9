#include "mainwindow/main_window.h"

#include "app_context.h"

namespace kt {

namespace {

const char* const NoCurrentFilm = "Konnte akutellen Film nicht bestimmen!";

} // namespace

// The film commands open the film editor once it exists.
void TKassotekMainWindow::FilmNeueingebenClick() {
    NotYetAvailable("FilmNeueingebenClick");
}

// Without a current film there is nothing to edit or view: the box says so and nothing opens.
void TKassotekMainWindow::FilmBearbeitenClick() {
    if (!GetCurrentFilm()) {
        ctx_.dialogs().error(NoCurrentFilm);
        return;
    }
    ctx_.Bearbeiten = 1;
    NotYetAvailable("FilmBearbeitenClick");
}

void TKassotekMainWindow::FilmAnsehenClick() {
    if (!GetCurrentFilm()) {
        ctx_.dialogs().error(NoCurrentFilm);
        return;
    }
    ctx_.Bearbeiten = 3;
    NotYetAvailable("FilmAnsehenClick");
}

void TKassotekMainWindow::FilmLoeschenClick() {
    NotYetAvailable("FilmLoeschenClick");
}

} // namespace kt
