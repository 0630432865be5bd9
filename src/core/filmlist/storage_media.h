#pragma once

#include "model/film.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

struct Settings;
struct FilterSearch;

// A film is shown when its storage type lies inside the mask: (type AND mask) = type.
bool StorageTypeContained(int32_t storageType, int32_t storageTypeShow);

// The storage-medium test of the list building. It is skipped while the override option is set,
// and for a search over all media while that search is active.
bool StorageTypeListed(const Settings& s, const FilterSearch& fs, int32_t storageType);

// StorageTypeShow of the selector's check marks: the OR of 1 shl i over the checked items i.
// Media beyond the 32nd have no bit and never count.
int32_t StorageTypeShowOfChecks(const std::vector<bool>& checked);

// The check mark of selector item i for a mask.
bool MediumChecked(int32_t storageTypeShow, int index);

// Sets the mask and every medium's Selected flag to its bit, so that both always agree.
void SetStorageTypeShow(int32_t& storageTypeShow, TSpeichermedium& media, int32_t mask);

// Caption of a mirror menu item: the medium number, a blank and its name.
std::string MediumItemCaption(int index, const std::string& name);
// The medium number of such a caption (the digits before the first blank, "&" ignored); -1 when
// there is none.
int MediumNumberOfCaption(const std::string& caption);

} // namespace kt
