#include "platform/core/CodePage.h"
#include "platform/core/DibPixels.h"
#include "platform/core/RecordingDc.h"
#include "platform/qt/Print.h"
#include "platform/qt/QtDc.h"
#include "tests/common/PdfText.h"
#include "tests/common/TempDir.h"
#include "tests/platform/QtTestApp.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTimer>

namespace qx {
namespace {

using test::InkBox;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;

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
        dc.FillRect({300, 300, 300, 320}, Rgb(0, 0, 255)); // empty: nothing
    }
    EXPECT_EQ(InkBox(image), QRect(QPoint(125, 128), QPoint(250, 191)));
    EXPECT_EQ(image.pixel(250, 191), kRed);
}

TEST_F(QtDcTest, LinesSolidDottedNullAndWide) {
    image.fill(QColor(128, 128, 128));
    {
        QtDc dc(&image);
        dc.MoveTo(10, 10); // solid: the last point is left out, as GDI does
        dc.LineTo(30, 10);
        // Dotted, opaque: three on, three off, the gaps in the background colour.
        dc.SelectPen(Pen{PenStyle::Dot, 1, Rgb(0, 0, 0)});
        dc.SetBkColor(Rgb(255, 255, 255));
        dc.Polyline({{10, 20}, {30, 20}});
        dc.SetBkMode(BkMode::Transparent); // the gaps keep what was there
        dc.Polyline({{10, 30}, {30, 30}});
        dc.SelectPen(Pen{PenStyle::Null, 1, Rgb(0, 0, 0)});
        dc.Polyline({{10, 40}, {30, 40}});
        // In a scaled mapping width 0 stays one pixel, widths 1 and 4 scale.
        UseDesignMapping(dc, {628, 430}, {1012, 718});
        for (const auto& [width, x] : {std::pair{0, 100}, std::pair{1, 150}, std::pair{4, 200}}) {
            dc.SelectPen(Pen{PenStyle::Solid, width, Rgb(0, 0, 0)});
            dc.Polyline({{x, 100}, {x, 200}});
        }
    }
    const QRgb grey = 0xFF808080;
    std::string solid, opaque, transparent;
    for (int x = 8; x < 32; ++x)
        solid += image.pixel(x, 10) == kBlack ? '#' : '-';
    for (int x = 10; x < 22; ++x) {
        opaque += image.pixel(x, 20) == kBlack ? '#' : image.pixel(x, 20) == kWhite ? '.' : '?';
        transparent += image.pixel(x, 30) == kBlack ? '#' : image.pixel(x, 30) == grey ? '-' : '?';
    }
    EXPECT_EQ(solid, "--####################--");
    EXPECT_EQ(InkBox(image, grey, QRect(0, 5, 60, 10)), QRect(10, 10, 20, 1));
    EXPECT_EQ(opaque, "###...###...");
    EXPECT_EQ(transparent, "###---###---");
    EXPECT_EQ(InkBox(image, grey, QRect(0, 38, 60, 5)), QRect());

    // Design x 100 -> 161 (1012 / 628 = 1.611), 150 -> 242, 200 -> 322;
    // 1 * 1.611 rounds to two pixels, 4 * 1.611 = 6.4 to six.
    const int y = 150 * 718 / 430;
    for (const auto& [left, centre, width] : {std::tuple{140, 161, 1}, std::tuple{230, 242, 2}, std::tuple{300, 322, 6}}) {
        const QRect ink = InkBox(image, grey, QRect(left, y, 40, 1));
        EXPECT_EQ(ink.width(), width) << centre;
        EXPECT_LE(ink.left(), centre);
        EXPECT_GE(ink.right(), centre);
    }
}

