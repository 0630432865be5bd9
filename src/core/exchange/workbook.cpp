#include "exchange/workbook.h"

#include "exchange/biff8.h"
#include "persistence/file_access.h"
#include "persistence/save_transaction.h"
#include "settings/settings.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <gsf/gsf-infile.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace kt {

using namespace kt::literals;

namespace biff8 {

std::u16string Utf16FromUtf8(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        char32_t cp = 0;
        std::size_t len = 0;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1Fu;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0Fu;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07u;
            len = 4;
        }
        bool good = len > 0 && i + len <= s.size();
        for (std::size_t k = 1; good && k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            good = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3Fu);
        }
        if (good && ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
                     cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            good = false;
        if (!good) {
            // A stray byte: the program's own texts are Windows-1252.
            cp = Cp1252ToUnicode(b);
            len = 1;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

std::string Utf8FromUtf16(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

bool FitsLatin1(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; });
}

} // namespace biff8

namespace {

using namespace kt::biff8;

// Cuts a text after `units` UTF-16 code units, never inside a character.
std::string_view CutText(std::string_view utf8, std::size_t units) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        std::size_t len = b < 0x80             ? 1
                          : (b & 0xE0) == 0xC0 ? 2
                          : (b & 0xF0) == 0xE0 ? 3
                          : (b & 0xF8) == 0xF0 ? 4
                                               : 1;
        if (i + len > utf8.size())
            len = 1;
        const std::size_t need = len == 4 ? 2 : 1;
        if (count + need > units)
            return utf8.substr(0, i);
        count += need;
        i += len;
    }
    return utf8;
}

void Put16(std::string& b, uint32_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void Patch32(std::string& b, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Record(std::string& stream, uint16_t id, std::string_view data) {
    Put16(stream, id);
    Put16(stream, static_cast<uint32_t>(data.size()));
    stream.append(data);
}

std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes)
        out += static_cast<char>(b);
    return out;
}

// The characters of a string: one byte each when all are Latin-1, else UTF-16 little-endian.
void PutChars(std::string& b, std::u16string_view text, bool high) {
    for (char16_t c : text) {
        b += static_cast<char>(c & 0xFF);
        if (high)
            b += static_cast<char>(c >> 8);
    }
}

// A short string (sheet and font names): 8-bit count, flags, characters.
std::string ShortString(std::u16string_view text) {
    std::string b;
    const bool high = !FitsLatin1(text);
    b += static_cast<char>(text.size());
    b += static_cast<char>(high ? StringHighByte : 0);
    PutChars(b, text, high);
    return b;
}

std::string Bof(uint16_t type) {
    std::string b;
    Put16(b, BofVersion);
    Put16(b, type);
    Put16(b, 0x0DBB); // build
    Put16(b, 0x07CC); // year
    Put32(b, 0x00000041);
    Put32(b, 0x00000006); // lowest version that can read the file
    return b;
}

std::string Font() {
    std::string b;
    Put16(b, 200);    // 10 points
    Put16(b, 0);      // no attributes
    Put16(b, 0x7FFF); // automatic colour
    Put16(b, 400);    // normal weight
    Put16(b, 0);      // no super- or subscript
    b += Bytes({0, 0, 0, 0});
    return b + ShortString(u"Arial");
}

// The shared strings (SST) with their CONTINUE records and the index (EXTSST) into them.
// A record holds at most MaxRecordData bytes; a string header is never split, and a string
// continued in the next record starts there again with its flags byte.
class SstWriter {
public:
    SstWriter(std::string& stream, uint32_t total, uint32_t unique)
        : stream_(stream), bucket_(std::max<uint32_t>(8, (unique + 127) / 128)) {
        Put32(data_, total);
        Put32(data_, unique);
    }

    void add(std::u16string_view text) {
        const bool high = !FitsLatin1(text);
        const std::size_t unit = high ? 2 : 1;
        const std::size_t first = text.empty() ? 0 : unit;
        if (data_.size() + 3 + first > MaxRecordData)
            flush();
        if (count_ % bucket_ == 0) {
            Put32(ext_, static_cast<uint32_t>(stream_.size() + 4 + data_.size()));
            Put16(ext_, static_cast<uint32_t>(4 + data_.size()));
            Put16(ext_, 0);
        }
        ++count_;
        Put16(data_, static_cast<uint32_t>(text.size()));
        data_ += static_cast<char>(high ? StringHighByte : 0);
        while (!text.empty()) {
            std::size_t room = (MaxRecordData - data_.size()) / unit;
            if (room == 0) {
                flush();
                data_ += static_cast<char>(high ? StringHighByte : 0);
                room = (MaxRecordData - data_.size()) / unit;
            }
            const std::size_t n = std::min(room, text.size());
            PutChars(data_, text.substr(0, n), high);
            text.remove_prefix(n);
        }
    }

