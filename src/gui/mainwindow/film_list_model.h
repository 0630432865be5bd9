#pragma once

#include "filmlist/film_list.h"

#include <QAbstractTableModel>

namespace kt {

// The film list as a Qt model: row 0 of the list is the header, list row r is model row r - 1.
// It holds nothing of its own; the texts are converted when the view asks for them.
class FilmListModel : public QAbstractTableModel, public FilmListListener {
    Q_OBJECT
public:
    explicit FilmListModel(FilmList& list, QObject* parent = nullptr);
    ~FilmListModel() override;

    FilmList& list() { return list_; }
    const FilmList& list() const { return list_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The full text of a list cell (row 0 the header).
    QString cellText(int listRow, int col) const;

private:
    void aboutToReset() override;
    void reset() override;
    void rowChanged(int row) override;

    FilmList& list_;
    bool resetting_ = false;
};

} // namespace kt
