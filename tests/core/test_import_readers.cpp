#include "exchange/import_file.h"
#include "exchange/import_sheet.h"
#include "exchange/workbook_reader.h"
#include "exchange/xlsx_reader.h"
#include "temp_folder.h"
#include "text/cp1252.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace kt;
using kt::test::ReadBytes;

namespace {

std::string Fixture(const std::string& name) {
    return ReadBytes(std::string(KT_TEST_DATA) + "/import/" + name);
}

ImportSheet Read(const std::string& name) {
    ImportSheet sheet;
    SheetReadError error;
    const std::string bytes = Fixture(name);
    EXPECT_TRUE(ReadImportWorkbook(bytes, ImportKindOfName(name), sheet, error)) << ToUtf8(error.message);
    return sheet;
}

std::string Refusal(const std::string& bytes, ImportKind kind) {
    ImportSheet sheet;
    SheetReadError error;
    EXPECT_FALSE(ReadImportWorkbook(bytes, kind, sheet, error));
    return ToUtf8(error.message);
}

// "B12" -> (column 1, row 11).
std::pair<int, int> Place(const std::string& ref) {
    int col = 0, i = 0;
    for (; ref[i] >= 'A' && ref[i] <= 'Z'; ++i)
        col = col * 26 + (ref[i] - 'A' + 1);
    return {col - 1, std::stoi(ref.substr(i)) - 1};
}

struct CellCase {
    const char* ref;
    const char* text; // UTF-8
};

void ExpectCells(const ImportSheet& sheet, const std::vector<CellCase>& cases, const std::string& file) {
    for (const auto& c : cases) {
        const auto [col, row] = Place(c.ref);
        EXPECT_EQ(ToUtf8(sheet.text(col, row)), c.text) << file << ' ' << c.ref;
    }
}

bool Holds(const ImportSheet& sheet, const std::string& text) {
    for (const auto& [nr, row] : sheet.rows())
        for (const auto& cell : row)
            if (cell.second == text)
                return true;
    return false;
}

// A BIFF8 record.
std::string Rec(uint16_t id, const std::string& body) {
    std::string r;
    r += static_cast<char>(id & 0xFF);
    r += static_cast<char>(id >> 8);
    r += static_cast<char>(body.size() & 0xFF);
    r += static_cast<char>(body.size() >> 8);
    return r + body;
}
std::string U16(unsigned v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string U32(unsigned v) {
    return U16(v & 0xFFFF) + U16(v >> 16);
}
std::string Bof(unsigned version, unsigned type) {
    return Rec(0x0809, U16(version) + U16(type) + std::string(12, '\0'));
}
std::string Str(const std::string& latin1) {
    return U16(static_cast<unsigned>(latin1.size())) + std::string(1, '\0') + latin1;
}

// A workbook stream: the globals with `sst` (the SST and its CONTINUE records) and a sheet that
// shows string 0 in A1.
std::string Workbook(const std::string& globals, unsigned version = 0x0600) {
    const std::string sheet = Bof(version, 0x10) + Rec(0x0200, U32(0) + U32(1) + U16(0) + U16(1) + U16(0)) +
                              Rec(0x00FD, U16(0) + U16(0) + U16(15) + U32(0)) + Rec(0x000A, "");
    const std::string head = Bof(version, 0x05);
    const std::string tail = globals + Rec(0x000A, "");
    // BOUNDSHEET: offset of the sheet's BOF, visible worksheet "A".
    const std::size_t boundSize = 4 + 4 + 2 + 3 + 1;
    const std::size_t offset = head.size() + boundSize + tail.size();
    return head + Rec(0x0085, U32(static_cast<unsigned>(offset)) + U16(0) + Str("A")) + tail + sheet;
}

std::string Sst(unsigned count, const std::vector<std::string>& strings) {
    std::string body = U32(count) + U32(count);
    for (const auto& s : strings)
        body += Str(s);
    return Rec(0x00FC, body);
}

// An OLE2 file that holds one stream.
std::string Ole(const std::string& streamName, const std::string& stream) {
    gsf_init();
    GsfOutput* mem = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(mem);
    GsfOutput* child = gsf_outfile_new_child(ole, streamName.c_str(), FALSE);
    gsf_output_write(child, stream.size(), reinterpret_cast<const guint8*>(stream.data()));
    gsf_output_close(child);
    g_object_unref(child);
    gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    const auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(mem));
    std::string out(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(gsf_output_size(mem)));
    g_object_unref(mem);
    return out;
}

} // namespace

