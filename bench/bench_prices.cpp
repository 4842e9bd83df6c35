// Opening a product list of 5,000 records against a price list and an update
// file of 200,000 lines each: the one-pass lookup against the key-by-key
// search it replaces.

#include "LargeCatalog.h"
#include "ground/GlobalState.h"
#include "catalog/PriceList.h"
#include "catalog/ProductList.h"
#include "platform/core/Path.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

namespace fs = std::filesystem;
using namespace qx;

namespace {

// A catalogue in a temporary directory: QX.PRS, an update file and a product
// list whose numbers are spread over both.
struct BenchCatalogue {
    fs::path root;
    GlobalState state;

    BenchCatalogue() {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qx_bench_prices_" + std::to_string(rd()));
        WriteLargeCatalog(root, LargeCatalogSize{5000, 200000, 200000, 42});
        state.programDir = ToWindowsPath(root, true);
        state.dataDir = "DATEN\\LANG1\\";
        state.currency = "EUR";
        state.priceUpdatePath = ToWindowsPath(root / "update.prs");
    }
    ~BenchCatalogue() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

BenchCatalogue& Catalogue() {
    static BenchCatalogue c;
    return c;
}

// The lookup as first described: the whole text searched once per record.
void KeyByKeyLookup(std::vector<ProductRecord>& records, const std::string& path, const GlobalState& state) {
    std::optional<CatalogBlock> block = LoadCatalogFile(path);
    if (!block) {
        return;
    }
    const std::size_t start = Unscramble(*block);
    const PriceSearchRange range = PriceSearchRangeOf(*block, start);
    const std::string_view text(block->Data() + range.begin, range.end - range.begin);
    for (ProductRecord& r : records) {
        const std::size_t p = text.find("|" + r.number.str() + "|");
        if (p == std::string_view::npos) {
            continue;
        }
        TextCursor c = CursorAt(*block, range.begin + p);
        std::string ignored;
        ReadField(c, ignored, 31, '|');
        ReadField(c, ignored, 31, '|');
        ReadField(c, r.upePrice, '|');
        ReadField(c, r.upePriceEuro, '|');
        ReadField(c, r.vzPrice, '|');
        ReadField(c, r.vzPriceEuro, '|');
        ReadLine(c, r.deliveryText);
        FormatPrice(r.upePrice, false, state.currency, 0);
        FormatPrice(r.upePriceEuro, true, state.currency, 0);
        FormatPrice(r.vzPrice, false, state.currency, 0);
        FormatPrice(r.vzPriceEuro, true, state.currency, 0);
    }
}

void BM_OpenProductList(benchmark::State& st) {
    const BenchCatalogue& c = Catalogue();
    for (auto _ : st) {
        std::optional<ProductList> list = LoadProductList(c.state, "LIST.TXT");
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_OpenProductList)->Unit(benchmark::kMillisecond);

void BM_OpenProductListKeyByKey(benchmark::State& st) {
    const BenchCatalogue& c = Catalogue();
    for (auto _ : st) {
        std::optional<CatalogBlock> block = LoadCatalogFile(c.state.programDir.str() + "DATEN\\LANG1\\LIST.TXT");
        ProductList list = ParseProductList(*block, c.state.currency, 0);
        KeyByKeyLookup(list.records, c.state.programDir.str() + "DATEN\\LANG1\\QX.PRS", c.state);
        KeyByKeyLookup(list.records, c.state.priceUpdatePath.str(), c.state);
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_OpenProductListKeyByKey)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
