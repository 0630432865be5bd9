// Importing a worksheet of 20000 films in 24 columns from .xls, .xlsx and .csv, reading included.
#include "catalogue/col_arrange.h"
#include "exchange/import_file.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>
#include <zip.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int Rows = 20000;
constexpr int Cols = 24;

std::string Cell(int row, int col) {
    static const char* const fixed[Cols] = {nullptr,
                                            nullptr,
                                            nullptr,
                                            nullptr,
                                            "Drama",
                                            nullptr,
                                            "USA",
                                            nullptr,
                                            "X",
                                            "-",
                                            "super",
                                            "vorhanden",
                                            nullptr,
                                            nullptr,
                                            "eine Bemerkung",
                                            "12.05.2001",
                                            "Deutsch, Englisch",
                                            "",
                                            "Stereo",
                                            "16:9 (Breitbild)",
                                            "Ab 12",
                                            "2: Europa, Japan, S\xFC"
                                            "dafrika, Mittl. Osten (inkl. \xC4gypt.)",
                                            "DVD",
                                            nullptr};
    switch (col) {
    case 0:
        return "Film Nummer " + std::to_string(row);
    case 1:
        return std::to_string(80 + row % 100);
    case 2:
        return std::to_string(1 + row / 8);
    case 3:
        return std::to_string(1 + row % 8);
    case 5:
        return "Regisseur " + std::to_string(row % 500);
    case 7:
        return std::to_string(1950 + row % 70);
    case 12:
        return "Darsteller " + std::to_string(row % 900) + ", Darstellerin " + std::to_string(row % 700);
    case 13:
        return "Inhalt des Films " + std::to_string(row) + ": eine Geschichte in einigen Worten erz\xE4hlt.";
    case 23:
        return "1";
    default:
        return fixed[col];
    }
}

bool IsNumberColumn(int col) {
    return col == 1 || col == 2 || col == 3 || col == 7 || col == 23;
}

std::string U16(unsigned v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string U32(unsigned v) {
    return U16(v & 0xFFFF) + U16(v >> 16);
}
std::string Rec(unsigned id, const std::string& body) {
    return U16(id) + U16(static_cast<unsigned>(body.size())) + body;
}

// A BIFF8 workbook as Excel writes its cells: texts in the shared-string table (continued in
// CONTINUE records), numbers in NUMBER records.
std::string Biff8Workbook() {
    std::vector<std::string> strings;
    std::string cells;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) {
            const std::string text = Cell(r, c);
            const std::string at = U16(static_cast<unsigned>(r)) + U16(static_cast<unsigned>(c)) + U16(15);
            if (IsNumberColumn(c)) {
                const double v = std::stod(text);
                std::string bits(8, '\0');
                std::memcpy(bits.data(), &v, 8);
                cells += Rec(0x0203, at + bits);
            } else if (!text.empty()) {
                cells += Rec(0x00FD, at + U32(static_cast<unsigned>(strings.size())));
                strings.push_back(text);
            }
        }
    std::string sst;
    std::string body =
        U32(static_cast<unsigned>(strings.size())) + U32(static_cast<unsigned>(strings.size()));
    unsigned id = 0x00FC;
    for (const auto& s : strings) {
        const std::string entry = U16(static_cast<unsigned>(s.size())) + std::string(1, '\0') + s;
        if (body.size() + entry.size() > 8224) {
            sst += Rec(id, body);
            id = 0x003C;
            body.clear();
        }
        body += entry;
    }
    sst += Rec(id, body);
    const std::string head = Rec(0x0809, U16(0x0600) + U16(5) + std::string(12, '\0'));
    const std::string tail = sst + Rec(0x000A, "");
    const std::size_t bound = 4 + 4 + 2 + 2 + 1 + 1;
    const std::string sheet = Rec(0x0809, U16(0x0600) + U16(0x10) + std::string(12, '\0')) +
                              Rec(0x0200, U32(0) + U32(Rows) + U16(0) + U16(Cols) + U16(0)) + cells +
                              Rec(0x000A, "");
    return head +
           Rec(0x0085, U32(static_cast<unsigned>(head.size() + bound + tail.size())) + U16(0) + U16(1) +
                           std::string(1, '\0') + "A") +
           tail + sheet;
}

