#pragma once
// Whole-file reading and writing. Every save writes a temporary file beside
// the target and renames it over the old one, so a failed save never destroys
// what was there.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// Nothing when the file is missing, is not a regular file or cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes the bytes atomically: "<name>.tmp-<pid>" beside the target, fsync,
// rename over the target (which keeps its permissions). False on any failure,
// the temporary file then removed and the old file intact. The directory
// must exist.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Test seam: while set, WriteFileAtomic fails for every path for which the
// predicate answers true (after writing part of the temporary file).
void SetWriteFailureForTesting(std::function<bool(const std::filesystem::path&)> fail);

} // namespace qx
