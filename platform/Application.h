#pragma once

// The application object: the general error report and the idle-time notification.

#include <QApplication>
#include <QLoggingCategory>

namespace tellaria {

// Moments of the start-up and of a query, for `make bench`. With the logging rule
// "tellaria.timing.debug=true" each is written as "timing <monotonic ns> <what> [index]"; off
// by default, when a note costs one test of a flag.
Q_DECLARE_LOGGING_CATEGORY(TimingLog)
void WriteTimeNote(const char *what, int index);
inline void NoteTime(const char *what, int index = 0)
{
    if (TimingLog().isDebugEnabled())
        WriteTimeNote(what, index);
}

// The constant caption of the main window and of every message box.
inline constexpr char ApplicationTitle[] = "Tellaria";

// The error report's text: `message`, with a full stop added when its last character sorts
// after ".".
QString ErrorReportText(const QString &message);

class TApplication : public QApplication
{
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);

    // An exception that escapes an event handler ends here: it is shown in a critical message
    // box captioned with the application title, and the program carries on.
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the general error report for `message`.
    static void ReportError(const QString &message);

signals:
    // The event loop is about to wait: the application has become idle.
    void Idle();
};

// Runs `handler`, reporting any exception it throws through the general error report.
template<typename Handler>
void RunReportingErrors(Handler &&handler);

} // namespace tellaria

#include <exception>

namespace tellaria {

template<typename Handler>
void RunReportingErrors(Handler &&handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        TApplication::ReportError(QString::fromUtf8(error.what()));
    }
}

} // namespace tellaria
