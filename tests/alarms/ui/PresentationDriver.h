#pragma once

#include "alarms/ui/AlarmWindow.h"
#include "widgets/RequiredChild.h"

#include <QObject>
#include <QWidget>
#include <QString>

#include <functional>

// A picture (or text) alarm, with a sound when soundFile is given.
AlarmRecord PictureAlarm(const QString& name, const QString& visualFile, const QString& soundFile = QString(),
    int staysOn = 0);
AlarmRecord DocumentAlarm(const QString& name, const QString& docFile);

// A part of the alarm window, found by its object name: "Image1" the
// picture, "StaticText1" the text, "lblSnooze" and "lblError" the lines under
// them, "Timer1" the sound's second timer, "MediaPlayer1" the player.
template <typename Part>
Part* PartOf(const QWidget& window, const char* name)
{
    return &RequiredChild<Part>(window, name);
}

// Runs the presentation window's modal presentations from a test.
class PresentationDriver : public QObject {
    Q_OBJECT

public:
    explicit PresentationDriver(AlarmWindow& window) : m_window(window) {}

    // Runs ShowAlarm; whileShown runs once the window is on screen. Returns
    // false when the window was still up after a generous time (it is then
    // closed).
    bool Present(const AlarmRecord& r, const std::function<void()>& whileShown = {},
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
