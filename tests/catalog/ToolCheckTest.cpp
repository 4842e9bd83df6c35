// qxkat-tool as a user runs it: on a small catalogue written here, and on the
// demo catalogue the build generates.
#include "tests/common/Scramble.h"
#include "tests/common/TempDir.h"
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

using namespace std::string_literals;

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string Said() const { return std::to_string(exitCode) + " " + out; } // exit code and output
};

// Runs the tool; its error output is kept only when asked for.
ToolRun Tool(const std::string& args, bool withErrors = false) {
    ToolRun r;
    const std::string command = std::string("'") + QX_TOOL_PATH + "' " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return r;
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;)
        r.out.append(buf, n);
    const int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

using qx::test::TempDir;

TEST(Tool, BadUsageExitsWithTwo) {
    for (const char* args : {"", "frobnicate", "products --list X", "products --program-dir . --language 7 --list X",
                             "orderlist", "orderlist x.stk --language 7", "search --program-dir x --language 2 --mode zzz"})
        EXPECT_EQ(Tool(args).exitCode, 2) << args;
}

TEST(Tool, ProductsAndUnscramble) {
    TempDir dir;
    dir.Write("DATEN/LANG2/QX.PRS", "EUR\r\nID\r\n01.01.05\r\n01.01.30\r\n1\r\n|N1|1234,5|2|0,00||sofort\r\n");
    dir.Write("DATEN/LANG2/list.txt", "T\r\nG|a\r\nS\r\n2\r\n\r\n"
                                     "k1\r\np\r\nN1\r\nd1\r\n1\r\nName\r\ns\r\n\r\n9\r\ni\r\n\r\nqtx_vz\r\n\r\nt}\r\n\r\n"
                                     "k2\r\np\r\nN2\r\nd2\r\n0\r\nOther\r\ns\r\n\r\n\r\ni\r\n\r\ndorna\r\n\r\nt}\r\n\r\n");
    const std::string products = "products --program-dir '" + dir.Path().string() + "' --language 1 --list LIST.TXT";
    // UPE mode: the VZ prices stay off, as on the product page.
    EXPECT_EQ(Tool(products).Said(), "0 k1\tN1\td1\tName\t1234,50 EUR\t2,00 EUR\t\t\tsofort\tQTX_VZ\t1\n"
                     "k2\tN2\t\tOther\ton request\ton request\t\t\t\tDORNA\t0\n");
    EXPECT_EQ(Tool(products + " --price-mode 1").out, "k1\tN1\td1\tName\t1234,50 EUR\t2,00 EUR\t0.00\ton request\tsofort\tQTX_VZ\t1\n"
                      "k2\tN2\t\tOther\ton request\ton request\ton request\ton request\t\tDORNA\t0\n");
    // A price list that offers no price modes shows no prices at all.
    dir.Write("DATEN/LANG2/QX.PRS", "EUR\r\nID\r\n01.01.05\r\n01.01.30\r\n-1\r\n|N1|1234,5|2|0,00||sofort\r\n");
    EXPECT_EQ(Tool(products + " --price-mode 1").out, "k1\tN1\td1\tName\t\t\t\t\t\tQTX_VZ\t1\n"
              "k2\tN2\t\tOther\t\t\t\t\t\tDORNA\t0\n");

    dir.Write("s.prs", qx::test::Scramble("plain\r\ntext"));
    EXPECT_EQ(Tool("unscramble '" + (dir.Path() / "s.prs").string() + "'").Said(), "0 plain\r\ntext");
}

TEST(Tool, OrderListPrintsTheStoredFieldsAndSavesTheFullLayout) {
    TempDir dir;
    dir.Write("old.stk", "QX0001ABC\r\n# c\r\n2|N-1|Name||Bem|DORNA|10,00|20,00|\r\n");
    const std::string in = (dir.Path() / "old.stk").string(), out = (dir.Path() / "new.stk").string();
    EXPECT_EQ(Tool("orderlist '" + in + "' --save '" + out + "'").Said(), "0 ABC\n2\tN-1\tName\t\tBem\tDORNA\t10,00\t\t\t\t20,00\t\t\t\t\n");
    EXPECT_EQ(qx::test::ReadAll(out), "QX0002ABC\r\n2|N-1|Name||Bem|DORNA|10,00||||20,00|||||\r\n[EndOfFile]");

    dir.Write("bad.stk", "QX1");
    EXPECT_EQ(Tool("orderlist '" + (dir.Path() / "bad.stk").string() + "' --language 1").Said(), "1 Wrong file format!\n");
}

