#pragma once
// A catalogue video laid over the area page: Neustart, Pause and Play, and
// Zurück, which shows the area page again. Only one video page exists at a
// time.

#include "ground/FixedText.h"
#include "platform/qt/Window.h"
#include "shell/AppContext.h"
#include "shell/PictureButton.h"

#include <QPointer>

#include <cstdint>
#include <string>

namespace qx {

class VideoPlayer;

class VideoPage : public DialogWindow {
public:
    static constexpr int kRestart = 1010;
    static constexpr int kPause = 1011;
    static constexpr int kPlay = 1012;
    static constexpr int kBack = 2;

    // videoFile: a name below programDir + "VIDEO\".
    VideoPage(AppContext& app, QWidget* parent, DialogWindow* returnPage, const std::string& videoFile);
    ~VideoPage() override;

    // 1 after playback was started, 0 once it ended or was interrupted.
    std::int32_t Playing() const { return playing_; }
    // Times the end of the video was reported.
    int EndNotices() const { return endNotices_; }
    VideoPlayer* Player() const { return player_; }
    const std::string& VideoFile() const { return videoFile_.str(); }

    void Restart();
    void Pause();
    void Resume();
    // Shows the page to return to and destroys this one; the video stops.
    void Close();

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override {}
    void OnCancel() override { Close(); }
    void OnDrawItem(DrawItem& item) override { buttons_.DrawItemInto(item); }
    void OnMessage(int message, std::intptr_t, std::intptr_t) override;
    void OnDestroy() override;

private:
    void SetCaptions();
    void StartVideo();
    void ReportUnplayable();

    AppContext& app_;
    CPictureButton buttons_;
    QPointer<DialogWindow> returnPage_;
    FixedText<260> videoFile_;
    VideoPlayer* player_ = nullptr;
    std::int32_t playing_ = 0;
    int endNotices_ = 0;
    bool reported_ = false;
};

// Closes a video page that is still open, then creates the new one over
// the client area, shows it and starts the video. The caller has hidden
// returnPage.
VideoPage* OpenVideoPage(AppContext& app, QWidget* parent, DialogWindow* returnPage,
                         const std::string& videoFile);

// The video page that is open, or null.
VideoPage* CurrentVideoPage();

} // namespace qx
