#include "tests/support/NullSink.h"

#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString kSinkName = QStringLiteral("vellamor_test_sink");
constexpr int kSampleRate = 8000;
constexpr int kBytesPerSample = 2;
// The recording's own buffering; small, so that a read arrives when its
// samples were played.
constexpr int kRecordLatencyMs = 20;
// A window is heard above 1 % of full scale.
constexpr double kHeardRms = 328.0;
constexpr int kStartTimeoutMs = 10000;

bool RunPactl(const QStringList& arguments)
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), arguments);
    return pactl.waitForFinished(kStartTimeoutMs) && pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
}

} // namespace

NullSink::NullSink()
{
    m_clock.start();
    const QString runtime = m_folder.file(QStringLiteral("runtime"));
    const QString socket = m_folder.file(QStringLiteral("native"));
    m_folder.write(QStringLiteral("runtime/.keep"), QByteArray());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_folder.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), runtime);
    environment.insert(QStringLiteral("PULSE_COOKIE"), m_folder.file(QStringLiteral("cookie")));
    m_server.setProcessEnvironment(environment);
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.start(QStringLiteral("pulseaudio"),
        { QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
            QStringLiteral("--log-level=error"), QStringLiteral("-n"),
            QStringLiteral("-Lmodule-native-protocol-unix auth-anonymous=1 socket=%1").arg(socket),
            QStringLiteral("-Lmodule-null-sink sink_name=%1").arg(kSinkName) });
    if (!m_server.waitForStarted(kStartTimeoutMs))
        qFatal("pulseaudio did not start: %s", qPrintable(m_server.errorString()));

    qputenv("PULSE_SERVER", QStringLiteral("unix:%1").arg(socket).toUtf8());
    qputenv("PULSE_COOKIE", environment.value(QStringLiteral("PULSE_COOKIE")).toUtf8());
    QElapsedTimer waiting;
    waiting.start();
    while (!RunPactl({ QStringLiteral("set-default-sink"), kSinkName })) {
        if (waiting.hasExpired(kStartTimeoutMs) || m_server.state() != QProcess::Running)
            qFatal("the private PulseAudio server does not answer");
        QThread::msleep(50);
    }
}

NullSink::~NullSink()
{
    StopRecording();
    m_server.terminate();
    if (!m_server.waitForFinished(kStartTimeoutMs))
        m_server.kill();
    m_server.waitForFinished();
    qunsetenv("PULSE_SERVER");
}

void NullSink::StartRecording()
{
    m_samples.clear();
    m_recordingStart = std::numeric_limits<qint64>::max();
    connect(&m_recorder, &QProcess::readyReadStandardOutput, this, &NullSink::ReadSamples, Qt::UniqueConnection);
    m_recorder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_recorder.start(QStringLiteral("parec"),
        { QStringLiteral("--device=%1.monitor").arg(kSinkName), QStringLiteral("--format=s16le"),
            QStringLiteral("--rate=%1").arg(kSampleRate), QStringLiteral("--channels=1"),
            QStringLiteral("--latency-msec=%1").arg(kRecordLatencyMs), QStringLiteral("--raw") });
    if (!m_recorder.waitForStarted(kStartTimeoutMs))
        qFatal("parec did not start: %s", qPrintable(m_recorder.errorString()));
    // Recording has begun once the first samples are in.
    while (m_samples.isEmpty() && m_recorder.waitForReadyRead(kStartTimeoutMs))
        ReadSamples();
}

void NullSink::StopRecording()
{
    if (m_recorder.state() == QProcess::NotRunning)
        return;
    ReadSamples();
    m_recorder.terminate();
    m_recorder.waitForFinished();
}

void NullSink::ReadSamples()
{
    m_samples += m_recorder.readAllStandardOutput();
    const qint64 recordedMs = m_samples.size() / kBytesPerSample * 1000 / kSampleRate;
    m_recordingStart = std::min(m_recordingStart, Now() - recordedMs);
}

double NullSink::Rms(qint64 moment, int windowMs) const
{
    const qint64 first = (moment - m_recordingStart) * kSampleRate / 1000;
    const qint64 count = qint64(windowMs) * kSampleRate / 1000;
    const qint64 recorded = m_samples.size() / kBytesPerSample;
    if (first < 0 || first + count > recorded)
        return 0;
    const auto* bytes = reinterpret_cast<const uchar*>(m_samples.constData());
    double sumOfSquares = 0;
    for (qint64 i = first; i < first + count; ++i) {
        const double sample = qFromLittleEndian<qint16>(bytes + i * kBytesPerSample);
        sumOfSquares += sample * sample;
    }
    return std::sqrt(sumOfSquares / double(count));
}

bool NullSink::HeardAt(qint64 moment, int windowMs) const
{
    return Rms(moment, windowMs) > kHeardRms;
}

qint64 NullSink::FirstSound(qint64 from, int windowMs) const
{
    const qint64 end = m_recordingStart + m_samples.size() / kBytesPerSample * 1000 / kSampleRate;
    for (qint64 moment = from; moment + windowMs <= end; moment += windowMs)
        if (HeardAt(moment, windowMs))
            return moment;
    return -1;
}

qint64 NullSink::LongestSilence(qint64 from, qint64 to, int windowMs) const
{
    qint64 longest = 0;
    qint64 silence = 0;
    for (qint64 moment = from; moment + windowMs <= to; moment += windowMs) {
        silence = HeardAt(moment, windowMs) ? 0 : silence + windowMs;
        longest = std::max(longest, silence);
    }
    return longest;
}
