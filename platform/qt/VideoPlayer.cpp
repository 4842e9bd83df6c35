#include "VideoPlayer.h"

#include <QFileInfo>
#include <QMediaPlayer>
#include <QPainter>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

namespace qx {

VideoPlayer::VideoPlayer(QWidget* parent, const Rect& r) : QWidget(parent) {
    setGeometry(r.left, r.top, r.Width(), r.Height());
    setAttribute(Qt::WA_OpaquePaintEvent);
    show();
}

VideoPlayer::~VideoPlayer() {
    Close();
}

bool VideoPlayer::Open(const std::string& path) {
    Close();
    error_.clear();
    frames_ = 0;
    frame_ = QImage();
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) {
        Fail(QStringLiteral("file not found"));
        return false;
    }
    player_ = new QMediaPlayer(this);
    sink_ = new QVideoSink(this);
    player_->setVideoSink(sink_);
    connect(sink_, &QVideoSink::videoFrameChanged, this, &VideoPlayer::TakeFrame);
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString& text) {
                if (error != QMediaPlayer::NoError)
                    Fail(text.isEmpty() ? QStringLiteral("the video can't be played") : text);
            });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia)
            Fail(QStringLiteral("the video can't be played"));
        else if (status == QMediaPlayer::EndOfMedia && state_ == State::Playing) {
            state_ = State::Stopped;
            if (onEnded)
                onEnded();
        }
    });
    player_->setSource(QUrl::fromLocalFile(file));
    state_ = State::Stopped;
    show();
    return true;
}

void VideoPlayer::PlayFromStart() {
    if (!player_ || state_ == State::Failed)
        return;
    player_->setPosition(0);
    player_->play();
    state_ = State::Playing;
}

void VideoPlayer::Pause() {
    if (!player_ || state_ != State::Playing)
        return;
    player_->pause();
    state_ = State::Paused;
}

void VideoPlayer::Resume() {
    if (!player_ || state_ != State::Paused)
        return;
    player_->play();
    state_ = State::Playing;
}

void VideoPlayer::Close() {
    if (!player_)
        return;
    // No notices from a player that is going away.
    player_->disconnect(this);
    sink_->disconnect(this);
    player_->stop();
    delete player_;
    delete sink_;
    player_ = nullptr;
    sink_ = nullptr;
    if (state_ != State::Failed)
        state_ = State::Closed;
}

void VideoPlayer::Fail(const QString& reason) {
    if (state_ == State::Failed)
        return;
    const bool wasPlaying = state_ == State::Playing;
    state_ = State::Failed;
    error_ = reason.toStdString();
    hide(); // the area stays empty: no black box where nothing will play
    if (player_)
        player_->stop();
    if (onError)
        onError(error_);
    if (wasPlaying && onEnded)
        onEnded();
}

void VideoPlayer::TakeFrame(const QVideoFrame& frame) {
    if (!frame.isValid())
        return;
    const QImage image = frame.toImage();
    if (image.isNull())
        return;
    frame_ = image;
    ++frames_;
    update();
}

void VideoPlayer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!frame_.isNull())
        painter.drawImage(rect(), frame_);
}

} // namespace qx
