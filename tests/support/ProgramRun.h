#pragma once

// One run of the built program as its own process on an XSession's display: a portable copy in
// a directory of its own (so its data files are written there), data files laid out before the
// start, the main window found by its title, and the files read back after the close.

#include "tests/support/XSession.h"

#include <QByteArray>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

namespace tellaria::test {

class ProgramRun
{
public:
    // `program` is the built executable; it is linked (or copied) into a fresh directory.
    ProgramRun(const XSession &session, const QString &program);
    ~ProgramRun();
    ProgramRun(const ProgramRun &) = delete;
    ProgramRun &operator=(const ProgramRun &) = delete;

    QString Directory() const { return m_directory.path(); }
    void WriteFile(const QString &name, const QByteArray &bytes) const;
    // The file's bytes, or "<missing>".
    QByteArray ReadFile(const QString &name) const;

    // Starts the program and waits for its main window; false when none appears.
    bool Start(const QStringList &arguments = {});
    // Takes the program's window showing now as its main window (a box shown before the main
    // window was taken for it at the start), once the window manager has framed it; false when
    // none shows.
    bool FindMainWindow();
    QString MainWindow() const { return m_window; }
    QRect ClientGeometry() const;

    // Starts the same executable once more, as a second start by the user would, with `added`
    // in its environment too, and waits for it to end; its exit code, or -1 when it did not end
    // by itself.
    int StartAgain(const QStringList &arguments,
                   const QProcessEnvironment &added = QProcessEnvironment()) const;

    // Starts the program and, as soon as it takes SIGTERM as a close (its engine has started,
    // its window may not be built yet), sends it one, as a logout early in its start would;
    // false when it never came to take the signal.
    bool StartAndTerminateEarly();

    // Waits for the process to end by itself; true when it ended with exit code 0.
    bool WaitForExit(int timeoutMs = 20000);
    bool Running() const { return m_process.state() != QProcess::NotRunning; }
    qint64 ProcessId() const { return m_process.processId(); }

private:
    const XSession &m_session;
    QTemporaryDir m_directory;
    QString m_executable;
    QProcess m_process;
    QString m_window;
};

} // namespace tellaria::test
