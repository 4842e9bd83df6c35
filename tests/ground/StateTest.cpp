#include "ground/CommandLine.h"
#include "ground/GlobalState.h"
#include "ground/ScreenMode.h"
#include "catalog/Scale.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// "width x height, client rectangle, 628 scaled": widths other than the three take the largest mode.
TEST(ScreenModes, WidthChoosesModeAndTruncatesScaling) {
    const std::pair<int, const char*> cases[] = {{640, "640x480 0,0,628,430 628"}, {800, "800x600 0,0,788,550 788"},
                                                 {1024, "1024x768 0,0,1012,718 1012"},
                                                 {1280, "1024x768 0,0,1012,718 1012"},
                                                 {799, "1024x768 0,0,1012,718 1012"}};
    for (const auto& [width, mode] : cases) {
        GlobalState s;
        ApplyScreenMode(s, ScreenModeForWidth(width));
        const Rect& r = s.clientRect;
        EXPECT_EQ(std::to_string(s.screenWidth) + "x" + std::to_string(s.screenHeight) + " " + std::to_string(r.left) +
                      "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom) +
                      " " + std::to_string(ScaleX(s, 628)), mode);
    }
}

TEST(GlobalStateFields, CopiesAreCutToCapacity) {
    GlobalState s;
    s.dataDir = std::string(100, 'x');
    EXPECT_EQ(s.dataDir.size(), 63u);
    s.searchTerm = std::string(1000, 'y');
    EXPECT_EQ(s.searchTerm.size(), 399u);
    s.breadcrumb = "a";
    s.breadcrumb += std::string(500, 'b');
    EXPECT_EQ(s.breadcrumb.size(), 259u);
}

TEST(CommandLine, OptionsAndErrors) {
    auto cl = ParseCommandLine({"--program-dir", "cd", "--desktop-width", "1280", "--language", "3"});
    EXPECT_TRUE(cl.error.empty());
    EXPECT_EQ(cl.programDir, "cd");
    EXPECT_EQ(cl.desktopWidth, 1280);
    EXPECT_EQ(cl.language, 3);

    // "--check-layout" only with the snapshots.
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--language", "4"}, {"--language"}, {"--desktop-width", "1280a"}, {"stray"}, {"--check-layout"}})
        EXPECT_FALSE(ParseCommandLine(wrong).error.empty()) << wrong[0];
    EXPECT_TRUE(ParseCommandLine({"--snapshot", "d", "--check-layout"}).checkLayout);

    // Window-system options pass through with their values.
    cl = ParseCommandLine({"-platform", "offscreen", "--help"});
    EXPECT_TRUE(cl.error.empty());
    EXPECT_TRUE(cl.help);
    EXPECT_EQ(cl.passThrough, (std::vector<std::string>{"-platform", "offscreen"}));
    EXPECT_EQ(ParseCommandLine({"-display"}).passThrough, std::vector<std::string>{"-display"}); // no value
}

} // namespace
} // namespace qx
