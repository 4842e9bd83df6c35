// Files: Windows paths on this file system, whole-file writes with their fault
// seam, the stamp that tells a file changed by someone else, the profile, and
// the file filters and answers of the user interface without a display.
#include "platform/core/FileIo.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Path.h"
#include "platform/core/Profile.h"
#include "platform/core/ScriptedUi.h"
#include "tests/common/TempDir.h"
#include "tests/common/WriteFaults.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <tuple>
#include <unistd.h>
#include <sys/resource.h>
#include <sys/stat.h>

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
        {"C:\\", ""}, {"c:\\DATEN", "DATEN"}, {"D:/daten", "DATEN"}, {"C:daten", "DATEN"},
        {"C:\\DATEN\\LANG1\\QX.PRS", "DATEN/lang1/QX.prs"},
        {"C:\\daten\\Lang1\\bilder\\A.bmp", "DATEN/lang1/Bilder/a.BMP"},
        {"C:/daten//lang1/./qx.prs", "DATEN/lang1/QX.prs"},
        {"C:\\daten\\LANG1\\New\\Sub\\File.STK", "DATEN/lang1/New/Sub/File.STK"},
        {"C:\\Nope\\..\\daten", "daten"}, // after a missing component nothing is matched
        {"C:\\DATEN\\LANG1\\..\\lang1\\qx.prs", "DATEN/lang1/QX.prs"}, {"C:\\..\\..\\daten", "DATEN"},
    };
    for (const auto& [windows, found] : cases)
        EXPECT_EQ(ResolvePath(windows), *found ? tmp / found : tmp.Path()) << windows;
    EXPECT_EQ(ResolvePath("\\..\\tmp"), fs::path("/tmp"));
    EXPECT_TRUE(FileExists("C:\\DATEN\\LANG1\\QX.PRS"));
    for (const char* notAFile : {"C:\\DATEN\\LANG1", "C:\\DATEN\\LANG1\\nothing", ""})
        EXPECT_FALSE(FileExists(notAFile)) << notAFile;

    // Rooted and relative paths.
    const std::string rooted = ToWindowsPath(tmp / "DATEN");
    EXPECT_EQ(ResolvePath(rooted + "\\LANG1\\qx.prs"), tmp / "DATEN/lang1/QX.prs");
    fs::current_path(tmp / "DATEN");
    EXPECT_EQ(ResolvePath("LANG1\\QX.PRS"), tmp / "DATEN/lang1/QX.prs");
    EXPECT_EQ(ResolvePath("..\\daten"), tmp / "DATEN");
    EXPECT_EQ(ResolvePath("1:x"), tmp / "DATEN/1:x"); // drives are letters
    EXPECT_EQ(ResolvePath(""), fs::path());

    SetDriveRootForTesting({});
    if (const char* home = std::getenv("HOME"); home && *home) {
        EXPECT_EQ(DriveRoot(), fs::path(home) / "qxkat");
    }
}

TEST_F(PathTest, ExactMatchWinsThenUpperThenLowerThenTheSmallestName) {
    tmp.Write("DATEN/lang1/qx.prs", "y");
    tmp.Write("DATEN/lang1/za.prs", "y");
    for (const char* name : {"QX.prs", "qx.prs"})
        EXPECT_EQ(ResolvePath(std::string("C:\\DATEN\\lang1\\") + name), tmp / "DATEN/lang1" / name);
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\za.Prs"), tmp / "DATEN/lang1/za.prs");
    tmp.Write("DATEN/lang1/ZA.PRS", "z"); // both ends of the alphabet
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\za.Prs"), tmp / "DATEN/lang1/ZA.PRS");
    tmp.Write("DATEN/lang1/Readme.Txt", "z");
    tmp.Write("DATEN/lang1/readMe.txT", "z");
    EXPECT_EQ(ResolvePath("C:\\DATEN\\lang1\\README.txt"), tmp / "DATEN/lang1/Readme.Txt");
}

