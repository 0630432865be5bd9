#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

// The diagnosis ring: 255 slots of 256 bytes, slot 0 the newest line, each byte stored as
// (c + 128) mod 256. Kept as a real ring so that adding a line costs the same at any fill;
// block() gives exactly the bytes of the shifting layout that the log file holds.
class TraceLog {
public:
    static constexpr int Slots = 255;
    static constexpr int SlotSize = 256;
    static constexpr int BlockSize = Slots * SlotSize; // 65280

    TraceLog();

    // Program start: write mode 8, the ring continued from `logFile`, the start line added.
    // For the program's own log (Trace()) it also installs the exit hook: it runs at exit() and,
    // with run-time error 217, when an exception escapes.
    void start(const std::string& logFile);
    // End of the program; `runtimeError` 0 for an orderly end. Runs once; afterwards the ring is
    // released and no further line is kept.
    void exitHook(int runtimeError = 0);

    void TraceLine(const std::string& message);
    void TraceLevelLine(int level, const std::string& message);
    bool AddLogLine(const std::string& text);
    // Writes `block` as the whole file `fileName`, obeying WriteMasterAlways.
    bool WriteLogFile(const std::vector<uint8_t>& block, const std::string& fileName);
    // Writes the ring to MasterLogFName as the ring write rule says.
    bool WriteRing();

    std::vector<uint8_t> block() const;
    void loadBlock(const std::vector<uint8_t>& bytes);
    // The stored line of `slot` (0 = newest) with the byte transform undone; empty when unused.
    std::string line(int slot) const;

    bool exists() const { return !ring_.empty(); }

    int32_t WriteMasterAlways = 8;
    int8_t MasterStoreLevel = 1;
    std::string MasterLogFName;
    std::vector<int32_t> Locations; // the DBGLOC list

private:
    std::size_t physical(int slot) const;
    bool writeFile(const std::vector<uint8_t>& block, const std::string& fileName) const;

    std::vector<uint8_t> ring_;
    int head_ = 0; // physical slot that holds logical slot 0
    bool ended_ = false;
};

// The program's own log; every unit traces through these.
TraceLog& Trace();
void TraceLine(const std::string& message);
void TraceLevelLine(int level, const std::string& message);

// Decodes a log file's bytes, newest first; unused slots at the end are left out.
std::vector<std::string> DecodeLogBlock(const std::vector<uint8_t>& bytes);

} // namespace kt
