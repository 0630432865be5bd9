#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kt {

// The file forms a workbook is written in.
enum class WorkbookFormat {
    Excel97, // BIFF8 records in an OLE2 compound file (".xls")
    Xlsx,    // Office Open XML (".xlsx")
};

// One worksheet: text cells at (column, row), both counted from 0, each a reference into the
// workbook's shared texts.
struct WorkSheet {
    struct Cell {
        int32_t row = 0;
        int32_t col = 0;
        uint32_t text = 0; // index into the shared texts
    };
    std::string name; // UTF-8
    std::vector<Cell> cells;
    // The cells are in row-major order without repeats (checked by Normalise).
    bool ordered = true;
};

// A workbook of text cells and the engine that writes it as a file. Texts are UTF-8 here, so
// that characters beyond Windows-1252 survive a round trip; callers convert at their edge.
// No operation throws: failures come back as false with a German reason.
class Workbook {
public:
    // The largest sheet of the Excel 97 format and the longest cell text (in UTF-16 units).
    static constexpr int MaxRows = 65536;
    static constexpr int MaxColumns = 256;
    static constexpr std::size_t MaxTextLength = 32767;

    Workbook();

    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
    const std::string& FileName() const { return fileName_; }
    void SetFormat(WorkbookFormat format) { format_ = format; }
    WorkbookFormat Format() const { return format_; }

    // Discards all worksheets and their shared texts; one new, empty worksheet remains.
    void Reset();
    // Appends an empty worksheet; its index.
    int AddSheet(std::string nameUtf8);
    int SheetCount() const { return static_cast<int>(sheets_.size()); }
    // False for a sheet that does not exist or a name Excel refuses (empty, more than 31
    // characters, one of : \ / ? * [ ]).
    bool SetSheetName(int sheet, std::string nameUtf8);
    std::string SheetName(int sheet) const;

    // Writes a text cell, replacing what the cell held. A text longer than MaxTextLength is cut
    // there. False, writing nothing, outside the sheets or the Excel 97 sheet size.
    bool SetText(int sheet, int col, int row, std::string_view utf8);
    // The text of a cell; empty for a cell without text.
    std::string Text(int sheet, int col, int row) const;
    // One more than the highest row and column holding a cell (0 for an empty sheet).
    int RowCount(int sheet) const;
    int ColumnCount(int sheet) const;

    // Writes the workbook to FileName() in Format(): complete in a temporary file beside it,
    // then renamed, so a failure leaves any earlier file of that name as it was. False with a
    // German reason (Windows-1252, without the file name) in `error`.
    bool Write(std::string& error) const;
    // The file's bytes in the Excel 97 format.
    bool Excel97Bytes(std::string& out, std::string& error) const;

    // The shared texts, in the order they were first used.
    const std::vector<std::string>& SharedTexts() const { return texts_; }
    const WorkSheet& Sheet(int sheet) const { return sheets_.at(static_cast<std::size_t>(sheet)); }

private:
    uint32_t Intern(std::string_view text);
    void Normalise(int sheet) const;
    bool WriteXlsx(std::string& error) const;

    std::string fileName_;
    WorkbookFormat format_ = WorkbookFormat::Excel97;
    mutable std::vector<WorkSheet> sheets_;
    std::vector<std::string> texts_;
    std::unordered_map<std::string, uint32_t> textIndex_;
};

// The form a file name asks for by its extension (".xls", ".xlsx", any letter case); Excel 97
// for any other name.
WorkbookFormat WorkbookFormatOf(const std::string& fileName);

} // namespace kt
