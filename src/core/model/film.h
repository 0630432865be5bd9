#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

// Texts are Windows-1252 bytes everywhere in the core.
struct TStrRec {
    std::string Strng;
    int32_t Reserved = 0; // part of the historic record, never read nor stored

    bool operator==(const TStrRec& o) const { return Strng == o.Strng; }
};

using TBArray = std::vector<uint8_t>;

// Low bits of PicFlags: the file type; bit 7 kept in the file, bit 8 only a link.
enum PicFlag : int32_t {
    PicJpg = 1,
    PicJpeg = 2,
    PicBmp = 4,
    PicEmf = 8,
    PicWmf = 16,
    PicKept = 128,
    PicLink = 256,
};

struct TPicRec {
    int32_t PicSize = 0;
    int32_t PicFlags = 0;
    TBArray PicData;
    TStrRec PicText;

    bool operator==(const TPicRec&) const = default;
};

constexpr int MaxPics = 10;

struct TFilmV26 {
    int32_t RecLength = 0;
    int32_t ProdYear = 0;
    int32_t FilmLength = 0;
    int32_t FilmNr = 0;
    int32_t CasNr = 0;
    int32_t PosOnCas = 0;
    TStrRec Category;
    TStrRec Country;
    bool TwoChannel = false;
    bool Commercials = true;
    int32_t CatalogCard = 2;
    int32_t Rating = -1;
    double RecDate = 0.0;
    int32_t NetLength = 0;
    int32_t StorageType = 0;
    int32_t LendStatus = 1;
    int32_t AnzDiscs = 0;
    TStrRec FilmName;
    TStrRec Stars;
    TStrRec Director;
    TStrRec Content;
    TStrRec Remark;
    TStrRec LentTo;
    TStrRec LenderAddress;
    int32_t Languages = 0;
    std::vector<TPicRec> Pics;
    int32_t SoundFormat = 0;
    int32_t PictureFormat = 0;
    int32_t DvdRegion = 0;
    int32_t Fsk = 0;

    // The picture count is the size of Pics; it is not kept twice.
    int32_t AnzPics() const { return static_cast<int32_t>(Pics.size()); }

    bool operator==(const TFilmV26&) const = default;
};

// Storage types are single bits; only StVideo films take part in cassette bookkeeping.
enum StorageTypeBit : int32_t {
    StVideo = 1,
    StBought = 2,
    StDvd = 4,
    StVcd = 8,
    StSvcd = 16,
    StDivx = 32,
};

constexpr int32_t LendLent = 0;
constexpr int32_t LendNotLent = 1;

// One video cassette: exactly the 8 bytes of the cassette file record.
struct TCasRec {
    uint16_t Nr = 0;
    uint16_t TotalLength = 240; // bit 15: long play
    int16_t RestLength = 240;
    uint16_t GapLength = 0;

    bool operator==(const TCasRec&) const = default;
};

struct TSelectableStr {
    std::string Name;
    bool Selected = false;
    int32_t Nr = 0;

    bool operator==(const TSelectableStr&) const = default;
};

using TKategorie = std::vector<TSelectableStr>;
using TSpeichermedium = std::vector<TSelectableStr>;
using TWertung = std::vector<std::string>;

} // namespace kt
