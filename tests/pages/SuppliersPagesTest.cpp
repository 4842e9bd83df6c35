// From the order list page to its order information, the distributors and
// the printed letters, as a user takes these roads.
#include "CatalogPages.h"
#include "orders/OrderInfo.h"
#include "orders/OrderList.h"
#include "orders/ui/OrderInfoPage.h"
#include "orders/ui/OrderListPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/Print.h"
#include "resources/Menus.h"
#include "suppliers/AddressFile.h"
#include "suppliers/ui/SupplierSearchPage.h"
#include "tests/common/PdfText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace qx {
namespace {

using namespace std::string_literals;

using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;

struct SupplierRoads : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        c.Write("DIST_GR.TAB", "# Tabelle\n"
                               "a|b|Deutschland|9||T|Werkzeug Nord|Weg 1\n"
                               "a|b|Deutschland|9||B|Zentrum Sued|Ring 2\n"
                               "a|b|Deutschland|9||B|Alpha Halle|Platz 3\n"
                               "a|b|\xD6sterreich|1||B|Wien Eins\n");
        c.Write("stkt_gr.bst", "\0\n\0\nSehr geehrte Damen und Herren,\0\nGruss\0\n"
                                           "\0\n\0\nBitte liefern Sie:\0\nGruss B\0\n[EndOfFile]"s);
        std::filesystem::create_directories(c.Dir() / "orders");
        list = ToWindowsPath(c.Dir()) + "\\orders\\MAI.STK";
        OrderList l;
        for (const char* supplier : {"QTX_VZ", "DORNA", "DERUZA"}) {
            OrderItem& e = l.items.emplace_back();
            e.quantity = "1";
            e.number = std::string("N-") + supplier;
            e.name = "Teil";
            e.supplier = supplier;
        }
        ASSERT_TRUE(SaveOrderList(list, l));
    }
    OrderListPage* OpenList(RunningProgram& p) {
        ui->fileAnswers = {list};
        p.Frame().OnMenuCommand(kCmdOrderList);
        Pump();
        return p.Current<OrderListPage>();
    }
    std::string EditText(DialogWindow& page, int id) { return page.GetItemText(id); }
    ScopedScriptedUi ui;
    TempCatalog c;
    std::string list;
};

