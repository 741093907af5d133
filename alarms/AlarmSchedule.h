#pragma once

#include "alarms/AlarmStore.h"
#include "alarms/SnoozeFile.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Presents a ringing alarm (a copy of its record). For a picture or text it
// returns when the presentation has ended.
using AlarmPresenter = std::function<void(const TAlarmRec&)>;

// Presents an alarm the schedule rings, offering to snooze it. Returns the
// minutes the user snoozed it for, or 0 when it was dismissed (or it opened
// a document).
using RingPresenter = std::function<int(const TAlarmRec&)>;

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
    void setPresenter(RingPresenter presenter) { m_presenter = std::move(presenter); }
    // Who tells the user; until one is set, reports are dropped.
    void setReporter(AlarmReporter reporter) { m_reporter = std::move(reporter); }

    // The rules of AlarmRules.h on the store's records.
    int FindDueAlarm(bool missedCheck, int index, TDateTime moment) const;
    TDateTime NextRingDate(int index, TDateTime now) const;

    // Presents alarm index (ignored when out of range, or while a
    // presentation is on) and marks it rung on the day the presentation
    // ended; a one-time alarm so set is then deleted, unless it was snoozed
    // (then it is deleted when its last snooze is dismissed). A snooze is
    // kept in the snooze file beside the store. The store is saved at
    // once, so that after a crash a rung alarm is not reported as missed and
    // a deleted one does not come back; a failed save is reported once, not
    // again until a save has succeeded. An error of the presentation
    // propagates and the alarm stays unmarked.
    void RingAlarm(int index);

    // Once, after the store is loaded: reads the pending snoozes and reports
    // (and drops) those that fell due while the program was not running,
    // reports the first alarm that should have rung earlier today, deletes the one-time alarms marked for
    // deletion that will never ring again, and has the list rebuilt.
    void RunStartupPass(TDateTime now);

    // The clock's poll, once per ordinary tick: rings the alarm due now
    // unless a sound is playing. When the clock jumped forward by more than
    // a minute since the last poll (suspend, a clock change), alarms of today
    // whose minute fell in the gap and that did not ring are reported, once
    // each. A snooze that has fallen due rings again, after any alarm due
    // at the same moment.
    void PollAlarms(TDateTime now);

    // The snoozes waiting to ring, in the order they were made.
    const std::vector<PendingSnooze>& Snoozes() const { return m_snoozes; }

private:
    void SaveAfterRinging();
    void RingDueSnooze(TDateTime now);
    void Snooze(const TAlarmRec& alarm, int minutes);
    // After a snooze has ended without another: a one-time alarm that
    // deletes itself after playing goes, once no other snooze of it waits.
    void EndSnooze(const TAlarmRec& alarm);
    void SaveSnoozes();
    void QueueMissedReports(TDateTime lastPoll, TDateTime now);
    void ShowQueuedReports();
    void Report(const QString& message) const;

    AlarmStore& m_store;
    RingPresenter m_presenter;
    AlarmReporter m_reporter;
    std::vector<PendingSnooze> m_snoozes;
    bool m_snoozeSaveFailureReported = false;
    std::optional<TDateTime> m_lastPoll;
    bool m_saveFailureReported = false;
    QStringList m_queuedReports;
    // The alarms reported missed on m_reportedDay, by index and record bytes,
    // so that a clock set back and forward again does not report them twice.
    using ReportedAlarm = std::pair<int, AlarmRecordBytes>;
    TDateTime m_reportedDay = 0;
    std::vector<ReportedAlarm> m_reported;
};
