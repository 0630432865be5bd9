#include "tool.h"

#include "catalogue/col_arrange.h"
#include "model/collection.h"
#include "settings/config_file.h"
#include "settings/program_paths.h"
#include "settings/settings.h"
#include "text/cp1252.h"
#include "trace/trace_log.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>

namespace kt::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string Utf8(const std::string& cp1252) {
    return ToUtf8(cp1252);
}
// Paths are the file system's bytes; one from an old Windows file is Windows-1252.
std::string PathUtf8(const std::string& path) {
    return IsValidUtf8(path) ? path : ToUtf8(path);
}
std::string Utf8(char c) {
    return ToUtf8(std::string(1, c));
}

Json SelectableList(const std::vector<TSelectableStr>& list) {
    Json out = Json::array();
    for (const auto& e : list)
        out.push_back({{"Name", Utf8(e.Name)}, {"Selected", e.Selected}, {"Nr", e.Nr}});
    return out;
}

Json StringList(const std::vector<std::string>& list, std::string (*convert)(const std::string&) = Utf8) {
    Json out = Json::array();
    for (const auto& s : list)
        out.push_back(convert(s));
    return out;
}

Json SettingsJson(const Settings& s, const Collection& data, const ColArrange& columns,
                  const TraceLog& trace) {
    Json j;
    j["SortLength"] = s.SortLength;
    j["SaveDir"] = s.SaveDir;
    j["SaveOption"] = s.SaveOption;
    j["LastFile"] = PathUtf8(data.CurrentDataFile);
    j["OpenFileAtStart"] = s.OpenFileAtStart;
    j["CreateBakOnFOpen"] = s.CreateBakOnFOpen;
    j["FilmSort"] = s.FilmSort;
    j["MinimizeTarget"] = s.MinimizeTarget;
    j["WriteMasterAlways"] = trace.WriteMasterAlways;
    j["MasterStoreLevel"] = trace.MasterStoreLevel;
    j["LastStorageType"] = s.LastStorageType;
    j["StorageTypeShow"] = s.StorageTypeShow;
    j["ShowAllMsg"] = s.ShowAllMsg;
    j["FirstStart"] = s.FirstStart;
    j["CenterFilmTitel"] = s.CenterFilmTitel;
    j["ImportKopfzeilen"] = s.ImportKopfzeilen;
    j["ImportTrennz"] = Utf8(s.ImportTrennz);
    j["SuggestPosOnCas"] = s.SuggestPosOnCas;
    j["CasSubSort"] = s.CasSubSort;
    j["ShowFirstPicAutomatically"] = s.ShowFirstPicAutomatically;
    j["TempDir"] = PathUtf8(s.TempDir);
    j["MinimizeConfirm"] = s.MinimizeConfirm;
    j["MarkFilmList"] = s.MarkFilmList;
    j["ImportHinweis"] = s.ImportHinweis;
    j["FirstCol2Read"] = s.FirstCol2Read;
    j["AnzCols2Read"] = s.AnzCols2Read;
    j["FirstRow2Read"] = s.FirstRow2Read;
    j["AnzRows2Read"] = s.AnzRows2Read;
    j["Trennzeichen"] = Utf8(s.Trennzeichen);

    Json cols = Json::array();
    for (const auto& e : columns.Entry)
        cols.push_back({{"Header", Utf8(e.Header)},
                        {"Pos", e.Pos},
                        {"Width", e.Width},
                        {"Show", e.Show},
                        {"LongName", Utf8(e.LongName)},
                        {"EditLabel", Utf8(e.EditLabel)},
                        {"ImportPos", e.ImportPos}});
    j["ColArrange"] = cols;
    j["CategoryList"] = SelectableList(data.CategoryList);
    j["StorageMediaList"] = SelectableList(data.StorageMediaList);
    j["RatingTexts"] = StringList(data.RatingTexts);
    j["History"] = StringList(s.History, PathUtf8);
    j["DBGLOC"] = trace.Locations;
    return j;
}

int Run(const Args& args) {
    const Options opt(args, {"--config"}, {"--write"});
    if (!opt.ok())
        return Fail(ExitUsage, opt.error());
    if (!opt.positional().empty())
        return Fail(ExitUsage, "Unerwartetes Argument \"" + opt.positional().front() +
                                   "\". Aufruf: kassotek-tool settings [--config DATEI] [--write]");
    const std::string path = opt.has("--config") ? opt.value("--config") : IniFilePath();
    if (path.empty())
        return Fail(ExitUsage, "Option --config braucht einen Dateinamen.");

    Settings s;
    Collection data;
    ColArrange columns;
    TraceLog trace;
    // As the main window's creation sets them before the configuration is read.
    trace.WriteMasterAlways = 2;
    trace.MasterStoreLevel = 1;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !opt.has("--write"))
        std::cerr << "kassotek-tool: Hinweis: " << path
                  << " gibt es nicht; es gelten die Voreinstellungen.\n";
    if (!ReadConfiguration(path, s, data, columns, trace))
        return Fail(ExitFileError, "Konnte " + path + " nicht lesen!");

    std::cout << SettingsJson(s, data, columns, trace).dump(2) << '\n';

    if (opt.has("--write")) {
        if (!s.OpenFileAtStart)
            data.CurrentDataFile.clear();
        if (!WriteConfiguration(path, s, data, columns, trace))
            return Fail(ExitFileError, "Konnte " + path + " nicht schreiben!");
    }
    return ExitOk;
}

const Registration
    reg({"settings",
         "settings [--config DATEI] [--write]   Einstellungen als JSON zeigen (und zurückschreiben)", Run});

} // namespace

} // namespace kt::cli
