#include "Commands.h"

#include "catalog/PriceList.h"
#include "ground/GlobalState.h"
#include "ground/Languages.h"
#include "orders/NumberImport.h"
#include "orders/OrderList.h"
#include "orders/OrderListCsv.h"
#include "platform/core/Clock.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "catalog/CatalogText.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace qx::tool {

namespace {

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

bool Write(const std::string& path, const std::string& bytes) {
    if (WriteFileAtomic(std::filesystem::absolute(path), bytes))
        return true;
    std::fprintf(stderr, "qxkat-tool: cannot write %s\n", path.c_str());
    return false;
}

// --import: the list in FILE (a missing file is an empty list) takes the
// numbers as the page's "Insert numbers" does; the lines not taken are
// printed, those that matched nothing first, then those of several products.
int Import(const Options& o, int language, const std::string& file) {
    if (!o.Has("--program-dir"))
        return 2;
    GlobalState state;
    state.programDir = ToWindowsPath(std::filesystem::absolute(o["--program-dir"]), true);
    state.languageIndex = language;
    state.dataDir = LanguageAt(language).dataDir;
    state.langDir = LanguageAt(language).langDir;
    state.currency = "DM";
    const PriceListCheckResult check = CheckPriceList(state, Now());
    state.priceMode = o.Has("--price-mode") ? ParseLeadingInt(o["--price-mode"]) : 0;
    if (check.availability < 1)
        state.priceMode = check.availability;
    OrderList list;
    if (std::optional<std::string> bytes = ReadWholeFile(file)) {
        std::optional<OrderList> read = ParseOrderList(*bytes);
        if (!read) {
            Print(kWrongOrderListFormat.Text(language) + "\n");
            return 1;
        }
        list = std::move(*read);
    }
    const std::optional<std::string> numbers = ReadWholeFile(o["--import"], kMaxNumbersFileBytes);
    const std::optional<NumberImport> taken = numbers ? ImportNumbers(state, *numbers) : std::nullopt;
    if (!taken) {
        Print(kNumbersUnreadable.Text(language) + "\n");
        return 1;
    }
    list.items.insert(list.items.end(), taken->items.begin(), taken->items.end());
    if (!taken->items.empty() && !Write(file, SerializeOrderList(list)))
        return 1;
    for (const auto* lines : {&taken->notFound, &taken->ambiguous})
        for (const std::string& line : *lines)
            Print(line + "\n");
    return taken->notFound.empty() && taken->ambiguous.empty() ? 0 : 1;
}

} // namespace

int OrderListDump(const std::vector<std::string>& args) {
    const std::optional<Options> o =
        ParseOptions(args, {"--language", "--save", "--price-mode", "--csv", "--import", "--program-dir"});
    if (!o || !o->word)
        return 2;
    const std::optional<int> language = o->Has("--language") ? LanguageOption(*o) : 0;
    if (!language)
        return 2;
    const std::string& file = *o->word;
    if (o->Has("--import"))
        return o->Has("--language") && !o->Has("--csv") && !o->Has("--save") ? Import(*o, *language, file) : 2;
    const std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes) {
        std::fprintf(stderr, "qxkat-tool: cannot read %s\n", file.c_str());
        return 1;
    }
    const std::optional<OrderList> list = ParseOrderList(*bytes);
    if (!list) {
        Print(kWrongOrderListFormat.Text(*language) + "\n");
        return 1;
    }
    std::string out = list->indication.str() + "\n";
    for (const OrderItem& item : list->items) {
        const char* separator = "";
        for (std::string_view field : StoredFields(item)) {
            out += separator;
            out += field;
            separator = "\t";
        }
        out += '\n';
    }
    Print(out);
    if (o->Has("--save") && !Write((*o)["--save"], SerializeOrderList(*list)))
        return 1;
    const int priceMode = o->Has("--price-mode") ? ParseLeadingInt((*o)["--price-mode"]) : 0;
    if (o->Has("--csv") && !Write((*o)["--csv"], OrderListCsv(*list, priceMode, *language)))
        return 1;
    return 0;
}

} // namespace qx::tool
