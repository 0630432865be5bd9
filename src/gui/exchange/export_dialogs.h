#pragma once

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace kt {

// The file chosen in an export's save dialog, and the form its filter asks for.
struct ExportChoice {
    QString path;
    int filterIndex = 1; // 1 for the first entry of the filter list
};

// The save dialogs of the exports; tests put a scripted one in their place.
class ExportFileDialogs {
public:
    virtual ~ExportFileDialogs() = default;
    // "ASCII-Text-Dateien (*.TXT)", "CSV-Datei (*.csv)", "Alle Dateien (*.*)"; nothing on cancel.
    virtual std::optional<ExportChoice> saveText(QWidget* parent, const QString& folder) = 0;
    // "Excel-Dateien (*.XLS)", "Excel-Arbeitsmappe (*.xlsx)", "Alle Dateien (*.*)".
    virtual std::optional<ExportChoice> saveExcel(QWidget* parent, const QString& folder) = 0;
};

class QtExportFileDialogs : public ExportFileDialogs {
public:
    std::optional<ExportChoice> saveText(QWidget* parent, const QString& folder) override;
    std::optional<ExportChoice> saveExcel(QWidget* parent, const QString& folder) override;
};

// The filter entries of the two dialogs (entry 1 first).
QStringList TextExportFilters();
QStringList ExcelExportFilters();
// Filter entries of the text dialog and of the Excel dialog.
constexpr int TextFilterCsv = 2;
constexpr int ExcelFilterXlsx = 2;

// A save dialog over `filters` with entry 1 chosen: it asks before an existing file is replaced
// and takes the extension of the chosen entry when the name has none.
QFileDialog* CreateExportDialog(QWidget* parent, const QString& title, const QStringList& filters,
                                const QString& folder);

} // namespace kt
