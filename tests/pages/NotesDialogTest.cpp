#include "orders/ui/NotesDialog.h"
#include "CatalogPages.h"
#include "pages/ProductPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "shell/Fonts.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace qx {
namespace {

using testing::Pump;
using testing::RecordedPrint;
using testing::RunningProgram;
using testing::TempCatalog;

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Clicks Notiz on the product page and runs `step` on the dialog while it is open.
void WithNotes(ProductPage& page, const std::function<void(NotesDialog&)>& step) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* notes = dynamic_cast<NotesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(notes, nullptr);
        ran = true;
        step(*notes);
        if (notes->isVisible())
            notes->SendCommand(NotesDialog::kClose);
    });
    QTest::mouseClick(page.Item(ProductPage::kNote), Qt::LeftButton);
    Pump();
    EXPECT_TRUE(ran);
}

TEST(NotesFromTheProductPage, FolderNumberWithSlashSaveAndPrint) {
    ScopedScriptedUi ui;
    TempCatalog c;
    testing::WriteCatalogPages(c);
    c.Write("DATEN\\LANG1\\NOTE.KAT",
            "Notizen\nHEBE|aaa\nUntertitel\n1\nQX\n"
            "N1\nP1.bmp\nQX/7\nVAS "
            "7\n0\nSchr\xE4ubstock\nBILDER\\BLATT\\HEBE.bmp\n\n\n\n0\nQTX_VZ\n\nText}\n----\n");
    const std::filesystem::path folder = c.Dir() / "Notizen";
    std::filesystem::create_directories(folder);
    // The stk folder is the fallback; it is written back as the note folder.
    c.Write("qxkat.ini", "[Paths]\nstk=" + ToWindowsPath(folder, true) + "\n");
    c.Write("Notizen\\QX_7.NTZ", "Alter Name|\nAlte Notiz\n[Ende]");

    RunningProgram p(c);
    p.State().groupFile = "HEBE";
    p.State().listFile = "NOTE.KAT";
    p.ShowPage(kPageProduct);
    auto* page = p.Current<ProductPage>();
    ASSERT_NE(page, nullptr);
    const std::filesystem::path file = folder / "QX_7.NTZ";

    WithNotes(*page, [&](NotesDialog& notes) {
        EXPECT_TRUE(notes.FilePath().ends_with("\\Notizen\\QX_7.NTZ")) << notes.FilePath();
        EXPECT_EQ(notes.GetItemText(NotesDialog::kNumber), "QX/7");
        // The catalogue's name wins over the one in the file's header.
        EXPECT_EQ(notes.GetItemText(NotesDialog::kName), "Schr\xE4ubstock");
        EXPECT_EQ(notes.GetItemText(NotesDialog::kText), "Alte Notiz\r\n");
        notes.SetItemText(NotesDialog::kText, "Neu [mit Klammer]");
        notes.SendCommand(NotesDialog::kSave);
    });
    EXPECT_EQ(ReadAll(file), "Schr\xE4ubstock|\r\nNeu (mit Klammer]");
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_NE(ui->Messages()[0].find("ersetzt"), std::string::npos);
    EXPECT_NE(ReadAll(c.Ini()).find("Note=" + ToWindowsPath(folder, true)), std::string::npos);

    RecordedPrint print;
    WithNotes(*page, [&](NotesDialog& notes) { notes.SendCommand(NotesDialog::kPrint); });
    EXPECT_EQ(print.Pages(), 1);
    const DrawCall* name = print.FindText("Schr\xE4ubstock");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->at, (Point{40, 40}));
    EXPECT_EQ(name->font, FontTitle);
    ASSERT_NE(print.FindText("QX/7"), nullptr);
    EXPECT_EQ(print.FindText("QX/7")->at, (Point{40, 64}));
    const DrawCall* text = print.FindText("Neu (mit Klammer]");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect.left, 40);
}

} // namespace
} // namespace qx