    void finish() {
        flush();
        std::string ext;
        Put16(ext, bucket_);
        ext += ext_;
        Record(stream_, RecExtSst, ext);
    }

private:
    void flush() {
        Record(stream_, id_, data_);
        data_.clear();
        id_ = RecContinue;
    }

    std::string& stream_;
    std::string data_;
    std::string ext_;
    uint16_t id_ = RecSst;
    uint32_t bucket_;
    uint32_t count_ = 0;
};

std::string Globals(const std::vector<WorkSheet>& sheets, const std::vector<std::string>& texts,
                    std::size_t cellCount, std::vector<std::size_t>& sheetOffsetAt) {
    std::string g;
    Record(g, RecBof, Bof(BofWorkbookGlobals));
    Record(g, RecCodepage, Bytes({CodepageUtf16 & 0xFF, CodepageUtf16 >> 8}));
    Record(g, RecDsf, Bytes({0, 0}));
    Record(g, RecWindowProtect, Bytes({0, 0}));
    Record(g, RecProtect, Bytes({0, 0}));
    Record(g, RecPassword, Bytes({0, 0}));
    std::string window1;
    for (uint32_t v : {0u, 0u, 0x25BCu, 0x1572u, 0x0038u, 0u, 0u, 1u, 0x0258u})
        Put16(window1, v);
    Record(g, RecWindow1, window1);
    Record(g, RecBackup, Bytes({0, 0}));
    Record(g, RecHideObj, Bytes({0, 0}));
    Record(g, RecDate1904, Bytes({0, 0}));
    Record(g, RecCalcPrecision, Bytes({1, 0}));
    Record(g, RecRefreshAll, Bytes({0, 0}));
    Record(g, RecBookBool, Bytes({0, 0}));
    // Readers skip font index 4, so five fonts give the indexes 0 to 3 and 5.
    for (int i = 0; i < 5; ++i)
        Record(g, RecFont, Font());
    // 15 style formats, then the one cell format every cell uses.
    const std::string styleXf0 =
        Bytes({0, 0, 0, 0, 0xF5, 0xFF, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x20});
    const std::string styleXf =
        Bytes({0, 0, 0, 0, 0xF5, 0xFF, 0x20, 0, 0, 0xF4, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x20});
    const std::string cellXf =
        Bytes({0, 0, 0, 0, 0x01, 0x00, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x20});
    Record(g, RecXf, styleXf0);
    for (int i = 1; i < DefaultCellXf; ++i)
        Record(g, RecXf, styleXf);
    Record(g, RecXf, cellXf);
    Record(g, RecStyle, Bytes({0x00, 0x80, 0x00, 0xFF})); // built-in "Normal" on format 0
    Record(g, RecUsesElfs, Bytes({0, 0}));
    for (const WorkSheet& s : sheets) {
        std::string b(6, '\0'); // stream offset of the sheet's BOF (patched), visible worksheet
        b += ShortString(Utf16FromUtf8(s.name));
        sheetOffsetAt.push_back(g.size() + 4);
        Record(g, RecBoundSheet, b);
    }
    Record(g, RecCountry, Bytes({49, 0, 49, 0}));
    SstWriter sst(g, static_cast<uint32_t>(cellCount), static_cast<uint32_t>(texts.size()));
    for (const std::string& t : texts)
        sst.add(Utf16FromUtf8(t));
    sst.finish();
    Record(g, RecEof, {});
    return g;
}

void SheetRecords(std::string& out, const WorkSheet& s) {
    Record(out, RecBof, Bof(BofWorksheet));
    Record(out, RecDefColWidth, Bytes({8, 0}));
    int32_t lastRow = -1, lastCol = -1;
    for (const auto& c : s.cells) {
        lastRow = std::max(lastRow, c.row);
        lastCol = std::max(lastCol, c.col);
    }
    std::string dim;
    Put32(dim, 0);
    Put32(dim, static_cast<uint32_t>(lastRow + 1));
    Put16(dim, 0);
    Put16(dim, static_cast<uint32_t>(lastCol + 1));
    Put16(dim, 0);
    Record(out, RecDimensions, dim);
    out.reserve(out.size() + s.cells.size() * 14 + 64);
    for (const auto& c : s.cells) {
        char rec[14] = {static_cast<char>(RecLabelSst & 0xFF), static_cast<char>(RecLabelSst >> 8), 10, 0};
        rec[4] = static_cast<char>(c.row & 0xFF);
        rec[5] = static_cast<char>((c.row >> 8) & 0xFF);
        rec[6] = static_cast<char>(c.col & 0xFF);
        rec[7] = static_cast<char>((c.col >> 8) & 0xFF);
        rec[8] = static_cast<char>(DefaultCellXf);
        rec[9] = 0;
        for (int i = 0; i < 4; ++i)
            rec[10 + i] = static_cast<char>((c.text >> (8 * i)) & 0xFF);
        out.append(rec, sizeof rec);
    }
    std::string window2;
    for (uint32_t v : {0x06B6u, 0u, 0u, 0x40u, 0u, 0u, 0u, 0u, 0u})
        Put16(window2, v);
    Record(out, RecWindow2, window2);
    Record(out, RecEof, {});
}

