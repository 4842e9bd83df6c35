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
// $HOME/qxkat. Tests may redirect it.
std::filesystem::path DriveRoot();
void SetDriveRootForTesting(const std::filesystem::path& root);

// Turns a backslash path into a real path: "\" and "/" both separate, a drive
// prefix "X:\" maps to DriveRoot(), and each existing component is matched
// case-insensitively (ASCII letters) against the directory entries, since
// catalogue CDs mix letter case freely. Components that do not exist (a file
// about to be created) are kept as written. Never throws.
std::filesystem::path ResolvePath(std::string_view windowsPath);

// The internal (backslash) form of a real path; directories get no trailing
// separator unless asked for.
std::string ToWindowsPath(const std::filesystem::path& path, bool trailingSeparator = false);

// True when the resolved path names an existing regular file.
bool FileExists(std::string_view windowsPath);

// The directory part of a backslash path, without the trailing backslash
// ("C:\a\b.stk" -> "C:\a"); empty when there is none.
std::string DirectoryOf(std::string_view windowsPath);

// Case-insensitive comparison of ASCII letters.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

} // namespace qx
