#pragma once

// Whether a window manager runs: minimising, interactive moves and stacking
// need one. Where the platform's own compositor manages the windows (not
// X11), there always is one.
bool WindowManagerRunning();
