// The window bench's command line: which scenarios each combination of options runs, with how
// many rounds and soak queries, and the command lines it refuses.

#include "bench/BenchOptions.h"

#include <QTest>

using namespace tellaria::bench;

class BenchOptionsTest : public QObject
{
    Q_OBJECT

private:
    static std::optional<RunOptions> Read(const QStringList &arguments, QString &error)
    {
        QCommandLineParser parser;
        DeclareOptions(parser);
        if (!parser.parse(QStringList{QStringLiteral("window_bench")} + arguments)) {
            error = parser.errorText();
            return std::nullopt;
        }
        return ReadOptions(parser, error);
    }

private slots:
    void chosenScenarios_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("scenarios");
        QTest::addColumn<int>("rounds");
        QTest::addColumn<int>("readingRounds");
        QTest::addColumn<int>("soakQueries");
        QTest::addColumn<bool>("soakBare");
        const QStringList all{"rounds", "layouts", "accessibility", "reading aids", "printing"};
        const QStringList allWithSoak{"rounds",        "layouts",      "soak",
                                      "accessibility", "reading aids", "printing"};
        QTest::newRow("nothing given") << QStringList{} << all << 7 << 5 << 0 << true;
        QTest::newRow("make bench")
            << QStringList{"--soak", "500"} << allWithSoak << 7 << 5 << 500 << true;
        QTest::newRow("a soak of 50 has nothing to compare")
            << QStringList{"--soak", "50"} << all << 7 << 5 << 50 << true;
        QTest::newRow("rounds given count for the reading aids too")
            << QStringList{"--rounds", "3"} << all << 3 << 3 << 0 << true;
        QTest::newRow("no round is one")
            << QStringList{"--rounds", "0"} << all << 1 << 1 << 0 << true;
        QTest::newRow("the soak alone")
            << QStringList{"--soak", "1500", "--soak-program", "--soak-only"} << QStringList{"soak"}
            << 7 << 5 << 1500 << false;
        QTest::newRow("the soak alone, with no queries, is nothing")
            << QStringList{"--soak-only"} << QStringList{} << 7 << 5 << 0 << true;
        QTest::newRow("the soak alone before the layouts")
            << QStringList{"--layouts", "--soak-only", "--soak", "100"} << QStringList{"soak"} << 7
            << 5 << 100 << true;
        QTest::newRow("the layouts and the soak")
            << QStringList{"--layouts", "--soak", "100"} << QStringList{"layouts", "soak"} << 7 << 5
            << 100 << true;
        QTest::newRow("the layouts alone")
            << QStringList{"--layouts"} << QStringList{"layouts"} << 7 << 5 << 0 << true;
        QTest::newRow("starts with a term alone")
            << QStringList{"--cold-starts", "--rounds", "1", "--soak", "500"}
            << QStringList{"cold starts"} << 1 << 1 << 500 << true;
        QTest::newRow("the reading aids alone")
            << QStringList{"--reading", "--cold-starts"} << QStringList{"reading aids"} << 7 << 5
            << 0 << true;
        QTest::newRow("printing alone, before all else")
            << QStringList{"--printing", "--reading", "--soak-only", "--soak", "500"}
            << QStringList{"printing"} << 7 << 5 << 500 << true;
    }

    void chosenScenarios()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, scenarios);
        QFETCH(int, rounds);
        QFETCH(int, readingRounds);
        QFETCH(int, soakQueries);
        QFETCH(bool, soakBare);
        QString error;
        const std::optional<RunOptions> options = Read(arguments, error);
        QVERIFY2(options.has_value(), qPrintable(error));
        QCOMPARE(ChosenScenarios(*options), scenarios);
        QCOMPARE(options->Rounds, rounds);
        QCOMPARE(options->ReadingRounds, readingRounds);
        QCOMPARE(options->SoakQueries, soakQueries);
        QCOMPARE(options->SoakBare, soakBare);
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("rounds not a number") << QStringList{"--rounds", "seven"} << "--rounds";
        QTest::newRow("soak not a number") << QStringList{"--soak", "5x"} << "--soak";
        QTest::newRow("rounds with no number") << QStringList{"--rounds"} << "rounds";
        QTest::newRow("an option it does not have") << QStringList{"--bare"} << "bare";
    }

    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QString said;
        QVERIFY(!Read(arguments, said).has_value());
        QVERIFY2(said.contains(error), qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(BenchOptionsTest)
#include "BenchOptions_test.moc"
