#include "bench/ProgramChild.h"

#include "bench/BenchDriver.h"
#include "bench/ScreenPixel.h"
#include "bench/XKeyboard.h"
#include "tests/support/XSession.h"

#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <algorithm>

#include <unistd.h>

namespace tellaria::bench {

const char *RoleName(Role role)
{
    return role == Role::Bare ? "bare" : "program";
}

Child::Child(Role role,
             const test::XSession &session,
             RequestLog &requests,
             const QByteArray &settings,
             const QString &term,
             bool screenReader)
    : m_role(role)
    , m_session(session)
    , m_requests(requests)
{
    QString executable = QStringLiteral(TELLARIA_BARE_PROGRAM);
    QStringList arguments;
    if (role == Role::Program) {
        executable = m_directory.filePath(QFileInfo(TELLARIA_PROGRAM).fileName());
        // The program keeps its files beside itself: a link of its own, not a symbolic one.
        if (::link(TELLARIA_PROGRAM, QFile::encodeName(executable).constData()) != 0)
            QFile::copy(TELLARIA_PROGRAM, executable);
        arguments.clear();
        QFile file(m_directory.filePath(QStringLiteral("Lexivanedr.ini")));
        if (!settings.isEmpty() && file.open(QIODevice::WriteOnly))
            file.write(settings);
    }
    if (!term.isEmpty())
        arguments << (role == Role::Bare ? QStringList{QStringLiteral("--term"), term}
                                         : QStringList{term});
    m_executable = executable;
    QProcessEnvironment environment = session.Environment();
    environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                       QStringLiteral("tellaria.timing.debug=true"));
    if (!screenReader)
        environment.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"));
    m_process.setProcessEnvironment(environment);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(&m_process, &QProcess::readyReadStandardError, [this] { ReadNotes(); });
    m_requestsFrom = m_requests.Size();
    m_started = MonotonicNanoseconds();
    m_process.start(executable, arguments);
}

Child::~Child()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

std::optional<Sample> Child::StartUp()
{
    std::optional<std::int64_t> seen;
    WaitUntil(
        [&] {
            seen = m_requests.Find(StartPageUrl, m_requestsFrom);
            return seen.has_value();
        },
        60000);
    if (!seen)
        return std::nullopt;
    // The window's first paint may come after the request.
    WaitUntil([&] { return HasNote("painted", 0); }, 5000);
    Sample sample;
    sample.Ms = double(*seen - m_started) / 1e6;
    sample.Moments = MomentsSince(m_started, 0);
    sample.Moments[QStringLiteral("request")] = sample.Ms;
    return sample;
}

bool Child::WaitForWindow()
{
    if (!FindWindow())
        return false;
    Pause(700);
    return FindWindow();
}

std::optional<double> Child::FirstPagePainted(const ScreenPixel &screen, long colour)
{
    if (!FindWindow())
        return std::nullopt;
    PaintWatch watch(screen, m_pagePoint, colour);
    if (!WaitUntil([&] { return watch.Painted() != 0; }, 30000))
        return std::nullopt;
    return double(watch.Painted() - m_started) / 1e6;
}

std::optional<Sample> Child::Query(XKeyboard &keyboard,
                                   const QString &term,
                                   bool settle,
                                   AnswerPages *answers,
                                   const ScreenPixel *screen)
{
    keyboard.Type(term);
    if (settle)
        Pause(300);
    const long colour = answers ? answers->Next() : -1;
    const std::size_t requestsFrom = m_requests.Size();
    const std::size_t notesFrom = m_notes.size();
    const std::int64_t enter = keyboard.Enter();
    std::optional<PaintWatch> watch;
    if (screen)
        watch.emplace(*screen, m_pagePoint, colour);
    std::vector<std::int64_t> pages;
    WaitUntil(
        [&] {
            pages = m_requests.PageRequests(requestsFrom);
            return !pages.empty();
        },
        30000);
    if (pages.empty()) {
        m_missed
            = QStringLiteral("typed \"%1\"; requests since Enter:\n      %2\n    "
                             "the program's notes since Enter: %3")
                  .arg(term, m_requests.Since(requestsFrom, enter).join(QStringLiteral("\n      ")),
                       NotesSince(notesFrom, enter).join(QStringLiteral(", ")));
        return std::nullopt;
    }
    // The last notes may still be on their way through the pipe.
    WaitUntil([&] { return HasNote("opened", notesFrom); }, 2000);
    Sample sample;
    // A page not seen within the time is left out of the figure, and counted.
    if (watch && WaitUntil([&] { return watch->Painted() != 0; }, 5000))
        sample.Moments[QStringLiteral("page painted")] = double(watch->Painted() - enter) / 1e6;
    sample.Ms = double(pages.back() - enter) / 1e6;
    sample.Moments.merge(MomentsSince(enter, notesFrom));
    for (std::size_t i = 0; i < pages.size(); ++i)
        sample.Moments[QStringLiteral("request %1").arg(i + 1)] = double(pages[i] - enter) / 1e6;
    return sample;
}

