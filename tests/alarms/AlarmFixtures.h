#pragma once

#include "alarms/AlarmPresenter.h"
#include "alarms/AlarmRecord.h"

#include <QByteArray>
#include <QDate>

#include <QStringList>

#include <functional>
#include <initializer_list>
#include <vector>

// Presents by calling back (dismissed when there is no call-back), and says
// whether an alarm is on screen or its sound plays as the test sets it.
struct RecordingPresenter : AlarmPresenter {
    std::function<int(const AlarmRecord&)> onPresent;
    bool presenting = false;
    bool soundPlaying = false;
    QStringList presentedNames; // of every alarm presented, in turn

    int present(AlarmRecord alarm, Snoozing) override
    {
        presentedNames.append(alarm.Name.text());
        return onPresent ? onPresent(alarm) : 0;
    }
    bool isPresenting() const override { return presenting; }
    bool isSoundPlaying() const override { return soundPlaying; }
};

// Alarms as the editor stores them, for the tests of the store, the schedule
// and the tool.

TDateTime Day(int year, int month, int day);
TDateTime Moment(int year, int month, int day, int hour, int minute, int second = 0);

// An enabled alarm of the mode, ringing at hour:minute, with all other
// fields as a fresh record has them: no weekdays, every month.
AlarmRecord AlarmAt(std::int32_t mode, int hour, int minute, const char* name = "Test");

// The alarm with that name.
AlarmRecord Named(AlarmRecord alarm, const QString& name);
AlarmRecord OnceAlarm(const QDate& date, int hour, int minute);
AlarmRecord DailyAlarm(int everyNdays, const QDate& start, int hour, int minute);
// weekdays: 1 Monday .. 7 Sunday
AlarmRecord WeeklyAlarm(int everyNweeks, const QDate& start, std::initializer_list<int> weekdays, int hour, int minute);
AlarmRecord MonthlyDayAlarm(int day, int hour, int minute);
AlarmRecord MonthlyNthAlarm(int n, int weekday, int hour, int minute);

// count alarms (a multiple of 4) of every mode in turn, for benchmarks: a
// quarter of them, looking from 10 March 2004, expired, so that many walks
// for the next ring date go through the whole horizon of two years.
std::vector<AlarmRecord> MixedAlarms(int count);

// The records as the store's file holds them.
QByteArray StoreBytes(const std::vector<AlarmRecord>& alarms);
