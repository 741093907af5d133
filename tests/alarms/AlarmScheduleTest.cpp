#include "alarms/AlarmSchedule.h"
#include "alarms/AlarmWatchFile.h"
#include "platform/text/LocalClock.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A schedule on a store in a temporary folder, with the local time, the
// presenter and the reporter replaced by recorders.
class AlarmScheduleTest : public ::testing::Test {
protected:
    AlarmScheduleTest()
    {
        previousClock = SetLocalClockSource([this] { return LocalFromDateTime(clock); });
        presenter.onPresent = [this](const AlarmRecord& alarm) {
            presented.append(alarm.Name.text());
            if (duringPresentation)
                duringPresentation();
            return snoozes.isEmpty() ? 0 : snoozes.takeFirst();
        };
        schedule.setPresenter(&presenter);
        schedule.setReporter([this](const QString& message) { messages.append(message); });
        QObject::connect(&store, &AlarmStore::alarmRemoved, [this] { ++removals; });
    }

    ~AlarmScheduleTest() override { SetLocalClockSource(previousClock); }

    // Polls as the clock's tick does, with the clock reading moment.
    void PollAt(TDateTime moment)
    {
        clock = moment;
        schedule.PollAlarms(moment);
    }

    TempFolder folder;
    AlarmStore store { folder.file(QStringLiteral("Alarm/Alarms.cfg")) };
    AlarmSchedule schedule { store };
    RecordingPresenter presenter;
    TDateTime clock = 0;
    QStringList messages;
    QStringList presented;
    std::function<void()> duringPresentation;
    // The minutes the user snoozes each presentation for, in turn; the
    // presentations after them are dismissed.
    QList<int> snoozes;
    int removals = 0;

private:
    LocalClockSource previousClock;
};

} // namespace

TEST_F(AlarmScheduleTest, RingingPresentsACopyAndMarksTheDayThePresentationEnded)
{
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 23, 59), "Late") });
    // Dismissed after midnight: the new day counts as rung.
    duringPresentation = [this] {
        AlarmRecord changed = store.records()[0];
        changed.Name.setText(QStringLiteral("Changed"));
        store.update(store.idAt(0), changed);
        clock = Moment(2004, 3, 11, 0, 0, 30);
    };
    PollAt(Moment(2004, 3, 10, 23, 59, 4));

    EXPECT_EQ(presented, QStringList { QStringLiteral("Late") });
    EXPECT_EQ(store.records()[0].LastRung, Day(2004, 3, 11));
    PollAt(Moment(2004, 3, 11, 23, 59, 4));
    EXPECT_EQ(presented.size(), 1);
}

TEST_F(AlarmScheduleTest, OneTimeAlarmsAreDeletedAfterPlayingWhenSoSet)
{
    AlarmRecord keep = Named(OnceAlarm(QDate(2004, 3, 10), 7, 5), "Keep");
    keep.DeleteAfterPlaying = false;
    AlarmRecord drop = Named(OnceAlarm(QDate(2004, 3, 10), 7, 5), "Drop");
    drop.DeleteAfterPlaying = true;
    AlarmRecord daily = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Daily");
    daily.DeleteAfterPlaying = true; // only counts for one-time alarms
    store.replaceAll({ keep, drop, daily });
    clock = Moment(2004, 3, 10, 7, 5, 10);

    const AlarmId keepId = store.idAt(0);
    schedule.RingAlarm(store.idAt(1));
    schedule.RingAlarm(store.idAt(1));
    schedule.RingAlarm(keepId);
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(store.records()[0].Name.text(), u"Keep");
    EXPECT_EQ(store.records()[0].LastRung, Day(2004, 3, 10));
    EXPECT_EQ(store.records()[1].Name.text(), u"Daily");
    EXPECT_EQ(removals, 1);
    EXPECT_EQ(presented, (QStringList { QStringLiteral("Drop"), QStringLiteral("Daily"), QStringLiteral("Keep") }));
}

