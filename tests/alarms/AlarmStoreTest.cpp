#include "alarms/AlarmStore.h"
#include "platform/files/IoError.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>

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

// What is not a store is refused with a message naming it, without waiting
// on it or reading it without end.
TEST_F(AlarmStoreTest, WhatIsNotAStoreIsRefused)
{
    const QString path = folder.file(kStoreName);
    const qint64 tooMany = qint64(AlarmStore::kMaxAlarms + 1) * qint64(kAlarmRecordSize);
    const auto sized = [&](qint64 size) {
        folder.write(kStoreName, QByteArray());
        QFile(path).resize(size);
    };
    const std::pair<const char*, std::function<void()>> cases[] = {
        { "it is a pipe (FIFO), not a regular file", [&] { ::mkfifo(QFile::encodeName(path).constData(), 0600); } },
        { "it is a device, not a regular file", [&] { QFile::link(QStringLiteral("/dev/zero"), path); } },
        { "it is larger than 64.1 MB, more than such a file ever holds", [&] { sized(tooMany); } },
    };
    QDir().mkpath(folder.file("Alarm"));
    for (const auto& [reason, make] : cases) {
        QFile::remove(path);
        make();
        store.Alarms.push_back(AlarmAt(TAlarmRec::Daily, 7, 0));
        try {
            store.LoadAlarms();
            ADD_FAILURE() << "loaded: " << reason;
        } catch (const IoError& error) {
            EXPECT_EQ(error.message().toStdString(), ("Cannot read " + path + ": " + reason).toStdString());
        }
        EXPECT_TRUE(store.Alarms.empty()) << reason;
    }

    // The most alarms a store holds, and a trailing part, still load.
    QFile::remove(path);
    sized(tooMany - 1);
    store.LoadAlarms();
    EXPECT_EQ(store.Alarms.size(), AlarmStore::kMaxAlarms);
}

// A full disk, or a file-size limit, fails the save as a whole, and the store
// on disk keeps its old records.
TEST_F(AlarmStoreTest, ASaveThatCannotBeWrittenLeavesTheOldStore)
{
    const QString path = folder.file(kStoreName);
    const std::vector<TAlarmRec> old = { OnceAlarm(QDate(2004, 12, 31), 7, 5), MonthlyDayAlarm(31, 8, 0) };
    const std::vector<TAlarmRec> changed(8, DailyAlarm(1, QDate(2004, 3, 10), 7, 5));
    const auto save = [&] {
        store.Alarms = changed;
        store.SaveAlarms();
    };
    folder.write(kStoreName, StoreBytes(old));
    const SaveOutcome limited = SaveWithFileSizeLimit(1000, path, save);
    EXPECT_EQ(limited.error.toStdString(), ("Unable to write to " + path + ": " + qt_error_string(EFBIG)).toStdString());
    EXPECT_EQ(limited.fileAfter, StoreBytes(old));

    QString skipReason;
    const std::optional<SaveOutcome> full = SaveOnFullDisk(
        folder.file("Alarm"), path, [&] { folder.write(kStoreName, StoreBytes(old)); }, save, skipReason);
    if (!full)
        GTEST_SKIP() << "no small tmpfs: " << skipReason.toStdString();
    EXPECT_EQ(full->error.toStdString(), ("Unable to write to " + path + ": " + qt_error_string(ENOSPC)).toStdString());
    EXPECT_EQ(full->fileAfter, StoreBytes(old));
}
