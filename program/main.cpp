#include "app/ClockU.h"
#include "desktop/OnlyOne.h"
#include "platform/Application.h"
#include "platform/TerminationSignals.h"
#include "program/ClockProgram.h"

#include <QIcon>

#include <cstring>

namespace {

// A native Wayland window cannot place itself or stay on top: unless the user
// chose a platform, the clock runs through XWayland.
void PreferX11OnWayland(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0)
            return;
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland" || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

int main(int argc, char** argv)
{
    PreferX11OnWayland(argc, argv);
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
