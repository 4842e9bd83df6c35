// The catalogue pages as a user walks them: one small catalogue, one running
// program per case. What a page paints or prints is compared as one recorded
// dump; where a key or button leads is one row of a table.
#include "CatalogPages.h"
#include "navigation/ui/AreaPage.h"
#include "navigation/ui/VideoPage.h"
#include "orders/ui/OrderListPage.h"
#include "orders/ui/QuantityEditor.h"
#include "pages/DrawingPage.h"
#include "pages/GroupPage.h"
#include "pages/InfoPage.h"
#include "pages/InfoPrint.h"
#include "pages/ProductPage.h"
#include "pages/RequirementsPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/LayoutCheck.h"
#include "platform/qt/PictureView.h"
#include "platform/qt/TextView.h"
#include "platform/qt/VideoPlayer.h"
#include "print/PrintMapping.h"
#include "resources/Menus.h"
#include "tests/common/DrawDump.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>

namespace qx {
namespace {

using testing::FindPage;
using testing::PaintOf;
using testing::Pump;
using testing::RecordedPrint;
using testing::RunningProgram;
using testing::TempCatalog;
using testing::Where;
namespace fs = std::filesystem;

// The small catalogue with a requirements list, the terms of delivery (three
// sections, each starting a printed page), a sheet logo and a sub-area of
// the most entries an area holds.
void WriteWalkCatalog(TempCatalog& c) {
    testing::WriteCatalogPages(c);
    c.Write("DATEN\\LANG1\\PLAN.ZEN", "Bedarf Testwerkstatt\nPlan.htm\n-\nWerkstattplanung - Test\n4\n"
                                      "Code|Anzahl|Bezeichnung|Nummer|Fl\xE4" "che|Bild\n"
                                      "$A||Hebetechnik|||G_A.bmp\n}\n" "A1|2|Hebeb\xFChne|QX-801|4 x 3|P1.bmp\n"
                                      "<h3>Hebeb\xFChne</h3><p>Zwei S\xE4ulen.</p>}\n"
                                      "A2|1|Heber|QX-802||P1.bmp\n<p>Der Heber hebt.</p>}\n"
                                      "A3|1|Grube|QX-803||TALL.bmp\n<p>Eine tiefe Grube.</p>}\n");
    c.WriteBmp("BILDER\\640\\TALL.bmp", 292, 240);
    std::string plan = "<html><body>";
    for (int i = 1; i <= 150; ++i)
        plan += "<p>Absatz " + std::to_string(i) + " der Bedarfsinformation.</p>";
    c.Write("HTML\\LANG1\\Plan.htm", plan + "</body></html>\n");
    std::string terms = "<html><body><h1>Lieferbedingungen f\xFCr Betriebseinrichtungen</h1>";
    for (int part = 1; part <= 3; ++part) {
        terms += std::string("<h2") + (part > 1 ? " style=\"page-break-before: always\"" : "") + ">Teil " +
                 std::to_string(part) + "</h2>";
        for (int i = 1; i <= 12; ++i) // more than the view shows
            terms += "<p>Absatz " + std::to_string(part) + "." + std::to_string(i) + ": ab Werk.</p>";
    }
    for (const char* lang : {"LANG1", "LANG2"}) {
        c.Write(std::string("HTML\\") + lang + "\\Betrieb.htm", terms + "</body></html>");
        c.Write(std::string("HTML\\") + lang + "\\spezial.HTM",
                "<html><body><h1>Spezialwerkzeuge " + std::string(lang) + "</h1></body></html>");
    }
    c.WriteBmp("logo.bmp", 160, 60, 0xC03030);
    c.WriteBmp("BILDER\\ZEICHNG\\P1.bmp", 900, 600, 0xFFFFFF);
}

struct Walk : ::testing::Test {
    Walk() { WriteWalkCatalog(c); }
    // A product list as a search jump opens it: no breadcrumb yet.
    static ProductPage* Products(RunningProgram& p, const std::string& list = "SAEULE.KAT",
                                 const std::string& key = "", int row = -1) {
        p.State().groupFile = "HEBE";
        p.State().hierarchyCode = "a";
        p.State().listFile = list;
        p.State().preselectKey = key;
        p.State().breadcrumb = "";
        return Select(p.ShowPage<ProductPage>(kPageProduct), row);
    }
    static GroupPage* Group(RunningProgram& p, int origin = 1, const char* listFile = "", const char* file = "HEBE") {
        p.State().groupFile = file;
        p.State().listFile = listFile;
        p.State().pageOrigin = origin;
        return p.ShowPage<GroupPage>(kPageGroup);
    }
    static RequirementsPage* Requirements(RunningProgram& p, const std::string& file = "PLAN.ZEN", int row = -1) {
        p.State().listFile = file;
        p.State().groupFile = "HEBE";
        return Select(p.ShowPage<RequirementsPage>(kPageRequirements), row);
    }
    static InfoPage* Info(RunningProgram& p, const std::string& document, int top = 0) {
        DialogWindow* under = p.Frame().HideCurrentPage();
        return OpenInfoPage(p.Context(), p.Frame(), p.Frame().Client(), under, document, "logo.bmp",
                            "Fu\xDFzeile Katalog", "Kopfzeile Gruppe", top);
    }
    // The information document printed on its own, from an extra top offset; the
    // sheets from failFrom on cannot start.
    static std::unique_ptr<RecordingDc> PrintedInfo(RunningProgram& p, const std::string& document, int top,
                                                    int failFrom = 0) {
        auto dc = std::make_unique<RecordingDc>(Size{4960, 7016}, true);
        if (failFrom > 0)
            dc->FailStartPageFrom(failFrom);
        dc->StartPage();
        SetupPrintMapping(*dc, 640, 480);
        PrintInfoDocument(p.Context(), *dc, document, "logo.bmp", "Fuss", "Kopf", top, 0);
        return dc;
    }
    // Selects a row of the page's list as a click does; row -1 leaves the list as it is.
    template <class Page> static Page* Select(Page* page, int row) {
        if (page && row >= 0) {
            page->SetCurSel(Page::kList, row);
            page->SendCommand(Page::kList, LBN_SELCHANGE);
        }
        return page;
    }
    ScopedScriptedUi ui;
    TempCatalog c;
};

std::string CaseName(std::string name) {
    std::replace_if(name.begin(), name.end(), [](unsigned char ch) { return !std::isalnum(ch); }, '_');
    return name;
}


// A text line of a drawing as the dump writes it, transparent, in Arial.
std::string Text(int x, int y, const std::string& s, int size, int weight = 400, const char* colour = "000000",
                 const std::string& tail = "") {
    return "text " + std::to_string(x) + "," + std::to_string(y) + " \"" + s + "\" Arial/" + std::to_string(size) +
           "/" + std::to_string(weight) + " #" + colour + " fmt=0 clear" + tail + "\n";
}
// A label and its value in the product's box at 640.
std::string Row(int y, const std::string& label, const std::string& value, int weight = 400) {
    return Text(18, y, label, 13, weight) + Text(162, y, value, 13, weight);
}
std::string Row800(int y, const std::string& label, const std::string& value, int weight = 400) {
    return Text(22, y, label, 16, weight) + Text(203, y, value, 16, weight);
}
// The white title and path of a page, scaled from the design size to the page's.
std::string Titles(const std::string& title, const std::string& path, int pathSize = 14, int x = 116,
                   const char* page = "628x430") {
    const std::string tail = std::string(" aniso 628x430>") + page;
    return Text(x, 14, title, -18, 400, "ffffff", tail) +
           (path.empty() ? "" : Text(x, 37, path, pathSize, 400, "ffffff", tail));
}
// The requirements list's heading row above the list.
std::string Headings(int y, int size, std::array<int, 4> x) {
    std::string s;
    const char* names[] = {"Anzahl", "Bezeichnung", "Q.T.X/ZRT - Nr. ", "Fl\xE4" "che (LxB[m])"};
    for (int i = 0; i < 4; ++i)
        s += Text(x[i], y, names[i], size, 400, "ffffff");
    return s;
}

const std::string kBackground = "dib 0,0,40,30 from 0,0,40,30\n";
// The product page at 640: background, frame and the product's picture; the title and path of groups.
const std::string kProductTop = kBackground + "fill 14,64,310,416 #ffffff\ndib 16,66,46,86 from 0,0,30,20\n";
const std::string kProductTitles = Titles("S\xE4ulen-Hebeb\xFChnen", "Heben / B\xFChnen / S\xE4ulen");
const std::string kPlanTitle = Titles("Bedarf Testwerkstatt", "");

struct PaintCase {
    const char* name;
    int width, language, priceMode;
    std::function<DialogWindow*(RunningProgram&)> open;
    std::string dump;
};

const PaintCase kPaints[] = {
    // Background, frame, the entry's picture, then title and breadcrumb in white, in design units.
    {"group back from a list", 640, 0, -1, [](RunningProgram& p) { return Walk::Group(p, 3, "LIST.KAT"); },
     kBackground + "fill 14,64,310,414 #ffffff\ndib 16,66,46,86 from 0,0,30,20\n" +
         Titles("Hebetechnik", "Heben / Heber", 16)},
    {"product, no prices", 640, 0, -1, [](RunningProgram& p) { return Walk::Products(p); },
     kProductTop + Row(314, "VAS 1", "QX-1", 700) + kProductTitles},
    {"product, UPE", 640, 0, 0, [](RunningProgram& p) { return Walk::Products(p); },
     kProductTop + Row(314, "VAS 1", "QX-1", 700) + Row(326, "Unverb. VP:", "1234,50 EUR") +
         Row(338, "Lieferung:", "4 Wochen") + kProductTitles},
    {"product, VZ at 800", 800, 0, 1, [](RunningProgram& p) { return Walk::Products(p); },
     kBackground + "fill 17,81,388,531 #ffffff\ndib 20,84,50,104 from 0,0,30,20\n" +
         Row800(401, "VAS 1", "QX-1", 700) + Row800(416, "Unverb. VP:", "1234,50 EUR") +
         Row800(432, "Lieferung:", "4 Wochen") + Row800(448, "VZ-EK:", "987,60 EUR") +
         Titles("S\xE4ulen-Hebeb\xFChnen", "Heben / B\xFChnen / S\xE4ulen", 14, 116, "788x550")},
    {"DORNA product, VZ", 640, 0, 1, [](RunningProgram& p) { return Walk::Products(p, "SAEULE.KAT", "", 1); },
     kProductTop + Row(314, "Werkzeug-Nr.:", "D-2", 700) + Row(326, "Preis ab Dorna:", "50,00 EUR") +
         Row(338, "Lieferung:", "sofort") + Row(351, "VZ-EK:", "40,00 EUR") + kProductTitles},
    {"DORNA product, English", 640, 0, 1,
     [](RunningProgram& p) {
         ProductPage* page = Walk::Products(p);
         p.Frame().ChangeLanguage(1);
         Pump();
         Walk::Select(page, 1);
         return page;
     },
     kProductTop + Row(314, "Tool no:", "D-2", 700) + Row(326, "Dorna price:", "50,00 EUR") +
         Row(338, "Delivery:", "sofort") + Row(351, "VZ netprice:", "40,00 EUR") + kProductTitles},
    {"product without a price", 640, 0, 0, [](RunningProgram& p) { return Walk::Products(p, "SAEULE.KAT", "", 2); },
     kProductTop + Row(314, "VAS 3", "QX-3", 700) + Row(326, "Unverb. VP:", "siehe VZ-Preisliste") +
         kProductTitles},
    {"empty product list", 640, 0, 1, [](RunningProgram& p) { return Walk::Products(p, "EMPTY.KAT"); },
     kBackground + "fill 14,64,310,416 #ffffff\n" + Titles("Leer", "Heben / Leer")},
    {"requirements heading row", 640, 0, -1, [](RunningProgram& p) { return Walk::Requirements(p); },
     kBackground + "fill 16,64,614,220 #ffffff\ndib 18,66,48,86 from 0,0,30,20\n" +
         Headings(226, 11, {20, 80, 430, 537}) + kPlanTitle},
    {"requirements, tall picture", 640, 0, -1, [](RunningProgram& p) { return Walk::Requirements(p, "PLAN.ZEN", 3); },
     kBackground + "fill 16,64,614,220 #ffffff\ndib 18,66,202,218 from 0,0,292,240\n" +
         Headings(226, 11, {20, 80, 430, 537}) + kPlanTitle},
    {"requirements at 800", 800, 0, -1, [](RunningProgram& p) { return Walk::Requirements(p); },
     kBackground + "fill 20,81,770,280 #ffffff\ndib 22,84,52,104 from 0,0,30,20\n" +
         Headings(289, 15, {25, 100, 539, 663}) + Titles("Bedarf Testwerkstatt", "", 14, 116, "788x550")},
    {"drawing", 640, 0, 1,
     [](RunningProgram& p) -> DialogWindow* {
         if (ProductPage* page = Walk::Products(p))
             p.Send(page, ProductPage::kDrawing);
         return FindPage<DrawingPage>(p.Frame().Client());
     },
     kBackground + "fill 16,64,520,412 #ffffff aniso 628x430>628x430\n" +
         Titles("Produktbild", "Zwei-S\xE4ulen-B\xFChne", 16, 120)},
};

void PrintTo(const PaintCase& k, std::ostream* os) { *os << k.name; }

class Paints : public Walk, public ::testing::WithParamInterface<PaintCase> {};

TEST(InfoPrint, EachLanguagePrintsItsOwnDocument) {
    GlobalState s;
    s.programDir = "C:\\Q\\";
    // Language, then the folder of its documents: an unknown language prints the German one.
    for (const auto& [lang, folder] : {std::pair{-1, '1'}, {0, '1'}, {1, '2'}, {2, '3'}, {3, '4'}, {4, '1'}}) {
        s.languageIndex = lang;
        EXPECT_EQ(InfoDocumentPath(s, "a.htm"), std::string("C:\\Q\\HTML\\LANG") + folder + "\\a.htm");
    }
}

TEST_P(Paints, AsRecorded) {
    const PaintCase& k = GetParam();
    RunningProgram p(c, k.width, k.language);
    p.State().priceMode = k.priceMode;
    DialogWindow* page = k.open(p);
    ASSERT_NE(page, nullptr);
    RecordingDc dc({page->width(), page->height()});
    PaintOf::Into(*page, dc);
    std::vector<DrawCall> calls; // the sunken frame's edges aside
    std::copy_if(dc.Calls().begin(), dc.Calls().end(), std::back_inserter(calls),
                 [](const DrawCall& call) { return call.kind != DrawCall::Kind::Line; });
    EXPECT_EQ(test::Dump(calls), k.dump);
    EXPECT_TRUE(ui->Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Pages, Paints, ::testing::ValuesIn(kPaints),
                         [](const auto& test) { return CaseName(test.param.name); });


// Group entries by name; products with the seal; requirements in four
// columns, a heading row bold; the order list after the middle one of three
// entries was deleted; selected rows highlighted.
TEST_F(Walk, ListRowsOfTheGroupProductRequirementsAndOrderListPages) {
    const std::string file = ToWindowsPath(c.Dir()) + "\\LISTE.STK";
    ASSERT_TRUE(testing::SaveListOf(file, {{"A-1", "QTX_VZ"}, {"B-2", "QTX_VZ"}, {"C-3", "QTX_VZ"}}));
    RunningProgram p(c);
    RecordingDc dc;
    const auto draw = [&dc](DialogWindow& page, int id, int row, bool selected, std::string text, Rect rect) {
        DrawItem item{DrawItem::ListBox, id, row, DrawItem::DrawEntire, selected, false, false, &dc, rect, row, text};
        testing::DrawOf::Into(page, item);
    };
    const auto at = [](int row) { return Rect{0, 16 * row, 270, 16 * row + 36}; };
    GroupPage* group = Group(p);
    ASSERT_NE(group, nullptr);
    draw(*group, GroupPage::kList, 0, true, "a||Heben|G_A.bmp", at(0));
    draw(*group, GroupPage::kList, 0, false, "a||Heben|G_A.bmp", at(0));
    ProductPage* products = Products(p);
    ASSERT_NE(products, nullptr);
    draw(*products, ProductPage::kList, 0, true, products->GetLbText(ProductPage::kList, 0), at(0));
    draw(*products, ProductPage::kList, 1, false, products->GetLbText(ProductPage::kList, 1), at(1));
    RequirementsPage* rows = Requirements(p);
    ASSERT_NE(rows, nullptr);
    draw(*rows, RequirementsPage::kList, 0, false, "", at(0));
    draw(*rows, RequirementsPage::kList, 1, true, "", at(1));
    auto* page = testing::OpenOrderList(p, *ui, file);
    ASSERT_NE(page, nullptr);
    page->SetCurSel(OrderListPage::kList, 1);
    QTest::mouseClick(page->Item(OrderListPage::kDelete), Qt::LeftButton);
    EXPECT_EQ(page->GetCount(OrderListPage::kList), 2);
    for (int row : {0, 1})
        draw(*page, OrderListPage::kList, row, row == 0, "", Rect{0, 20 * row, 600, 20 * row + 20});
    // The selected row on grey; quantity, number, designation, the prices of the mode, remarks, a dotted rule.
    const auto order = [](int y, const char* fill, const std::string& number) {
        const auto cell = [y](int l, int r, const std::string& s, const char* fmt) {
            return "drawtext " + std::to_string(l) + "," + std::to_string(y + 2) + "," + std::to_string(r) + "," +
                   std::to_string(y + 18) + " \"" + s + "\" Arial/16/400 #000000 fmt=" + fmt + " clear\n";
        };
        const std::string rule = std::to_string(y + 19);
        return "fill 0," + std::to_string(y) + ",600," + std::to_string(y + 20) + " #" + fill + "\n" +
               Text(8, y + 2, "1", 16) + Text(50, y + 2, number, 16) + cell(160, 380, number, "820") +
               cell(380, 474, "", "822") + cell(480, 576, "", "822") + Text(160, y + 16, "", 16) + "line 4," + rule +
               " 596," + rule + " dot/1 #000000\n";
    };
    const std::string row = " Arial/16/400 #000000 fmt=800 clear\n";
    const std::string selected = " Arial/16/400 #ffffff fmt=800 clear\n";
    EXPECT_EQ(test::Dump(dc.Calls()), "fill 0,0,270,36 #000080\n"
                                      "drawtext 2,0,270,36 \"Heben\" Arial/16/400 #ffffff fmt=824 clear\n"
                                      "fill 0,0,270,36 #ffffff\n"
                                      "drawtext 2,0,270,36 \"Heben\" Arial/16/400 #000000 fmt=824 clear\n"
                                      "fill 0,0,270,36 #000080\n" "dib 251,1,269,19 from 0,0,18,18\n"
                                      "text 2,2 \"Zwei-S\xE4ulen-B\xFChne\" Arial/16/400 #ffffff fmt=0 clear\n"
                                      "text 10,18 \"VAS 1\" Arial/16/400 #ffffff fmt=0 clear\n"
                                      "fill 0,16,270,52 #ffffff\n"
                                      "text 2,18 \"Dorna-Werkzeug\" Arial/16/400 #000000 fmt=0 clear\n"
                                      "text 10,34 \"D-2\" Arial/16/400 #000000 fmt=0 clear\n"
                                      "fill 0,0,270,36 #ffffff\n"
                                      "drawtext 4,0,270,36 \"\"" + row +
                                      "drawtext 62,0,270,36 \"Hebetechnik\" Arial/16/700 #000000 fmt=800 clear\n"
                                      "drawtext 412,0,270,36 \"\"" + row + "drawtext 518,0,270,36 \"\"" + row +
                                      "fill 0,16,270,52 #000080\n"
                                      "drawtext 4,16,270,52 \"2\"" + selected +
                                      "drawtext 62,16,270,52 \"Hebeb\xFChne\"" + selected +
                                      "drawtext 412,16,270,52 \"QX-801\"" + selected +
                                      "drawtext 518,16,270,52 \"4 x 3\"" + selected + order(0, "c0c0c0", "A-1") +
                                      order(20, "ffffff", "C-3"));
    // The price columns are headed in UPE mode too.
    p.State().priceMode = 0;
    RecordingDc paint({page->width(), page->height()});
    testing::PaintOf::Into(*page, paint);
    ASSERT_NE(paint.FindText("St\xFC" "ckpreis"), nullptr);
    EXPECT_EQ(paint.FindText("Preis")->at, (Point{568, 65}));
}

// The product list as the screen shows it: the selected row on navy with the
// seal in its colours, and the keyboard's dotted mark on that row alone.
TEST_F(Walk, TheListOnScreenMarksTheSelectedRowAndTheKeyboardsRow) {
    RunningProgram p(c);
    ProductPage* page = Products(p);
    ASSERT_NE(page, nullptr);
    auto* list = qobject_cast<QListWidget*>(page->Item(ProductPage::kList));
    ASSERT_TRUE(list && list->hasFocus());
    const QImage with = list->viewport()->grab().toImage();
    page->SetFocusTo(ProductPage::kBack);
    const QImage without = list->viewport()->grab().toImage();
    const QRect first = list->visualItemRect(list->item(0));
    const QPoint seal(first.right() - 18, first.top() + 1);
    EXPECT_EQ(with.pixelColor(first.left() + 1, first.bottom() - 1), QColor(0x00, 0x00, 0x80));
    EXPECT_EQ(with.pixelColor(seal + QPoint(5, 7)), QColor(0xD8, 0x1E, 0x34));
    EXPECT_EQ(with.pixelColor(seal + QPoint(1, 1)), QColor(Qt::white));
    std::string marked;
    for (int row = 0; row < list->count(); ++row) {
        const QRect r = list->visualItemRect(list->item(row));
        int differ = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                differ += with.pixel(x, y) != without.pixel(x, y);
        marked += differ > 20 ? '1' : '0';
    }
    EXPECT_EQ(marked, "100");
}


struct Road {
    const char* name;
    std::function<DialogWindow*(RunningProgram&)> open;
    std::function<void(RunningProgram&, DialogWindow*)> take;
    const char* ends;     // Where() once the events ran
    int pageOrigin = -1;  // right after the step, before the next page is made; -1: not looked at
    const char* message = "";
    const char* captionEnd = ""; // of the message
};

using Step = std::function<void(RunningProgram&, DialogWindow*)>;
Step Command(int id, int code = BN_CLICKED) {
    return [=](RunningProgram&, DialogWindow* page) { page->SendCommand(id, code); };
}
Step Click(int id) {
    return [id](RunningProgram&, DialogWindow* page) { QTest::mouseClick(page->Item(id), Qt::LeftButton); };
}
Step Press(int key) {
    return [key](RunningProgram& p, DialogWindow*) { testing::PressKey(&p.Frame(), key); };
}
DialogWindow* NoPage(RunningProgram&) { return nullptr; }
DialogWindow* GroupTop(RunningProgram& p) { return Walk::Group(p); }
DialogWindow* Products(RunningProgram& p) { return Walk::Products(p); }
DialogWindow* Plan(RunningProgram& p) { return Walk::Requirements(p); }
// The terms of delivery over the page, left by a step.
Step Terms(int command, Step leave) {
    return [=](RunningProgram& p, DialogWindow*) { p.Menu(command); leave(p, p.Current<InfoPage>()); };
}

constexpr const char* kNoData = "Es liegen keine Daten f\xFCr \ndiesen Katalog vor!";
constexpr const char* kList3 = "group 3 aaa|SAEULE.KAT|S\xE4ulen|G_AAA.bmp";
constexpr const char* kGone = "group 2 ac|GONE.KAT|Fehlt|";

const Road kRoads[] = {
    {"area level out of range", NoPage,
     [](RunningProgram& p, DialogWindow*) { p.State().areaLevel = kAreaLevels; p.ShowPage(kPageArea); }, "area 0"},
    {"no sub-area below the deepest level", NoPage,
     [](RunningProgram& p, DialogWindow*) {
         p.State().areaLevel = kAreaLevels - 1;
         p.ShowPage<AreaPage>(kPageArea)->ShowArea("BE.BER", "");
         p.Current<AreaPage>()->DispatchEntry(0);
     }, "area 63"},
    {"group Zurueck at the top", GroupTop, Command(GroupPage::kBack), "area 2", 2},
    {"group double click", GroupTop, Command(GroupPage::kList, LBN_DBLCLK), "group 2 aa||B\xFChnen|G_AA.bmp"},
    {"group back from a list", NoPage, [](RunningProgram& p, DialogWindow*) { Walk::Group(p, 3, "LIST.KAT"); },
     "group 3 abc|LIST.KAT|Kr\xE4ne|G_ABC.bmp", 2},
    {"group back from another list", NoPage, [](RunningProgram& p, DialogWindow*) { Walk::Group(p, 3, "NO.KAT"); },
     "group 1 a||Heben|G_A.bmp"},
    {"group Hauptmenue", [](RunningProgram& p) -> DialogWindow* { return Walk::Group(p, 3, "LIST.KAT"); },
     Command(GroupPage::kMainMenu), "area 0"},
    {"group file missing", NoPage, [](RunningProgram& p, DialogWindow*) { Walk::Group(p, 1, "", "NICHTDA"); }, "area 2",
     -1, "Dieser Produktbereich wurde\nnicht installiert!", "QUARVENTA AG"},
    {"product Zurueck", Products, Command(ProductPage::kBack), kList3, 3},
    {"product Enter", Products, Press(Qt::Key_Return), "product"},
    {"product double click", Products, Command(ProductPage::kList, LBN_DBLCLK), "product"},
    {"product Hauptmenue", Products, Command(ProductPage::kMainMenu), "area 0", 3},
    {"product list missing", NoPage, [](RunningProgram& p, DialogWindow*) { Walk::Products(p, "GONE.KAT"); }, kGone,
     -1, kNoData, "QUARVENTA AG"},
    {"requirements Escape", Plan, Press(Qt::Key_Escape), "area 2"},
    {"requirements Enter", Plan, Press(Qt::Key_Return), "requirements"},
    {"requirements double click", Plan, Command(RequirementsPage::kList, LBN_DBLCLK), "requirements"},
    {"requirements Hauptmenue", Plan, Click(RequirementsPage::kMainMenu), "area 0", 3},
    {"requirements file missing", NoPage, [](RunningProgram& p, DialogWindow*) { Walk::Requirements(p, "GONE.KAT"); },
     kGone, -1, kNoData, "DATEN\\LANG1\\GONE.KAT"},
    {"terms of delivery Zurueck", Products, Terms(kCmdTermsEquipment, Click(InfoPage::kBack)), "product"},
    {"terms of delivery Escape", Products, Terms(kCmdTermsTools, Press(Qt::Key_Escape)), "product"},
};

void PrintTo(const Road& r, std::ostream* os) { *os << r.name; }

class Roads : public Walk, public ::testing::WithParamInterface<Road> {};

TEST_P(Roads, EndWhereTheyShould) {
    const Road& r = GetParam();
    RunningProgram p(c);
    p.State().areaLevel = 2;
    DialogWindow* page = r.open(p);
    r.take(p, page);
    if (r.pageOrigin >= 0) {
        EXPECT_EQ(p.State().pageOrigin, r.pageOrigin);
    }
    Pump();
    EXPECT_EQ(Where(p), r.ends);
    EXPECT_EQ(ui->Messages(), *r.message ? std::vector<std::string>{r.message} : std::vector<std::string>{});
    EXPECT_EQ(p.Frame().Pages().size(), 1u) << "the page left is gone";
    for (const auto& m : ui->shown) {
        EXPECT_EQ(m.type, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_TRUE(m.caption.ends_with(r.captionEnd)) << m.caption;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, Roads, ::testing::ValuesIn(kRoads),
                         [](const auto& test) { return CaseName(test.param.name); });

// The product page opens at its group, loads each selection once, opens its
// information and drawing over itself and prints both.
TEST_F(Walk, ProductPageSelectionsInformationDrawingAndTheirPrintouts) {
    RunningProgram p(c);
    ProductPage* page = Products(p);
    ASSERT_NE(page, nullptr);
    auto* box = qobject_cast<QPlainTextEdit*>(page->Item(ProductPage::kInfoBox));
    ASSERT_TRUE(box && box->isReadOnly()) << "the catalogue's text, not for typing";
    // The list file names its group and code; the path is built from the group file.
    EXPECT_EQ(p.State().hierarchyCode.str() + " " + page->Breadcrumb(), "aaa Heben / B\xFChnen / S\xE4ulen");
    EXPECT_EQ(page->Item(ProductPage::kList)->geometry(), QRect(328, 64, 286, 287));
    // After each selection: the text, whether it scrolls, the buttons that work
    // (drawing, order list, note, information), the loads so far.
    const int first = page->SelectionLoads();
    const auto shows = [&](int row) {
        Select(page, row);
        std::string s = page->GetItemText(ProductPage::kInfoBox) +
                        (box->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? " | bar " : " | ");
        for (int id : {ProductPage::kDrawing, ProductPage::kOrderList, ProductPage::kNote, ProductPage::kProductInfo})
            s += page->IsItemEnabled(id) ? '1' : '0';
        return s + " " + std::to_string(page->SelectionLoads() - first);
    };
    EXPECT_EQ(shows(0), "Zeile eins\r\nZeile zwei\r\nZeile drei | 1111 0"); // the same entry: nothing loaded
    // Four lines scroll; no information file; no drawing of P2.bmp still opens an empty view.
    EXPECT_EQ(shows(1), "Eins\r\nZwei\r\nDrei\r\nVier | bar 1110 1");
    const DibHandle p2 = page->Picture();
    EXPECT_EQ(shows(2), "Kurz | 1110 2");
    EXPECT_TRUE(page->Picture() == p2); // the same picture name: kept, not read again
    page->SetItemText(ProductPage::kInfoBox, std::string(400, 'x')); // a wrapped line counts as several
    EXPECT_GE(page->GetEditLineCount(ProductPage::kInfoBox), 4);

    // Produktinformation over the page; the product sheet: header text, page
    // number, the document, the footer (the number, as the record leaves it empty).
    Select(page, 0);
    p.Send(page, ProductPage::kProductInfo);
    auto* info = p.Current<InfoPage>();
    ASSERT_TRUE(info && info->ReturnPage() == page && !page->isVisible());
    EXPECT_EQ(info->Document(), "P1.htm");
    {
        RecordedPrint print;
        p.Send(page, ProductPage::kPrint);
        std::string texts;
        for (const DrawCall& call : print.Calls())
            if (!call.text.empty())
                texts += call.text + "|";
        EXPECT_EQ(texts, "1/01|Betriebseinrichtungen - Hebetechnik|Zwei-S\xE4ulen-B\xFChne\nTragkraft 4 t.|QX-1|");
    }

    p.Send(info, InfoPage::kBack);

    // Produktbild over the page, the drawing in its view; the printed sheet.
    p.Click(page->Item(ProductPage::kDrawing));
    auto* drawing = FindPage<DrawingPage>(p.Frame().Client());
    ASSERT_NE(drawing, nullptr);
    EXPECT_FALSE(page->isVisible());
    EXPECT_EQ(drawing->View()->geometry(), QRect(18, 66, 502, 346));
    {
        RecordedPrint print;
        p.Click(drawing->Item(DrawingPage::kPrint));
        // One page: title, name, rule, the number row at 600 / 2 + 140, the drawing.
        const std::string m = " iso 640x480>4960x3720 p1";
        const auto line = [&m](int x, int y, const char* s, int size) { return Text(x, y, s, size, 400, "000000", m); };
        EXPECT_EQ(test::Dump(print.Calls()),
                  "startpage p1\n" + line(40, 40, "Produktbild", -18) + line(40, 64, "Zwei-S\xE4ulen-B\xFChne", -12) +
                      "line 40,90 600,90 solid/1 #000000" + m + "\n" + line(40, 440, "Bestell-Nr.:", -12) +
                      line(112, 440, "QX-1", -12) + "dib 80,220,980,820 from 0,0,900,600 iso 1024x1024>3720x3720 p1\n"
                      "endpage iso 1024x1024>3720x3720 p1\n");
    }
    p.Key(Qt::Key_Escape);
    EXPECT_EQ(FindPage<DrawingPage>(p.Frame().Client()), nullptr);
    EXPECT_TRUE(page->isVisible());

    // Without a drawing the number row moves up and no picture is printed.
    DrawingRequest request{};
    request.number = "QX-1";
    request.picture = "NONE.bmp";
    drawing = OpenDrawingPage(p.Context(), p.Frame().Client(), page, request);
    RecordedPrint print;
    p.Send(drawing, DrawingPage::kPrint);
    ASSERT_NE(print.FindText("Bestell-Nr.:"), nullptr);
    EXPECT_EQ(print.FindText("Bestell-Nr.:")->at, (Point{40, 140}));
    EXPECT_TRUE(std::ranges::none_of(print.Calls(), [](const DrawCall& c) { return c.kind == DrawCall::Kind::Dib; }));
    p.Send(drawing, DrawingPage::kBack);
    EXPECT_TRUE(page->isVisible());

    // A preselected key is taken exactly and used once; a path from the group page as it is.
    EXPECT_EQ(Products(p, "SAEULE.KAT", "P2")->CurrentIndex(), 1);
    EXPECT_TRUE(p.State().preselectKey.empty());
    EXPECT_EQ(Products(p, "SAEULE.KAT", "p2")->CurrentIndex(), 0);
    p.State().breadcrumb = "Vom Gruppenblatt";
    EXPECT_EQ(p.ShowPage<ProductPage>(kPageProduct)->Breadcrumb(), "Vom Gruppenblatt");
    EXPECT_EQ(Products(p, "EMPTY.KAT")->CurrentIndex(), -1);
    EXPECT_TRUE(ui->Messages().empty());
}


TEST_F(Walk, RequirementsRowsTheirInformationAndThePrintout) {
    RunningProgram p(c);
    RequirementsPage* page = Requirements(p);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->PictureName(), "G_A.bmp");
    EXPECT_EQ(page->View()->Html(), QStringLiteral(" ")); // a heading row's text is shorter than 8 characters
    std::string visible;
    for (int id : {RequirementsPage::kNote, RequirementsPage::kDrawing, RequirementsPage::kOrderList,
                   RequirementsPage::kHiddenText, RequirementsPage::kRequirements})
        visible += page->IsItemVisible(id) ? '1' : '0';
    EXPECT_EQ(visible + (page->View()->isVisible() ? " text" : ""), "00001 text");
    EXPECT_EQ(page->GetItemText(RequirementsPage::kRequirements), "Bedarf");
    EXPECT_EQ(page->Item(RequirementsPage::kList)->geometry(), QRect(16, 240, 598, 140));
    Select(page, 1);
    const int loads = page->SelectionLoads();
    Select(page, 1);
    EXPECT_EQ(page->SelectionLoads(), loads);
    EXPECT_EQ(page->PictureName(), "P1.bmp");
    EXPECT_TRUE(page->View()->Html().contains(QStringLiteral("Zwei S")));
    const DibHandle picture = page->Picture();
    Select(page, 2); // the same picture: not loaded again
    EXPECT_EQ(page->Picture(), picture);
    EXPECT_TRUE(page->View()->Html().contains(QStringLiteral("Der Heber")));

    // Bedarf: the information over the page, its pictures from the large folder.
    p.Click(page->Item(RequirementsPage::kRequirements));
    auto* info = FindPage<InfoPage>(p.Frame().Client());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Document(), "Plan.htm");
    EXPECT_FALSE(page->isVisible());
    EXPECT_TRUE(info->View()->ImageFolder().ends_with("BILDER\\1024"));
    p.Key(Qt::Key_Escape);
    EXPECT_TRUE(page->isVisible());

    // Each printed page: the subtitle in the header band on the first, the title in every footer.
    RecordedPrint print;
    p.Click(page->Item(RequirementsPage::kPrint));
    EXPECT_GE(print.Pages(), 2);
    EXPECT_EQ(std::ranges::count(print.Calls(), std::string("Bedarf Testwerkstatt"), &DrawCall::text), print.Pages());
    ASSERT_NE(print.FindText("Werkstattplanung - Test"), nullptr);
    EXPECT_EQ(print.FindText("Werkstattplanung - Test")->page, 1);
    EXPECT_EQ(p.Current<RequirementsPage>(), page);
}


TEST_F(Walk, TermsOfDeliveryFromTheMenuScrollFollowTheLanguageAndGoBack) {
    RunningProgram p(c);
    DialogWindow* area = p.Frame().CurrentPage();
    p.Menu(kCmdTermsEquipment);
    auto* info = p.Current<InfoPage>();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(area->isHidden()); // one page shown at a time
    const auto shows = [info] {
        return info->Document() + " " + info->GetItemText(InfoPage::kPrint) + "|" + info->GetItemText(InfoPage::kBack);
    };
    EXPECT_EQ(shows(), "Betrieb.htm Drucken|Zur\xFC" "ck");
    EXPECT_EQ(info->geometry(), QRect(0, 0, 632, 434));
    EXPECT_EQ(info->View()->geometry(), QRect(16, 64, 596, 320));
    // The text has the keyboard: the arrows and Page Down scroll it.
    EXPECT_TRUE(info->View()->hasFocus());
    QScrollBar* bar = info->View()->verticalScrollBar();
    testing::PressKey(&p.Frame(), Qt::Key_Down);
    const int line = bar->value();
    EXPECT_GT(line, 0);
    testing::PressKey(&p.Frame(), Qt::Key_PageDown);
    EXPECT_GT(bar->value(), line);
    testing::PressKey(&p.Frame(), Qt::Key_PageUp);
    EXPECT_LE(bar->value(), line);
    // White view with black text; the page's background around it.
    const QImage shot = info->grab().toImage();
    EXPECT_EQ(shot.pixelColor(info->View()->geometry().topLeft() + QPoint(2, 2)), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(0x00, 0x33, 0x66));

    p.State().languageIndex = 1;
    p.Frame().PostToAllPages(UM_RELOAD);
    Pump();
    EXPECT_EQ(shows(), "Betrieb.htm Print|Back");
    p.State().languageIndex = 0;

    // Special tools, in the file's own letter case.
    p.Menu(kCmdTermsTools);
    EXPECT_EQ(p.Current<InfoPage>()->Document(), "Spezial.htm");
    EXPECT_EQ(TextViewText(p.Current<InfoPage>()->View()).substr(0, 22), "Spezialwerkzeuge LANG1");

    // A document that isn't there: an empty view, nothing printed.
    EXPECT_EQ(TextViewText(Info(p, "Fehlt.htm")->View()), "");
    EXPECT_EQ(test::Dump(PrintedInfo(p, "Fehlt.htm", 0)->Calls()), "startpage p1\n");
    EXPECT_TRUE(ui->Messages().empty());
}

// While the job runs only its progress dialog takes input: what once ended
// it from inside, the terms of delivery again and their Drucken, does nothing.
TEST_F(Walk, TermsOfDeliveryPrintOneSectionPerNumberedPageAndNothingElseRunsMeanwhile) {
    RunningProgram p(c);
    InfoPage* info = Info(p, "Betrieb.htm");
    RecordedPrint print;
    bool tried = false;
    QTimer::singleShot(0, info, [&] { // at the first turn of the abort procedure, while the job draws
        tried = true;
        EXPECT_FALSE(p.Frame().isEnabled());
        p.Frame().OnMenuCommand(kCmdTermsTools);
        info->SendCommand(InfoPage::kPrint);
        EXPECT_EQ(testing::CountPages<InfoPage>(p.Frame().Client()), 1);
    });
    p.Click(info->Item(InfoPage::kPrint));
    EXPECT_TRUE(tried);
    EXPECT_EQ(print.Jobs(), 1);
    EXPECT_EQ(print.Pages(), 3);
    EXPECT_EQ(p.Current<InfoPage>(), info);
    for (int page = 1; page <= 3; ++page) {
        std::vector<DrawCall> on;
        for (DrawCall call : print.Calls()) {
            if (call.page != page || call.kind == DrawCall::Kind::StartPage || call.kind == DrawCall::Kind::EndPage)
                continue;
            if (call.kind == DrawCall::Kind::DrawText) { // the document's page, checked by its section only
                EXPECT_NE(call.text.find("Teil " + std::to_string(page)), std::string::npos) << call.text;
                EXPECT_EQ(call.text.find("Teil " + std::to_string(page % 3 + 1)), std::string::npos) << call.text;
                call.text = "...";
            }
            on.push_back(call);
        }
        // Rules, the sheet picture at half size, number and header, the
        // document's page inside the print rectangle, the footer.
        const std::string n = std::to_string(page), m = " iso 640x480>4960x3720 p" + n + "\n";
        const std::string bold = "\" Arial/16/700 #000000 fmt=2 clear" + m;
        const auto rule = [&m](int y) {
            return "line 40," + std::to_string(y) + " 610," + std::to_string(y) + " solid/1 #000000" + m;
        };
        EXPECT_EQ(test::Dump(on), rule(30) + "dib 80,64,240,124 from 0,0,160,60 iso 1280x960>4960x3720 p" + n + "\n" +
                                      "text 610,50 \"" + n + "/03" + bold + "text 610,66 \"Kopfzeile Gruppe" + bold +
                                      rule(102) + "drawtext 57,155,563,750 \"...\" Arial/16/700 #000000 fmt=810 clear" +
                                      m + rule(870) + "text 610,874 \"Fu\xDFzeile Katalog" + bold + rule(894));
    }
    EXPECT_TRUE(p.Frame().isEnabled());

    // A sheet that cannot start ends the job; an extra top offset moves the text, not the pages.
    const auto failing = PrintedInfo(p, "Betrieb.htm", 0, 2);
    EXPECT_NE(failing->FindText("1/03"), nullptr);
    EXPECT_EQ(failing->FindText("2/03"), nullptr);
    EXPECT_EQ(failing->PagesStarted() * 10 + failing->PagesEnded(), 11);
    const auto lower = PrintedInfo(p, "Betrieb.htm", 186);
    EXPECT_NE(lower->FindText("3/03"), nullptr);
    for (const DrawCall& call : lower->Calls())
        EXPECT_TRUE(call.kind != DrawCall::Kind::DrawText || call.rect == (Rect{57, 165, 563, 750}));
}


bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() <= milliseconds)
        QTest::qWait(20);
    return condition();
}

// The video page over the area page, as its entry opens it, with a broken
// video and, when the demo catalogue has one, a real one.
struct VideoPages : Walk {
    VideoPages() {
        c.Write("VIDEO\\BROKEN.AVI", "RIFF\x10\x00\x00\x00" "AVI nothing to see here");
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(fs::path(QX_DEMO_DIR) / "VIDEO", ec))
            if ((e.path().extension() == ".AVI" || e.path().extension() == ".avi") && !fs::exists(Clip()))
                fs::copy_file(e.path(), Clip());
    }
    fs::path Clip() const { return c.Dir() / "VIDEO" / "clip.avi"; }
    static VideoPage* Open(AreaPage* area, const std::string& file) {
        if (!area || !area->openVideo)
            return nullptr;
        area->openVideo(*area, file);
        Pump();
        return CurrentVideoPage();
    }
};

