// The road by keyboard alone on the demo catalogue: Tab follows the screen
// on every page and dialog, the control that has the keyboard shows it, and
// each key does what its place promises. Keys go to the top-level window
// that is active, as a user's do. On the way, what a screen reader finds
// through Qt's accessibility tree: every stop named, names in the language.

#include "CatalogPages.h"
#include "app/ui/LanguageDialog.h"
#include "navigation/ui/AreaPage.h"
#include "orders/ui/NotesDialog.h"
#include "orders/ui/OrderListPage.h"
#include "orders/ui/QuantityEditor.h"
#include "pages/GroupPage.h"
#include "pages/ProductPage.h"
#include "pages/RequirementsPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtUi.h"
#include "ground/Languages.h"
#include "resources/Menus.h"
#include "search/ui/SearchDialog.h"
#include "suppliers/ui/SupplierSearchPage.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

namespace qx {
namespace {

using testing::Click;
using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;

void Press(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    testing::PressKey(window, key, modifiers);
    Pump();
}

void WhenDialogOpens(std::function<void(DialogWindow&)> f) {
    testing::WhenModal([f](QWidget& modal) { f(dynamic_cast<DialogWindow&>(modal)); });
}

// The control of the window that keys pressed on it reach, and where it is in its window.
struct Stop {
    explicit Stop(QWidget* keys) : widget(keys->window()->focusWidget()) {}
    QWidget* widget;
    QRect rect = widget ? QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()) : QRect();
};

// Tab once around the window that has the keyboard, from the control that
// has it, and Shift+Tab back: every control that takes the keyboard is met
// once, each after the one before it in reading order (below it, or right
// of it), and Shift+Tab meets them in the opposite order.
::testing::AssertionResult TabsInReadingOrder(QWidget* keys, DialogWindow& window) {
    std::vector<QWidget*> reachable;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(&window) && !w->focusProxy() &&
            w->window() == window.window())
            reachable.push_back(w);
    }
    std::vector<Stop> round{Stop(keys)};
    for (std::size_t i = 0; i <= reachable.size(); ++i) {
        Press(keys, Qt::Key_Tab);
        if (Stop(keys).widget == round.front().widget)
            break;
        round.push_back(Stop(keys));
    }
    const auto failure = [&](const std::string& why) {
        std::ostringstream out;
        for (const Stop& s : round)
            out << "\n  " << (s.widget ? s.widget->metaObject()->className() : "none") << " at " << s.rect.x() << ","
                << s.rect.y();
        return ::testing::AssertionFailure() << why << "; Tab went:" << out.str();
    };
    if (Stop(keys).widget != round.front().widget)
        return failure("Tab did not come round");
    if (round.size() != reachable.size())
        return failure(std::to_string(reachable.size()) + " controls take the keyboard");
    // Reading order: each stop lies below the one before it or right of it,
    // but for the one step round from the last stop to the first.
    int back = 0;
    for (std::size_t i = 0; i < round.size(); ++i) {
        const QRect& a = round[i].rect;
        const QRect& b = round[(i + 1) % round.size()].rect;
        if (!(b.top() > a.bottom() || b.left() > a.right()))
            ++back;
    }
    if (round.size() > 1 && back != 1)
        return failure("out of reading order");

    for (std::size_t i = round.size(); i-- > 0;) {
        Press(keys, Qt::Key_Tab, Qt::ShiftModifier);
        if (Stop(keys).widget != round[i].widget)
            return failure("Shift+Tab went another way");
    }
    return ::testing::AssertionSuccess();
}

// What a reader announces, by role; and the stops where it would announce nothing.
struct Reading {
    std::multimap<QAccessible::Role, QString> named;
    std::vector<std::string> unnamed;
    bool Has(QAccessible::Role role, const char* ansi) const {
        auto [from, to] = named.equal_range(role);
        return std::any_of(from, to, [&](const auto& it) { return it.second == FromAnsi(ansi); });
    }
};

