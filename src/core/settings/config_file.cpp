#include "settings/config_file.h"

#include "settings/ini_file.h"
#include "text/helpers.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace kt {

namespace {

constexpr const char* Common = "COMMON";
constexpr const char* ImpExp = "ImpExp";
constexpr const char* ColumnSections[] = {"Zellenanordnung", "Spaltentitel", "FEdBez",
                                          "Zellenbreite",    "ImportPos",    "Zeigen"};
constexpr const char* Categories = "KATEGORIEN";
constexpr const char* AddedMedia = "ZusaetzlicheSpeichermedien";
constexpr const char* HistorySection = "History";
constexpr const char* Ratings = "WertungStrings";
constexpr const char* Locations = "DBGLOC";
constexpr std::size_t BuiltInMedia = 6;

// The log is switched off by the detail level 254, the unsigned byte of -2.
constexpr int LogOffLevel = 254;

// Reads typed values; a missing key or a value that does not fit leaves the variable as it is.
class Reader {
public:
    explicit Reader(const IniFile& ini) : ini_(ini) {}

    bool integer(const char* section, const char* key, long long lo, long long hi, long long& v) const {
        const auto text = ini_.value(section, key);
        long long x = 0;
        if (!text || !ParseInt(*text, x) || x < lo || x > hi)
            return false;
        v = x;
        return true;
    }
    void int32(const char* section, const char* key, int32_t& v) const {
        long long x = v;
        if (integer(section, key, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                    x))
            v = static_cast<int32_t>(x);
    }
    void byte(const char* section, const char* key, uint8_t& v) const {
        long long x = v;
        if (integer(section, key, 0, 255, x))
            v = static_cast<uint8_t>(x);
    }
    void boolean(const char* section, const char* key, bool& v) const {
        long long x = 0;
        if (integer(section, key, std::numeric_limits<long long>::min(),
                    std::numeric_limits<long long>::max(), x))
            v = x != 0;
    }
    void string(const char* section, const char* key, std::string& v) const {
        if (const auto text = ini_.value(section, key))
            v = *text;
    }
    void character(const char* section, const char* key, char& v) const {
        if (const auto text = ini_.value(section, key); text && !text->empty())
            v = text->front();
    }

private:
    const IniFile& ini_;
};

// Writes typed values; a key whose value already reads the same stays as it stands.
class Writer {
public:
    explicit Writer(IniFile& ini) : ini_(ini) {}

