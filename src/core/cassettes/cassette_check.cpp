#include "cassettes/cassette_check.h"

#include "cassettes/cassette_lookup.h"
#include "model/dialogs.h"
#include "trace/trace_log.h"

#include <cstdint>

namespace kt {

namespace {

bool Booked(const TFilmV26& f) {
    return f.StorageType == StVideo && f.PosOnCas <= MaxPosOnCas;
}

} // namespace

long long CassetteFilmSum(const Collection& c, int number) {
    long long sum = 0;
    for (const auto& f : c.films())
        if (Booked(f) && f.CasNr == number)
            sum += f.FilmLength;
    return sum;
}

std::vector<long long> CassetteFilmSums(const Collection& c) {
    // Cassette numbers are 16-bit, so a table by number beats a lookup per film.
    std::vector<long long> byNr(0x10000, 0);
    for (const auto& f : c.films())
        if (Booked(f) && f.CasNr >= 0 && f.CasNr <= 0xFFFF)
            byNr[static_cast<std::size_t>(f.CasNr)] += f.FilmLength;
    std::vector<long long> sums;
    sums.reserve(c.cassettes().size());
    for (const auto& cas : c.cassettes())
        sums.push_back(byNr[cas.Nr]);
    return sums;
}

bool CassetteConsistent(const TCasRec& cas, long long filmSum) {
    return EffectiveLength(cas.TotalLength) ==
           static_cast<long long>(cas.GapLength) + cas.RestLength + filmSum;
}

std::string CassetteReport(const Collection& c, int position, long long filmSum) {
    const TCasRec& cas = c.Cassette(position);
    const long long total = static_cast<long long>(cas.GapLength) + cas.RestLength + filmSum;
    const auto n = [](long long v) { return std::to_string(v); };
    return "CassetteData_OK: [ERROR]: \"TotalLength <> GapLength+RestLength+Sum\"!!\r\n"
           "     lfd. Cassetten-Nr.      = " +
           n(position) +
           "\r\n"
           "     nom. Cassetten-Nr.      = " +
           n(cas.Nr) +
           "\r\n"
           "     TotalLength             = " +
           n(EffectiveLength(cas.TotalLength)) +
           "\r\n"
           "     GapLength+RestLength+Sum= " +
           n(total) +
           " wobei\r\n"
           "     GapLength               = " +
           n(cas.GapLength) +
           "\r\n"
           "               RestLength    = " +
           n(cas.RestLength) +
           "\r\n"
           "                          Sum= " +
           n(filmSum);
}

namespace {

bool CheckOne(const Collection& c, int position, long long filmSum, UserDialogs& ui) {
    if (c.LastReportedBadCas == position)
        return true;
    if (CassetteConsistent(c.Cassette(position), filmSum))
        return true;
    const std::string report = CassetteReport(c, position, filmSum);
    // A trace slot holds one short line; the report goes in line by line.
    std::size_t from = 0;
    while (from <= report.size()) {
        const std::size_t to = report.find("\r\n", from);
        TraceLine(report.substr(from, to == std::string::npos ? std::string::npos : to - from));
        if (to == std::string::npos)
            break;
        from = to + 2;
    }
    ui.error(report);
    return false;
}

} // namespace

bool CassetteData_OK(const Collection& c, int position, UserDialogs& ui) {
    const TCasRec& cas = c.Cassette(position);
    return CheckOne(c, position, CassetteFilmSum(c, cas.Nr), ui);
}

bool AllCassettesOK(const Collection& c, UserDialogs& ui, int& badPosition) {
    TraceLine("Ktk_Cas: AllCassettesOK [ENTRY] AnzCas=" + std::to_string(c.AnzCas()));
    badPosition = 0;
    const std::vector<long long> sums = CassetteFilmSums(c);
    for (int i = 1; i <= c.AnzCas(); ++i) {
        if (!CheckOne(c, i, sums[static_cast<std::size_t>(i - 1)], ui)) {
            badPosition = i;
            TraceLine("Ktk_Cas: AllCassettesOK [EXIT] bad=" + std::to_string(i));
            return false;
        }
    }
    TraceLine("Ktk_Cas: AllCassettesOK [EXIT] ok");
    return true;
}

std::vector<int> NotOKCassettes(const Collection& c) {
    TraceLine("Ktk_Cas: NotOKCassettes [ENTRY]");
    const std::vector<long long> sums = CassetteFilmSums(c);
    std::vector<int> bad;
    for (int i = 1; i <= c.AnzCas(); ++i)
        if (!CassetteConsistent(c.Cassette(i), sums[static_cast<std::size_t>(i - 1)]))
            bad.push_back(i);
    TraceLine("Ktk_Cas: NotOKCassettes [EXIT] found=" + std::to_string(bad.size()));
    return bad;
}

std::string NotOKCasListEntry(int position) {
    std::string s = std::to_string(position);
    if (s.size() < 4)
        s.insert(0, 4 - s.size(), ' ');
    return s;
}

std::vector<std::string> NotOKCasListEntries(const Collection& c) {
    std::vector<std::string> entries;
    for (int pos : NotOKCassettes(c))
        entries.push_back(NotOKCasListEntry(pos));
    return entries;
}

} // namespace kt
