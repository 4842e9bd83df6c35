#include "../app/GuiFixture.h"
#include "../app/RunningProgram.h"
#include "shell/Fonts.h"
#include "app/ui/CatalogApp.h"
#include "app/ui/MainFrame.h"
#include "print/PrintMapping.h"
#include "pages/InfoPage.h"
#include "pages/InfoPrint.h"
#include "platform/core/Path.h"
#include "platform/core/RecordingDc.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/Print.h"
#include "platform/qt/TextView.h"
#include "resources/Menus.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "tests/common/DrawDump.h"
#include "tests/common/PdfText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace qx {
namespace {

using test::PdfText;

using testing::Pump;
using testing::TempCatalog;

constexpr const char* kBack = "Zur\xFC"
                              "ck";

// Three sections, each starting a printed page.
std::string ThreeSections() {
    std::string html = "<html><body><h1>Lieferbedingungen f\xFCr Betriebseinrichtungen</h1>";
    for (int part = 1; part <= 3; ++part) {
        html += std::string("<h2") + (part > 1 ? " style=\"page-break-before: always\"" : "") + ">Teil " +
                std::to_string(part) + "</h2>";
        html += "<p>Absatz " + std::to_string(part) + ": Die Lieferung erfolgt ab Werk.</p>";
        html += "<ul><li>Punkt a</li><li>Punkt b</li></ul>";
        html += "<table border=1 cellpadding=3><tr><th>Gruppe</th><th>Lieferzeit</th></tr>"
                "<tr><td>Hebeb\xFChnen</td><td>4 bis 6 Wochen</td></tr></table>";
    }
    return html + "</body></html>";
}

void WriteCatalog(TempCatalog& c) {
    for (const char* lang : {"LANG1", "LANG2"}) {
        c.Write(std::string("DATEN\\") + lang + "\\QXSTART.BER", "Katalog|QXKatalog.bmp|katalog.ber|330|300|470|322|K\n");
        c.Write(std::string("HTML\\") + lang + "\\Betrieb.htm", ThreeSections());
        c.Write(std::string("HTML\\") + lang + "\\spezial.HTM",
                "<html><body><h1>Spezialwerkzeuge " + std::string(lang) + "</h1><p>Lieferung frei Haus.</p></body></html>");
    }
    for (int w : {640, 800, 1024}) {
        const std::string o = "BILDER\\OHNE\\" + std::to_string(w) + "\\";
        c.WriteBmp(o + "QXStart.bmp", 40, 30);
        c.WriteBmp(o + "Hintergrund_mit_logo.bmp", w, w * 3 / 4, 0x1F3F7F);
        c.WriteBmp(o + "buttons\\Up.bmp", 8, 4, 0x204080);
        c.WriteBmp(o + "buttons\\Down.bmp", 8, 4, 0x102040);
    }
    c.WriteBmp("BILDER\\800\\LB_Betrieb.bmp", 200, 60, 0x80A0C0);
    c.WriteBmp("logo.bmp", 160, 60, 0xC03030);
}

struct Started : testing::RunningProgram {
    using RunningProgram::RunningProgram;
    InfoPage* Info() { return Current<InfoPage>(); }
    int InfoPages() {
        int n = 0;
        for (DialogWindow* page : Frame().Pages())
            n += dynamic_cast<InfoPage*>(page) != nullptr;
        return n;
    }
};

// The catalogue above in a fresh program directory.
struct InfoPages : ::testing::Test {
    InfoPages() { WriteCatalog(c); }
    ScopedScriptedUi ui;
    TempCatalog c;
};

TEST_F(InfoPages, TermsOfDeliveryOverThePageAndBackWithZurueckAndEscape) {
    Started s(c);
    DialogWindow* area = s.Frame().CurrentPage();
    ASSERT_NE(area, nullptr);

    s.Frame().OnMenuCommand(kCmdTermsEquipment);
    Pump();
    InfoPage* info = s.Info();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(area->isHidden());
    EXPECT_EQ(info->ReturnPage(), area);
    EXPECT_EQ(info->Document(), "Betrieb.htm");
    EXPECT_EQ(info->GetItemText(InfoPage::kPrint), "Drucken");
    EXPECT_EQ(info->GetItemText(InfoPage::kBack), kBack);
    EXPECT_EQ(info->geometry(), QRect(0, 0, 632, 434));
    EXPECT_EQ(info->Item(InfoPage::kPrint)->geometry(), QRect(471, 392, 71, 20));
    EXPECT_EQ(info->Item(InfoPage::kBack)->geometry(), QRect(544, 392, 70, 20));
    ASSERT_NE(info->View(), nullptr);
    EXPECT_TRUE(info->View()->isVisible());
    EXPECT_EQ(info->View()->geometry(), QRect(16, 64, 596, 320));
    EXPECT_NE(TextViewText(info->View()).find("Lieferbedingungen f\xFCr Betriebseinrichtungen"), std::string::npos);
    EXPECT_NE(TextViewText(info->View()).find("Teil 3"), std::string::npos);
    // The text has the keyboard: Page Down and the arrows scroll it.
    QScrollBar* bar = info->View()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    testing::PressKey(&s.Frame(), Qt::Key_Down);
    const int line = bar->value();
    EXPECT_GT(line, 0);
    testing::PressKey(&s.Frame(), Qt::Key_PageDown);
    EXPECT_GT(bar->value(), line);
    testing::PressKey(&s.Frame(), Qt::Key_PageUp);
    EXPECT_LE(bar->value(), line);

    // A language change: captions of the new language, the document stays.
    s.Context().state.languageIndex = 1;
    s.Frame().PostToAllPages(UM_RELOAD);
    Pump();
    EXPECT_EQ(info->GetItemText(InfoPage::kPrint), "Print");
    EXPECT_EQ(info->GetItemText(InfoPage::kBack), "Back");
    s.Context().state.languageIndex = 0;

    QTest::mouseClick(info->Item(InfoPage::kBack), Qt::LeftButton);
    Pump();
    EXPECT_EQ(s.Frame().CurrentPage(), area);
    EXPECT_TRUE(area->isVisible());
    EXPECT_EQ(s.InfoPages(), 0);

    // Special tools, in the file's own letter case; Escape in the text closes.
    s.Frame().OnMenuCommand(kCmdTermsTools);
    Pump();
    info = s.Info();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Document(), "Spezial.htm");
    EXPECT_EQ(TextViewText(info->View()).substr(0, 22), "Spezialwerkzeuge LANG1");
    EXPECT_TRUE(info->View()->hasFocus()) << "the text, first in tab order, has the keyboard";
    testing::PressKey(&s.Frame(), Qt::Key_Escape);
    Pump();
    EXPECT_EQ(s.Frame().CurrentPage(), area);
    EXPECT_TRUE(area->isVisible());
    EXPECT_EQ(s.InfoPages(), 0);
}

