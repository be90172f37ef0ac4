// Start-up, query latency and memory of the built program beside a bare program doing the same
// work with plain QWebEngineViews (the floor): a window, a start page, five views navigated on
// Enter. Both run on a private Xvfb display with a window manager and get their keys through the
// X server, as a user's keys come.
//
// The driver runs a local recording proxy and starts the two programs in turn, bare and built
// alternately for several rounds, so that both see the same machine; each figure is a median.
// Start-up runs from the process start to the start page's request at the proxy; a query from
// the Enter key sent to the X server to the last of its five page requests, the first query
// after start apart from the later ones (which also replace five pages), and to the moment the
// first answer page is on the screen (its colour, new for each query, read back from the X
// server); a start with a term (`tellaria TERM`, and the bare program given the same five pages
// to open at start) from the process start to its first answer page on the screen. Both programs
// note their own moments (the "tellaria.timing" log) on their standard error, from which the
// breakdowns of the start-up and of the queries are printed. Memory is the PSS of each process tree
// from /proc, by process (the renderers each by their rank in size) and, for the browser process,
// by mapping. The machine's load is printed with the figures. With --soak N each program in turn
// runs N queries in one window, three times over; with
// --soak-only, nothing else is measured. --soak-program leaves the bare program out of the
// soak: a rare hang of the built program shows only over thousands of queries. --cold-starts
// measures the starts with a term alone, --reading the reading aids alone (ReadingBench.h).

#include "bench/BenchDriver.h"
#include "bench/ProcessMemory.h"
#include "bench/ProgramChild.h"
#include "bench/ReadingBench.h"
#include "bench/ScreenPixel.h"
#include "bench/XKeyboard.h"
#include "tests/support/PrintServer.h"
#include "tests/support/TestProxy.h"
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include <unistd.h>

using namespace tellaria;
using namespace tellaria::bench;
using namespace tellaria::test;

namespace {

int Rounds = 7;
constexpr int QueriesPerRound = 4;
constexpr int LaterStartsPerRound = 3;
// Starts with a term in each round, of each program.
constexpr int ColdStartsPerRound = 2;
// Rounds of the built program with a screen reader's accessibility on and off, each.
constexpr int ScreenReaderRounds = 4;
// Rounds of the reading aids' runs, each kind once a round.
constexpr int ReadingRounds = 5;
// Rounds of a long article's print preview and print.
constexpr int PrintRounds = 3;
// Rounds of the built program in each layout, tabs and side by side, in turn: 24 queries in
// each, as the two differ by a few ms in some 80 and one query in ten strays by more.
constexpr int LayoutRounds = 6;
// Soak runs of each program, in turn.
constexpr int SoakRounds = 3;
// Whether the bare program soaks too (--soak-program: only the built one).
bool SoakBare = true;

// ------------------------------------------------------------------------------------------
// Driver

// What a program's tree of processes holds with five pages: each process by its role (the
// renderers together) and the browser process by mapping.
using Kilobytes = std::map<QString, double>;

struct Figures
{
    std::vector<Sample> StartUps;
    std::vector<Sample> FirstQueries;
    std::vector<Sample> Queries; // the later ones, each replacing five pages
    std::vector<double> FivePagesKb;
    std::vector<double> FivePagesAnonKb;
    std::vector<Kilobytes> ProcessesKb;
    std::vector<Kilobytes> BrowserMappingsKb;
    std::vector<int> IdleWork;
    std::vector<double> LaterStartsMs;
    std::vector<double> ColdStartsMs; // start with a term to its first answer page painted
    // The built program with a screen reader's accessibility on and off: the first query and
    // the memory with its five pages.
    std::vector<Sample> ReaderFirstQueries[2];
    std::vector<double> ReaderFivePagesKb[2];
    QByteArray LaterStartErrors;
    std::vector<double> Loads; // the machine's load over the last minute, as each round began

    static double MedianMs(const std::vector<Sample> &samples)
    {
        std::vector<double> values;
        for (const Sample &sample : samples)
            values.push_back(sample.Ms);
        return Median(values);
    }

    // How many of the samples have the moment `what`.
    static std::size_t Having(const std::vector<Sample> &samples, const QString &what)
    {
        return std::size_t(std::count_if(samples.begin(), samples.end(), [&](const Sample &sample) {
            return sample.Moments.count(what) > 0;
        }));
    }

