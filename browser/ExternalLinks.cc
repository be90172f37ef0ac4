#include "browser/ExternalLinks.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>

namespace tellaria {

TExternalLinks &TExternalLinks::Instance()
{
    static auto *links = new TExternalLinks;
    return *links;
}

bool OpenInDefaultBrowser(const QUrl &url)
{
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return false;
    // Not parented and not deleted at exit: a browser xdg-open runs in its place goes on when
    // the program ends, where a QProcess destroyed would end it.
    auto *opener = new QProcess;
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, url](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         emit TExternalLinks::Instance().OpenFailed(url);
                         opener->deleteLater();
                     });
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, url](int code, QProcess::ExitStatus status) {
                         if (status == QProcess::NormalExit && code != 0)
                             emit TExternalLinks::Instance().OpenFailed(url);
                         opener->deleteLater();
                     });
    opener->start(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
    return true;
}

void CopyAddress(const QUrl &url)
{
    QGuiApplication::clipboard()->setText(url.toDisplayString());
}

} // namespace tellaria
