#include "navigation/AreaFile.h"

#include "ground/GlobalState.h"
#include "ground/ScreenMode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qx {
namespace {

std::string Lines(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) {
        s += "Entry " + std::to_string(i) + "|p.bmp|sub" + std::to_string(i) + ".ber|1|2|3|4|tip\r\n";
    }
    return s;
}

TEST(AreaFile, EntryFieldsAndNumbers) {
    const AreaFileParse p = ParseAreaFile("# header\r\n\r\n"
                                          "Caption|pic.bmp|xyz.ber\r\n"
                                          "Full|p2.jpg|Katalog.std|  -10|+20|3x|abc|The tooltip|ignored\r\n"
                                          "Last|p3|Zurück|1|2|3|4|tip"); // no final CR LF
    ASSERT_EQ(p.entries.size(), 3u);
    EXPECT_FALSE(p.tooManyEntries);
    const AreaEntry& a = p.entries[0];
    EXPECT_EQ(a.caption, "Caption");
    EXPECT_EQ(a.picture, "pic.bmp");
    EXPECT_EQ(a.target, "XYZ.BER");
    EXPECT_EQ(a.rect, (AreaRect{0, 0, 0, 0}));
    EXPECT_EQ(a.tooltip, "");
    EXPECT_EQ(a.line, 3);
    const AreaEntry& b = p.entries[1];
    EXPECT_EQ(b.target, "KATALOG.STD");
    EXPECT_EQ(b.rect, (AreaRect{-10, 20, 3, 0}));
    EXPECT_EQ(b.tooltip, "The tooltip");
    // Only a to z are raised; other bytes stay as they are.
    EXPECT_EQ(p.entries[2].target, "ZURüCK");
    EXPECT_EQ(p.entries[2].tooltip, "tip");
}

TEST(AreaFile, SixtyFourEntriesAtMost) {
    const AreaFileParse full = ParseAreaFile(Lines(64) + "\r\n#c\r\n\r\n[end\r\nmore|x|y\r\n");
    EXPECT_EQ(full.entries.size(), 64u);
    EXPECT_FALSE(full.tooManyEntries);

    const AreaFileParse over = ParseAreaFile(Lines(65));
    EXPECT_EQ(over.entries.size(), 64u);
    EXPECT_TRUE(over.tooManyEntries);
    EXPECT_EQ(over.firstExcessLine, 65);
    EXPECT_EQ(kTooManyAreaEntries.Utf8(1), "Maximal 64 Einträge zulässig.");
}

TEST(AreaFile, BracketEndsTheListUnlessItFollowsComments) {
    const AreaFileParse p = ParseAreaFile("A|a|a.ber\r\n#comment\r\n[B|b|b.ber\r\nC|c|c.ber\r\n[end\r\nD|d|d.ber\r\n");
    ASSERT_EQ(p.entries.size(), 3u);
    EXPECT_EQ(p.entries[1].caption, "[B");
    EXPECT_EQ(p.entries[2].caption, "C");

    EXPECT_EQ(ParseAreaFile("[x\r\nA|a|a\r\n").entries.size(), 0u);
    // Trailing comments never turn the appended end marker into an entry.
    EXPECT_EQ(ParseAreaFile("A|a|a\r\n#c").entries.size(), 1u);
    EXPECT_EQ(ParseAreaFile("").entries.size(), 0u);
}

TEST(AreaFile, LongLinesAndFieldsAreCut) {
    const std::string caption(300, 'c');
    const AreaFileParse p = ParseAreaFile(caption + "|p|t\r\n|" + std::string(200, 'p') + "|" + std::string(200, 't') +
                                          "|1|2|3|4|" + std::string(40, 'x') + "\r\n");
    ASSERT_EQ(p.entries.size(), 2u);
    EXPECT_EQ(p.entries[0].caption.size(), 127u);
    EXPECT_EQ(p.entries[0].picture, ""); // the line is cut at 247 characters first
    EXPECT_EQ(p.entries[1].picture.size(), 127u);
    EXPECT_EQ(p.entries[1].target.size(), 45u); // 247 - 202
    EXPECT_EQ(p.entries[1].rect, (AreaRect{}));
}

