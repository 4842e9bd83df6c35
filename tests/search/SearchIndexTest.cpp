#include "search/SearchIndex.h"
#include "ground/GlobalState.h"
#include "platform/core/Path.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    const std::string file = "# keywords\r\nBohrersatz komplett|K1|BOHR.KAT\r\n\r\nZRT 6150|K2|ZRT.KAT\r\n"
                             "T10001 Abzieher|K3|T.KAT\r\n\xF6l-Wanne|K4|OEL.KAT\r\nKein Feld\r\n[Ende]\r\n"
                             "Bohrer nach dem Ende|K9|X.KAT\r\n";
    std::string many;
    for (int i = 0; i < 100; ++i)
        many += "o ";
    // Only A to Z fold; empty words match everything; a word past any fixed
    // table size still means itself, and so do the others.
    const std::pair<std::string, Names> cases[] = {
        {"", {"Bohrersatz komplett", "ZRT 6150", "T10001 Abzieher", "\xF6l-Wanne", "Kein Feld"}},
        {" ", {"Bohrersatz komplett", "ZRT 6150", "T10001 Abzieher", "\xF6l-Wanne", "Kein Feld"}},
        {"bohr SATZ", {"Bohrersatz komplett"}}, {"6150 zrt", {"ZRT 6150"}}, {"zrt  6150 ", {"ZRT 6150"}},
        {"t10", {"T10001 Abzieher"}}, {"\xD6L", {}}, {"komplett bohrersatzkomplettx a", {}},
        {std::string(40, 'e') + " zrt", {}}, {many + "komplett", {"Bohrersatz komplett"}},
    };
    for (const auto& [term, names] : cases)
        EXPECT_EQ(Search(file, term), names) << term;
    // A NUL ends the display text for matching as it does on the screen.
    EXPECT_EQ(Search(std::string("Zange\0Bohrer|K5|Z.KAT\r\n", 23), "bohrer"), Names{});

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
    // Missing fields read as empty.
    const auto entry = [&](std::size_t i) {
        return list.Entry(i).line + "/" + list.Entry(i).key + "/" + list.Entry(i).file;
    };
    EXPECT_EQ(entry(0) + " " + entry(1), "ZRT 5051|A|L1.KAT/A/L1.KAT ZRT 6150//");
    // The prefix is compared where the item starts: at its comment line.
    EXPECT_EQ((std::vector{list.FindByPrefix("zrt 61"), list.FindByPrefix("zrt 50"), list.FindByPrefix("# NUM"),
                           IndexList().FindByPrefix("a"), IndexList().FindByPrefix("")}),
              (std::vector<std::optional<std::size_t>>{1, std::nullopt, 0, std::nullopt, 0}));
}

TEST(SearchIndex, FileOfTheModeAndAMissingFileKeepsTheList) {
    test::TempDir dir;
    GlobalState s{};
    s.programDir = ToWindowsPath(dir.Path(), true);
    s.dataDir = "DATEN\\LANG1\\";
    dir.Write("daten/lang1/KATALOG.anr", "QX-1|K|L.KAT\r\n");
    EXPECT_EQ(IndexExtension(kIndexAnr) + "/" + IndexExtension(kIndexStd | kIndexPrk), ".ANR/.STD.PRK");
    IndexList list;
    std::string term = "qx";
    EXPECT_TRUE(list.Fill(s, kIndexAnr, term) && !list.Fill(s, kIndexSws, term));
    // Nor one that reads short of its size, as a file cut while it is read (a system file claims a page).
    std::filesystem::create_symlink("/sys/devices/system/cpu/online", dir / "daten/lang1/KATALOG.SWS");
    EXPECT_FALSE(list.Fill(s, kIndexSws, term, 2));
    EXPECT_EQ(Listed(list), Names{"QX-1"});
}

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The prefix look-up as it reads: the text against the index bytes, and the
// CR LF the reader appends to them, from the item's start on.
std::optional<std::size_t> PrefixInIndex(const std::string& index, const IndexList& list, std::string_view text) {
    if (text.empty())
        return 0;
    const std::string readable = index + "\r\n";
    for (std::size_t i = 0; i < list.Size(); ++i) {
        const std::string_view at = std::string_view(readable).substr(list.Positions()[i]);
        if (at.size() >= text.size() &&
            std::equal(text.begin(), text.end(), at.begin(), [](char a, char b) { return Fold(a) == Fold(b); }))
            return i;
    }
    return std::nullopt;
}

// Generated indexes, lone CR and LF line ends, NUL bytes and lines longer
// than a piece among them: the one-pass Fill lists what the plain search
// does, and the search read from the file in pieces lists, shows and finds
// what the search over the whole index in memory does.
TEST(SearchIndex, FillAgreesWithThePlainSearchAndWithTheFileReadInPieces) {
    std::mt19937 random(11);
    const std::string pieces[] = {"Bohr", "SATZ", "zrt", "T1", " ", "  ", "61", "#", "[", "\xC4", "\xE4", "|",
                                  "ab", "\r\n", "-", "\r", "\n", std::string(1, '\0')};
    auto text = [&](int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += pieces[random() % std::size(pieces)];
        return out;
    };
    test::TempDir dir;
    GlobalState s{};
    s.programDir = ToWindowsPath(dir.Path(), true);
    s.dataDir = "DATEN\\LANG1\\";
    for (int round = 0; round < 400; ++round) {
        std::string file = text(static_cast<int>(random() % 100));
        if (round % 40 == 0)
            file.insert(file.size() / 2, std::string(300 + random() % 3000, "bx#"[random() % 3]));
        std::string term = text(static_cast<int>(random() % 4));
        term = term.substr(0, term.find_first_of(std::string("\r\n\0", 3)));
        SCOPED_TRACE("round " + std::to_string(round) + " file [" + file + "] term [" + term + "]");
        const CatalogBlock block(file);
        IndexList whole;
        std::string folded = term;
        whole.Fill(block, folded);
        EXPECT_EQ(std::vector<std::size_t>(whole.Positions().begin(), whole.Positions().end()),
                  LiteralSearch(block, term));

        dir.Write("DATEN/LANG1/Katalog.SWS", file);
        IndexList read;
        const std::size_t chunk = 1 + random() % 40;
        ASSERT_TRUE(read.Fill(s, kIndexSws, term, chunk));
        EXPECT_EQ(term, folded);
        ASSERT_EQ(read.Positions(), whole.Positions()) << "chunk " << chunk;
        for (std::size_t i = 0; i < read.Size(); ++i)
            EXPECT_EQ(std::pair(read.Entry(i).line, read.Display(i)), std::pair(whole.Entry(i).line, whole.Display(i)));
        // Prefixes taken from the index, some running on through line ends.
        for (int k = 0; k < 4 && !file.empty(); ++k) {
            const std::size_t from = random() % file.size();
            std::string prefix = file.substr(from, 1 + random() % 12);
            prefix.back() = static_cast<char>(prefix.back() + k % 2); // and some that differ at their end
            ASSERT_EQ(read.FindByPrefix(prefix), PrefixInIndex(file, whole, prefix));
            ASSERT_EQ(whole.FindByPrefix(prefix), PrefixInIndex(file, whole, prefix));
        }
    }
}

} // namespace
} // namespace qx
