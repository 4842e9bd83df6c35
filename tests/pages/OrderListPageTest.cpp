// The order list roads as a user takes them: the product page's
// "Bestellliste" through the quantity editor, the menu, and the list's own
// buttons, with the file checked on disk.
#include "CatalogPages.h"
#include "orders/OrderList.h"
#include "orders/ui/OrderListPage.h"
#include "orders/ui/QuantityEditor.h"
#include "navigation/ui/AreaPage.h"
#include "pages/ProductPage.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "resources/Menus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;
using testing::WhenModal;

void Keys(QWidget& w, const char* keys) {
    for (const char* k = keys; *k; ++k)
        QTest::keyClick(&w, static_cast<Qt::Key>(Qt::Key_0 + (*k - '0')));
}

struct OrderRoads : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        file = ToWindowsPath(c.Dir()) + "\\orders\\MAI.STK";
        std::filesystem::create_directories(c.Dir() / "orders");
    }
    OrderList OnDisk() {
        OrderList list;
        EXPECT_EQ(LoadOrderList(file, list), OrderListRead::Loaded);
        return list;
    }
    ScopedScriptedUi ui;
    TempCatalog c;
    std::string file;
};

TEST_F(OrderRoads, ProductPageToTheListThroughTheKeypad) {
    RunningProgram p(c);
    p.State().listFile = "SAEULE.KAT";
    p.State().breadcrumb = "x";
    p.ShowPage(kPageProduct);
    auto* product = p.Current<ProductPage>();
    ASSERT_NE(product, nullptr);

    ui->fileAnswers = {file};
    WhenModal([](QWidget& editor) {
        // Typed digits are keypad keys: 5 replaces the 1, 0 appends, CL is 1 again.
        Keys(editor, "50");
        QTest::keyClick(&editor, Qt::Key_Backspace);
        Keys(editor, "0742");
        auto* quantity = static_cast<QLineEdit*>(static_cast<QuantityEditor&>(editor).Item(QuantityEditor::kQuantity));
        EXPECT_EQ(quantity->text(), QStringLiteral("1074"));
        QTest::keyClick(&editor, Qt::Key_Return);
    });
    QTest::mouseClick(product->Item(ProductPage::kOrderList), Qt::LeftButton);
    Pump();

    auto* page = p.Current<OrderListPage>();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(product->isVisible());
    EXPECT_FALSE(p.Frame().IsCommandEnabled(kCmdOrderList)); // one list at a time
    EXPECT_EQ(p.app->Context().profile.GetString("Paths", "stk", "", 128), ToWindowsPath(c.Dir()) + "\\orders");
    ASSERT_EQ(page->List().items.size(), 1u);
    EXPECT_EQ(page->GetCurSel(OrderListPage::kList), 0);
    OrderList saved = OnDisk();
    ASSERT_EQ(saved.items.size(), 1u);
    EXPECT_EQ(saved.items[0].quantity, "1074");
    EXPECT_EQ(saved.items[0].number, "QX-1");
    EXPECT_EQ(saved.items[0].vzUnitEur, "987,60 EUR");
    EXPECT_EQ(saved.items[0].vzTotalEur, "1060682,40 EUR");

    // Modify: Delete is "CL", then 3; delete the entry; "Zurück" asks, No keeps the file.
    WhenModal([](QWidget& editor) {
        QTest::keyClick(&editor, Qt::Key_Delete);
        Keys(editor, "3");
        QTest::keyClick(&editor, Qt::Key_Return);
    });
    QTest::mouseClick(page->Item(OrderListPage::kModify), Qt::LeftButton);
    EXPECT_EQ(page->List().items[0].quantity, "3");
    EXPECT_TRUE(page->IsChanged());
    QTest::mouseClick(page->Item(OrderListPage::kDelete), Qt::LeftButton);
    EXPECT_TRUE(page->List().items.empty());
    QTest::mouseClick(page->Item(OrderListPage::kDelete), Qt::LeftButton);
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0], "Bitte selektieren Sie zuerst einen Eintrag!");

    ui->messageAnswers = {IDCANCEL, IDNO};
    QTest::mouseClick(page->Item(OrderListPage::kBack), Qt::LeftButton);
    EXPECT_FALSE(page->IsDestroyed()); // Cancel stays
    QTest::mouseClick(page->Item(OrderListPage::kBack), Qt::LeftButton);
    Pump();
    EXPECT_EQ(ui->Messages().back(), "Sollen die \xC4nderungen gespeichert werden?");
    EXPECT_EQ(p.Current<ProductPage>(), product);
    EXPECT_TRUE(p.Frame().IsCommandEnabled(kCmdOrderList));
    EXPECT_EQ(OnDisk().items.size(), 1u);
    EXPECT_EQ(OnDisk().items[0].quantity, "1074");

    // Cancel in the editor adds nothing and asks for no file.
    WhenModal([](QWidget& editor) { QTest::keyClick(&editor, Qt::Key_Escape); });
    QTest::mouseClick(product->Item(ProductPage::kOrderList), Qt::LeftButton);
    Pump();
    EXPECT_EQ(p.Current<ProductPage>(), product);
}

