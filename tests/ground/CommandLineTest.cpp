#include "ground/CommandLine.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(CommandLine, OptionsAndErrors) {
    auto cl = ParseCommandLine({"--program-dir", "cd", "--desktop-width", "1280", "--language", "3"});
    EXPECT_TRUE(cl.error.empty());
    EXPECT_EQ(cl.programDir, "cd");
    EXPECT_EQ(cl.desktopWidth, 1280);
    EXPECT_EQ(cl.language, 3);

    EXPECT_FALSE(ParseCommandLine({"--bogus"}).error.empty());
    EXPECT_FALSE(ParseCommandLine({"--language", "4"}).error.empty());
    EXPECT_FALSE(ParseCommandLine({"--language"}).error.empty());
    EXPECT_FALSE(ParseCommandLine({"--desktop-width", "12a"}).error.empty());
    EXPECT_FALSE(ParseCommandLine({"stray"}).error.empty());
    EXPECT_FALSE(ParseCommandLine({"--check-layout"}).error.empty()); // only with the snapshots
    EXPECT_TRUE(ParseCommandLine({"--snapshot", "d", "--check-layout"}).checkLayout);

    // Window-system options pass through with their values.
    cl = ParseCommandLine({"-platform", "offscreen", "--help"});
    EXPECT_TRUE(cl.error.empty());
    EXPECT_TRUE(cl.help);
    ASSERT_EQ(cl.passThrough.size(), 2u);
    EXPECT_EQ(cl.passThrough[1], "offscreen");
}

} // namespace
} // namespace qx
