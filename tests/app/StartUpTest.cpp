// The program from its start: the screen modes, the area pages, the main
// window's menu, help and roads out, and the dialogs it opens on its own.
#include "GuiFixture.h"
#include "RunningProgram.h"
#include "app/ui/BackgroundWindow.h"
#include "app/ui/LanguageDialog.h"
#include "navigation/ui/AreaPage.h"
#include "platform/core/DibPixels.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/PictureView.h"
#include "resources/Menus.h"
#include "shell/ui/InputDialog.h"
#include "tests/common/DrawDump.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

using testing::PressKey;
using testing::Pump;

struct Started : testing::RunningProgram {
    using RunningProgram::RunningProgram;
    AreaPage* Area() { return Current<AreaPage>(); }
};

// The area files of three languages in a fresh program directory.
struct Areas : ::testing::Test {
    Areas() { WriteAreas(c); }
    ScopedScriptedUi ui;
    testing::TempCatalog c;
};
using StartUp = Areas;
using AreaPages = Areas;
using MainWindow = Areas;

TEST_F(StartUp, EachScreenModeWithoutConfiguration) {
    // The client area, and whether a background window covers the rest.
    for (const auto& [desktop, shown] : {std::pair{640, "632x434"}, {800, "793x555"}, {1024, "1018x724"},
                                         {1280, "1018x724 background"}}) {
        if (desktop > 1024) // the language asked over the background window
            testing::WhenModal([](QWidget& d) { PressKey(&d, Qt::Key_2); });
        Started s(c, desktop, desktop > 1024 ? -1 : 1);
        const QWidget* client = s.Frame().Client();
        EXPECT_EQ(std::to_string(client->width()) + "x" + std::to_string(client->height()) +
                      (s.app->Background() ? " background" : ""), shown);
        ASSERT_NE(s.Frame().CurrentPage(), nullptr);
        EXPECT_EQ(s.Frame().CurrentPage()->geometry(), client->rect()) << "the page fills the client area";
        // Pushed off the screen while the window manager still places it, the window comes back.
        s.Frame().windowHandle()->setPosition(-300, -200);
        Pump();
        EXPECT_GE(std::min(s.Frame().windowHandle()->frameGeometry().top(), s.Frame().windowHandle()->frameGeometry().left()), 0);
    }
    Started s(c, 640, 1);
    const GlobalState& st = s.State();
    EXPECT_EQ(s.Frame().windowTitle(), QStringLiteral("QUARVENTA AG"));
    // No price list: no prices, the items grayed.
    EXPECT_EQ(st.dataDir.str() + " " + st.currency.str() + " " + std::to_string(st.priceMode) + "|" +
                  st.priceUpdatePath.str() + "|" + std::to_string(s.Frame().IsCommandEnabled(kCmdPriceUpe)) +
                  st.programDir.str().back(), "DATEN\\LANG2\\ DM -1||0\\");
}

TEST(DefaultCatalogue, BesideTheProgramElseTheFirstDemoThatHoldsOne) {
    test::TempDir t;
    const auto bin = t / "usr/bin";
    const auto installed = t / "usr/share/qxkat/demo";
    const auto built = t / "build/demo";
    for (const auto& dir : {bin, installed, built / "DATEN"}) // the installed one an empty leftover, no catalogue
        std::filesystem::create_directories(dir);
    EXPECT_EQ(DefaultProgramDir(bin, {installed, built}), built);
    std::filesystem::create_directories(installed / "Daten");
    EXPECT_EQ(DefaultProgramDir(bin, {installed, built}), installed);
    std::filesystem::create_directories(bin / "daten");
    EXPECT_EQ(DefaultProgramDir(bin, {installed, built}), bin);
    // Nowhere a catalogue: the last place is named in the message.
    EXPECT_EQ(DefaultProgramDir(t / "x", {t / "a", t / "b"}), t / "b");
}

