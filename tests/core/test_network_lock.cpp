#include "persist_support.h"
#include "scripted_dialogs.h"

#include "persistence/film_data_file.h"
#include "persistence/network_lock.h"
#include "trace/trace_log.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kt;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

// Puts every path on a network drive (or none) for one test.
struct NetworkDrive {
    explicit NetworkDrive(bool network) {
        SetNetworkDriveTest([network](const std::string&) { return network; });
        saved = Trace().WriteMasterAlways;
        Trace().WriteMasterAlways = 8;
    }
    ~NetworkDrive() {
        SetNetworkDriveTest({});
        Trace().WriteMasterAlways = saved;
    }
    int32_t saved;
};

const std::string OwnSemaphore = std::string(SemaphoreFirstLine) + "\r\nn.a.\r\n";

} // namespace

TEST(NetworkLock, ALocalDriveIsNeverLocked) {
    test::TempFolder dir;
    NetworkDrive local(false);
    Collection c;
    ScriptedDialogs ui;
    EXPECT_TRUE(Networking_OK(c, dir.file("f.VD6"), ui));
    EXPECT_TRUE(dir.names().empty());
    EXPECT_EQ(Trace().WriteMasterAlways, 8);
}

TEST(NetworkLock, TheFirstLoadCreatesTheSemaphoreFileAndTheSameMarkerIsAllowed) {
    test::TempFolder dir;
    NetworkDrive net(true);
    test::WriteBytes(dir.file("Filme.VD6"), test::ReadBytes(test::SampleFile(".VD6")));
    test::WriteBytes(dir.file("Filme.CDT"), "");
    Collection c;
    ScriptedDialogs ui;
    std::string errorText;
    NoProgress p;
    ASSERT_TRUE(Load_Video_Data(c, dir.file("Filme.VD6"), errorText, ui, p));
    EXPECT_EQ(test::ReadBytes(dir.file("Filme.SEM")), OwnSemaphore);
    EXPECT_EQ(Trace().WriteMasterAlways, 2);
    EXPECT_EQ(c.NetLock.SemDir, dir.path());
    EXPECT_NE(c.NetLock.NetSemTime, -1.0);

    // Another computer running this program writes the same marker and may go on.
    Collection second;
    EXPECT_TRUE(Networking_OK(second, dir.file("Filme.VD6"), ui));
    // New removes it again.
    EraseSemaphoreFile(c, dir.file("Filme.VD6"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Filme.SEM")));
}

TEST(NetworkLock, AnotherMarkerRefusesLoadAndSaveAndIsNeverDeleted) {
    test::TempFolder dir;
    NetworkDrive net(true);
    const std::string foreign = std::string(SemaphoreFirstLine) + "\r\nBUERO-PC\r\n";
    test::WriteBytes(dir.file("f.VD6"), test::ReadBytes(test::SampleFile(".VD6")));
    test::WriteBytes(dir.file("f.SEM"), foreign);
    Collection c = test::SampleCollection();
    ScriptedDialogs ui;
    ui.expect(Box::Notice, "Anscheinend hat ein anderer Computer bereits diese Daten geladen!\r\n"
                           "Daher können Sie Änderungen an den Daten NICHT in DIESER Datei speichern!");
    std::string errorText;
    NoProgress p;
    EXPECT_FALSE(Load_Video_Data(c, dir.file("f.VD6"), errorText, ui, p));
    EXPECT_EQ(c.ActError, 0);
    EXPECT_EQ(errorText, "");
    EXPECT_EQ(c.AnzFilm(), 3) << "nothing was read or released";

    ui.expect(Box::Notice, "Anscheinend hat ein anderer Computer");
    EXPECT_FALSE(Networking_OK(c, dir.file("f.VD6"), ui));
    EraseSemaphoreFile(c, dir.file("f.VD6"));
    EXPECT_EQ(test::ReadBytes(dir.file("f.SEM")), foreign);
}

TEST(NetworkLock, CheckCreationAndRemovalNameTheSameFileWhateverItsCase) {
    test::TempFolder dir;
    NetworkDrive net(true);
    Collection c;
    ScriptedDialogs ui;
    // An older version wrote the name part in capitals.
    test::WriteBytes(dir.file("FILME.SEM"), std::string(SemaphoreFirstLine) + "\r\nANDERER\r\n");
    ui.expect(Box::Notice, "Anscheinend");
    EXPECT_FALSE(Networking_OK(c, dir.file("filme.vd6"), ui));
    std::filesystem::remove(dir.file("FILME.SEM"));

    EXPECT_TRUE(Networking_OK(c, dir.file("filme.vd6"), ui));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"filme.SEM"}));
    // accepted once: the same file with the accepted time is written again, not a second one
    EXPECT_TRUE(Networking_OK(c, dir.file("filme.vd6"), ui));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"filme.SEM"}));
    EraseSemaphoreFile(c, dir.file("filme.vd6"));
    EXPECT_TRUE(dir.names().empty());

    // an empty second line counts as this computer's
    test::WriteBytes(dir.file("filme.sem"), std::string(SemaphoreFirstLine) + "\r\n");
    EraseSemaphoreFile(c, dir.file("filme.vd6"));
    EXPECT_TRUE(dir.names().empty());
}

TEST(NetworkLock, TheFileSystemTestKnowsALocalFolder) {
    // The real test: the temporary folder of the build machine is no network share.
    test::TempFolder dir;
    EXPECT_FALSE(IsNetworkDrive(dir.file("f.VD6")));
    EXPECT_FALSE(IsNetworkDrive(dir.file("fehlt/noch/f.VD6")));
}
