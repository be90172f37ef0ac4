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

// Gives the program its name, from which Qt derives the user's configuration directory for it.
// Needs no application object, so a later start finds its data directory before it makes one.
void NameApplication();

// The error report's text: `message`, with a full stop added when its last character sorts
// after ".".
QString ErrorReportText(const QString &message);

// What the error report says of an exception that carries no message.
QString UnknownErrorText();

class TApplication : public QApplication
{
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);

    // The last guard: an exception that escaped a handler not connected through
    // ConnectUserAction is reported (message box and standard error) and the program carries
    // on. By then it has unwound through Qt's own frames, which Qt does not support, so every
    // handler the user can trigger is wrapped where it is connected instead.
    bool notify(QObject *receiver, QEvent *event) override;

    // How many exceptions the last guard has caught: none, as long as every command reports its
    // errors where they happen.
    static int EscapedErrors() { return s_escapedErrors; }

    // Shows the general error report for `message`.
    static void ReportError(const QString &message);
    // One general error report for several errors, a line each. While a termination signal
    // closes the program, or once its event loop has ended and the window gone, no one may be
    // there to answer a message box: the report then goes to the standard error stream only.
    static void ReportErrors(const QStringList &messages);

private:
    bool m_painted = false; // a window has been exposed: the start-up's "painted" moment
    static inline int s_escapedErrors = 0;
    static inline bool s_quitting = false;
};

// Runs `handler`, reporting any exception it throws through the general error report.
template<typename Handler>
void RunReportingErrors(Handler &&handler);

// Connects `signal` of `sender` to `handler`, a command the user triggers (a button, an action,
// a menu item): what the handler throws is reported by the general error report right there,
// so no exception unwinds through Qt's event delivery.
template<typename Sender, typename Signal, typename Handler>
QMetaObject::Connection ConnectUserAction(Sender *sender,
                                          Signal signal,
                                          const QObject *context,
                                          Handler handler);

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
    } catch (...) {
        TApplication::ReportError(UnknownErrorText());
    }
}

template<typename Sender, typename Signal, typename Handler>
QMetaObject::Connection ConnectUserAction(Sender *sender,
                                          Signal signal,
                                          const QObject *context,
                                          Handler handler)
{
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)] { RunReportingErrors(handler); });
}

} // namespace tellaria
