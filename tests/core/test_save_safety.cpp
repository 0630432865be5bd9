#include "persist_support.h"
#include "scripted_dialogs.h"

#include "persistence/file_ops.h"
#include "persistence/film_data_file.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using namespace kt;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

bool Save(Collection& c, std::string file, std::string& errorText, Progress& p) {
    ScriptedDialogs ui;
    return Save_Video_Data(c, file, errorText, ui, p);
}

bool Save(Collection& c, const std::string& file) {
    NoProgress p;
    std::string errorText;
    return Save(c, file, errorText, p);
}

// Lets the first `allowed` bytes through, then reports a full disk.
class FullDiskAfter : public FileOps {
public:
    explicit FullDiskAfter(std::size_t allowed) : allowed_(allowed) { SetFileOps(this); }
    ~FullDiskAfter() override { SetFileOps(nullptr); }
    int write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        written = 0;
        if (done_ >= allowed_)
            return ENOSPC;
        const int error = FileOps::write(fd, data, std::min(size, allowed_ - done_), written);
        done_ += written;
        return error;
    }

private:
    std::size_t allowed_;
    std::size_t done_ = 0;
};

} // namespace

TEST(Backups, ThreeSavesKeepTwoOlderGenerationsAndAFourthDropsTheOldest) {
    test::TempFolder dir;
    const std::string file = dir.file("f.VD6");
    Collection c = test::SampleCollection();
    std::vector<std::string> states;
    for (int i = 0; i < 4; ++i) {
        c.Film(1).ProdYear = 1900 + i;
        ASSERT_TRUE(Save(c, file));
        states.push_back(test::ReadBytes(file));
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"f.BKC", "f.BKC1", "f.BKC2", "f.BKV", "f.BKV1", "f.BKV2",
                                                     "f.CDT", "f.LAD", "f.LNA", "f.VD6"}));
    EXPECT_EQ(test::ReadBytes(dir.file("f.BKV")), states[2]);
    EXPECT_EQ(test::ReadBytes(dir.file("f.BKV1")), states[1]);
    EXPECT_EQ(test::ReadBytes(dir.file("f.BKV2")), states[0]);
    EXPECT_EQ(test::ReadBytes(dir.file("f.BKC")), test::ReadBytes(dir.file("f.CDT")));
}

TEST(ShortWrite, AFullDiskLeavesTheOldFilesAndSaysWhichFileFailed) {
    const struct {
        int minor;
        std::size_t allowed;
        std::string prefix;
        const char* failing;
    } cases[] = {
        {6, 100, "", "f.VD6"},      {6, 0, "", "f.VD6"},      {3, 1000, "[2] ", "f.VD3"},
        {3, 2000, "[3] ", "f.VD3"}, {0, 10, "[3] ", "f.VDT"},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(std::to_string(tc.minor) + "/" + std::to_string(tc.allowed));
        test::TempFolder dir;
        const std::string file = dir.file(tc.failing);
        Collection c = test::SampleCollection();
        c.DataVerMinor = tc.minor;
        // the state before: written without a fault (version 2.6 writes in place of an existing file)
        if (tc.minor == 6) {
            ASSERT_TRUE(Save(c, file));
        }
        const auto before = dir.names();
        const std::string oldBytes = test::ReadBytes(file);
        c.Film(1).ProdYear = 2001;
        c.DataSaved = false;
        std::string errorText;
        NoProgress p;
        {
            FullDiskAfter full(tc.allowed);
            ScriptedDialogs ui;
            if (tc.minor != 6)
                ui.expectQuestion("übertragen werden?", Answer::No);
            std::string name = file;
            EXPECT_FALSE(Save_Video_Data(c, name, errorText, ui, p));
        }
        EXPECT_EQ(c.ActError, 9);
        EXPECT_EQ(errorText, tc.prefix + file + ToCp1252(" (Datenträger voll)"));
        EXPECT_EQ(ErrorText(c.ActError, errorText).rfind("Fehler beim Speichern der Daten in ", 0), 0u);
        EXPECT_FALSE(c.DataSaved);
        EXPECT_EQ(dir.names(), before) << "no backup, no temporary file, no cassette file";
        EXPECT_EQ(test::ReadBytes(file), oldBytes);
    }
}

TEST(ShortWrite, AFailingCassetteFileKeepsTheCollectionUnsaved) {
    test::TempFolder dir;
    const std::string file = dir.file("f.VD6");
    Collection c = test::SampleCollection();
    const std::size_t filmBytes = test::ReadBytes(test::SampleFile(".VD6")).size();
    c.DataSaved = false;
    std::string errorText;
    NoProgress p;
    {
        FullDiskAfter full(filmBytes + 4);
        EXPECT_FALSE(Save(c, file, errorText, p));
    }
    EXPECT_EQ(c.ActError, 9);
    EXPECT_EQ(errorText, "[4] " + dir.file("f.CDT") + ToCp1252(" (Datenträger voll)"));
    EXPECT_FALSE(c.DataSaved);
    EXPECT_EQ(dir.names(), std::vector<std::string>{}) << "the film data alone are not written either";
}

TEST(ShortWrite, AFileThatCannotBeCreatedIsReportedAsASaveError) {
    test::TempFolder dir;
    Collection c = test::SampleCollection();
    std::string errorText;
    NoProgress p;
    const std::string file = dir.file("fehlt/f.VD6");
    EXPECT_FALSE(Save(c, file, errorText, p));
    EXPECT_EQ(c.ActError, 9);
    EXPECT_EQ(errorText, file + " (Ordner nicht gefunden)");
}

TEST(Progress, LoadAndSaveNameTheirStepsAndCloseTheWaitWindow) {
    test::TempFolder dir;
    Collection c = test::SampleCollection();
    test::RecordingProgress save;
    std::string errorText;
    ASSERT_TRUE(Save(c, dir.file("f.VD6"), errorText, save));
    EXPECT_EQ(save.texts.front(), "Filmdaten werden gesichert!");
    EXPECT_EQ(save.maxima.front(), 3);
    EXPECT_EQ(save.texts.back(), "Cassettendaten werden gesichert!");
    EXPECT_EQ(save.last, 3);
    EXPECT_EQ(save.finished, 1);

    Collection back;
    test::RecordingProgress load;
    ScriptedDialogs ui;
    ASSERT_TRUE(Load_Video_Data(back, dir.file("f.VD6"), errorText, ui, load));
    EXPECT_EQ(load.texts.front(), "Filmdaten werden geladen!");
    EXPECT_EQ(load.texts.back(), "Cassettendaten werden geladen!");
    EXPECT_EQ(load.maxima.back(), 3);
    EXPECT_EQ(load.finished, 1);
}
