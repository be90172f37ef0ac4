#pragma once

// One running copy per data directory, and so per user for an installed copy: a later start
// hands its lookup to the running window through a local socket in the user's runtime
// directory and ends, so the settings and history files are never read and written by two
// copies at once.

#include "desktop/LookupRequest.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace tellaria {

class TSingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class TRole {
        Running, // this copy runs the window and takes the later starts' requests
        HandedOver, // a running copy has taken the request: this one ends
        Failed, // neither: see ErrorText()
    };

    explicit TSingleInstance(const QString &dataDirectory, QObject *parent = nullptr);
    ~TSingleInstance() override;

    // Hands `request` to the copy already running (HandedOver), or takes the lock that makes this
    // copy the running one (Running: Serve must follow). A copy that is closing takes no
    // requests, nor one that holds the lock but does not serve yet (still starting); this waits,
    // up to `timeoutMs`, until it has ended or serves. A lock left by a copy that crashed is
    // taken over. Needs no application object and starts no event loop, so that a later start
    // can hand over and end before it loads anything it would not use.
    TRole Claim(const TLookupRequest &request, int timeoutMs = 10000);

    // Takes later starts' requests, once Claim has said Running; needs the application object,
    // whose event loop delivers them. False (see ErrorText) when the socket cannot be made; the
    // lock is then given up. A client that has not sent a whole message 3 s after it connected,
    // or sends more than one may hold, is dropped, and so is the one waiting longest when four
    // are waiting: no program of the user's can stall the socket for later starts.
    bool Serve();

    // Claim, then Serve when Running.
    TRole Start(const TLookupRequest &request, int timeoutMs = 10000);

    // Why Start failed, for the user.
    QString ErrorText() const { return m_error; }
    // The socket's path, and the lock file that says a copy runs.
    QString ServerName() const { return m_serverName; }
    QString LockFileName() const;

    // The window has closed and saved: no more requests. The next start waits until this copy
    // has ended (the object is destroyed) and then runs itself.
    void StopListening();

signals:
    // A later start's request, delivered from the event loop after that start was answered.
    void Requested(const TLookupRequest &request);

private:
    enum class THandOver { Taken, Unanswered, TooLong };
    // A later start's connection, until its message is whole.
    struct TClient
    {
        QLocalSocket *Socket;
        QByteArray Message;
    };

    THandOver HandOver(const QByteArray &message, int timeoutMs);
    void Accept(QLocalSocket *socket);
    void Receive(QLocalSocket *socket);
    // Takes the client's message if it has come whole, and drops the client otherwise.
    void LastChance(QLocalSocket *socket);
    void Drop(QLocalSocket *socket);
    std::vector<TClient>::iterator FindClient(const QLocalSocket *socket);

    QString m_runtimeDirectory;
    QString m_serverName;
    QString m_error;
    std::unique_ptr<QLockFile> m_lock;
    bool m_claimed = false;
    QLocalServer *m_server = nullptr;
    bool m_listening = false;
    std::vector<TClient> m_clients; // oldest first
};

// Without XDG_RUNTIME_DIR (root in a plain shell, say) Qt makes /tmp/runtime-USER for the
// socket, and Qt's own start makes it too. Made by this process, it is removed at the end of the
// tidy's life when it is empty again, so nothing is left outside the user's home.
class TRuntimeDirectoryTidy
{
public:
    TRuntimeDirectoryTidy();
    ~TRuntimeDirectoryTidy();
    TRuntimeDirectoryTidy(const TRuntimeDirectoryTidy &) = delete;
    TRuntimeDirectoryTidy &operator=(const TRuntimeDirectoryTidy &) = delete;

    // The directory Qt falls back to, or empty when XDG_RUNTIME_DIR is set.
    QString FallbackDirectory() const { return m_directory; }

private:
    QString m_directory; // empty: nothing to tidy
};

} // namespace tellaria
