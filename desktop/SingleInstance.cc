#include "desktop/SingleInstance.h"

#include "desktop/Translations.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

namespace tellaria {

namespace {

// A request is one line, its newline included; ours hold a term and a few short fields, far
// less than this, and a client that sends more is not one of ours.
constexpr qsizetype MaximumMessageSize = qsizetype(64) * 1024;
// A later start writes its message the moment it is connected: a client that has not finished
// it by then only holds a place.
constexpr int MessageTimeoutMs = 3000;
// Places for clients whose message is not whole yet.
constexpr std::size_t MostWaitingClients = 4;
const QByteArray Acknowledgement = "ok\n";

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
        m_error = TEarlyText::translate(
            "SingleInstance", "The user's runtime directory (XDG_RUNTIME_DIR) cannot be found.");
        return TRole::Failed;
    }
    const QByteArray message = EncodeLookupRequest(request);
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        switch (HandOver(message, Remaining(deadline, 5000))) {
        case THandOver::Taken:
            return TRole::HandedOver;
        case THandOver::TooLong:
            m_error = TEarlyText::translate(
                "SingleInstance", "The term is too long to hand to the running Tellaria.");
            return TRole::Failed;
        case THandOver::Unanswered:
            break;
        }
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
                m_error = TEarlyText::translate("SingleInstance", "Cannot create the lock file %1.")
                              .arg(LockFileName());
                return TRole::Failed;
            }
            continue;
        }
        if (deadline.hasExpired()) {
            m_error = TEarlyText::translate("SingleInstance",
                                            "Another Tellaria is running but does not answer.");
            return TRole::Failed;
        }
        QThread::msleep(50);
    }
}

TSingleInstance::THandOver TSingleInstance::HandOver(const QByteArray &message, int timeoutMs)
{
    // Blocking calls, which need no event loop: a later start has no application object.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(Remaining(deadline, 1000)))
        return THandOver::Unanswered;
    // The running copy would drop it: said now, instead of waiting for an answer never given.
    if (message.size() > MaximumMessageSize)
        return THandOver::TooLong;
    socket.write(message);
    if (!socket.waitForBytesWritten(Remaining(deadline, 1000)))
        return THandOver::Unanswered;
    QByteArray reply;
    while (!reply.contains('\n') && reply.size() < 64) {
        if (!socket.waitForReadyRead(Remaining(deadline, 5000)))
            return THandOver::Unanswered; // closed unanswered: the running copy is closing
        reply += socket.readAll();
    }
    return reply == Acknowledgement ? THandOver::Taken : THandOver::Unanswered;
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
        m_error = TEarlyText::translate("SingleInstance",
                                        "Cannot wait on %1 for other Tellarias' requests: %2")
                      .arg(m_serverName, m_server->errorString());
        m_lock->unlock();
        m_claimed = false;
        return false;
    }
    m_listening = true;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection())
            Accept(socket);
    });
    return true;
}

void TSingleInstance::Accept(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
        if (const auto client = FindClient(socket); client != m_clients.end())
            m_clients.erase(client);
        socket->deleteLater();
    });
    // Full: the oldest client gives its place up, once what it has sent by now is read. A later
    // start's message comes with its connection, so only a client that sends nothing, or sends
    // slowly, loses its place; and a later start is never turned away for such clients.
    if (m_clients.size() >= MostWaitingClients) {
        LastChance(m_clients.front().Socket);
    }
    m_clients.push_back({socket, {}});
    // Held no larger than a message may be, so that a client writing fast cannot fill memory.
    socket->setReadBufferSize(MaximumMessageSize);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Receive(socket); });
    QTimer::singleShot(MessageTimeoutMs, socket, [this, socket] { LastChance(socket); });
}

void TSingleInstance::LastChance(QLocalSocket *socket)
{
    // An event loop held up for a while delivers this before the readyRead that waits: what has
    // come by now is read first, so that a message sent in time is still taken.
    socket->waitForReadyRead(0);
    Receive(socket);
    Drop(socket);
}

void TSingleInstance::Receive(QLocalSocket *socket)
{
    const auto client = FindClient(socket);
    if (client == m_clients.end())
        return;
    // After the window has closed a request would be lost: unanswered, the other copy waits
    // for this one to end and then runs itself.
    if (!m_listening) {
        Drop(socket);
        return;
    }
    // Appended, and only the new bytes searched, so that a message sent in many small pieces
    // costs no more than one sent whole.
    QByteArray &message = client->Message;
    const qsizetype searchedTo = message.size();
    message += socket->readAll();
    const qsizetype end = message.indexOf('\n', searchedTo);
    if (end < 0 ? message.size() >= MaximumMessageSize : end + 1 > MaximumMessageSize) {
        Drop(socket);
        return;
    }
    if (end < 0)
        return;
    const std::optional<TLookupRequest> request = DecodeLookupRequest(message.left(end));
    if (!request) {
        Drop(socket);
        return;
    }
    m_clients.erase(client);
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

// Closes a client's connection at once; a client already answered is left to finish.
void TSingleInstance::Drop(QLocalSocket *socket)
{
    const auto client = FindClient(socket);
    if (client == m_clients.end())
        return;
    m_clients.erase(client);
    socket->abort();
    socket->deleteLater();
}

std::vector<TSingleInstance::TClient>::iterator TSingleInstance::FindClient(
    const QLocalSocket *socket)
{
    return std::find_if(m_clients.begin(), m_clients.end(),
                        [socket](const TClient &client) { return client.Socket == socket; });
}

void TSingleInstance::StopListening()
{
    m_listening = false;
    if (m_server)
        m_server->close();
    // Their messages would be lost now: dropped, their copies know at once.
    while (!m_clients.empty())
        Drop(m_clients.front().Socket);
}

} // namespace tellaria
