#include "persistence/data_file_commands.h"

#include "model/collection.h"
#include "model/dialogs.h"
#include "persistence/data_version.h"
#include "persistence/film_data_file.h"
#include "persistence/network_lock.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <array>
#include <stdexcept>

namespace kt {

using namespace literals;

namespace {

// The blanks behind some patterns are as the dialogs have always listed them.
const std::array<DataFileFilter, DataFileFilterCount> Filters = {{
    {"Kassotek Dateien V2.0(*.VDT)", "*.VDT "},
    {"Kassotek Dateien V2.1(*.VD1)", "*.VD1"},
    {"Kassotek Dateien V2.2(*.VD2)", "*.VD2 "},
    {"Kassotek Dateien V2.3(*.VD3)", "*.VD3"},
    {"Kassotek Dateien V2.4(*.VD4)", "*.VD4 "},
    {"Kassotek Dateien V2.5(*.VD5)", "*.VD5"},
    {"Kassotek Dateien V2.6(*.VD6)", "*.VD6"},
}};

bool HasBaseName(const std::string& fileName) {
    return HasContent(BaseName(fileName));
}

} // namespace

const DataFileFilter& DataFileFilterAt(int index) {
    if (index < 1 || index > DataFileFilterCount)
        throw std::out_of_range("data file filter " + std::to_string(index));
    return Filters[static_cast<std::size_t>(index - 1)];
}

std::string FilterExtension(int index) {
    return index >= 1 && index <= DataFileFilterCount ? ExtensionOfVersion(index - 1) : std::string();
}

bool AcceptOpenChoice(Collection& c, const std::string& fileName, int filterIndex, UserDialogs& ui) {
    TraceLine("KtkMain: Oeffnen1Click \"" + fileName + "\" filter=" + std::to_string(filterIndex));
    const int version = c.DataVerMinor;
    auto stop = [&] {
        c.DataVerMinor = version;
        return false;
    };
    if (!HasStandardSuffix(fileName) &&
        ui.question(FileNameText(fileName) + " enthält nicht den Standardsuffix \"VDx\"! Laden abbrechen?"_cp,
                    Buttons::YesNo, BoxKind::Error) == Answer::Yes)
        return stop();
    if (const int v = VersionOfFileName(fileName); v >= 0)
        c.DataVerMinor = v;
    if (filterIndex != c.DataVerMinor + 1) {
        const std::string q = "Datei-Typ (\"" + UpperAZ(FileExtOf(fileName)) + "\") entspricht NICHT\r\n" +
                              "dem eingestellten Datei-Format (\"" + FilterExtension(filterIndex) +
                              "\").\r\n\r\n" +
                              "Datei-Typ [JA] oder gewähltes Datei-Format [NEIN] benutzen?"_cp;
        switch (ui.question(q, Buttons::YesNoCancel)) {
        case Answer::Yes:
            break;
        case Answer::No:
            c.DataVerMinor = filterIndex - 1;
            break;
        default:
            return stop();
        }
    }
    return true;
}

bool AcceptAutoLoadVersion(Collection& c, UserDialogs& ui) {
    const int v = VersionOfFileName(c.CurrentDataFile);
    if (v < 0 || v == PrgVerMinor)
        return true;
    if (ui.question("Fehler: Daten-Version stimmt NICHT mit Programmversion überein!\r\n"_cp
                    "Daten mit geeignetem Filter laden?",
                    Buttons::YesNo) != Answer::Yes)
        return false;
    c.DataVerMinor = v;
    return true;
}

SaveResult SaveCurrentDataFile(Collection& c, UserDialogs& ui, Progress& progress) {
    TraceLine("KtkMain: Speichern1Click [ENTRY] \"" + c.CurrentDataFile + "\"");
    c.ActError = 0;
    std::string errorText;
    if (!HasBaseName(c.CurrentDataFile) || !FileExists(c.CurrentDataFile))
        return SaveResult::SaveAsNeeded;
    if (!Networking_OK(c, c.CurrentDataFile, ui))
        return SaveResult::SaveAsNeeded;
    std::string fileName = c.CurrentDataFile;
    const bool ok = Save_Video_Data(c, fileName, errorText, ui, progress);
    if (!ok || c.ActError != 0 || !errorText.empty()) {
        ui.error("Fehler beim Sichern von \"" + FileNameText(c.CurrentDataFile) +
                 "\": " + ErrorText(c.ActError, errorText));
        TraceLine("KtkMain: Speichern1Click [EXIT] failed");
        return SaveResult::Failed;
    }
    c.CurrentDataFile = fileName;
    ui.information(FileNameText(c.CurrentDataFile) + " wurde gesichert!");
    TraceLine("KtkMain: Speichern1Click [EXIT] saved");
    return SaveResult::Saved;
}

bool SaveDataFileAs(Collection& c, const std::string& chosen, UserDialogs& ui, Progress& progress) {
    TraceLine("KtkMain: Speichernunter1Click [ENTRY] \"" + chosen + "\"");
    if (!HasStandardSuffix(chosen)) {
        ui.error(FileNameText(chosen) +
                 " enthält nicht den Standardsuffix \"VDx\"!\r\nSpeichern wird abgebrochen!\r\n\r\n"_cp +
                 "ACHTUNG: die Daten sind NICHT gesichert und\r\n"
                 "          gehen beim Beenden des Programms verloren!");
        return false;
    }
    if (!Networking_OK(c, chosen, ui)) {
        ui.error(
            "Auf die gewählte Datei wird scheinbar gerade von einem\r\nanderen Computer zugegriffen.\r\n"_cp
            "Bitte, speichern Sie die Daten in einer anderen Datei!");
        return false;
    }
    // A save as that fails leaves the version of the data as it was.
    const int previousVersion = c.DataVerMinor;
    c.DataVerMinor = VersionOfFileName(chosen);
    if (c.DataVerMinor != ActVer) {
        const std::string q = "Sie verwenden eine Datendatei der Version 2." +
                              std::to_string(c.DataVerMinor) + ". In das aktuelle Format 2." +
                              std::to_string(ActVer) + " ändern?"_cp;
        if (ui.question(q, Buttons::YesNo, BoxKind::Information) == Answer::Yes)
            c.DataVerMinor = ActVer;
    }
    std::string fileName = ChangeToVersionExt(chosen, c.DataVerMinor);
    if (!HasBaseName(fileName)) {
        ui.error("Der Dateiname ist leer! Bitte, geben Sie einen Dateinamen an!\r\n\r\n"
                 "ACHTUNG: Die Daten wurden NICHT gespeichert!");
        c.DataVerMinor = previousVersion;
        return false;
    }
    std::string errorText;
    c.ActError = 0;
    const bool ok = Save_Video_Data(c, fileName, errorText, ui, progress) && c.ActError == 0;
    if (ok)
        c.CurrentDataFile = fileName;
    else
        c.DataVerMinor = previousVersion;
    if (!ok && c.ActError != 0) // a refusal that showed its own box leaves ActError 0
        ui.error(ErrorText(c.ActError, errorText));
    ui.information(FileNameText(fileName) + " wurde " + (ok ? "" : "nicht ") + "gesichert!");
    TraceLine("KtkMain: Speichernunter1Click [EXIT] ok=" + std::to_string(ok));
    return ok;
}

} // namespace kt
