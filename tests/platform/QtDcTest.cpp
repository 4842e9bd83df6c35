#include "platform/core/DibPixels.h"
#include "platform/qt/QtDc.h"
#include "tests/platform/QtTestApp.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::InkBox;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

class QtDcTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        image = QImage(800, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
    }
    QImage image;
};

void UseDesignMapping(Dc& dc, Size window, Size viewport) {
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(window.cx, window.cy);
    dc.SetViewportExt(viewport.cx, viewport.cy);
}

TEST_F(QtDcTest, FillRectLandsOnTheMappedPixels) {
    {
        QtDc dc(&image);
        UseDesignMapping(dc, {628, 430}, {788, 550});
        // x: 100 * 788 / 628 = 125.5 -> 125, 200 -> 250.96 -> 251 (exclusive);
        // y: 100 * 550 / 430 = 127.9 -> 128, 150 -> 191.9 -> 192 (exclusive).
        dc.FillRect({100, 100, 200, 150}, Rgb(255, 0, 0));
        // An empty rectangle draws nothing.
        dc.FillRect({300, 300, 300, 320}, Rgb(0, 0, 255));
    }
    EXPECT_EQ(InkBox(image), QRect(QPoint(125, 128), QPoint(250, 191)));
    EXPECT_EQ(image.pixel(125, 128), 0xFFFF0000);
    EXPECT_EQ(image.pixel(250, 191), 0xFFFF0000);
}

TEST_F(QtDcTest, LinesSolidDottedNullAndWide) {
    image.fill(QColor(128, 128, 128));
    {
        QtDc dc(&image);
        // Solid: the last point is left out, as GDI does.
        dc.MoveTo(10, 10);
        dc.LineTo(30, 10);
        // Dotted, opaque: three on, three off, the gaps in the background colour.
        dc.SelectPen(Pen{PenStyle::Dot, 1, Rgb(0, 0, 0)});
        dc.SetBkColor(Rgb(255, 255, 255));
        dc.Polyline({{10, 20}, {30, 20}});
        // Dotted, transparent: the gaps keep what was there.
        dc.SetBkMode(BkMode::Transparent);
        dc.Polyline({{10, 30}, {30, 30}});
        dc.SelectPen(Pen{PenStyle::Null, 1, Rgb(0, 0, 0)});
        dc.Polyline({{10, 40}, {30, 40}});
        // In a scaled mapping width 0 stays one pixel, widths 1 and 4 scale.
        UseDesignMapping(dc, {628, 430}, {1012, 718});
        dc.SelectPen(Pen{PenStyle::Solid, 0, Rgb(0, 0, 0)});
        dc.Polyline({{100, 100}, {100, 200}});
        dc.SelectPen(Pen{PenStyle::Solid, 1, Rgb(0, 0, 0)});
        dc.Polyline({{150, 100}, {150, 200}});
        dc.SelectPen(Pen{PenStyle::Solid, 4, Rgb(0, 0, 0)});
        dc.Polyline({{200, 100}, {200, 200}});
    }
    const QRgb grey = 0xFF808080;
    EXPECT_EQ(image.pixel(10, 10), kBlack);
    EXPECT_EQ(image.pixel(29, 10), kBlack);
    EXPECT_EQ(image.pixel(30, 10), grey);
    EXPECT_EQ(image.pixel(10, 9), grey);
    EXPECT_EQ(image.pixel(10, 11), grey);

    std::string opaque, transparent;
    for (int x = 10; x < 22; ++x) {
        opaque += image.pixel(x, 20) == kBlack ? '#' : image.pixel(x, 20) == kWhite ? '.' : '?';
        transparent += image.pixel(x, 30) == kBlack ? '#' : image.pixel(x, 30) == grey ? '-' : '?';
    }
    EXPECT_EQ(opaque, "###...###...");
    EXPECT_EQ(transparent, "###---###---");
    EXPECT_EQ(InkBox(image, grey, QRect(0, 38, 60, 5)), QRect());

    // Design x 100 -> 161 (1012 / 628 = 1.611), 200 -> 322.
    const int y = 150 * 718 / 430;
    const QRect thin = InkBox(image, grey, QRect(140, y, 40, 1));
    EXPECT_EQ(thin.width(), 1);
    EXPECT_EQ(thin.left(), 161);
    // Design x 150 -> 242; 1 * 1.611 rounds to two pixels.
    const QRect one = InkBox(image, grey, QRect(230, y, 30, 1));
    EXPECT_EQ(one.width(), 2);
    EXPECT_LE(one.left(), 242);
    EXPECT_GE(one.right(), 242);
    const QRect wide = InkBox(image, grey, QRect(300, y, 40, 1));
    EXPECT_EQ(wide.width(), 6); // 4 * 1.611 = 6.4 -> 6
    EXPECT_LE(wide.left(), 322);
    EXPECT_GE(wide.right(), 322);
}

