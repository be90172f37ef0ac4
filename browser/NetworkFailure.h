#pragma once

// A page that could not be reached for the network's sake, said in the program's own words: the
// engine's error page speaks of a browser's menus the program does not have.

#include <QString>
#include <QUrl>

class QWebEngineLoadingInfo;

namespace tellaria {

// Why the load of `info` failed, in words for the user; empty when it was no failure of the
// network (a load stopped or replaced, a certificate the engine asks about, a page the site
// itself sent).
QString NetworkFailureReason(const QWebEngineLoadingInfo &info);

// The page shown instead: the reference work `site`, the reason, the address and how to ask again.
QString NetworkFailurePage(const QString &site, const QString &reason, const QUrl &address);

} // namespace tellaria
