#include "alarms/AlarmSchedule.h"

#include "alarms/AlarmListText.h"
#include "alarms/AlarmRules.h"
#include "alarms/AlarmPresenter.h"
#include "alarms/AlarmWatchFile.h"
#include "platform/files/IoError.h"
#include "platform/text/LocalClock.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr qint64 kSecondsPerMinute = 60;
// A poll later than this after the previous one means the clock jumped.
constexpr double kLongestGapSeconds = 60.0;
// The ring check sees an alarm at seconds 4 and 5 of its minute.
constexpr int kFirstRingSecond = 4;
constexpr int kRingSeconds = 2;

// Seconds since the date-time epoch, continuous across it: before 30
// December 1899 the integer part counts back while the fraction runs forward.
double ContinuousSeconds(TDateTime value)
{
    const double day = std::trunc(value);
    return (day + std::fabs(value - day)) * kSecondsPerDay;
}

// How often a running clock notes that it watches the alarms: an alarm that
// falls due in the last such span before the clock stops without its exit
// (a crash, a power cut) and was not rung is reported at the next start.
constexpr double kWatchMarkSeconds = 600.0;

// The moment of the alarm's time of day on moment's day.
TDateTime TimeOnDayOf(const AlarmRecord& alarm, TDateTime moment)
{
    return DateTimeFromLocal(QDateTime(DateOf(moment), TimeOf(alarm.AlarmTime)));
}

// Missed: due earlier on now's day and not rung, at a moment when no clock
// watched, and after the command line last added, edited or switched it on.
bool IsMissed(const AlarmRecord& alarm, const AlarmWatch& watch, TDateTime now)
{
    if (!IsDueOnDay(alarm, now) || !TimeOfDayIsEarlier(alarm.AlarmTime, now))
        return false;
    const double due = ContinuousSeconds(TimeOnDayOf(alarm, now));
    if (watch.lastWatched && due <= ContinuousSeconds(*watch.lastWatched))
        return false;
    const auto changed = watch.changedUnwatched.constFind(AlarmHandle(alarm));
    return changed == watch.changedUnwatched.constEnd() || due > ContinuousSeconds(*changed);
}

} // namespace

AlarmSchedule::AlarmSchedule(AlarmStore& store, QObject* parent) : QObject(parent), m_store(store)
{
    connect(&m_store, &AlarmStore::alarmRemoved, this, [this](AlarmId id) {
        std::erase_if(m_reported, [id](const ReportedAlarm& reported) { return reported.first == id; });
        DropSnoozes(id);
    });
    connect(&m_store, &AlarmStore::alarmChanged, this, [this](AlarmId id) {
        if (const AlarmRecord* alarm = m_store.find(id); alarm && !alarm->Enabled)
            DropSnoozes(id);
        else if (SnoozedUntil(id))
            SaveSnoozes(); // the file keeps the alarm as edited
    });
    // Alarms read anew are others: no snooze belongs to them.
    connect(&m_store, &AlarmStore::listChanged, this, [this] {
        if (std::erase_if(m_snoozes, [this](const AlarmSnooze& snooze) { return !m_store.find(snooze.alarm); }) > 0) {
            SaveSnoozes();
            emit snoozesChanged();
        }
    });
}

bool AlarmSchedule::IsPresenting() const
{
    return m_presenter && m_presenter->isPresenting();
}

bool AlarmSchedule::IsSoundPlaying() const
{
    return m_presenter && m_presenter->isSoundPlaying();
}

void AlarmSchedule::RingAlarm(AlarmId id)
{
    const AlarmRecord* ringing = m_store.find(id);
    if (!ringing || !m_presenter || IsPresenting())
        return;
    const int snoozeMinutes = m_presenter->present(*ringing, AlarmPresenter::Snoozing::Offered);

    // The presentation runs its own event loop, in which the alarm may have
    // been deleted or changed.
    const AlarmRecord* presented = m_store.find(id);
    if (!presented)
        return;
    AlarmRecord alarm = *presented;
    alarm.LastRung = EncodeDate(CurrentLocalDateTime().date());
    m_store.update(id, alarm);
    if (snoozeMinutes > 0) {
        Snooze(id, snoozeMinutes);
        SaveSnoozes();
        emit snoozesChanged();
    } else if (alarm.DeleteAfterPlaying && alarm.Mode == AlarmRecord::Once) {
        m_store.remove(id);
    }
    SaveAfterRinging();
}