TEST(Tool, SearchListsWhatTheDialogListsAndThePrefixPosition) {
    TempDir dir;
    dir.Write("DATEN/LANG3/Katalog.ANR", "# numbers\r\nZRT 5051|K1|A.KAT\r\nZRT 6150|K2\r\n[end\r\nZRT 7000|K3|C.KAT\r\n");
    const std::string base = "search --program-dir '" + dir.Path().string() + "' --language 2 --mode anr";
    // The last finds nothing and lists nothing.
    EXPECT_EQ(Tool(base).out + Tool(base + " '6150 zrt'").out + Tool(base + " --prefix 'zrt 61'").out +
                  Tool(base + " --prefix 'x'").out + Tool(base + " --prefix x zrt6").out,
              "ZRT 5051\tK1\tA.KAT\nZRT 6150\tK2\t\nZRT 6150\tK2\t\n1\nnot found\nnot found\n");
    EXPECT_EQ(Tool("search --program-dir '" + dir.Path().string() + "' --language 2 --mode sws").exitCode, 1);
}

TEST(Tool, LettersPrintWhatWouldBeDrawnInPageUnits) {
    TempDir dir;
    dir.Write("orders/MAI.STK", "QX0002Auftrag 7\r\n2|D-1|Zange||Halle 2|DORNA||10,00 EUR|||||||||\r\n"
                                "1|Q-1|Bank|||QTX_VZ||5,00 EUR|||||||||\r\n[EndOfFile]");
    dir.Write("orders/MAI.STT", "Ich\0\r\nDorna\0\r\nHallo\r\nDorna\0\r\nTsch\xFCss\0\r\n"
                                            "Ich\0\r\nQTX\0\r\nHallo QTX\0\r\nEnde\0\r\n[EndOfFile]"s);
    const std::string base = "letters '" + (dir.Path() / "orders" / "MAI.STK").string() + "' --program-dir '" +
                             dir.Path().string() + "' --language 0 --date 05.03.2007";
    const ToolRun r = Tool(base + " --price-mode 1");
    ASSERT_EQ(r.exitCode, 0);
    // QTX_VZ first on sheet 1, DORNA on sheet 2; the block's line break written as \n.
    for (const char* drawn : {"1\tblock\t45\t150\t608\t500\tQTX\n", "2\tblock\t45\t360\t608\t760\tHallo\\nDorna\n",
                              "1\ttext\tR\t608\t316\t05.03.2007\n", "\ttext\tL\t70\t", "2\ttext\tR\t608\t",
                              "\tline\tsolid\t45\t", "\tline\tdotted\t45\t"})
        EXPECT_NE(r.out.find(drawn), std::string::npos) << drawn << r.out;
    EXPECT_LT(r.out.find("Q-1"), r.out.find("D-1"));
    EXPECT_TRUE(Tool(base + " --price-mode -1").out.find("Alle Preise") == std::string::npos &&
                Tool(base + " --date 31.02").exitCode == 2);
}

TEST(Tool, DistributorsInTheOrderOfTheChoice) {
    TempDir dir;
    dir.Write("DIST_UK.TAB", "a|b|UK|9||B|zeta Ltd|Road 1\r\na|b|UK|1||T|Tools Ltd|Lane 2\r\n"
                             "a|b|UK|8||B|Alpha Ltd\r\na|b|UK|2||B|Miros Ltd\r\n");
    const std::string base = "distributors --program-dir '" + dir.Path().string() + "' --language 1 --country UK";
    EXPECT_EQ(Tool(base + " --brand 'QX BRENA'").out, "Tools Ltd\nLane 2\n--\nAlpha Ltd\n--\nzeta Ltd\nRoad 1\n");
    EXPECT_EQ(std::pair(Tool(base + " --brand MIROS").out, Tool(base + " --brand NONE").exitCode),
              std::pair(std::string("--\nMiros Ltd\n"), 2));
    const std::string german = "distributors --program-dir '" + dir.Path().string() + "' --language 0";
    EXPECT_EQ(Tool(german + " --country UK --brand MIROS").exitCode, 1);
}

