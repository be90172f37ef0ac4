#include "desktop/TerminationSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tellaria {

namespace {

volatile std::sig_atomic_t g_arrived = 0;
// The handler may do next to nothing: it writes a byte that the event loop then reads.
int g_wakeUp[2] = {-1, -1};

void OnSignal(int)
{
    const int savedErrno = errno;
    g_arrived = 1;
    [[maybe_unused]] const ssize_t written = write(g_wakeUp[1], "t", 1);
    errno = savedErrno;
}

void Handle(int signal, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

} // namespace

TTerminationSignals::TTerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (pipe2(g_wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_wakeUp[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TTerminationSignals::Terminate);
    Handle(SIGTERM, OnSignal);
    Handle(SIGINT, OnSignal);
}

TTerminationSignals::~TTerminationSignals()
{
    if (!m_notifier)
        return;
    Handle(SIGTERM, SIG_DFL);
    Handle(SIGINT, SIG_DFL);
    delete m_notifier;
    close(g_wakeUp[0]);
    close(g_wakeUp[1]);
    g_wakeUp[0] = g_wakeUp[1] = -1;
}

void TTerminationSignals::CloseOnSignal(QWidget *window)
{
    m_window = window;
    if (Arrived())
        QTimer::singleShot(0, window, &QWidget::close);
}

bool TTerminationSignals::Arrived()
{
    return g_arrived != 0;
}

void TTerminationSignals::Terminate()
{
    char bytes[64];
    while (read(g_wakeUp[0], bytes, sizeof bytes) > 0) {}
    // A modal window runs an event loop of its own, which would hold the close up.
    for (int open = 0; open < 16; ++open) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }
    if (m_window)
        m_window->close();
}

} // namespace tellaria
