#pragma once

#include "model/collection.h"

#include <string>
#include <vector>

namespace kt {

class UserDialogs;

// The film editor's modes (the program-wide Bearbeiten while it is open).
enum FilmEditMode : int {
    ModeEdit = 1,
    ModeView = 3,
    ModeNew = 4,
};

// More media than this have no storage-type bit of their own.
constexpr int MaxStorageMedia = 32;

// The item of `text` among the first MaxStorageMedia media, letter case ignored; -1 when none.
int FindStorageMedium(const TSpeichermedium& media, const std::string& text);
// Appends a medium of that name (shown, Nr = the new length) and adds its bit to
// `storageTypeShow`; returns its index. Refused with an error box, returning -1, when
// MaxStorageMedia media exist already or the name holds nothing.
int AddStorageMedium(TSpeichermedium& media, int32_t& storageTypeShow, const std::string& name,
                     UserDialogs& ui);

// What the picture pages hand over: new pictures when any was added or deleted, otherwise new
// titles for the kept pictures when any was edited (in picture order).
struct PictureEdit {
    bool picsChanged = false;
    std::vector<TPicRec> pics;
    bool titlesChanged = false;
    std::vector<std::string> titles;
};

// True when the fields that count as a change of a film differ (recording date, film number and
// the pictures themselves are not compared).
bool FilmFieldsDiffer(const TFilmV26& a, const TFilmV26& b);

enum class StoreOutcome {
    Stored, // the film is in the table and booked on its cassette
    NotFit, // the booking would overfill the cassette: nothing stored, message shown
    Failed, // no film could be created, or a cassette field would overflow: nothing stored
};
struct StoreResult {
    StoreOutcome outcome = StoreOutcome::Failed;
    bool changed = false; // the stored film differs from what was there before
};

// Stores the working record: a new film is appended first (mode ModeNew, ActFilm becomes it),
// the film is released from its old cassette place and booked on the new one, its pictures are
// kept unless `pics` says otherwise. A change clears DataSaved. All or nothing: on any outcome but
// Stored the film table, ActFilm and the cassettes are as before.
StoreResult StoreFilm(Collection& c, int mode, const TFilmV26& working, const PictureEdit& pics,
                      UserDialogs& ui);

} // namespace kt
