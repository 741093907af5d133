#include "platform/sound/MediaPlayer.h"

#include "platform/sound/SoundDevice.h"
#include "platform/sound/SoundError.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPluginLoader>
#include <QTimer>

namespace {

const QString kSoundPluginName = QStringLiteral("vellamor_sound");
// How often WaitUntilHeard looks at the play.
constexpr int kHeardCheckMs = 2;

// Beside the program, then in the lib folder beside the program's folder
// (the layout of a build: bin/, lib/), then in the program's own folder of
// an installation (lib/<multiarch>/vellamor).
QStringList SoundPluginFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return { programFolder, QDir::cleanPath(programFolder + QStringLiteral("/../lib")),
        QDir::cleanPath(programFolder + QStringLiteral("/" VELLAMOR_PLUGINS_FROM_EXECUTABLE)) };
}

// Loads the sound plugin once; it stays loaded for the rest of the run.
// Returns null, and why, when it cannot be found or loaded.
SoundDeviceFactory* SoundPlugin(QString& failure)
{
    static SoundDeviceFactory* factory = nullptr;
    if (factory)
        return factory;
    failure = QCoreApplication::translate("MediaPlayer", "The sound player %1 was not found in %2.")
                  .arg(kSoundPluginName, SoundPluginFolders().join(QStringLiteral(" or ")));
    for (const QString& folder : SoundPluginFolders()) {
        QPluginLoader loader(QDir(folder).filePath(kSoundPluginName));
        if (loader.load() && (factory = qobject_cast<SoundDeviceFactory*>(loader.instance())))
            return factory;
        // A plugin that is there but does not load says why.
        if (QFileInfo::exists(loader.fileName()))
            failure = loader.errorString();
    }
    return nullptr;
}

} // namespace

MediaPlayer::MediaPlayer(QObject* parent)
    : QObject(parent)
{
}

MediaPlayer::~MediaPlayer() = default;

void MediaPlayer::Open()
{
    Stop();
    QString reason;
    if (!m_device) {
        if (SoundDeviceFactory* plugin = SoundPlugin(reason))
            m_device = plugin->CreateSoundDevice([this](const QString& error) { PostEnd(error); });
    }
    if (m_device)
        reason = m_device->Open(QFileInfo(m_fileName).absoluteFilePath());
    if (!reason.isEmpty())
        throw SoundError(tr("Cannot open the sound file \"%1\": %2").arg(m_fileName, reason));
}

void MediaPlayer::Play()
{
    ++m_playNumber;
    m_errorString.clear();
    m_playRunning = true;
    if (m_device)
        m_device->Play();
    else
        PostEnd(tr("No sound player is loaded."));
}

void MediaPlayer::Stop()
{
    ++m_playNumber;
    m_playRunning = false;
    if (m_device)
        m_device->Stop();
}

bool MediaPlayer::IsPlaying() const
{
    return m_device && m_device->IsPlaying();
}

void MediaPlayer::WaitUntilHeard(int maxMs)
{
    const auto heardOrOver = [this] { return !m_playRunning || !m_device || m_device->HasBegun(); };
    if (heardOrOver())
        return;
    QEventLoop waiting;
    QTimer check;
    connect(&check, &QTimer::timeout, &waiting, [&] {
        if (heardOrOver())
            waiting.quit();
    });
    QTimer::singleShot(maxMs, &waiting, &QEventLoop::quit);
    check.start(kHeardCheckMs);
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
}

void MediaPlayer::PostEnd(const QString& error)
{
    const unsigned playNumber = m_playNumber;
    QMetaObject::invokeMethod(
        this,
        [this, playNumber, error] {
            if (playNumber == m_playNumber)
                EndPlay(error);
        },
        Qt::QueuedConnection);
}

void MediaPlayer::EndPlay(const QString& error)
{
    if (!m_playRunning)
        return;
    m_playRunning = false;
    if (!error.isEmpty()) {
        m_errorString = tr("Cannot play the sound file \"%1\": %2").arg(m_fileName, error);
        m_device->Stop();
    }
    emit Notify();
}
