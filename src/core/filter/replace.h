#pragma once

#include <array>
#include <string>
#include <vector>

namespace kt {

class Collection;
class UserDialogs;

// The fields the replace can change, in the order of its field list.
enum ReplaceField : int {
    ReplaceFilmName = 0,
    ReplaceCategory,
    ReplaceCountry,
    ReplaceStars,
    ReplaceDirector,
    ReplaceContent,
    ReplaceRemark,
    ReplaceLentTo,
    ReplaceLenderAddress,
    ReplacePicText, // the title or path of each of the first ten pictures
    ReplaceFieldCount,
};

// The items of the field list, by ReplaceField.
const std::vector<std::string>& ReplaceFieldNames();

struct ReplaceRequest {
    std::array<bool, ReplaceFieldCount> In{};
    std::string Bisher; // the text to be replaced
    std::string NeuStr; // its replacement
    bool CaseSensitiv = false;
};

struct ReplaceResult {
    int Count = 0;         // values changed
    bool KeepOpen = false; // no field chosen and the user wants to choose one
};

// Replaces the first occurrence of Bisher by NeuStr in every chosen field of every film of the
// collection, whatever the list shows; each changed value counts once and clears DataSaved.
// Asks when no field is chosen and reports the count (an information box).
ReplaceResult ReplaceInAllFilms(Collection& c, const ReplaceRequest& request, UserDialogs& ui);

} // namespace kt
