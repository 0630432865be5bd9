#include "mainwindow/main_window.h"

#include "app_context.h"
#include "cassettes/cassette_book.h"
#include "filmlist/film_list.h"
#include "mainwindow/film_string_grid.h"
#include "text/cp1252.h"

namespace kt {

using namespace kt::literals;

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

// The deletion asks first, gives the film's minutes back to its cassette and leaves the cursor on
// the row above the deleted film.
void TKassotekMainWindow::FilmLoeschenClick() {
    Collection& c = ctx_.collection;
    if (c.AnzFilm() == 0)
        return;
    traceCommand("FilmLoeschenClick", true);
    const int row = FilmStringGrid->currentRow();
    // The film the current row shows, not the one a rebuild may have left in ActFilm.
    if (!GetCurrentFilm()) {
        if (row == 0 || row > filmList_->FilledRows())
            ctx_.dialogs().error(
                "Zum Neuanlegen eines Filmeintrags den Menüeintrag \"Film | Neu\" wählen."_cp);
        else
            ctx_.dialogs().error("Fehler bei der Zuordnung der Datensätze!"_cp);
        traceCommand("FilmLoeschenClick", false);
        return;
    }
    if (!DeleteAllowed(c.Film(c.ActFilm).FilmName.Strng) ||
        !DeleteFilmWithBooking(c, c.ActFilm, ctx_.dialogs())) {
        traceCommand("FilmLoeschenClick", false);
        return;
    }
    c.ActFilm = 0;
    SetAusgabeData();
    restoringCurrent_ = true;
    FilmStringGrid->setCurrentCell(row >= 2 ? row - 1 : 1, FilmStringGrid->currentColumn());
    restoringCurrent_ = false;
    // An empty list has no current film to miss.
    if (!GetCurrentFilm() && filmList_->FilledRows() > 0)
        ctx_.dialogs().error(NoCurrentFilm);
    FilmStringGridClick();
    UpdateSaveControls();
    update();
    traceCommand("FilmLoeschenClick", false);
}

bool TKassotekMainWindow::DeleteAllowed(const std::string& title) {
    return ctx_.dialogs().question("Der Film \"" + title +
                                       "\" soll aus der Datenbank gelöscht werden.\r\n"_cp +
                                       "Den Film jetzt löschen?"_cp,
                                   Buttons::YesNoCancel) == Answer::Yes;
}

} // namespace kt
