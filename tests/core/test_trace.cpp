#include "temp_folder.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <regex>

using namespace kt;
using kt::test::ReadBytes;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

using Block = std::vector<uint8_t>;

// The log as it was first built: every line moves all older slots one down.
struct ShiftingLog {
    Block bytes = Block(TraceLog::BlockSize, 0);
    void add(const std::string& text) {
        std::memmove(bytes.data() + TraceLog::SlotSize, bytes.data(),
                     (TraceLog::Slots - 1) * TraceLog::SlotSize);
        std::memset(bytes.data(), 0, TraceLog::SlotSize);
        for (std::size_t i = 0; i < text.size() && i < TraceLog::SlotSize; ++i)
            bytes[i] = static_cast<uint8_t>((static_cast<uint8_t>(text[i]) + 128) % 256);
    }
};

Block FileBlock(const std::string& file) {
    const std::string s = ReadBytes(file);
    return Block(s.begin(), s.end());
}

std::string Numbered(int i) {
    // Lengths from 0 to 300 and every byte value but 128 (stored as 0, it would end the slot).
    const auto length = static_cast<std::size_t>(i * 37 % 301);
    std::string s = "Zeile " + std::to_string(i) + " ";
    for (std::size_t k = 0; s.size() < length; ++k) {
        const auto c = static_cast<char>((k * 7 + static_cast<std::size_t>(i)) % 256);
        s += c == '\x80' ? 'x' : c;
    }
    return s.substr(0, length);
}

} // namespace

TEST(TraceRing, MatchesTheShiftingLayoutByteForByte) {
    TraceLog log;
    ShiftingLog model;
    log.WriteMasterAlways = 2;
    Block previous(TraceLog::BlockSize, 0);
    for (int i = 0; i < TraceLog::BlockSize; ++i)
        previous[static_cast<std::size_t>(i)] = static_cast<uint8_t>(i * 13 + 1);
    log.loadBlock(previous); // a ring continued from the last run
    model.bytes = previous;
    for (int i = 0; i < 700; ++i) {
        const std::string line = Numbered(i);
        ASSERT_TRUE(log.AddLogLine(line));
        model.add(line);
        ASSERT_EQ(log.block(), model.bytes) << "after line " << i;
    }
    EXPECT_EQ(log.line(0), Numbered(699).substr(0, 256));
    EXPECT_EQ(log.line(254), Numbered(699 - 254).substr(0, 256));
    EXPECT_EQ(log.line(255), "");
}

TEST(TraceRing, StoredBytes) {
    TraceLog log;
    log.AddLogLine("A");
    const Block b = log.block();
    ASSERT_EQ(b.size(), 65280u);
    EXPECT_EQ(b[0], 193);
    EXPECT_EQ(b[1], 0); // the unused rest of the slot
    EXPECT_EQ(log.line(0), "A");

    const std::string longLine(300, 'z');
    log.AddLogLine(longLine);
    EXPECT_EQ(log.line(0), std::string(256, 'z'));
    EXPECT_EQ(log.line(1), "A");
    EXPECT_EQ(log.block()[256], 193); // slot 1 now holds "A"

    log.AddLogLine("zwei\r\nZeilen");
    EXPECT_EQ(log.line(0), "zwei\r\nZeilen"); // a line break stays inside its slot
    EXPECT_EQ(log.line(1), std::string(256, 'z'));
}

TEST(TraceRing, DecodeLeavesOutUnusedSlots) {
    TraceLog log;
    log.AddLogLine("alt");
    log.AddLogLine("");
    log.AddLogLine("neu");
    EXPECT_EQ(DecodeLogBlock(log.block()), (std::vector<std::string>{"neu", "", "alt"}));
    EXPECT_TRUE(DecodeLogBlock(Block(TraceLog::BlockSize, 0)).empty());
    EXPECT_EQ(DecodeLogBlock(Block(100, 0xC1)).size(), 0u); // no whole slot
}

