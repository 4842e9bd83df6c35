// Keyword indexes of 200,000 and 2,000,000 entries: the streamed Fill from
// the file, the same over the bytes in memory against the plain search, plain
// reading of the file for scale, and the prefix look-up while the user types.

#include "LargeCatalog.h"
#include "ground/GlobalState.h"
#include "platform/core/Path.h"
#include "search/SearchIndex.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>

namespace fs = std::filesystem;

using namespace qx;

namespace {

struct BenchIndex {
    std::string text;
    fs::path root;
    GlobalState state{};

    explicit BenchIndex(int entries) : text(LargeIndexText(entries, false, 42)) {
        root = fs::temp_directory_path() / ("qx_bench_search_" + std::to_string(std::random_device()()));
        fs::create_directories(root / "DATEN" / "LANG1");
        std::ofstream(root / "DATEN" / "LANG1" / "Katalog.SWS", std::ios::binary) << text;
        state.programDir = ToWindowsPath(root, true);
        state.dataDir = "DATEN\\LANG1\\";
    }
    ~BenchIndex() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

BenchIndex& Index(int entries) {
    static std::map<int, std::unique_ptr<BenchIndex>> made;
    std::unique_ptr<BenchIndex>& i = made[entries];
    if (!i)
        i = std::make_unique<BenchIndex>(entries);
    return *i;
}

// From reading the file to the list ready.
void BM_FillFromFile(benchmark::State& state) {
    const BenchIndex& index = Index(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        IndexList list;
        std::string term = "BOHRER satz";
        list.Fill(index.state, kIndexSws, term);
        benchmark::DoNotOptimize(list.Size());
    }
}

// Reading the file, as cat does: for scale.
void BM_ReadTheFile(benchmark::State& state) {
    const BenchIndex& index = Index(static_cast<int>(state.range(0)));
    std::vector<char> buffer(128 << 10);
    for (auto _ : state) {
        std::ifstream in(index.root / "DATEN" / "LANG1" / "Katalog.SWS", std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
            benchmark::DoNotOptimize(buffer.data());
    }
}

// The same from the bytes in memory, against the plain search.
void BM_Fill(benchmark::State& state) {
    const BenchIndex& index = Index(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        IndexList list;
        std::string term = "BOHRER satz";
        list.Fill(CatalogBlock(index.text), term);
        benchmark::DoNotOptimize(list.Size());
    }
}

void BM_FillLiteral(benchmark::State& state) {
    const BenchIndex& index = Index(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const CatalogBlock block(index.text);
        benchmark::DoNotOptimize(LiteralSearch(block, "BOHRER satz").size());
    }
}

void BM_FindByPrefix(benchmark::State& state) {
    IndexList list;
    std::string term;
    list.Fill(CatalogBlock(Index(200000).text), term);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.FindByPrefix("Zange Z"));
}

// A prefix that no entry has: the whole list is compared.
void BM_FindByPrefixMissing(benchmark::State& state) {
    IndexList list;
    std::string term;
    list.Fill(CatalogBlock(Index(200000).text), term);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.FindByPrefix("Zzz"));
}

} // namespace

BENCHMARK(BM_FillFromFile)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTheFile)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillLiteral)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindByPrefix)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindByPrefixMissing)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
