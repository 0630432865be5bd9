#include "collection_io.h"

#include "persistence/data_file_commands.h"
#include "persistence/data_version.h"
#include "persistence/film_data_file.h"
#include "persistence/network_lock.h"
#include "settings/config_file.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <iostream>

namespace kt::cli {

using namespace literals;

namespace {

std::string Console(const std::string& cp1252) {
    const std::string utf8 = ToUtf8(cp1252);
    std::string s;
    s.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i)
        if (utf8[i] != '\r' || i + 1 >= utf8.size() || utf8[i + 1] != '\n')
            s += utf8[i];
    return s;
}

void Print(const char* kind, const std::string& text) {
    std::cerr << kind << ": " << Console(text) << '\n';
}

} // namespace

void ConsoleDialogs::error(const std::string& text) {
    Print("Fehler", text);
}
void ConsoleDialogs::warning(const std::string& text) {
    Print("Warnung", text);
}
void ConsoleDialogs::information(const std::string& text) {
    Print("Information", text);
}
void ConsoleDialogs::notice(const std::string& text) {
    Print("Information", text);
}

Answer ConsoleDialogs::question(const std::string& text, Buttons, BoxKind) {
    Print("Frage", text);
    std::cerr << "-> " << (yes_ ? "Ja" : "Nein") << '\n';
    return yes_ ? Answer::Yes : Answer::No;
}

Answer ConsoleDialogs::threeWay(const ThreeWayQuestion& q) {
    Print("Frage", q.line1 + "\r\n" + q.line2);
    std::cerr << "-> " << (yes_ ? "OK" : "Nein") << '\n';
    return yes_ ? Answer::Ok : Answer::No;
}

bool ReadLoadOptions(const Options& opt, LoadOptions& load, std::string& error) {
    load.yes = opt.has("--yes");
    if (!opt.has("--as-version"))
        return true;
    long long v = -1;
    if (!ParseInt(opt.value("--as-version"), v) || v < OldestDataVersion || v > NewestDataVersion) {
        error = "--as-version braucht eine Version von 0 bis 6.";
        return false;
    }
    load.asVersion = static_cast<int>(v);
    return true;
}

bool ParseLoadCommand(const Args& args, std::size_t files, std::vector<std::string> valued,
                      std::vector<std::string> flags, Options& opt, LoadOptions& load, int& exit) {
    valued.push_back("--as-version");
    flags.push_back("--yes");
    opt = Options(args, valued, flags);
    std::string error = opt.error();
    if (opt.ok() && opt.positional().size() != files)
        error = "Falsche Anzahl Dateien. Siehe kassotek-tool --help.";
    if (error.empty())
        ReadLoadOptions(opt, load, error);
    if (!error.empty()) {
        exit = Fail(ExitUsage, error);
        return false;
    }
    return true;
}

bool LoadCollection(Collection& c, const std::string& file, int asVersion, UserDialogs& ui) {
    const int fromName = VersionOfFileName(file);
    if (asVersion >= 0)
        c.DataVerMinor = asVersion;
    else if (fromName >= 0)
        c.DataVerMinor = fromName;
    NoProgress progress;
    std::string errorText;
    if (!Load_Video_Data(c, file, errorText, ui, progress)) {
        // Without an error code the load has said why itself (an unknown format, a declined
        // question).
        if (c.ActError != 0)
            std::cerr << "Fehler beim Laden: " << Console(ErrorText(c.ActError, errorText)) << '\n';
        else
            std::cerr << "Die Daten aus " << Console(FileNameText(file)) << " wurden nicht geladen.\n";
        return false;
    }
    if (c.ActError != 0)
        std::cerr << "Hinweis: " << Console(ErrorText(c.ActError, errorText)) << '\n';
    return true;
}

int LoadConfiguredCollection(const Options& opt, const LoadOptions& load, ConfiguredCollection& out) {
    if (opt.has("--config") &&
        !ReadConfiguration(opt.value("--config"), out.s, out.c, out.columns, out.trace))
        return Fail(ExitFileError, "Konnte " + opt.value("--config") + " nicht lesen!");
    ConsoleDialogs ui(load.yes);
    return LoadCollection(out.c, opt.positional()[0], load.asVersion, ui) ? ExitOk : ExitFileError;
}

bool SaveCollectionAs(Collection& c, const std::string& out, UserDialogs& ui) {
    NoProgress progress;
    return SaveDataFileAs(c, out, ui, progress);
}

} // namespace kt::cli
