#include "CatalogPages.h"
#include "catalog/Picture.h"
#include "navigation/ui/AreaPage.h"
#include "pages/GroupPage.h"
#include "pages/InfoPage.h"
#include "pages/ProductPage.h"
#include "platform/qt/Print.h"
#include "platform/core/RecordingDc.h"
#include "platform/core/ScriptedUi.h"

#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include "tests/common/PdfText.h"

#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>


namespace qx {
namespace {

using test::PdfText;

using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;

struct ProductPages : ::testing::Test {
    void SetUp() override { testing::WriteCatalogPages(c); }
    // Opens a product list as a search jump does: no breadcrumb yet.
    ProductPage* Open(RunningProgram& p, const std::string& listFile, const std::string& key = "") {
        p.State().groupFile = "HEBE";
        p.State().hierarchyCode = "a";
        p.State().listFile = listFile;
        p.State().preselectKey = key;
        p.State().breadcrumb = "";
        p.ShowPage(kPageProduct);
        return p.Current<ProductPage>();
    }
    void SelectRow(ProductPage& page, int row) {
        page.SetCurSel(ProductPage::kList, row);
        page.SendCommand(ProductPage::kList, LBN_SELCHANGE);
    }
    ScopedScriptedUi ui;
    TempCatalog c;
};

bool HasText(const RecordingDc& dc, const std::string& text) { return dc.FindText(text) != nullptr; }

TEST_F(ProductPages, OpensWithHeaderBreadcrumbAndTheFirstProduct) {
    RunningProgram p(c);
    ProductPage* page = Open(p, "SAEULE.KAT");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->RecordCount(), 3);
    EXPECT_EQ(page->CurrentIndex(), 0);
    EXPECT_EQ(page->GetCurSel(ProductPage::kList), 0);
    // The list file names its group and code; the path is built from the group file.
    EXPECT_EQ(p.State().groupFile, "HEBE");
    EXPECT_EQ(p.State().hierarchyCode, "aaa");
    EXPECT_EQ(page->Breadcrumb(), "Heben / B\xFChnen / S\xE4ulen");
    EXPECT_EQ(page->Title(), "S\xE4ulen-Hebeb\xFChnen");
    // Name and second line: the designation, for DORNA the number.
    EXPECT_EQ(page->GetLbText(ProductPage::kList, 0), "Zwei-S\xE4ulen-B\xFChne|VAS 1|||");
    EXPECT_EQ(page->GetLbText(ProductPage::kList, 1), "Dorna-Werkzeug|D-2|||");
    EXPECT_EQ(page->PictureName(), "P1.bmp");
    EXPECT_FALSE(page->Picture().IsNull());
    // The small catalogue has no drawings; the drawing page shows an empty view.
    EXPECT_TRUE(page->IsItemEnabled(ProductPage::kDrawing));
    EXPECT_TRUE(page->IsItemEnabled(ProductPage::kOrderList));
    EXPECT_TRUE(page->IsItemEnabled(ProductPage::kNote));
    EXPECT_TRUE(page->IsItemEnabled(ProductPage::kProductInfo));
    EXPECT_EQ(page->GetItemText(ProductPage::kProductInfo), "Produktinformation");
    EXPECT_EQ(page->Item(ProductPage::kList)->geometry(), QRect(328, 64, 286, 287));

    // Enter and double click do nothing.
    page->SendCommand(ProductPage::kList, LBN_DBLCLK);
    testing::PressKey(&p.Frame(), Qt::Key_Return);
    Pump();
    EXPECT_EQ(p.Current<ProductPage>(), page);
    EXPECT_EQ(p.State().pageMode, kPageProduct);

    // A path handed over by the group page is taken as it is.
    p.State().breadcrumb = "Vom Gruppenblatt";
    p.State().pageMode = kPageProduct;
    p.Frame().DestroyAllPages();
    p.Frame().PostShowPage();
    Pump();
    ASSERT_NE(p.Current<ProductPage>(), nullptr);
    EXPECT_EQ(p.Current<ProductPage>()->Breadcrumb(), "Vom Gruppenblatt");
    EXPECT_TRUE(ui->Messages().empty());
}

TEST_F(ProductPages, PreselectedKeyAndUnknownKey) {
    RunningProgram p(c);
    ProductPage* page = Open(p, "SAEULE.KAT", "P2");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->CurrentIndex(), 1);
    EXPECT_EQ(page->GetCurSel(ProductPage::kList), 1);
    EXPECT_TRUE(p.State().preselectKey.empty());

