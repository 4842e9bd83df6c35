#include "Distributors.h"

#include "catalog/CatalogText.h"
#include "platform/core/Alphabet.h"
#include "platform/core/Path.h"

#include <algorithm>

namespace qx {

namespace {

// The entry lines of a table: comment and empty lines skipped, up to the
// first line beginning with "[".
template <class F>
void ForEachDistributor(std::string_view table, F&& f) {
    std::size_t pos = 0;
    while (pos < table.size()) {
        std::size_t end = table.find('\r', pos);
        if (end == std::string_view::npos)
            end = table.size();
        const std::string_view line = table.substr(pos, end - pos);
        pos = end + 1;
        if (pos < table.size() && table[pos] == '\n')
            ++pos;
        if (line.starts_with('['))
            break;
        if (!line.empty() && !line.starts_with('#'))
            f(line);
    }
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos)
            return fields;
        start = bar + 1;
    }
}

} // namespace

std::string DistributorTableName(int languageIndex) {
    static constexpr const char* kNames[] = {"DIST_GR.TAB", "DIST_UK.TAB", "DIST_FR.TAB", "DIST_CZ.TAB"};
    return kNames[languageIndex >= 0 && languageIndex < 4 ? languageIndex : 0];
}

std::vector<std::string> DistributorCountries(std::string_view table, int languageIndex) {
    std::vector<std::string> countries;
    ForEachDistributor(table, [&](std::string_view line) {
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() < 3 || f[2].empty())
            return;
        for (const std::string& known : countries) {
            if (EqualsIgnoringCase(known, f[2], languageIndex))
                return;
        }
        countries.emplace_back(f[2].substr(0, 63));
    });
    return countries;
}

int BrandCode(std::string_view brand) {
    for (const Brand& b : kBrands) {
        if (brand == b.name)
            return b.code;
    }
    return 0;
}

DistributorMatches FindDistributors(std::string_view table, std::string_view country, int brandCode,
                                    std::string_view companyNumber) {
    DistributorMatches found;
    const std::string number = companyNumber.empty() ? std::string("0") : std::string(companyNumber);
    ForEachDistributor(table, [&](std::string_view line) {
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() < 6 || f[2] != country || (ParseLeadingInt(f[3]) & brandCode) == 0)
            return;
        if (!f[4].empty() && f[4] != number)
            return;
        // Fields 7 on; the "|]" marks where the address ends.
        std::size_t start = 0;
        for (int i = 0; i < 6 && start != std::string_view::npos; ++i) {
            const std::size_t bar = line.find('|', start);
            start = bar == std::string_view::npos ? std::string_view::npos : bar + 1;
        }
        std::string address = start == std::string_view::npos ? std::string() : std::string(line.substr(start)) + "|";
        address += "]";
        (f[5].starts_with('T') ? found.specialTools : found.equipment).push_back(std::move(address));
    });
    return found;
}

void SortForChoice(std::vector<std::string>& addressParts, int languageIndex) {
    std::stable_sort(addressParts.begin(), addressParts.end(),
                     [&](const std::string& a, const std::string& b) {
                         return CompareAlphabetically(a, b, languageIndex) < 0;
                     });
}

std::vector<std::string> AddressLines(std::string_view addressPart) {
    std::vector<std::string> lines;
    for (std::string_view field : Fields(addressPart)) {
        if (field == "]")
            break;
        lines.emplace_back(field);
    }
    return lines;
}

std::string AddressText(std::string_view addressPart) {
    std::string text;
    for (const std::string& line : AddressLines(addressPart))
        text += line + "\r\n";
    return text;
}

} // namespace qx
