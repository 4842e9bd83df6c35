#include "platform/core/Clock.h"
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

TEST(Ui, ScriptedUiRecordsAndAnswers) {
    Ui& before = TheUi();
    {
        ScopedScriptedUi ui;
        EXPECT_EQ(&TheUi(), &*ui);
        ui->messageAnswers = {IDYES};
        ui->fileAnswers = {std::string("C:\\x.stk")};
        EXPECT_EQ(TheUi().MessageBox("Sure?", "QX", MB_YESNO), IDYES);
        EXPECT_EQ(TheUi().MessageBox("Again?", "QX", MB_YESNOCANCEL), IDCANCEL);
        EXPECT_EQ(TheUi().MessageBox("Done", "QX", MB_OK), IDOK);
        FileDialogSpec spec;
        spec.fileName = "*.STK";
        EXPECT_EQ(TheUi().GetOpenFileName(spec), "C:\\x.stk");
        EXPECT_FALSE(TheUi().GetSaveFileName(spec));
        EXPECT_TRUE(TheUi().ShellOpen("C:\\a.pdf"));
        ui->shellResult = false;
        EXPECT_FALSE(TheUi().RunProgram("prog.exe"));
        EXPECT_EQ(ui->Messages(), (std::vector<std::string>{"Sure?", "Again?", "Done"}));
        ASSERT_EQ(ui->shown.size(), 7u);
        EXPECT_EQ(ui->shown[0].caption, "QX");
        EXPECT_EQ(ui->shown[0].type, unsigned{MB_YESNO});
        EXPECT_EQ(ui->shown[3].kind, "open");
        EXPECT_EQ(ui->shown[3].spec.fileName, "*.STK");
        EXPECT_EQ(ui->shown[4].kind, "save");
        EXPECT_EQ(ui->shown[5].kind, "shell");
        EXPECT_EQ(ui->shown[5].text, "C:\\a.pdf");
        EXPECT_EQ(ui->shown[6].kind, "run");
        {
            ScopedScriptedUi inner;
            EXPECT_EQ(&TheUi(), &*inner);
        }
        EXPECT_EQ(&TheUi(), &*ui);
    }
    EXPECT_EQ(&TheUi(), &before);
}

TEST(Ui, ParseFileFilter) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(ParseFileFilter("Bestellliste (*.stk) | *.stk ||"), (Pairs{{"Bestellliste (*.stk)", "*.stk"}}));
    EXPECT_EQ(ParseFileFilter("A|*.a|B|*.b;*.c||ignored|*.x"), (Pairs{{"A", "*.a"}, {"B", "*.b;*.c"}}));
    EXPECT_EQ(ParseFileFilter("A|*.a|B"), (Pairs{{"A", "*.a"}}));
    EXPECT_EQ(ParseFileFilter(""), Pairs{});
    EXPECT_EQ(ParseFileFilter("||"), Pairs{});
}

TEST(Clock, CanBeReplaced) {
    const std::time_t real = Now();
    EXPECT_GT(real, 1600000000);
    SetNowForTesting([] { return std::time_t{1234}; });
    EXPECT_EQ(Now(), 1234);
    SetNowForTesting(nullptr);
    EXPECT_GE(Now(), real);
}

} // namespace
} // namespace qx
