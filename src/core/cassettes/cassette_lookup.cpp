#include "cassettes/cassette_lookup.h"

#include "model/dialogs.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <algorithm>

namespace kt {

int EffectiveLength(uint16_t total) {
    const int nominal = NominalLength(total);
    return IsLongPlay(total) ? 2 * nominal : nominal;
}

int NominalLength(uint16_t total) {
    return total & 0x7FFF;
}

bool IsLongPlay(uint16_t total) {
    return (total & LongPlayBit) != 0;
}

uint16_t WithLongPlay(uint16_t nominal, bool flag) {
    return flag ? static_cast<uint16_t>(nominal | LongPlayBit) : nominal;
}

int FindCassette(const Collection& c, int number) {
    const auto& cas = c.cassettes();
    for (std::size_t i = 0; i < cas.size(); ++i)
        if (cas[i].Nr == number)
            return static_cast<int>(i) + 1;
    return -1;
}

bool PosOnCas_is_a_Gap(const Collection& c, int number, int position) {
    for (const auto& f : c.films())
        if (f.StorageType == StVideo && f.CasNr == number && f.PosOnCas > position)
            return true;
    return false;
}

int NextFreePosition(const Collection& c, int number) {
    int lowest = 31;
    int highest = 0;
    for (const auto& f : c.films()) {
        if (f.StorageType != StVideo || f.CasNr != number)
            continue;
        lowest = std::min(lowest, f.PosOnCas);
        highest = std::max(highest, f.PosOnCas);
    }
    if (lowest >= 2 && lowest <= MaxPosOnCas)
        return lowest - 1;
    // Positions are 8-bit values for the chooser.
    return std::min(highest + 1, 255);
}

int GetFirstCas_with_sufficientSpace(const Collection& c, int length, UserDialogs& ui) {
    TraceLine("Ktk_Cas: GetFirstCas_with_sufficientSpace [ENTRY] length=" + std::to_string(length));
    const auto& cas = c.cassettes();
    for (std::size_t i = 0; i < cas.size(); ++i) {
        if (cas[i].GapLength >= length || cas[i].RestLength >= length) {
            TraceLine("Ktk_Cas: GetFirstCas_with_sufficientSpace [EXIT] " + std::to_string(i + 1));
            return static_cast<int>(i) + 1;
        }
    }
    ui.error("Keine Cassette mit ausreichend freiem Platz gefunden!");
    TraceLine("Ktk_Cas: GetFirstCas_with_sufficientSpace [EXIT] none, 1");
    return 1;
}

bool FilmsOnCassette(const Collection& c, int number, std::string& films) {
    films.clear();
    bool empty = true;
    for (const auto& f : c.films()) {
        if (f.StorageType != StVideo || f.CasNr != number)
            continue;
        if (!empty)
            films += "\r\n";
        films += " >  " + f.FilmName.Strng;
        empty = false;
    }
    return empty;
}

int FilmLengthByName(const Collection& c, const std::string& title) {
    const std::string wanted = TrimText(title, 'A');
    for (const auto& f : c.films())
        if (TrimText(f.FilmName.Strng, 'A') == wanted)
            return f.FilmLength;
    return 0;
}

int FilmByNameOnCassette(const Collection& c, const std::string& title, int number) {
    const std::string wanted = TrimText(title, 'A');
    const auto& films = c.films();
    for (std::size_t i = 0; i < films.size(); ++i) {
        const auto& f = films[i];
        if (f.StorageType == StVideo && f.CasNr == number && TrimText(f.FilmName.Strng, 'A') == wanted)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

int FilmIndexByNr(const Collection& c, int filmNr) {
    const auto& films = c.films();
    for (std::size_t i = 0; i < films.size(); ++i)
        if (films[i].FilmNr == filmNr)
            return static_cast<int>(i) + 1;
    return 0;
}

} // namespace kt
