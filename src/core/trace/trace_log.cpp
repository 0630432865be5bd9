#include "trace/trace_log.h"

#include "text/helpers.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>

namespace kt {

namespace {

uint8_t Encode(char c) { return static_cast<uint8_t>((static_cast<uint8_t>(c) + 128) & 0xFF); }
char Decode(uint8_t b) { return static_cast<char>((b + 128) & 0xFF); }

std::string DecodeSlot(const uint8_t* slot) {
    std::string s;
    for (int i = 0; i < TraceLog::SlotSize && slot[i] != 0; ++i)
        s += Decode(slot[i]);
    return s;
}

// The run-time error code of an unhandled exception in the program this log comes from.
constexpr int UnhandledException = 217;

void InstallExitHook() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    std::atexit([] { Trace().exitHook(0); });
    static const std::terminate_handler previous = std::set_terminate([] {
        Trace().exitHook(UnhandledException);
        if (previous)
            previous();
        std::abort();
    });
}

} // namespace

TraceLog::TraceLog() : ring_(BlockSize, 0) {}

std::size_t TraceLog::physical(int slot) const {
    return static_cast<std::size_t>((head_ + slot) % Slots) * SlotSize;
}

void TraceLog::start(const std::string& logFile) {
    if (this == &Trace())
        InstallExitHook();
    WriteMasterAlways = 8;
    MasterLogFName = logFile;
    Locations.clear();
    // Only a plain file: opening a pipe would wait for a writer.
    std::ifstream in;
    if (FileExists(logFile))
        in.open(logFile, std::ios::binary);
    if (in) {
        std::vector<uint8_t> bytes(BlockSize, 0);
        in.read(reinterpret_cast<char*>(bytes.data()), BlockSize);
        loadBlock(bytes);
    }
    AddLogLine(DateTimeText() + " | ############################ Protokoll-Beginn ###########################");
}

void TraceLog::loadBlock(const std::vector<uint8_t>& bytes) {
    if (ring_.empty())
        return;
    std::fill(ring_.begin(), ring_.end(), 0);
    std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), BlockSize), ring_.begin());
    head_ = 0;
}

bool TraceLog::AddLogLine(const std::string& text) {
    if (static_cast<uint8_t>(MasterStoreLevel) == 254 || ring_.empty())
        return false;
    head_ = (head_ + Slots - 1) % Slots; // the old slot 254 becomes the new slot 0
    uint8_t* slot = ring_.data() + physical(0);
    std::memset(slot, 0, SlotSize);
    const std::size_t n = std::min<std::size_t>(text.size(), SlotSize);
    for (std::size_t i = 0; i < n; ++i)
        slot[i] = Encode(text[i]);
    WriteRing();
    return true;
}

void TraceLog::TraceLine(const std::string& message) { AddLogLine(DateTimeText() + " | " + message); }

void TraceLog::TraceLevelLine(int level, const std::string& message) {
    const auto lvl = static_cast<int8_t>(static_cast<uint8_t>(level & 0xFF));
    if (lvl > MasterStoreLevel)
        return;
    if (AddLogLine(DateTimeText() + " | " + message) && (level & 0xFF) == 255)
        writeFile(block(), MasterLogFName);
}

std::vector<uint8_t> TraceLog::block() const {
    std::vector<uint8_t> out(BlockSize, 0);
    if (ring_.empty())
        return out;
    for (int s = 0; s < Slots; ++s)
        std::copy_n(ring_.begin() + static_cast<std::ptrdiff_t>(physical(s)), SlotSize,
                    out.begin() + static_cast<std::ptrdiff_t>(s) * SlotSize);
    return out;
}

std::string TraceLog::line(int slot) const {
    if (ring_.empty() || slot < 0 || slot >= Slots)
        return {};
    return DecodeSlot(ring_.data() + physical(slot));
}

bool TraceLog::writeFile(const std::vector<uint8_t>& bytes, const std::string& fileName) const {
    if (fileName.empty())
        return false;
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool TraceLog::WriteLogFile(const std::vector<uint8_t>& bytes, const std::string& fileName) {
    if (WriteMasterAlways & 128) {
        WriteMasterAlways &= ~128;
        return false;
    }
    return writeFile(bytes, fileName);
}

bool TraceLog::WriteRing() {
    if (WriteMasterAlways & 128) {
        WriteMasterAlways &= ~128;
        return false;
    }
    if (!(WriteMasterAlways & 1))
        return true;
    return writeFile(block(), MasterLogFName);
}

void TraceLog::exitHook(int runtimeError) {
    if (ended_)
        return;
    ended_ = true;
    if (WriteMasterAlways != -1 && !(WriteMasterAlways == 8 && runtimeError == 0)) {
        WriteMasterAlways = 1;
        bool added = false;
        if (runtimeError != 0)
            added = AddLogLine("QBinLog erkennt Laufzeitfehler: " + std::to_string(runtimeError));
        if (!added)
            WriteRing();
    }
    ring_.clear();
    ring_.shrink_to_fit();
    head_ = 0;
    Locations.clear();
}

TraceLog& Trace() {
    static TraceLog log;
    return log;
}

void TraceLine(const std::string& message) { Trace().TraceLine(message); }
void TraceLevelLine(int level, const std::string& message) { Trace().TraceLevelLine(level, message); }

std::vector<std::string> DecodeLogBlock(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> lines;
    for (std::size_t off = 0; off + TraceLog::SlotSize <= bytes.size(); off += TraceLog::SlotSize)
        lines.push_back(DecodeSlot(bytes.data() + off));
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace kt
