// The input is a file to import, led by a byte that chooses how it is read: an Excel 97 workbook,
// an .xlsx workbook, a text file or a CSV file. Whatever the bytes, the reading ends with a sheet
// or a message, and the import of the sheet's rows creates films without a fault.
#include "catalogue/col_arrange.h"
#include "exchange/import_entry.h"
#include "exchange/import_file.h"
#include "exchange/import_text.h"
#include "model/collection.h"
#include "model/dialogs.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    kt::ColArrange columns;
    for (int e = 0; e < kt::ColPics; ++e)
        columns[e].ImportPos = e + 1;
    kt::Collection c;
    kt::SilentDialogs ui;
    kt::NoProgress progress;
    switch (data[0] % 4) {
    case 0:
    case 1: {
        kt::ImportSheet sheet;
        kt::SheetReadError error;
        const auto kind = data[0] % 4 == 0 ? kt::ImportKind::Xls : kt::ImportKind::Xlsx;
        if (!kt::ReadImportWorkbook(bytes, kind, sheet, error)) {
            if (error.message.empty())
                std::abort();
            return 0;
        }
        kt::ImportWindow w;
        w.firstRow = 0;
        w.rows = 70000;
        w.firstCol = 0;
        w.cols = 30;
        kt::ImportSheetRows(sheet, w, c, columns, ui, progress);
        break;
    }
    case 2: {
        kt::ImportRun run(c, columns, ui);
        for (const auto& line : kt::TextFileLines(bytes))
            run.ImportEntry(line, '$');
        break;
    }
    default: {
        kt::ImportRun run(c, columns, ui);
        for (const auto& fields : kt::CsvRecords(kt::CsvText(bytes), ';'))
            run.ImportFields(fields);
        break;
    }
    }
    if (c.AnzFilm() > kt::MaxFilms || c.StorageMediaList.size() > 32)
        std::abort();
    return 0;
}
