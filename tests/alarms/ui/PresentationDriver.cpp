#include "tests/alarms/ui/PresentationDriver.h"

#include <QTimer>

namespace {

constexpr int kPollMs = 5;
constexpr int kWatchdogMs = 30000;

} // namespace

AlarmRecord PictureAlarm(const QString& name, const QString& visualFile, const QString& soundFile, int staysOn)
{
    AlarmRecord r {};
    r.Enabled = true;
    r.AudioPic = true;
    r.Name.setText(name);
    r.VisualFile.setText(visualFile);
    r.Sound = !soundFile.isEmpty();
    r.SoundFile.setText(soundFile);
    r.StaysOn = staysOn;
    return r;
}

AlarmRecord DocumentAlarm(const QString& name, const QString& docFile)
{
    AlarmRecord r {};
    r.Enabled = true;
    r.AudioPic = false;
    r.Name.setText(name);
    r.DocFile.setText(docFile);
    return r;
}

bool PresentationDriver::Present(const AlarmRecord& r, const std::function<void()>& whileShown, AlarmWindow::Snoozing snoozing)
{
    m_shown = false;
    QTimer poll;
    poll.setInterval(kPollMs);
    connect(&poll, &QTimer::timeout, this, [&] {
        if (m_shown || !m_window.isVisible())
            return;
        m_shown = true;
        if (whileShown)
            whileShown();
    });
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [&] {
        timedOut = true;
        m_window.close();
    });
    poll.start();
    watchdog.start(kWatchdogMs);
    m_snoozedMinutes = m_window.present(r, snoozing);
    return !timedOut;
}
