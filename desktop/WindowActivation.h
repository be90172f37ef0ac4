#pragma once

// Bringing the window to the front for a later start, as a launcher brings up a program it has
// just started. Window managers that keep the focus where the user is working (metacity, GNOME's)
// let a window take it only with proof that the user asked for it just now: on X11 the user's
// timestamp in the launcher's startup id, on Wayland the launcher's activation token. Without
// one, or where the window manager still refuses, the window asks for the user's attention.

#include <QString>

#include <cstdint>

class QWidget;

namespace tellaria {

class TWindowActivation
{
public:
    TWindowActivation(const QString &startupId, const QString &activationToken);

    // What the launcher gave this process: DESKTOP_STARTUP_ID and XDG_ACTIVATION_TOKEN.
    static TWindowActivation FromEnvironment();
    // Takes both out of the environment, so that the processes this one starts (the engine's, a
    // web browser) do not take them for theirs. Only once the application object exists: Qt's
    // X11 connection reads the startup id for the first window (and unsets it) as it opens.
    static void ForgetEnvironment();

    QString StartupId() const { return m_startupId; }
    QString ActivationToken() const { return m_activationToken; }

    // The user's X timestamp in a startup id ("…_TIME<n>"); 0 when it has none.
    static std::uint32_t UserTime(const QString &startupId);

    // Restores `window` if minimised, shows and raises it, and asks for the focus with the
    // launcher's proof; asks for attention as well, which the window manager drops once the
    // window has the focus. Ends the launcher's startup notification.
    void BringToFront(QWidget *window) const;

    // For the window that this process shows first: Qt gives it the startup id on X11 itself,
    // but not the token on Wayland.
    void ActivateFirstWindow(QWidget *window) const;

private:
    QString m_startupId;
    QString m_activationToken;
};

} // namespace tellaria