    // The median of one of the moments the programs note, over the samples that have it.
    static double MedianMoment(const std::vector<Sample> &samples, const QString &what)
    {
        std::vector<double> values;
        for (const Sample &sample : samples) {
            const auto moment = sample.Moments.find(what);
            if (moment != sample.Moments.end())
                values.push_back(moment->second);
        }
        return Median(values);
    }
};

// The median of each part over the samples (a part missing from a sample counts as 0).
Kilobytes MedianParts(const std::vector<Kilobytes> &samples)
{
    std::set<QString> parts;
    for (const Kilobytes &sample : samples) {
        for (const auto &part : sample)
            parts.insert(part.first);
    }
    Kilobytes medians;
    for (const QString &part : parts) {
        std::vector<double> values;
        for (const Kilobytes &sample : samples) {
            const auto found = sample.find(part);
            values.push_back(found == sample.end() ? 0.0 : found->second);
        }
        medians[part] = Median(values);
    }
    return medians;
}

int g_termNumber = 0;

QString NextTerm()
{
    // Never the prefix of an earlier term, so the query box's completion leaves it as typed.
    return QStringLiteral("t%1x").arg(++g_termNumber);
}

// Each process by its role; processes of one role by their rank in size, the largest first
// ("renderer 1"), so that medians and differences compare like with like.
Kilobytes ByProcess(const std::vector<ProcessPss> &processes, bool anonymous = false)
{
    std::map<QString, std::vector<long>> byRole;
    for (const ProcessPss &process : processes)
        byRole[process.Role].push_back(anonymous ? process.AnonKb : process.Kb);
    Kilobytes named;
    for (auto &[role, sizes] : byRole) {
        std::sort(sizes.rbegin(), sizes.rend());
        for (std::size_t rank = 0; rank < sizes.size(); ++rank)
            named[sizes.size() > 1 ? QStringLiteral("%1 %2").arg(role).arg(rank + 1) : role]
                = double(sizes[rank]);
    }
    return named;
}

Kilobytes Mappings(const Child &child)
{
    Kilobytes mappings;
    for (const auto &[what, kb] : child.BrowserMappings())
        mappings[what] = kb;
    return mappings;
}

void NoteMemory(const Child &child, Figures &figures)
{
    const std::vector<ProcessPss> processes = child.PssByProcess();
    figures.FivePagesKb.push_back(double(TotalKb(processes)));
    figures.FivePagesAnonKb.push_back(double(TotalAnonKb(processes)));
    figures.ProcessesKb.push_back(ByProcess(processes));
    figures.BrowserMappingsKb.push_back(Mappings(child));
}

bool RunRound(Role role, Bench &bench, Figures &figures)
{
    figures.Loads.push_back(LoadOverLastMinute());
    Child child(role, bench.Session, bench.Requests);
    const std::optional<Sample> startUp = child.StartUp();
    if (!startUp || !child.WaitForWindow()) {
        std::fprintf(stderr, "%s: no start page request or no window\n", RoleName(role));
        return false;
    }
    figures.StartUps.push_back(*startUp);
    for (int query = 0; query < QueriesPerRound; ++query) {
        const std::optional<Sample> sample
            = child.Query(bench.Keyboard, NextTerm(), true, &bench.Answers, &bench.Screen);
        if (!sample) {
            std::fprintf(stderr, "%s: a query's five requests did not all come\n", RoleName(role));
            return false;
        }
        (query == 0 ? figures.FirstQueries : figures.Queries).push_back(*sample);
        Pause(400);
    }
    Pause(1000);
    NoteMemory(child, figures);
    if (role == Role::Program) {
        figures.IdleWork.push_back(child.WorkWhileIdle(1000));
        for (int start = 0; start < LaterStartsPerRound; ++start) {
            const std::optional<double> ms = child.LaterStart(NextTerm(), figures.LaterStartErrors);
            if (!ms) {
                std::fprintf(stderr, "program: a later start did not hand its term over\n");
                return false;
            }
            figures.LaterStartsMs.push_back(*ms);
            Pause(400);
        }
    }
    child.Close(bench.Keyboard);
    return true;
}

// The built program's first query and its memory with five pages, with Qt's accessibility (and
// so the engine's) on as a screen reader's desktop has it, or off.
bool RunScreenReaderRound(bool on, Bench &bench, Figures &figures)
{
    Child child(Role::Program, bench.Session, bench.Requests, {}, {}, on);
    if (!child.StartUp() || !child.WaitForWindow()) {
        std::fprintf(stderr, "program: no start page request or no window\n");
        return false;
    }
    const std::optional<Sample> sample
        = child.Query(bench.Keyboard, NextTerm(), true, &bench.Answers, &bench.Screen);
    if (!sample) {
        std::fprintf(stderr, "program: a query's five requests did not all come\n%s\n",
                     qPrintable(child.State()));
        return false;
    }
    figures.ReaderFirstQueries[on].push_back(*sample);
    Pause(1000);
    figures.ReaderFivePagesKb[on].push_back(double(child.Pss()));
    child.Close(bench.Keyboard);
    return true;
}

// A start with a term, as a key bound to `tellaria --selection` makes when no window is open: from
// the process start to the first of the five answer pages on the screen.
bool RunColdStartRound(Role role, Bench &bench, Figures &figures)
{
    const long colour = bench.Answers.Next();
    Child child(role, bench.Session, bench.Requests, {}, NextTerm());
    const std::optional<double> painted = child.FirstPagePainted(bench.Screen, colour);
    if (!painted) {
        std::fprintf(stderr, "%s: a start with a term showed no answer page\n%s\n", RoleName(role),
                     qPrintable(child.State()));
        return false;
    }
    figures.ColdStartsMs.push_back(*painted);
    Pause(400);
    child.Close(bench.Keyboard);
    return true;
}

// One run of the built program in a layout, tabs or side by side: Enter to the last of the
// five requests of each of its queries.
bool RunLayoutRound(bool sideBySide, Bench &bench, std::vector<Sample> &samples)
{
    Child child(Role::Program, bench.Session, bench.Requests,
                sideBySide ? QByteArray("[View]\r\nSideBySide=1\r\n") : QByteArray());
    if (!child.StartUp() || !child.WaitForWindow())
        return false;
    for (int query = 0; query < QueriesPerRound; ++query) {
        const std::optional<Sample> sample = child.Query(bench.Keyboard, NextTerm());
        if (!sample)
            return false;
        samples.push_back(*sample);
        Pause(400);
    }
    child.Close(bench.Keyboard);
    return true;
}

struct Soak
{
    std::vector<ProcessPss> AfterFifty;
    std::vector<ProcessPss> AfterAll;
    Kilobytes BrowserAfterFifty; // the browser process by mapping
    Kilobytes BrowserAfterAll;
    bool Complete = false;
    QString Failure; // what went wrong, for a run that is not complete