void Read(QAccessibleInterface* node, Reading& r) {
    if (!node || !node->isValid() || node->state().invisible)
        return;
    const QAccessible::Role role = node->role();
    const QString name = node->text(QAccessible::Name);
    const bool stops = dynamic_cast<DialogWindow*>(node->object()) || role == QAccessible::Button ||
                       role == QAccessible::List || role == QAccessible::ListItem ||
                       role == QAccessible::EditableText || role == QAccessible::ComboBox;
    if (stops && name.trimmed().isEmpty())
        r.unnamed.push_back(std::string(node->object() ? node->object()->metaObject()->className() : "?") +
                            " role " + std::to_string(role));
    else if (!name.isEmpty())
        r.named.emplace(role, name);
    for (int i = 0; i < node->childCount(); ++i)
        Read(node->child(i), r);
}

Reading Read(QWidget& top) {
    Reading r;
    Read(QAccessible::queryAccessibleInterface(&top), r);
    EXPECT_TRUE(r.unnamed.empty()) << ::testing::PrintToString(r.unnamed);
    return r;
}

QAccessibleInterface* Of(DialogWindow& window, int id) { return QAccessible::queryAccessibleInterface(window.Item(id)); }

class DemoKeyboard : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(demo / "DATEN"))
            GTEST_SKIP() << "the demo catalogue was not built";
        std::filesystem::create_directories(config.Dir() / "orders");
        p = std::make_unique<RunningProgram>(demo, config.Ini(), 800, 0);
    }
    QWidget* Frame() { return &p->Frame(); }
    template <class Page> Page* Current() { return p->Current<Page>(); }
    AreaPage* AreaAt(const char* file) {
        auto* area = Current<AreaPage>();
        if (area)
            area->ShowArea(file, "");
        return area;
    }
    void OpenEntry(const char* target) {
        auto* area = Current<AreaPage>();
        for (int i = 0; area && i < area->EntryCount(); ++i) {
            if (area->Entry(i).target.str() == target)
                area->DispatchEntry(i);
        }
        Pump();
    }
    // The keyword search from the menu, typed and chosen by keys.
    ProductPage* SearchProduct(const char* term) {
        WhenDialogOpens([term](DialogWindow& dialog) {
            Press(&dialog, Qt::Key_A, Qt::ControlModifier);
            for (const char* c = term; *c; ++c)
                QTest::keyClick(dialog.windowHandle(), *c);
            Press(&dialog, Qt::Key_Return);
        });
        p->Menu(kCmdKeyword);
        return Current<ProductPage>();
    }
    // The order list page over the product page, with one entry ordered.
    OrderListPage* OrderFirst(ProductPage* product) {
        ui->fileAnswers = {ToWindowsPath(config.Dir()) + "\\orders\\KEYS.STK"};
        WhenDialogOpens([](DialogWindow& editor) { Press(&editor, Qt::Key_Return); });
        Click(product, ProductPage::kOrderList);
        return Current<OrderListPage>();
    }

    const std::filesystem::path demo = QX_DEMO_DIR;
    ScopedScriptedUi ui;
    TempCatalog config;
    std::unique_ptr<RunningProgram> p;
};

// Moves the keyboard by Tab to a control of the window.
void TabTo(DialogWindow& window, int id) {
    for (int i = 0; i < 40 && window.FocusedItem() != id; ++i)
        Press(window.window(), Qt::Key_Tab);
    ASSERT_EQ(window.FocusedItem(), id);
}

// Pixels that differ between the control drawn with the keyboard and drawn after Tab took it away.
int FocusMarkPixels(DialogWindow& window, int id) {
    TabTo(window, id);
    QWidget* w = window.Item(id);
    const QImage with = w->grab().toImage();
    Press(window.window(), Qt::Key_Tab);
    const QImage without = w->grab().toImage();
    int differ = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            differ += with.pixel(x, y) != without.pixel(x, y);
    return differ;
}

// A frame all round the control with the keyboard, not a shade.
void ExpectFocusFrame(DialogWindow& window, int id) {
    const QSize size = window.Item(id)->size();
    EXPECT_GE(FocusMarkPixels(window, id), size.width() + size.height()) << id;
}

