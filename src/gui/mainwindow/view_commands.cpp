#include "mainwindow/main_window.h"

#include "app_context.h"
#include "filmlist/storage_media.h"
#include "statistics/statistik_form.h"
#include "text/cp1252.h"
#include "widgets/checked_combo_box.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace kt {

void TKassotekMainWindow::Statistik1Click() {
    traceCommand("Statistik1Click", true);
    TForm_KT_Statistik form(ctx_.collection, ctx_.settings, ctx_.dialogs(), this);
    form.exec();
    traceCommand("Statistik1Click", false);
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

    if (ctx_.collection.StorageMediaList.empty())
        return;
    TCheckedComboBox* selector = CheckedComboBoxShowStorageType;
    const int32_t mask = ctx_.settings.StorageTypeShow;
    selector->Tag = 1;
    // Marks go first, so that the text has its room for the new ones.
    for (const bool checked : {false, true})
        for (int i = 0; i < selector->Items().size(); ++i)
            if (MediumChecked(mask, i) == checked)
                selector->SetItemChecked(i, checked);
    selector->Tag = 0;
    StorageTypeShowFromSelector();
}

void TKassotekMainWindow::StorageTypeShowFromSelector() {
    const TCheckedComboBox* selector = CheckedComboBoxShowStorageType;
    std::vector<bool> checked;
    for (int i = 0; i < selector->Items().size(); ++i)
        checked.push_back(selector->IsItemChecked(i));
    TSpeichermedium& media = ctx_.collection.StorageMediaList;
    int32_t mask = StorageTypeShowOfChecks(checked);
    // A medium just added keeps its bit until the selector is rebuilt with it.
    for (std::size_t i = checked.size(); i < media.size(); ++i)
        mask |= ctx_.settings.StorageTypeShow & StorageTypeOfMedium(static_cast<int>(i));
    SetStorageTypeShow(ctx_.settings.StorageTypeShow, media, mask);
    const QList<QAction*> mirror = Anzeigenvon1->actions();
    for (int i = 0; i < mirror.size(); ++i)
        mirror[i]->setChecked(selector->IsItemChecked(i));
}

void TKassotekMainWindow::AdjustSpeichermediumDependentElements_To_StorageTypeShow() {
    TCheckedComboBox* selector = CheckedComboBoxShowStorageType;
    auto& media = ctx_.collection.StorageMediaList;
    // The flags are the mask's, whoever touched them last.
    SetStorageTypeShow(ctx_.settings.StorageTypeShow, media, ctx_.settings.StorageTypeShow);
    // Only media with a bit of their own can be chosen.
    int count = 0;
    while (count < static_cast<int>(media.size()) && StorageTypeOfMedium(count) != 0)
        ++count;
    selector->Tag = 1;
    if (count > 0) {
        QStringList names;
        for (int i = 0; i < count; ++i)
            names << FromCp(media[static_cast<std::size_t>(i)].Name);
        selector->setItems(names);
        for (int i = 0; i < count; ++i)
            selector->SetItemChecked(i, media[static_cast<std::size_t>(i)].Selected);
        // A mark the selector could not show is not a medium shown.
        StorageTypeShowFromSelector();
    }
    for (QAction* item : Anzeigenvon1->actions()) {
        Anzeigenvon1->removeAction(item);
        delete item;
    }
    for (int i = 0; i < count; ++i) {
        QString caption = FromCp(MediumItemCaption(i, media[static_cast<std::size_t>(i)].Name));
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* item = new QAction(caption, Anzeigenvon1);
        item->setCheckable(true);
        item->setChecked(selector->IsItemChecked(i));
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
    // The media's flags follow the mask, so that a later rebuild of the selector shows the same marks.
    StorageTypeShowFromSelector();
    Initialize_FilmStringGrid();
    Update_SortSpeedbuttons();
    SetAusgabeData();
    ctx_.trace.TraceLine("KtkMain: CheckedComboBoxShowStorageTypeChange [EXIT] StorageTypeShow=" +
                         std::to_string(ctx_.settings.StorageTypeShow));
}

void TKassotekMainWindow::DoSpeicherMediumAutoItemClick(QAction* item) {
    TCheckedComboBox* selector = CheckedComboBoxShowStorageType;
    const int number = MediumNumberOfCaption(ToCp(item->text()));
    if (number >= 0 && number < selector->Items().size())
        // The selector's change event does the rest, the mirror's mark included.
        selector->SetItemChecked(number, !selector->IsItemChecked(number));
    item->setChecked(selector->IsItemChecked(number));
}

} // namespace kt
