#include "Commands.h"

#include "catalog/CatalogText.h"
#include "platform/core/Path.h"
#include "suppliers/Distributors.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace qx::tool {

int Distributors(const std::vector<std::string>& args) {
    std::optional<std::string> programDir, language, country, brand, company;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--program-dir" && hasValue)
            programDir = args[++i];
        else if (args[i] == "--language" && hasValue)
            language = args[++i];
        else if (args[i] == "--country" && hasValue)
            country = args[++i];
        else if (args[i] == "--brand" && hasValue)
            brand = args[++i];
        else if (args[i] == "--company" && hasValue)
            company = args[++i];
        else
            return 2;
    }
    if (!programDir || !language || !country || !brand || language->size() != 1 || (*language)[0] < '0' ||
        (*language)[0] > '3' || BrandCode(*brand) == 0)
        return 2;
    const std::string table = ToWindowsPath(std::filesystem::absolute(*programDir), true) +
                              DistributorTableName((*language)[0] - '0');
    const std::optional<CatalogBlock> block = LoadCatalogFile(table);
    if (!block) {
        std::fprintf(stderr, "qxkat-tool: cannot read %s\n", table.c_str());
        return 1;
    }
    DistributorMatches found = FindDistributors(block->Content(), *country, BrandCode(*brand), company.value_or(""));
    // As the list dialog offers them: sorted by the first address line, letter case aside.
    SortForChoice(found.equipment);
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
