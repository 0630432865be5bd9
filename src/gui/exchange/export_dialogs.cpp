#include "exchange/export_dialogs.h"

#include <QFileDialog>

namespace kt {

namespace {

// The extension of a filter entry ("TXT" of "ASCII-Text-Dateien (*.TXT)"); empty for "*.*".
QString ExtensionOf(const QString& filter) {
    const qsizetype star = filter.lastIndexOf(QStringLiteral("(*."));
    if (star < 0)
        return {};
    QString ext = filter.mid(star + 3);
    ext.chop(ext.size() - ext.indexOf(QLatin1Char(')')));
    return ext == QLatin1String("*") ? QString() : ext.trimmed();
}

std::optional<ExportChoice> Run(QFileDialog* dialog, const QStringList& filters) {
    std::optional<ExportChoice> choice;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        const auto index = filters.indexOf(dialog->selectedNameFilter());
        choice = ExportChoice{dialog->selectedFiles().first(), index >= 0 ? static_cast<int>(index) + 1 : 1};
    }
    delete dialog;
    return choice;
}

} // namespace

QStringList TextExportFilters() {
    return {QStringLiteral("ASCII-Text-Dateien (*.TXT)"), QStringLiteral("CSV-Datei (*.csv)"),
            QStringLiteral("Alle Dateien (*.*)")};
}

QStringList ExcelExportFilters() {
    return {QStringLiteral("Excel-Dateien (*.XLS)"), QStringLiteral("Excel-Arbeitsmappe (*.xlsx)"),
            QStringLiteral("Alle Dateien (*.*)")};
}

QFileDialog* CreateExportDialog(QWidget* parent, const QString& title, const QStringList& filters,
                                const QString& folder) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(QStringLiteral("SaveDialog1"));
    dialog->setWindowTitle(title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.first());
    dialog->setDefaultSuffix(ExtensionOf(filters.first()));
    if (!folder.isEmpty())
        dialog->setDirectory(folder);
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
        const QString ext = ExtensionOf(filter);
        if (!ext.isEmpty())
            dialog->setDefaultSuffix(ext);
    });
    return dialog;
}

std::optional<ExportChoice> QtExportFileDialogs::saveText(QWidget* parent, const QString& folder) {
    return Run(
        CreateExportDialog(parent, QStringLiteral("Export in eine Textdatei"), TextExportFilters(), folder),
        TextExportFilters());
}

std::optional<ExportChoice> QtExportFileDialogs::saveExcel(QWidget* parent, const QString& folder) {
    QFileDialog* dialog = CreateExportDialog(parent, QStringLiteral("Export in eine Excel-Datei"),
                                             ExcelExportFilters(), folder);
    dialog->selectFile(QStringLiteral("*.XLS"));
    return Run(dialog, ExcelExportFilters());
}

} // namespace kt
