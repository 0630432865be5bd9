#pragma once

#include "cassettes/cassette_lookup.h"
#include "model/collection.h"

#include <cstdint>
#include <string>

namespace kt::test {

inline TCasRec Cas(uint16_t nr, uint16_t total, int16_t rest, uint16_t gap = 0) {
    TCasRec c;
    c.Nr = nr;
    c.TotalLength = total;
    c.RestLength = rest;
    c.GapLength = gap;
    return c;
}

inline TFilmV26 Film(const std::string& title, int casNr, int pos, int length, int32_t storage = StVideo) {
    TFilmV26 f;
    f.FilmName.Strng = title;
    f.CasNr = casNr;
    f.PosOnCas = pos;
    f.FilmLength = length;
    f.StorageType = storage;
    return f;
}

// Adds films numbered in table order.
inline void AddFilm(Collection& c, TFilmV26 f) {
    f.FilmNr = c.AnzFilm() + 1;
    c.appendFilm(std::move(f));
}

// The consistency rule computed here, independently of the code under test.
inline bool RuleHolds(const Collection& c, const TCasRec& cas) {
    long long sum = 0;
    for (const auto& f : c.films())
        if (f.StorageType == StVideo && f.CasNr == cas.Nr && f.PosOnCas <= 30)
            sum += f.FilmLength;
    const int total = (cas.TotalLength & 0x7FFF) * ((cas.TotalLength & 0x8000) ? 2 : 1);
    return total == cas.GapLength + cas.RestLength + sum;
}

inline bool AllHold(const Collection& c) {
    for (const auto& cas : c.cassettes())
        if (!RuleHolds(c, cas))
            return false;
    return true;
}

} // namespace kt::test
