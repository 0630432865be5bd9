#include "mainwindow/film_string_grid.h"

#include "app_context.h"
#include "catalogue/col_arrange.h"
#include "dialogs/message_box.h"
#include "mainwindow/film_list_model.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace kt {

namespace {

constexpr int DefaultRowHeight = 17;
constexpr int TextTop = 3;
constexpr int LeftMargin = 2;
constexpr int RightMargin = 4;

// Where the text starts in `rect`.
int TextLeft(const QRect& rect, int textWidth, CellAlignment alignment) {
    switch (alignment) {
    case CellAlignment::Right:
        return rect.right() + 1 - RightMargin - textWidth;
    case CellAlignment::Centred:
        return rect.left() + (rect.width() - textWidth) / 2;
    case CellAlignment::Left:
        break;
    }
    return rect.left() + LeftMargin;
}

void DrawCellText(QPainter* p, const QRect& rect, const QString& text, CellAlignment alignment) {
    const QFontMetrics fm(p->font());
    const QString shown = FittedCellText(fm, rect.width(), text, alignment);
    const int x = TextLeft(rect, fm.horizontalAdvance(shown), alignment);
    p->drawText(QPoint(x, rect.top() + TextTop + fm.ascent()), shown);
}

} // namespace

QString FittedCellText(const QFontMetrics& fm, int cellWidth, const QString& text, CellAlignment alignment) {
    // The room between the margins of the alignment, with a pixel to spare before the grid line.
    const int room = cellWidth - 1 - (alignment == CellAlignment::Right ? RightMargin : LeftMargin) -
                     (alignment == CellAlignment::Centred ? LeftMargin : 0);
    if (fm.horizontalAdvance(text) <= room)
        return text;
    return fm.elidedText(text, Qt::ElideRight, std::max(0, room));
}

QString DisplayedCellText(const QString& text) {
    const auto end = std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    if (end == text.end())
        return text;
    return text.left(end - text.begin()) + QStringLiteral("[...]");
}

CellAlignment AlignmentOfColumn(const AppContext& ctx, const QString& header, int column) {
    const int entry = EntryOfHeader(ctx.colArrange, ToCp(header));
    const std::string longName = entry >= 0 ? ctx.colArrange[entry].LongName : std::string();
    const auto is = [&](const char* name) { return longName == ToCp(QString::fromUtf8(name)); };
    if (is("Länge des Films (insg.)") || is("Cassetten-Nummer"))
        return CellAlignment::Right;
    if (column == 0 && ctx.settings.CenterFilmTitel)
        return CellAlignment::Centred;
    if (is("Position auf Cassette") || is("Bilder") || is("Anz. CDs/DVDs"))
        return CellAlignment::Centred;
    return CellAlignment::Left;
}

FilmListHeader::FilmListHeader(AppContext& ctx, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), ctx_(ctx) {}

void FilmListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid())
        return;
    painter->save();
    const bool mark = ctx_.settings.MarkFilmList;
    painter->fillRect(rect, mark ? QColor(GridSilver) : palette().color(QPalette::Button));
    // A raised cell, as fixed cells are drawn.
    painter->setPen(palette().color(QPalette::Light));
    painter->drawLine(rect.topLeft(), rect.topRight());
    painter->drawLine(rect.topLeft(), rect.bottomLeft());
    painter->setPen(palette().color(QPalette::Dark));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    QFont f = font();
    f.setBold(mark);
    f.setItalic(false);
    painter->setFont(f);
    painter->setPen(Qt::black);
    painter->setClipRect(rect.adjusted(1, 1, -1, -1));
    const QString text = DisplayedCellText(model()->headerData(logicalIndex, Qt::Horizontal).toString());
    const bool centre = visualIndex(logicalIndex) == 0 && ctx_.settings.CenterFilmTitel;
    DrawCellText(painter, rect, text, centre ? CellAlignment::Centred : CellAlignment::Left);
    painter->restore();
}

FilmCellDelegate::FilmCellDelegate(AppContext& ctx, FilmListModel& model, QTableView* view)
    : QStyledItemDelegate(view), ctx_(ctx), model_(model), view_(view) {}

void FilmCellDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const int row = index.row() + 1;
    const int col = index.column();
    QFont font = option.font;
    font.setBold(false);
    font.setItalic(false);
    QColor background = Qt::white;
    QColor text = Qt::black;
    if (col == 0) {
        background = QColor(GridSilver);
        font.setItalic(ctx_.settings.MarkFilmList);
    } else if ((option.state & QStyle::State_HasFocus) && view_->hasFocus()) {
        background = Qt::red;
        text = Qt::white;
    } else if ((option.state & QStyle::State_Selected) || view_->currentIndex().row() == index.row()) {
        background = option.palette.color(QPalette::ToolTipBase);
    }

    bool drawText = true;
    if (model_.list().ColumnAttribute(col) == ColPics) {
        text = option.palette.color(QPalette::ButtonText);
        if (const int slot = model_.list().FilmOfRow(row); slot > 0) {
            const TFilmV26& film = ctx_.collection.Film(slot);
            const bool linked = std::any_of(film.Pics.begin(), film.Pics.end(),
                                            [](const TPicRec& pic) { return pic.PicFlags > 255; });
            const bool kept = std::any_of(film.Pics.begin(), film.Pics.end(),
                                          [](const TPicRec& pic) { return pic.PicFlags <= 255; });
            drawText = film.AnzPics() > 0;
            if (kept) {
                text = Qt::red;
                font.setBold(!linked);
                font.setItalic(!linked);
            }
        }
    }

    p->save();
    p->fillRect(option.rect, background);
    const QString shown = drawText ? DisplayedCellText(model_.cellText(row, col)) : QString();
    if (!shown.isEmpty()) {
        p->setClipRect(option.rect);
        p->setFont(font);
        p->setPen(text);
        DrawCellText(p, option.rect, shown, AlignmentOfColumn(ctx_, model_.cellText(0, col), col));
    }
    p->restore();
}

