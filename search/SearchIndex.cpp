#include "SearchIndex.h"

#include "ground/GlobalState.h"

#include <algorithm>
#include <array>
#include <limits>

namespace qx {

namespace {

constexpr std::size_t kDisplayMax = 255;
constexpr std::size_t kFieldMax = 127;

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Lines of an index: each ends at CR, and the next starts two bytes on, as
// the catalogue readers take them, whether an LF follows or not.
struct LineWalker {
    std::string_view text;
    std::size_t pos = 0;
    bool AtEnd() const { return pos >= text.size(); }
    std::string_view Peek() const {
        const std::size_t end = std::min(text.find('\r', pos), text.size());
        return text.substr(pos, end - pos);
    }
    void Next() {
        const std::size_t cr = text.find('\r', pos);
        pos = cr == std::string_view::npos ? text.size() : std::min(cr + 2, text.size());
    }
    // An empty line is skipped up to its LF.
    void SkipEmpty() {
        const std::size_t lf = text.find('\n', pos);
        pos = lf == std::string_view::npos ? text.size() : lf + 1;
    }
};

// Walks the entry lines up to the first "[" line, as every search does:
// comment lines are skipped, and an entry's position is that of the comment
// lines right before it; empty lines are skipped on their own.
template <class F>
void ForEachEntry(std::string_view content, F&& f) {
    LineWalker w{content};
    while (!w.AtEnd()) {
        const std::size_t start = w.pos;
        while (!w.AtEnd() && w.Peek().starts_with('#'))
            w.Next();
        if (w.AtEnd())
            break;
        const std::string_view line = w.Peek();
        if (line.starts_with('['))
            break;
        if (line.empty()) {
            w.SkipEmpty();
            continue;
        }
        f(start, line);
        w.Next();
    }
}

// What the catalogue cursor reads: the content and the CR LF appended to it,
// so a line after a lone CR at the very end is read as the cursor reads it.
std::string_view Walkable(const CatalogBlock& block) { return {block.Data(), block.ContentSize() + 2}; }

// Field 1: up to the separator or a NUL, which ends it for matching as it does for display.
std::string_view DisplayOf(std::string_view line) {
    return line.substr(0, std::min(line.find_first_of(std::string_view("|\0", 2)), line.size()));
}

} // namespace

std::string IndexExtension(int mode) {
    std::string ext;
    for (const auto& [bit, name] : {std::pair{kIndexStd, ".STD"}, std::pair{kIndexSws, ".SWS"}, std::pair{kIndexAnr, ".ANR"},
                                    std::pair{kIndexPrb, ".PRB"}, std::pair{kIndexPrs, ".PRS"}, std::pair{kIndexPrk, ".PRK"}}) {
        if (mode & bit)
            ext += name;
    }
    return ext;
}

std::string IndexPath(const GlobalState& state, int mode) {
    return state.programDir.str() + state.dataDir.str() + "Katalog" + IndexExtension(mode);
}

void FoldAsciiCase(std::string& text) {
    for (char& c : text)
        c = Fold(c);
}

std::vector<std::string> SearchWords(std::string_view foldedTerm) {
    std::vector<std::string> words;
    if (foldedTerm.empty())
        return words;
    // A blank is appended, so every word, the last included, ends at one.
    const std::string term = std::string(foldedTerm.substr(0, foldedTerm.find('\r'))) + " ";
    std::size_t start = 0;
    for (std::size_t blank = term.find(' '); blank != std::string::npos; blank = term.find(' ', start)) {
        words.push_back(term.substr(start, blank - start));
        start = blank + 1;
    }
    return words;
}

bool IndexList::Fill(const GlobalState& state, int mode, std::string& term) {
    std::optional<CatalogBlock> block = LoadCatalogFile(IndexPath(state, mode));
    if (!block)
        return false;
    Fill(std::move(*block), term);
    return true;
}

void IndexList::Fill(CatalogBlock block, std::string& term) {
    items_.clear();
    block_ = std::move(block);
    FoldAsciiCase(term);
    std::vector<std::string> words = SearchWords(term);
    // An empty word matches every entry: only the others filter.
    words.erase(std::remove(words.begin(), words.end(), std::string()), words.end());
    const std::string_view content = Walkable(*block_);
    if (content.size() > std::numeric_limits<std::uint32_t>::max())
        return; // positions are 32 bits; no index comes near 4 GiB
    std::array<char, kDisplayMax> folded{};
    ForEachEntry(content, [&](std::size_t start, std::string_view line) {
        if (!words.empty()) {
            // Fold the display text once per line, then look for each word.
            const std::string_view display = DisplayOf(line).substr(0, kDisplayMax);
            std::transform(display.begin(), display.end(), folded.begin(), Fold);
            const std::string_view text(folded.data(), display.size());
            for (const std::string& word : words) {
                if (text.find(word) == std::string_view::npos)
                    return;
            }
        }
        items_.push_back(static_cast<std::uint32_t>(start));
    });
}

std::optional<std::size_t> IndexList::FindByPrefix(std::string_view text) const {
    if (text.empty())
        return 0;
    if (!block_)
        return std::nullopt;
    const std::string_view content = Walkable(*block_);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::string_view at = content.substr(items_[i]);
        if (at.size() < text.size())
            continue;
        if (std::equal(text.begin(), text.end(), at.begin(), [](char a, char b) { return Fold(a) == Fold(b); }))
            return i;
    }
    return std::nullopt;
}

std::string_view IndexList::LineAt(std::size_t offset) const {
    LineWalker w{Walkable(*block_), offset};
    while (!w.AtEnd() && w.Peek().starts_with('#'))
        w.Next();
    return w.AtEnd() ? std::string_view() : w.Peek();
}

std::string_view IndexList::Display(std::size_t item) const {
    if (!block_ || item >= items_.size())
        return {};
    return DisplayOf(LineAt(items_[item])).substr(0, kDisplayMax);
}

IndexEntry IndexList::Entry(std::size_t item) const {
    IndexEntry e;
    if (!block_ || item >= items_.size())
        return e;
    e.line = std::string(LineAt(items_[item]));
    const std::string fields = e.line + "|||"; // a short line reads its missing fields as empty
    GetField(1, fields, e.display, kDisplayMax);
    GetField(2, fields, e.key, kFieldMax);
    GetField(3, fields, e.file, kFieldMax);
    return e;
}

void IndexList::Clear() {
    items_.clear();
    block_.reset();
}

std::vector<std::size_t> LiteralSearch(const CatalogBlock& block, std::string_view term) {
    std::string folded(term);
    FoldAsciiCase(folded);
    const std::vector<std::string> words = SearchWords(folded);
    std::vector<std::size_t> found;
    TextCursor c = CursorAt(block);
    for (;;) {
        const std::size_t start = c.Offset(block.Data());
        SkipComments(c);
        if (c.AtEnd() || c.Peek() == '[')
            break;
        if (c.Peek() == '\r') {
            SkipLine(c);
            continue;
        }
        std::string line;
        ReadLine(c, line, kSearchLimit);
        std::string display;
        GetField(1, line, display, kDisplayMax);
        FoldAsciiCase(display);
        bool all = true;
        for (const std::string& word : words)
            all = all && display.find(word) != std::string::npos;
        if (all)
            found.push_back(start);
    }
    return found;
}

} // namespace qx
