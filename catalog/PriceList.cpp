#include "PriceList.h"

#include "BlockStream.h"
#include "ground/GlobalState.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <future>
#include <mutex>
#include <system_error>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qx {

PriceListHeader ParsePriceListHeader(CatalogBlock& block) {
    PriceListHeader h;
    TextCursor c = CursorAt(block, Unscramble(block));
    ReadLine(c, h.currency);
    ReadLine(c, h.id);
    ReadLine(c, h.date);
    ReadLine(c, h.expiry);
    h.availability = ReadInteger(c);
    return h;
}

std::optional<CatalogDate> ParseCatalogDate(std::string_view text) {
    const std::size_t dot1 = text.find('.');
    if (dot1 == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t dot2 = text.find('.', dot1 + 1);
    if (dot2 == std::string_view::npos) {
        return std::nullopt;
    }
    CatalogDate d;
    d.day = ParseLeadingInt(text.substr(0, dot1));
    d.month = ParseLeadingInt(text.substr(dot1 + 1, dot2 - dot1 - 1));
    d.year = ParseLeadingInt(text.substr(dot2 + 1));
    if (d.year < 32) {
        d.year += 2000;
    } else if (d.year < 1800) {
        d.year += 1900;
    }
    return d;
}

std::time_t MidnightOf(const CatalogDate& date) {
    // Months past December or before January carry into the year as mktime
    // would carry them, but in 64 bits: a month or year read from a file may
    // sit at either end of int. Years are then held to a million either way,
    // far past any price list and well inside what mktime takes.
    const std::int64_t months = static_cast<std::int64_t>(date.month) - 1;
    const std::int64_t carry = months >= 0 ? months / 12 : -((-months + 11) / 12);
    const std::int64_t year = std::clamp<std::int64_t>(date.year + carry, -1'000'000, 1'000'000);
    std::tm tm{};
    tm.tm_mday = date.day;
    tm.tm_mon = static_cast<int>(months - 12 * carry);
    tm.tm_year = static_cast<int>(year - 1900);
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

namespace {

void TakeHeader(GlobalState& state, const PriceListHeader& h) {
    state.currency = h.currency;
    state.priceListId = h.id;
    state.priceListDate = h.date;
    state.priceListExpiry = h.expiry;
}

std::string PriceListPath(const GlobalState& state) {
    return state.programDir.str() + state.dataDir.str() + "QX.PRS";
}

} // namespace

PriceListCheckResult CheckPriceList(GlobalState& state, std::time_t now) {
    PriceListCheckResult result;
    if (std::optional<PriceListHeader> list = ReadPriceListHeader(PriceListPath(state))) {
        TakeHeader(state, *list);
        result.availability = list->availability;
    }
    if (!state.priceUpdatePath.empty()) {
        if (std::optional<PriceListHeader> update = ReadPriceListHeader(state.priceUpdatePath)) {
            bool use = false;
            if (update->date.empty()) {
                use = false;
            } else if (state.priceListDate.empty()) {
                use = true;
            } else {
                const std::optional<CatalogDate> listDate = ParseCatalogDate(state.priceListDate);
                const std::optional<CatalogDate> updateDate = ParseCatalogDate(update->date);
                use = listDate && updateDate && *listDate <= *updateDate;
            }
            if (use) {
                TakeHeader(state, *update);
                result.availability = update->availability;
                result.updateUsed = true;
            } else {
                state.priceUpdatePath.clear();
            }
        }
    }
    if (const std::optional<CatalogDate> expiry = ParseCatalogDate(state.priceListExpiry)) {
        // Midnight of the expiry day has passed once the day has begun, so a
        // list expiring today is already out of date.
        if (MidnightOf(*expiry) < now) {
            state.priceListOutdated = 1;
            result.showOutdatedWarning = true;
        }
    }
    return result;
}

// Why one pass gives the same answer as searching every key "|" + n + "|":
//
// Call a token the bytes between one "|" of the text and the next "|". When n
// holds no "|", the key occurs at position p exactly when text[p] is "|" and
// the token starting at p equals n: the key's closing "|" is the first "|"
// after p, because n has none. So the first occurrence of the key is the
// first token, in text order, whose content is n, wherever it stands (inside
// a field, across a line end, in the header's fifth line). One walk over the
// "|" positions, keeping the first position per wanted content, finds all of
// them. Numbers that hold a "|" span several tokens; they are rare, and a
// plain search serves them. The caller cuts the text at its first NUL, as a
// C-string search would stop there.
namespace {

std::uint64_t HashBytes(std::string_view s) {
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = s.size() * kMul;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        h = (h ^ w) * kMul;
        h ^= h >> 32;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, s.data() + i, s.size() - i);
    h = (h ^ tail) * kMul;
    return h ^ (h >> 29);
}

// The wanted token contents in an open-addressing table kept at most half
// full, behind a small bit filter, so that a token nobody wants (most
// numbers, prices and texts) usually costs one hash and one bit test.
class WantedTokens {
public:
    explicit WantedTokens(std::size_t expected) {
        std::size_t size = 16;
        while (size < expected * 2) {
            size *= 2;
        }
        cells_.resize(size);
        mask_ = size - 1;
        filter_.resize(kFilterBits / 64);
    }
    // The slot of s, adding it when new.
    std::size_t Add(std::string_view s) {
        const std::uint64_t h = HashBytes(s);
        filter_[FilterBit(h) / 64] |= std::uint64_t{1} << (FilterBit(h) % 64);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            Cell& cell = cells_[i];
            if (cell.slot == kEmpty) {
                cell = {Tag(h), static_cast<std::uint32_t>(contents_.size())};
                contents_.push_back(s);
                return cell.slot;
            }
            if (cell.tag == Tag(h) && contents_[cell.slot] == s) {
                return cell.slot;
            }
        }
    }
    // The slot of s, or SIZE_MAX.
    std::size_t Find(std::string_view s) const {
        const std::uint64_t h = HashBytes(s);
        if (!(filter_[FilterBit(h) / 64] >> (FilterBit(h) % 64) & 1)) {
            return SIZE_MAX;
        }
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            const Cell& cell = cells_[i];
            if (cell.slot == kEmpty) {
                return SIZE_MAX;
            }
            if (cell.tag == Tag(h) && contents_[cell.slot] == s) {
                return cell.slot;
            }
        }
    }
    std::size_t Count() const { return contents_.size(); }

private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;
    static constexpr std::size_t kFilterBits = std::size_t{1} << 18;
    static std::size_t FilterBit(std::uint64_t h) { return static_cast<std::size_t>(h >> 46); }
    static std::uint32_t Tag(std::uint64_t h) { return static_cast<std::uint32_t>(h >> 32); }

    struct Cell {
        std::uint32_t tag = 0; // the hash's upper half
        std::uint32_t slot = kEmpty;
    };
    std::vector<Cell> cells_;
    std::vector<std::uint64_t> filter_;
    std::vector<std::string_view> contents_;
    std::size_t mask_ = 0;
};

} // namespace

