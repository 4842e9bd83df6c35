#include "Requirements.h"

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
        row.text = ReadBracedText(c, contentEnd);
        SkipLine(c); // rest of the "}" line; the next row follows at once
    }
    return file;
}

std::optional<RequirementsFile> LoadRequirements(std::string_view windowsPath) {
    return LoadCatalogFile(windowsPath, ParseRequirements);
}

} // namespace qx
