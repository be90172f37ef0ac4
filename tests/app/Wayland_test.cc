// The built program as a user runs it on a Wayland desktop: natively, on Qt's Wayland platform,
// as an ordinary user, under sway on a headless output, with keys from wtype and the pointer from
// a virtual pointer. One run goes through what a Wayland session changes: completion and a query
// by keyboard, the toolbar floated by a drag and docked back by a drag between windows, a query
// after that, and the compositor's close, after which the history holds the terms. What is
// checked is what the user and the compositor see: the pages asked for at the test's proxy, the
// compositor's window tree, the controls in the accessibility tree and the screen's pixels.

#include "tests/core/TestDirectory.h"
#include "tests/support/RealInputProgram.h"
#include "tests/support/WaylandSession.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace tellaria::test;

namespace {

// One run of the built program on the compositor: a copy in a directory of its own, where it
// keeps its data files.
class WaylandProgram
{
public:
    WaylandProgram(const WaylandSession &session, const QString &executable)
        : m_session(session)
    {
        m_executable = m_directory.filePath(QStringLiteral("tellaria"));
        QFile::copy(executable, m_executable);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    ~WaylandProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    void WriteFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(m_directory.filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }

    // The file's bytes, or "<missing>".
    QByteArray ReadFile(const QString &name) const
    {
        QFile file(m_directory.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    bool Start()
    {
        QProcessEnvironment environment = m_session.Environment();
        // The engine's sandbox would run here, as an ordinary user; the tests save its start.
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        m_process.setProcessEnvironment(environment);
        m_process.start(m_executable);
        return m_process.waitForStarted();
    }

    // Waits for the process to end by itself; true when it ended with status 0.
    bool WaitForExit(int timeoutMs = 20000)
    {
        TestProxy::WaitFor([&] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
        return m_process.state() == QProcess::NotRunning
               && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

private:
    const WaylandSession &m_session;
    QTemporaryDir m_directory;
    QString m_executable;
    QProcess m_process;
};

// The compositor's window that shows the accessible window titled `title`: Qt adds the
// application's name to a window title that lacks it.
const WaylandWindow *ShownAs(const QList<WaylandWindow> &windows, const QString &title)
{
    for (const WaylandWindow &window : windows) {
        if (window.AppId == QLatin1String("tellaria")
            && (window.Title == title || window.Title.startsWith(title + QStringLiteral(" — "))))
            return &window;
    }
    return nullptr;
}

// `reading` with each control placed where the screen shows it. A Wayland client does not know
// where its windows are, so its accessibility tree places each window's controls relative to a
// place of its own choosing; the compositor's tree tells where the window really is. Windows the
// compositor does not show are left out.
AccessibleReading OnTheScreen(const AccessibleReading &reading, const QList<WaylandWindow> &windows)
{
    AccessibleReading placed;
    QHash<int, QPoint> offsets; // by the window's index in the reading
    for (int index = 0; index < reading.Nodes.size(); ++index) {
        const AccessibleNode &node = reading.Nodes[index];
        const AccessibleNode *window = reading.Window(node);
        const int windowIndex = window ? int(window - reading.Nodes.data()) : index;
        if (!offsets.contains(windowIndex)) {
            const WaylandWindow *shown = ShownAs(windows, reading.Nodes[windowIndex].Name);
            offsets.insert(windowIndex,
                           shown ? shown->Content.topLeft()
                                       - reading.Nodes[windowIndex].Extents.topLeft()
                                 : QPoint(-1, -1) * 100000);
        }
        placed.Nodes.append(node);
        placed.Nodes.last().Extents.translate(offsets.value(windowIndex));
    }
    return placed;
}

} // namespace

class WaylandTest : public QObject
{
    Q_OBJECT

public:
    bool ToolMissing() const { return m_toolMissing; }

private:
    bool m_toolMissing = false;

private slots:
    void initTestCase()
    {
        const QStringList missing = MissingWaylandPrograms(QStringLiteral(WAYLAND_POINTER))
                                    + MissingWaylandAccessibilityPrograms();
        if (!missing.isEmpty()) {
            m_toolMissing = true;
            QSKIP(qPrintable(missing.join(QStringLiteral(", ")) + QStringLiteral(" missing")));
        }
    }

    void explore()
    {
        TestProxy proxy;
        WaylandSession session(QStringLiteral(WAYLAND_POINTER));
        QVERIFY(session.Started());
        QVERIFY(session.StartAccessibilityBus());
        WaylandProgram program(session, TELLARIA_PROGRAM);
        program.WriteFile("Lexivanedr.ini", Settings(3));
        program.WriteFile("Lexivander.qry", "cattle\r\n");
        QVERIFY(program.Start());
        AccessibleTree tree([&] { return session.AccessibilityBusAddress(); },
                            QStringLiteral("tellaria"));
        const auto read = [&] { return OnTheScreen(tree.Read(), session.Windows()); };
        const auto main = session.WaitForWindow(
            [](const WaylandWindow &window) { return window.Title == "Tellaria"; });
        QVERIFY(main);
        QVERIFY(tree.WaitUntil([](const AccessibleReading &reading) {
            const AccessibleNode *box = FindQueryBox(reading);
            return box && box->Focused();
        }));
        session.Type("cat", {"Return"});
        QVERIFY(WaitForResultRequests(proxy, 1));
        qDebug() << ResultRequests(proxy);

        AccessibleReading reading = read();
        const QPoint grab = BareToolBar().Area(reading)->center();
        const QPoint drop = PageArea().Area(reading)->center();
        session.MovePointer(grab);
        session.Press();
        session.MovePointer(grab + QPoint(0, 40));
        session.MovePointer(drop);
        session.Release();
        const auto floating = session.WaitForWindow(
            [](const WaylandWindow &window) { return window.Title.startsWith("frmFloating"); });
        QVERIFY(floating);
        qDebug() << floating->Content << floating->Floating << floating->Focused;
        for (const WaylandWindow &w : session.Windows()) qDebug() << w.Title << w.Content << w.Floating << w.Focused;
        QVERIFY(tree.WaitUntil([&](const AccessibleReading &r) {
            const AccessibleNode *box = FindQueryBox(r);
            return box && r.Window(*box)->Name == "frmFloating";
        }));
        reading = read();
        qDebug().noquote() << reading.Describe();

        const QRect caption = *FloatingCaption().Area(reading);
        const QRect bands = *BandArea().Area(reading);
        const QPoint from(caption.right() - 40, caption.center().y());
        session.MovePointer(from);
        const QImage before = session.Screenshot();
        before.save("/tmp/wl/t-before.png");
        session.Press();
        session.MovePointer(from - QPoint(0, 70));
        const QPoint at = session.PointerPosition();
        QVERIFY(TestProxy::WaitFor([&] {
            const QImage now = session.Screenshot();
            for (int dx = 6; dx <= 30; dx += 6) {
                if (now.pixel(at - QPoint(dx, 0)) != now.pixel(from - QPoint(dx, 0)))
                    return false;
            }
            return true;
        }, 10000) || (session.Screenshot().save("/tmp/wl/t-icon.png"), false));
        session.MovePointer(QPoint(bands.right() - 40, bands.center().y()));
        const QPoint sample(bands.left() + 300, bands.center().y());
        QVERIFY(TestProxy::WaitFor([&] {
            const QImage now = session.Screenshot();
            return now.pixel(sample) != before.pixel(sample);
        }, 10000));
        session.Screenshot().save("/tmp/wl/t-during.png");
        session.Release();
        QVERIFY(tree.WaitUntil([&](const AccessibleReading &r) {
            const AccessibleNode *box = FindQueryBox(r);
            return box && r.Window(*box)->Name == "Tellaria" && box->Focused();
        }));
        for (const WaylandWindow &w : session.Windows()) qDebug() << w.Title << w.Content << w.Floating << w.Focused;
        session.Type("owl", {"Return"});
        QVERIFY(WaitForResultRequests(proxy, 2));
        qDebug() << ResultRequests(proxy);
        QVERIFY(session.Command("[app_id=tellaria] kill"));
        QVERIFY(program.WaitForExit());
        qDebug() << program.ReadFile("Lexivander.qry");
    }
};

int main(int argc, char *argv[])
{
    // sway and the program run as an ordinary user, as does the test that talks to them.
    BecomeOrdinaryUser();
    PrepareBrowserTestEnvironment();
    QCoreApplication application(argc, argv);
    WaylandTest test;
    const int failures = QTest::qExec(&test, argc, argv);
    // A run that found a tool missing checked nothing: ctest reports it as skipped.
    return failures == 0 && test.ToolMissing() ? MissingToolExitCode : failures;
}

#include "Wayland_test.moc"
