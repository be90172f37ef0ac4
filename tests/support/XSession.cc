#include "tests/support/XSession.h"

#include "tests/support/AccessibleTree.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestProxy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace tellaria::test {

namespace {

const char PinyinProfile[] = R"(
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
)";

} // namespace

bool XSessionAvailable()
{
    for (const char *program : {"Xvfb", "xdotool", "xprop", "xwininfo", "import"}) {
        if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
            return false;
    }
    return true;
}

QStringList MissingAccessibilityPrograms()
{
    QStringList missing;
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty())
        missing << QStringLiteral("dbus-launch");
    if (AccessibilityBusLauncher().isEmpty())
        missing << QStringLiteral("at-spi-bus-launcher");
    return missing;
}

QStringList MissingPinyinPrograms()
{
    QStringList missing;
    for (const char *program : {"dbus-launch", "fcitx5", "fcitx5-remote"}) {
        if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
            missing << QLatin1String(program);
    }
    if (QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                               QStringLiteral("fcitx5/addon/pinyin.conf"))
            .isEmpty())
        missing << QStringLiteral("fcitx5's pinyin");
    return missing;
}

XSession::XSession(WindowManager manager)
    : m_manager(manager)
{
    // The server takes the first display no other server holds, and writes its number once
    // clients can connect: tests running side by side each get their own.
    m_server = std::make_unique<QProcess>();
    m_server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server->start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-noreset"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    while (!number.endsWith('\n') && m_server->waitForReadyRead(10000))
        number += m_server->readAll();
    if (number.trimmed().isEmpty())
        return;
    m_display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    if (manager == WindowManager::None) {
        m_started = true;
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("HOME"), m_home.path());
    m_windowManager = Start(manager == WindowManager::Metacity ? QStringLiteral("metacity")
                                                               : QStringLiteral("openbox"),
                            {}, environment);
    // A window manager announces itself on the root window once it manages the screen.
    m_started = TestProxy::WaitFor(
        [&] {
            return Run(QStringLiteral("xprop"),
                       {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QLatin1String("window id"));
        },
        10000);
}

void XSession::PauseWindowManager(bool paused) const
{
    if (m_windowManager && m_windowManager->processId() > 0)
        ::kill(pid_t(m_windowManager->processId()), paused ? SIGSTOP : SIGCONT);
}

XSession::~XSession()
{
    StopProcess(m_inputMethod);
    StopProcess(m_accessibilityBus);
    if (m_dbusPid > 0)
        ::kill(pid_t(m_dbusPid), SIGTERM);
    StopProcess(m_windowManager);
    StopProcess(m_server);
}

std::unique_ptr<QProcess> XSession::Start(const QString &program,
                                          const QStringList &arguments,
                                          const QProcessEnvironment &environment)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    process->waitForStarted();
    return process;
}

QString XSession::Run(const QString &program, const QStringList &arguments, bool *ok) const
{
    QProcess process;
    QProcessEnvironment environment = Environment();
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(20000);
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool XSession::SetClipboardText(const QByteArray &text) const
{
    QProcess xclip;
    xclip.setProcessEnvironment(Environment());
    // The copy that stays to serve the clipboard keeps no pipe of ours open.
    xclip.setStandardOutputFile(QProcess::nullDevice());
    xclip.setStandardErrorFile(QProcess::nullDevice());
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")});
    if (!xclip.waitForStarted())
        return false;
    xclip.write(text);
    xclip.closeWriteChannel();
    return xclip.waitForFinished() && xclip.exitCode() == 0 && TestProxy::WaitFor([&] {
               return ClipboardText() == QString::fromUtf8(text).trimmed();
           });
}

QString XSession::ClipboardText() const
{
    return Run(QStringLiteral("xclip"),
               {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
}

bool XSession::StartSessionBus()
{
    if (!m_dbusAddress.isEmpty())
        return true;
    const QString launched = Run(QStringLiteral("dbus-launch"), {QStringLiteral("--sh-syntax")});
    const QRegularExpression address(QStringLiteral("DBUS_SESSION_BUS_ADDRESS='([^']*)'"));
    const QRegularExpression pid(QStringLiteral("DBUS_SESSION_BUS_PID=(\\d+)"));
    m_dbusAddress = address.match(launched).captured(1);
    m_dbusPid = pid.match(launched).captured(1).toLongLong();
    return !m_dbusAddress.isEmpty();
}

bool XSession::StartAccessibilityBus()
{
    if (!m_accessibilityAddress.isEmpty())
        return true;
    if (!StartSessionBus() || AccessibilityBusLauncher().isEmpty())
        return false;
    m_accessibilityBus = Start(AccessibilityBusLauncher(), {QStringLiteral("--launch-immediately")},
                               Environment());
    m_accessibilityAddress = AskAccessibilityBusAddress(m_dbusAddress);
    return !m_accessibilityAddress.isEmpty();
}

bool XSession::StartPinyinInputMethod()
{
    QDir(m_home.path()).mkpath(QStringLiteral(".config/fcitx5"));
    QFile profile(m_home.filePath(QStringLiteral(".config/fcitx5/profile")));
    if (!profile.open(QIODevice::WriteOnly))
        return false;
    profile.write(PinyinProfile);
    profile.close();

    if (!StartSessionBus())
        return false;
    m_inputMethod = Start(QStringLiteral("fcitx5"), {QStringLiteral("--replace")}, Environment());
    // fcitx5-remote answers with the input state (0, 1 or 2) once the daemon serves its bus name.
    const bool serving = TestProxy::WaitFor(
        [&] {
            bool ok = false;
            const QString state = Run(QStringLiteral("fcitx5-remote"), {}, &ok);
            return ok && state.size() == 1 && state.at(0).isDigit();
        },
        15000);
    if (!serving)
        StopProcess(m_inputMethod);
    return serving;
}

int XSession::InputMethodState() const
{
    bool ok = false;
    const QString state = Run(QStringLiteral("fcitx5-remote"), {}, &ok);
    bool number = false;
    const int value = state.toInt(&number);
    return ok && number ? value : -1;
}

QProcessEnvironment XSession::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_home.filePath(QStringLiteral(".config")));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"));
    if (!m_dbusAddress.isEmpty())
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_dbusAddress);
    // Qt puts its controls on the accessibility bus only when asked to, as a screen reader's
    // desktop setting would.
    if (!m_accessibilityAddress.isEmpty())
        environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    if (m_inputMethod) {
        environment.insert(QStringLiteral("QT_IM_MODULE"), QStringLiteral("fcitx"));
        environment.insert(QStringLiteral("XMODIFIERS"), QStringLiteral("@im=fcitx"));
    } else {
        environment.remove(QStringLiteral("QT_IM_MODULE"));
        environment.remove(QStringLiteral("XMODIFIERS"));
    }
    return environment;
}

