#pragma once

// A private X display for tests that drive the built program as a user does: an Xvfb server,
// optionally a real window manager and a real input method, and the user's hand through the X
// server's XTEST extension (xdotool). What a test reads back is what a user sees: windows by
// title, their geometry, and the screen's pixels.

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <vector>

namespace tellaria::test {

enum class WindowManager { None, Metacity, Openbox };

class XSession
{
public:
    // Starts Xvfb (1280 × 800) and the window manager; Started() tells whether both came up.
    explicit XSession(WindowManager manager = WindowManager::Metacity);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    bool Started() const { return m_started; }
    QString Display() const { return m_display; }
    bool HasWindowManager() const { return m_manager != WindowManager::None; }
    // Stops the window manager, as one too busy to answer anything is, or lets it go on.
    void PauseWindowManager(bool paused) const;

    // Starts the accessibility bus on a D-Bus session of the display's own; false when it does
    // not come up. Programs started afterwards with Environment() put their controls on it, as
    // for a screen reader, and AccessibleTree reads them there.
    bool StartAccessibilityBus();
    // The accessibility bus's address; empty until it runs.
    QString AccessibilityBusAddress() const { return m_accessibilityAddress; }

    // Starts fcitx5 with pinyin as the second input method of a private home, on the display's
    // D-Bus session; false when it does not come up. Programs started afterwards with
    // Environment() use it.
    bool StartPinyinInputMethod();

    // What a program started on this display needs: DISPLAY, a private HOME and runtime
    // directory, the D-Bus session once it runs, and what the accessibility bus and the input
    // method ask of a program once they run.
    QProcessEnvironment Environment() const;

    // Runs xdotool with `arguments`; returns its standard output, trimmed.
    QString XDoTool(const QStringList &arguments) const;
    // The clipboard's text, as another X client (xclip) reads it.
    QString ClipboardText() const;
    // Puts `text` on the clipboard as another program does: xclip holds it from then on. False
    // when xclip did not take it.
    bool SetClipboardText(const QByteArray &text) const;

    void Click(const QPoint &point, int button = 1) const;
    void DoubleClick(const QPoint &point) const;
    // Presses at `from`, moves through `via` in small steps, releases at the last point.
    void Drag(const QPoint &from, const std::vector<QPoint> &via) const;
    // Key names as xdotool knows them: "Return", "alt+F4", "ctrl+a", "shift+Tab".
    void Key(const QString &keys) const;
    void Type(const QString &text) const;

    // Visible windows whose title matches `titleRegex` exactly, as X window ids.
    QStringList VisibleWindows(const QString &titleRegex) const;
    // Waits for a visible window titled to match; empty when none appears within `timeoutMs`.
    QString WaitForWindow(const QString &titleRegex, int timeoutMs = 20000) const;
    bool WaitForNoWindow(const QString &titleRegex, int timeoutMs = 20000) const;
    // The window's client area in screen coordinates.
    QRect ClientGeometry(const QString &window) const;
    // The window's outer size: the client area plus what the window manager draws around it.
    QSize OuterSize(const QString &window) const;
    // What the window manager draws around the window, as it tells the window; nothing before it
    // has framed the window or without a window manager.
    std::optional<QMargins> FrameExtents(const QString &window) const;

    QImage Screenshot() const;

    // The input method's state as fcitx5-remote tells it: 0 while it knows of no window with
    // the keyboard focus, 1 when it knows one and is off there, 2 when it is on; -1 when it
    // does not answer.
    int InputMethodState() const;

private:
    bool StartSessionBus();
    QString Run(const QString &program, const QStringList &arguments, bool *ok = nullptr) const;
    std::unique_ptr<QProcess> Start(const QString &program,
                                    const QStringList &arguments,
                                    const QProcessEnvironment &environment);

    WindowManager m_manager;
    QString m_display;
    QTemporaryDir m_home;
    bool m_started = false;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_windowManager;
    std::unique_ptr<QProcess> m_accessibilityBus;
    std::unique_ptr<QProcess> m_inputMethod;
    qint64 m_dbusPid = 0;
    QString m_dbusAddress;
    QString m_accessibilityAddress;
};

// The exit code of a test program that found a tool it needs missing and so checked nothing;
// the tests' CMakeLists give it to ctest as SKIP_RETURN_CODE.
inline constexpr int MissingToolExitCode = 77;

// Whether the programs XSession needs are installed (Xvfb, xdotool, xprop, xwininfo, import).
bool XSessionAvailable();
// The programs of a session's accessibility bus that are missing (dbus-launch, the AT-SPI bus
// launcher); empty when all are there.
QStringList MissingAccessibilityPrograms();
// The same for the pinyin input method (fcitx5, fcitx5-remote, the pinyin engine).
QStringList MissingPinyinPrograms();

} // namespace tellaria::test
