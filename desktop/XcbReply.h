#pragma once

// What the parts that speak X11's own protocol share: Qt's connection, xcb's replies, which the
// caller frees, held by a pointer that frees them, and an atom asked for by name.

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace tellaria {

// Qt's own connection to the X server; null without one (not X11, or no application yet).
inline xcb_connection_t *QtXcbConnection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

template<typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

// The atom named `name`, made when the server has none by that name; XCB_ATOM_NONE when the
// server does not answer.
inline xcb_atom_t XcbAtom(xcb_connection_t *connection, std::string_view name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Property `property` of `window`, of `type`, at most `length` 32-bit units of it; null when the
// server does not answer.
inline XcbReply<xcb_get_property_reply_t> XcbProperty(xcb_connection_t *connection,
                                                      xcb_window_t window,
                                                      xcb_atom_t property,
                                                      xcb_atom_t type,
                                                      uint32_t length)
{
    return {xcb_get_property_reply(
                connection, xcb_get_property(connection, 0, window, property, type, 0, length),
                nullptr),
            &std::free};
}

} // namespace tellaria
