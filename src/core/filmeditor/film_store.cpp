#include "filmeditor/film_store.h"

#include "cassettes/cassette_book.h"
#include "cassettes/cassette_check.h"
#include "cassettes/cassette_lookup.h"
#include "model/dialogs.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <tuple>

namespace kt {

using namespace literals;

int FindStorageMedium(const TSpeichermedium& media, const std::string& text) {
    const std::string wanted = UpperAZ(text);
    const std::size_t n = media.size() < MaxStorageMedia ? media.size() : MaxStorageMedia;
    for (std::size_t i = 0; i < n; ++i)
        if (UpperAZ(media[i].Name) == wanted)
            return static_cast<int>(i);
    return -1;
}

int AddStorageMedium(TSpeichermedium& media, int32_t& storageTypeShow, const std::string& name,
                     UserDialogs& ui) {
    if (!HasContent(name)) {
        ui.error("Bitte geben Sie ein Speichermedium an!");
        return -1;
    }
    if (media.size() >= MaxStorageMedia) {
        ui.error("Das Speichermedium \""_cp + name + "\" kann nicht angelegt werden:\r\nEs gibt bereits " +
                 std::to_string(MaxStorageMedia) +
                 " Speichermedien, und mehr kann Kassotek nicht unterscheiden.\r\n\r\nBitte wählen Sie eines "
                 "der vorhandenen Speichermedien."_cp);
        return -1;
    }
    const int index = static_cast<int>(media.size());
    media.push_back({name, true, index + 1});
    storageTypeShow |= StorageTypeOfMedium(index);
    TraceLine("Ktk_FEd: AddStorageMedium \"" + name + "\" index=" + std::to_string(index));
    return index;
}

bool FilmFieldsDiffer(const TFilmV26& a, const TFilmV26& b) {
    const auto fields = [](const TFilmV26& f) {
        return std::tie(f.FilmName, f.ProdYear, f.FilmLength, f.NetLength, f.Stars, f.Director, f.Content,
                        f.Remark, f.CasNr, f.PosOnCas, f.Category, f.Country, f.TwoChannel, f.Commercials,
                        f.Rating, f.CatalogCard, f.StorageType, f.LendStatus, f.AnzDiscs, f.LentTo,
                        f.LenderAddress, f.Languages, f.SoundFormat, f.PictureFormat, f.DvdRegion, f.Fsk);
    };
    return fields(a) != fields(b);
}

namespace {

// The list position of the cassette a video-cassette film is booked on; 0 when it is not booked.
int BookedCassette(const Collection& c, const TFilmV26& f) {
    if (f.StorageType != StVideo || f.CasNr == 0 || f.PosOnCas > MaxPosOnCas)
        return 0;
    const int pos = FindCassette(c, f.CasNr);
    return pos > 0 ? pos : 0;
}

bool Consistent(const Collection& c, int pos) {
    return CassetteConsistent(c.Cassette(pos), CassetteFilmSum(c, c.Cassette(pos).Nr));
}

} // namespace

StoreResult StoreFilm(Collection& c, int mode, const TFilmV26& working, const PictureEdit& pics,
                      UserDialogs& ui) {
    TraceLine("Ktk_FEd: GetValues [ENTRY] mode=" + std::to_string(mode) +
              " ActFilm=" + std::to_string(c.ActFilm));
    StoreResult result;
    const uint16_t previousActFilm = c.ActFilm;
    const bool created = mode == ModeNew;
    if (created) {
        if (!NewFilm(c, ui)) {
            ui.error("Konnte neuen Filmeintrag nicht anlegen.");
            TraceLine("Ktk_FEd: GetValues [EXIT] no new film");
            return result;
        }
        c.ActFilm = static_cast<uint16_t>(c.AnzFilm());
    }
    const int slot = c.ActFilm;
    const auto undo = [&] {
        if (created)
            c.deleteFilm(slot);
        c.ActFilm = previousActFilm;
    };

    const TFilmV26 backup = c.Film(slot);
    TFilmV26 edited = working;
    if (pics.picsChanged) {
        edited.Pics = pics.pics;
    } else {
        edited.Pics = backup.Pics;
        if (pics.titlesChanged)
            for (std::size_t k = 0; k < edited.Pics.size() && k < pics.titles.size(); ++k)
                edited.Pics[k].PicText.Strng = pics.titles[k];
    }

    // The booking clamps at 0 when the film does not fit where it was put; such a place is refused
    // instead, unless the cassette was out of balance already.
    const int target = BookedCassette(c, edited);
    const bool targetWasConsistent = target > 0 && Consistent(c, target);
    const std::vector<TCasRec> cassettesBefore = c.cassettes();
    if (!RebookFilm(c, slot, edited, mode == ModeEdit, ui)) {
        undo();
        TraceLine("Ktk_FEd: GetValues [EXIT] booking refused");
        return result;
    }
    if (targetWasConsistent && !Consistent(c, target)) {
        c.Film(slot) = backup;
        c.cassettes() = cassettesBefore;
        undo();
        ui.error(
            "Film paßt NICHT auf die gewählte Cassette!\r\n\r\nAn der gewählten Position ist nicht genug "
            "Platz frei:\r\nhinter dem letzten Film zählt die Restlänge, in einer Lücke die Lochlänge der "
            "Cassette."_cp);
        result.outcome = StoreOutcome::NotFit;
        TraceLine("Ktk_FEd: GetValues [EXIT] does not fit");
        return result;
    }

    result.outcome = StoreOutcome::Stored;
    result.changed = FilmFieldsDiffer(backup, c.Film(slot)) || pics.picsChanged || pics.titlesChanged;
    if (result.changed)
        c.DataSaved = false;
    TraceLine("Ktk_FEd: GetValues [EXIT] slot=" + std::to_string(slot) +
              " changed=" + std::to_string(result.changed));
    return result;
}

} // namespace kt
