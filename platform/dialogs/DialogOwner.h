#pragma once

class QDialog;
class QWidget;

// The window the boxes and choosers the program opens belong to. Each opens
// over the program's active window, else over the main window (the clock)
// while it is on screen: as that window's transient it comes up above it,
// also when it stays on top, and it is modal to that window alone, so the
// tray icon and the clock's tick carry on.
void SetMainWindow(QWidget* window);
// The window a new box or chooser belongs to; null when the program has no
// window on screen.
QWidget* DialogParent();

// Makes a dialog created over DialogParent() modal to that window alone, or,
// with none, to no window at all.
void MakeModalToItsWindow(QDialog& dialog);
