#include "platform/core/FileStamp.h"

#include "platform/core/FileIo.h"

#include <cstring>

namespace qx {

FileStamp FileStamp::Of(std::string_view bytes) {
    // "Same or not", not protection against a forged collision. Eight bytes
    // at a time in four independent lanes: an order list runs to megabytes,
    // and a byte-wise hash would cost more than reading it.
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t lanes[4] = {14695981039346656037ull, 1099511628211ull, 0x2545F4914F6CDD1Dull, bytes.size()};
    std::size_t i = 0;
    for (; i + 32 <= bytes.size(); i += 32) {
        for (int k = 0; k < 4; ++k) {
            std::uint64_t w;
            std::memcpy(&w, bytes.data() + i + 8 * k, 8);
            lanes[k] = (lanes[k] ^ w) * kMul;
            lanes[k] ^= lanes[k] >> 29;
        }
    }
    std::uint64_t hash = 14695981039346656037ull;
    for (; i < bytes.size(); ++i) {
        hash ^= static_cast<unsigned char>(bytes[i]);
        hash *= 1099511628211ull;
    }
    for (const std::uint64_t lane : lanes) {
        hash = (hash ^ lane) * kMul;
        hash ^= hash >> 31;
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
