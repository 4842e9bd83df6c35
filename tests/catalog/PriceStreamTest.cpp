// The price lookup read through a window must give what the lookup on the
// whole loaded file gives, for any bytes, however the reads fall.
#include "catalog/PriceList.h"
#include "tests/common/Scramble.h"
#include "tests/common/TempDir.h"

#include "platform/core/Path.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qx {
namespace {

using test::Scramble;

std::string Fields(const ProductRecord& r) {
    return r.upePrice.str() + "|" + r.upePriceEuro.str() + "|" + r.vzPrice.str() + "|" + r.vzPriceEuro.str() + "|" +
           r.deliveryText.str();
}

TEST(PriceStream, GivesWhatTheWholeFileGives) {
    std::mt19937 rng(24);
    const std::string pieces[] = {"|", "|", "A1", "B|2", "#", "\r\n", "\r", "\n", std::string(1, '\0'), "12,5", " x",
                                  "|A1|", "|B|2|", "CRPT", "\xF0", "0", "A1B|2|"};
    // Stretches longer than the search limit: a line, a field or a comment
    // that runs past it, so reads stop at the limit and move to the end.
    const std::string longPieces[] = {std::string(kSearchLimit + 5, 'x'), "#" + std::string(kSearchLimit, 'c'),
                                      std::string(kSearchLimit - 3, '7') + "\r\n", std::string(300000, '|')};
    test::TempDir dir;
    const std::string path = ToWindowsPath(dir / "p.prs");
    for (int round = 0; round < 600; ++round) {
        const bool large = round % 30 == 0;
        std::string text;
        const int n = static_cast<int>(rng() % 120);
        for (int i = 0; i < n; ++i) {
            text += pieces[rng() % std::size(pieces)];
            if (large && rng() % 20 == 0) {
                text += longPieces[rng() % std::size(longPieces)];
            }
        }
        const std::string bytes = rng() % 2 ? Scramble(text) : text;
        dir.Write("p.prs", bytes);

        std::vector<ProductRecord> records(1 + rng() % 6);
        for (ProductRecord& r : records) {
            std::string number;
            for (int i = static_cast<int>(rng() % 3); i > 0; --i) {
                number += pieces[rng() % 4 + 2]; // "A1", "B|2", "#", line ends
            }
            r.number = rng() % 4 ? number.substr(0, number.find_first_of("\r\n#")) : number;
            r.vzPrice = "7";
        }
        std::vector<ProductRecord> whole = records;
        CatalogBlock block(bytes);
        ApplyPriceFile(whole, block, "CZK", 1);
        const std::size_t chunk = large ? std::size_t{4096} << (rng() % 8) : 1 + rng() % 200;
        std::vector<ProductRecord> streamed = records;
        ApplyPriceFile(streamed, path, "CZK", 1, chunk);
        for (std::size_t i = 0; i < records.size(); ++i) {
            ASSERT_EQ(Fields(streamed[i]), Fields(whole[i]))
                << "round " << round << " chunk " << chunk << " number [" << records[i].number.str() << "]";
        }

        CatalogBlock headerBlock(bytes);
        const PriceListHeader expected = ParsePriceListHeader(headerBlock);
        const std::optional<PriceListHeader> h = ReadPriceListHeader(path);
        ASSERT_TRUE(h);
        EXPECT_EQ(h->currency.str() + "|" + h->id.str() + "|" + h->date.str() + "|" + h->expiry.str() + "|" +
                      std::to_string(h->availability),
                  expected.currency.str() + "|" + expected.id.str() + "|" + expected.date.str() + "|" +
                      expected.expiry.str() + "|" + std::to_string(expected.availability))
            << "round " << round;
    }
    // A file that isn't there changes nothing.
    std::vector<ProductRecord> records(1);
    records[0].number = "A1";
    ApplyPriceFile(records, ToWindowsPath(dir / "missing.prs"), "CZK", 1);
    EXPECT_EQ(Fields(records[0]), "||||");
    EXPECT_FALSE(ReadPriceListHeader(ToWindowsPath(dir / "missing.prs")));
}

} // namespace
} // namespace qx