TEST(Tool, CheckReportsWhatIsBrokenWithFileAndLine) {
    TempDir dir;
    dir.Write("MY TOOLS/RUN.EXE", "");
    dir.Write("DATEN/LANG1/QXSTART.BER", "Katalog|kat.bmp|katalog.ber|1|2|3|4|tip\r\nGone|x.bmp|missing.ber|1|2|3|4|\r\n"
                                         "Tools|x.bmp|my tools\\run.exe /a|1|2|3|4|\r\n"
                                         "Lost|x.bmp|lost tool.exe -x|1|2|3|4|\r\n");
    std::string many;
    for (int i = 0; i < 65; ++i)
        many += "E|p.bmp|video.avi|1|2|3|4|\r\n";
    dir.Write("DATEN/LANG1/KATALOG.BER", many);
    // Index and distributor tables: comment and empty lines passed over, nothing read after the first "[" line.
    dir.Write("DATEN/LANG1/Katalog.STD", "#c\r\nDoc|K|norm.pdf\r\n\r\nLeer|K|\r\n[Ende]\r\nNach|K|\r\n");
    dir.Write("DIST_GR.TAB", "# kopf\r\n\r\na|b|X|1|" + std::string(70, 'n') + "|B|x\r\nkurz\r\n[end]\r\nkurz\r\n");
    const ToolRun r = Tool("check '" + dir.Path().string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    // Program names may hold blanks; the parameters follow the ".EXE".
    for (const char* report : {"DATEN/LANG1/QXSTART.BER:2: missing area file DATEN/LANG1/MISSING.BER\n",
                               "DATEN/LANG1/KATALOG.BER:65: more than 64 entries (",
                               "DATEN/LANG1/KATALOG.BER:1: missing video VIDEO/VIDEO.AVI\n",
                               "DATEN/LANG1/QXSTART.BER:1: missing picture BILDER/OHNE/800/kat.bmp\n",
                               "DATEN/LANG2: missing language data directory\n",
                               "DATEN/LANG1/QXSTART.BER:4: missing program LOST TOOL.EXE\n",
                               "DATEN/LANG1/Katalog.STD:2: missing document PDF/LANG1/norm.pdf\n",
                               "DATEN/LANG1/Katalog.STD:4: entry without a file name\n",
                               "DIST_GR.TAB:3: company number longer than 63 characters (70)\n",
                               "DIST_GR.TAB:4: fewer than seven fields\n"})
        EXPECT_NE(r.out.find(report), std::string::npos) << report << r.out;
    for (const char* wrong : {"missing program MY", "Katalog.STD:1:", "Katalog.STD:3:", "Katalog.STD:6:", "TAB:1:",
                              "TAB:2:", "TAB:6:"})
        EXPECT_EQ(r.out.find(wrong), std::string::npos) << wrong;
    EXPECT_EQ(Tool("check '" + (dir.Path() / "nothing").string() + "'").exitCode, 2);
}

TEST(Tool, PictureWritesWhatTheProgramWouldShow) {
    TempDir dir;
    // A 3 x 2 RLE8 bitmap: bottom row red, green, blue; top row two greens and
    // colour 0 (red) where the stream never comes.
    std::string bmp = "BM" + std::string(12, '\0');
    std::string dib(40, '\0');
    const unsigned char header[] = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 1};
    dib.replace(0, sizeof header, reinterpret_cast<const char*>(header), sizeof header);
    dib[32] = 3; // colours used
    dib += std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12);
    dib += std::string("\0\x03\0\x01\x02\0\0\0\x02\x01\0\x01", 12);
    dir.Write("pics/rle.bmp", bmp + dib);
    const fs::path out = dir.Path() / "out.ppm";
    EXPECT_EQ(Tool("picture '" + (dir.Path() / "pics/RLE.BMP").string() + "' --ppm '" + out.string() + "'").Said(),
              "0 3x2 8-bit 3 colours\n");
    // The PPM: width, height and the RGB bytes, top row first.
    const std::string red("\xFF\0\0", 3), green("\0\xFF\0", 3), blue("\0\0\xFF", 3);
    EXPECT_EQ(qx::test::ReadAll(out), "P6\n3 2\n255\n" + green + green + red + red + green + blue);

    // A damaged bitmap shows nothing: a message naming the file, exit 1.
    const std::string broken = (fs::path(QX_TEST_DATA_DIR) / "broken" / "bmp_rows_missing.bmp").string();
    const ToolRun bad = Tool("picture '" + broken + "' --ppm '" + out.string() + "'", true);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.out.find(broken + ": no picture"), std::string::npos) << bad.out;
    EXPECT_EQ(Tool("picture '" + broken + "'").exitCode, 2);
}

// The demo catalogue is clean for the checker. The numbers go into a new list
// as "Insert numbers" takes them, the lines not taken are printed; the list
// then comes out as the page exports it.
TEST(Tool, DemoCatalogueTakesNumbersInAndWritesTheSpreadsheet) {
    const fs::path demo = QX_DEMO_DIR;
    if (!fs::is_directory(demo / "DATEN"))
        GTEST_SKIP() << "demo catalogue not generated yet";
    EXPECT_EQ(Tool("check '" + demo.string() + "'").Said(), "0 ");
    TempDir dir;
    dir.Write("n.txt", "t10001 2\r\nT99999\r\n");
    const std::string list = "'" + (dir.Path() / "new.stk").string() + "'";
    EXPECT_EQ(Tool("orderlist " + list + " --import '" + (dir.Path() / "n.txt").string() + "' --program-dir '" +
                   demo.string() + "' --language 0")
                  .Said(), "1 T99999\n");
    EXPECT_EQ(Tool("orderlist " + list + " --price-mode -1 --csv '" + (dir.Path() / "o.csv").string() + "'").exitCode, 0);
    EXPECT_EQ(qx::test::ReadAll(dir.Path() / "o.csv"),
              "\xEF\xBB\xBFPos.;Menge;Nummer;Bezeichnung;Bemerkungen;Lieferant;Preisliste\r\n"
              "1;2;T10001;Nockenwellen-Arretierung;;DORNA;PL 2026/12 QX-D\r\n");
}

} // namespace
