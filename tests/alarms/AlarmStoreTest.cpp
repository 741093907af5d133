#include "alarms/AlarmStore.h"
#include "platform/IoError.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <random>

namespace {

const QString kStoreName = QStringLiteral("Alarm/Alarms.cfg");

QByteArray RandomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = char(random());
    return bytes;
}

class AlarmStoreTest : public ::testing::Test {
protected:
    TempFolder folder;
    AlarmStore store { folder.file(kStoreName) };
};

} // namespace

TEST_F(AlarmStoreTest, DefaultPathIsTheProgramFoldersAlarmStore)
{
    folder.becomeProgramFolder();
    EXPECT_EQ(DefaultAlarmStorePath(), folder.file(kStoreName));
}

TEST_F(AlarmStoreTest, WithoutAFileOrFolderTheStoreIsEmptyAndASaveCreatesBoth)
{
    store.Alarms.push_back(DailyAlarm(1, QDate(2004, 3, 10), 7, 5));
    store.LoadAlarms();
    EXPECT_TRUE(store.Alarms.empty());

    store.SaveAlarms();
    EXPECT_EQ(folder.read(kStoreName).size(), 0);

    store.Alarms = { OnceAlarm(QDate(2004, 12, 31), 7, 5), MonthlyDayAlarm(31, 8, 0) };
    store.SaveAlarms();
    EXPECT_EQ(folder.read(kStoreName), StoreBytes(store.Alarms));
    EXPECT_EQ(folder.read(kStoreName).size(), 2 * 672);
}

TEST_F(AlarmStoreTest, RandomBytesLoadAndSaveBackAsTheyWereRead)
{
    // 1,345 bytes: two records and one trailing byte, which is ignored.
    const QByteArray contents = RandomBytes(1345, 7);
    folder.write(kStoreName, contents);
    store.LoadAlarms();
    ASSERT_EQ(store.Alarms.size(), 2u);

    store.SaveAlarms();
    EXPECT_EQ(folder.read(kStoreName), contents.left(1344));
}

TEST_F(AlarmStoreTest, CheckBoxesOfTheListReachTheRecordsAtSave)
{
    std::vector<TAlarmRec> alarms(3, DailyAlarm(1, QDate(2004, 3, 10), 7, 5));
    QByteArray contents = StoreBytes(alarms);
    contents[672] = '\x05'; // an odd "true" byte of record 1
    folder.write(kStoreName, contents);
    store.LoadAlarms();

    // Row 0 unchecked, row 1 still checked, and no row 2 yet.
    store.RowEnabled = [](int index) -> std::optional<bool> {
        if (index == 2)
            return std::nullopt;
        return index != 0;
    };
    store.SaveAlarms();

    const QByteArray saved = folder.read(kStoreName);
    EXPECT_EQ(saved[0], '\0');
    EXPECT_EQ(saved[672], '\x05');
    EXPECT_EQ(saved[2 * 672], '\x01');
    EXPECT_FALSE(store.Alarms[0].Enabled);
}

TEST_F(AlarmStoreTest, DeleteAlarmRemovesOneRecordAndRebuildsTheList)
{
    store.Alarms = { AlarmAt(TAlarmRec::Daily, 7, 0, "A"), AlarmAt(TAlarmRec::Daily, 8, 0, "B"),
        AlarmAt(TAlarmRec::Daily, 9, 0, "C") };
    int rebuilds = 0;
    store.ListChanged = [&rebuilds] { ++rebuilds; };

    store.DeleteAlarm(-1);
    store.DeleteAlarm(3);
    EXPECT_EQ(store.Alarms.size(), 3u);
    EXPECT_EQ(rebuilds, 0);

    store.DeleteAlarm(1);
    ASSERT_EQ(store.Alarms.size(), 2u);
    EXPECT_EQ(store.Alarms[0].Name.text(), u"A");
    EXPECT_EQ(store.Alarms[1].Name.text(), u"C");
    EXPECT_EQ(rebuilds, 1);

    store.DeleteAlarm(0);
    store.DeleteAlarm(0);
    store.SaveAlarms();
    EXPECT_EQ(folder.read(kStoreName).size(), 0);
}

TEST_F(AlarmStoreTest, AStoreThatCannotBeReadRaisesAnInputOutputError)
{
    QDir().mkpath(folder.file(kStoreName));
    store.Alarms.push_back(AlarmAt(TAlarmRec::Daily, 7, 0));
    EXPECT_THROW(store.LoadAlarms(), IoError);
}

TEST_F(AlarmStoreTest, ASaveThatCannotBeWrittenRaisesAnInputOutputError)
{
    // A folder in the way of the file.
    QDir().mkpath(folder.file(kStoreName));
    store.Alarms = { AlarmAt(TAlarmRec::Daily, 7, 0) };
    EXPECT_THROW(store.SaveAlarms(), IoError);

    // A file where the folder should be.
    folder.write(QStringLiteral("NotAFolder"), "x");
    AlarmStore noFolder(folder.file(QStringLiteral("NotAFolder/Alarms.cfg")));
    EXPECT_THROW(noFolder.SaveAlarms(), IoError);
}
