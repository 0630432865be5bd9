#pragma once

#include <string>

namespace kt {

class Collection;
class FilmList;
class Progress;
class UserDialogs;
struct TFilmV26;

enum class TextExportMode {
    AllColumns,    // one block of labelled lines per film
    CurrentColumn, // one line per film: the attribute of the current grid column
};

// The question before a text export; Yes goes on.
std::string TextExportQuestion(TextExportMode mode);
// True when the list shows at least one film; otherwise says that nothing is exported.
bool ListShowsFilms(const FilmList& list, UserDialogs& ui);
// "Export nach FILE ist fehlgeschlagen!" with the reason on a second line when there is one.
std::string ExportFailedText(const std::string& file, const std::string& reason = {});

// The error shown when another computer seems to use the chosen file.
std::string ExportTargetBusyText();

// The labelled line of catalogue entry `entry` (0..24) of a film: the line name padded with
// blanks to 23 characters, "= ", the value and CR LF. Empty when the attribute is left out
// (no year, a rating outside the rating texts, no recording date).
std::string TextExportLine(const Collection& c, const TFilmV26& film, int entry);
// The same line appended to `out` (nothing when it is left out).
void AppendTextExportLine(std::string& out, const Collection& c, const TFilmV26& film, int entry);

// The text file of the listed rows 1 .. RowCount()-1, Windows-1252 with CR LF. In AllColumns mode
// every shown column gives its line in grid order and each block but the one of row
// `selectionBottom` starts with a line of asterisks; in CurrentColumn mode each film gives the
// labelled line of grid column `currentColumn` (empty when left out), one line per film.
std::string TextExportBytes(const Collection& c, const FilmList& list, TextExportMode mode, int currentColumn,
                            int selectionBottom, Progress* progress = nullptr);

// Writes the text export to `file` after the file was chosen: the network check, the file
// (complete in a temporary file, then renamed) and the messages. False when nothing was written.
bool ExportTextFile(Collection& c, const FilmList& list, TextExportMode mode, int currentColumn,
                    int selectionBottom, const std::string& file, UserDialogs& ui, Progress& progress);

} // namespace kt
