#include "exchange/workbook_reader.h"

#include "exchange/biff8.h"

#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-utils.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

using namespace kt::literals;

namespace kt {

namespace {

// The record ids are shared with the writer.
using biff8::RecFormula;
using biff8::RecEof;
using biff8::RecFilePass;
using biff8::RecContinue;
using biff8::RecBoundSheet;
using biff8::RecMulRk;
using biff8::RecMulBlank;
using biff8::RecRString;
using biff8::RecXf;
using biff8::RecSst;
using biff8::RecLabelSst;
using biff8::RecDimensions;
using biff8::RecBlank;
using biff8::RecNumber;
using biff8::RecLabel;
using biff8::RecBoolErr;
using biff8::RecString;
using biff8::RecRk;
using biff8::RecFormat;
using biff8::RecBof;
using biff8::BofWorkbookGlobals;
using biff8::BofWorksheet;
constexpr uint16_t RecDateMode = biff8::RecDate1904;
constexpr uint16_t Biff8Version = biff8::BofVersion;
// Excel's own limits: 65536 rows, 256 columns in this format.
constexpr uint32_t MaxRows = biff8::MaxRows;
constexpr uint32_t MaxCols = biff8::MaxColumns;

uint16_t U16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
double F64(const unsigned char* p) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

double RkValue(uint32_t rk) {
    double v = 0;
    if (rk & 2) {
        v = static_cast<double>(static_cast<int32_t>(rk) >> 2);
    } else {
        const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&v, &bits, sizeof v);
    }
    return (rk & 1) ? v / 100 : v;
}

struct Damaged {
    std::string what;
};

struct RecordView {
    uint16_t id = 0;
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::size_t offset = 0; // of the record header in the stream
};

class RecordReader {
public:
    explicit RecordReader(std::string_view s) : s_(s) {}
    bool next(RecordView& r) {
        if (pos_ + 4 > s_.size())
            return false;
        const auto* p = reinterpret_cast<const unsigned char*>(s_.data() + pos_);
        r.id = U16(p);
        r.size = U16(p + 2);
        r.offset = pos_;
        if (pos_ + 4 + r.size > s_.size())
            throw Damaged{"ein Datensatz ist abgeschnitten"};
        r.data = p + 4;
        pos_ += 4 + r.size;
        return true;
    }
    bool peek(uint16_t& id) const {
        if (pos_ + 4 > s_.size())
            return false;
        id = U16(reinterpret_cast<const unsigned char*>(s_.data() + pos_));
        return true;
    }
    void seek(std::size_t pos) { pos_ = pos; }
    std::size_t size() const { return s_.size(); }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
};

// Bytes of a record and its CONTINUE records read as one, except that a string's characters
// that cross into the next part start there with a new flags byte.
class Continued {
public:
    void add(const unsigned char* data, std::size_t size) {
        if (size > 0)
            parts_.push_back({data, size});
    }
    bool atEnd() {
        skipEmpty();
        return part_ >= parts_.size();
    }
    unsigned char byte() {
        skipEmpty();
        if (part_ >= parts_.size())
            throw Damaged{"die Zeichenkettentabelle endet zu früh"};
        return parts_[part_].data[off_++];
    }
    uint16_t u16() {
        const unsigned char a = byte();
        return static_cast<uint16_t>(a | (byte() << 8));
    }
    uint32_t u32() {
        const uint32_t lo = u16();
        return lo | (static_cast<uint32_t>(u16()) << 16);
    }
    void skip(uint64_t n) {
        while (n > 0) {
            skipEmpty();
            if (part_ >= parts_.size())
                throw Damaged{"die Zeichenkettentabelle endet zu früh"};
            const std::size_t left = parts_[part_].size - off_;
            const std::size_t take = n < left ? static_cast<std::size_t>(n) : left;
            off_ += take;
            n -= take;
        }
    }
    // `count` characters, compressed (Latin-1) or UTF-16, as Windows-1252.
    std::string chars(std::size_t count, bool wide) {
        std::string out;
        out.reserve(count);
        while (count > 0) {
            if (part_ < parts_.size() && off_ >= parts_[part_].size) {
                // A split string goes on in the next part with its own flags byte.
                ++part_;
                off_ = 0;
                if (part_ >= parts_.size())
                    break;
                wide = (byte() & 1) != 0;
                continue;
            }
            if (part_ >= parts_.size())
                break;
            if (wide) {
                const uint16_t u = u16();
                out += u >= 0xD800 && u <= 0xDFFF ? '?' : UnicodeToCp1252(u);
            } else {
                out += UnicodeToCp1252(byte());
            }
            --count;
        }
        if (count > 0)
            throw Damaged{"die Zeichenkettentabelle endet zu früh"};
        return out;
    }

private:
    struct Part {
        const unsigned char* data;
        std::size_t size;
    };
    void skipEmpty() {
        while (part_ < parts_.size() && off_ >= parts_[part_].size) {
            ++part_;
            off_ = 0;
        }
    }
    std::vector<Part> parts_;
    std::size_t part_ = 0;
    std::size_t off_ = 0;
};

// A full rich string: count, flags, optional run and extension sizes, characters, then the runs
// and the extension, which are skipped.
std::string ReadRichString(Continued& in) {
    const uint16_t count = in.u16();
    const uint8_t flags = in.byte();
    uint16_t runs = 0;
    uint32_t ext = 0;
    if (flags & 0x08)
        runs = in.u16();
    if (flags & 0x04)
        ext = in.u32();
    std::string s = in.chars(count, (flags & 1) != 0);
    in.skip(static_cast<uint64_t>(runs) * 4 + ext);
    return s;
}

// An XLUnicodeString (16-bit count) inside one record; runs and extension are not needed here.
std::string RecordString(const unsigned char* p, std::size_t size, std::size_t& used) {
    Continued in;
    in.add(p, size);
    std::string s = ReadRichString(in);
    used = size; // callers need no more
    return s;
}

class BiffReader {
public:
    BiffReader(std::string_view stream, ImportSheet& sheet) : records_(stream), sheet_(sheet) {}

