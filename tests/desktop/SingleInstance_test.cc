// One running copy per data directory: later starts hand their request over, a copy that is
// closing makes them wait, a crashed copy's socket is taken over. The other copies are this
// program started again in a helper role (see main).

#include "desktop/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <vector>

#include <sys/inotify.h>
#include <unistd.h>

using namespace tellaria;

Q_DECLARE_METATYPE(TLookupRequest)

namespace {

// Exit codes of the helper role, one per TRole.
int ExitCodeOf(TSingleInstance::TRole role)
{
    switch (role) {
    case TSingleInstance::TRole::Running:
        return 10;
    case TSingleInstance::TRole::HandedOver:
        return 11;
    case TSingleInstance::TRole::Failed:
        return 12;
    }
    return 13;
}

// The role as the helper prints it, the moment it is known.
const char *NameOf(TSingleInstance::TRole role)
{
    switch (role) {
    case TSingleInstance::TRole::Running:
        return "running";
    case TSingleInstance::TRole::HandedOver:
        return "handed over";
    case TSingleInstance::TRole::Failed:
        return "failed";
    }
    return "?";
}

// helper start DATA-DIRECTORY TIMEOUT-MS LATER-STARTS [MODE [TERM]]: one start; prints its role
// at once and ends with it as the exit code. As the running copy it first takes the requests of
// LATER-STARTS later starts.
// Like the program, it has no application object until it knows it runs.
// helper crash DATA-DIRECTORY: becomes the running copy and dies without cleaning up.
int RunHelper(int argc, char *argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    const QString role = arguments.value(2);
    TSingleInstance instance(arguments.value(3));
    if (role == QLatin1String("crash")) {
        QCoreApplication application(argc, argv);
        if (instance.Start({}) != TSingleInstance::TRole::Running)
            return 1;
        std::raise(SIGKILL);
    }
    TLookupRequest request;
    if (arguments.size() > 6)
        request.Mode = arguments.value(6).toInt();
    if (arguments.size() > 7)
        request.Term = arguments.value(7);
    auto result = instance.Claim(request, arguments.value(4).toInt());
    if (result == TSingleInstance::TRole::Running) {
        QCoreApplication application(argc, argv);
        int requests = 0;
        QObject::connect(&instance, &TSingleInstance::Requested, [&] { ++requests; });
        if (!instance.Serve()) {
            result = TSingleInstance::TRole::Failed;
        } else {
            std::printf("%s\n", NameOf(result));
            std::fflush(stdout);
            const int laterStarts = arguments.value(5).toInt();
            if (!QTest::qWaitFor([&] { return requests >= laterStarts; }, 20000))
                std::fprintf(stderr, "%d of %d later starts came\n", requests, laterStarts);
        }
    }
    if (result != TSingleInstance::TRole::Running) {
        std::printf("%s\n", NameOf(result));
        std::fflush(stdout);
    }
    if (result == TSingleInstance::TRole::Failed)
        std::fputs(qPrintable(instance.ErrorText() + '\n'), stderr);
    return ExitCodeOf(result);
}

// Counts the times a file is opened, through inotify.
class OpenCounter
{
public:
    explicit OpenCounter(const QString &path)
        : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd >= 0)
            ::inotify_add_watch(m_fd, QFile::encodeName(path).constData(), IN_OPEN);
    }
    ~OpenCounter()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenCounter(const OpenCounter &) = delete;
    OpenCounter &operator=(const OpenCounter &) = delete;

    int Count()
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t length;
        while (m_fd >= 0 && (length = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < length;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                m_count += (event->mask & IN_OPEN) != 0;
                at += ssize_t(sizeof(inotify_event)) + event->len;
            }
        }
        return m_count;
    }

