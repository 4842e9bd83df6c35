#include "navigation/AreaFile.h"
#include "navigation/External.h"

#include "ground/GlobalState.h"
#include "ground/ScreenMode.h"
#include "platform/core/ScriptedUi.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

// Each entry as "line: caption|picture|target|left,top,right,bottom|tooltip",
// then "+N" for an excess entry at line N.
std::string Dump(const AreaFileParse& p) {
    std::string out;
    for (const AreaEntry& e : p.entries) {
        out += std::to_string(e.line) + ": " + e.caption.str() + "|" + e.picture.str() + "|" + e.target.str() + "|" +
               std::to_string(e.rect.left) + "," + std::to_string(e.rect.top) + "," + std::to_string(e.rect.right) +
               "," + std::to_string(e.rect.bottom) + "|" + e.tooltip.str() + "\n";
    }
    if (p.tooManyEntries)
        out += "+" + std::to_string(p.firstExcessLine) + "\n";
    return out;
}

std::string Lines(int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += "E" + std::to_string(i) + "|p|s|1|2|3|4|t\r\n";
    return s;
}

TEST(AreaFile, EntriesCommentsTheBracketAndTheLimits) {
    std::string sixtyFour;
    for (int i = 1; i <= 64; ++i)
        sixtyFour += std::to_string(i) + ": E" + std::to_string(i - 1) + "|p|S|1,2,3,4|t\n";
    const std::pair<std::string, std::string> cases[] = {
        // Only a to z are raised in the target; numbers read as far as they go.
        {"# header\r\n\r\nCaption|pic.bmp|xyz.ber\r\nFull|p2.jpg|Katalog.std|  -10|+20|3x|abc|The tooltip|ignored\r\n"
         "Last|p3|Zur\xFC" "ck|1|2|3|4|tip",
         "3: Caption|pic.bmp|XYZ.BER|0,0,0,0|\n4: Full|p2.jpg|KATALOG.STD|-10,20,3,0|The tooltip\n"
         "5: Last|p3|ZUR\xFC" "CK|1,2,3,4|tip\n"},
        // A "[" ends the list unless comments came just before it.
        {"A|a|a.ber\r\n#comment\r\n[B|b|b.ber\r\nC|c|c.ber\r\n[end\r\nD|d|d.ber\r\n",
         "1: A|a|A.BER|0,0,0,0|\n3: [B|b|B.BER|0,0,0,0|\n4: C|c|C.BER|0,0,0,0|\n"}, {"[x\r\nA|a|a\r\n", ""},
        {"A|a|a\r\n#c", "1: A|a|A|0,0,0,0|\n"}, {"", ""},
        {Lines(64) + "\r\n#c\r\n\r\n[end\r\nmore|x|y\r\n", sixtyFour}, {Lines(65), sixtyFour + "+65\n"},
        // The line is cut at 247 characters first, then each field to its size.
        {std::string(300, 'c') + "|p|t\r\n|" + std::string(200, 'p') + "|" + std::string(200, 't') + "|1|2|3|4|x\r\n",
         "1: " + std::string(127, 'c') + "|||0,0,0,0|\n2: |" + std::string(127, 'p') + "|" + std::string(45, 'T') +
             "|0,0,0,0|\n"},
    };
    for (const auto& [bytes, dump] : cases)
        EXPECT_EQ(Dump(ParseAreaFile(bytes)), dump) << bytes;
}

