// The README stays short, and its key table lists exactly the keys of the window's command table;
// and no key of the window bypasses that table.

#include "tests/support/MainWindow.h"
#include "ui/CommandTable.h"
#include "ui/Commands.h"
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

        QSet<QString> keys;
        for (const TCommandRow &row : CommandTable()) {
            for (const QString &sequence :
                 QString::fromUtf8(row.Keys).split(QLatin1Char(';'), Qt::SkipEmptyParts))
                keys << QKeySequence(sequence, QKeySequence::PortableText)
                            .toString(QKeySequence::PortableText);
        }

        QTemporaryDir directory;
        auto window = OpenMainWindow(directory.path());
        for (const QAction *action : window->findChildren<QAction *>()) {
            for (const QKeySequence &sequence : action->shortcuts())
                QVERIFY2(
                    keys.contains(sequence.toString(QKeySequence::PortableText)),
                    qPrintable(action->objectName() + QStringLiteral(" has a key of its own")));
        }
        QVERIFY(window->findChildren<QShortcut *>().isEmpty());
        // And every command of the table has something that runs it.
        QCOMPARE(window->findChild<TCommands *>()->WithoutRunner(), QStringList());

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
