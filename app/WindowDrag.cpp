#include "app/WindowDrag.h"

#include "platform/x11/InteractiveMove.h"
#include "platform/x11/WindowPosition.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

// The window manager ends its move at the release and tells the window its
// last position about then; a quiet spell this long with the button up
// means it has.
constexpr int kSettleMs = 100;

} // namespace

WindowDrag::WindowDrag(QWidget& window) : QObject(&window), m_window(window)
{
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(kSettleMs);
    connect(&m_settleTimer, &QTimer::timeout, this, &WindowDrag::SettleTimeout);
}

void WindowDrag::Press(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton)
        return;
    m_settleTimer.stop();
    m_mover = Mover::None;
    m_pressed = true;
    m_positionAtPress = WindowPositionOrAsked(m_window);
    m_pressInWindow = event.position();
    m_pointerOffset = event.globalPosition().toPoint() - m_window.pos();
}

void WindowDrag::Move(const QMouseEvent& event)
{
    if (!m_pressed || !event.buttons().testFlag(Qt::LeftButton))
        return;
    // The move starts with the drag, not at the press: a click alone leaves
    // the window where it is. Anchored at the press, it loses no motion.
    if (m_mover == Mover::None) {
        QWindow* handle = m_window.windowHandle();
        if (handle && StartInteractiveMove(*handle, m_pressInWindow)) {
            m_mover = Mover::WindowManager;
            m_settleTimer.start();
            return;
        }
        m_mover = Mover::Window;
    }
    if (m_mover == Mover::Window && MoveWindow)
        MoveWindow(event.globalPosition().toPoint() - m_pointerOffset);
}

void WindowDrag::Release(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton)
        return;
    m_pressed = false;
    if (m_mover == Mover::None)
        return;
    if (m_mover == Mover::WindowManager) {
        // The release reached this window, so the window manager never took
        // the pointer for its move: it must not start one now.
        if (QWindow* handle = m_window.windowHandle())
            CancelInteractiveMove(*handle);
        m_settleTimer.start();
        return;
    }
    Settled();
}

void WindowDrag::WindowMoved()
{
    if (m_settleTimer.isActive())
        m_settleTimer.start();
}

void WindowDrag::SettleTimeout()
{
    // The release may never reach the program: the move goes on while the
    // button is down.
    if (m_mover == Mover::WindowManager && LeftButtonDown()) {
        m_settleTimer.start();
        return;
    }
    Settled();
}

void WindowDrag::Settled()
{
    m_mover = Mover::None;
    // Where the window really is: a compositor may have moved it without a
    // word to the program.
    const QPoint dropped = WindowPositionOrAsked(m_window);
    if (dropped != m_positionAtPress && OnDropped)
        OnDropped(dropped);
}