TEST_F(InfoPages, MissingDocumentShowsAnEmptyViewAndPrintsNothing) {
    Started s(c);
    DialogWindow* area = s.Frame().HideCurrentPage();
    InfoPage* info = OpenInfoPage(s.Context(), s.Frame(), s.Frame().Client(), area, "Fehlt.htm", {}, {}, {}, 0);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(TextViewText(info->View()), "");

    RecordingDc dc({4960, 7016}, true);
    dc.StartPage();
    SetupPrintMapping(dc, 640, 480);
    PrintInfoDocument(s.Context(), dc, "Fehlt.htm", "logo.bmp", "Fuss", "Kopf", 0, 0);
    EXPECT_TRUE(dc.Calls().size() == 1 && dc.Calls()[0].kind == DrawCall::Kind::StartPage);
    info->Close();
    Pump();
    EXPECT_TRUE(area->isVisible());
}

// A printer context whose calls outlive the print job that owns it.
class KeptRecording : public RecordingDc {
public:
    explicit KeptRecording(std::shared_ptr<std::vector<DrawCall>> out) : RecordingDc({4960, 7016}, true), out_(out) {}
    ~KeptRecording() override { *out_ = Calls(); }

private:
    std::shared_ptr<std::vector<DrawCall>> out_;
};

