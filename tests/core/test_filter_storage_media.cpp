#include "filmlist/storage_media.h"
#include "filter/filter_search.h"
#include "model/collection.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

using namespace kt;

TEST(StorageMedia, MaskTestOverrideAndSearchOverAllMedia) {
    struct Case {
        int32_t type, mask;
        bool shown;
    };
    const Case cases[] = {
        {StVideo, 63, true}, {StDvd, 1, false}, {64, 63, false},      {64, 127, true},
        {StDvd, 0, false},   {0, 0, true},      {1 << 20, 63, false},
    };
    for (const auto& tc : cases)
        EXPECT_EQ(StorageTypeContained(tc.type, tc.mask), tc.shown) << tc.type << " in " << tc.mask;

    Settings s;
    s.StorageTypeShow = StDvd;
    FilterSearch fs;
    EXPECT_FALSE(StorageTypeListed(s, fs, StVideo));
    s.OverrideStorageTypeShow = true;
    EXPECT_TRUE(StorageTypeListed(s, fs, StVideo));
    s.OverrideStorageTypeShow = false;
    fs.SearchAllStorageTypes = true;
    EXPECT_FALSE(StorageTypeListed(s, fs, StVideo)) << "search not active";
    fs.SuchenIn = {true, true};
    EXPECT_TRUE(StorageTypeListed(s, fs, StVideo));
}

TEST(StorageMedia, MaskFromChecksAndBack) {
    EXPECT_EQ(StorageTypeShowOfChecks({}), 0);
    EXPECT_EQ(StorageTypeShowOfChecks({true, false, true, false, false, false, true}), 1 | 4 | 64);
    std::vector<bool> many(40, false);
    many[31] = true;
    many[35] = true; // no bit for the 36th medium
    EXPECT_EQ(StorageTypeShowOfChecks(many), static_cast<int32_t>(1u << 31));
    EXPECT_TRUE(MediumChecked(4, 2));
    EXPECT_FALSE(MediumChecked(4, 1));
    EXPECT_FALSE(MediumChecked(-1, 40));

    Settings s;
    TSpeichermedium media = DefaultStorageMedia();
    SetStorageTypeShow(s.StorageTypeShow, media, StDvd | StDivx);
    EXPECT_EQ(s.StorageTypeShow, StDvd | StDivx);
    std::vector<bool> selected;
    for (const auto& m : media)
        selected.push_back(m.Selected);
    EXPECT_EQ(selected, (std::vector<bool>{false, false, true, false, false, true}));
}

TEST(StorageMedia, MirrorMenuCaptions) {
    EXPECT_EQ(MediumItemCaption(2, "DVD"), "2 DVD");
    const std::pair<const char*, int> cases[] = {
        {"2 DVD", 2}, {"&3 VCD", 3}, {"1&0 Blu-ray", 10}, {"DVD", -1}, {" DVD", -1}, {"", -1}, {"x1 y", -1},
    };
    for (const auto& [caption, number] : cases)
        EXPECT_EQ(MediumNumberOfCaption(caption), number) << caption;
}
