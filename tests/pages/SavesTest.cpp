// Every save road of the program as the user takes it: files that another
// workstation changed in between, and writes that fail at each step.
#include "CatalogPages.h"
#include "orders/Notes.h"
#include "orders/OrderList.h"
#include "orders/ui/NotesDialog.h"
#include "orders/ui/OrderInfoPage.h"
#include "orders/ui/OrderListPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "resources/Menus.h"
#include "suppliers/AddressFile.h"
#include "suppliers/ui/SupplierSearchPage.h"
#include "tests/common/TempDir.h"
#include "tests/common/WriteFaults.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

using test::ReadAll;
using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;
using testing::WhenModal;

// A page's save as the user reaches it, and what a file holding a text
// looks like to that page.
struct SaveRoad {
    const char* name;
    std::filesystem::path file;
    std::function<void()> save;
    std::function<std::string()> shown;           // the text the page shows
    std::function<void(const std::string&)> type; // what the user types there
    std::function<std::string(const std::string&)> fileWith;
};

struct SaveRoads : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        std::filesystem::create_directories(c.Dir() / "orders");
        std::filesystem::create_directories(c.Dir() / "Notizen");
        list = ToWindowsPath(c.Dir()) + "\\orders\\MAI.STK";
        adr = ToWindowsPath(c.Dir()) + "\\orders\\qxkat.adr";
        OrderList l;
        l.items.emplace_back().number = "N-1";
        ASSERT_TRUE(SaveOrderList(list, l));
        ASSERT_TRUE(WriteAddressFile(adr, {"Werkzeug Nord", "Halle Sued", "Autohaus"}));
        ASSERT_TRUE(SaveOrderInfo(OrderInfoPath(list), {"Absender"}));
        ASSERT_TRUE(SaveNote(NotePath(ToWindowsPath(c.Dir() / "Notizen", true), "QX/7"), "Zange", "alt"));
        c.Write("qxkat.ini", "[Paths]\nadr=" + adr + "\nNote=" + ToWindowsPath(c.Dir() / "Notizen") + "\n");
    }
    OrderListPage* OpenList(RunningProgram& p) {
        ui->fileAnswers = {list};
        p.Frame().OnMenuCommand(kCmdOrderList);
        Pump();
        return p.Current<OrderListPage>();
    }
    // Runs f with the notes dialog of article QX/7 open over the main window.
    void WithNotes(RunningProgram& p, const std::function<void(NotesDialog&)>& f) {
        NotesDialog notes(&p.Frame(), p.Context(), "QX/7", "Zange");
        WhenModal([&](QWidget&) {
            f(notes);
            notes.EndDialog(IDCANCEL);
        });
        notes.DoModal();
    }
    SaveRoad ListRoad(OrderListPage& page) {
        return {"order list",
                ResolvePath(list),
                [&page] { QTest::mouseClick(page.Item(OrderListPage::kSave), Qt::LeftButton); },
                [&page] { return page.GetItemText(OrderListPage::kIndication); },
                [&page](const std::string& t) {
                    auto* edit = static_cast<QLineEdit*>(page.Item(OrderListPage::kIndication));
                    edit->selectAll();
                    QTest::keyClicks(edit, QString::fromStdString(t)); // typed: the list is changed
                },
                [](const std::string& text) {
                    OrderList l;
                    l.indication = text;
                    l.items.emplace_back().number = "N-1";
                    return SerializeOrderList(l);
                }};
    }
    SaveRoad OrderInfoRoad(OrderInfoPage& page) {
        auto blocks = [](const std::string& text) {
            std::vector<std::string> b(kOrderInfoFields);
            b[kToolsSender] = text;
            return WriteBlocks(b);
        };
        return {"order information",
                ResolvePath(OrderInfoPath(list)),
                [&page] { QTest::mouseClick(page.Item(OrderInfoPage::kSave), Qt::LeftButton); },
                [&page] { return page.GetItemText(OrderInfoPage::kEdits[kToolsSender]); },
                [&page](const std::string& t) { page.SetItemText(OrderInfoPage::kEdits[kToolsSender], t); },
                blocks};
    }
    SaveRoad AddressRoad(SupplierSearchPage& page) {
        return {"addresses",
                ResolvePath(adr),
                [&page] { QTest::mouseClick(page.Item(SupplierSearchPage::kSave), Qt::LeftButton); },
                [&page] { return page.GetItemText(SupplierSearchPage::kSpecialTools); },
                [&page](const std::string& t) { page.SetItemText(SupplierSearchPage::kSpecialTools, t); },
                [](const std::string& text) {
                    return WriteBlocks({text, "", ""});
                }};
    }
    SaveRoad NoteRoad(NotesDialog& notes) {
        return {"note",
                ResolvePath(notes.FilePath()),
                [&notes] { notes.SendCommand(NotesDialog::kSave); },
                [&notes] { return notes.GetItemText(NotesDialog::kText); },
                [&notes](const std::string& t) { notes.SetItemText(NotesDialog::kText, t); },
                [](const std::string& text) { return SerializeNote("Zange", text); }};
    }

    // Someone else writes the file between the page's read and its save.
    void ExpectTheQuestionAndItsAnswers(const SaveRoad& road, const std::string& question) {
        SCOPED_TRACE(road.name);
        auto behindItsBack = [&](const std::string& text) {
            std::ofstream(road.file, std::ios::binary | std::ios::trunc) << road.fileWith(text);
        };
        road.type("mine");
        behindItsBack("theirs");
        ui->messageAnswers = {IDCANCEL};
        road.save();
        ASSERT_FALSE(ui->shown.empty());
        EXPECT_EQ(ui->shown.back().text.substr(0, question.size()), question);
        EXPECT_EQ(ui->shown.back().type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        EXPECT_EQ(ReadAll(road.file), road.fileWith("theirs"));
        EXPECT_EQ(road.shown(), "mine");

        ui->messageAnswers = {IDNO};
        road.save();
        EXPECT_EQ(ReadAll(road.file), road.fileWith("theirs"));
        EXPECT_EQ(road.shown(), "theirs");

        // Deleted counts as changed; Yes writes what the page shows.
        std::filesystem::remove(road.file);
        road.type("mine again");
        ui->messageAnswers = {IDYES};
        const std::size_t asked = ui->shown.size();
        road.save();
        EXPECT_EQ(ui->shown.size(), asked + 1);
        EXPECT_EQ(ReadAll(road.file), road.fileWith("mine again"));

        // Its own save is no change by someone else.
        road.type("mine at last");
        road.save();
        EXPECT_EQ(ui->shown.size(), asked + 1);
        EXPECT_EQ(ReadAll(road.file), road.fileWith("mine at last"));
        EXPECT_TRUE(ui->messageAnswers.empty());
    }

    // Each fault: the old file stays byte for byte, no temporary is left, and
    // the user reads the page's own failure message.
    void ExpectEveryFaultTold(const char* name, const std::filesystem::path& file,
                              const std::function<void()>& save, const std::string& told) {
        SCOPED_TRACE(name);
        const std::string before = ReadAll(file);
        for (const test::WriteFault& fault : test::kWriteFaults) {
            SCOPED_TRACE(fault.name);
            const std::size_t shown = ui->Messages().size();
            {
                test::ScopedWriteFault f(file, fault);
                save();
            }
            EXPECT_EQ(ReadAll(file), before);
            EXPECT_FALSE(test::TemporaryLeftBeside(file));
            ASSERT_GT(ui->Messages().size(), shown);
            EXPECT_EQ(ui->Messages()[shown], told);
        }
    }

    ScopedScriptedUi ui;
    TempCatalog c;
    std::string list;
    std::string adr;
};