TEST(AreaFile, PageKindAndNumbers) {
    EXPECT_EQ(AreaPageKindOf("QXSTART.BER"), AreaPageKind::Start);
    EXPECT_EQ(AreaPageKindOf("qxStart.ber"), AreaPageKind::Start);
    EXPECT_EQ(AreaPageKindOf("katalog.ber"), AreaPageKind::Catalogue);
    EXPECT_EQ(AreaPageKindOf("KaTaLoG.BeR"), AreaPageKind::Catalogue);
    EXPECT_EQ(AreaPageKindOf("KATALOG.BER2"), AreaPageKind::SubArea);
    EXPECT_EQ(AreaPageKindOf("SUB.BER"), AreaPageKind::SubArea);

    EXPECT_EQ(ParseAreaNumber("  42px"), 42);
    EXPECT_EQ(ParseAreaNumber("-7"), -7);
    EXPECT_EQ(ParseAreaNumber("+ 7"), 0);
    EXPECT_EQ(ParseAreaNumber(""), 0);
    EXPECT_EQ(ParseAreaNumber("99999999999"), 2147483647);
    EXPECT_EQ(ParseAreaNumber("-99999999999"), -2147483647 - 1);
}

TEST(AreaFile, EntryRectanglesInPixelsStayInRange) {
    GlobalState s;
    ApplyScreenMode(s, ScreenModeForWidth(1024));
    // The start level scales y by scaleY, the levels below by scaleX.
    EXPECT_EQ(AreaEntryPixels(s, {14, 64, 296, 352}, 0), (Rect{22, 106, 477, 587}));
    EXPECT_EQ(AreaEntryPixels(s, {14, 64, 296, 352}, 1), (Rect{22, 103, 477, 567}));
    const std::int32_t lo = ParseAreaNumber("-99999999999"), hi = ParseAreaNumber("99999999999");
    const Rect r = AreaEntryPixels(s, {lo, lo, hi, hi}, 0);
    EXPECT_EQ(r, (Rect{-52805, -54722, 52804, 54720}));
}

TEST(AreaFile, BrokenCorpusNeverCrashes) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(QX_TEST_DATA_DIR) / "broken";
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        std::ifstream in(e.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (std::size_t cut : {bytes.size(), bytes.size() / 2, std::size_t{3}}) {
            const AreaFileParse p = ParseAreaFile(std::string_view(bytes).substr(0, std::min(cut, bytes.size())));
            EXPECT_LE(p.entries.size(), 64u);
        }
    }
}

TEST(AreaFile, TargetDispatchOrder) {
    EXPECT_EQ(ClassifyAreaTarget("QTXNUMMER"), AreaTargetKind::QtxNumberSearch);
    EXPECT_EQ(ClassifyAreaTarget("TNUMMER"), AreaTargetKind::ToolNumberSearch);
    EXPECT_EQ(ClassifyAreaTarget("KATALOG.BER"), AreaTargetKind::SubArea);
    EXPECT_EQ(ClassifyAreaTarget("NORMEN.STD"), AreaTargetKind::GroupList);
    EXPECT_EQ(ClassifyAreaTarget("KATALOG.STD"), AreaTargetKind::ServiceStandards);
    EXPECT_EQ(ClassifyAreaTarget("LIFTE.ZEN"), AreaTargetKind::Requirements);
    EXPECT_EQ(ClassifyAreaTarget("FILM.AVI.BER"), AreaTargetKind::Video);
    EXPECT_EQ(ClassifyAreaTarget("ZUR\xDC" "CK"), AreaTargetKind::Back);
    EXPECT_EQ(ClassifyAreaTarget("GRUPPE1"), AreaTargetKind::GroupList);
    // Only a to z are raised on reading, so a lower-case umlaut never reads as back.
    EXPECT_EQ(ClassifyAreaTarget(ParseAreaFile("x|y|zur\xFC" "ck").entries.at(0).target), AreaTargetKind::GroupList);
}

} // namespace
} // namespace qx
