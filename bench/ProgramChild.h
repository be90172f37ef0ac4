#pragma once

// One run of a program on the bench's display, the built one or the bare one, and what the
// driver reads of it: its requests at the proxy, its own timing notes, its window on the screen,
// its memory.

#include "bench/ProcessMemory.h"

#include <QByteArray>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace tellaria::test {
class XSession;
}

namespace tellaria::bench {

class AnswerPages;
class RequestLog;
class ScreenPixel;
class XKeyboard;

// One moment a program noted, as milliseconds from the start of what is measured.
using Breakdown = std::map<QString, double>;

struct Sample
{
    double Ms = 0;
    Breakdown Moments;
};

enum class Role { Bare, Program };

const char *RoleName(Role role);

// One run of a program on the display: the built program from a fresh directory of its own (its
// data files go there), or the bare program (bare_program.cc).
class Child
{
public:
    // `settings`: the built program's settings file, written before it starts. `term`: looked up
    // at once, given on the command line. `screenReader`: Qt's accessibility on, as a screen
    // reader's desktop has it (once the session's accessibility bus runs).
    Child(Role role,
          const test::XSession &session,
          RequestLog &requests,
          const QByteArray &settings = {},
          const QString &term = {},
          bool screenReader = false);
    ~Child();

    // From the process start to the start page's request, with the program's own moments.
    std::optional<Sample> StartUp();

    // Waits for the window to show and settle, then for the idle moment after.
    bool WaitForWindow();

    // From the process start to the first answer page on the screen, in `colour`: a start with a
    // term. Read from the moment the window is found on the screen.
    std::optional<double> FirstPagePainted(const ScreenPixel &screen, long colour);

    // Types `term`, then Enter; from the Enter to the last of the five page requests. With
    // `answers` and `screen`, also to the moment the first answer page is on the screen.
    std::optional<Sample> Query(XKeyboard &keyboard,
                                const QString &term,
                                bool settle = true,
                                AnswerPages *answers = nullptr,
                                const ScreenPixel *screen = nullptr);

    // How many notes of work the program made over `ms` of doing nothing: the action states
    // computed, the hint recomputed.
    int WorkWhileIdle(int ms);

    // The same program started again with `term`, as a key bound to it starts it while the
    // window is open: from the later start's process start to its exit, once it has handed the
    // term over. What it wrote on its standard error is added to `errors`. Then the window's page
    // requests for the term are waited for, so that the next start meets a window at rest.
    std::optional<double> LaterStart(const QString &term, QByteArray &errors);

    long Pss() const { return TotalKb(TreePss(m_process.processId())); }
    // The program's own process alone, in MB.
    double OwnPssMb() const;
    std::vector<ProcessPss> PssByProcess() const { return TreePss(m_process.processId()); }
    std::map<QString, long> BrowserMappings() const { return MappingPssKb(m_process.processId()); }
    bool Running() const { return m_process.state() == QProcess::Running; }

    // The window's client area on the screen, once the window has been found.
    QRect Client() const { return m_client; }

    // The program's timing notes so far: how many, the first one named `what` ("loaded 1") from
    // the `from`th on, and when one was made (monotonic ns).
    std::size_t NoteCount() const { return m_notes.size(); }
    std::optional<std::size_t> FindNote(const QString &what, std::size_t from) const;
    std::int64_t NoteTimeAt(std::size_t index) const { return m_notes[index].Time; }

    // Whether the process runs, or how it ended; and the last lines it wrote on stderr other than
    // its timing notes.
    QString State() const;

    void Close(XKeyboard &keyboard);

private:
    struct Note
    {
        std::int64_t Time;
        QString What;
    };

    // Finds the window and the point of its page area watched for an answer page: below the
    // controls and the tabs, above the status bar, in both programs.
    bool FindWindow();
    // The notes from `from` on, as "what at ms after `since`".
    QStringList NotesSince(std::size_t from, std::int64_t since) const;
    void ReadNotes();
    bool HasNote(const char *what, std::size_t from) const;
    Breakdown MomentsSince(std::int64_t origin, std::size_t from) const;

    Role m_role;
    const test::XSession &m_session;
    RequestLog &m_requests;
    QTemporaryDir m_directory;
    QString m_executable;
    QProcess m_process;
    QByteArray m_pending;
    std::deque<QString> m_said;
    std::vector<Note> m_notes;
    QString m_missed; // what the last query that missed a request saw
    std::size_t m_requestsFrom = 0;
    std::int64_t m_started = 0;
    QRect m_client;
    QPoint m_pagePoint;
};

} // namespace tellaria::bench