    void integer(const std::string& section, const std::string& key, long long v) {
        long long x = 0;
        if (const auto text = ini_.value(section, key); text && ParseInt(*text, x) && x == v)
            return;
        ini_.setValue(section, key, std::to_string(v));
    }
    void boolean(const std::string& section, const std::string& key, bool v) {
        long long x = 0;
        if (const auto text = ini_.value(section, key); text && ParseInt(*text, x) && (x != 0) == v)
            return;
        ini_.setValue(section, key, v ? "1" : "0");
    }
    void string(const std::string& section, const std::string& key, const std::string& v) {
        ini_.setValue(section, key, v);
    }
    void character(const std::string& section, const std::string& key, char v) {
        if (const auto text = ini_.value(section, key); text && !text->empty() && text->front() == v)
            return;
        ini_.setValue(section, key, std::string(1, v));
    }

private:
    IniFile& ini_;
};

// A DBGLOC value: blanks and unprintable characters removed, "," as the decimal point, truncated
// toward zero; 0 when it is no number or does not fit.
int32_t LocationValue(const std::string& text) {
    bool error = false;
    const double v = std::trunc(TextToFloat(text, error));
    if (error || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(v);
}

void ReadCommon(const Reader& r, Settings& s, Collection& data, TraceLog& trace) {
    r.byte(Common, "SortLength", s.SortLength);
    r.boolean(Common, "SaveDir", s.SaveDir);
    r.boolean(Common, "SaveOption", s.SaveOption);
    r.string(Common, "LastFile", data.CurrentDataFile);
    r.boolean(Common, "OpenFileAtStart", s.OpenFileAtStart);
    r.boolean(Common, "CreateBakOnFOpen", s.CreateBakOnFOpen);
    r.byte(Common, "FilmSort", s.FilmSort);
    r.byte(Common, "MinimizeTarget", s.MinimizeTarget);
    r.int32(Common, "WriteMasterAlways", trace.WriteMasterAlways);
    long long level = trace.MasterStoreLevel;
    if (r.integer(Common, "MasterStoreLevel", -128, 127, level) ||
        r.integer(Common, "MasterStoreLevel", LogOffLevel, LogOffLevel, level))
        trace.MasterStoreLevel = static_cast<int8_t>(static_cast<uint8_t>(level & 0xFF));
    r.int32(Common, "LastStorageType", s.LastStorageType);
    r.int32(Common, "StorageTypeShow", s.StorageTypeShow);
    r.boolean(Common, "ShowAllMsg", s.ShowAllMsg);
    r.boolean(Common, "FirstStart", s.FirstStart);
    r.boolean(Common, "CenterFilmTitel", s.CenterFilmTitel);
    r.int32(Common, "ImportKopfzeilen", s.ImportKopfzeilen);
    r.character(Common, "ImportTrennz", s.ImportTrennz);
    r.byte(Common, "SuggestPosOnCas", s.SuggestPosOnCas);
    r.byte(Common, "CasSubSort", s.CasSubSort);
    r.boolean(Common, "ShowFirstPicAutomatically", s.ShowFirstPicAutomatically);
    // Picture files are swapped out into this folder: an empty one keeps the default.
    std::string tempDir;
    r.string(Common, "TempDir", tempDir);
    if (HasContent(tempDir))
        s.TempDir = WithBackslash(tempDir);
    r.boolean(Common, "MinimizeConfirm", s.MinimizeConfirm);
    r.boolean(Common, "MarkFilmList", s.MarkFilmList);
    r.boolean(Common, "ImportHinweis", s.ImportHinweis);
}

void ReadImpExp(const Reader& r, Settings& s) {
    r.int32(ImpExp, "FirstCol2Read", s.FirstCol2Read);
    r.int32(ImpExp, "AnzCols2Read", s.AnzCols2Read);
    r.int32(ImpExp, "FirstRow2Read", s.FirstRow2Read);
    r.int32(ImpExp, "AnzRows2Read", s.AnzRows2Read);
    r.character(ImpExp, "Trennzeichen", s.Trennzeichen);
}

void ReadColumns(const Reader& r, ColArrange& columns) {
    for (int n = 0; n < ColCount; ++n) {
        const std::string key = std::to_string(n);
        TColArEntry& e = columns[n];
        r.int32(ColumnSections[0], key.c_str(), e.Pos);
        r.string(ColumnSections[1], key.c_str(), e.Header);
        r.string(ColumnSections[2], key.c_str(), e.EditLabel);
        r.int32(ColumnSections[4], key.c_str(), e.ImportPos);
        // 0 keeps the built-in width; a negative width cannot be drawn either.
        int32_t width = 0;
        r.int32(ColumnSections[3], key.c_str(), width);
        if (width > 0)
            e.Width = width;
        r.boolean(ColumnSections[5], key.c_str(), e.Show);
    }
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

    Reader r(ini);
    for (int n = 0; n < MaxHistory; ++n) {
        std::string file;
        r.string(HistorySection, std::to_string(n).c_str(), file);
        if (!file.empty())
            s.History.push_back(file);
    }

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

bool ReadConfiguration(const std::string& iniPath, Settings& s, Collection& data, ColArrange& columns,
                       TraceLog& trace) {
    TraceLine("Ktk_Ini: ReadConfiguration [ENTRY]\r\nIniFile=" + iniPath);
    IniFile ini;
    if (!ini.load(iniPath)) {
        TraceLine("Ktk_Ini: ReadConfiguration [EXIT] [ERROR] cannot read " + iniPath);
        return false;
    }
    const Reader r(ini);
    ReadCommon(r, s, data, trace);
    ReadImpExp(r, s);
    if (s.FirstStart && ini.deleteKey(Common, "FirstStart") && !ini.save(iniPath))
        TraceLine("Ktk_Ini: ReadConfiguration [ERROR] FirstStart not removed from " + iniPath);
    ReadColumns(r, columns);
    ReadLists(ini, s, data, trace);
    TraceLine("Ktk_Ini: ReadConfiguration [EXIT]");
    return true;
}

bool WriteConfiguration(const std::string& iniPath, const Settings& s, const Collection& data,
                        const ColArrange& columns, const TraceLog& trace) {
    TraceLine("Ktk_Ini: WriteConfiguration [ENTRY]\r\nIniFile=" + iniPath);
    IniFile ini;
    if (!ini.load(iniPath)) {
        TraceLine("Ktk_Ini: WriteConfiguration [EXIT] [ERROR] cannot read " + iniPath);
        return false;
    }
    Writer w(ini);
    w.integer(Common, "SortLength", s.SortLength);
    w.boolean(Common, "SaveDir", s.SaveDir);
    w.string(Common, "LastFile", s.OpenFileAtStart ? data.CurrentDataFile : std::string());
    w.boolean(Common, "SaveOption", s.SaveOption);
    w.boolean(Common, "OpenFileAtStart", s.OpenFileAtStart);
    w.boolean(Common, "CreateBakOnFOpen", s.CreateBakOnFOpen);
    w.integer(Common, "FilmSort", s.FilmSort);
    w.integer(Common, "MinimizeTarget", s.MinimizeTarget);
    w.integer(Common, "WriteMasterAlways", trace.WriteMasterAlways);
    w.integer(Common, "MasterStoreLevel", trace.MasterStoreLevel);
    w.boolean(Common, "MarkFilmList", s.MarkFilmList);
    w.integer(Common, "LastStorageType", s.LastStorageType);
    w.integer(Common, "StorageTypeShow", s.StorageTypeShow);
    w.boolean(Common, "ShowAllMsg", s.ShowAllMsg);
    w.boolean(Common, "CenterFilmTitel", s.CenterFilmTitel);
    w.integer(Common, "ImportKopfzeilen", s.ImportKopfzeilen);
    w.character(Common, "ImportTrennz", s.ImportTrennz);
    w.integer(Common, "SuggestPosOnCas", s.SuggestPosOnCas);
    w.integer(Common, "CasSubSort", s.CasSubSort);
    w.boolean(Common, "ShowFirstPicAutomatically", s.ShowFirstPicAutomatically);
    w.string(Common, "TempDir", s.TempDir);
    w.boolean(Common, "MinimizeConfirm", s.MinimizeConfirm);
    w.boolean(Common, "ImportHinweis", s.ImportHinweis);

    w.integer(ImpExp, "FirstCol2Read", s.FirstCol2Read);
    w.integer(ImpExp, "AnzCols2Read", s.AnzCols2Read);
    w.integer(ImpExp, "FirstRow2Read", s.FirstRow2Read);
    w.integer(ImpExp, "AnzRows2Read", s.AnzRows2Read);
    w.character(ImpExp, "Trennzeichen", s.Trennzeichen);

    for (int n = 0; n < ColCount; ++n)
        w.integer(ColumnSections[0], std::to_string(n), columns[n].Pos);
    for (int n = 0; n < ColCount; ++n)
        w.string(ColumnSections[1], std::to_string(n), columns[n].Header);
    for (int n = 0; n < ColCount; ++n)
        w.string(ColumnSections[2], std::to_string(n), columns[n].EditLabel);
    for (int n = 0; n < ColCount; ++n)
        w.integer(ColumnSections[3], std::to_string(n), columns[n].Width);
    for (int n = 0; n < ColCount; ++n)
        w.integer(ColumnSections[4], std::to_string(n), columns[n].ImportPos);
    for (int n = 0; n < ColCount; ++n)
        w.boolean(ColumnSections[5], std::to_string(n), columns[n].Show);

    for (std::size_t n = 0; n < data.CategoryList.size(); ++n)
        w.string(Categories, "Kategorie" + std::to_string(n), data.CategoryList[n].Name);
    for (std::size_t i = BuiltInMedia; i < data.StorageMediaList.size(); ++i)
        w.string(AddedMedia, "ZSM" + std::to_string(i - BuiltInMedia), data.StorageMediaList[i].Name);
    for (std::size_t n = 0; n < s.History.size(); ++n)
        w.string(HistorySection, std::to_string(n), s.History[n]);
    for (std::size_t n = 0; n < trace.Locations.size(); ++n)
        w.integer(Locations, std::to_string(n), trace.Locations[n]);

    const bool ok = ini.save(iniPath);
    TraceLine(std::string("Ktk_Ini: WriteConfiguration [EXIT]") + (ok ? "" : " [ERROR] not written"));
    return ok;
}

} // namespace kt
