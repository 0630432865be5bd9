#include "collection_io.h"
#include "tool.h"

#include "cassettes/cassette_check.h"
#include "cassettes/cassette_restore.h"
#include "model/collection.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <iostream>

namespace kt::cli {

namespace {

constexpr int ExitInconsistent = 3;

int RunCheck(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    if (!ParseLoadCommand(args, 1, {}, {}, opt, load, exit))
        return exit;
    Collection c;
    ConsoleDialogs ui(load.yes);
    if (!LoadCollection(c, opt.positional()[0], load.asVersion, ui))
        return ExitFileError;
    const auto entries = NotOKCasListEntries(c);
    for (const auto& e : entries)
        std::cout << e << '\n';
    return entries.empty() ? ExitOk : ExitInconsistent;
}

int RunRestore(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    if (!ParseLoadCommand(args, 2, {"--default-length"}, {}, opt, load, exit))
        return exit;
    long long minutes = 0;
    if (opt.has("--default-length") &&
        (!ParseInt(opt.value("--default-length"), minutes) || !IsDefaultCasLength(static_cast<int>(minutes))))
        return Fail(ExitUsage, "--default-length braucht eine der Längen 300, 260, 240, 180, 120 oder 90.");
    Collection c;
    ConsoleDialogs ui(load.yes);
    if (!LoadCollection(c, opt.positional()[0], load.asVersion, ui))
        return ExitFileError;
    NoProgress progress;
    if (!RestoreCassetteData(c, static_cast<int>(minutes), progress))
        return Fail(ExitFileError, "Die Cassettendaten konnten nicht wiederhergestellt werden: " +
                                       ToUtf8(ErrorText(c.ActError, {})));
    ConsoleDialogs saveUi(false);
    return SaveCollectionAs(c, opt.positional()[1], saveUi) ? ExitOk : ExitFileError;
}

const Registration check({"check",
                          "check DATEI [--as-version N] [--yes]   unstimmige Cassetten auflisten "
                          "(Ende 3, wenn es welche gibt)",
                          &RunCheck});
const Registration restore({"restore",
                            "restore DATEI AUSGABE [--default-length MINUTEN] [--as-version N] [--yes]   "
                            "Cassettendaten aus den Filmen wiederherstellen",
                            &RunRestore});

} // namespace

} // namespace kt::cli
