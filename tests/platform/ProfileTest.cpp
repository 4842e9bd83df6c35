#include "platform/core/Profile.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qx {
namespace {

using test::ReadAll;

TEST(Profile, ReadsWindowsAndSloppyFilesAndGivesDefaults) {
    test::TempDir tmp;
    Profile none(tmp / "none.ini");
    EXPECT_EQ(none.GetString("Global", "language", "def   "), "def"); // Windows drops the trailing blanks
    EXPECT_EQ(none.GetInt("Global", "pricemode", 7), 7);
    EXPECT_FALSE(std::filesystem::exists(tmp / "none.ini"));

    const std::string longValue(300, 'x');
    Profile p(tmp.Write("q.ini", "; comment\r\n[Global]\r\nlanguage=3\r\n  PriceMode =  1  \r\nempty=\r\nnovalue\r\n"
                                 "neg=-12abc\r\nbig=99999999999\r\njunk=abc\r\n\r\n[ Paths ]\nstk=C:\\Orders\\\n"
                                 "q1=\"quoted value\"\nq2='single'\nq3=\"unbalanced\nq4=\"\n;stk=commented\n"
                                 "long=" + longValue + "\n[global]\nlate=1\n"));
    const struct {
        const char *section, *key, *fallback, *value;
    } strings[] = {{"Global", "language", "", "3"}, {"global", "pricemode", "", "1"}, {"Global", "empty", "d", ""},
                   {"Global", "novalue", "d", "d"}, {"Paths", "stk", "", "C:\\Orders\\"},
                   {"Paths", "q1", "", "quoted value"}, {"Paths", "q2", "", "single"},
                   {"Paths", "q3", "", "\"unbalanced"}, {"Paths", "q4", "", "\""},
                   // Keys are only looked for in the first section of the name.
                   {"Global", "late", "no", "no"}, {"Paths", "language", "no", "no"}, {"", "language", "no", "no"}};
    for (const auto& c : strings)
        EXPECT_EQ(p.GetString(c.section, c.key, c.fallback), c.value) << c.section << "/" << c.key;
    EXPECT_EQ((std::vector<int>{p.GetInt("GLOBAL", "LANGUAGE", 0), p.GetInt("Global", "empty", 5),
                                p.GetInt("Global", "neg", 0), p.GetInt("Global", "big", 0), p.GetInt("Global", "junk", 5)}),
              (std::vector<int>{3, 5, -12, 2147483647, 0}));
    // The buffer limit, as with Windows: the size includes the terminating NUL.
    for (const auto& [size, length] : {std::pair{std::size_t{10}, 9u}, {1, 0u}, {0, 0u}, {1000, 300u}})
        EXPECT_EQ(p.GetString("Paths", "long", "", size), std::string(length, 'x')) << size;
    EXPECT_EQ(p.GetString("Paths", "long", "").size(), 127u);
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
    for (const auto& [section, key, value] : {std::tuple{"Global", "k", "a\r\nb"}, {"Glo]bal", "k", "v"},
                                              {"Global", "k=", "v"}, {"Global", " k", "v"}, {"", "k", "v"},
                                              {"Global", "", "v"}})
        EXPECT_FALSE(p.WriteString(section, key, value)) << section << "/" << key;
    EXPECT_FALSE(std::filesystem::exists(tmp / "q.ini"));
}

TEST(Profile, DefaultPathFollowsTheXdgFolders) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
    setenv("XDG_CONFIG_HOME", "/x/config", 1);
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(Profile::DefaultPath(), std::filesystem::path("/x/config/qxkat.ini"));
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(Profile::DefaultPath(), std::filesystem::path("/home/u/.config/qxkat.ini"));
    if (oldXdg)
        setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    oldHome ? setenv("HOME", savedHome.c_str(), 1) : unsetenv("HOME");
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
