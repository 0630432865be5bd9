#pragma once

#include "model/collection.h"

#include <string>
#include <vector>

namespace kt {

// The number of an input field: blanks and unprintable characters removed, empty -> 0, otherwise
// the integer (0 when the text is none).
int FieldNumber(const std::string& text);
// The same, with `empty` for an empty field and `invalid` for a text that is not a number.
int FieldNumberOr(const std::string& text, int empty, int invalid);

// The first item (list order) whose upper-case text starts with the upper-case `typed`; -1 when
// none does or `typed` holds nothing.
int CompletionIndex(const std::vector<std::string>& items, const std::string& typed);

// The number proposed for a new film on any medium other than the video cassette: one above the
// highest CasNr of those films (they share one numbering); 0 when there is none.
int SuggestedDiscNumber(const Collection& c);

// True when a film other than slot `actFilm` with a storage type above 1 carries `casNr`.
bool OtherFilmWithNumber(const Collection& c, int casNr, int actFilm);

// The advertising mark on leaving the total length: a video cassette whose total length is given
// and differs from the net length (stripped texts).
bool CommercialsByLengths(int mediumIndex, const std::string& total, const std::string& net);
// True when both lengths are given and the net length is the larger.
bool NetLongerThanTotal(const std::string& total, const std::string& net);

enum class LengthRefusal {
    None,
    ExceedsRest, // the last film of its tape grows beyond the cassette's rest
    FilmsBehind, // films follow it on the tape, so it cannot grow
};
// The check of a new total length of the stored video-cassette film `stored` that stays on its
// cassette; a film on any other medium, a shorter or equal length and a missing cassette pass.
LengthRefusal CheckEditedLength(const Collection& c, const TFilmV26& stored, int newLength);
std::string LengthRefusalText(LengthRefusal refusal);
// "Netto-Filmlänge kann nicht größer ..." naming the field that is emptied.
std::string NetLengthText(bool totalEmptied);

// The question for an unrealistic production year (below 1900 or after `currentYear`); empty when
// the year is realistic or the text holds none.
std::string YearQuestion(const std::string& yearText, int currentYear);

enum class FitOutcome {
    NotChecked, // nothing to check: the state stays as it was
    DoesNotFit,
    Fits,
};
struct FitResult {
    FitOutcome outcome = FitOutcome::NotChecked;
    int exceeded = 0; // minutes beyond the cassette's rest when it does not fit
};
// Whether a film of `length` minutes (-1 = the field is empty) fits on cassette number `casNr`.
// `stored` is the film being edited (nullptr for a new one); a film that stays on the cassette it
// is stored on, a medium other than the video cassette (`mediumIndex` 0) and a missing cassette
// are not checked. The film fits when the rest or the gap takes it.
FitResult CassetteFit(const Collection& c, const TFilmV26* stored, int mediumIndex, int casNr, int length);
std::string DoesNotFitText(int exceeded);

} // namespace kt
