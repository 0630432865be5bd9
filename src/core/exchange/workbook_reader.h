#pragma once

#include "exchange/import_sheet.h"

#include <string_view>

namespace kt {

// Reads the first worksheet (the first BOUNDSHEET) of an Excel 97-2003 workbook (BIFF8 in an OLE2
// container) with the texts its cells show. False with a German message when the bytes are no
// such workbook or it is damaged, encrypted or of an older Excel; `sheet` is then undefined.
bool ReadXlsWorkbook(std::string_view bytes, ImportSheet& sheet, SheetReadError& error);

// The BIFF8 record stream of the workbook alone (as in the "Workbook" stream); used by the above.
bool ReadBiff8Stream(std::string_view stream, ImportSheet& sheet, SheetReadError& error);

} // namespace kt
