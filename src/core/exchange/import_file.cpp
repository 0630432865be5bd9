#include "exchange/import_file.h"

#include "exchange/import_entry.h"
#include "exchange/import_text.h"
#include "exchange/workbook_reader.h"
#include "exchange/xlsx_reader.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <algorithm>
#include <fstream>
#include <iterator>

using namespace kt::literals;

namespace kt {

namespace {

constexpr std::string_view OleMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr std::string_view ZipMagic("PK\x03\x04", 4);
// Progress is reported every so many rows.
constexpr int ProgressStep = 256;

bool LooksLikeText(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 4096);
    return std::none_of(head.begin(), head.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 32 && c != '\r' && c != '\n' && c != '\t';
    });
}

std::string OldExcelText() {
    return "Die Datei ist eine Arbeitsmappe von Excel 5.0/95 oder älter; dieses Format wird nicht "
           "gelesen.\r\n"
           "Speichern Sie sie in Excel oder LibreOffice als Excel-97-2003-Arbeitsmappe (.xls)."_cp;
}

// What a file that is not of the chosen kind is, and what to do; empty when it may be of that kind.
std::string ForeignFileText(std::string_view bytes, ImportKind kind) {
    if (bytes.empty())
        return "Die Datei ist leer."_cp;
    const bool excel = kind == ImportKind::Xls || kind == ImportKind::Xlsx;
    if (bytes.substr(0, 8) == OleMagic) {
        if (kind == ImportKind::Xls)
            return {};
        if (!excel)
            return "Die Datei ist eine Excel-Arbeitsmappe und keine Textdatei; wählen Sie "
                   "„Importieren aus Excel“."_cp;
        ImportSheet probe;
        SheetReadError e;
        if (!ReadXlsWorkbook(bytes, probe, e))
            return e.message; // a password-protected .xlsx is an OLE file too
        return "Die Datei ist eine Excel-97-2003-Arbeitsmappe (.xls); wählen Sie den Dateityp *.xls."_cp;
    }
    if (bytes.substr(0, 4) == ZipMagic) {
        switch (ZipContentOf(bytes)) {
        case ZipContent::Xlsx:
            if (kind == ImportKind::Xlsx)
                return {};
            return excel
                       ? "Die Datei ist eine Excel-2007-Arbeitsmappe (.xlsx); wählen Sie den Dateityp *.xlsx."_cp
                       : "Die Datei ist eine Excel-Arbeitsmappe (.xlsx) und keine Textdatei; wählen Sie "
                         "„Importieren aus Excel“ und den Dateityp *.xlsx."_cp;
        case ZipContent::Ods:
            return "Die Datei ist eine OpenDocument-Tabelle (.ods); speichern Sie sie in LibreOffice als "
                   "Excel-Arbeitsmappe (.xls oder .xlsx) und importieren Sie diese."_cp;
        default:
            return kind == ImportKind::Xlsx ? std::string()
                                            : "Die Datei ist ein ZIP-Archiv, aber keine Arbeitsmappe, die "
                                              "Kassotek lesen kann."_cp;
        }
    }
    if (!excel)
        return {};
    // A BIFF2 to BIFF5 file without the OLE container starts with its BOF record.
    if (bytes.size() >= 4 && bytes[1] == 0x08 && (bytes[0] == 0x09) && bytes[3] == 0)
        return OldExcelText();
    if (bytes.size() >= 4 && bytes[0] == 0x09 && (bytes[1] == 0x00 || bytes[1] == 0x02 || bytes[1] == 0x04))
        return OldExcelText();
    if (LooksLikeText(bytes)) {
        const std::string head = UpperAZ(bytes.substr(0, 2048));
        if (head.find("<HTML") != std::string::npos || head.find("<TABLE") != std::string::npos)
            return "Die Datei ist eine HTML-Seite und keine Excel-Arbeitsmappe; speichern Sie die Tabelle in "
                   "Excel oder LibreOffice als Excel-Arbeitsmappe (.xls oder .xlsx)."_cp;
        if (head.find("<?XML") != std::string::npos)
            return "Die Datei ist eine XML-Tabelle und keine Excel-Arbeitsmappe; speichern Sie sie in Excel "
                   "oder LibreOffice als Excel-Arbeitsmappe (.xls oder .xlsx)."_cp;
        return "Die Datei ist eine Textdatei und keine Excel-Arbeitsmappe; wählen Sie „Importieren aus "
               "TXT-Datei“."_cp;
    }
    return "Die Datei ist keine Excel-Arbeitsmappe. Wählen Sie eine Excel-Arbeitsmappe (*.xls oder *.xlsx)."_cp;
}

