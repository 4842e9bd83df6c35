#include "platform/core/Dc.h"
#include "platform/core/TextLayout.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// Every byte 1 unit wide.
int Mono(std::string_view s) { return static_cast<int>(s.size()); }

std::vector<std::string> Lines(std::string_view text, int width, unsigned format) {
    std::vector<std::string> out;
    for (const auto& l : LayoutText(text, width, format, Mono))
        out.push_back(l.text);
    return out;
}

using V = std::vector<std::string>;

TEST(TextLayout, LineBreaks) {
    EXPECT_EQ(Lines("", 100, 0), V{});
    EXPECT_EQ(Lines("a", 100, 0), V{"a"});
    EXPECT_EQ(Lines("a\r\nb\nc\rd", 100, 0), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\r\n", 100, 0), V{"a"});
    EXPECT_EQ(Lines("a\n\nb", 100, 0), (V{"a", "", "b"}));
    EXPECT_EQ(Lines("\n", 100, 0), V{""});
    // Without DT_WORDBREAK nothing is wrapped.
    EXPECT_EQ(Lines("a long line", 3, 0), V{"a long line"});
}

TEST(TextLayout, WordBreak) {
    EXPECT_EQ(Lines("Katalog Betriebseinrichtungen und Spezialwerkzeuge", 20, DT_WORDBREAK),
              (V{"Katalog", "Betriebseinrichtunge", "n und", "Spezialwerkzeuge"}));
    EXPECT_EQ(Lines("aa bb cc", 5, DT_WORDBREAK), (V{"aa bb", "cc"}));
    // Blanks at the break vanish; leading blanks of a paragraph stay.
    EXPECT_EQ(Lines("  aa    bb", 6, DT_WORDBREAK), (V{"  aa", "bb"}));
    EXPECT_EQ(Lines("aa bb\r\ncc dd", 5, DT_WORDBREAK), (V{"aa bb", "cc dd"}));
    EXPECT_EQ(Lines("abcdefg", 3, DT_WORDBREAK), (V{"abc", "def", "g"}));
    // A zero width still makes progress.
    EXPECT_EQ(Lines("ab c", 0, DT_WORDBREAK), (V{"a", "b", "c"}));
    const auto lines = LayoutText("aa bb cc", 5, DT_WORDBREAK, Mono);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].width, 5);
    EXPECT_EQ(lines[1].width, 2);
}

TEST(TextLayout, Prefixes) {
    EXPECT_EQ(Lines("&Datei", 100, 0), V{"Datei"});
    EXPECT_EQ(Lines("A && B", 100, 0), V{"A & B"});
    EXPECT_EQ(Lines("end&", 100, 0), V{"end&"});
    EXPECT_EQ(Lines("&Datei && &&x", 100, DT_NOPREFIX), V{"&Datei && &&x"});
}

TEST(TextLayout, SingleLine) {
    EXPECT_EQ(Lines("a\r\nb c", 1, DT_SINGLELINE | DT_WORDBREAK), V{"ab c"});
    EXPECT_EQ(Lines("", 1, DT_SINGLELINE), V{});
}

TEST(TextLayout, Tabs) {
    // Average width 1: stops every 8 units.
    EXPECT_EQ(Lines("a\tb", 100, DT_EXPANDTABS), V{"a       b"});
    EXPECT_EQ(Lines("abcdefgh\tb", 100, DT_EXPANDTABS), V{"abcdefgh        b"});
    EXPECT_EQ(Lines("a\tb", 100, 0), V{"a\tb"});
    // Tabs are break points with DT_EXPANDTABS | DT_WORDBREAK, measured from the line start.
    EXPECT_EQ(Lines("aaaa\tbb\tc", 10, DT_EXPANDTABS | DT_WORDBREAK), (V{"aaaa    bb", "c"}));
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
