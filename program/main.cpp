#include "app/ClockWindow.h"
#include "desktop/InstanceChannel.h"
#include "desktop/ProgramIcon.h"
#include "desktop/TerminationSignals.h"
#include "platform/dialogs/Application.h"
#include "platform/files/ProgramFolder.h"
#include "program/ClockProgram.h"
#include "program/DisplayPlatform.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const DisplayPlatform platform = ChooseDisplayPlatform(CurrentDisplayEnvironment(argc, argv));
    if (!platform.name.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.name);
    if (!platform.notice.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(platform.notice));
    Application application(argc, argv);
    // The title names the channel to the running clock, which the
    // command-line companion finds by the same title.
    Application::setApplicationName(QLatin1String(kClockTitle));
    Application::setWindowIcon(ProgramIcon());
    // An installed clock keeps the user's files in their own folder, filled
    // with the shipped skins, textures and alarm files at the first start.
    if (const QString problems = PrepareProgramFolder(); !problems.isEmpty())
        ShowError(problems);

    ClockProgram program;
    // A second start hands over to the running clock and ends here, before
    // any window exists and without saving anything.
    if (!program.claimInstance())
        return 0;
    program.start();
    OnTerminationSignal([&program] { program.clockWindow().terminate(); });
    return application.exec();
}
