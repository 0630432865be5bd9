#include "collection_io.h"
#include "tool.h"

#include "exchange/import_entry.h"
#include "exchange/import_file.h"
#include "settings/config_file.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <iostream>
#include <sstream>

namespace kt::cli {

namespace {

using namespace literals;

// A whole number of at least `least`; false with the usage message.
bool ReadCount(const Options& opt, const std::string& name, long long least, int32_t& into,
               std::string& error) {
    if (!opt.has(name))
        return true;
    long long v = 0;
    if (!ParseInt(opt.value(name), v) || v < least || v > INT32_MAX) {
        error = name + " braucht eine ganze Zahl ab " + std::to_string(least) + ".";
        return false;
    }
    into = static_cast<int32_t>(v);
    return true;
}

// "--positions P0,...,P23": the field numbers of the entries 0 to 23.
bool ReadPositions(const std::string& text, std::array<int32_t, ImportCheckedEntries>& positions,
                   std::string& error) {
    std::stringstream in(text);
    std::string item;
    std::size_t n = 0;
    while (std::getline(in, item, ',')) {
        long long v = 0;
        if (n >= positions.size() || !ParseInt(item, v) || v < INT32_MIN || v > INT32_MAX) {
            n = 0;
            break;
        }
        positions[n++] = static_cast<int32_t>(v);
    }
    if (n != positions.size() || (!text.empty() && text.back() == ',')) {
        error = "--positions braucht 24 ganze Zahlen, durch Kommas getrennt (Einträge 0 bis 23).";
        return false;
    }
    return true;
}

int RunImport(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    if (!ParseLoadCommand(args, 2,
                          {"--into", "--config", "--first-row", "--rows", "--first-col", "--cols",
                           "--separator", "--header-lines", "--positions"},
                          {}, opt, load, exit))
        return exit;
    const std::string source = opt.positional()[0];
    const std::string output = opt.positional()[1];

    ConfiguredCollection run;
    if (opt.has("--config") &&
        !ReadConfiguration(opt.value("--config"), run.s, run.c, run.columns, run.trace))
        return Fail(ExitFileError, "Konnte " + opt.value("--config") + " nicht lesen!");
    // The configuration is written back as it was read, with only the new media added.
    const Settings configured = run.s;
    const ColArrange configuredColumns = run.columns;
    Settings& s = run.s;

    std::string error;
    int32_t firstRow = s.FirstRow2Read + 1, firstCol = s.FirstCol2Read + 1;
    bool ok = ReadCount(opt, "--first-row", 1, firstRow, error) &&
              ReadCount(opt, "--rows", 0, s.AnzRows2Read, error) &&
              ReadCount(opt, "--first-col", 1, firstCol, error) &&
              ReadCount(opt, "--cols", 0, s.AnzCols2Read, error) &&
              ReadCount(opt, "--header-lines", 0, s.ImportKopfzeilen, error);
    if (!ok)
        return Fail(ExitUsage, error);
    s.FirstRow2Read = firstRow - 1;
    s.FirstCol2Read = firstCol - 1;
    if (opt.has("--separator")) {
        s.Trennzeichen = SeparatorOf(ToCp1252(opt.value("--separator")), s.Trennzeichen);
        s.ImportTrennz = s.Trennzeichen;
    }
    if (opt.has("--positions")) {
        std::array<int32_t, ImportCheckedEntries> positions{};
        if (!ReadPositions(opt.value("--positions"), positions, error))
            return Fail(ExitUsage, error);
        if (const std::string message = CheckImportPositions(positions); !message.empty())
            return Fail(ExitUsage, ToUtf8(message));
        for (int e = 0; e < ImportCheckedEntries; ++e)
            run.columns[e].ImportPos = positions[static_cast<std::size_t>(e)];
    }
    const ImportKind kind = ImportKindOfName(source);
    if ((kind == ImportKind::Xls || kind == ImportKind::Xlsx) && (s.AnzRows2Read == 0 || s.AnzCols2Read == 0))
        return Fail(ExitUsage,
                    ToUtf8("Fehler: Es werden gemäß der Einstellungen KEINE Daten importiert!\r\n"
                           "Kontrollieren Sie die Einstellungen auf der Seite \"Import aus Excel\"."_cp));

    Collection& c = run.c;
    ConsoleDialogs ui(load.yes);
    if (opt.has("--into") && !LoadCollection(c, opt.value("--into"), load.asVersion, ui))
        return ExitFileError;

    int32_t newMedia = 0;
    NoProgress progress;
    const ImportResult result = ImportFromFile(source, kind, s, c, run.columns, ui, progress,
                                               [&](int index) { newMedia |= StorageTypeOfMedium(index); });
    if (!result.read)
        return ExitFileError;
    c.DataSaved = false;
    std::cerr << ToUtf8(ImportedText(result.count, source)) << '\n';

    ConsoleDialogs saveUi(false);
    if (!SaveCollectionAs(c, output, saveUi))
        return ExitFileError;
    if (newMedia != 0 && opt.has("--config")) {
        Settings keep = configured;
        keep.StorageTypeShow |= newMedia;
        if (!WriteConfiguration(opt.value("--config"), keep, c, configuredColumns, run.trace))
            return Fail(ExitFileError, "Konnte " + opt.value("--config") + " nicht schreiben!");
    }
    return ExitOk;
}

const Registration import(
    {"import",
     "import QUELLE AUSGABE [--into DATEI] [--config INI] [--first-row N] [--rows N] [--first-col N]\n"
     "        [--cols N] [--separator C] [--header-lines N] [--positions P0,P1,...,P23] [--as-version N] "
     "[--yes]\n"
     "        Filme aus QUELLE (.xls, .xlsx, .txt, .csv) in die Sammlung DATEI (ohne --into: eine leere)\n"
     "        importieren und als AUSGABE speichern; Zeilen und Spalten ab 1 gezählt",
     &RunImport});

} // namespace

} // namespace kt::cli
