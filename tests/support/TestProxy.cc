#include "tests/support/TestProxy.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace tellaria::test {

namespace {

int g_listeningSocket = -1;

// The value of the longest key of `table` that `url` starts with; `fallback` when none does.
template<typename Value>
Value LongestPrefixValue(const QHash<QString, Value> &table, const QString &url, Value fallback)
{
    qsizetype longest = -1;
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        if (url.startsWith(it.key()) && it.key().size() > longest) {
            longest = it.key().size();
            fallback = it.value();
        }
    }
    return fallback;
}

} // namespace

QByteArray LongArticleHtml()
{
    QByteArray html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Long article"
                      "</title></head><body><h1>Long article</h1>";
    for (int paragraph = 0; paragraph < 2200; ++paragraph)
        html += "<p>Paragraph " + QByteArray::number(paragraph)
                + ": the quick brown fox jumps over the lazy dog. \xe7\x8c\xab Lorem ipsum dolor "
                  "sit amet, consectetur adipiscing elit, sed do eiusmod tempor.</p>";
    return html + "</body></html>";
}

void PrepareBrowserTestEnvironment()
{
    g_listeningSocket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (g_listeningSocket < 0
        || ::bind(g_listeningSocket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(g_listeningSocket, 64) != 0
        || ::getsockname(g_listeningSocket, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        std::perror("test proxy");
        std::exit(1);
    }
    const int port = ntohs(address.sin_port);
    const QByteArray flags = "--proxy-server=http://127.0.0.1:" + QByteArray::number(port)
                             + " --disable-background-networking --no-first-run";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The engine refuses to run as root with its sandbox on; tests may run as root.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

TestProxy::TestProxy(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    if (g_listeningSocket < 0 || !m_server->setSocketDescriptor(g_listeningSocket))
        qFatal("TestProxy needs PrepareBrowserTestEnvironment() first");
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QStringList TestProxy::Requests() const
{
    return m_requests;
}

void TestProxy::ClearRequests()
{
    m_requests.clear();
}

void TestProxy::SetPage(const QString &urlPrefix,
                        const QByteArray &html,
                        int status,
                        const QByteArray &headers)
{
    m_pages.insert(urlPrefix, Page{html, status, headers});
}

void TestProxy::SetDelay(const QString &urlPrefix, int milliseconds)
{
    m_delays.insert(urlPrefix, milliseconds);
}

void TestProxy::SetRefused(const QString &urlPrefix, bool refused)
{
    m_refused.insert(urlPrefix, refused);
}

bool TestProxy::WaitFor(const std::function<bool()> &predicate, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!predicate()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    return true;
}

void TestProxy::Serve(QTcpSocket *socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0) {
        socket->setProperty("buffer", buffer);
        return;
    }
    socket->setProperty("buffer", QByteArray());
    const QByteArray requestLine = buffer.left(buffer.indexOf("\r\n"));
    const QList<QByteArray> parts = requestLine.split(' ');
    const QByteArray method = parts.value(0);
    const QString url = QString::fromLatin1(parts.value(1));

    if (method == "CONNECT") {
        // No tunnels: nothing encrypted leaves the machine, and tests use plain http.
        socket->write("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    if (!url.endsWith(QLatin1String("/favicon.ico"))) {
        m_requests << url;
        emit RequestSeen(url);
    }

    if (LongestPrefixValue(m_refused, url, false)) {
        socket->abort();
        return;
    }
    const int delay = LongestPrefixValue(m_delays, url, 0);
    if (delay > 0) {
        // Timed on the socket: a connection the engine drops meanwhile is simply not answered.
        QTimer::singleShot(delay, socket, [this, socket, url] { Answer(socket, url); });
        return;
    }
    Answer(socket, url);
}

void TestProxy::Answer(QTcpSocket *socket, const QString &url)
{
    Page page;
    qsizetype longest = -1;
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it) {
        if (url.startsWith(it.key()) && it.key().size() > longest) {
            longest = it.key().size();
            page = it.value();
        }
    }
    if (longest < 0) {
        if (url.endsWith(QLatin1String("/favicon.ico"))) {
            page.Status = 404;
        } else {
            const QByteArray host = QUrl(url).host().toLatin1();
            page.Html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + host
                        + "</title></head><body><p>" + host + "</p></body></html>";
        }
    }
    const QByteArray reason = page.Status == 200 ? "OK" : "Error";
    socket->write("HTTP/1.1 " + QByteArray::number(page.Status) + " " + reason
                  + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
                  + QByteArray::number(page.Html.size())
                  + "\r\nCache-Control: no-store\r\nConnection: close\r\n" + page.Headers + "\r\n"
                  + page.Html);
    socket->disconnectFromHost();
}

} // namespace tellaria::test