// Backspace and Delete clear the quantity outside the text edits: after "3",
// with the keyboard on a keypad key, "C", the quantity, OK, and in the remarks.
// A full stop is no Delete, though its key code is Delete's virtual key.
void ClearKeysOfTheQuantityEditor(DialogWindow& editor) {
    std::string got;
    for (const auto& [focus, key] : {std::pair{QuantityEditor::kDigits[1], Qt::Key_Backspace},
                                     {QuantityEditor::kClear, Qt::Key_Delete},
                                     {QuantityEditor::kQuantity, Qt::Key_Backspace},
                                     {IDOK, Qt::Key_Delete}, {QuantityEditor::kRemarks, Qt::Key_Backspace},
                                     {QuantityEditor::kDigits[1], Qt::Key_Period}}) {
        TabTo(editor, focus);
        if (focus == QuantityEditor::kRemarks) {
            Press(&editor, Qt::Key_A);
            Press(&editor, Qt::Key_B);
        }
        editor.SendCommand(QuantityEditor::kDigits[3]);
        Press(&editor, key);
        got += editor.GetItemText(QuantityEditor::kQuantity) + "/" + editor.GetItemText(QuantityEditor::kRemarks) + " ";
    }
    EXPECT_EQ(got, "1/ 1/ 1/ 1/ 3/a 33/a ");
}

