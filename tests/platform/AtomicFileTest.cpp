#include "platform/files/AtomicFile.h"
#include "platform/files/IoError.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    TempFolder folder;

    QStringList filesInFolder() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
};

TEST_F(AtomicFileTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile)
{
    const QString file = folder.file("user.dat");
    for (const qint64 limit : { 0, 100 }) {
        folder.write("user.dat", "old bytes");
        const SaveOutcome outcome = SaveWithFileSizeLimit(limit, file, [&] { WriteFileAtomically(file, QByteArray(5000, 'n')); });
        EXPECT_EQ(outcome.error.toStdString(), ("Unable to write to " + file + ": " + qt_error_string(EFBIG)).toStdString());
        EXPECT_EQ(outcome.fileAfter, "old bytes");
        EXPECT_EQ(filesInFolder(), QStringList { "user.dat" });
    }
}

TEST_F(AtomicFileTest, AReplacedFileKeepsItsModeAndItsLinks)
{
    folder.write("target.dat", "old");
    QFile::setPermissions(folder.file("target.dat"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(QFile::link(folder.file("target.dat"), folder.file("link.dat")));

    WriteFileAtomically(folder.file("link.dat"), "new");
    EXPECT_TRUE(QFileInfo(folder.file("link.dat")).isSymLink());
    EXPECT_EQ(folder.read("target.dat"), "new");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(folder.file("target.dat")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Another user never reads a private file during its save: the temporary
// file has the old file's mode before its first byte. A second thread
// watches the folder while a large file is written.
TEST_F(AtomicFileTest, ThePrivateModeHoldsBeforeTheFirstByte)
{
    folder.write("private.dat", "secret");
    QFile::setPermissions(folder.file("private.dat"), QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray large(64 * 1024 * 1024, 's');
    std::vector<std::pair<mode_t, off_t>> seen;
    for (int attempt = 0; attempt < 20 && std::none_of(seen.begin(), seen.end(), [](const auto& s) { return s.second > 0; });
         ++attempt) {
        std::atomic<bool> done = false;
        std::thread watcher([&] {
            while (!done) {
                for (const QString& name : QDir(folder.path()).entryList({ ".private.dat.*" }, QDir::Files | QDir::Hidden)) {
                    struct stat info {};
                    if (::stat(QFile::encodeName(folder.file(name)).constData(), &info) == 0)
                        seen.emplace_back(info.st_mode & 07777, info.st_size);
                }
            }
        });
        WriteFileAtomically(folder.file("private.dat"), large);
        done = true;
        watcher.join();
    }
    ASSERT_TRUE(std::any_of(seen.begin(), seen.end(), [](const auto& s) { return s.second > 0; })) << "never caught the save";
    for (const auto& [mode, size] : seen)
        EXPECT_EQ(mode, 0600u) << "with " << size << " bytes written";
}

// A temporary file left by a program that ended in the middle of a save
// goes at the next save of that file; one of a save going on now stays.
TEST_F(AtomicFileTest, TemporaryFilesLeftBehindAreRemovedAtTheNextSave)
{
    folder.write(".user.dat.0123abcd", "left by a crash");
    QFile left(folder.file(".user.dat.0123abcd"));
    ASSERT_TRUE(left.open(QIODevice::ReadWrite));
    ASSERT_TRUE(left.setFileTime(QDateTime::currentDateTimeUtc().addDays(-1), QFileDevice::FileModificationTime));
    left.close();
    folder.write(".user.dat.89abcdef", "being written");
    folder.write(".other.dat.0123abcd", "another file's");
    QFile other(folder.file(".other.dat.0123abcd"));
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    ASSERT_TRUE(other.setFileTime(QDateTime::currentDateTimeUtc().addDays(-1), QFileDevice::FileModificationTime));
    other.close();

    WriteFileAtomically(folder.file("user.dat"), "new");
    EXPECT_EQ(filesInFolder(), (QStringList { ".other.dat.0123abcd", ".user.dat.89abcdef", "user.dat" }));
}

// Neither a read-only file nor what is not a regular file is replaced.
TEST_F(AtomicFileTest, RefusesWhatItMustNotReplace)
{
    folder.write("readonly.dat", "kept");
    QFile::setPermissions(folder.file("readonly.dat"), QFile::ReadOwner);
    QDir().mkdir(folder.file("folder.dat"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.file("fifo.dat")).constData(), 0600), 0);

    const std::pair<const char*, QString> cases[] = {
        { "readonly.dat", qt_error_string(EACCES) },
        { "folder.dat", "it is a folder, not a file" },
        { "fifo.dat", "it is a pipe (FIFO), not a regular file" },
        { "missing/file.dat", qt_error_string(ENOENT) },
    };
    for (const auto& [name, reason] : cases) {
        const QString path = folder.file(name);
        try {
            WriteFileAtomically(path, "new");
            ADD_FAILURE() << name << " was written";
        } catch (const IoError& error) {
            EXPECT_EQ(error.message().toStdString(), ("Unable to write to " + path + ": " + reason).toStdString());
        }
    }
    EXPECT_EQ(folder.read("readonly.dat"), "kept");
    EXPECT_TRUE(QFileInfo(folder.file("folder.dat")).isDir());
    EXPECT_EQ(filesInFolder(), (QStringList { "fifo.dat", "readonly.dat" }));
}

} // namespace
