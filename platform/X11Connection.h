#pragma once

#include <xcb/xcb.h>

// The X server connection of the application and the few requests the
// desktop part of the platform makes on it directly.

// The connection, or null where the application does not run on X11.
xcb_connection_t* X11Connection();

xcb_window_t X11RootWindow(xcb_connection_t* connection);

// The atom of a name, interned if need be; XCB_ATOM_NONE on failure.
xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name);
