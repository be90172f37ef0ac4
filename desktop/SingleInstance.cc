#include "desktop/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

namespace tellaria {

namespace {

// A request is one line; anything longer than this is not one of ours.
constexpr qsizetype MaximumMessageSize = 1 << 20;
const QByteArray Acknowledgement = "ok\n";

QString Utf8Text(const char *text)
{
    return QString::fromUtf8(text);
}

int Remaining(const QDeadlineTimer &deadline, int atMost)
{
    return int(std::clamp<qint64>(deadline.remainingTime(), 0, atMost));
}

} // namespace

TRuntimeDirectoryTidy::TRuntimeDirectoryTidy()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    // Named as Qt names it.
    const passwd *user = ::getpwuid(::geteuid());
    if (!user)
        return;
    const QString directory
        = QDir::tempPath() + QStringLiteral("/runtime-") + QFile::decodeName(user->pw_name);
    if (!QFileInfo::exists(directory))
        m_directory = directory;
}

TRuntimeDirectoryTidy::~TRuntimeDirectoryTidy()
{
    if (!m_directory.isEmpty())
        QDir().rmdir(m_directory); // only while empty
}

TSingleInstance::TSingleInstance(const QString &dataDirectory, QObject *parent)
    : QObject(parent)
{
    // The runtime directory is the user's alone (mode 0700) and emptied at logout.
    m_runtimeDirectory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString canonical = QFileInfo(dataDirectory).canonicalFilePath();
    const QString key = canonical.isEmpty() ? QDir::cleanPath(dataDirectory) : canonical;
    const QByteArray hash
        = QCryptographicHash::hash(QFile::encodeName(key), QCryptographicHash::Sha1).toHex();
    if (!m_runtimeDirectory.isEmpty()) {
        m_serverName = m_runtimeDirectory + QStringLiteral("/tellaria-")
                       + QString::fromLatin1(hash.left(16));
        m_lock = std::make_unique<QLockFile>(LockFileName());
        // Held for the copy's whole life; only a dead holder makes it stale.
        m_lock->setStaleLockTime(0);
    }
}

TSingleInstance::~TSingleInstance()
{
    StopListening();
    if (m_lock)
        m_lock->unlock();
}

QString TSingleInstance::LockFileName() const
{
    return m_serverName.isEmpty() ? QString() : m_serverName + QStringLiteral(".lock");
}

TSingleInstance::TRole TSingleInstance::Start(const TLookupRequest &request, int timeoutMs)
{
    const TRole role = Claim(request, timeoutMs);
    if (role != TRole::Running)
        return role;
    return Serve() ? TRole::Running : TRole::Failed;
}

TSingleInstance::TRole TSingleInstance::Claim(const TLookupRequest &request, int timeoutMs)
{
    if (!m_lock) {
        m_error = Utf8Text("找不到用户的运行时目录（XDG_RUNTIME_DIR）。");
        return TRole::Failed;
    }
    const QByteArray message = EncodeLookupRequest(request);
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (HandOver(message, Remaining(deadline, 5000)))
            return TRole::HandedOver;
        // Nobody answered. Whoever holds the lock is a copy still starting or closing; a lock
        // whose holder has died is stale and tryLock takes it over.
        if (m_lock->tryLock(0)) {
            m_claimed = true;
            return TRole::Running;
        }
        if (m_lock->error() != QLockFile::LockFailedError) {
            // The copy that made a fallback runtime directory may have just removed it, empty,
            // at its end (TRuntimeDirectoryTidy): Qt makes it again.
            const bool madeAgain
                = !QFileInfo(m_runtimeDirectory).isDir()
                  && QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                         == m_runtimeDirectory;
            if (!madeAgain || deadline.hasExpired()) {
                m_error = Utf8Text("无法创建锁文件 %1。").arg(LockFileName());
                return TRole::Failed;
            }
            continue;
        }
        if (deadline.hasExpired()) {
            m_error = Utf8Text("另一个 Tellaria 正在运行，但没有响应。");
            return TRole::Failed;
        }
        QThread::msleep(50);
    }
}

bool TSingleInstance::HandOver(const QByteArray &message, int timeoutMs)
{
    // Blocking calls, which need no event loop: a later start has no application object.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(Remaining(deadline, 1000)))
        return false;
    socket.write(message);
    if (!socket.waitForBytesWritten(Remaining(deadline, 1000)))
        return false;
    QByteArray reply;
    while (!reply.contains('\n') && reply.size() < 64) {
        if (!socket.waitForReadyRead(Remaining(deadline, 5000)))
            return false; // closed unanswered: the running copy is closing
        reply += socket.readAll();
    }
    return reply == Acknowledgement;
}

bool TSingleInstance::Serve()
{
    if (!m_claimed)
        return false;
    // Holding the lock means no copy runs: a socket still there is a crashed copy's.
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        m_error = Utf8Text("无法在 %1 上等待其他 Tellaria 的请求：%2")
                      .arg(m_serverName, m_server->errorString());
        m_lock->unlock();
        m_claimed = false;
        return false;
    }
    m_listening = true;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Receive(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

void TSingleInstance::Receive(QLocalSocket *socket)
{
    // After the window has closed a request would be lost: unanswered, the other copy waits
    // for this one to end and then runs itself.
    if (!m_listening) {
        socket->abort();
        return;
    }
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    const qsizetype end = buffer.indexOf('\n');
    if (end < 0) {
        if (buffer.size() > MaximumMessageSize)
            socket->abort();
        else
            socket->setProperty("buffer", buffer);
        return;
    }
    const std::optional<TLookupRequest> request = DecodeLookupRequest(buffer.left(end));
    if (!request) {
        socket->abort();
        return;
    }
    // Answered first: running the query may open a modal message box, and the other copy must
    // not wait for it.
    socket->write(Acknowledgement);
    socket->flush();
    socket->disconnectFromServer();
    QMetaObject::invokeMethod(
        this,
        [this, request = *request] {
            if (m_listening)
                emit Requested(request);
        },
        Qt::QueuedConnection);
}

void TSingleInstance::StopListening()
{
    m_listening = false;
    if (m_server)
        m_server->close();
}

} // namespace tellaria
