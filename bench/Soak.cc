// The soak: many queries in one window, for each program in turn and several times over, with
// its memory by process and by mapping after 50 queries and after all of them. Its growth is
// judged in MB against the bare program's.

#include "bench/FigureTables.h"
#include "bench/WindowBench.h"
#include "bench/XKeyboard.h"

#include <QStringList>

#include <cstdio>
#include <utility>
#include <vector>

namespace tellaria::bench {

namespace {

// Soak runs of each program, in turn.
constexpr int SoakRounds = 3;

Soak RunSoak(Role role, int queries, Context &context)
{
    Bench &bench = context.Rig;
    Soak soak;
    Child child(role, bench.Session, bench.Requests);
    if (!child.StartUp() || !child.WaitForWindow()) {
        soak.Failure = QStringLiteral("no start page or no window; ") + child.State();
        return soak;
    }
    for (int query = 1; query <= queries; ++query) {
        if (!child.Query(bench.Keyboard, context.Terms.Next(), false) || !child.Running()) {
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

} // namespace

// The soak, several times for each program in turn: a bare program that never gives freed memory
// back grows by what its heap happens to hold free, which differs from one run to the next.
// Each figure is the median over the runs. False when the built program crashed or lost a page.
bool RunSoaks(Context &context)
{
    const int queries = context.Options.SoakQueries;
    std::printf("load average before the soak %s\n", qPrintable(LoadAverage()));
    std::vector<Soak> &soaks = context.Soaks.Program;
    std::vector<Soak> &bareSoaks = context.Soaks.Bare;
    for (int round = 0; round < SoakRounds; ++round) {
        for (const Role role : {round % 2 == 0 ? Role::Program : Role::Bare,
                                round % 2 == 0 ? Role::Bare : Role::Program}) {
            if (role == Role::Bare && !context.Options.SoakBare)
                continue;
            Soak soak = RunSoak(role, queries, context);
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
    return true;
}

void ReportSoaks(Context &context)
{
    const int queries = context.Options.SoakQueries;
    const std::vector<Soak> &soaks = context.Soaks.Program;
    const std::vector<Soak> &bareSoaks = context.Soaks.Bare;
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
                !judged ? "(no bare runs)" : context.Goals.Judge(growth.Mb <= bareGrowth.Mb));
    std::printf("%-46s %9.3f %9.3f x   (not judged)\n", "  the same as a ratio", growth.Ratio,
                bareGrowth.Ratio);
    // Not a goal, but steadier: the libraries' pages count in PSS shared among every program
    // that maps them, and other programs start and end over a soak.
    const Growths anon = growths(soaks, true);
    const Growths bareAnon = growths(bareSoaks, true);
    std::printf("%-46s %9.1f %9.1f MB  (each run, built: %s; bare: %s)\n", "  of it anonymous",
                anon.Mb, bareAnon.Mb, qPrintable(anon.Runs), qPrintable(bareAnon.Runs));
    std::printf("load average after the soak %s\n", qPrintable(LoadAverage()));
}

} // namespace tellaria::bench
