#pragma once
// Per level of the area pages: the area file and picture name, kept across
// area pages for the way back up.

#include "FixedText.h"

#include <array>

namespace qx {

inline constexpr int kAreaLevels = 64;

struct AreaHistory {
    std::array<FixedText<128>, kAreaLevels> files;
    std::array<FixedText<128>, kAreaLevels> pictures;
    void Clear() {
        for (auto& f : files) {
            f.clear();
        }
        for (auto& p : pictures) {
            p.clear();
        }
    }
};

} // namespace qx