void AlarmSchedule::RingDueSnooze(TDateTime now)
{
    if (!m_presenter || IsPresenting() || IsSoundPlaying())
        return;
    const auto due = std::min_element(m_snoozes.begin(), m_snoozes.end(),
        [](const AlarmSnooze& a, const AlarmSnooze& b) { return a.due < b.due; });
    if (due == m_snoozes.end() || due->due > now)
        return;
    // Off the list while it rings; the file keeps it until the presentation
    // has ended, so that a crash meanwhile still reports it at the next start.
    const AlarmId id = due->alarm;
    m_snoozes.erase(due);
    emit snoozesChanged();
    const AlarmRecord* alarm = m_store.find(id);
    if (!alarm)
        return;
    const int snoozeMinutes = m_presenter->present(*alarm, AlarmPresenter::Snoozing::Offered);
    // The alarm may have been deleted or switched off while it rang.
    if (snoozeMinutes > 0 && m_store.find(id) && m_store.find(id)->Enabled)
        Snooze(id, snoozeMinutes);
    else
        EndSnooze(id);
    SaveSnoozes();
    emit snoozesChanged();
}

void AlarmSchedule::Snooze(AlarmId id, int minutes)
{
    const QDateTime due = CurrentLocalDateTime().addSecs(minutes * kSecondsPerMinute);
    m_snoozes.push_back({ id, DateTimeFromLocal(due) });
}

void AlarmSchedule::EndSnooze(AlarmId id)
{
    const AlarmRecord* alarm = m_store.find(id);
    if (!alarm || !alarm->DeleteAfterPlaying || alarm->Mode != AlarmRecord::Once || SnoozedUntil(id))
        return;
    // An alarm edited since it rang has not played as it is now, and stays.
    if (alarm->LastRung == 0)
        return;
    m_store.remove(id);
    SaveAfterRinging();
}

std::optional<TDateTime> AlarmSchedule::SnoozedUntil(AlarmId id) const
{
    std::optional<TDateTime> first;
    for (const AlarmSnooze& snooze : m_snoozes)
        if (snooze.alarm == id && (!first || snooze.due < *first))
            first = snooze.due;
    return first;
}

void AlarmSchedule::CancelSnoozes(AlarmId id)
{
    if (std::erase_if(m_snoozes, [id](const AlarmSnooze& snooze) { return snooze.alarm == id; }) == 0)
        return;
    SaveSnoozes();
    emit snoozesChanged();
    EndSnooze(id);
}

void AlarmSchedule::DropSnoozes(AlarmId id)
{
    if (std::erase_if(m_snoozes, [id](const AlarmSnooze& snooze) { return snooze.alarm == id; }) == 0)
        return;
    SaveSnoozes();
    emit snoozesChanged();
}

void AlarmSchedule::SaveSnoozes()
{
    std::vector<PendingSnooze> pending;
    for (const AlarmSnooze& snooze : m_snoozes)
        if (const AlarmRecord* alarm = m_store.find(snooze.alarm))
            pending.push_back({ snooze.due, *alarm });
    try {
        // Beside the store, under its lock: a tool changing the store
        // changes the snooze file as well.
        const AlarmStore::Lock lock(m_store);
        WriteSnoozes(SnoozeFilePath(m_store.fileName()), pending);
        m_snoozeFileStale = false;
        m_snoozeSaveFailureReported = false;
    } catch (const IoError& error) {
        // They stay in memory and ring while the program runs.
        if (!std::exchange(m_snoozeSaveFailureReported, true))
            Report(error.message());
    }
}

