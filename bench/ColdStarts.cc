// Starts with a term, as a key bound to `tellaria --selection` makes when no window is open: from
// the process start to the first of the five answer pages on the screen, the bare program given
// the same five pages to open at start. In the rounds each program makes two after its run;
// `--cold-starts` makes one of each a round, alone.

#include "bench/WindowBench.h"

#include <cstdio>
#include <optional>

namespace tellaria::bench {

bool RunColdStart(Role role, Context &context, RoundFigures &figures)
{
    Bench &bench = context.Rig;
    const long colour = bench.Answers.Next();
    Child child(role, bench.Session, bench.Requests, {}, context.Terms.Next());
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

bool RunColdStarts(Context &context)
{
    for (int round = 0; round < context.Options.Rounds; ++round) {
        const bool bareFirst = round % 2 == 0;
        for (const Role role :
             {bareFirst ? Role::Bare : Role::Program, bareFirst ? Role::Program : Role::Bare}) {
            if (!RunColdStart(role, context, role == Role::Bare ? context.Bare : context.Program))
                return false;
        }
    }
    return true;
}

void ReportColdStarts(Context &context)
{
    PrintRow(context.Goals,
             QStringLiteral("start with a term to first page painted (median of %1)")
                 .arg(context.Program.ColdStartsMs.size()),
             Median(context.Program.ColdStartsMs), Median(context.Bare.ColdStartsMs), "ms", 1.0,
             "<= 1.0x floor");
}

} // namespace tellaria::bench
