// The order list page's list box is a row count over the entries: a row for
// every entry after loading, adding and deleting, and a delete far down a
// long list leaves the view where it was.
#include "CatalogPages.h"
#include "orders/OrderList.h"
#include "orders/ui/OrderListPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "resources/Menus.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace qx {
namespace {

using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;

TEST(OrderListRows, ARowPerEntryAndADeleteKeepsTheView) {
    ScopedScriptedUi ui;
    TempCatalog c;
    testing::WriteCatalogPages(c);
    OrderList list;
    for (int i = 0; i < 300; ++i) {
        OrderItem& item = list.items.emplace_back();
        item.quantity = "1";
        item.number = "QX-" + std::to_string(i);
    }
    const std::string file = ToWindowsPath(c.Dir()) + "\\MAI.STK";
    ASSERT_TRUE(SaveOrderList(file, list));
    RunningProgram p(c);
    auto* page = testing::OpenOrderList(p, *ui, file);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetCount(OrderListPage::kList), 300);

    auto* view = static_cast<QAbstractItemView*>(page->Item(OrderListPage::kList));
    page->SetCurSel(OrderListPage::kList, 250);
    Pump();
    const int scrolled = view->verticalScrollBar()->value();
    EXPECT_GT(scrolled, 0);
    QTest::mouseClick(page->Item(OrderListPage::kDelete), Qt::LeftButton);
    Pump();
    EXPECT_EQ(page->List().items.size(), 299u);
    EXPECT_EQ(page->GetCount(OrderListPage::kList), 299);
    EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(page->List().items[250].number, "QX-251");
}

} // namespace
} // namespace qx
