#include "desktop/DataDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tellaria {

std::string FileSystemPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

QString ExecutableDirectory()
{
    // Read from the kernel, as Qt does, but without asking for an application object: a later
    // start finds the running copy before it makes one.
    const QString executable = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (executable.isEmpty())
        return QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    return QFileInfo(executable).absolutePath() + QLatin1Char('/');
}

namespace {

QString WithTrailingSeparator(const QString &directory)
{
    return directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
}

// Symbolic links resolved where the directory exists, so /usr/local/bin reached through a link
// still counts as itself; a missing directory is compared as written, cleaned.
QString ComparablePath(const QString &directory)
{
    const QString canonical = QFileInfo(directory).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(directory).absolutePath()) : canonical;
}

bool IsInstalledDirectory(const QString &directory, const QStringList &installedDirectories)
{
    if (directory.isEmpty())
        return false;
    const QString path = ComparablePath(directory);
    for (const QString &installed : installedDirectories) {
        if (!installed.isEmpty() && ComparablePath(installed) == path)
            return true;
    }
    return false;
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

QStringList InstalledExecutableDirectories()
{
    return QString::fromUtf8(TELLARIA_INSTALLED_BINDIRS)
        .split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QString DataDirectory(const QString &executableDirectory, const QStringList &installedDirectories)
{
    if (!IsInstalledDirectory(executableDirectory, installedDirectories)
        && IsDirectoryWritable(executableDirectory))
        return WithTrailingSeparator(executableDirectory);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return WithTrailingSeparator(config);
}

} // namespace tellaria
