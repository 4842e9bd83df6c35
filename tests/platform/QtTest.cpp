// The Qt layer, offscreen: drawing on images and printing to PDF files,
// message boxes and file dialogs, the desktop's opener, and dialog windows.
#include "platform/core/CodePage.h"
#include "platform/core/DibPixels.h"
#include "platform/core/Path.h"
#include "platform/core/RecordingDc.h"
#include "platform/qt/LayoutCheck.h"
#include "platform/qt/Print.h"
#include "platform/qt/QtDc.h"
#include "platform/qt/QtUi.h"
#include "platform/qt/Window.h"
#include "tests/app/GuiFixture.h"
#include "tests/common/PdfText.h"
#include "tests/common/TempDir.h"
#include "tests/platform/QtTestApp.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <set>
#include <tuple>
#include <vector>

namespace qx {
namespace {

using test::InkBox;
using testing::WhenModal;

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
    EXPECT_EQ(std::pair(InkBox(image), image.pixel(250, 191)), std::pair(QRect(125, 128, 126, 64), kRed));
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
    std::string opaque, transparent;
    for (int x = 10; x < 22; ++x) {
        opaque += image.pixel(x, 20) == kBlack ? '#' : image.pixel(x, 20) == kWhite ? '.' : '?';
        transparent += image.pixel(x, 30) == kBlack ? '#' : image.pixel(x, 30) == grey ? '-' : '?';
    }
    EXPECT_EQ(std::tuple(InkBox(image, grey, QRect(0, 5, 60, 10)), image.pixel(29, 10), opaque, transparent,
                         InkBox(image, grey, QRect(0, 38, 60, 5))),
              std::tuple(QRect(10, 10, 20, 1), kBlack, "###...###...", "###---###---", QRect()));

