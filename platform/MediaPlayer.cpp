#include "platform/MediaPlayer.h"

#include "platform/SoundError.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace {

// Opening reads the file's header; a file that takes longer than this is
// given up as unplayable instead of holding the alarm.
constexpr int kOpenTimeoutMs = 10000;

// Qt Multimedia's FFmpeg backend crashes on a machine without an audio
// device; the GStreamer backend plays, and reports the end of each play, with
// or without one. The choice must be made before the first player exists.
QAudioOutput* NewAudioOutput(QObject* parent)
{
#ifdef Q_OS_LINUX
    qputenv("QT_MEDIA_BACKEND", "gstreamer");
#endif
    return new QAudioOutput(parent);
}

bool HasSettled(QMediaPlayer::MediaStatus status)
{
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::InvalidMedia;
}

} // namespace

MediaPlayer::MediaPlayer(QObject* parent)
    : QObject(parent)
    , FAudioOutput(NewAudioOutput(this))
    , FPlayer(new QMediaPlayer(this))
{
    FPlayer->setAudioOutput(FAudioOutput);
    connect(FPlayer, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia)
            EndPlay(QString());
    });
    // A file that breaks while playing reports an error but leaves the
    // player's state at "playing": the error ends the play.
    connect(FPlayer, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        EndPlay(tr("Cannot play the sound file \"%1\": %2").arg(FFileName, text));
    });
}

MediaPlayer::~MediaPlayer() = default;

void MediaPlayer::Open()
{
    Stop();
    // Clearing the source first closes the file opened before, so that
    // opening the same file again reads it afresh.
    FPlayer->setSource(QUrl());

    QString firstError;
    QEventLoop loading;
    connect(FPlayer, &QMediaPlayer::mediaStatusChanged, &loading, [&loading](QMediaPlayer::MediaStatus status) {
        if (HasSettled(status))
            loading.quit();
    });
    connect(FPlayer, &QMediaPlayer::errorOccurred, &loading, [&](QMediaPlayer::Error, const QString& text) {
        if (firstError.isEmpty())
            firstError = text;
        loading.quit();
    });
    QTimer::singleShot(kOpenTimeoutMs, &loading, &QEventLoop::quit);

    FPlayer->setSource(QUrl::fromLocalFile(QFileInfo(FFileName).absoluteFilePath()));
    if (firstError.isEmpty() && !HasSettled(FPlayer->mediaStatus()))
        loading.exec(QEventLoop::ExcludeUserInputEvents);

    if (FPlayer->mediaStatus() == QMediaPlayer::LoadedMedia && firstError.isEmpty())
        return;
    QString reason = firstError;
    if (reason.isEmpty())
        reason = FPlayer->mediaStatus() == QMediaPlayer::InvalidMedia ? tr("The file holds no sound the player can play.")
                                                                      : tr("The file did not open in time.");
    throw SoundError(tr("Cannot open the sound file \"%1\": %2").arg(FFileName, reason));
}

void MediaPlayer::Play()
{
    FErrorString.clear();
    FPlayRunning = true;
    FPlayer->play();
}

void MediaPlayer::Stop()
{
    FPlayRunning = false;
    FPlayer->stop();
}

bool MediaPlayer::IsPlaying() const
{
    return FPlayer->playbackState() == QMediaPlayer::PlayingState;
}

void MediaPlayer::EndPlay(const QString& errorString)
{
    if (!FPlayRunning)
        return;
    FPlayRunning = false;
    FErrorString = errorString;
    if (!errorString.isEmpty())
        FPlayer->stop();
    emit Notify();
}
