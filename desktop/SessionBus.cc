#include "desktop/SessionBus.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QThread>

namespace tellaria {

TSessionBusWarmUp::TSessionBusWarmUp()
{
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && platform != QLatin1String("wayland"))
        return;
    // The bus connection is shared by the whole process: whoever asks next gets this one, or
    // waits for it to be made.
    m_thread.reset(QThread::create([] { QDBusConnection::sessionBus(); }));
    m_thread->start();
}

TSessionBusWarmUp::~TSessionBusWarmUp()
{
    // Never longer than the accessibility bridge would have waited on the same connection.
    if (m_thread)
        m_thread->wait();
}

} // namespace tellaria
