#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kt {

// The filters of the import's open dialog: Excel workbooks (.xls first, then .xlsx) or text files.
QStringList ImportFileFilters(bool excel);
// Shows the open dialog of an import (OpenDialog1); the folder must exist. Empty when cancelled.
QString ChooseImportFile(QWidget* parent, const QString& folder, bool excel);

} // namespace kt