    // PSS after all the queries against after 50, as a ratio and in MB; `anonymous` without the
    // libraries' pages, whose PSS moves as other programs map them.
    static long Kb(const std::vector<ProcessPss> &processes, bool anonymous)
    {
        return anonymous ? TotalAnonKb(processes) : TotalKb(processes);
    }
    double Growth(bool anonymous) const
    {
        const long before = Kb(AfterFifty, anonymous);
        return before > 0 ? double(Kb(AfterAll, anonymous)) / before : 0;
    }
    double GrowthMb(bool anonymous) const
    {
        return (Kb(AfterAll, anonymous) - Kb(AfterFifty, anonymous)) / 1024.0;
    }
};

Soak RunSoak(Role role, int queries, Bench &bench)
{
    Soak soak;
    Child child(role, bench.Session, bench.Requests);
    if (!child.StartUp() || !child.WaitForWindow()) {
        soak.Failure = QStringLiteral("no start page or no window; ") + child.State();
        return soak;
    }
    for (int query = 1; query <= queries; ++query) {
        if (!child.Query(bench.Keyboard, NextTerm(), false) || !child.Running()) {
            soak.Failure = QStringLiteral("query %1: not every page's request came; ").arg(query)
                           + child.State();
            return soak;
        }
        if (query == 50) {
            Pause(1000);
            soak.AfterFifty = child.PssByProcess();
            soak.BrowserAfterFifty = Mappings(child);
        }
    }
    Pause(1000);
    soak.AfterAll = child.PssByProcess();
    soak.BrowserAfterAll = Mappings(child);
    soak.Complete = child.Running();
    child.Close(bench.Keyboard);
    return soak;
}

// The median of each moment over the samples, in the order the moments come. A moment that
// most samples lack (a page whose load ended after the sample was taken) is left out.
std::vector<std::pair<QString, double>> MedianMoments(const std::vector<Sample> &samples)
{
    std::map<QString, std::vector<double>> values;
    for (const Sample &sample : samples) {
        for (const auto &[what, ms] : sample.Moments)
            values[what].push_back(ms);
    }
    std::vector<std::pair<QString, double>> moments;
    for (const auto &[what, list] : values) {
        if (2 * list.size() >= samples.size())
            moments.emplace_back(what, Median(list));
    }
    std::sort(moments.begin(), moments.end(),
              [](const auto &a, const auto &b) { return a.second < b.second; });
    return moments;
}

void PrintBreakdown(const char *title,
                    const std::vector<Sample> &program,
                    const std::vector<Sample> &bare,
                    const char *programName = "program",
                    const char *bareName = "bare")
{
    std::printf("%s (median ms)\n", title);
    const auto programMoments = MedianMoments(program);
    const auto bareMoments = MedianMoments(bare);
    std::map<QString, double> bareByName(bareMoments.begin(), bareMoments.end());
    for (const auto &[what, ms] : programMoments) {
        const auto floor = bareByName.find(what);
        if (floor != bareByName.end())
            std::printf("  %-16s %8.1f %8.1f\n", qPrintable(what), ms, floor->second);
        else
            std::printf("  %-16s %8.1f %8s\n", qPrintable(what), ms, "-");
    }
    std::printf("  %-16s %8s %8s\n", "", programName, bareName);
}

// The parts of the two programs' memory side by side, in MB, the largest difference first;
// parts under `threshold` KB in both and in their difference are summed as "the rest".
void PrintMemory(const char *title,
                 const std::vector<Kilobytes> &program,
                 const std::vector<Kilobytes> &bare,
                 double threshold,
                 const char *programName = "program",
                 const char *bareName = "bare")
{
    const Kilobytes programParts = MedianParts(program);
    const Kilobytes bareParts = MedianParts(bare);
    std::set<QString> names;
    for (const auto &part : programParts)
        names.insert(part.first);
    for (const auto &part : bareParts)
        names.insert(part.first);
    struct Row
    {
        QString Name;
        double Program;
        double Bare;
    };
    std::vector<Row> rows;
    Row rest{QStringLiteral("the rest"), 0, 0};
    Row total{QStringLiteral("total"), 0, 0};
    for (const QString &name : names) {
        const double ours = programParts.count(name) ? programParts.at(name) : 0.0;
        const double theirs = bareParts.count(name) ? bareParts.at(name) : 0.0;
        total.Program += ours;
        total.Bare += theirs;
        if (std::max(ours, theirs) >= threshold || std::abs(ours - theirs) >= threshold / 4)
            rows.push_back({name, ours, theirs});
        else {
            rest.Program += ours;
            rest.Bare += theirs;
        }
    }
    std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
        return std::abs(a.Program - a.Bare) > std::abs(b.Program - b.Bare);
    });
    rows.push_back(rest);
    rows.push_back(total);
    std::printf("%s (median MB of the medians of the parts)\n", title);
    for (const Row &row : rows)
        std::printf("  %-36s %8.1f %8.1f %+8.1f\n", qPrintable(row.Name.left(36)),
                    row.Program / 1024, row.Bare / 1024, (row.Program - row.Bare) / 1024);
    std::printf("  %-36s %8s %8s %8s\n", "", programName, bareName, "diff");
}

