// Dialog windows: the list box without items of its own (a row count, rows
// drawn by the owner on demand, the selection and notifications of any list
// box), and who takes the keyboard when a window appears.
#include "platform/qt/Window.h"
#include "tests/platform/QtTestApp.h"

#include <QLineEdit>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace qx {
namespace {

constexpr int kList = 1080;

class RowsDialog : public DialogWindow {
public:
    RowsDialog() : DialogWindow(nullptr, Kind::Modal) {
        ControlStyle style;
        style.ownerDraw = true;
        style.hasStrings = false;
        style.noData = true;
        style.itemHeight = 16;
        AddControl(kList, ControlKind::ListBox, style);
        MoveItem(kList, Rect{0, 0, 200, 160});
        resize(200, 160);
    }
    std::set<int> drawn;
    std::vector<std::pair<int, int>> commands;

protected:
    void OnDrawItem(DrawItem& item) override {
        drawn.insert(item.itemId);
        item.dc->FillRect(item.rect, item.selected ? Rgb(0, 0, 255) : Rgb(255, 255, 255));
    }
    void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
};

TEST(NoDataList, HoldsTwoHundredThousandRowsAndDrawsOnlyTheVisible) {
    test::TestApp();
    RowsDialog d;
    d.SetListCount(kList, 200000);
    d.SetCurSel(kList, 0);
    d.show();
    QApplication::processEvents(); // the view lays its rows out when it gets to it
    d.repaint();
    EXPECT_EQ(d.GetCount(kList), 200000);
    EXPECT_EQ(d.GetCurSel(kList), 0);
    EXPECT_FALSE(d.drawn.empty());
    EXPECT_LE(d.drawn.size(), 12u); // 160 pixels of 16-pixel rows, and a part row
    EXPECT_EQ(*d.drawn.rbegin(), static_cast<int>(d.drawn.size()) - 1);

    // Selecting from the program scrolls there and tells nothing.
    d.drawn.clear();
    d.SetCurSel(kList, 199999);
    QApplication::processEvents();
    d.repaint();
    EXPECT_EQ(d.GetCurSel(kList), 199999);
    EXPECT_TRUE(d.drawn.count(199999));
    EXPECT_LE(d.drawn.size(), 12u);
    EXPECT_TRUE(d.commands.empty());

    // The user's keys and clicks tell, as with any list box.
    QWidget* list = d.Item(kList);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(d.GetCurSel(kList), 199998);
    ASSERT_EQ(d.commands.size(), 1u);
    EXPECT_EQ(d.commands[0], std::make_pair(kList, static_cast<int>(LBN_SELCHANGE)));
    auto* view = static_cast<QListView*>(list);
    const QRect row = view->visualRect(view->model()->index(199995, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(d.GetCurSel(kList), 199995);
    EXPECT_EQ(d.commands.back(), std::make_pair(kList, static_cast<int>(LBN_DBLCLK)));

    // Refilled shorter, the selection is gone; out of range selects nothing.
    d.SetListCount(kList, 3);
    EXPECT_EQ(d.GetCount(kList), 3);
    EXPECT_EQ(d.GetCurSel(kList), -1);
    d.SetCurSel(kList, 3);
    EXPECT_EQ(d.GetCurSel(kList), -1);
    d.ResetContent(kList);
    EXPECT_EQ(d.GetCount(kList), 0);
}

// A page shown by its parent leaves the keyboard where it was; a dialog that
// appears takes it.
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
    EXPECT_EQ(dialog.focusWidget(), dialogEdit);
    EXPECT_NE(page.focusWidget(), pageEdit);
}

} // namespace
} // namespace qx
