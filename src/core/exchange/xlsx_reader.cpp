#include "exchange/xlsx_reader.h"

#include "text/cp1252.h"

#include <expat.h>
#include <zip.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

using namespace kt::literals;

namespace kt {

namespace {

struct Failure {
    std::string message;
};

std::string WhatToDo() {
    return "\r\nÖffnen Sie die Datei in Excel oder LibreOffice und speichern Sie sie erneut als "
           "Excel-Arbeitsmappe (.xlsx)."_cp;
}

[[noreturn]] void Damaged(const std::string& what) {
    throw Failure{"Die Arbeitsmappe ist beschädigt: "_cp + ToCp1252(what) + "." + WhatToDo()};
}

class Zip {
public:
    explicit Zip(std::string_view bytes) {
        zip_error_t err;
        zip_error_init(&err);
        zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &err);
        if (src)
            archive_ = zip_open_from_source(src, ZIP_RDONLY, &err);
        if (src && !archive_)
            zip_source_free(src);
        zip_error_fini(&err);
    }
    ~Zip() {
        if (archive_)
            zip_discard(archive_);
    }
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    bool ok() const { return archive_ != nullptr; }
    bool has(const std::string& name) const {
        return archive_ && zip_name_locate(archive_, name.c_str(), 0) >= 0;
    }

    // Feeds the unpacked part to `sink` in pieces; false when there is no such part.
    bool read(const std::string& name, const std::function<void(const char*, std::size_t)>& sink) const {
        const zip_int64_t index = zip_name_locate(archive_, name.c_str(), 0);
        if (index < 0)
            return false;
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &st) == 0 &&
            (st.valid & ZIP_STAT_SIZE) && st.size > MaxXlsxPartSize)
            TooLarge(name);
        zip_file_t* f = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
        if (!f)
            Damaged("der Teil " + name + " lässt sich nicht entpacken");
        std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> guard(f, zip_fclose);
        std::vector<char> buf(1 << 16);
        uint64_t total = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(f, buf.data(), buf.size());
            if (n < 0)
                Damaged("der Teil " + name + " lässt sich nicht entpacken");
            if (n == 0)
                break;
            // The declared size may lie: count what really comes out.
            total += static_cast<uint64_t>(n);
            if (total > MaxXlsxPartSize)
                TooLarge(name);
            sink(buf.data(), static_cast<std::size_t>(n));
        }
        return true;
    }

private:
    [[noreturn]] static void TooLarge(const std::string& name) {
        throw Failure{"Die Arbeitsmappe ist zu groß oder beschädigt: der Teil "_cp + name +
                      " würde entpackt mehr als 512 MB belegen."_cp};
    }
    zip_t* archive_ = nullptr;
};

// An expat parse whose handlers get local element names (namespace prefixes dropped).
class XmlParse {
public:
    using Attrs = const XML_Char**;
    std::function<void(std::string_view, Attrs)> onStart;
    std::function<void(std::string_view)> onEnd;
    std::function<void(const char*, int)> onText;

    XmlParse() : parser_(XML_ParserCreate(nullptr)) {
        if (!parser_)
            throw std::bad_alloc();
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, &Start, &End);
        XML_SetCharacterDataHandler(parser_, &Text);
    }
    ~XmlParse() { XML_ParserFree(parser_); }
    XmlParse(const XmlParse&) = delete;
    XmlParse& operator=(const XmlParse&) = delete;

    void feed(const std::string& part, const char* data, std::size_t size, bool last) {
        const auto status = XML_Parse(parser_, data, static_cast<int>(size), last);
        if (failure_)
            std::rethrow_exception(failure_);
        if (status == XML_STATUS_ERROR)
            Damaged("der Teil " + part + " ist kein gültiges XML (" +
                    std::string(XML_ErrorString(XML_GetErrorCode(parser_))) + ")");
    }

    static std::string_view Local(const XML_Char* name) {
        std::string_view n(name);
        const auto colon = n.rfind(':');
        return colon == std::string_view::npos ? n : n.substr(colon + 1);
    }
    static const char* Attr(Attrs attrs, std::string_view name) {
        for (int i = 0; attrs[i]; i += 2)
            if (Local(attrs[i]) == name)
                return attrs[i + 1];
        return nullptr;
    }

