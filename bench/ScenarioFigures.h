#pragma once

// What each of the window bench's scenarios gathers in its runs, for its report.

#include "bench/BenchDriver.h"
#include "bench/ProcessMemory.h"
#include "bench/ProgramChild.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <map>
#include <vector>

namespace tellaria::bench {

// What a program's tree of processes holds with five pages: each process by its role (the
// renderers together) and the browser process by mapping.
using Kilobytes = std::map<QString, double>;

// One program's figures over the rounds, and its starts with a term.
struct RoundFigures
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

// The built program's queries in each layout.
struct LayoutFigures
{
    std::vector<Sample> Tabs;
    std::vector<Sample> Columns;
};

// One soak run of a program.
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

struct SoakFigures
{
    std::vector<Soak> Program;
    std::vector<Soak> Bare;
};

// The built program with a screen reader's accessibility off [0] and on [1]: the first query and
// the memory with its five pages.
struct ScreenReaderFigures
{
    std::vector<Sample> FirstQueries[2];
    std::vector<double> FivePagesKb[2];
};

// A long article's print preview and print: the first page's time on the screen, and the
// program's own memory while each is under way and after, over what it held before.
struct PrintingFigures
{
    bool LeftOut = false; // the print server's tools are missing
    std::vector<double> FirstPageMs;
    std::vector<double> PreviewMostMb;
    std::vector<double> PreviewAfterMb;
    std::vector<double> PrintMostMb;
    std::vector<double> PrintAfterMb;
};

} // namespace tellaria::bench