// Puts the workbook stream into an OLE2 compound file in memory.
bool CompoundFile(const std::string& workbook, std::string& out, std::string& error) {
    gsf_init();
    GsfOutput* sink = gsf_output_memory_new();
    GError* err = nullptr;
    GsfOutfile* ole = gsf_outfile_msole_new(sink);
    bool ok = ole != nullptr;
    if (ok) {
        GsfOutput* child = gsf_outfile_new_child(GSF_OUTFILE(ole), "Workbook", FALSE);
        ok = child != nullptr &&
             gsf_output_write(child, workbook.size(), reinterpret_cast<const guint8*>(workbook.data()));
        if (child) {
            ok = gsf_output_close(child) && ok;
            g_object_unref(child);
        }
        ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
        g_object_unref(ole);
    }
    if (ok) {
        const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink));
        out.assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(gsf_output_size(sink)));
    } else {
        error = "Die Excel-Datei konnte nicht zusammengestellt werden.";
    }
    if (!gsf_output_is_closed(sink))
        gsf_output_close(sink);
    g_object_unref(sink);
    if (err)
        g_error_free(err);
    return ok;
}

bool ValidSheetName(const std::u16string& name) {
    if (name.empty() || name.size() > MaxSheetNameChars)
        return false;
    return std::none_of(name.begin(), name.end(), [](char16_t c) {
        return c == u':' || c == u'\\' || c == u'/' || c == u'?' || c == u'*' || c == u'[' || c == u']';
    });
}

std::string WriteFailure(int error) {
    return "Fehler beim Schreiben: " + IoReasonText(error);
}

} // namespace

Workbook::Workbook() {
    Reset();
}

void Workbook::Reset() {
    sheets_.clear();
    texts_.clear();
    textIndex_.clear();
    sheets_.push_back(WorkSheet{"Tabelle1", {}, true});
}

int Workbook::AddSheet(std::string nameUtf8) {
    sheets_.push_back(WorkSheet{std::move(nameUtf8), {}, true});
    return SheetCount() - 1;
}

bool Workbook::SetSheetName(int sheet, std::string nameUtf8) {
    if (sheet < 0 || sheet >= SheetCount() || !ValidSheetName(biff8::Utf16FromUtf8(nameUtf8)))
        return false;
    sheets_[static_cast<std::size_t>(sheet)].name = std::move(nameUtf8);
    return true;
}

std::string Workbook::SheetName(int sheet) const {
    if (sheet < 0 || sheet >= SheetCount())
        return {};
    return sheets_[static_cast<std::size_t>(sheet)].name;
}

uint32_t Workbook::Intern(std::string_view text) {
    const auto [it, added] = textIndex_.try_emplace(std::string(text), static_cast<uint32_t>(texts_.size()));
    if (added)
        texts_.push_back(it->first);
    return it->second;
}

bool Workbook::SetText(int sheet, int col, int row, std::string_view utf8) {
    if (sheet < 0 || sheet >= SheetCount() || col < 0 || col >= MaxColumns || row < 0 || row >= MaxRows)
        return false;
    WorkSheet& s = sheets_[static_cast<std::size_t>(sheet)];
    const uint32_t index = Intern(CutText(utf8, MaxTextLength));
    if (!s.cells.empty()) {
        const auto& last = s.cells.back();
        if (row < last.row || (row == last.row && col <= last.col))
            s.ordered = false;
    }
    s.cells.push_back({row, col, index});
    return true;
}

void Workbook::Normalise(int sheet) const {
    WorkSheet& s = sheets_[static_cast<std::size_t>(sheet)];
    if (s.ordered)
        return;
    std::stable_sort(s.cells.begin(), s.cells.end(), [](const auto& a, const auto& b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });
    // The last write of a cell wins.
    std::vector<WorkSheet::Cell> out;
    out.reserve(s.cells.size());
    for (const auto& c : s.cells) {
        if (!out.empty() && out.back().row == c.row && out.back().col == c.col)
            out.back() = c;
        else
            out.push_back(c);
    }
    s.cells = std::move(out);
    s.ordered = true;
}

