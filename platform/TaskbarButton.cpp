#include "platform/TaskbarButton.h"

#include "platform/X11Connection.h"

#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// A managed window changes its state through a request to the window manager
// on the root window (the extended window manager hints).
void RequestStateChange(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state, xcb_atom_t flag, bool set)
{
    const xcb_window_t root = X11RootWindow(connection);
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = state;
    message.data.data32[0] = set ? 1 : 0; // add : remove
    message.data.data32[1] = flag;
    message.data.data32[3] = 1; // sent by a normal application
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&message));
}

// An unmapped window is not managed: the window manager ignores requests for
// it and reads the state property when the window is mapped. Qt keeps the
// atoms it finds there when it maps the window.
void EditUnmappedState(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state, xcb_atom_t flag, bool set)
{
    constexpr uint32_t kMaxAtoms = 1024;
    std::vector<xcb_atom_t> atoms;
    const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, kMaxAtoms);
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        if (reply->type == XCB_ATOM_ATOM && reply->format == 32) {
            const auto* first = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            atoms.assign(first, first + xcb_get_property_value_length(reply) / sizeof(xcb_atom_t));
        }
        std::free(reply);
    }
    std::erase(atoms, flag);
    if (set)
        atoms.push_back(flag);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()),
        atoms.data());
}

} // namespace

void SetTaskbarButtonHidden(QWidget* window, bool hidden)
{
    if (!window)
        return;
    xcb_connection_t* connection = X11Connection();
    QWindow* nativeWindow = window->windowHandle();
    if (!connection || !nativeWindow || !nativeWindow->handle())
        return;
    // Ask the native window, not the widget: changing the stay-on-top flag
    // makes Qt replace the X window, and QWidget::winId() can still name the
    // old one.
    const auto id = xcb_window_t(nativeWindow->winId());
    const xcb_atom_t state = InternAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = InternAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (window->isVisible())
        RequestStateChange(connection, id, state, skipTaskbar, hidden);
    else
        EditUnmappedState(connection, id, state, skipTaskbar, hidden);
    xcb_flush(connection);
}
