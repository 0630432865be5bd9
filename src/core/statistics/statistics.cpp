#include "statistics/statistics.h"

#include "catalogue/value_texts.h"
#include "filmlist/sorting.h"
#include "model/collection.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>
#include <unordered_map>

namespace kt {

namespace {

constexpr std::array<uint32_t, 18> ColorCycle = {
    0x008000, 0x0000FF, 0xFF0000, 0xC0C0C0, 0x000080, 0x008080, 0xFFFFFF, 0xFFFF00, 0x00FF00,
    0xFF00FF, 0x808080, 0x00FFFF, 0x000000, 0x808080, 0x800000, 0x800080, 0xC0C0C0, 0x808000,
};

// True when the film's cassette was not counted yet; marks it counted.
bool FirstOnCassette(TChartEntryRec& e, int32_t casNr) {
    if (casNr <= 0)
        return true; // no number to tell cassettes apart: the film stands for a cassette of its own
    const auto nr = static_cast<std::size_t>(casNr);
    if (nr < e.CasFlags.size()) {
        if (e.CasFlags[nr])
            return false;
        e.CasFlags[nr] = true;
        return true;
    }
    // A number beyond the cassette table has no flag; it is still a distinct cassette.
    return e.OtherCasNrs.insert(casNr).second;
}

// Mask 0 is never a medium's code, whatever the media are called.
bool NamesMedium(const Collection& c, int32_t mask) {
    for (std::size_t i = 0; i < c.StorageMediaList.size() && i < 32; ++i)
        if (StorageTypeOfMedium(static_cast<int>(i)) == mask)
            return true;
    return false;
}

} // namespace

uint32_t StatistikColor(std::size_t p) {
    return ColorCycle[p % ColorCycle.size()];
}

std::string ColorText(uint32_t color) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(color & 0xFFFFFF));
    return buf;
}

std::vector<ChartPoint> BuildStatistik(const Collection& c, StatistikOrder by, int sortLength) {
    std::vector<TChartEntryRec> entries;
    if (c.AnzFilm() == 0)
        return {};
    // Keys found so far: the linear search of the entries would cost entries x films.
    std::unordered_map<std::string, std::size_t> byText;
    std::unordered_map<int32_t, std::size_t> byMask;
    for (const TFilmV26& film : c.films()) {
        std::size_t at = entries.size();
        if (by == StatistikOrder::Kategorien) {
            auto [it, added] = byText.try_emplace(film.Category.Strng, at);
            if (added)
                entries.push_back({film.Category.Strng, 0, 0, {}, {}});
            at = it->second;
        } else {
            // Every mask that names no medium is one key, so that "unbekannt!" is one slice.
            const int32_t mask = NamesMedium(c, film.StorageType) ? film.StorageType : 0;
            auto [it, added] = byMask.try_emplace(mask, at);
            if (added) {
                entries.push_back({{}, mask, 0, {}, {}});
                if (mask == StVideo)
                    entries.back().CasFlags.assign(static_cast<std::size_t>(c.AnzCas()) + 1, false);
            }
            at = it->second;
        }
        TChartEntryRec& e = entries[at];
        if (by == StatistikOrder::Speichermedien && e.KeyNr == StVideo) {
            if (FirstOnCassette(e, film.CasNr))
                ++e.Count;
        } else {
            ++e.Count;
        }
    }

    std::vector<std::string> labels;
    labels.reserve(entries.size());
    for (const auto& e : entries) {
        std::string label =
            by == StatistikOrder::Kategorien ? e.KeyText : StorageTypeText(c.StorageMediaList, e.KeyNr);
        labels.push_back(label.empty() ? "keine Angabe" : std::move(label));
    }
    std::vector<uint32_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0u);
    if (order.size() > 1)
        StringSortIndices(order, labels, sortLength); // indexes are all valid: it cannot fail

    std::vector<ChartPoint> points;
    points.reserve(order.size());
    for (std::size_t p = 0; p < order.size(); ++p)
        points.push_back({labels[order[p]], entries[order[p]].Count, StatistikColor(p)});
    return points;
}

} // namespace kt