void PrintFigures(const Figures &program, const Figures &bare)
{
    PrintBreakdown("Start-up, from the process start", program.StartUps, bare.StartUps);
    PrintBreakdown("The first query after start, from the Enter key", program.FirstQueries,
                   bare.FirstQueries);
    PrintBreakdown("A later query, from the Enter key", program.Queries, bare.Queries);
    PrintMemory("Memory with five pages, by process", program.ProcessesKb, bare.ProcessesKb, 1024);
    PrintMemory("The browser process, by mapping", program.BrowserMappingsKb,
                bare.BrowserMappingsKb, 1024);

    std::vector<double> loads = program.Loads;
    loads.insert(loads.end(), bare.Loads.begin(), bare.Loads.end());
    std::sort(loads.begin(), loads.end());
    if (!loads.empty())
        std::printf("\nload average (1 min) as the rounds began: median %.2f, from %.2f to %.2f\n",
                    Median(loads), loads.front(), loads.back());
    std::printf("\n%-46s %9s %9s %-3s %8s   %-18s\n", "window figure", "program", "floor", "",
                "ratio", "goal");
    PrintRow(QStringLiteral("start to start page request (median of %1)").arg(Rounds),
             Figures::MedianMs(program.StartUps), Figures::MedianMs(bare.StartUps), "ms", 1.0,
             "<= 1.0x floor");
    // Not a goal: that the window still appears as soon as the bare program's does.
    const double programPainted = Figures::MedianMoment(program.StartUps, "painted");
    const double barePainted = Figures::MedianMoment(bare.StartUps, "painted");
    std::printf("%-46s %9.1f %9.1f ms  %7.3fx   (the window on the screen)\n",
                "  start to the window's first paint", programPainted, barePainted,
                barePainted > 0 ? programPainted / barePainted : 0.0);
    PrintRow(QStringLiteral("first query: Enter to last request (median of %1)").arg(Rounds),
             Figures::MedianMs(program.FirstQueries), Figures::MedianMs(bare.FirstQueries), "ms",
             0.9, "<= 0.9x floor");
    // A page not seen on the screen within the time leaves its query out of this figure.
    const QString painted = QStringLiteral("page painted");
    PrintRow(QStringLiteral("first query: Enter to page painted (%1+%2 seen)")
                 .arg(Figures::Having(program.FirstQueries, painted))
                 .arg(Figures::Having(bare.FirstQueries, painted)),
             Figures::MedianMoment(program.FirstQueries, painted),
             Figures::MedianMoment(bare.FirstQueries, painted), "ms", 0.9, "<= 0.9x floor");
    PrintRow(QStringLiteral("later query: Enter to last request (median of %1)")
                 .arg(Rounds * (QueriesPerRound - 1)),
             Figures::MedianMs(program.Queries), Figures::MedianMs(bare.Queries), "ms", 0.8,
             "<= 0.8x floor");
    const double laterPainted = Figures::MedianMoment(program.Queries, painted);
    const double bareLaterPainted = Figures::MedianMoment(bare.Queries, painted);
    std::printf("%-46s %9.1f %9.1f ms  %7.3fx   (the later query's answer on the screen)\n",
                "  later query: Enter to page painted", laterPainted, bareLaterPainted,
                bareLaterPainted > 0 ? laterPainted / bareLaterPainted : 0.0);
    PrintRow(QStringLiteral("start with a term to first page painted (median of %1)")
                 .arg(program.ColdStartsMs.size()),
             Median(program.ColdStartsMs), Median(bare.ColdStartsMs), "ms", 1.0, "<= 1.0x floor");
    PrintRow(QStringLiteral("PSS with five pages (median of %1)").arg(Rounds),
             Median(program.FivePagesKb) / 1024, Median(bare.FivePagesKb) / 1024, "MB", 1.0,
             "<= 1.0x floor");
    // Not a goal, but steadier: the libraries' pages count in PSS shared among every program
    // that maps them, other programs on the machine included.
    const double anon = Median(program.FivePagesAnonKb) / 1024;
    const double bareAnon = Median(bare.FivePagesAnonKb) / 1024;
    std::printf("%-46s %9.1f %9.1f MB  %7.3fx   (without the libraries' pages)\n",
                "  of it anonymous", anon, bareAnon, bareAnon > 0 ? anon / bareAnon : 0.0);
    const int idleWork = program.IdleWork.empty()
                             ? -1
                             : *std::max_element(program.IdleWork.begin(), program.IdleWork.end());
    std::printf("%-46s %9d %9s %-3s %8s   %-18s %s\n", "work in an idle second, five pages (max)",
                idleWork, "", "", "", "0", idleWork == 0 ? "ok" : "MISSED");
    // A later start has no floor to compare with: the user waits for it, so it has a goal of
    // its own, and it should say nothing.
    const double laterStart = Median(program.LaterStartsMs);
    std::printf("%-46s %9.1f %9s ms  %8s   %-18s %s\n",
                qPrintable(QStringLiteral("later start, start to exit (median of %1)")
                               .arg(program.LaterStartsMs.size())),
                laterStart, "", "", "<= 100 ms", laterStart <= 100 ? "ok" : "MISSED");
    const qsizetype errorLines = program.LaterStartErrors.count('\n');
    std::printf("%-46s %9lld %9s %-3s %8s   %-18s %s\n", "  lines the later starts wrote on stderr",
                static_cast<long long>(errorLines), "", "", "", "0",
                errorLines == 0 ? "ok" : "MISSED");
    if (errorLines > 0)
        std::fputs(program.LaterStartErrors.left(2000).constData(), stderr);
}

