#include "catalog/Draw.h"

#include "ground/GlobalState.h"
#include "ground/ScreenMode.h"
#include "platform/core/RecordingDc.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

using Kind = DrawCall::Kind;

// A 24-bit picture of the given size, black.
DibHandle Picture(int width, int height) {
    const std::size_t stride = ((static_cast<std::size_t>(width) * 3 + 3) / 4) * 4;
    std::vector<std::uint8_t> b(40 + stride * static_cast<std::size_t>(height), 0);
    const auto put = [&b](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(0, 40, 4);
    put(4, static_cast<std::uint32_t>(width), 4);
    put(8, static_cast<std::uint32_t>(height), 4);
    put(12, 1, 2);
    put(14, 24, 2);
    return DibFromBytes(std::move(b));
}

TEST(Draw, DibAnchorsPlaceThePictureOneToOne) {
    const DibHandle pic = Picture(40, 30);
    ASSERT_FALSE(pic.IsNull());
    RecordingDc dc;
    DrawDib(dc, pic, 100, 50, kAnchorTopLeft);
    DrawDib(dc, pic, 100, 50, kAnchorBottom);
    DrawDib(dc, pic, 100, 50, kAnchorRight);
    ASSERT_EQ(dc.Calls().size(), 3u);
    for (const DrawCall& c : dc.Calls()) {
        EXPECT_EQ(c.kind, Kind::Dib);
        EXPECT_EQ(c.src, (Rect{0, 0, 40, 30}));
    }
    EXPECT_EQ(dc.Calls()[0].rect, (Rect{100, 50, 140, 80}));
    EXPECT_EQ(dc.Calls()[1].rect, (Rect{100, 20, 140, 50}));
    EXPECT_EQ(dc.Calls()[2].rect, (Rect{60, 50, 100, 80}));

    dc.Clear();
    const DibHandle none;
    DrawDib(dc, none, 1, 2, kAnchorTopLeft);
    DrawDibScaled(dc, GlobalState{}, none, 1, 2, kAnchorTopLeft);
    DrawResourceDib(dc, none, 1, 2, kAnchorRight);
    DrawDibStretched(dc, none, 1, 2, 0, 0, 10, 10);
    EXPECT_TRUE(dc.Calls().empty());
}

TEST(Draw, ScaledAndStretchedPicturesUseColourOnColour) {
    GlobalState state;
    ApplyScreenMode(state, ScreenModeForWidth(800));
    const DibHandle pic = Picture(40, 30);

    RecordingDc dc;
    DrawDibScaled(dc, state, pic, 14, 64, kAnchorRight);
    EXPECT_EQ(dc.GetStretchBltMode(), COLORONCOLOR);
    ASSERT_EQ(dc.Calls().size(), 1u);
    EXPECT_EQ(dc.Calls()[0].rect, (Rect{17 - 40, 81, 17, 111}));

    RecordingDc res;
    DrawResourceDib(res, pic, 5, 6, kAnchorBottom);
    EXPECT_EQ(res.GetStretchBltMode(), COLORONCOLOR);
    ASSERT_EQ(res.Calls().size(), 1u);
    EXPECT_EQ(res.Calls()[0].rect, (Rect{5, -24, 45, 6}));

    RecordingDc st;
    DrawDibStretched(st, pic, 10, 20, 3, 4, 200, 100);
    DrawDibStretched(st, pic, 10, 20, 3, 4, 200, 0); // height 0: own size
    EXPECT_EQ(st.GetStretchBltMode(), COLORONCOLOR);
    ASSERT_EQ(st.Calls().size(), 2u);
    EXPECT_EQ(st.Calls()[0].rect, (Rect{10, 20, 210, 120}));
    EXPECT_EQ(st.Calls()[0].src, (Rect{3, 4, 43, 34}));
    EXPECT_EQ(st.Calls()[1].rect, (Rect{10, 20, 50, 50}));
    EXPECT_EQ(st.Calls()[1].src, (Rect{3, 4, 43, 34}));
}

TEST(Draw, SunkenFrameDrawsFillThenFourEdgesAndRestoresThePen) {
    RecordingDc dc;
    const Pen before{PenStyle::Dot, 3, Rgb(1, 2, 3)};
    dc.SelectPen(before);
    DrawSunkenFrame(dc, 10, 20, 100, 30);

    const auto& calls = dc.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, Kind::FillRect);
    EXPECT_EQ(calls[0].rect, (Rect{10, 20, 110, 50}));
    EXPECT_EQ(calls[0].color, Rgb(255, 255, 255));

    struct Edge {
        ColorRef color;
        std::vector<Point> points;
    };
    const std::vector<Edge> edges = {
        {Rgb(192, 192, 192), {{110, 20}, {110, 50}, {10, 50}}}, // right, bottom
        {Rgb(128, 128, 128), {{10, 50}, {10, 20}, {110, 20}}},  // left, top
        {Rgb(255, 255, 255), {{111, 21}, {111, 51}, {11, 51}}}, // inner right, bottom
        {Rgb(0, 0, 0), {{11, 50}, {11, 21}, {111, 21}}},        // inner left, top, from one unit up
    };
    for (std::size_t i = 0; i < edges.size(); ++i) {
        SCOPED_TRACE(i);
        const DrawCall& c = calls[i + 1];
        EXPECT_EQ(c.kind, Kind::Line);
        EXPECT_EQ(c.pen, (Pen{PenStyle::Solid, 1, edges[i].color}));
        EXPECT_EQ(c.points, edges[i].points);
    }
    EXPECT_EQ(dc.GetPen(), before);
}

TEST(Draw, LinesMappingAndScaledText) {
    RecordingDc dc;
    const Pen before{PenStyle::Solid, 2, Rgb(9, 9, 9)};
    dc.SelectPen(before);
    DrawDottedLine(dc, 1, 2, 30, 2, Rgb(10, 20, 30));
    DrawBlackLine(dc, 5, 6, 5, 60);
    ASSERT_EQ(dc.Calls().size(), 2u);
    EXPECT_EQ(dc.Calls()[0].kind, Kind::Line);
    EXPECT_EQ(dc.Calls()[0].pen, (Pen{PenStyle::Dot, 1, Rgb(10, 20, 30)}));
    EXPECT_EQ(dc.Calls()[0].points, (std::vector<Point>{{1, 2}, {30, 2}}));
    EXPECT_EQ(dc.Calls()[1].pen, (Pen{PenStyle::Solid, 1, Rgb(0, 0, 0)}));
    EXPECT_EQ(dc.Calls()[1].points, (std::vector<Point>{{5, 6}, {5, 60}}));
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
    ASSERT_EQ(text.Calls().size(), 1u);
    EXPECT_EQ(text.Calls()[0].at, (Point{1012, 167}));
    EXPECT_EQ(text.Calls()[0].text, "Hauptmen\xfc");
}

} // namespace
} // namespace qx
