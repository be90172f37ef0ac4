// The built program with a screen reader's accessibility on and off, in turn, on the session's
// accessibility bus: its first query and its memory with five pages. No goal: the engine builds
// the pages' content for the bus only while a screen reader is there, and then it is needed.

#include "bench/WindowBench.h"
#include "bench/XKeyboard.h"
#include "tests/support/XSession.h"

#include <cstdio>
#include <optional>
#include <utility>

namespace tellaria::bench {

namespace {

// Rounds of the built program with a screen reader's accessibility on and off, each.
constexpr int ScreenReaderRounds = 4;

// The built program's first query and its memory with five pages, with Qt's accessibility (and
// so the engine's) on as a screen reader's desktop has it, or off.
bool RunScreenReaderRound(bool on, Context &context, ScreenReaderFigures &figures)
{
    Bench &bench = context.Rig;
    Child child(Role::Program, bench.Session, bench.Requests, {}, {}, on);
    if (!child.StartUp() || !child.WaitForWindow()) {
        std::fprintf(stderr, "program: no start page request or no window\n");
        return false;
    }
    const std::optional<Sample> sample
        = child.Query(bench.Keyboard, context.Terms.Next(), true, &bench.Answers, &bench.Screen);
    if (!sample) {
        std::fprintf(stderr, "program: a query's five requests did not all come\n%s\n",
                     qPrintable(child.State()));
        return false;
    }
    figures.FirstQueries[on].push_back(*sample);
    Pause(1000);
    figures.FivePagesKb[on].push_back(double(child.Pss()));
    child.Close(bench.Keyboard);
    return true;
}

} // namespace

bool RunScreenReader(Context &context)
{
    Bench &bench = context.Rig;
    if (!bench.Session.StartAccessibilityBus()) {
        std::fprintf(stderr, "window_bench: the accessibility bus did not come up\n");
        return false;
    }
    for (int round = 0; round < ScreenReaderRounds; ++round) {
        for (const bool on : {round % 2 == 0, round % 2 == 1}) {
            if (!RunScreenReaderRound(on, context, context.ScreenReader))
                return false;
        }
    }
    return true;
}

void ReportScreenReader(Context &context)
{
    const ScreenReaderFigures &figures = context.ScreenReader;
    std::printf("\n%-46s %9s %9s %-3s %8s\n", "with a screen reader's accessibility", "on", "off",
                "", "ratio");
    const QString painted = QStringLiteral("page painted");
    const std::pair<QString, std::pair<double, double>> rows[] = {
        {QStringLiteral("first query: Enter to last request (median of %1)")
             .arg(ScreenReaderRounds),
         {RoundFigures::MedianMs(figures.FirstQueries[1]),
          RoundFigures::MedianMs(figures.FirstQueries[0])}},
        {QStringLiteral("first query: Enter to page painted"),
         {RoundFigures::MedianMoment(figures.FirstQueries[1], painted),
          RoundFigures::MedianMoment(figures.FirstQueries[0], painted)}},
        {QStringLiteral("PSS with five pages, MB"),
         {Median(figures.FivePagesKb[1]) / 1024, Median(figures.FivePagesKb[0]) / 1024}},
    };
    for (const auto &[name, values] : rows) {
        std::printf("%-46s %9.1f %9.1f %-3s %7.3fx\n", qPrintable(name), values.first,
                    values.second, "", values.second > 0 ? values.first / values.second : 0.0);
    }
}

} // namespace tellaria::bench