bool ReadWholeFile(const std::string& fileName, std::string& bytes) {
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(bytes.data(), size)) || size == 0;
}

// Reports rows as they are done; the front end keeps its window responsive in step().
class RowTicker {
public:
    RowTicker(Progress& p, int total) : p_(p) { p_.start("Importiere Daten ...", std::max(total, 1)); }
    ~RowTicker() { p_.finish(); }
    void row() {
        if (++done_ % ProgressStep == 0)
            p_.step(done_);
    }

private:
    Progress& p_;
    int done_ = 0;
};

} // namespace

ImportKind ImportKindOfName(const std::string& fileName) {
    const std::string ext = UpperAZ(FileExtOf(fileName));
    if (ext == ".XLSX")
        return ImportKind::Xlsx;
    if (ext == ".TXT")
        return ImportKind::Text;
    if (ext == ".CSV")
        return ImportKind::Csv;
    return ImportKind::Xls;
}

bool ReadImportWorkbook(std::string_view bytes, ImportKind kind, ImportSheet& sheet, SheetReadError& error) {
    if (std::string foreign = ForeignFileText(bytes, kind); !foreign.empty()) {
        error.message = std::move(foreign);
        return false;
    }
    return kind == ImportKind::Xlsx ? ReadXlsxWorkbook(bytes, sheet, error)
                                    : ReadXlsWorkbook(bytes, sheet, error);
}

ImportWindow ImportWindowOf(const Settings& s) {
    ImportWindow w;
    w.firstRow = s.FirstRow2Read;
    w.rows = s.AnzRows2Read;
    w.firstCol = s.FirstCol2Read;
    w.cols = s.AnzCols2Read;
    w.cellSeparator = SeparatorOf(std::string(1, s.ImportTrennz), '$');
    w.separator = s.Trennzeichen;
    return w;
}

std::string BuildImportLine(const ImportSheet& sheet, const ImportSheet::Row& row, const ImportWindow& w,
                            bool& content) {
    content = false;
    std::string line;
    const long long from = std::max<long long>(sheet.firstCol(), w.firstCol);
    const long long to = std::min<long long>(sheet.lastCol(), w.firstCol + w.cols - 1);
    auto cell = row.begin();
    for (long long c = from; c <= to; ++c) {
        while (cell != row.end() && cell->first < c)
            ++cell;
        const bool has = cell != row.end() && cell->first == c;
        const std::string& text = has ? cell->second : std::string();
        if (has && HasImportContent(text))
            content = true;
        if (c > sheet.firstCol())
            line += w.cellSeparator;
        line += text.empty() ? std::string(" ") : text;
    }
    if (!content)
        line.clear();
    return line;
}

ImportResult ImportSheetRows(const ImportSheet& sheet, const ImportWindow& w, Collection& c,
                             const ColArrange& columns, UserDialogs& ui, Progress& progress,
                             std::function<void(int)> mediumAdded) {
    ImportResult result;
    ImportRun run(c, columns, ui, std::move(mediumAdded));
    const long long lastRow = w.firstRow + w.rows - 1;
    const auto& rows = sheet.rows();
    const auto begin = rows.lower_bound(static_cast<int>(std::clamp<long long>(w.firstRow, 0, INT32_MAX)));
    long long total = 0;
    for (auto it = begin; it != rows.end() && it->first <= lastRow; ++it)
        ++total;
    RowTicker ticker(progress, static_cast<int>(std::min<long long>(total, INT32_MAX)));
    // One growth of the film table instead of many moves of all films.
    c.films().reserve(static_cast<std::size_t>(std::min<long long>(MaxFilms, c.AnzFilm() + total)));
    for (auto it = begin; it != rows.end() && it->first <= lastRow; ++it) {
        ticker.row();
        bool content = false;
        const std::string line = BuildImportLine(sheet, it->second, w, content);
        if (!content)
            continue;
        if (!run.ImportEntry(line, w.separator)) {
            result.stopped = true;
            break;
        }
        ++result.count;
    }
    result.storedVideo = run.storedVideoFilm();
    return result;
}