std::vector<std::optional<std::size_t>> FindPriceKeys(std::string_view text,
                                                      std::span<const std::string_view> numbers) {
    std::vector<std::optional<std::size_t>> found(numbers.size());

    WantedTokens wanted(numbers.size());
    std::vector<std::size_t> slotOfNumber(numbers.size(), SIZE_MAX);
    std::vector<char> lengthWanted;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::string_view n = numbers[i];
        if (n.find('|') != std::string_view::npos) {
            std::string key = "|";
            key += n;
            key += '|';
            if (const std::size_t p = text.find(key); p != std::string_view::npos) {
                found[i] = p;
            }
            continue;
        }
        slotOfNumber[i] = wanted.Add(n);
        if (lengthWanted.size() <= n.size()) {
            lengthWanted.resize(n.size() + 1, 0);
        }
        lengthWanted[n.size()] = 1;
    }

    // First position per wanted content, in text order. The bars are found
    // eight bytes at a time: price files run to megabytes and most tokens are
    // short, so a library search per token would cost more than the scan.
    std::vector<std::optional<std::size_t>> firstAt(wanted.Count());
    std::size_t open = wanted.Count();
    const char* base = text.data();
    const char* end = base + text.size();
    const char* previous = nullptr; // the last bar seen
    auto atBar = [&](const char* bar) {
        if (previous) {
            const std::size_t length = static_cast<std::size_t>(bar - previous - 1);
            if (length < lengthWanted.size() && lengthWanted[length]) {
                const std::size_t slot = wanted.Find(std::string_view(previous + 1, length));
                if (slot != SIZE_MAX && !firstAt[slot]) {
                    firstAt[slot] = static_cast<std::size_t>(previous - base);
                    --open;
                }
            }
        }
        previous = bar;
    };
    constexpr std::uint64_t kBars = 0x7C7C7C7C7C7C7C7Cull; // "|" in every byte
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const char* p = base;
    while (open && end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        const std::uint64_t x = word ^ kBars;
        // The high bit of each byte that is zero in x, exactly (no borrows).
        std::uint64_t hits = ~(((x & kLow7) + kLow7) | x | kLow7);
        while (hits && open) {
            atBar(p + (std::countr_zero(hits) >> 3));
            hits &= hits - 1;
        }
        p += 8;
    }
    for (; open && p < end; ++p) {
        if (*p == '|') {
            atBar(p);
        }
    }

    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (slotOfNumber[i] != SIZE_MAX) {
            found[i] = firstAt[slotOfNumber[i]];
        }
    }
    return found;
}