TEST_F(QtDcTest, DrawTextPlacesInkInItsBox) {
    Size extent;
    {
        QtDc dc(&image);
        dc.SelectFont(Font{"Arial", -18});
        dc.SetBkMode(BkMode::Transparent);
        extent = dc.GetTextExtent("Mitte");
        Rect centre{100, 100, 300, 200}, corner{400, 100, 600, 200};
        dc.DrawText("Mitte", centre, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.DrawText("Ecke", corner, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
        // Clipped to its rectangle, unless DT_NOCLIP.
        Rect clipped{100, 300, 130, 310}, unclipped{100, 400, 130, 410};
        dc.DrawText("Abgeschnitten", clipped, DT_LEFT);
        dc.DrawText("Abgeschnitten", unclipped, DT_LEFT | DT_NOCLIP);
    }
    EXPECT_EQ(extent.cy, 20); // 18 * (1854 + 434) / 2048 = 20.1

    const QRect mid = InkBox(image, kWhite, QRect(0, 0, 350, 250));
    EXPECT_NEAR(mid.center().x(), 200, 3);
    EXPECT_GE(mid.width(), extent.cx - 4);
    EXPECT_LE(mid.width(), extent.cx);
    // The cell (20 high) is centred: top 140, baseline 140 + 16.3; capitals
    // reach 0.716 em above it.
    EXPECT_NEAR(mid.bottom(), 156, 1);
    EXPECT_NEAR(mid.top(), 156 - 13, 1);
    const QRect corner = InkBox(image, kWhite, QRect(350, 0, 300, 250));
    EXPECT_NEAR(corner.right(), 599, 2);
    EXPECT_NEAR(corner.bottom(), 200 - 4 - 1, 1); // baseline = bottom - descent (3.8)
    EXPECT_TRUE(QRect(100, 300, 30, 10).contains(InkBox(image, kWhite, QRect(0, 290, 800, 30))));
    const QRect free = InkBox(image, kWhite, QRect(0, 390, 800, 40));
    EXPECT_TRUE(free.right() > 180 && free.bottom() > 410);
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
    EXPECT_TRUE(height >= 4 * lineHeight && height % lineHeight == 0) << height;
    EXPECT_EQ(rect.bottom, 10 + height);
    EXPECT_TRUE(rect.right <= 110 && rect.right > 60) << rect.right;

    // The same rectangle then holds all the lines.
    dc.SetBkMode(BkMode::Transparent);
    EXPECT_EQ(dc.DrawText(text, rect, DT_WORDBREAK), height);
    const QRect ink = InkBox(image);
    EXPECT_TRUE(QRect(10, 10, rect.right - 10, height).contains(ink));
    EXPECT_GT(ink.bottom(), rect.bottom - lineHeight);

    // Without DT_WORDBREAK a single line is measured.
    Rect one{10, 10, 110, 20};
    dc.DrawText(text, one, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_TRUE(one.bottom == 10 + lineHeight && one.right > 300);
}

TEST_F(QtDcTest, FontHeightsTextAlignmentAndOpaqueCells) {
    // A negative height is the em, a positive one the cell.
    const FontCell cell16 = CellOf(Font{"Arial", 16});
    EXPECT_DOUBLE_EQ(CellOf(Font{"Arial", -18}).em, 18);
    EXPECT_NEAR(cell16.em, 16 * 2048.0 / 2288, 0.05);
    EXPECT_EQ(std::tuple(cell16.height, CellOf(Font{"Arial", 0}).height), std::tuple(16, 16));
    const QFont bold = ToQFont(Font{"Arial", 16, 700}, 1.0);
    EXPECT_TRUE(bold.pixelSize() == 14 && bold.bold());

    Size extent;
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
        // Opaque text fills its cell with the background colour.
        dc.SetTextAlign(TA_TOP | TA_LEFT);
        dc.SelectFont(Font{"Arial", -12});
        dc.SetBkColor(Rgb(0, 255, 0));
        dc.SetBkMode(BkMode::Opaque);
        extent = dc.GetTextExtent("Hallo");
        dc.TextOut(10, 400, "Hallo");
    }
    const QRect big = InkBox(image, kWhite, QRect(90, 90, 50, 40));
    const QRect small = InkBox(image, kWhite, QRect(190, 90, 50, 40));
    // Capital height is 0.716 em: 12.9 and 10.3 pixels.
    EXPECT_NEAR(big.height(), 13, 1);
    EXPECT_NEAR(small.height(), 10, 1);
    EXPECT_NEAR(big.bottom() + 1, 100 + 18 * 0.905, 1); // baseline
    EXPECT_NEAR(small.bottom() + 1, 100 + 14.32 * 0.905, 1);
    const QRect baseline = InkBox(image, kWhite, QRect(350, 250, 100, 100));
    EXPECT_EQ(baseline.bottom(), 299);
    EXPECT_NEAR(baseline.right(), 399, 2);
    const QRect bottom = InkBox(image, kWhite, QRect(550, 250, 100, 100));
    EXPECT_NEAR(bottom.bottom() + 1, 300 - 14.32 * 0.212, 1);
    EXPECT_NEAR(bottom.center().x(), 600, 1);

    EXPECT_EQ(image.pixel(10, 400), kGreen);
    EXPECT_EQ(image.pixel(10 + extent.cx - 1, 400 + extent.cy - 1), kGreen);
    EXPECT_EQ(image.pixel(10 + extent.cx + 1, 400), kWhite);
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
        dc.StretchDib({40, 40, 42, 41}, {2, 1, 4, 2}, dib); // the right two of the bottom row
        dc.StretchDib({50, 50, 58, 52}, {0, 0, 8, 2}, dib); // beyond the picture: what exists
        // Nothing for an empty destination or a broken picture.
        dc.StretchDib({60, 60, 60, 70}, {0, 0, 4, 2}, dib);
        const std::uint8_t junk[8] = {1, 2, 3};
        dc.StretchDib({70, 70, 80, 80}, {0, 0, 4, 2}, DibBytes{junk, sizeof junk, 4712});
        UseDesignMapping(dc, {628, 430}, {1012, 718});
        dc.StretchDib({100, 100, 104, 102}, {0, 0, 4, 2}, dib);
    }
    const struct {
        int x, y;
        QRgb colour;
    } pixels[] = {{10, 10, kRed},        {13, 10, kWhite},      {12, 11, 0xFFFFFF00}, {20, 20, kRed},
                  {21, 21, kRed},        {22, 20, kGreen},      {27, 23, 0xFF00FFFF}, {25, 22, 0xFFFFFF00},
                  {40, 40, 0xFFFFFF00}, {41, 40, 0xFF00FFFF}, {50, 50, kRed},        {52, 50, 0xFF0000FF}};
    for (const auto& p : pixels)
        EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
    EXPECT_EQ(InkBox(image, kWhite, QRect(0, 0, 18, 18)), QRect(10, 10, 4, 2));
    EXPECT_EQ(InkBox(image, kWhite, QRect(35, 35, 10, 10)), QRect(40, 40, 2, 1));
    EXPECT_EQ(InkBox(image, kWhite, QRect(45, 45, 20, 20)), QRect(50, 50, 4, 2)); // half the source, half drawn
    EXPECT_EQ(InkBox(image, kWhite, QRect(59, 59, 30, 30)), QRect());
    // Design (100, 100)-(104, 102) -> (161, 167)-(168, 170).
    EXPECT_EQ(InkBox(image, kWhite, QRect(150, 150, 30, 30)), QRect(QPoint(161, 167), QPoint(167, 169)));
}

TEST_F(QtDcTest, DibCacheFollowsTheSerial) {
    // Serial 0 is never cached; a serial stands for one picture's content.
    const std::vector<std::uint8_t> a = TestDib(), b = TestDib(0x00FFFFFF);
    {
        QtDc dc(&image);
        int y = 0;
        for (const auto& [bytes, serial] : {std::pair{&a, 0}, std::pair{&b, 0}, std::pair{&a, 99}, std::pair{&b, 99}}) {
            dc.StretchDib({0, y, 4, y + 2}, {0, 0, 4, 2}, DibBytes{bytes->data(), bytes->size(), std::uint64_t(serial)});
            y += 10;
        }
    }
    EXPECT_EQ((std::vector<QRgb>{image.pixel(0, 0), image.pixel(0, 10), image.pixel(0, 20), image.pixel(0, 30)}),
              (std::vector<QRgb>{kRed, 0xFF00FFFF, kRed, kRed}));
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
    EXPECT_EQ((std::vector<QRgb>{image.pixel(0, 0), image.pixel(5, 20), image.pixel(50, 50)}),
              (std::vector<QRgb>{kRed, kGreen, 0xFF0000FF}));
}

TEST_F(QtDcTest, DeviceCapsAndTextWidthsOfTheMapping) {
    std::vector<int> widths;
    for (const Size mode : {Size{628, 430}, Size{788, 550}, Size{1012, 718}}) {
        QtDc dc(&image);
        UseDesignMapping(dc, {628, 430}, mode);
        dc.SelectFont(Font{"Arial", 16});
        widths.push_back(dc.LpToDp(Point{dc.GetTextExtent("Bestellliste").cx, 0}).x);
    }
    EXPECT_NEAR(widths[1], widths[0] * 1.255, 2);
    EXPECT_NEAR(widths[2], widths[0] * 1.611, 2);

    QtDc dc(&image);
    EXPECT_EQ((std::vector<int>{dc.GetDeviceCaps(DeviceCap::HorzRes), dc.GetDeviceCaps(DeviceCap::VertRes),
                                dc.GetDeviceCaps(DeviceCap::BitsPixel), dc.GetDeviceCaps(DeviceCap::Planes),
                                dc.GetDeviceCaps(DeviceCap::LogPixelsX)}),
              (std::vector<int>{800, 600, 24, 1, image.logicalDpiX()}));
}

using test::PdfText;

// The printer: a Qt device context on pages of a PDF file or a printer.
QString Pdf(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

TEST(PrintTest, PdfPagesHoldWhatWasDrawnAndAnAbortedJobNothing) {
    test::TestApp();
    SetAnsiCodePage(CodePage::Cp1252);
    test::TempDir dir;
    const QString file = Pdf(dir / "job.pdf");
    {
        PrinterDc dc(file);
        // Printable area of A4 less 5 mm margins at 600 dpi: 200 x 287 mm.
        EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::HorzRes), 200 / 25.4 * 600, 5);
        EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::VertRes), 287 / 25.4 * 600, 5);
        EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsY), 600);

        EXPECT_FALSE(dc.EndPage()) << "no page open yet";
        dc.TextOut(10, 10, "vor der Seite");
        ASSERT_TRUE(dc.StartPage());
        EXPECT_FALSE(dc.StartPage()) << "a page is already open";
        dc.SelectFont(Font{"Arial", -100});
        dc.TextOut(100, 500, "Bestellung Seite eins");
        Rect r{100, 700, 3000, 1200};
        dc.DrawText("Gr\xF6\xDF" "e und Ma\xDF", r, DT_LEFT | DT_WORDBREAK);
        dc.MoveTo(100, 900);
        dc.LineTo(3000, 900);
        EXPECT_TRUE(dc.EndPage());
        dc.TextOut(10, 10, "zwischen den Seiten");
        ASSERT_TRUE(dc.StartPage());
        dc.TextOut(100, 500, "Seite zwei");
        EXPECT_TRUE(dc.EndPage());
        EXPECT_EQ(dc.PagesStarted(), 2);
        EXPECT_TRUE(dc.EndDoc());
        EXPECT_FALSE(dc.StartPage()) << "the document has ended";
    }
    // Two pages (a form feed after each), nothing drawn outside them.
    QStringList pages = PdfText(file).split(QLatin1Char('\f'));
    for (QString& page : pages)
        page = page.simplified();
    EXPECT_EQ(pages, (QStringList{QStringLiteral("Bestellung Seite eins Größe und Maß"), QStringLiteral("Seite zwei"),
                                  QString()}));

    // Text measures the same on paper and on the screen.
    QImage image(100, 100, QImage::Format_RGB32);
    QtDc screen(&image);
    PrinterDc paper(Pdf(dir / "m.pdf"));
    for (const Font& f : {Font{"Arial", -12}, Font{"Arial", 16, 700}, Font{"Arial", 14}}) {
        screen.SelectFont(f);
        paper.SelectFont(f);
        const std::string text = "Lieferant: Werkzeugbau GmbH, Best.-Nr. 1234/56";
        EXPECT_EQ(screen.GetTextExtent(text), paper.GetTextExtent(text)) << f.height;
    }

    // An aborted job is abandoned: nothing more is drawn, no file is left.
    PrinterDc aborted(Pdf(dir / "abort.pdf"));
    ASSERT_TRUE(aborted.StartPage());
    aborted.TextOut(10, 10, "weg");
    aborted.Abort();
    EXPECT_TRUE(aborted.IsAborted());
    EXPECT_FALSE(aborted.EndPage() || aborted.StartPage());
    aborted.TextOut(10, 10, "nichts");
    EXPECT_FALSE(aborted.EndDoc());
    EXPECT_FALSE(QFileInfo::exists(Pdf(dir / "abort.pdf")));
}

