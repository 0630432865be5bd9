#pragma once

#include "model/collection.h"

#include <string>

namespace kt {

class Progress;

// The default lengths the restoration offers; 0 means none.
constexpr int DefaultCasLengths[] = {300, 260, 240, 180, 120, 90};
bool IsDefaultCasLength(int minutes);

// The confirmation the restoration command asks first (Yes/No).
std::string RestorationQuestion();

// Rebuilds the cassette table from the video-cassette films: cassettes 1 to the highest CasNr
// (1..5000) used, each with the smallest standard length that takes its films (or
// `defaultLength` when that is larger), all free time as rest, gap 0. The films are not touched.
// Reports through `progress` with its three texts. Marks the data changed. False without any
// change for a `defaultLength` other than 0 or one of DefaultCasLengths, and with ActError 2
// when memory runs out (the old table stays then).
bool RestoreCassetteData(Collection& c, int defaultLength, Progress& progress);

} // namespace kt