PriceSearchRange PriceSearchRangeOf(const CatalogBlock& block, std::size_t contentStart) {
    TextCursor c = CursorAt(block, contentStart);
    for (int i = 0; i < 4; ++i) {
        SkipLine(c);
    }
    PriceSearchRange range;
    range.begin = std::min(c.Offset(block.Data()), block.ContentSize());
    const std::string_view content = block.Content();
    const std::size_t nul = content.find('\0', range.begin);
    range.end = nul == std::string_view::npos ? content.size() : nul;
    return range;
}

namespace {

// Where each record's key stands in one price file: found without touching
// the records, so two files can be searched at the same time.
struct PriceHits {
    std::size_t begin = 0; // offset of the searched text in the block
    std::vector<std::optional<std::size_t>> found;
};

std::vector<std::string_view> NumbersOf(const std::vector<ProductRecord>& records) {
    std::vector<std::string_view> numbers;
    numbers.reserve(records.size());
    for (const ProductRecord& r : records) {
        numbers.emplace_back(r.number);
    }
    return numbers;
}

PriceHits FindHits(CatalogBlock& priceFile, std::span<const std::string_view> numbers) {
    const std::size_t contentStart = Unscramble(priceFile);
    const PriceSearchRange range = PriceSearchRangeOf(priceFile, contentStart);
    const std::string_view text(priceFile.Data() + range.begin, range.end - range.begin);
    return PriceHits{range.begin, FindPriceKeys(text, numbers)};
}

void ApplyHits(std::vector<ProductRecord>& records, const CatalogBlock& priceFile, const PriceHits& hits,
               std::string_view currency, int languageIndex) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!hits.found[i]) {
            continue;
        }
        ProductRecord& r = records[i];
        TextCursor c = CursorAt(priceFile, hits.begin + *hits.found[i]);
        std::string ignored;
        ReadField(c, ignored, 31, '|'); // the empty field before the key's first "|"
        ReadField(c, ignored, 31, '|'); // the number
        ReadField(c, r.upePrice, '|');
        ReadField(c, r.upePriceEuro, '|');
        ReadField(c, r.vzPrice, '|');
        ReadField(c, r.vzPriceEuro, '|');
        ReadLine(c, r.deliveryText);
        FormatPrice(r.upePrice, false, currency, languageIndex);
        FormatPrice(r.upePriceEuro, true, currency, languageIndex);
        FormatPrice(r.vzPrice, false, currency, languageIndex);
        FormatPrice(r.vzPriceEuro, true, currency, languageIndex);
    }
}

} // namespace

void ApplyPriceFile(std::vector<ProductRecord>& records, CatalogBlock& priceFile, std::string_view currency,
                    int languageIndex) {
    const std::vector<std::string_view> numbers = NumbersOf(records);
    ApplyHits(records, priceFile, FindHits(priceFile, numbers), currency, languageIndex);
}

namespace {

// The reading operations of the catalogue cursor on a stream, one step at a
// time. A step looks at no byte past pos + kSearchLimit + 2, so it can run as
// soon as those are in the window, and it gives what the same operation
// gives on the whole block: a terminator not found within the limit sends the
// cursor to the block's end there as here.
class StreamSteps {
public:
    explicit StreamSteps(BlockStream& s) : s_(s), end_(s.CursorEnd()) {}

