#pragma once

class QWidget;

// Shows or hides the taskbar button of a top-level window without changing
// its window type: the window manager is asked to set or clear the window's
// skip-taskbar state (on a hidden window the state is stored for its next
// mapping). The window manager forgets the state when the window is hidden,
// and Qt may replace the native window when it is shown again: callers that
// keep the button hidden apply the state again after every show. Does
// nothing where the platform has no such state or the window has no native
// window yet.
void SetTaskbarButtonHidden(QWidget* window, bool hidden);
