#include "platform/x11/WindowPosition.h"

#include "platform/x11/X11Connection.h"

#include <QWidget>
#include <QWindow>

#include <cmath>
#include <cstdlib>

std::optional<QPoint> WindowPositionOnScreen(const QWidget& window)
{
    xcb_connection_t* connection = X11Connection();
    const QWindow* native = window.windowHandle();
    if (!connection || !native || !window.testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
    const auto id = xcb_window_t(window.winId());
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, id, X11RootWindow(connection), 0, 0), nullptr);
    if (!reply)
        return std::nullopt;
    const double ratio = native->devicePixelRatio();
    const QPoint position(int(std::lround(reply->dst_x / ratio)), int(std::lround(reply->dst_y / ratio)));
    std::free(reply);
    return position;
}

QPoint WindowPositionOrAsked(const QWidget& window)
{
    return WindowPositionOnScreen(window).value_or(window.pos());
}