    std::size_t End() const { return end_; }
    bool Ready(std::size_t pos) const {
        return pos >= end_ || s_.End() >= std::min(end_, pos + kSearchLimit + 2);
    }
    // Reads on until a step at pos can run; false when the file fails.
    bool Pull(std::size_t pos) {
        while (!Ready(pos)) {
            if (!s_.ReadOn(pos)) {
                return false;
            }
        }
        return true;
    }
    bool AtComment(std::size_t pos) const { return pos < end_ && *s_.At(pos) == '#'; }
    // One comment line of SkipComments.
    std::size_t SkipComment(std::size_t pos) const {
        const std::size_t cr = Find(pos, '\r');
        return cr != kNone ? std::min(cr + 2, end_) : end_;
    }
    std::size_t SkipLine(std::size_t pos) const {
        const std::size_t lf = Find(pos, '\n');
        return lf != kNone ? lf + 1 : end_;
    }
    // ReadField and ReadLine after their comment skipping.
    std::size_t Field(std::size_t pos, std::string& out, std::size_t maxLength, char separator) const {
        out.clear();
        if (pos >= end_) {
            return pos;
        }
        const std::size_t stop = pos + std::min(end_ - pos, kSearchLimit);
        const char* from = s_.At(pos);
        std::size_t p = pos;
        for (const char* q = from; p < stop && *q != separator && *q != '\r' && *q != '\0'; ++p, ++q) {
        }
        out.assign(from, std::min(p - pos, maxLength));
        return p < stop ? std::min(p + 1, end_) : end_;
    }
    std::size_t Line(std::size_t pos, std::string& out, std::size_t maxLength) const {
        out.clear();
        if (pos >= end_) {
            return pos;
        }
        const std::size_t cr = Find(pos, '\r');
        const std::size_t to = cr != kNone ? cr : pos + std::min(end_ - pos, kSearchLimit);
        std::size_t n = std::min(to - pos, maxLength);
        if (const void* nul = std::memchr(s_.At(pos), '\0', n)) {
            n = static_cast<std::size_t>(static_cast<const char*>(nul) - s_.At(pos));
        }
        out.assign(s_.At(pos), n);
        return cr != kNone ? std::min(cr + 2, end_) : end_;
    }

private:
    static constexpr std::size_t kNone = SIZE_MAX;
    std::size_t Find(std::size_t pos, char ch) const {
        if (pos >= end_) {
            return kNone;
        }
        const std::size_t span = std::min(end_ - pos, kSearchLimit);
        const void* hit = std::memchr(s_.At(pos), static_cast<unsigned char>(ch), span);
        return hit ? pos + static_cast<std::size_t>(static_cast<const char*>(hit) - s_.At(pos)) : kNone;
    }
    BlockStream& s_;
    std::size_t end_;
};

// What a price line gives a record, as read from its key on.
struct PriceLine {
    std::string upe, upeEuro, vz, vzEuro, delivery;
};

// The line read from a key on: the empty field before it, the number, four
// prices and the rest of the line, each a ReadField or ReadLine.
struct PriceLineRead {
    std::size_t slot = 0;
    std::size_t pos = 0;
    int step = 0;
    PriceLine line;

    // Runs the steps whose bytes are read; true when all have run.
    bool RunOn(const StreamSteps& steps) {
        std::string ignored;
        while (step < 7) {
            if (!steps.Ready(pos)) {
                return false;
            }
            if (steps.AtComment(pos)) {
                pos = steps.SkipComment(pos);
                continue;
            }
            switch (step) {
            case 0:
            case 1: pos = steps.Field(pos, ignored, 31, '|'); break;
            case 2: pos = steps.Field(pos, line.upe, decltype(ProductRecord::upePrice)::kMaxLength, '|'); break;
            case 3: pos = steps.Field(pos, line.upeEuro, decltype(ProductRecord::upePriceEuro)::kMaxLength, '|'); break;
            case 4: pos = steps.Field(pos, line.vz, decltype(ProductRecord::vzPrice)::kMaxLength, '|'); break;
            case 5: pos = steps.Field(pos, line.vzEuro, decltype(ProductRecord::vzPriceEuro)::kMaxLength, '|'); break;
            default: pos = steps.Line(pos, line.delivery, decltype(ProductRecord::deliveryText)::kMaxLength); break;
            }
            ++step;
        }
        return true;
    }
};

} // namespace

