#pragma once

#include "model/collection.h"

#include <cstdint>

namespace kt::bench {

// A collection that looks like a real one: about half the films on self-recorded cassettes (up to
// six per cassette, lengths booked consistently), the rest on bought cassettes, DVDs and the other
// media; titles from a small vocabulary so that many share their first words, a few dozen
// categories and countries, multi-line contents, some pictures and lent films. The same seed
// always gives the same collection. Films are numbered 1..n as after loading.
Collection GenerateCollection(int films, uint32_t seed = 1);

} // namespace kt::bench
