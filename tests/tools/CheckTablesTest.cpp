// qxkat-tool check over the tables it reads line by line: comment and empty
// lines passed over, nothing read after the first "[" line.
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

TEST(CheckTool, IndexAndDistributorTablesEndAtTheirFirstBracketLine) {
    qx::test::TempDir dir;
    dir.Write("DATEN/LANG1/Katalog.STD", "#c\r\nDoc|K|norm.pdf\r\n\r\nLeer|K|\r\n[Ende]\r\nNach|K|\r\n");
    dir.Write("DIST_GR.TAB", "# kopf\r\n\r\na|b|X|1|" + std::string(70, 'n') + "|B|x\r\nkurz\r\n[end]\r\nkurz\r\n");
    const std::string command = std::string("'") + QX_TOOL_PATH + "' check '" + dir.Path().string() + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;)
        out.append(buf, n);
    pclose(pipe);
    std::istringstream lines(out);
    std::string tables;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("DATEN/LANG1/Katalog.STD:") || line.starts_with("DIST_GR.TAB:"))
            tables += line + "\n";
    }
    EXPECT_EQ(tables, "DATEN/LANG1/Katalog.STD:2: missing document PDF/LANG1/norm.pdf\n"
                      "DATEN/LANG1/Katalog.STD:4: entry without a file name\n"
                      "DIST_GR.TAB:3: company number longer than 63 characters (70)\n"
                      "DIST_GR.TAB:4: fewer than seven fields\n")
        << out;
}

} // namespace
