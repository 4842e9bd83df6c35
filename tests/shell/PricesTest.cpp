#include "shell/Prices.h"
#include "catalog/PriceList.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

namespace fs = std::filesystem;

class PricesTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<AppContext>(dir_ / "qxkat.ini");
        app_->state.programDir = ToWindowsPath(dir_.Path(), true);
        app_->state.dataDir = "DATEN\\LANG1\\";
    }
    void WriteList(const std::string& date, const std::string& expiry, int availability) {
        dir_.Write("DATEN/LANG1/QX.PRS", "EUR\r\nPL-1\r\n" + date + "\r\n" + expiry + "\r\n" +
                                             std::to_string(availability) + "\r\n|T1|1|2|3|4|x\r\n");
    }
    static std::time_t At(int d, int m, int y) { return MidnightOf(CatalogDate{d, m, y}) + 3600; }

    ScopedScriptedUi ui;
    test::TempDir dir_;
    std::unique_ptr<AppContext> app_;
};

std::string Menu(const PriceMenuState& m, const GlobalState& s) {
    return std::string(m.enabled ? "on" : "off") + (m.upeChecked ? " UPE" : "") + (m.vzChecked ? " VZ" : "") +
           " mode " + std::to_string(s.priceMode) + " " + s.currency.str();
}

// The list's availability decides the menu and the mode; without a list there are no prices and "DM" stays.
TEST_F(PricesTest, AvailabilityDecidesMenuAndMode) {
    const struct {
        int availability; // -1: no list
        int modeBefore;
        const char* menu;
    } cases[] = {{0, 1, "off mode 0 EUR"}, {2, 1, "on VZ mode 1 EUR"}, {1, 0, "on UPE mode 0 EUR"}, {-1, 1, "off mode -1 DM"}};
    for (const auto& c : cases) {
        fs::remove(dir_ / "DATEN/LANG1/QX.PRS");
        if (c.availability >= 0)
            WriteList("01.12.26", "31.12.30", c.availability);
        app_->state.priceMode = c.modeBefore;
        app_->state.currency = "DM";
        EXPECT_EQ(Menu(RunPriceListCheck(*app_, At(6, 12, 2026)), app_->state), c.menu) << c.availability;
    }
    EXPECT_TRUE(ui->shown.empty());
}

// The check's dates are the price list's business; what it finds outdated is said once.
TEST_F(PricesTest, AnOutdatedListIsSaid) {
    WriteList("01.12.26", "06.12.26", 1);
    RunPriceListCheck(*app_, At(6, 12, 2026));
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_NE(ui->Messages()[0].find("nicht aktuell"), std::string::npos);
    EXPECT_EQ(app_->state.priceListOutdated, 1);
}

// The mode is kept in the profile; after a language change the state of the last check is applied again.
TEST_F(PricesTest, ModeIsKeptInTheProfileAndRestoredAfterALanguageChange) {
    WriteList("01.12.26", "31.12.30", 1);
    RunPriceListCheck(*app_, At(6, 12, 2026));
    EXPECT_EQ(Menu(SetPriceMode(*app_, 1), app_->state), "on VZ mode 1 EUR");
    EXPECT_EQ(app_->profile.GetInt("Global", "PriceMode", 0), 1);
    EXPECT_EQ(Menu(PriceMenuStateFor(app_->state, app_->priceAvailability), app_->state), "on VZ mode 1 EUR");
    SetPriceMode(*app_, 0);
    EXPECT_EQ(app_->profile.GetInt("Global", "PriceMode", 1), 0);
    EXPECT_EQ(Menu(PriceMenuStateFor(app_->state, app_->priceAvailability), app_->state), "on UPE mode 0 EUR");
}

TEST_F(PricesTest, UpdateCopiesAndRemembersTheTarget) {
    dir_.Write("new.prs", "EUR\r\nPL-9\r\n05.12.26\r\n31.12.30\r\n1\r\n");
    ui->fileAnswers = {ToWindowsPath(dir_ / "new.prs"), ToWindowsPath(dir_ / "copy.prs")};
    EXPECT_TRUE(RunPriceUpdate(*app_));
    EXPECT_TRUE(fs::exists(dir_ / "copy.prs"));
    EXPECT_EQ(app_->profile.GetString("Global", "Update04", ""), ToWindowsPath(dir_ / "copy.prs"));
    EXPECT_EQ(ui->Messages().back(), "Die Preisliste wurde\nkopiert!");

    ui->fileAnswers = {ToWindowsPath(dir_ / "new.prs"), std::nullopt};
    EXPECT_FALSE(RunPriceUpdate(*app_));
}

} // namespace
} // namespace qx
