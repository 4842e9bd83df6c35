// What a dealer types is never lost: notes saved where no folder exists yet,
// quitting or searching away from a changed order list, every save road
// with files another workstation changed and writes that fail at each step,
// and what the order list page stores and prints.
#include "CatalogPages.h"
#include "navigation/ui/AreaPage.h"
#include "orders/Notes.h"
#include "orders/OrderList.h"
#include "orders/ui/NotesDialog.h"
#include "orders/ui/OrderInfoPage.h"
#include "orders/ui/OrderListPage.h"
#include "pages/ProductPage.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "resources/Menus.h"
#include "suppliers/AddressFile.h"
#include "suppliers/ui/SupplierSearchPage.h"
#include "tests/common/DrawDump.h"
#include "tests/common/TempDir.h"
#include "tests/common/WriteFaults.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

using namespace std::string_literals;
using test::ReadAll;
using testing::Pump;
using testing::RecordedPrint;
using testing::RunningProgram;
using testing::WhenModal;

const std::string kSaveQuestion = "Sollen die \xC4nderungen gespeichert werden?";
const std::string kNotCreated = "Die Datei konnte nicht erzeugt werden!";
const std::string kSaveFailed = "Fehler beim Abspeichern!";

void FailEveryWrite() { SetWriteFailureForTesting([](const std::filesystem::path&) { return true; }); }

// Runs f on the notes dialog of article QX/7 while it is open, then closes it.
void WithNotes(RunningProgram& p, const char* name, const std::function<void(NotesDialog&)>& f) {
    NotesDialog notes(&p.Frame(), p.Context(), "QX/7", name);
    WhenModal([&](QWidget&) { f(notes); notes.EndDialog(IDCANCEL); });
    notes.DoModal();
}

// A page's save as the user reaches it: its button, the field typed into,
// the file and what that file holds with a text in the field.
struct SaveRoad {
    DialogWindow* page;
    int save, text;
    std::filesystem::path file;
    std::function<std::string(const std::string&)> fileWith;
    std::string question, told;
    void Type(const std::string& t) const {
        if (text != OrderListPage::kIndication)
            return page->SetItemText(text, t);
        auto* indication = static_cast<QLineEdit*>(page->Item(text));
        indication->selectAll();
        QTest::keyClicks(indication, QString::fromStdString(t)); // typed: the list is changed
    }
};

