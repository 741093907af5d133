#include "alarms/AlarmStore.h"
#include "platform/files/IoError.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

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
    store.add(DailyAlarm(1, QDate(2004, 3, 10), 7, 5));
    store.LoadAlarms();
    EXPECT_EQ(store.size(), 0u);

    store.SaveAlarms();
    EXPECT_EQ(folder.read(kStoreName).size(), 0);

    store.replaceAll({ OnceAlarm(QDate(2004, 12, 31), 7, 5), MonthlyDayAlarm(31, 8, 0) });
    store.SaveAlarms();
    EXPECT_EQ(folder.read(kStoreName), StoreBytes(store.records()));
    EXPECT_EQ(folder.read(kStoreName).size(), 2 * 672);
}

TEST_F(AlarmStoreTest, RandomBytesLoadAndSaveBackAsTheyWereRead)
{
    // 1,345 bytes: two records and one trailing byte, which is ignored.
    const QByteArray contents = RandomBytes(1345, 7);
    folder.write(kStoreName, contents);
    store.LoadAlarms();
    ASSERT_EQ(store.size(), 2u);

    store.SaveAlarms();
    EXPECT_EQ(folder.read(kStoreName), contents.left(1344));
}

TEST_F(AlarmStoreTest, CheckBoxChoicesReachTheRecordsAtSave)
{
    std::vector<AlarmRecord> alarms(3, DailyAlarm(1, QDate(2004, 3, 10), 7, 5));
    QByteArray contents = StoreBytes(alarms);
    contents[672] = '\x05'; // an odd "true" byte of record 1
    folder.write(kStoreName, contents);
    store.LoadAlarms();

    // Alarm 0 unchecked, alarm 1 checked as it was, no choice for alarm 2.
    store.setEnabledChoice(store.idAt(0), false);
    store.setEnabledChoice(store.idAt(1), true);
    EXPECT_FALSE(store.shownEnabled(store.idAt(0)));
    EXPECT_TRUE(store.records()[0].Enabled);
    store.SaveAlarms();

    const QByteArray saved = folder.read(kStoreName);
    EXPECT_EQ(saved[0], '\0');
    EXPECT_EQ(saved[672], '\x05');
    EXPECT_EQ(saved[2 * 672], '\x01');
    EXPECT_FALSE(store.records()[0].Enabled);
    EXPECT_EQ(store.enabledChoice(store.idAt(0)), std::nullopt);
}

TEST_F(AlarmStoreTest, AnAlarmKeepsItsIdentityWhateverIsAddedOrRemovedAroundIt)
{
    store.replaceAll({ AlarmAt(AlarmRecord::Daily, 7, 0, "A"), AlarmAt(AlarmRecord::Daily, 8, 0, "B"),
        AlarmAt(AlarmRecord::Daily, 9, 0, "C") });
    const AlarmId a = store.idAt(0);
    const AlarmId b = store.idAt(1);
    const AlarmId c = store.idAt(2);
    QStringList notices;
    QObject::connect(&store, &AlarmStore::alarmRemoved, [&](AlarmId id) { notices << QStringLiteral("removed %1").arg(id); });
    QObject::connect(&store, &AlarmStore::alarmAdded, [&](AlarmId id) { notices << QStringLiteral("added %1").arg(id); });
    QObject::connect(&store, &AlarmStore::alarmChanged, [&](AlarmId id) { notices << QStringLiteral("changed %1").arg(id); });

    store.setEnabledChoice(c, false);
    store.remove(a);
    const AlarmId d = store.add(AlarmAt(AlarmRecord::Daily, 10, 0, "D"));
    AlarmRecord renamed = *store.find(c);
    renamed.Name.setText(QStringLiteral("C2"));
    store.update(c, renamed);
    store.remove(a); // gone already: nothing happens

    EXPECT_EQ(store.find(a), nullptr);
    EXPECT_EQ(store.find(b)->Name.text(), u"B");
    EXPECT_EQ(store.find(c)->Name.text(), u"C2");
    EXPECT_EQ(store.indexOf(c), 1u);
    EXPECT_EQ(store.indexOf(d), 2u);
    EXPECT_NE(d, a);
    EXPECT_EQ(store.enabledChoice(c), false);
    EXPECT_EQ(notices, (QStringList { QStringLiteral("removed %1").arg(a), QStringLiteral("added %1").arg(d),
                           QStringLiteral("changed %1").arg(c) }));

    store.removeIf([](const AlarmRecord& alarm) { return alarm.Name.text() != u"D"; });
    ASSERT_EQ(store.size(), 1u);
    EXPECT_EQ(store.idAt(0), d);
    store.SaveAlarms();
    EXPECT_EQ(folder.read(kStoreName), StoreBytes(store.records()));
}

