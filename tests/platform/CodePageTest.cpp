#include "platform/core/CodePage.h"

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

} // namespace
} // namespace qx
