// The searches as a user takes them: start page entries into the search
// dialog, typing, continue and new search, choosing, and where each road ends.
#include "CatalogPages.h"
#include "navigation/ui/AreaPage.h"
#include "pages/ProductPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "search/ui/SearchDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace qx {
namespace {

using testing::PressKey;
using testing::RunningProgram;
using testing::TempCatalog;
using testing::WhenModal;

// Start page entries, one per road: 1010 + the entry's line.
enum : int { kKeyword = 1010, kToolNumber, kHln, kStandard, kBrochures };

void WriteSearchCatalog(TempCatalog& c) {
    testing::WriteCatalogPages(c);
    const std::string d = "DATEN\\LANG1\\";
    c.Write(d + "QXSTART.BER", "Stichwortsuche||STICHWORT|10|10|200|30|\nWerkzeugnummer||TNUMMER|10|40|200|60|\n"
                               "HLN-Nummer||ZNUMMER|10|70|200|90|\nService-Standard||KATALOG.STD|10|100|200|120|\n"
                               "Prospekte||KATALOG.PRK|10|130|200|150|\n");
    c.Write(d + "Katalog.SWS", "# Hebetechnik\nBohrersatz komplett|P2|SAEULE.KAT\n"
                               "Zwei-S\xE4ulen-B\xFChne|P1|SAEULE.KAT\nBohrmaschine|P3|SAEULE.KAT\n"
                               "Satz Schl\xFCssel|P9|GONE.KAT\n");
    c.Write(d + "Katalog.ANR", "# numbers\nQX-1 Zwei-S\xE4ulen-B\xFChne|P1|SAEULE.KAT\n"
                               "HLN 0QX 198 001 Dorna|P2|SAEULE.KAT\nHLN 0QX 198 002 Ohne Preis|P3|SAEULE.KAT\n");
    c.Write(d + "Katalog.STD", "Standard Hebeb\xFChnen||STD_HEBE.PDF\n");
    c.Write(d + "Katalog.PRK", "Prospekt Bohrer||PR_BOHR.PDF\nProspekt Satz||PR_SATZ.PDF\nNur ein Feld\n");
}

SearchDialog& Dialog(QWidget& modal) { return dynamic_cast<SearchDialog&>(modal); }

std::string Edit(SearchDialog& d) { return d.GetItemText(SearchDialog::kTerm); }

void Type(QWidget& window, const char* text) {
    for (const char* t = text; *t; ++t)
        QTest::keyClick(window.windowHandle(), *t);
}

std::string Prompt(SearchDialog& d) { return static_cast<QLabel*>(d.Item(SearchDialog::kPrompt))->text().toStdString(); }

// The prompt and the rows the dialog lists, as it draws them.
std::string Listed(SearchDialog& d) {
    std::string rows = Prompt(d);
    for (std::size_t i = 0; i < d.List().Size(); ++i)
        rows += "|" + std::string(d.List().Display(i));
    return rows;
}

struct SearchRoads : ::testing::Test {
    void Click(int entry) { p.Click(p.Frame().CurrentPage()->Item(entry)); }
    // The key of the product the product page shows, or nothing.
    std::string ProductShown() {
        auto* product = p.Current<ProductPage>();
        return product && product->CurrentRecord() ? product->CurrentRecord()->key.str() : "none";
    }
    ScopedScriptedUi ui;
    TempCatalog c;
    RunningProgram p{(WriteSearchCatalog(c), c)};
};

TEST_F(SearchRoads, KeywordFromTheStartPageToTheChosenProduct) {
    WhenModal([&](QWidget& modal) {
        SearchDialog& d = Dialog(modal);
        const auto at = [&d] { return std::to_string(d.GetCurSel(SearchDialog::kList)) + " " + Edit(d); };
        // Typing finds by prefix in the list; the arrows move on and take the row into the edit.
        Type(modal, "zwei");
        EXPECT_EQ(at(), "1 zwei");
        for (const auto& [key, shown] : {std::pair{Qt::Key_Down, "2 Bohrmaschine"},
                                         std::pair{Qt::Key_Up, "1 Zwei-S\xE4ulen-B\xFChne"},
                                         std::pair{Qt::Key_PageDown, "3 Satz Schl\xFCssel"}, // the last row, no further
                                         std::pair{Qt::Key_Up, "2 Bohrmaschine"}}) {
            PressKey(&modal, key);
            EXPECT_EQ(at(), shown);
        }
        PressKey(&modal, Qt::Key_Return);
    });
    Click(kKeyword);
    EXPECT_EQ(ProductShown() + " " + p.State().listFile.str() + " " + p.State().lastSearchChoice.str(),
              "P3 SAEULE.KAT Bohrmaschine");
    EXPECT_TRUE(ui->shown.empty());
}

TEST_F(SearchRoads, ContinueSearchTwiceNarrowsAndNewSearchStartsOver) {
    // The word asked for is typed into the input dialog (none: OK on an empty one), or it is cancelled (null).
    const auto searchOn = [](SearchDialog& d, int button, const char* word) {
        WhenModal([word](QWidget& input) {
            Type(input, word ? word : "");
            PressKey(&input, word ? Qt::Key_Return : Qt::Key_Escape);
        });
        QTest::mouseClick(d.Item(button), Qt::LeftButton);
        return Listed(d);
    };
    WhenModal([&](QWidget& modal) {
        SearchDialog& d = Dialog(modal);
        EXPECT_EQ(searchOn(d, SearchDialog::kContinue, "bohr"), " bohr|Bohrersatz komplett|Bohrmaschine");
        EXPECT_EQ(searchOn(d, SearchDialog::kContinue, "SATZ"), " bohr SATZ|Bohrersatz komplett");
        EXPECT_EQ(std::to_string(d.GetCurSel(SearchDialog::kList)) + Edit(d), "0");
        EXPECT_EQ(searchOn(d, SearchDialog::kContinue, nullptr), " bohr SATZ|Bohrersatz komplett");
        EXPECT_EQ(searchOn(d, SearchDialog::kContinue, ""), " bohr SATZ|Bohrersatz komplett");
        PressKey(&modal, Qt::Key_Escape);
    });
    Click(kKeyword);
    EXPECT_EQ(p.State().searchTerm, " bohr satz"); // kept for the run, folded

    // The next search starts filtered; a new search starts over.
    WhenModal([&](QWidget& modal) {
        SearchDialog& d = Dialog(modal);
        EXPECT_EQ(Listed(d), " bohr satz|Bohrersatz komplett");
        EXPECT_EQ(searchOn(d, SearchDialog::kNewSearch, "schl"), " schl|Satz Schl\xFCssel");
        PressKey(&modal, Qt::Key_Escape);
    });
    Click(kKeyword);
    EXPECT_EQ(p.State().searchTerm, " schl");
    EXPECT_TRUE(ui->shown.empty());
}

// What each road's dialog opens with; the term edit has the keyboard and
// Tab passes the list by (clicks and arrows reach it) to the first button.
TEST_F(SearchRoads, EachRoadOpensItsListWithItsPreset) {
    // The entry, the last choice, the search term (not applied to the document lists), what opens.
    const std::tuple<int, const char*, const char*, std::string> cases[] = {
        {kKeyword, "", "", "Produktsuche||edit  at 0|row 0 of 4|continue, new search|tab 1143"},
        {kKeyword, "nothing like it", "", "Produktsuche||edit  at 0|row 0 of 4|continue, new search|tab 1143"},
        {kKeyword, "Bohrmaschine", "", "Produktsuche||edit Bohrmaschine at 12|row 2 of 4|continue, new search|tab 1143"},
        {kHln, "", "", "Produktsuche||edit HLN at 3|row 1 of 3|continue, new search|tab 1143"},
        {kToolNumber, "HLN 0QX 198 002 Ohne Preis", "",
         "Produktsuche||edit HLN 0QX 198 002 Ohne Preis at 26|row 2 of 3|continue, new search|tab 1143"},
        {kStandard, "", " schl", "Service Standard| schl|edit  at 0|row -1 of 0|continue, new search|tab 1143"},
        {kBrochures, "", "bohr", "Katalog zum Drucken|Beschreibung|edit  at 0|row 0 of 3||tab 1"},
    };
    for (const auto& [entry, lastChoice, searchTerm, expected] : cases) {
        p.State().lastSearchChoice = lastChoice;
        p.State().searchTerm = searchTerm;
        std::string opened;
        WhenModal([&](QWidget& modal) {
            SearchDialog& d = Dialog(modal);
            auto* edit = static_cast<QLineEdit*>(d.Item(SearchDialog::kTerm));
            EXPECT_EQ(d.focusWidget(), edit);
            PressKey(&modal, Qt::Key_Tab);
            opened = modal.windowTitle().toStdString() + "|" + Prompt(d) + "|edit " + Edit(d) +
                     " at " + std::to_string(edit->cursorPosition()) + "|row " +
                     std::to_string(d.GetCurSel(SearchDialog::kList)) + " of " +
                     std::to_string(d.GetCount(SearchDialog::kList)) + "|" +
                     (d.IsItemVisible(SearchDialog::kContinue) ? "continue, " : "") +
                     (d.IsItemVisible(SearchDialog::kNewSearch) ? "new search" : "") + "|tab " +
                     std::to_string(d.FocusedItem());
            PressKey(&modal, Qt::Key_Escape);
        });
        Click(entry);
        EXPECT_EQ(opened, expected) << entry;
        EXPECT_EQ(p.State().searchTerm, searchTerm);
    }
    EXPECT_TRUE(ui->shown.empty());
}

TEST_F(SearchRoads, HlnTypingAndADocumentChoice) {
    WhenModal([&](QWidget& modal) {
        Type(modal, " 0QX 198 002");
        EXPECT_EQ(Dialog(modal).GetCurSel(SearchDialog::kList), 2) << Edit(Dialog(modal));
        PressKey(&modal, Qt::Key_Return);
    });
    Click(kHln);
    EXPECT_EQ(ProductShown(), "P3");

    p.ShowPage(kPageArea);
    WhenModal([&](QWidget& modal) {
        PressKey(&modal, Qt::Key_Down);
        QTest::mouseClick(Dialog(modal).Item(IDOK), Qt::LeftButton);
    });
    Click(kBrochures);
    ASSERT_EQ(ui->shown.size(), 1u);
    EXPECT_EQ(ui->shown[0].kind + " " + ui->shown[0].text,
              "shell " + ToWindowsPath(c.Dir()) + "\\PDF\\LANG1\\PR_SATZ.PDF");
    EXPECT_NE(p.Current<AreaPage>(), nullptr);
}

TEST_F(SearchRoads, CancelAndRefusalsLeaveEverythingAsItWas) {
    p.State().lastSearchChoice = "nothing like it";
    WhenModal([&](QWidget& modal) {
        PressKey(&modal, Qt::Key_Down);
        // Text that begins no entry: told, and the dialog stays.
        Type(modal, "xyz");
        PressKey(&modal, Qt::Key_Return);
        EXPECT_EQ(ui->Messages(), std::vector<std::string>{"Kein Eintrag vorhanden!"});
        EXPECT_TRUE(modal.isVisible());
        PressKey(&modal, Qt::Key_Escape);
    });
    Click(kKeyword);
    EXPECT_NE(p.Current<AreaPage>(), nullptr);
    EXPECT_EQ(p.State().lastSearchChoice, "nothing like it");
    EXPECT_EQ(p.State().searchTerm, "");

    // A chosen product whose list file is missing: told, the page stays.
    WhenModal([&](QWidget& modal) { Type(modal, "satz"); PressKey(&modal, Qt::Key_Return); });
    Click(kKeyword);
    ASSERT_EQ(ui->shown.size(), 2u);
    EXPECT_EQ(ui->shown[1].caption + ": " + ui->shown[1].text,
              "QUARVENTA AG: Es liegen keine Daten f\xFCr \ndiesen Produktbereich vor!");
    EXPECT_NE(p.Current<AreaPage>(), nullptr);
    EXPECT_EQ(p.State().pageMode, kPageArea);
}

TEST_F(SearchRoads, AWholeLargeIndexIsListedAndTypingReachesItsEnd) {
    std::string index;
    for (int i = 0; i < 200000; ++i)
        index += "Artikel " + std::to_string(100000 + i) + " Werkzeug|K" + std::to_string(i) + "|SAEULE.KAT\n";
    c.Write("DATEN\\LANG1\\Katalog.SWS", index + "Zylinderkopf|P2|SAEULE.KAT\n");
    std::string seen; // the rows, the row typing reached, the edit a page up from there
    WhenModal([&](QWidget& modal) {
        SearchDialog& d = Dialog(modal);
        Type(modal, "zyl");
        seen = std::to_string(d.GetCount(SearchDialog::kList)) + " " + std::to_string(d.GetCurSel(SearchDialog::kList));
        PressKey(&modal, Qt::Key_PageUp);
        seen += " " + Edit(d).substr(0, 12);
        PressKey(&modal, Qt::Key_Escape);
    });
    Click(kKeyword);
    EXPECT_EQ(seen, "200001 200000 Artikel 2999");
}

} // namespace
} // namespace qx
