#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <functional>

class QMouseEvent;
class QWidget;

// Dragging a window that has no caption with the left button. The first
// motion after a real press starts one interactive move of the window
// manager, as a drag on a caption would; where the window manager offers none
// (no window manager runs), the window follows the pointer by moves of its
// own. A click without motion moves nothing. Once the move
// has ended, and only if the window moved, OnDropped reports where it
// landed: the window manager owns the window until then and may drop a move
// made in between.
class WindowDrag : public QObject {
public:
    explicit WindowDrag(QWidget& window);

    // The window's mouse handlers hand their events on.
    void Press(const QMouseEvent& event);
    void Move(const QMouseEvent& event);
    void Release(const QMouseEvent& event);
    // The window's move handler: the window manager's last moves of a drag
    // may come after the button is released.
    void WindowMoved();

    // From the first motion of a drag until the window has settled after the
    // release.
    bool Dragging() const { return m_mover != Mover::None; }

    // Moves the window while it follows the pointer by itself.
    std::function<void(QPoint position)> MoveWindow;
    // Where a drag left the window.
    std::function<void(QPoint position)> OnDropped;

private:
    enum class Mover { None, WindowManager, Window };

    void SettleTimeout();
    void Settled();

    QWidget& m_window;
    Mover m_mover = Mover::None;
    bool m_pressed = false; // the left button is down since a press on the window
    QPoint m_positionAtPress;
    QPointF m_pressInWindow;
    QPoint m_pointerOffset; // pointer minus window position, while the window moves itself
    // While the window manager moves the window, and after the release,
    // waits for its last move.
    QTimer m_settleTimer;
};
