#include "app/ClockU.h"
#include "desktop/OnlyOne.h"
#include "platform/Application.h"
#include "platform/TerminationSignals.h"
#include "program/ClockProgram.h"
#include "program/DisplayPlatform.h"

#include <QIcon>

#include <cstdio>

int main(int argc, char** argv)
{
    const DisplayPlatform platform = ChooseDisplayPlatform(CurrentDisplayEnvironment(argc, argv));
    if (!platform.name.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.name);
    if (!platform.notice.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(platform.notice));
    Application application(argc, argv);
    Application::setApplicationName(QStringLiteral("Vellamor"));
    Application::setWindowIcon(QIcon(QStringLiteral(":/icons/vellamor.png")));

    ClockProgram program;
    TfrmDerAvo& clockWindow = program.clockWindow();
    // A second start hands over to the running clock and ends here, before
    // any other window exists and without saving anything.
    if (!clockWindow.OnlyOne1->CheckInstance())
        return 0;
    program.CreateOtherWindows();
    OnTerminationSignal([&clockWindow] { clockWindow.Terminate(); });

    clockWindow.show();
    return application.exec();
}
