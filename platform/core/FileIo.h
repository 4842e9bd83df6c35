#pragma once
// Whole-file reading and writing. Every save writes a temporary file beside
// the target and renames it over the old one, so a failed save never destroys
// what was there.

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// The most ReadWholeFile reads unless told otherwise: every file read whole is
// held in memory at once, so a larger one is refused rather than read.
inline constexpr std::uint64_t kMaxWholeFileBytes = 256ull << 20;

// Nothing when the file is missing, is not a regular file, cannot be read or
// holds more than maxBytes.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         std::uint64_t maxBytes = kMaxWholeFileBytes);

// The same file given to piece in pieces of up to 1 MiB, never held whole;
// false where ReadWholeFile would give nothing (the pieces given by then
// are to be dropped).
bool ReadFileInPieces(const std::filesystem::path& path, const std::function<void(std::string_view)>& piece,
                      std::uint64_t maxBytes = kMaxWholeFileBytes);

// Writes the bytes atomically: "<name>.tmp-<pid>" beside the target, fsync,
// rename over the target (which keeps its permissions). False on any failure,
// the temporary file then removed, the old file intact and errno telling why.
// The directory must exist, except below DriveRoot(): the program's stand-in
// for the drive is the program's own, and a missing folder there is made.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);
// The same with the bytes made in pieces: produce hands each to write, and
// stops with false when write answers false; it answers true when all were
// written. A large file is so never held whole.
bool WriteFileAtomic(const std::filesystem::path& path,
                     const std::function<bool(const std::function<bool(std::string_view)>&)>& produce);

// Copies a whole file the same way, so the target is either the old file or
// the full copy. False when the source could not be read or the write failed.
bool CopyFileAtomic(const std::filesystem::path& from, const std::filesystem::path& to);

// The steps of a save, for tests that make one of them fail.
enum class WriteStep { Create, Write, Flush, Close, Rename };

// Test seam: while set, WriteFileAtomic fails for every path and step for
// which the predicate answers true, with the given errno: EROFS or EACCES at
// Create is a read-only folder, ENOSPC at Write a full disk. A failed write
// step has written part of the temporary file, as a filling disk does.
void SetWriteFailureForTesting(std::function<bool(const std::filesystem::path&, WriteStep)> fail,
                               int error = EIO);
// The same for the write step only.
void SetWriteFailureForTesting(std::function<bool(const std::filesystem::path&)> fail);
void ClearWriteFailureForTesting();

} // namespace qx
