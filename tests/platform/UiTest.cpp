#include "platform/core/ScriptedUi.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(Ui, NullUiAnswersWithoutShowingAnything) {
    Ui& ui = TheUi();
    EXPECT_EQ(ui.MessageBox("text", "caption", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(ui.MessageBox("text", "caption", MB_YESNO), IDCANCEL);
    EXPECT_EQ(ui.MessageBox("text", "caption", MB_OKCANCEL | MB_ICONEXCLAMATION), IDCANCEL);
    EXPECT_FALSE(ui.GetOpenFileName({}));
    EXPECT_FALSE(ui.GetSaveFileName({}));
    EXPECT_FALSE(ui.ShellOpen("C:\\a.pdf"));
    EXPECT_FALSE(ui.RunProgram("C:\\a.exe /x"));
}

TEST(Ui, ParseFileFilter) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(ParseFileFilter("Bestellliste (*.stk) | *.stk ||"), (Pairs{{"Bestellliste (*.stk)", "*.stk"}}));
    EXPECT_EQ(ParseFileFilter("A|*.a|B|*.b;*.c||ignored|*.x"), (Pairs{{"A", "*.a"}, {"B", "*.b;*.c"}}));
    EXPECT_EQ(ParseFileFilter("A|*.a|B"), (Pairs{{"A", "*.a"}}));
    EXPECT_EQ(ParseFileFilter(""), Pairs{});
    EXPECT_EQ(ParseFileFilter("||"), Pairs{});
}

} // namespace
} // namespace qx