TEST_F(AlarmStoreTest, AStoreThatCannotBeReadRaisesAnInputOutputError)
{
    QDir().mkpath(folder.file(kStoreName));
    store.add(AlarmAt(AlarmRecord::Daily, 7, 0));
    EXPECT_THROW(store.LoadAlarms(), IoError);
}

TEST_F(AlarmStoreTest, ASaveThatCannotBeWrittenRaisesAnInputOutputError)
{
    // A folder in the way of the file.
    QDir().mkpath(folder.file(kStoreName));
    store.replaceAll({ AlarmAt(AlarmRecord::Daily, 7, 0) });
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
        store.add(AlarmAt(AlarmRecord::Daily, 7, 0));
        try {
            store.LoadAlarms();
            ADD_FAILURE() << "loaded: " << reason;
        } catch (const IoError& error) {
            EXPECT_EQ(error.message().toStdString(), ("Cannot read " + path + ": " + reason).toStdString());
        }
        EXPECT_EQ(store.size(), 0u) << reason;
    }

    // The most alarms a store holds, and a trailing part, still load.
    QFile::remove(path);
    sized(tooMany - 1);
    store.LoadAlarms();
    EXPECT_EQ(store.size(), AlarmStore::kMaxAlarms);
}

// A store the program could not read is never written over: what it holds
// is unknown. The alarms of the run go beside it, and only once changed.
TEST_F(AlarmStoreTest, AStoreThatCouldNotBeReadIsKeptAndChangesGoBesideIt)
{
    const QString path = folder.file(kStoreName);
    folder.write(kStoreName, QByteArray());
    const qint64 tooLarge = qint64(AlarmStore::kMaxAlarms + 1) * qint64(kAlarmRecordSize);
    QFile(path).resize(tooLarge);
    EXPECT_THROW(store.LoadAlarms(), IoError);
    ASSERT_TRUE(store.unread());
    const QString apart = store.keptApartFileName();
    EXPECT_TRUE(apart.startsWith(folder.file("Alarm/Alarms (kept apart "))) << apart.toStdString();
    EXPECT_TRUE(apart.endsWith(".cfg")) << apart.toStdString();

    store.SaveAlarms(); // nothing changed: nothing written
    EXPECT_FALSE(QFile::exists(apart));
    const AlarmRecord added = AlarmAt(AlarmRecord::Daily, 7, 0);
    store.add(added);
    store.SaveAlarms();
    EXPECT_EQ(QFileInfo(path).size(), tooLarge);
    EXPECT_EQ(folder.read(apart.mid(folder.path().size())), StoreBytes({ added }));

    // A store read again is written in place.
    QFile::remove(path);
    store.LoadAlarms();
    EXPECT_FALSE(store.unread());
    store.add(added);
    store.SaveAlarms();
    EXPECT_EQ(folder.read(kStoreName), StoreBytes({ added }));
}

// A full disk, or a file-size limit, fails the save as a whole, and the store
// on disk keeps its old records.
TEST_F(AlarmStoreTest, ASaveThatCannotBeWrittenLeavesTheOldStore)
{
    const QString path = folder.file(kStoreName);
    const std::vector<AlarmRecord> old = { OnceAlarm(QDate(2004, 12, 31), 7, 5), MonthlyDayAlarm(31, 8, 0) };
    const std::vector<AlarmRecord> changed(8, DailyAlarm(1, QDate(2004, 3, 10), 7, 5));
    const auto save = [&] {
        store.replaceAll(changed);
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