// Down the area levels: the kind of each page, its entries and previews.
TEST_F(AreaPages, WalkDownThePageKindsLanguageKeepsTheLevel) {
    Started s(c);
    AreaPage* page = s.Area();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->PageKind(), AreaPageKind::Start);
    EXPECT_EQ(page->EntryCount(), 2);
    EXPECT_FALSE(page->PagePicture().IsNull());
    EXPECT_TRUE(page->IsItemVisible(1011));
    EXPECT_FALSE(page->IsItemVisible(1012));
    page->SendCommand(1010); // "katalog.ber" in lower case: upper-cased on reading
    EXPECT_EQ(page->PageKind(), AreaPageKind::Catalogue);
    EXPECT_EQ(page->TooltipOf(1010).size(), 79u);
    // The preview is loaded once per entry, and only on the catalogue page.
    page->HoverOver(1010);
    page->HoverOver(1010);
    EXPECT_FALSE(page->PreviewPicture().IsNull());
    page->HoverOver(1011);
    page->HoverOver(1012); // the last entry too
    page->HoverOver(1013); // no entry there: nothing
    EXPECT_EQ(page->PreviewLoads(), 3);
    page->SendCommand(1010); // BE.BER: a sub-area
    EXPECT_EQ(page->Level(), 2);
    EXPECT_EQ(page->PageKind(), AreaPageKind::SubArea);
    EXPECT_FALSE(page->PagePicture().IsNull());
    page->HoverOver(1010);
    EXPECT_EQ(page->PreviewLoads(), 3);
    EXPECT_EQ(page->Entry(0).caption, "Heben de");
    s.Menu(kCmdFrench);
    EXPECT_EQ(s.State().dataDir, "DATEN\\LANG3\\");
    EXPECT_EQ(page->Level(), 2);
    EXPECT_EQ(page->Entry(0).caption, "Heben fr");
    EXPECT_EQ(s.Context().profile.GetString("Global", "language", ""), "2");
}

// Only the start page scales heights by the y factor; a screen size change
// shows the start page laid out for the new size.
TEST_F(AreaPages, EntryRectanglesByScreenModeAndLevel) {
    // Start page 330|300|470|322; at 1024 scaleX 1.6115 and scaleY 1.67 tell the axes apart.
    for (const auto& [width, level, id, rect] :
         {std::tuple{1024, 0, 1010, QRect(531, 501, 226, 36)}, {1024, 1, 1010, QRect(531, 483, 226, 35)},
          {1024, 2, 1010, QRect(32, 128, 290, 65)}, {1024, 2, 1011, QRect(32, 209, 290, 64)},
          {800, 0, 1010, QRect(414, 383, 175, 28)}}) {
        Started s(c, width);
        for (int i = 0; i < level; ++i)
            s.Area()->SendCommand(1010);
        ASSERT_EQ(s.Area()->Level(), level);
        EXPECT_EQ(s.Area()->Item(id)->geometry(), rect) << width << " " << level << " " << id;
    }
    Started s(c, 1024);
    s.Area()->SendCommand(1010);
    s.Menu(kCmdScreen800);
    ASSERT_NE(s.Area(), nullptr);
    EXPECT_EQ(s.Area()->Level(), 0);
    EXPECT_EQ(s.State().screenWidth, 800);
    EXPECT_EQ(s.Frame().Client()->width(), 793);
    EXPECT_EQ(s.Area()->Item(1010)->geometry().topLeft(), QPoint(414, 383));
}

TEST_F(AreaPages, SixtyFourEntriesAndOneTooMany) {
    std::string lines;
    for (int i = 0; i < 64; ++i)
        lines += "E" + std::to_string(i) + "|p|" + (i < 63 ? "X" + std::to_string(i) : "ZUR\xDC" "CK") + "|1|1|5|5|t\n";
    for (const bool tooMany : {false, true}) {
        c.Write("DATEN\\LANG1\\QXSTART.BER", lines + (tooMany ? "E64|p|X|1|1|5|5|t\n" : ""));
        Started s(c);
        EXPECT_EQ(s.Area()->EntryCount(), 64);
        EXPECT_TRUE(s.Area()->IsItemVisible(1073));
        EXPECT_EQ(ui->Messages(), tooMany ? std::vector<std::string>{"Maximal 64 Eintr\xE4ge zul\xE4ssig."}
                                          : std::vector<std::string>{});
        s.Area()->SendCommand(1073); // the last entry's button answers too: it asks to quit
        EXPECT_EQ(ui->Messages().size(), tooMany ? 2u : 1u);
        ui->shown.clear();
    }
}

