#include "film_fixture.h"

#include "catalogue/col_arrange.h"
#include "catalogue/value_texts.h"
#include "text/helpers.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kt;

// The cell texts of the film list, attribute by attribute, at their edges.
TEST(FilmListCells, CellTextOfEveryCodedAttribute) {
    const Collection c;
    struct Case {
        int attr;
        std::function<void(TFilmV26&)> set;
        const char* text; // UTF-8
    };
    const Case cases[] = {
        {ColTitle, [](TFilmV26& f) { f.FilmName.Strng = " Alien "; }, " Alien "},
        {ColLength, [](TFilmV26& f) { f.FilmLength = 0; }, ""},
        {ColLength, [](TFilmV26& f) { f.FilmLength = 117; }, "117"},
        {ColCasNr, [](TFilmV26& f) { f.CasNr = 0; }, ""},
        {ColYear, [](TFilmV26& f) { f.ProdYear = 1979; }, "1979"},
        {ColTwoChannel, [](TFilmV26& f) { f.TwoChannel = true; }, "X"},
        {ColCommercials, [](TFilmV26& f) { f.Commercials = false; }, "-"},
        {ColRating, [](TFilmV26& f) { f.Rating = -1; }, ""},
        {ColRating, [](TFilmV26& f) { f.Rating = 1; }, "Muß"},
        {ColRating, [](TFilmV26& f) { f.Rating = 7; }, ""},
        {ColCard, [](TFilmV26& f) { f.CatalogCard = 2; }, "nicht geprüft"},
        {ColCard, [](TFilmV26& f) { f.CatalogCard = 3; }, ""},
        {ColRecDate, [](TFilmV26& f) { f.RecDate = 29221.5; }, ""},
        {ColRecDate, [](TFilmV26& f) { f.RecDate = 0.0; }, ""},
        {ColRecDate, [](TFilmV26& f) { f.RecDate = -3.0; }, ""},
        {ColRecDate, [](TFilmV26& f) { f.RecDate = 1e300; }, ""},
        {ColRecDate, [](TFilmV26& f) { f.RecDate = EncodeDate(1999, 3, 7) + 0.75; }, "07.03.1999"},
        {ColLanguages, [](TFilmV26& f) { f.Languages = 1 | 4; }, "Deutsch, Französisch"},
        {ColLanguages, [](TFilmV26& f) { f.Languages = 1 << 20; }, ""},
        {ColSound, [](TFilmV26& f) { f.SoundFormat = 0; }, "nicht eingegeben"},
        {ColSound, [](TFilmV26& f) { f.SoundFormat = 12; }, "nicht eingegeben"},
        {ColSound, [](TFilmV26& f) { f.SoundFormat = 9; }, "THX"},
        {ColPicture, [](TFilmV26& f) { f.PictureFormat = 1; }, " 4:3 (Fernsehbild)"},
        {ColFsk, [](TFilmV26& f) { f.Fsk = 7; }, "unbekannt"},
        {ColRegion, [](TFilmV26& f) { f.DvdRegion = 0; }, "nicht eingegeben"},
        {ColRegion, [](TFilmV26& f) { f.DvdRegion = 10; }, ""},
        {ColStorage, [](TFilmV26& f) { f.StorageType = 32; }, "DivX ;-)"},
        {ColStorage, [](TFilmV26& f) { f.StorageType = 0; }, "unbekannt!"},
        {ColStorage, [](TFilmV26& f) { f.StorageType = 3; }, "unbekannt!"},
        {ColLentTo,
         [](TFilmV26& f) {
             f.LentTo.Strng = "Paul";
             f.LenderAddress.Strng = "Hauptstr. 1";
         },
         "Paul"},
        {ColPics, [](TFilmV26& f) { f.Pics.resize(3); }, "3"},
        {ColPics, [](TFilmV26&) {}, ""},
    };
    for (const auto& tc : cases) {
        TFilmV26 f;
        tc.set(f);
        EXPECT_EQ(ToUtf8(CellText(c, f, tc.attr)), tc.text) << "attribute " << tc.attr;
    }
}
