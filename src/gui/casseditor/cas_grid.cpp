#include "casseditor/cas_grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace kt {

CasGridModel::CasGridModel(QObject* parent) : QAbstractTableModel(parent) {}

bool CasGridModel::valid(int col, int row) const {
    return col >= 0 && col < ColCount && row >= 1 && row <= Rows();
}

void CasGridModel::Reset(int rows) {
    beginResetModel();
    cells_.assign(static_cast<std::size_t>(std::max(0, rows)), {});
    endResetModel();
}

void CasGridModel::BeginBulk(int rows) {
    beginResetModel();
    cells_.assign(static_cast<std::size_t>(std::max(0, rows)), {});
}

void CasGridModel::EndBulk() {
    endResetModel();
}

QString CasGridModel::Cells(int col, int row) const {
    if (!valid(col, row))
        return {};
    return cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col)];
}

void CasGridModel::SetCellsQuiet(int col, int row, const QString& text) {
    if (valid(col, row))
        cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col)] = text;
}

void CasGridModel::SetCells(int col, int row, const QString& text) {
    if (!valid(col, row) || Cells(col, row) == text)
        return;
    SetCellsQuiet(col, row, text);
    const QModelIndex i = index(row - 1, col);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void CasGridModel::RowChanged(int row) {
    if (row >= 1 && row <= Rows())
        emit dataChanged(index(row - 1, 0), index(row - 1, ColCount - 1), {Qt::DisplayRole});
}

int CasGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Rows();
}
int CasGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColCount;
}

QVariant CasGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return Cells(index.column(), index.row() + 1);
    if (role == Qt::TextAlignmentRole && index.column() < FirstPosCol)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CasGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const fixed[] = {"Nr.", "LP", "Länge", "Rest", "Lochlänge"};
    if (section >= 0 && section < FirstPosCol)
        return QString::fromUtf8(fixed[section]);
    if (section >= FirstPosCol && section < ColCount)
        return QStringLiteral("Pos. %1").arg(section - FirstPosCol + 1);
    return {};
}

CasGridView::CasGridView(QWidget* parent) : QTableView(parent), fixed_(new QTableView(this)) {
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerItem);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    fixed_->setObjectName(QStringLiteral("CasEditDlgStringGridFixedCol"));
    fixed_->setFocusPolicy(Qt::NoFocus);
    fixed_->verticalHeader()->hide();
    fixed_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixed_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    fixed_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setVerticalScrollMode(ScrollPerItem);
    fixed_->setEditTriggers(NoEditTriggers);
    fixed_->setSelectionMode(SingleSelection);
    fixed_->setWordWrap(false);
    fixed_->viewport()->installEventFilter(this);
    viewport()->stackUnder(fixed_);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section == 0) {
            fixed_->setColumnWidth(0, size);
            updateFixedGeometry();
        }
    });
    connect(fixed_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, fixed_->verticalScrollBar(),
            &QAbstractSlider::setValue);
}

void CasGridView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    fixed_->setModel(model);
    fixed_->setSelectionModel(selectionModel());
    for (int col = 1; col < model->columnCount(); ++col)
        fixed_->setColumnHidden(col, true);
    fixed_->setColumnWidth(0, columnWidth(0));
    updateFixedGeometry();
}

void CasGridView::updateFixedGeometry() {
    fixed_->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
                        viewport()->height() + horizontalHeader()->height());
    fixed_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
}

void CasGridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    updateFixedGeometry();
}

void CasGridView::updateGeometries() {
    QTableView::updateGeometries();
    updateFixedGeometry();
}

int CasGridView::VisibleRowCount() const {
    const int h = verticalHeader()->defaultSectionSize();
    return h > 0 ? viewport()->height() / h : 0;
}

void CasGridView::ScrollToCell(int row, int column) {
    verticalScrollBar()->setValue(std::max(0, row));
    if (model() == nullptr)
        return;
    column = std::clamp(column, 1, std::max(1, model()->columnCount() - 1));
    horizontalScrollBar()->setValue(horizontalHeader()->sectionPosition(column) - columnWidth(0));
}

int CasGridView::TopRow() const {
    return verticalScrollBar()->value();
}

int CasGridView::LeftCol() const {
    const int col = horizontalHeader()->logicalIndexAt(columnWidth(0));
    return col < 0 ? 1 : col;
}

void CasGridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid())
        return;
    if (index.column() > 0) {
        QTableView::scrollTo(index, hint);
        // A cell that ended up behind the fixed column is moved out from under it.
        const int x = visualRect(index).left();
        if (x < columnWidth(0))
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + x - columnWidth(0));
    } else {
        QTableView::scrollTo(model()->index(index.row(), 1), hint);
    }
}

QModelIndex CasGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (rowLocked_ && action != MoveLeft && action != MoveRight)
        return currentIndex();
    return QTableView::moveCursor(action, modifiers);
}

void CasGridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (rowLocked_ && event->button() == Qt::LeftButton) {
        // Only the column follows the click.
        if (at.isValid() && currentIndex().isValid())
            setCurrentIndex(model()->index(currentIndex().row(), at.column()));
        setFocus(Qt::MouseFocusReason);
        return;
    }
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::RightButton && at.isValid())
        emit rightClicked(at);
}

void CasGridView::mouseMoveEvent(QMouseEvent* event) {
    // No selection by dragging: one cell is selected, as in a string grid.
    if (!rowLocked_)
        QTableView::mouseMoveEvent(event);
}

void CasGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (rowLocked_) {
        const QModelIndex at = indexAt(event->position().toPoint());
        if (at.isValid())
            emit doubleClicked(at);
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

bool CasGridView::eventFilter(QObject* watched, QEvent* event) {
    // The fixed column takes clicks for the grid, except into other rows while the row is locked.
    if (watched == fixed_->viewport() && rowLocked_ &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick ||
         event->type() == QEvent::MouseMove))
        return true;
    return QTableView::eventFilter(watched, event);
}

} // namespace kt
