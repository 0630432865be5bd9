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

// The options with which `list` (and the commands that output the list as it shows) choose,
// filter and order the films.
extern const std::vector<std::string> ListValued;
extern const std::vector<std::string> ListFlags;

// Applies them on top of the configuration's settings; false with a German message in `error`.
bool ApplyListOptions(const Options& opt, Settings& s, Collection& c, FilterSearch& fs, std::string& error);

} // namespace kt::cli
