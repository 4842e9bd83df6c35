#include "print/PrintMapping.h"

#include "platform/core/RecordingDc.h"
#include "shell/Fonts.h"
#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// A printable area of 2400 x 3400 device pixels (8 x 11.3 inches at 300 dpi).
constexpr Size kSheet{2400, 3400};

TEST(PrintMappingTest, PageSystemIs640UnitsWideFromPixel12_20) {
    RecordingDc dc(kSheet, true);
    // Whatever the context held before is replaced.
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(1280, 960);
    dc.SetViewportExt(100, 100);
    dc.SetViewportOrg(300, 300);
    dc.SelectFont(FontTitle);
    dc.SetBkMode(BkMode::Opaque);

    SetupPrintMapping(dc, 640, 480);
    EXPECT_EQ(dc.GetMapMode(), MapMode::Isotropic);
    EXPECT_EQ(dc.GetWindowExt(), (Size{640, 480}));
    // Isotropic: the vertical extent shrinks to the horizontal scale 3.75.
    EXPECT_EQ(dc.GetViewportExt(), (Size{2400, 1800}));
    EXPECT_EQ(dc.GetViewportOrg(), (Point{12, 20}));
    EXPECT_EQ(dc.LpToDp(Point{0, 0}), (Point{12, 20}));
    // 640 units span the width; the sheet is about 900 units high.
    EXPECT_EQ(dc.LpToDp(Point{640, 900}), (Point{2412, 3395}));
    EXPECT_EQ(dc.GetFont(), FontSmall);
    EXPECT_EQ(dc.GetBkMode(), BkMode::Transparent);
    EXPECT_TRUE(dc.Calls().empty()) << "setting up draws nothing";
}

TEST(PrintMappingTest, NewPageOnlyWhenTheLimitIsReached) {
    RecordingDc dc(kSheet, true);
    ASSERT_TRUE(dc.StartPage());
    SetupPrintMapping(dc, 640, 480);

    int y = 779;
    EXPECT_FALSE(NewPageIfFull(y, dc, 780));
    EXPECT_EQ(y, 779);
    EXPECT_EQ(dc.PagesStarted(), 1);
    EXPECT_EQ(dc.PagesEnded(), 0);

    // A letter logo changes the window extent and a title the font; the new
    // page is back in the page system.
    dc.SetWindowExt(1280, 960);
    dc.SelectFont(FontBold16);
    y = 780;
    EXPECT_TRUE(NewPageIfFull(y, dc, 780));
    EXPECT_EQ(y, 104);
    EXPECT_EQ(dc.PagesEnded(), 1);
    EXPECT_EQ(dc.PagesStarted(), 2);
    dc.TextOut(45, y, "Seite 2");

    y = 1200; // past the limit counts as well
    EXPECT_TRUE(NewPageIfFull(y, dc, 780));
    EXPECT_EQ(y, 104);
    EXPECT_EQ(dc.PagesStarted(), 3);

    // The text is drawn in the page system of its page.
    EXPECT_EQ(test::Dump(dc.Calls()),
              "startpage p1\n"
              "endpage iso 1280x960>2400x1800 p1\n"
              "startpage iso 1280x960>2400x1800 p2\n"
              "text 45,104 \"Seite 2\" Arial/-12/400 #000000 fmt=0 clear iso 640x480>2400x1800 p2\n"
              "endpage iso 640x480>2400x1800 p2\n"
              "startpage iso 640x480>2400x1800 p3\n");
}

} // namespace
} // namespace qx
