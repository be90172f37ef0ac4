#pragma once

// A private X display for tests that drive the built program as a user does: an Xvfb server,
// optionally a real window manager and a real input method, and the user's hand through the X
// server's XTEST extension (xdotool). What a test reads back is what a user sees: windows by
// title, their geometry, and the screen's pixels.

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
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

    // Starts a D-Bus session and fcitx5 with pinyin as the second input method of a private
    // home; false when it does not come up. Programs started afterwards with Environment() use it.
    bool StartPinyinInputMethod();

    // What a program started on this display needs: DISPLAY, a private HOME and runtime
    // directory, and the input method's variables once it runs.
    QProcessEnvironment Environment() const;

    // Runs xdotool with `arguments`; returns its standard output, trimmed.
    QString XDoTool(const QStringList &arguments) const;

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

    QImage Screenshot() const;

    // Whether the input method is on in the window that has the keyboard focus (fcitx5-remote
    // says 2).
    bool InputMethodActive() const;

private:
    QString Run(const QString &program, const QStringList &arguments, bool *ok = nullptr) const;
    std::unique_ptr<QProcess> Start(const QString &program,
                                    const QStringList &arguments,
                                    const QProcessEnvironment &environment);

    QString m_display;
    QTemporaryDir m_home;
    bool m_started = false;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_windowManager;
    std::unique_ptr<QProcess> m_inputMethod;
    qint64 m_dbusPid = 0;
    QString m_dbusAddress;
};

// Whether the programs XSession needs are installed (Xvfb, xdotool, xprop, xwininfo, import).
bool XSessionAvailable();

} // namespace tellaria::test
