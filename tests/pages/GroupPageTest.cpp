#include "CatalogPages.h"
#include "pages/GroupPage.h"
#include "pages/ProductPage.h"
#include "platform/core/ScriptedUi.h"

#include <QTest>

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

    EXPECT_TRUE(ui->Messages().empty());
}

} // namespace
} // namespace qx
