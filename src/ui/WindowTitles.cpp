#include "ui/WindowTitles.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xproto.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace ui {

namespace {

// Titles longer than this are cut; the watch looks for a short name in them.
constexpr std::uint32_t kMaxTitleWords = 64;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

Reply<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                         xcb_atom_t type, std::uint32_t words) {
    return Reply<xcb_get_property_reply_t>(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, words), nullptr));
}

std::string Text(const xcb_get_property_reply_t* reply) {
    if (!reply || reply->format != 8) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply)),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply)));
}

} // namespace

std::vector<std::string> TopLevelWindowTitles(bool visibleOnly) {
    std::vector<std::string> titles;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return titles;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return titles;
    const xcb_atom_t clientList = Atom(connection, "_NET_CLIENT_LIST");
    const xcb_atom_t wmName = Atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom(connection, "UTF8_STRING");
    const xcb_atom_t wmState = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t hidden = Atom(connection, "_NET_WM_STATE_HIDDEN");
    const auto clients = Property(connection, screen->root, clientList, XCB_ATOM_WINDOW, 4096);
    if (!clients || clients->format != 32) return titles;
    const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(clients.get()));
    const int count = xcb_get_property_value_length(clients.get()) / 4;
    for (int i = 0; i < count; ++i) {
        const xcb_window_t window = windows[i];
        std::string title = Text(Property(connection, window, wmName, utf8, kMaxTitleWords).get());
        if (title.empty())
            title = Text(Property(connection, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, kMaxTitleWords).get());
        if (visibleOnly) {
            if (title.empty()) continue;
            const auto owner = Property(connection, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 1);
            if (owner && xcb_get_property_value_length(owner.get()) > 0) continue;
            const auto state = Property(connection, window, wmState, XCB_ATOM_ATOM, 32);
            bool isHidden = false;
            if (state && state->format == 32) {
                const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(state.get()));
                for (int a = 0; a < xcb_get_property_value_length(state.get()) / 4; ++a)
                    isHidden = isHidden || atoms[a] == hidden;
            }
            if (isHidden) continue;
        }
        titles.push_back(std::move(title));
    }
    return titles;
}

} // namespace ui
