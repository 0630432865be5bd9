#include "cassettes/cassette_restore.h"

#include "cassettes/cassette_lookup.h"
#include "model/dialogs.h"
#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <algorithm>
#include <new>
#include <vector>

namespace kt {

using namespace literals;

bool IsDefaultCasLength(int minutes) {
    return std::find(std::begin(DefaultCasLengths), std::end(DefaultCasLengths), minutes) !=
           std::end(DefaultCasLengths);
}

std::string RestorationQuestion() {
    return "ACHTUNG!!\r\n\r\nDiese Funktion stellt folgende Daten wieder her:\r\n + Anzahl Cassetten\r\n"
           " + Cassetten-Nummern\r\n + Mindest(!)-Gesamtlänge (ggf. inkl. Longplay)\r\n + Restlänge\r\n\r\n"
           "NICHT wiederherstellbar ist die:\r\n - Lochlänge\r\n\r\n"
           "Wollen Sie die Restaurierungsfunktion jetzt wirklich ausführen??"_cp;
}

namespace {

bool Restorable(const TFilmV26& f) {
    return f.StorageType == StVideo && f.CasNr >= 1 && f.CasNr <= MaxCassettes;
}

uint16_t StandardTotal(long long sum) {
    for (int len : {90, 120, 180, 240, 260, 300})
        if (sum <= len)
            return static_cast<uint16_t>(len);
    return WithLongPlay(300, true);
}

} // namespace

bool RestoreCassetteData(Collection& c, int defaultLength, Progress& progress) {
    TraceLine("Ktk_Cas: RestoreCassetteData [ENTRY] default=" + std::to_string(defaultLength));
    if (defaultLength != 0 && !IsDefaultCasLength(defaultLength)) {
        TraceLine("Ktk_Cas: RestoreCassetteData [EXIT] bad default length");
        return false;
    }
    const auto& films = c.films();
    const int anzFilm = c.AnzFilm();
    try {
        // Built aside and swapped in at the end, so that a failure keeps the old table.
        std::vector<TCasRec> rebuilt;
        progress.start("Analyse der Filmdaten: Bestimmung der Anzahl Cassetten ", anzFilm);
        int anzCas = 0;
        for (int i = 0; i < anzFilm; ++i) {
            if (Restorable(films[static_cast<std::size_t>(i)]))
                anzCas = std::max(anzCas, films[static_cast<std::size_t>(i)].CasNr);
            progress.step(i + 1);
        }
        rebuilt.resize(static_cast<std::size_t>(anzCas));
        // The sum of the film lengths per cassette; wider than the 16-bit gap field it once lived in.
        std::vector<long long> sum(static_cast<std::size_t>(anzCas) + 1, 0);

        progress.start("Analyse der Filmdaten: Bestimmung der Details der Cassetten ", anzFilm);
        for (int i = 0; i < anzFilm; ++i) {
            const auto& f = films[static_cast<std::size_t>(i)];
            // Only what the consistency rule counts, so that every rebuilt cassette passes it.
            if (Restorable(f) && f.PosOnCas <= MaxPosOnCas)
                sum[static_cast<std::size_t>(f.CasNr)] += f.FilmLength;
            progress.step(i + 1);
        }

        progress.start("Analyse der Filmdaten: Bestimmung der Gesamtlänge der Cassetten "_cp, anzCas);
        for (int i = 1; i <= anzCas; ++i) {
            TCasRec& cas = rebuilt[static_cast<std::size_t>(i - 1)];
            const long long s = sum[static_cast<std::size_t>(i)];
            cas.Nr = static_cast<uint16_t>(i);
            cas.TotalLength = StandardTotal(s);
            if (defaultLength != 0 && cas.TotalLength <= defaultLength)
                cas.TotalLength = static_cast<uint16_t>(defaultLength);
            // More minutes than a rest can express leave the cassette visibly inconsistent.
            cas.RestLength =
                static_cast<int16_t>(std::clamp(EffectiveLength(cas.TotalLength) - s, -32768LL, 32767LL));
            cas.GapLength = 0;
            progress.step(i);
        }
        c.cassettes().swap(rebuilt);
    } catch (const std::bad_alloc&) {
        c.ActError = 2;
        progress.finish();
        TraceLine("Ktk_Cas: RestoreCassetteData [EXIT] out of memory");
        return false;
    }
    progress.finish();
    c.DataSaved = false;
    TraceLine("Ktk_Cas: RestoreCassetteData [EXIT] AnzCas=" + std::to_string(c.AnzCas()));
    return true;
}

} // namespace kt
