#include "mainwindow/main_window.h"

#include "app_context.h"
#include "widgets/checked_combo_box.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace kt {

void TKassotekMainWindow::Statistik1Click() {
    NotYetAvailable("Statistik1Click");
}

void TKassotekMainWindow::SetFilmSort(int order) {
    if (order < 0 || order >= SortOrders)
        return;
    const int previous = ctx_.settings.FilmSort;
    ctx_.settings.FilmSort = static_cast<uint8_t>(order);
    if (order == previous)
        return;
    traceCommand("SetFilmSort", true);
    Update_SortSpeedbuttons();
    SetAusgabeData();
    traceCommand("SetFilmSort", false);
}

void TKassotekMainWindow::Update_SortSpeedbuttons() {
    const int order = std::min<int>(ctx_.settings.FilmSort, SortOrders - 1);
    sortButtons()[static_cast<std::size_t>(order)]->setChecked(true);
    sortItems()[static_cast<std::size_t>(order)]->setChecked(true);

    const auto& media = ctx_.collection.StorageMediaList;
    if (media.empty())
        return;
    TCheckedComboBox* selector = CheckedComboBoxShowStorageType;
    selector->Tag = 1;
    const int shown = std::min<int>(static_cast<int>(media.size()), selector->Items().size());
    for (int i = 0; i < shown && i < 32; ++i)
        selector->SetItemChecked(i, (ctx_.settings.StorageTypeShow >> i) & 1);
    selector->Tag = 0;
}

void TKassotekMainWindow::AdjustSpeichermediumDependentElements_To_StorageTypeShow() {
    TCheckedComboBox* selector = CheckedComboBoxShowStorageType;
    const auto& media = ctx_.collection.StorageMediaList;
    selector->Tag = 1;
    if (!media.empty()) {
        QStringList names;
        for (const auto& m : media)
            names << FromCp(m.Name);
        selector->setItems(names);
        for (int i = 0; i < static_cast<int>(media.size()); ++i)
            selector->SetItemChecked(i, media[static_cast<std::size_t>(i)].Selected);
    }
    for (QAction* item : Anzeigenvon1->actions()) {
        Anzeigenvon1->removeAction(item);
        delete item;
    }
    for (int i = 0; i < static_cast<int>(media.size()); ++i) {
        auto* item = new QAction(QString::number(i) + QLatin1Char(' ') +
                                     FromCp(media[static_cast<std::size_t>(i)].Name),
                                 Anzeigenvon1);
        item->setCheckable(true);
        item->setChecked(media[static_cast<std::size_t>(i)].Selected);
        connect(item, &QAction::triggered, this, [this, item] { DoSpeicherMediumAutoItemClick(item); });
        Anzeigenvon1->addAction(item);
    }
    selector->Tag = 0;
}

void TKassotekMainWindow::CheckedComboBoxShowStorageTypeChange() {
    TCheckedComboBox* selector = CheckedComboBoxShowStorageType;
    if (selector->Tag == 1)
        return;
    traceCommand("CheckedComboBoxShowStorageTypeChange", true);
    uint32_t mask = 0;
    const int count = std::min<int>(selector->Items().size(), 32);
    for (int i = 0; i < count; ++i)
        if (selector->IsItemChecked(i))
            mask |= 1u << i;
    ctx_.settings.StorageTypeShow = static_cast<int32_t>(mask);
    // The media's flags follow the mask, so that a later rebuild of the selector shows the same marks.
    auto& media = ctx_.collection.StorageMediaList;
    for (int i = 0; i < static_cast<int>(media.size()); ++i)
        media[static_cast<std::size_t>(i)].Selected = i < 32 && ((mask >> i) & 1u);
    const QList<QAction*> mirror = Anzeigenvon1->actions();
    for (int i = 0; i < mirror.size(); ++i)
        mirror[i]->setChecked(selector->IsItemChecked(i));
    Initialize_FilmStringGrid();
    Update_SortSpeedbuttons();
    SetAusgabeData();
    traceCommand("CheckedComboBoxShowStorageTypeChange", false);
}

void TKassotekMainWindow::DoSpeicherMediumAutoItemClick(QAction* item) {
    QString caption = item->text();
    caption.remove(QLatin1Char('&'));
    bool ok = false;
    const int number = caption.section(QLatin1Char(' '), 0, 0).toInt(&ok);
    auto& media = ctx_.collection.StorageMediaList;
    if (!ok || number < 0 || number >= static_cast<int>(media.size()))
        return;
    auto& medium = media[static_cast<std::size_t>(number)];
    medium.Selected = !medium.Selected;
    item->setChecked(medium.Selected);
    CheckedComboBoxShowStorageType->SetItemChecked(number, medium.Selected);
}

} // namespace kt
