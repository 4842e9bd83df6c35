#include "CatalogPages.h"
#include "navigation/ui/AreaPage.h"
#include "pages/GroupPage.h"
#include "pages/ProductPage.h"
#include "platform/core/RecordingDc.h"
#include "platform/core/ScriptedUi.h"

#include <QTest>

#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;

std::vector<std::string> ListedNames(GroupPage& page) {
    std::vector<std::string> names;
    for (int i = 0; i < page.GetCount(GroupPage::kList); ++i) {
        std::string name;
        GetField(3, page.GetLbText(GroupPage::kList, i), name, 127);
        names.push_back(name);
    }
    return names;
}

struct GroupPages : ::testing::Test {
    void SetUp() override { testing::WriteCatalogPages(c); }
    GroupPage* Open(RunningProgram& p, int origin, const std::string& listFile = "HEBE") {
        p.State().groupFile = "HEBE";
        p.State().listFile = listFile;
        p.State().pageOrigin = origin;
        p.ShowPage(kPageGroup);
        return p.Current<GroupPage>();
    }
    ScopedScriptedUi ui;
    TempCatalog c;
};

TEST_F(GroupPages, ReturnFromAProductListShowsItsLevel) {
    RunningProgram p(c);
    GroupPage* page = Open(p, 3, "LIST.KAT");
    ASSERT_NE(page, nullptr);
    // Entries of code length 3 below "ab", the one naming the list selected.
    EXPECT_EQ(ListedNames(*page), (std::vector<std::string>{"Wagen", "Kr\xE4ne", "St\xE4nder"}));
    EXPECT_EQ(page->GetCurSel(GroupPage::kList), 1);
    EXPECT_EQ(page->Depth(), 3);
    EXPECT_EQ(page->CurrentCode(), "ab");
    EXPECT_EQ(page->Breadcrumb(), "Heben / Heber");
    EXPECT_EQ(page->PictureName(), "G_ABC.bmp");
    EXPECT_FALSE(page->Picture().IsNull());
    EXPECT_EQ(p.State().hierarchyCode, "abc");
    EXPECT_EQ(p.State().pageOrigin, 2);
    EXPECT_EQ(page->Title(), "Hebetechnik");

    // The header: title and breadcrumb in white, in design units.
    RecordingDc dc({632, 434});
    page->PaintInto(dc);
    // Background, frame, the entry's picture, then title and breadcrumb in white, in design units.
    EXPECT_EQ(test::Dump(dc.Calls()),
              "dib 0,0,40,30 from 0,0,40,30\n"
              "fill 14,64,310,414 #ffffff\n"
              "line 310,64 310,414 14,414 solid/1 #c0c0c0\n"
              "line 14,414 14,64 310,64 solid/1 #808080\n"
              "line 311,65 311,415 15,415 solid/1 #ffffff\n"
              "line 15,414 15,65 311,65 solid/1 #000000\n"
              "dib 16,66,46,86 from 0,0,30,20\n"
              "text 116,14 \"Hebetechnik\" Arial/-18/400 #ffffff fmt=0 clear aniso 628x430>628x430\n"
              "text 116,37 \"Heben / Heber\" Arial/16/400 #ffffff fmt=0 clear aniso 628x430>628x430\n");

    // A list not named in the group file: the top level.
    GroupPage* top = Open(p, 3, "NONE.KAT");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(p.State().hierarchyCode, "a");
    EXPECT_EQ(top->Depth(), 1);
    EXPECT_EQ(ListedNames(*top), (std::vector<std::string>{"Heben", "R\xE4""der"}));
    EXPECT_EQ(top->Breadcrumb(), "");
}

