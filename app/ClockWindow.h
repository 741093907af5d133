#pragma once

#include "clock/ClockTicker.h"
#include "options/ClockTextureBand.h"
#include "platform/x11/KeepAbove.h"

#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class AlarmSchedule;
class FirstStartHint;
class ClockSettingsFile;
class LiveSkin;
class OverlaySurface;
class QLabel;
class TrayMenu;
class WindowDrag;

// The clock window: a borderless window filled by the overlay surface, a view
// of the live skin and of the clock's settings. A one-second tick, aligned
// to the wall-clock second, has the ticker draw the clock and polls the
// alarms; a change of the skin redraws it at once. The window places itself
// where the settings say, moves and sizes by drag and keys, and hides to the
// tray through its menu.
class ClockWindow : public QWidget, public ClockTextureBand {
    Q_OBJECT

public:
    ClockWindow(LiveSkin& liveSkin, ClockSettingsFile& settings);
    ~ClockWindow() override;

    // The schedule the tick polls; the tray menu lists its snoozes.
    void setAlarmSchedule(AlarmSchedule* schedule);
    // Opens the options window, on its Alarms page when asked.
    void setOpenOptions(std::function<void(bool onAlarmsPage)> open) { m_openOptions = std::move(open); }
    // Saves the alarms and the settings; throws IoError.
    void setSaveSettings(std::function<void()> save) { m_saveSettings = std::move(save); }
    // Asked as the clock closes whether it may: mayAsk is false when no one
    // may be there to answer a question (the clock is hidden, or the session
    // ends the program). False keeps the clock open.
    void setMayClose(std::function<bool(bool mayAsk)> mayClose) { m_mayClose = std::move(mayClose); }
    // Runs once, the first time the clock is on screen and not hidden, after
    // the start's problems were shown.
    void setWhenFirstOnScreen(std::function<void()> run) { m_whenFirstOnScreen = std::move(run); }
    // What went wrong reading the settings and the skin at the start, shown
    // once the clock is first on screen.
    void setStartupProblems(QStringList problems) { m_startupProblems = std::move(problems); }

    BandBrush bandBrush() const override;
    void setBandBrush(const BandBrush& brush) override;
    int bandTransparency() const override;
    void setBandTransparency(int transparency) override;

    // One tick of the clock, as the timer runs it every second.
    void tick();

    // Brings the clock back on screen and to the front.
    void showUp();
    // Hides the clock to the tray (minimised where there is no tray).
    void hideToTray();
    void openOptions();
    // Closes the clock for a termination signal (a logout): always ends the
    // program, reporting a failed save only on the error output.
    void terminate();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Once, when the clock is first on screen: the problems of the start are
    // shown, then "-hide" on the command line hides the clock in the tray.
    void onFirstActivation();
    void runWhenFirstOnScreen();
    // At the first start, a hint beside the clock says how to use it, until
    // the user clicks it away or opens the options.
    void showFirstStartHint();
    void placeFirstStartHint();
    void retireFirstStartHint();
    // Redraws everything from the live skin: after the first tick, requests
    // a full refresh and runs the tick at once.
    void applySkin();
    void onSettingsChanged();
    void onKey(int key, bool onKeypad);
    // Starts the next tick at a wall-clock second at least atLeastMs away.
    void scheduleNextTick(int atLeastMs = 0);
    void fullRefresh(const QTime& now);
    void ordinaryTick(const QDateTime& now);
    void applyStacking();
    // Cuts the window to the skin's shape and size.
    void reshape();
    // Every move the program makes goes through here.
    void moveWindowTo(QPoint position);
    // The clock is at position: the keys start from it and it is saved.
    void rememberPosition(QPoint position);
    // Remembers where the window is on the screen, when the window system
    // tells and it is not where the clock thinks.
    void followWindow();
    // A drag has left the window at position: it snaps to the work area's
    // edges, and the position is the clock's.
    void onDropped(QPoint position);
    // Tells once that the clock cannot hide in a tray here.
    void reportNoTray(const QString& message);
    void applyTaskbarButton();

    LiveSkin& m_liveSkin;
    ClockSettingsFile& m_settings;
    AlarmSchedule* m_alarmSchedule = nullptr;
    std::function<void(bool)> m_openOptions;
    std::function<void()> m_saveSettings;
    std::function<bool(bool)> m_mayClose;
    std::function<void()> m_whenFirstOnScreen;
    QStringList m_startupProblems;

    QTimer* const m_timer;
    OverlaySurface* const m_surface;
    // Shown until the first tick.
    QLabel* const m_startupPicture;
    TrayMenu* const m_trayMenu;
    WindowDrag* const m_drag;
    ClockTicker m_ticker;
    bool m_refreshing = false;
    bool m_activated = false;
    bool m_terminating = false;
    // Where the clock is: where it last placed itself, the user dragged it
    // or the window manager put it. The keys start from it and it is saved.
    // A window manager keeping a growing window on screen is undone, and a
    // window system that reports no positions is not listened to.
    QPoint m_position;
    // Runs for a moment after the clock resized itself.
    QTimer m_resizeMoves;
    // Whether the user has been told that hiding keeps the taskbar button
    // because the desktop has no tray.
    bool m_noTrayReported = false;
    // Set when a size change waits for the minimised clock to be restored.
    bool m_reshapeWhenRestored = false;
    KeepAbove m_keepAbove { *this };
    FirstStartHint* m_hint = nullptr;
};
