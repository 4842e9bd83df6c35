#include "search/SearchIndex.h"
#include "ground/GlobalState.h"
#include "platform/core/Path.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace qx {
namespace {

std::vector<std::string> Listed(const IndexList& list) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.Size(); ++i)
        out.emplace_back(list.Display(i));
    return out;
}

std::vector<std::string> Search(const std::string& file, std::string term) {
    IndexList list;
    list.Fill(CatalogBlock(file), term);
    return Listed(list);
}

using Names = std::vector<std::string>;

TEST(SearchIndex, WordsAnywhereInTheDisplayTextInFileOrder) {
    const std::string file = "# keywords\r\n"
                             "Bohrersatz komplett|K1|BOHR.KAT\r\n"
                             "\r\n"
                             "ZRT 6150|K2|ZRT.KAT\r\n"
                             "T10001 Abzieher|K3|T.KAT\r\n"
                             "\xF6l-Wanne|K4|OEL.KAT\r\n"
                             "Kein Feld\r\n"
                             "[Ende]\r\n"
                             "Bohrer nach dem Ende|K9|X.KAT\r\n";
    EXPECT_EQ(Search(file, ""), (Names{"Bohrersatz komplett", "ZRT 6150", "T10001 Abzieher", "\xF6l-Wanne", "Kein Feld"}));
    EXPECT_EQ(Search(file, "bohr SATZ"), Names{"Bohrersatz komplett"});
    EXPECT_EQ(Search(file, "6150 zrt"), Names{"ZRT 6150"});
    EXPECT_EQ(Search(file, "t10"), Names{"T10001 Abzieher"});
    EXPECT_EQ(Search(file, "\xD6L"), Names{}); // only A to Z fold
    EXPECT_EQ(Search(file, "zrt  6150 "), Names{"ZRT 6150"});
    EXPECT_EQ(Search(file, " "), Search(file, "")); // empty words match everything
    // A NUL ends the display text for matching as it does on the screen.
    EXPECT_EQ(Search(std::string("Zange\0Bohrer|K5|Z.KAT\r\n", 23), "bohrer"), Names{});
    // A word past any fixed table size still means itself, and so do the others.
    EXPECT_EQ(Search(file, "komplett bohrersatzkomplettx a"), Names{});
    EXPECT_EQ(Search(file, std::string(40, 'e') + " zrt"), Names{});
    std::string many;
    for (int i = 0; i < 100; ++i)
        many += "o ";
    EXPECT_EQ(Search(file, many + "komplett"), Names{"Bohrersatz komplett"});

    // The term comes back folded.
    std::string term = "Bohr \xC4";
    IndexList list;
    list.Fill(CatalogBlock(file), term);
    EXPECT_EQ(term, "bohr \xC4");
}

TEST(SearchIndex, EntriesPrefixAndTheCommentLinesBefore) {
    IndexList list;
    std::string term;
    list.Fill(CatalogBlock("# numbers\r\n# more\r\nZRT 5051|A|L1.KAT\r\nZRT 6150\r\n"), term);
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(list.Positions()[0], 0u); // the first of the comment lines
    const IndexEntry e = list.Entry(0);
    EXPECT_EQ(e.line, "ZRT 5051|A|L1.KAT");
    EXPECT_EQ(e.key, "A");
    EXPECT_EQ(e.file, "L1.KAT");
    EXPECT_EQ(list.Entry(1).key, ""); // missing fields read as empty
    EXPECT_EQ(list.Entry(1).file, "");

    EXPECT_EQ(list.FindByPrefix("zrt 61"), 1u);
    EXPECT_EQ(list.FindByPrefix(""), 0u);
    // The prefix is compared where the item starts: at its comment line.
    EXPECT_EQ(list.FindByPrefix("zrt 50"), std::nullopt);
    EXPECT_EQ(list.FindByPrefix("# NUM"), 0u);
    EXPECT_EQ(IndexList().FindByPrefix("a"), std::nullopt);
    EXPECT_EQ(IndexList().FindByPrefix(""), 0u);
}

TEST(SearchIndex, FileOfTheModeAndAMissingFileKeepsTheList) {
    test::TempDir dir;
    GlobalState s{};
    s.programDir = ToWindowsPath(dir.Path(), true);
    s.dataDir = "DATEN\\LANG1\\";
    dir.Write("daten/lang1/KATALOG.anr", "QX-1|K|L.KAT\r\n");
    EXPECT_EQ(IndexExtension(kIndexAnr), ".ANR");
    EXPECT_EQ(IndexExtension(kIndexStd | kIndexPrk), ".STD.PRK");
    IndexList list;
    std::string term = "qx";
    EXPECT_TRUE(list.Fill(s, kIndexAnr, term));
    EXPECT_EQ(list.Size(), 1u);
    EXPECT_FALSE(list.Fill(s, kIndexSws, term));
    EXPECT_EQ(list.Size(), 1u);
}

// Generated indexes, lone CR line ends and NUL bytes among them: the
// one-pass Fill lists exactly what the plain search does.
TEST(SearchIndex, FillAgreesWithThePlainSearch) {
    std::mt19937 random(11);
    const std::string pieces[] = {"Bohr", "SATZ", "zrt", " ", "  ", "61", "#", "[", "\xC4", "\xE4", "|", "T1", "ab", "\r\n", "-", "\r", std::string(1, '\0')};
    auto text = [&](int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += pieces[random() % std::size(pieces)];
        return out;
    };
    for (int round = 0; round < 300; ++round) {
        const std::string file = text(static_cast<int>(random() % 80));
        std::string term = text(static_cast<int>(random() % 4));
        term = term.substr(0, term.find_first_of(std::string("\r\0", 2)));
        const CatalogBlock block(file);
        IndexList list;
        std::string folded = term;
        list.Fill(CatalogBlock(file), folded);
        const std::vector<std::size_t> plain = LiteralSearch(block, term);
        EXPECT_EQ(std::vector<std::size_t>(list.Positions().begin(), list.Positions().end()), plain)
            << "file [" << file << "] term [" << term << "]";
    }
}

} // namespace
} // namespace qx