    // Design x 100 -> 161 (1012 / 628 = 1.611), 150 -> 242, 200 -> 322;
    // 1 * 1.611 rounds to two pixels, 4 * 1.611 = 6.4 to six.
    const int y = 150 * 718 / 430;
    for (const auto& [left, centre, width] : {std::tuple{140, 161, 1}, std::tuple{230, 242, 2}, std::tuple{300, 322, 6}}) {
        const QRect ink = InkBox(image, grey, QRect(left, y, 40, 1));
        EXPECT_TRUE(ink.width() == width && ink.left() <= centre && ink.right() >= centre) << centre;
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
    EXPECT_TRUE(mid.width() >= extent.cx - 4 && mid.width() <= extent.cx) << mid.width();
    // The cell (20 high) is centred: top 140, baseline 140 + 16.3; capitals reach 0.716 em above it.
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
    EXPECT_TRUE(height >= 4 * lineHeight && height % lineHeight == 0 && rect.bottom == 10 + height) << height;
    EXPECT_TRUE(rect.right <= 110 && rect.right > 60) << rect.right;

    // The same rectangle then holds all the lines.
    dc.SetBkMode(BkMode::Transparent);
    EXPECT_EQ(dc.DrawText(text, rect, DT_WORDBREAK), height);
    const QRect ink = InkBox(image);
    EXPECT_TRUE(QRect(10, 10, rect.right - 10, height).contains(ink) && ink.bottom() > rect.bottom - lineHeight);

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
        dc.SetBkColor(Rgb(0, 255, 0)); // transparent text leaves it out
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
        dc.SetBkMode(BkMode::Opaque);
        extent = dc.GetTextExtent("Hallo");
        dc.TextOut(10, 400, "Hallo");
    }
    const QRect big = InkBox(image, kWhite, QRect(90, 90, 50, 40));
    const QRect small = InkBox(image, kWhite, QRect(190, 90, 50, 40));
    // Capital height is 0.716 em: 12.9 and 10.3 pixels.
    EXPECT_TRUE(std::abs(big.height() - 13) <= 1 && std::abs(small.height() - 10) <= 1);
    EXPECT_NEAR(big.bottom() + 1, 100 + 18 * 0.905, 1); // baseline
    EXPECT_NEAR(small.bottom() + 1, 100 + 14.32 * 0.905, 1);
    const QRect baseline = InkBox(image, kWhite, QRect(350, 250, 100, 100));
    EXPECT_TRUE(baseline.bottom() == 299 && std::abs(baseline.right() - 399) <= 2);
    const QRect bottom = InkBox(image, kWhite, QRect(550, 250, 100, 100));
    EXPECT_NEAR(bottom.bottom() + 1, 300 - 14.32 * 0.212, 1);
    EXPECT_NEAR(bottom.center().x(), 600, 1);
    EXPECT_EQ((std::vector<QRgb>{image.pixel(10, 400), image.pixel(10 + extent.cx - 1, 400 + extent.cy - 1),
                                 image.pixel(10 + extent.cx + 1, 400)}), (std::vector<QRgb>{kGreen, kGreen, kWhite}));
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
        dc.StretchDib({34, 10, 30, 12}, {0, 0, 4, 2}, dib); // mirrored left to right
        // Nothing for an empty destination or a broken picture.
        dc.StretchDib({60, 60, 60, 70}, {0, 0, 4, 2}, dib);
        const std::uint8_t junk[8] = {1, 2, 3};
        dc.StretchDib({70, 70, 80, 80}, {0, 0, 4, 2}, DibBytes{junk, sizeof junk, 4712});
        UseDesignMapping(dc, {628, 430}, {1012, 718});
        dc.StretchDib({100, 100, 104, 102}, {0, 0, 4, 2}, dib);
    }
    const std::tuple<int, int, QRgb> pixels[] = {
        {10, 10, kRed},        {13, 10, kWhite},      {12, 11, 0xFFFFFF00}, {20, 20, kRed},
        {21, 21, kRed},        {22, 20, kGreen},      {27, 23, 0xFF00FFFF}, {25, 22, 0xFFFFFF00},
        {40, 40, 0xFFFFFF00}, {41, 40, 0xFF00FFFF}, {50, 50, kRed},        {52, 50, 0xFF0000FF},
        {33, 10, kRed},        {30, 10, kWhite}};
    for (const auto& [x, y, colour] : pixels)
        EXPECT_EQ(image.pixel(x, y), colour) << x << "," << y;
    // Beyond the picture: half the source, half drawn. Design (100, 100)-(104, 102) -> (161, 167)-(168, 170).
    std::vector<QRect> inks;
    for (const QRect& area :
         {QRect(0, 0, 18, 18), QRect(35, 35, 10, 10), QRect(45, 45, 20, 20), QRect(59, 59, 30, 30), QRect(150, 150, 30, 30)})
        inks.push_back(InkBox(image, kWhite, area));
    EXPECT_EQ(inks, (std::vector<QRect>{{10, 10, 4, 2}, {40, 40, 2, 1}, {50, 50, 4, 2}, {}, {161, 167, 7, 3}}));

