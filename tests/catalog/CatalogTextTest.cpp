#include "catalog/CatalogText.h"
#include "catalog/GroupFile.h"
#include "catalog/ProductList.h"
#include "catalog/Requirements.h"
#include "platform/core/Path.h"
#include "tests/common/Scramble.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

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
    const std::tuple<std::string, std::string, std::string> cases[] = { // the file, the reads, what they read
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
    for (const auto& [file, ops, reads] : cases)
        EXPECT_EQ(Reads(file, ops), reads) << ops;

    const CatalogBlock block("one\r\ntwo");
    EXPECT_EQ(std::pair(std::string(block.Content()), std::string(block.Data(), block.BlockSize())),
              std::pair(std::string("one\r\ntwo"), std::string("one\r\ntwo\r\n[E#\0", 14)));
    const CatalogBlock letters("abcdefghij\r\nx");
    FixedText<4> fixed;
    TextCursor d = CursorAt(letters);
    ReadLine(d, fixed);
    EXPECT_EQ(fixed, "abc");

    for (const auto& [n, line, field] :
         {std::tuple{1, "a|bb|ccc", "a"}, {3, "a|bb|ccc", "ccc"}, {5, "a|bb|ccc", ""}, {2, "a|#b|c", ""}}) {
        std::string s = "?";
        GetField(n, line, s, 31);
        EXPECT_EQ(s, field) << n << line;
    }

    // Files are read whole, in any letter case.
    const test::TempDir dir;
    dir.Write("small.txt", "a\r\nb");
    EXPECT_EQ(LoadCatalogFile(ToWindowsPath(dir / "SMALL.TXT")).value_or(CatalogBlock("")).Content(), "a\r\nb");
    EXPECT_FALSE(LoadCatalogFile(ToWindowsPath(dir / "missing.txt"))); // files past the cap: the broken-file test
}

TEST(CatalogText, UnscrambleDecodesCrptAndLeavesPlainTextAlone) {
    const std::string plain = "EUR\r\nID 7\r\n01.01.05\r\n31.12.30\r\n1\r\n|V.A.G 1234|1,00|2,00|3,00|4,00|sofort\r\n";
    CatalogBlock a(test::Scramble(plain));
    const std::size_t start = Unscramble(a);
    EXPECT_EQ(std::pair(start, a.Content().substr(start)), std::pair(std::size_t{4}, std::string_view(plain)));
    EXPECT_EQ(std::string(a.Data() + a.ContentSize(), 6), std::string(kEndMarker));
    CatalogBlock b(plain);
    EXPECT_TRUE(Unscramble(b) == 0 && b.Content() == plain);
    // The run stops at the first byte that is zero before the change.
    CatalogBlock c(std::string("CRPT\x01\x00\x05", 7));
    EXPECT_EQ((Unscramble(c), c.Content()), std::string("CRPT\x02\x00\x05", 7));

    // Prices in their display forms: the field, whether in euro, the currency, the language, the form.
    const std::tuple<const char*, bool, const char*, int, const char*> cases[] = {
        {"1234,5", true, "CZK", 0, "1234,50 EUR"}, {"1234,5", false, "CZK", 3, "1234,50 CZK"},
        {"\t \r12.5", false, "DM", 0, "12,50 DM"}, {"2,675", false, "DM", 0, "2,67 DM"}, // a double below 2.675
        {"0,00", true, "DM", 0, "0.00"},           {"0", false, "DM", 1, "0"},
        {"-3,456", false, "EUR", 0, "-3,46 EUR"}, {"ab,c", false, "EUR", 0, "ab.c"},
        {"", false, "DM", 0, "siehe VZ-Preisliste"}, {"", true, "DM", 1, "on request"},
        {"", true, "DM", 2, "sur demande"},          {"", false, "DM", 3, "na dotaz"},
        {"2,5e+2", false, "DM", 0, "250,00 DM"},     {"1e3x", false, "DM", 0, "1000,00 DM"},
    };
    for (const auto& [in, euro, currency, language, out] : cases) {
        std::string s = in;
        FormatPrice(s, euro, currency, language);
        // Formatting twice changes nothing: the lookup formats found records again.
        std::string again = s;
        FormatPrice(again, euro, currency, language);
        EXPECT_EQ(std::pair(s, again), std::pair(std::string(out), std::string(out))) << in;
    }
    std::string huge = "1e300";
    FormatPrice(huge, false, "DM", 0);
    EXPECT_EQ(huge.size(), 31u);
}

std::string Record(const std::string& key, const std::string& number, const std::string& supplier,
                   const std::string& footer = "", const std::string& text = "Text of " ) {
    return key + "\r\npic_" + key + ".jpg\r\n" + number + "\r\nD-" + key + "\r\n1\r\nName " + key +
           "\r\nsheet.bmp\r\n" + footer + "\r\n12,5\r\ninfo.htm\r\n\r\n" + supplier + "\r\n\r\n" + text + key +
           "\r\nsecond line}\r\n\r\n";
}

std::string Joined(std::initializer_list<std::string_view> fields) {
    std::string out;
    for (std::string_view f : fields)
        out.append(f).push_back('|');
    out.pop_back();
    return out;
}

