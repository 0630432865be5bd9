#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Record ids and limits of the Excel 97 (BIFF8) workbook stream, shared by its writer and reader.
namespace kt::biff8 {

constexpr uint16_t RecFormula = 0x0006;
constexpr uint16_t RecEof = 0x000A;
constexpr uint16_t RecCalcPrecision = 0x000E;
constexpr uint16_t RecProtect = 0x0012;
constexpr uint16_t RecPassword = 0x0013;
constexpr uint16_t RecWindowProtect = 0x0019;
constexpr uint16_t RecDate1904 = 0x0022;
constexpr uint16_t RecFont = 0x0031;
constexpr uint16_t RecContinue = 0x003C;
constexpr uint16_t RecWindow1 = 0x003D;
constexpr uint16_t RecBackup = 0x0040;
constexpr uint16_t RecCodepage = 0x0042;
constexpr uint16_t RecDefColWidth = 0x0055;
constexpr uint16_t RecCountry = 0x008C;
constexpr uint16_t RecHideObj = 0x008D;
constexpr uint16_t RecBoundSheet = 0x0085;
constexpr uint16_t RecBookBool = 0x00DA;
constexpr uint16_t RecXf = 0x00E0;
constexpr uint16_t RecSst = 0x00FC;
constexpr uint16_t RecLabelSst = 0x00FD;
constexpr uint16_t RecExtSst = 0x00FF;
constexpr uint16_t RecUsesElfs = 0x0160;
constexpr uint16_t RecDsf = 0x0161;
constexpr uint16_t RecRefreshAll = 0x01B7;
constexpr uint16_t RecDimensions = 0x0200;
constexpr uint16_t RecNumber = 0x0203;
constexpr uint16_t RecLabel = 0x0204;
constexpr uint16_t RecRow = 0x0208;
constexpr uint16_t RecString = 0x0207;
constexpr uint16_t RecWindow2 = 0x023E;
constexpr uint16_t RecRk = 0x027E;
constexpr uint16_t RecStyle = 0x0293;
constexpr uint16_t RecMulRk = 0x00BD;
constexpr uint16_t RecBoolErr = 0x0205;
constexpr uint16_t RecRString = 0x00D6;
constexpr uint16_t RecBof = 0x0809;
// Read only: what other programs write.
constexpr uint16_t RecFilePass = 0x002F;
constexpr uint16_t RecMulBlank = 0x00BE;
constexpr uint16_t RecBlank = 0x0201;
constexpr uint16_t RecFormat = 0x041E;

// BOF: the BIFF8 version and the substream types.
constexpr uint16_t BofVersion = 0x0600;
constexpr uint16_t BofWorkbookGlobals = 0x0005;
constexpr uint16_t BofWorksheet = 0x0010;

// CODEPAGE value of a BIFF8 file: texts are UTF-16 (or its Latin-1 compressed form).
constexpr uint16_t CodepageUtf16 = 1200;

// The most data bytes of one record; longer contents continue in CONTINUE records.
constexpr std::size_t MaxRecordData = 8224;

// The sheet's size and the longest text of a cell.
constexpr int MaxRows = 65536;
constexpr int MaxColumns = 256;
constexpr std::size_t MaxTextChars = 32767;
constexpr std::size_t MaxSheetNameChars = 31;

// The string flags byte: set bit 0 = UTF-16 characters, clear = one Latin-1 byte each.
constexpr uint8_t StringHighByte = 0x01;
constexpr uint8_t StringExtended = 0x04;
constexpr uint8_t StringRich = 0x08;

// The index of the cell format every written cell uses (after the 15 style formats).
constexpr uint16_t DefaultCellXf = 15;

// A text as UTF-16 code units (from UTF-8; a malformed byte is read as Windows-1252).
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);
// True when every code unit fits the compressed (Latin-1) form.
bool FitsLatin1(std::u16string_view text);

} // namespace kt::biff8