// The same sheet written by LibreOffice as .xls and as .xlsx reads to the same texts: strings of
// the shared-string table (long enough for CONTINUE records), numbers, dates, formulas with their
// cached number, text and error, a boolean formula, empty cells inside the range.
TEST(ImportReaders, LibreOfficeWorkbooks) {
    const std::vector<CellCase> cases = {
        {"A1", "Titel"},
        {"B1", "Länge"},
        {"A2", "Alien"},
        {"B2", "117"},
        {"G2", "12.05.2001"},
        {"I2", "234"},
        {"A3", "Élodie „Ça“ 5 €"},
        {"B3", "117,5"},
        {"C3", ""},
        {"G3", "31.12.1999"},
        {"I3", "Alien 2"},
        {"A4", ""},
        {"B5", "-3"},
        {"D5", "0,25"},
        {"I5", "#DIV/0!"},
        {"J5", "WAHR"},
        {"K305", "Inhalt Nummer 0305: eine lange Beschreibung, die nur einmal vorkommt."},
    };
    for (const char* file : {"filme-libreoffice.xls", "filme-libreoffice.xlsx"}) {
        const ImportSheet sheet = Read(file);
        ExpectCells(sheet, cases, file);
        EXPECT_EQ(sheet.firstRow(), 0) << file;
        EXPECT_EQ(sheet.lastRow(), 304) << file;
        EXPECT_EQ(sheet.firstCol(), 0) << file;
        EXPECT_EQ(sheet.lastCol(), 10) << file;
        EXPECT_FALSE(Holds(sheet, "nicht lesen")) << file << ": the second sheet is not read";
    }
}

// xlwt splits UTF-16 strings across CONTINUE records and writes RK, NUMBER, BOOLERR and MULBLANK.
TEST(ImportReaders, XlwtWorkbook) {
    const ImportSheet sheet = Read("filme-xlwt.xls");
    ExpectCells(
        sheet,
        {{"B1", "Titel"},
         {"B2", "Alien"},
         {"C2", "117"},
         {"D2", "12.05.2001"},
         {"E2", "WAHR"},
         {"F2", "Im Weltraum hört dich niemand schreien – „Kult“ für 5 €"},
         {"C3", "117,5"},
         {"D3", "01.01.1900"},
         {"E3", "FALSCH"},
         {"B4", ""},
         {"C5", "123456789,25"},
         {"D5", "-12,5"},
         {"F205", "Inhalt 0204 – ein Text mit Euro € und Anführungszeichen „so“, der nur hier vorkommt."}},
        "xlwt");
    EXPECT_EQ(sheet.firstCol(), 1);
    EXPECT_EQ(sheet.lastRow(), 204);
    EXPECT_FALSE(Holds(sheet, "nicht lesen"));
    ExpectCells(Read("datum-1904.xls"), {{"A1", "Alien"}, {"B1", "12.05.2001"}}, "1904");
}

// openpyxl writes inline strings, booleans and dates by their number format.
TEST(ImportReaders, OpenpyxlWorkbook) {
    const ImportSheet sheet = Read("filme-openpyxl.xlsx");
    ExpectCells(sheet,
                {{"A1", "Titel"},
                 {"B1", "Länge"},
                 {"A2", "Alien"},
                 {"B2", "117"},
                 {"C2", "12.05.2001"},
                 {"D2", "WAHR"},
                 {"F2", ""},
                 {"A3", "Élodie „Ça“ 5 €"},
                 {"B3", "117,5"},
                 {"D3", "FALSCH"},
                 {"B5", "-3"},
                 {"C5", "31.12.1999"},
                 {"E5", "DVD"}},
                "openpyxl");
    EXPECT_EQ(sheet.lastRow(), 4);
    EXPECT_EQ(sheet.lastCol(), 5);
    EXPECT_FALSE(Holds(sheet, "nicht lesen"));
}

TEST(ImportReaders, CellTexts) {
    EXPECT_EQ(NumberCellText(117), "117");
    EXPECT_EQ(NumberCellText(117.5), "117,5");
    EXPECT_EQ(NumberCellText(0.1 + 0.2), "0,3");
    EXPECT_EQ(NumberCellText(-0.0), "0");
    EXPECT_EQ(NumberCellText(1234567), "1234567");
    EXPECT_EQ(DateCellText(1, false), "01.01.1900");
    EXPECT_EQ(DateCellText(59, false), "28.02.1900");
    EXPECT_EQ(DateCellText(61, false), "01.03.1900");
    EXPECT_EQ(DateCellText(0, true), "01.01.1904");
    EXPECT_EQ(DateCellText(37023.75, false), "12.05.2001");
    EXPECT_TRUE(IsDateFormat(14, ""));
    EXPECT_TRUE(IsDateFormat(164, "TT.MM.JJJJ"));
    EXPECT_TRUE(IsDateFormat(164, "[$-407]d/m/yy"));
    EXPECT_FALSE(IsDateFormat(164, "General"));
    EXPECT_FALSE(IsDateFormat(164, "0.00\" d\""));
    EXPECT_FALSE(IsDateFormat(164, "h:mm"));
}

