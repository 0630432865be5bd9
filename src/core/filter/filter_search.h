#pragma once

#include "model/film.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kt {

enum FilterCriterion : int {
    FilterActive = 0, // derived
    FilterCategories = 1,
    FilterMaxLength = 2,
    FilterNoCommercials = 3,
    FilterTwoChannel = 4,
    FilterLentOnly = 5,
};

enum SearchField : int {
    SearchActive = 0, // derived
    SearchTitle = 1,
    SearchStars = 2,
    SearchContent = 3,
    SearchRemark = 4,
    SearchDirector = 5,
    SearchLentTo = 6,
};

// The filter and search settings of the run; the dialog fills them, every rebuild applies them.
// The marked categories are the Selected flags of the collection's CategoryList.
struct FilterSearch {
    std::array<bool, 6> FilternVon{};
    std::array<bool, 7> SuchenIn{};
    std::string SuchText;
    uint16_t MaxFilmLaenge = 0; // 0 = not set
    bool FSS_Changed = false;
    // " suchen in ... ": false "angezeigten Speichermedien", true "allen Speichermedien": an
    // active search then looks at the films of every medium, whatever the selection shows.
    bool SearchAllStorageTypes = false;

    bool FilterIsActive() const { return FilternVon[FilterActive]; }
    bool SearchIsActive() const { return SuchenIn[SearchActive]; }

    bool operator==(const FilterSearch&) const = default;
};

// Everything off and empty; the category marks stay.
void ResetFilterSearch(FilterSearch& fs);

// FilternVon[0] and SuchenIn[0] from the criteria, the marks and the search text.
void DeriveActiveFlags(FilterSearch& fs, const TKategorie& categories);

// The maximum length typed into the input box: blanks and unprintable characters removed, a whole
// number from 0 to 65535; anything else gives 300.
uint16_t MaxFilmLaengeOfText(const std::string& typed);

// The filter and the search test, prepared once for a whole rebuild.
class FilterSearchTest {
public:
    FilterSearchTest(const FilterSearch& fs, const TKategorie& categories);

    // Every enabled criterion holds (the active flag is not looked at).
    bool PassesFilter(const TFilmV26& film) const;
    // The search text occurs in one of the enabled fields, upper-cased a-z only.
    bool MatchesSearch(const TFilmV26& film) const;
    // (filter off or passed) and (search off or matched).
    bool Passes(const TFilmV26& film) const;

private:
    const FilterSearch& fs_;
    std::vector<std::string> markedNames_; // printable characters only
    std::string upperText_;
};

// One-off forms of the tests above.
bool FilterTest(const FilterSearch& fs, const TKategorie& categories, const TFilmV26& film);
bool SearchTest(const FilterSearch& fs, const TFilmV26& film);

} // namespace kt
