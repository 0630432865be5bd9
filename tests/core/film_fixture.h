#pragma once

#include "model/collection.h"
#include "text/cp1252.h"

#include <string>
#include <vector>

namespace kt::test {

// A film as the tests need it: title and medium, numbered like a loaded film (FilmNr = slot).
inline TFilmV26& AddFilm(Collection& c, const std::string& titleUtf8, int32_t storageType = StVideo) {
    TFilmV26 f;
    f.FilmName.Strng = ToCp1252(titleUtf8);
    f.StorageType = storageType;
    f.FilmNr = c.AnzFilm() + 1;
    c.appendFilm(std::move(f));
    return c.Film(c.AnzFilm());
}

// The titles of the films in the order of their slots.
inline std::vector<std::string> TitlesOf(const Collection& c, const std::vector<int>& slots) {
    std::vector<std::string> titles;
    for (int s : slots)
        titles.push_back(ToUtf8(c.Film(s).FilmName.Strng));
    return titles;
}

} // namespace kt::test
