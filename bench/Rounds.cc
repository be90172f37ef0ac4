// The rounds: each program in turn is started, shows its start page, makes four queries and holds
// their five pages while its memory is read; the built program is then started again with a term
// three times, as a key bound to it starts it while its window is open, and hands the term over.
// After each program's run come its starts with a term (ColdStarts.cc). The two programs take the
// lead in turn.

#include "bench/FigureTables.h"
#include "bench/WindowBench.h"
#include "bench/XKeyboard.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace tellaria::bench {

namespace {

constexpr int QueriesPerRound = 4;
constexpr int LaterStartsPerRound = 3;
// Starts with a term in each round, of each program.
constexpr int ColdStartsPerRound = 2;

void NoteMemory(const Child &child, RoundFigures &figures)
{
    const std::vector<ProcessPss> processes = child.PssByProcess();
    figures.FivePagesKb.push_back(double(TotalKb(processes)));
    figures.FivePagesAnonKb.push_back(double(TotalAnonKb(processes)));
    figures.ProcessesKb.push_back(ByProcess(processes));
    figures.BrowserMappingsKb.push_back(Mappings(child));
}

bool RunRound(Role role, Context &context, RoundFigures &figures)
{
    figures.Loads.push_back(LoadOverLastMinute());
    Child child(role, context.Rig.Session, context.Rig.Requests);
    const std::optional<Sample> startUp = child.StartUp();
    if (!startUp || !child.WaitForWindow()) {
        std::fprintf(stderr, "%s: no start page request or no window\n", RoleName(role));
        return false;
    }
    figures.StartUps.push_back(*startUp);
    for (int query = 0; query < QueriesPerRound; ++query) {
        const std::optional<Sample> sample
            = child.Query(context.Rig.Keyboard, context.Terms.Next(), true, &context.Rig.Answers,
                          &context.Rig.Screen);
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
            const std::optional<double> ms
                = child.LaterStart(context.Terms.Next(), figures.LaterStartErrors);
            if (!ms) {
                std::fprintf(stderr, "program: a later start did not hand its term over\n");
                return false;
            }
            figures.LaterStartsMs.push_back(*ms);
            Pause(400);
        }
    }
    child.Close(context.Rig.Keyboard);
    return true;
}

void PrintFigures(const RoundFigures &program,
                  const RoundFigures &bare,
                  int rounds,
                  GoalTally &goals)
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
    PrintRow(goals, QStringLiteral("start to start page request (median of %1)").arg(rounds),
             RoundFigures::MedianMs(program.StartUps), RoundFigures::MedianMs(bare.StartUps), "ms",
             1.0, "<= 1.0x floor");
    // Not a goal: that the window still appears as soon as the bare program's does.
    const double programPainted = RoundFigures::MedianMoment(program.StartUps, "painted");
    const double barePainted = RoundFigures::MedianMoment(bare.StartUps, "painted");
    std::printf("%-46s %9.1f %9.1f ms  %7.3fx   (the window on the screen)\n",
                "  start to the window's first paint", programPainted, barePainted,
                barePainted > 0 ? programPainted / barePainted : 0.0);
    PrintRow(goals, QStringLiteral("first query: Enter to last request (median of %1)").arg(rounds),
             RoundFigures::MedianMs(program.FirstQueries),
             RoundFigures::MedianMs(bare.FirstQueries), "ms", 0.9, "<= 0.9x floor");
    // A page not seen on the screen within the time leaves its query out of this figure.
    const QString painted = QStringLiteral("page painted");
    PrintRow(goals,
             QStringLiteral("first query: Enter to page painted (%1+%2 seen)")
                 .arg(RoundFigures::Having(program.FirstQueries, painted))
                 .arg(RoundFigures::Having(bare.FirstQueries, painted)),
             RoundFigures::MedianMoment(program.FirstQueries, painted),
             RoundFigures::MedianMoment(bare.FirstQueries, painted), "ms", 0.9, "<= 0.9x floor");
    PrintRow(goals,
             QStringLiteral("later query: Enter to last request (median of %1)")
                 .arg(rounds * (QueriesPerRound - 1)),
             RoundFigures::MedianMs(program.Queries), RoundFigures::MedianMs(bare.Queries), "ms",
             0.8, "<= 0.8x floor");
    const double laterPainted = RoundFigures::MedianMoment(program.Queries, painted);
    const double bareLaterPainted = RoundFigures::MedianMoment(bare.Queries, painted);
    std::printf("%-46s %9.1f %9.1f ms  %7.3fx   (the later query's answer on the screen)\n",
                "  later query: Enter to page painted", laterPainted, bareLaterPainted,
                bareLaterPainted > 0 ? laterPainted / bareLaterPainted : 0.0);
    PrintRow(goals,
             QStringLiteral("start with a term to first page painted (median of %1)")
                 .arg(program.ColdStartsMs.size()),
             Median(program.ColdStartsMs), Median(bare.ColdStartsMs), "ms", 1.0, "<= 1.0x floor");
    PrintRow(goals, QStringLiteral("PSS with five pages (median of %1)").arg(rounds),
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
                idleWork, "", "", "", "0", goals.Judge(idleWork == 0));
    // A later start has no floor to compare with: the user waits for it, so it has a goal of
    // its own, and it should say nothing.
    const double laterStart = Median(program.LaterStartsMs);
    std::printf("%-46s %9.1f %9s ms  %8s   %-18s %s\n",
                qPrintable(QStringLiteral("later start, start to exit (median of %1)")
                               .arg(program.LaterStartsMs.size())),
                laterStart, "", "", "<= 100 ms", goals.Judge(laterStart <= 100));
    const qsizetype errorLines = program.LaterStartErrors.count('\n');
    std::printf("%-46s %9lld %9s %-3s %8s   %-18s %s\n", "  lines the later starts wrote on stderr",
                static_cast<long long>(errorLines), "", "", "", "0", goals.Judge(errorLines == 0));
    if (errorLines > 0)
        std::fputs(program.LaterStartErrors.left(2000).constData(), stderr);
}

} // namespace

bool RunRounds(Context &context)
{
    context.LoadBefore = LoadAverage();
    for (int round = 0; round < context.Options.Rounds; ++round) {
        // Each takes the lead in turn, so that neither always meets a machine the other warmed.
        const bool bareFirst = round % 2 == 0;
        for (const Role role :
             {bareFirst ? Role::Bare : Role::Program, bareFirst ? Role::Program : Role::Bare}) {
            RoundFigures &figures = role == Role::Bare ? context.Bare : context.Program;
            if (!RunRound(role, context, figures))
                return false;
            for (int start = 0; start < ColdStartsPerRound; ++start) {
                if (!RunColdStart(role, context, figures))
                    return false;
            }
        }
    }
    context.LoadAfter = LoadAverage();
    return true;
}

void ReportRounds(Context &context)
{
    std::printf("load average before the rounds %s, after %s\n", qPrintable(context.LoadBefore),
                qPrintable(context.LoadAfter));
    PrintFigures(context.Program, context.Bare, context.Options.Rounds, context.Goals);
}

} // namespace tellaria::bench