struct NothingLost : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        // A folder name as the file system stores it (UTF-8).
        std::filesystem::create_directories(c.Dir() / "B\xC3\x84ro");
        base = ToWindowsPath(c.Dir()) + "\\B\xC3\x84ro\\";
        list = base + "MAI.STK";
        WriteList();
    }
    void TearDown() override {
        ClearWriteFailureForTesting();
        SetDriveRootForTesting({});
    }
    void WriteList(const char* s = "") { ASSERT_TRUE(testing::SaveListOf(list, {{"N-1", s}, {"N-2", s}})); }
    OrderListPage* OpenList(RunningProgram& p) { return testing::OpenOrderList(p, *ui, list); }
    // The first entry deleted: the page holds a change the file has not.
    OrderListPage* OpenAndChange(RunningProgram& p) {
        OrderListPage* page = OpenList(p);
        if (page) {
            page->SetCurSel(OrderListPage::kList, 0);
            testing::Click(page, OrderListPage::kDelete);
        }
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

    // Someone else writes the file between the page's read and its save: it
    // is never overwritten unasked. Then each write fault keeps the old file,
    // leaves no temporary and is told.
    void ExpectNothingLost(const SaveRoad& road) {
        const auto behindItsBack = [&](const std::string& text) {
            std::ofstream(road.file, std::ios::binary | std::ios::trunc) << road.fileWith(text);
        };
        road.Type("mine");
        behindItsBack("theirs");
        ui->messageAnswers = {IDCANCEL};
        testing::Click(road.page, road.save);
        ASSERT_FALSE(ui->shown.empty());
        EXPECT_EQ(ui->shown.back().text.substr(0, road.question.size()), road.question);
        EXPECT_EQ(ui->shown.back().type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        EXPECT_EQ(ReadAll(road.file), road.fileWith("theirs"));
        EXPECT_EQ(road.page->GetItemText(road.text), "mine");
        ui->messageAnswers = {IDNO};
        testing::Click(road.page, road.save);
        EXPECT_EQ(ReadAll(road.file), road.fileWith("theirs"));
        EXPECT_EQ(road.page->GetItemText(road.text), "theirs");
        // Deleted counts as changed; Yes writes what the page shows; its own save is no change by another.
        std::filesystem::remove(road.file);
        const std::size_t asked = ui->shown.size() + 1;
        ui->messageAnswers = {IDYES};
        for (const char* text : {"mine again", "mine at last"}) {
            road.Type(text);
            testing::Click(road.page, road.save);
            EXPECT_EQ(ui->shown.size(), asked) << text;
            EXPECT_EQ(ReadAll(road.file), road.fileWith(text));
        }
        EXPECT_TRUE(ui->messageAnswers.empty());

        for (const test::WriteFault& fault : test::kWriteFaults) {
            SCOPED_TRACE(fault.name);
            const std::size_t told = ui->Messages().size();
            road.Type(fault.name);
            {
                test::ScopedWriteFault f(road.file, fault);
                testing::Click(road.page, road.save);
            }
            EXPECT_EQ(ReadAll(road.file), road.fileWith("mine at last"));
            EXPECT_FALSE(test::TemporaryLeftBeside(road.file));
            ASSERT_GT(ui->Messages().size(), told);
            EXPECT_EQ(ui->Messages()[told], road.told);
        }
    }

    ScopedScriptedUi ui;
    testing::TempCatalog c;
    std::string base, list;
};

TEST_F(NothingLost, NotesFromTheProductPageAndOnANewAccount) {
    c.Write("DATEN\\LANG1\\NOTE.KAT", "Notizen\nHEBE|aaa\nUntertitel\n1\nQX\nN1\nP1.bmp\nQX/7\nVAS 7\n0\n"
                                     "Schr\xE4ubstock\nBILDER\\BLATT\\HEBE.bmp\n\n\n\n0\nQTX_VZ\n\nText}\n----\n");
    // The stk folder is the fallback; it is written back as the note folder.
    c.Write("qxkat.ini", "[Paths]\nstk=" + base + "\n");
    c.Write("B\xC3\x84ro\\QX_7.NTZ", "Alter Name|\nAlte Notiz\n[Ende]");
    {
        RunningProgram p(c);
        p.State().groupFile = "HEBE";
        p.State().listFile = "NOTE.KAT";
        auto* page = p.ShowPage<ProductPage>(kPageProduct);
        ASSERT_NE(page, nullptr);
        WhenModal([&](QWidget& modal) {
            auto& notes = dynamic_cast<NotesDialog&>(modal);
            // The catalogue's name wins over the one in the file's header.
            EXPECT_EQ(notes.FilePath() + " " + notes.GetItemText(NotesDialog::kNumber) + " " +
                          notes.GetItemText(NotesDialog::kName) + " " + notes.GetItemText(NotesDialog::kText),
                      base + "QX_7.NTZ QX/7 Schr\xE4ubstock Alte Notiz\r\n");
            notes.SetItemText(NotesDialog::kText, "Neu [mit Klammer]");
            notes.SendCommand(NotesDialog::kSave);
            notes.SendCommand(NotesDialog::kClose);
        });
        p.Click(page->Item(ProductPage::kNote));
        EXPECT_EQ(ReadAll(c.Dir() / "B\xC3\x84ro" / "QX_7.NTZ"), "Schr\xE4ubstock|\r\nNeu (mit Klammer]");
        ASSERT_EQ(ui->Messages().size(), 1u);
        EXPECT_NE(ui->Messages()[0].find("ersetzt"), std::string::npos);
        EXPECT_NE(ReadAll(c.Ini()).find("Note=" + base), std::string::npos);
    }

    // Neither Note nor stk: notes go to the drive's stand-in, which nobody has made yet.
    c.Write("qxkat.ini", "");
    test::TempDir home;
    SetDriveRootForTesting(home / "qxkat");
    ui->shown.clear();
    RunningProgram p(c);
    const std::string typed = "Klemme [links]\r\npr\xFC" "fen";
    WithNotes(p, "Zange [gross]", [&](NotesDialog& notes) {
        notes.SetItemText(NotesDialog::kText, typed);
        // Printing prints what is typed and neither changes nor warns.
        RecordedPrint print;
        notes.SendCommand(NotesDialog::kPrint);
        const std::string on = " iso 640x480>4960x3720 p1\n", text = " #000000 fmt=0 clear" + on;
        EXPECT_EQ(test::Dump(print.Calls()), "startpage p1\ntext 40,40 \"Zange [gross]\" Arial/-18/400" + text +
                                                 "text 40,64 \"QX/7\" Arial/-12/400" + text +
                                                 "line 40,90 600,90 solid/1 #000000" + on + "drawtext 40,110,600,700 \"" +
                                                 typed + "\" Arial/-12/400 #000000 fmt=950 clear" + on + "endpage" + on);
        EXPECT_EQ(notes.GetItemText(NotesDialog::kText), typed);
        EXPECT_TRUE(ui->Messages().empty());
        notes.SendCommand(NotesDialog::kSave);
    });
    ASSERT_EQ(ui->Messages().size(), 1u); // the "[" of the text, told once
    // Read again from the stand-in: the "[" of the designation cannot cut the note off.
    WithNotes(p, "Zange [gross]", [&](NotesDialog& notes) {
        EXPECT_EQ(notes.GetItemText(NotesDialog::kText), "Klemme (links]\r\npr\xFC" "fen");
        // A save that still fails says where.
        FailEveryWrite();
        notes.SendCommand(NotesDialog::kSave);
        ClearWriteFailureForTesting();
        EXPECT_TRUE(notes.isVisible());
    });
    EXPECT_EQ(ui->Messages(), (std::vector<std::string>{ui->Messages()[0], kSaveFailed,
                                                        (home / "qxkat" / "QX_7.NTZ").string()}));
}

// Every road away from a changed order list asks first; each answer does what it says.
TEST_F(NothingLost, LeavingAChangedOrderListAsksOnEveryRoad) {
    c.Write("DATEN\\LANG1\\Katalog.SWS", "Bohrmaschine|P3|SAEULE.KAT\n");
    // A road, and the answers to what is asked before the list's question.
    const std::tuple<const char*, std::function<void(RunningProgram&)>, std::deque<int>> roads[] = {
        {"menu", [](RunningProgram& p) { p.Frame().OnMenuCommand(kCmdQuit); }, {IDOK}},
        {"Alt+F4", [](RunningProgram& p) { testing::PressKey(&p.Frame(), Qt::Key_F4, Qt::AltModifier); }, {}},
        {"window close", [](RunningProgram& p) { p.Frame().close(); }, {}},
        {"product search", [](RunningProgram& p) {
             WhenModal([](QWidget& modal) { testing::PressKey(&modal, Qt::Key_Return); });
             p.Frame().OnMenuCommand(kCmdKeyword);
         }, {}},
    };
    // Answers to the list's question, then to what a failed save asks; whether the save fails; what follows.
    const std::tuple<std::deque<int>, bool, bool, std::vector<std::string>> answers[] = {
        {{IDYES}, false, false, {"N-2"}}, {{IDNO}, false, false, {"N-1", "N-2"}},
        {{IDCANCEL}, false, true, {"N-1", "N-2"}},
        {{IDYES}, true, true, {"N-1", "N-2"}}, // a failed save is no reason to go
        {{IDYES, IDOK, IDOK, IDYES}, true, true, {"N-1", "N-2"}}, // nor another name not chosen
    };
    for (const auto& [name, leave, before] : roads) {
        for (const auto& row : answers) {
            const auto& [toList, failingSave, stays, onDisk] = row;
            SCOPED_TRACE(std::string(name) + ", answers row " + std::to_string(&row - answers));
            WriteList();
            RunningProgram p(c);
            OrderListPage* page = OpenAndChange(p);
            ASSERT_NE(page, nullptr);
            ui->shown.clear();
            ui->messageAnswers = before;
            ui->messageAnswers.insert(ui->messageAnswers.end(), toList.begin(), toList.end());
            if (failingSave)
                FailEveryWrite();
            leave(p);
            Pump();
            ClearWriteFailureForTesting();
            const auto messages = ui->Messages();
            ASSERT_GT(messages.size(), before.size());
            EXPECT_EQ(messages[before.size()], kSaveQuestion);
            EXPECT_EQ(p.Frame().isVisible() && p.Current<OrderListPage>() == page, stays);
            EXPECT_EQ(OnDisk(list), onDisk);
            EXPECT_TRUE(!stays || page->IsChanged());
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
    SetWriteFailureForTesting([original = ResolvePath(list)](const std::filesystem::path& f) { return f == original; });
    ui->shown.clear();
    ui->messageAnswers = {IDOK, IDOK, IDYES};
    ui->fileAnswers = {other};
    testing::Click(page, OrderListPage::kSave);
    // The path as the file system names it, "/" and "Ä" as they are.
    EXPECT_EQ(ui->Messages(), (std::vector<std::string>{kNotCreated, c.Dir().string() + "/B\xC4ro/MAI.STK",
                                                        "Soll die Liste unter einem anderen Namen gespeichert werden?"}));
    EXPECT_TRUE(ui->shown.back().kind == "save" && ui->shown.back().spec.overwritePrompt);
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
    for (int i = 0; i < 300; ++i) {
        OrderItem& e = l.items.emplace_back();
        e.number = "N-" + std::to_string(i);
        e.quantity = "1";
        e.remarks = std::string(126, 'r');
    }
    ASSERT_TRUE(SaveOrderList(list, l));
    RunningProgram p(c);
    OrderListPage* page = OpenList(p);
    ASSERT_NE(page, nullptr);
    // Nothing kept in qxkat.ini yet: the dialog opened in the home folder.
    EXPECT_EQ(ui->shown.at(0).spec.initialDirectory, ToWindowsPath(HomeFolder()));
    EXPECT_EQ(page->GetCount(OrderListPage::kList), 300);

    // The editor's OK changes nothing it was not told to.
    page->SetCurSel(OrderListPage::kList, 250);
    WhenModal([](QWidget& editor) { QTest::keyClick(&editor, Qt::Key_Return); });
    testing::Click(page, OrderListPage::kModify);
    EXPECT_EQ(page->List().items[250].remarks, std::string(126, 'r'));

    // A delete far down leaves the view where it was and nothing chosen: the second press deletes nothing.
    auto* view = static_cast<QAbstractItemView*>(page->Item(OrderListPage::kList));
    Pump();
    const int scrolled = view->verticalScrollBar()->value();
    EXPECT_GT(scrolled, 0);
    p.Click(page->Item(OrderListPage::kDelete));
    EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(page->GetCount(OrderListPage::kList), 299);
    ui->shown.clear();
    testing::Click(page, OrderListPage::kDelete);
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"Bitte selektieren Sie zuerst einen Eintrag!"});
    testing::Click(page, OrderListPage::kSave);
    OrderList saved;
    ASSERT_EQ(LoadOrderList(list, saved), OrderListRead::Loaded);
    ASSERT_EQ(saved.items.size(), 299u);
    EXPECT_EQ(saved.indication.str() + saved.items[250].number.str() + saved.items[250].remarks.str(),
              std::string(31, 'K') + "N-251" + std::string(126, 'r'));

    // A list without an entry of the three suppliers prints no sheet.
    RecordedPrint print;
    p.Click(page->Item(OrderListPage::kPrint));
    EXPECT_EQ(print.Jobs(), 0);
    page->Close();
    Pump();

    // A path longer than the program keeps is refused, not cut to another
    // file; one that fits exactly is taken.
    const std::string deep = ToWindowsPath(c.Dir()) + "\\" + std::string(140, 'd') + "\\MAI.STK";
    for (const std::string& path : {deep, deep.substr(0, 127 - 8) + "\\MAI.STK"}) {
        ui->shown.clear();
        ui->fileAnswers = {path};
        p.Menu(kCmdOrderList);
        auto* opened = p.Current<OrderListPage>();
        EXPECT_EQ(opened ? opened->FilePath()
                         : ui->Messages().at(0).substr(0, kNotCreated.size()) +
                               (p.State().orderListPath == deep.substr(0, 127) ? " taken cut" : ""),
                  path == deep ? kNotCreated : path);
    }
}

// A new list's letters print the template's addresses as written; the
// address file fills only what the template leaves empty.
TEST_F(NothingLost, LettersFromTheTemplateKeepItsAddresses) {
    c.Write("stkt_gr.bst", "|\n|\n|\n|\nAutohaus Muster|\n|\nBitte liefern Sie:|\nGruss|\n");
    c.Write("qxkat.adr", "Werkzeug Nord\0\nHalle S\xFC" "d\0\nAus der Datei\0\n[EndOfFile]"s);
    c.Write("qxkat.ini", "[Paths]\nadr=" + ToWindowsPath(c.Dir()) + "\\qxkat.adr\n");
    WriteList("QTX_VZ");
    RunningProgram p(c);
    OrderListPage* page = OpenList(p);
    ASSERT_NE(page, nullptr);
    RecordedPrint print;
    p.Click(page->Item(OrderListPage::kPrint));
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
    testing::Click(area, AreaPage::kFirstButton);
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0], "Die Datei konnte nicht ge\xF6" "ffnet werden:\n" + c.Dir().string() +
                                     "/PDF/LANG1/KATALOG.PDF");
}

