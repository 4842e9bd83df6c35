// The order list roads as a user takes them: the product page's
// "Bestellliste" through the quantity editor, the menu, the start page, the
// list's own buttons and its context menu, with the file checked on disk.
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

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace qx {
namespace {

using testing::RunningProgram;
using testing::WhenModal;

void Keys(QWidget& w, const char* keys) {
    for (const char* k = keys; *k; ++k)
        QTest::keyClick(&w, static_cast<Qt::Key>(Qt::Key_0 + (*k - '0')));
}


// The texts of the first row as the list box has it drawn.
std::string RowTexts(OrderListPage& page) {
    RecordingDc dc;
    DrawItem item{DrawItem::ListBox, OrderListPage::kList, 0, DrawItem::DrawEntire, false, false, false, &dc,
                  Rect{0, 0, 600, 36}};
    testing::DrawOf::Into(page, item);
    std::string texts;
    for (const DrawCall& call : dc.Calls())
        texts += call.kind == DrawCall::Kind::Text || call.kind == DrawCall::Kind::DrawText ? call.text + "|" : "";
    return texts;
}

struct OrderRoads : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        dir = ToWindowsPath(c.Dir()) + "\\orders";
        file = dir + "\\MAI.STK";
        std::filesystem::create_directories(c.Dir() / "orders");
    }
    OrderList OnDisk(const std::string& f) {
        OrderList list;
        EXPECT_EQ(LoadOrderList(f, list), OrderListRead::Loaded);
        return list;
    }
    ScopedScriptedUi ui;
    testing::TempCatalog c;
    std::string dir, file;
};

TEST_F(OrderRoads, ProductPageToTheListThroughTheKeypad) {
    RunningProgram p(c);
    p.State().listFile = "SAEULE.KAT";
    p.State().breadcrumb = "x";
    auto* product = p.ShowPage<ProductPage>(kPageProduct);
    ASSERT_NE(product, nullptr);

    ui->fileAnswers = {file};
    WhenModal([](QWidget& editor) {
        // Typed digits are keypad keys: 5 replaces the 1, 0 appends, CL is 1 again.
        Keys(editor, "50");
        QTest::keyClick(&editor, Qt::Key_Backspace);
        Keys(editor, "0742");
        QTest::keyClick(&editor, Qt::Key_Return);
    });
    p.Click(product->Item(ProductPage::kOrderList));
    auto* page = p.Current<OrderListPage>();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(product->isVisible());
    EXPECT_FALSE(p.Frame().IsCommandEnabled(kCmdOrderList)); // one list at a time
    EXPECT_EQ(p.Context().profile.GetString("Paths", "stk", "", 128), dir);
    EXPECT_EQ(page->GetCurSel(OrderListPage::kList), 0);
    OrderList saved = OnDisk(file);
    ASSERT_EQ(saved.items.size(), 1u);
    const OrderItem& e = saved.items[0];
    EXPECT_EQ(e.quantity.str() + " " + e.number.str() + " " + e.vzUnitEur.str() + " " + e.vzTotalEur.str(),
              "1074 QX-1 987,60 EUR 1060682,40 EUR");

    // The price columns of the chosen mode, in the row and in the list's name.
    const std::string row = "1074|QX-1|Zwei-S\xE4ulen-B\xFChne|";
    for (const auto& [command, prices] : {std::pair{kCmdPriceUpe, "1234,50 EUR|1325853,00 EUR"},
                                          std::pair{kCmdPriceVz, "987,60 EUR|1060682,40 EUR"}}) {
        p.Menu(command);
        EXPECT_EQ(RowTexts(*page), row + prices + "||") << command;
        EXPECT_TRUE(p.Frame().Action(command)->isChecked());
    }
    EXPECT_EQ(page->Item(OrderListPage::kList)->accessibleName(),
              QStringLiteral("Menge, Nummer , Artikel, St\u00fcckpreis, Preis"));

    // Modify: Delete is "CL", then 3; delete the entry; "Zurück" asks, No keeps the file.
    WhenModal([](QWidget& editor) {
        QTest::keyClick(&editor, Qt::Key_Delete);
        Keys(editor, "3");
        QTest::keyClick(&editor, Qt::Key_Return);
    });
    testing::Click(page, OrderListPage::kModify);
    EXPECT_EQ(page->List().items[0].quantity, "3");
    EXPECT_TRUE(page->IsChanged());
    testing::Click(page, OrderListPage::kDelete);
    EXPECT_TRUE(page->List().items.empty());

    ui->messageAnswers = {IDCANCEL, IDNO};
    testing::Click(page, OrderListPage::kBack);
    EXPECT_FALSE(page->IsDestroyed()); // Cancel stays
    p.Click(page->Item(OrderListPage::kBack));
    EXPECT_EQ(ui->Messages().back(), "Sollen die \xC4nderungen gespeichert werden?");
    EXPECT_EQ(p.Current<ProductPage>(), product);
    EXPECT_TRUE(p.Frame().IsCommandEnabled(kCmdOrderList));
    EXPECT_EQ(OnDisk(file).items.at(0).quantity, "1074");

    // Cancel in the editor adds nothing and asks for no file.
    WhenModal([](QWidget& editor) {
        QTest::mouseClick(dynamic_cast<DialogWindow&>(editor).Item(IDCANCEL), Qt::LeftButton);
        if (editor.isVisible()) {
            ADD_FAILURE() << "Cancel leaves the editor open";
            QTest::keyClick(&editor, Qt::Key_Escape);
        }
    });
    p.Click(product->Item(ProductPage::kOrderList));
    EXPECT_EQ(p.Current<ProductPage>(), product);
}