    // Serial 0 is never cached; a serial stands for one picture's content.
    const std::vector<std::uint8_t> a = TestDib(), b = TestDib(0x00FFFFFF);
    {
        QtDc dc(&image);
        int y = 0;
        for (const auto& [pic, serial] : {std::pair{&a, 0}, std::pair{&b, 0}, std::pair{&a, 99}, std::pair{&b, 99}}) {
            dc.StretchDib({0, y, 4, y + 2}, {0, 0, 4, 2}, DibBytes{pic->data(), pic->size(), std::uint64_t(serial)});
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
    EXPECT_TRUE(painter.transform() == QTransform::fromTranslate(50, 50) && painter.pen().color() == QColor(0, 0, 255));
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
    EXPECT_TRUE(std::abs(widths[1] - widths[0] * 1.255) <= 2 && std::abs(widths[2] - widths[0] * 1.611) <= 2)
        << widths[0] << " " << widths[1] << " " << widths[2];

    QtDc dc(&image);
    EXPECT_EQ((std::vector<int>{dc.GetDeviceCaps(DeviceCap::HorzRes), dc.GetDeviceCaps(DeviceCap::VertRes),
                                dc.GetDeviceCaps(DeviceCap::BitsPixel), dc.GetDeviceCaps(DeviceCap::Planes),
                                dc.GetDeviceCaps(DeviceCap::LogPixelsX)}),
              (std::vector<int>{800, 600, 24, 1, image.logicalDpiX()}));
}

// Texts as a page draws them: each with the box its glyphs cover.
struct Inked : QWidget {
    using QWidget::QWidget;
    std::vector<std::pair<const char*, QRectF>> texts;
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (const auto& [text, ink] : texts)
            RecordDrawnText(painter, QString::fromLatin1(text), ink);
    }
};

// A label of one line needs the height of its glyphs, one of two lines two
// line spacings. Texts that share half a pixel do not overlap; texts of
// another window are not this window's.
TEST(LayoutCheck, LabelsDrawnTextsAndOtherWindows) {
    test::TestApp();
    QWidget window, other;
    QLabel one(QStringLiteral("eins"), &window), two(QStringLiteral("zwei\ndrei"), &window);
    const QFontMetricsF m(one.font());
    one.setGeometry(0, 0, 200, static_cast<int>(std::ceil(m.ascent() + m.descent())));
    two.setGeometry(0, 100, 200, static_cast<int>(m.lineSpacing() * 1.5));
    Inked drawn(&window), elsewhere(&other);
    drawn.setGeometry(0, 200, 200, 40);
    drawn.texts = {{"links", QRectF(10, 10, 20.5, 10)}, {"rechts", QRectF(30, 10, 20, 10)}};
    elsewhere.texts = {{"fremd", QRectF(10, 10, 20, 10)}};
    other.show();
    LayoutRecorder recorder;
    window.grab();
    other.grab();
    EXPECT_EQ(recorder.Problems(window), std::vector<std::string>{"\"zwei drei\" is cut"});
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
        EXPECT_TRUE(std::abs(dc.GetDeviceCaps(DeviceCap::HorzRes) - 200 / 25.4 * 600) <= 5 &&
                    std::abs(dc.GetDeviceCaps(DeviceCap::VertRes) - 287 / 25.4 * 600) <= 5 &&
                    dc.GetDeviceCaps(DeviceCap::LogPixelsY) == 600);
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
        dc.DrawText("zwischen den Seiten", r, DT_LEFT);
        ASSERT_TRUE(dc.StartPage());
        dc.TextOut(100, 500, "Seite zwei");
        EXPECT_TRUE(dc.EndPage() && dc.PagesStarted() == 2 && dc.EndDoc());
        EXPECT_FALSE(dc.StartPage()) << "the document has ended";
        dc.Abort(); // nothing left to abandon: the file stays
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
    EXPECT_TRUE(aborted.IsAborted() && !aborted.EndPage() && !aborted.StartPage());
    aborted.TextOut(10, 10, "nichts");
    EXPECT_FALSE(aborted.EndDoc() || QFileInfo::exists(Pdf(dir / "abort.pdf")));
    PrinterDc unused(Pdf(dir / "unused.pdf"));
    unused.Abort();
    EXPECT_FALSE(unused.EndDoc()) << "aborted before its first page";
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
    EXPECT_TRUE(PdfText(Pdf(dir / "QTX-2.pdf")).contains(QStringLiteral("erster Auftrag")) &&
                PdfText(Pdf(dir / "QTX-3.pdf")).contains(QStringLiteral("zweiter Auftrag")));

    // A recorder takes precedence; a null answer is a cancelled dialog.
    PrintBackend::SetPrintRecorder([] { return std::make_unique<RecordingDc>(Size{4800, 6800}, true); });
    PrintBackend::SetPrintToDirectory(Pdf(dir.Path()));
    std::unique_ptr<Dc> job = PrintBackend::ChoosePrinter(nullptr);
    ASSERT_NE(dynamic_cast<RecordingDc*>(job.get()), nullptr);
    EXPECT_TRUE(job->StartPage() && PrintBackend::EndDoc(*job));
    PrintBackend::Abort(*job); // nothing to abandon
    PrintBackend::SetPrintRecorder([] { return std::unique_ptr<Dc>(); });
    EXPECT_EQ(PrintBackend::ChoosePrinter(nullptr), nullptr);
    PrintBackend::SetPrintRecorder({});
    PrintBackend::SetPrintToDirectory(QString());
    EXPECT_FALSE(QFileInfo::exists(Pdf(dir / "QTX-4.pdf")));

    // A cancelled print dialog gives nothing. It prints whole documents, to a printer or a file.
    using Dialog = QAbstractPrintDialog;
    Dialog::PrintDialogOptions offered;
    QTimer::singleShot(0, [&offered] {
        if (auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            offered = d->options();
            d->reject();
        }
    });
    EXPECT_EQ(PrintBackend::ChoosePrinter(nullptr), nullptr);
    EXPECT_EQ(offered & (Dialog::PrintSelection | Dialog::PrintPageRange | Dialog::PrintCurrentPage | Dialog::PrintToFile),
              Dialog::PrintToFile);
}

// Shows a box; the dialog side presses Escape, then (if still open) clicks
// the button with the given standard role. The answer, then what the box showed:
// title, text, icon, buttons and whether Escape left it open.
auto AskAndAnswer(QtUi& ui, std::string_view text, unsigned type, QMessageBox::StandardButton click) {
    std::tuple<int, QString, QString, QMessageBox::Icon, int, bool> seen;
    WhenModal([&seen, click](QWidget& w) {
        auto* box = qobject_cast<QMessageBox*>(&w);
        ASSERT_NE(box, nullptr);
        const int buttons = static_cast<int>(box->findChildren<QPushButton*>().size());
        QTest::keyClick(box, Qt::Key_Escape);
        seen = {0, box->windowTitle(), box->text(), box->icon(), buttons, box->isVisible()};
        if (box->isVisible() && click != QMessageBox::NoButton)
            box->button(click)->click();
    });
    std::get<0>(seen) = ui.MessageBox(text, "QUARVENTA AG", type);
    return seen;
}

TEST(QtUiTest, MessageBoxButtonsIconsAndEscape) {
    test::TestApp();
    SetAnsiCodePage(CodePage::Cp1252);
    QtUi ui;
    using QM = QMessageBox;
    const auto [ok, title, text, icon, buttons, open] =
        AskAndAnswer(ui, "M\xF6" "chten Sie das Programm beenden?", MB_OK | MB_ICONEXCLAMATION, QM::NoButton);
    EXPECT_EQ(std::tuple(ok, title, text, icon),
              std::tuple(IDOK, QStringLiteral("QUARVENTA AG"), QStringLiteral("Möchten Sie das Programm beenden?"),
                         QM::Warning));
    const auto box = [&ui](unsigned type, QMessageBox::StandardButton click) {
        const auto seen = AskAndAnswer(ui, "?", type, click);
        return std::tuple{std::get<0>(seen), std::get<3>(seen), std::get<4>(seen), std::get<5>(seen)};
    };
    EXPECT_EQ(box(MB_OK, QM::NoButton), std::tuple(IDOK, QM::NoIcon, 1, false));
    EXPECT_EQ(box(MB_OKCANCEL | MB_ICONEXCLAMATION, QM::NoButton), std::tuple(IDCANCEL, QM::Warning, 2, false));
    EXPECT_EQ(box(MB_YESNOCANCEL, QM::NoButton), std::tuple(IDCANCEL, QM::NoIcon, 3, false));
    // Yes/No has no Escape; the user has to choose.
    EXPECT_EQ(box(MB_YESNO | MB_ICONINFORMATION, QM::No), std::tuple(IDNO, QM::Information, 2, true));
    EXPECT_EQ(box(MB_YESNO, QM::Yes), std::tuple(IDYES, QM::NoIcon, 2, true));
    WhenModal([](QWidget& w) { static_cast<QDialog&>(w).reject(); }); // ended by the program: the last choice
    EXPECT_EQ(ui.MessageBox("?", "QUARVENTA AG", MB_YESNO), IDNO);
}

TEST(QtUiTest, NameFiltersAndCommandLines) {
    SetAnsiCodePage(CodePage::Cp1252);
    EXPECT_EQ(NameFiltersOf("Installationspfad | *.* ||"), QStringList{QStringLiteral("Installationspfad (*)")});
    EXPECT_EQ(NameFiltersOf("Bilder (*.bmp;*.jpg) | *.bmp;*.jpg | Alle Dateien | *.* ||"),
              (QStringList{QStringLiteral("Bilder (*.bmp *.jpg)"), QStringLiteral("Alle Dateien (*)")}));
    SetAnsiCodePage(CodePage::Cp1250);
    EXPECT_EQ(NameFiltersOf("Objedn\xE1vka (*.stk) | *.stk ||"), QStringList{QStringLiteral("Objednávka (*.stk)")});
    SetAnsiCodePage(CodePage::Cp1252);
    EXPECT_TRUE(NameFiltersOf("").isEmpty());

    // The program ends after its ".exe" (not inside a longer name) or the first blank.
    for (const auto& [line, program, arguments] :
         {std::tuple{"C:\\Programme\\Viewer\\view.exe D:\\PDF\\LANG1\\a.pdf", "C:\\Programme\\Viewer\\view.exe",
                     "D:\\PDF\\LANG1\\a.pdf"},
          {"C:\\Program Files\\Tool.EXE -a  b ", "C:\\Program Files\\Tool.EXE", "-a  b"},
          {"notepad readme.txt", "notepad", "readme.txt"}, {"C:\\My Tools\\run.exe", "C:\\My Tools\\run.exe", ""},
          {"\"C:\\a b\\x.exe\" y z", "C:\\a b\\x.exe", "y z"}, {"C:\\x.exefile arg", "C:\\x.exefile", "arg"}})
        EXPECT_EQ(SplitCommandLine(line), (std::pair<std::string, std::string>(program, arguments))) << line;
}

TEST(QtUiTest, FileDialogsStartWhereAskedAndAnswerInBackslashForm) {
    test::TestApp();
    SetAnsiCodePage(CodePage::Cp1252);
    test::TempDir dir;
    dir.Write("ALT.STK", "x");
    QtUi ui;
    FileDialogSpec spec{"*.STK", "Bestellliste (*.stk) | *.stk ||", ToWindowsPath(dir.Path()), "stk"};

    QString seenDir;
    QStringList seenFilters;
    bool seenSave = true;
    WhenModal([&](QWidget& w) {
        auto* d = qobject_cast<QFileDialog*>(&w);
        ASSERT_NE(d, nullptr);
        seenDir = d->directory().absolutePath();
        seenFilters = d->nameFilters();
        seenSave = d->acceptMode() == QFileDialog::AcceptSave;
        // A name that does not exist yet: a new order list.
        d->selectFile(QStringLiteral("neu"));
        static_cast<QDialog*>(d)->accept(); // virtual: QFileDialog::accept
    });
    EXPECT_EQ(ui.GetOpenFileName(spec), ToWindowsPath(dir / "neu.stk"));
    EXPECT_EQ(std::tuple(seenDir, seenFilters, seenSave), std::tuple(QString::fromStdString(dir.Path().string()),
                                                                    QStringList{QStringLiteral("Bestellliste (*.stk)")},
                                                                    false));

    // Save: an existing name is taken as it is when no overwrite prompt is asked for.
    spec.fileName = "ALT.STK";
    WhenModal([&](QWidget& w) {
        seenSave = qobject_cast<QFileDialog*>(&w)->acceptMode() == QFileDialog::AcceptSave;
        static_cast<QDialog&>(w).accept(); // virtual: QFileDialog::accept
    });
    EXPECT_TRUE(ui.GetSaveFileName(spec) == ToWindowsPath(dir / "ALT.STK") && seenSave);

    WhenModal([](QWidget& w) { qobject_cast<QDialog*>(&w)->reject(); });
    EXPECT_FALSE(ui.GetOpenFileName(spec).has_value());
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls.append(url); }
};

