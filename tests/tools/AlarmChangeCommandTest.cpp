#include "alarms/AlarmRules.h"
#include "alarms/AlarmStore.h"
#include "alarms/SnoozeFile.h"
#include "desktop/InstanceChannel.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/TempFolder.h"
#include "tests/tools/AlarmsToolRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <future>
#include <memory>

namespace {

QStringList Words(const char* text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

// Changes through the tool on a store of a temporary folder, on Monday 5
// January 2004 at noon, with no clock to hand them to.
class AlarmChangeCommandTest : public ::testing::Test {
protected:
    AlarmChangeCommandTest()
    {
        // A runtime folder of its own: no clock of the machine's user listens
        // in it.
        previousRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", folder.path().toUtf8());
        folder.write(QStringLiteral("sounds/bell.wav"), "RIFF");
        folder.write(QStringLiteral("pictures/sun.jpg"), "JPEG");
        folder.write(QStringLiteral("notes/plan.txt"), "Plan\n");
    }
    ~AlarmChangeCommandTest() override { qputenv("XDG_RUNTIME_DIR", previousRuntime); }

    ToolRun Change(const QStringList& arguments)
    {
        return RunAlarms(arguments + QStringList { QStringLiteral("--store"), storePath });
    }
    ToolRun Add(const QStringList& options) { return Change(QStringList { QStringLiteral("add") } + options + atNoon); }

    std::vector<AlarmRecord> Stored() const
    {
        AlarmStore store(storePath);
        store.LoadAlarms();
        return store.records();
    }
    QString Listed() const
    {
        return RunAlarms(QStringList { QStringLiteral("--store"), storePath } + atNoon).out;
    }

    TempFolder folder;
    QByteArray previousRuntime;
    const QString storePath = folder.file(QStringLiteral("Alarm/Alarms.cfg"));
    const QStringList atNoon { QStringLiteral("--now"), QStringLiteral("2004-01-05 12:00:00") };
};

} // namespace

TEST_F(AlarmChangeCommandTest, EveryModeIsListedAndRingsAsTheEditorWouldStoreIt)
{
    struct Case {
        const char* options;
        const char* listed; // type, time and next date as listed
        QDate ringsOn;
        QDate notOn;
    };
    const Case cases[] = {
        { "--once 2004-01-07 --time 7:30", "Once\t7: 30 am\t7 Jan 2004", QDate(2004, 1, 7), QDate(2004, 1, 8) },
        { "--once today --time 13:00", "Once\t1: 00 pm\t5 Jan 2004", QDate(2004, 1, 5), QDate(2004, 1, 6) },
        { "--once tomorrow --time 06:00", "Once\t6: 00 am\t6 Jan 2004", QDate(2004, 1, 6), QDate(2004, 1, 5) },
        { "--daily 3 --start 2004-01-06 --time 08:00", "Daily\t8: 00 am\t6 Jan 2004", QDate(2004, 1, 9), QDate(2004, 1, 8) },
        { "--daily 1 --time 11:00", "Daily\t11: 00 am\t6 Jan 2004", QDate(2004, 1, 5), QDate(2004, 1, 4) },
        { "--weekly 2 --days sat,Sunday --time 09:15", "Weekly\t9: 15 am\t10 Jan 2004", QDate(2004, 1, 24), QDate(2004, 1, 17) },
        { "--weekly 1 --time 18:00", "Weekly\t6: 00 pm\t5 Jan 2004", QDate(2004, 1, 9), QDate(2004, 1, 10) },
        { "--monthly --day 31 --months feb,mar --time 20:00", "Monthly\t8: 00 pm\t31 Mar 2004", QDate(2004, 3, 31), QDate(2004, 1, 31) },
        { "--monthly --the last --weekday fri --time 12:30", "Monthly\t12: 30 pm\t30 Jan 2004", QDate(2004, 2, 27), QDate(2004, 2, 20) },
        { "--monthly --the first --weekday monday --months all --time 9:00", "Monthly\t9: 00 am\t2 Feb 2004", QDate(2004, 1, 5),
            QDate(2004, 1, 12) },
    };
    QString expected;
    for (const Case& c : cases) {
        const ToolRun run = Add(Words(c.options));
        ASSERT_EQ(run.status, 0) << c.options << ": " << run.err.toStdString();
        const int index = expected.count(u'\n');
        EXPECT_EQ(run.out, QString::number(index) + u'\n');
        const AlarmRecord added = Stored().back();
        expected += QStringLiteral("%1\t%2\tNew Alarm\t%3\t\n").arg(index).arg(AlarmHandle(added), QString::fromUtf8(c.listed));
        EXPECT_TRUE(IsRingDay(added, c.ringsOn)) << c.options;
        EXPECT_FALSE(IsRingDay(added, c.notOn)) << c.options;
        EXPECT_EQ(added.LastRung, 0);
    }
    EXPECT_EQ(Listed(), expected);
}

TEST_F(AlarmChangeCommandTest, WhatTheAlarmShowsAndItsSwitches)
{
    ASSERT_EQ(Add({ QStringLiteral("--once"), QStringLiteral("tomorrow"), QStringLiteral("--time"), QStringLiteral("6:45"),
                  QStringLiteral("--name"), QStringLiteral("Wake up"), QStringLiteral("--picture"),
                  folder.file(QStringLiteral("pictures/sun.jpg")), QStringLiteral("--sound"),
                  folder.file(QStringLiteral("sounds/bell.wav")), QStringLiteral("--stays-on"), QStringLiteral("forever"),
                  QStringLiteral("--delete-after-playing"), QStringLiteral("--disabled") })
                  .status,
        0);
    ASSERT_EQ(Add({ QStringLiteral("--daily"), QStringLiteral("2"), QStringLiteral("--time"), QStringLiteral("7:00"),
                  QStringLiteral("--message"), QStringLiteral("Stand up!") })
                  .status,
        0);
    ASSERT_EQ(Add({ QStringLiteral("--once"), QStringLiteral("2004-02-01"), QStringLiteral("--time"), QStringLiteral("9:00"),
                  QStringLiteral("--document"), folder.file(QStringLiteral("notes/plan.txt")),
                  QStringLiteral("--delete-after-expiration") })
                  .status,
        0);
    const std::vector<AlarmRecord> alarms = Stored();
    ASSERT_EQ(alarms.size(), 3u);

    const AlarmRecord& wake = alarms[0];
    EXPECT_EQ(wake.Name.text(), u"Wake up");
    EXPECT_EQ(wake.VisualFile.text(), folder.file(QStringLiteral("pictures/sun.jpg")));
    EXPECT_EQ(wake.SoundFile.text(), folder.file(QStringLiteral("sounds/bell.wav")));
    EXPECT_TRUE(wake.Sound && wake.AudioPic && wake.DeleteAfterPlaying);
    EXPECT_FALSE(wake.Enabled || wake.DeleteAfterExpiration);
    EXPECT_EQ(wake.StaysOn, 9999);

    const AlarmRecord& standUp = alarms[1];
    EXPECT_EQ(standUp.VisualFile.text(), u"Stand up!");
    EXPECT_TRUE(standUp.Enabled && standUp.AudioPic);
    EXPECT_FALSE(standUp.Sound);
    EXPECT_EQ(standUp.StaysOn, 0);

    const AlarmRecord& plan = alarms[2];
    EXPECT_FALSE(plan.AudioPic || plan.DeleteAfterPlaying);
    EXPECT_TRUE(plan.DeleteAfterExpiration);
    EXPECT_EQ(plan.DocFile.text(), folder.file(QStringLiteral("notes/plan.txt")));
}

TEST_F(AlarmChangeCommandTest, NamesMessagesAndPathsInEveryScriptTravelWhole)
{
    folder.write(QStringLiteral("звуки/звонок.wav"), "RIFF");
    folder.write(QStringLiteral("写真/日の出.jpg"), "JPEG");
    const QString names[] = { QStringLiteral("Будильник"), QStringLiteral("Ξύπνα"), QStringLiteral("起きて"), QStringLiteral("⏰🌅") };
    const QString message = QStringLiteral("Пора вставать! Ώρα 起きて 🌅");
    for (const QString& name : names) {
        const bool fits = name != names[0]; // nine Cyrillic letters need 19 bytes of the name's 12
        const ToolRun run = Add({ QStringLiteral("--daily"), QStringLiteral("1"), QStringLiteral("--time"), QStringLiteral("7:00"),
            QStringLiteral("--name"), name, QStringLiteral("--message"), message, QStringLiteral("--sound"),
            folder.file(QStringLiteral("звуки/звонок.wav")) });
        EXPECT_EQ(run.status, fits ? 0 : 2) << run.err.toStdString();
        if (!fits) {
            EXPECT_TRUE(run.err.contains("--name holds at most 12 Western European characters, or 5 Cyrillic")) << run.err.toStdString();
        }
    }
    ASSERT_EQ(Add({ QStringLiteral("--daily"), QStringLiteral("1"), QStringLiteral("--time"), QStringLiteral("8:00"),
                  QStringLiteral("--picture"), folder.file(QStringLiteral("写真/日の出.jpg")) })
                  .status,
        0);

    const std::vector<AlarmRecord> alarms = Stored();
    ASSERT_EQ(alarms.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(alarms[i].Name.text(), names[i + 1]);
        EXPECT_EQ(alarms[i].VisualFile.text(), message);
        EXPECT_EQ(alarms[i].SoundFile.text(), folder.file(QStringLiteral("звуки/звонок.wav")));
    }
    EXPECT_EQ(alarms[3].VisualFile.text(), folder.file(QStringLiteral("写真/日の出.jpg")));
    const QStringList rows = Listed().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rows[i].section(u'\t', 2, 2), names[i + 1]) << rows[i].toStdString();
}

