#include "collection_io.h"
#include "tool.h"

#include "model/collection.h"
#include "settings/settings.h"
#include "statistics/statistics.h"
#include "text/cp1252.h"

#include <nlohmann/json.hpp>

#include <iostream>

namespace kt::cli {

namespace {

int RunStatistics(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    if (!ParseLoadCommand(args, 1, {"--by", "--config"}, {}, opt, load, exit))
        return exit;
    const std::string by = opt.value("--by");
    if (by != "kategorien" && by != "speichermedien")
        return Fail(ExitUsage, "--by braucht kategorien oder speichermedien.");

    ConfiguredCollection run;
    if (const int loaded = LoadConfiguredCollection(opt, load, run); loaded != ExitOk)
        return loaded;
    const Collection& c = run.c;
    const Settings& s = run.s;

    const auto points = BuildStatistik(
        c, by == "kategorien" ? StatistikOrder::Kategorien : StatistikOrder::Speichermedien, s.SortLength);
    auto out = nlohmann::ordered_json::array(); // keys in the order label, value, color
    for (const auto& p : points)
        out.push_back({{"label", ToUtf8(p.Label)}, {"value", p.Value}, {"color", ColorText(p.Color)}});
    std::cout << out.dump(2) << '\n';
    return ExitOk;
}

const Registration statistics(
    {"statistics",
     "statistics DATEI --by kategorien|speichermedien [--config INI] [--as-version N] [--yes]\n"
     "        alle Filme nach Kategorie oder Speichermedium zählen, in der Reihenfolge des Diagramms\n"
     "        (JSON: label, value, color); die Video-Cassetten zählen Cassetten, nicht Filme",
     &RunStatistics});

} // namespace

} // namespace kt::cli
