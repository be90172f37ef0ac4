#include "platform/Application.h"

#include "platform/IdleTime.h"
#include "platform/Translations.h"

#include <QMessageBox>
#include <QThread>

#include <chrono>
#include <exception>

namespace tellaria {

Q_LOGGING_CATEGORY(TimingLog, "tellaria.timing", QtWarningMsg)

void WriteTimeNote(const char *what, int index)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    qCDebug(
        TimingLog, "timing %lld %s %d",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
        what, index);
}

QString ErrorReportText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("tellaria"));
    setApplicationDisplayName(QString::fromLatin1(ApplicationTitle));
    // The interface is Chinese whatever the system's language, the toolkit's own texts included.
    InstallChineseTranslations();
    AtIdle(this, [this] { emit Idle(); });
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ReportError(QString::fromUtf8(error.what()));
    } catch (...) {
        ReportError(QStringLiteral("Unknown error"));
    }
    return false;
}

void TApplication::ReportError(const QString &message)
{
    QMessageBox::critical(QApplication::activeWindow(), QString::fromLatin1(ApplicationTitle),
                          ErrorReportText(message));
}

} // namespace tellaria
