#include "Commands.h"

#include "orders/OrderList.h"
#include "platform/core/FileIo.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace qx::tool {

int OrderListDump(const std::vector<std::string>& args) {
    std::optional<std::string> file, save;
    int language = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--language" && hasValue) {
            const std::string& v = args[++i];
            if (v.size() != 1 || v[0] < '0' || v[0] > '3')
                return 2;
            language = v[0] - '0';
        } else if (args[i] == "--save" && hasValue) {
            save = args[++i];
        } else if (!file && args[i].rfind("--", 0) != 0) {
            file = args[i];
        } else {
            return 2;
        }
    }
    if (!file)
        return 2;
    const std::optional<std::string> bytes = ReadWholeFile(*file);
    if (!bytes) {
        std::fprintf(stderr, "qxkat-tool: cannot read %s\n", file->c_str());
        return 1;
    }
    const std::optional<OrderList> list = ParseOrderList(*bytes);
    if (!list) {
        const std::string message = kWrongOrderListFormat.Text(language) + "\n";
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
    if (save && !WriteFileAtomic(std::filesystem::absolute(*save), SerializeOrderList(*list))) {
        std::fprintf(stderr, "qxkat-tool: cannot write %s\n", save->c_str());
        return 1;
    }
    return 0;
}

} // namespace qx::tool
