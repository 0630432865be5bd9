#include "tool.h"

#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace kt::cli {

namespace {

// One output line per stored line: its line breaks become the two characters \n. Other control
// bytes of a damaged file are shown as \xNN rather than sent to the terminal.
std::string OneLine(const std::string& cp1252) {
    std::string out;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto c = static_cast<unsigned char>(cp1252[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n')
                ++i;
            out += "\\n";
        } else if ((c < 0x20 && c != '\t') || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 ||
                   c == 0x9D) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += ToUtf8(std::string(1, static_cast<char>(c)));
        }
    }
    return out;
}

int Run(const Args& args) {
    const Options opt(args, {}, {});
    if (!opt.ok())
        return Fail(ExitUsage, opt.error());
    if (opt.positional().size() != 1)
        return Fail(ExitUsage, "Aufruf: kassotek-tool trace DATEI.QBL");
    const std::string& path = opt.positional().front();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return Fail(ExitFileError, "Datei " + path + " nicht gefunden!");
    const long long size = FileSizeOf(path);
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(TraceLog::BlockSize, 0);
    if (size < 0 || !FileExists(path) || !in)
        return Fail(ExitFileError, "Fehler beim Lesen aus " + path + "!");
    // As the program does at its start: the first 65280 bytes, a shorter file padded with zeros.
    in.read(reinterpret_cast<char*>(bytes.data()), TraceLog::BlockSize);
    if (in.bad())
        return Fail(ExitFileError, "Fehler beim Lesen aus " + path + "!");
    if (size != TraceLog::BlockSize)
        std::cerr << "kassotek-tool: Warnung: " << path << " ist " << size << " statt " << TraceLog::BlockSize
                  << " Bytes groß.\n";
    for (const auto& line : DecodeLogBlock(bytes))
        std::cout << OneLine(line) << '\n';
    return ExitOk;
}

const Registration reg({"trace", "trace DATEI.QBL   Zeilen eines Protokolls zeigen, die neueste zuerst",
                        Run});

} // namespace

} // namespace kt::cli
