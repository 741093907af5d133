#include "alarms/SnoozeFile.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

TEST(SnoozeFileTest, SnoozesReadBackAsWrittenBesideTheStore)
{
    TempFolder folder;
    const QString path = SnoozeFilePath(folder.file(QStringLiteral("Alarm/Alarms.cfg")));
    EXPECT_EQ(path, folder.file(QStringLiteral("Alarm/Snoozes.txt")));
    EXPECT_TRUE(ReadSnoozes(path).empty());

    AlarmRecord wake = DailyAlarm(1, QDate(2004, 1, 1), 7, 5);
    wake.Name.setText(QStringLiteral("Wake"));
    wake.Padding667 = 0xA7; // every byte of the record survives
    const std::vector<PendingSnooze> snoozes { { Moment(2004, 3, 10, 7, 10, 4), wake },
        { Moment(2004, 3, 10, 7, 15, 0), OnceAlarm(QDate(2004, 3, 10), 7, 0) } };
    WriteSnoozes(path, snoozes);
    EXPECT_EQ(ReadSnoozes(path), snoozes);

    const QList<QByteArray> lines = folder.read(QStringLiteral("Alarm/Snoozes.txt")).split('\n');
    ASSERT_EQ(lines.size(), 4); // a comment, two snoozes, the final line end
    EXPECT_TRUE(lines[0].startsWith('#'));
    EXPECT_TRUE(lines[1].startsWith("2004-03-10 07:10:04\t01"));
    EXPECT_EQ(lines[1].size(), 20 + 2 * 672);
}

TEST(SnoozeFileTest, LinesThatAreNotSnoozesAreSkipped)
{
    TempFolder folder;
    const QByteArray record = StoreBytes({ OnceAlarm(QDate(2004, 3, 10), 7, 0) }).toHex();
    folder.write(QStringLiteral("Snoozes.txt"),
        "2004-03-10 07:10:04\t" + record + "\n"      // kept
        + "2004-13-10 07:10:04\t" + record + "\n"    // no such month
        + "2004-03-10 07:10:04\t" + record.left(100) + "\n"
        + "2004-03-10 07:10:04\t" + record + "zz\n"
        + "2004-03-10 07:10:04 " + record + "\n"
        + "\n");
    const std::vector<PendingSnooze> read = ReadSnoozes(folder.file(QStringLiteral("Snoozes.txt")));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].due, Moment(2004, 3, 10, 7, 10, 4));
}
