#include "platform/core/FileIo.h"

#include "platform/core/Path.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace qx {

namespace {

std::mutex g_failMutex;
std::function<bool(const fs::path&, WriteStep)> g_fail;
int g_failError = EIO;

// The simulated error of a step that is to fail, else 0.
int InjectedError(const fs::path& path, WriteStep step) {
    std::function<bool(const fs::path&, WriteStep)> fail;
    int error;
    {
        std::lock_guard lock(g_failMutex);
        fail = g_fail;
        error = g_failError;
    }
    return fail && fail(path, step) ? error : 0;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a failure here is not worth reporting,
// since the new contents are already in place.
void SyncDirectory(const fs::path& dir) {
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool ReadFileInPieces(const fs::path& path, const std::function<void(std::string_view)>& piece,
                      std::uint64_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return false;
    }
    std::vector<char> buffer(std::size_t{1} << 20);
    std::uint64_t total = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        // A file that grows while it is read is held to the same limit.
        if (static_cast<std::uint64_t>(n) > maxBytes - total) {
            ::close(fd);
            return false;
        }
        total += static_cast<std::uint64_t>(n);
        piece(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    }
    ::close(fd);
    return true;
}

std::optional<std::string> ReadWholeFile(const fs::path& path, std::uint64_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    std::string out;
    out.reserve(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        // A file that grows while it is read is held to the same limit.
        if (static_cast<std::uint64_t>(n) > maxBytes - out.size()) {
            ::close(fd);
            return std::nullopt;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return out;
}

namespace {

// A new account has no stand-in drive yet: a save there would fail on the
// first day for want of a folder nobody else creates.
void MakeStandInFolder(const fs::path& dir) {
    const fs::path root = DriveRoot().lexically_normal();
    const fs::path normal = dir.lexically_normal();
    const auto [r, d] = std::mismatch(root.begin(), root.end(), normal.begin(), normal.end());
    if (r != root.end() && !(std::next(r) == root.end() && r->empty()))
        return; // not below the stand-in
    std::error_code ec;
    fs::create_directories(normal, ec);
}

} // namespace

bool WriteFileAtomic(const fs::path& path, std::string_view bytes) {
    return WriteFileAtomic(path, [bytes](const std::function<bool(std::string_view)>& write) { return write(bytes); });
}

bool WriteFileAtomic(const fs::path& path,
                     const std::function<bool(const std::function<bool(std::string_view)>&)>& produce) {
    if (path.empty() || !path.has_filename()) {
        errno = EINVAL;
        return false;
    }
    fs::path temp = path;
    temp += ".tmp-" + std::to_string(::getpid());

    // A replaced file keeps its permissions; a new one gets the usual 0666 & ~umask.
    mode_t mode = 0666;
    struct stat st {};
    const bool existed = ::stat(path.c_str(), &st) == 0;
    if (existed) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            return false;
        }
        mode = st.st_mode & 07777;
    }

    if (const int injected = InjectedError(path, WriteStep::Create)) {
        errno = injected;
        return false;
    }
    MakeStandInFolder(path.parent_path());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    // The first error wins: it is the one the user's trouble started with.
    int error = 0;
    auto step = [&](WriteStep s, auto&& action) {
        if (error != 0)
            return;
        if (const int injected = InjectedError(path, s)) {
            if (s == WriteStep::Write) // half of the first piece, as a filling disk takes
                produce([fd](std::string_view piece) {
                    WriteAll(fd, piece.data(), piece.size() / 2);
                    return false;
                });
            error = injected;
        } else if (!action()) {
            error = errno != 0 ? errno : EIO;
        }
    };
    step(WriteStep::Write, [&] {
        return produce([fd](std::string_view piece) { return WriteAll(fd, piece.data(), piece.size()); });
    });
    step(WriteStep::Flush, [&] { return ::fsync(fd) == 0; });
    if (existed && error == 0)
        ::fchmod(fd, mode); // open() applied the umask; the old file's mode is what counts
    // Closed whatever happened before, or the descriptor leaks.
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    step(WriteStep::Close, [&] {
        errno = closeError;
        return closeError == 0;
    });
    step(WriteStep::Rename, [&] { return ::rename(temp.c_str(), path.c_str()) == 0; });
    if (error != 0) {
        ::unlink(temp.c_str());
        errno = error;
        return false;
    }
    SyncDirectory(path.parent_path());
    return true;
}

bool CopyFileAtomic(const fs::path& from, const fs::path& to) {
    const std::optional<std::string> bytes = ReadWholeFile(from);
    return bytes && WriteFileAtomic(to, *bytes);
}

void SetWriteFailureForTesting(std::function<bool(const fs::path&, WriteStep)> fail, int error) {
    std::lock_guard lock(g_failMutex);
    g_fail = std::move(fail);
    g_failError = error;
}

void SetWriteFailureForTesting(std::function<bool(const fs::path&)> fail) {
    if (!fail) {
        ClearWriteFailureForTesting();
        return;
    }
    SetWriteFailureForTesting(
        [fail = std::move(fail)](const fs::path& p, WriteStep step) {
            return step == WriteStep::Write && fail(p);
        },
        ENOSPC);
}

void ClearWriteFailureForTesting() { SetWriteFailureForTesting(std::function<bool(const fs::path&, WriteStep)>()); }

} // namespace qx