TEST_F(SaveRoads, FilesChangedElsewhereAreNeverOverwrittenUnasked) {
    RunningProgram p(c);
    OrderListPage* page = OpenList(p);
    ASSERT_NE(page, nullptr);
    ExpectTheQuestionAndItsAnswers(
        ListRoad(*page),
        "Die Bestellliste wurde seit dem Laden an einem anderen Arbeitsplatz ge\xE4ndert.\n\n"
        "Ja: mit Ihrer Fassung \xFC"
        "berschreiben\nNein: die andere Fassung laden\n"
        "Abbrechen: nicht speichern");
    // A changed list saved by "Zur\xFC" "ck" asks too; Cancel there keeps the page.
    ListRoad(*page).type("mine, closing");
    std::filesystem::remove(ResolvePath(list));
    ui->messageAnswers = {IDYES, IDCANCEL};
    EXPECT_FALSE(page->Close());
    EXPECT_TRUE(page->IsChanged());
    EXPECT_FALSE(std::filesystem::exists(ResolvePath(list)));

    QTest::mouseClick(page->Item(OrderListPage::kOrderInfo), Qt::LeftButton);
    auto* info = p.Current<OrderInfoPage>();
    ASSERT_NE(info, nullptr);
    ExpectTheQuestionAndItsAnswers(OrderInfoRoad(*info), "Die Bestellinformationen wurden seit dem Laden");
    QTest::mouseClick(info->Item(OrderInfoPage::kBack), Qt::LeftButton);
    Pump();

    QTest::mouseClick(page->Item(OrderListPage::kSuppliers), Qt::LeftButton);
    auto* suppliers = p.Current<SupplierSearchPage>();
    ASSERT_NE(suppliers, nullptr);
    ExpectTheQuestionAndItsAnswers(AddressRoad(*suppliers), "Die Adressen wurden seit dem Laden");
    QTest::mouseClick(suppliers->Item(SupplierSearchPage::kCancel), Qt::LeftButton);
    Pump();

    WithNotes(p, [&](NotesDialog& notes) {
        ExpectTheQuestionAndItsAnswers(NoteRoad(notes), "Diese Notiz wurde seit dem \xD6"
                                                        "ffnen");
    });
}

