#include "filmlist/film_list.h"

#include "catalogue/col_arrange.h"
#include "catalogue/value_texts.h"
#include "filmlist/film_sort.h"
#include "filmlist/storage_media.h"
#include "filter/filter_search.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "settings/settings.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <algorithm>
#include <new>
#include <numeric>
#include <stdexcept>

namespace kt {

namespace {

constexpr int DefaultColWidth = 240;
constexpr int MinColWidth = 2;
constexpr int NarrowColWidth = 50;

} // namespace

FilmList::FilmList(Collection& c, const Settings& s, ColArrange& ca, const FilterSearch& fs)
    : c_(c), s_(s), ca_(ca), fs_(fs) {
    Initialize_FilmStringGrid();
}

std::string_view FilmList::Cell(int row, int col) const {
    if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_)
        return {};
    const std::size_t base = static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_);
    const uint32_t begin = col == 0 ? 0 : cellEnd_[base + static_cast<std::size_t>(col) - 1];
    const uint32_t end = cellEnd_[base + static_cast<std::size_t>(col)];
    return std::string_view(rowText_[static_cast<std::size_t>(row)]).substr(begin, end - begin);
}

int FilmList::ColumnWidth(int col) const {
    return col >= 0 && col < colCount_ ? colWidth_[static_cast<std::size_t>(col)] : 0;
}

int FilmList::ColumnAttribute(int col) const {
    return col >= 0 && col < colCount_ ? colAttr_[static_cast<std::size_t>(col)] : -1;
}

void FilmList::resizeRows(int rows) {
    rowText_.resize(static_cast<std::size_t>(rows));
    cellEnd_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(colCount_));
}

void FilmList::clearRow(int row) {
    rowText_[static_cast<std::size_t>(row)].clear();
    const auto base = cellEnd_.begin() + static_cast<std::ptrdiff_t>(row) * colCount_;
    std::fill(base, base + colCount_, 0u);
}

void FilmList::writeRow(int row, const std::vector<std::string>& cells) {
    std::string& text = rowText_[static_cast<std::size_t>(row)];
    text.clear();
    const std::size_t base = static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_);
    for (int col = 0; col < colCount_; ++col) {
        text += cells[static_cast<std::size_t>(col)];
        cellEnd_[base + static_cast<std::size_t>(col)] = static_cast<uint32_t>(text.size());
    }
}

// Column of every shown attribute, as the cells are written: attribute by attribute, so a later
// one placed in the same column replaces an earlier one; columns outside the grid take nothing.
void FilmList::mapColumns() {
    colAttr_.assign(static_cast<std::size_t>(colCount_), -1);
    for (int n = 0; n < kt::ColCount; ++n) {
        if (!ca_[n].Show)
            continue;
        const int col = ColumnOfEntry(ca_, n);
        if (col >= 0 && col < colCount_)
            colAttr_[static_cast<std::size_t>(col)] = n;
    }
    unmappedColumns_ = std::find(colAttr_.begin(), colAttr_.end(), -1) != colAttr_.end();
}

void FilmList::Initialize_FilmStringGrid() {
    TraceLine("KtkMain: Initialize_FilmStringGrid [ENTRY]");
    if (listener_)
        listener_->aboutToReset();
    colCount_ = CountShownColumns(ca_);
    rowText_.clear();
    cellEnd_.clear();
    resizeRows(2);
    colWidth_.assign(static_cast<std::size_t>(colCount_), DefaultColWidth);
    for (int n = 0; n < kt::ColCount; ++n) {
        TColArEntry& e = ca_[n];
        if (!e.Show)
            continue;
        if (e.Pos == -1)
            e.Pos = CountPlacedColumns(ca_) + 1; // behind every placed column
        const int col = ColumnOfEntry(ca_, n);
        if (e.Pos >= 0 && col < colCount_)
            colWidth_[static_cast<std::size_t>(col)] = e.Width;
    }
    listedCount_ = 0;
    filledRows_ = 0;
    mapColumns();
    std::vector<std::string> headers(static_cast<std::size_t>(colCount_));
    for (int col = 0; col < colCount_; ++col)
        if (colAttr_[static_cast<std::size_t>(col)] >= 0)
            headers[static_cast<std::size_t>(col)] = ca_[colAttr_[static_cast<std::size_t>(col)]].Header;
    writeRow(0, headers);
    for (int& w : colWidth_)
        if (w < MinColWidth)
            w = NarrowColWidth;
    if (listener_)
        listener_->reset();
    TraceLine("KtkMain: Initialize_FilmStringGrid [EXIT] cols=" + std::to_string(colCount_));
}

