#include "browser/ExternalLinks.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

namespace tellaria {

bool OpenInDefaultBrowser(const QUrl &url)
{
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return false;
    return QDesktopServices::openUrl(url);
}

void CopyAddress(const QUrl &url)
{
    QGuiApplication::clipboard()->setText(url.toDisplayString());
}

} // namespace tellaria
