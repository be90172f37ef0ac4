#include "browser/WebBrowser.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineProfile>
#include <QWebEngineQuotaRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>

namespace tellaria {

TWebBrowserPage::TWebBrowserPage(TWebBrowser *browser)
    : QWebEnginePage(QWebEngineProfile::defaultProfile(), browser)
    , m_browser(browser)
{
    connect(this, &QWebEnginePage::certificateError, this,
            [this](QWebEngineCertificateError error) {
                if (m_browser->Silent())
                    error.rejectCertificate();
            });
    connect(this, &QWebEnginePage::authenticationRequired, this,
            [this](const QUrl &, QAuthenticator *authenticator) {
                // An authenticator left untouched cancels; the real prompt is the engine's.
                if (m_browser->Silent())
                    *authenticator = QAuthenticator();
            });
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::quotaRequested, this,
            [](QWebEngineQuotaRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
}

bool IsEngineScheme(const QUrl &url)
{
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"),
                                     QStringLiteral("about"), QStringLiteral("data"),
                                     QStringLiteral("blob")};
    return schemes.contains(url.scheme());
}

bool NavigationSchemeAllowed(const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame)
{
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return true;
    const bool local = scheme == QLatin1String("about") || scheme == QLatin1String("data");
    if (!isMainFrame)
        return IsEngineScheme(url);
    // The program's own notices are data: documents; a page's links and forms never lead there.
    const bool fromPage = type == QWebEnginePage::NavigationTypeLinkClicked
                          || type == QWebEnginePage::NavigationTypeFormSubmitted
                          || type == QWebEnginePage::NavigationTypeRedirect;
    return local && !fromPage;
}

bool TWebBrowserPage::acceptNavigationRequest(const QUrl &url,
                                              NavigationType type,
                                              bool isMainFrame)
{
    if (!NavigationSchemeAllowed(url, type, isMainFrame)) {
        emit m_browser->NavigationRefused(url);
        return false;
    }
    return m_browser->DecideNavigation(url, isMainFrame) == TNavigation::Allow;
}

QWebEnginePage *TWebBrowserPage::createWindow(WebWindowType)
{
    // A page's new window opens in the same page: the program has one window per lookup.
    return this;
}

void TWebBrowserPage::javaScriptAlert(const QUrl &securityOrigin, const QString &message)
{
    if (!m_browser->Silent())
        QWebEnginePage::javaScriptAlert(securityOrigin, message);
}

bool TWebBrowserPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &message)
{
    // Silently confirming lets a page that asks before leaving be left.
    if (m_browser->Silent())
        return true;
    return QWebEnginePage::javaScriptConfirm(securityOrigin, message);
}

bool TWebBrowserPage::javaScriptPrompt(const QUrl &securityOrigin,
                                       const QString &message,
                                       const QString &defaultValue,
                                       QString *result)
{
    if (m_browser->Silent())
        return false;
    return QWebEnginePage::javaScriptPrompt(securityOrigin, message, defaultValue, result);
}

QStringList TWebBrowserPage::chooseFiles(FileSelectionMode mode,
                                         const QStringList &oldFiles,
                                         const QStringList &acceptedMimeTypes)
{
    if (m_browser->Silent())
        return {};
    return QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
}

} // namespace tellaria