std::optional<PriceListHeader> ReadPriceListHeader(std::string_view windowsPath) {
    // Only the first lines are read, not the whole list, and only as much
    // as a line's search limit needs beyond them.
    std::optional<BlockStream> stream = BlockStream::Open(windowsPath, true, 2 * kSearchLimit);
    if (!stream) {
        return std::nullopt;
    }
    StreamSteps steps(*stream);
    std::size_t pos = stream->ContentStart();
    std::string value;
    auto readLine = [&](std::size_t maxLength) {
        while (steps.Pull(pos) && steps.AtComment(pos)) {
            pos = steps.SkipComment(pos);
        }
        if (!steps.Pull(pos)) {
            return false;
        }
        pos = steps.Line(pos, value, maxLength);
        return true;
    };
    PriceListHeader h;
    if (!readLine(decltype(h.currency)::kMaxLength)) {
        return std::nullopt;
    }
    h.currency = value;
    for (FixedText<128>* field : {&h.id, &h.date, &h.expiry}) {
        if (!readLine(FixedText<128>::kMaxLength)) {
            return std::nullopt;
        }
        *field = value;
    }
    if (!readLine(255)) {
        return std::nullopt;
    }
    h.availability = ParseLeadingInt(value);
    return h;
}

namespace {

// Bit i set when byte i of the 64 at p is a bar.
std::uint64_t BarMask(const char* p) {
    std::uint64_t mask = 0;
#if defined(__SSE2__)
    const __m128i bar = _mm_set1_epi8('|');
    for (int k = 0; k < 4; ++k) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        mask |= std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, bar)))} << (16 * k);
    }
#else
    for (int i = 0; i < 64; ++i) {
        mask |= std::uint64_t{p[i] == '|'} << i;
    }
#endif
    return mask;
}

// Small enough to stay in the first-level cache while a list is scanned.
constexpr unsigned kQuickBitsLog2 = 17;
constexpr std::size_t kQuickBits = std::size_t{1} << kQuickBitsLog2;

// A cheap first look at a token of up to 62 bytes at p, with at least 8
// bytes readable from p: most tokens of a wanted length are not wanted, and
// one load and one multiplication tell most of them apart before the full
// hash. Long tokens are told by their last eight bytes, where numbers differ.
std::size_t QuickBit(const char* p, std::size_t length) {
    std::uint64_t word = 0;
    if (length >= 8) {
        std::memcpy(&word, p + length - 8, 8);
    } else {
        std::memcpy(&word, p, 8);
        word &= (std::uint64_t{1} << (8 * length)) - 1;
    }
    return static_cast<std::size_t>(((word ^ length) * 0x9E3779B97F4A7C15ull) >> (64 - kQuickBitsLog2));
}

// A wanted length of key, and the look inside its pairs of bars: when no
// number holds a bar, a pair with a bar between is no key. The middle four
// bytes of a pair are where a bar between two short fields (prices,
// mostly) stands, and they are all that is looked at.
struct KeyLength {
    std::size_t length = 0;
    unsigned middle = 0;      // bytes from the first after the bar to the middle four
    std::uint64_t filter = 0; // all ones when a bar there rules a pair out
};

// Bit i: a bar among bytes i + 1 to i + 4 of current and next (the 64 bytes
// after current), as a low word for current and a high one for next.
struct BarsAhead {
    std::uint64_t low;
    std::uint64_t high;
};
BarsAhead FourAhead(std::uint64_t current, std::uint64_t next) {
    std::uint64_t low = (current >> 1) | (next << 63);
    std::uint64_t high = next >> 1;
    low |= (low >> 1) | (high << 63);
    high |= high >> 1;
    low |= (low >> 2) | (high << 62);
    high |= high >> 2;
    return {low, high};
}

// The bars at i among the 64 of current that can open a key of key.length
// bytes: a bar length + 1 further on and none in the middle looked at.
std::uint64_t KeyOpenings(std::uint64_t current, std::uint64_t next, const KeyLength& key, BarsAhead ahead) {
    const unsigned shift = static_cast<unsigned>(key.length + 1);
    const std::uint64_t pairs = current & ((current >> shift) | (next << (64 - shift)));
    const std::uint64_t inside = (ahead.low >> key.middle) | ((ahead.high << 1) << (63 - key.middle));
    return pairs & ~(inside & key.filter);
}

// A bar pair of a wanted length whose token passed the quick look.
struct QuickHit {
    std::size_t offset; // of the first bar, from where the scan began
    std::size_t length;
};

