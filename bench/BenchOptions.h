#pragma once

// The window bench's command line: what it asks for, and which scenarios that makes.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace tellaria::bench {

struct RunOptions
{
    int Rounds = 7;
    int ReadingRounds = 5; // the reading aids' rounds: fewer, unless --rounds is given
    int SoakQueries = 0; // no soak unless given
    bool SoakBare = true; // --soak-program: the built program soaks alone
    bool SoakOnly = false;
    bool LayoutsOnly = false;
    bool ColdStartsOnly = false;
    bool PrintingOnly = false;
    bool ReadingOnly = false;
};

// Gives `parser` the bench's options, --help among them.
void DeclareOptions(QCommandLineParser &parser);

// The options `parser` has parsed; none when a number is not one, which `error` then says.
std::optional<RunOptions> ReadOptions(const QCommandLineParser &parser, QString &error);

// The names of the scenarios (WindowBench.h) the options choose, in the order they run.
QStringList ChosenScenarios(const RunOptions &options);

} // namespace tellaria::bench
