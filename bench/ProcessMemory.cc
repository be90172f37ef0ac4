#include "bench/ProcessMemory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tellaria::bench {

namespace {

QByteArray ReadProc(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The value of `field` ("Pss:") in the process's smaps_rollup, in KB.
long RollupKb(const QByteArray &rollup, const QByteArray &field)
{
    for (const QByteArray &line : rollup.split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

QString Role(qint64 pid, bool root)
{
    if (root)
        return QStringLiteral("browser");
    QString type;
    QString service;
    for (const QByteArray &argument : ReadProc(pid, "cmdline").split('\0')) {
        if (argument.startsWith("--type="))
            type = QString::fromLatin1(argument.mid(7));
        else if (argument.startsWith("--utility-sub-type="))
            service = QString::fromLatin1(argument.mid(19)).section(QLatin1Char('.'), 0, 0);
    }
    if (type.isEmpty())
        return QStringLiteral("other");
    return service.isEmpty() ? type : type + QLatin1Char(' ') + service;
}

} // namespace

std::vector<ProcessPss> TreePss(qint64 pid)
{
    std::multimap<qint64, qint64> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const qint64 child = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        const QByteArray stat = ReadProc(child, "stat");
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        children.emplace(fields.value(1).toLongLong(), child);
    }
    std::vector<ProcessPss> processes;
    // Each with its parent's role: what the zygote forks keeps the zygote's command line.
    std::vector<std::pair<qint64, QString>> pending{{pid, QString()}};
    while (!pending.empty()) {
        const auto [current, parentRole] = pending.back();
        pending.pop_back();
        QString role = Role(current, current == pid);
        if (role == QLatin1String("zygote") && parentRole == QLatin1String("zygote"))
            role = QStringLiteral("renderer");
        const QByteArray rollup = ReadProc(current, "smaps_rollup");
        processes.push_back(
            {current, role, RollupKb(rollup, "Pss:"), RollupKb(rollup, "Pss_Anon:")});
        const auto range = children.equal_range(current);
        for (auto it = range.first; it != range.second; ++it)
            pending.emplace_back(it->second, role);
    }
    return processes;
}

long TotalKb(const std::vector<ProcessPss> &processes)
{
    long total = 0;
    for (const ProcessPss &process : processes)
        total += process.Kb;
    return total;
}

long TotalAnonKb(const std::vector<ProcessPss> &processes)
{
    long total = 0;
    for (const ProcessPss &process : processes)
        total += process.AnonKb;
    return total;
}

std::map<QString, long> MappingPssKb(qint64 pid)
{
    constexpr quint64 ArenaAlignment = quint64(64) << 20;
    std::map<QString, long> groups;
    QString group;
    quint64 previousEnd = 0;
    bool previousInaccessible = false;
    for (const QByteArray &line : ReadProc(pid, "smaps").split('\n')) {
        const qsizetype dash = line.indexOf('-');
        const qsizetype space = line.indexOf(' ');
        if (dash > 0 && space > dash) {
            // A mapping's first line: "start-end perms offset device inode [name]".
            const QList<QByteArray> fields = line.simplified().split(' ');
            bool ok = false;
            const quint64 start = fields.value(0).left(dash).toULongLong(&ok, 16);
            const quint64 end = fields.value(0).mid(dash + 1).toULongLong(nullptr, 16);
            const QByteArray permissions = fields.value(1);
            const QString name = QString::fromLocal8Bit(fields.mid(5).join(' '));
            if (!ok)
                continue;
            if (name.startsWith(QLatin1Char('/')))
                group = QFileInfo(name).fileName();
            else if (!name.isEmpty())
                group = name;
            else if (start % ArenaAlignment == 0)
                group = QStringLiteral("anon: malloc arenas");
            else if (previousInaccessible && previousEnd == start)
                group = QStringLiteral("anon: thread stacks");
            else
                group = QStringLiteral("anon: other");
            previousInaccessible = permissions.startsWith("---");
            previousEnd = end;
            continue;
        }
        if (line.startsWith("Pss:"))
            groups[group] += line.mid(4).trimmed().split(' ').value(0).toLong();
    }
    return groups;
}

} // namespace tellaria::bench