    page = Open(p, "SAEULE.KAT", "p2"); // keys compare exactly
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->CurrentIndex(), 0);
    EXPECT_TRUE(p.State().preselectKey.empty());
}

TEST_F(ProductPages, SelectionLoadsPictureTextAndButtonStateOnce) {
    RunningProgram p(c);
    ProductPage* page = Open(p, "SAEULE.KAT");
    ASSERT_NE(page, nullptr);
    auto* box = qobject_cast<QPlainTextEdit*>(page->Item(ProductPage::kInfoBox));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(page->GetItemText(ProductPage::kInfoBox), "Zeile eins\r\nZeile zwei\r\nZeile drei");
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff); // three lines
    const int loads = page->SelectionLoads();

    // The same entry again: nothing is loaded.
    SelectRow(*page, 0);
    EXPECT_EQ(page->SelectionLoads(), loads);

    SelectRow(*page, 1);
    EXPECT_EQ(page->SelectionLoads(), loads + 1);
    EXPECT_EQ(page->GetItemText(ProductPage::kInfoBox), "Eins\r\nZwei\r\nDrei\r\nVier");
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn); // four lines
    EXPECT_FALSE(page->IsItemEnabled(ProductPage::kProductInfo));     // no info file
    const DibHandle p2 = page->Picture();
    EXPECT_FALSE(p2.IsNull());

    // Same picture name: the picture is kept, not read again.
    SelectRow(*page, 2);
    EXPECT_EQ(page->CurrentIndex(), 2);
    EXPECT_TRUE(page->Picture() == p2);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    SelectRow(*page, 0);
    EXPECT_TRUE(page->IsItemEnabled(ProductPage::kProductInfo));
    EXPECT_EQ(page->PictureName(), "P1.bmp");

    // A long line that wraps counts as several lines.
    const std::string longText(400, 'x');
    page->SetItemText(ProductPage::kInfoBox, longText);
    EXPECT_GE(page->GetEditLineCount(ProductPage::kInfoBox), 4);
}

TEST_F(ProductPages, LabelsAndPriceRowsByPriceMode) {
    RunningProgram p(c);
    ProductPage* page = Open(p, "SAEULE.KAT");
    ASSERT_NE(page, nullptr);
    const std::string title = page->Title();
    const std::string crumb = page->Breadcrumb();

    p.State().priceMode = -1;
    RecordingDc none({632, 434});
    page->PaintInto(none);
    EXPECT_EQ(none.Texts(), (std::vector<std::string>{"VAS 1", "QX-1", title, crumb}));
    EXPECT_EQ(none.FindText("VAS 1")->at, (Point{18, 314}));
    EXPECT_EQ(none.FindText("VAS 1")->font.weight, 700);
    EXPECT_EQ(none.FindText("QX-1")->at, (Point{162, 314}));
    EXPECT_EQ(none.FindText(crumb)->font.height, 14);
    EXPECT_EQ(none.FindText(crumb)->color, Rgb(255, 255, 255));

    p.State().priceMode = 0;
    RecordingDc upe({632, 434});
    page->PaintInto(upe);
    EXPECT_EQ(upe.Texts(), (std::vector<std::string>{"VAS 1", "QX-1", "Unverb. VP:", "1234,50 EUR", "Lieferung:",
                                                     "4 Wochen", title, crumb}));
    EXPECT_EQ(upe.FindText("Unverb. VP:")->at, (Point{18, 326}));
    EXPECT_EQ(upe.FindText("Unverb. VP:")->font.weight, 400);
    EXPECT_EQ(upe.FindText("4 Wochen")->at, (Point{162, 338}));

    p.State().priceMode = 1;
    RecordingDc vz({632, 434});
    page->PaintInto(vz);
    ASSERT_NE(vz.FindText("VZ-EK:"), nullptr);
    EXPECT_EQ(vz.FindText("VZ-EK:")->at, (Point{18, 351}));
    EXPECT_EQ(vz.FindText("987,60 EUR")->at, (Point{162, 351}));

    // DORNA: the tool number label and DORNA's price label.
    SelectRow(*page, 1);
    RecordingDc dorna({632, 434});
    page->PaintInto(dorna);
    EXPECT_EQ(dorna.FindText("Werkzeug-Nr.:")->at, (Point{18, 314}));
    EXPECT_EQ(dorna.FindText("D-2")->at, (Point{162, 314}));
    EXPECT_TRUE(HasText(dorna, "Preis ab Dorna:"));
    EXPECT_FALSE(HasText(dorna, "Unverb. VP:"));
    EXPECT_FALSE(HasText(dorna, "VAS 2")); // emptied on load

    // A product missing from the price list: the UPE row says "on request".
    SelectRow(*page, 2);
    RecordingDc missing({632, 434});
    page->PaintInto(missing);
    EXPECT_TRUE(HasText(missing, "siehe VZ-Preisliste"));
    EXPECT_FALSE(HasText(missing, "Lieferung:"));

    p.Frame().ChangeLanguage(1);
    Pump();
    EXPECT_EQ(page->GetItemText(ProductPage::kBack), "Back");
    EXPECT_EQ(page->GetItemText(ProductPage::kProductInfo), "Product info");
    SelectRow(*page, 1);
    RecordingDc english({632, 434});
    page->PaintInto(english);
    EXPECT_TRUE(HasText(english, "Tool no:"));
    EXPECT_TRUE(HasText(english, "Dorna price:"));
    EXPECT_TRUE(HasText(english, "VZ netprice:"));
}

