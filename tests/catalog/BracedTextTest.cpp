#include "catalog/CatalogText.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

// The free text of product and requirements records, read up to the "}".
TEST(CatalogText, BracedTextEndsAtTheBraceANulOrTheFilesOwnBytes) {
    using namespace std::string_literals;
    struct Case {
        std::string file;
        std::string text;
        std::string rest; // from the cursor to the block end (which adds CR LF)
    };
    const Case cases[] = {
        {"two\r\nlines}rest", "two\r\nlines", "rest\r\n"},
        // A NUL ends the text, but reading goes on after the "}".
        {"cut\0off}rest"s, "cut", "rest\r\n"},
        // Without a "}" the text stops where the file's bytes do, not at the
        // line end appended to every block, and the block is used up.
        {"no brace", "no brace", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CatalogBlock block(c.file);
        TextCursor cursor = CursorAt(block);
        EXPECT_EQ(ReadBracedText(cursor, block.Data() + block.ContentSize()), c.text);
        EXPECT_EQ(std::string(cursor.pos, cursor.end), c.rest);
    }
}

} // namespace
} // namespace qx
