#include "SearchIndex.h"

#include "ground/GlobalState.h"
#include "platform/core/Path.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qx {

namespace {

constexpr std::size_t kDisplayMax = 255;
constexpr std::size_t kFieldMax = 127;

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Lines of an index: each ends at CR (an LF after it belongs to the end).
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
        if (cr == std::string_view::npos) {
            pos = text.size();
            return;
        }
        pos = cr + 1;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
};

// Field 1, which a NUL ends as a "|" does (as every field reader has it):
// what is matched is what is shown.
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

namespace {

// An index already in memory, read as one window.
struct MemorySource {
    std::string_view content;
    std::size_t ContentSize() const { return content.size(); }
    std::size_t End() const { return content.size(); }
    const char* At(std::size_t pos) const { return content.data() + pos; }
    bool ReadOn(std::size_t) { return false; }
};

// The entry lines of an index up to the first "[" line, read through a
// window: comment lines are skipped, and an entry's start is that of the
// comment lines right before it; empty lines are skipped on their own. Lines
// end at CR (an LF after it belongs to the end); each line is handled once it lies whole in
// the window (with the byte after its CR), and the window keeps what is read
// from the first comment line before it on. f(start, line begin, line end,
// CR follows) for each entry line, until it answers false; false when the
// file fails.
template <class Source, class F>
bool WalkEntries(Source& src, F&& f) {
    constexpr std::size_t kNone = SIZE_MAX;
    const std::size_t size = src.ContentSize();
    std::size_t pos = 0;
    std::size_t run = kNone; // the first of the comment lines right before pos
    while (pos < size) {
        const std::size_t have = std::min(src.End(), size);
        const void* hit = std::memchr(src.At(pos), '\r', have - pos);
        const std::size_t cr = hit ? pos + static_cast<std::size_t>(static_cast<const char*>(hit) - src.At(pos)) : kNone;
        if (have < size && (cr == kNone || cr + 1 >= have)) {
            if (!src.ReadOn(run != kNone ? run : pos))
                return false;
            continue;
        }
        const std::size_t lineEnd = cr != kNone ? cr : size;
        std::size_t next = cr != kNone ? cr + 1 : size;
        if (next < size && *src.At(next) == '\n')
            ++next;
        const char first = *src.At(pos);
        if (first == '#') {
            if (run == kNone)
                run = pos;
        } else if (first == '[') {
            return true;
        } else if (lineEnd == pos) {
            run = kNone;
        } else {
            if (!f(run != kNone ? run : pos, pos, lineEnd, cr != kNone))
                return true;
            run = kNone;
        }
        pos = next;
    }
    return true;
}

// Folds n bytes, 16 at a time where the processor has them.
void FoldInto(const char* from, std::size_t n, char* to) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i shift = _mm_set1_epi8(static_cast<char>(128 - 'A'));
    const __m128i letters = _mm_set1_epi8(static_cast<char>(-128 + 26));
    const __m128i lower = _mm_set1_epi8(0x20);
    for (; i + 16 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i upper = _mm_cmplt_epi8(_mm_add_epi8(bytes, shift), letters);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_add_epi8(bytes, _mm_and_si128(upper, lower)));
    }
#endif
    for (; i < n; ++i)
        to[i] = Fold(from[i]);
}

// The first place of word in n bytes, or SIZE_MAX.
std::size_t Find(const char* text, std::size_t n, const std::string& word) {
#if defined(__GLIBC__)
    const void* at = memmem(text, n, word.data(), word.size());
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text) : SIZE_MAX;
#else
    const std::size_t at = std::string_view(text, n).find(word);
    return at == std::string_view::npos ? SIZE_MAX : at;
#endif
}

// The filter of one Fill: the folded words, and a first look for the longest
// of them over the folded window, so that most lines are passed over without
// folding their display text on their own.
template <class Source>
class Filter {
public:
    Filter(Source& src, std::vector<std::string> words) : src_(src), words_(std::move(words)) {
        for (const std::string& w : words_) {
            if (w.size() > anchor_.size())
                anchor_ = w;
        }
    }

    bool Matches(std::size_t lineBegin, std::size_t lineEnd) {
        if (words_.empty())
            return true;
        if (hit_ < lineBegin || (hit_ == kNone && lineEnd > searchedTo_))
            Search(lineBegin);
        if (hit_ == kNone || hit_ >= lineEnd)
            return false; // the longest word is not in the line
        const char* line = src_.At(lineBegin);
        const std::size_t length = lineEnd - lineBegin;
        // Field 1 ends at a "|" or a NUL: what is matched is what is shown.
        const std::size_t display = std::min(DisplayOf(std::string_view(line, length)).size(), kDisplayMax);
        std::transform(line, line + display, folded_.begin(), Fold);
        const std::string_view text(folded_.data(), display);
        for (const std::string& word : words_) {
            if (text.find(word) == std::string_view::npos)
                return false;
        }
        return true;
    }

private:
    static constexpr std::size_t kNone = SIZE_MAX;

    // The next place of the longest word from from on, in what the window
    // holds. The window's bytes are folded once, as far as they are read.
    void Search(std::size_t from) {
        const std::size_t have = std::min(src_.End(), src_.ContentSize());
        if (have != foldedTo_ || from < foldedFrom_) { // read on: fold the new window
            foldedFrom_ = from;
            foldedTo_ = have;
            if (mirror_.size() < have - from)
                mirror_.resize(have - from);
            FoldInto(src_.At(from), have - from, mirror_.data());
        }
        const char* folded = mirror_.data() + (from - foldedFrom_);
        const std::size_t at = Find(folded, have - from, anchor_);
        hit_ = at == kNone ? kNone : from + at;
        searchedTo_ = have;
    }

