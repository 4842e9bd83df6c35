#include "Requirements.h"

#include <algorithm>

namespace qx {

RequirementsFile ParseRequirements(const CatalogBlock& block) {
    RequirementsFile file;
    TextCursor c = CursorAt(block);
    ReadLine(c, file.title);
    ReadLine(c, file.infoFile);
    std::string unused;
    ReadLine(c, unused, 255);
    ReadLine(c, file.subtitle);
    file.declaredCount = ReadInteger(c);
    SkipLine(c);

    const char* contentEnd = block.Data() + block.ContentSize();
    for (std::int32_t i = 0; i < file.declaredCount; ++i) {
        if (c.AtEnd() || OnlyCommentsLeft(c.pos, contentEnd)) {
            break;
        }
        RequirementRow& row = file.rows.emplace_back();
        ReadField(c, row.code, '|');
        ReadField(c, row.quantity, '|');
        ReadField(c, row.designation, '|');
        ReadField(c, row.number, '|');
        ReadField(c, row.floorArea, '|');
        ReadLine(c, row.picture);

        const char* textStart = c.pos;
        const char* searchEnd = c.pos + std::min<std::size_t>(static_cast<std::size_t>(c.end - c.pos), kSearchLimit);
        const char* brace = std::find(textStart, searchEnd, '}');
        const char* textEnd = brace;
        if (brace == searchEnd) {
            textEnd = std::max(textStart, std::min(searchEnd, contentEnd));
            c.pos = c.end;
        } else {
            c.pos = brace + 1;
        }
        row.text.assign(textStart, static_cast<std::size_t>(textEnd - textStart));
        if (const std::size_t nul = row.text.find('\0'); nul != std::string::npos) {
            row.text.resize(nul);
        }
        SkipLine(c); // rest of the "}" line; the next row follows at once
    }
    return file;
}

std::optional<RequirementsFile> LoadRequirements(std::string_view windowsPath) {
    std::optional<CatalogBlock> block = LoadCatalogFile(windowsPath);
    if (!block) {
        return std::nullopt;
    }
    return ParseRequirements(*block);
}

} // namespace qx