// The key openings of every length in keys that start in the whole blocks
// of 64 bytes from at on, while the block after each is before end too, and
// whose token passes the quick look, in blocks in text order and by length
// within a block. They go to hits from count on while room for another
// block's worth is left. Returns how far it got, a multiple of 64. Kept
// apart from the reading so the loop holds what it needs in registers.
std::size_t ScanWholeBlocks(const char* at, const char* end, std::span<const KeyLength> keys,
                            const std::uint64_t* quick, std::span<QuickHit> hits, std::size_t& count) {
    QuickHit* out = hits.data() + count;
    const std::size_t perBlock = 64 * keys.size();
    QuickHit* const last = hits.data() + (hits.size() > perBlock ? hits.size() - perBlock : 0);
    const char* p = at;
    std::uint64_t current = BarMask(p);
    for (; end - p >= 128 && out <= last; p += 64) {
        const std::uint64_t next = BarMask(p + 64);
        const BarsAhead ahead = FourAhead(current, next);
        for (const KeyLength& key : keys) {
            for (std::uint64_t pairs = KeyOpenings(current, next, key, ahead); pairs; pairs &= pairs - 1) {
                const std::size_t i = static_cast<std::size_t>(std::countr_zero(pairs));
                const std::size_t bit = QuickBit(p + i + 1, key.length);
                *out = {static_cast<std::size_t>(p - at) + i, key.length};
                out += quick[bit / 64] >> (bit % 64) & 1;
            }
        }
        current = next;
    }
    count = static_cast<std::size_t>(out - hits.data());
    return static_cast<std::size_t>(p - at);
}

} // namespace

namespace {

// The numbers of a lookup, taken in once for all the price files it reads.
// They are views of the records' numbers, which the lookup never changes.
class PriceKeys {
public:
    explicit PriceKeys(const std::vector<ProductRecord>& records);
    // Hands every line of a number's first key in the file to take, with its
    // slot and its prices formatted. Nothing when the file can't be opened.
    using Take = std::function<void(std::size_t slot, const PriceLine& line)>;
    void Read(std::string_view windowsPath, std::string_view currency, int languageIndex, std::size_t chunkBytes,
              const Take& take) const {
        if (std::optional<BlockStream> stream = BlockStream::Open(windowsPath, true, chunkBytes)) {
            Read(*stream, currency, languageIndex, take);
        }
    }
    void Read(BlockStream& s, std::string_view currency, int languageIndex, const Take& take) const;
    std::size_t Slots() const { return recordOf_.size(); }
    // Gives the line to every record with the slot's number.
    void Give(std::vector<ProductRecord>& records, std::size_t slot, const PriceLine& line) const {
        for (std::size_t i = recordOf_[slot]; i != kNone; i = nextOf_[i]) {
            ProductRecord& record = records[i];
            record.upePrice = line.upe;
            record.upePriceEuro = line.upeEuro;
            record.vzPrice = line.vz;
            record.vzPriceEuro = line.vzEuro;
            record.deliveryText = line.delivery;
        }
    }

private:
    static constexpr std::size_t kLongest = 62; // a key and its bars within two blocks of 64
    static constexpr std::size_t kNone = SIZE_MAX;
    WantedTokens wanted_;
    std::vector<std::uint64_t> quick_;
    std::vector<KeyLength> keys_;
    std::vector<std::size_t> recordOf_; // per slot: a record with that number
    std::vector<std::size_t> nextOf_;   // per record: the next one with the same number
};

PriceKeys::PriceKeys(const std::vector<ProductRecord>& records)
    : wanted_(records.size()), quick_(kQuickBits / 64, 0), nextOf_(records.size(), kNone) {
    bool barInNumbers = false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string_view n = records[i].number;
        if (n.size() > kLongest || n.find('\0') != std::string_view::npos) {
            continue; // can't stand in a text cut at its first NUL, nor in a number field
        }
        const std::size_t slot = wanted_.Add(n);
        if (slot == recordOf_.size()) {
            recordOf_.push_back(kNone);
        }
        nextOf_[i] = recordOf_[slot];
        recordOf_[slot] = i;
        char padded[kLongest + 8] = {};
        std::memcpy(padded, n.data(), n.size());
        const std::size_t bit = QuickBit(padded, n.size());
        quick_[bit / 64] |= std::uint64_t{1} << (bit % 64);
        barInNumbers = barInNumbers || n.find('|') != std::string_view::npos;
        if (std::none_of(keys_.begin(), keys_.end(), [&](const KeyLength& k) { return k.length == n.size(); })) {
            keys_.push_back({n.size()});
        }
    }
    for (KeyLength& key : keys_) {
        if (key.length >= 4 && !barInNumbers) {
            key.middle = static_cast<unsigned>(key.length - 4) / 2;
            key.filter = ~std::uint64_t{0};
        }
    }
}

