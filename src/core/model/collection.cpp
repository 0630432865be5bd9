#include "model/collection.h"

#include "model/dialogs.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace kt {

using namespace literals;

Collection::Collection() : SortedFilm(MaxFilms, 0), StorageMediaList(DefaultStorageMedia()), RatingTexts(DefaultRatingTexts()) {}

TFilmV26& Collection::Film(int slot) {
    if (slot < 1 || slot > AnzFilm())
        throw std::out_of_range("Film slot " + std::to_string(slot));
    return films_[static_cast<std::size_t>(slot - 1)];
}

const TFilmV26& Collection::Film(int slot) const { return const_cast<Collection*>(this)->Film(slot); }

TCasRec& Collection::Cassette(int slot) {
    if (slot < 1 || slot > AnzCas())
        throw std::out_of_range("Cassette slot " + std::to_string(slot));
    return cassettes_[static_cast<std::size_t>(slot - 1)];
}

const TCasRec& Collection::Cassette(int slot) const { return const_cast<Collection*>(this)->Cassette(slot); }

bool Collection::appendFilm(TFilmV26 film) {
    if (AnzFilm() >= MaxFilms) {
        ActError = 13;
        return false;
    }
    films_.push_back(std::move(film));
    return true;
}

bool Collection::appendCassette(const TCasRec& cas) {
    if (AnzCas() >= MaxCassettes) {
        ActError = 14;
        return false;
    }
    cassettes_.push_back(cas);
    return true;
}

void Collection::deleteFilm(int slot) {
    Film(slot); // range check
    films_.erase(films_.begin() + (slot - 1));
}

void Collection::deleteCassette(int slot) {
    Cassette(slot);
    cassettes_.erase(cassettes_.begin() + (slot - 1));
}

void Collection::clearFilmsAndCassettes() {
    films_.clear();
    films_.shrink_to_fit();
    cassettes_.clear();
}

void Collection::resetData() {
    TraceLine("Ktk_Sys: ResetData [ENTRY]");
    clearFilmsAndCassettes();
    ActFilm = 0;
    DataSaved = true;
    CurrentDataFile.clear();
    SortedFilm.assign(MaxFilms, 0);
    LenderNames.clear();
    LenderAddresses.clear();
    TraceLine("Ktk_Sys: ResetData [EXIT]");
}

TSpeichermedium DefaultStorageMedia() {
    static const char* const names[] = {"Video-Cassette", "Kauf-Cassette", "DVD", "VCD", "SVCD", "DivX ;-)"};
    TSpeichermedium list;
    int nr = 0;
    for (const char* n : names)
        list.push_back({n, true, ++nr});
    return list;
}

TWertung DefaultRatingTexts() {
    return {"Kult", "Muß"_cp, "super", "fesselnd", "\"nett\"", "passabel", "grauenhaft"};
}

int32_t StorageTypeOfMedium(int index) {
    if (index < 0 || index > 31)
        return 0;
    return static_cast<int32_t>(1u << index);
}

bool NewFilm(Collection& c, UserDialogs& ui) {
    TraceLine("Ktk_Sys: NewFilm [ENTRY] AnzFilm=" + std::to_string(c.AnzFilm()));
    if (c.AnzFilm() >= MaxFilms) {
        c.ActError = 13;
        TraceLine("Ktk_Sys: NewFilm [EXIT] limit reached");
        return false;
    }
    try {
        int32_t highest = 0;
        for (const auto& f : c.films())
            highest = std::max(highest, f.FilmNr);
        TFilmV26 film;
        film.FilmNr = highest + 1;
        c.films().push_back(std::move(film));
    } catch (const std::bad_alloc&) {
        ui.error("Nicht genug Arbeitsspeicher für Erstellung eines neuen Films!"_cp);
        return false;
    }
    TraceLine("Ktk_Sys: NewFilm [EXIT] FilmNr=" + std::to_string(c.Film(c.AnzFilm()).FilmNr));
    return true;
}

bool NewCassette(Collection& c, UserDialogs& ui) {
    TraceLine("Ktk_Sys: NewCassette [ENTRY] AnzCas=" + std::to_string(c.AnzCas()));
    if (c.AnzCas() >= MaxCassettes) {
        c.ActError = 14;
        TraceLine("Ktk_Sys: NewCassette [EXIT] limit reached");
        return false;
    }
    int highest = 0;
    for (const auto& cas : c.cassettes())
        highest = std::max<int>(highest, cas.Nr);
    if (highest >= 0xFFFF) {
        // The number must fit the 16-bit field of the cassette file.
        ui.error("Keine weitere Cassettennummer frei (höchste Nummer 65535 erreicht)!"_cp);
        TraceLine("Ktk_Sys: NewCassette [EXIT] no number left");
        return false;
    }
    try {
        TCasRec cas;
        cas.Nr = static_cast<uint16_t>(highest + 1);
        c.cassettes().push_back(cas);
    } catch (const std::bad_alloc&) {
        ui.error("Nicht genug Arbeitsspeicher für Erstellung einer neuen Cassette!"_cp);
        return false;
    }
    TraceLine("Ktk_Sys: NewCassette [EXIT] Nr=" + std::to_string(highest + 1));
    return true;
}

