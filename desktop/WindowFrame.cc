#include "desktop/WindowFrame.h"

#include "desktop/XcbReply.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace tellaria {

namespace {

// How long a window manager that offers the estimate may take to give it. One that is busy
// longer costs a resize after the window appears, as without the estimate.
constexpr int AnswerTimeoutMs = 50;

// Whether the window manager lists `atom` among what it supports; false without one.
bool Supports(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t atom)
{
    const auto reply
        = XcbProperty(connection, root, XcbAtom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    if (!reply || reply->type != XCB_ATOM_ATOM || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, atom) != atoms + count;
}

// The window's _NET_FRAME_EXTENTS (left, right, top, bottom), once the window manager set it.
std::optional<QMargins> FrameExtents(xcb_connection_t *connection,
                                     xcb_window_t window,
                                     xcb_atom_t extents)
{
    const auto reply = XcbProperty(connection, window, extents, XCB_ATOM_CARDINAL, 4);
    if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32
        || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return QMargins(int(values[0]), int(values[2]), int(values[1]), int(values[3]));
}

} // namespace

// Hears the window manager set a window's _NET_FRAME_EXTENTS among the X events Qt reads.
class TX11FrameWatch : public TFrameWatch, public QAbstractNativeEventFilter
{
public:
    TX11FrameWatch(QWidget *window, xcb_connection_t *connection, xcb_atom_t extents)
        : TFrameWatch(window)
        , m_connection(connection)
        , m_window(static_cast<xcb_window_t>(window->winId()))
        , m_extents(extents)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~TX11FrameWatch() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *change = static_cast<const xcb_property_notify_event_t *>(message);
        if (change->window != m_window || change->atom != m_extents)
            return false;
        // Told once the event at hand is handled: reading the property now would wait on the
        // connection Qt is reading events from.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (const std::optional<QMargins> frame
                    = FrameExtents(m_connection, m_window, m_extents))
                    emit Framed(*frame);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    xcb_connection_t *m_connection;
    xcb_window_t m_window;
    xcb_atom_t m_extents;
};

std::optional<QMargins> AskFrameMargins(QWidget *window)
{
    xcb_connection_t *connection = QtXcbConnection();
    if (!connection)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr), &std::free);
    if (!geometry)
        return std::nullopt;
    const xcb_window_t root = geometry->root;
    const xcb_atom_t request = XcbAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = XcbAtom(connection, "_NET_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE
        || !Supports(connection, root, request))
        return std::nullopt;

    // The estimate comes as the property, set on the unmapped window; a window manager that
    // set it before (a window shown and hidden again) leaves it as it is.
    if (const std::optional<QMargins> known = FrameExtents(connection, id, extents))
        return known;
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    // Qt's own thread reads the connection's events, so the answer is looked for, not waited on.
    const QDeadlineTimer deadline(AnswerTimeoutMs);
    do {
        if (const std::optional<QMargins> margins = FrameExtents(connection, id, extents))
            return margins;
        QThread::usleep(500);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

TFrameWatch *WatchFrameMargins(QWidget *window)
{
    xcb_connection_t *connection = QtXcbConnection();
    if (!connection)
        return nullptr;
    const xcb_atom_t extents = XcbAtom(connection, "_NET_FRAME_EXTENTS");
    if (extents == XCB_ATOM_NONE)
        return nullptr;
    return new TX11FrameWatch(window, connection, extents);
}

} // namespace tellaria
