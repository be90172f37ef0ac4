// Where the settings and history files live: beside the program while its directory takes
// files, in the user's configuration directory otherwise.

#include "desktop/DataDirectory.h"
#include "widgets/Application.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tellaria;

namespace {

// A directory no test user, root included, can create a file in. sysfs refuses new files to
// everyone, yet access(W_OK) says yes to root there, so it also shows the probe is a real try.
// A read-only mode bit would not do: the tests run as root, who ignores it.
const char UnwritableDirectory[] = "/sys";

QStringList Entries(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                     | QDir::NoDotAndDotDot);
}

} // namespace

class DataDirectoryTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        QVERIFY(m_config->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
        m_programConfig = m_config->path() + QStringLiteral("/tellaria/");
    }

    void writableDirectoryIsKept()
    {
        QTemporaryDir program;
        QCOMPARE(DataDirectory(program.path() + QLatin1Char('/')), program.path() + '/');
        QCOMPARE(DataDirectory(program.path()), program.path() + '/');
        // The probe leaves nothing behind, and the configuration directory is not made.
        QCOMPARE(Entries(program.path()), QStringList());
        QVERIFY(!QFileInfo::exists(m_programConfig));
    }

    void writableDirectoryWinsOverExistingConfiguration()
    {
        // Files once kept in the configuration directory do not pull a portable copy there.
        QVERIFY(QDir().mkpath(m_programConfig));
        QFile old(m_programConfig + QStringLiteral("Lexivander.qry"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        QTemporaryDir program;
        QCOMPARE(DataDirectory(program.path()), program.path() + '/');
    }

    void unwritableDirectoryFallsBackToConfiguration()
    {
        if (!QFileInfo(QString::fromLatin1(UnwritableDirectory)).isDir())
            QSKIP("no sysfs here");
        QVERIFY(!IsDirectoryWritable(QString::fromLatin1(UnwritableDirectory)));
        // The configuration directory is ~/.config/tellaria: the application's own name.
        QCOMPARE(DataDirectory(QString::fromLatin1(UnwritableDirectory) + '/'), m_programConfig);
        QVERIFY(QFileInfo(m_programConfig).isDir());
        QVERIFY(IsDirectoryWritable(m_programConfig));
    }

    void missingConfigurationParentsAreMade()
    {
        const QString deep = m_config->path() + QStringLiteral("/not/yet");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(deep));
        QCOMPARE(DataDirectory(QString::fromLatin1(UnwritableDirectory)), deep + "/tellaria/");
        QVERIFY(QFileInfo(deep + QStringLiteral("/tellaria")).isDir());
    }

    void directoryThatCannotExistFallsBack()
    {
        // A directory under a regular file can never be created, let alone written.
        QTemporaryDir scratch;
        const QString file = scratch.path() + QStringLiteral("/file");
        QFile regular(file);
        QVERIFY(regular.open(QIODevice::WriteOnly));
        regular.close();
        QVERIFY(!IsDirectoryWritable(file));
        QVERIFY(!IsDirectoryWritable(file + QStringLiteral("/below")));
        QCOMPARE(DataDirectory(file + QStringLiteral("/below/")), m_programConfig);
        QVERIFY(!IsDirectoryWritable(QString()));
    }

    void existingFilesInConfigurationAreKept()
    {
        QVERIFY(QDir().mkpath(m_programConfig));
        QFile settings(m_programConfig + QStringLiteral("Lexivanedr.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Form]\r\nWidth=700\r\n");
        settings.close();
        QCOMPARE(DataDirectory(QString::fromLatin1(UnwritableDirectory)), m_programConfig);
        QCOMPARE(Entries(m_programConfig), QStringList{QStringLiteral("Lexivanedr.ini")});
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QCOMPARE(settings.readAll(), QByteArray("[Form]\r\nWidth=700\r\n"));
    }

    void installedCopyKeepsItsFilesInTheConfiguration_data()
    {
        // Directories below a scratch directory: "bin" the installed one, "link" a symbolic
        // link to it. All writable, as every directory is to root.
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<bool>("beside");
        QTest::newRow("installed") << "bin" << QStringList{"bin"} << false;
        QTest::newRow("installed, trailing separator") << "bin/" << QStringList{"bin"} << false;
        QTest::newRow("installed, listed with separator") << "bin" << QStringList{"bin/"} << false;
        QTest::newRow("second installed directory")
            << "bin" << QStringList{"elsewhere", "bin"} << false;
        QTest::newRow("started through a link") << "link" << QStringList{"bin"} << false;
        QTest::newRow("installed directory is a link") << "bin" << QStringList{"link"} << false;
        QTest::newRow("below an installed directory")
            << "bin/portable" << QStringList{"bin"} << true;
        QTest::newRow("above an installed directory") << "." << QStringList{"bin"} << true;
        QTest::newRow("installed directory missing") << "bin" << QStringList{"missing"} << true;
        QTest::newRow("no installed directory") << "bin" << QStringList{} << true;
        QTest::newRow("empty entry") << "bin" << QStringList{""} << true;
    }

    void installedCopyKeepsItsFilesInTheConfiguration()
    {
        QFETCH(QString, executable);
        QFETCH(QStringList, installed);
        QFETCH(bool, beside);
        QTemporaryDir scratch;
        QVERIFY(QDir(scratch.path()).mkpath("bin/portable"));
        QVERIFY(QFile::link(scratch.filePath("bin"), scratch.filePath("link")));
        const auto inScratch = [&](const QString &name) {
            return name.isEmpty() ? name : scratch.path() + '/' + name;
        };
        for (QString &directory : installed)
            directory = inScratch(directory);
        const QString directory = inScratch(executable);
        QVERIFY(IsDirectoryWritable(directory));
        const QString chosen = DataDirectory(directory, installed);
        if (beside) {
            QCOMPARE(QDir(chosen).canonicalPath(), QDir(directory).canonicalPath());
            QVERIFY(chosen.endsWith('/'));
        } else {
            QCOMPARE(chosen, m_programConfig);
        }
        // Nothing is written beside an installed executable, not even the probe.
        QCOMPARE(Entries(scratch.filePath("bin")), QStringList{"portable"});
    }

    void installedDirectoriesAreThoseOfTheBuild()
    {
        const QStringList installed = InstalledExecutableDirectories();
        // make install's, and the Debian package's.
        QVERIFY2(installed.contains(TELLARIA_INSTALL_BINDIR), qPrintable(installed.join(' ')));
        QVERIFY2(installed.contains("/usr/bin"), qPrintable(installed.join(' ')));
    }

private:
    std::unique_ptr<QTemporaryDir> m_config;
    QString m_programConfig;
};

// The program's own application object, so the configuration directory carries its real name.
int main(int argc, char *argv[])
{
    TApplication application(argc, argv);
    DataDirectoryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DataDirectory_test.moc"
