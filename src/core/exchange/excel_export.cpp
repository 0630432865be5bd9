#include "exchange/excel_export.h"

#include "exchange/text_export.h"
#include "filmlist/film_list.h"
#include "model/dialogs.h"
#include "persistence/progress_ticker.h"
#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <new>

namespace kt {

using namespace kt::literals;

std::string ExcelExportQuestion() {
    return "Es können nun die angezeigten(!) Datenzeilen und\r\n-spalten in eine Excel-Datei exportiert "
           "werden.\r\n\r\nWeiter?"_cp;
}

std::string NormaliseLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            out += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            out += '\n';
    }
    return out;
}

void FillWorkbook(Workbook& wb, const FilmList& list, const std::function<void(int row)>& rowDone) {
    wb.Reset();
    wb.SetSheetName(0, ExportSheetName);
    std::string utf8;
    for (int row = 0; row < list.RowCount(); ++row) {
        for (int col = 0; col < list.ColCount(); ++col) {
            const std::string_view cell = list.Cell(row, col);
            utf8 = ToUtf8(cell.find('\r') == std::string_view::npos ? cell : NormaliseLineBreaks(cell));
            wb.SetText(0, col, row, utf8);
        }
        if (rowDone)
            rowDone(row);
    }
}

bool ExportWorkbookFile(const FilmList& list, const std::string& file, WorkbookFormat format, UserDialogs& ui,
                        Progress& progress, const std::function<void()>& rowDone) {
    TraceLine("Exchange: ExportWorkbookFile [ENTRY] " + file);
    std::string error;
    bool ok = false;
    try {
        Workbook wb;
        wb.SetFileName(file);
        wb.SetFormat(format);
        ProgressTicker tick(progress, "Filme werden exportiert!", list.RowCount());
        FillWorkbook(wb, list, [&](int row) {
            tick(row + 1);
            if (rowDone)
                rowDone();
        });
        ok = wb.Write(error);
    } catch (const std::bad_alloc&) {
        error = "Nicht genug Speicher für die Excel-Datei."_cp;
    }
    progress.finish();
    if (!ok) {
        ui.error(ExportFailedText(file, error));
        TraceLine("Exchange: ExportWorkbookFile [EXIT] failed: " + error);
        return false;
    }
    TraceLine("Exchange: ExportWorkbookFile [EXIT]");
    return true;
}

} // namespace kt
