#include "persist_support.h"
#include "scripted_dialogs.h"

#include "persistence/file_ops.h"
#include "persistence/film_data_file.h"
#include "persistence/save_transaction.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>

using namespace kt;
using kt::test::ScriptedDialogs;

namespace {

// Counts every call that changes the disk. From step `at` on it either "crashes" (that step and
// all later ones do nothing, as if the process had died) or fails that one step with `error`.
class FaultyOps : public FileOps {
public:
    enum class Mode { None, Crash, Fail };
    FaultyOps(Mode mode, int at, int error = ENOSPC) : mode_(mode), at_(at), error_(error) {
        SetFileOps(this);
    }
    ~FaultyOps() override { SetFileOps(nullptr); }

    int steps() const { return step_; }
    bool hit() const { return hit_; }

    int create(const std::string& path, int& fd) override {
        if (const int e = fault())
            return e;
        return FileOps::create(path, fd);
    }
    int write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        written = 0;
        // Writes go in small pieces, so that a fault can land in the middle of a file.
        if (const int e = fault())
            return e;
        return FileOps::write(fd, data, std::min<std::size_t>(size, 4096), written);
    }
    int fsync(int fd) override {
        if (const int e = fault())
            return e;
        return FileOps::fsync(fd);
    }
    int close(int fd) override {
        // A crashed process's descriptors are closed by the system all the same.
        if (const int e = fault()) {
            FileOps::close(fd);
            return e;
        }
        return FileOps::close(fd);
    }
    int link(const std::string& a, const std::string& b) override {
        if (const int e = fault())
            return e;
        return FileOps::link(a, b);
    }
    int rename(const std::string& a, const std::string& b) override {
        if (const int e = fault())
            return e;
        return FileOps::rename(a, b);
    }
    int unlink(const std::string& p) override {
        if (const int e = fault())
            return e;
        return FileOps::unlink(p);
    }
    int fsyncFolder(const std::string& f) override {
        if (const int e = fault())
            return e;
        return FileOps::fsyncFolder(f);
    }

private:
    // The error of this step, or 0 to carry it out.
    int fault() {
        ++step_;
        if (mode_ == Mode::Crash && step_ >= at_) {
            hit_ = true;
            return EIO;
        }
        if (mode_ == Mode::Fail && step_ == at_) {
            hit_ = true;
            return error_;
        }
        return 0;
    }
    Mode mode_;
    int at_;
    int error_;
    int step_ = 0;
    bool hit_ = false;
};

using Files = std::map<std::string, std::string>;

Files Snapshot(const test::TempFolder& dir) {
    Files out;
    for (const std::string& n : dir.names())
        out[n] = std::filesystem::is_directory(dir.file(n)) ? "<Ordner>" : test::ReadBytes(dir.file(n));
    return out;
}

const char* const SetNames[] = {"f.VD6", "f.CDT", "f.LNA", "f.LAD"};

// The files of one complete collection state with its backups, as a save leaves them.
Files SetOf(const Files& all) {
    Files out;
    for (const char* n : SetNames)
        if (auto it = all.find(n); it != all.end())
            out[n] = it->second;
    return out;
}

Collection Changed(int round) {
    Collection c = test::SampleCollection();
    c.Film(1).ProdYear = 1990 + round;
    c.Cassette(2).RestLength = static_cast<int16_t>(100 + round);
    c.LenderNames.push_back("Leser " + std::to_string(round));
    c.LenderAddresses.push_back("Weg " + std::to_string(round));
    return c;
}

bool Save(Collection c, const std::string& file, std::string* errorText = nullptr, int* actError = nullptr) {
    ScriptedDialogs ui;
    NoProgress p;
    std::string name = file;
    std::string text;
    const bool ok = Save_Video_Data(c, name, text, ui, p);
    if (errorText)
        *errorText = text;
    if (actError)
        *actError = c.ActError;
    return ok;
}

// A folder after three saves: the files and two backup generations of each.
struct History {
    test::TempFolder dir;
    std::string file = dir.file("f.VD6");
    Files before;

    History() {
        for (int round = 0; round < 3; ++round)
            EXPECT_TRUE(Save(Changed(round), file));
        before = Snapshot(dir);
    }

    // What a save of the state `round` leaves when it is complete.
    Files afterSave(int round) {
        test::TempFolder other;
        for (int r : {0, 1, 2, round})
            EXPECT_TRUE(Save(Changed(r), other.file("f.VD6")));
        return Snapshot(other);
    }
};

std::string Names(const Files& f) {
    std::string out;
    for (const auto& [n, bytes] : f)
        out += n + " ";
    return out;
}

} // namespace

