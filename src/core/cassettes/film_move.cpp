#include "cassettes/film_move.h"

#include "cassettes/cassette_book.h"
#include "cassettes/cassette_lookup.h"
#include "model/dialogs.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <algorithm>

namespace kt {

using namespace literals;

namespace {

bool InList(const Collection& c, const CasPlace& place) {
    return place.cassette >= 1 && place.cassette <= c.AnzCas() && place.position >= 1 &&
           place.position <= MaxPosOnCas;
}

std::string PlaceText(const CasPlace& p) {
    return std::to_string(p.cassette) + "/" + std::to_string(p.position);
}

} // namespace

int FilmAtPlace(const Collection& c, const CasPlace& place) {
    if (!InList(c, place))
        return 0;
    const int nr = c.Cassette(place.cassette).Nr;
    const auto& films = c.films();
    for (std::size_t i = films.size(); i > 0; --i) {
        const auto& f = films[i - 1];
        if (f.StorageType == StVideo && f.CasNr == nr && f.PosOnCas == place.position)
            return static_cast<int>(i);
    }
    return 0;
}

bool Film_Is_in_Gap(const Collection& c, const CasPlace& place) {
    if (place.cassette < 1 || place.cassette > c.AnzCas())
        return false;
    const int nr = c.Cassette(place.cassette).Nr;
    return std::any_of(c.films().begin(), c.films().end(), [&](const TFilmV26& f) {
        return f.StorageType == StVideo && f.CasNr == nr && f.PosOnCas > place.position &&
               f.PosOnCas <= MaxPosOnCas;
    });
}

bool MoveFilmError(const Collection& c, const CasPlace& source, const CasPlace& target, UserDialogs& ui) {
    if (!InList(c, target))
        return true;
    if (FilmAtPlace(c, target) != 0) {
        ui.error("Position ist besetzt! Auswahl wird ignoriert!");
        return true;
    }
    const int film = FilmAtPlace(c, source);
    const long long length = film != 0 ? c.Film(film).FilmLength : 0;
    const TCasRec& cas = c.Cassette(target.cassette);
    if (Film_Is_in_Gap(c, target)) {
        // Also with gap 0: a film put into a hole that has no room would leave the cassette wrong.
        if (cas.GapLength < length) {
            ui.error("Lochlänge ist zu klein! Auswahl wird ignoriert!"_cp);
            return true;
        }
    } else if (cas.RestLength < length) {
        ui.error("Restlänge ist zu klein! Auswahl wird ignoriert!"_cp);
        return true;
    }
    return false;
}

MoveResult MoveFilm(Collection& c, const CasPlace& source, const std::string& title, const CasPlace& target,
                    UserDialogs& ui) {
    TraceLine("Ktk_Cas: MoveFilm [ENTRY] from " + PlaceText(source) + " to " + PlaceText(target));
    const int index = FilmAtPlace(c, source);
    if (index == 0 || TrimText(c.Film(index).FilmName.Strng, 'A') != TrimText(title, 'A')) {
        TraceLine("Ktk_Cas: MoveFilm [EXIT] no film");
        return MoveResult::NoFilm;
    }
    if (!InList(c, target)) {
        TraceLine("Ktk_Cas: MoveFilm [EXIT] bad target");
        return MoveResult::BadTarget;
    }
    if (MoveFilmError(c, source, target, ui)) {
        TraceLine("Ktk_Cas: MoveFilm [EXIT] refused");
        return MoveResult::Refused;
    }

    TFilmV26& film = c.Film(index);
    const int oldCasNr = film.CasNr;
    const int oldPos = film.PosOnCas;
    const long long length = film.FilmLength;
    film.CasNr = c.Cassette(target.cassette).Nr;
    film.PosOnCas = target.position;

    // Both gap decisions look at the list as it is after the move; source and target may be
    // the same cassette, so the target starts from the rebooked source.
    TCasRec src = c.Cassette(source.cassette);
    bool ok = Film_Is_in_Gap(c, source) ? SetCassetteLengths(src, src.GapLength + length, src.RestLength, ui)
                                        : SetCassetteLengths(src, src.GapLength, src.RestLength + length, ui);
    TCasRec tgt = target.cassette == source.cassette ? src : c.Cassette(target.cassette);
    if (ok) {
        ok = Film_Is_in_Gap(c, target)
                 ? SetCassetteLengths(tgt, std::max(0LL, tgt.GapLength - length), tgt.RestLength, ui)
                 : SetCassetteLengths(tgt, tgt.GapLength, tgt.RestLength - length, ui);
    }
    if (!ok) {
        film.CasNr = oldCasNr;
        film.PosOnCas = oldPos;
        TraceLine("Ktk_Cas: MoveFilm [EXIT] refused by field width");
        return MoveResult::Refused;
    }
    c.Cassette(source.cassette) = src;
    c.Cassette(target.cassette) = tgt;
    c.DataSaved = false;
    ui.information("Film wurde verschoben!");
    TraceLine("Ktk_Cas: MoveFilm [EXIT] moved");
    return MoveResult::Moved;
}

} // namespace kt
