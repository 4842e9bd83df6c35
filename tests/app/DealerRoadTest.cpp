// A dealer's road through the demo catalogue, by keys and clicks on the main
// window: search two products by keyword, order them through the quantity
// editor, choose the distributors, look at the order information and print
// the order letters to PDF as "--print-to" does.
#include "RunningProgram.h"
#include "ground/CommandLine.h"
#include "orders/ui/OrderInfoPage.h"
#include "orders/ui/OrderListPage.h"
#include "pages/ProductPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/Print.h"
#include "resources/Menus.h"
#include "suppliers/ui/SupplierSearchPage.h"
#include "tests/common/PdfText.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace qx {
namespace {

using testing::PressKey;
using testing::Pump;
using testing::WhenModal;

struct Order {
    const char* term;     // typed into the keyword search, selects by prefix
    const char* key;      // the product the choice opens
    const char* quantity; // typed on the keypad
};

struct Road {
    const char* language; // as on the command line
    std::vector<Order> orders;
    const char* ownAddress;
    // What each printed sheet must show, UTF-8 as pdftotext gives it: lines
    // holding these pieces in this order, pieces parted by "|".
    std::vector<std::vector<std::string>> sheets;
};

void PrintTo(const Road& road, std::ostream* os) { *os << "language " << road.language; }

struct DealerRoad : ::testing::TestWithParam<Road> {
    ScopedScriptedUi ui;
    testing::TempCatalog work;
};

// A line of the text holds the pieces, parted by "|", in this order.
bool HasLine(const std::string& text, const std::string& pieces) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream parts(pieces);
        std::size_t at = 0;
        for (std::string part; at != std::string::npos && std::getline(parts, part, '|');)
            at = line.find(part, at);
        if (at != std::string::npos)
            return true;
    }
    return false;
}

// The keyword search, the first time from the start page's second row
// (reached by Tab past the first), then by the menu; the product ordered
// through the keypad.
void SearchAndOrder(MainFrame& frame, const Order& order, bool first) {
    bool searched = false;
    WhenModal([&](QWidget& dialog) {
        searched = true;
        // The edit holds the last choice: typing starts over on it.
        PressKey(&dialog, Qt::Key_A, Qt::ControlModifier);
        for (const char* c = order.term; *c; ++c)
            QTest::keyClick(dialog.windowHandle(), *c);
        PressKey(&dialog, Qt::Key_Return);
        if (dialog.isVisible()) {
            ADD_FAILURE() << "nothing chosen for " << order.term;
            PressKey(&dialog, Qt::Key_Escape);
        }
    });
    if (first) {
        for (int key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return})
            PressKey(&frame, key);
    } else {
        frame.OnMenuCommand(kCmdKeyword);
    }
    Pump();
    ASSERT_TRUE(searched);
    auto* product = dynamic_cast<ProductPage*>(frame.CurrentPage());
    ASSERT_EQ(product && product->CurrentRecord() ? product->CurrentRecord()->key.str() : "none", order.key);
    WhenModal([&](QWidget& editor) {
        for (const char* c = order.quantity; *c; ++c)
            QTest::keyClick(&editor, static_cast<Qt::Key>(Qt::Key_0 + (*c - '0')));
        QTest::keyClick(&editor, Qt::Key_Return);
    });
    testing::Click(product, ProductPage::kOrderList);
}

