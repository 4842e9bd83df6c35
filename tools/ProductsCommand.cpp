#include "Commands.h"

#include "ground/GlobalState.h"
#include "ground/Languages.h"
#include "catalog/CatalogText.h"
#include "catalog/PriceList.h"
#include "catalog/ProductList.h"
#include "platform/core/Clock.h"
#include "platform/core/Path.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qx::tool {

namespace fs = std::filesystem;

int Products(const std::vector<std::string>& args) {
    std::map<std::string, std::string> opts;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size() || args[i].rfind("--", 0) != 0) {
            return 2;
        }
        opts[args[i]] = args[i + 1];
    }
    static const std::set<std::string> kKnown = {"--program-dir", "--language", "--list", "--price-mode", "--update"};
    for (const auto& [k, v] : opts) {
        if (!kKnown.count(k)) {
            return 2;
        }
    }
    if (!opts.count("--program-dir") || !opts.count("--language") || !opts.count("--list")) {
        return 2;
    }
    const std::string& language = opts["--language"];
    if (language.size() != 1 || language[0] < '0' || language[0] > '3') {
        return 2;
    }
    GlobalState state;
    state.programDir = ToWindowsPath(fs::absolute(opts["--program-dir"]), true);
    state.languageIndex = language[0] - '0';
    state.dataDir = LanguageAt(state.languageIndex).dataDir;
    state.langDir = LanguageAt(state.languageIndex).langDir;
    state.currency = "DM";
    state.priceMode = opts.count("--price-mode") ? ParseLeadingInt(opts["--price-mode"]) : 0;
    if (opts.count("--update")) {
        state.priceUpdatePath = ToWindowsPath(fs::absolute(opts["--update"]));
    }
    const PriceListCheckResult check = CheckPriceList(state, Now());
    if (check.availability < 1) {
        state.priceMode = check.availability;
    }
    const std::optional<ProductList> list = LoadProductList(state, opts["--list"]);
    if (!list) {
        std::fprintf(stderr, "qxkat-tool: cannot read %s%s\n", state.dataDir.c_str(), opts["--list"].c_str());
        return 1;
    }
    // The product page shows UPE prices and the delivery text from price mode
    // 0 on and VZ prices from mode 1 on; what it leaves out stays empty here.
    const bool upe = state.priceMode >= 0;
    const bool vz = state.priceMode >= 1;
    // Written a record at a time: the whole listing would only be one more
    // large buffer to fault in.
    std::string line;
    for (const ProductRecord& r : list->records) {
        const std::string_view none;
        const std::string_view fields[] = {r.key,
                                           r.number,
                                           r.designation,
                                           r.name,
                                           upe ? std::string_view(r.upePrice) : none,
                                           upe ? std::string_view(r.upePriceEuro) : none,
                                           vz ? std::string_view(r.vzPrice) : none,
                                           vz ? std::string_view(r.vzPriceEuro) : none,
                                           upe ? std::string_view(r.deliveryText) : none,
                                           r.supplier};
        line.clear();
        for (std::string_view f : fields) {
            line.append(f);
            line += '\t';
        }
        line += std::to_string(r.sealFlag);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return 0;
}

} // namespace qx::tool