QString XSession::XDoTool(const QStringList &arguments) const
{
    return Run(QStringLiteral("xdotool"), arguments);
}

void XSession::Click(const QPoint &point, int button) const
{
    XDoTool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(point.x()),
             QString::number(point.y()), QStringLiteral("click"), QString::number(button)});
}

void XSession::DoubleClick(const QPoint &point) const
{
    XDoTool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(point.x()),
             QString::number(point.y()), QStringLiteral("click"), QStringLiteral("--repeat"),
             QStringLiteral("2"), QStringLiteral("1")});
}

void XSession::Drag(const QPoint &from, const std::vector<QPoint> &via) const
{
    XDoTool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(from.x()),
             QString::number(from.y()), QStringLiteral("mousedown"), QStringLiteral("1")});
    QPoint at = from;
    for (const QPoint &target : via) {
        // Steps of a few pixels, as a hand moves, so the drag threshold and every site passed
        // over are seen.
        const int steps = qMax(1, (target - at).manhattanLength() / 12);
        const QPoint start = at;
        for (int step = 1; step <= steps; ++step) {
            at = start + (target - start) * step / steps;
            XDoTool(
                {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        }
    }
    XDoTool({QStringLiteral("mouseup"), QStringLiteral("1")});
}

// Keys go out without a pause: the X server and the program take them in order, and whatever
// must have happened before the next key is waited for by the test.
void XSession::Key(const QString &keys) const
{
    XDoTool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("0"), keys});
}

void XSession::Type(const QString &text) const
{
    XDoTool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("0"), text});
}

QStringList XSession::VisibleWindows(const QString &titleRegex) const
{
    const QString found = XDoTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                   QStringLiteral("--name"), titleRegex});
    return found.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString XSession::WaitForWindow(const QString &titleRegex, int timeoutMs) const
{
    QString window;
    TestProxy::WaitFor(
        [&] {
            window = VisibleWindows(titleRegex).value(0);
            return !window.isEmpty();
        },
        timeoutMs);
    return window;
}

bool XSession::WaitForNoWindow(const QString &titleRegex, int timeoutMs) const
{
    return TestProxy::WaitFor([&] { return VisibleWindows(titleRegex).isEmpty(); }, timeoutMs);
}

QRect XSession::ClientGeometry(const QString &window) const
{
    const QString info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
    const auto number = [&](const char *label) {
        const QRegularExpression pattern(QLatin1String(label) + QStringLiteral(":\\s*(-?\\d+)"));
        return pattern.match(info).captured(1).toInt();
    };
    return QRect(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
                 number("Height"));
}

QSize XSession::OuterSize(const QString &window) const
{
    const QSize client = ClientGeometry(window).size();
    const QMargins frame = FrameExtents(window).value_or(QMargins());
    return client + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

std::optional<QMargins> XSession::FrameExtents(const QString &window) const
{
    const QString extents = Run(QStringLiteral("xprop"), {QStringLiteral("-id"), window,
                                                          QStringLiteral("_NET_FRAME_EXTENTS")});
    const QRegularExpression pattern(
        QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)"));
    const QRegularExpressionMatch match = pattern.match(extents);
    if (!match.hasMatch())
        return std::nullopt;
    // Left, right, top, bottom.
    return QMargins(match.captured(1).toInt(), match.captured(3).toInt(), match.captured(2).toInt(),
                    match.captured(4).toInt());
}

QImage XSession::Screenshot() const
{
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.start(QStringLiteral("import"),
                  {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    process.waitForFinished(20000);
    return QImage::fromData(process.readAllStandardOutput(), "PNG");
}

} // namespace tellaria::test
