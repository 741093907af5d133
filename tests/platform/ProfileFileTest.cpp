#include "platform/IoError.h"
#include "platform/ProfileFile.h"
#include "tests/support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    QString iniPath = folder.file(QStringLiteral("vellamor.ini"));
    ProfileFile ini { iniPath };

    void givenFile(const char* content) { folder.write(QStringLiteral("vellamor.ini"), content); }
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
    ini.WriteString("default", "SKIN", "new.clk");
    EXPECT_EQ(fileContent(), "; my settings\n[Default]\nSkin=new.clk\nOnTop=1\n\n[Size]\nKeepIt=0\n");
}

TEST_F(ProfileFileTest, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd)
{
    givenFile("[Default]\nSkin=a.clk\n\n[Size]\nKeepIt=1\n");
    ini.WriteInteger("Default", "DigFrm", 1);
    ini.WriteBool("Position", "KeepIt", false);
    ini.WriteBool("Size", "KeepIt", true);
    EXPECT_EQ(fileContent(), "[Default]\nSkin=a.clk\nDigFrm=1\n\n[Size]\nKeepIt=1\n\n[Position]\nKeepIt=0\n");
    EXPECT_FALSE(ini.ReadBool("Position", "KeepIt", true));
}

TEST_F(ProfileFileTest, FirstWriteCreatesTheFileAndWindowsLineEndsAreKept)
{
    ini.WriteString("Default", "Skin", "a.clk");
    EXPECT_EQ(fileContent(), "[Default]\nSkin=a.clk\n");

    givenFile("[Default]\r\nSkin=a.clk\r\n");
    ini.WriteInteger("Default", "OnTop", 1);
    EXPECT_EQ(fileContent(), "[Default]\r\nSkin=a.clk\r\nOnTop=1\r\n");
}

TEST_F(ProfileFileTest, FailedWriteRaisesAndLeavesTheFileAsItWas)
{
    givenFile("[Default]\nSkin=a.clk\n");
    QFile::setPermissions(iniPath, QFile::ReadOwner);
    try {
        ini.WriteString("Default", "Skin", "b.clk");
        FAIL() << "a read-only file was written";
    } catch (const IoError& error) {
        EXPECT_EQ(error.message(), "Unable to write to " + iniPath);
    }
    QFile::setPermissions(iniPath, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(fileContent(), "[Default]\nSkin=a.clk\n");

    ProfileFile inMissingFolder(folder.file("no/such/folder/vellamor.ini"));
    EXPECT_THROW(inMissingFolder.WriteBool("Size", "KeepIt", true), IoError);
}

} // namespace
