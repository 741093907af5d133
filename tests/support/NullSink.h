#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>

#include "tests/support/TempFolder.h"

// A private PulseAudio server whose only output, and so the default one, is
// a null sink, and a recording of what reaches that sink. Starting it points
// this process's audio at it (PULSE_SERVER), so it must start before the
// first sound is played. Moments are milliseconds on one clock, Now(), that
// starts with the server.
class NullSink : public QObject {
    Q_OBJECT

public:
    // Starts the server; a test cannot go on without it.
    NullSink();
    ~NullSink() override;

    qint64 Now() const { return m_clock.elapsed(); }

    // Records the sink's monitor while the event loop runs.
    void StartRecording();
    void StopRecording();

    // Whether something was heard in the window of windowMs that begins at
    // the moment.
    bool HeardAt(qint64 moment, int windowMs) const;
    // The first moment at or after from with sound in a window of windowMs,
    // or -1.
    qint64 FirstSound(qint64 from, int windowMs) const;
    // The longest run of silent windows of windowMs between from and to, in
    // milliseconds.
    qint64 LongestSilence(qint64 from, qint64 to, int windowMs) const;

private:
    void ReadSamples();
    // The samples' RMS in a window, 0 where nothing was recorded.
    double Rms(qint64 moment, int windowMs) const;

    TempFolder m_folder;
    QProcess m_server;
    QProcess m_recorder;
    QElapsedTimer m_clock;
    QByteArray m_samples; // 16-bit little-endian, mono
    // The moment the first sample was recorded: the latest that the arrival
    // of every read allows.
    qint64 m_recordingStart = 0;
};
