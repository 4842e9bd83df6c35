// From the order list page to the distributors, its order information and
// the printed letters, as a user takes these roads.
#include "CatalogPages.h"
#include "orders/OrderInfo.h"
#include "orders/ui/OrderInfoPage.h"
#include "orders/ui/OrderListPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "suppliers/AddressFile.h"
#include "suppliers/ui/SupplierSearchPage.h"
#include "tests/common/DrawDump.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace qx {
namespace {

using namespace std::string_literals;
using testing::Pump;

TEST(SupplierRoads, DistributorsChosenAndStoredThenTheLettersPrinted) {
    ScopedScriptedUi ui;
    testing::TempCatalog c;
    testing::WriteCatalogPages(c);
    c.Write("DIST_GR.TAB", "# Tabelle\na|b|Deutschland|9||T|Werkzeug Nord|Weg 1\n"
                           "a|b|Deutschland|9||B|Zentrum Sued|Ring 2\na|b|Deutschland|9||B|Alpha Halle|Platz 3\n"
                           "a|b|Deutschland|9||B|Zeta\n"
                           "a|b|\xD6sterreich|1||B|Wien Eins\n");
    c.Write("stkt_gr.bst", "\0\n\0\nSehr geehrte Damen und Herren,\0\nGruss\0\n"
                           "\0\n\0\nBitte liefern Sie:\0\nGruss B\0\n[EndOfFile]"s);
    const std::string dir = ToWindowsPath(c.Dir()) + "\\";
    ASSERT_TRUE(testing::SaveListOf(dir + "MAI.STK",
                                    {{"N-QTX_VZ", "QTX_VZ"}, {"N-DORNA", "DORNA"}, {"N-DERUZA", "DERUZA"}}));
    testing::RunningProgram p(c);
    OrderListPage* page = testing::OpenOrderList(p, *ui, dir + "MAI.STK");
    ASSERT_NE(page, nullptr);

    // Germany with the company number, two workshop equipment distributors
    // to choose from, sorted by their first line.
    testing::Click(page, OrderListPage::kSuppliers);
    auto* suppliers = p.Current<SupplierSearchPage>();
    ASSERT_NE(suppliers, nullptr);
    EXPECT_EQ(suppliers->GetCount(SupplierSearchPage::kCountries), 2);
    EXPECT_TRUE(suppliers->IsItemVisible(SupplierSearchPage::kCompanyNumber));
    testing::WhenModal([](QWidget& choice) {
        auto& dialog = static_cast<DistributorListDialog&>(choice);
        // A row shows the first, second and sixth line of the address; the end mark "]" is not drawn.
        RecordingDc dc;
        for (int i : {0, 2}) {
            DrawItem row{DrawItem::ListBox, DistributorListDialog::kList, i, DrawItem::DrawEntire, i == 0, false, false,
                         &dc, Rect{0, 24 * i, 300, 24 * i + 48}, 0, dialog.GetLbText(DistributorListDialog::kList, i)};
            testing::DrawOf::Into(dialog, row);
        }
        const std::string font = "\" Arial/14/400 #000000 fmt=0 clear\n";
        EXPECT_EQ(test::Dump(dc.Calls()), "fill 0,0,300,48 #c0c0c0\ntext 2,0 \"Alpha Halle" + font +
                                              "text 2,16 \"Platz 3" + font + "text 2,32 \"" + font +
                                              "fill 0,48,300,96 #ffffff\ntext 2,48 \"Zeta" + font +
                                              "text 2,80 \"" + font);
        QTest::keyClick(dialog.Item(DistributorListDialog::kList), Qt::Key_Down);
        ASSERT_TRUE(choice.isVisible()); // choosing with the keys closes nothing
        QTest::keyClick(&choice, Qt::Key_Return);
    });
    testing::Click(suppliers, SupplierSearchPage::kSearch);
    const auto shown = [suppliers](int id) { return suppliers->GetItemText(id); };
    EXPECT_EQ(shown(SupplierSearchPage::kEquipment) + shown(SupplierSearchPage::kSpecialTools),
              "Zentrum Sued\r\nRing 2\r\nWerkzeug Nord\r\nWeg 1\r\n");
    QTest::keyClicks(suppliers->Item(SupplierSearchPage::kOwnAddress), QStringLiteral("Autohaus Nord"));

    // Another country hides the company number; nothing found there for QX BRENA's partner MIROS.
    suppliers->SetCurSel(SupplierSearchPage::kCountries, 1);
    suppliers->SendCommand(SupplierSearchPage::kCountries, CBN_SELENDOK);
    EXPECT_FALSE(suppliers->IsItemVisible(SupplierSearchPage::kCompanyNumber));
    suppliers->SetCurSel(SupplierSearchPage::kBrands, 1);
    testing::Click(suppliers, SupplierSearchPage::kSearch);
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"Keine Adresse (Betriebseinrichtungen) vorhanden!"});
    EXPECT_EQ(shown(SupplierSearchPage::kEquipment), "Zentrum Sued\r\nRing 2\r\n");
    suppliers->SetCurSel(SupplierSearchPage::kCountries, 0);
    suppliers->SendCommand(SupplierSearchPage::kCountries, CBN_SELENDOK);
    EXPECT_TRUE(suppliers->IsItemVisible(SupplierSearchPage::kCompanyNumber));

    // The first save asks where; the place is kept in qxkat.ini and not asked again.
    ui->fileAnswers = {dir + "qxkat.adr"};
    testing::Click(suppliers, SupplierSearchPage::kSave);
    EXPECT_EQ(p.Context().profile.GetString("Paths", "adr", "", 260), dir + "qxkat.adr");
    EXPECT_EQ(ReadAddressFile(dir + "qxkat.adr").value_or(std::vector<std::string>(kAddressBlocks))[kAddressOwn],
              "Autohaus Nord");
    testing::Click(suppliers, SupplierSearchPage::kSave);
    EXPECT_TRUE(ui->fileAnswers.empty());
    // A kept place that takes no file now is asked for again.
    p.Context().profile.WriteString("Paths", "adr", dir + "fehlt\\qxkat.adr");
    ui->fileAnswers = {dir + "qxkat.adr"};
    testing::Click(suppliers, SupplierSearchPage::kSave);
    EXPECT_TRUE(ui->fileAnswers.empty());
    testing::Click(suppliers, SupplierSearchPage::kCancel);
    ASSERT_EQ(p.Current<OrderListPage>(), page);

    // The order information: the template with the stored addresses; Enter
    // in a field is a new line, "|" and what the code page lacks are replaced.
    testing::Click(page, OrderListPage::kOrderInfo);
    auto* info = p.Current<OrderInfoPage>();
    ASSERT_NE(info, nullptr);
    const auto field = [info](int i) { return info->GetItemText(OrderInfoPage::kEdits[i]) + "|"; };
    EXPECT_EQ(field(kToolsSender) + field(kEquipmentRecipient) + field(kToolsOpening),
              "Autohaus Nord|Zentrum Sued\r\nRing 2\r\n|Sehr geehrte Damen und Herren,|");
    auto* closing = static_cast<QPlainTextEdit*>(info->Item(OrderInfoPage::kEdits[kEquipmentClosing]));
    closing->setFocus();
    closing->selectAll();
    QTest::keyClicks(closing, QStringLiteral("Danke|"));
    testing::PressKey(&p.Frame(), Qt::Key_Return);
    QTest::keyClicks(closing, QStringLiteral("Tsch"));
    QKeyEvent umlaut(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u00fc"));
    QApplication::sendEvent(closing, &umlaut);
    QTest::keyClicks(closing, QStringLiteral("ss"));
    testing::Click(info, OrderInfoPage::kSave);
    EXPECT_EQ(ui->Messages().back(), "Einige Zeichen k\xF6nnen nicht gespeichert werden und wurden ersetzt.\n"
                                     "Bitte pr\xFC" "fen Sie die Eingabe.");
    EXPECT_EQ(LoadOrderInfo(dir + "MAI.STT").value_or(OrderInfo{})[kEquipmentClosing], "Danke/\r\nTsch\xFCss");
    testing::Click(info, OrderInfoPage::kBack);
    ASSERT_EQ(p.Current<OrderListPage>(), page);

    // The letters: one per supplier, in order, each with its own addresses.
    testing::RecordedPrint print;
    testing::Click(page, OrderListPage::kPrint);
    std::vector<std::string> sheets(3);
    for (const DrawCall& call : print.Calls())
        sheets.at(static_cast<std::size_t>(call.page - 1)) += call.text + "|";
    ASSERT_EQ(print.Pages(), 3);
    for (const auto& [sheet, wanted] : {std::pair{0, "N-QTX_VZ"}, std::pair{0, "Zentrum Sued"},
                                        std::pair{0, "Danke/\r\nTsch\xFCss"}, std::pair{1, "N-DORNA"},
                                        std::pair{1, "Werkzeug Nord"}, std::pair{2, "N-DERUZA"}})
        EXPECT_NE(sheets[static_cast<std::size_t>(sheet)].find(wanted), std::string::npos) << sheets[sheet];
    EXPECT_EQ(sheets[2].find("N-QTX_VZ"), std::string::npos);
}

} // namespace
} // namespace qx
