#pragma once

#include <QString>

#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace kt {

// What the user chose in the open or save dialog of the film data file.
struct DataFileChoice {
    QString path;
    int filterIndex = 7; // 1 to 7, the entry of the filter list
};

// The file dialogs of the main window; tests put a scripted one in their place.
class DataFileDialogs {
public:
    virtual ~DataFileDialogs() = default;
    // OpenDialog1: an existing file. Nothing when the user cancelled.
    virtual std::optional<DataFileChoice> open(QWidget* parent, const QString& folder) = 0;
    // SaveDialog1: an existing folder; asks before an existing file is overwritten.
    virtual std::optional<DataFileChoice> save(QWidget* parent, const QString& folder) = 0;
};

class QtDataFileDialogs : public DataFileDialogs {
public:
    std::optional<DataFileChoice> open(QWidget* parent, const QString& folder) override;
    std::optional<DataFileChoice> save(QWidget* parent, const QString& folder) override;
};

// A dialog with the seven filters, entry 7 chosen and the extension "VD6"; choosing another entry
// puts "*." and its extension into the file name field and makes it the default extension.
QFileDialog* CreateDataFileDialog(QWidget* parent, bool save, const QString& folder);
// The entry (1 to 7) of a filter text of that list; 0 for another text.
int DataFileFilterIndex(const QString& filter);

} // namespace kt

namespace kt {

// File names are kept as the file system's bytes, as open(2) takes them; the screen shows them
// decoded the same way.
std::string PathBytes(const QString& path);
QString PathText(const std::string& path);

} // namespace kt