TEST_F(AlarmScheduleTest, RingingSavesTheStoreAtOnce)
{
    AlarmRecord once = Named(OnceAlarm(QDate(2004, 3, 10), 7, 5), "Once");
    once.DeleteAfterPlaying = true;
    store.replaceAll({ once, Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Daily") });
    clock = Moment(2004, 3, 10, 7, 5, 4);
    schedule.RingAlarm(store.idAt(0));
    schedule.RingAlarm(store.idAt(0));

    // What a start after a crash would read.
    AlarmStore afterCrash(store.fileName());
    afterCrash.LoadAlarms();
    ASSERT_EQ(afterCrash.size(), 1u);
    EXPECT_EQ(afterCrash.records()[0].Name.text(), u"Daily");
    EXPECT_EQ(afterCrash.records()[0].LastRung, Day(2004, 3, 10));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(AlarmScheduleTest, AFailedSaveAfterRingingIsReportedOnceUntilASaveSucceeds)
{
    store.replaceAll({ DailyAlarm(1, QDate(2004, 1, 1), 7, 5), DailyAlarm(1, QDate(2004, 1, 1), 7, 6) });
    // A folder stands where the file should be.
    ASSERT_TRUE(QDir().mkpath(store.fileName()));
    PollAt(Moment(2004, 3, 10, 7, 5, 4));
    PollAt(Moment(2004, 3, 10, 7, 6, 4));
    ASSERT_EQ(presented.size(), 2);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Unable to write to ") + store.fileName())) << messages[0].toStdString();

    ASSERT_TRUE(QDir().rmdir(store.fileName()));
    PollAt(Moment(2004, 3, 11, 7, 5, 4));
    ASSERT_TRUE(QFile::remove(store.fileName()));
    ASSERT_TRUE(QDir().mkpath(store.fileName()));
    PollAt(Moment(2004, 3, 11, 7, 6, 4));
    EXPECT_EQ(presented.size(), 4);
    EXPECT_EQ(messages.size(), 2);
}

// A snooze that could not be saved (a full disk) is saved at exit once the
// disk has room again, not lost.
TEST_F(AlarmScheduleTest, ASnoozeThatCouldNotBeSavedIsSavedAtExit)
{
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Wake") });
    const QString snoozeFile = SnoozeFilePath(store.fileName());
    ASSERT_TRUE(QDir().mkpath(snoozeFile)); // a folder stands where the file should be
    snoozes = { 5 };
    PollAt(Moment(2004, 3, 10, 7, 5, 4));
    ASSERT_EQ(schedule.Snoozes().size(), 1u);
    ASSERT_TRUE(QDir().rmdir(snoozeFile));
    schedule.SaveBesideStore(Moment(2004, 3, 10, 7, 6));
    const std::vector<PendingSnooze> saved = ReadSnoozes(snoozeFile);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].due, Moment(2004, 3, 10, 7, 10, 4));
}

TEST_F(AlarmScheduleTest, RingAlarmIgnoresAlarmsNotInTheStoreAndRunningPresentations)
{
    store.replaceAll({ DailyAlarm(1, QDate(2004, 1, 1), 7, 5) });
    schedule.RingAlarm(kNoAlarm);
    schedule.RingAlarm(store.idAt(0) + 1);
    presenter.presenting = true;
    schedule.RingAlarm(store.idAt(0));
    EXPECT_TRUE(presented.isEmpty());
    EXPECT_EQ(store.records()[0].LastRung, 0);
}

TEST_F(AlarmScheduleTest, ADeleteWhileAnAlarmRingsReachesOnlyTheAlarmDeleted)
{
    // Two one-time alarms that delete themselves once played: while the
    // second rings, the user deletes the first.
    AlarmRecord first = Named(OnceAlarm(QDate(2004, 3, 10), 7, 0), "First");
    first.DeleteAfterPlaying = true;
    AlarmRecord second = Named(OnceAlarm(QDate(2004, 3, 10), 7, 5), "Second");
    second.DeleteAfterPlaying = true;
    store.replaceAll({ first, second, Named(DailyAlarm(1, QDate(2004, 1, 1), 8, 0), "Daily") });
    const AlarmId ringing = store.idAt(1);
    clock = Moment(2004, 3, 10, 7, 5, 4);
    duringPresentation = [this] { store.remove(store.idAt(0)); };
    schedule.RingAlarm(ringing);
    ASSERT_EQ(store.size(), 1u);
    EXPECT_EQ(store.records()[0].Name.text(), u"Daily");
    EXPECT_EQ(store.records()[0].LastRung, 0);

    // The alarm that rings is the one deleted meanwhile: nothing else is
    // marked or deleted.
    duringPresentation = [this] { store.remove(store.idAt(0)); };
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "A"), Named(DailyAlarm(1, QDate(2004, 1, 1), 8, 0), "B") });
    schedule.RingAlarm(store.idAt(0));
    ASSERT_EQ(store.size(), 1u);
    EXPECT_EQ(store.records()[0].Name.text(), u"B");
    EXPECT_EQ(store.records()[0].LastRung, 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(AlarmScheduleTest, AFailedPresentationLeavesTheAlarmUnmarked)
{
    store.replaceAll({ DailyAlarm(1, QDate(2004, 1, 1), 7, 5) });
    duringPresentation = [] { throw std::runtime_error("sound device"); };
    clock = Moment(2004, 3, 10, 7, 5, 4);
    EXPECT_THROW(schedule.RingAlarm(store.idAt(0)), std::runtime_error);
    EXPECT_EQ(store.records()[0].LastRung, 0);
}

TEST_F(AlarmScheduleTest, NoAlarmIsPolledWhileASoundPlays)
{
    store.replaceAll({ DailyAlarm(1, QDate(2004, 1, 1), 7, 5) });
    presenter.soundPlaying = true;
    PollAt(Moment(2004, 3, 10, 7, 5, 4));
    EXPECT_TRUE(presented.isEmpty());
    presenter.soundPlaying = false;
    PollAt(Moment(2004, 3, 10, 7, 5, 5));
    EXPECT_EQ(presented.size(), 1);
}

TEST_F(AlarmScheduleTest, TwoAlarmsInOneMinute)
{
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "First"),
        Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Second") });
    // The first presentation ends within its second: the other rings at 5.
    PollAt(Moment(2004, 3, 10, 7, 5, 4));
    PollAt(Moment(2004, 3, 10, 7, 5, 5));
    EXPECT_EQ(presented, (QStringList { QStringLiteral("First"), QStringLiteral("Second") }));

    // Next day the first stays on screen for minutes while the clock ticks
    // on inside it: the other waits, and rings when the first has gone.
    presented.clear();
    duringPresentation = [this] {
        duringPresentation = nullptr;
        presenter.presenting = true;
        PollAt(Moment(2004, 3, 11, 7, 5, 5));
        PollAt(Moment(2004, 3, 11, 7, 9, 6));
        presenter.presenting = false;
    };
    PollAt(Moment(2004, 3, 11, 7, 5, 4));
    EXPECT_EQ(presented, QStringList { QStringLiteral("First") });
    PollAt(Moment(2004, 3, 11, 7, 9, 7));
    EXPECT_EQ(presented, (QStringList { QStringLiteral("First"), QStringLiteral("Second") }));
    EXPECT_EQ(store.records()[1].LastRung, Day(2004, 3, 11));
}

