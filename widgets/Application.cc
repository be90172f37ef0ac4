#include "widgets/Application.h"

#include "desktop/TerminationSignals.h"
#include "desktop/Translations.h"

#include <QMessageBox>
#include <QThread>

#include <chrono>
#include <cstdio>
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

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("tellaria"));
}

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    NoteTime("toolkit");
    NameApplication();
    setApplicationDisplayName(QString::fromLatin1(ApplicationTitle));
    // The language chosen for the program, the toolkit's own texts included.
    InstallTranslations();
    connect(this, &QCoreApplication::aboutToQuit, this, [] { s_quitting = true; });
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        const bool handled = QApplication::notify(receiver, event);
        // The first expose is painted as it is delivered: the window is then on the screen.
        if (!m_painted && event->type() == QEvent::Expose) {
            m_painted = true;
            NoteTime("painted");
        }
        return handled;
    } catch (const std::exception &error) {
        ++s_escapedErrors;
        ReportError(QString::fromUtf8(error.what()));
    } catch (...) {
        ++s_escapedErrors;
        ReportError(UnknownErrorText());
    }
    return false;
}

QString UnknownErrorText()
{
    return TApplication::tr("Unknown error");
}

void TApplication::ReportError(const QString &message)
{
    ReportErrors({message});
}

void TApplication::ReportErrors(const QStringList &messages)
{
    QStringList lines;
    for (const QString &message : messages)
        lines << ErrorReportText(message);
    // Always on standard error too: a box can go unseen. After a termination signal, or once
    // the event loop has ended, nobody may be there to answer one, so then only there.
    for (const QString &line : std::as_const(lines))
        std::fprintf(stderr, "%s: %s\n", ApplicationTitle, line.toLocal8Bit().constData());
    if (TTerminationSignals::Arrived() || s_quitting)
        return;
    QMessageBox::critical(QApplication::activeWindow(), QString::fromLatin1(ApplicationTitle),
                          lines.join(QLatin1Char('\n')));
}

} // namespace tellaria
