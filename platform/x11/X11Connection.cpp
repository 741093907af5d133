#include "platform/x11/X11Connection.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>

xcb_connection_t* X11Connection()
{
    if (QGuiApplication::platformName() != u"xcb")
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t X11RootWindow(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

std::vector<xcb_atom_t> AtomListProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    constexpr uint32_t kMaxAtoms = 4096;
    std::vector<xcb_atom_t> atoms;
    const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, kMaxAtoms);
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        if (reply->type == XCB_ATOM_ATOM && reply->format == 32) {
            const auto* first = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            atoms.assign(first, first + xcb_get_property_value_length(reply) / sizeof(xcb_atom_t));
        }
        std::free(reply);
    }
    return atoms;
}

void SendToWindowManager(
    xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type, const std::array<uint32_t, 5>& values)
{
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    std::copy(values.begin(), values.end(), message.data.data32);
    xcb_send_event(connection, 0, X11RootWindow(connection),
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&message));
}
