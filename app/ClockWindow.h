#pragma once

#include "clock/ClockTick.h"
#include "clock/FaceRenderer.h"
#include "options/ClockCommands.h"
#include "options/ClockView.h"

#include <QDateTime>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

class AlarmSchedule;
class ClockOptions;
class QAction;
class QLabel;
class QMenu;
class ProfileFile;
class SingleInstanceGuard;
class OverlaySurface;
class TrayIcon;
class WindowDrag;

// The clock window: a borderless window filled by the overlay surface, with
// the tray menu, the settings file and the one-second tick that drives the
// clock. It reads the options window's settings through ClockOptions, and
// the options window drives it through ClockCommands.
class ClockWindow : public QWidget, public ClockCommands, public ClockView {
    Q_OBJECT

public:
    ClockWindow();
    ~ClockWindow() override;

    // The options window and the alarm schedule come after the clock window
    // and are linked here. Until the options window is linked a tick does
    // nothing; until the schedule is, no alarm is polled.
    void setOptionsWindow(ClockOptions* options) { FOptions = options; }
    void setAlarmSchedule(AlarmSchedule* schedule) { FAlarmSchedule = schedule; }

    // Redraws everything from Skin: requests a full refresh and runs the tick
    // at once. Before the first tick it does nothing; the first tick draws.
    void ApplySkin() override;
    // Writes the alarm store through the options window, then the settings
    // file; throws IoError when either cannot be written.
    void SaveSettings() override;
    void CloseClock() override;

    // The texture band as the surface shows it; a change shows at once.
    BandBrush bandBrush() const override;
    void setBandBrush(const BandBrush& brush) override;
    int bandTransparency() const override;
    void setBandTransparency(int transparency) override;
    // The 12- or 24-hour format, as the options choose.
    QString ReadoutFormat() const override;

    // Closes the clock for a termination signal (a logout): always ends the
    // program, reporting a failed save only on the error output.
    void Terminate();

    void ShowUp();
    void mHideClick();
    void mPropertiesClick();
    void mExitClick();

    // ClockTick::kBeforeFirstTick until the first full refresh;
    // FormActivate reads the settings only before.
    int Tag = ClockTick::kBeforeFirstTick;

    QTimer* const Timer1;
    OverlaySurface* const Chart1;
    QLabel* const Image1;
    QMenu* const PopupMenu1;
    QAction* const mShow;
    QAction* const mHide;
    QAction* const mProperties;
    QAction* const mExit;
    TrayIcon* Tray = nullptr;
    // The single-instance guard; main runs its check before any other
    // window exists, and a later start brings this window to the front.
    SingleInstanceGuard* const OnlyOne1;

    // Readout formats for the 12-hour and the 24-hour choice.
    QString AmPmFormat;
    QString H24Format;

    void Timer1Timer();

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
    void FormShow();
    // Reads the settings file, once, in these steps.
    void FormActivate();
    // What went wrong reading the skin, or nothing.
    QString LoadSkinFromSettings();
    void ReadPosition();
    void ReadReadoutFormat();
    void ReadClockSize();
    // "-hide" on the command line hides the clock in the tray.
    void ApplyStartSwitches();
    void Chart1KeyPress(QChar key);
    void FormKeyDown(int key, bool onKeypad);
    // Starts the next tick at a wall-clock second at least atLeastMs away.
    void ArmTimer1(int atLeastMs = 0);
    void FullRefresh(int hour12, int minute, double hourAngle);
    void OrdinaryTick(const QDateTime& now, int hour12, double hourAngle);
    // The face of minute and the one of the minute after, with the hour
    // hand of hourAngle; the first goes on screen.
    void DrawBothFaces(int minute, double hourAngle);
    // The last step of an ordinary tick: rings the alarm due at the tick.
    void PollAlarms(const QDateTime& now);
    void ShapeForm();
    // Every move the program makes goes through here.
    void MoveWindowTo(QPoint position);
    // A drag has left the window at position: it snaps to the work area's
    // edges, and the position is the clock's.
    void WindowDropped(QPoint position);
    void BuildPopupMenu();
    // Tells once that the clock cannot hide in a tray here.
    void ReportNoTray(const QString& message);
    void ApplyTaskbarButton();

    ClockOptions* FOptions = nullptr;
    AlarmSchedule* FAlarmSchedule = nullptr;
    std::unique_ptr<ProfileFile> Settings;
    // The face of minute m is entry m mod 2; the other holds the next minute's.
    std::array<QImage, 2> Faces;
    FaceRenderer FFaceRenderer;
    // The face minute (ClockTick::FaceMinute) of the face on screen.
    int FShownFace = 0;
    bool FRefreshing = false;
    bool FSettingsRead = false;
    bool FTerminating = false;
    // Where the clock last placed itself or the user dragged it: the keys
    // start from it and it is saved. Other moves (a window manager keeping
    // a growing window on screen, a compositor that reports no position)
    // are not the user's.
    QPoint FPosition;
    WindowDrag* const FDrag;
    // Runs for a moment after the clock resized itself.
    QTimer FResizeMoves;
    // Whether the user has been told that hiding keeps the taskbar button
    // because the desktop has no tray.
    bool FNoTrayReported = false;
    // Set when a size change waits for the minimised clock to be restored.
    bool FReshapeWhenRestored = false;
};