TEST(PrintTest, BackendOverrides) {
    test::TestApp();
    test::TempDir dir;
    dir.Write("QTX-1.pdf", "kept");

    PrintBackend::SetPrintToDirectory(Pdf(dir.Path()));
    {
        std::unique_ptr<Dc> first = PrintBackend::ChoosePrinter(nullptr);
        std::unique_ptr<Dc> second = PrintBackend::ChoosePrinter(nullptr);
        ASSERT_TRUE(first && second);
        for (Dc* dc : {first.get(), second.get()}) {
            ASSERT_TRUE(dc->StartPage());
            dc->TextOut(100, 100, dc == first.get() ? "erster Auftrag" : "zweiter Auftrag");
            ASSERT_TRUE(dc->EndPage());
        }
        EXPECT_TRUE(PrintBackend::EndDoc(*first));
    } // the second ends with its context
    PrintBackend::SetPrintToDirectory(QString());
    EXPECT_EQ(test::ReadAll(dir / "QTX-1.pdf"), "kept");
    EXPECT_TRUE(PdfText(Pdf(dir / "QTX-2.pdf")).contains(QStringLiteral("erster Auftrag")));
    EXPECT_TRUE(PdfText(Pdf(dir / "QTX-3.pdf")).contains(QStringLiteral("zweiter Auftrag")));

    // A recorder takes precedence; a null answer is a cancelled dialog.
    RecordingDc* recorded = nullptr;
    PrintBackend::SetPrintRecorder([&recorded]() -> std::unique_ptr<Dc> {
        auto dc = std::make_unique<RecordingDc>(Size{4800, 6800}, true);
        recorded = dc.get();
        return dc;
    });
    PrintBackend::SetPrintToDirectory(Pdf(dir.Path()));
    std::unique_ptr<Dc> job = PrintBackend::ChoosePrinter(nullptr);
    ASSERT_EQ(job.get(), recorded);
    EXPECT_TRUE(job->StartPage());
    EXPECT_TRUE(PrintBackend::EndDoc(*job));
    PrintBackend::Abort(*job); // nothing to abandon
    PrintBackend::SetPrintRecorder([] { return std::unique_ptr<Dc>(); });
    EXPECT_EQ(PrintBackend::ChoosePrinter(nullptr), nullptr);
    PrintBackend::SetPrintRecorder({});
    PrintBackend::SetPrintToDirectory(QString());
    EXPECT_FALSE(QFileInfo::exists(Pdf(dir / "QTX-4.pdf")));
}

TEST(PrintTest, CancelledPrintDialogGivesNothing) {
    test::TestApp();
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            d->reject();
    });
    EXPECT_EQ(PrintBackend::ChoosePrinter(nullptr), nullptr);
}

} // namespace
} // namespace qx
