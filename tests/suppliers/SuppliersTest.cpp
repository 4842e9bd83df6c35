#include "platform/core/Path.h"
#include "suppliers/AddressFile.h"
#include "suppliers/Distributors.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using Lines = std::vector<std::string>;

TEST(AddressFile, BlocksRoundTripAndShortFiles) {
    test::TempDir dir;
    const std::string path = ToWindowsPath(dir.Path()) + "\\qxkat.adr";
    const Lines three = {"Werkzeug GmbH\r\nWeg 1\r\n", "", "Autohaus Nord\r\nHauptstr. 5"};
    ASSERT_TRUE(WriteAddressFile(path, three));
    EXPECT_EQ(ReadAddressFile(path), three);

    ASSERT_TRUE(WriteAddressFile(path, {"", "", ""}));
    EXPECT_EQ(test::ReadAll(ResolvePath(path)), std::string("\0\r\n\0\r\n\0\r\n[EndOfFile]", 20));
    EXPECT_EQ(ReadAddressFile(path), (Lines{"", "", ""}));

    // Fewer blocks than asked: the rest is empty; the marker is no block; the
    // last block of a file without its end stops at the file's end.
    EXPECT_EQ(ReadBlocks(std::string_view("A\0\r\nB\0\r\n[EndOfFile]", 19), 3, false), (Lines{"A", "B", ""}));
    EXPECT_EQ(ReadBlocks(std::string_view("A\0\r\n[EndOfFile]\r\n", 17), 3, false), (Lines{"A", "", ""}));
    EXPECT_EQ(ReadBlocks("A", 3, false), (Lines{"A", "", ""}));
    EXPECT_EQ(ReadBlocks("", 2, false), (Lines{"", ""}));
    // Order information files made by hand end their texts with "|".
    EXPECT_EQ(ReadBlocks("a|\r\nb\r\nc|\r\n", 3, true), (Lines{"a", "b\r\nc", ""}));
    EXPECT_EQ(ReadBlocks("a|\r\nb", 2, false), (Lines{"a|\r\nb", ""}));

    EXPECT_FALSE(ReadAddressFile(""));
    EXPECT_FALSE(ReadAddressFile(path + "x"));
}

const char* kTable = "# country|brand|number|kind|address\r\na|b|Deutschland|1||T|Werkzeug Nord|Weg 1|Stadt\r\n"
                     "a|b|Deutschland|8|4711|B|Halle Sued|Ring 2\r\na|b|Deutschland|9|0815|B|Halle West\r\n"
                     "a|b|Deutschland|2||B|Miros Service\r\na|b|deutschland|1||B|Klein geschrieben\r\n\r\n"
                     "a|b|Austria|9|0|B|Wien Eins\r\na|b|Austria|1||tools|Wien Zwei\r\n"
                     "a|b|Austria|1||Tools|Wien Drei\r\n[end]\r\na|b|Schweiz|9||B|nach dem Ende\r\n";

TEST(Distributors, CountriesBrandsAndTheMatchRules) {
    EXPECT_EQ(DistributorCountries(kTable, 0), (Lines{"Deutschland", "Austria"}));
    // Three fields name a country; a lone CR ends a line as CR LF does, and
    // the "[" after it ends the table.
    EXPECT_EQ(DistributorCountries("a|b|X\r[end]\ra|b|Y|1||B|y\r", 0), Lines{"X"});
    EXPECT_EQ(BrandCode("QX BRENA"), 9);
    EXPECT_EQ(BrandCode("MIROS"), 2);
    EXPECT_EQ(BrandCode("miros"), 0);

    DistributorMatches m = FindDistributors(kTable, "Deutschland", 9, "4711");
    EXPECT_EQ(m.specialTools, Lines{"Werkzeug Nord|Weg 1|Stadt|]"});
    EXPECT_EQ(m.equipment, Lines{"Halle Sued|Ring 2|]"}); // 0815 is another dealer's
    EXPECT_EQ(AddressText(m.specialTools[0]), "Werkzeug Nord\r\nWeg 1\r\nStadt\r\n");

    m = FindDistributors(kTable, "Deutschland", 2, "4711"); // MIROS does not meet bits 9
    EXPECT_EQ(m.equipment, Lines{"Miros Service|]"});
    EXPECT_TRUE(m.specialTools.empty());

    // Outside Germany the number is empty, which is "0"; "tools" is no special tools kind.
    m = FindDistributors(kTable, "Austria", 9, "");
    EXPECT_EQ(m.equipment, (Lines{"Wien Eins|]", "Wien Zwei|]"}));
    EXPECT_EQ(m.specialTools, Lines{"Wien Drei|]"});
    EXPECT_TRUE(FindDistributors(kTable, "Schweiz", 9, "").equipment.empty());
    // Only the form written matches: the list offers "Deutschland", never this one.
    EXPECT_EQ(FindDistributors(kTable, "deutschland", 1, "").equipment, Lines{"Klein geschrieben|]"});
    EXPECT_EQ(FindDistributors(kTable, "DEUTSCHLAND", 9, "").equipment.size(), 0u);

    // Entries without address lines, and many matches, are all kept.
    std::string many;
    for (int i = 0; i < 9; ++i)
        many += "a|b|X|1|||" + std::string(300, 'n') + "\r\n";
    many += "a|b|X|1||B\r\n";
    m = FindDistributors(many, "X", 1, "");
    ASSERT_EQ(m.equipment.size(), 10u);
    EXPECT_EQ(m.equipment[0].size(), 302u);
    EXPECT_EQ(AddressText(m.equipment[9]), "");
}

// Names as the language's alphabet has them, letter case aside, for every letter of the code page.
TEST(Distributors, NamesFollowTheLanguagesAlphabet) {
    EXPECT_EQ(DistributorCountries("a|b|\xD6STERREICH|1||B|x\r\na|b|\xF6sterreich|1||B|y\r\n", 0),
              Lines{"\xD6STERREICH"});
    EXPECT_EQ(DistributorCountries("a|b|\xC8" "ESKO|1||B|x\r\na|b|\xE8" "esko|1||B|y\r\n", 3), Lines{"\xC8" "ESKO"});
    const std::tuple<int, Lines, Lines> rows[] = {
        {0, {"Zeta|]", "\xD6sterle|]", "Otto|]", "ober|]"}, {"ober|]", "\xD6sterle|]", "Otto|]", "Zeta|]"}},
        {0, {"b|]", "B|]", "a|]"}, {"a|]", "b|]", "B|]"}}, // equal names keep their order
        {0, {"\xE9|]", "e|]"}, {"e|]", "\xE9|]"}}, // the accent only where the letters are the same
        // Signs and digits before the letters, in code order.
        {0, {"W-1|]", "W a|]", "W 2|]", "W \x80|]"}, {"W 2|]", "W \x80|]", "W a|]", "W-1|]"}},
        // Czech: C with caron is a letter of its own after C, before D.
        {3, {"Zeman|]", "Dvo\xF8\xE1k|]", "\xC8" "ech|]", "Cyril|]"},
         {"Cyril|]", "\xC8" "ech|]", "Dvo\xF8\xE1k|]", "Zeman|]"}},
    };
    for (auto [language, names, sorted] : rows) {
        SortForChoice(names, language);
        EXPECT_EQ(names, sorted) << language;
    }
}

} // namespace
} // namespace qx
