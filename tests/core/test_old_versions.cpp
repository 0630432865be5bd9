#include "persist_support.h"
#include "scripted_dialogs.h"

#include "persistence/data_version.h"
#include "persistence/film_data_file.h"
#include "persistence/fixed_records.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::literals;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

// The sample collection as a file of version `minor` holds it after a load.
Collection Expected(int minor) {
    Collection c = test::SampleCollection();
    for (TFilmV26& f : c.films()) {
        if (minor <= 3) {
            f.Country.Strng = f.Country.Strng.substr(0, 4);
            f.StorageType = StVideo;
            f.LendStatus = LendNotLent;
            f.AnzDiscs = 0;
            f.LentTo.Strng.clear();
            f.LenderAddress.Strng.clear();
            f.Languages = 1;
            if (minor <= 1)
                f.NetLength = 0;
            if (minor == 0)
                f.CatalogCard = 0, f.Rating = 0, f.RecDate = 0;
        }
        if (minor <= 4)
            f.Pics.clear();
        if (minor <= 5)
            f.SoundFormat = f.PictureFormat = f.DvdRegion = f.Fsk = 0;
    }
    if (minor >= 4) {
        // The tagged reader lists the categories and the merge adds the borrower not yet known.
        c.CategoryList = {{"Drama", false, 1}, {"Komödie"_cp, false, 2}};
        c.LenderNames.push_back("Jürgen Müller"_cp);
        c.LenderAddresses.push_back("Hauptstraße 5\r\n50667 Köln"_cp);
    }
    return c;
}

Collection LoadSample(int minor) {
    Collection c;
    c.DataVerMinor = minor;
    ScriptedDialogs ui;
    if (minor != 6)
        ui.expectQuestion("mit dem Daten-Filter für Daten der Version 2." + std::to_string(minor),
                          Answer::Yes);
    std::string errorText;
    NoProgress p;
    EXPECT_TRUE(Load_Video_Data(c, test::SampleFile(ExtensionOfVersion(minor)), errorText, ui, p));
    EXPECT_EQ(c.ActError, 0);
    return c;
}

} // namespace

TEST(EveryVersion, TheSevenFilesHoldTheSameCollectionUpToWhatEachVersionKeeps) {
    for (int minor = 0; minor <= 6; ++minor) {
        SCOPED_TRACE("version 2." + std::to_string(minor));
        Collection c = LoadSample(minor);
        const Collection want = Expected(minor);
        EXPECT_EQ(c.DataVerMain, 2);
        EXPECT_EQ(c.DataVerMinor, minor);
        ASSERT_EQ(c.AnzFilm(), want.AnzFilm());
        for (int i = 1; i <= c.AnzFilm(); ++i) {
            SCOPED_TRACE(i);
            c.Film(i).RecLength = 0;
            EXPECT_EQ(c.Film(i), want.Film(i)) << ToUtf8(c.Film(i).FilmName.Strng);
        }
        EXPECT_EQ(c.cassettes(), want.cassettes());
        EXPECT_EQ(c.CategoryList, want.CategoryList);
        EXPECT_EQ(c.LenderNames, want.LenderNames);
        EXPECT_EQ(c.LenderAddresses, want.LenderAddresses);
    }
}

TEST(EveryVersion, SavingALoadedFileWritesItsBytesAgain) {
    for (int minor = 0; minor <= 6; ++minor) {
        SCOPED_TRACE("version 2." + std::to_string(minor));
        Collection c = LoadSample(minor);
        test::TempFolder dir;
        std::string file = dir.file("Sammlung" + ExtensionOfVersion(minor));
        ScriptedDialogs ui;
        if (minor != 6)
            ui.expectQuestion("Soll diese in das aktuelle Format 2.6 übertragen werden?", Answer::No);
        std::string errorText;
        NoProgress p;
        ASSERT_TRUE(Save_Video_Data(c, file, errorText, ui, p));
        EXPECT_EQ(test::ReadBytes(file), test::ReadBytes(test::SampleFile(ExtensionOfVersion(minor))));
        EXPECT_EQ(test::ReadBytes(dir.file("Sammlung.CDT")), test::ReadBytes(test::SampleFile(".CDT")));
    }
}

