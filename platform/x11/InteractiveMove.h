#pragma once

#include <QPoint>

class QWindow;

// The window manager's interactive move of a window, as a drag on its caption
// would start it.

// Asks for the move during a drag with the left button that was pressed at
// pressPosition (in the window's own coordinates). The move is anchored at
// the press, so the pointer's motion since then moves the window too. False
// where no window manager takes such a move; the caller then moves the
// window itself.
bool StartInteractiveMove(QWindow& window, QPointF pressPosition);

// Ends a move that was asked for but never taken: the button came up before
// the window manager took the pointer, which would otherwise leave the window
// following the pointer until the next click.
void CancelInteractiveMove(QWindow& window);

// Whether the left button is down now. While the window manager moves a
// window, the button's release goes to the window manager, not to the
// program, so only the server knows when the move has ended.
bool LeftButtonDown();
