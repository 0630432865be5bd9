#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace kt {

class Collection;

// What the films are counted by.
enum class StatistikOrder { Kategorien, Speichermedien };

// One entry while a chart is built: the key, its count and, for the self-recorded video cassettes
// only, which cassettes were counted already.
struct TChartEntryRec {
    std::string KeyText; // the category (Kategorien)
    int32_t KeyNr = 0;   // the storage-medium mask (Speichermedien)
    int32_t Count = 0;
    std::vector<bool> CasFlags;              // indexed by cassette number, 1..AnzCas
    std::unordered_set<int32_t> OtherCasNrs; // numbers beyond AnzCas met so far
};

// A point of the chart as the window and the tool show it, in chart order.
struct ChartPoint {
    std::string Label; // Windows-1252
    int32_t Value = 0;
    uint32_t Color = 0; // 0xRRGGBB
};

// The colour of the entry at position p (from 0) of the chart order: a cycle of 18.
uint32_t StatistikColor(std::size_t p);

// Counts all films of the table by category or by storage medium. The video-cassette entry counts
// distinct cassettes that hold films; a video-cassette film without a cassette number (0 or less)
// counts as a cassette of its own. Every other entry counts films. The entries come labelled
// ("keine Angabe" for an empty label) and ordered by the string sort on their first `sortLength`
// characters. An empty table gives no entries.
std::vector<ChartPoint> BuildStatistik(const Collection& c, StatistikOrder by, int sortLength);

// The colour as "#RRGGBB".
std::string ColorText(uint32_t color);

} // namespace kt