void AlarmSchedule::SaveAfterRinging()
{
    try {
        m_store.SaveAlarms();
        m_saveFailureReported = false;
    } catch (const IoError& error) {
        // The alarms stay marked in memory and are saved again at exit.
        if (!std::exchange(m_saveFailureReported, true))
            Report(error.message());
    }
}

QString AlarmSchedule::LoadSnoozes()
{
    std::vector<PendingSnooze> pending;
    try {
        pending = ReadSnoozes(SnoozeFilePath(m_store.fileName()));
    } catch (const IoError& error) {
        return error.message();
    }
    m_snoozes.clear();
    for (const PendingSnooze& snooze : pending) {
        // Its alarm is the stored one alike in all but Enabled and LastRung.
        const std::vector<AlarmRecord>& records = m_store.records();
        const auto stored = std::find_if(records.begin(), records.end(),
            [&snooze](const AlarmRecord& alarm) { return alarm.Enabled && IsSameAlarm(alarm, snooze.alarm); });
        if (stored != records.end())
            m_snoozes.push_back({ m_store.idAt(std::size_t(stored - records.begin())), snooze.due });
    }
    m_snoozeFileStale = m_snoozes.size() != pending.size();
    emit snoozesChanged();
    return QString();
}

void AlarmSchedule::RunStartupPass(TDateTime now)
{
    if (const QString error = LoadSnoozes(); !error.isEmpty())
        Report(error);
    const auto ended = std::stable_partition(
        m_snoozes.begin(), m_snoozes.end(), [now](const AlarmSnooze& snooze) { return snooze.due > now; });
    if (ended != m_snoozes.end() || m_snoozeFileStale) {
        const std::vector<AlarmSnooze> missed(ended, m_snoozes.end());
        m_snoozes.erase(ended, m_snoozes.end());
        SaveSnoozes();
        emit snoozesChanged();
        for (const AlarmSnooze& snooze : missed) {
            Report(MissedSnoozeMessage(*m_store.find(snooze.alarm), snooze.due));
            EndSnooze(snooze.alarm);
        }
    }

    AlarmWatch watch;
    try {
        watch = ReadAlarmWatch(AlarmWatchFilePath(m_store.fileName()));
    } catch (const IoError& error) {
        Report(error.message());
    }
    for (const AlarmRecord& alarm : m_store.records())
        if (IsMissed(alarm, watch, now))
            Report(MissedAlarmMessage(alarm));
    MarkWatched(now);

    // In one pass, however many expired.
    m_store.removeIf([now](const AlarmRecord& alarm) {
        return alarm.Mode == AlarmRecord::Once && alarm.DeleteAfterExpiration && NextRingDate(alarm, now) == 0;
    });
}

void AlarmSchedule::SaveBesideStore(TDateTime now)
{
    MarkWatched(now);
    if (m_snoozeSaveFailureReported)
        SaveSnoozes();
}

void AlarmSchedule::MarkWatched(TDateTime now)
{
    m_lastWatchMark = now;
    try {
        const AlarmStore::Lock lock(m_store);
        WriteAlarmWatch(AlarmWatchFilePath(m_store.fileName()), AlarmWatch { now, {} });
    } catch (const IoError&) {
        // At worst an alarm that could not have rung is reported as missed
        // at the next start; the alarms themselves are safe.
    }
}

void AlarmSchedule::PollAlarms(TDateTime now)
{
    if (const double sinceMark = ContinuousSeconds(now) - ContinuousSeconds(m_lastWatchMark);
        sinceMark >= kWatchMarkSeconds || sinceMark < 0)
        MarkWatched(now);
    const double gap = m_lastPoll ? ContinuousSeconds(now) - ContinuousSeconds(*m_lastPoll) : 0;
    if (gap > kLongestGapSeconds)
        QueueMissedReports(*m_lastPoll, now);
    if (m_lastPoll && gap > 0 && gap <= kLongestGapSeconds)
        QueueAlarmsDueBetween(*m_lastPoll, now);
    else // the first poll, a clock set back, or a jump: the ring seconds it lands in
        QueueAlarmsDueBetween(now - kRingSeconds / kSecondsPerDay, now);
    const bool datesMoved = m_lastPoll && (std::trunc(now) != std::trunc(*m_lastPoll) || gap > kLongestGapSeconds || gap < 0);
    m_lastPoll = now;
    if (datesMoved)
        emit nextRingDatesMoved();
    // A report waits while an alarm is on screen, where its box would hide.
    if (!IsPresenting())
        ShowQueuedReports();
    if (!IsSoundPlaying() && !IsPresenting()) {
        RingQueuedAlarm();
        RingDueSnooze(now);
    }
}

