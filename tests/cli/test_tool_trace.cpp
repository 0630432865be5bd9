#include "run_tool.h"
#include "temp_folder.h"
#include "trace/trace_log.h"

#include <gtest/gtest.h>

using kt::test::RunTool;
using kt::test::TempFolder;
using kt::test::WriteBytes;

TEST(ToolTrace, PrintsTheLinesNewestFirst) {
    TempFolder dir;
    const std::string file = dir.file("Kassotek.QBL");
    kt::TraceLog log;
    log.start(file);
    log.WriteMasterAlways = 1;
    log.AddLogLine("KtkMain: Load_Video_Data [ENTRY]\r\nDataFName=/x/Gr\xf6\xdf"
                   "e.VD6");
    log.AddLogLine("");
    log.AddLogLine("nur\nLF");
    log.AddLogLine(std::string(300, 'q'));
    log.AddLogLine("Tab\tEsc\x1b[31m\x81 \x80 gone"); // the euro sign is stored as 0: the line ends there
    const auto r = RunTool({"trace", file});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string lines = r.out;
    const std::string expected = "Tab\tEsc\\x1B[31m\\x81 \n" + std::string(256, 'q') +
                                 "\nnur\\nLF\n\n"
                                 "KtkMain: Load_Video_Data [ENTRY]\\nDataFName=/x/Größe.VD6\n";
    ASSERT_TRUE(lines.starts_with(expected)) << lines;
    const std::string rest = lines.substr(expected.size());
    EXPECT_NE(rest.find(" | ############################ Protokoll-Beginn ###########################\n"),
              std::string::npos);
    EXPECT_EQ(std::count(rest.begin(), rest.end(), '\n'), 1); // the unused slots are left out
}

TEST(ToolTrace, ShortFileAndErrors) {
    TempFolder dir;
    WriteBytes(dir.file("kurz.QBL"), "\xC1\xC2");
    const auto shortFile = RunTool({"trace", dir.file("kurz.QBL")});
    EXPECT_EQ(shortFile.code, 0);
    EXPECT_EQ(shortFile.out, "AB\n");
    EXPECT_NE(shortFile.err.find("2 statt 65280 Bytes"), std::string::npos);

    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{"trace"}, 2, "Aufruf: kassotek-tool trace DATEI.QBL"},
        {{"trace", "a.QBL", "b.QBL"}, 2, "Aufruf"},
        {{"trace", "--alle", "a.QBL"}, 2, "Unbekannte Option --alle"},
        {{"trace", dir.file("fehlt.QBL")}, 1, "nicht gefunden"},
        {{"trace", dir.path()}, 1, "Fehler beim Lesen aus"},
    };
    for (const auto& k : cases) {
        const auto r = RunTool(k.args);
        EXPECT_EQ(r.code, k.code) << k.message;
        EXPECT_NE(r.err.find(k.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}