TEST_F(AlarmChangeCommandTest, EnableDisableAndDeleteByTheListedIndex)
{
    AlarmRecord off = DailyAlarm(1, QDate(2004, 1, 1), 7, 0);
    off.Enabled = false;
    off.Name.setText(QStringLiteral("Off"));
    AlarmRecord on = DailyAlarm(1, QDate(2004, 1, 1), 8, 0);
    on.Name.setText(QStringLiteral("On"));
    AlarmRecord gone = DailyAlarm(1, QDate(2004, 1, 1), 9, 0);
    gone.Name.setText(QStringLiteral("Gone"));
    folder.write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ off, on, gone }));

    EXPECT_EQ(Change({ QStringLiteral("enable"), QStringLiteral("0") }).status, 0);
    EXPECT_EQ(Change({ QStringLiteral("disable"), QStringLiteral("1") }).status, 0);
    EXPECT_EQ(Change({ QStringLiteral("delete"), QStringLiteral("2") }).status, 0);
    off.Enabled = true;
    on.Enabled = false;
    EXPECT_EQ(Stored(), (std::vector<AlarmRecord> { off, on }));
}

TEST_F(AlarmChangeCommandTest, AHandleNamesTheAlarmMeantAndUnsnoozeEndsItsSnoozes)
{
    AlarmRecord wake = DailyAlarm(1, QDate(2004, 1, 1), 7, 0);
    wake.Name.setText(QStringLiteral("Wake"));
    AlarmRecord tea = DailyAlarm(1, QDate(2004, 1, 1), 8, 0);
    tea.Name.setText(QStringLiteral("Tea"));
    folder.write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ wake, tea }));
    WriteSnoozes(SnoozeFilePath(storePath), { { Moment(2004, 1, 5, 12, 10), tea } });
    const QByteArray before = folder.read(QStringLiteral("Alarm/Alarms.cfg"));

    const ToolRun other = Change({ QStringLiteral("delete"), QStringLiteral("0"), QStringLiteral("--handle"), AlarmHandle(tea) });
    EXPECT_EQ(other.status, 2);
    EXPECT_TRUE(other.err.contains(QStringLiteral("which is alarm 1 now"))) << other.err.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("Alarm/Alarms.cfg")), before);

    const ToolRun notSnoozed = Change({ QStringLiteral("unsnooze"), QStringLiteral("0") });
    EXPECT_EQ(notSnoozed.status, 2);
    EXPECT_TRUE(notSnoozed.err.contains(QStringLiteral("not snoozed"))) << notSnoozed.err.toStdString();

    EXPECT_TRUE(Listed().contains(QStringLiteral("\tsnoozed until 12: 10 pm\n")));
    const ToolRun unsnooze = Change({ QStringLiteral("unsnooze"), QStringLiteral("1"), QStringLiteral("--handle"), AlarmHandle(tea) });
    EXPECT_EQ(unsnooze.status, 0) << unsnooze.err.toStdString();
    EXPECT_TRUE(ReadSnoozes(SnoozeFilePath(storePath)).empty());
    EXPECT_FALSE(Listed().contains(QStringLiteral("snoozed")));
    EXPECT_EQ(Stored().size(), 2u);
}

