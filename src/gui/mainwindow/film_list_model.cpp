#include "mainwindow/film_list_model.h"

#include "dialogs/message_box.h"
#include "text/cp1252.h"

namespace kt {

FilmListModel::FilmListModel(FilmList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {
    list_.setListener(this);
}

FilmListModel::~FilmListModel() {
    list_.setListener(nullptr);
}

int FilmListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.RowCount() - 1;
}

int FilmListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.ColCount();
}

QString FilmListModel::cellText(int listRow, int col) const {
    const std::string_view cell = list_.Cell(listRow, col);
    return cell.empty() ? QString() : QString::fromStdString(ToUtf8(cell));
}

QVariant FilmListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row() + 1, index.column());
    case Qt::ToolTipRole: {
        // A text with more lines shows only its first one in the grid.
        const std::string_view cell = list_.Cell(index.row() + 1, index.column());
        if (cell.find('\r') == std::string_view::npos && cell.find('\n') == std::string_view::npos)
            return {};
        return ScreenText(std::string(cell));
    }
    default:
        return {};
    }
}

QVariant FilmListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return cellText(0, section);
}

void FilmListModel::aboutToReset() {
    if (!resetting_) {
        resetting_ = true;
        beginResetModel();
    }
}

void FilmListModel::reset() {
    if (resetting_) {
        resetting_ = false;
        endResetModel();
    }
}

void FilmListModel::rowChanged(int row) {
    if (row == 0) {
        if (list_.ColCount() > 0)
            emit headerDataChanged(Qt::Horizontal, 0, list_.ColCount() - 1);
        return;
    }
    if (row < list_.RowCount() && list_.ColCount() > 0)
        emit dataChanged(index(row - 1, 0), index(row - 1, list_.ColCount() - 1));
}

} // namespace kt
