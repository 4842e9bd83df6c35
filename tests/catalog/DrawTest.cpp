#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "ground/GlobalState.h"
#include "ground/ScreenMode.h"
#include "platform/core/DibPixels.h"
#include "platform/core/RecordingDc.h"
#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace qx {
namespace {

// A 24-bit picture of the given size, black.
DibHandle Picture(int width, int height) {
    return DibFromBytes(EncodeDib24(Pixels{width, height, std::vector<std::uint32_t>(std::size_t(width * height))}));
}

TEST(Draw, PicturesByAnchorScaledAndStretched) {
    const DibHandle pic = Picture(40, 30);
    ASSERT_FALSE(pic.IsNull());
    RecordingDc dc;
    DrawDib(dc, pic, 100, 50, kAnchorTopLeft);
    DrawDib(dc, pic, 100, 50, kAnchorBottom);
    DrawDib(dc, pic, 100, 50, kAnchorRight);
    const DibHandle none;
    DrawDib(dc, none, 1, 2, kAnchorTopLeft);
    DrawDibScaled(dc, GlobalState{}, none, 1, 2, kAnchorTopLeft);
    DrawResourceDib(dc, none, 1, 2, kAnchorRight);
    DrawDibStretched(dc, none, 1, 2, 0, 0, 10, 10);
    EXPECT_EQ(test::Dump(dc.Calls()), "dib 100,50,140,80 from 0,0,40,30\n"
                                      "dib 100,20,140,50 from 0,0,40,30\n"
                                      "dib 60,50,100,80 from 0,0,40,30\n");

    // Scaled and stretched pictures use colour on colour.
    GlobalState state;
    ApplyScreenMode(state, ScreenModeForWidth(800));
    RecordingDc scaled, resource, stretched;
    DrawDibScaled(scaled, state, pic, 14, 64, kAnchorRight);
    DrawResourceDib(resource, pic, 5, 6, kAnchorBottom);
    DrawDibStretched(stretched, pic, 10, 20, 3, 4, 200, 100);
    DrawDibStretched(stretched, pic, 10, 20, 3, 4, 200, 0); // height 0: own size
    for (const RecordingDc* each : {&scaled, &resource, &stretched})
        EXPECT_EQ(each->GetStretchBltMode(), COLORONCOLOR);
    EXPECT_EQ(test::Dump(scaled.Calls()) + test::Dump(resource.Calls()) + test::Dump(stretched.Calls()),
              "dib -23,81,17,111 from 0,0,40,30\n"
              "dib 5,-24,45,6 from 0,0,40,30\n"
              "dib 10,20,210,120 from 3,4,43,34\n"
              "dib 10,20,50,50 from 3,4,43,34\n");
}

TEST(Draw, SunkenFrameDrawsFillThenFourEdgesAndRestoresThePen) {
    RecordingDc dc;
    const Pen before{PenStyle::Dot, 3, Rgb(1, 2, 3)};
    dc.SelectPen(before);
    DrawSunkenFrame(dc, 10, 20, 100, 30);
    // Right and bottom, left and top, then the inner pair one unit in (the
    // inner left edge from one unit up).
    EXPECT_EQ(test::Dump(dc.Calls()), "fill 10,20,110,50 #ffffff\n"
                                      "line 110,20 110,50 10,50 solid/1 #c0c0c0\n"
                                      "line 10,50 10,20 110,20 solid/1 #808080\n"
                                      "line 111,21 111,51 11,51 solid/1 #ffffff\n"
                                      "line 11,50 11,21 111,21 solid/1 #000000\n");
    EXPECT_EQ(dc.GetPen(), before);
}

TEST(Draw, LinesMappingAndScaledText) {
    RecordingDc dc;
    const Pen before{PenStyle::Solid, 2, Rgb(9, 9, 9)};
    dc.SelectPen(before);
    DrawDottedLine(dc, 1, 2, 30, 2, Rgb(10, 20, 30));
    DrawBlackLine(dc, 5, 6, 5, 60);
    EXPECT_EQ(test::Dump(dc.Calls()), "line 1,2 30,2 dot/1 #0a141e\n"
                                      "line 5,6 5,60 solid/1 #000000\n");
    EXPECT_EQ(dc.GetPen(), before);

    GlobalState state;
    ApplyScreenMode(state, ScreenModeForWidth(1024));
    state.designRect = Rect{0, 0, 628, 430};
    RecordingDc mapped;
    UseDesignMapping(mapped, state.designRect, state.clientRect);
    EXPECT_EQ(mapped.GetMapMode(), MapMode::Anisotropic);
    EXPECT_EQ(mapped.GetWindowExt(), (Size{628, 430}));
    EXPECT_EQ(mapped.GetViewportExt(), (Size{1012, 718}));

    RecordingDc text;
    TextOutScaled(text, state, 628, 100, "Hauptmen\xfc");
    EXPECT_EQ(test::Dump(text.Calls()), "text 1012,167 \"Hauptmen\xfc\" Arial/0/400 #000000 fmt=0\n");
}

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