TEST(Path, TextHelpers) {
    const std::pair<fs::path, const char*> windows[] = {{"/a/b", "\\a\\b"}, {"/a/b/", "\\a\\b"}, {"/", "\\"},
                                                         {"a/b", "a\\b"}};
    for (const auto& [path, text] : windows)
        EXPECT_EQ(ToWindowsPath(path), text) << path;
    EXPECT_EQ(ToWindowsPath("/a/b", true) + ToWindowsPath("/", true), "\\a\\b\\\\");
    for (const auto& [path, dir] : {std::pair{"C:\\a\\b.stk", "C:\\a"}, {"C:\\b.stk", "C:"}, {"a/b/c", "a/b"},
                                    {"b.stk", ""}, {"", ""}})
        EXPECT_EQ(DirectoryOf(path), dir) << path;
    // Both ends of the alphabet; ASCII letters only.
    for (const auto& [a, b, equal] : {std::tuple{"QX.PRS", "qx.prs", true}, {"AZ", "az", true}, {"", "", true},
                                      {"qx", "qy", false}, {"qx", "qx ", false}, {"\xC4", "\xE4", false}})
        EXPECT_EQ(EqualsIgnoreCase(a, b), equal) << a << " " << b;
}

using test::ReadAll;

TEST(FileIo, WriteAndReadKeepingPermissions) {
    test::TempDir tmp;
    const auto file = tmp / "a.bin";
    EXPECT_FALSE(ReadWholeFile(file) || ReadWholeFile(tmp.Path())); // a directory is no file
    EXPECT_FALSE(WriteFileAtomic(tmp.Path(), "x") || WriteFileAtomic(tmp / "missing/dir/a.bin", "x"));
    errno = 0;
    EXPECT_TRUE(!WriteFileAtomic(tmp / "new/", "x") && errno == EINVAL); // a folder's name, not a file's
    for (const std::string& bytes : {std::string("a\0b\r\n", 5), std::string(), std::string("second")}) {
        ASSERT_TRUE(WriteFileAtomic(file, bytes));
        EXPECT_EQ(ReadWholeFile(file), bytes);
    }
    // Refused in pieces: a folder, a device, a file past the cap or growing past it, one that fails to read.
    std::string pieces;
    const auto take = [&pieces](std::string_view piece) { pieces += piece; };
    EXPECT_FALSE(ReadFileInPieces(tmp.Path(), take, 100) || ReadFileInPieces(file, take, 5) ||
                 ReadFileInPieces("/proc/self/mem", take, 100) || ReadFileInPieces("/dev/null", take, 100) ||
                 ReadFileInPieces("/proc/self/status", take, 100));
    EXPECT_TRUE(ReadFileInPieces(file, take, 6) && pieces == "second");
    // Group write is what a usual umask would take from a new file.
    using std::filesystem::perms;
    const perms shared = perms::owner_read | perms::owner_write | perms::group_read | perms::group_write;
    std::filesystem::permissions(file, shared);
    const mode_t umaskBefore = ::umask(022);
    const bool written = WriteFileAtomic(file, "y");
    ::umask(umaskBefore);
    EXPECT_TRUE(written && std::filesystem::status(file).permissions() == shared && ReadWholeFile(file) == "y");
    // Started with standard input closed, a file opened may be descriptor 0.
    const int in = ::dup(0);
    ::close(0);
    const bool closedIn = WriteFileAtomic(file, "z") && ReadWholeFile(file) == "z";
    ::dup2(in, 0);
    EXPECT_TRUE(closedIn && ::close(in) == 0);
}

