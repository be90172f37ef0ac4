#include "platform/DataDirectory.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tellaria {

namespace {

QString WithTrailingSeparator(const QString &directory)
{
    return directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
}

} // namespace

bool IsDirectoryWritable(const QString &directory)
{
    if (directory.isEmpty())
        return false;
    QTemporaryFile probe(WithTrailingSeparator(directory)
                         + QStringLiteral(".tellaria-write-probe-XXXXXX"));
    return probe.open(); // the probe removes itself
}

QString DataDirectory(const QString &executableDirectory)
{
    if (IsDirectoryWritable(executableDirectory))
        return WithTrailingSeparator(executableDirectory);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return WithTrailingSeparator(config);
}

} // namespace tellaria
