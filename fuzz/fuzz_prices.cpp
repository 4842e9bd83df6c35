// The price-list check and the price lookup as the program runs them, on
// files made of the input: the first byte chooses the part, the rest is
// split at the first 0xFF byte into the price list and the update file.
//   0: two dates ("a\nb"), their parsing, comparison and midnights
//   1: CheckPriceList over both files at a "now" taken from the input
//   2: LookUpPrices over both files, numbers from the list's first line
#include "FuzzTempDir.h"
#include "catalog/PriceList.h"
#include "catalog/ProductList.h"
#include "ground/GlobalState.h"
#include "platform/core/Path.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

// One folder per process, the program directory of every run.
const fs::path& ProgramDir() {
    static const fs::path dir = [] {
        const fs::path& made = qx::fuzz::ProcessTempDir("qx_fuzz_prices");
        fs::create_directories(made / "DATEN" / "LANG1");
        return made;
    }();
    return dir;
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Plain calendar dates, where earlier must mean an earlier midnight.
bool Sane(const qx::CatalogDate& d) {
    return d.day >= 1 && d.day <= 28 && d.month >= 1 && d.month <= 12 && d.year >= 1902 && d.year <= 2037;
}

void Dates(std::string_view in) {
    const std::size_t lf = in.find('\n');
    const auto a = qx::ParseCatalogDate(in.substr(0, lf));
    const auto b = qx::ParseCatalogDate(lf == std::string_view::npos ? std::string_view() : in.substr(lf + 1));
    if (!a || !b)
        return;
    const std::time_t ta = qx::MidnightOf(*a);
    const std::time_t tb = qx::MidnightOf(*b);
    if (Sane(*a) && Sane(*b) && (*a < *b) != (ta < tb))
        __builtin_trap();
}

qx::GlobalState StateWithFiles(std::string_view in) {
    const std::size_t cut = in.find('\xFF');
    const std::string_view list = in.substr(0, cut);
    WriteFile(ProgramDir() / "DATEN" / "LANG1" / "QX.PRS", list);
    qx::GlobalState state;
    state.programDir = qx::ToWindowsPath(ProgramDir(), true);
    state.dataDir = "DATEN\\LANG1\\";
    state.currency = "DM";
    if (cut != std::string_view::npos) {
        WriteFile(ProgramDir() / "update.prs", in.substr(cut + 1));
        state.priceUpdatePath = qx::ToWindowsPath(ProgramDir() / "update.prs");
    }
    return state;
}

void Check(std::string_view in) {
    std::time_t now = 0;
    for (std::size_t i = 0; i < 8 && i < in.size(); ++i)
        now = static_cast<std::time_t>((static_cast<std::uint64_t>(now) << 8) | static_cast<unsigned char>(in[i]));
    qx::GlobalState state = StateWithFiles(in.size() > 8 ? in.substr(8) : std::string_view());
    const qx::PriceListCheckResult r = qx::CheckPriceList(state, now);
    if (r.updateUsed && state.priceUpdatePath.empty())
        __builtin_trap();
    if (r.showOutdatedWarning != (state.priceListOutdated == 1))
        __builtin_trap();
}

void LookUp(std::string_view in) {
    qx::GlobalState state = StateWithFiles(in);
    const std::size_t lf = in.find('\n');
    const std::string_view first = in.substr(0, lf == std::string_view::npos ? 0 : lf);
    std::vector<qx::ProductRecord> records(3);
    records[0].number = first.substr(0, first.size() / 2);
    records[1].number = first.substr(first.size() / 2);
    qx::LookUpPrices(records, state);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view in(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0: Dates(in); break;
    case 1: Check(in); break;
    default: LookUp(in); break;
    }
    return 0;
}