// Every fault, at every writer of this library: the old file stays byte for
// byte, no temporary is left, errno says why, other files are written.
TEST(FileIo, EveryFaultKeepsTheOldFile) {
    test::TempDir tmp;
    const auto list = tmp.Write("list.stk", "old contents");
    const auto copy = tmp.Write("qx.prs", "old prices");
    const auto source = tmp.Write("new.prs", "new prices, longer than the old ones");
    const auto ini = tmp.Write("q.ini", "[Global]\r\nlanguage=1\r\n");
    Profile profile(ini);
    int told = 0;
    profile.SetWriteFailureHandler([&told] { ++told; });
    for (const test::WriteFault& fault : test::kWriteFaults) {
        SCOPED_TRACE(fault.name);
        {
            test::ScopedWriteFault f(list, fault);
            errno = 0;
            EXPECT_FALSE(WriteFileAtomic(list, "new contents that are longer"));
            EXPECT_EQ(errno, fault.error);
            EXPECT_TRUE(WriteFileAtomic(tmp / "other.stk", "fine"));
        }
        {
            test::ScopedWriteFault f(copy, fault);
            EXPECT_FALSE(CopyFileAtomic(source, copy));
        }
        {
            test::ScopedWriteFault f(ini, fault);
            EXPECT_FALSE(profile.WriteString("Global", "language", "2"));
            EXPECT_TRUE(profile.WriteString("Global", "language", "1")); // unchanged: nothing to write
        }
        EXPECT_EQ(std::tuple(ReadAll(list), ReadAll(copy), ReadAll(ini)),
                  std::tuple("old contents", "old prices", "[Global]\r\nlanguage=1\r\n"));
        for (const auto& file : {list, copy, ini})
            EXPECT_FALSE(test::TemporaryLeftBeside(file)) << file;
    }
    // A write the system itself refuses (past the file size limit here) keeps the old file too.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit was{}, small{};
    ::getrlimit(RLIMIT_FSIZE, &was);
    small = {100, was.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteFileAtomic(list, std::string(1000, 'x'));
    const int why = errno;
    ::setrlimit(RLIMIT_FSIZE, &was);
    EXPECT_TRUE(!written && why == EFBIG && ReadAll(list) == "old contents");
    EXPECT_FALSE(profile.WriteString("Global", "k", "a\nb")); // refused, not failed: nobody to tell
    EXPECT_EQ(told, static_cast<int>(std::size(test::kWriteFaults)));
    EXPECT_EQ(ReadAll(tmp / "other.stk"), "fine");
    ASSERT_TRUE(CopyFileAtomic(source, copy));
    EXPECT_FALSE(CopyFileAtomic(tmp / "missing.prs", copy));
    EXPECT_EQ(ReadAll(copy), ReadAll(source));
}

TEST(FileStamp, NoticesAnyChangeSinceItWasTaken) {
    test::TempDir tmp;
    const auto file = tmp.Write("list.stk", "QX0002abc");
    const FileStamp loaded = FileStamp::Read(file);
    EXPECT_TRUE(loaded.Exists() && loaded == FileStamp::Of("QX0002abc") && FileStamp::Read(file) == loaded);

    // Same size, same modification time: only the contents tell.
    const auto time = std::filesystem::last_write_time(file);
    tmp.Write("list.stk", "QX0002abd");
    std::filesystem::last_write_time(file, time);
    EXPECT_NE(FileStamp::Read(file), loaded);
    tmp.Write("list.stk", "QX0002abc");
    EXPECT_EQ(FileStamp::Read(file), loaded); // the same bytes again are no change

    // Deleted, and created: an empty file is not a missing one.
    std::filesystem::remove(file);
    EXPECT_TRUE(FileStamp::Read(file) == FileStamp() && !FileStamp::Read(file).Exists());
    tmp.Write("list.stk", "");
    EXPECT_TRUE(FileStamp::Read(file) != FileStamp() && FileStamp::Read(file) == FileStamp::Of(""));
}

TEST(Profile, ReadsWindowsAndSloppyFilesAndGivesDefaults) {
    test::TempDir tmp;
    Profile none(tmp / "none.ini");
    EXPECT_EQ(none.GetString("Global", "language", "def   "), "def"); // Windows drops the trailing blanks
    EXPECT_EQ(none.GetInt("Global", "pricemode", 7), 7);
    EXPECT_FALSE(std::filesystem::exists(tmp / "none.ini"));

    const std::string longValue(300, 'x');
    Profile p(tmp.Write("q.ini", "; comment\r\n[Global]\r\nlanguage=3\r\n  PriceMode =  1  \r\nempty=\r\nnovalue\r\n"
                                 "neg=-12abc\r\nbig=99999999999\r\nlow=-2147483647\r\njunk=abc\r\n\r\n[ Paths ]\nstk=C:\\Orders\\\n"
                                 "q1=\"quoted value\"\nq2='single'\nq3=\"unbalanced\nq4=\"\nq5=\"\"\n;stk=commented\n"
                                 "long=" + longValue + "\n[global]\nlate=1\n"));
    const std::tuple<const char*, const char*, const char*, const char*> strings[] = {
        {"Global", "language", "", "3"}, {"global", "pricemode", "", "1"}, {"Global", "empty", "d", ""},
        {"Global", "novalue", "d", "d"}, {"Paths", "stk", "", "C:\\Orders\\"},
        {"Paths", "q1", "", "quoted value"}, {"Paths", "q2", "", "single"},
        {"Paths", "q3", "", "\"unbalanced"}, {"Paths", "q4", "", "\""}, {"Paths", "q5", "d", ""},
        // Keys are only looked for in the first section of the name.
        {"Global", "late", "no", "no"}, {"Paths", "language", "no", "no"}, {"", "language", "no", "no"}};
    for (const auto& [section, key, fallback, value] : strings)
        EXPECT_EQ(p.GetString(section, key, fallback), value) << section << "/" << key;
    EXPECT_EQ((std::vector<int>{p.GetInt("GLOBAL", "LANGUAGE", 0), p.GetInt("Global", "empty", 5),
                                p.GetInt("Global", "neg", 0), p.GetInt("Global", "big", 0), p.GetInt("Global", "junk", 5),
                                p.GetInt("Global", "low", 0)}),
              (std::vector<int>{3, 5, -12, 2147483647, 0, -2147483647}));
    // The buffer limit, as with Windows: the size includes the terminating NUL.
    for (const auto& [size, length] : {std::pair{std::size_t{10}, 9u}, {1, 0u}, {0, 0u}, {300, 299u}, {1000, 300u}})
        EXPECT_EQ(p.GetString("Paths", "long", "", size), std::string(length, 'x')) << size;
    EXPECT_EQ(p.GetString("Paths", "long", "").size(), 127u);
    EXPECT_EQ(p.GetString("Paths", "none", "abcdef", 4), "abc");
}

TEST(Profile, WritesCreateTheFileAndPreserveEverythingElse) {
    test::TempDir tmp;
    Profile fresh(tmp / "sub/dir/qxkat.ini");
    for (const auto& [section, key, value, file] :
         {std::tuple{"Global", "language", "2", "[Global]\r\nlanguage=2\r\n"},
          {"Paths", "stk", "C:\\a", "[Global]\r\nlanguage=2\r\n[Paths]\r\nstk=C:\\a\r\n"},
          {"Global", "pricemode", "1", "[Global]\r\nlanguage=2\r\npricemode=1\r\n[Paths]\r\nstk=C:\\a\r\n"}}) {
        ASSERT_TRUE(fresh.WriteString(section, key, value));
        EXPECT_EQ(ReadAll(fresh.File()), file);
    }
    EXPECT_EQ(std::pair(fresh.GetInt("Global", "pricemode", 0), fresh.GetString("paths", "STK", "")), std::pair(1, std::string("C:\\a")));

    const std::string original = "; qxkat\r\n[Global]\n  Language = 1 \r\nother=keep me   \r\n\r\n"
                                 "; about paths\r\n[Paths]\r\nstk=C:\\x\r\n[Extra]\r\na=b";
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
    EXPECT_EQ(p.GetString("Global", "other", "") + p.GetString("Extra", "a", "") + p.GetString("Extra", "c", ""),
              "keep mebd");

    // What cannot be stored is refused, and no file is made for it.
    Profile refusing(tmp / "refused.ini");
    for (const auto& [section, key, value] : {std::tuple{"Global", "k", "a\r\nb"}, {"Glo]bal", "k", "v"},
                                              {"Global", "k=", "v"}, {"Global", " k", "v"}, {"", "k", "v"},
                                              {"Global", "", "v"}})
        EXPECT_FALSE(refusing.WriteString(section, key, value)) << section << "/" << key;
    EXPECT_FALSE(std::filesystem::exists(tmp / "refused.ini"));
    EXPECT_FALSE(Profile(tmp.Path()).WriteString("Global", "k", "v")); // a folder in its place cannot be read
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
    // No value without a key line; a comment line is none.
    EXPECT_FALSE(ProfileLookup("", "a", "b") || ProfileLookup("[a]\nb", "a", "b") ||
                 ProfileLookup("[a]\n;b=1", "a", ";b"));
    EXPECT_EQ(ProfileLookup("\xEF\xBB\xBF[a]\nb=1", "a", "b"), "1");
    EXPECT_EQ(ProfileLookup("[a\nb=1\n[a]\nb=2", "a", "b"), "2"); // "[a" is no header
    EXPECT_EQ(ProfileReplace("x=1", "S", "k", "v"), "x=1\r\n[S]\r\nk=v\r\n");
    EXPECT_EQ(ProfileReplace("[S]\nk=1\nk=2", "S", "k", "3"), "[S]\nk=3\nk=2"); // the first, which is read
    EXPECT_EQ(ProfileLookup("x=1\r\n[S]\r\nk=v\r\n", "s", "K"), "v");
    EXPECT_FALSE(ProfileReplace("", "S", "k", "a\nb"));
    // A file ending in a lone CR: the CR is completed, not left in the value.
    EXPECT_EQ(ProfileReplace("[S]\r\na=1\r", "S", "b", "2"), "[S]\r\na=1\r\nb=2\r\n");
    EXPECT_EQ(ProfileReplace("[S]\r\na=1\r", "T", "b", "2"), "[S]\r\na=1\r\n[T]\r\nb=2\r\n");
}

TEST(Ui, NullUiAnswersWithoutShowingAnything) {
    Ui& ui = TheUi();
    EXPECT_EQ((std::vector<int>{ui.MessageBox("text", "caption", MB_OK | MB_ICONINFORMATION),
                                ui.MessageBox("text", "caption", MB_YESNO),
                                ui.MessageBox("text", "caption", MB_OKCANCEL | MB_ICONEXCLAMATION)}),
              (std::vector<int>{IDOK, IDCANCEL, IDCANCEL}));
    EXPECT_FALSE(ui.GetOpenFileName({}) || ui.GetSaveFileName({}) || ui.ShellOpen("C:\\a.pdf") ||
                 ui.RunProgram("C:\\a.exe /x"));

    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(ParseFileFilter("Bestellliste (*.stk) | *.stk ||"), (Pairs{{"Bestellliste (*.stk)", "*.stk"}}));
    EXPECT_EQ(ParseFileFilter("A|*.a|B|*.b;*.c||ignored|*.x"), (Pairs{{"A", "*.a"}, {"B", "*.b;*.c"}}));
    EXPECT_EQ(ParseFileFilter("A|*.a|B"), (Pairs{{"A", "*.a"}}));
    EXPECT_TRUE(ParseFileFilter("").empty() && ParseFileFilter("||").empty());
}

} // namespace
} // namespace qx
