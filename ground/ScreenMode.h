#pragma once
// The three screen layouts. Pages are designed on a 632 x 434 page and scaled
// with the factors of the mode, truncating toward zero.

#include "GlobalState.h"

namespace qx {

struct ScreenMode {
    int width;
    int height;
    double scaleX;
    double scaleY;
    Rect clientRect;
};

// 640 -> 640 x 480, 800 -> 800 x 600, anything else -> 1024 x 768.
ScreenMode ScreenModeForWidth(int widthValue);

// Fills screenWidth, screenHeight, scaleX, scaleY and clientRect (not the pictures).
void ApplyScreenMode(GlobalState& state, const ScreenMode& mode);

} // namespace qx
