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

TEST(Scale, DesignValuesTruncateTowardZeroInEveryMode) {
    const GlobalState s640 = StateFor(640);
    const GlobalState s800 = StateFor(800);
    const GlobalState s1024 = StateFor(1024);

    EXPECT_EQ(ScaleRect(s800, 14, 64, 296, 352), (Rect{17, 81, 371, 450}));
    EXPECT_EQ(ScaleRect(s640, 14, 64, 296, 352), (Rect{14, 64, 296, 352}));
    EXPECT_EQ(ScaleRect(s1024, 14, 64, 296, 352), (Rect{22, 106, 477, 587}));

    EXPECT_EQ(ScaleX(s640, 628), 628);
    EXPECT_EQ(ScaleX(s800, 628), 788);
    EXPECT_EQ(ScaleX(s1024, 628), 1012);
    EXPECT_EQ(ScaleY(s800, 430), 549);  // 549.97
    EXPECT_EQ(ScaleY(s1024, 430), 718); // 718.1

    // Toward zero, not down.
    EXPECT_EQ(ScaleX(s800, -14), -17);
    EXPECT_EQ(ScaleY(s800, -64), -81);
}

TEST(Scale, SquareFlagScalesHeightsLikeWidths) {
    const GlobalState s = StateFor(1024);
    EXPECT_EQ(ScaleRectSquare(s, 10, 100, 20, 200, 1), (Rect{16, 161, 32, 322}));
    EXPECT_EQ(ScaleRectSquare(s, 10, 100, 20, 200, 0), (Rect{16, 167, 32, 334}));
    EXPECT_EQ(ScaleRectSquare(s, 10, 100, 20, 200, 0), ScaleRect(s, 10, 100, 20, 200));

    Rect r{1, 2, 3, 4};
    SetScaledRight(s, r, 628);
    EXPECT_EQ(r, (Rect{1, 2, 1012, 4}));
}

TEST(Scale, ValuesBeyondTheIntRangeArePinned) {
    const GlobalState s = StateFor(1024);
    EXPECT_EQ(ScaleX(s, INT_MAX), INT_MAX);
    EXPECT_EQ(ScaleY(s, INT_MIN), INT_MIN);
    GlobalState zero; // factors 0 before a screen mode is chosen
    EXPECT_EQ(ScaleRect(zero, 5, 6, 7, 8), (Rect{0, 0, 0, 0}));
}

} // namespace
} // namespace qx
