#include "platform/core/FileIo.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qx {

namespace {

std::mutex g_failMutex;
std::function<bool(const fs::path&, WriteStep)> g_fail;

bool ShouldFail(const fs::path& path, WriteStep step) {
    std::function<bool(const fs::path&, WriteStep)> fail;
    {
        std::lock_guard lock(g_failMutex);
        fail = g_fail;
    }
    return fail && fail(path, step);
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

bool WriteFileAtomic(const fs::path& path, std::string_view bytes) {
    if (path.empty() || !path.has_filename())
        return false;
    fs::path temp = path;
    temp += ".tmp-" + std::to_string(::getpid());

    // A replaced file keeps its permissions; a new one gets the usual 0666 & ~umask.
    mode_t mode = 0666;
    struct stat st {};
    const bool existed = ::stat(path.c_str(), &st) == 0;
    if (existed) {
        if (S_ISDIR(st.st_mode))
            return false;
        mode = st.st_mode & 07777;
    }

    if (ShouldFail(path, WriteStep::Create))
        return false;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    bool ok;
    if (ShouldFail(path, WriteStep::Write)) {
        WriteAll(fd, bytes.data(), bytes.size() / 2);
        ok = false;
    } else {
        ok = WriteAll(fd, bytes.data(), bytes.size()) && !ShouldFail(path, WriteStep::Flush) && ::fsync(fd) == 0;
    }
    if (existed && ok)
        ::fchmod(fd, mode); // open() applied the umask; the old file's mode is what counts
    if (::close(fd) != 0)
        ok = false;
    if (ok && (ShouldFail(path, WriteStep::Rename) || ::rename(temp.c_str(), path.c_str()) != 0))
        ok = false;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncDirectory(path.parent_path());
    return true;
}

void SetWriteFailureForTesting(std::function<bool(const fs::path&, WriteStep)> fail) {
    std::lock_guard lock(g_failMutex);
    g_fail = std::move(fail);
}

void SetWriteFailureForTesting(std::function<bool(const fs::path&)> fail) {
    if (!fail) {
        ClearWriteFailureForTesting();
        return;
    }
    SetWriteFailureForTesting(
        [fail = std::move(fail)](const fs::path& p, WriteStep step) { return step == WriteStep::Write && fail(p); });
}

void ClearWriteFailureForTesting() { SetWriteFailureForTesting(std::function<bool(const fs::path&, WriteStep)>()); }

} // namespace qx
