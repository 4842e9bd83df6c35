#pragma once
// Group files (.gpe): the tree of product groups that leads to product lists.

#include "CatalogText.h"
#include "ground/FixedText.h"

#include <optional>
#include <string>
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

// The first entry whose code is exactly code; nullptr when there is none.
const GroupEntry* FindGroupEntry(const GroupFile& file, std::string_view code);

// The first entry whose line holds listFile as a whole field after the code
// (the entry that lists a product list); nullptr when there is none.
const GroupEntry* FindEntryListing(const GroupFile& file, std::string_view listFile);

// The display names of the entries on the way to code (one per code
// character that has an entry), joined by " / ".
std::string GroupBreadcrumb(const GroupFile& file, std::string_view code);

} // namespace qx
