#include "tests/support/TempFolder.h"
#include "tools/AutostartCommand.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class AutostartCommandTest : public ::testing::Test {
protected:
    TempFolder config;
    TempFolder programs;
    QString clock;
    QString out;
    QString err;
    QByteArray previousConfigHome;

    void SetUp() override
    {
        previousConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        clock = ExecutableClock("bin/vellamor");
    }

    void TearDown() override { qputenv("XDG_CONFIG_HOME", previousConfigHome); }

    QString ExecutableClock(const QString& name)
    {
        programs.write(name, "#!/bin/sh\n");
        QFile(programs.file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return programs.file(name);
    }

    int run(const QStringList& arguments, const QString& clockProgram)
    {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunAutostartCommand(arguments, clockProgram, outStream, errStream);
    }

    QString entry() const { return QString::fromUtf8(config.read("autostart/vellamor.desktop")); }
    bool entryExists() const { return QFileInfo::exists(config.file("autostart/vellamor.desktop")); }
};

TEST_F(AutostartCommandTest, OnWritesTheEntryHiddenIfAskedAndOffRemovesIt)
{
    ASSERT_EQ(run({ "on" }, clock), 0) << err.toStdString();
    EXPECT_EQ(entry(), "[Desktop Entry]\nType=Application\nName=Vellamor\nComment=Skinnable desktop clock with alarms\n"
                       "Icon=vellamor\nExec="
            + clock + "\nTerminal=false\n");
    EXPECT_TRUE(out.contains(config.file("autostart/vellamor.desktop")));

    ASSERT_EQ(run({ "on", "--hidden" }, clock), 0);
    EXPECT_TRUE(entry().contains("\nExec=" + clock + " -hide\n"));

    ASSERT_EQ(run({ "off" }, clock), 0);
    EXPECT_FALSE(entryExists());
    EXPECT_TRUE(out.contains("no longer starts"));
    ASSERT_EQ(run({ "off" }, clock), 0);
    EXPECT_TRUE(out.contains("does not start"));

    ASSERT_EQ(run({ "on", "--help" }, clock), 0);
    EXPECT_TRUE(out.startsWith("usage: vellamor-tool autostart"));
    EXPECT_FALSE(entryExists());
}

TEST_F(AutostartCommandTest, TheClocksPathIsQuotedAndEscapedForTheLauncher)
{
    // @ stands for the folder of the clocks.
    const std::pair<const char*, const char*> cases[] = {
        { "my clock/vellamor", "\"@my clock/vellamor\"" },
        { "100%/vellamor", "@100%%/vellamor" },
        { "a\"b$c/vellamor", "\"@a\\\\\"b\\\\$c/vellamor\"" },
        { "back\\slash/vellamor", "\"@back\\\\\\\\slash/vellamor\"" },
    };
    for (const auto& [name, exec] : cases) {
        ASSERT_EQ(run({ "on" }, ExecutableClock(name)), 0) << name;
        EXPECT_TRUE(entry().contains("\nExec=" + QString::fromUtf8(exec).replace(u'@', programs.path()) + '\n'))
            << name << ": " << entry().toStdString();
    }
}

TEST_F(AutostartCommandTest, RefusalsLeaveNoEntry)
{
    for (const QStringList& arguments : { QStringList {}, QStringList { "on", "--hide" }, QStringList { "maybe" },
             QStringList { "off", "--hidden" } }) {
        EXPECT_EQ(run(arguments, clock), 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(err.contains("usage: vellamor-tool autostart")) << err.toStdString();
        EXPECT_EQ(err.startsWith("Unknown command \"autostart " + arguments.join(' ') + "\""), !arguments.isEmpty())
            << err.toStdString();
    }
    EXPECT_EQ(run({ "on" }, programs.file("nowhere/vellamor")), 2);
    EXPECT_TRUE(err.contains(programs.file("nowhere/vellamor")));
    EXPECT_FALSE(entryExists());

    config.write("autostart", "a file where the folder belongs");
    EXPECT_EQ(run({ "on" }, clock), 2);
    EXPECT_TRUE(err.contains(config.file("autostart"))) << err.toStdString();
}

} // namespace
