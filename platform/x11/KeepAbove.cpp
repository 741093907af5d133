#include "platform/x11/KeepAbove.h"

#include "platform/x11/WindowManager.h"
#include "platform/x11/X11Connection.h"

#include <QApplication>
#include <QWidget>

#include <cstdlib>

namespace {

// Whether id is a native window of one of this program's top-level widgets.
bool IsOwnWindow(xcb_window_t id)
{
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->testAttribute(Qt::WA_WState_Created) && xcb_window_t(widget->winId()) == id)
            return true;
    return false;
}

void RaiseWindow(xcb_connection_t* connection, xcb_window_t id)
{
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_STACK_MODE, &above);
}

} // namespace

KeepAbove::KeepAbove(QWidget& window) : m_window(window) {}

KeepAbove::~KeepAbove()
{
    if (m_watchingRoot)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void KeepAbove::setEnabled(bool enabled)
{
    xcb_connection_t* connection = X11Connection();
    m_enabled = enabled && connection && !WindowManagerRunning();
    if (!m_enabled)
        return;
    if (!m_watchingRoot) {
        // The root window's changes of its children: added to the events
        // Qt already asks of it, not in their place.
        const xcb_window_t root = X11RootWindow(connection);
        xcb_get_window_attributes_reply_t* attributes
            = xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, root), nullptr);
        const uint32_t mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        std::free(attributes);
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_watchingRoot = true;
    }
    raise();
}

bool KeepAbove::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (!m_enabled || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & ~0x80;
    xcb_window_t window = XCB_WINDOW_NONE;
    bool overrideRedirect = false;
    if (type == XCB_MAP_NOTIFY) {
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        if (map->event != X11RootWindow(X11Connection()))
            return false;
        window = map->window;
        overrideRedirect = map->override_redirect;
    } else if (type == XCB_CONFIGURE_NOTIFY) {
        const auto* configure = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
        if (configure->event != X11RootWindow(X11Connection()))
            return false;
        window = configure->window;
        overrideRedirect = configure->override_redirect;
    } else {
        return false;
    }
    if (!overrideRedirect && !IsOwnWindow(window))
        raise();
    return false;
}

void KeepAbove::raise()
{
    xcb_connection_t* connection = X11Connection();
    if (!connection || !m_window.isVisible() || !m_window.testAttribute(Qt::WA_WState_Created))
        return;
    RaiseWindow(connection, xcb_window_t(m_window.winId()));
    // The program's own windows stay above the clock.
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget != &m_window && widget->isVisible() && widget->testAttribute(Qt::WA_WState_Created)
            && !widget->windowFlags().testFlag(Qt::Popup) && !widget->windowFlags().testFlag(Qt::ToolTip))
            RaiseWindow(connection, xcb_window_t(widget->winId()));
    xcb_flush(connection);
}
