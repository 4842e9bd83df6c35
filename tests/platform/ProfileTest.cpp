#include "platform/core/Profile.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qx {
namespace {

using test::ReadAll;

TEST(Profile, MissingFileGivesDefaults) {
    test::TempDir tmp;
    Profile p(tmp / "none.ini");
    EXPECT_EQ(p.GetString("Global", "language", "x"), "x");
    EXPECT_EQ(p.GetString("Global", "language", "def   "), "def"); // Windows drops the trailing blanks
    EXPECT_EQ(p.GetInt("Global", "pricemode", 7), 7);
    EXPECT_FALSE(std::filesystem::exists(tmp / "none.ini"));
}

TEST(Profile, ReadsWindowsAndSloppyFiles) {
    test::TempDir tmp;
    const auto file = tmp.Write("q.ini", "; comment\r\n"
                                         "[Global]\r\n"
                                         "language=3\r\n"
                                         "  PriceMode =  1  \r\n"
                                         "empty=\r\n"
                                         "novalue\r\n"
                                         "neg=-12abc\r\n"
                                         "big=99999999999\r\n"
                                         "junk=abc\r\n"
                                         "\r\n"
                                         "[ Paths ]\n"
                                         "stk=C:\\Orders\\\n"
                                         "q1=\"quoted value\"\n"
                                         "q2='single'\n"
                                         "q3=\"unbalanced\n"
                                         "q4=\"\n"
                                         ";stk=commented\n"
                                         "[global]\n"
                                         "late=1\n");
    Profile p(file);
    EXPECT_EQ(p.GetString("Global", "language", ""), "3");
    EXPECT_EQ(p.GetInt("GLOBAL", "LANGUAGE", 0), 3);
    EXPECT_EQ(p.GetString("global", "pricemode", ""), "1");
    EXPECT_EQ(p.GetString("Global", "empty", "d"), "");
    EXPECT_EQ(p.GetInt("Global", "empty", 5), 5);
    EXPECT_EQ(p.GetString("Global", "novalue", "d"), "d");
    EXPECT_EQ(p.GetInt("Global", "neg", 0), -12);
    EXPECT_EQ(p.GetInt("Global", "big", 0), 2147483647);
    EXPECT_EQ(p.GetInt("Global", "junk", 5), 0);
    EXPECT_EQ(p.GetString("Paths", "stk", ""), "C:\\Orders\\");
    EXPECT_EQ(p.GetString("Paths", "q1", ""), "quoted value");
    EXPECT_EQ(p.GetString("Paths", "q2", ""), "single");
    EXPECT_EQ(p.GetString("Paths", "q3", ""), "\"unbalanced");
    EXPECT_EQ(p.GetString("Paths", "q4", ""), "\"");
    // Keys are only looked for in the first section of the name.
    EXPECT_EQ(p.GetString("Global", "late", "no"), "no");
    EXPECT_EQ(p.GetString("Paths", "language", "no"), "no");
    EXPECT_EQ(p.GetString("", "language", "no"), "no");
}

TEST(Profile, BufferLimit) {
    test::TempDir tmp;
    const std::string longValue(300, 'x');
    const auto file = tmp.Write("q.ini", "[Paths]\r\nlong=" + longValue + "\r\n");
    Profile p(file);
    EXPECT_EQ(p.GetString("Paths", "long", "").size(), 127u);
    EXPECT_EQ(p.GetString("Paths", "long", "", 10), std::string(9, 'x'));
    EXPECT_EQ(p.GetString("Paths", "long", "", 1), "");
    EXPECT_EQ(p.GetString("Paths", "long", "", 0), "");
    EXPECT_EQ(p.GetString("Paths", "long", "", 1000), longValue);
    EXPECT_EQ(p.GetString("Paths", "none", "abcdef", 4), "abc");
}

TEST(Profile, WriteCreatesFileAndDirectory) {
    test::TempDir tmp;
    Profile p(tmp / "sub/dir/qxkat.ini");
    ASSERT_TRUE(p.WriteString("Global", "language", "2"));
    EXPECT_EQ(ReadAll(p.File()), "[Global]\r\nlanguage=2\r\n");
    ASSERT_TRUE(p.WriteString("Paths", "stk", "C:\\a"));
    EXPECT_EQ(ReadAll(p.File()), "[Global]\r\nlanguage=2\r\n[Paths]\r\nstk=C:\\a\r\n");
    ASSERT_TRUE(p.WriteString("Global", "pricemode", "1"));
    EXPECT_EQ(ReadAll(p.File()), "[Global]\r\nlanguage=2\r\npricemode=1\r\n[Paths]\r\nstk=C:\\a\r\n");
    EXPECT_EQ(p.GetInt("Global", "pricemode", 0), 1);
    EXPECT_EQ(p.GetString("paths", "STK", ""), "C:\\a");
}

TEST(Profile, WritePreservesEverythingElse) {
    test::TempDir tmp;
    const std::string original = "; qxkat\r\n"
                                 "[Global]\n"
                                 "  Language = 1 \r\n"
                                 "other=keep me   \r\n"
                                 "\r\n"
                                 "; about paths\r\n"
                                 "[Paths]\r\n"
                                 "stk=C:\\x\r\n"
                                 "[Extra]\r\n"
                                 "a=b";
    const auto file = tmp.Write("q.ini", original);
    Profile p(file);
    // Replaced in place, keeping the spelling of the key and the indentation.
    ASSERT_TRUE(p.WriteString("global", "LANGUAGE", "3"));
    std::string expected = original;
    expected.replace(expected.find("  Language = 1 "), 15, "  Language=3");
    EXPECT_EQ(ReadAll(file), expected);
    // A new key goes after the last key of its section, before blanks and comments.
    ASSERT_TRUE(p.WriteString("Global", "pricemode", "0"));
    expected.insert(expected.find("\r\n; about") , "pricemode=0\r\n");
    EXPECT_EQ(ReadAll(file), expected);
    // Into the last section, which has no final line break.
    ASSERT_TRUE(p.WriteString("Extra", "c", "d"));
    expected += "\r\nc=d\r\n";
    EXPECT_EQ(ReadAll(file), expected);
    EXPECT_EQ(p.GetString("Global", "other", ""), "keep me");
    EXPECT_EQ(p.GetString("Extra", "a", ""), "b");
    EXPECT_EQ(p.GetString("Extra", "c", ""), "d");
}

TEST(Profile, RejectsWhatCannotBeStored) {
    test::TempDir tmp;
    Profile p(tmp / "q.ini");
    EXPECT_FALSE(p.WriteString("Global", "k", "a\r\nb"));
    EXPECT_FALSE(p.WriteString("Glo]bal", "k", "v"));
    EXPECT_FALSE(p.WriteString("Global", "k=", "v"));
    EXPECT_FALSE(p.WriteString("Global", " k", "v"));
    EXPECT_FALSE(p.WriteString("", "k", "v"));
    EXPECT_FALSE(p.WriteString("Global", "", "v"));
    EXPECT_FALSE(std::filesystem::exists(tmp / "q.ini"));
}

TEST(Profile, DefaultPath) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    setenv("XDG_CONFIG_HOME", "/x/config", 1);
    EXPECT_EQ(Profile::DefaultPath(), std::filesystem::path("/x/config/qxkat.ini"));
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(Profile::DefaultPath(), std::filesystem::path("/home/u/.config/qxkat.ini"));
    if (oldXdg)
        setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    if (oldHome)
        setenv("HOME", savedHome.c_str(), 1);
    else
        unsetenv("HOME");
}

