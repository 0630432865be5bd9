#include "collection_io.h"
#include "collection_json.h"
#include "tool.h"

#include "model/collection.h"

#include <fstream>
#include <iostream>

namespace kt::cli {

namespace {

int RunDump(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    if (!ParseLoadCommand(args, 1, {}, {}, opt, load, exit))
        return exit;
    Collection c;
    ConsoleDialogs ui(load.yes);
    if (!LoadCollection(c, opt.positional()[0], load.asVersion, ui))
        return ExitFileError;
    std::cout << CollectionToJson(c).dump(2) << '\n';
    return ExitOk;
}

int RunConvert(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    if (!ParseLoadCommand(args, 2, {}, {}, opt, load, exit))
        return exit;
    Collection c;
    ConsoleDialogs loadUi(load.yes);
    if (!LoadCollection(c, opt.positional()[0], load.asVersion, loadUi))
        return ExitFileError;
    // The save asks nothing: the collection is written in the version OUT's name gives.
    ConsoleDialogs saveUi(false);
    return SaveCollectionAs(c, opt.positional()[1], saveUi) ? ExitOk : ExitFileError;
}

int RunCreate(const Args& args) {
    Options opt(args, {}, {});
    if (!opt.ok())
        return Fail(ExitUsage, opt.error());
    if (opt.positional().size() != 2)
        return Fail(ExitUsage, "Aufruf: kassotek-tool create JSON AUSGABE");
    std::ifstream in(opt.positional()[0], std::ios::binary);
    if (!in)
        return Fail(ExitFileError, "Datei " + opt.positional()[0] + " nicht gefunden!");
    Collection c;
    try {
        CollectionFromJson(nlohmann::json::parse(in), c);
    } catch (const std::exception& e) {
        return Fail(ExitFileError, std::string("Fehler in der JSON-Datei: ") + e.what());
    }
    ConsoleDialogs ui(false);
    return SaveCollectionAs(c, opt.positional()[1], ui) ? ExitOk : ExitFileError;
}

const Registration dump({"dump", "dump DATEI [--as-version N] [--yes]   Sammlung als JSON ausgeben",
                         &RunDump});
const Registration convert(
    {"convert", "convert EINGABE AUSGABE [--as-version N] [--yes]   in die Version von AUSGABE umwandeln",
     &RunConvert});
const Registration create({"create", "create JSON AUSGABE   Sammlung aus JSON anlegen", &RunCreate});

} // namespace

} // namespace kt::cli
