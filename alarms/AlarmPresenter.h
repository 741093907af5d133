#pragma once

#include "alarms/AlarmRecord.h"

// What the schedule and the alarm editor ask of the window that presents a
// ringing alarm, and what they ask about it: whether an alarm is on screen
// and whether its sound plays. The alarm window implements it.
class AlarmPresenter {
public:
    // With snoozing offered the user may snooze the alarm (the schedule's
    // rings); a test of an alarm is not snoozed.
    enum class Snoozing { NotOffered, Offered };

    // Presents the alarm's record, a copy of its own: the store may change
    // while the alarm is up. For a picture or text it returns once the
    // presentation has ended; it presents nothing while
    // another alarm is presented. Returns the minutes the user snoozed it
    // for, or 0 when it was dismissed (or it opened a document).
    virtual int present(AlarmRecord alarm, Snoozing snoozing) = 0;
    // An alarm is being presented.
    virtual bool isPresenting() const = 0;
    // The sound of a presented alarm is playing.
    virtual bool isSoundPlaying() const = 0;

protected:
    ~AlarmPresenter() = default;
};