TEST_P(DealerRoad, SearchOrderChooseDistributorsAndPrintTheLetters) {
    const Road& road = GetParam();
    const std::filesystem::path demo = QX_DEMO_DIR;
    if (!std::filesystem::exists(demo / "DATEN"))
        GTEST_SKIP() << "the demo catalogue is not generated";
    const std::filesystem::path out = work.Dir() / "print";
    std::filesystem::create_directories(out);
    std::filesystem::create_directories(work.Dir() / "orders");
    const CommandLine cl = ParseCommandLine({"--program-dir", demo.string(), "--language", road.language,
                                             "--print-to", out.string(), "--desktop-width", "1024"});
    ASSERT_EQ(cl.error, "");
    PrintBackend::SetPrintToDirectory(QString::fromStdString(cl.printToDir));
    testing::RunningProgram p(cl.programDir, work.Ini(), cl.desktopWidth, cl.language);

    ui->fileAnswers = {ToWindowsPath(work.Dir()) + "\\orders\\WERKSTATT.STK"};
    for (std::size_t i = 0; i < road.orders.size(); ++i) {
        SearchAndOrder(p.Frame(), road.orders[i], i == 0);
        ASSERT_EQ(p.Current<OrderListPage>() ? p.Current<OrderListPage>()->List().items.size() : 0u, i + 1);
        if (i + 1 < road.orders.size())
            p.Key(Qt::Key_Escape); // back to the product
    }
    EXPECT_TRUE(ui->fileAnswers.empty());
    auto* list = p.Current<OrderListPage>();

    // The distributors of the first country: Space and Enter take the first
    // of several equipment distributors.
    testing::Click(list, OrderListPage::kSuppliers);
    auto* suppliers = p.Current<SupplierSearchPage>();
    ASSERT_NE(suppliers, nullptr);
    WhenModal([](QWidget& choice) {
        PressKey(&choice, Qt::Key_Space);
        PressKey(&choice, Qt::Key_Return);
        EXPECT_FALSE(choice.isVisible()) << "the distributor list took no choice";
    });
    testing::Click(suppliers, SupplierSearchPage::kSearch);
    QTest::keyClicks(suppliers->Item(SupplierSearchPage::kOwnAddress), QString::fromUtf8(road.ownAddress));
    ui->fileAnswers = {ToWindowsPath(work.Dir()) + "\\orders\\qxkat.adr"};
    testing::Click(suppliers, SupplierSearchPage::kSave);
    testing::Click(suppliers, SupplierSearchPage::kCancel);
    ASSERT_EQ(p.Current<OrderListPage>(), list);

    // The order information from the templates, stored beside the list.
    testing::Click(list, OrderListPage::kOrderInfo);
    auto* info = p.Current<OrderInfoPage>();
    ASSERT_NE(info, nullptr);
    testing::Click(info, OrderInfoPage::kSave);
    testing::Click(info, OrderInfoPage::kBack);
    ASSERT_EQ(p.Current<OrderListPage>(), list);

    testing::Click(list, OrderListPage::kPrint);
    PrintBackend::SetPrintToDirectory(QString());
    const std::filesystem::path pdf = out / "QTX-1.pdf";
    ASSERT_TRUE(std::filesystem::exists(pdf));
    if (test::PdfText(pdf).empty())
        GTEST_SKIP() << "pdftotext is not available";
    for (std::size_t s = 0; s < road.sheets.size(); ++s) {
        const std::string text = test::PdfText(pdf, static_cast<int>(s) + 1, true);
        for (const std::string& want : road.sheets[s])
            EXPECT_TRUE(HasLine(text, want)) << "sheet " << s + 1 << " lacks \"" << want << "\":\n" << text;
    }
    EXPECT_TRUE(test::PdfText(pdf, static_cast<int>(road.sheets.size()) + 1).empty()) << "one sheet too many";
    EXPECT_TRUE(ui->Messages().empty()) << ui->Messages().front();
}

// Positions, prices and sums from the demo price lists (UPE); the distributors the first of their lists.
const Road kGerman{"0",
                   {{"rangierwagenheber 2", "HZ01", "2"},
                    {"bremse - nuss", "BR04", "3"},
                    {"schraubenkompressor", "DL01", "1"}},
                   "Autohaus Muster",
                   {{"Autohaus Muster", "Q.T.X Vertriebszentrum Nord GmbH", "Hafenstra\u00dfe 12", "20457 Hamburg",
                     "Bestellung Betriebseinrichtungen",
                     "1|QX-801 301|Rangierwagenheber 2,5 t|2|890,00 EUR|1780,00 EUR", "PL 2026/12 QX-D|1780,00 EUR"},
                    {"Autohaus Muster", "DORNA Spezialwerkzeuge GmbH", "34117 Kassel", "Bestellung Spezialwerkzeuge",
                     "1|T30104|Nuss f\u00fcr F\u00fchrungsbolzen|3|23,00 EUR|69,00 EUR", "PL 2026/12 QX-D|69,00 EUR"},
                    {"Q.T.X Vertriebszentrum Nord GmbH", "1|ZRT 614 201|Schraubenkompressor 7,5 kW|1|6950,00 EUR|6950,00 EUR",
                     "PL 2026/12 QX-D|6950,00 EUR"}}};
const Road kCzech{"3",
                  {{"baterie - st", "BT04", "2"}, {"aretace va", "MO01", "1"}},
                  "Autoservis Brno",
                  {{"Autoservis Brno", "Distribu\u010dn\u00ed centrum Q.T.X Brno s.r.o.", "V\u00edde\u0148sk\u00e1 88",
                    "Objedn\u00e1vka vybaven\u00ed servisu",
                    "1|QX-803 304|Startovac\u00ed zdroj 12 V|2|480,00 EUR|960,00 EUR", "PL 2026/12 QX-CZ|960,00 EUR"},
                   {"DORNA speci\u00e1ln\u00ed n\u00e1\u0159ad\u00ed s.r.o.", "155 21 Praha 5",
                    "1|T10001|Aretace va\u010dkov\u00fdch h\u0159\u00eddel\u016f|1|148,00 EUR|148,00 EUR",
                    "PL 2026/12 QX-CZ|148,00 EUR"}}};

INSTANTIATE_TEST_SUITE_P(Demo, DealerRoad, ::testing::Values(kGerman, kCzech),
                         [](const auto& road) { return std::string(road.param.language) == "0" ? "German" : "Czech"; });

} // namespace
} // namespace qx
