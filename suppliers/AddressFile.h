#pragma once
// Files of text blocks: each block's bytes, then NUL CR LF, and after the last
// block "[EndOfFile]". The address file holds three (special tools
// distributor, workshop equipment distributor, the dealer's own address); an
// order list's order information file (.STT) holds eight.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class FileStamp;

// The first count blocks of a file's bytes. A block ends at NUL (with
// pipeEnds also at "|", as in hand-made order information files); the next
// begins after the CR LF that follows. Blocks the bytes don't hold are empty;
// nothing past the bytes is read.
std::vector<std::string> ReadBlocks(std::string_view bytes, std::size_t count, bool pipeEnds);

// The bytes of a block file.
std::string WriteBlocks(const std::vector<std::string>& blocks);

enum : std::size_t { kAddressSpecialTools = 0, kAddressEquipment = 1, kAddressOwn = 2, kAddressBlocks = 3 };

// The three addresses of the file at a backslash path; nothing when it can't
// be read. stamp, when given, becomes what the file held.
std::optional<std::vector<std::string>> ReadAddressFile(std::string_view windowsPath,
                                                        FileStamp* stamp = nullptr);
// Writes the file whole beside the old one and renames it over it. False
// when that failed (the old file is then as it was); on success written,
// when given, becomes the stamp of the new file.
bool WriteAddressFile(std::string_view windowsPath, const std::vector<std::string>& addresses,
                      FileStamp* written = nullptr);

} // namespace qx