TEST_F(OrderRoads, MenuWrongFormatFallbackAndAFreeEntry) {
    c.Write("orders\\MAI.STK", "not an order list");
    RunningProgram p(c);
    auto* page = testing::OpenOrderList(p, *ui, file);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0], "Diese Datei ist keine g\xFCltige St\xFC"
                                 "ckliste!");
    EXPECT_EQ(page->FilePath(), ToWindowsPath(c.Dir()) + "\\orders\\STKLISTE.STK");

    // A free entry needs a name; a typed "|" is shown replaced before it is stored.
    WhenModal([&](QWidget& w) {
        auto& editor = static_cast<QuantityEditor&>(w);
        QTest::keyClick(&w, Qt::Key_Return);
        EXPECT_TRUE(editor.isVisible());
        QTest::keyClicks(editor.Item(QuantityEditor::kName), QStringLiteral("Werkbank|gross"));
        QTest::keyClicks(editor.Item(QuantityEditor::kPrice), QStringLiteral("10"));
        QTest::mouseClick(editor.Item(QuantityEditor::kDigits[3]), Qt::LeftButton);
        QTest::keyClick(&w, Qt::Key_Return);
        EXPECT_EQ(static_cast<QLineEdit*>(editor.Item(QuantityEditor::kName))->text(), QStringLiteral("Werkbank/gross"));
        QTest::keyClick(&w, Qt::Key_Return);
    });
    QTest::mouseClick(page->Item(OrderListPage::kInsert), Qt::LeftButton);
    ASSERT_EQ(ui->Messages().size(), 3u);
    EXPECT_EQ(ui->Messages()[1], "Bitte geben Sie einen Produktnamen an.");
    ASSERT_EQ(page->List().items.size(), 1u);
    const OrderItem& e = page->List().items[0];
    EXPECT_EQ(e.name, "Werkbank/gross");
    EXPECT_EQ(e.supplier, "QTX_VZ");
    EXPECT_EQ(e.vzUnitEur, "10,00 EUR");
    EXPECT_EQ(e.upeTotalEur, "30,00 EUR");
    EXPECT_EQ(e.vzUnitLocal, "19,56 EUR"); // the currency label of the price list
    EXPECT_TRUE(page->IsChanged()); // saved, but "Zurück" still asks

    // Yes saves; a failing save keeps the page open.
    SetWriteFailureForTesting([](const std::filesystem::path&) { return true; });
    ui->messageAnswers = {IDYES};
    EXPECT_FALSE(page->Close());
    ClearWriteFailureForTesting();
    EXPECT_EQ(ui->Messages()[4], "Die Datei konnte nicht erzeugt werden!");
    ui->messageAnswers = {IDYES};
    EXPECT_TRUE(page->Close());
    OrderList saved;
    EXPECT_EQ(LoadOrderList(page->FilePath(), saved), OrderListRead::Loaded);
    EXPECT_EQ(saved.items.size(), 1u);
}

TEST_F(OrderRoads, FromTheStartPageAndBackWithATextTheCodePageCannotHold) {
    c.Write("DATEN\\LANG1\\QXSTART.BER", "Bestellen|x|BESTELLEN|330|300|470|322|Bestellliste\n");
    RunningProgram p(c);
    auto* area = p.Current<AreaPage>();
    ASSERT_NE(area, nullptr);
    ui->fileAnswers = {std::nullopt, file};
    QTest::mouseClick(area->Item(AreaPage::kFirstButton), Qt::LeftButton); // cancelled: nothing opens
    EXPECT_EQ(p.Current<AreaPage>(), area);
    QTest::mouseClick(area->Item(AreaPage::kFirstButton), Qt::LeftButton);
    auto* page = p.Current<OrderListPage>();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->List().items.empty()); // a new file: an empty list, no message
    EXPECT_TRUE(ui->Messages().empty());

    // "ř" has no place in the German code page: the user is told, the edit shows "?".
    QWidget* indication = page->Item(OrderListPage::kIndication);
    QTest::keyClicks(indication, QStringLiteral("Dvo"));
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u0159")); // as a Czech keyboard sends it
    QApplication::sendEvent(indication, &key);
    QTest::keyClicks(indication, QStringLiteral("ak"));
    EXPECT_TRUE(page->IsChanged());
    QTest::mouseClick(page->Item(OrderListPage::kSave), Qt::LeftButton);
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(static_cast<QLineEdit*>(page->Item(OrderListPage::kIndication))->text(), QStringLiteral("Dvo?ak"));
    EXPECT_EQ(OnDisk().indication, "Dvo?ak");
    EXPECT_FALSE(page->IsChanged());
    QTest::mouseClick(page->Item(OrderListPage::kBack), Qt::LeftButton); // unchanged: no question
    Pump();
    EXPECT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(p.Current<AreaPage>(), area);
}

} // namespace
} // namespace qx
