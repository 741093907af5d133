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
    , m_audioOutput(NewAudioOutput(this))
    , m_player(new QMediaPlayer(this))
{
    m_player->setAudioOutput(m_audioOutput);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia)
            EndPlay(QString());
    });
    // A file that breaks while playing reports an error but leaves the
    // player's state at "playing": the error ends the play.
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        EndPlay(tr("Cannot play the sound file \"%1\": %2").arg(m_fileName, text));
    });
}

MediaPlayer::~MediaPlayer() = default;

void MediaPlayer::Open()
{
    Stop();
    // Clearing the source first closes the file opened before, so that
    // opening the same file again reads it afresh.
    m_player->setSource(QUrl());

    QString firstError;
    QEventLoop loading;
    connect(m_player, &QMediaPlayer::mediaStatusChanged, &loading, [&loading](QMediaPlayer::MediaStatus status) {
        if (HasSettled(status))
            loading.quit();
    });
    connect(m_player, &QMediaPlayer::errorOccurred, &loading, [&](QMediaPlayer::Error, const QString& text) {
        if (firstError.isEmpty())
            firstError = text;
        loading.quit();
    });
    QTimer::singleShot(kOpenTimeoutMs, &loading, &QEventLoop::quit);

    m_player->setSource(QUrl::fromLocalFile(QFileInfo(m_fileName).absoluteFilePath()));
    if (firstError.isEmpty() && !HasSettled(m_player->mediaStatus()))
        loading.exec(QEventLoop::ExcludeUserInputEvents);

    if (m_player->mediaStatus() == QMediaPlayer::LoadedMedia && firstError.isEmpty())
        return;
    QString reason = firstError;
    if (reason.isEmpty())
        reason = m_player->mediaStatus() == QMediaPlayer::InvalidMedia ? tr("The file holds no sound the player can play.")
                                                                      : tr("The file did not open in time.");
    throw SoundError(tr("Cannot open the sound file \"%1\": %2").arg(m_fileName, reason));
}

void MediaPlayer::Play()
{
    m_errorString.clear();
    m_playRunning = true;
    m_player->play();
}

void MediaPlayer::Stop()
{
    m_playRunning = false;
    m_player->stop();
}

bool MediaPlayer::IsPlaying() const
{
    return m_player->playbackState() == QMediaPlayer::PlayingState;
}

void MediaPlayer::EndPlay(const QString& errorString)
{
    if (!m_playRunning)
        return;
    m_playRunning = false;
    m_errorString = errorString;
    if (!errorString.isEmpty())
        m_player->stop();
    emit Notify();
}
