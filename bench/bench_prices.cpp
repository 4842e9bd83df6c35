// Opening a product list of 5,000 records against a price list and an update
// file of 200,000 and of 2,000,000 lines each: the streamed lookup, the
// lookup over the whole loaded files it replaces, and plain reading of the
// same three files for scale.

#include "LargeCatalog.h"
#include "ground/GlobalState.h"
#include "catalog/PriceList.h"
#include "catalog/ProductList.h"
#include "platform/core/Path.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace qx;

namespace {

// A catalogue in a temporary directory: QX.PRS, an update file and a product
// list whose numbers are spread over both.
struct BenchCatalogue {
    fs::path root;
    GlobalState state;

    explicit BenchCatalogue(int lines) {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qx_bench_prices_" + std::to_string(rd()));
        WriteLargeCatalog(root, LargeCatalogSize{5000, lines, lines, 0, 0, 42});
        state.programDir = ToWindowsPath(root, true);
        state.dataDir = "DATEN\\LANG1\\";
        state.currency = "EUR";
        state.priceUpdatePath = ToWindowsPath(root / "update.prs");
    }
    ~BenchCatalogue() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    std::string PriceList() const { return state.programDir.str() + "DATEN\\LANG1\\QX.PRS"; }
};

BenchCatalogue& Catalogue(int lines) {
    static std::map<int, std::unique_ptr<BenchCatalogue>> made;
    std::unique_ptr<BenchCatalogue>& c = made[lines];
    if (!c)
        c = std::make_unique<BenchCatalogue>(lines);
    return *c;
}

ProductList ListWithoutPrices(const BenchCatalogue& c) {
    std::optional<CatalogBlock> block = LoadCatalogFile(c.state.programDir.str() + "DATEN\\LANG1\\LIST.TXT");
    return ParseProductList(*block, c.state.currency, 0);
}

void BM_OpenProductList(benchmark::State& st) {
    const BenchCatalogue& c = Catalogue(static_cast<int>(st.range(0)));
    for (auto _ : st) {
        std::optional<ProductList> list = LoadProductList(c.state, "LIST.TXT");
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_OpenProductList)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);

// The same lookup over the two files loaded whole, one after the other.
void BM_OpenProductListWholeFiles(benchmark::State& st) {
    const BenchCatalogue& c = Catalogue(static_cast<int>(st.range(0)));
    for (auto _ : st) {
        ProductList list = ListWithoutPrices(c);
        for (const std::string& path : {c.PriceList(), c.state.priceUpdatePath.str()}) {
            std::optional<CatalogBlock> block = LoadCatalogFile(path);
            ApplyPriceFile(list.records, *block, c.state.currency, 0);
        }
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_OpenProductListWholeFiles)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);

// Reading the product list and both price files, as cat does: for scale.
void BM_ReadTheFiles(benchmark::State& st) {
    const BenchCatalogue& c = Catalogue(static_cast<int>(st.range(0)));
    std::vector<char> buffer(128 << 10);
    for (auto _ : st) {
        for (const fs::path& p : {c.root / "DATEN/LANG1/LIST.TXT", c.root / "DATEN/LANG1/QX.PRS", c.root / "update.prs"}) {
            std::ifstream in(p, std::ios::binary);
            while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
                benchmark::DoNotOptimize(buffer.data());
        }
    }
}
BENCHMARK(BM_ReadTheFiles)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
