#include "orders/AbortableDc.h"

#include "shell/Fonts.h"
#include "orders/PrintMapping.h"
#include "platform/core/RecordingDc.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using Kind = DrawCall::Kind;

int Count(const RecordingDc& dc, Kind kind) {
    int n = 0;
    for (const DrawCall& c : dc.Calls())
        n += c.kind == kind ? 1 : 0;
    return n;
}

TEST(AbortableDcTest, DrawsWithItsOwnStateOnTheTarget) {
    RecordingDc target({2400, 3400}, true);
    AbortableDc dc(target, [] { return true; }, nullptr);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::HorzRes), 2400);
    ASSERT_TRUE(dc.StartPage());
    SetupPrintMapping(dc, 640, 480);
    // Content that draws by its own means gets the target in the page system.
    Dc& drawing = dc.DrawingTarget();
    EXPECT_EQ(&drawing, &target);
    EXPECT_EQ(drawing.GetWindowExt(), (Size{640, 480}));
    EXPECT_EQ(drawing.GetViewportOrg(), (Point{12, 20}));
    EXPECT_EQ(drawing.GetFont(), FontSmall);
    dc.TextOut(45, 104, "Bestellliste");

    // A temporary state, restored: the target follows both ways.
    const int saved = dc.SaveDc();
    dc.SetWindowExt(1280, 960);
    dc.SelectFont(FontBold16);
    dc.SetTextAlign(TA_RIGHT);
    dc.SetTextColor(Rgb(0, 0, 160));
    dc.TextOut(1216, 60, "Logo");
    dc.RestoreDc(saved);
    dc.SelectPen(Pen{PenStyle::Dot, 1, Rgb(0, 0, 0)});
    dc.MoveTo(45, 142);
    dc.LineTo(608, 142);
    Rect box{45, 360, 608, 760};
    const int height = dc.DrawText("Sehr geehrte Damen und Herren,", box, DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(height, 12);
    EXPECT_EQ(dc.GetTextExtent("abcd"), (Size{24, 12}));
    EXPECT_TRUE(dc.EndPage());

    const auto& calls = target.Calls();
    ASSERT_EQ(calls.size(), 6u);
    const DrawCall& first = calls[1];
    EXPECT_EQ(first.text, "Bestellliste");
    EXPECT_EQ(first.at, (Point{45, 104}));
    EXPECT_EQ(first.mapMode, MapMode::Isotropic);
    EXPECT_EQ(first.windowExt, (Size{640, 480}));
    EXPECT_EQ(first.viewportExt, (Size{2400, 1800}));
    EXPECT_EQ(first.font, FontSmall);
    EXPECT_EQ(first.bkMode, BkMode::Transparent);
    EXPECT_EQ(first.page, 1);

    const DrawCall& logo = calls[2];
    EXPECT_EQ(logo.windowExt, (Size{1280, 960}));
    EXPECT_EQ(logo.viewportExt, (Size{2400, 1800}));
    EXPECT_EQ(logo.font, FontBold16);
    EXPECT_EQ(logo.format, static_cast<unsigned>(TA_RIGHT));
    EXPECT_EQ(logo.color, Rgb(0, 0, 160));

    const DrawCall& line = calls[3];
    EXPECT_EQ(line.kind, Kind::Line);
    EXPECT_EQ(line.points, (std::vector<Point>{{45, 142}, {608, 142}}));
    EXPECT_EQ(line.pen.style, PenStyle::Dot);
    EXPECT_EQ(line.windowExt, (Size{640, 480}));

    const DrawCall& text = calls[4];
    EXPECT_EQ(text.kind, Kind::DrawText);
    EXPECT_EQ(text.rect, (Rect{45, 360, 608, 760}));
    EXPECT_EQ(text.font, FontSmall);
    EXPECT_EQ(text.color, Rgb(0, 0, 0));
    EXPECT_EQ(text.format, static_cast<unsigned>(DT_WORDBREAK | DT_NOPREFIX));
    EXPECT_EQ(calls[5].kind, Kind::EndPage);
}

