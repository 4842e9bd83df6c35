#pragma once
// A catalogue video in a child window of a page, through Qt Multimedia: the
// operations a page needs (open at a rectangle, play from the start with a
// notice at the end, pause, resume, close). Frames are painted by the
// window itself, so the video also shows in grabs of the page.

#include "platform/core/Geometry.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>

class QMediaPlayer;
class QVideoFrame;
class QVideoSink;

namespace qx {

class VideoPlayer final : public QWidget {
public:
    enum class State { Closed, Playing, Paused, Stopped, Failed };

    // A black child window of parent over rect (parent's pixels), shown;
    // hidden while its file can't be played.
    VideoPlayer(QWidget* parent, const Rect& rect);
    ~VideoPlayer() override;

    // Opens a file (a local path); false and Failed when it does not exist.
    // Errors found later while playing are reported through onError.
    bool Open(const std::string& path);
    void PlayFromStart();
    void Pause();
    void Resume();
    // Stops and releases the file; the window stays.
    void Close();

    State CurrentState() const { return state_; }
    // Frames shown since opening.
    int FramesShown() const { return frames_; }
    const QImage& LastFrame() const { return frame_; }
    const std::string& ErrorText() const { return error_; }

    // Playback reached the end or was interrupted by an error.
    std::function<void()> onEnded;
    // A file that can't be played; the text is the back end's reason.
    std::function<void(const std::string&)> onError;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Fail(const QString& reason);
    void TakeFrame(const QVideoFrame& frame);

    QMediaPlayer* player_ = nullptr;
    QVideoSink* sink_ = nullptr;
    State state_ = State::Closed;
    QImage frame_;
    int frames_ = 0;
    std::string error_;
};

} // namespace qx
