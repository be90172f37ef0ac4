#include "bench/BenchOptions.h"

#include <algorithm>

namespace tellaria::bench {

void DeclareOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "The built program against a bare Qt WebEngine program on a private X display: start-up,\n"
        "queries, memory, starts with a term, the layouts, the screen reader, the reading aids\n"
        "and printing (docs/BENCHMARKS.md). Exits with 1 when a program failed, and with 2\n"
        "when a goal was missed, once every figure is printed."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("rounds"),
         QStringLiteral("Rounds of each program (7; the reading aids' 5; at least 1)."),
         QStringLiteral("N")},
        {QStringLiteral("soak"),
         QStringLiteral("Queries in each soak run, more than 50 (no soak unless given)."),
         QStringLiteral("N")},
        {QStringLiteral("soak-only"), QStringLiteral("The soak alone.")},
        {QStringLiteral("soak-program"),
         QStringLiteral("Soak the built program only: for a hang that shows once in thousands "
                        "of queries.")},
        {QStringLiteral("layouts"),
         QStringLiteral("The queries side by side against in tabs alone, and the soak if "
                        "given.")},
        {QStringLiteral("cold-starts"), QStringLiteral("The starts with a term alone.")},
        {QStringLiteral("printing"),
         QStringLiteral("A long article's print preview and print alone (needs root).")},
        {QStringLiteral("reading"), QStringLiteral("The reading aids alone.")},
    });
}

std::optional<RunOptions> ReadOptions(const QCommandLineParser &parser, QString &error)
{
    RunOptions options;
    const auto number = [&](const QString &name, int &value) {
        bool valid = true;
        if (parser.isSet(name))
            value = parser.value(name).toInt(&valid);
        if (!valid)
            error = QStringLiteral("--%1 takes a number").arg(name);
        return valid;
    };
    if (!number(QStringLiteral("rounds"), options.Rounds)
        || !number(QStringLiteral("soak"), options.SoakQueries))
        return std::nullopt;
    options.Rounds = std::max(1, options.Rounds);
    if (parser.isSet(QStringLiteral("rounds")))
        options.ReadingRounds = options.Rounds;
    options.SoakBare = !parser.isSet(QStringLiteral("soak-program"));
    options.SoakOnly = parser.isSet(QStringLiteral("soak-only"));
    options.LayoutsOnly = parser.isSet(QStringLiteral("layouts"));
    options.ColdStartsOnly = parser.isSet(QStringLiteral("cold-starts"));
    options.PrintingOnly = parser.isSet(QStringLiteral("printing"));
    options.ReadingOnly = parser.isSet(QStringLiteral("reading"));
    return options;
}

QStringList ChosenScenarios(const RunOptions &options)
{
    // One scenario alone, or all but the starts with a term alone (the rounds make them too).
    if (options.PrintingOnly)
        return {QStringLiteral("printing")};
    if (options.ReadingOnly)
        return {QStringLiteral("reading aids")};
    if (options.ColdStartsOnly)
        return {QStringLiteral("cold starts")};
    // The soak compares its memory after all the queries with after 50.
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

} // namespace tellaria::bench
