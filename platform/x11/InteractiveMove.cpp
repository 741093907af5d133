#include "platform/x11/InteractiveMove.h"

#include "platform/x11/WindowManager.h"
#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// _NET_WM_MOVERESIZE directions and the pointer button it follows.
constexpr uint32_t kMoveResizeMove = 8;
constexpr uint32_t kMoveResizeCancel = 11;
constexpr uint32_t kLeftButton = 1;

// Whether the window manager lists the interactive move among what it
// supports.
bool WindowManagerMoves(xcb_connection_t* connection, xcb_atom_t moveResize)
{
    if (moveResize == XCB_ATOM_NONE || !WindowManagerRunning())
        return false;
    const std::vector<xcb_atom_t> supported
        = AtomListProperty(connection, X11RootWindow(connection), InternAtom(connection, "_NET_SUPPORTED"));
    return std::find(supported.begin(), supported.end(), moveResize) != supported.end();
}

// Where the window's origin is on the screen, in the server's pixels.
bool WindowOrigin(xcb_connection_t* connection, xcb_window_t window, QPoint& origin)
{
    const xcb_translate_coordinates_cookie_t cookie
        = xcb_translate_coordinates(connection, window, X11RootWindow(connection), 0, 0);
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(connection, cookie, nullptr);
    if (reply)
        origin = QPoint(reply->dst_x, reply->dst_y);
    std::free(reply);
    return reply != nullptr;
}

void SendMoveResize(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t moveResize, QPoint pointer,
    uint32_t direction, uint32_t button)
{
    const uint32_t fromApplication = 1;
    SendToWindowManager(connection, window, moveResize,
        { uint32_t(pointer.x()), uint32_t(pointer.y()), direction, button, fromApplication });
    xcb_flush(connection);
}

} // namespace

bool StartInteractiveMove(QWindow& window, QPointF pressPosition)
{
    xcb_connection_t* connection = X11Connection();
    // Other platforms anchor the move at the last press themselves.
    if (!connection)
        return window.startSystemMove();
    const xcb_atom_t moveResize = InternAtom(connection, "_NET_WM_MOVERESIZE");
    const auto native = xcb_window_t(window.winId());
    QPoint origin;
    if (!WindowManagerMoves(connection, moveResize) || !WindowOrigin(connection, native, origin))
        return false;
    const QPointF inWindow = pressPosition * window.devicePixelRatio();
    const QPoint pointer = origin + QPoint(int(std::lround(inWindow.x())), int(std::lround(inWindow.y())));
    // The press grabbed the pointer for this program; the window manager
    // needs it.
    xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
    SendMoveResize(connection, native, moveResize, pointer, kMoveResizeMove, kLeftButton);
    return true;
}

void CancelInteractiveMove(QWindow& window)
{
    xcb_connection_t* connection = X11Connection();
    if (!connection)
        return;
    const xcb_atom_t moveResize = InternAtom(connection, "_NET_WM_MOVERESIZE");
    if (moveResize != XCB_ATOM_NONE)
        SendMoveResize(connection, xcb_window_t(window.winId()), moveResize, QPoint(), kMoveResizeCancel, 0);
}

bool LeftButtonDown()
{
    xcb_connection_t* connection = X11Connection();
    if (!connection)
        return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
    const xcb_query_pointer_cookie_t cookie = xcb_query_pointer(connection, X11RootWindow(connection));
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(connection, cookie, nullptr);
    const bool down = reply && (reply->mask & XCB_BUTTON_MASK_1) != 0;
    std::free(reply);
    return down;
}
