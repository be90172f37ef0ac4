#pragma once

// A desktop session ends its programs with SIGTERM at logout, and a terminal with SIGINT. For
// this program either is a close of its main window, as if the user had closed it, so that the
// history and the settings are saved.

#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

namespace tellaria {

class TTerminationSignals : public QObject
{
    Q_OBJECT
public:
    // Catches SIGTERM and SIGINT from now on; one object at a time. The browser engine resets
    // their handling when it starts, so this is made after the engine has started.
    explicit TTerminationSignals(QObject *parent = nullptr);
    // Gives the signals their default handling back.
    ~TTerminationSignals() override;

    // On a signal, a modal window (a message box, a dialog) is closed first, then `window`. When
    // a signal has arrived already, `window` is closed as soon as the event loop runs.
    void CloseOnSignal(QWidget *window);

    // Whether a termination signal has arrived: the user may be gone, so nothing may wait for an
    // answer.
    static bool Arrived();

private:
    void Terminate();

    QSocketNotifier *m_notifier = nullptr;
    QPointer<QWidget> m_window;
};

} // namespace tellaria