    void read() {
        readGlobals();
        readSheet();
    }

private:
    void readGlobals() {
        RecordView r;
        if (!records_.next(r) || r.id != RecBof || r.size < 4)
            throw Damaged{"der Anfang der Arbeitsmappe fehlt"};
        const uint16_t version = U16(r.data);
        if (version != Biff8Version)
            throw Foreign{};
        if (U16(r.data + 2) != BofWorkbookGlobals)
            throw Damaged{"der Anfang der Arbeitsmappe fehlt"};
        bool ended = false;
        while (!ended && records_.next(r)) {
            switch (r.id) {
            case RecEof:
                ended = true;
                break;
            case RecFilePass:
                throw Encrypted{};
            case RecDateMode:
                if (r.size >= 2)
                    date1904_ = U16(r.data) == 1;
                break;
            case RecBoundSheet:
                if (r.size >= 6 && !haveSheet_) {
                    haveSheet_ = true;
                    sheetOffset_ = U32(r.data);
                }
                break;
            case RecFormat:
                if (r.size >= 5) {
                    std::size_t used = 0;
                    formats_[U16(r.data)] = RecordString(r.data + 2, r.size - 2, used);
                }
                break;
            case RecXf:
                if (r.size >= 4)
                    xfFormats_.push_back(U16(r.data + 2));
                break;
            case RecSst:
                readSst(r);
                break;
            default:
                break;
            }
        }
        if (!haveSheet_)
            throw Damaged{"die Arbeitsmappe enthält kein Tabellenblatt"};
        xfIsDate_.reserve(xfFormats_.size());
        for (const uint16_t f : xfFormats_) {
            const auto it = formats_.find(f);
            xfIsDate_.push_back(IsDateFormat(f, it == formats_.end() ? std::string_view() : it->second));
        }
    }

    void readSst(const RecordView& sst) {
        Continued in;
        if (sst.size < 8)
            throw Damaged{"die Zeichenkettentabelle ist beschädigt"};
        in.add(sst.data + 8, sst.size - 8);
        const uint32_t unique = U32(sst.data + 4);
        uint16_t id = 0;
        RecordView r;
        while (records_.peek(id) && id == RecContinue && records_.next(r))
            in.add(r.data, r.size);
        // The count comes from the file: never reserve more than the bytes could hold.
        strings_.reserve(std::min<std::size_t>(unique, records_.size() / 3));
        for (uint32_t i = 0; i < unique; ++i) {
            if (in.atEnd())
                throw Damaged{"die Zeichenkettentabelle enthält weniger Texte, als sie angibt"};
            strings_.push_back(ReadRichString(in));
        }
    }

    bool isDate(uint16_t xf) const { return xf < xfIsDate_.size() && xfIsDate_[xf]; }

    std::string numberText(double v, uint16_t xf) const {
        return isDate(xf) ? DateCellText(v, date1904_) : NumberCellText(v);
    }

    static bool place(uint32_t row, uint32_t col) { return row < MaxRows && col < MaxCols; }

    void cell(uint32_t row, uint32_t col, std::string text) {
        if (place(row, col))
            sheet_.setCell(static_cast<int>(row), static_cast<int>(col), std::move(text));
    }
    void blank(uint32_t row, uint32_t col) {
        if (place(row, col))
            sheet_.touch(static_cast<int>(row), static_cast<int>(col));
    }

