#include "filmlist/storage_media.h"

#include "filter/filter_search.h"
#include "model/collection.h"
#include "settings/settings.h"

#include <charconv>

namespace kt {

bool StorageTypeContained(int32_t storageType, int32_t storageTypeShow) {
    return (storageType & storageTypeShow) == storageType;
}

bool StorageTypeListed(const Settings& s, const FilterSearch& fs, int32_t storageType) {
    if (s.OverrideStorageTypeShow)
        return true;
    if (fs.SearchAllStorageTypes && fs.SearchIsActive())
        return true;
    return StorageTypeContained(storageType, s.StorageTypeShow);
}

int32_t StorageTypeShowOfChecks(const std::vector<bool>& checked) {
    int32_t mask = 0;
    for (std::size_t i = 0; i < checked.size(); ++i)
        if (checked[i])
            mask |= StorageTypeOfMedium(static_cast<int>(i));
    return mask;
}

bool MediumChecked(int32_t storageTypeShow, int index) {
    const int32_t bit = StorageTypeOfMedium(index);
    return bit != 0 && (storageTypeShow & bit) != 0;
}

void SetStorageTypeShow(int32_t& storageTypeShow, TSpeichermedium& media, int32_t mask) {
    storageTypeShow = mask;
    for (std::size_t i = 0; i < media.size(); ++i)
        media[i].Selected = MediumChecked(mask, static_cast<int>(i));
}

std::string MediumItemCaption(int index, const std::string& name) {
    return std::to_string(index) + " " + name;
}

int MediumNumberOfCaption(const std::string& caption) {
    std::string digits;
    for (char ch : caption) {
        if (ch == ' ')
            break;
        if (ch != '&')
            digits += ch;
    }
    int value = -1;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size())
        return -1;
    return value;
}

} // namespace kt
