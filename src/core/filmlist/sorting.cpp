#include "filmlist/sorting.h"

#include <new>
#include <numeric>
#include <vector>

namespace kt {

namespace {

// Position p counts from 1; beyond its end a key reads as a blank, as if padded.
inline unsigned char CharAt(const std::string& s, int p) {
    return static_cast<std::size_t>(p) <= s.size()
               ? static_cast<unsigned char>(s[static_cast<std::size_t>(p) - 1])
               : static_cast<unsigned char>(' ');
}

inline unsigned char UpperCode(unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

// The character sort works on copies of the one character it compares, so a pass touches
// each key once instead of at every comparison.
struct CharEntry {
    unsigned char c;
    uint32_t idx;
};

template <class KeyOf> void CharSortRun(uint32_t* order, std::size_t n, int p, KeyOf keyOf, CharEntry* tmp) {
    for (std::size_t k = 0; k < n; ++k)
        tmp[k] = {UpperCode(CharAt(keyOf(order[k]), p)), order[k]};
    ShellSort(tmp, n, [](const CharEntry& a, const CharEntry& b) { return a.c > b.c; });
    for (std::size_t k = 0; k < n; ++k)
        order[k] = tmp[k].idx;
}

template <class KeyOf> bool SortByChars(std::span<uint32_t> order, KeyOf keyOf, int L) {
    const std::size_t n = order.size();
    if (L <= 0 || n < 2)
        return true;
    std::vector<uint8_t> runStart;
    std::vector<CharEntry> tmp;
    try {
        runStart.assign(n, 0);
        tmp.resize(n);
    } catch (const std::bad_alloc&) {
        return false;
    }
    runStart[0] = 1;
    for (int p = 1; p <= L; ++p) {
        // Neighbours of one run share the first p - 2 characters exactly, so the first p - 1 are
        // equal exactly when character p - 1 is; runs only ever split.
        if (p > 1)
            for (std::size_t i = 1; i < n; ++i)
                if (!runStart[i] && CharAt(keyOf(order[i - 1]), p - 1) != CharAt(keyOf(order[i]), p - 1))
                    runStart[i] = 1;
        bool anyRun = false;
        for (std::size_t s = 0; s < n;) {
            std::size_t e = s + 1;
            while (e < n && !runStart[e])
                ++e;
            if (e - s >= 2) {
                anyRun = true;
                CharSortRun(order.data() + s, e - s, p, keyOf, tmp.data());
            }
            s = e;
        }
        if (!anyRun)
            break; // every entry stands alone: later passes would change nothing
    }
    return true;
}

void Permute(std::span<TRecWord> list, const std::vector<uint32_t>& order) {
    std::vector<TRecWord> sorted;
    sorted.reserve(list.size());
    for (uint32_t i : order)
        sorted.push_back(std::move(list[i]));
    std::move(sorted.begin(), sorted.end(), list.begin());
}

std::vector<uint32_t> Identity(std::size_t n) {
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    return order;
}

} // namespace

void CharSort(std::span<TRecWord> list, int p) {
    if (list.size() < 2)
        return;
    std::vector<uint32_t> order = Identity(list.size());
    std::vector<CharEntry> tmp(list.size());
    CharSortRun(
        order.data(), order.size(), p, [&](uint32_t i) -> const std::string& { return list[i].Key; },
        tmp.data());
    Permute(list, order);
}

bool StringSort(std::span<TRecWord> list, int L) {
    if (L <= 0 || list.size() < 2)
        return true;
    try {
        std::vector<uint32_t> order = Identity(list.size());
        if (!SortByChars(
                order, [&](uint32_t i) -> const std::string& { return list[i].Key; }, L))
            return false;
        Permute(list, order);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool StringSortIndices(std::span<uint32_t> order, std::span<const std::string> keys, int L) {
    return SortByChars(
        order, [&](uint32_t i) -> const std::string& { return keys[i]; }, L);
}

bool IndexPairSortAscending(std::span<TIndexPair> list) {
    ShellSort(list.data(), list.size(),
              [](const TIndexPair& a, const TIndexPair& b) { return a.Key > b.Key; });
    return true;
}

bool IndexPairSortDescending(std::span<TIndexPair> list) {
    ShellSort(list.data(), list.size(),
              [](const TIndexPair& a, const TIndexPair& b) { return a.Key < b.Key; });
    return true;
}

bool FloatSortAscending(std::span<TFloatRec> list) {
    ShellSort(list.data(), list.size(), [](const TFloatRec& a, const TFloatRec& b) { return a.Key > b.Key; });
    return true;
}

bool FloatSortDescending(std::span<TFloatRec> list) {
    ShellSort(list.data(), list.size(), [](const TFloatRec& a, const TFloatRec& b) { return a.Key < b.Key; });
    return true;
}

} // namespace kt
