#include "exchange/csv_export.h"

#include "exchange/text_export.h"
#include "filmlist/film_list.h"
#include "model/dialogs.h"
#include "persistence/file_access.h"
#include "persistence/network_lock.h"
#include "persistence/progress_ticker.h"
#include "persistence/save_transaction.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

namespace kt {

std::string CsvField(std::string_view utf8) {
    if (utf8.find_first_of(";\"\r\n") == std::string_view::npos)
        return std::string(utf8);
    std::string out = "\"";
    for (char ch : utf8) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    return out + '"';
}

std::string CsvBytes(const FilmList& list, Progress* progress) {
    const int rows = list.FilledRows() + 1;
    NoProgress silent;
    ProgressTicker tick(progress ? *progress : silent, "Filme werden exportiert!", rows);
    std::string out = "\xEF\xBB\xBF";
    for (int row = 0; row < rows; ++row) {
        tick(row);
        for (int col = 0; col < list.ColCount(); ++col) {
            if (col > 0)
                out += ';';
            out += CsvField(ToUtf8(list.Cell(row, col)));
        }
        out += "\r\n";
    }
    if (progress)
        progress->finish();
    return out;
}

bool ExportCsvFile(Collection& c, const FilmList& list, const std::string& file, UserDialogs& ui,
                   Progress& progress) {
    TraceLine("Exchange: ExportCsvFile [ENTRY] " + file);
    if (!Networking_OK(c, file, ui)) {
        ui.error(ExportTargetBusyText());
        return false;
    }
    const WriteOutcome w = WriteFileSafely(file, CsvBytes(list, &progress));
    if (!w.ok) {
        ui.notice(ExportFailedText(file, IoReasonText(w.error)));
        return false;
    }
    ui.information(std::to_string(list.FilledRows()) + " Filme wurden in " + FileNameText(file) +
                   " exportiert!");
    TraceLine("Exchange: ExportCsvFile [EXIT]");
    return true;
}

bool IsCsvFileName(const std::string& fileName) {
    return UpperAZ(FileExtOf(fileName)) == ".CSV";
}

} // namespace kt
