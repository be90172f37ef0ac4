#pragma once

// The application object: the general error report and the idle-time notification.

#include <QApplication>

namespace tellaria {

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
    // One general error report for several errors, a line each. While a termination signal
    // closes the program no one may be there to answer a message box: the report then goes to
    // the standard error stream instead.
    static void ReportErrors(const QStringList &messages);

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
