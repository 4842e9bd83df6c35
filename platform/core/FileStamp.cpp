#include "platform/core/FileStamp.h"

#include "platform/core/FileIo.h"

namespace qx {

FileStamp FileStamp::Of(std::string_view bytes) {
    // FNV-1a: the files are small and the question is "same or not", not
    // protection against someone forging a collision.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    FileStamp stamp;
    stamp.exists_ = true;
    stamp.size_ = bytes.size();
    stamp.hash_ = hash;
    return stamp;
}

FileStamp FileStamp::OfRead(const std::optional<std::string>& bytes) {
    return bytes ? Of(std::string_view(*bytes)) : FileStamp();
}

FileStamp FileStamp::Read(const std::filesystem::path& path) {
    return OfRead(ReadWholeFile(path));
}

} // namespace qx
