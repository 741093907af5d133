#pragma once

// What the options window asks of the alarm editor on its Alarms page. The
// editor's frame implements it; the options window knows it only through
// this.
class AlarmEditor {
public:
    // Resets the editor's pickers to now and shows today's and tomorrow's
    // dates, each time the options window becomes active; an edit under
    // way keeps its controls.
    virtual void InitEditor() = 0;
    // When the user turns to the Alarms page: selects and shows the first
    // alarm when none is selected.
    virtual void SelectFirstIfNone() = 0;
    // The readout's choice of 12 or 24 hours, for the pickers and the list.
    virtual void SetTimeFormat(bool twelveHour) = 0;
    // Ends an edit under way, storing the alarm, as the edit button does;
    // nothing when no alarm is being edited.
    virtual void EndEditing() = 0;

protected:
    ~AlarmEditor() = default;
};