// Why looking only at bar pairs finds what the key search finds: the key
// "|" + n + "|" stands at p exactly when text[p] and text[p + |n| + 1] are
// bars and the bytes between are n. So for every length of a wanted number,
// the pairs of bars that far apart are the candidates, and the first
// candidate in text order whose bytes are a number is that number's first
// occurrence (a number with a bar in it included). The text is cut at its
// first NUL, as the C-string search was. Bars are found 64 bytes at a time.
void PriceKeys::Read(BlockStream& s, std::string_view currency, int languageIndex, const Take& take) const {
    StreamSteps steps(s);
    std::vector<char> seen(recordOf_.size(), 0);
    std::size_t open = recordOf_.size();

    // The key search covers the text after the content's first four lines.
    std::size_t begin = s.ContentStart();
    for (int i = 0; i < 4; ++i) {
        if (!steps.Pull(begin)) {
            return;
        }
        begin = steps.SkipLine(begin);
    }
    begin = std::min(begin, s.ContentSize());
    std::size_t textEnd = s.ContentSize(); // lowered to the first NUL once seen

    std::vector<PriceLineRead> reading;
    auto runReads = [&] {
        std::erase_if(reading, [&](PriceLineRead& r) {
            if (!r.RunOn(steps)) {
                return false;
            }
            PriceLine& line = r.line;
            FormatPrice(line.upe, false, currency, languageIndex);
            FormatPrice(line.upeEuro, true, currency, languageIndex);
            FormatPrice(line.vz, false, currency, languageIndex);
            FormatPrice(line.vzEuro, true, currency, languageIndex);
            take(r.slot, line);
            return true;
        });
    };
    // The text ends at its first NUL: looked for once per read, not per block.
    std::size_t nulsSeenTo = begin;
    auto findTextEnd = [&] {
        const std::size_t have = std::min(s.End(), s.ContentSize());
        if (nulsSeenTo < have && textEnd == s.ContentSize()) {
            if (const void* nul = std::memchr(s.At(nulsSeenTo), '\0', have - nulsSeenTo)) {
                textEnd = static_cast<std::size_t>(static_cast<const char*>(nul) - s.At(nulsSeenTo)) + nulsSeenTo;
            }
            nulsSeenTo = have;
        }
    };
    // The bars of the 64 bytes at b that lie inside the text.
    auto barsAt = [&](std::size_t b) -> std::uint64_t {
        findTextEnd();
        if (b >= textEnd) {
            return 0;
        }
        char padded[64];
        const char* p = s.At(b);
        if (s.End() - b < 64) {
            std::memset(padded, 0, sizeof padded);
            std::memcpy(padded, p, s.End() - b);
            p = padded;
        }
        const std::uint64_t bars = BarMask(p);
        const std::size_t inText = textEnd - b;
        return inText >= 64 ? bars : bars & ((std::uint64_t{1} << inText) - 1);
    };
    // The first key of its number at p starts that number's line.
    auto lookUp = [&](std::size_t p, std::size_t length) {
        const std::size_t slot = wanted_.Find(std::string_view(s.At(p + 1), length));
        if (slot == SIZE_MAX || seen[slot]) {
            return;
        }
        seen[slot] = 1;
        --open;
        reading.push_back(PriceLineRead{slot, p, 0, {}});
        runReads();
    };
    // The keys of every wanted length that start among the 64 bytes at b,
    // given the bars there and in the 64 bytes after.
    auto lookAt = [&](std::size_t b, std::uint64_t current, std::uint64_t next) {
        const BarsAhead ahead = FourAhead(current, next);
        for (const KeyLength& key : keys_) {
            const std::size_t length = key.length;
            std::uint64_t pairs = KeyOpenings(current, next, key, ahead);
            for (; pairs && open > 0; pairs &= pairs - 1) {
                const std::size_t p = b + static_cast<std::size_t>(std::countr_zero(pairs));
                if (p + 9 <= s.End()) {
                    const std::size_t bit = QuickBit(s.At(p + 1), length);
                    if (!(quick_[bit / 64] >> (bit % 64) & 1)) {
                        continue;
                    }
                }
                lookUp(p, length);
            }
        }
    };
    std::vector<QuickHit> quickHits(std::size_t{1} << 13);

    std::size_t b = begin;
    bool haveCurrent = false;
    std::uint64_t current = 0;
    while (open > 0 && b < textEnd) {
        // Two blocks must be in the window: a key may end in the second.
        while (s.End() < std::min(s.BlockSize(), b + 128)) {
            std::size_t keepFrom = b;
            for (const PriceLineRead& r : reading) {
                keepFrom = std::min(keepFrom, r.pos);
            }
            if (!s.ReadOn(keepFrom)) {
                return;
            }
            runReads();
        }
        // Most of a window is text whole blocks deep: no bar there needs
        // masking, and the tokens that pass the quick look are few.
        findTextEnd();
        const std::size_t wholeEnd = std::min(s.End(), textEnd);
        if (b + 128 <= wholeEnd) {
            std::size_t count = 0;
            const std::size_t scanned =
                ScanWholeBlocks(s.At(b), s.At(wholeEnd), keys_, quick_.data(), quickHits, count);
            for (std::size_t h = 0; h < count && open > 0; ++h) {
                lookUp(b + quickHits[h].offset, quickHits[h].length);
            }
            b += scanned;
            haveCurrent = false;
            continue;
        }
        if (!haveCurrent) {
            current = barsAt(b);
        }
        const std::uint64_t next = barsAt(b + 64);
        lookAt(b, current, next);
        current = next;
        haveCurrent = true;
        b += 64;
    }
    // The lines found last may run on past what is read.
    while (!reading.empty()) {
        std::size_t keepFrom = s.End();
        for (const PriceLineRead& r : reading) {
            keepFrom = std::min(keepFrom, r.pos);
        }
        if (!s.ReadOn(keepFrom)) {
            return;
        }
        runReads();
    }
}

} // namespace

