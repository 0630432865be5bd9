#pragma once

#include "model/collection.h"

#include <cstdint>

namespace kt {

class UserDialogs;

// The occupancy steps around storing and deleting films. Each finds its cassette by the film's
// CasNr (FindCassette) and leaves everything unchanged when there is none. A step whose result
// does not fit a field (GapLength 0..65535, RestLength -32768..32767) is refused with an error box
// and changes nothing; the steps return false then.

// Gives the stored film's minutes back to its cassette: to the gap when films lie behind it,
// else to the rest. Nothing for other media, CasNr 0 or a cassette with TotalLength 0.
bool ReleaseFilmFromCassette(Collection& c, const TFilmV26& film, UserDialogs& ui);

// Takes the stored film's minutes from its cassette: from the gap when films lie behind it (an
// edited film that stays in its hole charges its change of length to the rest), else from the
// rest; a value that would go below 0 becomes 0. `oldLength` is the length before the edit,
// `editing` is false for a new film.
bool BookFilmOnCassette(Collection& c, const TFilmV26& film, int oldLength, bool editing, UserDialogs& ui);

// Gives a deleted film's minutes back to cassette `number`; run after the film left the table,
// only for `storageType` 1.
bool RemoveFilmFromCassette(Collection& c, int number, int position, int length, UserDialogs& ui,
                            int32_t storageType = StVideo);

// Release, store and book as one step: the record in `slot` is replaced by `edited` between the
// two. On a refusal the old record and both cassettes are as before and the result is false.
bool RebookFilm(Collection& c, int slot, TFilmV26 edited, bool editing, UserDialogs& ui);

// Deletes film `slot` (later films move down) and gives its minutes back to its cassette;
// refused with nothing deleted when the cassette cannot take them. Marks the data changed.
bool DeleteFilmWithBooking(Collection& c, int slot, UserDialogs& ui);

// Stores new gap and rest lengths in `cas` when both fit their fields; otherwise shows the
// refusal and leaves `cas` as it was.
bool SetCassetteLengths(TCasRec& cas, long long gap, long long rest, UserDialogs& ui);

} // namespace kt
