#include "browser/NetworkFailure.h"

#include <QCoreApplication>

#include <QWebEngineLoadingInfo>

namespace tellaria {

namespace {

// The engine's network error codes (Chromium's net_error_list.h) the user can tell apart.
enum NetError {
    TimedOut = -7,
    ConnectionClosed = -100,
    ConnectionReset = -101,
    ConnectionRefused = -102,
    ConnectionFailed = -104,
    NameNotResolved = -105,
    InternetDisconnected = -106,
    AddressUnreachable = -109,
    ConnectionTimedOut = -118,
    ProxyConnectionFailed = -130,
    NameResolutionFailed = -137,
    NetworkChanged = -21,
    EmptyResponse = -324,
};

} // namespace

QString NetworkFailureReason(const QWebEngineLoadingInfo &info)
{
    if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return {};
    // The domain follows the code's range, which puts an empty answer among the HTTP errors
    // and a time-out among the engine's own: the codes decide.
    switch (info.errorCode()) {
    case NameNotResolved:
    case NameResolutionFailed:
        return QCoreApplication::translate(
            "NetworkFailure", "Address not found: no server was found for this address. The "
                              "address may be wrong, or the site may be gone.");
    case ConnectionRefused:
    case ConnectionReset:
    case ConnectionClosed:
    case ConnectionFailed:
    case EmptyResponse:
    case AddressUnreachable:
        return QCoreApplication::translate(
            "NetworkFailure",
            "Connection refused: the site's server refused or broke off the connection.");
    case TimedOut:
    case ConnectionTimedOut:
        return QCoreApplication::translate("NetworkFailure",
                                           "Timed out: the site took too long to answer.");
    case InternetDisconnected:
    case NetworkChanged:
        return QCoreApplication::translate(
            "NetworkFailure", "No network: this computer is not connected to a network.");
    case ProxyConnectionFailed:
        return QCoreApplication::translate(
            "NetworkFailure",
            "The proxy server cannot be reached: check the desktop's network proxy settings.");
    default:
        break;
    }
    const auto domain = info.errorDomain();
    if (domain != QWebEngineLoadingInfo::ConnectionErrorDomain
        && domain != QWebEngineLoadingInfo::DnsErrorDomain)
        return {};
    return QCoreApplication::translate("NetworkFailure", "Cannot connect to the site: %1")
        .arg(info.errorString());
}

QString NetworkFailurePage(const QString &site, const QString &reason, const QUrl &address)
{
    const QString shown = address.toDisplayString().toHtmlEscaped();
    const QString heading = QCoreApplication::translate("NetworkFailure", "%1 was not opened")
                                .arg(site.toHtmlEscaped());
    const QString addressLine
        = QCoreApplication::translate("NetworkFailure", "Address: %1").arg(shown);
    const QString again
        = QCoreApplication::translate("NetworkFailure", "<a href=\"%1\">Reload</a> (F5)")
              .arg(QString::fromUtf8(address.toEncoded()).toHtmlEscaped());
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
               "<body style=\"font: 16px/1.6 sans-serif; margin: 2em; color: #1f1f1f;\">"
               "<h1 style=\"font-size: 1.3em;\">%5</h1><p>%2</p>"
               "<p style=\"color: #6a6a6a; overflow-wrap: anywhere;\">%3</p>"
               "<p>%4</p></body></html>")
        .arg(site.toHtmlEscaped(), reason.toHtmlEscaped(), addressLine, again, heading);
}

} // namespace tellaria
