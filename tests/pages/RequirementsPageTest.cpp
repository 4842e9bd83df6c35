#include "pages/RequirementsPage.h"
#include "CatalogPages.h"
#include "navigation/ui/AreaPage.h"
#include "pages/GroupPage.h"
#include "pages/InfoPage.h"
#include "platform/core/RecordingDc.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/TextView.h"
#include "shell/Fonts.h"

#include <QTest>

#include <filesystem>

#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using testing::Pump;
using testing::RecordedPrint;
using testing::RunningProgram;
using testing::TempCatalog;

struct RequirementsPages : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        c.Write("DATEN\\LANG1\\PLAN.ZEN",
                "Bedarf Testwerkstatt\nPlan.htm\n-\nWerkstattplanung - Test\n4\n"
                "Code|Anzahl|Bezeichnung|Nummer|Fl\xE4"
                "che|Bild\n"
                "$A||Hebetechnik|||G_A.bmp\n}\n"
                "A1|2|Hebeb\xFChne|QX-801|4 x 3|P1.bmp\n<h3>Hebeb\xFChne</h3><p>Zwei S\xE4ulen.</p>}\n"
                "A2|1|Heber|QX-802||P1.bmp\n<p>Der Heber hebt.</p>}\n"
                "A3|1|Grube|QX-803||TALL.bmp\n<p>Eine tiefe Grube.</p>}\n");
        c.WriteBmp("BILDER\\640\\TALL.bmp", 292, 240);
        std::string html = "<html><body>";
        for (int i = 1; i <= 150; ++i)
            html += "<p>Absatz " + std::to_string(i) + " der Bedarfsinformation.</p>";
        c.Write("HTML\\LANG1\\Plan.htm", html + "</body></html>\n");
    }
    RequirementsPage* Open(RunningProgram& p, const std::string& file = "PLAN.ZEN") {
        p.State().listFile = file;
        p.State().groupFile = "HEBE";
        p.ShowPage(kPageRequirements);
        return p.Current<RequirementsPage>();
    }
    static void Select(RequirementsPage& page, int row) {
        page.SetCurSel(RequirementsPage::kList, row);
        page.SendCommand(RequirementsPage::kList, LBN_SELCHANGE);
    }
    ScopedScriptedUi ui;
    TempCatalog c;
};

TEST_F(RequirementsPages, RowsSelectionPictureAndText) {
    RunningProgram p(c);
    RequirementsPage* page = Open(p);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->RowCount(), 4);
    EXPECT_EQ(page->GetCount(RequirementsPage::kList), 4);
    EXPECT_EQ(page->CurrentIndex(), 0);
    EXPECT_EQ(page->PictureName(), "G_A.bmp");
    EXPECT_FALSE(page->Picture().IsNull());
    // The heading row's text is shorter than 8 characters: the view is blank.
    EXPECT_EQ(page->View()->Html(), QStringLiteral(" "));
    for (int hidden : {RequirementsPage::kNote, RequirementsPage::kDrawing, RequirementsPage::kOrderList,
                       RequirementsPage::kHiddenText})
        EXPECT_FALSE(page->IsItemVisible(hidden)) << hidden;
    EXPECT_EQ(page->GetItemText(RequirementsPage::kRequirements), "Bedarf");
    EXPECT_EQ(page->Item(RequirementsPage::kList)->geometry(), QRect(16, 240, 598, 140));

    Select(*page, 1);
    EXPECT_EQ(page->CurrentIndex(), 1);
    EXPECT_EQ(page->PictureName(), "P1.bmp");
    EXPECT_TRUE(page->View()->Html().contains(QStringLiteral("Zwei S")));
    const int loads = page->SelectionLoads();
    Select(*page, 1);
    EXPECT_EQ(page->SelectionLoads(), loads);
    const DibHandle picture = page->Picture();
    Select(*page, 2); // same picture: not loaded again
    EXPECT_EQ(page->Picture(), picture);
    EXPECT_TRUE(page->View()->Html().contains(QStringLiteral("Der Heber")));

    // Enter and a double click do nothing.
    page->SendCommand(RequirementsPage::kList, LBN_DBLCLK);
    testing::PressKey(&p.Frame(), Qt::Key_Return);
    Pump();
    EXPECT_EQ(p.Current<RequirementsPage>(), page);
    EXPECT_EQ(page->CurrentIndex(), 2);
}

