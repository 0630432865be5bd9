#include "tool.h"

#include "catalogue/col_arrange.h"
#include "model/collection.h"
#include "settings/config_file.h"
#include "settings/config_keys.h"
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
// Paths are the file system's bytes; one from an old Windows file is Windows-1252. Bytes that are
// no UTF-8 are shown as Windows-1252 characters, so any path can be printed.
std::string PathUtf8(const std::string& path) {
    return Utf8OrCp1252(path);
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
    const ConfigSource from{s, data, columns, trace};
    for (const ConfigKey* k : KeysInReadOrder()) {
        if (!k->key)
            continue;
        const KeyValue v = ValueOf(*k, from);
        if (const auto* flag = std::get_if<bool>(&v))
            j[k->key] = *flag;
        else if (const auto* number = std::get_if<long long>(&v))
            j[k->key] = *number;
        else if (k->type == KeyType::Path || k->type == KeyType::Folder)
            j[k->key] = PathUtf8(std::get<std::string>(v));
        else
            j[k->key] = Utf8(std::get<std::string>(v));
    }

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

    // Every text is UTF-8 by now; should one slip through, it is shown replaced rather than ending
    // the tool.
    std::cout << SettingsJson(s, data, columns, trace).dump(2, ' ', false, Json::error_handler_t::replace)
              << '\n';

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
