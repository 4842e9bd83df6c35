#pragma once
// The index files of the searches and document choosers (Katalog.SWS, .ANR,
// .STD, .PRB, .PRS, .PRK): one entry per line, "display|key|file". A search
// lists, in file order, the entries whose display text holds every word of
// the term; only the listed entries are kept, not the file.

#include "catalog/BlockStream.h"
#include "catalog/CatalogText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct GlobalState;

// The mode bits that name an index file.
inline constexpr int kIndexStd = 2;
inline constexpr int kIndexSws = 4;
inline constexpr int kIndexAnr = 8;
inline constexpr int kIndexPrb = 128;
inline constexpr int kIndexPrs = 256;
inline constexpr int kIndexPrk = 512;

// ".STD", ".SWS", ".ANR", ".PRB", ".PRS", ".PRK" for each bit set, in that order.
std::string IndexExtension(int mode);
// programDir + dataDir + "Katalog" + the extension.
std::string IndexPath(const GlobalState& state, int mode);

// Folds "A" to "Z" to lower case (only those: "Ä" stays "Ä").
void FoldAsciiCase(std::string& text);

// The words of a folded term: split at blanks; a leading or doubled blank
// gives an empty word, which matches everything. Words are kept whole, however
// long and however many, so no word changes what another means.
std::vector<std::string> SearchWords(std::string_view foldedTerm);

struct IndexEntry {
    std::string line;    // the whole entry line, up to CR
    std::string display; // field 1, at most 255 characters
    std::string key;     // field 2, at most 127
    std::string file;    // field 3, at most 127
};

// The result list of a search: per listed entry, where it starts in the
// index (at the first comment line right before it, if any) and its bytes
// from there to the end of its line. Only the listed entries are kept.
class IndexList {
public:
    // Reads the index of the mode once, front to back in pieces of
    // chunkBytes, and lists the entries matching term, which comes back
    // folded; with most, only the first that many. False when the file can't
    // be read: the list then stays as it was.
    bool Fill(const GlobalState& state, int mode, std::string& term, std::size_t chunkBytes = kStreamChunkBytes,
              std::size_t most = SIZE_MAX);
    // The same on an index already in memory.
    void Fill(CatalogBlock block, std::string& term);

    std::size_t Size() const { return positions_.size(); }
    bool Empty() const { return positions_.empty(); }
    // Position of the first item whose text at its stored start begins with
    // text (case of "A" to "Z" ignored); 0 for an empty text; nothing when none.
    std::optional<std::size_t> FindByPrefix(std::string_view text) const;
    // The entry of an item, comment lines skipped.
    IndexEntry Entry(std::size_t item) const;
    // Field 1 of an item, as the list draws it.
    std::string_view Display(std::size_t item) const;
    // Releases the items.
    void Clear();
    // Where each listed entry starts in the index.
    const std::vector<std::uint32_t>& Positions() const { return positions_; }

private:
    struct Walk;
    // The bytes kept of an item: from its start to the CR of its entry line
    // (to the end of the index when that line has none).
    std::string_view Kept(std::size_t item) const;
    std::string_view LineOf(std::size_t item) const;
    // Bytes of the index itself, for a prefix that runs past what is kept.
    std::string IndexBytes(std::size_t from, std::size_t count) const;

    std::vector<std::uint32_t> positions_;
    std::vector<std::uint32_t> kept_; // item i's bytes are text_[kept_[i], kept_[i + 1])
    std::string text_;
    // Where the index came from: a file, or bytes kept in memory.
    std::string path_;
    std::optional<CatalogBlock> block_;
};

// The search as plainly as it reads, on the catalogue cursor: fold a copy of
// each line's display text and look for each word in it. The positions of
// the matching entries; for tests and benchmarks against Fill.
std::vector<std::size_t> LiteralSearch(const CatalogBlock& block, std::string_view term);


} // namespace qx
