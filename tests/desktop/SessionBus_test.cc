// Connecting to the session bus ahead of need: on a desktop platform the connection is started,
// and the program goes on and ends whether or not a bus can be reached; elsewhere nothing is
// started. The desktop cases run in a child process on a private X display, since an application
// keeps its platform for life.

#include "desktop/SessionBus.h"
#include "tests/support/XSession.h"

#include <QApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <cstdio>

using namespace tellaria;
using namespace tellaria::test;

namespace {

// The child: warms the connection up, then asks for it as the accessibility bridge would.
int WarmUp(int argc, char *argv[])
{
    QApplication application(argc, argv);
    bool connected = false;
    {
        const TSessionBusWarmUp warmUp;
        if (!warmUp.Started())
            return 2;
        connected = QDBusConnection::sessionBus().isConnected();
    }
    std::printf("%s\n", connected ? "connected" : "not connected");
    return 0;
}

} // namespace

class SessionBusTest : public QObject
{
    Q_OBJECT

private slots:
    void nothingIsStartedWithoutADesktop()
    {
        const TSessionBusWarmUp warmUp;
        QVERIFY(!warmUp.Started());
    }

    void theProgramGoesOnWhateverTheBus_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a running bus") << true << QStringLiteral("connected");
        // An address that leads nowhere: the connection fails, and nothing waits for long.
        QTest::newRow("unreachable bus") << false << QStringLiteral("not connected");
    }

    void theProgramGoesOnWhateverTheBus()
    {
        QFETCH(bool, running);
        QFETCH(QString, expected);
        QProcess bus;
        QString address = QStringLiteral("unix:path=/nonexistent/bus");
        if (running) {
            bus.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
            QVERIFY(bus.waitForReadyRead(10000));
            address = QString::fromLocal8Bit(bus.readLine()).trimmed();
        }
        XSession session(WindowManager::None);
        QVERIFY(session.Started());
        QProcessEnvironment environment = session.Environment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        QProcess child;
        child.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--warm-up")});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed(), expected);
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        if (running) {
            bus.terminate();
            bus.waitForFinished(5000);
        }
    }
};

int main(int argc, char *argv[])
{
    if (argc == 2 && QByteArray(argv[1]) == "--warm-up")
        return WarmUp(argc, argv);
    QApplication application(argc, argv);
    SessionBusTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SessionBus_test.moc"
