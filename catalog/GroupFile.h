#pragma once
// Group files (.gpe): the tree of product groups that leads to product lists.

#include "CatalogText.h"
#include "ground/FixedText.h"

#include <optional>
#include <string_view>
#include <vector>

namespace qx {

struct GroupEntry {
    FixedText<128> line;          // the whole entry line, as the group list keeps it
    FixedText<128> hierarchyCode; // one character per level
    FixedText<128> listFile;      // product list opened by a leaf
    FixedText<128> displayName;
    FixedText<128> picture;
};

struct GroupFile {
    FixedText<128> title;
    FixedText<128> line2; // read, not used
    std::vector<GroupEntry> entries;
};

// Line 1 title, line 2, line 3 skipped, then entry lines up to the first line
// beginning with "[" (at the latest the block's end marker). Lines shorter
// than five characters are ignored; lines are cut to 127 characters.
GroupFile ParseGroupFile(const CatalogBlock& block);
std::optional<GroupFile> LoadGroupFile(std::string_view windowsPath);

} // namespace qx
