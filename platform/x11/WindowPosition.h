#pragma once

#include <QPoint>

#include <optional>

class QWidget;

// Where a top-level window is on the screen as the X server has it, its
// top-left in the desktop's coordinates: also after a window manager moved
// it without telling the program (icewm keeping it on the screen, weston's
// XWayland after a drag), when Qt still holds the position last asked for.
// Nothing off X11, or for a window that has no native window yet.
std::optional<QPoint> WindowPositionOnScreen(const QWidget& window);

// The position on screen where the X server tells it, else the one Qt holds.
QPoint WindowPositionOrAsked(const QWidget& window);
