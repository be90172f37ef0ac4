#include "tests/support/WaylandSession.h"

#include "tests/support/AccessibleTree.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestProxy.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QStandardPaths>

#include <algorithm>

#include <unistd.h>

namespace tellaria::test {

namespace {

constexpr int ScreenWidth = 1280;
constexpr int ScreenHeight = 800;
// wtype gives the compositor a keymap of its own at every run, and the first key after it can
// come before the keymap has taken: a short pause after the keymap.
constexpr int KeymapPauseMs = 400;

// Waits for `process` to end, the event loop running meanwhile (the test's proxy answers the
// program); false when it did not end normally with status 0 within `timeoutMs`.
bool Finish(QProcess &process, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        process.waitForFinished(10);
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(3000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The first entry of `directory` whose name matches `pattern`; empty when there is none.
QString EntryOf(const QString &directory, const QString &pattern)
{
    const QStringList entries = QDir(directory).entryList(
        {pattern}, QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (!entry.endsWith(QLatin1String(".lock")))
            return entry;
    }
    return {};
}

QRect RectOf(const QJsonObject &rect)
{
    return QRect(rect.value("x").toInt(), rect.value("y").toInt(), rect.value("width").toInt(),
                 rect.value("height").toInt());
}

// The views below `node` in the tree swaymsg prints: the nodes that show a client's surface.
void CollectWindows(const QJsonObject &node, QList<WaylandWindow> &windows)
{
    if (node.contains(QLatin1String("shell"))) {
        const QRect outer = RectOf(node.value("rect").toObject());
        const QRect inner = RectOf(node.value("window_rect").toObject());
        windows.append({node.value("name").toString(), node.value("app_id").toString(),
                        inner.translated(outer.topLeft()),
                        node.value("type").toString() == QLatin1String("floating_con"),
                        node.value("focused").toBool()});
    }
    for (const char *children : {"nodes", "floating_nodes"}) {
        const QJsonArray nodes = node.value(QLatin1String(children)).toArray();
        for (const QJsonValue &child : nodes)
            CollectWindows(child.toObject(), windows);
    }
}

QStringList Missing(const QStringList &programs)
{
    QStringList missing;
    for (const QString &program : programs) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            missing << program;
    }
    return missing;
}

} // namespace

QStringList MissingWaylandPrograms(const QString &pointer)
{
    QStringList missing = Missing({QStringLiteral("sway"), QStringLiteral("swaymsg"),
                                   QStringLiteral("wtype"), QStringLiteral("grim")});
    if (pointer.isEmpty() || !QFileInfo(pointer).isExecutable())
        missing << QStringLiteral("vptr (built where libwayland-dev and libwayland-bin are)");
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    if (!QFileInfo::exists(plugins + QStringLiteral("/platforms/libqwayland-generic.so")))
        missing << QStringLiteral("Qt's Wayland platform plugin (qt6-wayland)");
    return missing;
}

QStringList MissingWaylandAccessibilityPrograms()
{
    QStringList missing = Missing({QStringLiteral("dbus-daemon")});
    if (AccessibilityBusLauncher().isEmpty())
        missing << QStringLiteral("at-spi-bus-launcher");
    return missing;
}

WaylandSession::WaylandSession(const QString &pointer)
{
    if (::geteuid() == 0) {
        qWarning("sway does not run as root");
        return;
    }
    if (!m_directory.isValid() || !QDir(m_directory.path()).mkpath(QStringLiteral("home"))
        || !QDir(m_directory.path()).mkpath(QStringLiteral("runtime")))
        return;
    m_home = m_directory.filePath(QStringLiteral("home"));
    m_runtime = m_directory.filePath(QStringLiteral("runtime"));
    // Only the user may reach a runtime directory; sway checks.
    QFile::setPermissions(m_runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString config = m_directory.filePath(QStringLiteral("sway.conf"));
    QFile configFile(config);
    if (!configFile.open(QIODevice::WriteOnly))
        return;
    configFile.write("output HEADLESS-1 resolution " + QByteArray::number(ScreenWidth) + "x"
                     + QByteArray::number(ScreenHeight) + " position 0 0\nxwayland disable\n");
    configFile.close();

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    environment.insert(QStringLiteral("HOME"), m_home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime);
    // No screen, no input devices and no GPU: the headless output, drawn in memory.
    environment.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    environment.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    environment.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    m_compositor = std::make_unique<QProcess>();
    m_compositor->setProcessEnvironment(environment);
    m_log = m_directory.filePath(QStringLiteral("sway.log"));
    m_compositor->setStandardOutputFile(m_log);
    m_compositor->setStandardErrorFile(m_log);
    // At debug level sway says why it refuses a client's request, such as a drag's start.
    m_compositor->start(QStringLiteral("sway"),
                        {QStringLiteral("-d"), QStringLiteral("-c"), config});
    // Until the start has been reported the process counts as starting, not running, however
    // far sway has come.
    m_compositor->waitForStarted();
    // sway makes its sockets once it serves clients and commands.
    const bool serving = TestProxy::WaitFor(
        [&] {
            m_waylandDisplay = EntryOf(m_runtime, QStringLiteral("wayland-*"));
            const QString ipc = EntryOf(m_runtime, QStringLiteral("sway-ipc.*.sock"));
            m_swaySocket = ipc.isEmpty() ? QString() : m_runtime + QLatin1Char('/') + ipc;
            return m_compositor->state() == QProcess::NotRunning
                   || (!m_waylandDisplay.isEmpty() && !m_swaySocket.isEmpty());
        },
        15000);
    bool answers = false;
    QString problem = m_compositor->state() != QProcess::NotRunning
                          ? QStringLiteral("sway made no sockets")
                          : QStringLiteral("sway ended, status %1%2")
                                .arg(m_compositor->exitCode())
                                .arg(m_compositor->exitStatus() == QProcess::CrashExit
                                         ? QStringLiteral(", crashed")
                                         : QString());
    if (serving && m_compositor->state() != QProcess::NotRunning) {
        const QString outputs
            = Run(QStringLiteral("swaymsg"), {QStringLiteral("-t"), QStringLiteral("get_outputs")},
                  &answers);
        problem = QStringLiteral("swaymsg got no answer: ") + outputs;
    }
    if (answers) {
        m_started = StartPointer(pointer);
        problem = QStringLiteral("vptr did not start");
    }
    if (!m_started) {
        QFile output(m_log);
        if (output.open(QIODevice::ReadOnly))
            qWarning("the Wayland session did not start (%s); sway wrote:\n%s", qPrintable(problem),
                     output.readAll().data());
    }
}

WaylandSession::~WaylandSession()
{
    if (m_pointerProcess) {
        m_pointerProcess->closeWriteChannel();
        if (!m_pointerProcess->waitForFinished(3000))
            StopProcess(m_pointerProcess);
    }
    StopProcess(m_accessibilityBus);
    StopProcess(m_sessionBus);
    StopProcess(m_compositor);
}

QProcessEnvironment WaylandSession::ToolEnvironment() const
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    environment.insert(QStringLiteral("HOME"), m_home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime);
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_waylandDisplay);
    environment.insert(QStringLiteral("SWAYSOCK"), m_swaySocket);
    return environment;
}

QProcessEnvironment WaylandSession::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "XAUTHORITY", "XDG_CACHE_HOME", "XDG_DATA_HOME",
                             "XDG_STATE_HOME", "DBUS_SESSION_BUS_ADDRESS", "QT_IM_MODULE",
                             "XMODIFIERS", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"})
        environment.remove(QLatin1String(name));
    const QProcessEnvironment tools = ToolEnvironment();
    for (const QString &name : tools.keys())
        environment.insert(name, tools.value(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    if (!m_sessionBusAddress.isEmpty())
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionBusAddress);
    // Qt puts its controls on the accessibility bus only when asked to, as a screen reader's
    // desktop setting would.
    if (!m_accessibilityAddress.isEmpty())
        environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    return environment;
}

QString WaylandSession::Run(const QString &program, const QStringList &arguments, bool *ok) const
{
    QProcess process;
    process.setProcessEnvironment(ToolEnvironment());
    process.start(program, arguments);
    const bool finished = Finish(process, 20000);
    if (ok)
        *ok = finished;
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool WaylandSession::StartAccessibilityBus()
{
    if (!m_accessibilityAddress.isEmpty())
        return true;
    if (AccessibilityBusLauncher().isEmpty())
        return false;
    m_sessionBus = std::make_unique<QProcess>();
    m_sessionBus->setProcessEnvironment(ToolEnvironment());
    m_sessionBus->start(QStringLiteral("dbus-daemon"),
                        {QStringLiteral("--session"), QStringLiteral("--nofork"),
                         QStringLiteral("--print-address=1")});
    // The daemon prints its address once it listens.
    TestProxy::WaitFor([&] { return m_sessionBus->canReadLine(); }, 10000);
    m_sessionBusAddress = QString::fromUtf8(m_sessionBus->readLine()).trimmed();
    if (m_sessionBusAddress.isEmpty())
        return false;

    m_accessibilityBus = std::make_unique<QProcess>();
    QProcessEnvironment environment = ToolEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionBusAddress);
    m_accessibilityBus->setProcessEnvironment(environment);
    m_accessibilityBus->setStandardOutputFile(QProcess::nullDevice());
    m_accessibilityBus->start(AccessibilityBusLauncher(), {QStringLiteral("--launch-immediately")});
    m_accessibilityAddress = AskAccessibilityBusAddress(m_sessionBusAddress);
    return !m_accessibilityAddress.isEmpty();
}

void WaylandSession::Type(const QString &text, const QStringList &keys) const
{
    QStringList arguments{QStringLiteral("-s"), QString::number(KeymapPauseMs)};
    if (!text.isEmpty())
        arguments << text;
    for (const QString &key : keys) {
        // "ctrl+a": the modifiers held around the last key.
        QStringList parts = key.split(QLatin1Char('+'));
        const QString last = parts.takeLast();
        for (const QString &modifier : std::as_const(parts))
            arguments << QStringLiteral("-M") << modifier;
        arguments << QStringLiteral("-k") << last;
        for (const QString &modifier : std::as_const(parts))
            arguments << QStringLiteral("-m") << modifier;
    }
    Run(QStringLiteral("wtype"), arguments);
}

bool WaylandSession::StartPointer(const QString &pointer)
{
    m_pointerProcess = std::make_unique<QProcess>();
    m_pointerProcess->setProcessEnvironment(ToolEnvironment());
    m_pointerProcess->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_pointerProcess->start(pointer, {QString::number(ScreenWidth), QString::number(ScreenHeight)});
    // It answers once the compositor has made its device.
    if (!SendToPointer({}))
        return false;
    // The first motion of a new device puts the pointer on the screen; where it was before is
    // the middle of the screen.
    m_pointer = QPoint(ScreenWidth / 2, ScreenHeight / 2);
    return SendToPointer("move " + QByteArray::number(m_pointer.x()) + " "
                         + QByteArray::number(m_pointer.y()));
}

bool WaylandSession::SendToPointer(const QByteArray &command)
{
    if (!m_pointerProcess)
        return false;
    if (!command.isEmpty())
        m_pointerProcess->write(command + "\n");
    QDeadlineTimer deadline(10000);
    while (!m_pointerProcess->canReadLine()) {
        if (deadline.hasExpired() || m_pointerProcess->state() == QProcess::NotRunning)
            return false;
        m_pointerProcess->waitForReadyRead(50);
    }
    return m_pointerProcess->readLine().trimmed() == "ok";
}

void WaylandSession::MovePointer(const QPoint &to)
{
    const QPoint from = m_pointer;
    const int steps = qMax(1, (to - from).manhattanLength() / 12);
    for (int step = 1; step <= steps; ++step) {
        m_pointer = from + (to - from) * step / steps;
        SendToPointer("move " + QByteArray::number(m_pointer.x()) + " "
                      + QByteArray::number(m_pointer.y()));
    }
}

void WaylandSession::Press()
{
    SendToPointer("down");
}

void WaylandSession::Release()
{
    SendToPointer("up");
}

QStringList WaylandSession::CompositorSaid(const QStringList &words) const
{
    QStringList lines;
    QFile log(m_log);
    if (!log.open(QIODevice::ReadOnly))
        return lines;
    while (!log.atEnd()) {
        const QString line = QString::fromUtf8(log.readLine()).trimmed();
        if (std::any_of(words.begin(), words.end(), [&](const QString &word) {
                return line.contains(word, Qt::CaseInsensitive);
            }))
            lines.append(line);
    }
    return lines;
}

QImage WaylandSession::Screenshot() const
{
    QProcess process;
    process.setProcessEnvironment(ToolEnvironment());
    // PPM, which grim need not compress.
    process.start(QStringLiteral("grim"),
                  {QStringLiteral("-t"), QStringLiteral("ppm"), QStringLiteral("-")});
    Finish(process, 20000);
    return QImage::fromData(process.readAllStandardOutput(), "PPM");
}

QList<WaylandWindow> WaylandSession::Windows() const
{
    const QString tree = Run(QStringLiteral("swaymsg"), {QStringLiteral("-r"), QStringLiteral("-t"),
                                                         QStringLiteral("get_tree")});
    QList<WaylandWindow> windows;
    CollectWindows(QJsonDocument::fromJson(tree.toUtf8()).object(), windows);
    return windows;
}

std::optional<WaylandWindow> WaylandSession::WaitForWindow(
    const std::function<bool(const WaylandWindow &)> &matches, int timeoutMs) const
{
    std::optional<WaylandWindow> found;
    TestProxy::WaitFor(
        [&] {
            for (const WaylandWindow &window : Windows()) {
                if (matches(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool WaylandSession::Command(const QString &command) const
{
    bool ok = false;
    const QString reply = Run(QStringLiteral("swaymsg"),
                              {QStringLiteral("-r"), QStringLiteral("--"), command}, &ok);
    const QJsonArray results = QJsonDocument::fromJson(reply.toUtf8()).array();
    if (!ok || results.isEmpty())
        return false;
    for (const QJsonValue &result : results) {
        if (!result.toObject().value("success").toBool())
            return false;
    }
    return true;
}

} // namespace tellaria::test