TEST(TraceFile, StartContinuesThePreviousRun) {
    TempFolder dir;
    const std::string file = dir.file("Kassotek.QBL");
    {
        TraceLog first;
        first.start(file);
        first.WriteMasterAlways = 2;
        for (int i = 0; i < 300; ++i)
            first.AddLogLine("erster Lauf " + std::to_string(i));
        first.exitHook();
    }
    ASSERT_EQ(ReadBytes(file).size(), 65280u);
    TraceLog second;
    second.start(file);
    EXPECT_TRUE(std::regex_match(
        second.line(0), std::regex(R"(\d\d\.\d\d\.\d{4} \| \d\d:\d\d:\d\d \| #{28} Protokoll-Beginn #{27})")))
        << second.line(0);
    EXPECT_EQ(second.line(1), "erster Lauf 299");
    EXPECT_EQ(second.line(254), "erster Lauf 46");
    EXPECT_EQ(second.WriteMasterAlways, 8);

    // 300 lines in one run: the newest 255 stay, the first of them is gone.
    second.WriteMasterAlways = 2;
    for (int i = 0; i < 300; ++i)
        second.AddLogLine("zweiter Lauf " + std::to_string(i));
    second.exitHook();
    const auto lines = DecodeLogBlock(FileBlock(file));
    ASSERT_EQ(lines.size(), 255u);
    EXPECT_EQ(lines.front(), "zweiter Lauf 299");
    EXPECT_EQ(lines.back(), "zweiter Lauf 45");

    // A short file fills the ring from the front.
    WriteBytes(file, std::string(256, '\xC1') + "\xC2");
    TraceLog third;
    third.start(file);
    EXPECT_EQ(third.line(1), std::string(256, 'A'));
    EXPECT_EQ(third.line(2), "B");
    EXPECT_EQ(third.line(3), "");
}

TEST(TraceFile, WriteModes) {
    TempFolder dir;
    const std::string file = dir.file("Kassotek.QBL");

    { // 1: the file is complete after every line
        TraceLog log;
        log.start(file);
        log.WriteMasterAlways = 1;
        for (int i = 0; i < 3; ++i) {
            log.TraceLine("Zeile " + std::to_string(i));
            EXPECT_EQ(FileBlock(file), log.block());
        }
    }
    std::remove(file.c_str());
    { // 129: the first write is skipped once, later ones happen
        TraceLog log;
        log.start(file);
        log.WriteMasterAlways = 129;
        log.TraceLine("eins");
        EXPECT_FALSE(FileExists(file));
        EXPECT_EQ(log.WriteMasterAlways, 1);
        log.TraceLine("zwei");
        EXPECT_EQ(FileBlock(file), log.block());
    }
    std::remove(file.c_str());
    { // 2: only at the end
        TraceLog log;
        log.start(file);
        log.WriteMasterAlways = 2;
        log.TraceLine("eins");
        EXPECT_FALSE(FileExists(file));
        const Block ring = log.block();
        log.exitHook();
        EXPECT_EQ(FileBlock(file), ring);
        EXPECT_FALSE(log.exists()); // released: later lines are not kept
        EXPECT_FALSE(log.AddLogLine("danach"));
        log.exitHook(); // runs once
        EXPECT_EQ(FileBlock(file), ring);
    }
    { // 8, nothing decided yet (a second instance): an orderly end leaves the file as it was
        const std::string before = ReadBytes(file);
        TraceLog log;
        log.start(file);
        log.TraceLine("zweite Instanz");
        log.exitHook();
        EXPECT_EQ(ReadBytes(file), before);
    }
    { // 8 and a run-time error: the error line without time stamp is written
        TraceLog log;
        log.start(file);
        log.exitHook(217);
        const auto lines = DecodeLogBlock(FileBlock(file));
        EXPECT_EQ(lines.at(0), "QBinLog erkennt Laufzeitfehler: 217");
        EXPECT_NE(lines.at(1).find("Protokoll-Beginn"), std::string::npos);
    }
    { // -1: never
        const std::string before = ReadBytes(file);
        TraceLog log;
        log.start(file);
        log.WriteMasterAlways = -1;
        log.exitHook(5);
        EXPECT_EQ(ReadBytes(file), before);
    }
}