// A daily alarm at 7:00 left on screen past 7:01: the alarm of 7:01 rings
// after it, and is not listed as due tomorrow before it has rung.
TEST_F(AlarmScheduleTest, AnAlarmDueWhileAnotherShowsRingsAfterIt)
{
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 0), "A"), Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 1), "B") });
    PollAt(Moment(2004, 3, 10, 6, 59, 59));
    duringPresentation = [this] {
        duringPresentation = nullptr;
        presenter.presenting = true;
        for (int second = 0; second < 60; ++second)
            PollAt(Moment(2004, 3, 10, 7, 1, second));
        presenter.presenting = false;
    };
    for (int second = 0; second <= 4; ++second)
        PollAt(Moment(2004, 3, 10, 7, 0, second));
    EXPECT_EQ(presented, QStringList { QStringLiteral("A") });
    PollAt(Moment(2004, 3, 10, 7, 2, 0));
    EXPECT_EQ(presented, (QStringList { QStringLiteral("A"), QStringLiteral("B") }));
    EXPECT_TRUE(messages.isEmpty());
}

// Polls that come late (a busy machine) or a clock stepped by seconds
// across an alarm's ring seconds still ring it, once; a step of more than a
// minute across it reports it instead. Never neither.
TEST_F(AlarmScheduleTest, AStallOrAStepAcrossTheRingSecondsRingsTheAlarm)
{
    struct Case {
        const char* what;
        TDateTime before;
        TDateTime after;
        bool rings;
    };
    const Case cases[] = {
        { "a stall of 3 s", Moment(2004, 3, 10, 7, 5, 2), Moment(2004, 3, 10, 7, 5, 8), true },
        { "a step of 59 s", Moment(2004, 3, 10, 7, 4, 30), Moment(2004, 3, 10, 7, 5, 29), true },
        { "midnight passed in a stall", Moment(2004, 3, 9, 23, 59, 58), Moment(2004, 3, 10, 0, 0, 20), true },
        { "a step of 2 minutes", Moment(2004, 3, 10, 7, 4, 0), Moment(2004, 3, 10, 7, 6, 0), false },
    };
    for (const Case& c : cases) {
        const QTime time = TimeOf(c.after);
        const QTime alarmTime = time.hour() == 0 ? QTime(0, 0) : QTime(7, 5);
        store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), alarmTime.hour(), alarmTime.minute()), "Wake") });
        AlarmSchedule fresh(store);
        fresh.setPresenter(&presenter);
        fresh.setReporter([this](const QString& message) { messages.append(message); });
        presented.clear();
        messages.clear();
        for (const TDateTime moment : { c.before, c.after, c.after + 1.0 / 86400 }) {
            clock = moment;
            fresh.PollAlarms(moment);
        }
        EXPECT_EQ(presented.size(), c.rings ? 1 : 0) << c.what;
        EXPECT_EQ(messages.size(), c.rings ? 0 : 1) << c.what;
    }
}

