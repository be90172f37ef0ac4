#include "desktop/LookupRequest.h"

#include "core/LookupCatalogue.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace tellaria {

QByteArray EncodeLookupRequest(const TLookupRequest &request)
{
    QJsonObject object;
    if (request.Term)
        object.insert(QStringLiteral("term"), *request.Term);
    object.insert(QStringLiteral("mode"), request.Mode);
    if (request.SelectionTooLong)
        object.insert(QStringLiteral("selectionTooLong"), true);
    if (!request.StartupId.isEmpty())
        object.insert(QStringLiteral("startupId"), request.StartupId);
    if (!request.ActivationToken.isEmpty())
        object.insert(QStringLiteral("activationToken"), request.ActivationToken);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<TLookupRequest> DecodeLookupRequest(const QByteArray &message)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(message.trimmed(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    // Each text is optional, and a string when given.
    for (const char *key : {"term", "startupId", "activationToken"}) {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isUndefined() && !value.isString())
            return std::nullopt;
    }
    TLookupRequest request;
    if (object.contains(QStringLiteral("term")))
        request.Term = object.value(QStringLiteral("term")).toString();
    request.Mode = object.value(QStringLiteral("mode")).toInt(-1);
    // Every copy checks the mode on its command line: any other number is not from one of ours,
    // and the window would index its modes with it.
    if (request.Mode < -1 || request.Mode >= LookupModeCount)
        return std::nullopt;
    request.SelectionTooLong = object.value(QStringLiteral("selectionTooLong")).toBool(false);
    request.StartupId = object.value(QStringLiteral("startupId")).toString();
    request.ActivationToken = object.value(QStringLiteral("activationToken")).toString();
    return request;
}

} // namespace tellaria