void FilmList::Initialize_FilmStringGrid_Headers() {
    mapColumns();
    std::vector<std::string> headers(static_cast<std::size_t>(colCount_));
    for (int col = 0; col < colCount_; ++col) {
        headers[static_cast<std::size_t>(col)] = std::string(Cell(0, col));
        if (colAttr_[static_cast<std::size_t>(col)] >= 0)
            headers[static_cast<std::size_t>(col)] = ca_[colAttr_[static_cast<std::size_t>(col)]].Header;
    }
    writeRow(0, headers);
    if (listener_)
        listener_->rowChanged(0);
}

bool FilmList::SetAusgabeData_OneFilm_Abstract(int filmIndex, int row) {
    if (row < 1 || row >= RowCount())
        throw std::out_of_range("FilmList row " + std::to_string(row));
    if (!composeRow(filmIndex, row))
        return false;
    if (listener_)
        listener_->rowChanged(row);
    return true;
}

bool FilmList::composeRow(int filmIndex, int row) {
    const TFilmV26& f = c_.Film(filmIndex);
    if (!StorageTypeListed(s_, fs_, f.StorageType))
        return false;
    const std::size_t base = static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_);
    std::string& text = rowText_[static_cast<std::size_t>(row)];
    // A column that no attribute fills keeps its text.
    std::string oldText;
    std::vector<uint32_t> oldEnd;
    if (unmappedColumns_) {
        oldText = text;
        oldEnd.assign(cellEnd_.begin() + static_cast<std::ptrdiff_t>(base),
                      cellEnd_.begin() + static_cast<std::ptrdiff_t>(base) + colCount_);
    }
    text.clear();
    for (int col = 0; col < colCount_; ++col) {
        const int attr = colAttr_[static_cast<std::size_t>(col)];
        if (attr >= 0) {
            text += CellText(c_, f, attr);
        } else {
            const uint32_t b = col == 0 ? 0 : oldEnd[static_cast<std::size_t>(col) - 1];
            text.append(oldText, b, oldEnd[static_cast<std::size_t>(col)] - b);
        }
        cellEnd_[base + static_cast<std::size_t>(col)] = static_cast<uint32_t>(text.size());
    }
    return true;
}

bool FilmList::SetAusgabeData(UserDialogs& ui) {
    TraceLine("KtkMain: SetAusgabeData [ENTRY] AnzFilm=" + std::to_string(c_.AnzFilm()) +
              " FilmSort=" + std::to_string(s_.FilmSort));
    std::vector<int> listed;
    ListOrder order;
    try {
        listed.reserve(static_cast<std::size_t>(c_.AnzFilm()));
        const FilterSearchTest test(fs_, c_.CategoryList);
        for (int i = 1; i <= c_.AnzFilm(); ++i) {
            const TFilmV26& f = c_.Film(i);
            if (StorageTypeListed(s_, fs_, f.StorageType) && test.Passes(f))
                listed.push_back(i);
        }
        order = OrderListedFilms(c_, listed, s_);
    } catch (const std::bad_alloc&) {
        // Nothing has been touched yet: the list keeps its rows.
        ui.error(ErrorText(4, {}));
        TraceLine("KtkMain: SetAusgabeData [EXIT] out of memory");
        return false;
    }

    if (listener_)
        listener_->aboutToReset();
    listedCount_ = static_cast<int>(listed.size());
    filledRows_ = 0;
    resizeRows(listedCount_ == 0 ? 2 : listedCount_ + 1);
    for (int r = 1; r < RowCount(); ++r)
        clearRow(r);
    Reset_SortedFilm(c_);
    if (ResortPendingColumns)
        ResortPendingColumns();
    mapColumns();

    bool ok = true;
    if (listedCount_ > 0 && !order.mainSortFailed) {
        for (int r = 1; r <= listedCount_; ++r) {
            const int slot = order.slots[static_cast<std::size_t>(r) - 1];
            composeRow(slot, r);
            c_.SortedFilm.at(static_cast<std::size_t>(r) - 1) = static_cast<uint16_t>(c_.Film(slot).FilmNr);
        }
        filledRows_ = listedCount_;
    }
    if (listener_)
        listener_->reset();

    if (listedCount_ == 0) {
        if (fs_.FilterIsActive() || fs_.SearchIsActive())
            ui.error(ErrorText(11, {}));
    } else if (order.mainSortFailed) {
        ui.error(ErrorText(8, "Filme"));
        ok = false;
    } else if (order.subSortFailed) {
        ui.error(ErrorText(26, {}));
    }
    TraceLine("KtkMain: SetAusgabeData [EXIT] listed=" + std::to_string(listedCount_));
    return ok;
}

int FilmList::FilmOfRow(int row) const {
    if (row < 1 || row > filledRows_ || row > static_cast<int>(c_.SortedFilm.size()))
        return 0;
    const int nr = c_.SortedFilm[static_cast<std::size_t>(row) - 1];
    const auto& films = c_.films();
    for (std::size_t i = 0; i < films.size(); ++i)
        if (films[i].FilmNr == nr)
            return static_cast<int>(i) + 1;
    return 0;
}

