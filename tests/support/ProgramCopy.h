#pragma once

// The built program placed in a directory of the test's own: the program is portable, so it
// keeps its data files beside the executable, where the test lays them out and reads them back.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <unistd.h>

namespace tellaria::test {

// The path of `program` linked (or, across file systems, copied) into `directory` under its own
// name; empty when neither works.
inline QString PlaceProgramIn(const QString &program, const QString &directory)
{
    const QString placed = QDir(directory).filePath(QFileInfo(program).fileName());
    if (::link(QFile::encodeName(program).constData(), QFile::encodeName(placed).constData()) == 0
        || QFile::copy(program, placed))
        return placed;
    return {};
}

} // namespace tellaria::test
