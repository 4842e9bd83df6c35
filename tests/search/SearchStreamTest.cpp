// The search read from the file in pieces lists, shows and finds what the
// search over the whole index in memory does, however the pieces fall.
#include "search/SearchIndex.h"
#include "ground/GlobalState.h"
#include "platform/core/Path.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qx {
namespace {

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

TEST(SearchStream, ReadInPiecesListsWhatTheWholeIndexLists) {
    std::mt19937 random(24);
    const std::string pieces[] = {"Bohr", "SATZ", "zrt", " ", "#", "[", "|", "T1", "\r\n", "\r", "\n", "ab",
                                  std::string(1, '\0'), "\xC4"};
    test::TempDir dir;
    GlobalState s{};
    s.programDir = ToWindowsPath(dir.Path(), true);
    s.dataDir = "DATEN\\LANG1\\";
    for (int round = 0; round < 400; ++round) {
        std::string index;
        for (int i = static_cast<int>(random() % 120); i > 0; --i) {
            index += pieces[random() % std::size(pieces)];
            if (round % 40 == 0 && random() % 30 == 0)
                index += std::string(300 + random() % 3000, "bx#"[random() % 3]); // lines longer than a piece
        }
        dir.Write("DATEN/LANG1/Katalog.SWS", index);
        std::string term;
        for (int i = static_cast<int>(random() % 3); i > 0; --i)
            term += pieces[random() % 4];
        std::string wholeTerm = term;
        IndexList whole;
        whole.Fill(CatalogBlock(index), wholeTerm);
        IndexList read;
        const std::size_t chunk = 1 + random() % 40;
        ASSERT_TRUE(read.Fill(s, kIndexSws, term, chunk));
        EXPECT_EQ(term, wholeTerm);
        ASSERT_EQ(read.Positions(), whole.Positions()) << "round " << round << " chunk " << chunk;
        for (std::size_t i = 0; i < read.Size(); ++i) {
            EXPECT_EQ(read.Entry(i).line, whole.Entry(i).line);
            EXPECT_EQ(read.Display(i), whole.Display(i));
        }
        // Prefixes taken from the index, some running on through line ends.
        for (int k = 0; k < 4 && !index.empty(); ++k) {
            const std::size_t from = random() % index.size();
            const std::string prefix = index.substr(from, 1 + random() % 12);
            ASSERT_EQ(read.FindByPrefix(prefix), PrefixInIndex(index, whole, prefix)) << "round " << round;
            ASSERT_EQ(whole.FindByPrefix(prefix), PrefixInIndex(index, whole, prefix)) << "round " << round;
        }
    }
}

} // namespace
} // namespace qx