TEST_F(AlarmScheduleTest, StartupPassReportsEveryAlarmMissedWhileNoClockWatched)
{
    const QString watchFile = AlarmWatchFilePath(store.fileName());
    AlarmRecord added = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 30), "Added");
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 9, 0), "Later"), Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Wake"),
        Named(DailyAlarm(1, QDate(2004, 1, 1), 6, 0), "Early"), added });
    // A clock last watched at 6:30; at 7:40 the command line added "Added",
    // for 7:30, with no clock running.
    WriteAlarmWatch(watchFile, { Moment(2004, 3, 10, 6, 30), { { AlarmHandle(added), Moment(2004, 3, 10, 7, 40) } } });
    schedule.RunStartupPass(Moment(2004, 3, 10, 8, 0));
    EXPECT_EQ(messages, QStringList { QStringLiteral("Alarm \"Wake\" should've rung earlier(at 7: 05 am) today.") });
    EXPECT_EQ(store.records()[1].LastRung, 0);
    // Watched from now on: a start a minute later reports nothing.
    EXPECT_EQ(ReadAlarmWatch(watchFile), (AlarmWatch { Moment(2004, 3, 10, 8, 0), {} }));
    messages.clear();
    schedule.RunStartupPass(Moment(2004, 3, 10, 8, 1));
    EXPECT_TRUE(messages.isEmpty());

    // With no watch file (the first start) every alarm due earlier today is
    // reported, each once.
    QFile::remove(watchFile);
    schedule.RunStartupPass(Moment(2004, 3, 10, 8, 2));
    EXPECT_EQ(messages.size(), 3);
}

TEST_F(AlarmScheduleTest, ARunningClockNotesEveryTenMinutesThatItWatches)
{
    const QString watchFile = AlarmWatchFilePath(store.fileName());
    PollAt(Moment(2004, 3, 10, 8, 0));
    EXPECT_EQ(ReadAlarmWatch(watchFile).lastWatched, Moment(2004, 3, 10, 8, 0));
    PollAt(Moment(2004, 3, 10, 8, 9, 59));
    EXPECT_EQ(ReadAlarmWatch(watchFile).lastWatched, Moment(2004, 3, 10, 8, 0));
    PollAt(Moment(2004, 3, 10, 8, 10));
    EXPECT_EQ(ReadAlarmWatch(watchFile).lastWatched, Moment(2004, 3, 10, 8, 10));
    PollAt(Moment(2004, 3, 10, 7, 0)); // set back
    EXPECT_EQ(ReadAlarmWatch(watchFile).lastWatched, Moment(2004, 3, 10, 7, 0));
}

