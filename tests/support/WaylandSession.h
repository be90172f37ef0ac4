#pragma once

// A private Wayland session for tests that drive the built program natively, as a user does on a
// Wayland desktop: sway on a headless output of 1280 × 800 with a runtime directory of its own.
// The user's hand is wtype for keys and vptr (tests/support/wayland-pointer) for the pointer;
// grim takes the screenshots and swaymsg reads the window tree and sends the compositor's
// commands. A Wayland client never learns where its windows are on the screen: the compositor's
// tree tells the test.
//
// Everything runs as the test process's user, which must be an ordinary one: sway refuses root,
// and a D-Bus session lets in only its own user. A test that runs as root becomes an ordinary
// user first (BecomeOrdinaryUser in tests/support/TestDirectory.h).

#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

namespace tellaria::test {

// A window as the compositor shows it.
struct WaylandWindow
{
    QString Title;
    QString AppId;
    // The client's surface on the screen, without what the compositor draws around it.
    QRect Content;
    // Floating above the tiled windows rather than given a tile of the screen.
    bool Floating = false;
    // Has the keyboard.
    bool Focused = false;
};

class WaylandSession
{
public:
    // Starts sway and the virtual pointer `pointer` (the built vptr); Started() tells whether
    // both came up, which they never do for root.
    explicit WaylandSession(const QString &pointer);
    ~WaylandSession();
    WaylandSession(const WaylandSession &) = delete;
    WaylandSession &operator=(const WaylandSession &) = delete;

    bool Started() const { return m_started; }

    // Starts a D-Bus session and the accessibility bus on it; false when they do not come
    // up. Programs started afterwards with Environment() put their controls on it, as for a
    // screen reader.
    bool StartAccessibilityBus();
    QString AccessibilityBusAddress() const { return m_accessibilityAddress; }

    // What a program started on the compositor needs: the Wayland display, the Qt platform
    // plugin for it, a private home and runtime directory, no X display, and the buses once
    // they run.
    QProcessEnvironment Environment() const;

    // Types `text` into the window that has the keyboard, then presses `keys` (xkb names, with
    // wtype's modifier names before a "+": "Return", "ctrl+a"); returns once all have been sent.
    void Type(const QString &text, const QStringList &keys = {}) const;

    // The pointer: each returns once the compositor has taken the input. MovePointer goes in
    // steps of a few pixels, as a hand moves, so that everything passed over sees the pointer.
    void MovePointer(const QPoint &to);
    void Press();
    void Release();
    QPoint PointerPosition() const { return m_pointer; }

    QImage Screenshot() const;

    // The lines of the compositor's log that hold any of `words`: what it said about a step
    // that failed.
    QStringList CompositorSaid(const QStringList &words) const;

    // The compositor's windows, tiled and floating, in its tree's order.
    QList<WaylandWindow> Windows() const;
    // Waits for a window of which `matches` holds; nothing when none comes within `timeoutMs`.
    std::optional<WaylandWindow> WaitForWindow(
        const std::function<bool(const WaylandWindow &)> &matches, int timeoutMs = 20000) const;
    // Runs a sway command, such as "[app_id=tellaria] kill" (the user's close of a window); true
    // when sway carried it out.
    bool Command(const QString &command) const;

private:
    QString Run(const QString &program, const QStringList &arguments, bool *ok = nullptr) const;
    QProcessEnvironment ToolEnvironment() const;
    bool SendToPointer(const QByteArray &command);
    bool StartPointer(const QString &pointer);

    QTemporaryDir m_directory;
    QString m_home;
    QString m_runtime;
    QString m_waylandDisplay;
    QString m_swaySocket;
    QString m_log;
    bool m_started = false;
    std::unique_ptr<QProcess> m_compositor;
    std::unique_ptr<QProcess> m_pointerProcess;
    QPoint m_pointer;
    std::unique_ptr<QProcess> m_sessionBus;
    std::unique_ptr<QProcess> m_accessibilityBus;
    QString m_sessionBusAddress;
    QString m_accessibilityAddress;
};

// What a WaylandSession needs that is missing (sway, swaymsg, wtype, grim, the virtual pointer
// `pointer`, Qt's Wayland platform plugin); empty when all is there.
QStringList MissingWaylandPrograms(const QString &pointer);
// The same for its accessibility bus (dbus-daemon, the AT-SPI bus launcher).
QStringList MissingWaylandAccessibilityPrograms();

} // namespace tellaria::test
