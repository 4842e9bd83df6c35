#include "PriceList.h"

#include "app/core/GlobalState.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <unordered_map>

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
    std::tm tm{};
    tm.tm_mday = date.day;
    tm.tm_mon = date.month - 1;
    tm.tm_year = date.year - 1900;
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
std::vector<std::optional<std::size_t>> FindPriceKeys(std::string_view text,
                                                      std::span<const std::string_view> numbers) {
    std::vector<std::optional<std::size_t>> found(numbers.size());

    // Distinct wanted token contents, each with the first position found.
    struct Wanted {
        std::optional<std::size_t> position;
    };
    std::unordered_map<std::string_view, std::size_t> slotOf;
    std::vector<Wanted> slots;
    std::vector<std::size_t> slotOfNumber(numbers.size(), SIZE_MAX);
    std::size_t maxLength = 0;
    std::vector<bool> lengthWanted;
    slotOf.reserve(numbers.size() * 2);
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
        auto [it, inserted] = slotOf.try_emplace(n, slots.size());
        if (inserted) {
            slots.emplace_back();
        }
        slotOfNumber[i] = it->second;
        maxLength = std::max(maxLength, n.size());
        if (lengthWanted.size() <= n.size()) {
            lengthWanted.resize(n.size() + 1, false);
        }
        lengthWanted[n.size()] = true;
    }

    std::size_t open = slots.size();
    const char* base = text.data();
    const char* end = base + text.size();
    const char* bar = open ? static_cast<const char*>(std::memchr(base, '|', text.size())) : nullptr;
    while (bar && open) {
        const char* next = static_cast<const char*>(std::memchr(bar + 1, '|', static_cast<std::size_t>(end - bar - 1)));
        if (!next) {
            break;
        }
        const std::size_t length = static_cast<std::size_t>(next - bar - 1);
        if (length <= maxLength && lengthWanted[length]) {
            const auto it = slotOf.find(std::string_view(bar + 1, length));
            if (it != slotOf.end() && !slots[it->second].position) {
                slots[it->second].position = static_cast<std::size_t>(bar - base);
                --open;
            }
        }
        bar = next;
    }

    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (slotOfNumber[i] != SIZE_MAX) {
            found[i] = slots[slotOfNumber[i]].position;
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

void ApplyPriceFile(std::vector<ProductRecord>& records, CatalogBlock& priceFile, std::string_view currency,
                    int languageIndex) {
    const std::size_t contentStart = Unscramble(priceFile);
    const PriceSearchRange range = PriceSearchRangeOf(priceFile, contentStart);
    const std::string_view text(priceFile.Data() + range.begin, range.end - range.begin);

    std::vector<std::string_view> numbers;
    numbers.reserve(records.size());
    for (const ProductRecord& r : records) {
        numbers.emplace_back(r.number);
    }
    const std::vector<std::optional<std::size_t>> found = FindPriceKeys(text, numbers);

    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!found[i]) {
            continue;
        }
        ProductRecord& r = records[i];
        TextCursor c = CursorAt(priceFile, range.begin + *found[i]);
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
    ApplyPriceFile(records, PriceListPath(state), state.currency, state.languageIndex);
    if (!state.priceUpdatePath.empty()) {
        ApplyPriceFile(records, state.priceUpdatePath, state.currency, state.languageIndex);
    }
}

} // namespace qx
