// A dealer's road through the demo catalogue, by keys and clicks on the main
// window: search two products by keyword, order them through the quantity
// editor, choose the distributors, look at the order information and print
// the order letters to PDF as "--print-to" does.
#include "GuiFixture.h"
#include "app/ui/CatalogApp.h"
#include "app/ui/MainFrame.h"
#include "ground/CommandLine.h"
#include "orders/OrderList.h"
#include "orders/ui/OrderInfoPage.h"
#include "orders/ui/OrderListPage.h"
#include "pages/ProductPage.h"
#include "platform/core/CodePage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/Print.h"
#include "resources/Menus.h"
#include "suppliers/ui/SupplierSearchPage.h"
#include "tests/common/PdfText.h"

#include <QApplication>
#include <QListView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef QX_DEMO_DIR
#define QX_DEMO_DIR ""
#endif

namespace qx {
namespace {

using testing::PressKey;
using testing::Pump;
using testing::TempCatalog;
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

class DealerRoad : public ::testing::TestWithParam<Road> {
protected:
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        PressKey(app->Frame(), key, modifiers);
        Pump();
    }
    template <class Page> Page* Current() { return dynamic_cast<Page*>(app->Frame()->CurrentPage()); }
    void Click(DialogWindow* page, int id) {
        ASSERT_NE(page->Item(id), nullptr) << id;
        QTest::mouseClick(page->Item(id), Qt::LeftButton);
        Pump();
    }

    ScopedScriptedUi ui;
    TempCatalog work;
    std::unique_ptr<CatalogApp> app;
};

bool HasLine(const std::string& text, const std::string& pieces) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        std::size_t at = 0, from = 0;
        bool all = true;
        while (all && from <= pieces.size()) {
            const std::size_t bar = std::min(pieces.find('|', from), pieces.size());
            at = line.find(pieces.substr(from, bar - from), at);
            all = at != std::string::npos;
            from = bar + 1;
        }
        if (all)
            return true;
        start = end + 1;
    }
    return false;
}

// Space and Enter on the next modal dialog: a distributor list takes the row
// that has the keyboard, the first.
void TakeFirstChoice() {
    WhenModal([](QWidget& choice) {
        PressKey(&choice, Qt::Key_Space);
        PressKey(&choice, Qt::Key_Return);
        if (choice.isVisible()) {
            ADD_FAILURE() << "the distributor list took no choice";
            PressKey(&choice, Qt::Key_Escape);
        }
    });
}

// The keyword search from the start page: the first entry of the second
// row, reached by Tab past the first row.
void SearchAndOrder(CatalogApp& app, const Order& order, bool first) {
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
        PressKey(app.Frame(), Qt::Key_Tab);
        PressKey(app.Frame(), Qt::Key_Tab);
        PressKey(app.Frame(), Qt::Key_Return);
    } else {
        app.Frame()->OnMenuCommand(kCmdKeyword); // the search menu's first item
    }
    Pump();
    ASSERT_TRUE(searched);
    auto* product = dynamic_cast<ProductPage*>(app.Frame()->CurrentPage());
    ASSERT_NE(product, nullptr);
    ASSERT_NE(product->CurrentRecord(), nullptr);
    ASSERT_EQ(product->CurrentRecord()->key, order.key);

    // "Bestellen": the keypad takes the quantity, Enter takes it over.
    WhenModal([&](QWidget& editor) {
        for (const char* c = order.quantity; *c; ++c)
            QTest::keyClick(&editor, static_cast<Qt::Key>(Qt::Key_0 + (*c - '0')));
        QTest::keyClick(&editor, Qt::Key_Return);
    });
    QTest::mouseClick(product->Item(ProductPage::kOrderList), Qt::LeftButton);
    Pump();
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
    CatalogApp::Options o;
    o.programDir = cl.programDir;
    o.configFile = work.Ini();
    o.desktopWidth = cl.desktopWidth;
    o.language = cl.language;
    app = std::make_unique<CatalogApp>(o);
    ASSERT_TRUE(app->StartUp());
    Pump();

    const std::string listFile = ToWindowsPath(work.Dir()) + "\\orders\\WERKSTATT.STK";
    ui->fileAnswers = {listFile};
    for (std::size_t i = 0; i < road.orders.size(); ++i) {
        SearchAndOrder(*app, road.orders[i], i == 0);
        auto* list = Current<OrderListPage>();
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->List().items.size(), i + 1);
        if (i + 1 < road.orders.size()) {
            Press(Qt::Key_Escape); // back to the product
            ASSERT_NE(Current<ProductPage>(), nullptr);
        }
    }
    EXPECT_TRUE(ui->fileAnswers.empty());
    auto* list = Current<OrderListPage>();

    // The distributors of the first country, the first of each kind.
    Click(list, OrderListPage::kSuppliers);
    auto* suppliers = Current<SupplierSearchPage>();
    ASSERT_NE(suppliers, nullptr);
    TakeFirstChoice(); // several equipment distributors
    Click(suppliers, SupplierSearchPage::kSearch);
    QTest::keyClicks(suppliers->Item(SupplierSearchPage::kOwnAddress), QString::fromUtf8(road.ownAddress));
    ui->fileAnswers = {ToWindowsPath(work.Dir()) + "\\orders\\qxkat.adr"};
    Click(suppliers, SupplierSearchPage::kSave);
    Click(suppliers, SupplierSearchPage::kCancel);
    ASSERT_EQ(Current<OrderListPage>(), list);

    // The order information from the templates, stored beside the list.
    Click(list, OrderListPage::kOrderInfo);
    auto* info = Current<OrderInfoPage>();
    ASSERT_NE(info, nullptr);
    Click(info, OrderInfoPage::kSave);
    Click(info, OrderInfoPage::kBack);
    ASSERT_EQ(Current<OrderListPage>(), list);

    // "Liste drucken".
    Click(list, OrderListPage::kPrint);
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
    app->Exit();
    Pump();
}

// Positions, prices and sums from the demo price lists (UPE); the
// distributors the first of their lists.
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
