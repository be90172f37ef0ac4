#include "bench/FigureTables.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace tellaria::bench {

namespace {

// The median of each part over the samples (a part missing from a sample counts as 0).
Kilobytes MedianParts(const std::vector<Kilobytes> &samples)
{
    std::set<QString> parts;
    for (const Kilobytes &sample : samples) {
        for (const auto &part : sample)
            parts.insert(part.first);
    }
    Kilobytes medians;
    for (const QString &part : parts) {
        std::vector<double> values;
        for (const Kilobytes &sample : samples) {
            const auto found = sample.find(part);
            values.push_back(found == sample.end() ? 0.0 : found->second);
        }
        medians[part] = Median(values);
    }
    return medians;
}

// The median of each moment over the samples, in the order the moments come. A moment that
// most samples lack (a page whose load ended after the sample was taken) is left out.
std::vector<std::pair<QString, double>> MedianMoments(const std::vector<Sample> &samples)
{
    std::map<QString, std::vector<double>> values;
    for (const Sample &sample : samples) {
        for (const auto &[what, ms] : sample.Moments)
            values[what].push_back(ms);
    }
    std::vector<std::pair<QString, double>> moments;
    for (const auto &[what, list] : values) {
        if (2 * list.size() >= samples.size())
            moments.emplace_back(what, Median(list));
    }
    std::sort(moments.begin(), moments.end(),
              [](const auto &a, const auto &b) { return a.second < b.second; });
    return moments;
}

} // namespace

Kilobytes ByProcess(const std::vector<ProcessPss> &processes, bool anonymous)
{
    std::map<QString, std::vector<long>> byRole;
    for (const ProcessPss &process : processes)
        byRole[process.Role].push_back(anonymous ? process.AnonKb : process.Kb);
    Kilobytes named;
    for (auto &[role, sizes] : byRole) {
        std::sort(sizes.rbegin(), sizes.rend());
        for (std::size_t rank = 0; rank < sizes.size(); ++rank)
            named[sizes.size() > 1 ? QStringLiteral("%1 %2").arg(role).arg(rank + 1) : role]
                = double(sizes[rank]);
    }
    return named;
}

Kilobytes Mappings(const Child &child)
{
    Kilobytes mappings;
    for (const auto &[what, kb] : child.BrowserMappings())
        mappings[what] = kb;
    return mappings;
}

void PrintBreakdown(const char *title,
                    const std::vector<Sample> &program,
                    const std::vector<Sample> &bare,
                    const char *programName,
                    const char *bareName)
{
    std::printf("%s (median ms)\n", title);
    const auto programMoments = MedianMoments(program);
    const auto bareMoments = MedianMoments(bare);
    std::map<QString, double> bareByName(bareMoments.begin(), bareMoments.end());
    for (const auto &[what, ms] : programMoments) {
        const auto floor = bareByName.find(what);
        if (floor != bareByName.end())
            std::printf("  %-16s %8.1f %8.1f\n", qPrintable(what), ms, floor->second);
        else
            std::printf("  %-16s %8.1f %8s\n", qPrintable(what), ms, "-");
    }
    std::printf("  %-16s %8s %8s\n", "", programName, bareName);
}

void PrintMemory(const char *title,
                 const std::vector<Kilobytes> &program,
                 const std::vector<Kilobytes> &bare,
                 double threshold,
                 const char *programName,
                 const char *bareName)
{
    const Kilobytes programParts = MedianParts(program);
    const Kilobytes bareParts = MedianParts(bare);
    std::set<QString> names;
    for (const auto &part : programParts)
        names.insert(part.first);
    for (const auto &part : bareParts)
        names.insert(part.first);
    struct Row
    {
        QString Name;
        double Program;
        double Bare;
    };
    std::vector<Row> rows;
    Row rest{QStringLiteral("the rest"), 0, 0};
    Row total{QStringLiteral("total"), 0, 0};
    for (const QString &name : names) {
        const double ours = programParts.count(name) ? programParts.at(name) : 0.0;
        const double theirs = bareParts.count(name) ? bareParts.at(name) : 0.0;
        total.Program += ours;
        total.Bare += theirs;
        if (std::max(ours, theirs) >= threshold || std::abs(ours - theirs) >= threshold / 4)
            rows.push_back({name, ours, theirs});
        else {
            rest.Program += ours;
            rest.Bare += theirs;
        }
    }
    std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
        return std::abs(a.Program - a.Bare) > std::abs(b.Program - b.Bare);
    });
    rows.push_back(rest);
    rows.push_back(total);
    std::printf("%s (median MB of the medians of the parts)\n", title);
    for (const Row &row : rows)
        std::printf("  %-36s %8.1f %8.1f %+8.1f\n", qPrintable(row.Name.left(36)),
                    row.Program / 1024, row.Bare / 1024, (row.Program - row.Bare) / 1024);
    std::printf("  %-36s %8s %8s %8s\n", "", programName, bareName, "diff");
}

} // namespace tellaria::bench