TEST(AreaFile, PageKindsTargetsAndNumbers) {
    using K = AreaPageKind;
    for (const auto& [name, kind] : {std::pair{"QXSTART.BER", K::Start}, {"qxStart.ber", K::Start},
                                     {"katalog.ber", K::Catalogue}, {"KaTaLoG.BeR", K::Catalogue},
                                     {"KATALOG.BER2", K::SubArea}, {"SUB.BER", K::SubArea}})
        EXPECT_EQ(AreaPageKindOf(name), kind) << name;

    const std::pair<const char*, AreaTargetKind> targets[] = {
        {"QTXNUMMER", AreaTargetKind::QtxNumberSearch}, {"TNUMMER", AreaTargetKind::ToolNumberSearch},
        {"KATALOG.BER", AreaTargetKind::SubArea},       {"NORMEN.STD", AreaTargetKind::GroupList},
        {"KATALOG.STD", AreaTargetKind::ServiceStandards}, {"LIFTE.ZEN", AreaTargetKind::Requirements},
        {"FILM.AVI.BER", AreaTargetKind::Video},        {"ZUR\xDC" "CK", AreaTargetKind::Back},
        {"GRUPPE1", AreaTargetKind::GroupList},
    };
    for (const auto& [target, kind] : targets)
        EXPECT_EQ(ClassifyAreaTarget(target), kind) << target;
    // Only a to z are raised on reading, so a lower-case umlaut never reads as back.
    EXPECT_EQ(ClassifyAreaTarget(ParseAreaFile("x|y|zur\xFC" "ck").entries.at(0).target), AreaTargetKind::GroupList);

    const std::pair<const char*, std::int32_t> numbers[] = {
        {"  42px", 42}, {"-7", -7}, {"+ 7", 0}, {"", 0}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1},
    };
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ParseAreaNumber(text), value) << text;
}

TEST(AreaFile, EntryRectanglesInPixelsStayInRange) {
    GlobalState s;
    ApplyScreenMode(s, ScreenModeForWidth(1024));
    // The start level scales y by scaleY, the levels below by scaleX.
    EXPECT_EQ(AreaEntryPixels(s, {14, 64, 296, 352}, 0), (Rect{22, 106, 477, 587}));
    EXPECT_EQ(AreaEntryPixels(s, {14, 64, 296, 352}, 1), (Rect{22, 103, 477, 567}));
    const std::int32_t lo = ParseAreaNumber("-99999999999"), hi = ParseAreaNumber("99999999999");
    EXPECT_EQ(AreaEntryPixels(s, {lo, lo, hi, hi}, 0), (Rect{-52805, -54722, 52804, 54720}));
}

TEST(External, DocumentsAndProgramsStayBelowTheProgramDirectory) {
    ScopedScriptedUi ui;
    GlobalState s{};
    s.programDir = "\\cd\\qx\\";
    s.langDir = "LANG4\\";

    EXPECT_TRUE(OpenDocument(s, "NORM.PDF") && RunCatalogProgram(s, "MY TOOLS\\RUN.EXE /A B"));
    ASSERT_EQ(ui->shown.size(), 2u);
    // Parameters are passed on as they stand.
    EXPECT_EQ(ui->shown[0].kind + " " + ui->shown[0].text + "|" + ui->shown[1].kind + " " + ui->shown[1].text,
              "shell \\cd\\qx\\PDF\\LANG4\\NORM.PDF|run \\cd\\qx\\MY TOOLS\\RUN.EXE /A B");
    EXPECT_EQ(ProgramPath(s, "MY TOOLS\\RUN.EXE"), "\\cd\\qx\\MY TOOLS\\RUN.EXE"); // a blank in the path, no parameters

    // Out of the folder: refused before the desktop is asked.
    for (const char* name : {"..\\x.PDF", "A\\..\\..\\x.PDF", "\\etc\\x.PDF", "/etc/x.PDF", "C:x.PDF", "a/../../x.PDF", ""})
        EXPECT_FALSE(OpenDocument(s, name)) << name;
    for (const char* target : {"..\\RUN.EXE", "D:\\RUN.EXE /A", "\\RUN.EXE", "TOOLS\\..\\..\\RUN.EXE"})
        EXPECT_FALSE(RunCatalogProgram(s, target)) << target;
    // ".." in a parameter is the program's business, not a way out.
    EXPECT_TRUE(RunCatalogProgram(s, "RUN.EXE ..\\DATA"));
    // Names that merely contain dots stay inside.
    EXPECT_TRUE(StaysInside("A..B\\...\\x.PDF"));
    EXPECT_EQ(ui->shown.size(), 3u);

    // A refusal of the desktop is passed on.
    ui->shellResult = false;
    EXPECT_FALSE(OpenDocument(s, "NORM.PDF"));
    EXPECT_FALSE(RunCatalogProgram(s, "RUN.EXE"));
}

} // namespace
} // namespace qx
