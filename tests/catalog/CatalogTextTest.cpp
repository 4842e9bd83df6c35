#include "catalog/CatalogText.h"

#include "platform/core/Path.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace qx {
namespace {

TEST(CatalogText, BlockEndsWithMarkerAndLastLineIsTerminated) {
    CatalogBlock block("one\r\ntwo");
    EXPECT_EQ(block.Content(), "one\r\ntwo");
    EXPECT_EQ(std::string(block.Data(), block.BlockSize()), std::string("one\r\ntwo\r\n[E#\0", 14));

    TextCursor c = CursorAt(block);
    std::string s;
    ReadLine(c, s, 31);
    EXPECT_EQ(s, "one");
    ReadLine(c, s, 31);
    EXPECT_EQ(s, "two");
    EXPECT_TRUE(c.AtEnd());
    EXPECT_EQ(*c.pos, '[');
    ReadLine(c, s, 31); // at the end nothing more is read, the marker never
    EXPECT_EQ(s, "");
    EXPECT_TRUE(c.AtEnd());
}

TEST(CatalogText, FilesAreReadWholeUpToTheSizeCap) {
    const test::TempDir dir;
    dir.Write("small.txt", "a\r\nb");
    const std::optional<CatalogBlock> small = LoadCatalogFile(ToWindowsPath(dir / "SMALL.TXT"));
    ASSERT_TRUE(small);
    EXPECT_EQ(small->Content(), "a\r\nb");
    EXPECT_FALSE(LoadCatalogFile(ToWindowsPath(dir / "missing.txt")));
    // A sparse file just past the cap is refused before anything is taken.
    std::filesystem::resize_file(dir.Write("huge.txt", "x"), kMaxCatalogFileBytes + 1);
    EXPECT_FALSE(LoadCatalogFile(ToWindowsPath(dir / "huge.txt")));
}

TEST(CatalogText, CommentsAreSkippedBeforeEveryReadButNotBySkipLine) {
    CatalogBlock block("#c1\r\n#c2\r\nA|#x|B\r\n#c3\r\nC\r\n#c4\r\nD\r\n");
    TextCursor c = CursorAt(block);
    std::string s;
    ReadField(c, s, 31, '|');
    EXPECT_EQ(s, "A");
    // A field starting with "#" is a comment: the rest of its line goes.
    ReadField(c, s, 31, '|');
    EXPECT_EQ(s, "C"); // "#x|B" skipped, then the comment line "#c3"
    EXPECT_EQ(c.Peek(), '\n'); // ReadField stops one byte after the CR
    SkipLine(c);
    EXPECT_EQ(c.Peek(), '#'); // SkipLine does not skip comments
    EXPECT_EQ(ReadInteger(c), 0);
}

TEST(CatalogText, ValuesAreCutToTheirCapacityAndReadingContinuesAfterTheLine) {
    CatalogBlock block("abcdefghij\r\nnext|x\r\n");
    TextCursor c = CursorAt(block);
    std::string s;
    ReadLine(c, s, 4);
    EXPECT_EQ(s, "abcd");
    ReadField(c, s, 2, '|');
    EXPECT_EQ(s, "ne");
    ReadField(c, s, 31, '|');
    EXPECT_EQ(s, "x");

    FixedText<4> fixed;
    TextCursor d = CursorAt(block);
    ReadLine(d, fixed);
    EXPECT_EQ(fixed, "abc");
}

TEST(CatalogText, SearchesStopAtTheLimitAndAtTheBlockEnd) {
    const std::string longLine(70 * 1024, 'x');
    CatalogBlock block(longLine + "\r\nafter\r\n");
    TextCursor c = CursorAt(block);
    std::string s;
    ReadLine(c, s, 255);
    EXPECT_EQ(s.size(), 255u);
    EXPECT_TRUE(c.AtEnd()); // no CR within the search limit: the block is used up

    CatalogBlock shortBlock("x|y");
    TextCursor d = CursorAt(shortBlock);
    SkipPast(d, '}');
    EXPECT_TRUE(d.AtEnd());
    SkipPast(d, '}');
    SkipLine(d);
    SkipComments(d);
    EXPECT_TRUE(d.AtEnd());
    EXPECT_EQ(d.pos, d.end);
}

TEST(CatalogText, IntegersAndFields) {
    CatalogBlock block("  -42abc\r\n\r\n2147483648\r\n");
    TextCursor c = CursorAt(block);
    EXPECT_EQ(ReadInteger(c), -42);
    EXPECT_EQ(ReadInteger(c), 0);
    EXPECT_EQ(ReadInteger(c), 2147483647);

    std::string s;
    GetField(1, "a|bb|ccc", s, 31);
    EXPECT_EQ(s, "a");
    GetField(3, "a|bb|ccc", s, 31);
    EXPECT_EQ(s, "ccc");
    GetField(5, "a|bb|ccc", s, 31);
    EXPECT_EQ(s, "");
    GetField(2, "a|#b|c", s, 31);
    EXPECT_EQ(s, "");
}

TEST(CatalogText, UnscrambleDecodesCrptAndLeavesPlainTextAlone) {
    const std::string plain = "EUR\r\nID 7\r\n01.01.05\r\n31.12.30\r\n1\r\n|V.A.G 1234|1,00|2,00|3,00|4,00|sofort\r\n";
    std::string scrambled = "CRPT";
    unsigned k = 1;
    for (unsigned char ch : plain) {
        scrambled += static_cast<char>(static_cast<unsigned char>(ch - k));
        k = (k + 1) % 9;
    }
    CatalogBlock a(scrambled);
    const std::size_t start = Unscramble(a);
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(a.Content().substr(start), plain);
    EXPECT_EQ(std::string(a.Data() + a.ContentSize(), 6), std::string(kEndMarker));

    CatalogBlock b(plain);
    EXPECT_EQ(Unscramble(b), 0u);
    EXPECT_EQ(b.Content(), plain);

    // The run stops at the first byte that is zero before the change.
    CatalogBlock c(std::string("CRPT\x01\x00\x05", 7));
    Unscramble(c);
    EXPECT_EQ(c.Content(), std::string("CRPT\x02\x00\x05", 7));
}

TEST(FormatPrice, DisplayForms) {
    struct Case {
        const char* in;
        bool euro;
        const char* currency;
        int language;
        const char* out;
    };
    const Case cases[] = {
        {"1234,5", true, "CZK", 0, "1234,50 EUR"},
        {"1234,5", false, "CZK", 3, "1234,50 CZK"},
        {"12.5", false, "DM", 0, "12,50 DM"},
        {"2,675", false, "DM", 0, "2,67 DM"}, // the double lies below 2.675
        {"0,00", true, "DM", 0, "0.00"},
        {"0", false, "DM", 1, "0"},
        {"-3,456", false, "EUR", 0, "-3,46 EUR"},
        {"ab,c", false, "EUR", 0, "ab.c"},
        {"", false, "DM", 0, "siehe VZ-Preisliste"},
        {"", true, "DM", 1, "on request"},
        {"", true, "DM", 2, "sur demande"},
        {"", false, "DM", 3, "na dotaz"},
    };
    for (const Case& tc : cases) {
        std::string s = tc.in;
        FormatPrice(s, tc.euro, tc.currency, tc.language);
        EXPECT_EQ(s, tc.out) << tc.in;
        // Formatting twice changes nothing: the lookup formats found records again.
        std::string again = s;
        FormatPrice(again, tc.euro, tc.currency, tc.language);
        EXPECT_EQ(again, s) << tc.in;
    }
    std::string huge = "1e300";
    FormatPrice(huge, false, "DM", 0);
    EXPECT_EQ(huge.size(), 31u);
}

} // namespace
} // namespace qx