TEST_F(VideoPages, PlaysPausesResumesEndsAndRestarts) {
    if (!fs::exists(Clip()))
        GTEST_SKIP() << "the demo catalogue has no video";
    RunningProgram p(c);
    AreaPage* area = p.Current<AreaPage>();
    VideoPage* page = Open(area, "clip.avi");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->VideoFile(), "CLIP.AVI");
    EXPECT_EQ(page->Playing(), 1);
    VideoPlayer* player = page->Player();
    EXPECT_EQ(player->geometry(), QRect(16, 64, 455, 350));
    if (!WaitFor([&] { return player->FramesShown() > 0 || !ui->shown.empty(); }, 5000))
        GTEST_SKIP() << "no frame within 5 s: no usable media back end on this machine";
    if (!ui->shown.empty())
        GTEST_SKIP() << "the media back end can't play MJPEG AVI here: " << player->ErrorText();

    QTest::mouseClick(page->Item(VideoPage::kPause), Qt::LeftButton);
    EXPECT_EQ(player->CurrentState(), VideoPlayer::State::Paused);
    QTest::qWait(200);
    const int paused = player->FramesShown();
    QTest::qWait(400);
    EXPECT_LE(player->FramesShown(), paused + 1); // one frame may have been under way
    EXPECT_EQ(page->Playing(), 1);

    QTest::mouseClick(page->Item(VideoPage::kPlay), Qt::LeftButton);
    EXPECT_EQ(player->CurrentState(), VideoPlayer::State::Playing);
    ASSERT_TRUE(WaitFor([&] { return page->EndNotices() == 1; }, 15000)) << "the end of the video was not reported";
    EXPECT_EQ(page->Playing(), 0);

    // After the end, Neustart plays it again; leaving while it plays brings the area page back.
    const int before = player->FramesShown();
    QTest::mouseClick(page->Item(VideoPage::kRestart), Qt::LeftButton);
    EXPECT_EQ(page->Playing(), 1);
    EXPECT_TRUE(WaitFor([&] { return player->FramesShown() > before + 2; }, 5000));
    p.Key(Qt::Key_Escape);
    EXPECT_EQ(CurrentVideoPage(), nullptr);
    EXPECT_TRUE(area->isVisible());
    EXPECT_TRUE(ui->shown.empty());
}