void WriteOle(const std::string& file, const std::string& stream) {
    gsf_init();
    GsfOutput* mem = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(mem);
    GsfOutput* child = gsf_outfile_new_child(ole, "Workbook", FALSE);
    gsf_output_write(child, stream.size(), reinterpret_cast<const guint8*>(stream.data()));
    gsf_output_close(child);
    g_object_unref(child);
    gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(mem))),
               gsf_output_size(mem));
    g_object_unref(mem);
}

std::string Xml(const std::string& latin1) {
    std::string out;
    for (const char ch : latin1) {
        const auto u = static_cast<unsigned char>(ch);
        if (ch == '&')
            out += "&amp;";
        else if (ch == '<')
            out += "&lt;";
        else if (u >= 0x80) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else
            out += ch;
    }
    return out;
}

void WriteXlsx(const std::string& file) {
    std::string sheet = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
                        "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    std::string shared = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst "
                         "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    int count = 0;
    for (int r = 0; r < Rows; ++r) {
        sheet += "<row r=\"" + std::to_string(r + 1) + "\">";
        for (int c = 0; c < Cols; ++c) {
            const std::string text = Cell(r, c);
            if (text.empty())
                continue;
            const std::string ref = std::string(1, static_cast<char>('A' + c)) + std::to_string(r + 1);
            if (IsNumberColumn(c)) {
                sheet += "<c r=\"" + ref + "\"><v>" + text + "</v></c>";
            } else {
                sheet += "<c r=\"" + ref + "\" t=\"s\"><v>" + std::to_string(count++) + "</v></c>";
                shared += "<si><t>" + Xml(text) + "</t></si>";
            }
        }
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";
    shared += "</sst>";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::vector<std::pair<std::string, std::string>> parts = {
        {"[Content_Types].xml", "<?xml version=\"1.0\"?><Types/>"},
        {"_rels/.rels", "<Relationships><Relationship Id=\"r1\" Type=\"" + rel +
                            "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml",
         "<workbook xmlns:r=\"" + rel.substr(0, rel.size() - 1) +
             "\"><sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"s1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"s1\" Type=\"" + rel +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"s2\" "
             "Type=\"" +
             rel + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", sheet},
        {"xl/sharedStrings.xml", shared},
    };
    int err = 0;
    zip_t* z = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    for (const auto& [name, text] : parts) {
        zip_source_t* src = zip_source_buffer(z, text.data(), text.size(), 0);
        zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE);
    }
    zip_close(z); // reads the buffers, which live until here
}

void WriteCsv(const std::string& file) {
    std::string text;
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Cols; ++c) {
            if (c > 0)
                text += ';';
            const std::string cell = Cell(r, c);
            text += cell.find(';') != std::string::npos || cell.find(',') != std::string::npos
                        ? "\"" + cell + "\""
                        : cell;
        }
        text += "\r\n";
    }
    std::ofstream(file, std::ios::binary) << text;
}

const std::string& Folder() {
    static const std::string folder = [] {
        const auto dir = std::filesystem::temp_directory_path() / "kassotek-bench-import";
        std::filesystem::create_directories(dir);
        WriteOle((dir / "filme.xls").string(), Biff8Workbook());
        WriteXlsx((dir / "filme.xlsx").string());
        WriteCsv((dir / "filme.csv").string());
        return dir.string() + "/";
    }();
    return folder;
}

void BM_Import(benchmark::State& state) {
    const char* names[] = {"filme.xls", "filme.xlsx", "filme.csv"};
    const std::string file = Folder() + names[state.range(0)];
    kt::Settings s;
    s.FirstRow2Read = 0;
    s.AnzRows2Read = Rows;
    s.FirstCol2Read = 0;
    s.AnzCols2Read = Cols;
    s.Trennzeichen = ';';
    s.ImportTrennz = ';';
    kt::ColArrange columns;
    for (int e = 0; e < Cols; ++e)
        columns[e].ImportPos = e + 1;
    int count = 0;
    for (auto _ : state) {
        kt::Collection c;
        kt::SilentDialogs ui;
        kt::NoProgress progress;
        const auto r = kt::ImportFromFile(file, kt::ImportKindOfName(file), s, c, columns, ui, progress);
        count = r.count;
        benchmark::DoNotOptimize(c.films().data());
    }
    state.counters["films"] = count;
}
BENCHMARK(BM_Import)->ArgName("xls_xlsx_csv")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