private:
    // No exception may cross expat's C frames: it is kept and thrown again after the parse stopped.
    template <class F> void guarded(F&& f) {
        if (failure_)
            return;
        try {
            f();
        } catch (...) {
            failure_ = std::current_exception();
            XML_StopParser(parser_, XML_FALSE);
        }
    }
    static void XMLCALL Start(void* self, const XML_Char* name, Attrs attrs) {
        auto* p = static_cast<XmlParse*>(self);
        if (p->onStart)
            p->guarded([&] { p->onStart(Local(name), attrs); });
    }
    static void XMLCALL End(void* self, const XML_Char* name) {
        auto* p = static_cast<XmlParse*>(self);
        if (p->onEnd)
            p->guarded([&] { p->onEnd(Local(name)); });
    }
    static void XMLCALL Text(void* self, const XML_Char* s, int len) {
        auto* p = static_cast<XmlParse*>(self);
        if (p->onText)
            p->guarded([&] { p->onText(s, len); });
    }
    XML_Parser parser_;
    std::exception_ptr failure_;
};

void ParsePart(const Zip& zip, const std::string& name, XmlParse& xml, bool required) {
    bool any = false;
    const bool found = zip.read(name, [&](const char* d, std::size_t n) {
        any = true;
        xml.feed(name, d, n, false);
    });
    if (!found) {
        if (required)
            Damaged("der Teil " + name + " fehlt");
        return;
    }
    xml.feed(name, "", 0, true);
    (void)any;
}

// "xl/worksheets/sheet1.xml" relative to the folder of `base` ("xl/workbook.xml").
std::string ResolveTarget(const std::string& base, std::string target) {
    if (!target.empty() && target[0] == '/')
        return target.substr(1);
    std::string folder = base.substr(0, base.rfind('/') + 1);
    while (target.rfind("../", 0) == 0) {
        target.erase(0, 3);
        if (!folder.empty())
            folder.pop_back();
        folder = folder.substr(0, folder.rfind('/') + 1);
    }
    return folder + target;
}

std::string RelsOf(const std::string& part) {
    const auto slash = part.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
    return folder + "_rels/" + file + ".rels";
}

struct Relation {
    std::string type; // the last path element of the type URI
    std::string target;
};

std::map<std::string, Relation> ReadRels(const Zip& zip, const std::string& part) {
    std::map<std::string, Relation> rels;
    XmlParse xml;
    xml.onStart = [&](std::string_view name, XmlParse::Attrs a) {
        if (name != "Relationship")
            return;
        const char* id = XmlParse::Attr(a, "Id");
        const char* type = XmlParse::Attr(a, "Type");
        const char* target = XmlParse::Attr(a, "Target");
        if (!id || !type || !target)
            return;
        std::string t = type;
        t = t.substr(t.rfind('/') + 1);
        rels[id] = {t, ResolveTarget(part, target)};
    };
    ParsePart(zip, RelsOf(part), xml, false);
    return rels;
}

// "_x000D_" stands for a character that XML cannot carry.
std::string UnescapeOoxml(const std::string& s) {
    if (s.find("_x") == std::string::npos)
        return s;
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '_' && i + 6 < s.size() && s[i + 1] == 'x' && s[i + 6] == '_') {
            char* end = nullptr;
            const std::string hex = s.substr(i + 2, 4);
            const long v = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 4) {
                out += UnicodeToCp1252(static_cast<char32_t>(v));
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

// "B12" -> column 1, row 11; false when it is no cell reference.
bool ParseRef(const char* ref, int& col, int& row) {
    int c = 0, r = 0, letters = 0, digits = 0;
    const char* p = ref;
    for (; *p >= 'A' && *p <= 'Z'; ++p, ++letters) {
        c = c * 26 + (*p - 'A' + 1);
        if (c > 16384)
            return false;
    }
    for (; *p >= '0' && *p <= '9'; ++p, ++digits) {
        r = r * 10 + (*p - '0');
        if (r > 1048576)
            return false;
    }
    if (*p || letters == 0 || digits == 0 || r == 0)
        return false;
    col = c - 1;
    row = r - 1;
    return true;
}

// An ISO date "2024-05-01" (a cell of type d) as dd.mm.yyyy.
std::string IsoDateText(const std::string& v) {
    int y = 0, m = 0, d = 0;
    if (std::sscanf(v.c_str(), "%d-%d-%d", &y, &m, &d) == 3 && y > 0 && y < 10000 && m >= 1 && m <= 12 &&
        d >= 1 && d <= 31) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
        return buf;
    }
    return v;
}

class XlsxReader {
public:
    XlsxReader(const Zip& zip, ImportSheet& sheet) : zip_(zip), sheet_(sheet) {}

