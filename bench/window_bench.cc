// Start-up, query latency and memory of the built program beside a bare program doing the same
// work with plain QWebEngineViews (the floor, bare_program.cc): a window, a start page, five views
// navigated on Enter. Both run on a private Xvfb display with a window manager and get their keys
// through the X server, as a user's keys come; a local recording proxy serves their pages.
//
// The measurements are scenarios, each in a file of its own (WindowBench.h), rows of the table
// below: the options choose which rows a run walks, and each row runs the programs, then prints
// its figures beside their goals. A missed goal fails the run once every figure is out, so that
// `make bench` fails.

#include "bench/BenchDriver.h"
#include "bench/ScreenPixel.h"
#include "bench/WindowBench.h"
#include "bench/XKeyboard.h"
#include "tests/support/TestProxy.h"
#include "tests/support/XSession.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace tellaria;
using namespace tellaria::bench;
using namespace tellaria::test;

namespace {

// In the order they run.
constexpr Scenario Scenarios[] = {
    {"rounds", RunRounds, ReportRounds},
    {"cold starts", RunColdStarts, ReportColdStarts},
    {"layouts", RunLayouts, ReportLayouts},
    {"soak", RunSoaks, ReportSoaks},
    {"accessibility", RunScreenReader, ReportScreenReader},
    {"reading aids", RunReadingAids, ReportReadingAids},
    {"printing", RunPrinting, ReportPrinting},
};

// Exit codes: a program failed, so that a scenario could not finish; or every figure is out and
// a goal was missed.
constexpr int RunFailed = 1;
constexpr int GoalMissed = 2;

// The scenarios the options choose: one alone, or all but the starts with a term alone (the
// rounds make them too), the soak only when its queries are given.
QStringList ChosenScenarios(const RunOptions &options)
{
    if (options.PrintingOnly)
        return {QStringLiteral("printing")};
    if (options.ReadingOnly)
        return {QStringLiteral("reading aids")};
    if (options.ColdStartsOnly)
        return {QStringLiteral("cold starts")};
    // The soak needs its 50 queries' memory to compare with.
    const bool soak = options.SoakQueries > 50;
    if (options.SoakOnly)
        return soak ? QStringList{QStringLiteral("soak")} : QStringList{};
    QStringList chosen;
    if (!options.LayoutsOnly)
        chosen << QStringLiteral("rounds");
    chosen << QStringLiteral("layouts");
    if (soak)
        chosen << QStringLiteral("soak");
    if (!options.LayoutsOnly)
        chosen << QStringLiteral("accessibility") << QStringLiteral("reading aids")
               << QStringLiteral("printing");
    return chosen;
}

// The options on the command line; none on an error, which is printed.
std::optional<RunOptions> ParseOptions(const QCoreApplication &application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The built program against a bare Qt WebEngine program on a private X display: start-up,\n"
        "queries, memory, starts with a term, the layouts, the screen reader, the reading aids\n"
        "and printing (docs/BENCHMARKS.md). Exits with 1 when a program failed, and with 2\n"
        "when a goal was missed, once every figure is printed."));
    parser.addHelpOption();
    const QCommandLineOption rounds(
        QStringLiteral("rounds"),
        QStringLiteral("Rounds of each program (7; the reading aids' 5; at least 1)."),
        QStringLiteral("N"));
    const QCommandLineOption soak(
        QStringLiteral("soak"),
        QStringLiteral("Queries in each soak run, more than 50 (no soak unless given)."),
        QStringLiteral("N"));
    const QCommandLineOption soakOnly(QStringLiteral("soak-only"),
                                      QStringLiteral("The soak alone."));
    const QCommandLineOption soakProgram(
        QStringLiteral("soak-program"),
        QStringLiteral("Soak the built program only: for a hang that shows once in thousands of "
                       "queries."));
    const QCommandLineOption layouts(
        QStringLiteral("layouts"),
        QStringLiteral("The queries side by side against in tabs alone, and the soak if given."));
    const QCommandLineOption coldStarts(QStringLiteral("cold-starts"),
                                        QStringLiteral("The starts with a term alone."));
    const QCommandLineOption printing(
        QStringLiteral("printing"),
        QStringLiteral("A long article's print preview and print alone (needs root)."));
    const QCommandLineOption reading(QStringLiteral("reading"),
                                     QStringLiteral("The reading aids alone."));
    parser.addOptions(
        {rounds, soak, soakOnly, soakProgram, layouts, coldStarts, printing, reading});
    parser.process(application);

    RunOptions options;
    const auto number = [&](const QCommandLineOption &option, int &value) {
        bool valid = true;
        if (parser.isSet(option))
            value = parser.value(option).toInt(&valid);
        if (!valid)
            std::fprintf(stderr, "window_bench: --%s takes a number\n",
                         qPrintable(option.names().constFirst()));
        return valid;
    };
    if (!number(rounds, options.Rounds) || !number(soak, options.SoakQueries))
        return std::nullopt;
    options.Rounds = std::max(1, options.Rounds);
    options.RoundsGiven = parser.isSet(rounds);
    options.SoakBare = !parser.isSet(soakProgram);
    options.SoakOnly = parser.isSet(soakOnly);
    options.LayoutsOnly = parser.isSet(layouts);
    options.ColdStartsOnly = parser.isSet(coldStarts);
    options.PrintingOnly = parser.isSet(printing);
    options.ReadingOnly = parser.isSet(reading);
    return options;
}

} // namespace

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QCoreApplication application(argc, argv);
    const std::optional<RunOptions> options = ParseOptions(application);
    if (!options)
        return RunFailed;
    if (!XSessionAvailable()) {
        std::fprintf(stderr, "window_bench needs Xvfb, xdotool and the X utilities (make setup)\n");
        return RunFailed;
    }
    XSession session(WindowManager::Metacity);
    XKeyboard keyboard(session.Display());
    const ScreenPixel screen(session.Display());
    if (!session.Started() || !keyboard.IsOpen() || !screen.IsOpen()) {
        std::fprintf(stderr, "window_bench: the X display did not come up\n");
        return RunFailed;
    }
    TestProxy proxy;
    RequestLog requests(proxy);
    AnswerPages answers(proxy);
    proxy.SetPage(QStringLiteral("http://www.iciba.com/"), LongArticleHtml());
    Bench bench{session, keyboard, requests, answers, screen, proxy};

    Context context(bench, *options);
    const QStringList chosen = ChosenScenarios(*options);
    for (const Scenario &scenario : Scenarios) {
        if (!chosen.contains(QLatin1String(scenario.Name)))
            continue;
        if (!scenario.Run(context))
            return RunFailed;
        scenario.Report(context);
    }
    if (context.Goals.Missed() > 0) {
        std::printf("\nwindow_bench: %d of the goals above MISSED\n", context.Goals.Missed());
        return GoalMissed;
    }
    return 0;
}
