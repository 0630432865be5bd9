#include "mainwindow/main_window.h"

#include "app_context.h"
#include "exchange/csv_export.h"
#include "exchange/excel_export.h"
#include "exchange/export_dialogs.h"
#include "exchange/text_export.h"
#include "filmlist/film_list.h"
#include "mainwindow/busy_cursor.h"
#include "mainwindow/data_file_dialogs.h"
#include "mainwindow/film_string_grid.h"
#include "text/cp1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>

namespace kt {

using namespace kt::literals;

namespace {

// Exports go next to the collection by default.
QString ExportFolder(const std::string& currentFile) {
    if (currentFile.empty())
        return QDir::homePath();
    return QFileInfo(PathText(currentFile)).absolutePath();
}

bool HasExtension(const QString& path, const char* ext) {
    return QFileInfo(path).suffix().compare(QLatin1String(ext), Qt::CaseInsensitive) == 0;
}

} // namespace

void TKassotekMainWindow::setExportDialogs(std::shared_ptr<ExportFileDialogs> dialogs) {
    exportDialogs_ = std::move(dialogs);
}

ExportFileDialogs& TKassotekMainWindow::exportDialogs() {
    if (!exportDialogs_)
        exportDialogs_ = std::make_shared<QtExportFileDialogs>();
    return *exportDialogs_;
}

int TKassotekMainWindow::SelectionBottomRow() const {
    int bottom = 0;
    if (const QItemSelectionModel* model = FilmStringGrid->selectionModel())
        for (const QItemSelectionRange& range : model->selection())
            bottom = std::max(bottom, range.bottom() + 1);
    return bottom > 0 ? bottom : FilmStringGrid->currentRow();
}

// Both text exports run here; the caller tells the whole list from the current column only.
void TKassotekMainWindow::inTextdateiMIClick(QAction* caller) {
    traceCommand("inTextdateiMIClick", true);
    const TextExportMode mode = caller == MInuraktuelleSpalteineineTextdateiexportieren
                                    ? TextExportMode::CurrentColumn
                                    : TextExportMode::AllColumns;
    UserDialogs& ui = ctx_.dialogs();
    if (columnMovePending_)
        Resort_FilmString_Headers_and_Pos();
    if (ListShowsFilms(*filmList_, ui) &&
        ui.question(TextExportQuestion(mode), Buttons::YesNo) == Answer::Yes) {
        const auto choice = exportDialogs().saveText(this, ExportFolder(ctx_.collection.CurrentDataFile));
        if (!choice) {
            if (ctx_.settings.ShowAllMsg)
                ui.warning("Keine Datei ausgewählt!"_cp);
        } else {
            // The name stays as the user chose it: in another letter case it would be another file.
            const std::string file = PathBytes(choice->path);
            const bool csv = HasExtension(choice->path, "csv") ||
                             (choice->filterIndex == TextFilterCsv && !HasExtension(choice->path, "txt"));
            const int column = FilmStringGrid->currentColumn();
            const int bottom = SelectionBottomRow();
            BusyCursor busy(ui);
            auto progress = ctx_.makeProgress();
            if (csv)
                ExportCsvFile(ctx_.collection, *filmList_, file, busy, *progress);
            else
                ExportTextFile(ctx_.collection, *filmList_, mode, column, bottom, file, busy, *progress);
        }
    }
    traceCommand("inTextdateiMIClick", false);
}

void TKassotekMainWindow::ExportierennachExcel1Click() {
    traceCommand("ExportierennachExcel1Click", true);
    UserDialogs& ui = ctx_.dialogs();
    if (columnMovePending_)
        Resort_FilmString_Headers_and_Pos();
    if (ui.question(ExcelExportQuestion(), Buttons::YesNo) == Answer::Yes) {
        const auto choice = exportDialogs().saveExcel(this, ExportFolder(ctx_.collection.CurrentDataFile));
        if (!choice) {
            if (ctx_.settings.ShowAllMsg)
                ui.warning("Keine Datei ausgewählt!"_cp);
        } else {
            const std::string file = PathBytes(choice->path);
            const bool xlsx = HasExtension(choice->path, "xlsx") ||
                              (choice->filterIndex == ExcelFilterXlsx && !HasExtension(choice->path, "xls"));
            repaint();
            BusyCursor busy(ui);
            auto progress = ctx_.makeProgress();
            // The window keeps painting during a long export; input waits until it is done.
            ExportWorkbookFile(*filmList_, file, xlsx ? WorkbookFormat::Xlsx : WorkbookFormat::Excel97, busy,
                               *progress,
                               [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
        }
    }
    traceCommand("ExportierennachExcel1Click", false);
}

} // namespace kt