    void readSheet() {
        if (sheetOffset_ >= records_.size())
            throw Damaged{"das erste Tabellenblatt fehlt"};
        records_.seek(sheetOffset_);
        RecordView r;
        if (!records_.next(r) || r.id != RecBof || r.size < 4)
            throw Damaged{"das erste Tabellenblatt fehlt"};
        if (U16(r.data + 2) != BofWorksheet)
            throw NoWorksheet{};
        // A FORMULA with a text result: the text follows in the next STRING record.
        bool pendingString = false;
        uint32_t pendingRow = 0, pendingCol = 0;
        while (records_.next(r)) {
            const unsigned char* d = r.data;
            const std::size_t n = r.size;
            switch (r.id) {
            case RecEof:
                return;
            case RecBof:
                // An embedded chart or the like: skip up to its EOF.
                skipSubstream();
                break;
            case RecDimensions:
                if (n >= 12) {
                    const uint32_t first = U32(d), last = U32(d + 4);
                    const uint32_t firstCol = U16(d + 8), lastCol = U16(d + 10);
                    if (last > first && lastCol > firstCol && last <= MaxRows && lastCol <= MaxCols)
                        sheet_.declareRange(static_cast<int>(first), static_cast<int>(last - 1),
                                            static_cast<int>(firstCol), static_cast<int>(lastCol - 1));
                }
                break;
            case RecLabelSst:
                if (n >= 10) {
                    const uint32_t index = U32(d + 6);
                    if (index >= strings_.size())
                        throw Damaged{"eine Zelle verweist auf einen fehlenden Text"};
                    cell(U16(d), U16(d + 2), strings_[index]);
                }
                break;
            case RecLabel:
            case RecRString:
                if (n >= 9) {
                    std::size_t used = 0;
                    cell(U16(d), U16(d + 2), RecordString(d + 6, n - 6, used));
                }
                break;
            case RecNumber:
                if (n >= 14)
                    cell(U16(d), U16(d + 2), numberText(F64(d + 6), U16(d + 4)));
                break;
            case RecRk:
                if (n >= 10)
                    cell(U16(d), U16(d + 2), numberText(RkValue(U32(d + 6)), U16(d + 4)));
                break;
            case RecMulRk:
                if (n >= 6) {
                    const uint32_t row = U16(d);
                    uint32_t col = U16(d + 2);
                    for (std::size_t p = 4; p + 6 <= n - 2; p += 6, ++col)
                        cell(row, col, numberText(RkValue(U32(d + p + 2)), U16(d + p)));
                }
                break;
            case RecBoolErr:
                if (n >= 8)
                    cell(U16(d), U16(d + 2), d[7] ? ErrorCellText(d[6]) : BoolCellText(d[6] != 0));
                break;
            case RecBlank:
                if (n >= 6)
                    blank(U16(d), U16(d + 2));
                break;
            case RecMulBlank:
                if (n >= 6) {
                    const uint32_t row = U16(d);
                    uint32_t col = U16(d + 2);
                    for (std::size_t p = 4; p + 2 <= n - 2; p += 2, ++col)
                        blank(row, col);
                }
                break;
            case RecFormula:
                if (n >= 20) {
                    const uint32_t row = U16(d), col = U16(d + 2);
                    const unsigned char* v = d + 6;
                    if (U16(v + 6) != 0xFFFF) {
                        cell(row, col, numberText(F64(v), U16(d + 4)));
                    } else if (v[0] == 0) {
                        pendingString = true;
                        pendingRow = row;
                        pendingCol = col;
                    } else if (v[0] == 1) {
                        cell(row, col, BoolCellText(v[2] != 0));
                    } else if (v[0] == 2) {
                        cell(row, col, ErrorCellText(v[2]));
                    } else {
                        blank(row, col);
                    }
                }
                break;
            case RecString:
                if (pendingString && n >= 3) {
                    Continued in;
                    in.add(d, n);
                    uint16_t id = 0;
                    RecordView c;
                    while (records_.peek(id) && id == RecContinue && records_.next(c))
                        in.add(c.data, c.size);
                    const uint16_t count = in.u16();
                    const uint8_t flags = in.byte();
                    cell(pendingRow, pendingCol, in.chars(count, (flags & 1) != 0));
                }
                pendingString = false;
                break;
            default:
                break;
            }
        }
        // A sheet without its EOF: what was read is kept, as other programs do.
    }