TEST_F(OrderRoads, MenuWrongFormatFallbackAndAFreeEntry) {
    c.Write("orders\\MAI.STK", "not an order list");
    RunningProgram p(c);
    auto* page = testing::OpenOrderList(p, *ui, file);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"Diese Datei ist keine g\xFCltige St\xFC" "ckliste!"});
    EXPECT_EQ(page->FilePath(), dir + "\\STKLISTE.STK");

    // A free entry needs a name; a typed "|" is shown replaced before it is stored.
    WhenModal([&](QWidget& w) {
        auto& editor = static_cast<QuantityEditor&>(w);
        QTest::keyClick(&w, Qt::Key_Return);
        EXPECT_TRUE(editor.isVisible());
        QTest::keyClicks(editor.Item(QuantityEditor::kName), QStringLiteral("Werkbank|gross"));
        QTest::keyClicks(editor.Item(QuantityEditor::kPrice), QStringLiteral("10,5"));
        QTest::mouseClick(editor.Item(QuantityEditor::kDigits[3]), Qt::LeftButton);
        QTest::keyClick(&w, Qt::Key_Return);
        EXPECT_EQ(static_cast<QLineEdit*>(editor.Item(QuantityEditor::kName))->text(), QStringLiteral("Werkbank/gross"));
        QTest::keyClick(&w, Qt::Key_Return);
    });
    testing::Click(page, OrderListPage::kInsert);
    ASSERT_EQ(ui->Messages().size(), 3u);
    EXPECT_EQ(ui->Messages()[1], "Bitte geben Sie einen Produktnamen an.");
    ASSERT_EQ(page->List().items.size(), 1u);
    const OrderItem& e = page->List().items[0];
    // The local price with the currency label of the price list.
    EXPECT_EQ(e.name.str() + " " + e.supplier.str() + " " + e.vzUnitEur.str() + " " + e.upeTotalEur.str() + " " +
                  e.vzUnitLocal.str(), "Werkbank/gross QTX_VZ 10,50 EUR 31,50 EUR 20,54 EUR");
    EXPECT_TRUE(page->IsChanged()); // saved, but "Zurück" still asks

    // Yes saves; a failing save keeps the page open.
    SetWriteFailureForTesting([](const std::filesystem::path&) { return true; });
    ui->messageAnswers = {IDYES};
    EXPECT_FALSE(page->Close());
    ClearWriteFailureForTesting();
    EXPECT_EQ(ui->Messages()[4], "Die Datei konnte nicht erzeugt werden!");
    ui->messageAnswers = {IDYES};
    EXPECT_TRUE(page->Close() && page->Close()); // the second finds it gone
    EXPECT_EQ(std::ranges::count(p.Frame().Pages(), page), 0); // at once, before it is deleted
    EXPECT_EQ(OnDisk(dir + "\\STKLISTE.STK").items.size(), 1u);
}

