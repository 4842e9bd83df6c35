#include "Commands.h"

#include "catalog/CatalogText.h"
#include "platform/core/Path.h"
#include "suppliers/Distributors.h"

#include <cstdio>
#include <filesystem>

namespace qx::tool {

int Distributors(const std::vector<std::string>& args) {
    const std::optional<Options> o =
        ParseOptions(args, {"--program-dir", "--language", "--country", "--brand", "--company"});
    if (!o || o->word || !o->Has("--program-dir") || !o->Has("--country") || !o->Has("--brand") ||
        !LanguageOption(*o) || BrandCode((*o)["--brand"]) == 0)
        return 2;
    const std::string table = ToWindowsPath(std::filesystem::absolute((*o)["--program-dir"]), true) +
                              DistributorTableName(*LanguageOption(*o));
    const std::optional<CatalogBlock> block = LoadCatalogFile(table);
    if (!block) {
        std::fprintf(stderr, "qxkat-tool: cannot read %s\n", table.c_str());
        return 1;
    }
    DistributorMatches found = FindDistributors(block->Content(), (*o)["--country"], BrandCode((*o)["--brand"]),
                                                o->Has("--company") ? (*o)["--company"] : std::string());
    // As the list dialog offers them: by the first address line, in the language's alphabet.
    SortForChoice(found.equipment, *LanguageOption(*o));
    std::string out;
    if (!found.specialTools.empty())
        for (const std::string& line : AddressLines(found.specialTools.front()))
            out += line + "\n";
    for (const std::string& address : found.equipment) {
        out += "--\n";
        for (const std::string& line : AddressLines(address))
            out += line + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace qx::tool
