#include "catalog/Scale.h"

#include "ground/GlobalState.h"
#include "ground/ScreenMode.h"

#include <gtest/gtest.h>

#include <climits>

namespace qx {
namespace {

GlobalState StateFor(int width) {
    GlobalState state;
    ApplyScreenMode(state, ScreenModeForWidth(width));
    return state;
}

// Design values scale toward zero (not down) in every mode; the square flag
// scales heights like widths; values beyond the int range are pinned.
TEST(Scale, DesignValuesInEveryMode) {
    const GlobalState s640 = StateFor(640), s800 = StateFor(800), s1024 = StateFor(1024);
    EXPECT_EQ(ScaleRect(s800, 14, 64, 296, 352), (Rect{17, 81, 371, 450}));
    EXPECT_EQ(ScaleRect(s640, 14, 64, 296, 352), (Rect{14, 64, 296, 352}));
    EXPECT_EQ(ScaleRect(s1024, 14, 64, 296, 352), (Rect{22, 106, 477, 587}));
    EXPECT_EQ((std::vector<int>{ScaleX(s640, 628), ScaleX(s800, 628), ScaleX(s1024, 628), ScaleY(s800, 430),
                                ScaleY(s1024, 430), ScaleX(s800, -14), ScaleY(s800, -64), ScaleX(s1024, INT_MAX),
                                ScaleY(s1024, INT_MIN)}),
              (std::vector<int>{628, 788, 1012, 549, 718, -17, -81, INT_MAX, INT_MIN})); // 549.97, 718.1

    EXPECT_EQ(ScaleRectSquare(s1024, 10, 100, 20, 200, 1), (Rect{16, 161, 32, 322}));
    EXPECT_EQ(ScaleRectSquare(s1024, 10, 100, 20, 200, 0), (Rect{16, 167, 32, 334}));
    EXPECT_EQ(ScaleRect(s1024, 10, 100, 20, 200), (Rect{16, 167, 32, 334}));
    Rect r{1, 2, 3, 4};
    SetScaledRight(s1024, r, 628);
    EXPECT_EQ(r, (Rect{1, 2, 1012, 4}));
    EXPECT_EQ(ScaleRect(GlobalState{}, 5, 6, 7, 8), (Rect{0, 0, 0, 0})); // factors 0 before a mode is chosen
}

} // namespace
} // namespace qx