void ApplyPriceFile(std::vector<ProductRecord>& records, std::string_view windowsPath, std::string_view currency,
                    int languageIndex, std::size_t chunkBytes) {
    const PriceKeys keys(records);
    keys.Read(windowsPath, currency, languageIndex, chunkBytes,
              [&](std::size_t slot, const PriceLine& line) { keys.Give(records, slot, line); });
}

void LookUpPrices(std::vector<ProductRecord>& records, const GlobalState& state) {
    if (state.priceListOutdated || records.empty()) {
        return;
    }
    // The update file is read after the list, or beside it when long; a
    // number it holds takes its line from there, whichever file finds the
    // number first. Records of one number share a slot, so a slot's lock
    // guards them.
    const PriceKeys keys(records);
    std::vector<char> fromUpdate(keys.Slots(), 0);
    std::array<std::mutex, 64> locks;
    const auto giveFromList = [&](std::size_t slot, const PriceLine& line) {
        const std::lock_guard lock(locks[slot % locks.size()]);
        if (!fromUpdate[slot]) {
            keys.Give(records, slot, line);
        }
    };
    const auto giveFromUpdate = [&](std::size_t slot, const PriceLine& line) {
        const std::lock_guard lock(locks[slot % locks.size()]);
        fromUpdate[slot] = 1;
        keys.Give(records, slot, line);
    };
    std::optional<BlockStream> update;
    if (!state.priceUpdatePath.empty()) {
        update = BlockStream::Open(state.priceUpdatePath.str(), true);
    }
    const auto readUpdate = [&] { keys.Read(*update, state.currency, state.languageIndex, giveFromUpdate); };
    // A thread takes a millisecond or so to get going, as much as reading
    // some megabytes: only a long read is worth one.
    constexpr std::size_t kWorthAThread = std::size_t{32} << 20;
    std::future<void> readingUpdate;
    if (update && update->ContentSize() >= kWorthAThread) {
        try {
            readingUpdate = std::async(std::launch::async, readUpdate);
        } catch (const std::system_error&) {
            // no thread to be had: read after the list
        }
    }
    keys.Read(PriceListPath(state), state.currency, state.languageIndex, kStreamChunkBytes, giveFromList);
    if (readingUpdate.valid()) {
        readingUpdate.get();
    } else if (update) {
        readUpdate();
    }
}

} // namespace qx