TEST_F(AlarmScheduleTest, StartupPassDeletesExpiredOneTimeAlarmsMarkedForIt)
{
    auto once = [](const char* name, const QDate& date, bool deleteAfterExpiration) {
        AlarmRecord alarm = Named(OnceAlarm(date, 7, 5), name);
        alarm.DeleteAfterExpiration = deleteAfterExpiration;
        return alarm;
    };
    AlarmRecord disabled = once("Disabled", QDate(2004, 3, 12), true);
    disabled.Enabled = false;
    AlarmRecord daily = Named(DailyAlarm(0, QDate(2004, 1, 1), 7, 5), "BadDaily");
    daily.DeleteAfterExpiration = true;
    store.replaceAll({
        once("Passed", QDate(2004, 3, 10), true),   // 7:05 today is over
        once("Past", QDate(2004, 3, 1), true),
        once("Keep", QDate(2004, 3, 1), false),
        once("Future", QDate(2005, 12, 31), true),
        once("TooFar", QDate(2006, 1, 1), true),
        disabled,
        daily,
    });
    schedule.RunStartupPass(Moment(2004, 3, 10, 8, 0));
    QStringList names;
    for (const AlarmRecord& alarm : store.records())
        names.append(alarm.Name.text());
    EXPECT_EQ(names, (QStringList { QStringLiteral("Keep"), QStringLiteral("Future"), QStringLiteral("BadDaily") }));
}

TEST_F(AlarmScheduleTest, AlarmsSkippedByAClockJumpAreReportedOnce)
{
    AlarmRecord rang = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 20), "Rang");
    rang.LastRung = Day(2004, 3, 10);
    AlarmRecord disabled = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 20), "Off");
    disabled.Enabled = false;
    store.replaceAll({
        Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Wake"),
        Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 29), "Coffee"),
        Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 40), "After"),
        Named(DailyAlarm(1, QDate(2004, 1, 1), 6, 0), "Before"),
        Named(OnceAlarm(QDate(2004, 3, 11), 7, 10), "Tomorrow"),
        rang,
        disabled,
    });
    PollAt(Moment(2004, 3, 10, 7, 0, 0));
    PollAt(Moment(2004, 3, 10, 7, 0, 1));
    EXPECT_TRUE(messages.isEmpty());

    // Suspended from 7:00:01 to 7:30.
    PollAt(Moment(2004, 3, 10, 7, 30, 0));
    EXPECT_EQ(messages, (QStringList { QStringLiteral("Alarm \"Wake\" should've rung earlier(at 7: 05 am) today."),
                            QStringLiteral("Alarm \"Coffee\" should've rung earlier(at 7: 29 am) today.") }));
    EXPECT_TRUE(presented.isEmpty());

    // The clock set back and forward over the same span again.
    messages.clear();
    PollAt(Moment(2004, 3, 10, 7, 0, 0));
    PollAt(Moment(2004, 3, 10, 7, 31, 0));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(AlarmScheduleTest, AJumpEndingInTheRingSecondsRingsInsteadOfReporting)
{
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Wake") });
    PollAt(Moment(2004, 3, 10, 6, 0, 0));
    PollAt(Moment(2004, 3, 10, 7, 5, 5));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(presented, QStringList { QStringLiteral("Wake") });
}

