#include "exchange/import_file_dialog.h"

#include <QFileDialog>

namespace kt {

QStringList ImportFileFilters(bool excel) {
    // Both letter cases: file names on Linux keep theirs.
    if (excel)
        return {QStringLiteral("Excel-Dateien (*.XLS *.xls)"),
                QStringLiteral("Excel-Arbeitsmappe (*.xlsx *.XLSX)"), QStringLiteral("Alle Dateien (*)")};
    return {QStringLiteral("Text-Dateien (*.TXT *.txt)"), QStringLiteral("CSV-Dateien (*.csv *.CSV)"),
            QStringLiteral("Alle Dateien (*)")};
}

QString ChooseImportFile(QWidget* parent, const QString& folder, bool excel) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setWindowTitle(excel ? QStringLiteral("Importieren aus Excel")
                                : QStringLiteral("Importieren aus TXT-Datei"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(ImportFileFilters(excel));
    dialog.setDefaultSuffix(excel ? QStringLiteral("XLS") : QStringLiteral("TXT"));
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace kt
