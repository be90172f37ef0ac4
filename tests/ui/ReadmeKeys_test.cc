// The README stays short, and its key table lists exactly the keys the window has: the shortcuts
// of its commands, read from the window itself.

#include "tests/support/MainWindow.h"
#include "widgets/Application.h"

#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>

using namespace tellaria;
using namespace tellaria::test;

class ReadmeKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void theReadmeListsOnlyKeysTheWindowHas()
    {
        QFile file(QStringLiteral(TELLARIA_SOURCE_DIR "/README.md"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString readme = QString::fromUtf8(file.readAll());
        QVERIFY2(readme.count(QLatin1Char('\n')) < 250, "README.md has 250 lines or more");

        // The first column of the table under "## Keys": the keys, each in backticks.
        const qsizetype start = readme.indexOf(QStringLiteral("\n## Keys\n"));
        QVERIFY(start >= 0);
        const qsizetype end = readme.indexOf(QStringLiteral("\n## "), start + 1);
        QStringList listed;
        static const QRegularExpression key(QStringLiteral("`([^`]+)`"));
        for (const QString &line : readme.mid(start, end - start).split(QLatin1Char('\n'))) {
            if (!line.startsWith(QStringLiteral("| `")))
                continue;
            const QString cell = line.section(QLatin1Char('|'), 1, 1);
            for (const QRegularExpressionMatch &match : key.globalMatch(cell))
                listed << match.captured(1);
        }
        QVERIFY(listed.size() > 10);

        QTemporaryDir directory;
        auto window = OpenMainWindow(directory.path());
        QSet<QString> keys;
        for (const QAction *action : window->findChildren<QAction *>()) {
            for (const QKeySequence &sequence : action->shortcuts())
                keys << sequence.toString(QKeySequence::PortableText);
        }
        for (const QShortcut *shortcut : window->findChildren<QShortcut *>())
            keys << shortcut->key().toString(QKeySequence::PortableText);
        // Handled by the controls themselves, not by a command: Enter by the query box, Esc by the
        // pages while a query loads, Alt alone by the menu bar.
        keys << QStringLiteral("Enter") << QStringLiteral("Esc") << QStringLiteral("Alt");
        for (const QString &listedKey : listed)
            QVERIFY2(keys.contains(listedKey),
                     qPrintable(listedKey + QStringLiteral(" is no key of the window")));
        // And the table is current: every key of the window's commands is in it.
        for (const QString &windowKey : keys)
            QVERIFY2(
                listed.contains(windowKey),
                qPrintable(windowKey + QStringLiteral(" is missing from the README's key table")));
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    TApplication application(argc, argv);
    ReadmeKeysTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ReadmeKeys_test.moc"
