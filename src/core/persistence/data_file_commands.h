#pragma once

#include <string>

namespace kt {

class Collection;
class Progress;
class UserDialogs;

// The entries of the open and save dialogs of the film data file, in their order; entry i (1 to 7)
// stands for data version i - 1. The last one is preselected.
constexpr int DataFileFilterCount = 7;
constexpr int DefaultDataFileFilter = 7;
struct DataFileFilter {
    const char* description;
    const char* pattern;
};
// Entry `index` (1 to 7); std::out_of_range otherwise.
const DataFileFilter& DataFileFilterAt(int index);
// The extension an entry stands for: ".VDT" for entry 1, ".VD1" to ".VD6" for the others.
std::string FilterExtension(int index);

// The questions of "Ö&ffnen..." after the user chose `fileName` with filter entry `filterIndex`:
// the suffix question, the version from the file name and the type question. Sets DataVerMinor
// for the load; false when the user stopped the command.
bool AcceptOpenChoice(Collection& c, const std::string& fileName, int filterIndex, UserDialogs& ui);

// The version question of the automatic load of CurrentDataFile at start. False when the user
// declined to load; otherwise DataVerMinor is the version the file name stands for.
bool AcceptAutoLoadVersion(Collection& c, UserDialogs& ui);

enum class SaveResult { Saved, Failed, SaveAsNeeded };
// "&Speichern": writes CurrentDataFile in the data version in use. SaveAsNeeded when there is no
// file to write to or the network lock refuses it; the caller then runs "Speichern &unter...".
// CurrentDataFile takes the name of a converted version only when that save succeeded.
SaveResult SaveCurrentDataFile(Collection& c, UserDialogs& ui, Progress& progress);

// "Speichern &unter..." after the user chose `chosen`: the checks and the version question, then the
// save; on success CurrentDataFile is the file written.
bool SaveDataFileAs(Collection& c, const std::string& chosen, UserDialogs& ui, Progress& progress);

} // namespace kt
