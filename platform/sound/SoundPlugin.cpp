// The sound plugin: plays sound files through Qt Multimedia. Built as a
// library of its own and loaded by MediaPlayer on first use.

#include "platform/sound/SoundDevice.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaPlayer>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

// Opening reads the file's header; a file that takes longer than this is
// given up as unplayable instead of holding the alarm.
constexpr int kOpenTimeoutMs = 10000;
// How often one play is tried again after ending unplayed.
constexpr int kMaxRestarts = 3;

bool HasSettled(QMediaPlayer::MediaStatus status)
{
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::InvalidMedia;
}

class MultimediaSoundDevice final : public QObject, public SoundDevice {
public:
    explicit MultimediaSoundDevice(EndHandler ended)
        : m_ended(std::move(ended))
        , m_audioOutput(new QAudioOutput(this))
    {
    }

    QString Open(const QString& absolutePath) override;
    void Play() override;
    void Stop() override;
    bool IsPlaying() const override;
    bool HasBegun() const override;

private:
    // A player that has played is not played again: Qt's GStreamer
    // pipeline, rewound at the end of its sound, loses the audio sink's clock
    // after a few plays and stays silent from then on. Every play but the
    // first after Open gets a player of its own.
    void NewPlayer();
    void PlayOnNewPlayer();
    // A new player now and then reports the end of a sound at once, without
    // having played any of it; the play is then tried on another player.
    bool EndedUnplayed() const;

    const EndHandler m_ended;
    QAudioOutput* const m_audioOutput;
    std::unique_ptr<QMediaPlayer> m_player;
    QUrl m_source;
    // The player has been asked to play once.
    bool m_played = false;
    int m_restarts = 0;
};

void MultimediaSoundDevice::NewPlayer()
{
    // The player it replaces may be the one whose signal is being handled.
    if (m_player) {
        m_player->disconnect(this);
        m_player.release()->deleteLater();
    }
    m_player = std::make_unique<QMediaPlayer>();
    m_player->setAudioOutput(m_audioOutput);
    connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status != QMediaPlayer::EndOfMedia)
            return;
        if (EndedUnplayed() && m_restarts < kMaxRestarts) {
            ++m_restarts;
            PlayOnNewPlayer();
        } else {
            m_ended(QString());
        }
    });
    // A file that breaks while playing reports an error but leaves the
    // player's state at "playing": the error ends the play.
    connect(m_player.get(), &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        m_ended(text);
    });
}

QString MultimediaSoundDevice::Open(const QString& absolutePath)
{
    m_source = QUrl::fromLocalFile(absolutePath);
    m_played = false;
    NewPlayer();

    QString firstError;
    QEventLoop loading;
    connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, &loading, [&loading](QMediaPlayer::MediaStatus status) {
        if (HasSettled(status))
            loading.quit();
    });
    connect(m_player.get(), &QMediaPlayer::errorOccurred, &loading, [&](QMediaPlayer::Error, const QString& text) {
        if (firstError.isEmpty())
            firstError = text;
        loading.quit();
    });
    QTimer::singleShot(kOpenTimeoutMs, &loading, &QEventLoop::quit);

    m_player->setSource(m_source);
    if (firstError.isEmpty() && !HasSettled(m_player->mediaStatus()))
        loading.exec(QEventLoop::ExcludeUserInputEvents);

    if (m_player->mediaStatus() == QMediaPlayer::LoadedMedia && firstError.isEmpty())
        return QString();
    if (!firstError.isEmpty())
        return firstError;
    return m_player->mediaStatus() == QMediaPlayer::InvalidMedia ? tr("The file holds no sound the player can play.")
                                                                 : tr("The file did not open in time.");
}

void MultimediaSoundDevice::Play()
{
    if (!m_player)
        return;
    m_restarts = 0;
    if (!m_played) {
        m_played = true;
        m_player->play();
        return;
    }
    PlayOnNewPlayer();
}

void MultimediaSoundDevice::PlayOnNewPlayer()
{
    NewPlayer();
    m_player->setSource(m_source);
    m_player->play();
}

bool MultimediaSoundDevice::EndedUnplayed() const
{
    return m_player->position() == 0 && m_player->duration() > 0;
}

void MultimediaSoundDevice::Stop()
{
    if (m_player)
        m_player->stop();
}

bool MultimediaSoundDevice::IsPlaying() const
{
    return m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
}

bool MultimediaSoundDevice::HasBegun() const
{
    return m_player && m_player->position() > 0;
}

} // namespace

class SoundPlugin : public QObject, public SoundDeviceFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VELLAMOR_SOUND_DEVICE_FACTORY_IID)
    Q_INTERFACES(SoundDeviceFactory)

public:
    SoundPlugin()
    {
        // Qt Multimedia's FFmpeg backend crashes on a machine without an
        // audio device; the GStreamer backend plays, and reports the end of
        // each play, with or without one. The choice must be made before the
        // first player exists.
#ifdef Q_OS_LINUX
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
#endif
    }

    std::unique_ptr<SoundDevice> CreateSoundDevice(SoundDevice::EndHandler ended) override
    {
        return std::make_unique<MultimediaSoundDevice>(std::move(ended));
    }
};

#include "SoundPlugin.moc"
