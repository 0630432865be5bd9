#include "catalogue/value_texts.h"

#include "catalogue/col_arrange.h"
#include "model/collection.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <cmath>

namespace kt {

namespace {

std::vector<std::string> Converted(std::initializer_list<const char*> utf8) {
    std::vector<std::string> out;
    for (const char* s : utf8)
        out.push_back(ToCp1252(s));
    return out;
}

std::string Pick(const std::vector<std::string>& names, int32_t index, const std::string& otherwise) {
    if (index < 0 || index >= static_cast<int32_t>(names.size()))
        return otherwise;
    return names[static_cast<std::size_t>(index)];
}

const std::string NotEntered = "nicht eingegeben";

} // namespace

const std::vector<std::string>& LanguageNames() {
    static const auto names =
        Converted({"Deutsch", "Englisch", "Französisch", "Spanisch", "Portugiesisch", "Italienisch",
                   "Russisch", "Chinesisch", "Schwedisch", "Tschechisch", "Polnisch", "Ungarisch", "Finnisch",
                   "Dänisch", "Norwegisch", "Türkisch", "Bulgarisch", "Japanisch"});
    return names;
}

const std::vector<std::string>& SoundFormatNames() {
    static const auto names = Converted({"Mono", "PCM/LPCM", "Stereo", "Dolby Surround-ProLogic",
                                         "Dolby Digital (AC-3)", "Dolby Digital EX", "DTS", "DTS-ES", "THX"});
    return names;
}

const std::vector<std::string>& PictureFormatNames() {
    static const auto names = Converted({" 4:3 (Fernsehbild)", " 4:3 (anamorphic)", " 4:3 (LB=Letterbox)",
                                         " 4:3 (PS=Pan&Scan)", "14:9", "16:9 (Breitbild)"});
    return names;
}

const std::vector<std::string>& FskNames() {
    static const auto names =
        Converted({"Keine Freigabe", "Ab 6", "Ab 12", "Ab 16", "Ab 18", "Ohne Altersbeschr.", "unbekannt"});
    return names;
}

const std::vector<std::string>& DvdRegionNames() {
    static const auto names =
        Converted({"nicht eingegeben", "0: auf allen DVD-Player weltweit abspielbar", "1: Kanada, USA",
                   "2: Europa, Japan, Südafrika, Mittl. Osten (inkl. Ägypt.)",
                   "3: Südostasien und Ostasien (inkl. Hongkong)",
                   "4: Australien, Neuseeland, Paz. Inseln, restl. Amerika",
                   "5: Ehem. UdSSR, Ind. Subkont., Afrika, et al.", "6: China", "7: Reserviert",
                   "8: Spezielle Aufenthaltsorte mit int. Charakter"});
    return names;
}

const std::vector<std::string>& CatalogCardNames() {
    static const auto names = Converted({"vorhanden", "nicht vorhanden", "nicht geprüft"});
    return names;
}

std::string YesNoMark(bool value) {
    return value ? "X" : "-";
}

std::string RatingText(const TWertung& ratings, int32_t rating) {
    return Pick(ratings, rating, {});
}

std::string CatalogCardText(int32_t code) {
    return Pick(CatalogCardNames(), code, {});
}

std::string StorageTypeText(const TSpeichermedium& media, int32_t storageType) {
    for (std::size_t i = 0; i < media.size() && i < 32; ++i)
        if (StorageTypeOfMedium(static_cast<int>(i)) == storageType)
            return media[i].Name;
    return "unbekannt!";
}

std::string LanguagesText(int32_t languages) {
    std::string out;
    for (int bit = 0; bit < LanguageCount; ++bit) {
        if (!(languages & (1 << bit)))
            continue;
        if (!out.empty())
            out += ", ";
        out += LanguageNames()[static_cast<std::size_t>(bit)];
    }
    return out;
}

std::string SoundFormatText(int32_t code) {
    return Pick(SoundFormatNames(), code - 1, NotEntered);
}
std::string PictureFormatText(int32_t code) {
    return Pick(PictureFormatNames(), code - 1, NotEntered);
}
std::string FskText(int32_t code) {
    return Pick(FskNames(), code - 1, NotEntered);
}
std::string DvdRegionText(int32_t code) {
    return Pick(DvdRegionNames(), code, {});
}

bool IsMissingDate(double date) {
    return !(date > 0.0) || std::floor(date) == 29221.0;
}

namespace {

std::string NumberOrEmpty(int32_t value) {
    return value == 0 ? std::string() : std::to_string(value);
}

std::string DateCell(double date) {
    if (IsMissingDate(date))
        return {};
    return ShortDateText(date);
}

} // namespace

std::string CellText(const Collection& c, const TFilmV26& f, int index) {
    switch (index) {
    case ColTitle:
        return f.FilmName.Strng;
    case ColLength:
        return NumberOrEmpty(f.FilmLength);
    case ColCasNr:
        return NumberOrEmpty(f.CasNr);
    case ColPos:
        if (f.StorageType == StVideo)
            return std::to_string(f.PosOnCas);
        return f.StorageType == StBought ? "n.a." : "";
    case ColCategory:
        return f.Category.Strng;
    case ColDirector:
        return f.Director.Strng;
    case ColCountry:
        return f.Country.Strng;
    case ColYear:
        return NumberOrEmpty(f.ProdYear);
    case ColTwoChannel:
        return YesNoMark(f.TwoChannel);
    case ColCommercials:
        return YesNoMark(f.Commercials);
    case ColRating:
        return RatingText(c.RatingTexts, f.Rating);
    case ColCard:
        return CatalogCardText(f.CatalogCard);
    case ColStars:
        return f.Stars.Strng;
    case ColContent:
        return f.Content.Strng;
    case ColRemark:
        return f.Remark.Strng;
    case ColRecDate:
        return DateCell(f.RecDate);
    case ColLanguages:
        return LanguagesText(f.Languages);
    case ColLentTo:
        return f.LentTo.Strng;
    case ColSound:
        return SoundFormatText(f.SoundFormat);
    case ColPicture:
        return PictureFormatText(f.PictureFormat);
    case ColFsk:
        return FskText(f.Fsk);
    case ColRegion:
        return DvdRegionText(f.DvdRegion);
    case ColStorage:
        return StorageTypeText(c.StorageMediaList, f.StorageType);
    case ColDiscs:
        return f.AnzDiscs > 0 && f.StorageType > 1 ? std::to_string(f.AnzDiscs) : "";
    case ColPics:
        return f.AnzPics() > 0 ? std::to_string(f.AnzPics()) : "";
    default:
        return {};
    }
}

} // namespace kt
