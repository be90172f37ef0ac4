// The pages side by side hold the same browsers as the tabs: a query should cost the same. The
// built program is started in each layout in turn, and each run makes four queries, from Enter to
// the last of their five requests.

#include "bench/FigureTables.h"
#include "bench/WindowBench.h"
#include "bench/XKeyboard.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace tellaria::bench {

namespace {

// Rounds of the built program in each layout, tabs and side by side, in turn: 24 queries in
// each, as the two differ by a few ms in some 80 and one query in ten strays by more.
constexpr int LayoutRounds = 6;
constexpr int QueriesPerRound = 4;

// One run of the built program in a layout, tabs or side by side: Enter to the last of the
// five requests of each of its queries.
bool RunLayoutRound(bool sideBySide, Context &context, std::vector<Sample> &samples)
{
    Bench &bench = context.Rig;
    Child child(Role::Program, bench.Session, bench.Requests,
                sideBySide ? QByteArray("[View]\r\nSideBySide=1\r\n") : QByteArray());
    if (!child.StartUp() || !child.WaitForWindow())
        return false;
    for (int query = 0; query < QueriesPerRound; ++query) {
        const std::optional<Sample> sample = child.Query(bench.Keyboard, context.Terms.Next());
        if (!sample)
            return false;
        samples.push_back(*sample);
        Pause(400);
    }
    child.Close(bench.Keyboard);
    return true;
}

} // namespace

bool RunLayouts(Context &context)
{
    LayoutFigures &figures = context.Layouts;
    for (int round = 0; round < LayoutRounds; ++round) {
        for (const bool sideBySide : {round % 2 == 1, round % 2 == 0}) {
            if (!RunLayoutRound(sideBySide, context, sideBySide ? figures.Columns : figures.Tabs)) {
                std::fprintf(stderr, "program: a query's five requests did not all come\n");
                return false;
            }
        }
    }
    return true;
}

void ReportLayouts(Context &context)
{
    const LayoutFigures &figures = context.Layouts;
    PrintBreakdown("A query side by side, and with tabs, from the Enter key", figures.Columns,
                   figures.Tabs, "columns", "tabs");
    PrintRow(context.Goals,
             QStringLiteral("side by side: Enter to last request (median of %1)")
                 .arg(figures.Columns.size()),
             RoundFigures::MedianMs(figures.Columns), RoundFigures::MedianMs(figures.Tabs), "ms",
             1.05, "<= 1.05x tabs");
}

} // namespace tellaria::bench