// Each page that saves: a file changed elsewhere is never overwritten unasked,
// and every write fault keeps the old file and is told.
TEST_F(NothingLost, EverySaveRoadAsksBeforeOverwritingAndSurvivesEveryWriteFault) {
    const std::string adr = base + "qxkat.adr";
    ASSERT_TRUE(WriteAddressFile(adr, {"Werkzeug Nord", "Halle Sued", "Autohaus"}));
    ASSERT_TRUE(SaveOrderInfo(OrderInfoPath(list), {"Absender"}));
    std::filesystem::create_directories(c.Dir() / "Notizen");
    ASSERT_TRUE(SaveNote(NotePath(ToWindowsPath(c.Dir() / "Notizen", true), "QX/7"), "Zange", "alt"));
    c.Write("qxkat.ini", "[Paths]\nadr=" + adr + "\nNote=" + ToWindowsPath(c.Dir() / "Notizen") + "\n");
    RunningProgram p(c);
    OrderListPage* page = OpenList(p);
    ASSERT_NE(page, nullptr);

    ExpectNothingLost({page, OrderListPage::kSave, OrderListPage::kIndication, ResolvePath(list),
                       [](const std::string& text) {
                           OrderList l;
                           l.indication = text;
                           for (const char* number : {"N-1", "N-2"})
                               l.items.emplace_back().number = number;
                           return SerializeOrderList(l);
                       },
                       "Die Bestellliste wurde seit dem Laden an einem anderen Arbeitsplatz ge\xE4ndert.\n\n"
                       "Ja: mit Ihrer Fassung \xFC" "berschreiben\nNein: die andere Fassung laden\n"
                       "Abbrechen: nicht speichern",
                       kNotCreated});
    // A changed list saved by "Zurück" asks too; Cancel there keeps the page.
    QTest::keyClicks(page->Item(OrderListPage::kIndication), QStringLiteral("closing"));
    std::filesystem::remove(ResolvePath(list));
    ui->messageAnswers = {IDYES, IDCANCEL};
    EXPECT_FALSE(page->Close());
    EXPECT_TRUE(page->IsChanged());
    EXPECT_FALSE(std::filesystem::exists(ResolvePath(list)));

    testing::Click(page, OrderListPage::kOrderInfo);
    auto* info = p.Current<OrderInfoPage>();
    ASSERT_NE(info, nullptr);
    ExpectNothingLost({info, OrderInfoPage::kSave, OrderInfoPage::kEdits[kToolsSender],
                       ResolvePath(OrderInfoPath(list)),
                       [](const std::string& text) {
                           std::vector<std::string> b(kOrderInfoFields);
                           b[kToolsSender] = text;
                           return WriteBlocks(b);
                       },
                       "Die Bestellinformationen wurden seit dem Laden", kSaveFailed});
    p.Click(info->Item(OrderInfoPage::kBack));

    testing::Click(page, OrderListPage::kSuppliers);
    auto* suppliers = p.Current<SupplierSearchPage>();
    ASSERT_NE(suppliers, nullptr);
    ExpectNothingLost({suppliers, SupplierSearchPage::kSave, SupplierSearchPage::kSpecialTools, ResolvePath(adr),
                       [](const std::string& text) { return WriteBlocks({text, "", ""}); },
                       "Die Adressen wurden seit dem Laden", kSaveFailed});
    p.Click(suppliers->Item(SupplierSearchPage::kCancel));

    WithNotes(p, "Zange", [&](NotesDialog& notes) {
        ExpectNothingLost({&notes, NotesDialog::kSave, NotesDialog::kText, ResolvePath(notes.FilePath()),
                           [](const std::string& text) { return SerializeNote("Zange", text); },
                           "Diese Notiz wurde seit dem \xD6" "ffnen", kSaveFailed});
    });

    // Settings are written at every click: the user is told once, not at each.
    const std::string ini = ReadAll(c.Ini());
    const std::size_t before = ui->Messages().size();
    int command = kCmdPriceVz;
    for (const test::WriteFault& fault : test::kWriteFaults) {
        SCOPED_TRACE(fault.name);
        test::ScopedWriteFault f(c.Ini(), fault);
        p.Frame().OnMenuCommand(command);
        command = command == kCmdPriceVz ? kCmdPriceUpe : kCmdPriceVz;
        EXPECT_EQ(ReadAll(c.Ini()), ini);
        EXPECT_FALSE(test::TemporaryLeftBeside(c.Ini()));
    }
    ASSERT_EQ(ui->Messages().size(), before + 1);
    EXPECT_EQ(ui->Messages().back(), "Die Einstellungen konnten nicht in qxkat.ini gespeichert werden.\n"
                                     "Sie gelten nur bis zum Programmende.");

    // The price update's copy: the old list stays whole (its failure is not
    // reported; the check that follows reads the old list).
    const std::filesystem::path target = c.Dir() / "qx.prs";
    c.Write("qx.prs", "old list");
    c.Write("new.prs", "new list, longer than the old one");
    for (const test::WriteFault& fault : test::kWriteFaults) {
        SCOPED_TRACE(fault.name);
        test::ScopedWriteFault f(target, fault);
        ui->fileAnswers = {ToWindowsPath(c.Dir() / "new.prs"), ToWindowsPath(target)};
        p.Frame().OnMenuCommand(kCmdPriceUpdate);
        EXPECT_TRUE(ui->fileAnswers.empty());
        EXPECT_EQ(ReadAll(target), "old list");
        EXPECT_FALSE(test::TemporaryLeftBeside(target));
    }
}

} // namespace
} // namespace qx