TEST_F(AlarmScheduleTest, AReportWaitsWhileAnAlarmIsOnScreen)
{
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Wake") });
    PollAt(Moment(2004, 3, 10, 7, 0, 0));
    presenter.presenting = true;
    PollAt(Moment(2004, 3, 10, 7, 30, 0));
    EXPECT_TRUE(messages.isEmpty());
    presenter.presenting = false;
    PollAt(Moment(2004, 3, 10, 7, 30, 1));
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(AlarmScheduleTest, ASnoozedAlarmRingsAgainUntilDismissedWithoutChangingItsSchedule)
{
    AlarmRecord wake = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Wake");
    wake.VisualFile.setText(QStringLiteral("/pictures/sun.jpg"));
    wake.SoundFile.setText(QStringLiteral("/sounds/bell.wav"));
    wake.StaysOn = 3;
    store.replaceAll({ wake });
    std::vector<AlarmRecord> copies;
    duringPresentation = [&copies, this] { copies.push_back(store.records()[0]); };
    snoozes = { 5, 10 };

    PollAt(Moment(2004, 3, 10, 7, 5, 4));
    ASSERT_EQ(schedule.Snoozes().size(), 1u);
    EXPECT_EQ(schedule.Snoozes()[0].due, Moment(2004, 3, 10, 7, 10, 4));
    EXPECT_EQ(store.records()[0].LastRung, Day(2004, 3, 10));
    PollAt(Moment(2004, 3, 10, 7, 5, 5));
    PollAt(Moment(2004, 3, 10, 7, 10, 3));
    EXPECT_EQ(presented.size(), 1);
    PollAt(Moment(2004, 3, 10, 7, 10, 4)); // snoozed again, for 10 minutes
    PollAt(Moment(2004, 3, 10, 7, 20, 3));
    EXPECT_EQ(presented.size(), 2);
    PollAt(Moment(2004, 3, 10, 7, 20, 30)); // late ticks still ring it
    EXPECT_EQ(presented, (QStringList { QStringLiteral("Wake"), QStringLiteral("Wake"), QStringLiteral("Wake") }));
    EXPECT_TRUE(schedule.Snoozes().empty());
    EXPECT_EQ(ReadSnoozes(SnoozeFilePath(store.fileName())), std::vector<PendingSnooze> {});

    // The same picture, text, sound and time each time; the record as stored
    // is untouched by the snoozes.
    AlarmRecord rung = wake;
    rung.LastRung = Day(2004, 3, 10);
    EXPECT_EQ(store.records(), std::vector<AlarmRecord> { rung });
    PollAt(Moment(2004, 3, 11, 7, 5, 4));
    EXPECT_EQ(presented.size(), 4);
}

TEST_F(AlarmScheduleTest, ADeletingOneTimeAlarmGoesWhenItsLastSnoozeIsDismissed)
{
    AlarmRecord once = Named(OnceAlarm(QDate(2004, 3, 10), 7, 5), "Once");
    once.DeleteAfterPlaying = true;
    store.replaceAll({ once, Named(DailyAlarm(1, QDate(2004, 1, 1), 9, 0), "Daily") });
    snoozes = { 15 };
    PollAt(Moment(2004, 3, 10, 7, 5, 4));
    ASSERT_EQ(store.size(), 2u);
    AlarmStore saved(store.fileName());
    saved.LoadAlarms();
    EXPECT_EQ(saved.size(), 2u);

    PollAt(Moment(2004, 3, 10, 7, 20, 4));
    ASSERT_EQ(store.size(), 1u);
    EXPECT_EQ(store.records()[0].Name.text(), u"Daily");
    saved.LoadAlarms();
    EXPECT_EQ(saved.records(), store.records());
}

TEST_F(AlarmScheduleTest, ASnoozeEndsWithItsAlarmAndRingsItAsEdited)
{
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Wake"), Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 6), "Tea"),
        Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 7), "Gym") });
    const AlarmId wake = store.idAt(0), tea = store.idAt(1), gym = store.idAt(2);
    int changes = 0;
    QObject::connect(&schedule, &AlarmSchedule::snoozesChanged, [&changes] { ++changes; });
    snoozes = { 10, 10, 10 };
    PollAt(Moment(2004, 3, 10, 7, 5, 4));
    PollAt(Moment(2004, 3, 10, 7, 6, 4));
    PollAt(Moment(2004, 3, 10, 7, 7, 4));
    ASSERT_EQ(schedule.Snoozes().size(), 3u);
    EXPECT_EQ(schedule.SnoozedUntil(tea), Moment(2004, 3, 10, 7, 16, 4));
    EXPECT_GE(changes, 3);

    store.remove(wake); // deleted: its snooze ends
    AlarmRecord off = *store.find(tea);
    off.Enabled = false; // switched off and saved: its snooze ends
    store.update(tea, off);
    AlarmRecord edited = *store.find(gym);
    edited.Name.setText(QStringLiteral("Gym at 8"));
    store.update(gym, edited);
    EXPECT_EQ(schedule.Snoozes(), (std::vector<AlarmSnooze> { { gym, Moment(2004, 3, 10, 7, 17, 4) } }));
    EXPECT_FALSE(schedule.SnoozedUntil(wake));
    const std::vector<PendingSnooze> file = ReadSnoozes(SnoozeFilePath(store.fileName()));
    ASSERT_EQ(file.size(), 1u);
    EXPECT_EQ(file[0].alarm.Name.text(), QStringLiteral("Gym at 8"));

    presented.clear();
    for (int minute = 15; minute <= 18; ++minute)
        PollAt(Moment(2004, 3, 10, 7, minute, 4));
    EXPECT_EQ(presented, QStringList { QStringLiteral("Gym at 8") });
    EXPECT_TRUE(schedule.Snoozes().empty());
}