TEST_F(RequirementsPages, RowsInFourColumnsAndTheHeadings) {
    RunningProgram p(c);
    RequirementsPage* page = Open(p);
    ASSERT_NE(page, nullptr);
    RecordingDc dc;
    for (int row : {0, 1}) {
        DrawItem item;
        item.kind = DrawItem::ListBox;
        item.controlId = RequirementsPage::kList;
        item.itemId = row;
        item.itemData = row;
        item.dc = &dc;
        item.rect = Rect{0, 16 * row, 598, 16 * row + 16};
        page->DrawItemInto(item);
    }
    // Four columns, wrapping; a heading row in bold in the designation column.
    const std::string cell = "\" Arial/16/400 #000000 fmt=800 clear\n";
    EXPECT_EQ(test::Dump(dc.Calls()),
              "fill 0,0,598,16 #ffffff\n"
              "drawtext 4,0,598,16 \"" +
                  cell +
                  "drawtext 62,0,598,16 \"Hebetechnik\" Arial/16/700 #000000 fmt=800 clear\n"
                  "drawtext 412,0,598,16 \"" +
                  cell + "drawtext 518,0,598,16 \"" + cell +
                  "fill 0,16,598,32 #ffffff\n"
                  "drawtext 4,16,598,32 \"2" +
                  cell + "drawtext 62,16,598,32 \"Hebeb\xFChne" + cell + "drawtext 412,16,598,32 \"QX-801" +
                  cell + "drawtext 518,16,598,32 \"4 x 3" + cell);

    RecordingDc paint;
    page->PaintInto(paint);
    const DrawCall* count = paint.FindText("Anzahl");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->at, (Point{20, 226}));
    EXPECT_EQ(paint.FindText("Bezeichnung")->at, (Point{80, 226}));
    // The floor-area heading ends at x 612 (15 characters, each half the
    // font high here). At 640 the headings take the size that keeps them
    // above the list (y 240) and the number heading clear of the floor heading.
    const DrawCall* floor = paint.FindText("Fl\xE4"
                                           "che (LxB[m])");
    const DrawCall* number = paint.FindText("Q.T.X/ZRT - Nr. ");
    ASSERT_NE(floor, nullptr);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(floor->at, (Point{612 - 15 * (floor->font.height / 2), 226}));
    EXPECT_LE(226 + floor->font.height, 240);
    EXPECT_LT(number->at.x + 16 * (number->font.height / 2), floor->at.x);
    EXPECT_EQ(number->font, floor->font);
    auto dibs = [](const RecordingDc& d) {
        std::vector<Rect> out;
        for (const DrawCall& call : d.Calls())
            if (call.kind == DrawCall::Kind::Dib && call.rect.left == 18)
                out.push_back(call.rect);
        return out;
    };
    EXPECT_EQ(dibs(paint), (std::vector<Rect>{{18, 66, 48, 86}}));
    // A picture taller than the panel is scaled down into it, keeping its shape.
    Select(*page, 3);
    RecordingDc tall;
    page->PaintInto(tall);
    ASSERT_EQ(dibs(tall).size(), 1u);
    const Rect r = dibs(tall)[0];
    EXPECT_EQ(r.top, 66);
    EXPECT_LE(r.bottom, 218);
    EXPECT_GE(r.bottom, 216);
    EXPECT_NEAR(r.Width() * 240.0 / r.Height(), 292.0, 3.0);
    const DrawCall* title = paint.FindText("Bedarf Testwerkstatt");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->at, (Point{116, 14}));
    EXPECT_EQ(title->font, FontTitle);
}

