// What a dealer types is never lost, on a new account as later: notes saved
// where no folder exists yet, quitting with a changed order list by every
// road, a failed save kept under another name, and the order list page's
// own rules on what it stores.
#include "CatalogPages.h"
#include "orders/Notes.h"
#include "orders/OrderList.h"
#include "orders/ui/NotesDialog.h"
#include "orders/ui/OrderListPage.h"
#include "orders/ui/QuantityEditor.h"
#include "navigation/ui/AreaPage.h"
#include "pages/ProductPage.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "resources/Menus.h"
#include "tests/common/TempDir.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

using namespace std::string_literals;
using testing::Pump;
using testing::RecordedPrint;
using testing::RunningProgram;
using testing::TempCatalog;
using testing::WhenModal;

struct NothingLost : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        // A folder name as the file system stores it (UTF-8).
        std::filesystem::create_directories(c.Dir() / "B\xC3\x84ro");
        list = ToWindowsPath(c.Dir()) + "\\B\xC3\x84ro\\MAI.STK";
        WriteList();
    }
    void WriteList() {
        OrderList l;
        for (const char* number : {"N-1", "N-2"})
            l.items.emplace_back().number = number;
        ASSERT_TRUE(SaveOrderList(list, l));
    }
    void TearDown() override {
        ClearWriteFailureForTesting();
        SetDriveRootForTesting({});
    }
    OrderListPage* OpenList(RunningProgram& p) { return testing::OpenOrderList(p, *ui, list); }
    // The first entry deleted: the page holds a change the file has not.
    OrderListPage* OpenAndChange(RunningProgram& p) {
        OrderListPage* page = OpenList(p);
        if (!page)
            return nullptr;
        page->SetCurSel(OrderListPage::kList, 0);
        QTest::mouseClick(page->Item(OrderListPage::kDelete), Qt::LeftButton);
        return page;
    }
    std::vector<std::string> OnDisk(const std::string& file) {
        OrderList l;
        EXPECT_EQ(LoadOrderList(file, l), OrderListRead::Loaded);
        std::vector<std::string> numbers;
        for (const OrderItem& e : l.items)
            numbers.push_back(e.number.str());
        return numbers;
    }
    ScopedScriptedUi ui;
    TempCatalog c;
    std::string list;
};

TEST_F(NothingLost, NotesOnANewAccount) {
    // Neither Note nor stk: notes go to the drive's stand-in, which nobody has made yet.
    test::TempDir home;
    SetDriveRootForTesting(home / "qxkat");
    RunningProgram p(c);
    const std::string typed = "Klemme [links]\r\npr\xFC" "fen";
    auto withNotes = [&](const char* name, const std::function<void(NotesDialog&)>& f) {
        NotesDialog notes(&p.Frame(), p.Context(), "QX/7", name);
        WhenModal([&](QWidget&) {
            f(notes);
            notes.EndDialog(IDCANCEL);
        });
        notes.DoModal();
    };
    withNotes("Zange [gross]", [&](NotesDialog& notes) {
        notes.SetItemText(NotesDialog::kText, typed);
        // Printing prints what is typed and neither changes nor warns.
        RecordedPrint print;
        notes.SendCommand(NotesDialog::kPrint);
        EXPECT_NE(print.FindText(typed), nullptr);
        EXPECT_EQ(notes.GetItemText(NotesDialog::kText), typed);
        EXPECT_TRUE(ui->Messages().empty());
        notes.SendCommand(NotesDialog::kSave);
    });
    EXPECT_TRUE(std::filesystem::is_regular_file(home / "qxkat" / "QX_7.NTZ"));
    ASSERT_EQ(ui->Messages().size(), 1u); // the "[" of the text, told once
    // The "[" of the designation cannot cut the note off when it is read again.
    withNotes("Zange [gross]", [&](NotesDialog& notes) {
        EXPECT_EQ(notes.GetItemText(NotesDialog::kText), "Klemme (links]\r\npr\xFC" "fen");
        // A save that still fails says where.
        SetWriteFailureForTesting([](const std::filesystem::path&) { return true; });
        notes.SendCommand(NotesDialog::kSave);
        ClearWriteFailureForTesting();
        EXPECT_TRUE(notes.isVisible());
    });
    ASSERT_EQ(ui->Messages().size(), 3u);
    EXPECT_EQ(ui->Messages()[1], "Fehler beim Abspeichern!");
    EXPECT_EQ(ui->Messages()[2], (home / "qxkat" / "QX_7.NTZ").string());
}

