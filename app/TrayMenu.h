#pragma once

#include <QObject>

#include <vector>

class AlarmSchedule;
class QAction;
class QMenu;
class QWidget;
class TrayIcon;

// The clock's menu, which the tray icon opens: "Show" and "Hide" (one of the
// two checked: whether the clock is on screen), "Properties", a "Cancel
// snooze" item for each pending snooze (mCancelSnooze) and "Exit";
// and the tray icon itself, put into the tray once the clock is first
// shown. The menu items keep their object names (mShow, mHide,
// mProperties, mExit).
class TrayMenu : public QObject {
    Q_OBJECT

public:
    explicit TrayMenu(QWidget& clock);

    // Null until the clock is first shown.
    TrayIcon* trayIcon() const { return m_trayIcon; }
    void showTrayIcon();

    // Whether the clock is hidden ("Hide" checked) or on screen ("Show").
    bool clockHidden() const;
    void setClockHidden(bool hidden);

    // Lists the schedule's pending snoozes, each with its "Cancel snooze"
    // item, from now on.
    void followSnoozes(AlarmSchedule& schedule);

signals:
    // "Show", or a click or double click on the tray icon.
    void showRequested();
    void hideRequested();
    void propertiesRequested();
    void exitRequested();

private:
    void listSnoozes();

    QWidget& m_clock;
    AlarmSchedule* m_schedule = nullptr;
    QAction* m_beforeExit = nullptr; // the separator the snooze items go above
    std::vector<QAction*> m_snoozeItems;
    QMenu* const m_menu;
    QAction* const m_show;
    QAction* const m_hide;
    TrayIcon* m_trayIcon = nullptr;
};
