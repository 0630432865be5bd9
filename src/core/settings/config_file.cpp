#include "settings/config_file.h"

#include "settings/config_keys.h"
#include "settings/ini_file.h"
#include "text/helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kt {

namespace {

constexpr const char* Common = "COMMON";
constexpr const char* Categories = "KATEGORIEN";
constexpr const char* AddedMedia = "ZusaetzlicheSpeichermedien";
constexpr const char* HistorySection = "History";
constexpr const char* Ratings = "WertungStrings";
constexpr const char* Locations = "DBGLOC";
constexpr std::size_t BuiltInMedia = 6;

// A DBGLOC value: blanks and unprintable characters removed, "," as the decimal point, truncated
// toward zero; 0 when it is no number or does not fit.
int32_t LocationValue(const std::string& text) {
    bool error = false;
    const double v = std::trunc(TextToFloat(text, error));
    if (error || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(v);
}

// A missing key or a value that does not fit leaves the value as it is.
void ReadKeys(const IniFile& ini, const std::vector<const ConfigKey*>& keys, const ConfigTarget& into,
              int entry) {
    for (const ConfigKey* k : keys)
        if (const auto text = ini.value(k->section, k->key ? k->key : std::to_string(entry)))
            ReadKeyText(*k, *text, into, entry);
}

void ReadLists(const IniFile& ini, Settings& s, Collection& data, TraceLog& trace) {
    const auto ratings = ini.sectionValues(Ratings);
    std::size_t usable = 0;
    for (const auto& v : ratings)
        usable += HasContent(v) ? 1 : 0;
    if (ratings.size() > 4 && usable > 4) {
        data.RatingTexts.clear();
        for (const auto& v : ratings)
            if (HasContent(v))
                data.RatingTexts.push_back(v);
    }

    for (const auto& name : ini.sectionValues(AddedMedia)) {
        // A medium beyond the 32nd would have no storage-type bit: the list ends there.
        if (StorageTypeOfMedium(static_cast<int>(data.StorageMediaList.size())) == 0) {
            TraceLine("Ktk_Ini: ReadLists medium beyond the 32nd left out: " + name);
            continue;
        }
        data.StorageMediaList.push_back({name, true, static_cast<int32_t>(data.StorageMediaList.size() + 1)});
    }
    ApplyStorageTypeShow(s, data);

    // Taken as they stand: no test for doubles or blank names here.
    for (const auto& name : ini.sectionValues(Categories))
        data.CategoryList.push_back({name, false, static_cast<int32_t>(data.CategoryList.size() + 1)});

    for (int n = 0; n < MaxHistory; ++n)
        if (const auto file = ini.value(HistorySection, std::to_string(n)); file && !file->empty())
            s.History.push_back(*file);

    const auto locations = ini.sectionValues(Locations);
    if (!locations.empty()) {
        trace.Locations.assign(locations.size(), 0);
        for (std::size_t i = 0; i < locations.size(); ++i)
            trace.Locations[i] = LocationValue(locations[i]);
    }
}

} // namespace

void ApplyStorageTypeShow(const Settings& s, Collection& data) {
    const auto mask = static_cast<uint32_t>(s.StorageTypeShow);
    for (std::size_t i = 0; i < data.StorageMediaList.size() && i < 32; ++i)
        data.StorageMediaList[i].Selected = (mask >> i) & 1u;
}

bool ReadConfiguration(IniFile& ini, Settings& s, Collection& data, ColArrange& columns, TraceLog& trace) {
    const ConfigTarget into{s, data, columns, trace};
    std::vector<const ConfigKey*> scalar, column;
    for (const ConfigKey* k : KeysInReadOrder())
        (k->key ? scalar : column).push_back(k);
    ReadKeys(ini, scalar, into, 0);
    const bool firstStartTaken = s.FirstStart && ini.deleteKey(Common, "FirstStart");
    for (int n = 0; n < ColCount; ++n)
        ReadKeys(ini, column, into, n);
    ReadLists(ini, s, data, trace);
    return firstStartTaken;
}

bool ReadConfiguration(const std::string& iniPath, Settings& s, Collection& data, ColArrange& columns,
                       TraceLog& trace) {
    TraceLine("Ktk_Ini: ReadConfiguration [ENTRY]\r\nIniFile=" + iniPath);
    IniFile ini;
    if (!ini.load(iniPath)) {
        TraceLine("Ktk_Ini: ReadConfiguration [EXIT] [ERROR] cannot read " + iniPath);
        return false;
    }
    if (ReadConfiguration(ini, s, data, columns, trace) && !ini.save(iniPath))
        TraceLine("Ktk_Ini: ReadConfiguration [ERROR] FirstStart not removed from " + iniPath);
    TraceLine("Ktk_Ini: ReadConfiguration [EXIT]");
    return true;
}

void WriteConfiguration(IniFile& ini, const Settings& s, const Collection& data, const ColArrange& columns,
                        const TraceLog& trace) {
    const ConfigSource from{s, data, columns, trace};
    // Keys of one section follow each other in the writing order: each section is written at once.
    const auto keys = KeysInWriteOrder();
    for (std::size_t i = 0; i < keys.size();) {
        const char* section = keys[i]->section;
        std::vector<IniFile::Update> updates;
        for (; i < keys.size() && keys[i]->section == section; ++i) {
            const ConfigKey& k = *keys[i];
            if (k.key)
                updates.push_back({k.key, KeyText(k, from), SameCheck(k.type)});
            else
                for (int n = 0; n < ColCount; ++n)
                    updates.push_back({std::to_string(n), KeyText(k, from, n), SameCheck(k.type)});
        }
        ini.setValues(section, updates);
    }

    // A list section is rewritten from its list with the keys numbered from 0, so that keys of other
    // numbering (which were read into the list) cannot come back beside it. Only media beyond the
    // 32nd, which the reading leaves out, stay at the section's end.
    auto writeList = [&ini](const char* section, const std::string& prefix, std::size_t count, auto value,
                            IniFile::SameFn same, bool keepSurplus) {
        if (count == 0)
            return;
        std::vector<IniFile::Update> entries;
        entries.reserve(count);
        for (std::size_t n = 0; n < count; ++n)
            entries.push_back({prefix + std::to_string(n), value(n), same});
        ini.replaceEntries(section, entries, keepSurplus);
    };
    const auto& media = data.StorageMediaList;
    writeList(
        Categories, "Kategorie", data.CategoryList.size(),
        [&](std::size_t n) { return data.CategoryList[n].Name; }, IniFile::SameText, false);
    writeList(
        AddedMedia, "ZSM", media.size() - std::min(media.size(), BuiltInMedia),
        [&](std::size_t n) { return media[BuiltInMedia + n].Name; }, IniFile::SameText, true);
    writeList(
        HistorySection, "", s.History.size(), [&](std::size_t n) { return s.History[n]; }, IniFile::SameText,
        false);
    writeList(
        Locations, "", trace.Locations.size(),
        [&](std::size_t n) { return std::to_string(trace.Locations[n]); }, SameCheck(KeyType::Integer),
        false);
}

bool WriteConfiguration(const std::string& iniPath, const Settings& s, const Collection& data,
                        const ColArrange& columns, const TraceLog& trace) {
    TraceLine("Ktk_Ini: WriteConfiguration [ENTRY]\r\nIniFile=" + iniPath);
    IniFile ini;
    if (!ini.load(iniPath)) {
        TraceLine("Ktk_Ini: WriteConfiguration [EXIT] [ERROR] cannot read " + iniPath);
        return false;
    }
    WriteConfiguration(ini, s, data, columns, trace);
    const bool ok = ini.save(iniPath);
    TraceLine(std::string("Ktk_Ini: WriteConfiguration [EXIT]") + (ok ? "" : " [ERROR] not written"));
    return ok;
}

} // namespace kt