TEST_F(GroupPages, WalkDownToALeafAndUpToTheAreaPage) {
    RunningProgram p(c);
    GroupPage* page = Open(p, 1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Depth(), 1);
    EXPECT_EQ(page->GetCurSel(GroupPage::kList), 0);
    EXPECT_EQ(page->PictureName(), "G_A.bmp");
    EXPECT_FALSE(page->IsItemVisible(GroupPage::kHint));
    EXPECT_FALSE(page->IsItemEnabled(GroupPage::kHint));

    // Enter on the list opens "Heben": its children, the first selected.
    testing::PressKey(&p.Frame(), Qt::Key_Return);
    EXPECT_EQ(page->Depth(), 2);
    EXPECT_EQ(ListedNames(*page),
              (std::vector<std::string>{"B\xFChnen", "Heber", "Fehlt", "Leer"}));
    EXPECT_EQ(page->GetCurSel(GroupPage::kList), 0);
    EXPECT_EQ(page->Breadcrumb(), "Heben");
    EXPECT_EQ(page->PictureName(), "G_AA.bmp");

    // Moving the selection loads the picture of the entry.
    testing::PressKey(&p.Frame(), Qt::Key_Down);
    EXPECT_EQ(page->SelectionIndex(), 1);
    EXPECT_EQ(page->PictureName(), "G_AB.bmp");
    // An entry without a picture shows none.
    testing::PressKey(&p.Frame(), Qt::Key_Down);
    EXPECT_EQ(page->PictureName(), "");
    EXPECT_TRUE(page->Picture().IsNull());

    // Escape goes up one level and selects the first entry there.
    testing::PressKey(&p.Frame(), Qt::Key_Escape);
    EXPECT_EQ(page->Depth(), 1);
    EXPECT_EQ(page->GetCurSel(GroupPage::kList), 0);
    EXPECT_EQ(page->Breadcrumb(), "");

    // Double clicks down to the leaf "Säulen": the product page opens with
    // the path that leads to it.
    page->SendCommand(GroupPage::kList, LBN_DBLCLK);
    page->SendCommand(GroupPage::kList, LBN_DBLCLK);
    EXPECT_EQ(page->Depth(), 3);
    EXPECT_EQ(page->Breadcrumb(), "Heben / B\xFChnen");
    page->SendCommand(GroupPage::kList, LBN_DBLCLK);
    EXPECT_TRUE(page->IsDestroyed());
    EXPECT_EQ(p.State().pageMode, kPageProduct);
    EXPECT_EQ(p.State().listFile, "SAEULE.KAT");
    EXPECT_EQ(p.State().hierarchyCode, "aaa");
    EXPECT_EQ(p.State().breadcrumb, "Heben / B\xFChnen / S\xE4ulen");
    Pump();
    ProductPage* product = p.Current<ProductPage>();
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->Breadcrumb(), "Heben / B\xFChnen / S\xE4ulen");

    // Zurück at the top level: the area page, told where it comes from.
    page = Open(p, 1);
    ASSERT_NE(page, nullptr);
    p.State().areaLevel = 0;
    page->SendCommand(GroupPage::kBack);
    EXPECT_TRUE(page->IsDestroyed());
    EXPECT_EQ(p.State().pageMode, kPageArea);
    EXPECT_EQ(p.State().pageOrigin, 2);
    Pump();
    EXPECT_NE(p.Current<AreaPage>(), nullptr);

    // Hauptmenü: the start page.
    page = Open(p, 3, "LIST.KAT");
    p.State().areaLevel = 2;
    page->SendCommand(GroupPage::kMainMenu);
    EXPECT_EQ(p.State().pageMode, kPageArea);
    EXPECT_EQ(p.State().areaLevel, 0);
    Pump();
    EXPECT_NE(p.Current<AreaPage>(), nullptr);
    EXPECT_TRUE(ui->Messages().empty());
}

TEST_F(GroupPages, MissingGroupFileReturnsToTheAreaPage) {
    RunningProgram p(c);
    p.State().groupFile = "NICHTDA";
    p.State().pageOrigin = 1;
    p.ShowPage(kPageGroup);
    ASSERT_EQ(ui->shown.size(), 1u);
    EXPECT_EQ(ui->shown[0].text, "Dieser Produktbereich wurde\nnicht installiert!");
    EXPECT_EQ(ui->shown[0].caption, "QUARVENTA AG");
    EXPECT_EQ(ui->shown[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_NE(p.Current<AreaPage>(), nullptr);
    EXPECT_EQ(p.Frame().Pages().size(), 1u);
}

TEST_F(GroupPages, EntriesAreDrawnByNameAndLanguageChangeSetsCaptions) {
    RunningProgram p(c);
    GroupPage* page = Open(p, 1);
    ASSERT_NE(page, nullptr);
    RecordingDc dc;
    DrawItem item;
    item.kind = DrawItem::ListBox;
    item.controlId = GroupPage::kList;
    item.itemId = 0;
    item.selected = true;
    item.dc = &dc;
    item.rect = Rect{0, 16, 200, 32};
    item.itemText = "a||Heben|G_A.bmp";
    page->DrawItemInto(item);
    item.selected = false;
    page->DrawItemInto(item);
    EXPECT_EQ(test::Dump(dc.Calls()), "fill 0,16,200,32 #000080\n"
                                      "drawtext 2,16,200,32 \"Heben\" Arial/16/400 #ffffff fmt=824 clear\n"
                                      "fill 0,16,200,32 #ffffff\n"
                                      "drawtext 2,16,200,32 \"Heben\" Arial/16/400 #000000 fmt=824 clear\n");

    EXPECT_EQ(page->GetItemText(GroupPage::kBack), "Zur\xFC""ck");
    p.Frame().ChangeLanguage(1);
    Pump();
    EXPECT_EQ(page->GetItemText(GroupPage::kBack), "Back");
    EXPECT_EQ(page->GetItemText(GroupPage::kMainMenu), "Main menu");
}

} // namespace
} // namespace qx