TEST_F(MainWindow, HelpOfTheLanguageOrAMessage) {
    Started s(c, 640, 1);
    s.Frame().OnMenuCommand(kCmdHelp);
    // Named as the file system names it.
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"The help file was not found:\n" + c.Dir().string() + "/onlineuk.hlp"});
    c.Write("onlineuk.htm", "<html><body><h1>Help</h1><p>Using the catalogue</p></body></html>\n");
    s.Frame().OnMenuCommand(kCmdHelp);
    EXPECT_EQ(ui->Messages().size(), 1u);
    QTextBrowser* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        help = w->isVisible() && qobject_cast<QTextBrowser*>(w) ? qobject_cast<QTextBrowser*>(w) : help;
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("Using the catalogue")));
    // A page that appears meanwhile leaves the keyboard with the help window.
    help->activateWindow();
    Pump();
    ASSERT_EQ(QApplication::activeWindow(), help);
    s.ShowPage(kPageArea);
    EXPECT_EQ(QApplication::activeWindow(), help);
    help->close();
}

TEST_F(MainWindow, MenuItemsFollowThePageAndLanguageChangesFreeOldMenus) {
    Started s(c);
    for (int command : {kCmdOrderList, kCmdKeyword, kCmdToolNumber, kCmdQtxNumber, kCmdHlnNumber,
                        kCmdServiceStandard, kCmdInfo, kCmdCzech})
        EXPECT_TRUE(s.Frame().IsCommandEnabled(command)) << command;
    EXPECT_TRUE(s.Frame().IsScreenSizeMenuEnabled());
    AreaPage* page = s.Area();
    ASSERT_NE(page, nullptr);
    page->ShowPage(false); // an overlay page laid over it
    EXPECT_EQ(s.Frame().CurrentPage(), nullptr);
    EXPECT_FALSE(s.Frame().IsCommandEnabled(kCmdCzech));
    EXPECT_FALSE(s.Frame().IsScreenSizeMenuEnabled());
    page->ShowPage(true);
    EXPECT_TRUE(s.Frame().IsCommandEnabled(kCmdGerman));

    // Each language's menu replaces the last, and Qt's own texts follow.
    const auto menus = [&s] { return s.Frame().menuBar()->findChildren<QMenu*>().size(); };
    const auto before = menus();
    for (const auto& [command, cancel] : {std::pair{kCmdFrench, "Annuler"}, std::pair{kCmdEnglish, "Cancel"},
                                          std::pair{kCmdGerman, "Abbrechen"}}) {
        s.Frame().Action(command)->trigger();
        Pump();
        QMessageBox box;
        EXPECT_EQ(box.addButton(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QString::fromUtf8(cancel));
    }
    EXPECT_EQ(menus(), before);
    EXPECT_TRUE(s.Frame().IsCommandEnabled(kCmdCzech));
}

TEST_F(MainWindow, EveryRoadOutEndsTheProgramWithBackgroundAndHelpOpen) {
    c.Write("online.htm", "<html><body><p>Hilfe</p></body></html>\n");
    const std::pair<const char*, std::function<void(MainFrame&)>> roads[] = {
        {"menu", [](MainFrame& f) { f.Action(kCmdQuit)->trigger(); }},
        {"start page entry", [](MainFrame& f) { QTest::mouseClick(f.CurrentPage()->Item(1011), Qt::LeftButton); }},
        {"Escape on the start page", [](MainFrame& f) { PressKey(&f, Qt::Key_Escape); }},
        {"close box", [](MainFrame& f) { f.windowHandle()->close(); }},
        // Alt+F4 once the window has the keyboard back from the help window.
        {"Alt+F4", [](MainFrame& f) { f.activateWindow(); PressKey(&f, Qt::Key_F4, Qt::AltModifier); }},
    };
    for (const auto& [name, take] : roads) {
        Started s(c, 1920);
        ASSERT_TRUE(s.app->Background() && s.app->Background()->isVisible());
        s.Menu(kCmdHelp);
        ui->messageAnswers = {IDOK};
        MainFrame& frame = s.Frame();
        QTimer::singleShot(0, &frame, [&take, &frame] { take(frame); });
        EXPECT_TRUE(testing::RunUntilQuit(2000)) << name;
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->isVisible()) << name << ": " << w->metaObject()->className();
    }
}

