#pragma once

// A file's bytes read and written whole, for tests that look at what the program keeps on disk.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace tellaria::test {

// A missing file reads as "<missing>", so that a failed comparison tells it from an empty one.
inline QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Fails the calling test when the file cannot be written.
inline void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

} // namespace tellaria::test
