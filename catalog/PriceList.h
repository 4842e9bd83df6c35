#pragma once
// The price list QX.PRS and the price update file: header, the choice between
// the two, and the lookup of the products' prices.

#include "BlockStream.h"
#include "CatalogText.h"
#include "ProductList.h"
#include "ground/FixedText.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qx {

struct GlobalState;

struct PriceListHeader {
    FixedText<32> currency;
    FixedText<128> id;       // carried with every order item
    FixedText<128> date;     // dd.mm.yy
    FixedText<128> expiry;   // dd.mm.yy
    std::int32_t availability = -1; // >= 1 both price kinds, 0 UPE only, < 0 none
};

// Lines 1 to 5 of a price file, after unscrambling; "#" lines are skipped.
// The block is unscrambled in place; from a file only those lines are read.
PriceListHeader ParsePriceListHeader(CatalogBlock& block);
std::optional<PriceListHeader> ReadPriceListHeader(std::string_view windowsPath);

// A date "day.month.year"; complete only with three numbers separated by two
// points. Years below 32 are 2000 + year, then below 1800 are 1900 + year.
struct CatalogDate {
    int day = 0;
    int month = 0;
    int year = 0;
    // Dates compare by year, then month, then day.
    friend auto operator<=>(const CatalogDate& a, const CatalogDate& b) {
        if (a.year != b.year)
            return a.year <=> b.year;
        if (a.month != b.month)
            return a.month <=> b.month;
        return a.day <=> b.day;
    }
    friend bool operator==(const CatalogDate&, const CatalogDate&) = default;
};
std::optional<CatalogDate> ParseCatalogDate(std::string_view text);
// Midnight at the start of the date, local time.
std::time_t MidnightOf(const CatalogDate& date);

struct PriceListCheckResult {
    std::int32_t availability = -1;
    bool updateUsed = false;
    bool showOutdatedWarning = false; // the caller shows the message
};

// Reads the header of programDir + dataDir + "QX.PRS" and of the update file,
// decides whether the update is used (it is when its date is not empty and
// the list date is empty or not later; otherwise priceUpdatePath is emptied),
// takes currency, id, date and expiry of the list in force, and sets
// priceListOutdated when the expiry's midnight lies before now. Menu state
// and priceMode are the caller's.
PriceListCheckResult CheckPriceList(GlobalState& state, std::time_t now);

// The offset in text of the first occurrence of "|" + number + "|" for every
// number, exactly as a plain search of each key would find it, in one pass
// over text.
std::vector<std::optional<std::size_t>> FindPriceKeys(std::string_view text,
                                                      std::span<const std::string_view> numbers);

// The text the key search covers: after unscrambling, the content minus its
// first four lines, up to the first NUL. Returned as offsets into the block.
struct PriceSearchRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};
PriceSearchRange PriceSearchRangeOf(const CatalogBlock& unscrambledBlock, std::size_t contentStart);

// Looks up every record's number in one price file (unscrambled in place)
// and takes UPE, UPE euro, VZ, VZ euro and the delivery text from the line
// found; prices are then formatted. Records whose number is absent keep
// their values.
void ApplyPriceFile(std::vector<ProductRecord>& records, CatalogBlock& priceFile, std::string_view currency,
                    int languageIndex);
// The same for a file, read once through a window of chunkBytes (and one
// search limit) whatever its size; a file that can't be opened changes
// nothing. Numbers longer than 62 bytes (no record holds one) are not looked for.
void ApplyPriceFile(std::vector<ProductRecord>& records, std::string_view windowsPath, std::string_view currency,
                    int languageIndex, std::size_t chunkBytes = kStreamChunkBytes);

// QX.PRS of the data directory, then the update file when its path is set;
// nothing when priceListOutdated is set.
void LookUpPrices(std::vector<ProductRecord>& records, const GlobalState& state);

} // namespace qx
