#include "platform/core/Path.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace qx {
namespace {

class PathTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.Write("DATEN/lang1/QX.prs", "x");
        tmp.Write("DATEN/lang1/Bilder/a.BMP", "x");
        SetDriveRootForTesting(tmp.Path());
        oldCwd = fs::current_path();
    }
    void TearDown() override {
        SetDriveRootForTesting({});
        fs::current_path(oldCwd);
    }
    test::TempDir tmp;
    fs::path oldCwd;
};

// Drive letters map to the drive root; components match ignoring case; a
// missing tail is kept as written; ".." never climbs above the drive root.
TEST_F(PathTest, WindowsPathsResolveUnderTheDriveRoot) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\", ""},
        {"c:\\DATEN", "DATEN"},
        {"D:/daten", "DATEN"},
        {"C:daten", "DATEN"},
        {"C:\\DATEN\\LANG1\\QX.PRS", "DATEN/lang1/QX.prs"},
        {"C:\\daten\\Lang1\\bilder\\A.bmp", "DATEN/lang1/Bilder/a.BMP"},
        {"C:/daten//lang1/./qx.prs", "DATEN/lang1/QX.prs"},
        {"C:\\daten\\LANG1\\New\\Sub\\File.STK", "DATEN/lang1/New/Sub/File.STK"},
        {"C:\\Nope\\..\\daten", "daten"}, // after a missing component nothing is matched
        {"C:\\DATEN\\LANG1\\..\\lang1\\qx.prs", "DATEN/lang1/QX.prs"},
        {"C:\\..\\..\\daten", "DATEN"},
    };
    for (const auto& [windows, found] : cases)
        EXPECT_EQ(ResolvePath(windows), *found ? tmp / found : tmp.Path()) << windows;
    EXPECT_EQ(ResolvePath("\\..\\tmp"), fs::path("/tmp"));
    EXPECT_TRUE(FileExists("C:\\DATEN\\LANG1\\QX.PRS"));
    for (const char* notAFile : {"C:\\DATEN\\LANG1", "C:\\DATEN\\LANG1\\nothing", ""})
        EXPECT_FALSE(FileExists(notAFile)) << notAFile;

    // Rooted and relative paths.
    const std::string rooted = ToWindowsPath(tmp / "DATEN");
    ASSERT_EQ(rooted[0], '\\');
    EXPECT_EQ(ResolvePath(rooted + "\\LANG1\\qx.prs"), tmp / "DATEN/lang1/QX.prs");
    fs::current_path(tmp / "DATEN");
    EXPECT_EQ(ResolvePath("LANG1\\QX.PRS"), tmp / "DATEN/lang1/QX.prs");
    EXPECT_EQ(ResolvePath("..\\daten"), tmp / "DATEN");
    EXPECT_EQ(ResolvePath(""), fs::path());

    SetDriveRootForTesting({});
    if (const char* home = std::getenv("HOME"); home && *home) {
        EXPECT_EQ(DriveRoot(), fs::path(home) / "qxkat");
    }
}

TEST_F(PathTest, ExactMatchWinsThenUpperThenLowerThenTheSmallestName) {
    tmp.Write("DATEN/lang1/qx.prs", "y");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\QX.prs"), tmp / "DATEN/lang1/QX.prs");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\qx.prs"), tmp / "DATEN/lang1/qx.prs");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\Qx.Prs"), tmp / "DATEN/lang1/qx.prs");
    tmp.Write("DATEN/lang1/QX.PRS", "z");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\Qx.Prs"), tmp / "DATEN/lang1/QX.PRS");
    tmp.Write("DATEN/lang1/Readme.Txt", "z");
    tmp.Write("DATEN/lang1/readMe.txT", "z");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\README.txt"), tmp / "DATEN/lang1/Readme.Txt");
}

TEST(Path, TextHelpers) {
    const std::pair<fs::path, const char*> windows[] = {{"/a/b", "\\a\\b"}, {"/a/b/", "\\a\\b"}, {"/", "\\"},
                                                         {"a/b", "a\\b"}};
    for (const auto& [path, text] : windows)
        EXPECT_EQ(ToWindowsPath(path), text) << path;
    EXPECT_EQ(ToWindowsPath("/a/b", true), "\\a\\b\\");
    EXPECT_EQ(ToWindowsPath("/", true), "\\");
    for (const auto& [path, dir] : {std::pair{"C:\\a\\b.stk", "C:\\a"}, {"C:\\b.stk", "C:"}, {"a/b/c", "a/b"},
                                    {"b.stk", ""}, {"", ""}})
        EXPECT_EQ(DirectoryOf(path), dir) << path;
    // Both ends of the alphabet; ASCII letters only.
    for (const auto& [a, b, equal] : {std::tuple{"QX.PRS", "qx.prs", true}, {"AZ", "az", true}, {"", "", true},
                                      {"qx", "qy", false}, {"qx", "qx ", false}, {"\xC4", "\xE4", false}})
        EXPECT_EQ(EqualsIgnoreCase(a, b), equal) << a << " " << b;
}

} // namespace
} // namespace qx
