#include "pages/DrawingPage.h"
#include "CatalogPages.h"
#include "pages/ProductPage.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/PictureView.h"

#include <QScrollBar>
#include <QTest>

#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using testing::Pump;
using testing::RecordedPrint;
using testing::RunningProgram;
using testing::TempCatalog;

struct DrawingPages : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        c.WriteBmp("BILDER\\ZEICHNG\\P1.bmp", 900, 600, 0xFFFFFF);
    }
    ProductPage* OpenProducts(RunningProgram& p) {
        p.State().groupFile = "HEBE";
        p.State().listFile = "SAEULE.KAT";
        p.ShowPage(kPageProduct);
        return p.Current<ProductPage>();
    }
    ScopedScriptedUi ui;
    TempCatalog c;
};

TEST_F(DrawingPages, ProduktbildShowsScrollsAndReturnsToTheSameProduct) {
    RunningProgram p(c);
    ProductPage* products = OpenProducts(p);
    ASSERT_NE(products, nullptr);
    EXPECT_TRUE(products->IsItemEnabled(ProductPage::kDrawing));
    // The second product's picture has no drawing: the page still opens, with an empty view.
    products->SetCurSel(ProductPage::kList, 1);
    products->SendCommand(ProductPage::kList, LBN_SELCHANGE);
    EXPECT_TRUE(products->IsItemEnabled(ProductPage::kDrawing));
    products->SetCurSel(ProductPage::kList, 0);
    products->SendCommand(ProductPage::kList, LBN_SELCHANGE);

    QTest::mouseClick(products->Item(ProductPage::kDrawing), Qt::LeftButton);
    Pump();
    auto* drawing = testing::FindPage<DrawingPage>(p.Frame().Client());
    ASSERT_NE(drawing, nullptr);
    EXPECT_FALSE(products->isVisible());
    EXPECT_TRUE(drawing->isVisible());
    EXPECT_EQ(DibSize(drawing->Drawing()), (Size{900, 600}));
    PictureView* view = drawing->View();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->geometry(), QRect(18, 66, 502, 346));
    // Larger than the view both ways: it scrolls.
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 900 - view->viewport()->width());
    EXPECT_EQ(view->verticalScrollBar()->maximum(), 600 - view->viewport()->height());
    EXPECT_EQ(drawing->GetItemText(DrawingPage::kPrint), "Drucken");

    testing::PressKey(&p.Frame(), Qt::Key_Escape);
    Pump();
    EXPECT_EQ(testing::FindPage<DrawingPage>(p.Frame().Client()), nullptr);
    EXPECT_TRUE(products->isVisible());
    EXPECT_EQ(products->CurrentIndex(), 0);
}

TEST_F(DrawingPages, TheSheetWithAndWithoutADrawing) {
    RunningProgram p(c);
    ProductPage* products = OpenProducts(p);
    ASSERT_NE(products, nullptr);
    DrawingRequest request;
    request.number = "QX-1";
    request.name = "Zwei-S\xE4ulen-B\xFChne";
    request.picture = "P1.bmp";
    DrawingPage* drawing = OpenDrawingPage(p.app->Context(), p.Frame().Client(), products, request);
    {
        RecordedPrint print;
        QTest::mouseClick(drawing->Item(DrawingPage::kPrint), Qt::LeftButton);
        Pump();
        // One page: title, name, rule, the number row at 600 / 2 + 140, the drawing.
        const std::string m = " iso 640x480>4960x3720 p1\n";
        EXPECT_EQ(test::Dump(print.Calls()),
                  "startpage p1\n"
                  "text 40,40 \"Produktbild\" Arial/-18/400 #000000 fmt=0 clear" +
                      m + "text 40,64 \"Zwei-S\xE4ulen-B\xFChne\" Arial/-12/400 #000000 fmt=0 clear" + m +
                      "line 40,90 600,90 solid/1 #000000" + m +
                      "text 40,440 \"Bestell-Nr.:\" Arial/-12/400 #000000 fmt=0 clear" + m +
                      "text 112,440 \"QX-1\" Arial/-12/400 #000000 fmt=0 clear" + m +
                      "dib 80,220,980,820 from 0,0,900,600 iso 1024x1024>3720x3720 p1\n"
                      "endpage iso 1024x1024>3720x3720 p1\n");
    }
    drawing->Close();
    Pump();

    request.picture = "NONE.bmp";
    drawing = OpenDrawingPage(p.app->Context(), p.Frame().Client(), products, request);
    EXPECT_TRUE(drawing->Drawing().IsNull());
    {
        RecordedPrint print;
        drawing->SendCommand(DrawingPage::kPrint);
        Pump();
        ASSERT_NE(print.FindText("Bestell-Nr.:"), nullptr);
        EXPECT_EQ(print.FindText("Bestell-Nr.:")->at, (Point{40, 140}));
        for (const DrawCall& call : print.Calls())
            EXPECT_NE(call.kind, DrawCall::Kind::Dib);
    }
    drawing->SendCommand(DrawingPage::kBack);
    Pump();
    EXPECT_TRUE(products->isVisible());
}

} // namespace
} // namespace qx
