#pragma once
// One temporary folder per fuzzing process, made on first use (name prefix
// given then) and removed when the process ends.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace qx::fuzz {

inline const std::filesystem::path& ProcessTempDir(const char* prefix) {
    static std::filesystem::path root;
    if (root.empty()) {
        std::string name = (std::filesystem::temp_directory_path() / (std::string(prefix) + "_XXXXXX")).string();
        const char* made = mkdtemp(name.data());
        if (!made)
            std::abort();
        root = made;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(root, ec);
        });
    }
    return root;
}

} // namespace qx::fuzz