TEST_F(QtDcTest, DrawTextPlacesInkInItsBox) {
    Size extent;
    {
        QtDc dc(&image);
        dc.SelectFont(Font{"Arial", -18});
        dc.SetBkMode(BkMode::Transparent);
        extent = dc.GetTextExtent("Mitte");
        Rect centre{100, 100, 300, 200};
        dc.DrawText("Mitte", centre, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        Rect corner{400, 100, 600, 200};
        dc.DrawText("Ecke", corner, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
        // Clipped to its rectangle, unless DT_NOCLIP.
        Rect clipped{100, 300, 130, 310};
        dc.DrawText("Abgeschnitten", clipped, DT_LEFT);
        Rect unclipped{100, 400, 130, 410};
        dc.DrawText("Abgeschnitten", unclipped, DT_LEFT | DT_NOCLIP);
    }
    EXPECT_GT(extent.cx, 30);
    EXPECT_EQ(extent.cy, 20); // 18 * (1854 + 434) / 2048 = 20.1

    const QRect mid = InkBox(image, kWhite, QRect(0, 0, 350, 250));
    ASSERT_FALSE(mid.isNull());
    EXPECT_NEAR(mid.center().x(), 200, 3);
    EXPECT_GE(mid.width(), extent.cx - 4);
    EXPECT_LE(mid.width(), extent.cx);
    // The cell (20 high) is centred: top 140, baseline 140 + 16.3; capitals
    // reach 0.716 em above it.
    EXPECT_NEAR(mid.bottom(), 156, 1);
    EXPECT_NEAR(mid.top(), 156 - 13, 1);

    const QRect corner = InkBox(image, kWhite, QRect(350, 0, 300, 250));
    ASSERT_FALSE(corner.isNull());
    EXPECT_NEAR(corner.right(), 599, 2);
    EXPECT_NEAR(corner.bottom(), 200 - 4 - 1, 1); // baseline = bottom - descent (3.8)

    const QRect clipped = InkBox(image, kWhite, QRect(0, 290, 800, 30));
    EXPECT_GE(clipped.left(), 100);
    EXPECT_LE(clipped.right(), 129);
    EXPECT_LE(clipped.bottom(), 309);
    const QRect free = InkBox(image, kWhite, QRect(0, 390, 800, 40));
    EXPECT_GT(free.right(), 180);
    EXPECT_GT(free.bottom(), 410);
}

TEST_F(QtDcTest, CalcRectWithWordBreakGrowsTheHeight) {
    const std::string text = "Der Ausdruck wird erstellt, bitte warten Sie einen Augenblick.";
    QtDc dc(&image);
    dc.SelectFont(Font{"Arial", 16});
    const int lineHeight = dc.GetTextExtent("x").cy;
    EXPECT_EQ(lineHeight, 16);

    Rect rect{10, 10, 110, 20};
    const int height = dc.DrawText(text, rect, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(InkBox(image), QRect()) << "DT_CALCRECT draws nothing";
    EXPECT_GE(height, 4 * lineHeight);
    EXPECT_EQ(height % lineHeight, 0);
    EXPECT_EQ(rect.bottom, 10 + height);
    EXPECT_LE(rect.right, 110);
    EXPECT_GT(rect.right, 60);

    // The same rectangle then holds all the lines.
    dc.SetBkMode(BkMode::Transparent);
    EXPECT_EQ(dc.DrawText(text, rect, DT_WORDBREAK), height);
    const QRect ink = InkBox(image);
    EXPECT_GE(ink.top(), 10);
    EXPECT_LE(ink.bottom(), rect.bottom - 1);
    EXPECT_GT(ink.bottom(), rect.bottom - lineHeight);
    EXPECT_LE(ink.right(), rect.right);

    // Without DT_WORDBREAK a single line is measured.
    Rect one{10, 10, 110, 20};
    dc.DrawText(text, one, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(one.bottom, 10 + lineHeight);
    EXPECT_GT(one.right, 300);
}

TEST_F(QtDcTest, FontHeightsAndTextAlignment) {
    // A negative height is the em, a positive one the cell.
    const FontCell em18 = CellOf(Font{"Arial", -18});
    const FontCell cell16 = CellOf(Font{"Arial", 16});
    const FontCell standard = CellOf(Font{"Arial", 0});
    EXPECT_DOUBLE_EQ(em18.em, 18);
    EXPECT_NEAR(cell16.em, 16 * 2048.0 / 2288, 0.05);
    EXPECT_LT(cell16.em, 16);
    EXPECT_EQ(cell16.height, 16);
    EXPECT_EQ(standard.height, 16);
    EXPECT_EQ(ToQFont(Font{"Arial", 16, 700}, 1.0).pixelSize(), 14);
    EXPECT_TRUE(ToQFont(Font{"Arial", 16, 700}, 1.0).bold());

    QRect big, small;
    {
        QtDc dc(&image);
        dc.SetBkMode(BkMode::Transparent);
        dc.SelectFont(Font{"Arial", -18});
        dc.TextOut(100, 100, "H"); // TA_TOP: the cell's top at y
        dc.SelectFont(Font{"Arial", 16});
        dc.TextOut(200, 100, "H");
        dc.SetTextAlign(TA_BASELINE | TA_RIGHT);
        dc.TextOut(400, 300, "H");
        dc.SetTextAlign(TA_BOTTOM | TA_CENTER);
        dc.TextOut(600, 300, "H");
    }
    big = InkBox(image, kWhite, QRect(90, 90, 50, 40));
    small = InkBox(image, kWhite, QRect(190, 90, 50, 40));
    // Capital height is 0.716 em: 12.9 and 10.3 pixels.
    EXPECT_NEAR(big.height(), 13, 1);
    EXPECT_NEAR(small.height(), 10, 1);
    EXPECT_NEAR(big.bottom() + 1, 100 + 18 * 0.905, 1);     // baseline
    EXPECT_NEAR(small.bottom() + 1, 100 + 14.32 * 0.905, 1);

    const QRect baseline = InkBox(image, kWhite, QRect(350, 250, 100, 100));
    EXPECT_EQ(baseline.bottom(), 299);
    EXPECT_NEAR(baseline.right(), 399, 2);
    const QRect bottom = InkBox(image, kWhite, QRect(550, 250, 100, 100));
    EXPECT_NEAR(bottom.bottom() + 1, 300 - 14.32 * 0.212, 1);
    EXPECT_NEAR(bottom.center().x(), 600, 1);
}

TEST_F(QtDcTest, OpaqueTextFillsItsCell) {
    Size extent;
    {
        QtDc dc(&image);
        dc.SelectFont(Font{"Arial", -12});
        dc.SetBkColor(Rgb(0, 255, 0));
        extent = dc.GetTextExtent("Hallo");
        dc.TextOut(10, 10, "Hallo");
        dc.SetBkMode(BkMode::Transparent);
        dc.TextOut(10, 50, "Hallo");
    }
    const QRgb green = 0xFF00FF00;
    EXPECT_EQ(image.pixel(10, 10), green);
    EXPECT_EQ(image.pixel(10 + extent.cx - 1, 10 + extent.cy - 1), green);
    EXPECT_EQ(image.pixel(10 + extent.cx + 1, 10), kWhite);
    EXPECT_EQ(image.pixel(10, 50), kWhite);
    EXPECT_FALSE(InkBox(image, kWhite, QRect(0, 45, 100, 30)).isNull());
}

std::vector<std::uint8_t> TestDib(std::uint32_t tint = 0) {
    // 4 x 2 pixels: red, green, blue, white / black, grey, yellow, cyan.
    Pixels px{4, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080, 0xFFFFFF00, 0xFF00FFFF}};
    for (auto& p : px.argb)
        p ^= tint;
    return EncodeDib24(px);
}

TEST_F(QtDcTest, DibOneToOneStretchedAndMapped) {
    const std::vector<std::uint8_t> bytes = TestDib();
    const DibBytes dib{bytes.data(), bytes.size(), 4711};
    {
        QtDc dc(&image);
        dc.SetStretchBltMode(COLORONCOLOR);
        dc.StretchDib({10, 10, 14, 12}, {0, 0, 4, 2}, dib);
        dc.StretchDib({20, 20, 28, 24}, {0, 0, 4, 2}, dib);
        // A part of the picture: the right two columns of the bottom row.
        dc.StretchDib({40, 40, 42, 41}, {2, 1, 4, 2}, dib);
        // A source reaching beyond the picture draws only what exists.
        dc.StretchDib({50, 50, 58, 52}, {0, 0, 8, 2}, dib);
        // Nothing for an empty destination or a broken picture.
        dc.StretchDib({60, 60, 60, 70}, {0, 0, 4, 2}, dib);
        const std::uint8_t junk[8] = {1, 2, 3};
        dc.StretchDib({70, 70, 80, 80}, {0, 0, 4, 2}, DibBytes{junk, sizeof junk, 4712});
        UseDesignMapping(dc, {628, 430}, {1012, 718});
        dc.StretchDib({100, 100, 104, 102}, {0, 0, 4, 2}, dib);
    }
    EXPECT_EQ(image.pixel(10, 10), 0xFFFF0000);
    EXPECT_EQ(image.pixel(13, 10), 0xFFFFFFFF);
    EXPECT_EQ(image.pixel(12, 11), 0xFFFFFF00);
    EXPECT_EQ(image.pixel(14, 10), kWhite);
    EXPECT_EQ(InkBox(image, kWhite, QRect(0, 0, 18, 18)), QRect(10, 10, 4, 2));

    EXPECT_EQ(image.pixel(20, 20), 0xFFFF0000);
    EXPECT_EQ(image.pixel(21, 21), 0xFFFF0000);
    EXPECT_EQ(image.pixel(22, 20), 0xFF00FF00);
    EXPECT_EQ(image.pixel(27, 23), 0xFF00FFFF);
    EXPECT_EQ(image.pixel(25, 22), 0xFFFFFF00);

    EXPECT_EQ(image.pixel(40, 40), 0xFFFFFF00);
    EXPECT_EQ(image.pixel(41, 40), 0xFF00FFFF);
    EXPECT_EQ(InkBox(image, kWhite, QRect(35, 35, 10, 10)), QRect(40, 40, 2, 1));

    EXPECT_EQ(image.pixel(50, 50), 0xFFFF0000);
    EXPECT_EQ(image.pixel(52, 50), 0xFF0000FF);
    // Half the source exists, so half the destination is drawn.
    EXPECT_EQ(InkBox(image, kWhite, QRect(45, 45, 20, 20)), QRect(50, 50, 4, 2));

    EXPECT_EQ(InkBox(image, kWhite, QRect(59, 59, 30, 30)), QRect());

    // Design (100, 100)-(104, 102) -> (161, 167)-(168, 170).
    EXPECT_EQ(InkBox(image, kWhite, QRect(150, 150, 30, 30)), QRect(QPoint(161, 167), QPoint(167, 169)));
}

TEST_F(QtDcTest, DibCacheFollowsTheSerial) {
    // Serial 0 is never cached; a serial stands for one picture's content.
    const std::vector<std::uint8_t> a = TestDib();
    const std::vector<std::uint8_t> b = TestDib(0x00FFFFFF);
    {
        QtDc dc(&image);
        dc.StretchDib({0, 0, 4, 2}, {0, 0, 4, 2}, DibBytes{a.data(), a.size(), 0});
        dc.StretchDib({0, 10, 4, 12}, {0, 0, 4, 2}, DibBytes{b.data(), b.size(), 0});
        dc.StretchDib({0, 20, 4, 22}, {0, 0, 4, 2}, DibBytes{a.data(), a.size(), 99});
        dc.StretchDib({0, 30, 4, 32}, {0, 0, 4, 2}, DibBytes{b.data(), b.size(), 99});
    }
    EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000);
    EXPECT_EQ(image.pixel(0, 10), 0xFF00FFFF);
    EXPECT_EQ(image.pixel(0, 20), 0xFFFF0000);
    EXPECT_EQ(image.pixel(0, 30), 0xFFFF0000);
}

TEST_F(QtDcTest, BorrowedPainterKeepsItsState) {
    QPainter painter(&image);
    painter.translate(50, 50);
    painter.setPen(QColor(0, 0, 255));
    {
        QtDc dc(painter);
        dc.FillRect({0, 0, 10, 10}, Rgb(255, 0, 0)); // device pixels of the image
        dc.SelectPen(Pen{PenStyle::Solid, 1, Rgb(0, 255, 0)});
        dc.Polyline({{0, 20}, {10, 20}});
        dc.SelectFont(Font{"Arial", -30, 700});
        dc.TextOut(0, 30, "X");
    }
    EXPECT_EQ(painter.transform(), QTransform::fromTranslate(50, 50));
    EXPECT_EQ(painter.pen().color(), QColor(0, 0, 255));
    painter.drawPoint(0, 0); // the painter's own drawing is as before
    painter.end();
    EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000);
    EXPECT_EQ(image.pixel(5, 20), 0xFF00FF00);
    EXPECT_EQ(image.pixel(50, 50), 0xFF0000FF);
}

TEST_F(QtDcTest, DeviceCapsOfAnImage) {
    QtDc dc(&image);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::HorzRes), 800);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::VertRes), 600);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::BitsPixel), 24);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::Planes), 1);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsX), image.logicalDpiX());
}

TEST_F(QtDcTest, TextWidthsScaleWithTheMapping) {
    std::vector<int> widths;
    for (const Size mode : {Size{628, 430}, Size{788, 550}, Size{1012, 718}}) {
        QtDc dc(&image);
        UseDesignMapping(dc, {628, 430}, mode);
        dc.SelectFont(Font{"Arial", 16});
        widths.push_back(dc.LpToDp(Point{dc.GetTextExtent("Bestellliste").cx, 0}).x);
    }
    EXPECT_NEAR(widths[1], widths[0] * 1.255, 2);
    EXPECT_NEAR(widths[2], widths[0] * 1.611, 2);
}

} // namespace
} // namespace qx
