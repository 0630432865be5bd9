#pragma once

#include "exchange/import_sheet.h"

#include <cstdint>
#include <string_view>

namespace kt {

// Reads the first worksheet of an Excel 2007 workbook (.xlsx: a ZIP container of XML parts) with
// the texts its cells show, exactly as the cells of an Excel 97 workbook. False with a German
// message when the bytes are no such workbook or it is damaged.
bool ReadXlsxWorkbook(std::string_view bytes, ImportSheet& sheet, SheetReadError& error);

// No part of a workbook may unpack to more than this (ZIP bombs).
constexpr uint64_t MaxXlsxPartSize = 512ull * 1024 * 1024;

} // namespace kt

namespace kt {

enum class ZipContent { NotZip, Xlsx, Ods, Other };
// What a ZIP container holds: an Office Open XML workbook, an OpenDocument spreadsheet or else.
ZipContent ZipContentOf(std::string_view bytes);

} // namespace kt