TEST_F(OrderRoads, FromTheStartPageAndBackWithATextTheCodePageCannotHold) {
    c.Write("DATEN\\LANG1\\QXSTART.BER", "Bestellen|x|BESTELLEN|330|300|470|322|Bestellliste\n");
    RunningProgram p(c);
    auto* area = p.Current<AreaPage>();
    ASSERT_NE(area, nullptr);
    ui->fileAnswers = {std::nullopt, file};
    testing::Click(area, AreaPage::kFirstButton); // cancelled: nothing opens
    EXPECT_EQ(p.Current<AreaPage>(), area);
    testing::Click(area, AreaPage::kFirstButton);
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
    testing::Click(page, OrderListPage::kSave);
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(static_cast<QLineEdit*>(indication)->text(), QStringLiteral("Dvo?ak"));
    EXPECT_EQ(OnDisk(file).indication, "Dvo?ak");
    EXPECT_FALSE(page->IsChanged());
    p.Click(page->Item(OrderListPage::kBack)); // unchanged: no question
    EXPECT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(p.Current<AreaPage>(), area);
}

// Numbers in from a file by the Menu key, the list out as a spreadsheet by Shift+F10.
TEST_F(OrderRoads, NumbersInByTheMenuKeyAndASpreadsheetOutByShiftF10) {
    c.Write("DATEN\\LANG1\\Katalog.ANR", "QX-1  Zwei-S\xE4ulen-B\xFChne|P1|SAEULE.KAT\nVAS 3  Ohne Preis|P3|saeule.kat\n");
    c.Write("orders\\numbers.txt", "Nummer;Menge\nqx-1;2\nvas3\nT99999\n");
    RunningProgram p(c);
    auto* page = testing::OpenOrderList(p, *ui, file);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->FocusedItem(), OrderListPage::kList);

    ui->menuAnswers = {1};
    ui->fileAnswers = {dir + "\\numbers.txt"};
    p.Key(Qt::Key_Menu);
    ASSERT_GE(ui->shown.size(), 3u);
    EXPECT_EQ(ui->shown.end()[-3].text, "Als Tabelle exportieren\x85\nNummern einf\xFCgen\x85\n");
    EXPECT_EQ(ui->shown.end()[-2].spec.initialDirectory, dir); // the order-list folder first
    EXPECT_EQ(ui->Messages().back(), "Diese Zeilen wurden nicht eingef\xFCgt:\n\nNicht gefunden:\nT99999");
    EXPECT_EQ(page->GetCurSel(OrderListPage::kList), 1); // the last one taken
    std::string taken;
    for (const OrderItem& e : OnDisk(file).items) // saved at once
        taken += e.number.str() + " " + e.quantity.str() + " " + e.vzTotalEur.str() + "|";
    EXPECT_EQ(taken, "QX-1 2 1975,20 EUR|QX-3 1 siehe VZ-Preisliste|");

    ui->menuAnswers = {0};
    ui->fileAnswers = {dir + "\\out.csv"};
    p.Key(Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(ui->shown.back().spec.fileName, "MAI.csv");
    const std::string csv = ReadWholeFile(c.Dir() / "orders" / "out.csv").value_or("");
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBFPos.;Menge;Nummer;Bezeichnung;Bemerkungen;Lieferant;St\xC3\xBC"
                                 "ckpreis;Gesamtpreis;W\xC3\xA4hrung;Preisliste\r\n1;2;QX-1;Zwei-S\xC3\xA4ulen-B"
                                 "\xC3\xBChne;;QTX_VZ;"))
        << csv;
    // A right click on the list opens the same menu.
    QWidget* rows = static_cast<QAbstractItemView*>(page->Item(OrderListPage::kList))->viewport();
    QTest::mouseClick(p.Frame().windowHandle(), Qt::RightButton, {}, rows->mapTo(&p.Frame(), QPoint(5, 5)));
    EXPECT_EQ(ui->shown.back().text, "Als Tabelle exportieren\x85\nNummern einf\xFCgen\x85\n");
}

} // namespace
} // namespace qx
