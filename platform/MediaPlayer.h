#pragma once

#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;

// Plays one sound file on the default audio output: open the file, play it,
// and hear back through Notify when the play has ended. Works without an
// audio server too; the play then still lasts as long as the sound.
class MediaPlayer : public QObject {
    Q_OBJECT

public:
    explicit MediaPlayer(QObject* parent = nullptr);
    ~MediaPlayer() override;

    QString FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }

    // Closes the file opened before, opens FileName and returns once the
    // player has read enough of it to play it. Throws SoundError when the
    // file is not a sound the player can play.
    void Open();
    // Plays the open file from its current position, from the start again
    // when it stands at its end. Notify follows when the play has ended,
    // also when it failed (a file that did not open fails at once).
    void Play();
    // Ends a running play at once; a stopped play sends no Notify.
    void Stop();

    bool IsPlaying() const;
    // Why the last play failed; empty when it ended normally.
    QString ErrorString() const { return m_errorString; }

signals:
    // A play has ended: it reached the end of the sound, or it failed
    // (ErrorString then says why).
    void Notify();

private:
    void EndPlay(const QString& errorString);

    QAudioOutput* const m_audioOutput;
    QMediaPlayer* const m_player;
    QString m_fileName;
    QString m_errorString;
    bool m_playRunning = false;
};
