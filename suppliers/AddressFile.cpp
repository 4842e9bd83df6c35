#include "AddressFile.h"

#include "catalog/CatalogText.h"
#include "platform/core/FileIo.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Path.h"

namespace qx {

std::vector<std::string> ReadBlocks(std::string_view bytes, std::size_t count, bool pipeEnds) {
    std::vector<std::string> blocks(count);
    const std::string_view ends = pipeEnds ? std::string_view("\0|", 2) : std::string_view("\0", 1);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count && pos < bytes.size(); ++i) {
        // A file of fewer blocks ends with its marker, which is no block,
        // whether or not an editor put a line end after it.
        const std::string_view rest = bytes.substr(pos);
        if (rest.starts_with("[EndOfFile]") && rest.find_first_not_of("\r\n", 11) == std::string_view::npos)
            break;
        std::size_t end = bytes.find_first_of(ends, pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        blocks[i] = std::string(bytes.substr(pos, end - pos));
        pos = end + 3; // past NUL (or "|") CR LF
    }
    return blocks;
}

std::string WriteBlocks(const std::vector<std::string>& blocks) {
    std::string out;
    for (const std::string& b : blocks) {
        out += b;
        out += std::string_view("\0\r\n", 3);
    }
    out += "[EndOfFile]";
    return out;
}

std::optional<std::vector<std::string>> ReadAddressFile(std::string_view windowsPath, FileStamp* stamp) {
    if (stamp)
        *stamp = FileStamp();
    if (windowsPath.empty())
        return std::nullopt;
    const std::optional<CatalogBlock> block = LoadCatalogFile(windowsPath);
    if (stamp && block)
        *stamp = FileStamp::Of(block->Content());
    if (!block)
        return std::nullopt;
    return ReadBlocks(block->Content(), kAddressBlocks, false);
}

bool WriteAddressFile(std::string_view windowsPath, const std::vector<std::string>& addresses,
                      FileStamp* written) {
    std::vector<std::string> blocks = addresses;
    blocks.resize(kAddressBlocks);
    const std::string bytes = WriteBlocks(blocks);
    if (!WriteFileAtomic(ResolvePath(windowsPath), bytes))
        return false;
    if (written)
        *written = FileStamp::Of(bytes);
    return true;
}

} // namespace qx
