#include "mainwindow/data_file_dialogs.h"

#include "persistence/data_file_commands.h"

#include <QFileDialog>

namespace kt {

namespace {

QStringList FilterTexts() {
    QStringList out;
    for (int i = 1; i <= DataFileFilterCount; ++i)
        out << QString::fromLatin1(DataFileFilterAt(i).description);
    return out;
}

QString ExtensionWithoutDot(int index) {
    return QString::fromStdString(FilterExtension(index)).mid(1);
}

std::optional<DataFileChoice> Run(QFileDialog* dialog) {
    std::optional<DataFileChoice> choice;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        const int index = DataFileFilterIndex(dialog->selectedNameFilter());
        choice = DataFileChoice{dialog->selectedFiles().first(), index > 0 ? index : DefaultDataFileFilter};
    }
    delete dialog;
    return choice;
}

} // namespace

int DataFileFilterIndex(const QString& filter) {
    return static_cast<int>(FilterTexts().indexOf(filter)) + 1;
}

QFileDialog* CreateDataFileDialog(QWidget* parent, bool save, const QString& folder) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(save ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1"));
    dialog->setWindowTitle(save ? QStringLiteral("Kassotek-Datei speichern")
                                : QStringLiteral("Kassotek-Datei laden"));
    // Qt's own dialog, so that the filter change can fill in the file name field.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setNameFilters(FilterTexts());
    dialog->selectNameFilter(FilterTexts().at(DefaultDataFileFilter - 1));
    dialog->setDefaultSuffix(ExtensionWithoutDot(DefaultDataFileFilter));
    if (!folder.isEmpty())
        dialog->setDirectory(folder);
    // OpenDialog1TypeChange, for both dialogs.
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
        const int index = DataFileFilterIndex(filter);
        if (index == 0)
            return;
        dialog->setDefaultSuffix(ExtensionWithoutDot(index));
        dialog->selectFile(QStringLiteral("*.") + ExtensionWithoutDot(index));
    });
    return dialog;
}

std::optional<DataFileChoice> QtDataFileDialogs::open(QWidget* parent, const QString& folder) {
    return Run(CreateDataFileDialog(parent, false, folder));
}

std::optional<DataFileChoice> QtDataFileDialogs::save(QWidget* parent, const QString& folder) {
    return Run(CreateDataFileDialog(parent, true, folder));
}

} // namespace kt

namespace kt {

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace kt
