// Waits for the first window of a program to appear on the X display and
// prints the moment, for timing a start from exec to the first mapped window.
//
// Usage: vellamor_first_map CLASS [TIMEOUT_SECONDS]
// Prints "ready" once it is listening; then, when a top-level window holding a
// window whose WM_CLASS names CLASS (instance or class, any letter case) is
// mapped, prints the wall-clock time in nanoseconds since the epoch and exits
// with 0. Exits with 1 on timeout or when the display cannot be opened.
// Windows smaller than 50 x 50 pixels (tray icons) are not counted.
#include <xcb/xcb.h>

#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <strings.h>

namespace {

constexpr int kSmallestWindow = 50;

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Owned(T* reply)
{
    return Reply<T>(reply, &std::free);
}

// WM_CLASS holds the instance name and the class name, each ending in a zero.
bool HasClass(xcb_connection_t* connection, xcb_window_t window, const char* wanted)
{
    const auto reply = Owned(xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr));
    if (!reply)
        return false;
    const char* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const std::string names(value, std::size_t(xcb_get_property_value_length(reply.get())));
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = names.find('\0', start);
        const std::string name = names.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (strcasecmp(name.c_str(), wanted) == 0)
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

// The window itself or one below it (a window manager's frame holds the
// program's window).
bool HoldsClass(xcb_connection_t* connection, xcb_window_t window, const char* wanted)
{
    if (HasClass(connection, window, wanted))
        return true;
    const auto tree = Owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree)
        return false;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
        if (HoldsClass(connection, children[i], wanted))
            return true;
    return false;
}

bool IsLarge(xcb_connection_t* connection, xcb_window_t window)
{
    const auto geometry = Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return geometry && geometry->width >= kSmallestWindow && geometry->height >= kSmallestWindow;
}

long long NowNanoseconds()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CLASS [TIMEOUT_SECONDS]\n", argv[0]);
        return 2;
    }
    const char* wanted = argv[1];
    const int timeoutMs = (argc > 2 ? std::atoi(argv[2]) : 30) * 1000;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(connection, xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask));
    std::printf("ready\n");
    std::fflush(stdout);

    const long long deadline = NowNanoseconds() + timeoutMs * 1000000LL;
    pollfd descriptor { xcb_get_file_descriptor(connection), POLLIN, 0 };
    while (NowNanoseconds() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const auto owned = Owned(event);
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const long long mapped = NowNanoseconds();
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            if (map->event == root && IsLarge(connection, map->window) && HoldsClass(connection, map->window, wanted)) {
                std::printf("%lld\n", mapped);
                xcb_disconnect(connection);
                return 0;
            }
        }
        if (xcb_connection_has_error(connection))
            break;
        poll(&descriptor, 1, int((deadline - NowNanoseconds()) / 1000000 + 1));
    }
    xcb_disconnect(connection);
    return 1;
}
