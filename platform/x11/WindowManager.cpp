#include "platform/x11/WindowManager.h"

#include "platform/x11/X11Connection.h"

#include <cstdlib>
#include <optional>

namespace {

// The window a WINDOW property of window names, if it has one.
std::optional<xcb_window_t> WindowProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::optional<xcb_window_t> value;
    if (reply && reply->type == XCB_ATOM_WINDOW && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        value = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
}

} // namespace

bool WindowManagerRunning()
{
    xcb_connection_t* connection = X11Connection();
    if (!connection)
        return true;
    // A running window manager names a window of its own on the root window,
    // and that window names itself; a stale name left by one that ended does
    // not.
    const xcb_atom_t check = InternAtom(connection, "_NET_SUPPORTING_WM_CHECK");
    const std::optional<xcb_window_t> named = WindowProperty(connection, X11RootWindow(connection), check);
    return named && WindowProperty(connection, *named, check) == named;
}

bool CanMinimiseAndRestore()
{
    return WindowPositionsAreReported() && WindowManagerRunning();
}

bool WindowPositionsAreReported()
{
    return X11Connection() != nullptr;
}