// Missing and broken videos are said once; the page still answers, in the
// language's captions; a second video page replaces the first.
TEST_F(VideoPages, UnplayableVideosAreReportedAndThePageStillAnswers) {
    RunningProgram p(c);
    AreaPage* area = p.Current<AreaPage>();
    VideoPage* page = Open(area, "missing.avi");
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible() && !area->isVisible());
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"Das Video kann nicht abgespielt werden:\nMISSING.AVI"});
    EXPECT_EQ(page->Playing(), 0);
    EXPECT_FALSE(page->Player()->isVisible()); // an empty area, not a black box
    std::string captions;
    for (int id : {VideoPage::kRestart, VideoPage::kPause, VideoPage::kPlay, VideoPage::kBack}) {
        captions += page->GetItemText(id) + "|";
        page->SendCommand(id);
    }
    Pump();
    EXPECT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(CurrentVideoPage(), nullptr);
    EXPECT_TRUE(area->isVisible());

    page = Open(area, "BROKEN.AVI");
    ASSERT_NE(page, nullptr);
    // The back end may take a moment to find out; a bounded wait either way.
    EXPECT_TRUE(WaitFor([&] { return ui->Messages().size() == 2; }, 8000) && page->Playing() == 0)
        << "a broken video gave no message";
    p.Frame().ChangeLanguage(1);
    Pump();
    VideoPage* second = Open(area, "missing.avi");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, page);
    EXPECT_EQ(testing::CountPages<VideoPage>(p.Frame().Client()), 1);
    for (int id : {VideoPage::kRestart, VideoPage::kPause, VideoPage::kPlay, VideoPage::kBack})
        captions += second->GetItemText(id) + "|";
    p.Key(Qt::Key_Escape);
    EXPECT_TRUE(area->isVisible());
    p.Frame().ChangeLanguage(0);
    GroupPage* group = Group(p);
    p.Frame().ChangeLanguage(1); // an open page follows
    Pump();
    for (int id : {GroupPage::kBack, GroupPage::kMainMenu})
        captions += group->GetItemText(id) + "|";
    EXPECT_EQ(captions, "Neustart|Pause|Play|Zur\xFC" "ck|Restart|Stop|Play|Back|Back|Main menu|");
}


