#include "mainwindow/main_window.h"

#include "app_context.h"
#include "mainwindow/data_file_dialogs.h"
#include "text/helpers.h"

#include <QAction>
#include <QMenu>

// The recently used files behind the fixed entries of the "&Datei" menu.
namespace kt {

void TKassotekMainWindow::Add2History(const std::string& path) {
    if (!HasContent(path))
        return;
    std::vector<std::string>& history = ctx_.settings.History;
    if (std::find(history.begin(), history.end(), path) != history.end())
        return;
    while (history.size() >= static_cast<std::size_t>(MaxHistory))
        history.pop_back();
    history.insert(history.begin(), path);
}

void TKassotekMainWindow::Adjust_FileMenu() {
    for (QAction* item : historyItems_) {
        // An item may be the one whose click is running.
        Datei1->removeAction(item);
        item->deleteLater();
    }
    historyItems_.clear();
    const std::vector<std::string>& history = ctx_.settings.History;
    if (history.empty())
        return;
    historyItems_ << Datei1->addSeparator();
    for (std::size_t i = 0; i < history.size(); ++i) {
        QString shown = PathText(history[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), Datei1);
        item->setObjectName(QStringLiteral("History%1").arg(i + 1));
        // The path itself rides along, so that no caption rule can change it.
        item->setData(QByteArray::fromStdString(history[i]));
        connect(item, &QAction::triggered, this, [this, item] { HistoryItemClick(item); });
        Datei1->addAction(item);
        historyItems_ << item;
    }
}

QList<QAction*> TKassotekMainWindow::historyItems() const {
    QList<QAction*> items;
    for (QAction* a : historyItems_)
        if (!a->isSeparator())
            items << a;
    return items;
}

void TKassotekMainWindow::HistoryItemClick(QAction* item) {
    traceCommand("HistoryItemClick", true);
    const QString caption = item->text();
    const int number = caption.mid(1, caption.indexOf(QLatin1Char(' ')) - 1).toInt();
    const std::string path = item->data().toByteArray().toStdString();
    // A file that has gone is passed over without a word.
    if (number > 0 && FileExists(path) && UnsavedDataMayGo()) {
        if (DateiLaden(path))
            Adjust_FileMenu();
        else
            ctx_.dialogs().error("Konnte " + path + " nicht laden!");
    }
    traceCommand("HistoryItemClick", false);
}

} // namespace kt
