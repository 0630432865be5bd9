#include "settings/config_keys.h"

#include "text/helpers.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <type_traits>

namespace kt {

namespace {

constexpr long long Int32Min = std::numeric_limits<int32_t>::min();
constexpr long long Int32Max = std::numeric_limits<int32_t>::max();
// The trace log is switched off by the detail level 254, the unsigned byte of -2.
constexpr long long LogOffLevel = 254;

using K = KeyType;
using S = Settings;

// Every key once, listed in the order of reading.
// clang-format off
const ConfigKey Keys[] = {
    // section         key                        type        field                          range              read write
    {"COMMON", "SortLength",                K::Integer, &S::SortLength,                0, 255,              1,  1},
    {"COMMON", "SaveDir",                   K::Flag,    &S::SaveDir,                   0, 0,                2,  2},
    {"COMMON", "SaveOption",                K::Flag,    &S::SaveOption,                0, 0,                3,  4},
    {"COMMON", "LastFile",                  K::Path,    &Collection::CurrentDataFile,  0, 0,                4,  3, true},
    {"COMMON", "OpenFileAtStart",           K::Flag,    &S::OpenFileAtStart,           0, 0,                5,  5},
    {"COMMON", "CreateBakOnFOpen",          K::Flag,    &S::CreateBakOnFOpen,          0, 0,                6,  6},
    {"COMMON", "FilmSort",                  K::Integer, &S::FilmSort,                  0, 255,              7,  7},
    {"COMMON", "MinimizeTarget",            K::Integer, &S::MinimizeTarget,            0, 255,              8,  8},
    {"COMMON", "WriteMasterAlways",         K::Integer, &TraceLog::WriteMasterAlways,  Int32Min, Int32Max,  9,  9},
    {"COMMON", "MasterStoreLevel",          K::Level,   &TraceLog::MasterStoreLevel,   -128, 127,          10, 10},
    {"COMMON", "LastStorageType",           K::Integer, &S::LastStorageType,           Int32Min, Int32Max, 11, 12},
    {"COMMON", "StorageTypeShow",           K::Integer, &S::StorageTypeShow,           Int32Min, Int32Max, 12, 13},
    {"COMMON", "ShowAllMsg",                K::Flag,    &S::ShowAllMsg,                0, 0,               13, 14},
    {"COMMON", "FirstStart",                K::Flag,    &S::FirstStart,                0, 0,               14,  0},
    {"COMMON", "CenterFilmTitel",           K::Flag,    &S::CenterFilmTitel,           0, 0,               15, 15},
    {"COMMON", "ImportKopfzeilen",          K::Integer, &S::ImportKopfzeilen,          Int32Min, Int32Max, 16, 16},
    {"COMMON", "ImportTrennz",              K::Char,    &S::ImportTrennz,              0, 0,               17, 17},
    {"COMMON", "SuggestPosOnCas",           K::Integer, &S::SuggestPosOnCas,           0, 255,             18, 18},
    {"COMMON", "CasSubSort",                K::Integer, &S::CasSubSort,                0, 255,             19, 19},
    {"COMMON", "ShowFirstPicAutomatically", K::Flag,    &S::ShowFirstPicAutomatically, 0, 0,               20, 20},
    {"COMMON", "TempDir",                   K::Folder,  &S::TempDir,                   0, 0,               21, 21},
    {"COMMON", "MinimizeConfirm",           K::Flag,    &S::MinimizeConfirm,           0, 0,               22, 22},
    {"COMMON", "MarkFilmList",              K::Flag,    &S::MarkFilmList,              0, 0,               23, 11},
    {"COMMON", "ImportHinweis",             K::Flag,    &S::ImportHinweis,             0, 0,               24, 23},
    {"ImpExp", "FirstCol2Read",             K::Integer, &S::FirstCol2Read,             Int32Min, Int32Max, 25, 24},
    {"ImpExp", "AnzCols2Read",              K::Integer, &S::AnzCols2Read,              Int32Min, Int32Max, 26, 25},
    {"ImpExp", "FirstRow2Read",             K::Integer, &S::FirstRow2Read,             Int32Min, Int32Max, 27, 26},
    {"ImpExp", "AnzRows2Read",              K::Integer, &S::AnzRows2Read,              Int32Min, Int32Max, 28, 27},
    {"ImpExp", "Trennzeichen",              K::Char,    &S::Trennzeichen,              0, 0,               29, 28},
    // The column sections are read entry by entry, and written section by section. A width of 0
    // keeps the built-in one; a negative one cannot be drawn either.
    {"Zellenanordnung", nullptr,            K::Integer, &TColArEntry::Pos,             Int32Min, Int32Max, 30, 29},
    {"Spaltentitel",    nullptr,            K::Text,    &TColArEntry::Header,          0, 0,               31, 30},
    {"FEdBez",          nullptr,            K::Text,    &TColArEntry::EditLabel,       0, 0,               32, 31},
    {"ImportPos",       nullptr,            K::Integer, &TColArEntry::ImportPos,       Int32Min, Int32Max, 33, 33},
    {"Zellenbreite",    nullptr,            K::Integer, &TColArEntry::Width,           1, Int32Max,        34, 32},
    {"Zeigen",          nullptr,            K::Flag,    &TColArEntry::Show,            0, 0,               35, 34},
};
// clang-format on

template <class M> struct MemberOf;
template <class T, class C> struct MemberOf<T C::*> { using type = C; };

// Calls f with a reference to the key's value in `r` (a ConfigTarget or a ConfigSource).
template <class Refs, class F> void WithField(const ConfigKey& k, const Refs& r, int entry, F&& f) {
    std::visit(
        [&](auto member) {
            using Owner = typename MemberOf<decltype(member)>::type;
            if constexpr (std::is_same_v<Owner, Settings>)
                f(r.s.*member);
            else if constexpr (std::is_same_v<Owner, Collection>)
                f(r.data.*member);
            else if constexpr (std::is_same_v<Owner, TraceLog>)
                f(r.trace.*member);
            else
                f(r.columns[entry].*member);
        },
        k.field);
}

std::optional<KeyValue> Parse(const ConfigKey& k, const std::string& text) {
    long long x = 0;
    switch (k.type) {
    case K::Integer:
        if (ParseInt(text, x) && x >= k.lo && x <= k.hi)
            return x;
        return std::nullopt;
    case K::Level:
        if (ParseInt(text, x) && ((x >= k.lo && x <= k.hi) || x == LogOffLevel))
            return static_cast<long long>(static_cast<int8_t>(static_cast<uint8_t>(x & 0xFF)));
        return std::nullopt;
    case K::Flag:
        if (ParseInt(text, x))
            return x != 0;
        return std::nullopt;
    case K::Char:
        if (text.empty())
            return std::nullopt;
        return std::string(1, text.front());
    case K::Text:
    case K::Path:
        return text;
    case K::Folder:
        // Picture files are swapped out into this folder: an empty one keeps the default.
        if (!HasContent(text))
            return std::nullopt;
        return WithBackslash(text);
    }
    return std::nullopt;
}

bool SameInteger(const std::string& stored, const std::string& written) {
    long long a = 0, b = 0;
    return ParseInt(stored, a) && ParseInt(written, b) && a == b;
}

bool SameFlag(const std::string& stored, const std::string& written) {
    long long a = 0;
    return ParseInt(stored, a) && (a != 0) == (written == "1");
}

bool SameChar(const std::string& stored, const std::string& written) {
    return !stored.empty() && !written.empty() && stored.front() == written.front();
}

std::vector<const ConfigKey*> Sorted(int ConfigKey::*step) {
    std::vector<const ConfigKey*> keys;
    for (const auto& k : Keys)
        if (k.*step > 0)
            keys.push_back(&k);
    std::stable_sort(keys.begin(), keys.end(),
                     [step](const ConfigKey* a, const ConfigKey* b) { return a->*step < b->*step; });
    return keys;
}

} // namespace

std::vector<const ConfigKey*> KeysInReadOrder() {
    return Sorted(&ConfigKey::readStep);
}

std::vector<const ConfigKey*> KeysInWriteOrder() {
    return Sorted(&ConfigKey::writeStep);
}

KeyValue ValueOf(const ConfigKey& k, const ConfigSource& from, int entry) {
    KeyValue out;
    WithField(k, from, entry, [&](const auto& v) {
        using V = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<V, bool> || std::is_same_v<V, std::string>)
            out = v;
        else if constexpr (std::is_same_v<V, char>)
            out = std::string(1, v);
        else
            out = static_cast<long long>(v);
    });
    return out;
}