TEST_F(ProductPages, RowsScaleWithTheScreenMode) {
    RunningProgram p(c, 800);
    ProductPage* page = Open(p, "SAEULE.KAT");
    ASSERT_NE(page, nullptr);
    p.State().priceMode = 1;
    RecordingDc dc({788, 550});
    page->PaintInto(dc);
    EXPECT_EQ(dc.FindText("VZ-EK:")->at, (Point{22, 448}));     // 18 x 1.255, 351 x 1.279
    EXPECT_EQ(dc.FindText("987,60 EUR")->at, (Point{203, 448})); // 162 x 1.255
    EXPECT_EQ(dc.FindText(page->Title())->at, (Point{116, 14})); // design units
    EXPECT_EQ(page->Item(ProductPage::kBack)->geometry(), QRect(682, 501, 88, 25));
}

TEST_F(ProductPages, ListEntriesWithSealAndSelection) {
    RunningProgram p(c);
    ProductPage* page = Open(p, "SAEULE.KAT");
    ASSERT_NE(page, nullptr);
    RecordingDc dc;
    DrawItem item;
    item.kind = DrawItem::ListBox;
    item.controlId = ProductPage::kList;
    item.itemId = 0;
    item.selected = true;
    item.dc = &dc;
    item.rect = Rect{0, 36, 270, 72};
    item.itemText = page->GetLbText(ProductPage::kList, 0);
    page->DrawItemInto(item);
    item.itemId = 1;
    item.selected = false;
    item.itemText = page->GetLbText(ProductPage::kList, 1);
    page->DrawItemInto(item);
    // Selected: highlight, the seal at the right, white text; then black on white without a seal.
    EXPECT_EQ(test::Dump(dc.Calls()),
              "fill 0,36,270,72 #000080\n"
              "dib 251,37,269,55 from 0,0,18,18\n"
              "text 2,38 \"Zwei-S\xE4ulen-B\xFChne\" Arial/16/400 #ffffff fmt=0 clear\n"
              "text 10,54 \"VAS 1\" Arial/16/400 #ffffff fmt=0 clear\n"
              "fill 0,36,270,72 #ffffff\n"
              "text 2,38 \"Dorna-Werkzeug\" Arial/16/400 #000000 fmt=0 clear\n"
              "text 10,54 \"D-2\" Arial/16/400 #000000 fmt=0 clear\n");
}

