#include "navigation/ui/VideoPage.h"
#include "CatalogPages.h"
#include "navigation/ui/AreaPage.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/VideoPlayer.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace qx {
namespace {

using testing::Pump;
using testing::RunningProgram;
using testing::TempCatalog;
namespace fs = std::filesystem;

// Runs the event loop until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QTest::qWait(20);
    }
    return true;
}

fs::path DemoVideo() {
    const fs::path folder = fs::path(QX_DEMO_DIR) / "VIDEO";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".AVI" || entry.path().extension() == ".avi")
            return entry.path();
    }
    return {};
}

struct VideoPages : ::testing::Test {
    void SetUp() override {
        testing::WriteCatalogPages(c);
        c.Write("VIDEO\\BROKEN.AVI", "RIFF\x10\x00\x00\x00"
                                     "AVI nothing to see here");
        const fs::path demo = DemoVideo();
        if (!demo.empty())
            fs::copy_file(demo, c.Dir() / "VIDEO" / "clip.avi");
    }
    // The area page's video entry, as dispatched with the application's callback.
    static VideoPage* Open(AreaPage* area, const std::string& file) {
        EXPECT_NE(area, nullptr);
        if (!area || !area->openVideo)
            return nullptr;
        area->openVideo(*area, file);
        Pump();
        return CurrentVideoPage();
    }
    ScopedScriptedUi ui;
    TempCatalog c;
};

TEST_F(VideoPages, PlaysPausesResumesEndsAndRestarts) {
    if (!fs::exists(c.Dir() / "VIDEO" / "clip.avi"))
        GTEST_SKIP() << "the demo catalogue has no video";
    RunningProgram p(c);
    AreaPage* area = p.Current<AreaPage>();
    VideoPage* page = Open(area, "clip.avi");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->VideoFile(), "CLIP.AVI");
    EXPECT_FALSE(area->isVisible());
    EXPECT_EQ(page->Playing(), 1);
    VideoPlayer* player = page->Player();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->parentWidget(), page);
    EXPECT_EQ(player->geometry(), QRect(16, 64, 455, 350));
    EXPECT_EQ(page->GetItemText(VideoPage::kPause), "Pause");

    if (!WaitFor([&] { return player->FramesShown() > 0 || !ui->shown.empty(); }, 5000)) {
        GTEST_SKIP() << "no frame within 5 s: no usable media back end on this machine";
    }
    if (!ui->shown.empty())
        GTEST_SKIP() << "the media back end can't play MJPEG AVI here: " << player->ErrorText();

    QTest::mouseClick(page->Item(VideoPage::kPause), Qt::LeftButton);
    EXPECT_EQ(player->CurrentState(), VideoPlayer::State::Paused);
    QTest::qWait(200);
    const int paused = player->FramesShown();
    QTest::qWait(400);
    EXPECT_LE(player->FramesShown(), paused + 1); // one frame may have been under way
    EXPECT_EQ(page->Playing(), 1);

    QTest::mouseClick(page->Item(VideoPage::kPlay), Qt::LeftButton);
    EXPECT_EQ(player->CurrentState(), VideoPlayer::State::Playing);
    ASSERT_TRUE(WaitFor([&] { return page->EndNotices() == 1; }, 15000))
        << "the end of the video was not reported";
    EXPECT_EQ(page->Playing(), 0);

    // After the end, Neustart plays it again.
    const int before = player->FramesShown();
    QTest::mouseClick(page->Item(VideoPage::kRestart), Qt::LeftButton);
    EXPECT_EQ(page->Playing(), 1);
    EXPECT_TRUE(WaitFor([&] { return player->FramesShown() > before + 2; }, 5000));

    // Leaving while it plays: the area page comes back, the video page and its player go.
    testing::PressKey(&p.Frame(), Qt::Key_Escape);
    Pump();
    EXPECT_EQ(CurrentVideoPage(), nullptr);
    EXPECT_TRUE(area->isVisible());
    EXPECT_TRUE(ui->shown.empty());
}

TEST_F(VideoPages, UnplayableVideosAreReportedAndThePageStillAnswers) {
    RunningProgram p(c);
    AreaPage* area = p.Current<AreaPage>();
    VideoPage* page = Open(area, "missing.avi");
    ASSERT_NE(page, nullptr);
    Pump();
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0], "Das Video kann nicht abgespielt werden:\nMISSING.AVI");
    EXPECT_EQ(page->Playing(), 0);
    EXPECT_FALSE(page->Player()->isVisible()); // an empty area, not a black box
    // The buttons do nothing, and only once is it said.
    for (int id : {VideoPage::kRestart, VideoPage::kPause, VideoPage::kPlay, VideoPage::kBack})
        page->SendCommand(id);
    Pump();
    EXPECT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(CurrentVideoPage(), nullptr);
    EXPECT_TRUE(area->isVisible());

    page = Open(area, "BROKEN.AVI");
    ASSERT_NE(page, nullptr);
    // The back end may take a moment to find out; a bounded wait either way.
    const bool reported = WaitFor([&] { return ui->Messages().size() == 2; }, 8000);
    EXPECT_TRUE(reported && page->Playing() == 0) << "a broken video gave no message";
    // A second video page replaces the first.
    VideoPage* second = Open(area, "missing.avi");
    Pump();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, page);
    EXPECT_EQ(testing::CountPages<VideoPage>(p.Frame().Client()), 1);
    second->SendCommand(VideoPage::kBack);
    Pump();
    EXPECT_TRUE(area->isVisible());
}

} // namespace
} // namespace qx
