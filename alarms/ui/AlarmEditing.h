#pragma once

// What the options window asks of the alarm editor on its Alarms page. The
// editor implements it and is linked with OptionsWindow::SetAlarmEditor; until
// then the window asks nothing.
class AlarmEditing {
public:
    // Whether an alarm is being edited ("Edit Selected" is down).
    virtual bool isEditing() const = 0;
    // Ends the editing and stores the alarm, as releasing "Edit Selected"
    // does.
    virtual void endEditing() = 0;
    // Selects the first alarm when none is selected; the user has turned to
    // the Alarms page.
    virtual void selectFirstIfNone() = 0;
    // Shows times in the 12-hour (true) or the 24-hour clock.
    virtual void setTimeFormat(bool twelveHour) = 0;
    // Resets the editor's pickers to now, leaving an edit under way as it
    // is and a selected alarm shown as it is; run on every activation of
    // the window.
    virtual void resetPickers() = 0;

protected:
    ~AlarmEditing() = default;
};
