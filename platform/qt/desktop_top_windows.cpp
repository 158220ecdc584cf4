#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/qt/qt_services.h"

namespace qd {
namespace {

bool on_x11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

struct XcbConnection {
    XcbConnection() : connection(xcb_connect(nullptr, nullptr)) {}
    ~XcbConnection() { xcb_disconnect(connection); }
    bool ok() const { return connection && !xcb_connection_has_error(connection); }
    xcb_window_t root() const { return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root; }

    xcb_atom_t atom(const char* name) const {
        auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(xcb_intern_atom_reply(connection, cookie, nullptr),
                                                                             &std::free);
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    // A property's bytes, at most `longs` 32-bit units of it.
    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type, std::uint32_t longs = 1024) const {
        auto cookie = xcb_get_property(connection, 0, window, name, type, 0, longs);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(xcb_get_property_reply(connection, cookie, nullptr),
                                                                              &std::free);
        if (!reply || reply->type == XCB_ATOM_NONE) return {};
        const char* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
        return std::string(data, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    }

    xcb_connection_t* connection;
};

std::vector<TopWindow> x11_windows() {
    std::vector<TopWindow> windows;
    XcbConnection x;
    if (!x.ok()) return windows;
    const xcb_atom_t client_list = x.atom("_NET_CLIENT_LIST");
    const xcb_atom_t net_name = x.atom("_NET_WM_NAME");
    const xcb_atom_t utf8 = x.atom("UTF8_STRING");
    std::string ids = x.property(x.root(), client_list, XCB_ATOM_WINDOW, 4096);
    std::vector<xcb_window_t> list(ids.size() / sizeof(xcb_window_t));
    std::memcpy(list.data(), ids.data(), list.size() * sizeof(xcb_window_t));
    if (list.empty()) {
        // No window manager list: the root's children are the top-level windows.
        auto cookie = xcb_query_tree(x.connection, x.root());
        std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(xcb_query_tree_reply(x.connection, cookie, nullptr),
                                                                           &std::free);
        if (tree) {
            xcb_window_t* children = xcb_query_tree_children(tree.get());
            list.assign(children, children + xcb_query_tree_children_length(tree.get()));
        }
    }
    for (xcb_window_t id : list) {
        std::string title = x.property(id, net_name, utf8);
        if (title.empty()) title = x.property(id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
        if (!title.empty()) windows.push_back({id, title});
    }
    return windows;
}

void x11_close(std::uint64_t id) {
    XcbConnection x;
    if (!x.ok()) return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(id);
    event.type = x.atom("WM_PROTOCOLS");
    event.data.data32[0] = x.atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x.connection, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    xcb_flush(x.connection);
}

// Maps the window and asks the window manager to make it the active one,
// which also takes it out of its minimised state.
void x11_show_normal(std::uint64_t id) {
    XcbConnection x;
    if (!x.ok()) return;
    const auto window = static_cast<xcb_window_t>(id);
    xcb_map_window(x.connection, window);
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = x.atom("_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 1;  // a request from an application
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x.connection, 0, x.root(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(x.connection);
}

}  // namespace

std::vector<TopWindow> DesktopTopWindows::list() {
    if (on_x11()) return x11_windows();
    std::vector<TopWindow> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible()) windows.push_back({reinterpret_cast<std::uintptr_t>(widget), widget->windowTitle().toStdString()});
    return windows;
}

void DesktopTopWindows::show_normal(std::uint64_t id) {
    if (on_x11()) return x11_show_normal(id);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (reinterpret_cast<std::uintptr_t>(widget) == id) widget->showNormal();
}

void DesktopTopWindows::request_close(std::uint64_t id) {
    if (on_x11()) return x11_close(id);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (reinterpret_cast<std::uintptr_t>(widget) == id) widget->close();
}

}  // namespace qd