    Source& src_;
    std::vector<std::string> words_;
    std::string anchor_;
    std::vector<char> mirror_;
    std::size_t foldedFrom_ = 0;
    std::size_t foldedTo_ = SIZE_MAX;
    std::size_t hit_ = kNone;
    std::size_t searchedTo_ = 0;
    std::array<char, kDisplayMax> folded_{};
};

} // namespace

struct IndexList::Walk {
    // Lists the entries of src matching the folded term into list; false
    // when the file fails (list is then untouched).
    template <class Source>
    static bool Run(Source& src, const std::string& foldedTerm, IndexList& list, std::size_t most = SIZE_MAX) {
        std::vector<std::string> words = SearchWords(foldedTerm);
        // An empty word matches every entry: only the others filter.
        words.erase(std::remove(words.begin(), words.end(), std::string()), words.end());
        IndexList found;
        found.kept_.push_back(0);
        if (src.ContentSize() <= std::numeric_limits<std::uint32_t>::max()) { // positions are 32 bits
            Filter<Source> filter(src, std::move(words));
            const bool read = WalkEntries(src, [&](std::size_t start, std::size_t begin, std::size_t end, bool cr) {
                if (!filter.Matches(begin, end))
                    return true;
                found.positions_.push_back(static_cast<std::uint32_t>(start));
                found.text_.append(src.At(start), end - start + (cr ? 1 : 0));
                found.kept_.push_back(static_cast<std::uint32_t>(found.text_.size()));
                return found.positions_.size() < most;
            });
            if (!read)
                return false;
        }
        list.positions_ = std::move(found.positions_);
        list.kept_ = std::move(found.kept_);
        list.text_ = std::move(found.text_);
        return true;
    }
};

bool IndexList::Fill(const GlobalState& state, int mode, std::string& term, std::size_t chunkBytes,
                     std::size_t most) {
    const std::string path = IndexPath(state, mode);
    std::optional<BlockStream> stream = BlockStream::Open(path, false, chunkBytes);
    if (!stream)
        return false;
    FoldAsciiCase(term);
    if (!Walk::Run(*stream, term, *this, most))
        return false;
    path_ = path;
    block_.reset();
    return true;
}

void IndexList::Fill(CatalogBlock block, std::string& term) {
    FoldAsciiCase(term);
    block_ = std::move(block);
    path_.clear();
    MemorySource src{block_->Content()};
    Walk::Run(src, term, *this);
}

std::string_view IndexList::Kept(std::size_t item) const {
    return std::string_view(text_).substr(kept_[item], kept_[item + 1] - kept_[item]);
}

std::string IndexList::IndexBytes(std::size_t from, std::size_t count) const {
    if (block_)
        return std::string(block_->Content().substr(std::min(from, block_->ContentSize()), count));
    std::ifstream in(ResolvePath(path_), std::ios::binary);
    std::string bytes(count, '\0');
    if (!in.seekg(static_cast<std::streamoff>(from)))
        return {};
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return bytes;
}

std::optional<std::size_t> IndexList::FindByPrefix(std::string_view text) const {
    if (text.empty())
        return 0;
    auto same = [](char a, char b) { return Fold(a) == Fold(b); };
    for (std::size_t i = 0; i < Size(); ++i) {
        const std::string_view kept = Kept(i);
        if (text.size() <= kept.size()) {
            if (std::equal(text.begin(), text.end(), kept.begin(), same))
                return i;
            continue;
        }
        // Longer than the kept bytes: only a text that runs on through the
        // line's CR can still match, against what follows in the index.
        if (kept.empty() || kept.back() != '\r' || !std::equal(kept.begin(), kept.end(), text.begin(), same))
            continue;
        const std::string more = IndexBytes(positions_[i] + kept.size(), text.size() - kept.size());
        if (more.size() == text.size() - kept.size() &&
            std::equal(more.begin(), more.end(), text.begin() + static_cast<std::ptrdiff_t>(kept.size()), same))
            return i;
    }
    return std::nullopt;
}

std::string_view IndexList::LineOf(std::size_t item) const {
    LineWalker w{Kept(item)};
    while (!w.AtEnd() && w.Peek().starts_with('#'))
        w.Next();
    return w.AtEnd() ? std::string_view() : w.Peek();
}

std::string_view IndexList::Display(std::size_t item) const {
    if (item >= Size())
        return {};
    return DisplayOf(LineOf(item)).substr(0, kDisplayMax);
}

IndexEntry IndexList::Entry(std::size_t item) const {
    IndexEntry e;
    if (item >= Size())
        return e;
    e.line = std::string(LineOf(item));
    const std::string fields = e.line + "|||"; // a short line reads its missing fields as empty
    GetField(1, fields, e.display, kDisplayMax);
    GetField(2, fields, e.key, kFieldMax);
    GetField(3, fields, e.file, kFieldMax);
    return e;
}

void IndexList::Clear() {
    positions_.clear();
    kept_.assign(1, 0);
    text_.clear();
    path_.clear();
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