// Moved off the desktop while it is placed, the window comes back, also when exactly as wide; to its edge, it stays.
TEST_F(MainWindow, ComesBackOnTheDesktopWhileItIsPlacedAndGoesToTheCornerAtANewSize) {
    Started s(c, 640);
    const QRect desktop(QPoint(10, 10), s.Frame().frameGeometry().size() + QSize(0, 10));
    s.State().desktopRect = {10, 10, desktop.right() + 1, desktop.bottom() + 1};
    s.Frame().PlaceOnScreen();
    Pump();
    const QRect placed = s.Frame().frameGeometry();
    for (const QRect to : {placed.translated(-1, 0), placed.translated(1, 0), placed.translated(0, -6),
                           placed.translated(0, 6), placed.translated(0, 5)}) {
        s.Frame().move(to.topLeft());
        Pump();
        EXPECT_EQ(s.Frame().frameGeometry(), desktop.contains(to) ? to : placed) << to.x() << "," << to.y();
    }
    s.Menu(kCmdScreen800); // a new screen size goes to the screen's corner, as asked
    EXPECT_EQ(s.Frame().frameGeometry().topLeft(), QPoint(0, 0));
}

TEST_F(MainWindow, AMissingStartFileIsToldOnceAndTheWindowStaysUsable) {
    std::filesystem::remove(c.Dir() / "DATEN" / "LANG1" / "QXSTART.BER");
    Started s(c);
    // Named as the file system knows it.
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_NE(ui->Messages()[0].find((c.Dir() / "DATEN" / "LANG1" / "QXSTART.BER").string()), std::string::npos);
    s.Frame().OnMenuCommand(kCmdFrench);
    s.Menu(kCmdGerman);
    EXPECT_EQ(ui->Messages().size(), 1u);
    // Escape still asks whether to quit.
    ui->messageAnswers = {IDCANCEL};
    PressKey(&s.Frame(), Qt::Key_Escape);
    EXPECT_EQ(ui->Messages().size(), 2u);
    EXPECT_TRUE(s.Frame().isVisible());
}

