#include "PriceList.h"

#include "ground/GlobalState.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <future>
#include <system_error>

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

std::optional<PriceListHeader> ReadPriceListHeader(std::string_view windowsPath) {
    std::optional<CatalogBlock> block = LoadCatalogFile(windowsPath);
    if (!block) {
        return std::nullopt;
    }
    return ParsePriceListHeader(*block);
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

// The wanted token contents in an open-addressing table kept at most a
// quarter full, behind a small bit filter, so that a token nobody wants (most
// numbers, prices and texts) usually costs one hash and one bit test.
class WantedTokens {
public:
    explicit WantedTokens(std::size_t expected) {
        std::size_t size = 16;
        while (size < expected * 4) {
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
                cell = {h, static_cast<std::uint32_t>(contents_.size())};
                contents_.push_back(s);
                return cell.slot;
            }
            if (cell.hash == h && contents_[cell.slot] == s) {
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
            if (cell.hash == h && contents_[cell.slot] == s) {
                return cell.slot;
            }
        }
    }
    std::size_t Count() const { return contents_.size(); }

private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;
    static constexpr std::size_t kFilterBits = std::size_t{1} << 18;
    static std::size_t FilterBit(std::uint64_t h) { return static_cast<std::size_t>(h >> 46); }

    struct Cell {
        std::uint64_t hash = 0;
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

void ApplyPriceFile(std::vector<ProductRecord>& records, std::string_view windowsPath, std::string_view currency,
                    int languageIndex) {
    std::optional<CatalogBlock> block = LoadCatalogFile(windowsPath);
    if (block) {
        ApplyPriceFile(records, *block, currency, languageIndex);
    }
}

void LookUpPrices(std::vector<ProductRecord>& records, const GlobalState& state) {
    if (state.priceListOutdated || records.empty()) {
        return;
    }
    // The two files are read and searched side by side; the update's prices
    // are applied last, so they win for every number it holds.
    const std::vector<std::string_view> numbers = NumbersOf(records);
    std::optional<CatalogBlock> update;
    PriceHits updateHits;
    std::future<void> searchingUpdate;
    if (!state.priceUpdatePath.empty()) {
        const std::string path = state.priceUpdatePath.str();
        auto search = [&update, &updateHits, &numbers, path] {
            update = LoadCatalogFile(path);
            if (update) {
                updateHits = FindHits(*update, numbers);
            }
        };
        try {
            searchingUpdate = std::async(std::launch::async, search);
        } catch (const std::system_error&) {
            search(); // no thread to be had: one after the other
        }
    }
    std::optional<CatalogBlock> list = LoadCatalogFile(PriceListPath(state));
    if (list) {
        ApplyHits(records, *list, FindHits(*list, numbers), state.currency, state.languageIndex);
    }
    if (searchingUpdate.valid()) {
        searchingUpdate.get();
    }
    if (update) {
        ApplyHits(records, *update, updateHits, state.currency, state.languageIndex);
    }
}

} // namespace qx
