#include "browser/NetworkFailure.h"

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
        return QString::fromUtf8(
            "地址找不到：没有找到这个网址的服务器。网址可能有误，或网站已经不在了。");
    case ConnectionRefused:
    case ConnectionReset:
    case ConnectionClosed:
    case ConnectionFailed:
    case EmptyResponse:
    case AddressUnreachable:
        return QString::fromUtf8("连接被拒绝：网站的服务器拒绝或中断了连接。");
    case TimedOut:
    case ConnectionTimedOut:
        return QString::fromUtf8("超时：网站太久没有应答。");
    case InternetDisconnected:
    case NetworkChanged:
        return QString::fromUtf8("没有网络：这台电脑没有连上网络。");
    case ProxyConnectionFailed:
        return QString::fromUtf8("连不上代理服务器：请检查桌面的网络代理设置。");
    default:
        break;
    }
    const auto domain = info.errorDomain();
    if (domain != QWebEngineLoadingInfo::ConnectionErrorDomain
        && domain != QWebEngineLoadingInfo::DnsErrorDomain)
        return {};
    return QString::fromUtf8("无法连接到网站：%1").arg(info.errorString());
}

QString NetworkFailurePage(const QString &site, const QString &reason, const QUrl &address)
{
    const QString shown = address.toDisplayString().toHtmlEscaped();
    return QString::fromUtf8(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
               "<body style=\"font: 16px/1.6 sans-serif; margin: 2em; color: #1f1f1f;\">"
               "<h1 style=\"font-size: 1.3em;\">没有打开“%1”</h1><p>%2</p>"
               "<p style=\"color: #6a6a6a; overflow-wrap: anywhere;\">网址：%3</p>"
               "<p><a href=\"%4\">重新加载</a>（F5）</p></body></html>")
        .arg(site.toHtmlEscaped(), reason.toHtmlEscaped(), shown,
             QString::fromUtf8(address.toEncoded()).toHtmlEscaped());
}

} // namespace tellaria
