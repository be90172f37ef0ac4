// A later start brings the running window to the front as a launcher brings up a program it
// starts, when the user is at work in another program that covers the window: the built
// program on a private X display with metacity, whose focus-stealing prevention lets a window
// take the focus only with the time of the user's action that asked for it. The other program
// is xlogo, with a user action newer than any event the running window has seen.

#include "tests/support/ProgramRun.h"
#include "tests/support/TestProxy.h"
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace tellaria::test;

namespace {

QString Output(const XSession &session, const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(session.Environment());
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// A time of the X server's newer than any event the program under test has seen, as a launcher
// takes it from the user's key press: that of a change to a property of `window`, another
// program's window, which the program under test does not watch.
QString FreshTime(const XSession &session, const QString &window)
{
    QProcess watch;
    watch.setProcessEnvironment(session.Environment());
    watch.start(QStringLiteral("xev"), {"-id", window, "-event", "property"});
    if (!watch.waitForStarted())
        return {};
    const QRegularExpression time(QStringLiteral("time (\\d+)"));
    QString seen;
    // Changed until xev, which may not be watching yet, reports a change.
    for (int attempt = 0; attempt < 50; ++attempt) {
        Output(session, "xprop",
               {"-id", window, "-f", "_TELLARIA_TICK", "8s", "-set", "_TELLARIA_TICK",
                QString::number(attempt)});
        if (watch.waitForReadyRead(200))
            seen += QString::fromUtf8(watch.readAllStandardOutput());
        const QRegularExpressionMatch match = time.match(seen);
        if (match.hasMatch()) {
            watch.kill();
            watch.waitForFinished();
            return match.captured(1);
        }
    }
    watch.kill();
    watch.waitForFinished();
    return {};
}

QString ActiveWindow(const XSession &session)
{
    return session.XDoTool({"getactivewindow"});
}

bool Viewable(const XSession &session, const QString &window)
{
    return Output(session, "xwininfo", {"-id", window}).contains("Map State: IsViewable");
}

bool AsksForAttention(const XSession &session, const QString &window)
{
    return Output(session, "xprop", {"-id", window, "_NET_WM_STATE"})
        .contains("_NET_WM_STATE_DEMANDS_ATTENTION");
}

// Makes `window` the active one, as a click on it would, and waits until it is.
bool Activate(const XSession &session, const QString &window)
{
    session.XDoTool({"windowactivate", window});
    return TestProxy::WaitFor([&] { return ActiveWindow(session) == window; }, 10000);
}

enum class Outcome { Focused, AsksForAttention, Shown };

} // namespace

Q_DECLARE_METATYPE(Outcome)

class ActivationTest : public QObject
{
    Q_OBJECT

public:
    bool ToolMissing() const { return m_toolMissing; }

private:
    bool m_toolMissing = false;
    TestProxy *m_proxy = nullptr;
    std::unique_ptr<XSession> m_session;
    std::unique_ptr<ProgramRun> m_run;
    QProcess m_editor;
    QString m_editorWindow;

private slots:
    void initTestCase()
    {
        for (const char *program : {"xlogo", "xev"}) {
            if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
                m_toolMissing = true;
        }
        if (m_toolMissing || !XSessionAvailable()) {
            m_toolMissing = true;
            QSKIP("Xvfb, xdotool, xprop, xwininfo, xev or xlogo missing");
        }
        m_proxy = new TestProxy(this);
        m_session = std::make_unique<XSession>(WindowManager::Metacity);
        QVERIFY(m_session->Started());
        m_run = std::make_unique<ProgramRun>(*m_session, QStringLiteral(TELLARIA_PROGRAM));
        QVERIFY(m_run->Start());
        // The whole screen: metacity asks for attention only for a window that is covered.
        m_editor.setProcessEnvironment(m_session->Environment());
        m_editor.start(QStringLiteral("xlogo"), {"-geometry", "1280x800+0+0"});
        m_editorWindow = m_session->WaitForWindow(QStringLiteral("^xlogo$"));
        QVERIFY(!m_editorWindow.isEmpty());
    }

    void cleanupTestCase()
    {
        m_editor.kill();
        m_editor.waitForFinished();
    }

    void laterStartBringsTheWindowUp_data()
    {
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("startupId");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("with the launcher's time") << false << true << Outcome::Focused;
        QTest::newRow("without") << false << false << Outcome::AsksForAttention;
        QTest::newRow("minimised, with the launcher's time") << true << true << Outcome::Focused;
        // Restored; whether it has the focus is the window manager's choice.
        QTest::newRow("minimised, without") << true << false << Outcome::Shown;
    }

    void laterStartBringsTheWindowUp()
    {
        QFETCH(bool, minimised);
        QFETCH(bool, startupId);
        QFETCH(Outcome, outcome);
        const QString window = m_run->MainWindow();
        // Active once, which ends any call for attention left by the row before.
        QVERIFY(Activate(*m_session, window));
        QVERIFY(!AsksForAttention(*m_session, window));
        if (minimised) {
            m_session->XDoTool({"windowminimize", window});
            QVERIFY(TestProxy::WaitFor([&] { return !Viewable(*m_session, window); }));
        }
        // The user at work in the other program: it has the focus, and the user's last action
        // there is newer than anything the running window has seen.
        QVERIFY(Activate(*m_session, m_editorWindow));
        const QString userTime = FreshTime(*m_session, m_editorWindow);
        QVERIFY(!userTime.isEmpty());
        Output(*m_session, "xprop",
               {"-id", m_editorWindow, "-f", "_NET_WM_USER_TIME", "32c", "-set",
                "_NET_WM_USER_TIME", userTime});

        QProcessEnvironment launcher;
        if (startupId) {
            // The user's key press that started the later start comes after that action.
            const QString keyTime = FreshTime(*m_session, m_editorWindow);
            QVERIFY(keyTime.toULongLong() > userTime.toULongLong());
            launcher.insert("DESKTOP_STARTUP_ID", "tellaria-test_TIME" + keyTime);
        }
        QCOMPARE(m_run->StartAgain({}, launcher), 0);

        QVERIFY(TestProxy::WaitFor([&] { return Viewable(*m_session, window); }));
        switch (outcome) {
        case Outcome::Focused:
            QVERIFY(TestProxy::WaitFor([&] { return ActiveWindow(*m_session) == window; }));
            QVERIFY(!AsksForAttention(*m_session, window));
            break;
        case Outcome::AsksForAttention:
            QVERIFY(TestProxy::WaitFor([&] { return AsksForAttention(*m_session, window); }));
            // The user's work keeps the focus.
            QCOMPARE(ActiveWindow(*m_session), m_editorWindow);
            break;
        case Outcome::Shown:
            break;
        }
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QCoreApplication application(argc, argv);
    ActivationTest test;
    const int failures = QTest::qExec(&test, argc, argv);
    return failures == 0 && test.ToolMissing() ? MissingToolExitCode : failures;
}

#include "Activation_test.moc"
