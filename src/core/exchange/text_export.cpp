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

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace kt {

using namespace kt::literals;

namespace {

constexpr std::size_t LineNameWidth = 23;
const std::string Crlf = "\r\n";

void Labelled(std::string& out, std::string_view name, std::string_view value) {
    out += name;
    if (name.size() < LineNameWidth)
        out.append(LineNameWidth - name.size(), ' ');
    out += "= ";
    out += value;
    out += Crlf;
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

void AppendTextExportLine(std::string& out, const Collection& c, const TFilmV26& f, int entry) {
    switch (entry) {
    case ColTitle:
        return Labelled(out, "Filmname", f.FilmName.Strng);
    case ColLength:
        return Labelled(out, "Filmlänge (insg.)"_cp, std::to_string(f.FilmLength));
    case ColCasNr:
        return Labelled(out, NumberLineName(f.StorageType), std::to_string(f.CasNr));
    case ColPos:
        return Labelled(out, "Position auf Cassette", std::to_string(f.PosOnCas));
    case ColCategory:
        return Labelled(out, "Kategorie", f.Category.Strng);
    case ColDirector:
        return Labelled(out, "Regisseur", f.Director.Strng);
    case ColCountry:
        return Labelled(out, "Herstellungsland", f.Country.Strng);
    case ColYear:
        if (f.ProdYear != 0)
            Labelled(out, "Herstellungsdatum", std::to_string(f.ProdYear));
        return;
    case ColTwoChannel:
        return Labelled(out, "Zwei-Kanalton", YesNo(f.TwoChannel));
    case ColCommercials:
        return Labelled(out, "Werbung", YesNo(f.Commercials));
    case ColRating:
        if (f.Rating < 0 || f.Rating >= static_cast<int32_t>(c.RatingTexts.size()))
            return;
        return Labelled(out, "persönliche Wertung"_cp, c.RatingTexts[static_cast<std::size_t>(f.Rating)]);
    case ColCard:
        return Labelled(out, "Karte vorhanden",
                        f.CatalogCard == 0   ? "ja"
                        : f.CatalogCard == 1 ? "nein"
                                             : "nicht geprüft"_cp);
    case ColStars:
        return Labelled(out, "Stars", f.Stars.Strng);
    case ColContent:
        return Labelled(out, "Inhalt", f.Content.Strng);
    case ColRemark:
        return Labelled(out, "Bemerkung", f.Remark.Strng);
    case ColRecDate:
        if (f.RecDate > 0.0)
            Labelled(out, "Aufzeichnungsdatum", ShortDateText(f.RecDate));
        return;
    case ColLanguages:
        return Labelled(out, "Sprache(n)", LanguagesText(f.Languages));
    case ColLentTo:
        return Labelled(out, "Verliehen an", f.LentTo.Strng);
    case ColSound:
        return Labelled(out, "Tonformat", SoundFormatText(f.SoundFormat));
    case ColPicture:
        return Labelled(out, "Bildformat", PictureFormatText(f.PictureFormat));
    case ColFsk:
        return Labelled(out, "FSK", FskText(f.Fsk));
    case ColRegion:
        return Labelled(out, "DVD-Regionalcode", DvdRegionText(f.DvdRegion));
    case ColStorage:
        return Labelled(out, "Speichermedium", StorageTypeText(c.StorageMediaList, f.StorageType));
    case ColDiscs:
        return Labelled(out, "Anzahl CDs", std::to_string(f.AnzDiscs));
    case ColPics:
        return Labelled(out, "Anzahl Bilder", std::to_string(f.AnzPics()));
    default:
        return;
    }
}

std::string TextExportLine(const Collection& c, const TFilmV26& f, int entry) {
    std::string line;
    AppendTextExportLine(line, c, f, entry);
    return line;
}

namespace {

// The film slot of every listed row (0 for none), as FilmList::FilmOfRow finds it, the first film
// with the row's FilmNr, but with one pass over the films instead of one per row.
std::vector<int> SlotsOfRows(const Collection& c, const FilmList& list) {
    std::unordered_map<int32_t, int> slotOfNr;
    slotOfNr.reserve(static_cast<std::size_t>(c.AnzFilm()));
    for (int slot = 1; slot <= c.AnzFilm(); ++slot)
        slotOfNr.try_emplace(c.Film(slot).FilmNr, slot);
    std::vector<int> slots(static_cast<std::size_t>(list.RowCount()), 0);
    const int filled = std::min(list.FilledRows(), static_cast<int>(c.SortedFilm.size()));
    for (int row = 1; row <= filled && row < list.RowCount(); ++row) {
        const auto it = slotOfNr.find(c.SortedFilm[static_cast<std::size_t>(row) - 1]);
        slots[static_cast<std::size_t>(row)] = it == slotOfNr.end() ? 0 : it->second;
    }
    return slots;
}

} // namespace

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
    const std::vector<int> slots = SlotsOfRows(c, list);
    // Sized once from the grid's texts (the lines say nearly the same) plus names and stars.
    std::size_t size = 64;
    for (int row = 1; row <= rows; ++row) {
        size += 56;
        for (int col = 0; col < list.ColCount(); ++col)
            if (!columnMode || col == currentColumn)
                size += list.Cell(row, col).size() + 28;
    }
    std::string out;
    out.reserve(size + size / 8);
    for (int row = 1; row <= rows; ++row) {
        tick(row);
        const int slot = slots[static_cast<std::size_t>(row)];
        if (slot < 1 || slot > c.AnzFilm())
            continue;
        const TFilmV26& film = c.Film(slot);
        if (!columnMode && row != selectionBottom)
            out += stars;
        const std::size_t start = out.size();
        for (int entry : attributes)
            if (entry >= 0)
                AppendTextExportLine(out, c, film, entry);
        if (columnMode && out.size() - start >= 2)
            out.resize(out.size() - 2);
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
