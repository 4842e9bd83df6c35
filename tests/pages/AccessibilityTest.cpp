// What a screen reader finds on each page and dialog, read through Qt's
// accessibility tree of the running program: everything it stops at has a
// name, picture buttons are buttons, and names follow the language.
#include "CatalogPages.h"
#include "navigation/ui/AreaPage.h"
#include "orders/ui/NotesDialog.h"
#include "orders/ui/OrderInfoPage.h"
#include "orders/ui/OrderListPage.h"
#include "orders/ui/QuantityEditor.h"
#include "pages/DrawingPage.h"
#include "pages/GroupPage.h"
#include "pages/InfoPage.h"
#include "pages/ProductPage.h"
#include "pages/RequirementsPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/QtText.h"
#include "resources/Menus.h"
#include "search/ui/SearchDialog.h"
#include "suppliers/ui/SupplierSearchPage.h"
#include "ground/Languages.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace qx {
namespace {

using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;
using testing::WhenModal;

// What a reader announces, by role; and where it would announce nothing.
struct Reading {
    std::multimap<QAccessible::Role, QString> named;
    std::vector<std::string> unnamed;
    bool Has(QAccessible::Role role, const QString& name) const {
        auto [from, to] = named.equal_range(role);
        for (auto it = from; it != to; ++it) {
            if (it->second == name)
                return true;
        }
        return false;
    }
};

void Walk(QAccessibleInterface* node, Reading& r) {
    if (!node || !node->isValid() || node->state().invisible)
        return;
    const QAccessible::Role role = node->role();
    const QString name = node->text(QAccessible::Name);
    const bool page = dynamic_cast<DialogWindow*>(node->object()) != nullptr;
    const bool stops = page || role == QAccessible::Button || role == QAccessible::List ||
                       role == QAccessible::ListItem || role == QAccessible::EditableText ||
                       role == QAccessible::ComboBox;
    if (stops && name.trimmed().isEmpty())
        r.unnamed.push_back(std::string(node->object() ? node->object()->metaObject()->className() : "?") +
                            " role " + std::to_string(role));
    else if (!name.isEmpty())
        r.named.emplace(role, name);
    for (int i = 0; i < node->childCount(); ++i)
        Walk(node->child(i), r);
}

Reading Read(QWidget& top) {
    Reading r;
    Walk(QAccessible::queryAccessibleInterface(&top), r);
    return r;
}

QString Q(const char* ansi) { return FromAnsi(ansi); }

QAccessibleInterface* Of(DialogWindow& window, int id) { return QAccessible::queryAccessibleInterface(window.Item(id)); }

// Presses a control as a reader's user does: through its press action.
void Press(DialogWindow& window, int id) {
    QAccessibleInterface* button = Of(window, id);
    ASSERT_NE(button, nullptr);
    ASSERT_NE(button->actionInterface(), nullptr);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Pump();
}

#define EXPECT_ALL_NAMED(reading) EXPECT_TRUE((reading).unnamed.empty()) << ::testing::PrintToString((reading).unnamed)

struct Readers : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        c.WriteBmp("BILDER\\ZEICHNG\\P1.bmp", 300, 200, 0xFFFFFF);
        c.Write("DATEN\\LANG1\\PLAN.ZEN", "Bedarf Testwerkstatt\nPlan.htm\n-\nUntertitel\n1\n"
                                          "Code|Anzahl|Bezeichnung|Nummer|Fl\xE4"
                                          "che|Bild\n"
                                          "A1|2|Hebeb\xFChne|QX-801|4 x 3|P1.bmp\n<p>Zwei S\xE4ulen.</p>}\n");
        c.Write("DATEN\\LANG1\\Katalog.SWS", "Zwei-S\xE4ulen-B\xFChne|P1|SAEULE.KAT\n");
        std::filesystem::create_directories(c.Dir() / "orders");
    }
    ProductPage* Products(RunningProgram& p) {
        p.State().groupFile = "HEBE";
        p.State().listFile = "SAEULE.KAT";
        p.State().breadcrumb = "";
        p.ShowPage(kPageProduct);
        return p.Current<ProductPage>();
    }
    // Reads the next modal dialog once it is open, then closes it.
    Reading ReadModal(std::function<void()> open) {
        Reading r;
        bool ran = false;
        WhenModal([&](QWidget& modal) {
            ran = true;
            r = Read(modal);
            QTest::keyClick(&modal, Qt::Key_Escape);
        });
        open();
        Pump();
        EXPECT_TRUE(ran);
        return r;
    }
    ScopedScriptedUi ui;
    TempCatalog c;
};

