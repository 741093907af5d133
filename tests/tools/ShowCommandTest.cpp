#include "tests/support/TempFolder.h"
#include "tools/ShowCommand.h"

#include <gtest/gtest.h>

// With no clock running there is nothing to show: said, exit status 2. (A
// running clock coming back is seen end to end, in the run without a
// window manager.)
TEST(ShowCommand, NoClockNoUsageMistakes)
{
    TempFolder runtime;
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    EXPECT_EQ(RunShowCommand({}, outStream, errStream), 2);
    EXPECT_TRUE(err.contains("No clock is running.")) << err.toStdString();
    err.clear();
    EXPECT_EQ(RunShowCommand({ "--all" }, outStream, errStream), 2);
    EXPECT_TRUE(err.startsWith("Unknown option \"--all\"")) << err.toStdString();
    EXPECT_EQ(RunShowCommand({ "--help" }, outStream, errStream), 0);
    EXPECT_TRUE(out.startsWith("usage: vellamor-tool show")) << out.toStdString();
    qputenv("XDG_RUNTIME_DIR", previous);
}