TEST(QtUiTest, ShellOpenAndRunProgramNeedAnExistingFile) {
    test::TestApp();
    test::TempDir dir;
    const auto doc = dir.Write("PDF/LANG1/Katalog.pdf", "%PDF-1.4");
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    QtUi ui;
    // Letter case of the catalogue's path does not matter.
    EXPECT_TRUE(ui.ShellOpen(ToWindowsPath(dir.Path()) + "\\pdf\\lang1\\KATALOG.PDF"));
    EXPECT_FALSE(ui.ShellOpen(ToWindowsPath(dir.Path()) + "\\PDF\\LANG1\\fehlt.pdf"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(doc.string()))});

    EXPECT_TRUE(ui.RunProgram("\\bin\\true Katalog.pdf"));
    EXPECT_FALSE(ui.RunProgram(ToWindowsPath(dir.Path()) + "\\fehlt.exe /x") || ui.RunProgram(""));
}

// The desktop's opener finds no program for the file and ends in failure
// after ShellOpen returned: whoever asked is told which file, and only then.
TEST(QtUiTest, AnOpenerThatFindsNoProgramIsTold) {
    test::TestApp();
    test::TempDir dir;
    dir.Write("Katalog.pdf", "%PDF-1.4");
    const auto opener = dir.Write("bin/xdg-open", "#!/bin/sh\ncase \"$1\" in *Offen*) exit 0;; esac\nexit 3\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString((dir / "bin").string()) + ":" + path);
    std::vector<std::string> told;
    QtUi ui;
    ui.SetOpenFailedNotice([&told](const std::string& file) { told.push_back(file); });
    const std::string doc = ToWindowsPath(dir.Path()) + "\\Katalog.pdf";
    EXPECT_TRUE(ui.ShellOpen(ToWindowsPath(dir.Write("Offen.pdf", "%PDF-1.4"))) && ui.ShellOpen(doc));
    EXPECT_TRUE(QTest::qWaitFor([&told] { return !told.empty(); }, 10000)); // the opener runs on its own
    EXPECT_EQ(told, std::vector<std::string>{doc});
    dir.Write("bin/xdg-open", "\x7F" "ELF"); // an opener that cannot even start: answered at once
    EXPECT_FALSE(ui.ShellOpen(doc));
    qputenv("PATH", path);
}

// Dialog windows: the list box without items of its own (a row count, rows
// drawn by the owner on demand, the selection and notifications of any list
// box), and who takes the keyboard when a window appears.
constexpr int kList = 1080;

class RowsDialog : public DialogWindow {
public:
    RowsDialog() : DialogWindow(nullptr, Kind::Modal) {
        ControlStyle style;
        style.ownerDraw = true;
        style.noData = true;
        style.itemHeight = 16;
        AddControl(kList, ControlKind::ListBox, style);
        MoveItem(kList, Rect{0, 0, 200, 160});
        resize(200, 160);
    }
    std::set<int> drawn;
    std::vector<std::pair<int, int>> commands;
    Point menuAt{};

protected:
    void OnDrawItem(DrawItem& item) override {
        drawn.insert(item.itemId);
        item.dc->FillRect(item.rect, item.selected ? Rgb(0, 0, 255) : Rgb(255, 255, 255));
    }
    void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
    void OnContextMenu(int, Point screen) override { menuAt = screen; }
};

TEST(NoDataList, HoldsTwoHundredThousandRowsAndDrawsOnlyTheVisible) {
    test::TestApp();
    RowsDialog d;
    d.SetListCount(kList, 200000);
    d.SetCurSel(kList, 0);
    d.show();
    QApplication::processEvents(); // the view lays its rows out when it gets to it
    d.repaint();
    EXPECT_EQ(std::pair(d.GetCount(kList), d.GetCurSel(kList)), std::pair(200000, 0));
    // 160 pixels of 16-pixel rows, and a part row, from the first.
    EXPECT_TRUE(!d.drawn.empty() && d.drawn.size() <= 12u && *d.drawn.rbegin() == int(d.drawn.size()) - 1);

    // Selecting from the program scrolls there and tells nothing.
    d.drawn.clear();
    d.SetCurSel(kList, 199999);
    QApplication::processEvents();
    d.repaint();
    EXPECT_EQ(d.GetCurSel(kList), 199999);
    EXPECT_TRUE(d.drawn.count(199999) && d.drawn.size() <= 12u && d.commands.empty());

    // The user's keys and clicks tell, as with any list box.
    QWidget* list = d.Item(kList);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(std::pair(d.GetCurSel(kList), d.commands),
              std::pair(199998, std::vector<std::pair<int, int>>{{kList, LBN_SELCHANGE}}));
    auto* view = static_cast<QListView*>(list);
    const QRect row = view->visualRect(view->model()->index(199995, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(std::pair(d.GetCurSel(kList), d.commands.back()), std::pair(199995, std::pair(kList, int{LBN_DBLCLK})));
    // The Menu key on a row scrolled out of sight opens the menu at the bottom edge of the list.
    d.EnableContextMenu(kList);
    view->scrollToTop();
    QTest::keyClick(list, Qt::Key_Menu);
    EXPECT_EQ(d.menuAt.y, view->viewport()->mapToGlobal(QPoint(0, view->viewport()->height() - 1)).y());

    // Refilled shorter, the selection is gone; out of range selects nothing.
    d.SetListCount(kList, 3);
    EXPECT_EQ(std::pair(d.GetCount(kList), d.GetCurSel(kList)), std::pair(3, -1));
    d.SetCurSel(kList, 3);
    const int outOfRange = d.GetCurSel(kList);
    d.ResetContent(kList);
    EXPECT_EQ(std::pair(outOfRange, d.GetCount(kList)), std::pair(-1, 0));
}

// Tab goes from control to control of the window; an edit keeps its limit; a
// list box with strings is selected from the program without telling, as the
// one without items is.
TEST(Window, TabWalksTheControlsEditsKeepTheirLimitAndSelectingFromTheProgramTellsNothing) {
    test::TestApp();
    RowsDialog d;
    QWidget* first = d.AddControl(1, ControlKind::Edit);
    QWidget* second = d.AddControl(2, ControlKind::Edit);
    d.MoveItem(1, Rect{0, 170, 90, 190});
    d.MoveItem(2, Rect{100, 170, 190, 190});
    QWidget* under = d.AddControl(4, ControlKind::Edit);
    d.MoveItem(4, Rect{0, 210, 90, 230});
    d.AddControl(3, ControlKind::ListBox);
    d.MoveItem(3, Rect{300, 0, 400, 100});
    for (const char* text : {"eins", "zwei"})
        d.AddString(3, text);
    d.show();
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(d.focusWidget(), second);
    QTest::keyClick(second, Qt::Key_Backtab);
    EXPECT_EQ(d.focusWidget(), first);
    // Controls that touch share a row: an edit under the first, level with the
    // last pixel of a taller one beside it, comes before that one.
    d.MoveItem(2, Rect{100, 170, 190, 210});
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(d.focusWidget(), under);
    // A text longer than its limit is kept; shortened to the limit, it holds the limit again.
    d.SetItemText(1, "abcdef");
    d.SetEditLimit(1, 4);
    QTest::keyClicks(first, QStringLiteral("\b\bx"));
    EXPECT_EQ(d.GetItemText(1), "abcd");
    d.commands.clear();
    d.SetCurSel(3, 1);
    EXPECT_TRUE(d.GetCurSel(3) == 1 && d.commands.empty());
}

// A page shown by its parent leaves the keyboard where it was; a dialog that appears takes it.
TEST(Window, OnlyDialogsTakeTheKeyboardWhenTheyAppear) {
    test::TestApp();
    QWidget top;
    auto* typing = new QLineEdit(&top);
    DialogWindow page(&top, DialogWindow::Kind::Page);
    QWidget* pageEdit = page.AddControl(1, ControlKind::Edit);
    top.show();
    QApplication::setActiveWindow(&top);
    typing->setFocus();
    page.show();
    EXPECT_EQ(QApplication::focusWidget(), typing);

    DialogWindow dialog(&top, DialogWindow::Kind::Modal);
    QWidget* dialogEdit = dialog.AddControl(2, ControlKind::Edit);
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.focusWidget() == dialogEdit && page.focusWidget() != pageEdit);
}

} // namespace
} // namespace qx

#include "QtTest.moc"
