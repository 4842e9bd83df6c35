// Order lists of 10,000 and 100,000 entries: loading, saving (with the
// flush) and the save that follows every added entry.

#include "LargeCatalog.h"
#include "orders/OrderList.h"
#include "platform/core/Path.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace fs = std::filesystem;
using namespace qx;

namespace {

struct BenchList {
    fs::path dir;
    std::string path;
    OrderList list;

    explicit BenchList(int entries) {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("qx_bench_orderlist_" + std::to_string(rd()));
        fs::create_directories(dir);
        path = ToWindowsPath(dir / "LIST.STK");
        list = LargeOrderList(entries);
        SaveOrderList(path, list);
    }
    ~BenchList() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

BenchList& Shared(int entries) {
    static std::map<int, std::unique_ptr<BenchList>> lists;
    std::unique_ptr<BenchList>& b = lists[entries];
    if (!b)
        b = std::make_unique<BenchList>(entries);
    return *b;
}

void BM_Load(benchmark::State& state) {
    BenchList& b = Shared(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        OrderList read;
        benchmark::DoNotOptimize(LoadOrderList(b.path, read));
    }
}

void BM_Save(benchmark::State& state) {
    BenchList& b = Shared(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveOrderList(b.path, b.list));
}

// What the order list page does for one new entry: append, then save at once.
void BM_AddAndSave(benchmark::State& state) {
    BenchList& b = Shared(static_cast<int>(state.range(0)));
    OrderList list = b.list;
    for (auto _ : state) {
        list.items.push_back(list.items.front());
        benchmark::DoNotOptimize(SaveOrderList(b.path, list));
        state.PauseTiming();
        list.items.pop_back();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_Load)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddAndSave)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
