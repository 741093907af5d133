#include "alarms/SnoozeFile.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/TempFolder.h"
#include "tests/tools/AlarmsToolRun.h"

#include <gtest/gtest.h>

#include <QDir>

#include <random>

namespace {

class AlarmsCommandTest : public ::testing::Test {
protected:
    TempFolder folder;
    const QString storePath = folder.file(QStringLiteral("Alarm/Alarms.cfg"));
    const QStringList atNoon { QStringLiteral("--now"), QStringLiteral("2004-01-05 12:00:00") };
};

} // namespace

TEST_F(AlarmsCommandTest, ListsEveryAlarmAsTheAlarmListShowsIt)
{
    AlarmRecord wake = DailyAlarm(2, QDate(2004, 1, 1), 19, 5);
    wake.Name.setText(QStringLiteral("Wake"));
    AlarmRecord once = OnceAlarm(QDate(2004, 1, 5), 7, 5);
    once.Name.setText(QStringLiteral("Gone"));
    AlarmRecord odd = AlarmAt(9, 0, 30, "Odd\tName");
    folder.write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ wake, once, odd }));
    // Wake was snoozed until ten past noon.
    WriteSnoozes(SnoozeFilePath(storePath), { { Moment(2004, 1, 5, 12, 10), wake } });

    folder.becomeProgramFolder();
    const ToolRun twelve = RunAlarms(atNoon);
    EXPECT_EQ(twelve.status, 0) << twelve.err.toStdString();
    // Index, handle, name, type, time, next date, pending snooze.
    EXPECT_EQ(twelve.out,
        QStringLiteral("0\t%1\tWake\tDaily\t7: 05 pm\t5 Jan 2004\tsnoozed until 12: 10 pm\n"
                       "1\t%2\tGone\tOnce\t7: 05 am\t<Expired>\t\n"
                       "2\t%3\tOdd?Name\t\t12: 30 am\t<Expired>\t\n")
            .arg(AlarmHandle(wake), AlarmHandle(once), AlarmHandle(odd)));
    EXPECT_NE(AlarmHandle(wake), AlarmHandle(once));
    EXPECT_EQ(AlarmHandle(wake).size(), 8);

    const ToolRun twentyFour = RunAlarms(QStringList { QStringLiteral("--store"), storePath, QStringLiteral("--24h") } + atNoon);
    EXPECT_EQ(twentyFour.out.section(u'\n', 0, 0),
        QStringLiteral("0\t%1\tWake\tDaily\t19: 05\t5 Jan 2004\tsnoozed until 12: 10").arg(AlarmHandle(wake)));
    EXPECT_EQ(twentyFour.out.section(u'\n', 2, 2), QStringLiteral("2\t%1\tOdd?Name\t\t0: 30\t<Expired>\t").arg(AlarmHandle(odd)));
}

TEST_F(AlarmsCommandTest, RandomBytesAreListedWithoutFailing)
{
    std::mt19937 random(3);
    QByteArray bytes(1345, '\0');
    for (char& byte : bytes)
        byte = char(random());
    folder.write(QStringLiteral("Alarm/Alarms.cfg"), bytes);
    const ToolRun run = RunAlarms(QStringList { QStringLiteral("--store"), storePath } + atNoon);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.count(u'\n'), 2);
    EXPECT_EQ(run.out.count(u'\t'), 12);
}

TEST_F(AlarmsCommandTest, AStoreThatCannotBeReadEndsWithStatusTwo)
{
    const ToolRun missing = RunAlarms({ QStringLiteral("--store"), folder.file(QStringLiteral("none.cfg")) });
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(u"none.cfg")) << missing.err.toStdString();

    QDir().mkpath(storePath);
    const ToolRun folderInTheWay = RunAlarms({ QStringLiteral("--store"), storePath });
    EXPECT_EQ(folderInTheWay.status, 2);
    EXPECT_TRUE(folderInTheWay.err.contains(u"Alarms.cfg")) << folderInTheWay.err.toStdString();
    EXPECT_TRUE(folderInTheWay.out.isEmpty());
}

TEST_F(AlarmsCommandTest, BadArgumentsEndWithStatusTwo)
{
    for (const QStringList& arguments : { QStringList { QStringLiteral("--now"), QStringLiteral("yesterday") },
             QStringList { QStringLiteral("--store") }, QStringList { QStringLiteral("--12h") } }) {
        const ToolRun run = RunAlarms(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
}

TEST_F(AlarmsCommandTest, WithoutAStoreInTheProgramFolderNothingIsListed)
{
    folder.becomeProgramFolder();
    const ToolRun run = RunAlarms(atNoon);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.isEmpty());
}