// Every road out of the program asks first while the order list is changed.
TEST_F(NothingLost, QuittingWithAChangedOrderListAsksOnEveryRoad) {
    struct Road {
        const char* name;
        std::function<void(RunningProgram&)> quit;
        std::deque<int> before; // answers to what is asked before the list's question
    };
    const Road roads[] = {
        {"menu", [](RunningProgram& p) { p.Frame().OnMenuCommand(kCmdQuit); }, {IDOK}},
        {"Alt+F4", [](RunningProgram& p) { testing::PressKey(&p.Frame(), Qt::Key_F4, Qt::AltModifier); }, {}},
        {"window close", [](RunningProgram& p) { p.Frame().close(); }, {}},
    };
    struct Answer {
        int answer;
        bool failingSave;
        bool quits;
        std::vector<std::string> onDisk;
    };
    const Answer answers[] = {
        {IDYES, false, true, {"N-2"}},
        {IDNO, false, true, {"N-1", "N-2"}},
        {IDCANCEL, false, false, {"N-1", "N-2"}},
        {IDYES, true, false, {"N-1", "N-2"}}, // a failed save is no reason to go
    };
    for (const Road& road : roads) {
        for (const Answer& a : answers) {
            SCOPED_TRACE(std::string(road.name) + " " + std::to_string(a.answer) +
                         (a.failingSave ? " failing" : ""));
            WriteList();
            RunningProgram p(c);
            OrderListPage* page = OpenAndChange(p);
            ASSERT_NE(page, nullptr);
            ASSERT_TRUE(page->IsChanged());
            ui->shown.clear();
            ui->messageAnswers = road.before;
            ui->messageAnswers.push_back(a.answer);
            if (a.failingSave)
                SetWriteFailureForTesting([](const std::filesystem::path&) { return true; });
            road.quit(p);
            Pump();
            ClearWriteFailureForTesting();
            const auto messages = ui->Messages();
            ASSERT_GT(messages.size(), road.before.size());
            EXPECT_EQ(messages[road.before.size()], "Sollen die \xC4nderungen gespeichert werden?");
            EXPECT_EQ(p.Frame().isVisible(), !a.quits);
            EXPECT_EQ(OnDisk(list), a.onDisk);
            if (!a.quits) {
                EXPECT_FALSE(page->IsDestroyed());
                EXPECT_TRUE(page->IsChanged());
            }
        }
    }
}

// A product search replaces every page: the changed list asks first, and
// Cancel keeps the page with its changes.
TEST_F(NothingLost, AProductSearchAsksBeforeItReplacesAChangedOrderList) {
    c.Write("DATEN\\LANG1\\Katalog.SWS", "Bohrmaschine|P3|SAEULE.KAT\n");
    for (const int answer : {IDCANCEL, IDYES}) {
        SCOPED_TRACE(answer);
        WriteList();
        RunningProgram p(c);
        OrderListPage* page = OpenAndChange(p);
        ASSERT_NE(page, nullptr);
        ui->shown.clear();
        ui->messageAnswers = {answer};
        WhenModal([](QWidget& modal) { testing::PressKey(&modal, Qt::Key_Return); });
        p.Frame().OnMenuCommand(kCmdKeyword);
        Pump();
        ASSERT_EQ(ui->Messages().size(), 1u);
        EXPECT_EQ(ui->Messages()[0], "Sollen die \xC4nderungen gespeichert werden?");
        if (answer == IDCANCEL) {
            EXPECT_EQ(p.Current<OrderListPage>(), page);
            EXPECT_TRUE(page->IsChanged());
            EXPECT_EQ(OnDisk(list), (std::vector<std::string>{"N-1", "N-2"}));
        } else {
            EXPECT_NE(p.Current<ProductPage>(), nullptr);
            EXPECT_EQ(OnDisk(list), std::vector<std::string>{"N-2"});
        }
    }
}