// The soak, several times for each program in turn: a bare program that never gives freed memory
// back grows by what its heap happens to hold free, which differs from one run to the next.
// Each figure is the median over the runs. False when the built program crashed or lost a page.
bool RunSoaks(int queries, Bench &bench)
{
    std::printf("load average before the soak %s\n", qPrintable(LoadAverage()));
    std::vector<Soak> soaks;
    std::vector<Soak> bareSoaks;
    for (int round = 0; round < SoakRounds; ++round) {
        for (const Role role : {round % 2 == 0 ? Role::Program : Role::Bare,
                                round % 2 == 0 ? Role::Bare : Role::Program}) {
            if (role == Role::Bare && !SoakBare)
                continue;
            Soak soak = RunSoak(role, queries, bench);
            if (!soak.Complete) {
                std::printf("soak run of the %s program failed: %s\n", RoleName(role),
                            qPrintable(soak.Failure));
                if (role == Role::Bare)
                    continue;
                std::printf("soak: %d queries, FAILED: crashed or requests missing\n", queries);
                return false;
            }
            (role == Role::Program ? soaks : bareSoaks).push_back(std::move(soak));
        }
    }
    std::printf("soak: %d queries, %d runs of the program and %d of the bare one, no crash, every "
                "page's requests seen\n",
                queries, int(soaks.size()), int(bareSoaks.size()));
    const QString after = QStringLiteral("after %1").arg(queries);
    for (const auto &[name, runs] : {std::pair{"built", &soaks}, {"bare", &bareSoaks}}) {
        std::vector<Kilobytes> all, fifty, allAnon, fiftyAnon, browserAll, browserFifty;
        for (const Soak &run : *runs) {
            all.push_back(ByProcess(run.AfterAll));
            fifty.push_back(ByProcess(run.AfterFifty));
            allAnon.push_back(ByProcess(run.AfterAll, true));
            fiftyAnon.push_back(ByProcess(run.AfterFifty, true));
            browserAll.push_back(run.BrowserAfterAll);
            browserFifty.push_back(run.BrowserAfterFifty);
        }
        const QString title = QStringLiteral("The soak, the %1 program's processes").arg(name);
        PrintMemory(qPrintable(title), all, fifty, 1024, qPrintable(after), "after 50");
        PrintMemory(qPrintable(title + QStringLiteral(", anonymous memory")), allAnon, fiftyAnon,
                    1024, qPrintable(after), "after 50");
        PrintMemory(qPrintable(title + QStringLiteral(", the browser process by mapping")),
                    browserAll, browserFifty, 1024, qPrintable(after), "after 50");
    }
    // The median growth over the runs: as a ratio, in MB, and the runs' own.
    struct Growths
    {
        double Ratio = 0;
        double Mb = 0;
        QString Runs;
    };
    const auto growths = [](const std::vector<Soak> &runs, bool anonymous) {
        std::vector<double> ratios;
        std::vector<double> mbs;
        QStringList texts;
        for (const Soak &run : runs) {
            ratios.push_back(run.Growth(anonymous));
            mbs.push_back(run.GrowthMb(anonymous));
            texts << QString::asprintf("%.3fx (%+.1f MB)", ratios.back(), mbs.back());
        }
        return runs.empty()
                   ? Growths{}
                   : Growths{Median(ratios), Median(mbs), texts.join(QStringLiteral(", "))};
    };
    const Growths growth = growths(soaks, false);
    const Growths bareGrowth = growths(bareSoaks, false);
    std::printf("  each run's growth, built: %s\n", qPrintable(growth.Runs));
    std::printf("  each run's growth, bare:  %s\n", qPrintable(bareGrowth.Runs));
    // Judged in MB: both programs' growth is the engine's, the same for the same work, and as a
    // ratio the same MB weigh more in a program that holds less.
    const bool judged = !bareSoaks.empty();
    std::printf("%-46s %9.1f %9.1f MB  %-18s %s\n",
                qPrintable(QStringLiteral("PSS growth, %1 vs after 50 (median)").arg(after)),
                growth.Mb, bareGrowth.Mb, "<= the bare's",
                !judged                      ? "(no bare runs)"
                : growth.Mb <= bareGrowth.Mb ? "ok"
                                             : "MISSED");
    std::printf("%-46s %9.3f %9.3f x   (not judged)\n", "  the same as a ratio", growth.Ratio,
                bareGrowth.Ratio);
    // Not a goal, but steadier: the libraries' pages count in PSS shared among every program
    // that maps them, and other programs start and end over a soak.
    const Growths anon = growths(soaks, true);
    const Growths bareAnon = growths(bareSoaks, true);
    std::printf("%-46s %9.1f %9.1f MB  (each run, built: %s; bare: %s)\n", "  of it anonymous",
                anon.Mb, bareAnon.Mb, qPrintable(anon.Runs), qPrintable(bareAnon.Runs));
    std::printf("load average after the soak %s\n", qPrintable(LoadAverage()));
    return true;
}

