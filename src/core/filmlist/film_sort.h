#pragma once

#include "model/film.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

class Collection;
struct Settings;

enum FilmSortOrder : int {
    SortByTitle = 0,
    SortByLength = 1,
    SortByCasNr = 2,
    SortByCategory = 3,
    SortByCountry = 4,
    SortByYear = 5,
    SortUnsorted = 6,
};

// The main key of a film for the orders 0 to 5, cut to 255 characters; a key counts as padded
// with blanks to 255. Other orders give an empty key.
std::string FilmSortKey(const TFilmV26& film, int filmSort, int sortLength);

// The listed films in their final order.
struct ListOrder {
    std::vector<int> slots; // film slots, row 1 first; empty when the main sort failed
    bool mainSortFailed = false;
    bool subSortFailed = false;
};

// Orders the films `listed` (slots in index order) by FilmSort, SortLength and CasSubSort: the
// main sort, the sub-sort by title within equal keys and the sub-sort by position on a cassette.
ListOrder OrderListedFilms(const Collection& c, const std::vector<int>& listed, const Settings& s);

} // namespace kt
