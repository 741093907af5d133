#include "app/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

// The window manager ends its move at the release and tells the window its
// last position about then; a quiet spell this long means it has.
constexpr int kSettleMs = 100;

} // namespace

WindowDrag::WindowDrag(QWidget& window) : QObject(&window), m_window(window)
{
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(kSettleMs);
    connect(&m_settleTimer, &QTimer::timeout, this, &WindowDrag::Settled);
}

void WindowDrag::Press(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton)
        return;
    m_settleTimer.stop();
    m_positionAtPress = m_window.pos();
    // Started at the press, so that no motion of the pointer is lost.
    QWindow* handle = m_window.windowHandle();
    if (handle && handle->startSystemMove()) {
        m_mover = Mover::WindowManager;
        return;
    }
    m_mover = Mover::Window;
    m_pointerOffset = event.globalPosition().toPoint() - m_window.pos();
}

void WindowDrag::Move(const QMouseEvent& event)
{
    if (m_mover == Mover::Window && event.buttons().testFlag(Qt::LeftButton) && MoveWindow)
        MoveWindow(event.globalPosition().toPoint() - m_pointerOffset);
}

void WindowDrag::Release(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton || m_mover == Mover::None)
        return;
    if (m_mover == Mover::WindowManager) {
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

void WindowDrag::Settled()
{
    m_mover = Mover::None;
    if (m_window.pos() != m_positionAtPress && OnDropped)
        OnDropped(m_window.pos());
}