int Child::WorkWhileIdle(int ms)
{
    const std::size_t from = m_notes.size();
    Pause(ms);
    int work = 0;
    for (std::size_t i = from; i < m_notes.size(); ++i) {
        if (m_notes[i].What == QLatin1String("command state")
            || m_notes[i].What == QLatin1String("hint update"))
            ++work;
    }
    return work;
}

std::optional<double> Child::LaterStart(const QString &term, QByteArray &errors)
{
    QProcess later;
    QProcessEnvironment environment = m_process.processEnvironment();
    // Its own timing notes would be lines on its standard error.
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    later.setProcessEnvironment(environment);
    later.setStandardOutputFile(QProcess::nullDevice());
    std::int64_t ended = 0;
    QObject::connect(&later, &QProcess::finished, [&] { ended = MonotonicNanoseconds(); });
    const std::size_t requestsFrom = m_requests.Size();
    const std::int64_t started = MonotonicNanoseconds();
    later.start(m_executable, {term});
    if (!WaitUntil([&] { return ended != 0; }, 10000)) {
        later.kill();
        later.waitForFinished(5000);
        return std::nullopt;
    }
    errors += later.readAllStandardError();
    if (later.exitStatus() != QProcess::NormalExit || later.exitCode() != 0)
        return std::nullopt;
    if (!WaitUntil([&] { return !m_requests.PageRequests(requestsFrom).empty(); }, 30000))
        return std::nullopt;
    return double(ended - started) / 1e6;
}

double Child::OwnPssMb() const
{
    const std::vector<ProcessPss> processes = TreePss(m_process.processId());
    return processes.empty() ? 0 : double(processes.front().Kb) / 1024;
}

std::optional<std::size_t> Child::FindNote(const QString &what, std::size_t from) const
{
    for (std::size_t i = from; i < m_notes.size(); ++i) {
        if (m_notes[i].What == what)
            return i;
    }
    return std::nullopt;
}

bool Child::FindWindow()
{
    const QString title
        = m_role == Role::Bare ? QStringLiteral("^bare$") : QStringLiteral("^Tellaria$");
    const QString window = m_session.WaitForWindow(title);
    if (window.isEmpty())
        return false;
    m_client = m_session.ClientGeometry(window);
    m_pagePoint = m_client.topLeft() + QPoint(m_client.width() / 2, m_client.height() * 3 / 4);
    return true;
}

QString Child::State() const
{
    QString state = Running() ? QStringLiteral("running")
                    : m_process.exitStatus() == QProcess::CrashExit
                        ? QStringLiteral("crashed")
                        : QStringLiteral("ended, exit code %1").arg(m_process.exitCode());
    if (!m_missed.isEmpty())
        state += QStringLiteral("\n    ") + m_missed;
    for (const QString &line : m_said)
        state += QStringLiteral("\n    ") + line;
    return state;
}

void Child::Close(XKeyboard &keyboard)
{
    keyboard.CloseWindow();
    WaitUntil([&] { return m_process.state() == QProcess::NotRunning; }, 10000);
}

QStringList Child::NotesSince(std::size_t from, std::int64_t since) const
{
    QStringList notes;
    for (std::size_t i = from; i < m_notes.size(); ++i)
        notes << QStringLiteral("%1 %2")
                     .arg(m_notes[i].What)
                     .arg(double(m_notes[i].Time - since) / 1e6, 0, 'f', 1);
    return notes;
}

void Child::ReadNotes()
{
    m_pending += m_process.readAllStandardError();
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        // "tellaria.timing: timing <ns> <what> <index>"
        const qsizetype at = line.indexOf("timing ", line.indexOf(':'));
        if (!line.startsWith("tellaria.timing") || at < 0) {
            m_said.push_back(QString::fromLocal8Bit(line));
            if (m_said.size() > 20)
                m_said.pop_front();
            continue;
        }
        const QList<QByteArray> words = line.mid(at + 7).split(' ');
        if (words.size() < 3)
            continue;
        QString what = QString::fromLatin1(words.mid(1, words.size() - 2).join(' '));
        if (words.last() != "0")
            what += QLatin1Char(' ') + QString::fromLatin1(words.last());
        m_notes.push_back({words.first().toLongLong(), what});
    }
}

bool Child::HasNote(const char *what, std::size_t from) const
{
    return std::any_of(m_notes.begin() + std::ptrdiff_t(from), m_notes.end(),
                       [&](const Note &note) { return note.What == QLatin1String(what); });
}

Breakdown Child::MomentsSince(std::int64_t origin, std::size_t from) const
{
    Breakdown moments;
    for (std::size_t i = from; i < m_notes.size(); ++i)
        moments.emplace(m_notes[i].What, double(m_notes[i].Time - origin) / 1e6);
    return moments;
}

} // namespace tellaria::bench
