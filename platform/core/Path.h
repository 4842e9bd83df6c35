#pragma once
// Paths as the catalogue builds them: Windows style, backslash separated
// ("<programDir>DATEN\LANG1\QX.PRS"). Internally a path is kept in that form;
// a Linux absolute path /a/b becomes \a\b. ResolvePath is the one place that
// turns such a path into a real file system path.

#include <filesystem>
#include <string>
#include <string_view>

namespace qx {

// The host directory that stands for drive "C:\" (and any other drive letter):
// $HOME/qxkat. Tests may redirect it; an empty path restores the default.
std::filesystem::path DriveRoot();
void SetDriveRootForTesting(const std::filesystem::path& root);

// The user's home folder ($HOME), else the current directory.
std::filesystem::path HomeFolder();

// Turns a backslash path into a real path: "\" and "/" both separate, a drive
// prefix "X:\" maps to DriveRoot(), and each existing component is matched
// case-insensitively (ASCII letters) against the directory entries, since
// catalogue CDs mix letter case freely. Components that do not exist (a file
// about to be created) are kept as written, and so is everything after the
// first missing one. Where an exact match exists it wins; else the all upper
// case spelling, else the all lower case one, else the (byte-wise) smallest
// of the names that match. A leading "\" is
// the file system root; a relative path is taken from the current directory
// (the result is absolute). "." is dropped, ".." goes up one level but never
// above the drive root or "/". An empty path gives an empty path. Never throws.
std::filesystem::path ResolvePath(std::string_view windowsPath);

// The internal (backslash) form of a real path: "/a/b" -> "\a\b" (paths under
// DriveRoot() are not turned back into "C:\"). No trailing separator unless
// asked for; the root stays "\".
std::string ToWindowsPath(const std::filesystem::path& path, bool trailingSeparator = false);

// A path as the user knows it, for pages and messages: resolved, "/"
// separated, its names decoded as the file system stores them (UTF-8) and
// put into the display code page.
std::string DisplayPath(std::string_view windowsPath);

// True when the resolved path names an existing regular file.
bool FileExists(std::string_view windowsPath);

// The directory part of a backslash path, without the trailing backslash
// ("C:\a\b.stk" -> "C:\a"); "/" counts as a separator too; empty when
// there is none.
std::string DirectoryOf(std::string_view windowsPath);

// Case-insensitive comparison of ASCII letters.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

} // namespace qx