ImportResult ImportFromFile(const std::string& fileName, ImportKind kind, const Settings& s, Collection& c,
                            const ColArrange& columns, UserDialogs& ui, Progress& progress,
                            std::function<void(int)> mediumAdded) {
    TraceLine("Ktk_Imp: ImportFromFile [ENTRY] " + fileName);
    ImportResult result;
    const std::string name = FileNameText(fileName);
    auto refuse = [&](const std::string& why) {
        ui.error("Fehler beim Importieren aus "_cp + name + ":\r\n\r\n" + why);
        result.read = false;
        TraceLine("Ktk_Imp: ImportFromFile [EXIT] [ERROR] not read");
        return result;
    };
    std::string bytes;
    try {
        if (!ReadWholeFile(fileName, bytes))
            return refuse("Die Datei kann nicht gelesen werden."_cp);
    } catch (const std::bad_alloc&) {
        return refuse("Nicht genug Arbeitsspeicher zum Lesen der Datei!"_cp);
    }

    if (kind == ImportKind::Xls || kind == ImportKind::Xlsx) {
        ImportSheet sheet;
        SheetReadError error;
        if (!ReadImportWorkbook(bytes, kind, sheet, error))
            return refuse(error.message);
        bytes.clear();
        result = ImportSheetRows(sheet, ImportWindowOf(s), c, columns, ui, progress, std::move(mediumAdded));
    } else {
        if (std::string foreign = ForeignFileText(bytes, kind); !foreign.empty())
            return refuse(foreign);
        ImportRun run(c, columns, ui, std::move(mediumAdded));
        const long long skip = std::max<long long>(s.ImportKopfzeilen, 0);
        auto importAll = [&](auto& records, auto importOne) {
            RowTicker ticker(progress, static_cast<int>(std::min<std::size_t>(records.size(), INT32_MAX)));
            c.films().reserve(std::min<std::size_t>(MaxFilms, c.films().size() + records.size()));
            for (std::size_t i = static_cast<std::size_t>(
                     std::min<long long>(skip, static_cast<long long>(records.size())));
                 i < records.size(); ++i) {
                ticker.row();
                if (!importOne(records[i]))
                    continue;
                if (result.stopped)
                    break;
                ++result.count;
            }
        };
        // A line or record without any content would only make an empty film: it is left out.
        if (kind == ImportKind::Text) {
            auto lines = TextFileLines(bytes);
            importAll(lines, [&](const std::string& line) {
                if (!HasImportContent(line))
                    return false;
                result.stopped = !run.ImportEntry(line, s.Trennzeichen);
                return true;
            });
        } else {
            auto records = CsvRecords(CsvText(bytes), s.Trennzeichen);
            importAll(records, [&](const std::vector<std::string>& fields) {
                if (std::none_of(fields.begin(), fields.end(),
                                 [](const auto& f) { return HasImportContent(f); }))
                    return false;
                result.stopped = !run.ImportFields(fields);
                return true;
            });
        }
        if (result.stopped)
            ui.error("Fehler beim Importieren aus "_cp + name + "!");
        result.storedVideo = run.storedVideoFilm();
    }
    TraceLine("Ktk_Imp: ImportFromFile [EXIT] count=" + std::to_string(result.count));
    return result;
}

std::string ImportedText(int count, const std::string& fileName) {
    return "Es wurden "_cp + std::to_string(count) + " Datensätze aus "_cp + FileNameText(fileName) +
           " importiert.";
}

} // namespace kt
