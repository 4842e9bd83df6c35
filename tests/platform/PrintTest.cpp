#include "platform/core/CodePage.h"
#include "platform/core/RecordingDc.h"
#include "platform/qt/Print.h"
#include "tests/platform/QtTestApp.h"
#include "tests/common/TempDir.h"

#include <QDialog>
#include <QFileInfo>
#include <QTimer>

#include "tests/common/PdfText.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::PdfText;

QString Pdf(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }


// The print job's page system: 640 x 480 isotropic over the printable area.
void PageMapping(Dc& dc) {
    dc.SetMapMode(MapMode::Isotropic);
    dc.SetWindowExt(640, 480);
    dc.SetViewportExt(dc.GetDeviceCaps(DeviceCap::HorzRes), dc.GetDeviceCaps(DeviceCap::VertRes));
    dc.SetViewportOrg(12, 20);
    dc.SelectFont(Font{"Arial", -12});
    dc.SetBkMode(BkMode::Transparent);
}

TEST(PrintTest, PdfPagesHoldWhatWasDrawn) {
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
        PageMapping(dc);
        dc.TextOut(20, 104, "Bestellung Seite eins");
        Rect r{20, 130, 300, 200};
        dc.DrawText("Gr\xF6\xDF" "e und Ma\xDF", r, DT_LEFT | DT_WORDBREAK);
        dc.MoveTo(20, 150);
        dc.LineTo(600, 150);
        EXPECT_TRUE(dc.EndPage());
        dc.TextOut(10, 10, "zwischen den Seiten");
        ASSERT_TRUE(dc.StartPage());
        PageMapping(dc);
        dc.TextOut(20, 104, "Seite zwei");
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
}

TEST(PrintTest, TextMeasuresTheSameOnPaperAndScreen) {
    test::TestApp();
    test::TempDir dir;
    QImage image(100, 100, QImage::Format_RGB32);
    QtDc screen(&image);
    PrinterDc paper(Pdf(dir / "m.pdf"));
    for (const Font& f : {Font{"Arial", -12}, Font{"Arial", 16, 700}, Font{"Arial", 14}}) {
        screen.SelectFont(f);
        paper.SelectFont(f);
        const std::string text = "Lieferant: Werkzeugbau GmbH, Best.-Nr. 1234/56";
        EXPECT_EQ(screen.GetTextExtent(text), paper.GetTextExtent(text)) << f.height;
    }
}

TEST(PrintTest, AbortAbandonsTheJob) {
    test::TestApp();
    test::TempDir dir;
    const QString file = Pdf(dir / "abort.pdf");
    PrinterDc dc(file);
    ASSERT_TRUE(dc.StartPage());
    dc.TextOut(10, 10, "weg");
    dc.Abort();
    EXPECT_TRUE(dc.IsAborted());
    EXPECT_FALSE(dc.EndPage());
    EXPECT_FALSE(dc.StartPage());
    dc.TextOut(10, 10, "nichts");
    EXPECT_FALSE(dc.EndDoc());
    EXPECT_FALSE(QFileInfo::exists(file));
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
