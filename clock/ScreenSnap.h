#pragma once

#include <QPoint>
#include <QRect>

// Snapping while the user drags the window: an edge of the window that comes
// within less than distance pixels of the matching edge of the work area is
// put onto that edge. Returns the window's new top-left corner.
QPoint SnapToWorkArea(const QRect& window, const QRect& workArea, int distance);

// Where the clock first appears, before the user has placed it: at the
// top-right corner of the work area (clear of the panels that bound it),
// inset by a margin, for a window of side pixels.
QPoint FirstStartPosition(const QRect& workArea, int side);
