#pragma once

class QWidget;

// Shows or hides the taskbar button of a top-level window without changing
// its window type: the window manager is asked to set or clear the window's
// skip-taskbar state. Does nothing where the platform has no such state.
void SetTaskbarButtonHidden(QWidget* window, bool hidden);