TEST_F(AlarmChangeCommandTest, BadOptionsAreNamedAndChangeNothing)
{
    folder.write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ DailyAlarm(1, QDate(2004, 1, 1), 7, 0) }));
    const QByteArray before = folder.read(QStringLiteral("Alarm/Alarms.cfg"));
    const QString sound = folder.file(QStringLiteral("sounds/bell.wav"));
    struct Case {
        QStringList arguments;
        const char* named;
    };
    const auto add = [](const char* options) { return QStringList { QStringLiteral("add") } + Words(options); };
    const QStringList noon = atNoon;
    const Case cases[] = {
        { add("--time 7:00"), "--once" },
        { add("--once today"), "--time" },
        { add("--once today --time 25:00"), "--time" },
        { add("--once someday --time 7:00"), "--once" },
        { add("--once 2004-02-30 --time 7:00"), "--once" },
        { add("--once today --daily 2 --time 7:00"), "--daily" },
        { add("--daily 0 --time 7:00"), "--daily" },
        { add("--daily 357 --time 7:00"), "--daily" },
        { add("--weekly x --time 7:00"), "--weekly" },
        { add("--weekly 1 --days mon,funday --time 7:00"), "--days" },
        { add("--daily 1 --days mon --time 7:00"), "--days" },
        { add("--once today --start 2004-01-01 --time 7:00"), "--start" },
        { add("--daily 1 --start 2004-1-1 --time 7:00"), "--start" },
        { add("--monthly --time 7:00"), "--monthly" },
        { add("--monthly --day 32 --time 7:00"), "--day" },
        { add("--monthly --day 3 --the first --weekday mon --time 7:00"), "--the" },
        { add("--monthly --the fifth --weekday mon --time 7:00"), "--the" },
        { add("--monthly --the last --time 7:00"), "--weekday" },
        { add("--monthly --the last --weekday someday --time 7:00"), "--weekday" },
        { add("--monthly --day 1 --months jan,smarch --time 7:00"), "--months" },
        { add("--daily 1 --time 7:00 --name Much-too-long-name"), "--name" },
        { add("--daily 1 --time 7:00 --picture /no/such.jpg"), "--picture" },
        { add("--daily 1 --time 7:00 --sound /no/such.wav"), "--sound" },
        { add("--daily 1 --time 7:00 --document /no/such.txt"), "--document" },
        { add("--daily 1 --time 7:00 --message a/b"), "--message" },
        { QStringList { QStringLiteral("add"), QStringLiteral("--daily"), QStringLiteral("1"), QStringLiteral("--time"),
              QStringLiteral("7:00"), QStringLiteral("--message"), QString(91, u'ж') },
            "--message holds at most 180" },
        { add("--daily 1 --time 7:00 --stays-on 2"), "--stays-on" },
        { add("--daily 1 --time 7:00 --delete-after-playing"), "--delete-after-playing" },
        { add("--daily 1 --time 7:00 --time 8:00"), "--time" },
        { add("--daily 1 --time 7:00 --loud"), "--loud" },
        { add("--daily 1 --time"), "--time" },
        { add("--daily 1 --time 7:00 --now tomorrow"), "--now" },
        { add("--once today --time 11:59") + noon, "2004-01-05 11:59 has passed" },
        { add("--once 2004-01-01 --time 13:00") + noon, "2004-01-01 13:00 has passed" },
        { add("--monthly --day 31 --months feb --time 7:00"), "none of the chosen months has a day 31" },
        { add("--monthly --day 31 --months apr,jun,sep,nov --time 7:00"), "none of the chosen months has a day 31" },
        { QStringList { QStringLiteral("add"), QStringLiteral("--daily"), QStringLiteral("1"), QStringLiteral("--time"),
              QStringLiteral("7:00"), QStringLiteral("--sound"), sound, QStringLiteral("--document"),
              folder.file(QStringLiteral("notes/plan.txt")) },
            "--document" },
        { QStringList { QStringLiteral("add"), QStringLiteral("--daily"), QStringLiteral("1"), QStringLiteral("--time"),
              QStringLiteral("7:00"), QStringLiteral("--stays-on"), QStringLiteral("5") },
            "--sound" },
        { QStringList { QStringLiteral("enable") }, "INDEX" },
        { QStringList { QStringLiteral("delete"), QStringLiteral("-1") }, "INDEX" },
        { QStringList { QStringLiteral("disable"), QStringLiteral("first") }, "INDEX" },
        { QStringList { QStringLiteral("delete"), QStringLiteral("1") }, "no alarm 1" },
        { QStringList { QStringLiteral("enable"), QStringLiteral("0"), QStringLiteral("--loud") }, "--loud" },
        { QStringList { QStringLiteral("enable"), QStringLiteral("0"), QStringLiteral("--handle"), QStringLiteral("xyz") }, "--handle" },
    };
    for (const Case& c : cases) {
        const ToolRun run = Change(c.arguments);
        const std::string shown = c.arguments.join(u' ').toStdString() + " -> " + run.err.toStdString();
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.named))) << shown;
        EXPECT_TRUE(run.out.isEmpty()) << shown;
        EXPECT_EQ(folder.read(QStringLiteral("Alarm/Alarms.cfg")), before) << shown;
    }
}