std::string Workbook::Text(int sheet, int col, int row) const {
    if (sheet < 0 || sheet >= SheetCount())
        return {};
    Normalise(sheet);
    const auto& cells = sheets_[static_cast<std::size_t>(sheet)].cells;
    const auto it =
        std::lower_bound(cells.begin(), cells.end(), std::pair{row, col}, [](const auto& c, const auto& key) {
            return c.row != key.first ? c.row < key.first : c.col < key.second;
        });
    if (it == cells.end() || it->row != row || it->col != col)
        return {};
    return texts_[it->text];
}

int Workbook::RowCount(int sheet) const {
    if (sheet < 0 || sheet >= SheetCount())
        return 0;
    Normalise(sheet);
    const auto& cells = sheets_[static_cast<std::size_t>(sheet)].cells;
    return cells.empty() ? 0 : cells.back().row + 1;
}

int Workbook::ColumnCount(int sheet) const {
    if (sheet < 0 || sheet >= SheetCount())
        return 0;
    int32_t n = 0;
    for (const auto& c : sheets_[static_cast<std::size_t>(sheet)].cells)
        n = std::max(n, c.col + 1);
    return n;
}

bool Workbook::Excel97Bytes(std::string& out, std::string& error) const {
    std::size_t cells = 0;
    for (int i = 0; i < SheetCount(); ++i) {
        Normalise(i);
        cells += sheets_[static_cast<std::size_t>(i)].cells.size();
    }
    std::vector<std::size_t> offsetAt;
    std::string stream = Globals(sheets_, texts_, cells, offsetAt);
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        Patch32(stream, offsetAt[i], static_cast<uint32_t>(stream.size()));
        SheetRecords(stream, sheets_[i]);
    }
    return CompoundFile(stream, out, error);
}

bool Workbook::Write(std::string& error) const {
    TraceLine("Exchange: Workbook::Write [ENTRY] " + fileName_);
    if (fileName_.empty()) {
        error = "Kein Dateiname für die Excel-Datei angegeben."_cp;
        return false;
    }
    if (format_ == WorkbookFormat::Xlsx)
        return WriteXlsx(error);
    std::string bytes;
    if (!Excel97Bytes(bytes, error))
        return false;
    const WriteOutcome w = WriteFileSafely(fileName_, bytes);
    if (!w.ok) {
        error = WriteFailure(w.error);
        return false;
    }
    TraceLine("Exchange: Workbook::Write [EXIT] " + std::to_string(bytes.size()) + " bytes");
    return true;
}

bool Workbook::WriteXlsx(std::string& error) const {
    // libxlsxwriter writes a named file only: it goes to a private temporary file first, whose
    // bytes then replace the target safely.
    std::string temp = Settings::DefaultTempDir() + "kassotek-xlsx-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = WriteFailure(errno);
        return false;
    }
    ::close(fd);
    struct TempFile {
        std::string name;
        ~TempFile() { ::unlink(name.c_str()); }
    } guard{temp};

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    std::string tmpdir = Settings::DefaultTempDir();
    options.tmpdir = tmpdir.data();
    lxw_workbook* wb = workbook_new_opt(temp.c_str(), &options);
    if (!wb) {
        error = "Die Excel-Datei konnte nicht angelegt werden.";
        return false;
    }
    bool ok = true;
    for (int i = 0; i < SheetCount() && ok; ++i) {
        Normalise(i);
        const WorkSheet& s = sheets_[static_cast<std::size_t>(i)];
        lxw_worksheet* ws = workbook_add_worksheet(wb, s.name.c_str());
        if (!ws) {
            ok = false;
            break;
        }
        for (const auto& c : s.cells) {
            const std::string& text = texts_[c.text];
            if (text.empty())
                continue;
            if (worksheet_write_string(ws, static_cast<lxw_row_t>(c.row), static_cast<lxw_col_t>(c.col),
                                       text.c_str(), nullptr) != LXW_NO_ERROR) {
                ok = false;
                break;
            }
        }
    }
    const lxw_error closed = workbook_close(wb);
    if (!ok || closed != LXW_NO_ERROR) {
        error = "Die Excel-Datei konnte nicht erstellt werden (" + std::string(lxw_strerror(closed)) + ").";
        return false;
    }
    std::string bytes;
    int readError = 0;
    if (!ReadWholeFile(temp, bytes, readError)) {
        error = WriteFailure(readError);
        return false;
    }
    const WriteOutcome w = WriteFileSafely(fileName_, bytes);
    if (!w.ok) {
        error = WriteFailure(w.error);
        return false;
    }
    TraceLine("Exchange: Workbook::Write [EXIT] xlsx " + std::to_string(bytes.size()) + " bytes");
    return true;
}

WorkbookFormat WorkbookFormatOf(const std::string& fileName) {
    return UpperAZ(FileExtOf(fileName)) == ".XLSX" ? WorkbookFormat::Xlsx : WorkbookFormat::Excel97;
}

} // namespace kt
