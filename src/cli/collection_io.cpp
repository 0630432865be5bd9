#include "collection_io.h"

#include "persistence/data_version.h"
#include "persistence/film_data_file.h"
#include "persistence/network_lock.h"
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
        std::cerr << "Fehler beim Laden: " << Console(ErrorText(c.ActError, errorText)) << '\n';
        return false;
    }
    if (c.ActError != 0)
        std::cerr << "Hinweis: " << Console(ErrorText(c.ActError, errorText)) << '\n';
    return true;
}

bool SaveCollectionAs(Collection& c, const std::string& out, UserDialogs& ui) {
    if (!HasStandardSuffix(out)) {
        ui.error(out +
                 " enthält nicht den Standardsuffix \"VDx\"!\r\nSpeichern wird abgebrochen!\r\n\r\n"_cp +
                 "ACHTUNG: die Daten sind NICHT gesichert und\r\n          gehen beim Beenden des Programms "
                 "verloren!");
        return false;
    }
    if (!Networking_OK(c, out, ui)) {
        ui.error(
            "Auf die gewählte Datei wird scheinbar gerade von einem\r\nanderen Computer zugegriffen.\r\n"_cp
            "Bitte, speichern Sie die Daten in einer anderen Datei!");
        return false;
    }
    c.DataVerMinor = VersionOfFileName(out);
    if (c.DataVerMinor != ActVer) {
        const std::string q = "Sie verwenden eine Datendatei der Version 2." +
                              std::to_string(c.DataVerMinor) + ". In das aktuelle Format 2." +
                              std::to_string(ActVer) + " ändern?"_cp;
        if (ui.question(q, Buttons::YesNo, BoxKind::Information) == Answer::Yes)
            c.DataVerMinor = ActVer;
    }
    std::string fileName = ChangeToVersionExt(out, c.DataVerMinor);
    if (!HasContent(BaseName(fileName))) {
        ui.error(
            "Der Dateiname ist leer! Bitte, geben Sie einen Dateinamen an!\r\n\r\nACHTUNG: Die Daten wurden "
            "NICHT gespeichert!");
        return false;
    }
    NoProgress progress;
    std::string errorText;
    c.ActError = 0;
    const bool ok = Save_Video_Data(c, fileName, errorText, ui, progress);
    if (!ok || c.ActError != 0) {
        // A refusal that showed its own box leaves ActError 0.
        if (c.ActError != 0)
            std::cerr << "Fehler beim Sichern von \"" << Console(fileName)
                      << "\": " << Console(ErrorText(c.ActError, errorText)) << '\n';
        return false;
    }
    c.CurrentDataFile = fileName;
    return true;
}

} // namespace kt::cli
