#include "ui/PageNotices.h"

#include <QCoreApplication>

namespace tellaria {

QString RefusedSchemeNote(const QUrl &url)
{
    // A scheme holds only letters, digits, "+", "-" and "."; a page may still make it long.
    return QCoreApplication::translate("PageNotices", "Blocked opening a %1: link")
        .arg(url.scheme().left(24));
}

QString HostMovedText(const QString &siteName)
{
    return QCoreApplication::translate(
               "PageNotices",
               "Did not open \"%1\": with this term filled in, its address would point to another "
               "site. Please check its address template in Edit > Manage encyclopaedias.")
        .arg(siteName);
}

QString HostMovedPage(const QString &siteName)
{
    return QString::fromLatin1(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
               "</head><body style=\"font-family: sans-serif; margin: 2em;\">"
               "<p>%2</p></body></html>")
        .arg(siteName.toHtmlEscaped(), HostMovedText(siteName).toHtmlEscaped());
}

} // namespace tellaria