// A long article's print preview and print: the first page's time on the screen, and the
// program's own memory while each is under way and after, over what it held before.
struct PrintingFigures
{
    std::vector<double> FirstPageMs;
    std::vector<double> PreviewMostMb;
    std::vector<double> PreviewAfterMb;
    std::vector<double> PrintMostMb;
    std::vector<double> PrintAfterMb;
};

// Chooses the `item`th item (from 1) of the File menu by keys; the moment it was chosen.
std::int64_t ChooseFileMenuItem(const XSession &session, int item)
{
    session.XDoTool({"key", "alt+f"});
    Pause(300);
    if (item > 1)
        session.XDoTool({"key", "--repeat", QString::number(item - 1), "--delay", "30", "Down"});
    const std::int64_t chosen = MonotonicNanoseconds();
    session.XDoTool({"key", "Return"});
    return chosen;
}

bool RunPrintRound(Bench &bench, const PrintServer &server, PrintingFigures &figures)
{
    constexpr int PreviewItem = 6; // after 关闭所有页 twice, 关闭当前页, 保存, 页面设置
    constexpr int PrintItem = 7;
    Child child(Role::Program, bench.Session, bench.Requests, "[Dictionary]\r\nID=2\r\n",
                QStringLiteral("long"));
    const std::size_t from = bench.Requests.Size();
    if (!child.WaitForWindow()
        || !WaitUntil(
            [&] { return bench.Requests.Find("http://www.iciba.com/long%2F", from).has_value(); },
            20000)) {
        std::fprintf(stderr, "program: the long article was not asked for\n");
        return false;
    }
    Pause(2000);
    const double before = child.OwnPssMb();
    const auto watchMost = [&](double &most) { most = std::max(most, child.OwnPssMb()); };
    const auto settle
        = [&](double most, std::vector<double> &mostMb, std::vector<double> &afterMb) {
              double after = 0;
              WaitUntil([&] { return (after = child.OwnPssMb()) <= before + 50; }, 5000);
              mostMb.push_back(most - before);
              afterMb.push_back(after - before);
          };

    const std::int64_t asked = ChooseFileMenuItem(bench.Session, PreviewItem);
    const QString preview = bench.Session.WaitForWindow(QStringLiteral("^打印预览.*"));
    if (preview.isEmpty()) {
        std::fprintf(stderr, "program: no print preview\n");
        return false;
    }
    // A point in the first page's left margin, white once the page is drawn.
    const QRect client = bench.Session.ClientGeometry(preview);
    PaintWatch watch(bench.Screen, client.topLeft() + QPoint(30, 90), 0xffffff);
    if (!WaitUntil([&] { return watch.Painted() != 0; }, 30000)) {
        std::fprintf(stderr, "program: the preview showed no page\n");
        return false;
    }
    figures.FirstPageMs.push_back(double(watch.Painted() - asked) / 1e6);
    double most = before;
    for (int batch = 0; batch < 14; ++batch) {
        bench.Session.XDoTool({"key", "--repeat", "10", "--delay", "20", "Next"});
        watchMost(most);
    }
    bench.Session.XDoTool({"key", "Escape"});
    bench.Session.WaitForNoWindow(QStringLiteral("^打印预览.*"));
    settle(most, figures.PreviewMostMb, figures.PreviewAfterMb);

    QFile::remove(server.JobFile());
    ChooseFileMenuItem(bench.Session, PrintItem);
    Pause(1500); // the print dialog, which asks the print system for its printers
    bench.Session.XDoTool({"key", "Return"});
    most = before;
    if (!WaitUntil(
            [&] {
                watchMost(most);
                return QFile::exists(server.JobFile());
            },
            60000)) {
        std::fprintf(stderr, "program: no print job reached the printer\n");
        return false;
    }
    settle(most, figures.PrintMostMb, figures.PrintAfterMb);
    child.Close(bench.Keyboard);
    return true;
}

