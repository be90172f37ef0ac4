#include "ui/PageNotices.h"

namespace tellaria {

QString RefusedSchemeNote(const QUrl &url)
{
    // A scheme holds only letters, digits, "+", "-" and "."; a page may still make it long.
    return QString::fromUtf8("已阻止打开 %1: 链接").arg(url.scheme().left(24));
}

QString HostMovedText(const QString &siteName)
{
    return QString::fromUtf8("没有打开“%1”：填入这个查询词后，它的网址会指向另一个网站。"
                             "请在“编辑 › 管理百科全书”中检查它的网址模板。")
        .arg(siteName);
}

QString HostMovedPage(const QString &siteName)
{
    return QString::fromUtf8("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
                             "</head><body style=\"font-family: sans-serif; margin: 2em;\">"
                             "<p>%2</p></body></html>")
        .arg(siteName.toHtmlEscaped(), HostMovedText(siteName).toHtmlEscaped());
}

} // namespace tellaria
