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
    return LoadCatalogFile(windowsPath, ParseGroupFile);
}

const GroupEntry* FindGroupEntry(const GroupFile& file, std::string_view code) {
    for (const GroupEntry& e : file.entries) {
        if (e.hierarchyCode.str() == code)
            return &e;
    }
    return nullptr;
}

const GroupEntry* FindEntryListing(const GroupFile& file, std::string_view listFile) {
    const std::string needle = "|" + std::string(listFile) + "|";
    for (const GroupEntry& e : file.entries) {
        if (e.line.str().find(needle) != std::string::npos)
            return &e;
    }
    return nullptr;
}

std::string GroupBreadcrumb(const GroupFile& file, std::string_view code) {
    std::string out;
    int parts = 0;
    for (std::size_t i = 1; i <= code.size(); ++i) {
        const GroupEntry* e = FindGroupEntry(file, code.substr(0, i));
        if (!e)
            continue;
        if (parts++ > 0)
            out += " / ";
        out += e->displayName.str();
    }
    return out;
}

} // namespace qx
