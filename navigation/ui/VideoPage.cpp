#include "VideoPage.h"

#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "ground/LangText.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"
#include "platform/qt/VideoPlayer.h"
#include "shell/Fonts.h"
#include "shell/MainFrameApi.h"
#include "shell/Texts.h"

#include <algorithm>
#include <cctype>

namespace qx {

namespace {

constexpr LangText kRestartCaption{{"Neustart", "Restart", "Redémarrer", "Restart"}};
// English says "Stop" for what pauses.
constexpr LangText kPauseCaption{{"Pause", "Stop", "Pause", "Pausa"}};
constexpr LangText kPlayCaption{{"Play", "Play", "Play", "Spustit"}};
constexpr LangText kBackCaption{{"Zurück", "Back", "Retour", "Zpět"}};

constexpr LangText kUnplayable{{"Das Video kann nicht abgespielt werden:\n", "The video cannot be played:\n",
                                "La vidéo ne peut pas être lue :\n", "Video nelze přehrát:\n"}};

// Posted to the page when the back end reports a video it can't play.
constexpr int UM_VIDEO_ERROR = 101;

QPointer<VideoPage> g_current;

} // namespace

VideoPage* CurrentVideoPage() {
    return g_current.data();
}

VideoPage::VideoPage(AppContext& app, QWidget* parent, DialogWindow* returnPage, const std::string& videoFile)
    : DialogWindow(parent, Kind::Page), app_(app), buttons_(app.pictures), returnPage_(returnPage) {
    std::string upper = videoFile;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    videoFile_ = upper;
    g_current = this;
}

VideoPage::~VideoPage() = default;

void VideoPage::OnInitDialog() {
    const GlobalState& s = app_.state;
    playing_ = 0;
    const ControlKind button = ControlKind::OwnerDrawButton;
    AddControls({
        {kRestart, button, ScaleRect(s, 544, 312, 614, 335)},
        {kPause, button, ScaleRect(s, 544, 338, 614, 361)},
        {kPlay, button, ScaleRect(s, 544, 364, 614, 387)},
        {kBack, button, ScaleRect(s, 544, 390, 614, 413)},
    });
    SetAllControlsFont(FontBold16);
    SetCaptions();
    SetCaption(videoFile_.str()); // nothing else names what is shown
    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    StartVideo();
}

void VideoPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetItemText(kRestart, kRestartCaption.Text(lang));
    SetItemText(kPause, kPauseCaption.Text(lang));
    SetItemText(kPlay, kPlayCaption.Text(lang));
    SetItemText(kBack, kBackCaption.Text(lang));
}

void VideoPage::StartVideo() {
    const GlobalState& s = app_.state;
    // The window's place and size in the page: 455 x 350 design units at (16, 64).
    const int x = ScaleX(s, 16);
    const int y = ScaleY(s, 64);
    player_ = new VideoPlayer(this, Rect{x, y, x + ScaleX(s, 455), y + ScaleY(s, 350)});
    player_->onEnded = [this] {
        playing_ = 0;
        ++endNotices_;
    };
    // Reported after the handler returns: a message box must not run inside the back end's signal.
    player_->onError = [this](const std::string&) { PostMessageTo(this, UM_VIDEO_ERROR); };
    const std::string path = ResolvePath(s.programDir.str() + "VIDEO\\" + videoFile_.str()).string();
    if (!player_->Open(path)) {
        PostMessageTo(this, UM_VIDEO_ERROR);
        return;
    }
    player_->PlayFromStart();
    playing_ = 1;
}

void VideoPage::ReportUnplayable() {
    if (reported_ || IsDestroyed() || !player_)
        return;
    reported_ = true;
    playing_ = 0;
    const int lang = app_.state.languageIndex;
    TheUi().MessageBox(std::string(kUnplayable.Text(lang)) + videoFile_.str(), texts::kAppTitle.Text(lang),
                       MB_OK | MB_ICONEXCLAMATION);
}

void VideoPage::Restart() {
    if (!player_)
        return;
    player_->PlayFromStart();
    if (player_->CurrentState() == VideoPlayer::State::Playing)
        playing_ = 1;
}

void VideoPage::Pause() {
    if (player_)
        player_->Pause();
}

void VideoPage::Resume() {
    if (player_)
        player_->Resume();
}

void VideoPage::OnCommand(int id, int) {
    switch (id) {
    case kRestart:
        Restart();
        break;
    case kPause:
        Pause();
        break;
    case kPlay:
        Resume();
        break;
    case kBack:
        Close();
        break;
    default:
        break;
    }
}

void VideoPage::Close() { ReturnTo(returnPage_); }

void VideoPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    DrawDib(dc, app_.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    UseDesignMapping(dc, s.designRect, s.clientRect);
    dc.SelectFont(FontTitle);
    dc.SetBkMode(BkMode::Transparent);
}

void VideoPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message == UM_RELOAD) {
        SetCaptions();
        Invalidate();
    } else if (message == UM_VIDEO_ERROR) {
        ReportUnplayable();
    }
}

void VideoPage::OnDestroy() {
    if (player_) {
        player_->Close();
        delete player_;
        player_ = nullptr;
    }
    playing_ = 0;
    if (g_current == this)
        g_current = nullptr;
}

VideoPage* OpenVideoPage(AppContext& app, QWidget* parent, DialogWindow* returnPage,
                         const std::string& videoFile) {
    if (VideoPage* old = CurrentVideoPage())
        old->Close();
    auto* page = new VideoPage(app, parent, returnPage, videoFile);
    page->ShowPage(true);
    page->UpdateNow();
    return page;
}

} // namespace qx