bool RunPrintRounds(Bench &bench)
{
    if (const QString missing = MissingPrintServerTools(); !missing.isEmpty()) {
        std::printf("\nprinting left out: %s\n", qPrintable(missing));
        return true;
    }
    const PrintServer server;
    if (!server.Started()) {
        std::fprintf(stderr, "window_bench: the print server: %s\n", qPrintable(server.Error()));
        return false;
    }
    PrintingFigures figures;
    for (int round = 0; round < PrintRounds; ++round) {
        if (!RunPrintRound(bench, server, figures))
            return false;
    }
    std::printf("\n%-46s %9s %9s %-3s %8s   %-18s\n", "a 111-page article (median)", "program", "",
                "", "", "goal");
    const struct
    {
        const char *Name;
        const std::vector<double> &Values;
        const char *Unit;
        double Goal;
        const char *GoalText;
    } rows[] = {
        {"preview: its first page on the screen", figures.FirstPageMs, "ms", 2000, "<= 2000 ms"},
        {"preview open: own PSS over before, at most", figures.PreviewMostMb, "MB", 300,
         "<= +300 MB"},
        {"preview closed: own PSS over before", figures.PreviewAfterMb, "MB", 50, "<= +50 MB"},
        {"printing: own PSS over before, at most", figures.PrintMostMb, "MB", 300, "<= +300 MB"},
        {"printed: own PSS over before", figures.PrintAfterMb, "MB", 50, "<= +50 MB"},
    };
    for (const auto &row : rows) {
        const double value = Median(row.Values);
        std::printf("%-46s %9.1f %9s %-3s %8s   %-18s %s\n", row.Name, value, "", row.Unit, "",
                    row.GoalText, value <= row.Goal ? "ok" : "MISSED");
    }
    return true;
}

// The screen reader's rounds, on and off in turn, on the session's accessibility bus: what the
// pages' content on the bus costs. No goal: the engine builds it only while a screen reader is
// there, and a screen reader's user needs it.
bool RunScreenReaderRounds(Bench &bench, Figures &figures)
{
    if (!bench.Session.StartAccessibilityBus()) {
        std::fprintf(stderr, "window_bench: the accessibility bus did not come up\n");
        return false;
    }
    for (int round = 0; round < ScreenReaderRounds; ++round) {
        for (const bool on : {round % 2 == 0, round % 2 == 1}) {
            if (!RunScreenReaderRound(on, bench, figures))
                return false;
        }
    }
    std::printf("\n%-46s %9s %9s %-3s %8s\n", "with a screen reader's accessibility", "on", "off",
                "", "ratio");
    const QString painted = QStringLiteral("page painted");
    const std::pair<QString, std::pair<double, double>> rows[] = {
        {QStringLiteral("first query: Enter to last request (median of %1)")
             .arg(ScreenReaderRounds),
         {Figures::MedianMs(figures.ReaderFirstQueries[1]),
          Figures::MedianMs(figures.ReaderFirstQueries[0])}},
        {QStringLiteral("first query: Enter to page painted"),
         {Figures::MedianMoment(figures.ReaderFirstQueries[1], painted),
          Figures::MedianMoment(figures.ReaderFirstQueries[0], painted)}},
        {QStringLiteral("PSS with five pages, MB"),
         {Median(figures.ReaderFivePagesKb[1]) / 1024,
          Median(figures.ReaderFivePagesKb[0]) / 1024}},
    };
    for (const auto &[name, values] : rows) {
        std::printf("%-46s %9.1f %9.1f %-3s %7.3fx\n", qPrintable(name), values.first,
                    values.second, "", values.second > 0 ? values.first / values.second : 0.0);
    }
    return true;
}

