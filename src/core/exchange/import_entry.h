#pragma once

#include "catalogue/col_arrange.h"
#include "model/collection.h"
#include "model/dialogs.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// Characters the cutting removes in front of a field: blanks and control characters only, so that
// a field may start with "É", "€" or "ß".
bool IsBlankOrControl(char c);
// True when the text holds anything but blanks and control characters.
bool HasImportContent(std::string_view text);

// Cuts an import line into its fields at `separator`; fields keep trailing blanks, and an empty
// field still takes its number.
std::vector<std::string> CutImportLine(std::string_view line, char separator);

// The separator of an edit field's text: its first character after removing blanks and
// unprintable characters; `previous` when nothing is left.
char SeparatorOf(const std::string& text, char previous);

// The field numbers of the entries 0 to 23 (the pictures never take part): the message of the
// first rule they break (duplicates before gaps), empty when they may be stored.
constexpr int ImportCheckedEntries = ColCount - 1;
std::string CheckImportPositions(const std::array<int32_t, ImportCheckedEntries>& positions);

// A number field: blanks and unprintable characters removed, the first "," taken as the decimal
// point, truncated toward zero; 0 when the text is no number or does not fit 32 bits.
int32_t ImportNumber(const std::string& field);
// A date field read as dd.mm.yyyy (also d.m.yy); 0 when it is none.
double ImportDate(const std::string& field);

// Creates films from import lines or fields, one film per call, as the catalogue's field numbers
// (ImportPos) say.
class ImportRun {
public:
    // `mediumAdded` is told the index of every storage medium the import appends.
    ImportRun(Collection& c, const ColArrange& columns, UserDialogs& ui,
              std::function<void(int)> mediumAdded = {});

    // Cuts `line` at `separator` and fills a new film from it. False only when no new film could
    // be created (the table is full); the user has been told then.
    bool ImportEntry(const std::string& line, char separator);
    bool ImportFields(const std::vector<std::string>& fields);

    // Films created so far, and whether one of them lies on a video cassette.
    int created() const { return created_; }
    bool storedVideoFilm() const { return storedVideo_; }

private:
    void store(TFilmV26& film, int entry, const std::string& field);
    int32_t storageTypeOf(const std::string& field);

    Collection& c_;
    UserDialogs& ui_;
    std::function<void(int)> mediumAdded_;
    // The value texts as the comparisons need them, made once.
    struct Keys {
        std::vector<std::string> ratings, cards, sounds, pictures, fsks, regions, languages, media;
    };
    Keys keys_;
    // The first catalogue entry of every field number (index = field number).
    std::vector<int> entryOfField_;
    int32_t highestNr_ = 0;
    int created_ = 0;
    bool storedVideo_ = false;
};

} // namespace kt