// Tab and Shift+Tab on every page and dialog; on the way each place's keys,
// focus marks and what a reader finds.
TEST_F(DemoKeyboard, TabFollowsTheScreenOnEveryPageAndDialog) {
    int walked = 0;
    Reading r; // of the last page or dialog walked
    // One page shown at a time: the page under an overlay is hidden from the reader too.
    const auto walkPage = [&](const char* name) {
        DialogWindow* page = p->Frame().CurrentPage();
        ASSERT_NE(page, nullptr) << name;
        EXPECT_TRUE(TabsInReadingOrder(Frame(), *page)) << name;
        r = Read(p->Frame());
        EXPECT_EQ(r.named.count(QAccessible::Pane), 1u) << name;
        ++walked;
    };
    // also runs in the dialog after the walk; Escape closes what it left open.
    const auto walkDialog = [&](const char* name, std::function<void(DialogWindow&)> also = {}) {
        WhenDialogOpens([&walked, &r, name, also](DialogWindow& dialog) {
            EXPECT_TRUE(TabsInReadingOrder(&dialog, dialog)) << name;
            r = Read(dialog);
            if (also)
                also(dialog);
            if (dialog.isVisible())
                Press(&dialog, Qt::Key_Escape);
            ++walked;
        });
    };
    walkPage("start page");
    AreaAt("KATALOG.BER");
    walkPage("catalogue page");
    AreaAt("BE.BER");
    walkPage("sub-area page"); // invisible hot areas, read as buttons
    EXPECT_EQ(Of(*Current<AreaPage>(), AreaPage::kFirstButton)->role(), QAccessible::Button);
    OpenEntry("BE_HEBE");
    walkPage("group page");

    // The search dialog: Enter on "Weitersuchen", reached by Tab from the
    // term, and each button's letter open the text-input dialog.
    WhenDialogOpens([&](DialogWindow& search) {
        EXPECT_TRUE(TabsInReadingOrder(&search, search)) << "search dialog";
        Read(search); // rows without text of their own too
        ++walked;
        Press(&search, Qt::Key_Tab);
        EXPECT_EQ(search.FocusedItem(), SearchDialog::kContinue);
        int asked = 0;
        const auto input = [&asked](DialogWindow& d) {
            ++asked;
            EXPECT_EQ(d.windowTitle(), QStringLiteral("QUARVENTA AG"));
        };
        walkDialog("text-input dialog", input);
        Press(&search, Qt::Key_Return);
        EXPECT_EQ(asked, 1);
        for (const Qt::Key letter : {Qt::Key_W, Qt::Key_N}) { // "Weitersuchen", "Neue Suche"
            WhenDialogOpens([&](DialogWindow& d) { input(d); Press(&d, Qt::Key_Escape); });
            const int was = asked;
            Press(&search, letter, Qt::AltModifier);
            // A letter presses its button as a click would look: down, then up.
            for (int i = 0; i < 100 && asked == was; ++i)
                QTest::qWait(10);
            EXPECT_EQ(asked, was + 1) << letter;
        }
        Press(&search, Qt::Key_Escape);
    });
    p->Menu(kCmdKeyword);

    ProductPage* product = SearchProduct("rangierwagenheber 2");
    ASSERT_NE(product, nullptr);
    walkPage("product page");
    // Owner-drawn rows read as they are drawn, the text box by the product's name.
    const std::string name = product->CurrentRecord()->name.str();
    EXPECT_TRUE(r.Has(QAccessible::ListItem, (name + ", " + product->CurrentRecord()->designation.str()).c_str()));
    EXPECT_TRUE(r.Has(QAccessible::EditableText, name.c_str()));
    for (int id : {ProductPage::kProductInfo, ProductPage::kNote, ProductPage::kOrderList, ProductPage::kDrawing})
        EXPECT_EQ(Of(*product, id)->role(), QAccessible::Button) << id;
    // Beside a tall list, rows of buttons are still read row by row.
    std::vector<int> order;
    product->SetFocusTo(ProductPage::kList);
    for (int i = 0; i < 9; ++i, Press(Frame(), Qt::Key_Tab))
        order.push_back(product->FocusedItem());
    EXPECT_EQ(order, (std::vector<int>{ProductPage::kList, ProductPage::kInfoBox, ProductPage::kProductInfo,
                                       ProductPage::kOrderList, ProductPage::kPrint, ProductPage::kNote,
                                       ProductPage::kDrawing, ProductPage::kMainMenu, ProductPage::kBack}));
    // The picture buttons of the pages show the keyboard on their dark faces.
    EXPECT_GE(FocusMarkPixels(*product, ProductPage::kBack), product->Item(ProductPage::kBack)->width());
    walkDialog("notes dialog", [](DialogWindow& notes) { ExpectFocusFrame(notes, NotesDialog::kSave); });
    Click(product, ProductPage::kNote);
    Click(product, ProductPage::kDrawing);
    walkPage("drawing page");
    Press(Frame(), Qt::Key_Escape);
    Click(product, ProductPage::kProductInfo);
    walkPage("information page");
    Press(Frame(), Qt::Key_Escape);
    walkDialog("quantity editor", [](DialogWindow& editor) {
        ExpectFocusFrame(editor, QuantityEditor::kDigits[1]);
        ClearKeysOfTheQuantityEditor(editor);
    });
    Click(product, ProductPage::kOrderList);
    EXPECT_TRUE(r.Has(QAccessible::Dialog, "Mengen-Editor") && r.Has(QAccessible::EditableText, "Bemerkungen:"));

    OrderListPage* list = OrderFirst(product);
    ASSERT_NE(list, nullptr);
    walkPage("order list page");
    EXPECT_TRUE(r.Has(QAccessible::EditableText, "Auftragskennzeichnung:"));
    walkDialog("quantity editor of a free entry");
    Click(list, OrderListPage::kInsert);
    Click(list, OrderListPage::kOrderInfo);
    walkPage("order information page");
    Press(Frame(), Qt::Key_Escape);
    Click(list, OrderListPage::kSuppliers);
    walkPage("supplier search page");
    // Enter in an edit saves nothing; Enter on a button presses it.
    auto* suppliers = Current<SupplierSearchPage>();
    ASSERT_NE(suppliers, nullptr);
    ui->shown.clear();
    TabTo(*suppliers, SupplierSearchPage::kCompanyNumber);
    QTest::keyClicks(suppliers->Item(SupplierSearchPage::kCompanyNumber), QStringLiteral("4711"));
    Press(Frame(), Qt::Key_Return);
    EXPECT_TRUE(ui->shown.empty()) << ui->shown.front().kind;
    ui->fileAnswers = {std::nullopt};
    TabTo(*suppliers, SupplierSearchPage::kSave);
    Press(Frame(), Qt::Key_Return);
    ASSERT_EQ(ui->shown.size(), 1u);
    EXPECT_EQ(ui->shown[0].kind, "open"); // where the address file goes
    EXPECT_EQ(Current<SupplierSearchPage>(), suppliers);
    // Two equipment distributors of the first country and brand: the choice opens on the first, Enter takes it.
    suppliers->SetItemText(SupplierSearchPage::kCompanyNumber, "");
    walkDialog("distributor choice", [](DialogWindow& choice) {
        EXPECT_EQ(choice.windowTitle(), QStringLiteral("QUARVENTA AG"));
        EXPECT_EQ(choice.GetCurSel(DistributorListDialog::kList), 0);
        Press(&choice, Qt::Key_Return);
    });
    TabTo(*suppliers, SupplierSearchPage::kSearch);
    Press(Frame(), Qt::Key_Return);
    EXPECT_TRUE(suppliers->GetItemText(SupplierSearchPage::kEquipment).starts_with("Q.T.X Vertriebszentrum Nord GmbH\r\n"))
        << suppliers->GetItemText(SupplierSearchPage::kEquipment);
    Press(Frame(), Qt::Key_Escape);
    Press(Frame(), Qt::Key_Escape);
    Click(product, ProductPage::kMainMenu);

    // Each area level starts on its first entry, the requirements in their list.
    AreaPage* area = AreaAt("BE.BER");
    ASSERT_NE(area, nullptr);
    TabTo(*area, AreaPage::kFirstButton + 3); // "Werkstattplanung", the fourth place
    Press(Frame(), Qt::Key_Return);
    ASSERT_EQ(area->Entry(0).target.str(), "WERKST.ZEN") << "the planning level";
    EXPECT_EQ(area->FocusedItem(), AreaPage::kFirstButton);
    ui->shown.clear();
    Press(Frame(), Qt::Key_Return);
    auto* requirements = Current<RequirementsPage>();
    ASSERT_NE(requirements, nullptr);
    EXPECT_TRUE(ui->shown.empty()) << ui->shown.front().kind; // no program of the fourth place
    walkPage("requirements page");
    EXPECT_EQ(requirements->CurrentIndex(), 0);
    Press(Frame(), Qt::Key_Down);
    EXPECT_EQ(requirements->CurrentIndex(), 1);
    EXPECT_EQ(walked, 17);
}

