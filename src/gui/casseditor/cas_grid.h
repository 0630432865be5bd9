#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include <array>
#include <vector>

namespace kt {

// The cassette list's cells: number, long play, length, rest, gap and the titles at positions
// 1 to 30. Addressed like a string grid: Cells(col, row) with the header as row 0, so row r is
// the model's row r - 1. Holds texts only, no item objects.
class CasGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColCount = 35;
    static constexpr int FirstPosCol = 5;
    static constexpr int LastPosCol = 34;
    static constexpr bool IsPosCol(int col) { return col >= FirstPosCol && col <= LastPosCol; }

    explicit CasGridModel(QObject* parent = nullptr);

    // Rows below the header; all cells empty.
    void Reset(int rows);
    int Rows() const { return static_cast<int>(cells_.size()); }
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);
    // A refill: BeginBulk empties all cells and sets the row count, SetCellsQuiet writes without
    // notifying the views, EndBulk tells them. SetCellsQuiet followed by RowChanged refills one row.
    void BeginBulk(int rows);
    void EndBulk();
    void SetCellsQuiet(int col, int row, const QString& text);
    void RowChanged(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool valid(int col, int row) const;
    std::vector<std::array<QString, ColCount>> cells_;
};

// A table view whose first column stays in place while the others scroll, as the number column of
// a string grid does. Optionally the current row is locked: the keys up and down and clicks into
// other rows leave it where it is.
class CasGridView : public QTableView {
    Q_OBJECT
public:
    explicit CasGridView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void SetRowLocked(bool locked) { rowLocked_ = locked; }
    bool RowLocked() const { return rowLocked_; }
    // The fixed view in front of column 0.
    QTableView* FixedColumn() const { return fixed_; }

    // Rows that fit the visible part completely.
    int VisibleRowCount() const;
    // Scrolls so that `row` (0-based) is the top row and `column` the first column right of the
    // fixed one; both are clamped to what can be scrolled.
    void ScrollToCell(int row, int column);
    int TopRow() const;
    // The first column right of the fixed one.
    int LeftCol() const;

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

signals:
    void rightClicked(const QModelIndex& index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateFixedGeometry();
    QTableView* fixed_;
    bool rowLocked_ = false;
};

} // namespace kt
