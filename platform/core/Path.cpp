#include "platform/core/Path.h"

#include "platform/core/CodePage.h"

#include <cstdlib>
#include <mutex>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace qx {

namespace {

std::mutex g_rootMutex;
fs::path g_driveRootOverride;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool Exists(const fs::path& p) {
    std::error_code ec;
    // symlink_status: a dangling link still names an entry.
    return fs::exists(fs::symlink_status(p, ec));
}

// The name of the entry of dir that matches name case-insensitively, or
// empty. The two spellings CDs use (all upper, all lower case) are tried
// first, which spares a directory scan in nearly every case; among several
// scanned matches the smallest name wins, so the result never depends on
// the order of the directory.
std::string FindIgnoringCase(const fs::path& dir, const std::string& name) {
    std::string lower = name, upper = name;
    for (auto& c : lower)
        c = LowerAscii(c);
    for (auto& c : upper)
        c = UpperAscii(c);
    if (upper != name && Exists(dir / upper))
        return upper;
    if (lower != name && Exists(dir / lower))
        return lower;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    std::string best;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (EqualsIgnoreCase(entry, name) && (best.empty() || entry < best))
            best = std::move(entry);
    }
    return best;
}

} // namespace

fs::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return fs::path(home);
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    return ec ? fs::path(".") : cwd;
}

fs::path DriveRoot() {
    {
        std::lock_guard lock(g_rootMutex);
        if (!g_driveRootOverride.empty())
            return g_driveRootOverride;
    }
    return HomeFolder() / "qxkat";
}

void SetDriveRootForTesting(const fs::path& root) {
    std::lock_guard lock(g_rootMutex);
    g_driveRootOverride = root;
}

fs::path ResolvePath(std::string_view windowsPath) {
    if (windowsPath.empty())
        return {};
    fs::path result;
    std::size_t minDepth = 0; // ".." never climbs above a drive root or "/"
    std::string_view rest = windowsPath;
    if (rest.size() >= 2 && IsDriveLetter(rest[0]) && rest[1] == ':') {
        // "X:\..." and the drive-relative "X:..." both start at the drive root.
        result = DriveRoot();
        rest.remove_prefix(2);
    } else if (IsSeparator(rest[0])) {
        result = "/";
    } else {
        std::error_code ec;
        result = fs::current_path(ec);
        if (ec)
            result = ".";
    }
    std::vector<fs::path> stack{result};
    minDepth = stack.size();
    const bool relative = !IsSeparator(windowsPath[0]) &&
                          !(windowsPath.size() >= 2 && IsDriveLetter(windowsPath[0]) && windowsPath[1] == ':');

    bool missing = false; // once a component is missing, the rest is kept as written
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && IsSeparator(rest[i]))
            ++i;
        std::size_t j = i;
        while (j < rest.size() && !IsSeparator(rest[j]))
            ++j;
        if (j == i)
            break;
        const std::string name(rest.substr(i, j - i));
        i = j;
        if (name == ".")
            continue;
        if (name == "..") {
            if (stack.size() > minDepth) {
                stack.pop_back();
            } else if (relative) {
                // A relative path may climb above the current directory.
                fs::path parent = stack.back().parent_path();
                stack.back() = parent.empty() ? stack.back() : parent;
            }
            continue;
        }
        const fs::path& dir = stack.back();
        if (!missing && !Exists(dir / name)) {
            const std::string found = FindIgnoringCase(dir, name);
            if (!found.empty()) {
                stack.push_back(dir / found);
                continue;
            }
            missing = true;
        }
        stack.push_back(dir / name);
    }
    return stack.back();
}

std::string ToWindowsPath(const fs::path& path, bool trailingSeparator) {
    std::string s = path.string();
    for (auto& c : s)
        if (c == '/')
            c = '\\';
    // No trailing separator unless asked for, except for the root itself.
    while (s.size() > 1 && s.back() == '\\')
        s.pop_back();
    if (trailingSeparator && (s.empty() || s.back() != '\\'))
        s.push_back('\\');
    return s;
}

std::string DisplayPath(std::string_view windowsPath) {
    return FromUtf8(ResolvePath(windowsPath).string(), AnsiCodePage());
}

bool FileExists(std::string_view windowsPath) {
    if (windowsPath.empty())
        return false;
    std::error_code ec;
    return fs::is_regular_file(ResolvePath(windowsPath), ec);
}

std::string DirectoryOf(std::string_view windowsPath) {
    const std::size_t pos = windowsPath.find_last_of("\\/");
    if (pos == std::string_view::npos)
        return {};
    return std::string(windowsPath.substr(0, pos));
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

} // namespace qx
