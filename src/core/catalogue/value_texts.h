#pragma once

#include "model/film.h"

#include <string>
#include <vector>

namespace kt {

class Collection;

// The texts of the coded film values, as list, export, printing and import show them.
std::string YesNoMark(bool value); // "X" / "-"
std::string RatingText(const TWertung& ratings, int32_t rating);
std::string CatalogCardText(int32_t code);
std::string StorageTypeText(const TSpeichermedium& media, int32_t storageType);
std::string LanguagesText(int32_t languages);
std::string SoundFormatText(int32_t code);
std::string PictureFormatText(int32_t code);
std::string FskText(int32_t code);
std::string DvdRegionText(int32_t code);

constexpr int LanguageCount = 18;
const std::vector<std::string>& LanguageNames();
const std::vector<std::string>& SoundFormatNames();   // codes 1..9 at indexes 0..8
const std::vector<std::string>& PictureFormatNames(); // codes 1..6
const std::vector<std::string>& FskNames();           // codes 1..7
const std::vector<std::string>& DvdRegionNames();     // codes 0..9
const std::vector<std::string>& CatalogCardNames();   // codes 0..2

// A recording date of 0 (or below) or of the day 1980-01-01 stands for "no date".
bool IsMissingDate(double date);

// The film list's cell text of attribute `index` (0..24) of a film.
std::string CellText(const Collection& c, const TFilmV26& film, int index);

} // namespace kt
