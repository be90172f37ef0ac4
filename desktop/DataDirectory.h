#pragma once

// Where the settings and history files live.

#include <QString>
#include <QStringList>

#include <string>

namespace tellaria {

// The directory of the running executable, with its trailing separator. Needs no application
// object.
QString ExecutableDirectory();

// `path` as the file system spells it, whatever code page the program's texts use: a home
// directory named in Chinese must still be found.
std::string FileSystemPath(const QString &path);

// True when a file can really be created in `directory`. It tries one rather than asking
// access(), which answers yes to root for directories that refuse files all the same.
bool IsDirectoryWritable(const QString &directory);

// The directories an installed executable runs from, fixed when the program is built: the
// configured install prefix's bin and the Debian package's /usr/bin.
QStringList InstalledExecutableDirectories();

// The directory for the settings and history files, with its trailing separator. An executable
// in one of `installedDirectories` is an installed copy: its files are the user's, in the user's
// configuration directory for the program (made when missing), even where the user could write
// beside the executable, as root can. Any other copy is portable and keeps its files beside
// itself while `executableDirectory` is writable, falling back to the configuration directory
// otherwise. When even that cannot be made, the files' own save reports the failure.
QString DataDirectory(const QString &executableDirectory,
                      const QStringList &installedDirectories = InstalledExecutableDirectories());

} // namespace tellaria