TEST_F(Readers, EveryPageAndDialogNamesWhatAReaderStopsAt) {
    RunningProgram p(c);
    // The start and catalogue pages have picture buttons, sub-area pages
    // invisible hot areas: buttons all, named by their captions.
    Reading r = Read(p.Frame());
    EXPECT_ALL_NAMED(r);
    EXPECT_TRUE(r.Has(QAccessible::Pane, Q("QUARVENTA AG")));
    auto* area = p.Current<AreaPage>();
    ASSERT_NE(area, nullptr);
    Press(*area, AreaPage::kFirstButton);
    Press(*area, AreaPage::kFirstButton);
    ASSERT_EQ(area->PageKind(), AreaPageKind::SubArea);
    r = Read(p.Frame());
    EXPECT_ALL_NAMED(r);
    EXPECT_TRUE(r.Has(QAccessible::Button, Q("Heben de")));
    EXPECT_TRUE(r.Has(QAccessible::Button, Q("Leer")));
    EXPECT_EQ(Of(*area, AreaPage::kFirstButton)->role(), QAccessible::Button);

    p.State().groupFile = "HEBE";
    p.ShowPage(kPageGroup);
    ASSERT_NE(p.Current<GroupPage>(), nullptr);
    r = Read(p.Frame());
    EXPECT_ALL_NAMED(r);
    EXPECT_TRUE(r.Has(QAccessible::Pane, Q("Hebetechnik")));
    EXPECT_TRUE(r.Has(QAccessible::Button, Q("Hauptmen\xFC")));

    ProductPage* products = Products(p);
    ASSERT_NE(products, nullptr);
    r = Read(p.Frame());
    EXPECT_ALL_NAMED(r);
    EXPECT_TRUE(r.Has(QAccessible::Pane, Q("S\xE4ulen-Hebeb\xFChnen")));
    EXPECT_TRUE(r.Has(QAccessible::EditableText, Q("Zwei-S\xE4ulen-B\xFChne")));
    // Owner-drawn rows read as they are drawn, not as the line they hold.
    EXPECT_TRUE(r.Has(QAccessible::ListItem, Q("Dorna-Werkzeug, D-2")));
    for (int id : {ProductPage::kProductInfo, ProductPage::kNote, ProductPage::kOrderList, ProductPage::kDrawing})
        EXPECT_EQ(Of(*products, id)->role(), QAccessible::Button) << id;

    // Pages laid over the product page, each left with Escape.
    for (int id : {ProductPage::kProductInfo, ProductPage::kDrawing}) {
        Press(*products, id);
        EXPECT_FALSE(products->isVisible()) << id;
        r = Read(p.Frame());
        EXPECT_ALL_NAMED(r);
        EXPECT_EQ(r.named.count(QAccessible::Pane), 1u) << id; // the page under it is hidden
        testing::PressKey(&p.Frame(), Qt::Key_Escape);
        Pump();
        EXPECT_TRUE(products->isVisible()) << id;
    }
    EXPECT_ALL_NAMED(ReadModal([&] { Press(*products, ProductPage::kNote); }));
    r = ReadModal([&] { Press(*products, ProductPage::kOrderList); });
    EXPECT_ALL_NAMED(r);
    EXPECT_TRUE(r.Has(QAccessible::Dialog, Q("Mengen-Editor")));
    EXPECT_TRUE(r.Has(QAccessible::EditableText, Q("Bemerkungen:")));

    auto* orders = testing::OpenOrderList(p, *ui, ToWindowsPath(c.Dir()) + "\\orders\\MAI.STK");
    ASSERT_NE(orders, nullptr);
    r = Read(p.Frame());
    EXPECT_ALL_NAMED(r);
    EXPECT_TRUE(r.Has(QAccessible::EditableText, Q("Auftragskennzeichnung:")));
    for (int id : {OrderListPage::kOrderInfo, OrderListPage::kSuppliers}) {
        Press(*orders, id);
        EXPECT_FALSE(orders->isVisible()) << id;
        r = Read(p.Frame());
        EXPECT_ALL_NAMED(r);
        EXPECT_EQ(r.named.count(QAccessible::Pane), 1u) << id;
        testing::PressKey(&p.Frame(), Qt::Key_Escape);
        Pump();
    }

    p.ShowPage(kPageProduct);
    r = ReadModal([&] { p.Frame().OnMenuCommand(kCmdKeyword); });
    EXPECT_ALL_NAMED(r);
    EXPECT_TRUE(r.Has(QAccessible::ListItem, Q("Zwei-S\xE4ulen-B\xFChne"))); // a row without text of its own

    p.State().listFile = "PLAN.ZEN";
    p.ShowPage(kPageRequirements);
    ASSERT_NE(p.Current<RequirementsPage>(), nullptr);
    r = Read(p.Frame());
    EXPECT_ALL_NAMED(r);
    EXPECT_TRUE(r.Has(QAccessible::Pane, Q("Bedarf Testwerkstatt")));
    EXPECT_TRUE(ui->Messages().empty()) << ::testing::PrintToString(ui->Messages());
}

TEST_F(Readers, NamesFollowTheLanguage) {
    RunningProgram p(c);
    ProductPage* products = Products(p);
    ASSERT_NE(products, nullptr);
    const auto names = [&] {
        return std::vector<QString>{Of(*products, ProductPage::kOrderList)->text(QAccessible::Name),
                                    Of(*products, ProductPage::kBack)->text(QAccessible::Name)};
    };
    EXPECT_EQ(names(), (std::vector<QString>{Q("Bestellliste"), Q("Zur\xFC""ck")}));
    p.Frame().ChangeLanguage(1);
    Pump();
    EXPECT_EQ(names(), (std::vector<QString>{Q("Order list"), Q("Back")}));

    // The catalogue page's name is its drawn title, switched from the menu.
    p.Frame().ChangeLanguage(0);
    p.ShowPage(kPageArea);
    auto* area = p.Current<AreaPage>();
    ASSERT_NE(area, nullptr);
    Press(*area, AreaPage::kFirstButton);
    ASSERT_EQ(area->PageKind(), AreaPageKind::Catalogue);
    const auto pageName = [&] { return QAccessible::queryAccessibleInterface(area)->text(QAccessible::Name); };
    EXPECT_EQ(pageName(), Q("Katalog Betriebseinrichtungen und Spezialwerkzeuge"));
    p.Frame().OnMenuCommand(LanguageAt(1).menuCommand);
    Pump();
    EXPECT_EQ(pageName(), Q("Catalogue Workshop equipment and Special tools"));
}

} // namespace
} // namespace qx