    void read() {
        std::string workbook = "xl/workbook.xml";
        for (const auto& [id, rel] : ReadRels(zip_, ""))
            if (rel.type == "officeDocument")
                workbook = rel.target;
        if (!zip_.has(workbook))
            Damaged("der Teil " + workbook + " fehlt");
        const auto rels = ReadRels(zip_, workbook);
        std::string firstSheetRel;
        XmlParse wb;
        wb.onStart = [&](std::string_view name, XmlParse::Attrs a) {
            if (name == "sheet" && firstSheetRel.empty()) {
                if (const char* id = XmlParse::Attr(a, "id"))
                    firstSheetRel = id;
            } else if (name == "workbookPr") {
                const char* v = XmlParse::Attr(a, "date1904");
                date1904_ = v && (std::string(v) == "1" || std::string(v) == "true");
            }
        };
        ParsePart(zip_, workbook, wb, true);
        const auto sheetRel = rels.find(firstSheetRel);
        if (firstSheetRel.empty() || sheetRel == rels.end())
            Damaged("das erste Tabellenblatt fehlt");
        if (sheetRel->second.type != "worksheet")
            throw Failure{"Das erste Blatt der Arbeitsmappe ist kein Tabellenblatt (etwa ein Diagramm).\r\n"
                          "Stellen Sie das Tabellenblatt mit den Filmdaten an die erste Stelle."_cp};
        for (const auto& [id, rel] : rels) {
            if (rel.type == "sharedStrings")
                readSharedStrings(rel.target);
            else if (rel.type == "styles")
                readStyles(rel.target);
        }
        readSheet(sheetRel->second.target);
    }

private:
    void readSharedStrings(const std::string& part) {
        XmlParse xml;
        std::string current;
        bool inT = false;
        int phonetic = 0;
        xml.onStart = [&](std::string_view name, XmlParse::Attrs) {
            if (name == "si")
                current.clear();
            else if (name == "t")
                inT = phonetic == 0;
            else if (name == "rPh")
                ++phonetic;
        };
        xml.onEnd = [&](std::string_view name) {
            if (name == "si")
                strings_.push_back(UnescapeOoxml(current));
            else if (name == "t")
                inT = false;
            else if (name == "rPh")
                --phonetic;
        };
        xml.onText = [&](const char* s, int n) {
            if (inT)
                AppendUtf8AsCp1252(current, std::string_view(s, static_cast<std::size_t>(n)));
        };
        ParsePart(zip_, part, xml, true);
        haveStrings_ = true;
    }

    void readStyles(const std::string& part) {
        XmlParse xml;
        std::unordered_map<int, std::string> codes;
        std::vector<int> xfFormats;
        int depthCellXfs = 0;
        xml.onStart = [&](std::string_view name, XmlParse::Attrs a) {
            if (name == "numFmt") {
                const char* id = XmlParse::Attr(a, "numFmtId");
                const char* code = XmlParse::Attr(a, "formatCode");
                if (id && code)
                    codes[std::atoi(id)] = code;
            } else if (name == "cellXfs") {
                ++depthCellXfs;
            } else if (name == "xf" && depthCellXfs > 0) {
                const char* id = XmlParse::Attr(a, "numFmtId");
                xfFormats.push_back(id ? std::atoi(id) : 0);
            }
        };
        xml.onEnd = [&](std::string_view name) {
            if (name == "cellXfs")
                --depthCellXfs;
        };
        ParsePart(zip_, part, xml, false);
        for (const int f : xfFormats) {
            const auto it = codes.find(f);
            xfIsDate_.push_back(IsDateFormat(f, it == codes.end() ? std::string_view() : it->second));
        }
    }

