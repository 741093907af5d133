#include "platform/TaskbarButton.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

namespace {

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

} // namespace

void SetTaskbarButtonHidden(QWidget* window, bool hidden)
{
    if (!window || QGuiApplication::platformName() != u"xcb")
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t state = InternAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = InternAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");

    // A managed window changes its state through a request to the window
    // manager on the root window (the extended window manager hints).
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window->winId());
    message.type = state;
    message.data.data32[0] = hidden ? 1 : 0; // add : remove
    message.data.data32[1] = skipTaskbar;
    message.data.data32[3] = 1; // sent by a normal application
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}