TEST_F(InfoPages, ThreePagesNumberedWithHeaderPictureAndFooter) {
    Started s(c);
    DialogWindow* area = s.Frame().HideCurrentPage();
    InfoPage* info = OpenInfoPage(s.Context(), s.Frame(), s.Frame().Client(), area, "Betrieb.htm", "logo.bmp",
                                  "Fu\xDFzeile Katalog", "Kopfzeile Gruppe", 0);
    auto calls = std::make_shared<std::vector<DrawCall>>();
    PrintBackend::SetPrintRecorder([calls] { return std::make_unique<KeptRecording>(calls); });
    QTest::mouseClick(info->Item(InfoPage::kPrint), Qt::LeftButton);
    PrintBackend::SetPrintRecorder({});
    Pump();

    int pages = 0;
    for (const DrawCall& call : *calls)
        pages += call.kind == DrawCall::Kind::StartPage;
    EXPECT_EQ(pages, 3);
    for (int page = 1; page <= 3; ++page) {
        std::vector<DrawCall> on;
        for (DrawCall call : *calls) {
            if (call.page != page || call.kind == DrawCall::Kind::StartPage ||
                call.kind == DrawCall::Kind::EndPage)
                continue;
            if (call.kind == DrawCall::Kind::DrawText) { // the document's page, checked by its part only
                EXPECT_NE(call.text.find("Teil " + std::to_string(page)), std::string::npos) << call.text;
                EXPECT_EQ(call.text.find("Teil " + std::to_string(page % 3 + 1)), std::string::npos)
                    << call.text;
                call.text = "...";
            }
            on.push_back(call);
        }
        // Rules, the sheet picture at half size, number and header, the
        // document's page inside the print rectangle, the footer.
        const std::string m = " iso 640x480>4960x3720 p" + std::to_string(page) + "\n";
        const std::string bold = "\" Arial/16/700 #000000 fmt=2 clear" + m;
        EXPECT_EQ(test::Dump(on),
                  "line 40,30 610,30 solid/1 #000000" + m +
                      "dib 80,64,240,124 from 0,0,160,60 iso 1280x960>4960x3720 p" + std::to_string(page) +
                      "\n" + "text 610,50 \"" + std::to_string(page) + "/03" + bold +
                      "text 610,66 \"Kopfzeile Gruppe" + bold + "line 40,102 610,102 solid/1 #000000" + m +
                      "drawtext 57,155,563,750 \"...\" Arial/16/700 #000000 fmt=810 clear" + m +
                      "line 40,870 610,870 solid/1 #000000" + m + "text 610,874 \"Fu\xDFzeile Katalog" +
                      bold + "line 40,894 610,894 solid/1 #000000" + m);
    }
    EXPECT_TRUE(info->isEnabled());
}

TEST_F(InfoPages, WhilePrintingOnlyTheProgressDialogTakesInput) {
    Started s(c);
    s.Frame().OnMenuCommand(kCmdTermsEquipment);
    Pump();
    InfoPage* info = s.Info();
    ASSERT_NE(info, nullptr);
    auto calls = std::make_shared<std::vector<DrawCall>>();
    int jobs = 0;
    PrintBackend::SetPrintRecorder([calls, &jobs] {
        ++jobs;
        return std::make_unique<KeptRecording>(calls);
    });
    bool tried = false;
    // Runs at the first turn of the abort procedure, while the job draws.
    QTimer::singleShot(0, info, [&] {
        tried = true;
        EXPECT_FALSE(s.Frame().isEnabled());
        EXPECT_FALSE(s.Frame().menuBar()->isEnabled());
        EXPECT_FALSE(info->isEnabled());
        // What once ended the running job from inside: the terms of delivery
        // again and their Drucken.
        s.Frame().Action(kCmdTermsTools)->trigger();
        s.Frame().OnMenuCommand(kCmdTermsTools);
        QTest::keyClick(s.Frame().windowHandle(), Qt::Key_Escape);
        QTest::mouseClick(info->Item(InfoPage::kPrint), Qt::LeftButton);
        info->SendCommand(InfoPage::kPrint);
        EXPECT_EQ(s.InfoPages(), 1);
    });
    QTest::mouseClick(info->Item(InfoPage::kPrint), Qt::LeftButton);
    PrintBackend::SetPrintRecorder({});
    Pump();
    EXPECT_TRUE(tried);
    EXPECT_EQ(jobs, 1);
    int pages = 0;
    for (const DrawCall& call : *calls)
        pages += call.kind == DrawCall::Kind::EndPage;
    EXPECT_EQ(pages, 3) << "the job ran to its end";
    EXPECT_EQ(s.Info(), info);
    EXPECT_EQ(s.InfoPages(), 1);
    EXPECT_TRUE(s.Frame().isEnabled());
    EXPECT_TRUE(s.Frame().menuBar()->isEnabled());
}

TEST_F(InfoPages, PrintingStopsWhenTheNextSheetCannotStart) {
    Started s(c);
    RecordingDc dc({4960, 7016}, true);
    dc.FailStartPageFrom(2);
    dc.StartPage();
    SetupPrintMapping(dc, 640, 480);
    PrintInfoDocument(s.Context(), dc, "Betrieb.htm", "", "Fuss", "Kopf", 0, 0);
    EXPECT_NE(dc.FindText("1/03"), nullptr);
    EXPECT_EQ(dc.FindText("2/03"), nullptr);
    EXPECT_EQ(dc.PagesStarted(), 1);
    EXPECT_EQ(dc.PagesEnded(), 1);

    // An extra top offset moves the text down, not the page count.
    RecordingDc lower({4960, 7016}, true);
    lower.StartPage();
    SetupPrintMapping(lower, 640, 480);
    PrintInfoDocument(s.Context(), lower, "Betrieb.htm", "", "Fuss", "Kopf", 186, 0);
    EXPECT_NE(lower.FindText("3/03"), nullptr);
    for (const DrawCall& call : lower.Calls()) {
        if (call.kind == DrawCall::Kind::DrawText) {
            EXPECT_EQ(call.rect, (Rect{57, 165, 563, 750}));
        }
    }
}

