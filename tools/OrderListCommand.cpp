#include "Commands.h"

#include "orders/OrderList.h"
#include "platform/core/FileIo.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace qx::tool {

int OrderListDump(const std::vector<std::string>& args) {
    const std::optional<Options> o = ParseOptions(args, {"--language", "--save"});
    if (!o || !o->word)
        return 2;
    const std::optional<int> language = o->Has("--language") ? LanguageOption(*o) : 0;
    if (!language)
        return 2;
    const std::string& file = *o->word;
    const std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes) {
        std::fprintf(stderr, "qxkat-tool: cannot read %s\n", file.c_str());
        return 1;
    }
    const std::optional<OrderList> list = ParseOrderList(*bytes);
    if (!list) {
        const std::string message = kWrongOrderListFormat.Text(*language) + "\n";
        std::fwrite(message.data(), 1, message.size(), stdout);
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
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (o->Has("--save") && !WriteFileAtomic(std::filesystem::absolute((*o)["--save"]), SerializeOrderList(*list))) {
        std::fprintf(stderr, "qxkat-tool: cannot write %s\n", (*o)["--save"].c_str());
        return 1;
    }
    return 0;
}

} // namespace qx::tool
