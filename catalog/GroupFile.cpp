#include "GroupFile.h"

namespace qx {

GroupFile ParseGroupFile(const CatalogBlock& block) {
    GroupFile file;
    TextCursor c = CursorAt(block);
    ReadLine(c, file.title);
    ReadLine(c, file.line2);
    SkipLine(c);
    for (;;) {
        SkipComments(c);
        if (c.AtEnd() || c.Peek() == '[') {
            break;
        }
        std::string line;
        ReadLine(c, line, decltype(GroupEntry::line)::kMaxLength);
        if (line.size() < 5) {
            continue;
        }
        GroupEntry& e = file.entries.emplace_back();
        e.line = line;
        GetField(1, line, e.hierarchyCode);
        GetField(2, line, e.listFile);
        GetField(3, line, e.displayName);
        GetField(4, line, e.picture);
    }
    return file;
}

std::optional<GroupFile> LoadGroupFile(std::string_view windowsPath) {
    std::optional<CatalogBlock> block = LoadCatalogFile(windowsPath);
    if (!block) {
        return std::nullopt;
    }
    return ParseGroupFile(*block);
}

} // namespace qx
