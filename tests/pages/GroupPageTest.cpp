#include "CatalogPages.h"
#include "navigation/ui/AreaPage.h"
#include "pages/GroupPage.h"
#include "pages/ProductPage.h"
#include "platform/core/RecordingDc.h"
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

    // The header: title and breadcrumb in white, in design units.
    RecordingDc dc({632, 434});
    page->PaintInto(dc);
    const DrawCall* crumb = dc.FindText("Heben / Heber");
    ASSERT_NE(crumb, nullptr);
    EXPECT_EQ(crumb->at, (Point{116, 37}));
    EXPECT_EQ(crumb->font.height, 16);
    EXPECT_EQ(crumb->color, Rgb(255, 255, 255));
    EXPECT_EQ(crumb->mapMode, MapMode::Anisotropic);
    const DrawCall* title = dc.FindText("Hebetechnik");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->at, (Point{116, 14}));
    EXPECT_EQ(title->font.height, -18);

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
    ASSERT_EQ(dc.Texts(), (std::vector<std::string>{"Heben"}));
    const DrawCall* text = dc.FindText("Heben");
    EXPECT_EQ(text->rect.left, 2);
    EXPECT_EQ(text->color, Rgb(255, 255, 255));
    EXPECT_TRUE(text->format & DT_NOPREFIX);
    ASSERT_EQ(dc.Calls()[0].kind, DrawCall::Kind::FillRect);
    EXPECT_NE(dc.Calls()[0].color, Rgb(255, 255, 255));

    dc.Clear();
    item.selected = false;
    page->DrawItemInto(item);
    EXPECT_EQ(dc.Calls()[0].color, Rgb(255, 255, 255));
    EXPECT_EQ(dc.FindText("Heben")->color, Rgb(0, 0, 0));

    EXPECT_EQ(page->GetItemText(GroupPage::kBack), "Zur\xFC""ck");
    p.Frame().ChangeLanguage(1);
    Pump();
    EXPECT_EQ(page->GetItemText(GroupPage::kBack), "Back");
    EXPECT_EQ(page->GetItemText(GroupPage::kMainMenu), "Main menu");
}

} // namespace
} // namespace qx
