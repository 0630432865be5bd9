#include "persist_support.h"
#include "scripted_dialogs.h"

#include "persistence/film_data_file.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kt;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

bool Load(Collection& c, const std::string& file, ScriptedDialogs& ui, std::string* errorText = nullptr) {
    std::string text;
    NoProgress p;
    const bool ok = Load_Video_Data(c, file, text, ui, p);
    if (errorText)
        *errorText = text;
    return ok;
}

TFilmV26 Lent(const std::string& name, const std::string& address) {
    TFilmV26 f;
    f.LendStatus = LendLent;
    f.LentTo.Strng = name;
    f.LenderAddress.Strng = address;
    return f;
}

} // namespace

TEST(BorrowerFiles, AreTakenOnlyAsAMatchingPair) {
    const struct {
        const char* name;
        const char* lna; // nullptr: missing; "/": a folder
        const char* lad;
        const char* warning; // nullptr: none
        std::vector<std::string> names;
        std::vector<std::string> addresses;
    } cases[] = {
        {"both",
         "Anna\r\nBert\r\n",
         "Weg 1\r\nWeg 2\r\n",
         nullptr,
         {"Anna", "Bert", "Carla"},
         {"Weg 1", "Weg 2", "Hof 3"}},
        {"neither", nullptr, nullptr, nullptr, {"Alt", "Carla"}, {"Altweg", "Hof 3"}},
        {"addresses missing",
         "Anna\r\nBert\r\n",
         nullptr,
         "\"f.LAD\" fehlt",
         {"Alt", "Carla"},
         {"Altweg", "Hof 3"}},
        {"names missing", nullptr, "Weg 1\r\n", "\"f.LNA\" fehlt", {"Alt", "Carla"}, {"Altweg", "Hof 3"}},
        {"different lengths",
         "Anna\r\nBert\r\n",
         "Weg 2\r\n",
         "2 Namen, aber 1 Adressen",
         {"Alt", "Carla"},
         {"Altweg", "Hof 3"}},
        {"names unreadable",
         "/",
         "Weg 1\r\n",
         "\"f.LNA\" kann nicht gelesen werden (keine Datei)",
         {"Alt", "Carla"},
         {"Altweg", "Hof 3"}},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        test::TempFolder dir;
        Collection saved;
        saved.appendFilm(Lent("Carla", "Hof 3"));
        {
            std::string name = dir.file("f.VD6"), errorText;
            ScriptedDialogs ui;
            NoProgress p;
            ASSERT_TRUE(Save_Video_Data(saved, name, errorText, ui, p));
        }
        for (const auto& [ext, bytes] : {std::pair{"f.LNA", tc.lna}, std::pair{"f.LAD", tc.lad}}) {
            const std::string file = dir.file(ext);
            std::filesystem::remove(file);
            if (bytes && std::string(bytes) == "/")
                std::filesystem::create_directory(file);
            else if (bytes)
                test::WriteBytes(file, bytes);
        }
        // The lists of the collection in use stay when the files do not fit together.
        Collection c;
        c.LenderNames = {"Alt"};
        c.LenderAddresses = {"Altweg"};
        ScriptedDialogs ui;
        if (tc.warning)
            ui.expect(Box::Warning, std::string("passen nicht zusammen:\r\n") + tc.warning);
        ASSERT_TRUE(Load(c, dir.file("f.VD6"), ui));
        EXPECT_EQ(c.LenderNames, tc.names);
        EXPECT_EQ(c.LenderAddresses, tc.addresses);
    }
}

TEST(BorrowerFiles, ASaveWritesAnAddressForEveryName) {
    test::TempFolder dir;
    Collection c;
    c.LenderNames = {"Anna", "Bert"};
    c.LenderAddresses = {"Weg 1"};
    std::string name = dir.file("f.VD6"), errorText;
    ScriptedDialogs ui;
    NoProgress p;
    ASSERT_TRUE(Save_Video_Data(c, name, errorText, ui, p));
    EXPECT_EQ(test::ReadBytes(dir.file("f.LAD")), "Weg 1\r\n \r\n");
}

TEST(NotAFile, AFolderOrFifoUnderTheNameIsReportedAsSuch) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir.file("ordner.VD6"));
    ASSERT_EQ(::mkfifo(dir.file("rohr.VD6").c_str(), 0600), 0);
    for (const char* name : {"ordner.VD6", "rohr.VD6"}) {
        SCOPED_TRACE(name);
        Collection c;
        ScriptedDialogs ui;
        std::string errorText;
        EXPECT_FALSE(Load(c, dir.file(name), ui, &errorText));
        EXPECT_EQ(ErrorText(c.ActError, errorText), dir.file(name) + " ist keine Datei!");
    }
    // A folder in place of the cassette file: its own warning, then the films load.
    Collection sample = test::SampleCollection();
    {
        std::string name = dir.file("f.VD6"), errorText;
        ScriptedDialogs ui;
        NoProgress p;
        ASSERT_TRUE(Save_Video_Data(sample, name, errorText, ui, p));
    }
    std::filesystem::remove(dir.file("f.CDT"));
    std::filesystem::create_directory(dir.file("f.CDT"));
    Collection c;
    ScriptedDialogs ui;
    ui.expect(Box::Warning, "\"" + dir.file("f.CDT") + "\" ist keine Datei!");
    ASSERT_TRUE(Load(c, dir.file("f.VD6"), ui));
    EXPECT_EQ(c.AnzFilm(), 3);
    // Saving then refuses without touching anything.
    const auto before = dir.names();
    std::string name = dir.file("f.VD6"), errorText;
    ScriptedDialogs saveUi;
    NoProgress p;
    EXPECT_FALSE(Save_Video_Data(c, name, errorText, saveUi, p));
    EXPECT_EQ(errorText, "[4] " + dir.file("f.CDT") + " (keine Datei)");
    EXPECT_EQ(dir.names(), before);
}
