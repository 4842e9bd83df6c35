#include "navigation/External.h"
#include "ground/GlobalState.h"
#include "platform/core/ScriptedUi.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(External, DocumentsAndProgramsStayBelowTheProgramDirectory) {
    ScopedScriptedUi ui;
    GlobalState s{};
    s.programDir = "\\cd\\qx\\";
    s.langDir = "LANG4\\";

    EXPECT_TRUE(OpenDocument(s, "NORM.PDF"));
    EXPECT_TRUE(RunCatalogProgram(s, "MY TOOLS\\RUN.EXE /A B"));
    ASSERT_EQ(ui->shown.size(), 2u);
    EXPECT_EQ(ui->shown[0].kind, "shell");
    EXPECT_EQ(ui->shown[0].text, "\\cd\\qx\\PDF\\LANG4\\NORM.PDF");
    EXPECT_EQ(ui->shown[1].kind, "run");
    EXPECT_EQ(ui->shown[1].text, "\\cd\\qx\\MY TOOLS\\RUN.EXE /A B"); // parameters passed on as they stand

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
