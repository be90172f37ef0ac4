#pragma once

// A lookup asked for from outside the window: on the command line, or by a later start handing
// its command line to the running copy.

#include <QByteArray>
#include <QString>

#include <optional>

namespace tellaria {

struct TLookupRequest
{
    // The term to query as Enter in the query box would; none only brings the window up.
    std::optional<QString> Term;
    // The lookup mode as the settings store it (0 to 3); -1 keeps the window's current mode.
    int Mode = -1;
    // The selected text was too long to look up (no Term then): the window says so instead.
    bool SelectionTooLong = false;
    // What the launcher gave the start that asked, to show that the user asked for it just now:
    // the X startup notification id, whose _TIME part is the user's X timestamp, and the Wayland
    // activation token. Empty when it gave none. With them the window may take the focus.
    QString StartupId = {};
    QString ActivationToken = {};

    bool operator==(const TLookupRequest &) const = default;
};

// The request as it travels between two copies: one line of JSON. A message that is not one, or
// that asks for a mode there is not, gives nothing. Needs only QtCore, so that it can be fuzzed
// on its own.
QByteArray EncodeLookupRequest(const TLookupRequest &request);
std::optional<TLookupRequest> DecodeLookupRequest(const QByteArray &message);

} // namespace tellaria
