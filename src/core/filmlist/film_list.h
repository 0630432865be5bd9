#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

class Collection;
class UserDialogs;
struct ColArrange;
struct FilterSearch;
struct Settings;

// Told about changes of the list, so that a view over it can follow (a Qt model resets or
// signals one row). The "about to" call comes before the texts change.
class FilmListListener {
public:
    virtual ~FilmListListener() = default;
    virtual void aboutToReset() {}
    virtual void reset() {}
    virtual void rowChanged(int /*row*/) {}
};

// The film list as the main window's grid shows it: row 0 the headers, row r the film whose
// FilmNr stands in SortedFilm[r - 1], one column per shown attribute of the catalogue. It holds
// texts only, composed from the film table by a rebuild; the grid widget just displays them.
// The texts of a row lie in one buffer, so a cell costs no object of its own.
class FilmList {
public:
    // Builds the columns at once (Initialize_FilmStringGrid); the rows stay empty until the
    // first SetAusgabeData. The list keeps the references: they must outlive it.
    FilmList(Collection& c, const Settings& s, ColArrange& ca, const FilterSearch& fs);

    void setListener(FilmListListener* listener) { listener_ = listener; }
    // Runs before the cells are written when the user has moved a column, so that the catalogue
    // positions are derived from the headers first (set by the window that moves columns).
    std::function<void()> ResortPendingColumns;

    // Columns from the catalogue: gives a shown attribute without a position one behind all
    // placed ones, sets the widths (at least 2, else 50), the headers, and empties all rows.
    void Initialize_FilmStringGrid();
    // Writes the Header of every shown attribute into row 0 at its column.
    void Initialize_FilmStringGrid_Headers();

    // Rebuilds the rows: selects the films (storage medium, filter, search), orders them, writes
    // their cells and SortedFilm. Errors go to `ui`; false when the list could not be built
    // (memory, sort failure). An empty result is not a failure.
    bool SetAusgabeData(UserDialogs& ui);
    // Rewrites the row of ActFilm only; false (with an error box) when no row shows it.
    bool SetAusgabeData_OneFilm(UserDialogs& ui);
    // Writes the cells of film `filmIndex` (slot) into `row` (1..RowCount()-1); false, writing
    // nothing, when the film's storage medium is not shown. A row or film outside the tables
    // throws std::out_of_range.
    bool SetAusgabeData_OneFilm_Abstract(int filmIndex, int row);

    // Moves column `from` to `to` with its header, cells and width, the columns between shifting
    // by one, as dragging a column header does. Columns outside the grid: nothing happens.
    void MoveColumn(int from, int to);

    int RowCount() const { return static_cast<int>(rowText_.size()); } // at least 2
    int ColCount() const { return colCount_; }
    // The text of a cell; valid until the list changes. Outside the grid: empty.
    std::string_view Cell(int row, int col) const;
    int ColumnWidth(int col) const;
    // The attribute whose texts stand in the column (the last shown one placed there), -1 none.
    int ColumnAttribute(int col) const;

    // Films selected by the last rebuild, and the rows that show a film.
    int ListedCount() const { return listedCount_; }
    int FilledRows() const { return filledRows_; }
    // The film slot shown in a row (through SortedFilm and FilmNr), 0 when none.
    int FilmOfRow(int row) const;
    // The first row that shows film `slot`, 0 when none.
    int RowOfFilm(int slot) const;

private:
    void resizeRows(int rows);
    void clearRow(int row);
    void mapColumns();
    void writeRow(int row, const std::vector<std::string>& cells);
    bool composeRow(int filmIndex, int row);

    Collection& c_;
    const Settings& s_;
    ColArrange& ca_;
    const FilterSearch& fs_;
    FilmListListener* listener_ = nullptr;

    int colCount_ = 0;
    std::vector<int> colAttr_;
    bool unmappedColumns_ = false;
    std::vector<int> colWidth_;
    // Row r's cells, concatenated, and where each ends: cellEnd_[r * colCount_ + col].
    std::vector<std::string> rowText_;
    std::vector<uint32_t> cellEnd_;
    int listedCount_ = 0;
    int filledRows_ = 0;
};

bool ColArrange_Show(const ColArrange& ca, int n);

// The catalogue positions from the header row: a shown attribute takes the first column whose
// header equals its Header (-1 when none does; one without a position goes behind all placed
// ones), then the positions are closed up (Check_ColArrangePos).
void Resort_FilmString_Headers_and_Pos(ColArrange& ca, const FilmList& list);

// Texts of the status bar panels 0 to 4 (panel 5 is never written). `listedRows` is the number of
// rows that show a film, `typeAhead` the incremental search text.
std::vector<std::string> StatusPanelTexts(const Collection& c, int listedRows, const std::string& typeAhead);

} // namespace kt
