#include "exchange/text_export.h"

#include "catalogue/col_arrange.h"
#include "catalogue/value_texts.h"
#include "filmlist/film_list.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "persistence/file_access.h"
#include "persistence/network_lock.h"
#include "persistence/progress_ticker.h"
#include "persistence/save_transaction.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

namespace kt {

using namespace kt::literals;

namespace {

constexpr std::size_t LineNameWidth = 23;
const std::string Crlf = "\r\n";

std::string Labelled(const std::string& name, const std::string& value) {
    std::string line = name;
    if (line.size() < LineNameWidth)
        line.append(LineNameWidth - line.size(), ' ');
    return line + "= " + value + Crlf;
}

std::string YesNo(bool value) {
    return value ? "Ja" : "Nein";
}

std::string NumberLineName(int32_t storageType) {
    if (storageType == 0 || storageType == StVideo || storageType == StBought)
        return "Cassetten-Nummer";
    return storageType == StDvd ? "DVD-Nummer" : "CD-Nummer";
}

} // namespace

std::string TextExportQuestion(TextExportMode mode) {
    if (mode == TextExportMode::CurrentColumn)
        return "Es können nun die angezeigten(!) Datenzeilen und\r\ndie aktuelle Spalte in eine Textdatei "
               "exportiert werden.\r\n\r\nWeiter?"_cp;
    return "Es können nun die angezeigten(!) Datenzeilen und\r\n-spalten in eine Textdatei exportiert "
           "werden.\r\n\r\nWeiter?"_cp;
}

bool ListShowsFilms(const FilmList& list, UserDialogs& ui) {
    if (list.FilledRows() > 0)
        return true;
    ui.notice("Es werden keine Filme angezeigt; es wurde nichts exportiert.");
    return false;
}

std::string ExportTargetBusyText() {
    return "Auf die gewählte Datei wird scheinbar gerade von einem\r\nanderen Computer zugegriffen.\r\n"
           "Bitte, speichern Sie die Daten in einer anderen Datei!"_cp;
}

std::string ExportFailedText(const std::string& file, const std::string& reason) {
    std::string text = "Export nach " + FileNameText(file) + " ist fehlgeschlagen!";
    if (!reason.empty())
        text += "\r\n" + reason;
    return text;
}

std::string TextExportLine(const Collection& c, const TFilmV26& f, int entry) {
    switch (entry) {
    case ColTitle:
        return Labelled("Filmname", f.FilmName.Strng);
    case ColLength:
        return Labelled("Filmlänge (insg.)"_cp, std::to_string(f.FilmLength));
    case ColCasNr:
        return Labelled(NumberLineName(f.StorageType), std::to_string(f.CasNr));
    case ColPos:
        return Labelled("Position auf Cassette", std::to_string(f.PosOnCas));
    case ColCategory:
        return Labelled("Kategorie", f.Category.Strng);
    case ColDirector:
        return Labelled("Regisseur", f.Director.Strng);
    case ColCountry:
        return Labelled("Herstellungsland", f.Country.Strng);
    case ColYear:
        return f.ProdYear == 0 ? std::string() : Labelled("Herstellungsdatum", std::to_string(f.ProdYear));
    case ColTwoChannel:
        return Labelled("Zwei-Kanalton", YesNo(f.TwoChannel));
    case ColCommercials:
        return Labelled("Werbung", YesNo(f.Commercials));
    case ColRating:
        if (f.Rating < 0 || f.Rating >= static_cast<int32_t>(c.RatingTexts.size()))
            return {};
        return Labelled("persönliche Wertung"_cp, c.RatingTexts[static_cast<std::size_t>(f.Rating)]);
    case ColCard:
        return Labelled("Karte vorhanden", f.CatalogCard == 0   ? "ja"
                                           : f.CatalogCard == 1 ? "nein"
                                                                : "nicht geprüft"_cp);
    case ColStars:
        return Labelled("Stars", f.Stars.Strng);
    case ColContent:
        return Labelled("Inhalt", f.Content.Strng);
    case ColRemark:
        return Labelled("Bemerkung", f.Remark.Strng);
    case ColRecDate:
        return f.RecDate > 0.0 ? Labelled("Aufzeichnungsdatum", ShortDateText(f.RecDate)) : std::string();
    case ColLanguages:
        return Labelled("Sprache(n)", LanguagesText(f.Languages));
    case ColLentTo:
        return Labelled("Verliehen an", f.LentTo.Strng);
    case ColSound:
        return Labelled("Tonformat", SoundFormatText(f.SoundFormat));
    case ColPicture:
        return Labelled("Bildformat", PictureFormatText(f.PictureFormat));
    case ColFsk:
        return Labelled("FSK", FskText(f.Fsk));
    case ColRegion:
        return Labelled("DVD-Regionalcode", DvdRegionText(f.DvdRegion));
    case ColStorage:
        return Labelled("Speichermedium", StorageTypeText(c.StorageMediaList, f.StorageType));
    case ColDiscs:
        return Labelled("Anzahl CDs", std::to_string(f.AnzDiscs));
    case ColPics:
        return Labelled("Anzahl Bilder", std::to_string(f.AnzPics()));
    default:
        return {};
    }
}

std::string TextExportBytes(const Collection& c, const FilmList& list, TextExportMode mode, int currentColumn,
                            int selectionBottom, Progress* progress) {
    const bool columnMode = mode == TextExportMode::CurrentColumn;
    const int rows = list.RowCount() - 1;
    NoProgress silent;
    ProgressTicker tick(progress ? *progress : silent, "Filme werden exportiert!", rows);
    // The lines follow the grid's columns, so moved and hidden columns come out as the list shows
    // them, whichever column the title stands in.
    std::vector<int> attributes;
    if (columnMode) {
        attributes.push_back(list.ColumnAttribute(currentColumn));
    } else {
        for (int col = 0; col < list.ColCount(); ++col)
            attributes.push_back(list.ColumnAttribute(col));
    }
    const std::string stars = Crlf + std::string(47, '*') + Crlf + Crlf;
    std::string out;
    for (int row = 1; row <= rows; ++row) {
        tick(row);
        const int slot = list.FilmOfRow(row);
        if (slot < 1 || slot > c.AnzFilm())
            continue;
        const TFilmV26& film = c.Film(slot);
        if (!columnMode && row != selectionBottom)
            out += stars;
        std::string joined;
        for (int entry : attributes)
            if (entry >= 0)
                joined += TextExportLine(c, film, entry);
        if (columnMode && joined.size() >= 2)
            joined.resize(joined.size() - 2);
        out += joined;
        out += Crlf;
    }
    if (progress)
        progress->finish();
    return out;
}

bool ExportTextFile(Collection& c, const FilmList& list, TextExportMode mode, int currentColumn,
                    int selectionBottom, const std::string& file, UserDialogs& ui, Progress& progress) {
    TraceLine("Exchange: ExportTextFile [ENTRY] " + file);
    if (!Networking_OK(c, file, ui)) {
        ui.error(ExportTargetBusyText());
        return false;
    }
    const std::string bytes = TextExportBytes(c, list, mode, currentColumn, selectionBottom, &progress);
    const WriteOutcome w = WriteFileSafely(file, bytes);
    if (!w.ok) {
        ui.notice(ExportFailedText(file, IoReasonText(w.error)));
        TraceLine("Exchange: ExportTextFile [EXIT] failed");
        return false;
    }
    ui.information(std::to_string(list.FilledRows()) + " Filme wurden in " + FileNameText(file) +
                   " exportiert!");
    TraceLine("Exchange: ExportTextFile [EXIT]");
    return true;
}

} // namespace kt
