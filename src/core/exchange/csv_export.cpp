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

namespace {

void AppendUtf8(std::string& out, unsigned char b) {
    if (b < 0x80) {
        out += static_cast<char>(b);
        return;
    }
    const char32_t cp = Cp1252ToUnicode(b);
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// CsvField of a Windows-1252 cell, converted on the way: a big list makes no temporaries. Runs
// of ASCII without quotes go over in one piece.
void AppendCell(std::string& out, std::string_view cp1252) {
    const bool quoted = cp1252.find_first_of(";\"\r\n") != std::string_view::npos;
    if (quoted)
        out += '"';
    std::size_t run = 0;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp1252[i]);
        if (b < 0x80 && b != '"')
            continue;
        out.append(cp1252.data() + run, i - run);
        if (b == '"')
            out += "\"\"";
        else
            AppendUtf8(out, b);
        run = i + 1;
    }
    out.append(cp1252.data() + run, cp1252.size() - run);
    if (quoted)
        out += '"';
}

} // namespace

std::string CsvBytes(const FilmList& list, Progress* progress) {
    const int rows = list.FilledRows() + 1;
    NoProgress silent;
    ProgressTicker tick(progress ? *progress : silent, "Filme werden exportiert!", rows);
    // Sized once: umlauts grow by a byte, separators and line ends come on top.
    std::size_t size = 64;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < list.ColCount(); ++col)
            size += list.Cell(row, col).size() + 1;
    std::string out;
    out.reserve(size + size / 8);
    out = "\xEF\xBB\xBF";
    for (int row = 0; row < rows; ++row) {
        tick(row);
        for (int col = 0; col < list.ColCount(); ++col) {
            if (col > 0)
                out += ';';
            AppendCell(out, list.Cell(row, col));
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
