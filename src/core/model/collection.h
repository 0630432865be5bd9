#pragma once

#include "model/film.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

class UserDialogs;

constexpr int MaxFilms = 20000;
constexpr int MaxCassettes = 5000;
constexpr int MaxCategories = 100;
constexpr int PrgVerMain = 2;
constexpr int PrgVerMinor = 6;
constexpr int ActVer = 6;

// The network lock's program-wide values: the modification time of the semaphore file accepted
// last (-1.0 matches no file) and the folder of the semaphore file built last. Kept from program
// start to its end, not touched by New or a load.
struct NetLockState {
    double NetSemTime = -1.0;
    std::string SemDir;
};

// The one collection the program works on, with its program-wide values.
// Film and cassette slots count from 1, as everywhere in the program.
class Collection {
public:
    Collection();

    int AnzFilm() const { return static_cast<int>(films_.size()); }
    int AnzCas() const { return static_cast<int>(cassettes_.size()); }

    // Checked slot access (1-based); a slot outside the table throws std::out_of_range.
    TFilmV26& Film(int slot);
    const TFilmV26& Film(int slot) const;
    TCasRec& Cassette(int slot);
    const TCasRec& Cassette(int slot) const;

    std::vector<TFilmV26>& films() { return films_; }
    const std::vector<TFilmV26>& films() const { return films_; }
    std::vector<TCasRec>& cassettes() { return cassettes_; }
    const std::vector<TCasRec>& cassettes() const { return cassettes_; }

    // Appends a ready record (loaders, import); false with ActError 13 at the limit.
    // Unlike NewFilm it does not number the film: the caller does.
    bool appendFilm(TFilmV26 film);
    // Appends a cassette record as it stands; false with ActError 14 at the limit.
    bool appendCassette(const TCasRec& cas);

    // Removes film `slot`, moving the later films one slot down (numbers stay).
    void deleteFilm(int slot);
    void deleteCassette(int slot);
    void clearFilmsAndCassettes();

    // The data reset of program start and of the command New: films, cassettes, counters,
    // DataSaved, CurrentDataFile, SortedFilm and the borrower lists. Categories, media and
    // ratings stay.
    void resetData();

    uint16_t ActFilm = 0;
    std::vector<uint16_t> SortedFilm; // MaxFilms entries, 0 = unused
    TKategorie CategoryList;
    TSpeichermedium StorageMediaList;
    TWertung RatingTexts;
    std::vector<std::string> LenderNames;
    std::vector<std::string> LenderAddresses;
    bool DataSaved = true;
    std::string CurrentDataFile;
    uint8_t ActError = 0;
    int DataVerMain = PrgVerMain;
    int DataVerMinor = PrgVerMinor;
    int LastReportedBadCas = 0;
    NetLockState NetLock;

private:
    std::vector<TFilmV26> films_;
    std::vector<TCasRec> cassettes_;
};

TSpeichermedium DefaultStorageMedia();
TWertung DefaultRatingTexts();

// Code of storage medium `index` (counted from 0): 1 shl index; 0 beyond 31.
int32_t StorageTypeOfMedium(int index);

bool NewFilm(Collection& c, UserDialogs& ui);
bool NewCassette(Collection& c, UserDialogs& ui);

enum FilmDataError : int {
    ErrNoTitle = 1,
    ErrNoLength = 2,
    ErrNoCassette = 4,
    ErrBadPosition = 8,
};
int FilmDataErrors(const TFilmV26& film);

void AddCategoryToList(Collection& c, const std::string& text);
void Reset_SortedFilm(Collection& c);

// The user text of an ActError code, `name` put where the text names a file or step.
std::string ErrorText(int code, const std::string& name);

} // namespace kt
