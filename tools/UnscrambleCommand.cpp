#include "Commands.h"

#include "catalog/CatalogText.h"
#include "catalog/PriceList.h"
#include "platform/core/Path.h"

#include <cstdio>
#include <filesystem>

namespace qx::tool {

int Unscrambled(const std::vector<std::string>& args) {
    if (args.size() != 1)
        return 2;
    const std::string& file = args[0];
    std::optional<CatalogBlock> block = LoadCatalogFile(ToWindowsPath(std::filesystem::absolute(file)));
    if (!block) {
        std::fprintf(stderr, "qxkat-tool: cannot read %s\n", file.c_str());
        return 1;
    }
    const std::size_t start = Unscramble(*block);
    const std::string_view content = block->Content().substr(start);
    std::fwrite(content.data(), 1, content.size(), stdout);
    return 0;
}

} // namespace qx::tool
