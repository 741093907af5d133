#include "platform/files/IoError.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/ProfileUpdate.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"

#include <QDir>

#include <QFile>

#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    QString iniPath = folder.file(QStringLiteral("vellamor.ini"));
    ProfileFile ini { iniPath };

    void givenFile(const QByteArray& content) { folder.write(QStringLiteral("vellamor.ini"), content); }
    QByteArray fileContent() const { return folder.read(QStringLiteral("vellamor.ini")); }
};

TEST_F(ProfileFileTest, MissingFileReadsDefaultsAndIsNotCreated)
{
    EXPECT_EQ(ini.ReadString("Default", "Skin", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadInteger("Position", "Left", 7), 7);
    EXPECT_TRUE(ini.ReadBool("Size", "KeepIt", true));
    EXPECT_FALSE(QFile::exists(iniPath));
}

TEST_F(ProfileFileTest, ReadsValuesIgnoringLetterCaseOfSectionAndKey)
{
    givenFile("; comment\n[DEFAULT]\n  skin = Ocean.clk  \nDigFrm=1\n[position]\nLEFT=-50\n");
    EXPECT_EQ(ini.ReadString("Default", "Skin", ""), "Ocean.clk");
    EXPECT_EQ(ini.ReadInteger("Default", "digfrm", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Position", "Left", 0), -50);
    EXPECT_EQ(ini.ReadInteger("Position", "Top", 3), 3); // missing key
    EXPECT_EQ(ini.ReadInteger("Size", "LastOne", 4), 4); // missing section
}

TEST_F(ProfileFileTest, IntegerAndBooleanForms)
{
    struct Case {
        const char* value;
        int integer; // read with default 99
        bool boolean; // read with default true
    };
    const Case cases[] = {
        { "42", 42, true },
        { "-7", -7, true },
        { "0x1F", 31, true },
        { "$ff", 255, true },
        { "0", 0, false },
        { "2", 2, true }, // any non-zero value is true
        { "abc", 99, true }, // unparseable: the default
        { "12abc", 99, true },
        { "", 99, true },
        { "99999999999", 99, true }, // beyond 32 bits
    };
    for (const Case& c : cases) {
        givenFile((QByteArray("[S]\nK=") + c.value + "\n").constData());
        EXPECT_EQ(ini.ReadInteger("S", "K", 99), c.integer) << c.value;
        EXPECT_EQ(ini.ReadBool("S", "K", true), c.boolean) << c.value;
    }
}

TEST_F(ProfileFileTest, LongValuesAreCutTo2047Characters)
{
    givenFile(("[Default]\nSkin=" + QByteArray(5000, 'x') + "\n").constData());
    EXPECT_EQ(ini.ReadString("Default", "Skin", "").size(), 2047);
}

TEST_F(ProfileFileTest, WriteChangesOneLineInPlaceAndKeepsTheRest)
{
    givenFile("; my settings\n[Default]\nSkin=old.clk ; note\nOnTop=1\n\n[Size]\nKeepIt=0\n");
    ProfileUpdate update(iniPath);
    update.WriteString("default", "SKIN", "new.clk");
    update.Commit();
    EXPECT_EQ(fileContent(), "; my settings\n[Default]\nSkin=new.clk\nOnTop=1\n\n[Size]\nKeepIt=0\n");
}

TEST_F(ProfileFileTest, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd)
{
    givenFile("[Default]\nSkin=a.clk\n\n[Size]\nKeepIt=1\n");
    ProfileUpdate update(iniPath);
    update.WriteInteger("Default", "DigFrm", 1);
    update.WriteBool("Position", "KeepIt", false);
    update.WriteBool("Size", "KeepIt", true);
    update.Commit();
    EXPECT_EQ(fileContent(), "[Default]\nSkin=a.clk\nDigFrm=1\n\n[Size]\nKeepIt=1\n\n[Position]\nKeepIt=0\n");
    EXPECT_FALSE(ini.ReadBool("Position", "KeepIt", true));
}

TEST_F(ProfileFileTest, FirstWriteCreatesTheFileAndWindowsLineEndsAreKept)
{
    ProfileUpdate first(iniPath);
    first.WriteString("Default", "Skin", "a.clk");
    first.Commit();
    EXPECT_EQ(fileContent(), "[Default]\nSkin=a.clk\n");

    givenFile("[Default]\r\nSkin=a.clk\r\n");
    ProfileUpdate onTop(iniPath);
    onTop.WriteInteger("Default", "OnTop", 1);
    onTop.Commit();
    EXPECT_EQ(fileContent(), "[Default]\r\nSkin=a.clk\r\nOnTop=1\r\n");
}

TEST_F(ProfileFileTest, FailedWriteRaisesAndLeavesTheFileAsItWas)
{
    givenFile("[Default]\nSkin=a.clk\n");
    QFile::setPermissions(iniPath, QFile::ReadOwner);
    ProfileUpdate update(iniPath);
    update.WriteString("Default", "Skin", "b.clk");
    try {
        update.Commit();
        FAIL() << "a read-only file was written";
    } catch (const IoError& error) {
        EXPECT_EQ(error.message(), "Unable to write to " + iniPath + ": " + qt_error_string(EACCES));
    }
    QFile::setPermissions(iniPath, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(fileContent(), "[Default]\nSkin=a.clk\n");

    ProfileUpdate inMissingFolder(folder.file("no/such/folder/vellamor.ini"));
    inMissingFolder.WriteBool("Size", "KeepIt", true);
    EXPECT_THROW(inMissingFolder.Commit(), IoError);
}

TEST_F(ProfileFileTest, ValuesReadAsUtf8OrElseAsWindows1252)
{
    givenFile("[Names]\nNew=Z\xc3\xbcrich \xe2\x82\xac\nOld=Z\xfcrich \x80\n");
    EXPECT_EQ(ini.ReadString("Names", "New", ""), QStringLiteral("Zürich €"));
    EXPECT_EQ(ini.ReadString("Names", "Old", ""), QStringLiteral("Zürich €"));
}

// A settings file saved in UTF-16 (by an editor on another desktop) reads as
// text and is written back in UTF-16, its mark and lines kept.
TEST_F(ProfileFileTest, AUtf16FileIsReadAndWrittenBackInUtf16)
{
    for (const QStringConverter::Encoding encoding : { QStringConverter::Utf16LE, QStringConverter::Utf16BE }) {
        QStringEncoder toUtf16(encoding, QStringConverter::Flag::WriteBom);
        givenFile(toUtf16(QStringLiteral("[Default]\r\nSkin=Zürich.clk\r\n")));
        EXPECT_EQ(ini.ReadString("Default", "Skin", ""), QStringLiteral("Zürich.clk"));

        ProfileUpdate update(iniPath);
        update.WriteInteger("Default", "OnTop", 1);
        update.WriteInteger("Position", "Left", 5);
        update.Commit();
        QStringDecoder fromUtf16(encoding);
        EXPECT_EQ(QString(fromUtf16(fileContent())).toStdString(),
            QStringLiteral("[Default]\r\nSkin=Zürich.clk\r\nOnTop=1\r\n\r\n[Position]\r\nLeft=5\r\n").toStdString());
        EXPECT_TRUE(fileContent().startsWith(encoding == QStringConverter::Utf16LE ? "\xFF\xFE" : "\xFE\xFF"));
        EXPECT_EQ(ini.ReadInteger("Position", "Left", 0), 5);
    }
}

// Text with its zero bytes.
template <std::size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

struct KeyWrite {
    const char* section;
    const char* key;
    QString value;
};

// What another program put in the file stays byte for byte: only the lines
// of the written keys change, or are added.
TEST_F(ProfileFileTest, AnUpdateKeepsEveryByteItDoesNotChange)
{
    struct Case {
        const char* name;
        QByteArray before;
        std::vector<KeyWrite> writes;
        QByteArray after;
    };
    const Case cases[] = {
        { "Windows-1252 text in another section", "[Names]\nCity=Z\xfcrich\n[Default]\nSkin=old.clk\n",
            { { "Default", "Skin", "new.clk" }, { "Size", "LastOne", "300" } },
            "[Names]\nCity=Z\xfcrich\n[Default]\nSkin=new.clk\n\n[Size]\nLastOne=300\n" },
        { "binary content and mixed line ends", Bytes("[Blob]\nData=\x00\x01\xff\r\x80\n[Default]\r\nSkin=a\r\n"),
            { { "Default", "Skin", "b" }, { "Default", "OnTop", "1" } },
            Bytes("[Blob]\nData=\x00\x01\xff\r\x80\n[Default]\r\nSkin=b\r\nOnTop=1\r\n") },
        { "no line end at the end", "[Default]\nSkin=old.clk", { { "Default", "Skin", "new.clk" } },
            "[Default]\nSkin=new.clk" },
        { "a key added after an unended last line", "[Default]\nSkin=a.clk", { { "Default", "OnTop", "0" } },
            "[Default]\nSkin=a.clk\nOnTop=0\n" },
        { "an unchanged Windows-1252 value", "[Default]\nSkin = \"Z\xfcrich.clk\" \nDigFrm=0\n",
            { { "Default", "Skin", QStringLiteral("Zürich.clk") }, { "Default", "DigFrm", "1" } },
            "[Default]\nSkin = \"Z\xfcrich.clk\" \nDigFrm=1\n" },
        { "several keys into a new section", "", { { "Position", "Left", "5" }, { "Position", "Top", "6" }, { "position", "LEFT", "7" } },
            "[Position]\nLeft=7\nTop=6\n" },
    };
    for (const Case& c : cases) {
        givenFile(c.before);
        ProfileUpdate update(iniPath);
        for (const KeyWrite& write : c.writes)
            update.WriteString(write.section, write.key, write.value);
        EXPECT_EQ(fileContent(), c.before) << c.name << ": written before Commit";
        update.Commit();
        EXPECT_EQ(fileContent(), c.after) << c.name;
    }
}

TEST_F(ProfileFileTest, AnUpdateAppliesItsWritesInOrder)
{
    givenFile("; mine\n[Size]\nKeepIt=1\n\n[Default]\nskin=x.clk\n");
    ProfileUpdate update(iniPath);
    update.WriteString("Default", "Skin", "Ocean.clk");
    update.WriteBool("Default", "OnTop", true);
    update.WriteInteger("Position", "Left", -50);
    update.WriteBool("Size", "KeepIt", false);
    update.Commit();
    EXPECT_EQ(fileContent(), "; mine\n[Size]\nKeepIt=0\n\n[Default]\nskin=Ocean.clk\nOnTop=1\n\n[Position]\nLeft=-50\n");
}

// A full disk, or a file-size limit, fails the update as a whole: the file on
// disk keeps its old bytes, and the failure has the settings' own message.
TEST_F(ProfileFileTest, AnUpdateThatCannotBeWrittenLeavesTheOldFile)
{
    const QByteArray before = "[Default]\nSkin=old.clk\n";
    const auto update = [this] {
        ProfileUpdate settings(iniPath);
        settings.WriteString("Default", "Skin", QString(200, u'n'));
        settings.WriteInteger("Size", "LastOne", 300);
        settings.Commit();
    };
    for (const qint64 limit : { 0, 100 }) {
        givenFile(before);
        const SaveOutcome outcome = SaveWithFileSizeLimit(limit, iniPath, update);
        EXPECT_EQ(outcome.error, "Unable to write to " + iniPath + ": " + qt_error_string(EFBIG)) << limit;
        EXPECT_EQ(outcome.fileAfter, before) << limit;
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "vellamor.ini" }) << limit;
    }

    QString skipReason;
    QDir().mkdir(folder.file("disk"));
    const QString onDisk = folder.file("disk/vellamor.ini");
    const std::optional<SaveOutcome> outcome = SaveOnFullDisk(
        folder.file("disk"), onDisk, [&] { folder.write("disk/vellamor.ini", before); },
        [&] {
            ProfileUpdate settings(onDisk);
            settings.WriteString("Default", "Skin", QString(8000, u'n'));
            settings.Commit();
        },
        skipReason);
    if (!outcome)
        GTEST_SKIP() << "no small tmpfs: " << skipReason.toStdString();
    EXPECT_EQ(outcome->error, "Unable to write to " + onDisk + ": " + qt_error_string(ENOSPC));
    EXPECT_EQ(outcome->fileAfter, before);
}

} // namespace