int FilmList::RowOfFilm(int slot) const {
    if (slot < 1 || slot > c_.AnzFilm())
        return 0;
    const int32_t nr = c_.Film(slot).FilmNr;
    // A row shows the first film with its number; a later film of the same number has no row.
    for (int i = 1; i < slot; ++i)
        if (c_.Film(i).FilmNr == nr)
            return 0;
    const int last = std::min({filledRows_, c_.AnzFilm(), static_cast<int>(c_.SortedFilm.size())});
    for (int r = 1; r <= last; ++r)
        if (c_.SortedFilm[static_cast<std::size_t>(r) - 1] == nr)
            return r;
    return 0;
}

bool FilmList::SetAusgabeData_OneFilm(UserDialogs& ui) {
    TraceLine("KtkMain: SetAusgabeData_OneFilm [ENTRY] ActFilm=" + std::to_string(c_.ActFilm));
    const int row = RowOfFilm(c_.ActFilm);
    if (row == 0) {
        ui.error(ErrorText(12, {}));
        TraceLine("KtkMain: SetAusgabeData_OneFilm [EXIT] no row");
        return false;
    }
    if (ResortPendingColumns)
        ResortPendingColumns();
    mapColumns();
    clearRow(row);
    composeRow(c_.ActFilm, row);
    if (listener_)
        listener_->rowChanged(row);
    TraceLine("KtkMain: SetAusgabeData_OneFilm [EXIT] row=" + std::to_string(row));
    return true;
}

void FilmList::MoveColumn(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= colCount_ || to >= colCount_)
        return;
    TraceLine("KtkMain: FilmStringGridColumnMoved " + std::to_string(from) + " -> " + std::to_string(to));
    if (listener_)
        listener_->aboutToReset();
    // order[c]: the old column that becomes column c.
    std::vector<int> order(static_cast<std::size_t>(colCount_));
    std::iota(order.begin(), order.end(), 0);
    const auto f = order.begin() + from;
    const auto t = order.begin() + to;
    if (from < to)
        std::rotate(f, f + 1, t + 1);
    else
        std::rotate(t, f, f + 1);
    auto permute = [&order](std::vector<int>& v) {
        const std::vector<int> old = v;
        for (std::size_t c = 0; c < order.size(); ++c)
            v[c] = old[static_cast<std::size_t>(order[c])];
    };
    permute(colAttr_);
    permute(colWidth_);
    std::string text;
    std::vector<uint32_t> ends(static_cast<std::size_t>(colCount_));
    for (int r = 0; r < RowCount(); ++r) {
        text.clear();
        for (int c = 0; c < colCount_; ++c) {
            text += Cell(r, order[static_cast<std::size_t>(c)]);
            ends[static_cast<std::size_t>(c)] = static_cast<uint32_t>(text.size());
        }
        rowText_[static_cast<std::size_t>(r)].swap(text);
        std::copy(ends.begin(), ends.end(),
                  cellEnd_.begin() + static_cast<std::ptrdiff_t>(r) * static_cast<std::ptrdiff_t>(colCount_));
    }
    if (listener_)
        listener_->reset();
}

bool ColArrange_Show(const ColArrange& ca, int n) {
    return ca[n].Show;
}

void Resort_FilmString_Headers_and_Pos(ColArrange& ca, const FilmList& list) {
    TraceLine("KtkMain: Resort_FilmString_Headers_and_Pos [ENTRY]");
    for (int n = 0; n < kt::ColCount; ++n) {
        TColArEntry& e = ca[n];
        if (!e.Show)
            continue;
        if (e.Pos == -1) {
            e.Pos = CountPlacedColumns(ca) + 1;
            continue;
        }
        e.Pos = -1;
        for (int col = 0; col < list.ColCount(); ++col)
            if (list.Cell(0, col) == e.Header) {
                e.Pos = col;
                break;
            }
    }
    Check_ColArrangePos(ca);
    TraceLine("KtkMain: Resort_FilmString_Headers_and_Pos [EXIT]");
}

std::vector<std::string> StatusPanelTexts(const Collection& c, int listedRows, const std::string& typeAhead) {
    return {
        "Kassotek " + ProgramVersionText(),
        c.CurrentDataFile.empty() ? std::string("Datei: n.a") : "Datei: " + FileNameText(c.CurrentDataFile),
        "Anzahl Filme: " + std::to_string(listedRows) + "/" + std::to_string(c.AnzFilm()),
        "Anzahl Cassetten: " + std::to_string(c.AnzCas()),
        " " + typeAhead,
    };
}

} // namespace kt
