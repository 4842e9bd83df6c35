// A 200,000-entry keyword index: the one-pass Fill against the plain search,
// and the prefix look-up while the user types.

#include "LargeCatalog.h"
#include "ground/GlobalState.h"
#include "platform/core/Path.h"
#include "search/SearchIndex.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

using namespace qx;

namespace {

const std::string& Index() {
    static const std::string text = LargeIndexText(200000, false, 42);
    return text;
}

// From reading the file to the list ready.
void BM_FillFromFile(benchmark::State& state) {
    const fs::path root = fs::temp_directory_path() / ("qx_bench_search_" + std::to_string(std::random_device()()));
    fs::create_directories(root / "DATEN" / "LANG1");
    std::ofstream(root / "DATEN" / "LANG1" / "Katalog.SWS", std::ios::binary) << Index();
    GlobalState s{};
    s.programDir = ToWindowsPath(root, true);
    s.dataDir = "DATEN\\LANG1\\";
    for (auto _ : state) {
        IndexList list;
        std::string term = "BOHRER satz";
        list.Fill(s, kIndexSws, term);
        benchmark::DoNotOptimize(list.Size());
    }
    std::error_code ec;
    fs::remove_all(root, ec);
}

// The same from the bytes in memory, against the plain search.
void BM_Fill(benchmark::State& state) {
    for (auto _ : state) {
        IndexList list;
        std::string term = "BOHRER satz";
        list.Fill(CatalogBlock(Index()), term);
        benchmark::DoNotOptimize(list.Size());
    }
}

void BM_FillLiteral(benchmark::State& state) {
    for (auto _ : state) {
        const CatalogBlock block(Index());
        benchmark::DoNotOptimize(LiteralSearch(block, "BOHRER satz").size());
    }
}

void BM_FindByPrefix(benchmark::State& state) {
    IndexList list;
    std::string term;
    list.Fill(CatalogBlock(Index()), term);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.FindByPrefix("Zange Z"));
}

// A prefix that no entry has: the whole list is compared.
void BM_FindByPrefixMissing(benchmark::State& state) {
    IndexList list;
    std::string term;
    list.Fill(CatalogBlock(Index()), term);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.FindByPrefix("Zzz"));
}

} // namespace

BENCHMARK(BM_FillFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillLiteral)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindByPrefix)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindByPrefixMissing)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