// The language chosen by a click on the picture's hot areas, by number keys,
// by arrows and Enter; Escape chooses nothing and closes nothing.
TEST(LanguageDialog, HotAreasKeysAndArrows) {
    testing::TempCatalog c;
    GlobalState s;
    s.programDir = ToWindowsPath(c.Dir(), true);
    const auto choose = [&s](std::function<void(LanguageDialog&)> act, int language) {
        LanguageDialog d(nullptr, s);
        QTimer::singleShot(0, &d, [&d, act] {
            EXPECT_TRUE(QTest::qWaitFor([&d] { return QApplication::activeWindow() == &d; }, 1000));
            PressKey(&d, Qt::Key_Escape);
            EXPECT_TRUE(d.isVisible());
            act(d);
        });
        EXPECT_EQ(d.DoModal(), IDOK);
        EXPECT_EQ(d.ChosenLanguage(), language);
        return d.HasPicture();
    };
    // No picture: the choices are named; keys 1 to 4, or arrows marking the choices in turn.
    for (int n = 0; n < 4; ++n)
        EXPECT_FALSE(choose([n](LanguageDialog& d) { PressKey(&d, Qt::Key_1 + n); }, n));
    choose(
        [](LanguageDialog& d) {
            using K = std::pair<int, int>;
            using L = LanguageDialog;
            for (auto [key, marked] : {K{Qt::Key_Down, L::kGermanId}, K{Qt::Key_Right, L::kEnglishId},
                                       K{Qt::Key_Down, L::kFrenchId}, K{Qt::Key_Left, L::kCzechId},
                                       K{Qt::Key_Up, L::kGermanId}}) {
                PressKey(&d, key);
                EXPECT_EQ(d.MarkedId(), marked) << key;
            }
            // The keyboard's mark lies inside the marked area, over its outline.
            RecordingDc dc({800, 600});
            testing::PaintOf::Into(d, dc);
            EXPECT_EQ(test::Dump(dc.Calls().back()), "line 76,346 299,346 299,426 76,426 76,346 solid/3 #0066cc\n");
            PressKey(&d, Qt::Key_Return);
        },
        0);

    // The hot areas sit where the picture shows the choices; Enter alone takes the first.
    c.WriteBmp("BILDER\\OHNE\\800\\qxintro.bmp", 800, 600);
    EXPECT_TRUE(choose([](LanguageDialog& d) { PressKey(&d, Qt::Key_Return); }, 0));
    for (int language = 0; language < 4; ++language) {
        const int id = LanguageDialog::kGermanId + language;
        EXPECT_TRUE(choose(
            [id](LanguageDialog& d) {
                EXPECT_EQ(d.size(), QSize(800, 600));
                EXPECT_EQ(d.Item(id)->cursor().shape(), Qt::PointingHandCursor);
                if (id == LanguageDialog::kCzechId) {
                    EXPECT_EQ(d.Item(id)->geometry(), QRect(76, 470, 226, 80));
                }
                QTest::mouseClick(d.Item(id), Qt::LeftButton);
            },
            language));
    }
}

TEST(InputDialog, InitialTextLimitAndCancel) {
    InputDialog d(nullptr, 0, "Suchbegriff:", "bohr");
    QTimer::singleShot(0, &d, [&d] {
        auto* edit = static_cast<QLineEdit*>(d.Item(InputDialog::kEditId));
        EXPECT_EQ(edit->text().toStdString() + " " + std::to_string(edit->maxLength()), "bohr 511");
        PressKey(&d, Qt::Key_Return);
    });
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(d.Result(), "bohr");

    InputDialog e(nullptr, 1, "Search for:");
    QTimer::singleShot(0, &e, [&e] {
        QTest::keyClicks(e.Item(InputDialog::kEditId), QStringLiteral("satz"));
        EXPECT_EQ(e.GetItemText(IDCANCEL), "Cancel");
        PressKey(&e, Qt::Key_Escape);
    });
    EXPECT_EQ(e.DoModal(), IDCANCEL);
    EXPECT_TRUE(e.Result().empty());
}

TEST(PictureView, CentresSmallPicturesAndScrollsLargeOnes) {
    QWidget parent;
    parent.resize(600, 500);
    PictureView view(&parent, Rect{18, 66, 520, 412});
    EXPECT_TRUE(view.isHidden());
    parent.show();
    view.show();
    Pump();
    const auto small = EncodeDib24(Pixels{100, 60, std::vector<std::uint32_t>(6000, 0xFF0000FFu)});
    view.SetPicture(DibBytes{small.data(), small.size(), 0}, Size{100, 60});
    const QSize vp = view.viewport()->size();
    EXPECT_EQ(view.Offset(), (Point{(vp.width() - 100) / 2, (vp.height() - 60) / 2}));
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);

    const auto large = EncodeDib24(Pixels{1000, 900, std::vector<std::uint32_t>(900000, 0xFF00FF00u)});
    view.SetPicture(DibBytes{large.data(), large.size(), 0}, Size{1000, 900});
    EXPECT_EQ(view.Offset(), (Point{0, 0}));
    // A null picture is ignored.
    view.SetPicture(DibBytes{}, Size{5, 5});
    EXPECT_EQ(view.PictureSize(), (Size{1000, 900}));
    EXPECT_EQ(view.viewport()->grab().toImage().pixelColor(5, 5), QColor(0, 255, 0));
}

} // namespace
} // namespace qx
