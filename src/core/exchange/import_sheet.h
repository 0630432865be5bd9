#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kt {

// The first worksheet of a workbook as the import sees it: the used range and the text of every
// cell (Windows-1252), rows and columns counted from 0.
class ImportSheet {
public:
    // Later cells of the same place replace earlier ones.
    void setCell(int row, int col, std::string text);
    // A cell that is in the used range without a text (a formatted blank).
    void touch(int row, int col);
    // Widens the used range to the declared dimensions of the sheet.
    void declareRange(int firstRow, int lastRow, int firstCol, int lastCol);

    bool empty() const { return lastRow_ < firstRow_ || lastCol_ < firstCol_; }
    int firstRow() const { return firstRow_; }
    int lastRow() const { return lastRow_; }
    int firstCol() const { return firstCol_; }
    int lastCol() const { return lastCol_; }

    // The cells of each row that has any, ordered by column; rows in ascending order.
    using Row = std::vector<std::pair<int, std::string>>;
    const std::map<int, Row>& rows() const;
    // The text of a cell; empty for an empty cell.
    std::string text(int col, int row) const;
    std::size_t cellCount() const;

private:
    void widen(int row, int col);
    mutable std::map<int, Row> rows_;
    mutable bool sorted_ = true;
    int firstRow_ = 0, lastRow_ = -1, firstCol_ = 0, lastCol_ = -1;
};

// Cell texts as a German spreadsheet shows them by default.
// A number without thousands separator and with "," as decimal separator: 117, 117,5.
std::string NumberCellText(double value);
// A date serial of the 1900 or 1904 date system as dd.mm.yyyy; the number text when it is none.
std::string DateCellText(double serial, bool date1904);
std::string BoolCellText(bool value); // WAHR / FALSCH
// The text of an error code of the binary format (#DIV/0! ...).
std::string ErrorCellText(int code);

// Whether a number format shows a date: the built-in date formats and custom codes with day,
// month or year parts outside quotes, brackets and escapes.
bool IsDateFormat(int formatId, std::string_view code);

// A Unicode code point as one Windows-1252 byte; "?" when it has none.
char UnicodeToCp1252(char32_t c);
// UTF-8 text to Windows-1252 (faster than the general conversion for long cell lists).
void AppendUtf8AsCp1252(std::string& out, std::string_view utf8);

// Why a file could not be read; the message is German, Windows-1252, and says what to do.
struct SheetReadError {
    std::string message;
};

} // namespace kt
