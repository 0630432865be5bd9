#include "mainwindow/main_window.h"

#include "app_context.h"
#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "mainwindow/film_string_grid.h"
#include "pictures/first_picture.h"
#include "text/cp1252.h"

#include <QApplication>
#include <QKeyEvent>

// What the film list does with the mouse and the keys: the current film, the double click, the
// type-ahead search in the first column.
namespace kt {

using namespace kt::literals;

namespace {

const char* const NoCurrentFilm = "Konnte akutellen Film nicht bestimmen!";

// Blank, "-", digits, letters and the German umlauts and sharp s (Windows-1252).
bool IsTypeAheadChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == ' ' || c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z') || u == 0xC4 || u == 0xD6 || u == 0xDC || u == 0xDF || u == 0xE4 ||
           u == 0xF6 || u == 0xFC;
}

} // namespace

void TKassotekMainWindow::FilmStringGridSelectCell(int oldRow) {
    // The film of the cell being left is checked first, as the grid has always done; one box
    // tells about either failure. With no films at all there is nothing to tell.
    Collection& c = ctx_.collection;
    bool ok = true;
    if (oldRow > 0) {
        c.ActFilm = static_cast<uint16_t>(FilmOfGridRow(oldRow));
        ok = c.ActFilm >= 1;
    }
    ok = GetCurrentFilm() && ok;
    if (!ok && c.AnzFilm() > 0)
        ctx_.dialogs().error(NoCurrentFilm);
    FilmStringGridClick();
}

void TKassotekMainWindow::FilmStringGridClick() {
    StatusBarRefresh();
    const Collection& c = ctx_.collection;
    if (ctx_.settings.ShowFirstPicAutomatically && c.ActFilm != 0 && c.ActFilm <= c.AnzFilm() &&
        c.Film(c.ActFilm).AnzPics() > 0) {
        if (!firstPicture_)
            firstPicture_ = new FirstPictureDisplay(ctx_, this);
        firstPicture_->show(c.ActFilm);
    }
}

void TKassotekMainWindow::FilmStringGridDblClick() {
    traceCommand("FilmStringGridDblClick", true);
    Collection& c = ctx_.collection;
    if (FilmStringGrid->currentRow() == 0) {
        traceCommand("FilmStringGridDblClick", false);
        return;
    }
    if (!GetCurrentFilm() || c.ActFilm == 0) {
        QApplication::beep();
        ctx_.dialogs().error(
            "Fehler bei der Bestimmung des gewählten Films!\r\nBitte, die Auswahl wiederholen!"_cp);
        traceCommand("FilmStringGridDblClick", false);
        return;
    }
    const int attr = filmList_->ColumnAttribute(FilmStringGrid->currentColumn());
    const int32_t storage = c.Film(c.ActFilm).StorageType;
    ctx_.trace.TraceLine("KtkMain: FilmStringGridDblClick ActFilm=" + std::to_string(c.ActFilm) +
                         " column=" + std::to_string(FilmStringGrid->currentColumn()) +
                         " attribute=" + std::to_string(attr) + " StorageType=" + std::to_string(storage));
    switch (attr) {
    case -1:
        break;
    case ColCasNr:
    case ColPos:
        if (storage == StVideo) {
            ctx_.Bearbeiten = attr == ColCasNr ? 1 : 6;
            CassetteBearbeitenClick();
        } else {
            FilmBearbeitenClick();
        }
        break;
    case ColRegion:
        if (storage == StDvd)
            FilmBearbeitenClick();
        else
            ctx_.dialogs().error("Dieses Medium ist keine DVD und\r\nkann KEINEN DVD-Regionalcode haben!");
        break;
    default:
        FilmBearbeitenClick();
        break;
    }
    traceCommand("FilmStringGridDblClick", false);
}

bool TKassotekMainWindow::FilmStringGridKeyPress(QKeyEvent* event) {
    // One press is one event here; the lock only keeps a press from being used twice.
    typeAheadLock_ = false;
    if (FilmStringGrid->currentRow() == 0)
        return false;
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (event->key()) {
    case Qt::Key_Escape:
        typeAheadText_.clear();
        StatusBarRefresh();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods)
            return false;
        FilmStringGridDblClick();
        return true;
    default:
        break;
    }
    if (mods || event->text().size() != 1)
        return false;
    return FilmStringGridText(event->text());
}

bool TKassotekMainWindow::FilmStringGridText(const QString& text) {
    if (FilmStringGrid->currentRow() == 0 || text.size() != 1)
        return false;
    const std::string c = ToCp(text);
    if (c.size() != 1 || !IsTypeAheadChar(c[0]))
        return false;
    TypeAheadStep(c[0]);
    return true;
}

void TKassotekMainWindow::TypeAheadStep(char c) {
    if (typeAheadLock_)
        return;
    typeAheadText_ += FromCp(UpperAZ(std::string(1, c)));
    StatusBarRefresh();
    const std::string wanted = ToCp(typeAheadText_);
    const std::size_t k = wanted.size();
    const FilmList& list = *filmList_;
    for (int r = 1; r < list.RowCount(); ++r) {
        const std::string_view cell = list.Cell(r, 0);
        if (cell.size() >= k && UpperAZ(cell.substr(0, k)) == wanted) {
            FilmStringGrid->setCurrentCell(r, FilmStringGrid->currentColumn());
            FilmStringGrid->viewport()->repaint();
            break;
        }
    }
    typeAheadLock_ = true;
}

} // namespace kt
