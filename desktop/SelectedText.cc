#include "desktop/SelectedText.h"

#include "desktop/XcbReply.h"

#include <QDeadlineTimer>

#include <xcb/xcb.h>

#include <poll.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string_view>

namespace tellaria {

namespace {

// The most of a selection that is read. Only its first line that is not blank counts, and one
// longer than LongestSelectedTerm is refused whatever follows it.
constexpr uint32_t MostBytes = 1 << 20;

// A connection of its own and a window that is never shown, which the selection's holder writes
// the text into.
class TRequestor
{
public:
    TRequestor()
        : m_connection(xcb_connect(nullptr, &m_screen))
    {}
    ~TRequestor() { xcb_disconnect(m_connection); }
    TRequestor(const TRequestor &) = delete;
    TRequestor &operator=(const TRequestor &) = delete;

    // False when there is no X server to ask.
    bool Open();
    std::optional<QString> Read(const QDeadlineTimer &deadline);

private:
    xcb_atom_t Atom(std::string_view name) const;
    XcbReply<xcb_generic_event_t> WaitFor(
        const QDeadlineTimer &deadline,
        const std::function<bool(const xcb_generic_event_t &)> &wanted);
    std::optional<QByteArray> Convert(xcb_atom_t selection,
                                      xcb_atom_t target,
                                      const QDeadlineTimer &deadline);
    std::optional<QByteArray> TakeProperty(xcb_atom_t *type);

    xcb_connection_t *m_connection;
    int m_screen = 0;
    xcb_window_t m_window = XCB_NONE;
    xcb_atom_t m_property = XCB_NONE;
};

bool TRequestor::Open()
{
    if (xcb_connection_has_error(m_connection))
        return false;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int index = 0; index < m_screen && screens.rem > 0; ++index)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return false;
    m_window = xcb_generate_id(m_connection);
    // The holder's pieces of a long text arrive as changes of the property.
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screens.data->root, 0, 0, 1, 1,
                      0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    m_property = Atom("TELLARIA_SELECTION");
    return m_property != XCB_NONE;
}

xcb_atom_t TRequestor::Atom(std::string_view name) const
{
    return XcbAtom(m_connection, name);
}

// The next event `wanted` accepts, others dropped; null once `deadline` has passed.
XcbReply<xcb_generic_event_t> TRequestor::WaitFor(
    const QDeadlineTimer &deadline, const std::function<bool(const xcb_generic_event_t &)> &wanted)
{
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            XcbReply<xcb_generic_event_t> owned(event, &std::free);
            if (wanted(*event))
                return owned;
        }
        const qint64 remaining = deadline.remainingTime();
        if (remaining == 0 || xcb_connection_has_error(m_connection))
            return {nullptr, &std::free};
        pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        ::poll(&descriptor, 1, int(remaining));
    }
}

// The property's value, deleted as it is read, which tells a holder sending pieces to send the
// next; `type` is what the holder said the value is.
std::optional<QByteArray> TRequestor::TakeProperty(xcb_atom_t *type)
{
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection,
                               xcb_get_property(m_connection, 1, m_window, m_property,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, MostBytes / 4),
                               nullptr),
        &std::free);
    if (!reply)
        return std::nullopt;
    *type = reply->type;
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

// Asks the holder of `selection` for it as `target`: the bytes, or nothing when the holder
// refuses that target or does not answer in time.
std::optional<QByteArray> TRequestor::Convert(xcb_atom_t selection,
                                              xcb_atom_t target,
                                              const QDeadlineTimer &deadline)
{
    xcb_convert_selection(m_connection, m_window, selection, target, m_property, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
    const auto answer = WaitFor(deadline, [&](const xcb_generic_event_t &event) {
        const auto &notify = reinterpret_cast<const xcb_selection_notify_event_t &>(event);
        return (event.response_type & 0x7f) == XCB_SELECTION_NOTIFY && notify.requestor == m_window
               && notify.selection == selection;
    });
    if (!answer
        || reinterpret_cast<const xcb_selection_notify_event_t *>(answer.get())->property
               == XCB_NONE)
        return std::nullopt;
    xcb_atom_t type = XCB_NONE;
    std::optional<QByteArray> value = TakeProperty(&type);
    if (!value || type != Atom("INCR"))
        return value;
    // A long text comes in pieces, each a new value of the property, the last one empty
    // (ICCCM's INCR transfer).
    QByteArray text;
    for (;;) {
        const auto piece = WaitFor(deadline, [&](const xcb_generic_event_t &event) {
            const auto &notify = reinterpret_cast<const xcb_property_notify_event_t &>(event);
            return (event.response_type & 0x7f) == XCB_PROPERTY_NOTIFY && notify.window == m_window
                   && notify.atom == m_property && notify.state == XCB_PROPERTY_NEW_VALUE;
        });
        if (!piece || !(value = TakeProperty(&type)))
            return std::nullopt;
        if (value->isEmpty() || text.size() + value->size() >= qsizetype(MostBytes))
            return text + *value;
        text += *value;
    }
}

std::optional<QString> TRequestor::Read(const QDeadlineTimer &deadline)
{
    const xcb_atom_t utf8 = Atom("UTF8_STRING");
    for (const xcb_atom_t selection : {xcb_atom_t(XCB_ATOM_PRIMARY), Atom("CLIPBOARD")}) {
        const XcbReply<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(
                m_connection, xcb_get_selection_owner(m_connection, selection), nullptr),
            &std::free);
        if (!owner || owner->owner == XCB_NONE)
            continue;
        // Held: this is what the user selected, whatever it turns out to be.
        if (const std::optional<QByteArray> text = Convert(selection, utf8, deadline))
            return QString::fromUtf8(*text);
        if (const std::optional<QByteArray> text = Convert(selection, XCB_ATOM_STRING, deadline))
            return QString::fromLatin1(*text);
        return QString();
    }
    return QString();
}

bool IsLineBreak(QChar character)
{
    switch (character.unicode()) {
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case 0x85:
    case QChar::LineSeparator:
    case QChar::ParagraphSeparator:
        return true;
    default:
        return false;
    }
}

qsizetype CharacterCount(const QString &text)
{
    qsizetype count = 0;
    for (const QChar character : text)
        count += character.isLowSurrogate() ? 0 : 1;
    return count;
}

} // namespace

std::optional<QString> ReadX11SelectedText(int timeoutMs)
{
    TRequestor requestor;
    if (!requestor.Open())
        return std::nullopt;
    return requestor.Read(QDeadlineTimer(timeoutMs));
}

TLookupRequest SelectionLookupRequest(const QString &selected, int mode)
{
    TLookupRequest request;
    request.Mode = mode;
    request.Term = QString();
    for (qsizetype start = 0; start < selected.size();) {
        qsizetype end = start;
        while (end < selected.size() && !IsLineBreak(selected.at(end)))
            ++end;
        const QString line = selected.mid(start, end - start).trimmed();
        if (!line.isEmpty()) {
            if (CharacterCount(line) > LongestSelectedTerm) {
                request.Term.reset();
                request.SelectionTooLong = true;
            } else {
                request.Term = line;
            }
            return request;
        }
        start = end + 1;
    }
    return request;
}

} // namespace tellaria
