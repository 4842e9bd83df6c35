#pragma once
// Requirements files (.ZEN): equipment lists with quantities and floor areas.

#include "CatalogText.h"
#include "ground/FixedText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct RequirementRow {
    FixedText<128> code;        // "$..." marks a heading row
    FixedText<128> quantity;
    FixedText<128> designation;
    FixedText<128> number;
    FixedText<128> floorArea;
    FixedText<128> picture;     // rest of the row's line
    std::string text;           // HTML up to the "}"
};

struct RequirementsFile {
    FixedText<256> title;
    FixedText<128> infoFile;    // HTML of the requirements information
    FixedText<256> subtitle;
    std::int32_t declaredCount = 0;
    std::vector<RequirementRow> rows; // never more than the file holds
};

// Header of six lines (title, info file, unused, subtitle, count, ignored),
// then rows of six "|" fields, each followed at once by its text up to "}";
// only the rest of the "}" line is skipped before the next row.
RequirementsFile ParseRequirements(const CatalogBlock& block);
std::optional<RequirementsFile> LoadRequirements(std::string_view windowsPath);

} // namespace qx
