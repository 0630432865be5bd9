#pragma once

#include "tool.h"

#include <string>
#include <vector>

namespace kt {
class Collection;
struct FilterSearch;
struct Settings;
} // namespace kt

namespace kt::cli {

// The filter and sort options of `list`, for every command that builds the list as it does.
extern const std::vector<std::string> ListValued;
extern const std::vector<std::string> ListFlags;
// Puts the options of `list` on top of the configuration's settings; false with a German message.
bool ApplyListOptions(const Options& opt, Settings& s, Collection& c, FilterSearch& fs, std::string& error);

} // namespace kt::cli