// Files that are no workbook of the chosen kind, and damaged ones: a German message that says what
// the file is, nothing read.
TEST(ImportReaders, ForeignAndDamagedFilesAreRefused) {
    const std::string xls = Fixture("filme-libreoffice.xls");
    const std::string xlsx = Fixture("filme-libreoffice.xlsx");
    struct Case {
        std::string what;
        std::string bytes;
        ImportKind kind;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"xlsx renamed xls", xlsx, ImportKind::Xls,
         "Die Datei ist eine Excel-2007-Arbeitsmappe (.xlsx); wählen Sie den Dateityp *.xlsx."},
        {"xls renamed xlsx", xls, ImportKind::Xlsx,
         "Excel-97-2003-Arbeitsmappe (.xls); wählen Sie den Dateityp *.xls."},
        {"ods", Fixture("tabelle.ods"), ImportKind::Xls, "OpenDocument-Tabelle (.ods)"},
        {"empty", "", ImportKind::Xls, "Die Datei ist leer."},
        {"empty xlsx", "", ImportKind::Xlsx, "Die Datei ist leer."},
        {"text", "Alien;117;Horror\r\n", ImportKind::Xls, "Textdatei"},
        {"workbook as text", xls, ImportKind::Text, "Importieren aus Excel"},
        {"truncated xls", xls.substr(0, 20000), ImportKind::Xls, "beschädigt"},
        {"truncated xlsx", xlsx.substr(0, 9000), ImportKind::Xlsx, "xlsx"},
        {"no shared strings", Fixture("ohne-sharedstrings.xlsx"), ImportKind::Xlsx, "sharedStrings"},
        {"zip bomb", Fixture("bombe.xlsx"), ImportKind::Xlsx, "mehr als 512 MB"},
        {"sst count too large", Ole("Workbook", Workbook(Sst(3, {"Alien", "Horror"}))), ImportKind::Xls,
         "weniger Texte"},
        {"continue chain ends early",
         Ole("Workbook", Workbook(Rec(0x00FC, U32(1) + U32(1) + U16(40) + std::string(1, '\0') + "Alien") +
                                  Rec(0x003C, std::string(1, '\0') + "Horror"))),
         ImportKind::Xls, "endet zu früh"},
        {"string index beyond the table", Ole("Workbook", Workbook(Sst(0, {}))), ImportKind::Xls,
         "fehlenden Text"},
        {"password", Ole("Workbook", Workbook(Rec(0x002F, U16(1) + std::string(52, 'k')))), ImportKind::Xls,
         "Kennwort"},
        {"encrypted xlsx", Ole("EncryptionInfo", std::string(200, 'e')), ImportKind::Xlsx, "Kennwort"},
        {"excel 95 stream", Ole("Book", Workbook(Sst(1, {"Alien"}), 0x0500)), ImportKind::Xls,
         "Excel 5.0/95"},
        {"excel 95 version", Ole("Workbook", Workbook(Sst(1, {"Alien"}), 0x0500)), ImportKind::Xls,
         "Excel 5.0/95"},
        {"word document", Ole("WordDocument", std::string(600, 'w')), ImportKind::Xls,
         "keine Excel-Arbeitsmappe"},
        {"broken container", xls.substr(0, 512) + std::string(3000, 'x'), ImportKind::Xls, "Arbeitsmappe"},
    };
    for (const auto& c : cases) {
        const std::string message = Refusal(c.bytes, c.kind);
        EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
    }
}

// The same stream whole reads; the cases above differ from it in one fault each.
TEST(ImportReaders, HandMadeStreamReads) {
    ImportSheet sheet;
    SheetReadError error;
    ASSERT_TRUE(ReadXlsWorkbook(Ole("Workbook", Workbook(Sst(1, {"Alien"}))), sheet, error))
        << ToUtf8(error.message);
    EXPECT_EQ(sheet.text(0, 0), "Alien");
    // A string split across CONTINUE records, the second part UTF-16 after its own flags byte.
    const std::string split = Rec(0x00FC, U32(1) + U32(1) + U16(8) + std::string(1, '\0') + "Kin") +
                              Rec(0x003C, std::string(1, '\1') + std::string("g\0 \0K\0o\0n\0", 10));
    ImportSheet sheet2;
    ASSERT_TRUE(ReadXlsWorkbook(Ole("Workbook", Workbook(split)), sheet2, error)) << ToUtf8(error.message);
    EXPECT_EQ(sheet2.text(0, 0), "King Kon");
}
