#include "mainwindow/main_window.h"

#include "app_context.h"
#include "cassettes/cassette_book.h"
#include "catalogue/value_texts.h"
#include "filmeditor/film_editor_open.h"
#include "filmlist/film_list.h"
#include "filmlist/storage_media.h"
#include "mainwindow/film_string_grid.h"
#include "text/cp1252.h"

namespace kt {

using namespace kt::literals;

namespace {

const char* const NoCurrentFilm = "Konnte akutellen Film nicht bestimmen!";

// Whether the film's entry of sort order `order` differs between the two records.
bool SortEntryChanged(int order, const TFilmV26& a, const TFilmV26& b) {
    switch (order) {
    case 0:
        return a.FilmName.Strng != b.FilmName.Strng;
    case 1:
        return a.FilmLength != b.FilmLength;
    case 2:
        return a.CasNr != b.CasNr;
    case 3:
        return a.Category.Strng != b.Category.Strng;
    case 4:
        return a.Country.Strng != b.Country.Strng;
    case 5:
        return a.ProdYear != b.ProdYear;
    default:
        return false;
    }
}

} // namespace

// The row of the current film becomes the grid's current row again after a rebuild.
void TKassotekMainWindow::ShowCurrentFilmRow() {
    const int row = filmList_->RowOfFilm(ctx_.collection.ActFilm);
    if (row > 0)
        FilmStringGrid->setCurrentCell(row, FilmStringGrid->currentColumn());
}

void TKassotekMainWindow::FilmNeueingebenClick() {
    traceCommand("FilmNeueingebenClick", true);
    ctx_.Bearbeiten = 4;
    const FilmEditorOutcome out = NewFilmDialog(ctx_, this);
    ctx_.Bearbeiten = 0;
    if (out.RedrawNecessary) {
        SetAusgabeData();
        ShowCurrentFilmRow();
    }
    if (out.NewSpeicherMedium)
        AdjustSpeichermediumDependentElements_To_StorageTypeShow();
    StatusBarRefresh();
    update();
    traceCommand("FilmNeueingebenClick", false);
}

// Without a current film there is nothing to edit or view: the box says so and nothing opens.
void TKassotekMainWindow::FilmBearbeitenClick() {
    if (!GetCurrentFilm()) {
        ctx_.dialogs().error(NoCurrentFilm);
        return;
    }
    traceCommand("FilmBearbeitenClick", true);
    Collection& c = ctx_.collection;
    ctx_.Bearbeiten = 1;
    const TFilmV26 before = c.Film(c.ActFilm);
    const FilmEditorOutcome out =
        EditFilmDialog(ctx_, filmList_->ColumnAttribute(FilmStringGrid->currentColumn()), this);
    ctx_.Bearbeiten = 0;
    if (!out.shown) {
        traceCommand("FilmBearbeitenClick", false);
        return;
    }
    if (out.NewSpeicherMedium)
        AdjustSpeichermediumDependentElements_To_StorageTypeShow();
    const TFilmV26& film = c.Film(c.ActFilm);
    const bool listed = StorageTypeListed(ctx_.settings, ctx_.filterSearch, film.StorageType);
    if (!listed || SortEntryChanged(ctx_.settings.FilmSort, before, film)) {
        SetAusgabeData();
        ShowCurrentFilmRow();
    } else {
        SetAusgabeData_OneFilm();
    }
    if (!StorageTypeContained(film.StorageType, ctx_.settings.StorageTypeShow))
        ctx_.dialogs().information("HINWEIS:\r\n\r\nDas Speichermedium von \"" + film.FilmName.Strng +
                                   "\" (" + StorageTypeText(c.StorageMediaList, film.StorageType) +
                                   ") ist NICHT zur Anzeige aktiviert!\r\nDas bedeutet, dass der Film z.Zt. "
                                   "NICHT hier in der Haupt-Liste angezeigt wird.");
    StatusBarRefresh();
    update();
    traceCommand("FilmBearbeitenClick", false);
}

void TKassotekMainWindow::FilmAnsehenClick() {
    if (!GetCurrentFilm()) {
        ctx_.dialogs().error(NoCurrentFilm);
        return;
    }
    traceCommand("FilmAnsehenClick", true);
    ctx_.Bearbeiten = 3;
    ViewFilmDialog(ctx_, TFilmEigenschaftenDlg::ViewLock::FilmList, this);
    ctx_.Bearbeiten = 0;
    traceCommand("FilmAnsehenClick", false);
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