TEST_F(NothingLost, AFailedSaveIsKeptUnderAnotherName) {
    c.Write("qxkat.ini", "[Paths]\nstk=" + ToWindowsPath(c.Dir()) + "\\weg\n");
    RunningProgram p(c);
    OrderListPage* page = OpenAndChange(p);
    ASSERT_NE(page, nullptr);
    // The kept folder is gone (a stick pulled out): the dialog opens in the home folder.
    ASSERT_EQ(ui->shown.at(0).kind, "open");
    EXPECT_EQ(ui->shown[0].spec.initialDirectory, ToWindowsPath(HomeFolder()));

    const std::string other = ToWindowsPath(c.Dir()) + "\\NEU.STK";
    const std::filesystem::path original = ResolvePath(list);
    SetWriteFailureForTesting([original](const std::filesystem::path& f) { return f == original; });
    ui->shown.clear();
    ui->messageAnswers = {IDOK, IDOK, IDYES};
    ui->fileAnswers = {other};
    QTest::mouseClick(page->Item(OrderListPage::kSave), Qt::LeftButton);
    const auto messages = ui->Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], "Die Datei konnte nicht erzeugt werden!");
    // The path as the file system names it, "/" and "Ä" as they are.
    EXPECT_EQ(messages[1], c.Dir().string() + "/B\xC4ro/MAI.STK");
    EXPECT_EQ(messages[2], "Soll die Liste unter einem anderen Namen gespeichert werden?");
    EXPECT_EQ(ui->shown.back().kind, "save");
    EXPECT_TRUE(ui->shown.back().spec.overwritePrompt);
    EXPECT_EQ(OnDisk(other), std::vector<std::string>{"N-2"});
    EXPECT_EQ(OnDisk(list), (std::vector<std::string>{"N-1", "N-2"}));
    EXPECT_EQ(page->FilePath(), other);
    EXPECT_EQ(p.State().orderListPath, other);
    EXPECT_FALSE(page->IsChanged());
}

TEST_F(NothingLost, TheOrderListPageStoresWhatItReadAndDeletesOnlyWhatIsChosen) {
    // Longer than the edits take by typing, as another program may write them.
    OrderList l;
    l.indication = std::string(31, 'K');
    for (const char* number : {"N-1", "N-2", "N-3"}) {
        OrderItem& e = l.items.emplace_back();
        e.number = number;
        e.quantity = "1";
        e.name = "Werkbank";
        e.remarks = std::string(126, 'r');
    }
    ASSERT_TRUE(SaveOrderList(list, l));
    RunningProgram p(c);
    OrderListPage* page = OpenList(p);
    ASSERT_NE(page, nullptr);
    // Nothing kept in qxkat.ini yet: the dialog opened in the home folder.
    EXPECT_EQ(ui->shown.at(0).spec.initialDirectory, ToWindowsPath(HomeFolder()));

    // The editor's OK changes nothing it was not told to.
    page->SetCurSel(OrderListPage::kList, 0);
    WhenModal([](QWidget& editor) { QTest::keyClick(&editor, Qt::Key_Return); });
    QTest::mouseClick(page->Item(OrderListPage::kModify), Qt::LeftButton);
    EXPECT_EQ(page->List().items[0].remarks, std::string(126, 'r'));

    // A delete leaves nothing chosen: the second press deletes nothing.
    QTest::mouseClick(page->Item(OrderListPage::kDelete), Qt::LeftButton);
    ui->shown.clear();
    QTest::mouseClick(page->Item(OrderListPage::kDelete), Qt::LeftButton);
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"Bitte selektieren Sie zuerst einen Eintrag!"});
    ASSERT_EQ(page->List().items.size(), 2u);

    QTest::mouseClick(page->Item(OrderListPage::kSave), Qt::LeftButton);
    OrderList saved;
    ASSERT_EQ(LoadOrderList(list, saved), OrderListRead::Loaded);
    EXPECT_EQ(saved.indication, std::string(31, 'K'));
    ASSERT_EQ(saved.items.size(), 2u);
    EXPECT_EQ(saved.items[0].number, "N-2");
    EXPECT_EQ(saved.items[0].remarks, std::string(126, 'r'));

    // A list without an entry of the three suppliers prints no sheet.
    RecordedPrint print;
    QTest::mouseClick(page->Item(OrderListPage::kPrint), Qt::LeftButton);
    Pump();
    EXPECT_EQ(print.Pages(), 0);
    page->Close();
    Pump();

    // A path longer than the program keeps is refused, not cut to another file.
    const std::string deep = ToWindowsPath(c.Dir()) + "\\" + std::string(140, 'd') + "\\MAI.STK";
    ui->shown.clear();
    ui->fileAnswers = {deep};
    p.Frame().OnMenuCommand(kCmdOrderList);
    Pump();
    EXPECT_EQ(p.Current<OrderListPage>(), nullptr);
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0].substr(0, 38), "Die Datei konnte nicht erzeugt werden!");
    EXPECT_NE(p.State().orderListPath, deep.substr(0, 127));
}

