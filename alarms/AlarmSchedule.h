#pragma once

#include "alarms/AlarmStore.h"
#include "alarms/SnoozeFile.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class AlarmPresenter;

// A snooze waiting to ring: the alarm it belongs to, and when. It rings the
// alarm as it is then, edits included; deleting or switching off the alarm
// ends it.
struct AlarmSnooze {
    AlarmId alarm = kNoAlarm;
    TDateTime due = 0; // local date-time

    bool operator==(const AlarmSnooze&) const = default;
};

// Tells the user something about the alarms (an alarm that should have rung);
// the program shows it in a message box.
using AlarmReporter = std::function<void(const QString& message)>;

// The schedule at work on the alarm store: ringing a due alarm, the clock's
// one-second poll and the start-up pass. Every moment is the local
// date-time, handed in by the caller. It acts on an alarm by its identity,
// so a change of the list while an alarm rings (a delete in the alarm list,
// a change from the command line) never makes it act on another alarm.
class AlarmSchedule : public QObject {
    Q_OBJECT

public:
    explicit AlarmSchedule(AlarmStore& store, QObject* parent = nullptr);

    // Who presents a ringing alarm; until one is set, no alarm rings.
    void setPresenter(AlarmPresenter* presenter) { m_presenter = presenter; }
    // Who tells the user; until one is set, reports are dropped.
    void setReporter(AlarmReporter reporter) { m_reporter = std::move(reporter); }

    // Presents the alarm (nothing when it is not in the store, or while a
    // presentation is on) and marks it rung on the day the presentation
    // ended; a one-time alarm so set is then deleted, unless it was snoozed
    // (then it is deleted when its last snooze is dismissed). An alarm
    // deleted while it was presented stays deleted, and no other is marked.
    // A snooze is kept in the snooze file beside the store. The store is
    // saved at once, so that after a crash a rung alarm is not reported as
    // missed and a deleted one does not come back; a failed save is
    // reported once, not again until a save has succeeded. An error of the
    // presentation propagates and the alarm stays unmarked.
    void RingAlarm(AlarmId id);

    // Reads the pending snoozes of the snooze file beside the store and ties
    // each to its alarm, the enabled one alike in all but Enabled and
    // LastRung; a snooze whose alarm has gone, was switched off or was
    // changed meanwhile is left out. Writes nothing. Returns why the file
    // could not be read, or an empty text.
    QString LoadSnoozes();

    // Once, after the store is loaded: loads the pending snoozes, reports
    // (and drops) those that fell due while the program was not running,
    // reports every alarm that should have rung earlier today while no
    // clock watched the alarms (see AlarmWatch), notes that this one now
    // watches them, and deletes the one-time alarms marked for deletion
    // that will never ring again.
    void RunStartupPass(TDateTime now);

    // Writes what the schedule keeps beside the store: that a clock watched
    // the alarms until now (the poll does so every ten minutes), and the
    // snoozes again when their last save failed (a disk that was full). The
    // program calls it as it saves at exit.
    void SaveBesideStore(TDateTime now);

    // The clock's poll, once per ordinary tick. An alarm falls due when
    // second 4 of its minute has passed since the last poll, however late
    // this poll comes (a stall, a small step of the clock), up to a minute;
    // on the first poll, after a clock set back and after a longer jump,
    // when the poll lands in seconds 4 and 5 of its minute. Alarms that fall
    // due wait in order and ring one after the other, whenever no alarm is
    // on screen and no sound plays: none is dropped because another shows.
    // When the clock jumped forward by more than a minute (suspend, a clock
    // change), alarms of today whose minute fell in the gap and that did not
    // ring are reported, once each. A snooze that has fallen due rings
    // again, after any alarm due at the same moment.
    void PollAlarms(TDateTime now);

    const AlarmStore& store() const { return m_store; }

    // The snoozes waiting to ring, in the order they were made.
    const std::vector<AlarmSnooze>& Snoozes() const { return m_snoozes; }
    // When the alarm's first snooze rings; nothing when none waits.
    std::optional<TDateTime> SnoozedUntil(AlarmId id) const;
    // Ends the alarm's snoozes as a dismissal would: a one-time alarm that
    // deletes itself after playing then goes.
    void CancelSnoozes(AlarmId id);

signals:
    // A snooze was made, rang, ended or was cancelled.
    void snoozesChanged();

    // A poll found a new day, or the clock set forward or back: the next
    // ring dates shown may be others now.
    void nextRingDatesMoved();

private:
    bool IsPresenting() const;
    bool IsSoundPlaying() const;
    void SaveAfterRinging();
    void RingDueSnooze(TDateTime now);
    void Snooze(AlarmId id, int minutes);
    // After a snooze has ended without another: a one-time alarm that
    // deletes itself after playing goes, once no other snooze of it waits.
    void EndSnooze(AlarmId id);
    // Drops the alarm's snoozes: it has gone or was switched off.
    void DropSnoozes(AlarmId id);
    void SaveSnoozes();
    // Notes in the watch file that a clock watches the alarms at now.
    void MarkWatched(TDateTime now);
    void QueueAlarmsDueBetween(TDateTime lastPoll, TDateTime now);
    void QueueDueAlarm(AlarmId id, TDateTime day);
    void RingQueuedAlarm();
    void QueueMissedReports(TDateTime lastPoll, TDateTime now);
    void ShowQueuedReports();
    void Report(const QString& message) const;

    AlarmStore& m_store;
    AlarmPresenter* m_presenter = nullptr;
    AlarmReporter m_reporter;
    std::vector<AlarmSnooze> m_snoozes;
    bool m_snoozeSaveFailureReported = false;
    bool m_snoozeFileStale = false; // holds snoozes LoadSnoozes left out
    std::optional<TDateTime> m_lastPoll;
    // Alarms fallen due and not rung yet, in order, with the day they are
    // due on.
    struct DueAlarm {
        AlarmId alarm;
        TDateTime day;
        bool operator==(const DueAlarm&) const = default;
    };
    std::vector<DueAlarm> m_dueAlarms;
    TDateTime m_lastWatchMark = 0;
    bool m_saveFailureReported = false;
    QStringList m_queuedReports;
    // The alarms reported missed on m_reportedDay, by identity and record
    // bytes, so that a clock set back and forward again does not report
    // them twice.
    using ReportedAlarm = std::pair<AlarmId, AlarmRecordBytes>;
    TDateTime m_reportedDay = 0;
    std::vector<ReportedAlarm> m_reported;
};