TEST_F(SaveRoads, EveryWriteFaultKeepsTheOldFileAndTellsTheUser) {
    RunningProgram p(c);
    OrderListPage* page = OpenList(p);
    ASSERT_NE(page, nullptr);
    ExpectEveryFaultTold(
        "order list", ResolvePath(list),
        [&] {
            QTest::keyClicks(page->Item(OrderListPage::kIndication), QStringLiteral("x"));
            QTest::mouseClick(page->Item(OrderListPage::kSave), Qt::LeftButton);
        },
        "Die Datei konnte nicht erzeugt werden!");
    // The second box names the file; the last offers another name.
    EXPECT_EQ(ui->Messages().end()[-2], ResolvePath(page->FilePath()).string());

    QTest::mouseClick(page->Item(OrderListPage::kOrderInfo), Qt::LeftButton);
    auto* info = p.Current<OrderInfoPage>();
    ASSERT_NE(info, nullptr);
    const SaveRoad infoRoad = OrderInfoRoad(*info);
    ExpectEveryFaultTold(infoRoad.name, infoRoad.file, infoRoad.save, "Fehler beim Abspeichern!");
    QTest::mouseClick(info->Item(OrderInfoPage::kBack), Qt::LeftButton);
    Pump();

    QTest::mouseClick(page->Item(OrderListPage::kSuppliers), Qt::LeftButton);
    auto* suppliers = p.Current<SupplierSearchPage>();
    ASSERT_NE(suppliers, nullptr);
    const SaveRoad addressRoad = AddressRoad(*suppliers);
    ExpectEveryFaultTold(addressRoad.name, addressRoad.file, addressRoad.save, "Fehler beim Abspeichern!");
    QTest::mouseClick(suppliers->Item(SupplierSearchPage::kCancel), Qt::LeftButton);
    Pump();

    WithNotes(p, [&](NotesDialog& notes) {
        const SaveRoad noteRoad = NoteRoad(notes);
        ExpectEveryFaultTold(noteRoad.name, noteRoad.file, noteRoad.save, "Fehler beim Abspeichern!");
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
    const std::filesystem::path target = c.Dir() / "orders" / "qx.prs";
    c.Write("orders\\qx.prs", "old list");
    c.Write("orders\\new.prs", "new list, longer than the old one");
    for (const test::WriteFault& fault : test::kWriteFaults) {
        SCOPED_TRACE(fault.name);
        test::ScopedWriteFault f(target, fault);
        ui->fileAnswers = {ToWindowsPath(c.Dir() / "orders" / "new.prs"), ToWindowsPath(target)};
        p.Frame().OnMenuCommand(kCmdPriceUpdate);
        EXPECT_TRUE(ui->fileAnswers.empty());
        EXPECT_EQ(ReadAll(target), "old list");
        EXPECT_FALSE(test::TemporaryLeftBeside(target));
    }
}

} // namespace
} // namespace qx
