#include "BlockStream.h"

#include "platform/core/Path.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace qx {

std::optional<BlockStream> BlockStream::Open(std::string_view windowsPath, bool unscramble, std::size_t chunkBytes) {
    const std::filesystem::path path = ResolvePath(windowsPath);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::optional<BlockStream> s(BlockStream{});
    // Our window is the buffer: reads go straight into it.
    s->in_.rdbuf()->pubsetbuf(nullptr, 0);
    s->in_.open(path, std::ios::binary);
    if (!s->in_) {
        return std::nullopt;
    }
    s->in_.seekg(0, std::ios::end);
    const std::streamoff size = s->in_.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > kMaxCatalogFileBytes) {
        return std::nullopt;
    }
    s->in_.seekg(0, std::ios::beg);
    s->contentSize_ = static_cast<std::size_t>(size);
    s->chunk_ = std::max<std::size_t>(chunkBytes, 1);
    s->unscramble_ = unscramble;
    s->window_.resize(s->chunk_ + kSearchLimit + 512);
    if (!s->ReadOn(0)) {
        return std::nullopt;
    }
    return s;
}

bool BlockStream::ReadOn(std::size_t keepFrom) {
    if (failed_ || AtBlockEnd()) {
        return false;
    }
    keepFrom = std::clamp(keepFrom, begin_, End());
    const std::size_t keep = End() - keepFrom;
    if (keep > 0 && keepFrom > begin_) {
        std::memmove(window_.data(), At(keepFrom), keep);
    }
    begin_ = keepFrom;
    filled_ = keep;
    std::size_t want = std::min(chunk_, contentSize_ - read_);
    if (read_ < 4) { // the magic is read in one piece
        want = std::max(want, std::min<std::size_t>(4 - read_, contentSize_ - read_));
    }
    const bool last = read_ + want == contentSize_;
    const std::size_t need = keep + want + (last ? kEndMarker.size() : 0);
    if (window_.size() < need) {
        window_.resize(need);
    }
    char* to = window_.data() + keep;
    if (want > 0) {
        in_.read(to, static_cast<std::streamsize>(want));
        if (static_cast<std::size_t>(in_.gcount()) != want) {
            failed_ = true;
            return false;
        }
        Decode(to, want, read_);
    }
    read_ += want;
    filled_ += want;
    if (last) {
        std::memcpy(to + want, kEndMarker.data(), kEndMarker.size());
        filled_ += kEndMarker.size();
    }
    return true;
}

void BlockStream::Decode(char* from, std::size_t count, std::size_t pos) {
    if (pos == 0) {
        scrambled_ = unscramble_ && count >= 4 && std::memcmp(from, "CRPT", 4) == 0;
        decoding_ = scrambled_;
    }
    if (!decoding_) {
        return;
    }
    const std::size_t skip = pos < 4 ? 4 - pos : 0;
    unsigned char* p = reinterpret_cast<unsigned char*>(from);
    for (std::size_t i = skip; i < count; ++i) {
        if (p[i] == 0) {
            decoding_ = false;
            return;
        }
        p[i] = static_cast<unsigned char>(p[i] + key_);
        key_ = key_ == 8 ? 0 : key_ + 1;
    }
}

} // namespace qx
