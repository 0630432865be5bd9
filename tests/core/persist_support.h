#pragma once

#include "model/collection.h"
#include "model/dialogs.h"
#include "text/cp1252.h"
#include "temp_folder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kt::test {

inline std::string SampleFile(const std::string& ext) {
    return std::string(KT_TEST_DATA) + "/sample/Sammlung" + ext;
}

// Hand-built record bytes for the expectations.
inline std::string I32(int32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    return s;
}
inline std::string U16(uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
inline std::string Txt(const std::string& s) {
    return I32(static_cast<int32_t>(s.size())) + s;
}

// Records every start, step and finish of the wait window.
class RecordingProgress : public Progress {
public:
    void start(const std::string& text, int max) override { texts.push_back(text), maxima.push_back(max); }
    void step(int pos) override { last = pos; }
    void finish() override { ++finished; }
    std::vector<std::string> texts;
    std::vector<int> maxima;
    int last = -1;
    int finished = 0;
};

// The collection stored in tests/data/sample in every version, as the newest version holds it.
inline Collection SampleCollection() {
    using namespace literals;
    Collection c;
    TFilmV26 a;
    a.FilmName.Strng = "Die Blechtrommel – Ärger im Büro"_cp;
    a.ProdYear = 1979, a.FilmLength = 142, a.FilmNr = 1, a.CasNr = 5, a.PosOnCas = 2;
    a.Category.Strng = "Drama", a.Country.Strng = "Deutschland";
    a.TwoChannel = true, a.Commercials = false, a.CatalogCard = 1, a.Rating = 2, a.RecDate = 35406.5;
    a.NetLength = 135, a.StorageType = 1, a.LendStatus = 0, a.AnzDiscs = 1;
    a.Stars.Strng = "Jörg Mäder, Käthe Groß"_cp;
    a.Director.Strng = "Volker Schnürle"_cp;
    a.Content.Strng = "Erste Zeile\r\nZweite Zeile über Ölfässer"_cp;
    a.Remark.Strng = "Bemerkung\r\nin zwei Zeilen";
    a.LentTo.Strng = "Jürgen Müller"_cp;
    a.LenderAddress.Strng = "Hauptstraße 5\r\n50667 Köln"_cp;
    a.Languages = 3;
    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01,
                            0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x08,
                            0x06, 0x06, 0x07, 0x06, 0x05, 0x08, 0x07, 0x07, 0x07, 0x09, 0x09, 0x08, 0x0A,
                            0x0C, 0x14, 0x0D, 0x0C, 0x0B, 0x0B, 0x0C, 0x19, 0x12, 0x13, 0x0F, 0x14, 0x1D,
                            0x1A, 0x1F, 0x1E, 0x1D, 0x1A, 0x1C, 0x1C, 0x20, 0x24, 0x2E, 0x27, 0x20, 0x22,
                            0x2C, 0x23, 0x1C, 0x1C, 0x28, 0x37, 0x29, 0x2C, 0x30, 0x31, 0x34, 0x34, 0x34,
                            0x1F, 0x27, 0x39, 0x3D, 0x38, 0x32, 0x3C, 0x2E, 0x33, 0x34, 0x32, 0xFF, 0xD9};
    a.Pics.push_back(
        {static_cast<int32_t>(sizeof jpeg), 129, TBArray(std::begin(jpeg), std::end(jpeg)), {"Titelbild"}});
    a.Pics.push_back({1234, 260, {}, {"/home/film/bilder/Szene ä.bmp"_cp}});
    a.SoundFormat = 2, a.PictureFormat = 3, a.DvdRegion = 3, a.Fsk = 4;

    TFilmV26 b;
    b.FilmName.Strng = "Späte Gäste"_cp;
    b.ProdYear = 2004, b.FilmLength = 98, b.FilmNr = 2;
    b.Category.Strng = "Komödie"_cp, b.Country.Strng = "A";
    b.Commercials = true, b.CatalogCard = 0, b.Rating = -1;
    b.StorageType = 4, b.LendStatus = 0, b.AnzDiscs = 2;
    b.LentTo.Strng = " anna schäfer "_cp;
    b.Languages = 5;
    const uint8_t emf[] = {1, 0, 0, 0, 0x6C, 0, 0, 0, 0, 0, 0xFF, 0, 1, 2, 3, 4};
    b.Pics.push_back({static_cast<int32_t>(sizeof emf), 8, TBArray(std::begin(emf), std::end(emf)), {}});
    b.SoundFormat = 5, b.PictureFormat = 1, b.DvdRegion = 3, b.Fsk = 3;

    TFilmV26 empty;
    empty.FilmNr = 3, empty.StorageType = 1, empty.Languages = 1;

    for (TFilmV26* f : {&a, &b, &empty}) {
        f->RecLength = 0;
        c.appendFilm(*f);
    }
    c.appendCassette({5, 32888, 98, 0});
    c.appendCassette({2, 240, 240, 0});
    c.appendCassette({9, 180, -10, 5});
    c.LenderNames = {"Anna Schäfer"_cp};
    c.LenderAddresses = {"Ringweg 1\r\n10115 Berlin"};
    return c;
}

} // namespace kt::test
