#pragma once

#include "model/dialogs.h"

#include <climits>
#include <cstdint>

namespace kt {

// Moves a progress bar over a range that may exceed int (bytes of a big file), about 200 times
// for the whole range rather than once per film.
class ProgressTicker {
public:
    ProgressTicker(Progress& progress, const std::string& text, int64_t max)
        : progress_(progress), scale_(max > INT_MAX ? max / INT_MAX + 1 : 1), stride_(max / 200 + 1) {
        progress_.start(text, static_cast<int>(max / scale_));
    }
    void operator()(int64_t pos) {
        if (pos < next_)
            return;
        progress_.step(static_cast<int>(pos / scale_));
        next_ = pos + stride_;
    }

private:
    Progress& progress_;
    int64_t scale_;
    int64_t stride_;
    int64_t next_ = 0;
};

} // namespace kt
