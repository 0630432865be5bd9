#pragma once

#include "model/film.h"

#include <array>
#include <string>

namespace kt {

class Collection;

struct TColArEntry {
    std::string Header;
    int32_t Pos = 0; // -1: the attribute has no column
    int32_t Width = 0;
    bool Show = true;
    std::string LongName;
    std::string EditLabel;
    int32_t ImportPos = 0;

    bool operator==(const TColArEntry&) const = default;
};

constexpr int ColCount = 25;

// Attribute indexes of the catalogue; the index is the attribute's identity everywhere.
enum ColAttr : int {
    ColTitle = 0,
    ColLength,
    ColCasNr,
    ColPos,
    ColCategory,
    ColDirector,
    ColCountry,
    ColYear,
    ColTwoChannel,
    ColCommercials,
    ColRating,
    ColCard,
    ColStars,
    ColContent,
    ColRemark,
    ColRecDate,
    ColLanguages,
    ColLentTo,
    ColSound,
    ColPicture,
    ColFsk,
    ColRegion,
    ColStorage,
    ColDiscs,
    ColPics,
};

// The field catalogue: one entry per film attribute.
struct ColArrange {
    std::array<TColArEntry, ColCount> Entry = BuiltIn();

    TColArEntry& operator[](int i) { return Entry.at(static_cast<std::size_t>(i)); }
    const TColArEntry& operator[](int i) const { return Entry.at(static_cast<std::size_t>(i)); }

    static std::array<TColArEntry, ColCount> BuiltIn();
};

int ColumnOfEntry(const ColArrange& ca, int index);
int CountShownColumns(const ColArrange& ca);
int CountPlacedColumns(const ColArrange& ca);
int EntryOfHeader(const ColArrange& ca, const std::string& header);
int MaxColArrangePos(const ColArrange& ca);
bool Check_ColArrangePos(ColArrange& ca);

} // namespace kt
