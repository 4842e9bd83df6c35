#include "catalog/CatalogText.h"

#include "platform/core/Path.h"
#include "tests/common/Scramble.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace qx {
namespace {

using namespace std::string_literals;

// Runs the reads named in `ops` on a cursor over `file` and writes down what
// each gave, "/" between them: Ln and Fn read a line or a "|" field of at
// most n bytes, I an integer, B the braced text, K the next byte, E whether
// the block is used up, R the rest; S skips the line, C comments, P} past "}".
std::string Reads(const std::string& file, const std::string& ops) {
    const CatalogBlock block(file);
    TextCursor c = CursorAt(block);
    std::istringstream in(ops);
    std::string op, out, s;
    while (in >> op) {
        const std::size_t n = op.size() > 1 && op[0] != 'P' ? std::stoul(op.substr(1)) : 0;
        switch (op[0]) {
        case 'L': ReadLine(c, s, n); out += s + "/"; break;
        case 'F': ReadField(c, s, n, '|'); out += s + "/"; break;
        case 'I': out += std::to_string(ReadInteger(c)) + "/"; break;
        case 'B': out += ReadBracedText(c, block.Data() + block.ContentSize()) + "/"; break;
        case 'K': out += std::string(1, *c.pos) + "/"; break;
        case 'E': out += c.AtEnd() ? "end/" : "more/"; break;
        case 'R': out += std::string(c.pos, c.end) + "/"; break;
        case 'S': SkipLine(c); break;
        case 'C': SkipComments(c); break;
        case 'P': SkipPast(c, op[1]); break;
        }
    }
    return out;
}

TEST(CatalogText, ReadsStopAtCapacityLineEndCommentAndBlockEnd) {
    const std::string longLine(70 * 1024, 'x');
    const struct {
        std::string file, ops, reads;
    } cases[] = {
        // The last line is terminated; at the end nothing more is read, the marker never.
        {"one\r\ntwo", "L31 L31 E K L31 E", "one/two/end/[//end/"},
        // Comments are skipped before every read but not by SkipLine; a field
        // starting with "#" is a comment, so the rest of its line goes.
        {"#c1\r\n#c2\r\nA|#x|B\r\n#c3\r\nC\r\n#c4\r\nD\r\n", "F31 F31 K S K I", "A/C/\n/#/0/"},
        // Values are cut to their capacity and reading goes on after the line.
        {"abcdefghij\r\nnext|x\r\n", "L4 F2 F31", "abcd/ne/x/"},
        // No CR within the search limit: the block is used up.
        {longLine + "\r\nafter\r\n", "L255 E", std::string(255, 'x') + "/end/"},
        {"x|y", "P} E P} S C E R", "end/end//"},
        {"  -42abc\r\n\r\n2147483648\r\n", "I I I", "-42/0/2147483647/"},
        // The braced text ends at the "}" or a NUL, reading goes on after the
        // "}"; without one it stops where the file's bytes do, not at the line
        // end appended to every block.
        {"two\r\nlines}rest", "B R", "two\r\nlines/rest\r\n/"},
        {"cut\0off}rest"s, "B R", "cut/rest\r\n/"},
        {"no brace", "B R", "no brace//"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Reads(c.file, c.ops), c.reads) << c.ops;

    const CatalogBlock block("one\r\ntwo");
    EXPECT_EQ(block.Content(), "one\r\ntwo");
    EXPECT_EQ(std::string(block.Data(), block.BlockSize()), std::string("one\r\ntwo\r\n[E#\0", 14));
    const CatalogBlock letters("abcdefghij\r\nx");
    FixedText<4> fixed;
    TextCursor d = CursorAt(letters);
    ReadLine(d, fixed);
    EXPECT_EQ(fixed, "abc");

    std::string s;
    for (const auto& [n, line, field] : {std::tuple{1, "a|bb|ccc", "a"}, std::tuple{3, "a|bb|ccc", "ccc"},
                                         std::tuple{5, "a|bb|ccc", ""}, std::tuple{2, "a|#b|c", ""}}) {
        s = "?";
        GetField(n, line, s, 31);
        EXPECT_EQ(s, field) << n << line;
    }
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

TEST(CatalogText, UnscrambleDecodesCrptAndLeavesPlainTextAlone) {
    const std::string plain = "EUR\r\nID 7\r\n01.01.05\r\n31.12.30\r\n1\r\n|V.A.G 1234|1,00|2,00|3,00|4,00|sofort\r\n";
    CatalogBlock a(test::Scramble(plain));
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
    const struct {
        const char* in;
        bool euro;
        const char* currency;
        int language;
        const char* out;
    } cases[] = {
        {"1234,5", true, "CZK", 0, "1234,50 EUR"}, {"1234,5", false, "CZK", 3, "1234,50 CZK"},
        {"12.5", false, "DM", 0, "12,50 DM"},      {"0,00", true, "DM", 0, "0.00"},
        {"0", false, "DM", 1, "0"},                {"-3,456", false, "EUR", 0, "-3,46 EUR"},
        {"ab,c", false, "EUR", 0, "ab.c"},         {"", false, "DM", 0, "siehe VZ-Preisliste"},
        {"", true, "DM", 1, "on request"},         {"", true, "DM", 2, "sur demande"},
        {"", false, "DM", 3, "na dotaz"},
    };
    for (const auto& tc : cases) {
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
