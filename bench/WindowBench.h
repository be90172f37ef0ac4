#pragma once

// The window bench's scenarios, rows of one table that window_bench.cc walks in order: each runs
// the programs and keeps what it gathers in the context it is given, then prints its figures
// beside their goals. A scenario that sees a program fail stops the bench before its report.

#include "bench/BenchDriver.h"
#include "bench/BenchOptions.h"
#include "bench/ProgramChild.h"
#include "bench/ReadingBench.h"
#include "bench/ScenarioFigures.h"

#include <QString>

namespace tellaria::bench {

// What the scenarios share: the display, the keys and the proxy; the options; the goals judged so
// far; and each scenario's figures, gathered by its run for its report.
struct Context
{
    Context(Bench &rig, const RunOptions &options)
        : Rig(rig)
        , Options(options)
    {}

    Bench &Rig;
    const RunOptions &Options;
    GoalTally Goals;
    TermSource Terms{QStringLiteral("t")};
    TermSource ReadingTerms{QStringLiteral("word")};
    QString LoadBefore; // as the rounds began
    QString LoadAfter;
    RoundFigures Program;
    RoundFigures Bare;
    LayoutFigures Layouts;
    SoakFigures Soaks;
    ScreenReaderFigures ScreenReader;
    PrintingFigures Printing;
    ReadingFigures Reading;
};

struct Scenario
{
    const char *Name;
    // False when a program failed: what went wrong is on stderr, and there is nothing to report.
    bool (*Run)(Context &context);
    void (*Report)(Context &context);
};

// Rounds.cc: start-up, the first and later queries, the memory with five pages and the starts
// that hand a term over to the open window, in one run of each program a round; each program's
// starts with a term follow its own run.
bool RunRounds(Context &context);
void ReportRounds(Context &context);

// ColdStarts.cc: starts with a term, alone. RunColdStart is one of them, for the rounds too.
bool RunColdStart(Role role, Context &context, RoundFigures &figures);
bool RunColdStarts(Context &context);
void ReportColdStarts(Context &context);

// Layouts.cc: the built program's queries side by side against in tabs.
bool RunLayouts(Context &context);
void ReportLayouts(Context &context);

// Soak.cc: many queries in one window, several runs of each program.
bool RunSoaks(Context &context);
void ReportSoaks(Context &context);

// ScreenReader.cc: the first query and the memory with a screen reader's accessibility on.
bool RunScreenReader(Context &context);
void ReportScreenReader(Context &context);

// ReadingBench.cc: the reader view and the term's marks.
bool RunReadingAids(Context &context);
void ReportReadingAids(Context &context);

// Printing.cc: a long article's print preview and print.
bool RunPrinting(Context &context);
void ReportPrinting(Context &context);

} // namespace tellaria::bench
