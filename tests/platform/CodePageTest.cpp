#include "platform/core/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx {
namespace {

TEST(CodePage, LanguageCodePages) {
    EXPECT_EQ(CodePageOfLanguage(0), CodePage::Cp1252);
    EXPECT_EQ(CodePageOfLanguage(1), CodePage::Cp1252);
    EXPECT_EQ(CodePageOfLanguage(2), CodePage::Cp1252);
    EXPECT_EQ(CodePageOfLanguage(3), CodePage::Cp1250);
}

TEST(CodePage, KnownCharacters) {
    EXPECT_EQ(ToUtf8("\x80", CodePage::Cp1252), "€");
    EXPECT_EQ(ToUtf8("\x80", CodePage::Cp1250), "€");
    EXPECT_EQ(ToUtf8("\x8A", CodePage::Cp1250), "Š");
    EXPECT_EQ(ToUtf8("\x8A", CodePage::Cp1252), "Š");
    EXPECT_EQ(ToUtf8("\xEC", CodePage::Cp1250), "ě");
    EXPECT_EQ(ToUtf8("\xEC", CodePage::Cp1252), "ì");
    EXPECT_EQ(ToUtf8("\xDF\xE4\xF6\xFC", CodePage::Cp1252), "ßäöü");
    EXPECT_EQ(ToUtf8("n\xE1\xF8\x61\x64\xED", CodePage::Cp1250), "nářadí");
    EXPECT_EQ(ToUtf8("\x99", CodePage::Cp1252), "™");
    EXPECT_EQ(ToUtf8("\xFF", CodePage::Cp1250), "˙");
    EXPECT_EQ(ToUtf16("\x8A\xE9", CodePage::Cp1250), u"Šé");
    // Undefined positions become the C1 control of the same value.
    EXPECT_EQ(ToUtf16("\x81\x8D\x8F\x90\x9D", CodePage::Cp1252), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(ToUtf16("\x81\x83\x88\x90\x98", CodePage::Cp1250), u"\u0081\u0083\u0088\u0090\u0098");

    bool lossless = false;
    EXPECT_EQ(FromUtf8("Šíleně € ", CodePage::Cp1250, &lossless), "\x8A\xEDlen\xEC \x80 ");
    EXPECT_TRUE(lossless);
    EXPECT_EQ(FromUtf8("Größe €", CodePage::Cp1252, &lossless), "Gr\xF6\xDF\x65 \x80");
    EXPECT_TRUE(lossless);
}

TEST(CodePage, UnrepresentableBecomesQuestionMark) {
    bool lossless = true;
    EXPECT_EQ(FromUtf8("ě", CodePage::Cp1252, &lossless), "?");
    EXPECT_FALSE(lossless);
    EXPECT_FALSE(Representable("ě", CodePage::Cp1252));
    EXPECT_TRUE(Representable("ě", CodePage::Cp1250));
    EXPECT_FALSE(Representable("à", CodePage::Cp1250));
    EXPECT_FALSE(Representable("\u0080", CodePage::Cp1252)); // the control, not the euro sign of byte 0x80
    EXPECT_FALSE(Representable("\u2123", CodePage::Cp1252)); // just past the highest code point either holds
    EXPECT_EQ(FromUtf8("a😀b", CodePage::Cp1252, &lossless), "a?b");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(FromUtf16(u"a\U0001F600b\xD800", CodePage::Cp1252, &lossless), "a?b?");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(FromUtf16(u"Šé", CodePage::Cp1250, &lossless), "\x8A\xE9");
    EXPECT_TRUE(lossless);
}

TEST(CodePage, InvalidUtf8) {
    bool lossless = true;
    // Stray continuation, truncated sequence, overlong form, surrogate, beyond U+10FFFF.
    EXPECT_EQ(FromUtf8("a\x80" "b", CodePage::Cp1252, &lossless), "a?b");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(FromUtf8("a\xE2\x82", CodePage::Cp1252), "a?");
    EXPECT_EQ(FromUtf8("\xC0\xAF", CodePage::Cp1252), "??");
    EXPECT_EQ(FromUtf8("\xED\xA0\x80", CodePage::Cp1252), "???");
    EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80", CodePage::Cp1252), "????");
    EXPECT_FALSE(Representable("\xC3", CodePage::Cp1252));
    EXPECT_EQ(FromUtf8(std::string_view("a\0b", 3), CodePage::Cp1252), std::string("a\0b", 3));
}

TEST(CodePage, EveryByteRoundTrips) {
    for (CodePage cp : {CodePage::Cp1252, CodePage::Cp1250}) {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        bool lossless = false;
        EXPECT_EQ(FromUtf8(ToUtf8(all, cp), cp, &lossless), all);
        EXPECT_TRUE(lossless);
        EXPECT_EQ(FromUtf16(ToUtf16(all, cp), cp, &lossless), all);
        EXPECT_TRUE(lossless);
        // 256 distinct characters.
        const std::u16string wide = ToUtf16(all, cp);
        std::u16string sorted = wide;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
    }
}

} // namespace
} // namespace qx
