// The program without a mouse: keys go to the main window, which hands them
// to whatever has the keyboard, as they do for a user.

#include "CatalogPages.h"
#include "navigation/ui/AreaPage.h"
#include "pages/GroupPage.h"
#include "pages/InfoPage.h"
#include "pages/ProductPage.h"
#include "platform/core/ScriptedUi.h"
#include "resources/Menus.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;

void Press(RunningProgram& p, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    testing::PressKey(&p.Frame(), key, modifiers);
    Pump();
}

// The page shown and, for the area page, its level: "area 2", "group", ...
std::string Where(RunningProgram& p) {
    DialogWindow* page = p.Frame().CurrentPage();
    if (auto* area = dynamic_cast<AreaPage*>(page))
        return "area " + std::to_string(area->Level());
    if (dynamic_cast<GroupPage*>(page))
        return "group " + std::to_string(static_cast<GroupPage*>(page)->Depth());
    if (dynamic_cast<ProductPage*>(page))
        return "product";
    if (dynamic_cast<InfoPage*>(page))
        return "info";
    return page ? "other" : "none";
}

bool HasKeyboard(DialogWindow* page, int id) {
    return page && page->Item(id) && page->Item(id)->hasFocus();
}

TEST(Keyboard, StartPageToAProductListAndBackByKeysAlone) {
    ScopedScriptedUi ui;
    TempCatalog c;
    testing::WriteCatalogPages(c);
    RunningProgram p(c);
    EXPECT_EQ(QApplication::activeWindow(), &p.Frame());
    ASSERT_EQ(Where(p), "area 0");

    // The first entry has the keyboard; Tab and Shift+Tab move between entries.
    DialogWindow* area = p.Frame().CurrentPage();
    EXPECT_TRUE(HasKeyboard(area, 1010));
    Press(p, Qt::Key_Tab);
    EXPECT_TRUE(HasKeyboard(area, 1011));
    Press(p, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(HasKeyboard(area, 1010));

    // Enter and Space press the entry that has the keyboard, down to the group list.
    Press(p, Qt::Key_Return);
    EXPECT_EQ(Where(p), "area 1");
    Press(p, Qt::Key_Space);
    EXPECT_EQ(Where(p), "area 2");
    Press(p, Qt::Key_Return);
    EXPECT_EQ(Where(p), "area 3");
    Press(p, Qt::Key_Return);
    ASSERT_EQ(Where(p), "group 1");
    auto* group = p.Current<GroupPage>();
    EXPECT_TRUE(HasKeyboard(group, GroupPage::kList));
    // Arrows move in the tree, Enter opens: Heben, Bühnen, Säulen.
    Press(p, Qt::Key_Down);
    EXPECT_EQ(group->GetCurSel(GroupPage::kList), 1);
    Press(p, Qt::Key_Up);
    EXPECT_EQ(group->GetCurSel(GroupPage::kList), 0);
    Press(p, Qt::Key_Return);
    EXPECT_EQ(Where(p), "group 2");
    Press(p, Qt::Key_Return);
    EXPECT_EQ(Where(p), "group 3");
    Press(p, Qt::Key_Return);
    ASSERT_EQ(Where(p), "product");
    auto* product = p.Current<ProductPage>();
    EXPECT_TRUE(HasKeyboard(product, ProductPage::kList));
    Press(p, Qt::Key_Down);
    EXPECT_EQ(product->GetCurSel(ProductPage::kList), 1);
    // Tab reaches the buttons after the list and its text.
    Press(p, Qt::Key_Tab);
    Press(p, Qt::Key_Tab);
    EXPECT_FALSE(HasKeyboard(product, ProductPage::kList));
    EXPECT_NE(QApplication::focusWidget(), nullptr);

    // The terms of delivery over the product page, closed by Escape.
    p.Frame().OnMenuCommand(kCmdTermsEquipment);
    Pump();
    EXPECT_EQ(Where(p), "info");
    Press(p, Qt::Key_Escape);
    ASSERT_EQ(Where(p), "product");

    // Escape alone leads back to the start page, where it asks to quit.
    std::vector<std::string> road;
    for (int i = 0; i < 8 && Where(p) != "area 0"; ++i) {
        Press(p, Qt::Key_Escape);
        road.push_back(Where(p));
    }
    EXPECT_EQ(road, (std::vector<std::string>{"group 3", "group 2", "group 1", "area 3", "area 2", "area 1",
                                              "area 0"}));
    ui->messageAnswers = {IDCANCEL};
    Press(p, Qt::Key_Escape);
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(Where(p), "area 0");
    EXPECT_TRUE(HasKeyboard(p.Frame().CurrentPage(), 1010)) << "the new start page has the keyboard";
}

} // namespace
} // namespace qx
