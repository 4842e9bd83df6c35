#include "print/PrintMapping.h"

#include "platform/core/RecordingDc.h"
#include "shell/Fonts.h"
#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

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
    EXPECT_EQ(dc.GetMapMode(), MapMode::Isotropic);
    // Isotropic: the vertical extent shrinks to the horizontal scale 3.75;
    // the sheet is about 900 units high.
    EXPECT_EQ(dc.GetViewportExt(), (Size{2400, 1800}));
    EXPECT_EQ(dc.LpToDp(Point{0, 0}), (Point{12, 20}));
    EXPECT_EQ(dc.LpToDp(Point{640, 900}), (Point{2412, 3395}));
    EXPECT_EQ(dc.GetFont(), FontSmall);
    EXPECT_EQ(dc.GetBkMode(), BkMode::Transparent);

    int y = 779;
    EXPECT_FALSE(NewPageIfFull(y, dc, 780));
    EXPECT_EQ(y, 779);
    // A letter logo changes the window extent and a title the font; the new
    // page is back in the page system.
    dc.SetWindowExt(1280, 960);
    dc.SelectFont(FontBold16);
    for (const int full : {780, 1200}) { // past the limit counts as well
        y = full;
        EXPECT_TRUE(NewPageIfFull(y, dc, 780));
        EXPECT_EQ(y, 104);
        dc.TextOut(45, y, "Seite");
    }
    EXPECT_EQ(test::Dump(dc.Calls()),
              "startpage iso 640x480>2400x1800 p1\n"
              "endpage iso 1280x960>2400x1800 p1\n"
              "startpage iso 1280x960>2400x1800 p2\n"
              "text 45,104 \"Seite\" Arial/-12/400 #000000 fmt=0 clear iso 640x480>2400x1800 p2\n"
              "endpage iso 640x480>2400x1800 p2\n"
              "startpage iso 640x480>2400x1800 p3\n"
              "text 45,104 \"Seite\" Arial/-12/400 #000000 fmt=0 clear iso 640x480>2400x1800 p3\n");
}

} // namespace
} // namespace qx
