// Whole-file writes, their fault seam, and the stamp that tells a file
// changed by someone else.
#include "platform/core/FileIo.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Profile.h"

#include "tests/common/TempDir.h"
#include "tests/common/WriteFaults.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {
namespace {

using test::ReadAll;

TEST(FileIo, WriteAndReadKeepingPermissions) {
    test::TempDir tmp;
    const auto file = tmp / "a.bin";
    EXPECT_FALSE(ReadWholeFile(file));
    EXPECT_FALSE(ReadWholeFile(tmp.Path())); // a directory is no file
    EXPECT_FALSE(WriteFileAtomic(tmp.Path(), "x"));
    EXPECT_FALSE(WriteFileAtomic(tmp / "missing/dir/a.bin", "x"));
    for (const std::string& bytes : {std::string("a\0b\r\n", 5), std::string("second"), std::string()}) {
        ASSERT_TRUE(WriteFileAtomic(file, bytes));
        EXPECT_EQ(ReadWholeFile(file), bytes);
    }
    // Group write is what a usual umask would take from a new file.
    using std::filesystem::perms;
    const perms shared = perms::owner_read | perms::owner_write | perms::group_read | perms::group_write;
    std::filesystem::permissions(file, shared);
    const mode_t umaskBefore = ::umask(022);
    const bool written = WriteFileAtomic(file, "y");
    ::umask(umaskBefore);
    ASSERT_TRUE(written);
    EXPECT_EQ(std::filesystem::status(file).permissions(), shared);
    EXPECT_EQ(ReadWholeFile(file), "y");
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
        }
        EXPECT_EQ(ReadAll(list), "old contents");
        EXPECT_EQ(ReadAll(copy), "old prices");
        EXPECT_EQ(ReadAll(ini), "[Global]\r\nlanguage=1\r\n");
        for (const auto& file : {list, copy, ini})
            EXPECT_FALSE(test::TemporaryLeftBeside(file)) << file;
    }
    EXPECT_EQ(told, static_cast<int>(std::size(test::kWriteFaults)));
    EXPECT_FALSE(profile.WriteString("Global", "k", "a\nb")); // refused, not failed: nobody to tell
    EXPECT_EQ(told, static_cast<int>(std::size(test::kWriteFaults)));
    EXPECT_EQ(ReadAll(tmp / "other.stk"), "fine");
    ASSERT_TRUE(CopyFileAtomic(source, copy));
    EXPECT_EQ(ReadAll(copy), ReadAll(source));
    EXPECT_FALSE(CopyFileAtomic(tmp / "missing.prs", copy));
    EXPECT_EQ(ReadAll(copy), ReadAll(source));
}

// The real thing, where the process cannot write through a folder's mode.
TEST(FileIo, ReadOnlyFolder) {
    test::TempDir tmp;
    const auto file = tmp.Write("ro/list.stk", "old");
    ASSERT_EQ(::chmod((tmp / "ro").c_str(), 0555), 0);
    // Root, or a process allowed to override modes, writes there anyway.
    if (const int probe = ::open((tmp / "ro/probe").c_str(), O_WRONLY | O_CREAT, 0644); probe >= 0) {
        ::close(probe);
        GTEST_SKIP() << "this process writes into read-only folders";
    }
    errno = 0;
    EXPECT_FALSE(WriteFileAtomic(file, "new"));
    EXPECT_EQ(errno, EACCES);
    ::chmod((tmp / "ro").c_str(), 0755);
    EXPECT_EQ(ReadAll(file), "old");
}

TEST(FileStamp, NoticesAnyChangeSinceItWasTaken) {
    test::TempDir tmp;
    const auto file = tmp.Write("list.stk", "QX0002abc");
    const FileStamp loaded = FileStamp::Read(file);
    EXPECT_TRUE(loaded.Exists());
    EXPECT_EQ(loaded, FileStamp::Of("QX0002abc"));
    EXPECT_EQ(FileStamp::Read(file), loaded);

    // Same size, same modification time: only the contents tell.
    const auto time = std::filesystem::last_write_time(file);
    tmp.Write("list.stk", "QX0002abd");
    std::filesystem::last_write_time(file, time);
    EXPECT_NE(FileStamp::Read(file), loaded);
    tmp.Write("list.stk", "QX0002abc");
    EXPECT_EQ(FileStamp::Read(file), loaded); // the same bytes again are no change

    // Deleted, and created: an empty file is not a missing one.
    std::filesystem::remove(file);
    EXPECT_NE(FileStamp::Read(file), loaded);
    EXPECT_EQ(FileStamp::Read(file), FileStamp());
    EXPECT_FALSE(FileStamp::Read(file).Exists());
    tmp.Write("list.stk", "");
    EXPECT_NE(FileStamp::Read(file), FileStamp());
    EXPECT_EQ(FileStamp::Read(file), FileStamp::Of(""));
}

} // namespace
} // namespace qx
