#pragma once
// A catalogue file read front to back through a window of fixed size, seen
// as the block LoadCatalogFile would make of it: the file's bytes (a price
// file unscrambled on the way), then CR LF "[E#" NUL. Readers that only walk
// forward use it instead of holding the whole file: price lists and indexes
// run to a hundred megabytes and more.

#include "CatalogText.h"

#include <cstddef>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

namespace qx {

// Bytes read at a time; a window also keeps up to one search limit of bytes
// already read, for the readers that still look at them.
inline constexpr std::size_t kStreamChunkBytes = std::size_t{256} << 10;

class BlockStream {
public:
    // The file at a backslash path, as LoadCatalogFile takes it: nothing when
    // it can't be read or is larger than kMaxCatalogFileBytes. With
    // unscramble, a file starting with "CRPT" is decoded as Unscramble does.
    static std::optional<BlockStream> Open(std::string_view windowsPath, bool unscramble,
                                           std::size_t chunkBytes = kStreamChunkBytes);

    std::size_t ContentSize() const { return contentSize_; }
    // Where the block ends: content, CR LF "[E#", NUL.
    std::size_t BlockSize() const { return contentSize_ + kEndMarker.size(); }
    // Where a cursor stops: after the CR LF appended to the content.
    std::size_t CursorEnd() const { return contentSize_ + 2; }
    // Where the content starts after unscrambling (4 after "CRPT", else 0).
    // Known once the first bytes are read.
    std::size_t ContentStart() const { return scrambled_ ? 4 : 0; }

    // The block's bytes from Begin() to End() are in memory.
    std::size_t Begin() const { return begin_; }
    std::size_t End() const { return begin_ + filled_; }
    bool AtBlockEnd() const { return End() >= BlockSize(); }
    const char* At(std::size_t pos) const { return window_.data() + (pos - begin_); }

    // Drops the bytes before keepFrom (at most End()) and reads on. False at
    // the block's end or when the file could not be read as far as its size.
    bool ReadOn(std::size_t keepFrom);
    bool Failed() const { return failed_; }

private:
    BlockStream() = default;
    void Decode(char* from, std::size_t count, std::size_t pos);

    std::ifstream in_;
    std::vector<char> window_;
    std::size_t chunk_ = kStreamChunkBytes;
    std::size_t contentSize_ = 0;
    std::size_t begin_ = 0;  // block offset of window_[0]
    std::size_t filled_ = 0; // bytes of the window in use
    std::size_t read_ = 0;   // content bytes read so far
    bool unscramble_ = false;
    bool scrambled_ = false;
    bool decoding_ = false; // until the first byte that is zero before decoding
    unsigned key_ = 1;
    bool failed_ = false;
};

} // namespace qx
