#pragma once
// The distributor tables (DIST_GR.TAB ... DIST_CZ.TAB in the program
// folder): one distributor a line, "x|x|country|brand bits|company number|
// kind|address line|address line|...". A dealer's distributors are the
// entries of its country whose brand bits meet the brand's and whose company
// number is empty or the dealer's.

#include <string>
#include <string_view>
#include <vector>

namespace qx {

// "DIST_GR.TAB", "DIST_UK.TAB", "DIST_FR.TAB" or "DIST_CZ.TAB".
std::string DistributorTableName(int languageIndex);

// The countries of a table in order of first appearance; a country written
// again in another letter case (any letter of the language's code page) is
// listed once, as first written.
std::vector<std::string> DistributorCountries(std::string_view table, int languageIndex);

// The brands offered, in order, and their codes.
struct Brand {
    const char* name;
    int code;
};
inline constexpr Brand kBrands[] = {{"QX BRENA", 9}, {"MIROS", 2}, {"FALKO", 4}};
// The code of a brand name; 0 for any other.
int BrandCode(std::string_view brand);

// Matching entries' address parts (fields 7 on, ending in "|]"), in file
// order: every match is kept, however many and however long.
struct DistributorMatches {
    std::vector<std::string> equipment;
    std::vector<std::string> specialTools; // kind beginning with a capital "T"
};
// The country must be written exactly as in the table; an empty company
// number counts as "0".
DistributorMatches FindDistributors(std::string_view table, std::string_view country, int brandCode,
                                    std::string_view companyNumber);

// The order the list of several distributors shows them in: by the address
// text as the language's alphabet orders it, letter case aside (stable for
// equal texts).
void SortForChoice(std::vector<std::string>& addressParts, int languageIndex);

// The lines of an address part (its fields up to the "]" field).
std::vector<std::string> AddressLines(std::string_view addressPart);
// The lines, each ended by CR LF, as the address edits show them.
std::string AddressText(std::string_view addressPart);

} // namespace qx