TEST(TraceFile, LevelsAndTheOffSwitch) {
    TempFolder dir;
    const std::string file = dir.file("Kassotek.QBL");
    TraceLog log;
    log.start(file);
    log.WriteMasterAlways = 2;
    log.MasterStoreLevel = 1;
    log.TraceLevelLine(2, "Stufe 2");
    EXPECT_EQ(log.line(0).find("Stufe 2"), std::string::npos);
    log.TraceLevelLine(1, "Stufe 1");
    EXPECT_NE(log.line(0).find(" | Stufe 1"), std::string::npos);
    log.TraceLevelLine(-3, "Stufe -3");
    EXPECT_NE(log.line(0).find("Stufe -3"), std::string::npos);
    EXPECT_FALSE(FileExists(file));
    // 255 counts as -1: always kept, and the file is written at once whatever the mode says.
    log.TraceLevelLine(255, "Stufe 255");
    EXPECT_NE(log.line(0).find("Stufe 255"), std::string::npos);
    EXPECT_EQ(FileBlock(file), log.block());

    log.MasterStoreLevel = 6;
    log.TraceLevelLine(6, "Stufe 6");
    EXPECT_NE(log.line(0).find("Stufe 6"), std::string::npos);

    // 254 (as a signed byte -2) switches the log off after the start line.
    TraceLog off;
    off.start(dir.file("off.QBL"));
    off.WriteMasterAlways = 2;
    off.MasterStoreLevel = static_cast<int8_t>(static_cast<uint8_t>(254));
    const Block ring = off.block();
    EXPECT_FALSE(off.AddLogLine("nichts"));
    off.TraceLine("nichts");
    off.TraceLevelLine(255, "nichts");
    EXPECT_EQ(off.block(), ring);
    off.exitHook();
    const auto lines = DecodeLogBlock(FileBlock(dir.file("off.QBL")));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Protokoll-Beginn"), std::string::npos);
}

TEST(TraceFile, WriteLogFileForOtherFiles) {
    TempFolder dir;
    TraceLog log;
    log.WriteMasterAlways = 2;
    log.AddLogLine("Fehler");
    // A numbered extra log is written whatever bit 0 says; bit 7 still skips one write.
    EXPECT_TRUE(log.WriteLogFile(log.block(), dir.file("Kassotek.001.QBL")));
    EXPECT_EQ(FileBlock(dir.file("Kassotek.001.QBL")), log.block());
    log.WriteMasterAlways = 130;
    EXPECT_FALSE(log.WriteLogFile(log.block(), dir.file("Kassotek.002.QBL")));
    EXPECT_FALSE(FileExists(dir.file("Kassotek.002.QBL")));
    EXPECT_EQ(log.WriteMasterAlways, 2);
    EXPECT_FALSE(log.WriteLogFile(log.block(), dir.file("no/such/folder.QBL")));
}

TEST(TraceExitHook, RunsAtExitAndWhenTheProgramTerminates) {
    TempFolder dir;
    const std::string file = dir.file("Kassotek.QBL");
    EXPECT_EXIT(
        {
            Trace().start(file);
            Trace().WriteMasterAlways = 2;
            TraceLine("vor dem Ende");
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    auto lines = DecodeLogBlock(FileBlock(file));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(" | vor dem Ende"), std::string::npos);

    // An exception that nobody catches ends in std::terminate.
    EXPECT_DEATH(
        {
            Trace().start(file);
            Trace().WriteMasterAlways = 2;
            std::terminate();
        },
        "");
    lines = DecodeLogBlock(FileBlock(file));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "QBinLog erkennt Laufzeitfehler: 217");
    EXPECT_NE(lines[1].find("Protokoll-Beginn"), std::string::npos);
}