    void skipSubstream() {
        RecordView r;
        while (records_.next(r))
            if (r.id == RecEof)
                return;
    }

public:
    struct Foreign {};
    struct Encrypted {};
    struct NoWorksheet {};

private:
    RecordReader records_;
    ImportSheet& sheet_;
    bool date1904_ = false;
    bool haveSheet_ = false;
    uint32_t sheetOffset_ = 0;
    std::vector<std::string> strings_;
    std::unordered_map<uint16_t, std::string> formats_;
    std::vector<uint16_t> xfFormats_;
    std::vector<bool> xfIsDate_;
};

const std::string& WhatToDo() {
    static const std::string text =
        "\r\nÖffnen Sie die Datei in Excel oder LibreOffice und speichern Sie sie erneut als "
        "Excel-97-2003-Arbeitsmappe (.xls)."_cp;
    return text;
}

std::string Excel95Text() {
    return "Die Datei ist eine Arbeitsmappe von Excel 5.0/95 oder älter; dieses Format wird nicht "
           "gelesen."_cp +
           WhatToDo();
}

std::string EncryptedText() {
    return "Die Arbeitsmappe ist mit einem Kennwort geschützt und kann nicht gelesen werden.\r\n"
           "Speichern Sie sie in Excel oder LibreOffice ohne Kennwort und importieren Sie sie dann."_cp;
}

struct GsfUnref {
    void operator()(void* p) const {
        if (p)
            g_object_unref(p);
    }
};
using GsfPtr = std::unique_ptr<void, GsfUnref>;

} // namespace

bool ReadBiff8Stream(std::string_view stream, ImportSheet& sheet, SheetReadError& error) {
    try {
        BiffReader reader(stream, sheet);
        reader.read();
        return true;
    } catch (const Damaged& d) {
        error.message = "Die Arbeitsmappe ist beschädigt: "_cp + ToCp1252(d.what) + "." + WhatToDo();
    } catch (const BiffReader::Foreign&) {
        error.message = Excel95Text();
    } catch (const BiffReader::Encrypted&) {
        error.message = EncryptedText();
    } catch (const BiffReader::NoWorksheet&) {
        error.message = "Das erste Blatt der Arbeitsmappe ist kein Tabellenblatt (etwa ein Diagramm).\r\n"
                        "Stellen Sie das Tabellenblatt mit den Filmdaten an die erste Stelle."_cp;
    } catch (const std::bad_alloc&) {
        error.message = "Nicht genug Arbeitsspeicher zum Lesen der Arbeitsmappe!"_cp;
    }
    return false;
}

bool ReadXlsWorkbook(std::string_view bytes, ImportSheet& sheet, SheetReadError& error) {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        // Damaged containers make libgsf complain on stderr; the user gets our message instead.
        for (const char* domain : {"libgsf", "libgsf:msole"})
            g_log_set_handler(
                domain,
                static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
                [](const gchar* d, GLogLevelFlags, const gchar* text, gpointer) {
                    TraceLine(std::string("Ktk_Imp: ") + d + ": " + text);
                },
                nullptr);
    });
    GsfPtr input(gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()),
                                      static_cast<gsf_off_t>(bytes.size()), FALSE));
    if (!input) {
        error.message = "Nicht genug Arbeitsspeicher zum Lesen der Arbeitsmappe!"_cp;
        return false;
    }
    GError* err = nullptr;
    GsfPtr ole(gsf_infile_msole_new(static_cast<GsfInput*>(input.get()), &err));
    if (err)
        g_error_free(err);
    if (!ole) {
        error.message =
            "Die Datei ist keine lesbare Excel-Arbeitsmappe (der Dateicontainer ist beschädigt)."_cp +
            WhatToDo();
        return false;
    }
    auto* infile = static_cast<GsfInfile*>(ole.get());
    GsfPtr stream(gsf_infile_child_by_name(infile, "Workbook"));
    if (!stream) {
        if (GsfPtr encrypted(gsf_infile_child_by_name(infile, "EncryptionInfo")); encrypted) {
            error.message = EncryptedText();
        } else if (GsfPtr book(gsf_infile_child_by_name(infile, "Book")); book) {
            error.message = Excel95Text();
        } else {
            error.message = "Die Datei ist ein Office-Dokument, aber keine Excel-Arbeitsmappe (etwa ein "
                            "Word-Dokument)."_cp;
        }
        return false;
    }
    auto* in = static_cast<GsfInput*>(stream.get());
    const gsf_off_t size = gsf_input_size(in);
    std::string data;
    try {
        data.resize(static_cast<std::size_t>(size));
    } catch (const std::exception&) {
        error.message = "Nicht genug Arbeitsspeicher zum Lesen der Arbeitsmappe!"_cp;
        return false;
    }
    if (size > 0 &&
        !gsf_input_read(in, static_cast<std::size_t>(size), reinterpret_cast<guint8*>(data.data()))) {
        error.message = "Die Arbeitsmappe ist beschädigt: der Datenstrom ist unvollständig."_cp + WhatToDo();
        return false;
    }
    return ReadBiff8Stream(data, sheet, error);
}

} // namespace kt