void AlarmSchedule::QueueAlarmsDueBetween(TDateTime lastPoll, TDateTime now)
{
    const double from = ContinuousSeconds(lastPoll);
    const double to = ContinuousSeconds(now);
    // At most a minute apart: the last poll's day, and the next across
    // midnight.
    std::vector<double> days { std::trunc(lastPoll) };
    if (std::trunc(now) != days.front())
        days.push_back(std::trunc(now));
    const std::vector<AlarmRecord>& alarms = m_store.records();
    for (const double day : days) {
        for (std::size_t i = 0; i < alarms.size(); ++i) {
            const QTime time = TimeOf(alarms[i].AlarmTime);
            if (!time.isValid())
                continue;
            const double ringMoment = ContinuousSeconds(day) + time.hour() * 3600.0 + time.minute() * 60.0 + kFirstRingSecond;
            if (ringMoment > from && ringMoment <= to && IsDueOnDay(alarms[i], day))
                QueueDueAlarm(m_store.idAt(i), day);
        }
    }
}

void AlarmSchedule::QueueDueAlarm(AlarmId id, TDateTime day)
{
    const DueAlarm due { id, day };
    if (std::find(m_dueAlarms.begin(), m_dueAlarms.end(), due) == m_dueAlarms.end())
        m_dueAlarms.push_back(due);
}

void AlarmSchedule::RingQueuedAlarm()
{
    // In the order they fell due; one that has gone, was switched off or
    // rang meanwhile is passed over.
    while (!m_dueAlarms.empty()) {
        const DueAlarm due = m_dueAlarms.front();
        m_dueAlarms.erase(m_dueAlarms.begin());
        if (const AlarmRecord* alarm = m_store.find(due.alarm); alarm && IsDueOnDay(*alarm, due.day)) {
            RingAlarm(due.alarm);
            return;
        }
    }
}

void AlarmSchedule::QueueMissedReports(TDateTime lastPoll, TDateTime now)
{
    const double today = std::trunc(now);
    if (today != m_reportedDay) {
        m_reportedDay = today;
        m_reported.clear();
    }
    const double midnight = ContinuousSeconds(today);
    const double from = ContinuousSeconds(lastPoll);
    const double to = ContinuousSeconds(now);
    const std::vector<AlarmRecord>& alarms = m_store.records();
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const AlarmRecord& alarm = alarms[i];
        if (!IsDueOnDay(alarm, now))
            continue;
        // Missed when no poll fell into the two seconds the ring check sees.
        const QTime time = TimeOf(alarm.AlarmTime);
        const double ringStart = midnight + time.hour() * 3600.0 + time.minute() * 60.0 + kFirstRingSecond;
        if (from >= ringStart || to < ringStart + kRingSeconds)
            continue;
        const ReportedAlarm reported { m_store.idAt(i), WriteAlarmRecord(alarm) };
        if (std::find(m_reported.begin(), m_reported.end(), reported) != m_reported.end())
            continue;
        m_reported.push_back(reported);
        m_queuedReports.append(MissedAlarmMessage(alarm));
    }
}

void AlarmSchedule::ShowQueuedReports()
{
    // Taken off the queue first: each box runs an event loop in which the
    // clock keeps polling.
    const QStringList reports = std::exchange(m_queuedReports, QStringList());
    for (const QString& report : reports)
        Report(report);
}

void AlarmSchedule::Report(const QString& message) const
{
    if (m_reporter)
        m_reporter(message);
}
