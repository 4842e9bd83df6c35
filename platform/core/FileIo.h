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

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes the bytes atomically. False on any failure; the old file is intact.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Test seam: while set, WriteFileAtomic fails for every path for which the
// predicate answers true (after writing part of the temporary file).
void SetWriteFailureForTesting(std::function<bool(const std::filesystem::path&)> fail);

} // namespace qx
