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

TEST_F(PathTest, DriveLetterMapsToDriveRoot) {
    EXPECT_EQ(ResolvePath("C:\\"), tmp.Path());
    EXPECT_EQ(ResolvePath("c:\\DATEN"), tmp / "DATEN");
    EXPECT_EQ(ResolvePath("D:/daten"), tmp / "DATEN");
    EXPECT_EQ(ResolvePath("C:daten"), tmp / "DATEN");
}

TEST_F(PathTest, ComponentsMatchIgnoringCase) {
    EXPECT_EQ(ResolvePath("C:\\DATEN\\LANG1\\QX.PRS"), tmp / "DATEN/lang1/QX.prs");
    EXPECT_EQ(ResolvePath("C:\\daten\\Lang1\\bilder\\A.bmp"), tmp / "DATEN/lang1/Bilder/a.BMP");
    EXPECT_EQ(ResolvePath("C:/daten//lang1/./qx.prs"), tmp / "DATEN/lang1/QX.prs");
    EXPECT_TRUE(FileExists("C:\\DATEN\\LANG1\\QX.PRS"));
    EXPECT_FALSE(FileExists("C:\\DATEN\\LANG1"));
    EXPECT_FALSE(FileExists("C:\\DATEN\\LANG1\\nothing"));
    EXPECT_FALSE(FileExists(""));
}

TEST_F(PathTest, ExactMatchWins) {
    tmp.Write("DATEN/lang1/qx.prs", "y");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\QX.prs"), tmp / "DATEN/lang1/QX.prs");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\qx.prs"), tmp / "DATEN/lang1/qx.prs");
    // Neither exact: all upper case, else all lower case, else the smallest name.
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\Qx.Prs"), tmp / "DATEN/lang1/qx.prs");
    tmp.Write("DATEN/lang1/QX.PRS", "z");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\Qx.Prs"), tmp / "DATEN/lang1/QX.PRS");
    tmp.Write("DATEN/lang1/Readme.Txt", "z");
    tmp.Write("DATEN/lang1/readMe.txT", "z");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\README.txt"), tmp / "DATEN/lang1/Readme.Txt");
}

TEST_F(PathTest, MissingTailIsKeptAsWritten) {
    EXPECT_EQ(ResolvePath("C:\\daten\\LANG1\\New\\Sub\\File.STK"), tmp / "DATEN/lang1/New/Sub/File.STK");
    // After a missing component nothing is matched, even where it would exist.
    EXPECT_EQ(ResolvePath("C:\\Nope\\..\\daten"), tmp / "daten");
}

TEST_F(PathTest, DotDot) {
    EXPECT_EQ(ResolvePath("C:\\DATEN\\LANG1\\..\\lang1\\qx.prs"), tmp / "DATEN/lang1/QX.prs");
    EXPECT_EQ(ResolvePath("C:\\..\\..\\daten"), tmp / "DATEN"); // not above the drive root
    EXPECT_EQ(ResolvePath("\\..\\tmp"), fs::path("/tmp"));
}

TEST_F(PathTest, RootAndRelativePaths) {
    const std::string rooted = ToWindowsPath(tmp / "DATEN");
    ASSERT_EQ(rooted[0], '\\');
    EXPECT_EQ(ResolvePath(rooted + "\\LANG1\\qx.prs"), tmp / "DATEN/lang1/QX.prs");
    fs::current_path(tmp / "DATEN");
    EXPECT_EQ(ResolvePath("LANG1\\QX.PRS"), tmp / "DATEN/lang1/QX.prs");
    EXPECT_EQ(ResolvePath("..\\daten"), tmp / "DATEN");
    EXPECT_EQ(ResolvePath(""), fs::path());
}

TEST_F(PathTest, DefaultDriveRootIsUnderHome) {
    SetDriveRootForTesting({});
    const char* home = std::getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(DriveRoot(), fs::path(home) / "qxkat");
    }
}

TEST(Path, ToWindowsPath) {
    EXPECT_EQ(ToWindowsPath("/a/b"), "\\a\\b");
    EXPECT_EQ(ToWindowsPath("/a/b/"), "\\a\\b");
    EXPECT_EQ(ToWindowsPath("/a/b", true), "\\a\\b\\");
    EXPECT_EQ(ToWindowsPath("/"), "\\");
    EXPECT_EQ(ToWindowsPath("/", true), "\\");
    EXPECT_EQ(ToWindowsPath("a/b"), "a\\b");
}

TEST(Path, DirectoryOf) {
    EXPECT_EQ(DirectoryOf("C:\\a\\b.stk"), "C:\\a");
    EXPECT_EQ(DirectoryOf("C:\\b.stk"), "C:");
    EXPECT_EQ(DirectoryOf("a/b/c"), "a/b");
    EXPECT_EQ(DirectoryOf("b.stk"), "");
    EXPECT_EQ(DirectoryOf(""), "");
}

TEST(Path, EqualsIgnoreCase) {
    EXPECT_TRUE(EqualsIgnoreCase("QX.PRS", "qx.prs"));
    EXPECT_TRUE(EqualsIgnoreCase("AZ", "az")); // both ends of the alphabet
    EXPECT_TRUE(EqualsIgnoreCase("", ""));
    EXPECT_FALSE(EqualsIgnoreCase("qx", "qy"));
    EXPECT_FALSE(EqualsIgnoreCase("qx", "qx "));
    EXPECT_FALSE(EqualsIgnoreCase("\xC4", "\xE4")); // ASCII letters only
}

} // namespace
} // namespace qx
