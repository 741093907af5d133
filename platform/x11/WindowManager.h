#pragma once

// Whether a window manager runs: minimising, interactive moves and stacking
// need one. Where the platform's own compositor manages the windows (not
// X11), there always is one.
bool WindowManagerRunning();

// Whether a minimised window can be given back to the program: on X11 with
// a window manager. A Wayland compositor may minimise a window that the
// program then cannot restore.
bool CanMinimiseAndRestore();

// Whether the window system tells where a window is (X11); a native Wayland
// window knows no position of its own.
bool WindowPositionsAreReported();