int RunDriver(int argc, char *argv[])
{
    int soakQueries = 0;
    // Only the two layouts' queries, or only the soak: quicker, for work on one of them.
    bool layoutsOnly = false;
    bool soakOnly = false;
    bool coldOnly = false;
    bool printingOnly = false;
    bool readingOnly = false;
    bool roundsGiven = false;
    for (int index = 1; index < argc; ++index) {
        const QByteArray option(argv[index]);
        const QByteArray value(index + 1 < argc ? argv[index + 1] : "");
        if (option == "--soak")
            soakQueries = value.toInt();
        if (option == "--rounds") {
            Rounds = std::max(1, value.toInt());
            roundsGiven = true;
        }
        if (option == "--soak-program")
            SoakBare = false;
        if (option == "--soak-only")
            soakOnly = true;
        if (option == "--layouts")
            layoutsOnly = true;
        if (option == "--cold-starts")
            coldOnly = true;
        if (option == "--printing")
            printingOnly = true;
        if (option == "--reading")
            readingOnly = true;
    }
    PrepareBrowserTestEnvironment();
    QCoreApplication application(argc, argv);
    if (!XSessionAvailable()) {
        std::fprintf(stderr, "window_bench needs Xvfb, xdotool and the X utilities (make setup)\n");
        return 1;
    }
    XSession session(WindowManager::Metacity);
    XKeyboard keyboard(session.Display());
    const ScreenPixel screen(session.Display());
    if (!session.Started() || !keyboard.IsOpen() || !screen.IsOpen()) {
        std::fprintf(stderr, "window_bench: the X display did not come up\n");
        return 1;
    }
    TestProxy proxy;
    RequestLog requests(proxy);
    AnswerPages answers(proxy);
    proxy.SetPage(QStringLiteral("http://www.iciba.com/"), LongArticleHtml());
    Bench bench{session, keyboard, requests, answers, screen, proxy};

    const QString loadBefore = LoadAverage();
    Figures bare;
    Figures program;
    if (printingOnly)
        return RunPrintRounds(bench) ? 0 : 1;
    const int readingRounds = roundsGiven ? Rounds : ReadingRounds;
    if (readingOnly)
        return RunReadingRounds(bench, readingRounds) ? 0 : 1;
    if (coldOnly) {
        for (int round = 0; round < Rounds; ++round) {
            const bool bareFirst = round % 2 == 0;
            for (const Role role :
                 {bareFirst ? Role::Bare : Role::Program, bareFirst ? Role::Program : Role::Bare}) {
                if (!RunColdStartRound(role, bench, role == Role::Bare ? bare : program))
                    return 1;
            }
        }
        PrintRow(QStringLiteral("start with a term to first page painted (median of %1)")
                     .arg(program.ColdStartsMs.size()),
                 Median(program.ColdStartsMs), Median(bare.ColdStartsMs), "ms", 1.0,
                 "<= 1.0x floor");
        return 0;
    }
    for (int round = 0; round < (layoutsOnly || soakOnly ? 0 : Rounds); ++round) {
        // Each takes the lead in turn, so that neither always meets a machine the other warmed.
        const bool bareFirst = round % 2 == 0;
        for (const Role role :
             {bareFirst ? Role::Bare : Role::Program, bareFirst ? Role::Program : Role::Bare}) {
            if (!RunRound(role, bench, role == Role::Bare ? bare : program))
                return 1;
            for (int start = 0; start < ColdStartsPerRound; ++start) {
                if (!RunColdStartRound(role, bench, role == Role::Bare ? bare : program))
                    return 1;
            }
        }
    }
    std::printf("load average before the rounds %s, after %s\n", qPrintable(loadBefore),
                qPrintable(LoadAverage()));
    if (!layoutsOnly && !soakOnly)
        PrintFigures(program, bare);
    // The pages side by side hold the same browsers as the tabs: a query costs the same.
    if (!soakOnly) {
        std::vector<Sample> tabs;
        std::vector<Sample> columns;
        for (int round = 0; round < LayoutRounds; ++round) {
            for (const bool sideBySide : {round % 2 == 1, round % 2 == 0}) {
                if (!RunLayoutRound(sideBySide, bench, sideBySide ? columns : tabs)) {
                    std::fprintf(stderr, "program: a query's five requests did not all come\n");
                    return 1;
                }
            }
        }
        PrintBreakdown("A query side by side, and with tabs, from the Enter key", columns, tabs,
                       "columns", "tabs");
        PrintRow(QStringLiteral("side by side: Enter to last request (median of %1)")
                     .arg(columns.size()),
                 Figures::MedianMs(columns), Figures::MedianMs(tabs), "ms", 1.05, "<= 1.05x tabs");
    }
    if (soakQueries > 50 && !RunSoaks(soakQueries, bench))
        return 1;
    if (!layoutsOnly && !soakOnly && !RunScreenReaderRounds(bench, program))
        return 1;
    if (!layoutsOnly && !soakOnly && !RunReadingRounds(bench, readingRounds))
        return 1;
    if (!layoutsOnly && !soakOnly && !RunPrintRounds(bench))
        return 1;
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    return RunDriver(argc, argv);
}