TEST(FixedRecords, LayoutOfTheOldVersions) {
    Collection c;
    TFilmV26 f;
    f.FilmName.Strng = std::string(300, 'T');
    f.Country.Strng = "Deutschland";
    f.RecDate = 35406;
    f.Rating = -3;
    f.CasNr = 0x1234;
    f.NetLength = 0xBEEF;
    c.appendFilm(f);
    NoProgress p;
    const std::string v3 = FixedFileBytes(c, 2, 3, p);
    ASSERT_EQ(v3.size(), 3128u); // header record and one film record
    EXPECT_EQ(v3.substr(0, 23), "\x16KASSOTEK-VERSION   2.3");
    EXPECT_EQ(v3.find_first_not_of('\0', 23), 1564u);
    const std::string rec = v3.substr(1564);
    EXPECT_EQ(static_cast<unsigned char>(rec[0]), 255); // the title cut to 255 characters
    EXPECT_EQ(rec.substr(1545, 5), "\x04"
                                   "Deut");
    EXPECT_EQ(rec.substr(1286, 2), "\x34\x12");
    EXPECT_EQ(static_cast<signed char>(rec[1553]), -3);
    EXPECT_EQ(rec.substr(1554, 8), std::string("\x00\x00\x00\x00\xC0\x49\xE1\x40", 8));
    EXPECT_EQ(rec.substr(1562, 2), "\xEF\xBE");

    const std::string v1 = FixedFileBytes(c, 2, 1, p);
    ASSERT_EQ(v1.size(), 1562u);
    EXPECT_EQ(v1.substr(1554, 8), std::string("\x00\x00\x00\x00\x50\x3F\x26\x41", 8)); // 729000.0
    EXPECT_EQ(FixedFileBytes(c, 2, 0, p).size(), 1552u);

    const TFilmV26 back = DecodeFixedRecord(v1, 1);
    EXPECT_EQ(back.RecDate, 35406.0);
    EXPECT_EQ(back.FilmName.Strng, std::string(255, 'T'));
    EXPECT_EQ(back.Country.Strng, "Deut");
    EXPECT_EQ(back.Rating, -3);
    EXPECT_EQ(back.NetLength, 0) << "2.1 has no net length";
}

TEST(FixedRecords, WhatTheOldVersionsDoNotStore) {
    std::string rec(1564, '\0');
    rec[1550] = 2; // any byte but 0 is true
    rec[1551] = 0;
    rec[1552] = 1;
    rec[1553] = '\x05';
    rec[0] = 9; // a Country longer than its field is cut at the field
    rec[1545] = 9;
    for (int minor : {0, 1, 2}) {
        SCOPED_TRACE(minor);
        const TFilmV26 f = DecodeFixedRecord(rec, minor);
        EXPECT_EQ(f.StorageType, 1);
        EXPECT_EQ(f.LendStatus, 1);
        EXPECT_EQ(f.Languages, 1);
        EXPECT_EQ(f.AnzDiscs, 0);
        EXPECT_TRUE(f.TwoChannel);
        EXPECT_FALSE(f.Commercials);
        EXPECT_EQ(f.Country.Strng.size(), 4u);
        EXPECT_EQ(f.CatalogCard, minor == 0 ? 0 : 1);
        EXPECT_EQ(f.Rating, minor == 0 ? 0 : 5);
        // a stored 0 of version 2.1 is a date before 1899, which means none
        EXPECT_EQ(f.RecDate, 0.0);
    }
}

TEST(FixedRecords, HeaderlessFilesAreRecognisedByTheExpectedVersion) {
    test::TempFolder dir;
    const std::string v2 = test::ReadBytes(test::SampleFile(".VD2"));
    test::WriteBytes(dir.file("x.VD2"), v2);
    // Expected 2.6 (a .VD2 file renamed): no header, no format.
    {
        Collection c;
        ScriptedDialogs ui;
        ui.expect(Box::Warning, "Die Cassetten-Daten-Datei");
        ui.expect(Box::Error, "Konnte Dateiformat NICHT erkennen!");
        std::string errorText;
        NoProgress p;
        EXPECT_FALSE(Load_Video_Data(c, dir.file("x.VD2"), errorText, ui, p));
    }
    // Expected 2.1: read as 1562-byte records, and 3 * 1564 bytes do not divide: damaged.
    {
        Collection c;
        c.DataVerMinor = 1;
        ScriptedDialogs ui;
        ui.expect(Box::Warning, "Die Cassetten-Daten-Datei");
        ui.expectQuestion("Version 2.1", Answer::Yes);
        ui.expectQuestion("nur die ersten 3 Filme", Answer::Yes);
        std::string errorText;
        NoProgress p;
        EXPECT_FALSE(Load_Video_Data(c, dir.file("x.VD2"), errorText, ui, p));
        EXPECT_EQ(c.ActError, 3);
        EXPECT_EQ(c.AnzFilm(), 3);
        EXPECT_EQ(c.CurrentDataFile, "");
    }
}