bool ReadKeyText(const ConfigKey& k, const std::string& text, const ConfigTarget& into, int entry) {
    const auto value = Parse(k, text);
    if (!value)
        return false;
    WithField(k, into, entry, [&](auto& v) {
        using V = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<V, bool>)
            v = std::get<bool>(*value);
        else if constexpr (std::is_same_v<V, std::string>)
            v = std::get<std::string>(*value);
        else if constexpr (std::is_same_v<V, char>)
            v = std::get<std::string>(*value).front();
        else
            v = static_cast<V>(std::get<long long>(*value));
    });
    return true;
}

std::string KeyText(const ConfigKey& k, const ConfigSource& from, int entry) {
    if (k.emptyUnlessReopened && !from.s.OpenFileAtStart)
        return {};
    const KeyValue v = ValueOf(k, from, entry);
    if (const auto* flag = std::get_if<bool>(&v))
        return *flag ? "1" : "0";
    if (const auto* number = std::get_if<long long>(&v))
        return std::to_string(*number);
    return std::get<std::string>(v);
}

IniFile::SameFn SameCheck(KeyType type) {
    switch (type) {
    case K::Integer:
    case K::Level:
        return SameInteger;
    case K::Flag:
        return SameFlag;
    case K::Char:
        return SameChar;
    case K::Text:
    case K::Path:
    case K::Folder:
        break;
    }
    return IniFile::SameText;
}

} // namespace kt
