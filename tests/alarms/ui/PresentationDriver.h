#pragma once

#include "alarms/ui/AlarmWindow.h"

#include <QObject>
#include <QString>

#include <functional>

// A picture (or text) alarm, with a sound when soundFile is given.
TAlarmRec PictureAlarm(const QString& name, const QString& visualFile, const QString& soundFile = QString(),
    int staysOn = 0);
TAlarmRec DocumentAlarm(const QString& name, const QString& docFile);

// Runs the presentation window's modal presentations from a test.
class PresentationDriver : public QObject {
    Q_OBJECT

public:
    explicit PresentationDriver(AlarmWindow& window) : m_window(window) {}

    // Runs ShowAlarm; whileShown runs once the window is on screen. Returns
    // false when the window was still up after a generous time (it is then
    // closed).
    bool Present(const TAlarmRec& r, const std::function<void()>& whileShown = {},
        AlarmWindow::Snoozing snoozing = AlarmWindow::Snoozing::NotOffered);
    // The minutes the last presentation was snoozed for; 0 when dismissed.
    int SnoozedMinutes() const { return m_snoozedMinutes; }
    // Whether the last presentation brought the window on screen.
    bool WasShown() const { return m_shown; }

private:
    AlarmWindow& m_window;
    bool m_shown = false;
    int m_snoozedMinutes = 0;
};
