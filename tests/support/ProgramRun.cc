#include "tests/support/ProgramRun.h"

#include "tests/support/ProcessSignals.h"
#include "tests/support/ProgramCopy.h"
#include "tests/support/TestProxy.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>

#include <unistd.h>

namespace tellaria::test {

ProgramRun::ProgramRun(const XSession &session, const QString &program)
    : m_session(session)
{
    m_executable = PlaceProgramIn(program, m_directory.path());
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
}

ProgramRun::~ProgramRun()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void ProgramRun::WriteFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(m_directory.filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray ProgramRun::ReadFile(const QString &name) const
{
    QFile file(m_directory.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

namespace {

QProcessEnvironment ProgramEnvironment(const XSession &session)
{
    QProcessEnvironment environment = session.Environment();
    // Tests run as root, where the engine's sandbox cannot; the program never switches it off.
    environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    return environment;
}

} // namespace

int ProgramRun::StartAgain(const QStringList &arguments, const QProcessEnvironment &added) const
{
    QProcess second;
    QProcessEnvironment environment = ProgramEnvironment(m_session);
    environment.insert(added);
    second.setProcessEnvironment(environment);
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(m_executable, arguments);
    QDeadlineTimer deadline(30000);
    while (second.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        second.waitForFinished(20);
    }
    if (second.state() != QProcess::NotRunning || second.exitStatus() != QProcess::NormalExit) {
        second.kill();
        second.waitForFinished(5000);
        return -1;
    }
    return second.exitCode();
}

bool ProgramRun::Start(const QStringList &arguments)
{
    m_process.setProcessEnvironment(ProgramEnvironment(m_session));
    m_process.start(m_executable, arguments);
    if (!m_process.waitForStarted())
        return false;
    return FindMainWindow();
}

bool ProgramRun::FindMainWindow()
{
    m_window = m_session.WaitForWindow(QStringLiteral("^Tellaria$"));
    if (m_window.isEmpty()) {
        qWarning("the program's window did not show");
        return false;
    }
    // A window manager places and frames a window before it shows it, and tells the window its
    // frame: once that is set, the window is where it stays.
    if (m_session.HasWindowManager()
        && !TestProxy::WaitFor([&] { return m_session.FrameExtents(m_window).has_value(); },
                               5000)) {
        qWarning("the window manager did not frame the program's window");
        return false;
    }
    return true;
}

QRect ProgramRun::ClientGeometry() const
{
    return m_session.ClientGeometry(m_window);
}

bool ProgramRun::StartAndTerminateEarly()
{
    m_process.setProcessEnvironment(ProgramEnvironment(m_session));
    m_process.start(m_executable);
    if (!m_process.waitForStarted())
        return false;
    QDeadlineTimer deadline(20000);
    while (!CatchesSignal(pid_t(m_process.processId()), SIGTERM)) {
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(2);
    }
    return ::kill(pid_t(m_process.processId()), SIGTERM) == 0;
}

bool ProgramRun::WaitForExit(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        m_process.waitForFinished(20);
    }
    return m_process.state() == QProcess::NotRunning
           && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

} // namespace tellaria::test