int FilmDataErrors(const TFilmV26& film) {
    int errors = 0;
    if (!HasContent(film.FilmName.Strng))
        errors |= ErrNoTitle;
    if (film.StorageType == StVideo) {
        if (film.FilmLength == 0)
            errors |= ErrNoLength;
        if (film.CasNr == 0)
            errors |= ErrNoCassette;
        if (film.PosOnCas < 1 || film.PosOnCas > 30)
            errors |= ErrBadPosition;
    }
    return errors;
}

void AddCategoryToList(Collection& c, const std::string& text) {
    if (!HasContent(text))
        return;
    const std::string upper = UpperAZ(text);
    for (const auto& entry : c.CategoryList)
        if (UpperAZ(entry.Name) == upper)
            return;
    c.CategoryList.push_back({text, false, static_cast<int32_t>(c.CategoryList.size() + 1)});
    TraceLevelLine(4, "Ktk_Sys: AddCategoryToList \"" + text + "\"");
}

void Reset_SortedFilm(Collection& c) { c.SortedFilm.assign(MaxFilms, 0); }

std::string ErrorText(int code, const std::string& name) {
    const std::string q = "\"";
    switch (code) {
    case 1: return "Datei " + name + " nicht gefunden!";
    case 2: return "Nicht genug Speicher zum Laden der Daten!";
    case 3: return "Fehler beim Lesen aus " + name + "!";
    case 4: return "Nicht genug Speicher für's Sortieren der Daten."_cp;
    case 5: return "Nicht genug Speicher für neuen Datensatz."_cp;
    case 6: return "Nicht genug Speicher für neue Kategorie"_cp + name + ".";
    case 7: return "Kategorie " + name + " gibt es schon; sie wird NICHT noch mal angelegt.";
    case 8: return "Fehler beim Sortieren der " + name + ".";
    case 9: return "Fehler beim Speichern der Daten in " + name + ".";
    case 10: return "Keine Videodaten geladen.";
    case 11: return "Für diese Suchen-/Filtern-Einstellung wurden keine Videodaten gefunden."_cp;
    case 12: return "Fehler bei der Zuordnung der Datensätze!"_cp;
    case 13: return "Maximale Anzahl Filme pro Datei (" + std::to_string(MaxFilms) + ") erreicht. Neue Datei anlegen!";
    case 14:
        return "Maximale Anzahl Cassetten pro Datei (" + std::to_string(MaxCassettes) +
               ") erreicht. Neue Datei anlegen!";
    case 15: return "Maximale Anzahl Kategorien (" + std::to_string(MaxCategories) + ") erreicht.";
    case 16: return "Kein Dateiname angegeben. Vorgang " + q + name + q + " abgebrochen!";
    case 17: return "Zum Neuanlegen eines Filmeintrags den Menüeintrag "_cp + q + "Film | Neu" + q + " wählen."_cp;
    case 18: return "Zur Anzeige der Filmdaten nicht in die Titel- oder Filmnamenzeile klicken.";
    case 19: return "Konnte keine Kategorien aus " + name + " lesen.";
    case 20: return "Es wurde noch keine Cassette festgelegt!";
    case 21: return "Angegebene " + name + "länge ist größer als die Gesamtlänge."_cp;
    case 22: return "Angegebene " + name + "länge ist kleiner als Null."_cp;
    case 23: return "Angegebene Restlänge zzgl. Lochlänge ist größer als die Gesamtlänge."_cp;
    case 24: return "Angegebene Lochlänge zzgl. Restlänge ist größer als die Gesamtlänge."_cp;
    case 25:
        // A save reports which backup could not be made, and why.
        return name.empty() ? "Fehler beim Schreiben der Daten-Backupdatei."
                            : "Fehler beim Schreiben der Daten-Backupdatei " + name + ".";
    case 26: return "Fehler bei der Sub-Sortierung!";
    case 27: return name + " ist keine Datei!";
    default: return "Fehlernr. (" + std::to_string(code) + ") unbekannt!";
    }
}

} // namespace kt
