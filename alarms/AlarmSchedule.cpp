#include "alarms/AlarmSchedule.h"

#include "alarms/AlarmListText.h"
#include "alarms/AlarmRules.h"
#include "alarms/PresentationFlags.h"
#include "platform/IoError.h"
#include "platform/LocalClock.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kSecondsPerDay = 86400.0;
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

} // namespace

AlarmSchedule::AlarmSchedule(AlarmStore& store) : m_store(store) {}

int AlarmSchedule::FindDueAlarm(bool missedCheck, int index, TDateTime moment) const
{
    return ::FindDueAlarm(m_store.Alarms, missedCheck, index, moment);
}

TDateTime AlarmSchedule::NextRingDate(int index, TDateTime now) const
{
    if (index < 0 || std::size_t(index) >= m_store.Alarms.size())
        return 0;
    return ::NextRingDate(m_store.Alarms[std::size_t(index)], now);
}

void AlarmSchedule::RingAlarm(int index)
{
    if (index < 0 || std::size_t(index) >= m_store.Alarms.size() || PresentationActive || !m_presenter)
        return;
    m_presenter(TAlarmRec(m_store.Alarms[std::size_t(index)]));

    // The presentation runs its own event loop, in which the list may change.
    if (std::size_t(index) >= m_store.Alarms.size()) {
        Report(QStringLiteral("Internal error 1001 - %1/%2").arg(index).arg(m_store.Alarms.size()));
        return;
    }
    TAlarmRec& alarm = m_store.Alarms[std::size_t(index)];
    alarm.LastRung = EncodeDate(CurrentLocalDateTime().date());
    if (alarm.DeleteAfterPlaying && alarm.Mode == TAlarmRec::Once)
        m_store.DeleteAlarm(index);
    SaveAfterRinging();
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

void AlarmSchedule::RunStartupPass(TDateTime now)
{
    if (const int missed = FindDueAlarm(true, -1, now); missed >= 0)
        Report(MissedAlarmMessage(m_store.Alarms[std::size_t(missed)]));

    // In one pass, however many expired.
    std::erase_if(m_store.Alarms, [now](const TAlarmRec& alarm) {
        return alarm.Mode == TAlarmRec::Once && alarm.DeleteAfterExpiration && ::NextRingDate(alarm, now) == 0;
    });
    m_store.RebuildList();
}

void AlarmSchedule::PollAlarms(TDateTime now)
{
    if (m_lastPoll && ContinuousSeconds(now) - ContinuousSeconds(*m_lastPoll) > kLongestGapSeconds)
        QueueMissedReports(*m_lastPoll, now);
    m_lastPoll = now;
    // A report waits while an alarm is on screen, where its box would hide.
    if (!PresentationActive)
        ShowQueuedReports();
    if (!SoundPlaying)
        RingAlarm(FindDueAlarm(false, -1, now));
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
    for (std::size_t i = 0; i < m_store.Alarms.size(); ++i) {
        const TAlarmRec& alarm = m_store.Alarms[i];
        if (!IsDueOnDay(alarm, now))
            continue;
        // Missed when no poll fell into the two seconds the ring check sees.
        const QTime time = TimeOf(alarm.AlarmTime);
        const double ringStart = midnight + time.hour() * 3600.0 + time.minute() * 60.0 + kFirstRingSecond;
        if (from >= ringStart || to < ringStart + kRingSeconds)
            continue;
        const ReportedAlarm reported { int(i), WriteAlarmRecord(alarm) };
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