// Every field of a record, in file order, then the lookup's.
std::string Fields(const ProductRecord& r) {
    return Joined({r.key, r.picture, r.number, r.designation, std::to_string(r.sealFlag), r.name,
                   r.sheetPicture, r.sheetFooter, r.vzPrice, r.infoFile, r.supplier, r.upePrice,
                   r.upePriceEuro, r.vzPriceEuro, r.deliveryText, r.freeText});
}

const std::string kHeader = "Title\r\nGRUPPE|abc\r\nSubtitle\r\n";

TEST(ProductList, HeaderAndRecordsAsThePageReadsThem) {
    const std::string file = kHeader + "2\r\nignored\r\n" + Record("K1", "V.A.G 1", "qtx_vz", "Footer") +
                             Record("K2", "V.A.G 2", "dorna");
    const ProductList list = ParseProductList(CatalogBlock(file), "DM", 1);
    const ProductListHeader& h = list.header;
    EXPECT_EQ(Joined({h.title, h.groupFile, h.hierarchyCode, h.subtitle}), "Title|GRUPPE|abc|Subtitle");
    ASSERT_EQ(list.records.size(), 2u);
    // Supplier upper-cased, price formatted, the lookup's prices not yet there.
    EXPECT_EQ(Fields(list.records[0]), "K1|pic_K1.jpg|V.A.G 1|D-K1|1|Name K1|sheet.bmp|Footer|12,50 DM|info.htm|"
              "QTX_VZ|on request|on request|on request||Text of K1\r\nsecond line");
    // For DORNA the designation is emptied; an empty footer takes the number.
    EXPECT_EQ(Fields(list.records[1]), "K2|pic_K2.jpg|V.A.G 2||1|Name K2|sheet.bmp|V.A.G 2|12,50 DM|info.htm|"
                                       "DORNA|on request|on request|on request||Text of K2\r\nsecond line");
}

// Odd and damaged files: the records read, and one field of the last.
TEST(ProductList, CommentsHashFieldsAndDamagedFiles) {
    // A comment between record lines is skipped; a line that begins with "#"
    // is a comment too, so the field it was meant for takes the next line.
    std::string comment = Record("K1", "N1", "s");
    comment.insert(comment.find("N1"), "# a comment\r\n");
    std::string longName = Record("K1", "N1", "s");
    longName.replace(longName.find("Name K1"), 7, std::string(500, 'n'));
    const std::string two = Record("K1", "N1", "s") + Record("K2", "N2", "s");
    const auto shown = [](const ProductRecord& r) {
        return Joined({r.number, r.designation, r.name, r.sheetPicture, r.supplier, r.vzPrice, r.freeText});
    };
    // The file after the header, the records read, the last one as shown.
    const std::tuple<std::string, std::size_t, std::string> cases[] = {
        {"1\r\n\r\n" + comment, 1, "N1|D-K1|Name K1|sheet.bmp|S|12,50 DM|Text of K1\r\nsecond line"},
        {"1\r\n\r\n" + Record("K2", "#N2", "s"), 1, "D-K2|1|sheet.bmp|||info.htm|Text of K2\r\nsecond line"},
        // No empty line after line twelve, a comment before the text.
        {"1\r\n\r\nK\r\np\r\nN\r\nD\r\n0\r\nn\r\ns\r\nf\r\n\r\ni\r\nr\r\nsup\r\n#c\r\nText}rest\r\n\r\n", 1,
         "N|D|n|s|SUP|siehe VZ-Preisliste|Text"},
        // A count larger than the records present; comment lines at the end are no record.
        {"50\r\n\r\n" + two + "\r\n\r\n# end\r\n\r\n#\r\n# last", 2, "N2|D-K2|Name K2|sheet.bmp|S|12,50 DM|Text of K2\r\nsecond line"},
        // No final line end.
        {"2\r\n\r\n" + two.substr(0, two.size() - 4), 2, "N2|D-K2|Name K2|sheet.bmp|S|12,50 DM|Text of K2\r\nsecond line"},
        // An over-long line is cut to its capacity and the next line is read.
        {"1\r\n\r\n" + longName, 1, "N1|D-K1|" + std::string(127, 'n') + "|sheet.bmp|S|12,50 DM|Text of K1\r\nsecond line"},
        {"2147483647\r\n\r\n" + Record("K", "N", "s"), 1, "N|D-K|Name K|sheet.bmp|S|12,50 DM|Text of K\r\nsecond line"},
        {"-5\r\n\r\n" + Record("K", "N", "s"), 0, ""},
    };
    for (const auto& [body, count, last] : cases) {
        const ProductList list = ParseProductList(CatalogBlock(kHeader + body), "DM", 0);
        ASSERT_EQ(list.records.size(), count) << body;
        if (!last.empty()) {
            EXPECT_EQ(shown(list.records.back()), last) << body;
        }
    }
    // Only a line that starts with "#" is a comment: a "#" after a blank is text.
    for (const auto& [rest, only] : {std::pair<std::string_view, bool>{"\r\n# a\r\n\t\r\n#", true},
                                     {" # a", false}, {"\r\n \r#a", false}, {"x", false}, {"# a\n", true}})
        EXPECT_EQ(OnlyCommentsLeft(rest.data(), rest.data() + rest.size()), only) << rest;
    // A missing "}": the text runs to the end of the file and reading stops.
    std::string open = Record("K1", "N1", "s");
    open.erase(open.find('}'), 1);
    const ProductList cut = ParseProductList(CatalogBlock(kHeader + "2\r\n\r\n" + open + Record("K2", "N2", "s")), "DM", 0);
    EXPECT_TRUE(cut.records.size() == 1 && cut.records[0].freeText.find("K2") != std::string::npos);
}