private:
    int m_fd;
    int m_count = 0;
};

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QTemporaryDir> m_data;

    QStringList RuntimeEntries() const
    {
        return QDir(m_runtime->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    // Starts this program in a helper role; the event loop turns while it runs.
    QProcess *StartHelper(const QStringList &arguments)
    {
        auto *process = new QProcess(this);
        // Both streams are kept for the test to read.
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(QCoreApplication::applicationFilePath(), QStringList{"helper"} + arguments);
        return process;
    }

    int WaitForExit(QProcess *process, int timeoutMs = 20000)
    {
        if (!QTest::qWaitFor([&] { return process->state() == QProcess::NotRunning; }, timeoutMs)) {
            process->kill();
            process->waitForFinished();
            return -1;
        }
        return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    }

    int HandOver(const QStringList &arguments, int timeoutMs = 10000)
    {
        return WaitForExit(StartHelper(
            QStringList{"start", m_data->path(), QString::number(timeoutMs), "0"} + arguments));
    }

    // A client of the socket that is not a later start of ours.
    static std::unique_ptr<QLocalSocket> Connect(const QString &serverName)
    {
        auto client = std::make_unique<QLocalSocket>();
        client->connectToServer(serverName);
        return client;
    }

    static int CountConnected(const std::vector<std::unique_ptr<QLocalSocket>> &clients)
    {
        return int(std::count_if(clients.begin(), clients.end(), [](const auto &client) {
            return client->state() == QLocalSocket::ConnectedState;
        }));
    }

private slots:
    void init()
    {
        m_runtime = std::make_unique<QTemporaryDir>();
        m_data = std::make_unique<QTemporaryDir>();
        QVERIFY(m_runtime->isValid() && m_data->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
    }

    void requestsSurviveTheTrip_data()
    {
        QTest::addColumn<TLookupRequest>("request");
        QTest::newRow("none") << TLookupRequest{};
        QTest::newRow("mode only") << TLookupRequest{std::nullopt, 3};
        QTest::newRow("blank term") << TLookupRequest{QString(), -1};
        QTest::newRow("selection too long") << TLookupRequest{std::nullopt, 3, true};
        QTest::newRow("Chinese and quotes") << TLookupRequest{QString("“猫” \"cat\"\\ \n 𠀀"), 2};
        QTest::newRow("startup id")
            << TLookupRequest{"cat", 2, false, "xbindkeys-1234-host-tellaria-0_TIME5678"};
        QTest::newRow("activation token")
            << TLookupRequest{std::nullopt, -1, false, QString(), "a1b2:c3\"d4"};
        QTest::newRow("both") << TLookupRequest{std::nullopt, 0, true, "id_TIME1", "token"};
    }

    void requestsSurviveTheTrip()
    {
        QFETCH(TLookupRequest, request);
        const QByteArray message = EncodeLookupRequest(request);
        QVERIFY(message.endsWith('\n'));
        QCOMPARE(message.count('\n'), 1); // one line, whatever the term holds
        QCOMPARE(DecodeLookupRequest(message), std::optional<TLookupRequest>(request));
    }

    void strangeMessagesAreRefused()
    {
        for (const QByteArray &message :
             {QByteArray(""), QByteArray("ok"), QByteArray("[1]"), QByteArray("{\"term\":5}"),
              QByteArray("{\"term\":"), QByteArray("{\"startupId\":5}"),
              QByteArray("{\"activationToken\":[\"t\"]}"), QByteArray("{\"mode\":4}"),
              QByteArray("{\"mode\":-2}")})
            QVERIFY2(!DecodeLookupRequest(message), message);
    }

    // A copy that predates the launcher's id and token, on either side of the socket.
    void requestsWithoutLauncherProofMatchOlderCopies()
    {
        const QByteArray older = "{\"mode\":2,\"term\":\"cat\"}\n";
        QCOMPARE(EncodeLookupRequest(TLookupRequest{"cat", 2}), older);
        QCOMPARE(DecodeLookupRequest(older),
                 std::optional<TLookupRequest>(TLookupRequest{"cat", 2}));
    }

    void laterStartsHandTheirRequestOver_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<TLookupRequest>("request");
        QTest::newRow("term and mode") << QStringList{"2", "猫 cat"} << TLookupRequest{"猫 cat", 2};
        QTest::newRow("no term") << QStringList{"-1"} << TLookupRequest{};
        QTest::newRow("mode only") << QStringList{"1"} << TLookupRequest{std::nullopt, 1};
    }

    void laterStartsHandTheirRequestOver()
    {
        QFETCH(QStringList, arguments);
        QFETCH(TLookupRequest, request);
        TSingleInstance running(m_data->path());
        QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
        QVERIFY(QFileInfo(running.ServerName()).exists());
        QVERIFY(running.ServerName().startsWith(m_runtime->path() + '/'));
        QList<TLookupRequest> received;
        connect(&running, &TSingleInstance::Requested, this,
                [&](const TLookupRequest &seen) { received << seen; });

        QProcess *later
            = StartHelper(QStringList{"start", m_data->path(), "10000", "0"} + arguments);
        QCOMPARE(WaitForExit(later), ExitCodeOf(TSingleInstance::TRole::HandedOver));
        // Without an application object, and without a word on the way.
        QCOMPARE(later->readAllStandardError(), QByteArray());
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received.first(), request);
    }

    // Between Claim and Serve the running copy starts its engine and window: a later start
    // neither runs beside it nor gives up at once, and hands over once it serves.
    void aCopyStillStartingIsWaitedFor()
    {
        TSingleInstance starting(m_data->path());
        QCOMPARE(starting.Claim({}), TSingleInstance::TRole::Running);
        QVERIFY(!QFileInfo::exists(starting.ServerName()));
        QCOMPARE(HandOver({"0", "cat"}, 300), ExitCodeOf(TSingleInstance::TRole::Failed));

        QSignalSpy requests(&starting, &TSingleInstance::Requested);
        QProcess *later = StartHelper({"start", m_data->path(), "10000", "0", "2", "cat"});
        QVERIFY(later->waitForStarted());
        QVERIFY(starting.Serve());
        QCOMPARE(WaitForExit(later), ExitCodeOf(TSingleInstance::TRole::HandedOver));
        QTRY_COMPARE(requests.size(), 1);
        QCOMPARE(requests.first().first().value<TLookupRequest>(), (TLookupRequest{"cat", 2}));
    }

    void copiesOfOtherDataDirectoriesRunSideBySide()
    {
        TSingleInstance running(m_data->path());
        QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
        QTemporaryDir other;
        TSingleInstance second(other.path());
        QCOMPARE(second.Start({}, 500), TSingleInstance::TRole::Running);
        QVERIFY(second.ServerName() != running.ServerName());
        // The same directory named differently is still the same.
        TSingleInstance same(m_data->path() + "/./");
        QCOMPARE(same.ServerName(), running.ServerName());
    }

    void aClosingCopyMakesTheNextStartWaitAndRun()
    {
        auto running = std::make_unique<TSingleInstance>(m_data->path());
        QCOMPARE(running->Start({}), TSingleInstance::TRole::Running);
        QSignalSpy requests(running.get(), &TSingleInstance::Requested);
        OpenCounter lockLooks(running->LockFileName());
        // The window has closed but the files are still being saved.
        running->StopListening();
        QProcess *next = StartHelper({"start", m_data->path(), "15000", "0", "0", "cat"});
        // The next start finds the lock held, and looks again: it waits, undecided.
        QVERIFY(QTest::qWaitFor([&] { return lockLooks.Count() >= 2; }, 10000));
        QCOMPARE(next->state(), QProcess::Running);
        QCOMPARE(next->readAllStandardOutput(), QByteArray());
        running.reset(); // saved and ended
        QCOMPARE(WaitForExit(next), ExitCodeOf(TSingleInstance::TRole::Running));
        QCOMPARE(requests.size(), 0);
    }

    void anUnansweringCopyIsReportedNotDoubled()
    {
        TSingleInstance running(m_data->path());
        QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
        running.StopListening();
        // Never ends: the later start gives up, and does not run beside it.
        QCOMPARE(HandOver({"0", "cat"}, 1500), ExitCodeOf(TSingleInstance::TRole::Failed));
    }

    // The running copy gives up on a client 3 s after it connected, and at once on one that sends
    // more than a message may hold (64 KiB) or something that is not a message.
    void clientsThatAreNotLaterStartsAreDropped_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("droppedWithinMs");
        const QByteArray message = EncodeLookupRequest(TLookupRequest{"cat", 2});
        QTest::newRow("nothing") << QByteArray() << 6000;
        QTest::newRow("half a message") << message.left(message.size() / 2) << 6000;
        QTest::newRow("no line break in 64 KiB") << QByteArray(64 * 1024, 'a') << 2000;
        QTest::newRow("a term too long")
            << EncodeLookupRequest(TLookupRequest{QString(64 * 1024, 'a'), 2}) << 2000;
        QTest::newRow("not a message") << QByteArray("GET / HTTP/1.0\r\n\r\n") << 2000;
    }

    void clientsThatAreNotLaterStartsAreDropped()
    {
        QFETCH(QByteArray, sent);
        QFETCH(int, droppedWithinMs);
        TSingleInstance running(m_data->path());
        QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
        QSignalSpy requests(&running, &TSingleInstance::Requested);
        const auto client = Connect(running.ServerName());
        QVERIFY(client->waitForConnected(1000));
        QSignalSpy dropped(client.get(), &QLocalSocket::disconnected);
        QSignalSpy answered(client.get(), &QLocalSocket::readyRead);
        client->write(sent);
        QVERIFY(dropped.wait(droppedWithinMs));
        QCOMPARE(answered.size(), 0);
        QCOMPARE(requests.size(), 0);
    }

    // Each new client beyond four takes the place of the oldest one, at once.
    void clientsBeyondTheLimitTakeTheOldestsPlace()
    {
        TSingleInstance running(m_data->path());
        QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
        std::vector<std::unique_ptr<QLocalSocket>> clients;
        for (int index = 0; index < 10; ++index)
            clients.push_back(Connect(running.ServerName()));
        QTRY_COMPARE_WITH_TIMEOUT(CountConnected(clients), 4, 2000);
        for (std::size_t index = clients.size() - 4; index < clients.size(); ++index)
            QCOMPARE(clients[index]->state(), QLocalSocket::ConnectedState);
    }

    // Clients that send nothing, a new one every 20 ms, hold every place the whole time; a later
    // start still hands over.
    void idleClientsDoNotStopAHandOver()
    {
        TSingleInstance running(m_data->path());
        QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
        QSignalSpy requests(&running, &TSingleInstance::Requested);
        std::vector<std::unique_ptr<QLocalSocket>> clients;
        QTimer flood;
        connect(&flood, &QTimer::timeout, this,
                [&] { clients.push_back(Connect(running.ServerName())); });
        for (int index = 0; index < 8; ++index)
            clients.push_back(Connect(running.ServerName()));
        flood.start(20);
        // Sooner than the places would be freed by dropping the clients that hold them (3 s).
        QCOMPARE(HandOver({"2", "cat"}, 2000), ExitCodeOf(TSingleInstance::TRole::HandedOver));
        QTRY_COMPARE(requests.size(), 1);
        QCOMPARE(requests.first().first().value<TLookupRequest>(), (TLookupRequest{"cat", 2}));
    }

    // A few bytes every 50 ms, a character's bytes split between pieces: answered once whole.
    void aMessageSentInPiecesArrivesWhole()
    {
        TSingleInstance running(m_data->path());
        QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
        QSignalSpy requests(&running, &TSingleInstance::Requested);
        const TLookupRequest request{QString("“猫” cat 𠀀"), 1, false, "id_TIME1"};
        const QByteArray message = EncodeLookupRequest(request);
        const auto client = Connect(running.ServerName());
        QVERIFY(client->waitForConnected(1000));
        // Read as it comes: the socket forgets what was unread once it is closed.
        QByteArray reply;
        connect(client.get(), &QLocalSocket::readyRead, this, [&] { reply += client->readAll(); });
        qsizetype sent = 0;
        QTimer trickle;
        connect(&trickle, &QTimer::timeout, this, [&] {
            client->write(message.mid(sent, 4));
            client->flush();
            sent += 4;
            if (sent >= message.size())
                trickle.stop();
        });
        trickle.start(50);
        QVERIFY(requests.wait(5000));
        QCOMPARE(requests.first().first().value<TLookupRequest>(), request);
        QTRY_COMPARE(reply, QByteArray("ok\n"));
    }

    // The running copy would drop it: the later start says so at once instead of waiting.
    void aTermTooLongToHandOverFailsAtOnce()
    {
        TSingleInstance running(m_data->path());
        QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
        QSignalSpy requests(&running, &TSingleInstance::Requested);
        TSingleInstance later(m_data->path());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(later.Claim(TLookupRequest{QString(64 * 1024, 'a'), 2}, 10000),
                 TSingleInstance::TRole::Failed);
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(!later.ErrorText().isEmpty());
        QCOMPARE(requests.size(), 0);
    }

    void aCrashedCopysSocketIsTakenOver()
    {
        QCOMPARE(WaitForExit(StartHelper({"crash", m_data->path()})), -1);
        TSingleInstance probe(m_data->path());
        QVERIFY(QFileInfo::exists(probe.ServerName()));
        QVERIFY(QFileInfo::exists(probe.LockFileName()));

        TSingleInstance running(m_data->path());
        QCOMPARE(running.Start({}, 3000), TSingleInstance::TRole::Running);
        QSignalSpy requests(&running, &TSingleInstance::Requested);
        QCOMPARE(HandOver({"2", "cat"}), ExitCodeOf(TSingleInstance::TRole::HandedOver));
        QTRY_COMPARE(requests.size(), 1);
    }

    void twoStartsAtOnceMakeOneRunningCopy()
    {
        QList<QProcess *> starts;
        for (int index = 0; index < 4; ++index)
            starts << StartHelper({"start", m_data->path(), "10000", "3", "0", "cat"});
        QList<int> codes;
        // The others hand over to the one that runs, while it runs.
        QVERIFY(QTest::qWaitFor(
            [&] {
                int ended = 0;
                for (QProcess *start : starts)
                    ended += start->state() == QProcess::NotRunning;
                return ended == 4;
            },
            20000));
        for (QProcess *start : starts)
            codes << WaitForExit(start, 0);
        QCOMPARE(codes.count(ExitCodeOf(TSingleInstance::TRole::Running)), 1);
        QCOMPARE(codes.count(ExitCodeOf(TSingleInstance::TRole::HandedOver)), 3);
    }

    void fallbackRuntimeDirectoryGoesWhenMadeForThisCopy_data()
    {
        QTest::addColumn<bool>("existedBefore");
        QTest::newRow("made for this copy") << false;
        QTest::newRow("there before") << true;
    }

    void fallbackRuntimeDirectoryGoesWhenMadeForThisCopy()
    {
        QFETCH(bool, existedBefore);
        QTemporaryDir temporary;
        const QByteArray savedTemporary = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temporary.path()));
        qunsetenv("XDG_RUNTIME_DIR");
        const auto restore = qScopeGuard([&] {
            if (savedTemporary.isNull())
                qunsetenv("TMPDIR");
            else
                qputenv("TMPDIR", savedTemporary);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
        });
        // Another program of the user's made it first, or nobody did.
        if (existedBefore)
            QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QString runtimeDirectory;
        {
            const TRuntimeDirectoryTidy tidy;
            QCOMPARE(tidy.FallbackDirectory().isEmpty(), existedBefore);
            runtimeDirectory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
            QVERIFY(runtimeDirectory.startsWith(temporary.path() + "/runtime-"));
            TSingleInstance running(m_data->path());
            QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
            QVERIFY(running.ServerName().startsWith(runtimeDirectory + '/'));
        }
        QCOMPARE(QFileInfo::exists(runtimeDirectory), existedBefore);
    }

    void nothingIsLeftBehind()
    {
        {
            TSingleInstance running(m_data->path());
            QCOMPARE(running.Start({}), TSingleInstance::TRole::Running);
            QCOMPARE(RuntimeEntries().size(), 2);
            QCOMPARE(HandOver({"-1"}), ExitCodeOf(TSingleInstance::TRole::HandedOver));
        }
        QCOMPARE(RuntimeEntries(), QStringList());
        QCOMPARE(QDir(m_data->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "helper")
        return RunHelper(argc, argv);
    QCoreApplication application(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SingleInstance_test.moc"
