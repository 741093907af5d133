#pragma once

#include <QByteArray>
#include <QString>

// Which of Qt's display platforms the clock runs on. A native Wayland window
// can neither place itself nor stay on top, and its outline is not cut, so
// on a Wayland session the clock runs through XWayland (X11) where it can,
// and natively only where no X server is offered.

struct DisplayEnvironment {
    bool platformChosen = false; // QT_QPA_PLATFORM set, or -platform given
    QString sessionType;         // XDG_SESSION_TYPE
    bool waylandDisplay = false; // WAYLAND_DISPLAY names a compositor
    bool x11Display = false;     // DISPLAY names an X server
};

struct DisplayPlatform {
    QByteArray name; // for QT_QPA_PLATFORM; empty leaves the choice to Qt
    QString notice;  // one line for the error output, or nothing
};

DisplayPlatform ChooseDisplayPlatform(const DisplayEnvironment& environment);

// The environment of this process and its command line.
DisplayEnvironment CurrentDisplayEnvironment(int argc, char** argv);
