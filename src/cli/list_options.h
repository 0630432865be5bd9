#pragma once

#include "collection_io.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "tool.h"

#include <memory>
#include <string>
#include <vector>

namespace kt::cli {

// The filter and sort options of `list`, for every command that builds the list as it does.
extern const std::vector<std::string> ListValued;
extern const std::vector<std::string> ListFlags;
// Puts the options of `list` on top of the configuration's settings; false with a German message.
bool ApplyListOptions(const Options& opt, Settings& s, Collection& c, FilterSearch& fs, std::string& error);

// The collection, its settings with the options of `list` on top, and the rows as the window lists them.
struct ConfiguredList {
    ConfiguredCollection run;
    FilterSearch fs;
    std::unique_ptr<FilmList> list;
};
// Loads the first file argument and fills the list; ExitOk, or the exit code after the reason was printed.
int BuildConfiguredList(const Options& opt, const LoadOptions& load, UserDialogs& ui, ConfiguredList& out);

} // namespace kt::cli