bool FilmCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (!event || event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const int row = index.row() + 1;
    const int col = index.column();
    QString full = model_.cellText(row, col);
    QFont font = option.font;
    font.setBold(false);
    font.setItalic(col == 0 && ctx_.settings.MarkFilmList);
    const QString shown = DisplayedCellText(full);
    const QString fitted = FittedCellText(QFontMetrics(font), option.rect.width(), shown,
                                          AlignmentOfColumn(ctx_, model_.cellText(0, col), col));
    if (full.isEmpty() || fitted == full) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    full.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    full.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QToolTip::showText(event->globalPos(), full, view->viewport(), option.rect);
    return true;
}

TFilmStringGrid::TFilmStringGrid(AppContext& ctx, QWidget* parent) : QTableView(parent), ctx_(ctx) {
    auto* header = new FilmListHeader(ctx_, this);
    setHorizontalHeader(header);
    header->setSectionsMovable(true);
    header->setFirstSectionMovable(true);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultSectionSize(240);
    header->setMinimumSectionSize(2);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->viewport()->installEventFilter(this);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(2);
    const int height = rowHeightForFont();
    verticalHeader()->setDefaultSectionSize(height);
    header->setFixedHeight(height + 2);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

int TFilmStringGrid::rowHeightForFont() const {
    return std::max(DefaultRowHeight, fontMetrics().height() + TextTop + 1);
}

void TFilmStringGrid::setFilmModel(FilmListModel* model) {
    model_ = model;
    setModel(model);
    setItemDelegate(new FilmCellDelegate(ctx_, *model, this));
}

int TFilmStringGrid::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int TFilmStringGrid::currentColumn() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 0;
}

int TFilmStringGrid::lastRow() const {
    return model_ ? model_->rowCount() : 0;
}

int TFilmStringGrid::topVisibleRow() const {
    const int row = rowAt(0);
    return row < 0 ? 1 : row + 1;
}

void TFilmStringGrid::setCurrentCell(int row, int column) {
    if (!model_ || model_->rowCount() == 0 || model_->columnCount() == 0)
        return;
    row = std::clamp(row, 1, model_->rowCount());
    column = std::clamp(column, 0, model_->columnCount() - 1);
    const QModelIndex index = model_->index(row - 1, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    // Before the grid is on the screen its width says nothing: only the row is brought into view.
    const int left = horizontalScrollBar()->value();
    scrollTo(index);
    if (!isVisible())
        horizontalScrollBar()->setValue(left);
}

void TFilmStringGrid::pressAt(const QPoint& pos, bool onHeader) {
    int row = onHeader ? 0 : rowAt(pos.y()) + 1;
    if (row <= 0)
        row = topVisibleRow();
    int column = columnAt(pos.x());
    if (column <= 0)
        column = std::max(0, columnAt(0));
    setCurrentCell(row, column);
}

void TFilmStringGrid::mousePressEvent(QMouseEvent* event) {
    if (!indexAt(event->position().toPoint()).isValid()) {
        // Below the last row or beside the last column: a film row becomes current all the same.
        pressAt(event->position().toPoint(), false);
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TFilmStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    // The cell under the pointer is the one meant, also when no press came first.
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid())
        pressAt(pos, false);
    else if (index != currentIndex())
        setCurrentCell(index.row() + 1, index.column());
    emit dblClicked();
}

bool TFilmStringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        // The header's own handling (moving, sizing) follows.
        pressAt(QPoint(static_cast<QMouseEvent*>(event)->position().toPoint().x(), 0), true);
    }
    return QTableView::eventFilter(watched, event);
}

void TFilmStringGrid::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (!model_)
        return;
    // One row per notch; the small steps of a touchpad add up to notches.
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ >= 120 || wheelRemainder_ <= -120) {
        const bool up = wheelRemainder_ > 0;
        wheelRemainder_ += up ? -120 : 120;
        const int row = currentRow();
        if (up && row > 1)
            setCurrentCell(row - 1, currentColumn());
        else if (!up && row < lastRow())
            setCurrentCell(row + 1, currentColumn());
    }
}

void TFilmStringGrid::keyPressEvent(QKeyEvent* event) {
    if (keyHandler && keyHandler(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TFilmStringGrid::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && textHandler && textHandler(event->commitString())) {
        event->accept();
        return;
    }
    QTableView::inputMethodEvent(event);
}

void TFilmStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // The whole current row is drawn in its own colour.
    viewport()->update();
}

} // namespace kt
