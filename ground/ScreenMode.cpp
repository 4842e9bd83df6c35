#include "ScreenMode.h"

namespace qx {

ScreenMode ScreenModeForWidth(int widthValue) {
    if (widthValue == 640)
        return {640, 480, 1.0, 1.0, {0, 0, 628, 430}};
    if (widthValue == 800)
        return {800, 600, 1.255, 1.279, {0, 0, 788, 550}};
    return {1024, 768, 1.6115, 1.67, {0, 0, 1012, 718}};
}

void ApplyScreenMode(GlobalState& state, const ScreenMode& mode) {
    state.screenWidth = mode.width;
    state.screenHeight = mode.height;
    state.scaleX = mode.scaleX;
    state.scaleY = mode.scaleY;
    state.clientRect = mode.clientRect;
}

} // namespace qx
