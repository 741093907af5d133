#include "platform/x11/TaskbarButton.h"

#include "platform/x11/X11Connection.h"

#include <QWidget>
#include <QWindow>

#include <vector>

namespace {

// A managed window changes its state through a request to the window manager
// on the root window (the extended window manager hints).
void RequestStateChange(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state, xcb_atom_t flag, bool set)
{
    const uint32_t action = set ? 1 : 0; // add : remove
    const uint32_t fromApplication = 1;
    SendToWindowManager(connection, window, state, { action, flag, 0, fromApplication, 0 });
}

// An unmapped window is not managed: the window manager ignores requests for
// it and reads the state property when the window is mapped. Qt keeps the
// atoms it finds there when it maps the window.
void EditUnmappedState(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state, xcb_atom_t flag, bool set)
{
    std::vector<xcb_atom_t> atoms = AtomListProperty(connection, window, state);
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