TEST_F(InfoPages, PrintedToPdfWithTheDocumentsText) {
    TempCatalog out;
    Started s(c);
    DialogWindow* area = s.Frame().HideCurrentPage();
    InfoPage* info = OpenInfoPage(s.Context(), s.Frame(), s.Frame().Client(), area, "Betrieb.htm", "logo.bmp",
                                  "Fu\xDFzeile Katalog", "Kopfzeile Gruppe", 0);
    const QString dir = QString::fromStdString(out.Dir().string());
    PrintBackend::SetPrintToDirectory(dir);
    info->SendCommand(InfoPage::kPrint);
    PrintBackend::SetPrintToDirectory(QString());
    const QString pdf = QDir(dir).filePath(QStringLiteral("QTX-1.pdf"));
    ASSERT_TRUE(QFile::exists(pdf));
    const QString text = PdfText(pdf, 0, true);
    if (text.isEmpty())
        GTEST_SKIP() << "pdftotext is not available";
    for (const char* expected : {"1/03", "2/03", "3/03", "Kopfzeile Gruppe", "Fußzeile Katalog",
                                 "Lieferbedingungen für Betriebseinrichtungen", "Teil 2", "Hebebühnen",
                                 "4 bis 6 Wochen", "Punkt b"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    // Page 2's text follows the second page number.
    EXPECT_LT(text.indexOf(QStringLiteral("2/03")), text.indexOf(QStringLiteral("Teil 2")));
    EXPECT_GT(text.indexOf(QStringLiteral("3/03")), text.indexOf(QStringLiteral("Teil 2")));
}

// The demo catalogue's terms of delivery: a long page with a picture and
// tables, paginated by the view itself; every part of it reaches the paper.
TEST(InfoPage, DemoTermsOfDeliveryPrintWhole) {
    const std::filesystem::path demo = QX_DEMO_DIR;
    if (!std::filesystem::exists(demo / "HTML"))
        GTEST_SKIP() << "the demo catalogue is not generated";
    ScopedScriptedUi ui;
    TempCatalog out;
    Started s(demo, out.Ini(), 800, 0);
    s.Frame().OnMenuCommand(kCmdTermsEquipment);
    Pump();
    InfoPage* info = s.Info();
    ASSERT_NE(info, nullptr);
    const int pages = TextViewPageCount(info->View(), kPrintRectTwips.Height());
    EXPECT_GE(pages, 2);
    const QString dir = QString::fromStdString(out.Dir().string());
    PrintBackend::SetPrintToDirectory(dir);
    info->SendCommand(InfoPage::kPrint);
    PrintBackend::SetPrintToDirectory(QString());
    const QString pdf = QDir(dir).filePath(QStringLiteral("QTX-1.pdf"));
    const QString text = PdfText(pdf, 0, true);
    if (text.isEmpty())
        GTEST_SKIP() << "pdftotext is not available";
    char last[16];
    std::snprintf(last, sizeof last, "%d/%02d", pages, pages);
    for (const char* expected : {"1/0", "Lieferbedingungen", "1. Geltungsbereich", "Zweisäulen-Hebebühne",
                                 "Schraubenkompressor", "Belüftung beachten"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(text.contains(QString::fromUtf8(last))) << last;
}

TEST_F(InfoPages, ViewInsideTheFrameInEveryScreenMode) {
    for (int width : {640, 800, 1024}) {
        Started s(c, width);
        s.Frame().OnMenuCommand(kCmdTermsEquipment);
        Pump();
        InfoPage* info = s.Info();
        ASSERT_NE(info, nullptr);
        const GlobalState& st = s.Context().state;
        const QRect frame(static_cast<int>(14 * st.scaleX), static_cast<int>(62 * st.scaleY),
                          static_cast<int>(600 * st.scaleX), static_cast<int>(322 * st.scaleY));
        EXPECT_TRUE(frame.adjusted(0, 0, 1, 1).contains(info->View()->geometry())) << width;
        EXPECT_LT(info->View()->geometry().bottom(), info->Item(InfoPage::kPrint)->geometry().top()) << width;
        const QImage shot = info->grab().toImage();
        // The view is white with black text; the page around it is the background.
        EXPECT_EQ(shot.pixelColor(info->View()->geometry().topLeft() + QPoint(2, 2)), QColor(Qt::white)) << width;
        EXPECT_EQ(shot.pixelColor(5, 5), QColor(0x1F, 0x3F, 0x7F)) << width;
    }
}

} // namespace
} // namespace qx
