// The page system of a printout and the job's forwarding context.
#include "platform/core/RecordingDc.h"
#include "print/AbortableDc.h"
#include "print/PrintMapping.h"
#include "shell/Fonts.h"
#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qx {
namespace {

TEST(AbortableDcTest, DrawsWithItsOwnStateOnTheTarget) {
    RecordingDc target({2400, 3400}, true);
    AbortableDc dc(target, [] { return true; }, nullptr);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::HorzRes), 2400);
    ASSERT_TRUE(dc.StartPage());
    SetupPrintMapping(dc, 640, 480);
    // Content that draws by its own means gets the target in the page system.
    EXPECT_EQ(&dc.DrawingTarget(), &target);
    EXPECT_EQ(std::tuple(target.GetWindowExt(), target.GetViewportOrg(), target.GetFont()),
              std::tuple(Size{640, 480}, Point{12, 20}, FontSmall));
    dc.TextOut(45, 104, "Bestellliste");

    // A temporary state, restored, and a change of the map mode alone: the target follows.
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
    dc.SetMapMode(MapMode::Anisotropic);
    Rect box{45, 360, 608, 760};
    EXPECT_EQ(dc.DrawText("Sehr geehrte Damen und Herren,", box, DT_WORDBREAK | DT_NOPREFIX), 12);
    EXPECT_EQ(dc.GetTextExtent("abcd"), (Size{24, 12}));
    EXPECT_TRUE(dc.EndPage());

    // Each call carries the state in force when it was made.
    EXPECT_EQ(test::Dump(target.Calls()), "startpage p1\n"
        "text 45,104 \"Bestellliste\" Arial/-12/400 #000000 fmt=0 clear iso 640x480>2400x1800 p1\n"
        "text 1216,60 \"Logo\" Arial/16/700 #0000a0 fmt=2 clear iso 1280x960>2400x1800 p1\n"
        "line 45,142 608,142 dot/1 #000000 iso 640x480>2400x1800 p1\n"
        "drawtext 45,360,608,760 \"Sehr geehrte Damen und Herren,\" Arial/-12/400 #000000 fmt=810 clear "
        "aniso 640x480>2400x1800 p1\n"
        "endpage aniso 640x480>2400x1800 p1\n");
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
    EXPECT_EQ(test::Dump(target.Calls()), "fill 0,0,100,30 #000000 aniso 100x30>11x3\n");
    EXPECT_EQ(target.LpToDp(Point{100, 30}), dc.LpToDp(Point{100, 30}));
}

TEST(AbortableDcTest, AbortProcEveryFewCallsAndAtPagesThenNothing) {
    RecordingDc target({2400, 3400}, true);
    int turns = 0;
    bool keepGoing = true;
    int abandoned = 0;
    AbortableDc dc(target, [&] { ++turns; return keepGoing; }, [&](Dc& d) { abandoned += &d == &target ? 1 : 100; });
    ASSERT_TRUE(dc.StartPage() && turns == 1);
    EXPECT_FALSE(dc.StartPage()) << "a page is open";
    SetupPrintMapping(dc, 640, 480);
    turns = 0;
    for (int i = 0; i < 3 * AbortableDc::kCallsPerTurn; ++i)
        dc.Polyline({{45, i}, {608, i}});
    EXPECT_TRUE(dc.GetTextExtent("x").cy == 12 && turns == 3) << "measuring is no turn";
    EXPECT_TRUE(dc.EndPage() && !dc.EndPage() && target.PagesEnded() == 1) << "no page open: not passed on";
    ASSERT_TRUE(dc.StartPage());

    // The user aborts: the next turn gives the job up.
    keepGoing = false;
    const std::size_t before = target.Calls().size();
    for (int i = 0; i < 1000; ++i) {
        dc.MoveTo(45, i);
        dc.LineTo(608, i);
    }
    EXPECT_TRUE(dc.IsAbandoned() && abandoned == 1) << abandoned;
    EXPECT_EQ(target.Calls().size() - before, static_cast<std::size_t>(AbortableDc::kCallsPerTurn - 1));

    // Every further call does nothing; measuring still answers.
    const std::size_t after = target.Calls().size();
    dc.TextOut(45, 104, "weg");
    dc.FillRect({0, 0, 10, 10}, 0);
    dc.StretchDib({0, 0, 10, 10}, {0, 0, 1, 1}, DibBytes{});
    Rect box{45, 360, 608, 760};
    const int height = dc.DrawText("zwei\nZeilen", box, DT_NOPREFIX);
    EXPECT_EQ(std::tuple(height, box, dc.GetTextExtent("abcd")), std::tuple(24, Rect{45, 360, 608, 760}, Size{24, 12}));
    EXPECT_FALSE(dc.EndPage() || dc.StartPage());
    EXPECT_EQ(std::tuple(&dc.DrawingTarget(), target.Calls().size(), abandoned, target.PagesStarted()),
              std::tuple(static_cast<Dc*>(&dc), after, 1, 2));
}

// A printable area of 2400 x 3400 device pixels (8 x 11.3 inches at 300 dpi):
// the page system is 640 units wide from pixel (12, 20), whatever the
// context held before, and a new page comes only when the limit is reached.
TEST(PrintMappingTest, PageSystemAndNewPages) {
    RecordingDc dc({2400, 3400}, true);
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(1280, 960);
    dc.SetViewportExt(100, 100);
    dc.SetViewportOrg(300, 300);
    dc.SelectFont(FontTitle);
    dc.SetBkMode(BkMode::Opaque);
    SetupPrintMapping(dc, 640, 480);
    ASSERT_TRUE(dc.StartPage());
    // Isotropic: the vertical extent shrinks to the horizontal scale 3.75;
    // the sheet is about 900 units high.
    EXPECT_EQ(std::tuple(dc.GetMapMode(), dc.LpToDp(Point{0, 0}), dc.LpToDp(Point{640, 900}), dc.GetFont(),
                         dc.GetBkMode()),
              std::tuple(MapMode::Isotropic, Point{12, 20}, Point{2412, 3395}, FontSmall, BkMode::Transparent));
    int y = 779;
    EXPECT_TRUE(!NewPageIfFull(y, dc, 780) && y == 779);
    // A letter logo changes the window extent and a title the font; the new page is back in the page system.
    dc.SetWindowExt(1280, 960);
    dc.SelectFont(FontBold16);
    for (const int full : {780, 1200}) { // past the limit counts as well
        y = full;
        EXPECT_TRUE(NewPageIfFull(y, dc, 780));
        dc.TextOut(45, y, "Seite"); // at the new page's first line
    }
    EXPECT_EQ(test::Dump(dc.Calls()), "startpage iso 640x480>2400x1800 p1\n"
                                      "endpage iso 1280x960>2400x1800 p1\n"
              "startpage iso 1280x960>2400x1800 p2\n"
              "text 45,104 \"Seite\" Arial/-12/400 #000000 fmt=0 clear iso 640x480>2400x1800 p2\n"
              "endpage iso 640x480>2400x1800 p2\n"
              "startpage iso 640x480>2400x1800 p3\n"
              "text 45,104 \"Seite\" Arial/-12/400 #000000 fmt=0 clear iso 640x480>2400x1800 p3\n");
}

} // namespace
} // namespace qx
