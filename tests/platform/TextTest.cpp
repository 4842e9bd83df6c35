// Text bytes: the code pages of the catalogue and the layout of drawn text.
#include "platform/core/CodePage.h"
#include "platform/core/Dc.h"
#include "platform/core/TextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx {
namespace {

constexpr CodePage kWest = CodePage::Cp1252, kCzech = CodePage::Cp1250;

TEST(CodePage, KnownCharactersBothWays) {
    EXPECT_EQ((std::vector<CodePage>{CodePageOfLanguage(0), CodePageOfLanguage(1), CodePageOfLanguage(2),
                                     CodePageOfLanguage(3)}),
              (std::vector<CodePage>{kWest, kWest, kWest, kCzech}));
    const struct {
        const char* bytes;
        CodePage cp;
        const char* utf8;
    } known[] = {{"\x80", kWest, "€"},          {"\x80", kCzech, "€"},         {"\x8A", kCzech, "Š"},
                 {"\x8A", kWest, "Š"},          {"\xEC", kCzech, "ě"},         {"\xEC", kWest, "ì"},
                 {"\xDF\xE4\xF6\xFC", kWest, "ßäöü"}, {"n\xE1\xF8\x61\x64\xED", kCzech, "nářadí"},
                 {"\x99", kWest, "™"},          {"\xFF", kCzech, "˙"},
                 // Undefined positions become the C1 control of the same value.
                 {"\x81\x8D\x8F\x90\x9D", kWest, "\u0081\u008D\u008F\u0090\u009D"},
                 {"\x81\x83\x88\x90\x98", kCzech, "\u0081\u0083\u0088\u0090\u0098"}};
    for (const auto& k : known)
        EXPECT_EQ(ToUtf8(k.bytes, k.cp), k.utf8) << k.utf8;
    EXPECT_EQ(ToUtf16("\x8A\xE9", kCzech), u"Šé");
    bool lossless = false;
    EXPECT_EQ(FromUtf8("Šíleně € ", kCzech, &lossless), "\x8A\xEDlen\xEC \x80 ");
    EXPECT_TRUE(lossless);
    EXPECT_EQ(FromUtf16(u"Šé", kCzech, &lossless), "\x8A\xE9");
    EXPECT_TRUE(lossless);

    // Every byte round-trips, as 256 distinct characters.
    for (CodePage cp : {kWest, kCzech}) {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        EXPECT_EQ(FromUtf8(ToUtf8(all, cp), cp, &lossless), all);
        EXPECT_TRUE(lossless);
        EXPECT_EQ(FromUtf16(ToUtf16(all, cp), cp, &lossless), all);
        EXPECT_TRUE(lossless);
        std::u16string sorted = ToUtf16(all, cp);
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
    }
}

TEST(CodePage, UnrepresentableAndInvalidBecomeQuestionMarks) {
    const struct {
        const char* utf8;
        CodePage cp;
        const char* bytes;
    } lossy[] = {{"ě", kWest, "?"},
                 {"a😀b", kWest, "a?b"},
                 // Stray continuation, truncated sequence, overlong form, surrogate, beyond U+10FFFF.
                 {"a\x80" "b", kWest, "a?b"},
                 {"a\xE2\x82", kWest, "a?"},
                 {"\xC0\xAF", kWest, "??"},
                 {"\xED\xA0\x80", kWest, "???"},
                 {"\xF4\x90\x80\x80", kWest, "????"}};
    for (const auto& l : lossy) {
        bool lossless = true;
        EXPECT_EQ(FromUtf8(l.utf8, l.cp, &lossless), l.bytes) << l.bytes;
        EXPECT_FALSE(lossless) << l.bytes;
    }
    bool lossless = true;
    EXPECT_EQ(FromUtf16(u"a\U0001F600b\xD800", kWest, &lossless), "a?b?");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(FromUtf8(std::string_view("a\0b", 3), kWest), std::string("a\0b", 3));

    EXPECT_TRUE(Representable("ě", kCzech));
    // The control, not the euro sign of byte 0x80; just past the highest code
    // point either holds.
    for (const auto& [text, cp] : {std::pair{"ě", kWest}, {"à", kCzech}, {"\u0080", kWest}, {"\u2123", kWest},
                                   {"\xC3", kWest}})
        EXPECT_FALSE(Representable(text, cp)) << text;
}

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
    // Vertical centring only with DT_SINGLELINE.
    EXPECT_EQ((std::vector<int>{AlignLineX(r, 40, DT_LEFT), AlignLineX(r, 40, DT_CENTER), AlignLineX(r, 40, DT_RIGHT),
                                AlignBlockTop(r, 10, DT_VCENTER), AlignBlockTop(r, 10, DT_SINGLELINE | DT_VCENTER),
                                AlignBlockTop(r, 10, DT_SINGLELINE | DT_BOTTOM),
                                DrawTextResult(r, 10, DT_SINGLELINE | DT_BOTTOM), DrawTextResult(r, 30, 0)}),
              (std::vector<int>{10, 40, 70, 20, 40, 60, 50, 30}));
}

} // namespace
} // namespace qx
