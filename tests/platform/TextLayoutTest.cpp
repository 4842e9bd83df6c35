#include "platform/core/Dc.h"
#include "platform/core/TextLayout.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// Every byte 1 unit wide; the lines joined by "|".
std::string Lines(std::string_view text, int width, unsigned format) {
    std::string out;
    for (const auto& l : LayoutText(text, width, format, [](std::string_view s) { return static_cast<int>(s.size()); }))
        out += "|" + l.text + (l.width == static_cast<int>(l.text.size()) ? "" : "?");
    return out.empty() ? out : out.substr(1);
}

TEST(TextLayout, LineBreaksWordBreaksPrefixesAndTabs) {
    const struct {
        const char* text;
        int width;
        unsigned format;
        const char* lines;
    } cases[] = {
        {"", 100, 0, ""},
        {"a\r\nb\nc\rd", 100, 0, "a|b|c|d"}, // CR LF, LF or a lone CR
        {"a\r\n", 100, 0, "a"},
        {"a\r", 100, 0, "a"},
        {"\r\nb", 100, 0, "|b"},
        {"a\n\nb", 100, 0, "a||b"},
        {"a long line", 3, 0, "a long line"}, // without DT_WORDBREAK nothing is wrapped
        {"Katalog Betriebseinrichtungen und Spezialwerkzeuge", 20, DT_WORDBREAK,
         "Katalog|Betriebseinrichtunge|n und|Spezialwerkzeuge"},
        {"aa bb cc", 5, DT_WORDBREAK, "aa bb|cc"},
        // Blanks at the break vanish; leading blanks of a paragraph stay.
        {"  aa    bb", 6, DT_WORDBREAK, "  aa|bb"},
        {"aa bb\r\ncc dd", 5, DT_WORDBREAK, "aa bb|cc dd"},
        {"abcdefg", 3, DT_WORDBREAK, "abc|def|g"},
        {"ab c", 0, DT_WORDBREAK, "a|b|c"}, // a zero width still makes progress
        {"&Datei", 100, 0, "Datei"},
        {"A && B", 100, 0, "A & B"},
        {"end&", 100, 0, "end&"},
        {"&Datei && &&x", 100, DT_NOPREFIX, "&Datei && &&x"},
        {"a\r\nb c", 1, DT_SINGLELINE | DT_WORDBREAK, "ab c"},
        // Tabs: stops every 8 average widths, and break points with DT_WORDBREAK.
        {"a\tb", 100, DT_EXPANDTABS, "a       b"},
        {"abcdefgh\tb", 100, DT_EXPANDTABS, "abcdefgh        b"},
        {"a\tb", 100, 0, "a\tb"},
        {"aaaa\tbb\tc", 10, DT_EXPANDTABS | DT_WORDBREAK, "aaaa    bb|c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(c.text, c.width, c.format), c.lines) << c.text;
    EXPECT_EQ(LayoutText("\n", 100, 0, [](std::string_view) { return 1; }).size(), 1u);
}

TEST(TextLayout, Alignment) {
    const Rect r{10, 20, 110, 70};
    EXPECT_EQ(AlignLineX(r, 40, DT_LEFT), 10);
    EXPECT_EQ(AlignLineX(r, 40, DT_CENTER), 40);
    EXPECT_EQ(AlignLineX(r, 40, DT_RIGHT), 70);
    EXPECT_EQ(AlignBlockTop(r, 10, DT_VCENTER), 20); // only with DT_SINGLELINE
    EXPECT_EQ(AlignBlockTop(r, 10, DT_SINGLELINE | DT_VCENTER), 40);
    EXPECT_EQ(AlignBlockTop(r, 10, DT_SINGLELINE | DT_BOTTOM), 60);
    EXPECT_EQ(DrawTextResult(r, 10, DT_SINGLELINE | DT_BOTTOM), 50);
    EXPECT_EQ(DrawTextResult(r, 30, 0), 30);
}

} // namespace
} // namespace qx
