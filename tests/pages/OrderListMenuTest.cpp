// The order list's context menu as a keyboard user takes it: numbers in
// from a file with the Menu key, the list out as a spreadsheet file with
// Shift+F10, both files checked on disk.
#include "CatalogPages.h"
#include "orders/OrderList.h"
#include "orders/ui/OrderListPage.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "resources/Menus.h"

#include <QTest>

#include <gtest/gtest.h>

namespace qx {
namespace {

using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;

TEST(OrderListMenu, NumbersInByTheMenuKeyAndASpreadsheetOutByShiftF10) {
    ScopedScriptedUi ui;
    TempCatalog c;
    testing::WriteCatalogPages(c);
    c.Write("DATEN\\LANG1\\Katalog.ANR", "QX-1  Zwei-S\xE4ulen-B\xFChne|P1|SAEULE.KAT\nVAS 3  Ohne Preis|P3|saeule.kat\n");
    c.Write("orders\\numbers.txt", "Nummer;Menge\nqx-1;2\nvas3\nT99999\n");
    const std::string dir = ToWindowsPath(c.Dir()) + "\\orders";
    RunningProgram p(c);
    auto* page = testing::OpenOrderList(p, *ui, dir + "\\MAI.STK");
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->FocusedItem(), OrderListPage::kList);
    const std::string menu = "Als Tabelle exportieren\x85\nNummern einf\xFCgen\x85\n";

    ui->menuAnswers = {1};
    ui->fileAnswers = {dir + "\\numbers.txt"};
    testing::PressKey(&p.Frame(), Qt::Key_Menu);
    Pump();
    ASSERT_GE(ui->shown.size(), 3u);
    EXPECT_EQ(ui->shown[ui->shown.size() - 3].text, menu);
    EXPECT_EQ(ui->shown[ui->shown.size() - 2].spec.initialDirectory, dir); // the order-list folder first
    EXPECT_EQ(ui->Messages().back(), "Diese Zeilen wurden nicht eingef\xFCgt:\n\nNicht gefunden:\nT99999");
    OrderList saved;
    ASSERT_EQ(LoadOrderList(dir + "\\MAI.STK", saved), OrderListRead::Loaded); // saved at once
    ASSERT_EQ(saved.items.size(), 2u);
    EXPECT_EQ(saved.items[0].number.str() + " " + saved.items[0].quantity.str(), "QX-1 2");
    EXPECT_EQ(saved.items[1].number.str() + " " + saved.items[1].quantity.str(), "QX-3 1");
    EXPECT_EQ(saved.items[0].vzTotalEur.str(), "1975,20 EUR");

    ui->menuAnswers = {0};
    ui->fileAnswers = {dir + "\\out.csv"};
    testing::PressKey(&p.Frame(), Qt::Key_F10, Qt::ShiftModifier);
    Pump();
    EXPECT_EQ(ui->shown.back().spec.fileName, "MAI.csv");
    const std::optional<std::string> csv = ReadWholeFile(c.Dir() / "orders" / "out.csv");
    ASSERT_TRUE(csv);
    EXPECT_TRUE(csv->starts_with("\xEF\xBB\xBFPos.;Menge;Nummer;Bezeichnung;Bemerkungen;Lieferant;St\xC3\xBC"
                                 "ckpreis;Gesamtpreis;W\xC3\xA4hrung;Preisliste\r\n1;2;QX-1;Zwei-S\xC3\xA4ulen-B"
                                 "\xC3\xBChne;;QTX_VZ;"))
        << *csv;
}

} // namespace
} // namespace qx