// An alarm that can never ring is added only when the user insists; a 29
// February is a day some years have.
TEST_F(AlarmChangeCommandTest, AnAlarmThatCanNeverRingNeedsForce)
{
    EXPECT_EQ(Add(Words("--once today --time 11:00 --force")).status, 0);
    EXPECT_EQ(Add(Words("--monthly --day 31 --months feb --time 7:00 --force")).status, 0);
    EXPECT_EQ(Add(Words("--monthly --day 29 --months feb --time 7:00")).status, 0);
    EXPECT_EQ(Stored().size(), 3u);
}

// Files are found from the current folder, else in the program folder, and
// kept as the absolute path the editor's chooser gives.
TEST_F(AlarmChangeCommandTest, FilesAreFoundHereElseInTheProgramFolder)
{
    folder.becomeProgramFolder();
    TempFolder here;
    here.write(QStringLiteral("sounds/bell.wav"), "RIFF");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(here.path());
    const ToolRun fromHere = Add(Words("--daily 1 --time 7:00 --sound sounds/bell.wav --picture pictures/sun.jpg"));
    const ToolRun missing = Add(Words("--daily 1 --time 7:00 --sound sounds/none.wav"));
    QDir::setCurrent(previous);
    ASSERT_EQ(fromHere.status, 0) << fromHere.err.toStdString();
    EXPECT_EQ(Stored().back().SoundFile.text(), here.file(QStringLiteral("sounds/bell.wav")));
    EXPECT_EQ(Stored().back().VisualFile.text(), folder.file(QStringLiteral("pictures/sun.jpg")));
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("an existing file here or in the program folder ") + folder.path()))
        << missing.err.toStdString();
}

