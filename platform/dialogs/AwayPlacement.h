#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window of the given size goes so that it leaves the owner window
// in view, with room to grow: at the far side of the area from the owner
// (its right edge when the owner's centre lies in the left half, else its
// left edge), level with the owner's top, and inside the area as far as it
// fits.
QPoint PlaceAwayFrom(const QRect& owner, QSize size, const QRect& area);

// Shows a window that is not modal, over its parent window and active; one
// not yet on screen first goes away from its parent (PlaceAwayFrom, within
// the parent's screen), so that the clock stays in view.
void ShowAwayFromParent(QWidget& window);