TEST_F(DemoKeyboard, WindowsAreNamedAsTheyCallThemselves) {
    p->Menu(kCmdHelp);
    QString help;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QTextBrowser*>(w) && w->isVisible() && w->close())
            help += w->windowTitle();
    }
    EXPECT_EQ(help, QStringLiteral("Hilfe zum Katalog"));

    // Without its picture the language dialog names each language in it.
    GlobalState none{};
    LanguageDialog languages(nullptr, none);
    languages.show();
    Pump();
    EXPECT_FALSE(languages.HasPicture());
    QString names;
    for (int id : {LanguageDialog::kGermanId, LanguageDialog::kEnglishId, LanguageDialog::kFrenchId,
                   LanguageDialog::kCzechId})
        names += languages.Item(id)->accessibleName() + QLatin1Char('|');
    EXPECT_EQ(names, QStringLiteral("Deutsch|English|Fran\u00e7ais|\u010ce\u0161tina|"));
    languages.hide();

    // A message box with a short text still shows its caption whole: room
    // for it beside the title bar's buttons.
    QtUi real;
    int width = 0, caption = 0;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
            caption = box->fontMetrics().horizontalAdvance(box->windowTitle());
            box->accept();
        }
    });
    real.MessageBox("OK", "QUARVENTA AG", MB_OK);
    EXPECT_GE(width, caption + 150);

    // What a reader names follows the language.
    ProductPage* product = SearchProduct("rangierwagenheber 2");
    ASSERT_NE(product, nullptr);
    const auto buttonNames = [&] {
        return Of(*product, ProductPage::kOrderList)->text(QAccessible::Name) + QLatin1Char('|') +
               Of(*product, ProductPage::kBack)->text(QAccessible::Name);
    };
    EXPECT_EQ(buttonNames(), FromAnsi("Bestellliste|Zur\xFC""ck"));
    p->Frame().ChangeLanguage(1);
    Pump();
    EXPECT_EQ(buttonNames(), QStringLiteral("Order list|Back"));
    // The catalogue page's name is its drawn title, switched from the menu.
    p->Frame().ChangeLanguage(0);
    AreaPage* area = p->ShowPage<AreaPage>(kPageArea);
    ASSERT_NE(area, nullptr);
    Of(*area, AreaPage::kFirstButton)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Pump();
    ASSERT_EQ(area->PageKind(), AreaPageKind::Catalogue);
    const auto pageName = [&] { return QAccessible::queryAccessibleInterface(area)->text(QAccessible::Name); };
    EXPECT_EQ(pageName(), QStringLiteral("Katalog Betriebseinrichtungen und Spezialwerkzeuge"));
    p->Menu(LanguageAt(1).menuCommand);
    EXPECT_EQ(pageName(), QStringLiteral("Catalogue Workshop equipment and Special tools"));
}

} // namespace
} // namespace qx
