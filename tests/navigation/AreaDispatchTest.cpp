#include "navigation/ui/AreaPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "tests/app/GuiFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qx {
namespace {

using testing::TempCatalog;

// A main window that writes down what the page asks of it.
struct RecordingFrame : MainFrameApi {
    std::vector<std::string> asked;
    void PostShowPage() override { asked.push_back("show page"); }
    void DestroyAllPages() override { asked.push_back("destroy pages"); }
    void RunCommand(int command) override { asked.push_back("command " + std::to_string(command)); }
    void RunDocumentSearch(int mode) override { asked.push_back("documents " + std::to_string(mode)); }
    void EnableLanguageAndScreenItems(bool) override {}
    bool SetCommandEnabled(int, bool) override { return true; }
    void PostClose() override { asked.push_back("close"); }
};

// Every row of the dispatch: a target, and what clicking its entry does.
// Command ids are written out: they are the menu's, not ours to renumber.
struct Row {
    const char* target;
    std::string expected; // what the main window is asked, "" for nothing
    int pageMode = 0;     // the page mode set for the main window, 0 for none
    std::string ui = "";  // what the desktop is asked ("kind text")
    int level = 0;        // the page's level afterwards
};

TEST(AreaPage, EveryTargetWordDispatchesToItsCommand) {
    ScopedScriptedUi ui;
    TempCatalog c;
    const std::vector<Row> rows = {
        {"FILM.AVI", "", 0, "", 0}, // the video page, through openVideo
        {"ZUR\xDC"
         "CK",
         "", 0, "message M\xF6"
                "chten Sie das Programm beenden?"},
        {"TOOLS\\RUN.EXE /A", "", 0, "run {P}TOOLS\\RUN.EXE /A"},
        {"NORM.PDF", "", 0, "shell {P}PDF\\LANG1\\NORM.PDF"},
        {"LISTE.XLS", "", 0, "shell {P}PDF\\LANG1\\LISTE.XLS"},
        {"BESTELLEN", "command 40002"},
        {"STICHWORT", "command 40036"},
        {"TNUMMER", "command 40028"},
        {"QTXNUMMER", "command 40041"},
        {"ZNUMMER", "command 40042"},
        {"BETRIEB.HTM", "command 40039"},
        {"SPEZIAL.HTM", "command 40040"},
        {"KATALOG.PRB", "documents 128"},
        {"KATALOG.PRS", "documents 256"},
        {"KATALOG.PRK", "documents 512"},
        {"KATALOG.STD", "documents 2"},
        {"LIFTE.ZEN", "show page", kPageRequirements},
        {"SUB.BER", "", 0, "", 1},
        {"NORMEN.STD", "show page", kPageGroup},
        {"HEBE", "show page", kPageGroup},
    };
    std::string lines;
    for (const Row& r : rows)
        lines += std::string("E|p|") + r.target + "|1|1|5|5|t\n";
    c.Write("DATEN\\LANG1\\QXSTART.BER", lines);
    c.Write("DATEN\\LANG1\\SUB.BER", "S|p|X|1|1|5|5|t\n");

    AppContext app(c.Ini());
    GlobalState& s = app.state;
    s.programDir = ToWindowsPath(c.Dir(), true);
    s.dataDir = "DATEN\\LANG1\\";
    s.langDir = "LANG1\\";
    s.scaleX = s.scaleY = 1.0;
    s.screenWidth = 640;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        s.pageMode = 0;
        RecordingFrame frame;
        auto page = std::make_unique<AreaPage>(frame, app, nullptr);
        std::string video;
        page->openVideo = [&video](AreaPage&, const std::string& file) { video = file; };
        page->ShowPage(true);
        ASSERT_EQ(page->EntryCount(), static_cast<int>(rows.size()));
        ui->shown.clear();
        page->DispatchEntry(static_cast<int>(i));

        EXPECT_EQ(frame.asked.empty() ? "" : frame.asked.back(), r.expected) << r.target;
        EXPECT_EQ(s.pageMode, r.pageMode) << r.target;
        const std::string shown = ui->shown.empty() ? "" : ui->shown.back().kind + " " + ui->shown.back().text;
        std::string expectedUi = r.ui;
        if (const auto at = expectedUi.find("{P}"); at != std::string::npos)
            expectedUi.replace(at, 3, s.programDir.str());
        EXPECT_EQ(shown, expectedUi) << r.target;
        EXPECT_EQ(video, i == 0 ? "FILM.AVI" : "") << r.target;
        if (r.pageMode != 0) {
            EXPECT_EQ(s.listFile, r.target);
            EXPECT_EQ(s.groupFile, r.target);
            EXPECT_TRUE(page->IsDestroyed());
        } else {
            EXPECT_EQ(page->Level(), r.level) << r.target;
        }
    }
}

} // namespace
} // namespace qx