    void readSheet(const std::string& part) {
        XmlParse xml;
        int row = -1, col = -1;
        std::string type, value, inlineText;
        int style = 0;
        bool inV = false, inT = false, inIs = false, haveValue = false;
        int phonetic = 0;
        xml.onStart = [&](std::string_view name, XmlParse::Attrs a) {
            if (name == "dimension") {
                const char* ref = XmlParse::Attr(a, "ref");
                if (!ref)
                    return;
                const std::string r = ref;
                const auto colon = r.find(':');
                int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
                if (colon != std::string::npos && ParseRef(r.substr(0, colon).c_str(), c1, r1) &&
                    ParseRef(r.substr(colon + 1).c_str(), c2, r2))
                    sheet_.declareRange(r1, r2, c1, c2);
            } else if (name == "row") {
                const char* r = XmlParse::Attr(a, "r");
                const int n = r ? std::atoi(r) : 0;
                row = n >= 1 && n <= 1048576 ? n - 1 : row + 1;
                col = -1;
            } else if (name == "c") {
                const char* ref = XmlParse::Attr(a, "r");
                int c = 0, r = 0;
                if (ref && ParseRef(ref, c, r)) {
                    col = c;
                    row = r;
                } else {
                    ++col;
                }
                const char* t = XmlParse::Attr(a, "t");
                type = t ? t : "n";
                const char* s = XmlParse::Attr(a, "s");
                style = s ? std::atoi(s) : 0;
                value.clear();
                inlineText.clear();
                haveValue = false;
            } else if (name == "v") {
                inV = true;
                haveValue = true;
            } else if (name == "is") {
                inIs = true;
                haveValue = true;
            } else if (name == "t") {
                inT = inIs && phonetic == 0;
            } else if (name == "rPh") {
                ++phonetic;
            }
        };
        xml.onEnd = [&](std::string_view name) {
            if (name == "v") {
                inV = false;
            } else if (name == "t") {
                inT = false;
            } else if (name == "is") {
                inIs = false;
            } else if (name == "rPh") {
                --phonetic;
            } else if (name == "c") {
                if (row < 0 || col < 0)
                    return;
                if (!haveValue)
                    sheet_.touch(row, col);
                else
                    sheet_.setCell(row, col, cellText(type, value, inlineText, style));
            }
        };
        xml.onText = [&](const char* s, int n) {
            if (inV)
                value.append(s, static_cast<std::size_t>(n));
            else if (inT)
                inlineText.append(s, static_cast<std::size_t>(n));
        };
        ParsePart(zip_, part, xml, true);
    }

    std::string cellText(const std::string& type, const std::string& value, const std::string& inlineText,
                         int style) {
        std::string out;
        if (type == "s") {
            if (!haveStrings_)
                Damaged("die Tabelle der Texte (sharedStrings) fehlt");
            char* end = nullptr;
            const unsigned long i = std::strtoul(value.c_str(), &end, 10);
            if (end == value.c_str() || i >= strings_.size())
                Damaged("eine Zelle verweist auf einen fehlenden Text");
            return strings_[i];
        }
        if (type == "inlineStr") {
            AppendUtf8AsCp1252(out, inlineText);
            return UnescapeOoxml(out);
        }
        if (type == "str") {
            AppendUtf8AsCp1252(out, value);
            return UnescapeOoxml(out);
        }
        if (type == "b")
            return BoolCellText(value == "1" || value == "true");
        if (type == "e") {
            AppendUtf8AsCp1252(out, value);
            return out;
        }
        if (type == "d")
            return IsoDateText(value);
        if (value.empty())
            return {};
        char* end = nullptr;
        const double v = std::strtod(value.c_str(), &end);
        if (end == value.c_str()) {
            AppendUtf8AsCp1252(out, value);
            return out;
        }
        const bool date = style >= 0 && static_cast<std::size_t>(style) < xfIsDate_.size() &&
                          xfIsDate_[static_cast<std::size_t>(style)];
        return date ? DateCellText(v, date1904_) : NumberCellText(v);
    }

    const Zip& zip_;
    ImportSheet& sheet_;
    bool date1904_ = false;
    bool haveStrings_ = false;
    std::vector<std::string> strings_;
    std::vector<bool> xfIsDate_;
};

} // namespace

bool ReadXlsxWorkbook(std::string_view bytes, ImportSheet& sheet, SheetReadError& error) {
    Zip zip(bytes);
    if (!zip.ok()) {
        error.message =
            "Die Datei ist kein lesbares ZIP-Archiv und damit keine Excel-Arbeitsmappe (.xlsx)."_cp +
            WhatToDo();
        return false;
    }
    try {
        XlsxReader reader(zip, sheet);
        reader.read();
        return true;
    } catch (const Failure& f) {
        error.message = f.message;
    } catch (const std::bad_alloc&) {
        error.message = "Nicht genug Arbeitsspeicher zum Lesen der Arbeitsmappe!"_cp;
    }
    return false;
}

} // namespace kt

namespace kt {

ZipContent ZipContentOf(std::string_view bytes) {
    Zip zip(bytes);
    if (!zip.ok())
        return ZipContent::NotZip;
    if (zip.has("xl/workbook.xml") || zip.has("[Content_Types].xml"))
        return ZipContent::Xlsx;
    std::string mime;
    try {
        zip.read("mimetype", [&](const char* d, std::size_t n) {
            if (mime.size() < 200)
                mime.append(d, n);
        });
    } catch (const Failure&) {
        return ZipContent::Other;
    }
    if (mime.find("opendocument.spreadsheet") != std::string::npos || zip.has("content.xml"))
        return ZipContent::Ods;
    return ZipContent::Other;
}

} // namespace kt
