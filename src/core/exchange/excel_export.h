#pragma once

#include "exchange/workbook.h"

#include <functional>
#include <string>
#include <string_view>

namespace kt {

class FilmList;
class Progress;
class UserDialogs;

// The question before the Excel export; Yes goes on.
std::string ExcelExportQuestion();
// The sheet the list is copied into.
inline constexpr const char* ExportSheetName = "Kassotek-Daten";

// A carriage return before a line feed is dropped, any other one becomes a line feed.
std::string NormaliseLineBreaks(std::string_view text);

// Resets `wb` to the one sheet "Kassotek-Daten" and copies every cell of the list into it as
// text: grid cell (column c, row r) to sheet cell (c, r), the header row included. `rowDone` runs
// after each row (the window keeps painting).
void FillWorkbook(Workbook& wb, const FilmList& list, const std::function<void(int row)>& rowDone = {});

// The whole Excel export after the file was chosen: fills the workbook and writes `file` in
// `format`. A failure is told in an error box naming the file; nothing half-written stays.
bool ExportWorkbookFile(const FilmList& list, const std::string& file, WorkbookFormat format, UserDialogs& ui,
                        Progress& progress, const std::function<void()>& rowDone = {});

} // namespace kt