TEST_F(AlarmScheduleTest, CancellingASnoozeEndsItAsADismissalWould)
{
    AlarmRecord once = Named(OnceAlarm(QDate(2004, 3, 10), 7, 5), "Once");
    once.DeleteAfterPlaying = true;
    store.replaceAll({ once, Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 6), "Daily") });
    const AlarmId daily = store.idAt(1);
    snoozes = { 5, 5 };
    PollAt(Moment(2004, 3, 10, 7, 5, 4));
    PollAt(Moment(2004, 3, 10, 7, 6, 4));
    schedule.CancelSnoozes(daily);
    schedule.CancelSnoozes(store.idAt(0));
    EXPECT_TRUE(schedule.Snoozes().empty());
    EXPECT_TRUE(ReadSnoozes(SnoozeFilePath(store.fileName())).empty());
    // The one-time alarm has played and deletes itself; the daily one stays.
    AlarmStore saved(store.fileName());
    saved.LoadAlarms();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved.records()[0].Name.text(), QStringLiteral("Daily"));
    presented.clear();
    PollAt(Moment(2004, 3, 10, 7, 11, 4));
    EXPECT_TRUE(presented.isEmpty());
}

TEST_F(AlarmScheduleTest, SnoozesOutliveARestartAndThoseDueMeanwhileAreReportedOnce)
{
    AlarmRecord once = Named(OnceAlarm(QDate(2004, 3, 10), 7, 5), "Tea");
    once.DeleteAfterPlaying = true;
    store.replaceAll({ Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), "Wake"), once });
    snoozes = { 5, 10 };
    PollAt(Moment(2004, 3, 10, 7, 5, 4)); // Wake, until 7:10:04
    PollAt(Moment(2004, 3, 10, 7, 5, 5)); // Tea, until 7:15:05

    // Started again at 7:12: Wake's snooze ended while the program was not
    // running, Tea's is still ahead.
    AlarmStore restartedStore(store.fileName());
    restartedStore.LoadAlarms();
    AlarmSchedule restarted(restartedStore);
    QStringList restartedPresented;
    RecordingPresenter restartedPresenter;
    restartedPresenter.onPresent = [&restartedPresented](const AlarmRecord& alarm) {
        restartedPresented.append(alarm.Name.text());
        return 0;
    };
    restarted.setPresenter(&restartedPresenter);
    QStringList restartedMessages;
    restarted.setReporter([&restartedMessages](const QString& message) { restartedMessages.append(message); });
    clock = Moment(2004, 3, 10, 7, 12);
    restarted.RunStartupPass(clock);
    EXPECT_EQ(restartedMessages,
        QStringList { QStringLiteral("Snoozed alarm \"Wake\" should've rung again earlier(at 7: 10 am on 10 Mar 2004).") });
    ASSERT_EQ(restarted.Snoozes().size(), 1u);
    EXPECT_EQ(restarted.Snoozes()[0], (AlarmSnooze { restartedStore.idAt(1), Moment(2004, 3, 10, 7, 15, 5) }));
    ASSERT_EQ(ReadSnoozes(SnoozeFilePath(store.fileName())).size(), 1u);

    clock = Moment(2004, 3, 10, 7, 15, 5);
    restarted.PollAlarms(clock);
    EXPECT_EQ(restartedPresented, QStringList { QStringLiteral("Tea") });
    ASSERT_EQ(restartedStore.size(), 1u);
    EXPECT_EQ(restartedStore.records()[0].Name.text(), u"Wake");

    // Reported once: a third start finds nothing left to report.
    restartedMessages.clear();
    restarted.RunStartupPass(Moment(2004, 3, 10, 8, 0));
    EXPECT_TRUE(restartedMessages.isEmpty());
}
