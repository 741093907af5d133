#pragma once

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <vector>

// The X server connection of the application and the few requests the
// desktop part of the platform makes on it directly.

// The connection, or null where the application does not run on X11.
xcb_connection_t* X11Connection();

xcb_window_t X11RootWindow(xcb_connection_t* connection);

// The atom of a name, interned if need be; XCB_ATOM_NONE on failure.
xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name);

// The atoms an ATOM property of window lists; empty where it has none.
std::vector<xcb_atom_t> AtomListProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property);

// A request about window to the window manager, as the extended window
// manager hints define them: a client message of the type with its five
// values, sent to the root window.
void SendToWindowManager(
    xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type, const std::array<uint32_t, 5>& values);
