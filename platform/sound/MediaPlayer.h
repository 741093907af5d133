#pragma once

#include <QObject>
#include <QString>

#include <memory>

class SoundDevice;

// Plays one sound file on the default audio output: open the file, play it,
// and hear back through Notify when the play has ended. Works without an
// audio server too; the play then still lasts as long as the sound.
//
// The player itself is a plugin (the vellamor_sound library beside the
// program, or in the lib folder next to the program's folder), loaded when
// the first sound is opened: until then no multimedia library is loaded and
// no audio server contacted.
class MediaPlayer : public QObject {
    Q_OBJECT

public:
    explicit MediaPlayer(QObject* parent = nullptr);
    ~MediaPlayer() override;

    QString FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }

    // Closes the file opened before, opens FileName and returns once the
    // player has read enough of it to play it. Throws SoundError when the
    // file is not a sound the player can play, or the player is missing.
    void Open();
    // Plays the open file from its current position, from the start again
    // when it stands at its end. Notify follows when the play has ended,
    // also when it failed (a file that did not open fails at once).
    void Play();
    // Ends a running play at once; a stopped play sends no Notify.
    void Stop();

    bool IsPlaying() const;
    // Waits until the running play is heard (its position moves) or has
    // ended, but no longer than maxMs; events go on meanwhile, user input
    // waits. A window that shows the sound's alarm then appears with it.
    void WaitUntilHeard(int maxMs);
    // Why the last play failed; empty when it ended normally.
    QString ErrorString() const { return m_errorString; }

signals:
    // A play has ended: it reached the end of the sound, or it failed
    // (ErrorString then says why). It comes from the event loop, never from
    // within the player's own notification, so a handler may play again.
    void Notify();

private:
    void PostEnd(const QString& error);
    void EndPlay(const QString& error);

    std::unique_ptr<SoundDevice> m_device;
    QString m_fileName;
    QString m_errorString;
    // Counts plays and stops, so that a queued end of an earlier play is
    // not taken for the end of the running one.
    unsigned m_playNumber = 0;
    bool m_playRunning = false;
};
