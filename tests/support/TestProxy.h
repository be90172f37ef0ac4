#pragma once

// A local HTTP proxy for window tests: the browser engine is pointed at it, it records every URL
// the engine asks for and answers with small fixture pages, so no test ever reaches a real site.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace tellaria::test {

class TestProxy : public QObject
{
    Q_OBJECT
public:
    // Takes over the listening socket made by ReserveProxyPort.
    explicit TestProxy(QObject *parent = nullptr);

    // The absolute URLs of every request seen, in arrival order ("/favicon.ico" requests left
    // out: the engine asks for one per host).
    QStringList Requests() const;
    void ClearRequests();

    // Serves `html` for every URL that starts with `urlPrefix` (longest prefix wins). Other URLs
    // get a small page titled with their host.
    // `headers` are extra response header lines, each ending in CR LF.
    void SetPage(const QString &urlPrefix,
                 const QByteArray &html,
                 int status = 200,
                 const QByteArray &headers = {});

    // Answers URLs that start with `urlPrefix` only after `milliseconds` (longest prefix wins;
    // 0 answers at once again), so a test can watch a page that is still loading.
    void SetDelay(const QString &urlPrefix, int milliseconds);
    // Closes the connection of URLs that start with `urlPrefix` without answering, as a server
    // that went away does: the engine reports a failed load.
    void SetRefused(const QString &urlPrefix, bool refused = true);

    // Spins the event loop until `predicate` holds or `timeoutMs` passes; returns the predicate.
    static bool WaitFor(const std::function<bool()> &predicate, int timeoutMs = 15000);

signals:
    void RequestSeen(const QString &url);

private:
    void Serve(QTcpSocket *socket);
    void Answer(QTcpSocket *socket, const QString &url);

    QTcpServer *m_server;
    QStringList m_requests;
    struct Page
    {
        QByteArray Html;
        int Status = 200;
        QByteArray Headers;
    };
    QHash<QString, Page> m_pages;
    QHash<QString, int> m_delays;
    QHash<QString, bool> m_refused;
};

// The requests for result pages, the start page's left out.
inline QStringList ResultRequests(const TestProxy &proxy)
{
    QStringList requests = proxy.Requests();
    requests.removeIf([](const QString &url) { return url.contains("tellaria.example"); });
    return requests;
}

// Waits until `count` result pages have been asked for.
inline bool WaitForResultRequests(const TestProxy &proxy, int count, int timeoutMs = 20000)
{
    return TestProxy::WaitFor([&] { return ResultRequests(proxy).size() >= count; }, timeoutMs);
}

// A fixture article of over a hundred printed pages, its paragraphs numbered from 0 to 2199.
QByteArray LongArticleHtml();

// Opens the listening socket before the application object exists and points the browser engine
// at it (QTWEBENGINE_CHROMIUM_FLAGS); also picks the offscreen platform unless one is set.
// Call first thing in main().
void PrepareBrowserTestEnvironment();

} // namespace tellaria::test
