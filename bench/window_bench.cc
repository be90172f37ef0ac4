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
#include <iterator>
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

} // namespace

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    DeclareOptions(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "window_bench: %s\n", qPrintable(parser.errorText()));
        return RunFailed;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    QString error;
    const std::optional<RunOptions> options = ReadOptions(parser, error);
    if (!options) {
        std::fprintf(stderr, "window_bench: %s\n", qPrintable(error));
        return RunFailed;
    }
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
    for (const QString &name : chosen) {
        // A name the table lacks would leave its scenario out without a word.
        if (std::none_of(std::begin(Scenarios), std::end(Scenarios),
                         [&](const Scenario &scenario) { return name == scenario.Name; })) {
            std::fprintf(stderr, "window_bench: no scenario %s\n", qPrintable(name));
            return RunFailed;
        }
    }
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
