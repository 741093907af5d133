#pragma once

#include "alarms/AlarmStore.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Presents a ringing alarm (a copy of its record). For a picture or text it
// returns when the presentation has ended.
using AlarmPresenter = std::function<void(const TAlarmRec&)>;

// Tells the user something about the alarms (an alarm that should have rung,
// a record that went away while it rang); the program shows it in a message
// box.
using AlarmReporter = std::function<void(const QString& message)>;

// The schedule at work on the alarm store: ringing a due alarm, the clock's
// one-second poll and the start-up pass. Every moment is the local
// date-time, handed in by the caller.
class AlarmSchedule {
public:
    explicit AlarmSchedule(AlarmStore& store);

    // Who presents a ringing alarm; until one is set, no alarm rings.
    void setPresenter(AlarmPresenter presenter) { m_presenter = std::move(presenter); }
    // Who tells the user; until one is set, reports are dropped.
    void setReporter(AlarmReporter reporter) { m_reporter = std::move(reporter); }

    // The rules of AlarmRules.h on the store's records.
    int FindDueAlarm(bool missedCheck, int index, TDateTime moment) const;
    TDateTime NextRingDate(int index, TDateTime now) const;

    // Presents alarm index (ignored when out of range, or while a
    // presentation is on) and marks it rung on the day the presentation
    // ended; a one-time alarm so set is then deleted. The store is saved at
    // once, so that after a crash a rung alarm is not reported as missed and
    // a deleted one does not come back; a failed save is reported once, not
    // again until a save has succeeded. An error of the presentation
    // propagates and the alarm stays unmarked.
    void RingAlarm(int index);

    // Once, after the store is loaded: reports the first alarm that should
    // have rung earlier today, deletes the one-time alarms marked for
    // deletion that will never ring again, and has the list rebuilt.
    void RunStartupPass(TDateTime now);

    // The clock's poll, once per ordinary tick: rings the alarm due now
    // unless a sound is playing. When the clock jumped forward by more than
    // a minute since the last poll (suspend, a clock change), alarms of today
    // whose minute fell in the gap and that did not ring are reported, once
    // each.
    void PollAlarms(TDateTime now);

private:
    void SaveAfterRinging();
    void QueueMissedReports(TDateTime lastPoll, TDateTime now);
    void ShowQueuedReports();
    void Report(const QString& message) const;

    AlarmStore& m_store;
    AlarmPresenter m_presenter;
    AlarmReporter m_reporter;
    std::optional<TDateTime> m_lastPoll;
    bool m_saveFailureReported = false;
    QStringList m_queuedReports;
    // The alarms reported missed on m_reportedDay, by index and record bytes,
    // so that a clock set back and forward again does not report them twice.
    using ReportedAlarm = std::pair<int, AlarmRecordBytes>;
    TDateTime m_reportedDay = 0;
    std::vector<ReportedAlarm> m_reported;
};
