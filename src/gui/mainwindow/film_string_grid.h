#pragma once

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

namespace kt {

class AppContext;
class FilmListModel;

// The colours of the film list.
inline constexpr QRgb GridSilver = 0xFFC0C0C0;

// The header row: bold on silver while MarkFilmList is set, the title column centred while
// CenterFilmTitel is set.
class FilmListHeader : public QHeaderView {
    Q_OBJECT
public:
    FilmListHeader(AppContext& ctx, QWidget* parent);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    AppContext& ctx_;
};

// Draws the cells as the list has always looked: the first column like a fixed one, the focused
// cell white on red, the current row on the tooltip colour, "[...]" behind the first line of a
// text with more lines, and the picture column coloured by where the pictures are kept.
class FilmCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    FilmCellDelegate(AppContext& ctx, FilmListModel& model, QTableView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // A cell whose text is cut (or shows only its first line) shows the whole text as its tooltip.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    AppContext& ctx_;
    FilmListModel& model_;
    QTableView* view_;
};

// The text a cell shows: up to its first line break, then "[...]".
QString DisplayedCellText(const QString& text);

// How a column's texts stand in their cells.
enum class CellAlignment { Left, Right, Centred };
CellAlignment AlignmentOfColumn(const AppContext& ctx, const QString& header, int column);
// The text drawn in a cell `cellWidth` pixels wide: `text` when it fits, else cut to end in "…".
QString FittedCellText(const QFontMetrics& fm, int cellWidth, const QString& text, CellAlignment alignment);

// The film list: a table over the film-list model. Rows are counted as the list counts them:
// row 0 is the header, film rows start at 1. The window decides what keys and a double click do;
// the grid keeps the rules of the mouse and the wheel.
class TFilmStringGrid : public QTableView {
    Q_OBJECT
public:
    TFilmStringGrid(AppContext& ctx, QWidget* parent);

    void setFilmModel(FilmListModel* model);
    FilmListModel* filmModel() const { return model_; }

    // The current cell; row 0 when there is none.
    int currentRow() const;
    int currentColumn() const;
    void setCurrentCell(int row, int column);
    int lastRow() const;
    // The first film row on screen (1 when the list is empty).
    int topVisibleRow() const;

    // Called first for every key press; true when the key was used.
    std::function<bool(QKeyEvent*)> keyHandler;
    // A character from an input method (an umlaut typed with a dead key, for instance).
    std::function<bool(const QString&)> textHandler;

    // The row height that fits the font (17 pixels at least).
    int rowHeightForFont() const;

signals:
    void dblClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyboardSearch(const QString&) override {}
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // The cell a press at `pos` (viewport coordinates) makes current.
    void pressAt(const QPoint& pos, bool onHeader);

    AppContext& ctx_;
    FilmListModel* model_ = nullptr;
    int wheelRemainder_ = 0;
};

} // namespace kt