TEST_F(AlarmChangeCommandTest, AnAddCreatesAMissingStore)
{
    ASSERT_FALSE(QFile::exists(storePath));
    const ToolRun run = Add(Words("--daily 1 --time 7:00"));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(Stored().size(), 1u);
}

TEST_F(AlarmChangeCommandTest, AClockThatDoesNotAnswerKeepsItsStoreUntouched)
{
    folder.write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ DailyAlarm(1, QDate(2004, 1, 1), 7, 0) }));
    const QByteArray before = folder.read(QStringLiteral("Alarm/Alarms.cfg"));
    // A clock that reads the request and closes without an answer.
    const QString serverPath = InstanceServerPath(QLatin1String(kClockTitle));
    std::promise<bool> listening;
    // A thread of Qt's own: the server's socket notifiers need one.
    std::unique_ptr<QThread> clock(QThread::create([&serverPath, &listening] {
        QLocalServer server;
        listening.set_value(server.listen(serverPath));
        if (server.waitForNewConnection(5000)) {
            QLocalSocket* socket = server.nextPendingConnection();
            socket->waitForReadyRead(5000);
            socket->disconnectFromServer();
        }
    }));
    clock->start();
    if (!listening.get_future().get()) {
        clock->wait();
        FAIL() << "cannot listen on " << serverPath.toStdString();
    }
    const ToolRun run = Add(Words("--daily 1 --time 7:00"));
    clock->wait();
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(u"did not answer")) << run.err.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("Alarm/Alarms.cfg")), before);
}

// A clock holds the guard's lock but no longer listens (its channel lost):
// the tool does not take the silence for "no clock" and write the store
// behind its back.
TEST_F(AlarmChangeCommandTest, AClockThatHoldsTheLockButDoesNotListenKeepsItsStore)
{
    folder.write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ DailyAlarm(1, QDate(2004, 1, 1), 7, 0) }));
    const QByteArray before = folder.read(QStringLiteral("Alarm/Alarms.cfg"));
    QLockFile guard(InstanceServerPath(QLatin1String(kClockTitle)) + QStringLiteral(".lock"));
    ASSERT_TRUE(guard.tryLock(0));
    const ToolRun run = Add(Words("--daily 1 --time 7:00"));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(u"A clock is running but does not take changes now")) << run.err.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("Alarm/Alarms.cfg")), before);

    guard.unlock(); // no clock: the tool writes the store itself
    EXPECT_EQ(Add(Words("--daily 1 --time 7:00")).status, 0);
}
