#include "mainwindow/main_window.h"

#include "app_context.h"
#include "catalogue/col_arrange.h"
#include "filmlist/film_list.h"
#include "mainwindow/busy_cursor.h"
#include "mainwindow/film_list_model.h"
#include "mainwindow/film_string_grid.h"
#include "text/cp1252.h"

#include <QHeaderView>
#include <QTimer>

#include <algorithm>
#include <numeric>

// The film list of the main window: building it from the core's list, keeping the cursor cell
// and the column widths across rebuilds, and turning the current row into the current film.
namespace kt {

using namespace kt::literals;

void TKassotekMainWindow::connectGrid() {
    TFilmStringGrid* grid = FilmStringGrid;
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        savedRow_ = FilmStringGrid->currentRow();
        savedColumn_ = FilmStringGrid->currentColumn();
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnWidths();
        // The grid always has a cursor cell in a film row, as before the rebuild where possible.
        restoringCurrent_ = true;
        FilmStringGrid->setCurrentCell(std::max(1, savedRow_), savedColumn_);
        restoringCurrent_ = false;
        StatusBarRefresh();
    });
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex& previous) {
                if (restoringCurrent_)
                    return;
                FilmStringGridSelectCell(previous.isValid() ? previous.row() + 1 : 0);
            });
    connect(grid, &TFilmStringGrid::dblClicked, this, &TKassotekMainWindow::FilmStringGridDblClick);
    grid->keyHandler = [this](QKeyEvent* event) { return FilmStringGridKeyPress(event); };
    grid->textHandler = [this](const QString& text) { return FilmStringGridText(text); };
    QHeaderView* header = grid->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, [this] {
        if (!applyingWidths_)
            FilmStringGridMouseUp();
    });
    // The header has moved a section on screen; the list moves the column itself, so the header
    // goes back to showing the list's order, once the header is done with the mouse.
    connect(header, &QHeaderView::sectionMoved, this, [this] {
        QTimer::singleShot(0, this, [this] {
            QHeaderView* h = FilmStringGrid->horizontalHeader();
            const int n = h->count();
            std::vector<int> target(static_cast<std::size_t>(n));
            for (int v = 0; v < n; ++v)
                target[static_cast<std::size_t>(v)] = h->logicalIndex(v);
            if (std::is_sorted(target.begin(), target.end()))
                return;
            h->blockSignals(true);
            for (int v = 0; v < n; ++v)
                h->moveSection(h->visualIndex(v), v);
            h->blockSignals(false);
            std::vector<int> order(static_cast<std::size_t>(n));
            std::iota(order.begin(), order.end(), 0);
            for (int v = 0; v < n; ++v) {
                const auto at = std::find(order.begin(), order.end(), target[static_cast<std::size_t>(v)]);
                const int from = static_cast<int>(at - order.begin());
                if (from == v)
                    continue;
                const int moved = *at;
                order.erase(at);
                order.insert(order.begin() + v, moved);
                FilmStringGridColumnMoved(from, v);
            }
        });
    });
}

void TKassotekMainWindow::applyColumnWidths() {
    applyingWidths_ = true;
    const FilmList& list = *filmList_;
    for (int col = 0; col < list.ColCount(); ++col) {
        const int attr = list.ColumnAttribute(col);
        int width = attr >= 0 ? ctx_.colArrange[attr].Width : list.ColumnWidth(col);
        if (width < 2)
            width = 50;
        FilmStringGrid->setColumnWidth(col, width);
    }
    applyingWidths_ = false;
}

void TKassotekMainWindow::Initialize_FilmStringGrid() {
    filmList_->Initialize_FilmStringGrid();
}

void TKassotekMainWindow::Initialize_FilmStringGrid_Headers() {
    filmList_->Initialize_FilmStringGrid_Headers();
}

bool TKassotekMainWindow::SetAusgabeData() {
    BusyCursor busy(ctx_.dialogs());
    return filmList_->SetAusgabeData(busy);
}

bool TKassotekMainWindow::SetAusgabeData_OneFilm() {
    return filmList_->SetAusgabeData_OneFilm(ctx_.dialogs());
}

int TKassotekMainWindow::FilmOfGridRow(int row) {
    Collection& c = ctx_.collection;
    if (c.AnzFilm() == 0 || row == 0)
        return 0;
    row = std::min(row, filmList_->RowCount() - 1);
    if (columnMovePending_)
        Resort_FilmString_Headers_and_Pos();
    return filmList_->FilmOfRow(row);
}

bool TKassotekMainWindow::GetCurrentFilm() {
    FilmStringGrid->viewport()->update();
    Collection& c = ctx_.collection;
    if (c.AnzFilm() == 0 || FilmStringGrid->currentRow() == 0)
        return false;
    c.ActFilm = static_cast<uint16_t>(FilmOfGridRow(FilmStringGrid->currentRow()));
    return c.ActFilm >= 1 && c.ActFilm <= c.AnzFilm();
}

void TKassotekMainWindow::Resort_FilmString_Headers_and_Pos() {
    kt::Resort_FilmString_Headers_and_Pos(ctx_.colArrange, *filmList_);
    columnMovePending_ = false;
}

void TKassotekMainWindow::FilmStringGridColumnMoved(int fromColumn, int toColumn) {
    filmList_->MoveColumn(fromColumn, toColumn);
    columnMovePending_ = true;
    Resort_FilmString_Headers_and_Pos();
}

void TKassotekMainWindow::FilmStringGridMouseUp() {
    const FilmList& list = *filmList_;
    for (int col = 0; col < list.ColCount(); ++col) {
        const std::string_view header = list.Cell(0, col);
        for (int n = 0; n < ColCount; ++n)
            if (ctx_.colArrange[n].Header == header)
                ctx_.colArrange[n].Width = FilmStringGrid->columnWidth(col);
    }
}

} // namespace kt
