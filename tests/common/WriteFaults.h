#pragma once
// The ways a save can fail, each at the step where it shows: for tests that
// run a writer into every one of them.

#include "platform/core/FileIo.h"

#include <cerrno>
#include <filesystem>
#include <string>

namespace qx::test {

struct WriteFault {
    const char* name;
    WriteStep step;
    int error;
};

inline constexpr WriteFault kWriteFaults[] = {
    {"read-only folder", WriteStep::Create, EROFS}, {"no permission", WriteStep::Create, EACCES},
    {"disk full", WriteStep::Write, ENOSPC},        {"flush fails", WriteStep::Flush, EIO},
    {"quota at close", WriteStep::Close, EDQUOT},   {"rename refused", WriteStep::Rename, EACCES},
};

// While it lives, every save to the file fails with the fault; other files are written as usual.
class ScopedWriteFault {
public:
    ScopedWriteFault(const std::filesystem::path& file, const WriteFault& fault) {
        SetWriteFailureForTesting([file = std::filesystem::weakly_canonical(file),
             step = fault.step](const std::filesystem::path& p, WriteStep s) {
                return s == step && std::filesystem::weakly_canonical(p) == file;
            }, fault.error);
    }
    ~ScopedWriteFault() { ClearWriteFailureForTesting(); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

// True when a save's temporary file was left beside the file.
inline bool TemporaryLeftBeside(const std::filesystem::path& file) {
    const std::string prefix = file.filename().string() + ".tmp-";
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
        if (entry.path().filename().string().starts_with(prefix))
            return true;
    }
    return false;
}

} // namespace qx::test
