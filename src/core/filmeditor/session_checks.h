#pragma once

#include "model/collection.h"

#include <string>

namespace kt {

class UserDialogs;

// A check the user may switch off for the rest of the program run; never stored.
enum class SessionCheck { NotAsked, On, Off };

// The film editor's switches that outlive one dialog.
struct FilmEditorSession {
    SessionCheck DuplicateNumberCheck = SessionCheck::NotAsked;
    SessionCheck TitleSimilarityCheck = SessionCheck::NotAsked;
};

enum SimilarityKind : int {
    SimilarOnAccept = 1, // a new film is accepted
    SimilarOnLeave = 2,  // the title field is left
};

// Asks about every film whose stripped upper-case title contains the stripped upper-case `title`
// or is contained in it; true when the title may be used (every question answered Yes, or the
// check is off). The film in slot `skipSlot` (the one being edited; 0 = none) is not compared,
// and neither a blank title nor films with a blank title find anything.
bool NoSimilarFilmFound(const Collection& c, FilmEditorSession& session, const std::string& title, int kind,
                        int skipSlot, UserDialogs& ui);

// The check of a disc number on leaving its field: when another non-cassette film carries
// `casNr`, asks (the first time whether to keep the check at all) and returns true when the user
// wants to change the number. `label` is the number's name as its label shows it ("DVD-Nr.").
bool DuplicateNumberToChange(const Collection& c, FilmEditorSession& session, int casNr, int actFilm,
                             const std::string& label, UserDialogs& ui);

} // namespace kt