TEST_F(ProductPages, BackMainMenuAndAMissingList) {
    RunningProgram p(c);
    ProductPage* page = Open(p, "SAEULE.KAT");
    ASSERT_NE(page, nullptr);
    // Zurück: the group page at the group that lists this catalogue.
    page->SendCommand(ProductPage::kBack);
    EXPECT_TRUE(page->IsDestroyed());
    EXPECT_EQ(p.State().pageMode, kPageGroup);
    EXPECT_EQ(p.State().pageOrigin, 3);
    Pump();
    GroupPage* group = p.Current<GroupPage>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Depth(), 3);
    EXPECT_EQ(group->SelectedText(), "aaa|SAEULE.KAT|S\xE4ulen|G_AAA.bmp");

    // Escape is Zurück too; Hauptmenü goes to the start page.
    page = Open(p, "SAEULE.KAT");
    testing::PressKey(&p.Frame(), Qt::Key_Escape);
    EXPECT_EQ(p.State().pageMode, kPageGroup);
    page = Open(p, "SAEULE.KAT");
    p.State().areaLevel = 3;
    page->SendCommand(ProductPage::kMainMenu);
    EXPECT_EQ(p.State().pageMode, kPageArea);
    EXPECT_EQ(p.State().pageOrigin, 3);
    EXPECT_EQ(p.State().areaLevel, 0);
    Pump();
    EXPECT_NE(p.Current<AreaPage>(), nullptr);
    EXPECT_TRUE(ui->Messages().empty());

    // A list file that is not there: the message, then the group page at
    // the entry that names the file.
    p.State().groupFile = "HEBE";
    p.State().listFile = "GONE.KAT";
    p.ShowPage(kPageProduct);
    ASSERT_EQ(ui->shown.size(), 1u);
    EXPECT_EQ(ui->shown[0].text, "Es liegen keine Daten f\xFCr \ndiesen Katalog vor!");
    EXPECT_EQ(ui->shown[0].caption, "QUARVENTA AG");
    EXPECT_EQ(ui->shown[0].type, MB_OK | MB_ICONEXCLAMATION);
    group = p.Current<GroupPage>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Depth(), 2);
    EXPECT_EQ(group->SelectedText(), "ac|GONE.KAT|Fehlt|");

    // A list without records: nothing selected, no product rows drawn.
    page = Open(p, "EMPTY.KAT");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->RecordCount(), 0);
    EXPECT_EQ(page->CurrentIndex(), -1);
    RecordingDc dc({632, 434});
    page->PaintInto(dc);
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"Leer", "Heben / Leer"}));
}


TEST_F(ProductPages, ProductInformationAndPrintedSheet) {
    RunningProgram p(c);
    ProductPage* page = Open(p, "SAEULE.KAT");
    ASSERT_NE(page, nullptr);

    // The information page over the hidden product page, and back.
    page->SendCommand(ProductPage::kProductInfo);
    Pump();
    EXPECT_FALSE(page->isVisible());
    auto* info = p.Current<InfoPage>();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Document(), "P1.htm");
    EXPECT_EQ(info->ReturnPage(), page);
    info->SendCommand(InfoPage::kBack);
    Pump();
    EXPECT_EQ(p.Current<ProductPage>(), page);

    // The product sheet: header text, page number, the document, the footer
    // (the number, as the record leaves it empty).
    const std::filesystem::path out = c.Dir() / "print";
    std::filesystem::create_directories(out);
    PrintBackend::SetPrintToDirectory(QString::fromStdString(out.string()));
    page->SendCommand(ProductPage::kPrint);
    Pump();
    PrintBackend::SetPrintToDirectory(QString());
    const std::filesystem::path pdf = out / "QTX-1.pdf";
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Betriebseinrichtungen - Hebetechnik"), std::string::npos) << text;
    EXPECT_NE(text.find("1/01"), std::string::npos) << text;
    EXPECT_NE(text.find("Tragkraft 4 t."), std::string::npos) << text;
    EXPECT_NE(text.find("QX-1"), std::string::npos) << text;
    EXPECT_TRUE(page->isEnabled());
    EXPECT_TRUE(ui->Messages().empty());
}

} // namespace
} // namespace qx