TEST_F(SupplierRoads, DistributorsChosenAndStoredThenTheLettersPrinted) {
    RunningProgram p(c);
    OrderListPage* page = OpenList(p);
    ASSERT_NE(page, nullptr);

    // The distributors: Germany with the company number, two workshop
    // equipment distributors to choose from, sorted by their first line.
    QTest::mouseClick(page->Item(OrderListPage::kSuppliers), Qt::LeftButton);
    auto* suppliers = p.Current<SupplierSearchPage>();
    ASSERT_NE(suppliers, nullptr);
    EXPECT_EQ(suppliers->GetCount(SupplierSearchPage::kCountries), 2);
    EXPECT_TRUE(suppliers->IsItemVisible(SupplierSearchPage::kCompanyNumber));
    QTimer::singleShot(0, [] {
        auto* choice = QApplication::activeModalWidget();
        ASSERT_NE(choice, nullptr);
        auto* dialog = static_cast<DistributorListDialog*>(choice);
        EXPECT_EQ(dialog->GetLbText(DistributorListDialog::kList, 0), "Alpha Halle|Platz 3|]");
        dialog->SetCurSel(DistributorListDialog::kList, 1);
        QTest::keyClick(choice, Qt::Key_Return);
    });
    QTest::mouseClick(suppliers->Item(SupplierSearchPage::kSearch), Qt::LeftButton);
    EXPECT_EQ(EditText(*suppliers, SupplierSearchPage::kEquipment), "Zentrum Sued\r\nRing 2\r\n");
    EXPECT_EQ(EditText(*suppliers, SupplierSearchPage::kSpecialTools), "Werkzeug Nord\r\nWeg 1\r\n");
    QTest::keyClicks(suppliers->Item(SupplierSearchPage::kOwnAddress), QStringLiteral("Autohaus Nord"));

    // Another country hides the company number; nothing found there for QX BRENA's partner MIROS.
    suppliers->SetCurSel(SupplierSearchPage::kCountries, 1);
    suppliers->SendCommand(SupplierSearchPage::kCountries, CBN_SELENDOK);
    EXPECT_FALSE(suppliers->IsItemVisible(SupplierSearchPage::kCompanyNumber));
    suppliers->SetCurSel(SupplierSearchPage::kBrands, 1);
    QTest::mouseClick(suppliers->Item(SupplierSearchPage::kSearch), Qt::LeftButton);
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0], "Keine Adresse (Betriebseinrichtungen) vorhanden!");
    EXPECT_EQ(EditText(*suppliers, SupplierSearchPage::kEquipment), "Zentrum Sued\r\nRing 2\r\n");

    // The first save asks where; the place is kept in qxkat.ini.
    const std::string adr = ToWindowsPath(c.Dir()) + "\\orders\\qxkat.adr";
    ui->fileAnswers = {adr};
    QTest::mouseClick(suppliers->Item(SupplierSearchPage::kSave), Qt::LeftButton);
    EXPECT_EQ(p.app->Context().profile.GetString("Paths", "adr", "", 260), adr);
    const auto stored = ReadAddressFile(adr);
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)[kAddressOwn], "Autohaus Nord");
    QTest::mouseClick(suppliers->Item(SupplierSearchPage::kSave), Qt::LeftButton); // no second question
    EXPECT_TRUE(ui->fileAnswers.empty());
    QTest::mouseClick(suppliers->Item(SupplierSearchPage::kCancel), Qt::LeftButton);
    Pump();
    ASSERT_EQ(p.Current<OrderListPage>(), page);

    // The order information: the template with the stored addresses.
    QTest::mouseClick(page->Item(OrderListPage::kOrderInfo), Qt::LeftButton);
    auto* info = p.Current<OrderInfoPage>();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(EditText(*info, OrderInfoPage::kEdits[kToolsSender]), "Autohaus Nord");
    EXPECT_EQ(EditText(*info, OrderInfoPage::kEdits[kEquipmentRecipient]), "Zentrum Sued\r\nRing 2\r\n");
    EXPECT_EQ(EditText(*info, OrderInfoPage::kEdits[kToolsOpening]), "Sehr geehrte Damen und Herren,");
    auto* closing = static_cast<QPlainTextEdit*>(info->Item(OrderInfoPage::kEdits[kEquipmentClosing]));
    closing->selectAll();
    QTest::keyClicks(closing, QStringLiteral("Danke|Tsch"));
    QKeyEvent umlaut(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u00fc"));
    QApplication::sendEvent(closing, &umlaut);
    QTest::keyClicks(closing, QStringLiteral("ss"));
    QTest::mouseClick(info->Item(OrderInfoPage::kSave), Qt::LeftButton);
    EXPECT_EQ(ui->Messages().back(), "Einige Zeichen k\xF6nnen nicht gespeichert werden und wurden ersetzt.\n"
                                     "Bitte pr\xFC" "fen Sie die Eingabe.");
    const auto saved = LoadOrderInfo(ToWindowsPath(c.Dir()) + "\\orders\\MAI.STT");
    ASSERT_TRUE(saved);
    EXPECT_EQ((*saved)[kEquipmentClosing], "Danke/Tsch\xFCss");
    QTest::mouseClick(info->Item(OrderInfoPage::kBack), Qt::LeftButton);
    Pump();
    ASSERT_EQ(p.Current<OrderListPage>(), page);

    // The letters, to PDF: one per supplier, in order.
    const std::filesystem::path out = c.Dir() / "print";
    std::filesystem::create_directories(out);
    PrintBackend::SetPrintToDirectory(QString::fromStdString(out.string()));
    QTest::mouseClick(page->Item(OrderListPage::kPrint), Qt::LeftButton);
    Pump();
    PrintBackend::SetPrintToDirectory(QString());
    const std::filesystem::path pdf = out / "QTX-1.pdf";
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const std::string first = test::PdfText(pdf, 1), second = test::PdfText(pdf, 2), third = test::PdfText(pdf, 3);
    if (first.empty())
        GTEST_SKIP() << "pdftotext is not available";
    EXPECT_NE(first.find("N-QTX_VZ"), std::string::npos) << first;
    EXPECT_NE(first.find("Zentrum Sued"), std::string::npos) << first;
    EXPECT_NE(first.find("Danke/Tsch\u00fcss"), std::string::npos) << first;
    EXPECT_NE(second.find("N-DORNA"), std::string::npos) << second;
    EXPECT_NE(second.find("Werkzeug Nord"), std::string::npos) << second;
    EXPECT_NE(third.find("N-DERUZA"), std::string::npos) << third;
    EXPECT_EQ(third.find("N-QTX_VZ"), std::string::npos) << third;
}

} // namespace
} // namespace qx