// The editor's labels and prices by price mode, for a product and for a free entry.
TEST_F(Walk, QuantityEditorShowsThePricesOfThePriceMode) {
    const std::string head = "Mengen-Editor@10,24|Bemerkungen:@9,176|Artikel:@18,64|Nummer:@18,86|";
    const std::string prices = "St\xFC" "ckpreis:@18,114|Gesamtpreis:@18,136|";
    const std::string product = "Zwei-S\xE4ulen-B\xFChne@116,64|QX-1@116,86|";
    for (const auto& [priceMode, free, drawn] :
         {std::tuple{0, false, head + prices + product + "1234,50 EUR@116,114|1234,50 EUR@116,136|"},
          {1, false, head + prices + product + "987,60 EUR@116,114|987,60 EUR@116,136|"},
          {-1, false, head + product}, {-1, true, head},
          {0, true, head + prices + "siehe VZ-Preisliste@116,136|price edit"}}) {
        RunningProgram p(c);
        p.State().priceMode = priceMode;
        std::string texts;
        testing::WhenModal([&](QWidget& w) {
            auto& editor = dynamic_cast<QuantityEditor&>(w);
            RecordingDc dc({w.width(), w.height()});
            PaintOf::Into(editor, dc);
            for (const DrawCall& call : dc.Calls())
                if (call.kind == DrawCall::Kind::Text)
                    texts += call.text + "@" + std::to_string(call.at.x) + "," + std::to_string(call.at.y) + "|";
            texts += editor.IsItemVisible(QuantityEditor::kPrice) ? "price edit" : "";
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        if (free) {
            OrderListPage* list = testing::OpenOrderList(p, *ui, ToWindowsPath(c.Dir()) + "\\LISTE.STK");
            ASSERT_NE(list, nullptr);
            p.Send(list, OrderListPage::kInsert);
        } else {
            p.Send(Products(p), ProductPage::kOrderList);
        }
        EXPECT_EQ(texts, drawn) << priceMode << " " << free;
    }
}


TEST_F(Walk, StartPageToAProductListAndBackByKeysAlone) {
    RunningProgram p(c);
    EXPECT_EQ(QApplication::activeWindow(), &p.Frame());
    // Where a key leads; on a group page also its path, picture (- for none) and entries.
    const auto press = [&p](int key) {
        p.Key(key);
        GroupPage* g = p.Current<GroupPage>();
        return Where(p) + (g ? " [" + g->Breadcrumb() + "] " + (g->Picture().IsNull() ? "-" : g->PictureName()) +
                                   " " + std::to_string(g->GetCount(GroupPage::kList)) +
                                   (g->IsItemVisible(GroupPage::kHint) ? " hint" : "")
                             : "");
    };
    const auto hasKeyboard = [&p](int id) {
        QWidget* item = p.Frame().CurrentPage() ? p.Frame().CurrentPage()->Item(id) : nullptr;
        return item && item->hasFocus();
    };
    // The first entry has the keyboard and a hand over it.
    EXPECT_TRUE(hasKeyboard(1010));
    EXPECT_EQ(p.Frame().CurrentPage()->Item(1010)->cursor().shape(), Qt::PointingHandCursor);
    // Enter and Space press the entry with the keyboard; arrows move in the group tree.
    std::vector<std::string> road;
    for (int key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Return, Qt::Key_Return, Qt::Key_Down, Qt::Key_Up,
                    Qt::Key_Return, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Return, Qt::Key_Return})
        road.push_back(press(key));
    const std::string a = "group 1 a||Heben|G_A.bmp [] G_A.bmp 2", aa = "group 2 aa||B\xFChnen|G_AA.bmp [Heben] G_AA.bmp 4";
    const std::string ab = "group 2 ab||Heber|G_AB.bmp [Heben] G_AB.bmp 4";
    const std::string aaa = "group 3 aaa|SAEULE.KAT|S\xE4ulen|G_AAA.bmp [Heben / B\xFChnen] G_AAA.bmp 1";
    EXPECT_EQ(road, (std::vector<std::string>{"area 1", "area 2", "area 3", a,
                                              "group 1 b||R\xE4" "der|G_B.bmp [] G_B.bmp 2", a, aa, ab,
                                              "group 2 ac|GONE.KAT|Fehlt| [Heben] - 4", ab, aa, aaa, "product"}));
    EXPECT_EQ(p.Current<ProductPage>()->Breadcrumb(), "Heben / B\xFChnen / S\xE4ulen");
    EXPECT_TRUE(hasKeyboard(ProductPage::kList));
    press(Qt::Key_Down);
    EXPECT_EQ(p.Current<ProductPage>()->GetCurSel(ProductPage::kList), 1);

    // Escape alone leads back to the start page, where it asks to quit.
    road.clear();
    for (int i = 0; i < 8 && Where(p) != "area 0"; ++i)
        road.push_back(press(Qt::Key_Escape));
    EXPECT_EQ(road, (std::vector<std::string>{aaa, aa, a, "area 3", "area 2", "area 1", "area 0"}));
    ui->messageAnswers = {IDCANCEL};
    press(Qt::Key_Escape);
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"M\xF6"
                                                       "chten Sie das Programm beenden?"});
    EXPECT_EQ(Where(p), "area 0");
    EXPECT_TRUE(hasKeyboard(1010)) << "the new start page has the keyboard";
}


// A product name far wider than its list row, and a designation of the 31
// characters it holds running into the number beside it.
TEST_F(Walk, LayoutCheckReportsCatalogueTextsTooLongForTheirPlaces) {
    const std::string name = "Zwei-Saeulen-Hebebuehne mit elektrohydraulischem Antrieb und Doppelteleskoparmen";
    const std::string designation = "VAS 1 Hebebuehnen-Satz komplett";
    c.Write("DATEN\\LANG1\\SAEULE.KAT", "Saeulen\nHEBE|aaa\nBetriebseinrichtungen\n1\nQX\nP1\nP1.bmp\nQX-1\n" +
                                          designation + "\n0\n" + name +
                                          "\nBILDER\\BLATT\\HEBE.bmp\n\n100,00\n\n0\nqtx_vz\n\nText}\n----\n");
    RunningProgram p(c, 640, 0);
    ASSERT_NE(Products(p), nullptr);
    LayoutRecorder recorder;
    p.Frame().grab();
    EXPECT_EQ(recorder.Problems(p.Frame()),
              (std::vector<std::string>{"\"" + designation + "\" overlaps \"QX-1\"", "\"" + name + "\" is cut"}));
}

} // namespace
} // namespace qx
