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

// Every target and what clicking its entry does, as "what the main window
// is asked; the page mode set; what the desktop is asked; the video opened;
// the page's level". Command ids are written out: they are the menu's, not
// ours to renumber.
TEST(AreaPage, EveryTargetWordDispatchesToItsCommand) {
    ScopedScriptedUi ui;
    TempCatalog c;
    const std::pair<const char*, std::string> rows[] = {{"FILM.AVI", ";0;;FILM.AVI;0"},
        {"ZUR\xDC" "CK", ";0;message M\xF6" "chten Sie das Programm beenden?;;0"},
        {"TOOLS\\RUN.EXE /A", ";0;run {P}TOOLS\\RUN.EXE /A;;0"}, {"NORM.PDF", ";0;shell {P}PDF\\LANG1\\NORM.PDF;;0"},
        {"LISTE.XLS", ";0;shell {P}PDF\\LANG1\\LISTE.XLS;;0"}, {"BESTELLEN", "command 40002;0;;;0"},
        {"STICHWORT", "command 40036;0;;;0"}, {"TNUMMER", "command 40028;0;;;0"},
        {"QTXNUMMER", "command 40041;0;;;0"}, {"ZNUMMER", "command 40042;0;;;0"},
        {"BETRIEB.HTM", "command 40039;0;;;0"}, {"SPEZIAL.HTM", "command 40040;0;;;0"},
        {"KATALOG.PRB", "documents 128;0;;;0"}, {"KATALOG.PRS", "documents 256;0;;;0"},
        {"KATALOG.PRK", "documents 512;0;;;0"}, {"KATALOG.STD", "documents 2;0;;;0"},
        {"LIFTE.ZEN", "show page;4;;;closed"}, {"SUB.BER", ";0;;;1"},
        {"NORMEN.STD", "show page;2;;;closed"}, {"HEBE", "show page;2;;;closed"},
    };
    std::string lines;
    for (const auto& r : rows)
        lines += std::string("E|p|") + r.first + "|1|1|5|5|t\n";
    c.Write("DATEN\\LANG1\\QXSTART.BER", lines);
    c.Write("DATEN\\LANG1\\SUB.BER", "S|p|X|1|1|5|5|t\n");

    AppContext app(c.Ini());
    GlobalState& s = app.state;
    s.programDir = ToWindowsPath(c.Dir(), true);
    s.dataDir = "DATEN\\LANG1\\";
    s.langDir = "LANG1\\";
    s.scaleX = s.scaleY = 1.0;
    s.screenWidth = 640;
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        const auto& [target, expected] = rows[i];
        s.pageMode = 0;
        s.listFile = s.groupFile = "";
        RecordingFrame frame;
        auto page = std::make_unique<AreaPage>(frame, app, nullptr);
        std::string video;
        page->openVideo = [&video](AreaPage&, const std::string& file) { video = file; };
        page->ShowPage(true);
        ASSERT_EQ(page->EntryCount(), static_cast<int>(std::size(rows)));
        ui->shown.clear();
        page->DispatchEntry(i);

        std::string outcome = (frame.asked.empty() ? "" : frame.asked.back()) + ";" + std::to_string(s.pageMode) + ";" +
                              (ui->shown.empty() ? "" : ui->shown.back().kind + " " + ui->shown.back().text) + ";" +
                              video + ";" + (page->IsDestroyed() ? "closed" : std::to_string(page->Level()));
        if (const auto at = outcome.find(s.programDir.str()); at != std::string::npos)
            outcome.replace(at, s.programDir.size(), "{P}");
        EXPECT_EQ(outcome, expected) << target;
        // A list page opens on the target's file.
        EXPECT_EQ(s.listFile.str() + s.groupFile.str(), s.pageMode ? std::string(target) + target : "") << target;
    }
}

} // namespace
} // namespace qx
