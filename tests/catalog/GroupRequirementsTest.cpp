#include "catalog/GroupFile.h"
#include "catalog/Requirements.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

std::string Fields(const GroupEntry& e) {
    return e.hierarchyCode.str() + "|" + e.listFile.str() + "|" + e.displayName.str() + "|" + e.picture.str();
}
std::string Fields(const RequirementRow& r) {
    return r.code.str() + "|" + r.quantity.str() + "|" + r.designation.str() + "|" + r.number.str() + "|" +
           r.floorArea.str() + "|" + r.picture.str() + "|" + r.text;
}

TEST(GroupFile, EntriesUpToTheFirstBracketLine) {
    const std::string file = "Group title\r\nline two\r\nskipped\r\n"
                             "a|LIST_A.TXT|Alpha|a.jpg\r\n"
                             "abcd\r\n" // four characters: not listed
                             "#comment\r\n"
                             "ab|LIST_B.TXT|Beta|b.jpg|extra\r\n"
                             "[end\r\n"
                             "b|LIST_C.TXT|Gamma|c.jpg\r\n";
    const GroupFile g = ParseGroupFile(CatalogBlock(file));
    EXPECT_EQ(g.title.str() + "|" + g.line2.str(), "Group title|line two");
    ASSERT_EQ(g.entries.size(), 2u);
    EXPECT_EQ(Fields(g.entries[0]), "a|LIST_A.TXT|Alpha|a.jpg");
    EXPECT_EQ(Fields(g.entries[1]), "ab|LIST_B.TXT|Beta|b.jpg");
    EXPECT_EQ(g.entries[1].line, "ab|LIST_B.TXT|Beta|b.jpg|extra");

    // Without a "[" line the appended end marker ends the list; long lines are cut.
    const GroupFile h = ParseGroupFile(CatalogBlock("T\r\n2\r\n3\r\nc|L|" + std::string(300, 'n')));
    ASSERT_EQ(h.entries.size(), 1u);
    EXPECT_EQ(h.entries[0].line.size(), 127u);
    EXPECT_EQ(h.entries[0].displayName.size(), 123u);
}

TEST(GroupFile, LookupsByCodeAndByListFile) {
    const GroupFile g = ParseGroupFile(CatalogBlock("T\r\n2\r\n3\r\n"
                                                    "a||Alpha|\r\n"
                                                    "ab||Beta|\r\n"
                                                    "abc|LIST_C|Gamma|\r\n"
                                                    "abd|LIST_CX|Delta|\r\n"
                                                    "b|LIST_C|Late|\r\n"));
    // The first entry naming the list as a whole field, not as a prefix.
    ASSERT_NE(FindEntryListing(g, "LIST_C"), nullptr);
    EXPECT_EQ(FindEntryListing(g, "LIST_C")->hierarchyCode, "abc");
    EXPECT_EQ(FindEntryListing(g, "LIST_CX")->hierarchyCode, "abd");
    EXPECT_EQ(FindEntryListing(g, "LIST"), nullptr);
    EXPECT_EQ(FindGroupEntry(g, "ab")->displayName, "Beta");
    EXPECT_EQ(FindGroupEntry(g, "ac"), nullptr);
    // Ancestors with an entry, in order; a missing level adds no separator.
    EXPECT_EQ(GroupBreadcrumb(g, "abc"), "Alpha / Beta / Gamma");
    EXPECT_EQ(GroupBreadcrumb(g, "azc"), "Alpha");
    EXPECT_EQ(GroupBreadcrumb(g, ""), "");
}

TEST(Requirements, RowsFollowTheirTextDirectly) {
    const std::string file = "Title\r\ninfo.htm\r\nunused\r\nSubtitle\r\n3\r\nignored\r\n"
                             "$H|1|Heading|N-1|2x3|h.jpg\r\n<p>head</p>}\r\n"
                             "C|2|Lift|N-2|4x5|lift.jpg\r\n<p>lift\r\ntext</p>} rest of line\r\n"
                             "D|3|Press|N-3||press.jpg\r\n}\r\n";
    const RequirementsFile r = ParseRequirements(CatalogBlock(file));
    EXPECT_EQ(r.title.str() + "|" + r.infoFile.str() + "|" + r.subtitle.str(), "Title|info.htm|Subtitle");
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(Fields(r.rows[0]), "$H|1|Heading|N-1|2x3|h.jpg|<p>head</p>");
    EXPECT_EQ(Fields(r.rows[1]), "C|2|Lift|N-2|4x5|lift.jpg|<p>lift\r\ntext</p>");
    EXPECT_EQ(Fields(r.rows[2]), "D|3|Press|N-3||press.jpg|");

    // A count beyond the rows present stops at the end of the file.
    for (const char* tail : {"", "# comment\r\n", "\r\n#a\r\n#b"}) {
        const std::string text = std::string("T\r\ni\r\nu\r\nS\r\n99\r\n\r\nC|1|x|n|a|p\r\nt}\r\n") + tail;
        EXPECT_EQ(ParseRequirements(CatalogBlock(text)).rows.size(), 1u) << tail;
    }
}

} // namespace
} // namespace qx