TEST(ProfileText, LookupAndReplaceRoundTrip) {
    EXPECT_FALSE(ProfileLookup("", "a", "b"));
    EXPECT_FALSE(ProfileLookup("[a]\nb", "a", "b"));
    EXPECT_EQ(ProfileLookup("\xEF\xBB\xBF[a]\nb=1", "a", "b"), "1");
    EXPECT_EQ(ProfileLookup("[a\nb=1\n[a]\nb=2", "a", "b"), "2"); // "[a" is no header
    const auto t = ProfileReplace("x=1", "S", "k", "v");
    ASSERT_TRUE(t);
    EXPECT_EQ(*t, "x=1\r\n[S]\r\nk=v\r\n");
    EXPECT_EQ(ProfileLookup(*t, "s", "K"), "v");
    EXPECT_FALSE(ProfileReplace("", "S", "k", "a\nb"));
    // A file ending in a lone CR: the CR is completed, not left in the value.
    EXPECT_EQ(ProfileReplace("[S]\r\na=1\r", "S", "b", "2"), "[S]\r\na=1\r\nb=2\r\n");
    EXPECT_EQ(ProfileReplace("[S]\r\na=1\r", "T", "b", "2"), "[S]\r\na=1\r\n[T]\r\nb=2\r\n");
}

} // namespace
} // namespace qx
