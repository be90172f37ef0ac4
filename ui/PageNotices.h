#pragma once

// The words the window says about pages it did not open or follow: in the status bar, and as a
// page of its own shown in a tab instead of the site's.

#include <QString>
#include <QUrl>

namespace tellaria {

// The status bar's word for a navigation refused for its scheme: "已阻止打开 ssh: 链接".
QString RefusedSchemeNote(const QUrl &url);
// Why a page of `siteName` was not opened: the term would have moved its address to another
// host. As text, and as the page the tab shows instead.
QString HostMovedText(const QString &siteName);
QString HostMovedPage(const QString &siteName);

} // namespace tellaria