TEST(SaveTransaction, ACrashAtAnyStepLeavesTheOldOrTheNewSetAfterTheNextLoad) {
    History h;
    const Files after = h.afterSave(3);
    int k = 1;
    int oldSets = 0;
    int newSets = 0;
    for (;; ++k) {
        SCOPED_TRACE("crash at step " + std::to_string(k));
        History run;
        bool completed = false;
        {
            FaultyOps ops(FaultyOps::Mode::Crash, k);
            Save(Changed(3), run.file);
            completed = !ops.hit();
        }
        // The next load completes what the journal holds.
        Collection loaded;
        std::string errorText;
        ScriptedDialogs ui;
        NoProgress p;
        ASSERT_TRUE(Load_Video_Data(loaded, run.file, errorText, ui, p));

        Files now = Snapshot(run.dir);
        Files kept;
        for (const auto& [name, bytes] : now)
            if (name.find(".kt~") == std::string::npos)
                kept[name] = bytes;
        if (kept == run.before) {
            ++oldSets;
        } else {
            ASSERT_EQ(kept, after) << "neither the old nor the new set: " << Names(kept);
            ++newSets;
        }
        EXPECT_EQ(now.count("f.KTJ"), 0u);
        // Temporary files of the crash go with the next successful save.
        ASSERT_TRUE(Save(Changed(4), run.file));
        for (const auto& [name, bytes] : Snapshot(run.dir))
            EXPECT_EQ(name.find(".kt~"), std::string::npos) << name;
        if (completed)
            break;
    }
    EXPECT_GT(k, 20);
    EXPECT_GT(oldSets, 0);
    EXPECT_GT(newSets, 0);
}

TEST(SaveTransaction, AFailingStepBeforeTheCommitChangesNothingAndNamesFileAndReason) {
    int k = 1;
    for (;; ++k) {
        SCOPED_TRACE("failing step " + std::to_string(k));
        History run;
        std::string errorText;
        int actError = 0;
        bool ok = false;
        bool hit = false;
        {
            FaultyOps ops(FaultyOps::Mode::Fail, k);
            ok = Save(Changed(3), run.file, &errorText, &actError);
            hit = ops.hit();
        }
        if (!hit) {
            EXPECT_TRUE(ok);
            break;
        }
        if (ok)
            continue; // a failure after the commit, e.g. removing a stray file, does not matter
        const Files now = Snapshot(run.dir);
        if (now.count("f.KTJ")) {
            // The journal was written: the next load brings the new set.
            Collection loaded;
            std::string text;
            ScriptedDialogs ui;
            NoProgress p;
            ASSERT_TRUE(Load_Video_Data(loaded, run.file, text, ui, p));
            EXPECT_EQ(SetOf(Snapshot(run.dir)), SetOf(run.afterSave(3)));
            continue;
        }
        EXPECT_EQ(now, run.before) << "a failed save changed the disk";
        EXPECT_TRUE(actError == 9 || actError == 25) << actError;
        EXPECT_NE(errorText.find(ToCp1252("(Datenträger voll)")), std::string::npos) << errorText;
        EXPECT_NE(errorText.find(run.dir.path()), std::string::npos) << errorText;
    }
    EXPECT_GT(k, 20);
}

TEST(SaveTransaction, ABackupThatCannotBeMadeStopsTheSave) {
    History run;
    // The second generation's name is taken by a folder: the backup cannot be made.
    ASSERT_TRUE(std::filesystem::create_directory(run.dir.file("f.BKV2")));
    const Files before = Snapshot(run.dir);
    std::string errorText;
    int actError = 0;
    EXPECT_FALSE(Save(Changed(3), run.file, &errorText, &actError));
    EXPECT_EQ(Snapshot(run.dir), before);
    EXPECT_EQ(actError, 25);
    EXPECT_EQ(ErrorText(actError, errorText),
              "Fehler beim Schreiben der Daten-Backupdatei " + run.dir.file("f.BKV2") + " (keine Datei).");
}

TEST(SaveTransaction, AnUnreadableJournalIsDroppedAndAJournalNeverReachesOutOfItsFolder) {
    test::TempFolder dir;
    const std::string outside = dir.file("sub");
    std::filesystem::create_directory(outside);
    test::WriteBytes(dir.file("sub/x"), "x");
    for (const std::string& journal :
         {std::string("Unsinn"), std::string("KASSOTEK-JOURNAL 1\nR../x\0y\0END\n", 32),
          std::string("KASSOTEK-JOURNAL 1\nRa\0b")}) {
        test::WriteBytes(dir.file("sub/f.KTJ"), journal);
        std::string file;
        EXPECT_EQ(RecoverReplace(dir.file("sub/f.KTJ"), file), 0);
        EXPECT_FALSE(std::filesystem::exists(dir.file("sub/f.KTJ")));
        EXPECT_TRUE(std::filesystem::exists(dir.file("sub/x")));
    }
}
