#include "desktop/WindowActivation.h"

#include "desktop/XcbReply.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace tellaria {

namespace {

constexpr char StartupIdVariable[] = "DESKTOP_STARTUP_ID";
constexpr char ActivationTokenVariable[] = "XDG_ACTIVATION_TOKEN";

bool OnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

xcb_window_t RootOf(xcb_connection_t *connection, xcb_window_t window)
{
    const XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr),
        &std::free);
    return geometry ? geometry->root : xcb_window_t(XCB_WINDOW_NONE);
}

// A message to the window manager, or to whoever watches the root window for `mask`.
void SendToRoot(xcb_connection_t *connection,
                xcb_window_t root,
                xcb_client_message_event_t event,
                uint32_t mask)
{
    event.response_type = XCB_CLIENT_MESSAGE;
    event.sequence = 0;
    xcb_send_event(connection, 0, root, mask, reinterpret_cast<const char *>(&event));
}

xcb_client_message_event_t Message(xcb_window_t window, xcb_atom_t type, uint8_t format)
{
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.window = window;
    event.type = type;
    event.format = format;
    return event;
}

constexpr uint32_t WindowManagerMask
    = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;

// The window manager reads the time of the user's last action in a window from its
// _NET_WM_USER_TIME, which Qt keeps on a window of its own named in _NET_WM_USER_TIME_WINDOW.
void SetUserTime(xcb_connection_t *connection, xcb_window_t window, uint32_t time)
{
    xcb_window_t holder = window;
    const auto named = XcbProperty(
        connection, window, XcbAtom(connection, "_NET_WM_USER_TIME_WINDOW"), XCB_ATOM_WINDOW, 1);
    if (named && xcb_get_property_value_length(named.get()) == 4)
        holder = *static_cast<const xcb_window_t *>(xcb_get_property_value(named.get()));
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, holder,
                        XcbAtom(connection, "_NET_WM_USER_TIME"), XCB_ATOM_CARDINAL, 32, 1, &time);
}

void RequestFocus(xcb_connection_t *connection,
                  xcb_window_t root,
                  xcb_window_t window,
                  uint32_t time)
{
    xcb_client_message_event_t event
        = Message(window, XcbAtom(connection, "_NET_ACTIVE_WINDOW"), 32);
    event.data.data32[0] = 1; // asked by an application, not by a pager
    event.data.data32[1] = time;
    SendToRoot(connection, root, event, WindowManagerMask);
}

void RequestAttention(xcb_connection_t *connection, xcb_window_t root, xcb_window_t window)
{
    xcb_client_message_event_t event = Message(window, XcbAtom(connection, "_NET_WM_STATE"), 32);
    event.data.data32[0] = 1; // add
    event.data.data32[1] = XcbAtom(connection, "_NET_WM_STATE_DEMANDS_ATTENTION");
    event.data.data32[3] = 1; // asked by an application
    SendToRoot(connection, root, event, WindowManagerMask);
}

// The launcher shows a busy pointer until it hears "remove" for its id, in pieces of 20 bytes.
void EndStartupNotification(xcb_connection_t *connection,
                            xcb_window_t root,
                            xcb_window_t window,
                            const QString &startupId)
{
    QByteArray value = startupId.toUtf8();
    value.replace('\\', "\\\\").replace('"', "\\\"");
    const QByteArray text = "remove: ID=\"" + value + "\"";
    // With its terminating zero.
    const qsizetype size = text.size() + 1;
    const xcb_atom_t first = XcbAtom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = XcbAtom(connection, "_NET_STARTUP_INFO");
    for (qsizetype offset = 0; offset < size; offset += 20) {
        xcb_client_message_event_t event = Message(window, offset == 0 ? first : more, 8);
        const qsizetype piece = std::min<qsizetype>(20, text.size() - offset);
        if (piece > 0)
            std::memcpy(event.data.data8, text.constData() + offset, size_t(piece));
        SendToRoot(connection, root, event, XCB_EVENT_MASK_PROPERTY_CHANGE);
    }
}

// Qt's Wayland window takes the token from the environment as it asks for the focus.
void ActivateWithToken(QWidget *window, const QString &token)
{
    qputenv(ActivationTokenVariable, token.toUtf8());
    window->activateWindow();
    qunsetenv(ActivationTokenVariable);
}

} // namespace

TWindowActivation::TWindowActivation(const QString &startupId, const QString &activationToken)
    : m_startupId(startupId)
    , m_activationToken(activationToken)
{}

TWindowActivation TWindowActivation::FromEnvironment()
{
    return TWindowActivation(qEnvironmentVariable(StartupIdVariable),
                             qEnvironmentVariable(ActivationTokenVariable));
}

void TWindowActivation::ForgetEnvironment()
{
    qunsetenv(StartupIdVariable);
    qunsetenv(ActivationTokenVariable);
}

std::uint32_t TWindowActivation::UserTime(const QString &startupId)
{
    const qsizetype at = startupId.lastIndexOf(QLatin1String("_TIME"));
    if (at < 0)
        return 0;
    bool ok = false;
    const uint time = startupId.mid(at + 5).toUInt(&ok);
    return ok ? time : 0;
}

void TWindowActivation::BringToFront(QWidget *window) const
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();

    xcb_connection_t *connection = QtXcbConnection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = connection ? RootOf(connection, id) : xcb_window_t(XCB_WINDOW_NONE);
    if (root == XCB_WINDOW_NONE) {
        if (OnWayland() && !m_activationToken.isEmpty())
            ActivateWithToken(window, m_activationToken);
        else
            window->activateWindow();
        QApplication::alert(window);
        return;
    }

    if (const std::uint32_t time = UserTime(m_startupId)) {
        // The user's action is newer than the last one in the window that has the focus: the
        // window manager lets this window take it.
        SetUserTime(connection, id, time);
        RequestFocus(connection, root, id, time);
    } else {
        // With the time of the last event Qt saw, which the window manager may find too old.
        window->activateWindow();
    }
    // Sent here rather than through Qt, which sends it only once until the window is active
    // again, though metacity drops it while the window is in full view.
    RequestAttention(connection, root, id);
    if (!m_startupId.isEmpty())
        EndStartupNotification(connection, root, id, m_startupId);
    xcb_flush(connection);
}

void TWindowActivation::ActivateFirstWindow(QWidget *window) const
{
    if (OnWayland() && !m_activationToken.isEmpty())
        ActivateWithToken(window, m_activationToken);
}

} // namespace tellaria
