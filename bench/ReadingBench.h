#pragma once

// The reading aids' cost (View > 阅读模式 and 突出显示查询词): per page, from a long article's
// load to its reader view on the screen and to its term marked; and the first query and the
// memory with five pages, with the reader view off and on, against the bare program. The rows
// RunReadingAids and ReportReadingAids of the window bench (WindowBench.h).

#include "bench/ProgramChild.h"

#include <QString>

#include <array>
#include <limits>
#include <vector>

namespace tellaria::bench {

// A moment not seen. The page as served may be on the screen before its load ends: a moment
// before it is negative.
constexpr double NotSeen = std::numeric_limits<double>::quiet_NaN();

// One page of the article, in ms from its load.
struct PageSample
{
    double Loaded = 0; // from Enter
    double Asked = 0;
    double Applied = 0;
    double ReaderShown = NotSeen;
    double PageShown = NotSeen; // the page as served, before any reader view
};

// The main rounds' first query and memory with five pages, in one run of a program.
struct QueryFigures
{
    std::vector<Sample> FirstQueries;
    std::vector<double> Kb;
    std::vector<double> AnonKb;
};

struct ReadingFigures
{
    int Rounds = 0;
    // Per page, by the kind of settings: none, the reader view, both aids, the marks.
    std::array<std::vector<PageSample>, 4> Pages;
    // The first query and the memory: the bare program, the reader view off and on.
    QueryFigures Bare;
    QueryFigures Off;
    QueryFigures On;
    // The machine's load before the pages, before the queries and after.
    QString LoadBefore;
    QString LoadBetween;
    QString LoadAfter;
};

} // namespace tellaria::bench
