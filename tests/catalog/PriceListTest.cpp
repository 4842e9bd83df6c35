#include "catalog/PriceList.h"
#include "ground/GlobalState.h"
#include "platform/core/Path.h"
#include "tests/common/Scramble.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace qx {
namespace {

using test::Scramble;

// The lookup as first described: one search of the whole text per key.
std::optional<std::size_t> NaiveFind(std::string_view text, std::string_view number) {
    const std::string key = "|" + std::string(number) + "|";
    const std::size_t p = text.find(key);
    return p == std::string_view::npos ? std::nullopt : std::optional<std::size_t>(p);
}

TEST(PriceKeys, OnePassFindsWhatTheKeyByKeySearchFinds) {
    // Small alphabets make keys occur at odd places: inside fields, across
    // line ends, spanning several fields, as empty fields.
    std::mt19937 rng(1234);
    const std::string alphabet = "|1 2|\r\n,a|";
    for (int round = 0; round < 3000; ++round) {
        const auto random = [&](int length) {
            std::string s;
            for (int i = 0; i < length; ++i)
                s += alphabet[rng() % alphabet.size()];
            return s;
        };
        const std::string text = random(static_cast<int>(rng() % 200));
        std::vector<std::string> owned(1 + rng() % 12);
        for (std::string& n : owned) {
            if (rng() % 2 && !text.empty()) { // a piece of the text, so that many are found
                const std::size_t from = rng() % text.size();
                n = text.substr(from, rng() % 6);
            } else {
                n = random(static_cast<int>(rng() % 4));
            }
        }
        std::vector<std::string_view> numbers(owned.begin(), owned.end());
        const auto found = FindPriceKeys(text, numbers);
        ASSERT_EQ(found.size(), numbers.size());
        for (std::size_t i = 0; i < numbers.size(); ++i)
            ASSERT_EQ(found[i], NaiveFind(text, numbers[i])) << "text [" << text << "] number [" << numbers[i] << "]";
    }
    const std::string_view twins[] = {"N995960", "N1008973"}; // hashes alike in all bits the table looks at
    EXPECT_EQ(FindPriceKeys("|N1008973|N995960|", twins), (std::vector<std::optional<std::size_t>>{9, 0}));
}

std::string PriceFile(const std::string& currency, const std::string& date, const std::string& lines) {
    return currency + "\r\nLIST-ID\r\n" + date + "\r\n31.12.99\r\n1\r\n" + lines;
}

std::string Fields(const ProductRecord& r) {
    return r.upePrice.str() + "|" + r.upePriceEuro.str() + "|" + r.vzPrice.str() + "|" + r.vzPriceEuro.str() + "|" +
           r.deliveryText.str();
}

std::vector<ProductRecord> Records(std::initializer_list<const char*> numbers) {
    std::vector<ProductRecord> records;
    for (const char* n : numbers) {
        ProductRecord r;
        r.number = n;
        r.vzPrice = "7,00 DM";
        FormatPrice(r.upePrice, false, "DM", 1);
        FormatPrice(r.upePriceEuro, true, "DM", 1);
        FormatPrice(r.vzPriceEuro, true, "DM", 1);
        records.push_back(r);
    }
    return records;
}

TEST(PriceLookup, FieldsOfTheFirstMatchingLineAndScrambledTwins) {
    const std::string lines = "x|A1|1234,5|631.36|1000|511,29|sofort lieferbar\r\n|B2|0,00||2.5||\r\n"
                              "dup|A1|9|9|9|9|second\r\n";
    const std::string plain = PriceFile("CZK", "01.01.05", lines);
    for (const std::string& bytes : {plain, Scramble(plain)}) {
        CatalogBlock block(bytes);
        std::vector<ProductRecord> records = Records({"A1", "B2", "C3"});
        ApplyPriceFile(records, block, "CZK", 1);
        EXPECT_EQ(Fields(records[0]), "1234,50 CZK|631,36 EUR|1000,00 CZK|511,29 EUR|sofort lieferbar");
        EXPECT_EQ(Fields(records[1]), "0.00|on request|2,50 CZK|on request|");
        // Absent: the record keeps what the product list gave it.
        EXPECT_EQ(Fields(records[2]), "on request|on request|7,00 DM|on request|");
    }
    CatalogBlock header(Scramble(plain));
    const PriceListHeader h = ParsePriceListHeader(header);
    EXPECT_EQ(h.currency.str() + "|" + h.id.str() + "|" + h.date.str() + "|" + std::to_string(h.availability),
              "CZK|LIST-ID|01.01.05|1");

    // The header's lines 1 to 4 never match; line 5 is searched.
    const std::string bytes = "|N|1|1|1|1|in header\r\nid\r\nd\r\ne\r\n|N|2|2|2|2|line five\r\n";
    CatalogBlock block(bytes);
    std::vector<ProductRecord> records = Records({"N"});
    ApplyPriceFile(records, block, "DM", 0);
    EXPECT_EQ(records[0].deliveryText, "line five");
}

using test::TempDir;

GlobalState StateFor(const TempDir& dir) {
    GlobalState s;
    s.programDir = ToWindowsPath(dir.Path(), true);
    s.dataDir = "DATEN\\LANG2\\";
    s.currency = "DM";
    s.languageIndex = 1;
    return s;
}

// What the check decided and left in the state, in one line.
std::string Checked(GlobalState& s, std::time_t now) {
    const PriceListCheckResult r = CheckPriceList(s, now);
    return std::string(r.updateUsed ? "update " : "") + (r.showOutdatedWarning ? "warning " : "") + "availability " +
           std::to_string(r.availability) + " outdated " + std::to_string(s.priceListOutdated) + " " +
           s.currency.str() + " " + s.priceListId.str() + (s.priceUpdatePath.empty() ? " no update" : "");
}

TEST(PriceLookup, UpdateFileWinsAndTheWholeProductLoadUsesBoth) {
    TempDir dir;
    dir.Write("DATEN/LANG2/liste.txt", "T\r\nG|a\r\nS\r\n3\r\n\r\n"
                                      "k1\r\np\r\nA\r\nd\r\n0\r\nn\r\ns\r\n\r\n5\r\ni\r\n\r\nsup\r\n\r\nt}\r\n\r\n"
                                      "k2\r\np\r\nB\r\nd\r\n0\r\nn\r\ns\r\n\r\n5\r\ni\r\n\r\nsup\r\n\r\nt}\r\n\r\n"
                                      "k3\r\np\r\nC\r\nd\r\n0\r\nn\r\ns\r\n\r\n5\r\ni\r\n\r\nsup\r\n\r\nt}\r\n\r\n");
    GlobalState state = StateFor(dir);
    state.priceUpdatePath = ToWindowsPath(dir.Path() / "update.prs");
    std::optional<ProductList> list;
    // A long update is read on a thread and finds B before the list does; it wins all the same.
    for (const std::string& fill : {std::string(), std::string(33 << 20, 'x')}) {
        dir.Write("DATEN/LANG2/QX.PRS",
                  PriceFile("EUR", "01.01.05", "|A|1|1|1|1|list\r\n" + fill + "|B|2|2|2|2|list\r\n"));
        dir.Write("update.prs", Scramble(PriceFile("EUR", "01.01.05", "|B|3|3|3|3|update\r\n" + fill)));
        EXPECT_EQ(Checked(state, 0), "update availability 1 outdated 0 EUR LIST-ID"); // same date as the list
        list = LoadProductList(state, "LISTE.TXT");
        EXPECT_EQ(Fields(list.value().records.at(0)) + "/" + Fields(list->records.at(1)) + "/" +
                      Fields(list->records.at(2)),
                  "1,00 EUR|1,00 EUR|1,00 EUR|1,00 EUR|list/3,00 EUR|3,00 EUR|3,00 EUR|3,00 EUR|update/"
                  "on request|on request|5,00 EUR|on request|");
    }
    // An outdated list looks nothing up.
    state.priceListOutdated = 1;
    list = LoadProductList(state, "liste.txt");
    EXPECT_EQ(list.value_or(ProductList{}).records.at(0).upePrice, "on request");
    EXPECT_FALSE(LoadProductList(state, "missing.txt"));
}

TEST(PriceListCheck, DatesDecideUpdateAndExpiry) {
    TempDir dir;
    dir.Write("DATEN/LANG2/QX.PRS", "EUR\r\n#c\r\nID\r\n05.03.07\r\n05.03.07\r\n0\r\n");
    dir.Write("old.prs", "CZK\r\nID2\r\n04.03.07\r\n01.01.30\r\n1\r\n");
    dir.Write("nodate.prs", "CZK\r\nID2\r\n\r\n01.01.30\r\n1\r\n");

    GlobalState state = StateFor(dir);
    state.priceUpdatePath = ToWindowsPath(dir.Path() / "old.prs");
    const std::time_t expiryMidnight = MidnightOf({5, 3, 2007});
    // An older update is dropped; the "#" line is skipped; at midnight itself the list still holds.
    EXPECT_EQ(Checked(state, expiryMidnight), "availability 0 outdated 0 EUR ID no update");
    state.priceUpdatePath = ToWindowsPath(dir.Path() / "nodate.prs");
    // The expiry day has begun.
    EXPECT_EQ(Checked(state, expiryMidnight + 1), "warning availability 0 outdated 1 EUR ID no update");

    for (const auto& [text, year] : {std::pair{"1.2.32", 1932}, {"1.2.31", 2031}, {"1.2.2005", 2005}})
        EXPECT_EQ(ParseCatalogDate(text), (CatalogDate{1, 2, year})) << text;
    EXPECT_FALSE(ParseCatalogDate("1.2") || ParseCatalogDate(""));

    // Months carry into years as the calendar does; months and years at the
    // ends of int neither overflow nor land in the future.
    EXPECT_EQ(MidnightOf({1, 13, 2019}), MidnightOf({1, 1, 2020}));
    EXPECT_EQ(MidnightOf({1, 0, 2020}), MidnightOf({1, 12, 2019}));
    EXPECT_EQ(MidnightOf({1, -11, 2020}), MidnightOf({1, 1, 2019}));
    const CatalogDate farBack = *ParseCatalogDate("1.-99999999999.2020");
    EXPECT_LT(MidnightOf(farBack), MidnightOf({1, 1, 1900}));
    EXPECT_GT(MidnightOf(*ParseCatalogDate("1.99999999999.2020")), MidnightOf({1, 1, 3000}));
    dir.Write("DATEN/LANG2/QX.PRS", "EUR\r\nID\r\n05.03.07\r\n1.-99999999999.2020\r\n1\r\n");
    state.priceUpdatePath.clear();
    EXPECT_TRUE(CheckPriceList(state, expiryMidnight).showOutdatedWarning);

    // Without a list of its own, a dated update is taken.
    std::filesystem::remove(dir.Path() / "DATEN/LANG2/QX.PRS");
    GlobalState fresh = StateFor(dir);
    fresh.priceUpdatePath = ToWindowsPath(dir.Path() / "old.prs");
    EXPECT_EQ(Checked(fresh, expiryMidnight), "update availability 1 outdated 0 CZK ID2");
}

std::string Fields(const PriceListHeader& h) {
    return h.currency.str() + "|" + h.id.str() + "|" + h.date.str() + "|" + h.expiry.str() + "|" +
           std::to_string(h.availability);
}

// The price lookup read through a window must give what the lookup on the
// whole loaded file gives, for any bytes, however the reads fall.
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
            if (large && rng() % 20 == 0)
                text += longPieces[rng() % std::size(longPieces)];
        }
        const std::string bytes = rng() % 2 ? Scramble(text) : text;
        dir.Write("p.prs", bytes);

        std::vector<ProductRecord> records(1 + rng() % 6);
        for (ProductRecord& r : records) {
            std::string number;
            for (int i = static_cast<int>(rng() % 3); i > 0; --i)
                number += pieces[rng() % 4 + 2]; // "A1", "B|2", "#", line ends
            r.number = rng() % 4 ? number.substr(0, number.find_first_of("\r\n#")) : number;
            r.vzPrice = "7";
        }
        std::vector<ProductRecord> whole = records;
        CatalogBlock block(bytes);
        ApplyPriceFile(whole, block, "CZK", 1);
        const std::size_t chunk = large ? std::size_t{4096} << (rng() % 8) : 1 + rng() % 200;
        std::vector<ProductRecord> streamed = records;
        ApplyPriceFile(streamed, path, "CZK", 1, chunk);
        for (std::size_t i = 0; i < records.size(); ++i)
            ASSERT_EQ(Fields(streamed[i]), Fields(whole[i]))
                << "round " << round << " chunk " << chunk << " number [" << records[i].number.str() << "]";
        CatalogBlock headerBlock(bytes);
        const std::optional<PriceListHeader> h = ReadPriceListHeader(path);
        ASSERT_TRUE(h);
        EXPECT_EQ(Fields(*h), Fields(ParsePriceListHeader(headerBlock))) << "round " << round;
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
