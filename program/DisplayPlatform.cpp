#include "program/DisplayPlatform.h"

#include <QtGlobal>

#include <cstring>

DisplayPlatform ChooseDisplayPlatform(const DisplayEnvironment& environment)
{
    const bool wayland = environment.sessionType == u"wayland" || environment.waylandDisplay;
    if (environment.platformChosen || !wayland)
        return {};
    if (environment.x11Display)
        return { "xcb", QString() };
    if (!environment.waylandDisplay)
        return {};
    return { "wayland",
        QStringLiteral("Vellamor: no XWayland in this Wayland session, so the clock runs as a Wayland window: "
                       "it cannot place itself (keys, saved position), stay on top or show its round outline.") };
}

DisplayEnvironment CurrentDisplayEnvironment(int argc, char** argv)
{
    DisplayEnvironment environment;
    environment.platformChosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0)
            environment.platformChosen = true;
    environment.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    environment.waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    environment.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    return environment;
}
