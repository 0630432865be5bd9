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

void CharSortRun(uint32_t* order, std::size_t n, const unsigned char* column, CharEntry* tmp) {
    bool allEqual = true;
    for (std::size_t k = 0; k < n; ++k) {
        tmp[k] = {UpperCode(column[order[k]]), order[k]};
        allEqual = allEqual && tmp[k].c == tmp[0].c;
    }
    if (allEqual)
        return; // the strict comparison would move nothing
    ShellSort(tmp, n, [](const CharEntry& a, const CharEntry& b) { return a.c > b.c; });
    for (std::size_t k = 0; k < n; ++k)
        order[k] = tmp[k].idx;
}

// Characters 1..L of every key, one column per position, so that a pass reads one short
// contiguous array instead of every key.
template <class KeyOf> std::vector<unsigned char> CharColumns(std::size_t n, KeyOf keyOf, int L) {
    std::vector<unsigned char> cols(static_cast<std::size_t>(L) * n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& key = keyOf(static_cast<uint32_t>(i));
        for (int p = 1; p <= L; ++p)
            cols[static_cast<std::size_t>(p - 1) * n + i] = CharAt(key, p);
    }
    return cols;
}

// `order` holds indexes below `keyCount` of the keys.
template <class KeyOf> bool SortByChars(std::span<uint32_t> order, std::size_t keyCount, KeyOf keyOf, int L) {
    const std::size_t n = order.size();
    if (L <= 0 || n < 2)
        return true;
    struct Run {
        std::size_t begin, end;
    };
    std::vector<Run> runs, next;
    std::vector<CharEntry> tmp;
    std::vector<unsigned char> cols;
    try {
        cols = CharColumns(keyCount, keyOf, L);
        tmp.resize(n);
        runs.reserve(n / 2 + 1);
        next.reserve(n / 2 + 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    runs.push_back({0, n});
    for (int p = 1; p <= L && !runs.empty(); ++p) {
        // Neighbours of one run share the first p - 2 characters exactly, so the first p - 1 are
        // equal exactly when character p - 1 is: runs only ever split, and an entry that stands
        // alone never takes part again.
        if (p > 1) {
            const unsigned char* prev = cols.data() + static_cast<std::size_t>(p - 2) * keyCount;
            next.clear();
            for (const Run& run : runs) {
                std::size_t s = run.begin;
                for (std::size_t i = run.begin + 1; i <= run.end; ++i) {
                    if (i < run.end && prev[order[i - 1]] == prev[order[i]])
                        continue;
                    if (i - s >= 2)
                        next.push_back({s, i});
                    s = i;
                }
            }
            runs.swap(next);
        }
        const unsigned char* column = cols.data() + static_cast<std::size_t>(p - 1) * keyCount;
        for (const Run& run : runs)
            CharSortRun(order.data() + run.begin, run.end - run.begin, column, tmp.data());
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
    if (list.size() < 2 || p < 1)
        return;
    std::vector<uint32_t> order = Identity(list.size());
    std::vector<unsigned char> column(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        column[i] = CharAt(list[i].Key, p);
    std::vector<CharEntry> tmp(list.size());
    CharSortRun(order.data(), order.size(), column.data(), tmp.data());
    Permute(list, order);
}

bool StringSort(std::span<TRecWord> list, int L) {
    if (L <= 0 || list.size() < 2)
        return true;
    try {
        std::vector<uint32_t> order = Identity(list.size());
        if (!SortByChars(
                order, list.size(), [&](uint32_t i) -> const std::string& { return list[i].Key; }, L))
            return false;
        Permute(list, order);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool StringSortIndices(std::span<uint32_t> order, std::span<const std::string> keys, int L) {
    for (uint32_t i : order)
        if (i >= keys.size())
            return false;
    return SortByChars(
        order, keys.size(), [&](uint32_t i) -> const std::string& { return keys[i]; }, L);
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
