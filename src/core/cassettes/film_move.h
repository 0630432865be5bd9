#pragma once

#include "model/collection.h"

#include <string>

namespace kt {

class UserDialogs;

// A place in the cassette list: the cassette's list position (1..AnzCas) and a tape position.
struct CasPlace {
    int cassette = 0;
    int position = 0;
};

// Table index of the film the cassette list shows at `place`: the last video-cassette film of the
// table with that cassette's Nr and that position (a later film overwrites an earlier one in the
// list); 0 when the place is empty or outside the list.
int FilmAtPlace(const Collection& c, const CasPlace& place);

// True when the list row of the place's cassette shows a film to the right of its position.
bool Film_Is_in_Gap(const Collection& c, const CasPlace& place);

// The validation of a move target (boxes included); true when the target is refused. The length
// that must fit is that of the film at `source`. An occupied target, a hole (a place that films
// follow) smaller than the film, or a rest smaller than the film are refused; a target outside
// the list is refused without a box.
bool MoveFilmError(const Collection& c, const CasPlace& source, const CasPlace& target, UserDialogs& ui);

enum class MoveResult {
    Moved,     // film and both cassettes rebooked, DataSaved false
    NoFilm,    // no film at the source showing `title`: nothing changed
    BadTarget, // target cassette or position outside the list: nothing changed
    Refused,   // MoveFilmError or a field width refused it (box shown): nothing changed
};

// Moves the film shown at `source` (its title as the list shows it) to the empty `target`: the
// film's CasNr and PosOnCas change, the source cassette gets its minutes back (gap when films
// remain behind the freed place, else rest), the target gives them (gap, not below 0, when films
// follow the target, else rest). All or nothing. With ShowAllMsg the box "Film wurde verschoben!".
MoveResult MoveFilm(Collection& c, const CasPlace& source, const std::string& title, const CasPlace& target,
                    UserDialogs& ui);

} // namespace kt