// A new list's letters print the template's addresses as written; the
// address file fills only what the template leaves empty.
TEST_F(NothingLost, LettersFromTheTemplateKeepItsAddresses) {
    c.Write("stkt_gr.bst", "|\n|\n|\n|\nAutohaus Muster|\n|\nBitte liefern Sie:|\nGruss|\n");
    const std::string adr = ToWindowsPath(c.Dir()) + "\\qxkat.adr";
    c.Write("qxkat.adr", "Werkzeug Nord\0\nHalle S\xFC" "d\0\nAus der Datei\0\n[EndOfFile]"s);
    c.Write("qxkat.ini", "[Paths]\nadr=" + adr + "\n");
    OrderList l;
    OrderItem& e = l.items.emplace_back();
    e.number = "N-1";
    e.supplier = "QTX_VZ";
    ASSERT_TRUE(SaveOrderList(list, l));
    RunningProgram p(c);
    OrderListPage* page = OpenList(p);
    ASSERT_NE(page, nullptr);
    RecordedPrint print;
    QTest::mouseClick(page->Item(OrderListPage::kPrint), Qt::LeftButton);
    Pump();
    EXPECT_NE(print.FindText("Autohaus Muster"), nullptr);
    EXPECT_EQ(print.FindText("Aus der Datei"), nullptr);
    EXPECT_NE(print.FindText("Halle S\xFC" "d"), nullptr); // the empty recipient
}

// A document the desktop has no program for is named, not passed over in silence.
TEST_F(NothingLost, ADocumentThatDoesNotOpenIsNamed) {
    c.Write("DATEN\\LANG1\\QXSTART.BER", "Katalog|x|KATALOG.PDF|330|300|470|322|Katalog\n");
    RunningProgram p(c);
    auto* area = p.Current<AreaPage>();
    ASSERT_NE(area, nullptr);
    ui->shellResult = false;
    QTest::mouseClick(area->Item(AreaPage::kFirstButton), Qt::LeftButton);
    const auto messages = ui->Messages();
    ASSERT_EQ(messages.size(), 1u);
    const std::string told = "Die Datei konnte nicht ge\xF6"
                             "ffnet werden:\n";
    EXPECT_TRUE(messages[0].starts_with(told + c.Dir().string() + "/PDF/")) << messages[0];
    EXPECT_TRUE(messages[0].ends_with("/KATALOG.PDF")) << messages[0];
    // A missing help file is named as the file system names it too.
    p.Frame().OnMenuCommand(kCmdHelp);
    EXPECT_EQ(ui->Messages().back(),
              "Die Hilfedatei wurde nicht gefunden:\n" + c.Dir().string() + "/online.hlp");
}

} // namespace
} // namespace qx
