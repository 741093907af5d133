#include "platform/files/AtomicFile.h"
#include "platform/files/IoError.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

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
