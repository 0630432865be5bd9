#pragma once

#include "catalogue/col_arrange.h"
#include "exchange/import_sheet.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "settings/settings.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kt {

enum class ImportKind { Xls, Xlsx, Text, Csv };

// The kind a file name's extension (in any letter case) stands for: ".xlsx", ".txt", ".csv"; every
// other name is read as an Excel 97 workbook.
ImportKind ImportKindOfName(const std::string& fileName);

// Reads the first worksheet of a workbook of `kind` (Xls or Xlsx). A file of another kind than
// chosen (an .xlsx renamed .xls, an .ods, a text file, an empty file) is refused with a message that
// says what it is and what to do.
bool ReadImportWorkbook(std::string_view bytes, ImportKind kind, ImportSheet& sheet, SheetReadError& error);

// Which rows and columns of a worksheet are read (counted from 0), and the separators.
struct ImportWindow {
    long long firstRow = 1;
    long long rows = 0;
    long long firstCol = 1;
    long long cols = 0;
    char cellSeparator = '$'; // put between the cells of a row
    char separator = '$';     // at which the line is cut
};
ImportWindow ImportWindowOf(const Settings& s);

// The line of one worksheet row as the import builds it; empty and `content` false when the row
// has nothing to import.
std::string BuildImportLine(const ImportSheet& sheet, const ImportSheet::Row& row, const ImportWindow& w,
                            bool& content);

struct ImportResult {
    bool read = true;     // false: the file could not be read; nothing was imported
    int count = 0;        // rows or lines imported
    bool stopped = false; // a film could not be created; reading stopped there
    bool storedVideo = false;
};

// Imports the file `fileName` of `kind` into `c` with the settings and the catalogue's field
// numbers. Films made before a stop stay. Messages go to `ui` (the reason a file cannot be read as
// an error box); the final information is the caller's.
ImportResult ImportFromFile(const std::string& fileName, ImportKind kind, const Settings& s, Collection& c,
                            const ColArrange& columns, UserDialogs& ui, Progress& progress,
                            std::function<void(int)> mediumAdded = {});

// The same on a worksheet read before.
ImportResult ImportSheetRows(const ImportSheet& sheet, const ImportWindow& w, Collection& c,
                             const ColArrange& columns, UserDialogs& ui, Progress& progress,
                             std::function<void(int)> mediumAdded = {});

// "Es wurden n Datensätze aus FILE importiert."
std::string ImportedText(int count, const std::string& fileName);

} // namespace kt
