#include "cassettes/cassette_book.h"

#include "cassettes/cassette_lookup.h"
#include "model/dialogs.h"
#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <string>
#include <utility>
#include <vector>

namespace kt {

using namespace literals;

namespace {

constexpr long long GapMax = 0xFFFF;
constexpr long long RestMin = -32768;
constexpr long long RestMax = 32767;

std::string WidthMessage(bool gap, int casNr, long long value) {
    return std::string(gap ? "Die Lochlänge"_cp : "Die Restlänge"_cp) + " der Cassette " +
           std::to_string(casNr) + " läge mit "_cp + std::to_string(value) +
           " Minuten außerhalb des zulässigen Bereichs ("_cp + (gap ? "0 bis 65535" : "-32768 bis 32767") +
           ")!\r\nDie Änderung wird nicht ausgeführt."_cp;
}

// Only films that the consistency rule counts are booked: video cassette, position up to 30.
bool Booked(int32_t storageType, int position) {
    return storageType == StVideo && position <= MaxPosOnCas;
}

} // namespace

bool SetCassetteLengths(TCasRec& cas, long long gap, long long rest, UserDialogs& ui) {
    if (gap < 0 || gap > GapMax) {
        TraceLine("Ktk_Cas: SetCassetteLengths refused Nr=" + std::to_string(cas.Nr) +
                  " gap=" + std::to_string(gap));
        ui.error(WidthMessage(true, cas.Nr, gap));
        return false;
    }
    if (rest < RestMin || rest > RestMax) {
        TraceLine("Ktk_Cas: SetCassetteLengths refused Nr=" + std::to_string(cas.Nr) +
                  " rest=" + std::to_string(rest));
        ui.error(WidthMessage(false, cas.Nr, rest));
        return false;
    }
    cas.GapLength = static_cast<uint16_t>(gap);
    cas.RestLength = static_cast<int16_t>(rest);
    return true;
}

bool ReleaseFilmFromCassette(Collection& c, const TFilmV26& film, UserDialogs& ui) {
    TraceLine("Ktk_Cas: ReleaseFilmFromCassette [ENTRY] CasNr=" + std::to_string(film.CasNr) +
              " Pos=" + std::to_string(film.PosOnCas) + " Len=" + std::to_string(film.FilmLength));
    if (!Booked(film.StorageType, film.PosOnCas) || film.CasNr == 0)
        return true;
    const int pos = FindCassette(c, film.CasNr);
    if (pos < 0 || c.Cassette(pos).TotalLength == 0)
        return true;
    TCasRec& cas = c.Cassette(pos);
    long long gap = cas.GapLength;
    long long rest = cas.RestLength;
    if (PosOnCas_is_a_Gap(c, film.CasNr, film.PosOnCas))
        gap += film.FilmLength;
    else
        rest += film.FilmLength;
    const bool ok = SetCassetteLengths(cas, gap, rest, ui);
    TraceLine("Ktk_Cas: ReleaseFilmFromCassette [EXIT] " + std::string(ok ? "ok" : "refused"));
    return ok;
}

bool BookFilmOnCassette(Collection& c, const TFilmV26& film, int oldLength, bool editing, UserDialogs& ui) {
    TraceLine("Ktk_Cas: BookFilmOnCassette [ENTRY] CasNr=" + std::to_string(film.CasNr) +
              " Pos=" + std::to_string(film.PosOnCas) + " Len=" + std::to_string(film.FilmLength) +
              " old=" + std::to_string(oldLength) + " editing=" + std::to_string(editing));
    if (!Booked(film.StorageType, film.PosOnCas) || film.CasNr == 0)
        return true;
    const int pos = FindCassette(c, film.CasNr);
    if (pos < 0)
        return true;
    TCasRec& cas = c.Cassette(pos);
    const long long len = film.FilmLength;
    long long gap = cas.GapLength;
    long long rest = cas.RestLength;
    if (PosOnCas_is_a_Gap(c, film.CasNr, film.PosOnCas)) {
        if (gap - len < 0) {
            gap = 0;
        } else if (editing && gap - oldLength >= 0 && rest + oldLength - len >= 0) {
            // The film stays in its hole: the hole keeps its size, the rest absorbs the change.
            rest += oldLength - len;
            gap -= oldLength;
        } else {
            // A new film, or an edited one whose hole cannot give back its old length (it came
            // from elsewhere): the hole gives the new length.
            gap -= len;
        }
    } else {
        rest = rest - len < 0 ? 0 : rest - len;
    }
    const bool ok = SetCassetteLengths(cas, gap, rest, ui);
    TraceLine("Ktk_Cas: BookFilmOnCassette [EXIT] " + std::string(ok ? "ok" : "refused"));
    return ok;
}

bool RemoveFilmFromCassette(Collection& c, int number, int position, int length, UserDialogs& ui,
                            int32_t storageType) {
    TraceLine("Ktk_Cas: RemoveFilmFromCassette [ENTRY] CasNr=" + std::to_string(number) +
              " Pos=" + std::to_string(position) + " Len=" + std::to_string(length));
    if (!Booked(storageType, position) || number <= 0 || position <= 0)
        return true;
    const int pos = FindCassette(c, number);
    if (pos < 0)
        return true;
    TCasRec& cas = c.Cassette(pos);
    long long gap = cas.GapLength;
    long long rest = cas.RestLength;
    if (PosOnCas_is_a_Gap(c, number, position))
        gap += length;
    else
        rest += length;
    const bool ok = SetCassetteLengths(cas, gap, rest, ui);
    TraceLine("Ktk_Cas: RemoveFilmFromCassette [EXIT] " + std::string(ok ? "ok" : "refused"));
    return ok;
}

bool RebookFilm(Collection& c, int slot, TFilmV26 edited, bool editing, UserDialogs& ui) {
    TFilmV26& stored = c.Film(slot);
    const std::vector<TCasRec> before = c.cassettes();
    if (!ReleaseFilmFromCassette(c, stored, ui))
        return false;
    std::swap(stored, edited); // `edited` now holds the old record
    if (!BookFilmOnCassette(c, stored, edited.FilmLength, editing, ui)) {
        std::swap(stored, edited);
        c.cassettes() = before;
        return false;
    }
    return true;
}

bool DeleteFilmWithBooking(Collection& c, int slot, UserDialogs& ui) {
    const TFilmV26& f = c.Film(slot);
    // The film is not behind its own position, so the gap decision is the same with it gone;
    // booking first lets a refusal keep the film.
    if (!RemoveFilmFromCassette(c, f.CasNr, f.PosOnCas, f.FilmLength, ui, f.StorageType))
        return false;
    c.deleteFilm(slot);
    c.DataSaved = false;
    return true;
}

} // namespace kt