std::string Fields(const GroupEntry& e) { return Joined({e.hierarchyCode, e.listFile, e.displayName, e.picture}); }
std::string Fields(const RequirementRow& r) {
    return Joined({r.code, r.quantity, r.designation, r.number, r.floorArea, r.picture, r.text});
}

TEST(GroupFile, EntriesUpToTheFirstBracketLine) {
    const std::string file = "Group title\r\nline two\r\nskipped\r\na|LIST_A.TXT|Alpha|a.jpg\r\n"
                             "abcd\r\n" // four characters: not listed
                             "#comment\r\nab|LIST_B.TXT|Beta|b.jpg|extra\r\n[end\r\n"
                             "b|LIST_C.TXT|Gamma|c.jpg\r\n";
    const GroupFile g = ParseGroupFile(CatalogBlock(file));
    EXPECT_EQ(Joined({g.title, g.line2}), "Group title|line two");
    ASSERT_EQ(g.entries.size(), 2u);
    EXPECT_EQ(Fields(g.entries[0]) + "/" + Fields(g.entries[1]) + "/" + g.entries[1].line.str(),
              "a|LIST_A.TXT|Alpha|a.jpg/ab|LIST_B.TXT|Beta|b.jpg/ab|LIST_B.TXT|Beta|b.jpg|extra");

    // Without a "[" line the appended end marker ends the list; long lines are cut.
    const GroupFile h = ParseGroupFile(CatalogBlock("T\r\n2\r\n3\r\nc|L|" + std::string(300, 'n')));
    ASSERT_EQ(h.entries.size(), 1u);
    EXPECT_EQ(std::pair(h.entries[0].line.size(), h.entries[0].displayName.size()), std::pair(127ul, 123ul));
}

TEST(GroupFile, LookupsByCodeAndByListFile) {
    const GroupFile g = ParseGroupFile(CatalogBlock("T\r\n2\r\n3\r\na||Alpha|\r\nab||Beta|\r\nabc|LIST_C|Gamma|\r\n"
                                                    "abd|LIST_CX|Delta|\r\nb|LIST_C|Late|\r\n"));
    // The first entry naming the list as a whole field, not as a prefix.
    const auto code = [&g](const char* list) {
        const GroupEntry* e = FindEntryListing(g, list);
        return e ? e->hierarchyCode.str() : "none";
    };
    EXPECT_EQ(code("LIST_C") + " " + code("LIST_CX") + " " + code("LIST"), "abc abd none");
    EXPECT_TRUE(FindGroupEntry(g, "ab")->displayName == "Beta" && !FindGroupEntry(g, "ac"));
    // Ancestors with an entry, in order; a missing level adds no separator.
    EXPECT_EQ(GroupBreadcrumb(g, "abc") + "|" + GroupBreadcrumb(g, "azc") + "|" + GroupBreadcrumb(g, ""),
              "Alpha / Beta / Gamma|Alpha|");
}

TEST(Requirements, RowsFollowTheirTextDirectly) {
    const std::string file = "Title\r\ninfo.htm\r\nunused\r\nSubtitle\r\n3\r\nignored\r\n"
                             "$H|1|Heading|N-1|2x3|h.jpg\r\n<p>head</p>}\r\n"
                             "C|2|Lift|N-2|4x5|lift.jpg\r\n<p>lift\r\ntext</p>} rest of line\r\n"
                             "D|3|Press|N-3||press.jpg\r\n}\r\n";
    const RequirementsFile r = ParseRequirements(CatalogBlock(file));
    EXPECT_EQ(r.title.str() + "|" + r.infoFile.str() + "|" + r.subtitle.str(), "Title|info.htm|Subtitle");
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(Fields(r.rows[0]) + "/" + Fields(r.rows[1]) + "/" + Fields(r.rows[2]),
              "$H|1|Heading|N-1|2x3|h.jpg|<p>head</p>/C|2|Lift|N-2|4x5|lift.jpg|<p>lift\r\ntext</p>/"
              "D|3|Press|N-3||press.jpg|");

    // A count beyond the rows present stops at the end of the file.
    for (const char* tail : {"", "# comment\r\n", "\r\n#a\r\n#b"}) {
        const std::string text = std::string("T\r\ni\r\nu\r\nS\r\n99\r\n\r\nC|1|x|n|a|p\r\nt}\r\n") + tail;
        EXPECT_EQ(ParseRequirements(CatalogBlock(text)).rows.size(), 1u) << tail;
    }
}

} // namespace
} // namespace qx
