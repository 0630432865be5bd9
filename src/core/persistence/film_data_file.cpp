#include "persistence/film_data_file.h"

#include "model/collection.h"
#include "model/dialogs.h"
#include "persistence/companion_files.h"
#include "persistence/data_version.h"
#include "persistence/file_access.h"
#include "persistence/fixed_records.h"
#include "persistence/network_lock.h"
#include "persistence/save_transaction.h"
#include "persistence/tagged_records.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <climits>
#include <new>

namespace kt {

using namespace literals;

namespace {

// Closes the wait window on every way out.
class ProgressScope {
public:
    explicit ProgressScope(Progress& p) : p_(p) {}
    ~ProgressScope() { p_.finish(); }

private:
    Progress& p_;
};

std::string VersionText(int main, int minor) {
    return std::to_string(main) + "." + std::to_string(minor);
}

bool Damaged(Collection& c, const std::string& fileName, std::string& errorText) {
    c.ActError = 3;
    errorText = FileNameText(fileName);
    c.CurrentDataFile.clear();
    TraceLine("Persist: Load_Video_Data [EXIT] damaged after " + std::to_string(c.AnzFilm()) + " films");
    return false;
}

// Reads a companion file; a read error sets ActError 3 with its name but the load goes on.
bool ReadCompanion(Collection& c, const std::string& file, std::string& data, std::string& errorText,
                   int* errorOut = nullptr) {
    int error = 0;
    if (ReadWholeFile(file, data, error))
        return true;
    c.ActError = 3;
    errorText = FileNameText(file);
    if (errorOut)
        *errorOut = error;
    TraceLine("Persist: ReadCompanion [ERROR] \"" + file + "\" errno=" + std::to_string(error));
    return false;
}

// The two borrower files are one list of pairs: they are taken only together, so that no name is
// ever paired with the address of another entry.
void LoadLenders(Collection& c, std::string& errorText, UserDialogs& ui) {
    const std::string namesFile = CompanionFile(c.CurrentDataFile, ".LNA");
    const std::string addressesFile = CompanionFile(c.CurrentDataFile, ".LAD");
    const bool haveNames = PathExists(namesFile);
    const bool haveAddresses = PathExists(addressesFile);
    if (!haveNames && !haveAddresses)
        return;
    std::string reason;
    std::vector<std::string> names;
    std::vector<std::string> addresses;
    std::string data;
    int error = 0;
    for (const auto& [present, file, list] :
         {std::tuple{haveNames, namesFile, &names}, std::tuple{haveAddresses, addressesFile, &addresses}}) {
        if (!reason.empty())
            break;
        // The first line names both paths; the reason names the file alone.
        const std::string name = FileNameText(file.substr(FilePathOf(file).size()));
        if (!present)
            reason = "\"" + name + "\" fehlt";
        else if (!ReadCompanion(c, file, data, errorText, &error))
            reason = "\"" + name + "\" kann nicht gelesen werden (" + IoReasonText(error) + ")";
        else
            *list = ParseLenderFile(data);
    }
    if (reason.empty() && names.size() != addresses.size())
        reason =
            std::to_string(names.size()) + " Namen, aber " + std::to_string(addresses.size()) + " Adressen";
    if (!reason.empty()) {
        ui.warning(
            "Die Entleiher-Dateien \"" + FileNameText(namesFile) + "\" und \"" + FileNameText(addressesFile) +
            "\" passen nicht zusammen:\r\n" + reason +
            ".\r\n\r\nDie Entleiher werden daher nicht aus diesen Dateien geladen, damit kein Name eine "
            "falsche Adresse erhält."_cp);
        return;
    }
    c.LenderNames = std::move(names);
    c.LenderAddresses = std::move(addresses);
}

void LoadCompanions(Collection& c, const std::string& cassetteFile, std::string& errorText, UserDialogs& ui,
                    Progress& progress) {
    std::string data;
    if (FileExists(cassetteFile) && ReadCompanion(c, cassetteFile, data, errorText)) {
        ReadCassetteRecords(c, data, progress);
        if (c.ActError == 14)
            ui.warning("Die Cassetten-Datei \"" + FileNameText(cassetteFile) + "\" enthält mehr als "_cp +
                       std::to_string(MaxCassettes) + " Cassetten; nur die ersten " +
                       std::to_string(MaxCassettes) + " wurden geladen.\r\n" + ErrorText(14, {}));
    }
    LoadLenders(c, errorText, ui);
    MergeLenders(c);
}

// What a load starts from: the program-wide lists of the collection in use, no data yet.
Collection FreshForLoad(const Collection& c, const std::string& fileName) {
    Collection f;
    f.CategoryList = c.CategoryList;
    f.StorageMediaList = c.StorageMediaList;
    f.RatingTexts = c.RatingTexts;
    f.LenderNames = c.LenderNames;
    f.LenderAddresses = c.LenderAddresses;
    f.DataSaved = c.DataSaved;
    f.DataVerMain = c.DataVerMain;
    f.DataVerMinor = c.DataVerMinor;
    f.NetLock = c.NetLock;
    f.CurrentDataFile = fileName;
    return f;
}

std::string PartialLoadQuestion(const Collection& f, const std::string& fileName) {
    const std::string n = std::to_string(f.AnzFilm());
    const std::string what = f.ActError == 13
                                 ? "enthält mehr Filme, als eine Sammlung fassen kann; nur die ersten "_cp + n
                                 : "ist beschädigt; nur die ersten "_cp + n;
    return "Die Datei \"" + FileNameText(fileName) + "\" " + what +
           " Filme konnten gelesen werden.\r\n\r\nSollen diese " + n +
           " Filme als Sammlung ohne Dateinamen geöffnet werden? Sichern Sie sie dann mit "_cp +
           "\"Speichern unter...\" in einer neuen Datei.\r\n\r\n" +
           "Bei \"Nein\" bleiben die bisher geöffneten Daten unverändert."_cp;
}

std::string MisfitText(const TFilmV26& film, const FixedMisfit& m, int minor) {
    return "Der Film \"" + film.FilmName.Strng + "\" kann nicht im Format 2." + std::to_string(minor) +
           " gespeichert werden:\r\nDer Wert " + std::to_string(m.value) + " im Feld \"" + m.field +
           "\" passt nicht in dieses Format (erlaubt sind " + std::to_string(m.min) + " bis " +
           std::to_string(m.max) + ").\r\n\r\nACHTUNG: Die Daten wurden NICHT gespeichert!";
}

// A film whose values the chosen version cannot hold refuses the whole save.
bool CheckFilmsFit(Collection& c, int minor, const std::string& fileName, std::string& errorText,
                   UserDialogs& ui) {
    for (const TFilmV26& f : c.films()) {
        std::string message;
        if (minor <= 3) {
            if (const auto misfit = FindFixedMisfit(f, minor))
                message = MisfitText(f, *misfit, minor);
        } else if (TaggedRecordLength(f, minor) > INT32_MAX) {
            message = "Der Film \"" + f.FilmName.Strng +
                      "\" ist mit seinen Bildern zu groß für die Datendatei.\r\n\r\n"_cp +
                      "ACHTUNG: Die Daten wurden NICHT gespeichert!";
        }
        if (!message.empty()) {
            ui.error(message);
            c.ActError = 9;
            errorText = FileNameText(fileName);
            return false;
        }
    }
    return true;
}

std::string FailureText(const std::string& prefix, const std::string& file, int error) {
    return prefix + FileNameText(file) + " (" + IoReasonText(error) + ")";
}

// Completes a save that a crash interrupted, before the files are read or written again.
bool CompleteInterruptedSave(Collection& c, const std::string& fileName, std::string& errorText) {
    std::string file;
    if (const int error = RecoverReplace(JournalFileOf(fileName), file)) {
        c.ActError = 9;
        errorText = FailureText("", file, error);
        return false;
    }
    return true;
}

} // namespace

bool LoadFilmRecords(Collection& c, std::string_view data, const std::string& fileName,
                     std::string& errorText, UserDialogs& ui, Progress& progress) {
    RecognizedVersion v = RecognizeVersion(data);
    // Files of 2.0 to 2.2 have no header: the caller's version from the file name decides.
    if (!v.recognised && c.DataVerMinor >= 0 && c.DataVerMinor <= 2)
        v = RecognizedVersion{true, false, PrgVerMain, c.DataVerMinor};
    if (!v.recognised) {
        ui.error("Konnte Dateiformat NICHT erkennen!\r\nDaten werden nicht geladen!");
        return false;
    }
    if (v.main != PrgVerMain) {
        ui.error("Programm-Hauptversion entspricht nicht der Datenversion!\r\nDaten werden nicht geladen!");
        return false;
    }
    // A minor number that no version has (a later program's file) is no format this one knows.
    if (v.minor < OldestDataVersion || v.minor > NewestDataVersion) {
        ui.error("Konnte Dateiformat NICHT erkennen!\r\nDaten werden nicht geladen!");
        return false;
    }
    c.DataVerMain = v.main;
    c.DataVerMinor = v.minor;
    TraceLine("Persist: Load_Video_Data version " + VersionText(v.main, v.minor));
    if (v.minor != PrgVerMinor) {
        const std::string q = "Programmversion (" + VersionText(PrgVerMain, PrgVerMinor) + ") " +
                              "entspricht nicht der eingestellten Datenversion (" +
                              VersionText(v.main, v.minor) + ")!\r\nSollen die Daten aus " +
                              FileNameText(c.CurrentDataFile) +
                              " mit dem Daten-Filter für Daten der Version "_cp +
                              VersionText(v.main, v.minor) + " geladen werden?";
        if (ui.question(q, Buttons::YesNo) != Answer::Yes)
            return false;
    }
    RecordsRead result;
    if (v.minor <= 3) {
        result = ReadFixedFilms(c, data, v.minor, v.hasHeader, progress);
    } else {
        const std::size_t first = TaggedRecordsStart(data);
        if (first == std::string_view::npos)
            return Damaged(c, fileName, errorText);
        result = ReadTaggedFilms(c, data, first, v.minor, progress);
    }
    if (result == RecordsRead::Damaged)
        return Damaged(c, fileName, errorText);
    return result == RecordsRead::Ok;
}

bool Load_Video_Data(Collection& c, const std::string& fileName, std::string& errorText, UserDialogs& ui,
                     Progress& progress, bool* replaced) {
    TraceLine("Persist: Load_Video_Data [ENTRY] \"" + fileName +
              "\" DataVerMinor=" + std::to_string(c.DataVerMinor));
    if (replaced)
        *replaced = false;
    c.ActError = 0;
    errorText.clear();
    if (!Networking_OK(c, fileName, ui))
        return false;
    ProgressScope scope(progress);
    progress.start("Filmdaten werden geladen!", 0);
    std::string unfinished;
    if (const int error = RecoverReplace(JournalFileOf(fileName), unfinished)) {
        ui.error("Eine unterbrochene Sicherung von \"" + FileNameText(fileName) +
                 "\" konnte nicht abgeschlossen werden:\r\n" + FileNameText(unfinished) + " (" +
                 IoReasonText(error) + ")\r\n\r\nDaten werden nicht geladen!");
        return false;
    }
    if (!FileExists(fileName)) {
        c.ActError = PathExists(fileName) ? 27 : 1;
        errorText = FileNameText(fileName);
        TraceLine("Persist: Load_Video_Data [EXIT] file missing");
        return false;
    }
    // Everything is read into a collection of its own: a load that fails leaves the one in use as
    // it was, with its file name, so that a later save cannot write to a file that did not load.
    Collection fresh = FreshForLoad(c, fileName);
    const std::string cassetteFile = CompanionFile(fileName, ".CDT");
    if (!FileExists(cassetteFile)) {
        if (PathExists(cassetteFile))
            ui.warning("Die Cassetten-Daten-Datei \"" + FileNameText(cassetteFile) +
                       "\" ist keine Datei!\r\n\r\nKassotek versucht nun, zumindest die Filmdaten zu laden.");
        else
            ui.warning(MissingCassetteFileText(cassetteFile));
    }
    try {
        std::string data;
        int error = 0;
        bool ok = ReadWholeFile(fileName, data, error);
        if (!ok)
            Damaged(fresh, fileName, errorText);
        else
            ok = LoadFilmRecords(fresh, data, fileName, errorText, ui, progress);
        data = std::string();
        if (!ok) {
            c.ActError = fresh.ActError;
            const bool partial = (fresh.ActError == 3 || fresh.ActError == 13) && fresh.AnzFilm() > 0;
            if (partial && ui.question(PartialLoadQuestion(fresh, fileName), Buttons::YesNo) == Answer::Yes) {
                std::string companionError;
                fresh.CurrentDataFile = fileName;
                LoadCompanions(fresh, cassetteFile, companionError, ui, progress);
                fresh.CurrentDataFile.clear();
                fresh.DataSaved = false;
                fresh.ActError = c.ActError;
                c = std::move(fresh);
                if (replaced)
                    *replaced = true;
            }
            TraceLine("Persist: Load_Video_Data [EXIT] failed ActError=" + std::to_string(c.ActError));
            return false;
        }
        LoadCompanions(fresh, cassetteFile, errorText, ui, progress);
    } catch (const std::bad_alloc&) {
        c.ActError = 2;
        errorText.clear();
        TraceLine("Persist: Load_Video_Data [EXIT] out of memory");
        return false;
    }
    c = std::move(fresh);
    if (replaced)
        *replaced = true;
    TraceLine("Persist: Load_Video_Data [EXIT] AnzFilm=" + std::to_string(c.AnzFilm()) +
              " AnzCas=" + std::to_string(c.AnzCas()));
    return true;
}

bool Save_Video_Data(Collection& c, std::string& fileName, std::string& errorText, UserDialogs& ui,
                     Progress& progress) {
    TraceLine("Persist: Save_Video_Data [ENTRY] \"" + fileName +
              "\" DataVerMinor=" + std::to_string(c.DataVerMinor));
    if (fileName.empty()) {
        c.ActError = 16;
        errorText = "[1] Sichern";
        return false;
    }
    if (c.DataVerMinor != ActVer) {
        const std::string q = FileNameText(fileName) + " ist eine Datei der Version 2." +
                              std::to_string(c.DataVerMinor) + ". " + "Soll diese in das aktuelle Format 2." +
                              std::to_string(ActVer) + " übertragen werden?"_cp;
        if (ui.question(q, Buttons::YesNo, BoxKind::Warning) == Answer::Yes)
            c.DataVerMinor = ActVer;
        fileName = ChangeToVersionExt(fileName, c.DataVerMinor);
        if (PathExists(ExistingCaseVariant(fileName))) {
            ui.warning(
                "Eine Datei dieses Formats besteht offensichtlich schon!\r\nDaten werden NICHT gesichert!");
            TraceLine("Persist: Save_Video_Data [EXIT] converted name exists");
            return false;
        }
    }
    const int minor = c.DataVerMinor;
    if ((minor >= 3 && c.DataVerMain <= 1) || minor < OldestDataVersion || minor > NewestDataVersion) {
        ui.error(
            "Die Haupt-Datenversion ist NICHT auswertbar!\r\nMelden Sie das Problem bitte an den "
            "Programmierer "
            "(s. Info)\r\nund schicken Sie die aktuelle Kassotek-QBL-Datei mit!\r\n\r\nACHTUNG: Die Daten "
            "wurden NICHT gespeichert!");
        return false;
    }
    if (!CheckFilmsFit(c, minor, fileName, errorText, ui))
        return false;
    c.ActError = 0;
    errorText.clear();
    if (!CompleteInterruptedSave(c, fileName, errorText))
        return false;
    ProgressScope scope(progress);

    try {
        // All four files are made in memory, then replaced together with their backups.
        const std::string films = minor <= 3 ? FixedFileBytes(c, c.DataVerMain, minor, progress)
                                             : TaggedFileBytes(c, c.DataVerMain, minor, progress);
        const std::string cassetteFile = CompanionFile(fileName, ".CDT");
        progress.start("Cassettendaten werden gesichert!", c.AnzCas());
        const std::string cassettes = CassetteFileBytes(c);
        std::vector<FileReplacement> files{{fileName, films, CompanionFile(fileName, ".BKV"), 2},
                                           {cassetteFile, cassettes, CompanionFile(fileName, ".BKC"), 2}};
        // Borrower files carry no backup; an empty list leaves its file as it is. The addresses
        // always cover every name, so that the pairs survive the next load.
        std::string names;
        std::string addresses;
        if (!c.LenderNames.empty()) {
            std::vector<std::string> padded = c.LenderAddresses;
            if (padded.size() < c.LenderNames.size())
                padded.resize(c.LenderNames.size(), " ");
            names = LenderFileBytes(c.LenderNames);
            addresses = LenderFileBytes(padded);
            files.push_back({CompanionFile(fileName, ".LNA"), names, {}, 0});
            files.push_back({CompanionFile(fileName, ".LAD"), addresses, {}, 0});
        } else if (!c.LenderAddresses.empty()) {
            addresses = LenderFileBytes(c.LenderAddresses);
            files.push_back({CompanionFile(fileName, ".LAD"), addresses, {}, 0});
        }

        ReplaceFailure failure;
        if (!ReplaceFiles(files, JournalFileOf(fileName), failure)) {
            using Stage = ReplaceFailure::Stage;
            if (failure.stage == Stage::Backup) {
                c.ActError = 25;
                errorText = FailureText("", failure.file, failure.error);
            } else if (failure.stage == Stage::Commit) {
                c.ActError = 9;
                errorText = FailureText("", failure.file, failure.error);
            } else {
                c.ActError = 9;
                std::string prefix = "[5] ";
                if (failure.index == 0) {
                    const bool header = minor == 3 && failure.written < FixedRecordSize(3);
                    prefix = minor > 3 ? "" : header ? "[2] " : "[3] ";
                } else if (failure.index == 1) {
                    prefix = "[4] ";
                }
                errorText = FailureText(prefix, failure.file, failure.error);
            }
            TraceLine("Persist: Save_Video_Data [EXIT] not saved ActError=" + std::to_string(c.ActError));
            return false;
        }
        progress.step(c.AnzCas());
    } catch (const std::bad_alloc&) {
        ui.error("Nicht genug Arbeitsspeicher zum Sichern der Daten!\r\n\r\nACHTUNG: Die Daten wurden NICHT "
                 "gespeichert!");
        c.ActError = 9;
        errorText = FileNameText(fileName);
        return false;
    }
    c.DataSaved = true;
    TraceLine("Persist: Save_Video_Data [EXIT] saved");
    return true;
}

} // namespace kt