TEST(AbortableDcTest, IsotropicRoundingOfTheTargetDoesNotMoveTheMapping) {
    // Window 100 x 30 on 11 x 100 pixels: the viewport becomes 11 x 3. Set
    // again on the target, 11 x 3 against 100 x 30 would shrink to 10 x 3.
    RecordingDc target({11, 100}, true);
    AbortableDc dc(target, [] { return true; }, nullptr);
    dc.SetMapMode(MapMode::Isotropic);
    dc.SetWindowExt(100, 30);
    dc.SetViewportExt(11, 100);
    ASSERT_EQ(dc.GetViewportExt(), (Size{11, 3}));
    dc.FillRect({0, 0, 100, 30}, Rgb(0, 0, 0));
    ASSERT_EQ(target.Calls().size(), 1u);
    EXPECT_EQ(target.Calls()[0].windowExt, (Size{100, 30}));
    EXPECT_EQ(target.Calls()[0].viewportExt, (Size{11, 3}));
    EXPECT_EQ(target.LpToDp(Point{100, 30}), dc.LpToDp(Point{100, 30}));
}

TEST(AbortableDcTest, AbortProcEveryFewCallsAndAtPagesThenNothing) {
    RecordingDc target({2400, 3400}, true);
    int turns = 0;
    bool keepGoing = true;
    int abandoned = 0;
    AbortableDc dc(target, [&] { ++turns; return keepGoing; }, [&](Dc& d) {
        EXPECT_EQ(&d, &target);
        ++abandoned;
    });
    ASSERT_TRUE(dc.StartPage());
    EXPECT_EQ(turns, 1);
    EXPECT_FALSE(dc.StartPage()) << "a page is open";
    SetupPrintMapping(dc, 640, 480);
    turns = 0;
    for (int i = 0; i < 3 * AbortableDc::kCallsPerTurn; ++i)
        dc.Polyline({{45, i}, {608, i}});
    EXPECT_EQ(turns, 3);
    EXPECT_EQ(dc.GetTextExtent("x").cy, 12) << "measuring is no turn";
    EXPECT_EQ(turns, 3);
    EXPECT_TRUE(dc.EndPage());
    EXPECT_FALSE(dc.EndPage()) << "no page open: not passed on";
    EXPECT_EQ(target.PagesEnded(), 1);
    ASSERT_TRUE(dc.StartPage());

    // The user aborts: the next turn gives the job up.
    keepGoing = false;
    const std::size_t before = target.Calls().size();
    for (int i = 0; i < 1000; ++i) {
        dc.MoveTo(45, i);
        dc.LineTo(608, i);
    }
    EXPECT_TRUE(dc.IsAbandoned());
    EXPECT_EQ(abandoned, 1);
    EXPECT_EQ(target.Calls().size() - before, static_cast<std::size_t>(AbortableDc::kCallsPerTurn - 1));

    // Every further call does nothing; measuring still answers.
    const std::size_t after = target.Calls().size();
    dc.TextOut(45, 104, "weg");
    dc.FillRect({0, 0, 10, 10}, 0);
    dc.StretchDib({0, 0, 10, 10}, {0, 0, 1, 1}, DibBytes{});
    Rect box{45, 360, 608, 760};
    EXPECT_EQ(dc.DrawText("zwei\nZeilen", box, DT_NOPREFIX), 24);
    EXPECT_EQ(box, (Rect{45, 360, 608, 760}));
    EXPECT_EQ(dc.GetTextExtent("abcd"), (Size{24, 12}));
    EXPECT_FALSE(dc.EndPage());
    EXPECT_FALSE(dc.StartPage());
    EXPECT_EQ(&dc.DrawingTarget(), &dc);
    EXPECT_EQ(target.Calls().size(), after);
    EXPECT_EQ(abandoned, 1);
    EXPECT_EQ(Count(target, Kind::StartPage), 2);
}

} // namespace
} // namespace qx