TEST_F(RequirementsPages, BedarfShowsTheInformationAndPrintingBreaksPages) {
    RunningProgram p(c);
    RequirementsPage* page = Open(p);
    ASSERT_NE(page, nullptr);
    QTest::mouseClick(page->Item(RequirementsPage::kRequirements), Qt::LeftButton);
    Pump();
    auto* info = testing::FindPage<InfoPage>(p.Frame().Client());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Document(), "Plan.htm");
    EXPECT_EQ(info->ReturnPage(), page);
    EXPECT_FALSE(page->isVisible());
    EXPECT_TRUE(info->View()->ImageFolder().ends_with("BILDER\\1024"));
    testing::PressKey(&p.Frame(), Qt::Key_Escape);
    Pump();
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(testing::FindPage<InfoPage>(p.Frame().Client()), nullptr);

    {
        RecordedPrint print;
        QTest::mouseClick(page->Item(RequirementsPage::kPrint), Qt::LeftButton);
        Pump();
        EXPECT_GE(print.Pages(), 2);
        // Each page: the subtitle in the header band, the title in the footer.
        int footers = 0;
        for (const DrawCall& call : print.Calls())
            footers += call.text == "Bedarf Testwerkstatt";
        EXPECT_EQ(footers, print.Pages());
        const DrawCall* header = print.FindText("Werkstattplanung - Test");
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->page, 1);
    }
    EXPECT_EQ(p.Current<RequirementsPage>(), page);
}

TEST_F(RequirementsPages, BackMainMenuKeysAndAMissingFile) {
    RunningProgram p(c);
    RequirementsPage* page = Open(p);
    ASSERT_NE(page, nullptr);
    // Tab goes from the list through the visible buttons only.
    page->SetFocusTo(RequirementsPage::kList);
    std::vector<int> order;
    for (int i = 0; i < 4; ++i) {
        testing::PressKey(&p.Frame(), Qt::Key_Tab);
        order.push_back(page->FocusedItem());
    }
    EXPECT_EQ(order, (std::vector<int>{RequirementsPage::kRequirements, RequirementsPage::kPrint,
                                       RequirementsPage::kMainMenu, RequirementsPage::kBack}));

    p.State().areaLevel = 2;
    testing::PressKey(&p.Frame(), Qt::Key_Escape);
    Pump();
    EXPECT_NE(p.Current<AreaPage>(), nullptr);
    EXPECT_EQ(p.State().pageMode, kPageArea);
    EXPECT_EQ(p.State().areaLevel, 2);

    page = Open(p);
    ASSERT_NE(page, nullptr);
    QTest::mouseClick(page->Item(RequirementsPage::kMainMenu), Qt::LeftButton);
    Pump();
    ASSERT_NE(p.Current<AreaPage>(), nullptr);
    EXPECT_EQ(p.Current<AreaPage>()->Level(), 0);

    EXPECT_EQ(Open(p, "GONE.ZEN"), nullptr);
    ASSERT_EQ(ui->shown.size(), 1u);
    EXPECT_EQ(ui->shown[0].text, "Es liegen keine Daten f\xFCr \ndiesen Katalog vor!");
    EXPECT_TRUE(ui->shown[0].caption.ends_with("DATEN\\LANG1\\GONE.ZEN")) << ui->shown[0].caption;
    EXPECT_NE(p.Current<GroupPage>(), nullptr);
}

TEST(DemoRequirements, EveryLanguageOpensItsListsFromTheAreaEntries) {
    const std::filesystem::path demo = QX_DEMO_DIR;
    if (!std::filesystem::exists(demo / "DATEN"))
        GTEST_SKIP() << "the demo catalogue was not built";
    ScopedScriptedUi ui;
    TempCatalog config; // only for its qxkat.ini
    for (int lang = 0; lang < 4; ++lang) {
        RunningProgram app(demo, config.Ini(), 800, lang);
        int opened = 0;
        for (int entry = 0;; ++entry) {
            auto* area = dynamic_cast<AreaPage*>(app.Frame().CurrentPage());
            ASSERT_NE(area, nullptr) << lang;
            area->ShowArea("BE_PLAN.BER", "");
            if (entry >= area->EntryCount())
                break;
            if (area->Entry(entry).target.str().find(".ZEN") == std::string::npos)
                continue;
            area->DispatchEntry(entry);
            Pump();
            auto* page = dynamic_cast<RequirementsPage*>(app.Frame().CurrentPage());
            ASSERT_NE(page, nullptr) << lang << " " << area->Entry(entry).target.str();
            EXPECT_GT(page->RowCount(), 3) << lang;
            EXPECT_FALSE(page->File().title.empty());
            EXPECT_FALSE(page->Picture().IsNull()) << lang << " " << page->PictureName();
            ++opened;
            page->SendCommand(RequirementsPage::kBack);
            Pump();
        }
        EXPECT_EQ(opened, 2) << lang;
    }
    EXPECT_TRUE(ui->shown.empty());
}

} // namespace
} // namespace qx
