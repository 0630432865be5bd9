#include "persistence/film_data_file.h"

#include "model/collection.h"
#include "model/dialogs.h"
#include "persistence/companion_files.h"
#include "persistence/data_version.h"
#include "persistence/file_access.h"
#include "persistence/fixed_records.h"
#include "persistence/network_lock.h"
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
bool ReadCompanion(Collection& c, const std::string& file, std::string& data, std::string& errorText) {
    int error = 0;
    if (ReadWholeFile(file, data, error))
        return true;
    c.ActError = 3;
    errorText = FileNameText(file);
    TraceLine("Persist: ReadCompanion [ERROR] \"" + file + "\" errno=" + std::to_string(error));
    return false;
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
    const std::string names = CompanionFile(c.CurrentDataFile, ".LNA");
    if (FileExists(names) && ReadCompanion(c, names, data, errorText))
        c.LenderNames = ParseLenderFile(data);
    const std::string addresses = CompanionFile(c.CurrentDataFile, ".LAD");
    if (FileExists(addresses) && ReadCompanion(c, addresses, data, errorText))
        c.LenderAddresses = ParseLenderFile(data);
    MergeLenders(c);
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

WriteOutcome WriteWithBackup(const std::string& file, const std::string& backupExt,
                             const std::string& bytes) {
    const std::string backup = CompanionFile(file, backupExt);
    return WriteFileSafely(file, bytes, [&] { MakeBackupFile(file, backup, true, 2); });
}

std::string FailureText(const std::string& prefix, const std::string& file, const WriteOutcome& w) {
    return prefix + FileNameText(file) + " (" + IoReasonText(w.error) + ")";
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
                              FileNameText(c.CurrentDataFile) + " mit dem Daten-Filter für Daten der Version "_cp +
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
                     Progress& progress) {
    TraceLine("Persist: Load_Video_Data [ENTRY] \"" + fileName +
              "\" DataVerMinor=" + std::to_string(c.DataVerMinor));
    c.ActError = 0;
    errorText.clear();
    if (!Networking_OK(c, fileName, ui))
        return false;
    ProgressScope scope(progress);
    progress.start("Filmdaten werden geladen!", 0);
    if (!FileExists(fileName)) {
        c.ActError = 1;
        errorText = FileNameText(fileName);
        TraceLine("Persist: Load_Video_Data [EXIT] file missing");
        return false;
    }
    c.CurrentDataFile = fileName;
    const std::string cassetteFile = CompanionFile(fileName, ".CDT");
    if (!FileExists(cassetteFile))
        ui.warning(MissingCassetteFileText(cassetteFile));
    c.clearFilmsAndCassettes();
    c.ActFilm = 0;
    try {
        std::string data;
        int error = 0;
        if (!ReadWholeFile(fileName, data, error))
            return Damaged(c, fileName, errorText);
        if (!LoadFilmRecords(c, data, fileName, errorText, ui, progress))
            return false;
        data = std::string();
        LoadCompanions(c, cassetteFile, errorText, ui, progress);
    } catch (const std::bad_alloc&) {
        c.ActError = 2;
        errorText.clear();
        TraceLine("Persist: Load_Video_Data [EXIT] out of memory");
        return false;
    }
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
        const std::string q = FileNameText(fileName) + " ist eine Datei der Version 2." + std::to_string(c.DataVerMinor) +
                              ". " + "Soll diese in das aktuelle Format 2." + std::to_string(ActVer) +
                              " übertragen werden?"_cp;
        if (ui.question(q, Buttons::YesNo, BoxKind::Warning) == Answer::Yes)
            c.DataVerMinor = ActVer;
        fileName = ChangeToVersionExt(fileName, c.DataVerMinor);
        if (FileExists(ExistingCaseVariant(fileName))) {
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
    ProgressScope scope(progress);

    bool result = false;
    try {
        const std::string bytes = minor <= 3 ? FixedFileBytes(c, c.DataVerMain, minor, progress)
                                             : TaggedFileBytes(c, c.DataVerMain, minor, progress);
        const WriteOutcome films = WriteWithBackup(fileName, ".BKV", bytes);
        if (!films.ok) {
            // Nothing else is written: the old films and cassettes stay a matching pair.
            const bool header = minor == 3 && films.written < FixedRecordSize(3);
            const std::string prefix = minor > 3 ? "" : header ? "[2] " : "[3] ";
            c.ActError = 9;
            errorText = FailureText(prefix, fileName, films);
            TraceLine("Persist: Save_Video_Data [EXIT] film data not written");
            return false;
        }

        const std::string cassetteFile = CompanionFile(fileName, ".CDT");
        progress.start("Cassettendaten werden gesichert!", c.AnzCas());
        const WriteOutcome cassettes = WriteWithBackup(cassetteFile, ".BKC", CassetteFileBytes(c));
        progress.step(c.AnzCas());
        if (!cassettes.ok) {
            c.ActError = 9;
            errorText = FailureText("[4] ", cassetteFile, cassettes);
        }
        if (c.ActError == 0) {
            c.DataSaved = true;
            result = true;
        }

        // Borrower files carry no backup; an empty list leaves its file as it is.
        const std::pair<const std::vector<std::string>*, const char*> lenders[] = {
            {&c.LenderNames, ".LNA"}, {&c.LenderAddresses, ".LAD"}};
        for (const auto& [list, ext] : lenders) {
            if (list->empty())
                continue;
            const std::string file = CompanionFile(fileName, ext);
            const WriteOutcome w = WriteFileSafely(file, LenderFileBytes(*list));
            if (!w.ok && c.ActError == 0) {
                c.ActError = 9;
                errorText = FailureText(std::string("[5] "), file, w);
                result = false;
            }
        }
    } catch (const std::bad_alloc&) {
        ui.error("Nicht genug Arbeitsspeicher zum Sichern der Daten!\r\n\r\nACHTUNG: Die Daten wurden NICHT "
                 "gespeichert!");
        c.ActError = 9;
        errorText = FileNameText(fileName);
        return false;
    }
    TraceLine("Persist: Save_Video_Data [EXIT] result=" + std::to_string(result) +
              " ActError=" + std::to_string(c.ActError));
    return result;
}

} // namespace kt
