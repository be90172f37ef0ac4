// The command line: what it asks for, and the real program answering --help, --version, a bad
// command line and a start as root without a display or an engine.

#include "desktop/CommandLine.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace tellaria;

Q_DECLARE_METATYPE(TCommandLine::TAction)

namespace {

using Action = TCommandLine::TAction;

struct Run
{
    int ExitCode = -1;
    QByteArray Output;
    QByteArray Errors;
    bool Finished = false;
};

// The program with no display at all, as from a text console or a script: no DISPLAY, no
// WAYLAND_DISPLAY, no platform chosen.
Run RunProgram(const QStringList &arguments, const QStringList &extraEnvironment = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                             "QTWEBENGINE_DISABLE_SANDBOX", "QTWEBENGINE_CHROMIUM_FLAGS"})
        environment.remove(QString::fromLatin1(name));
    for (const QString &assignment : extraEnvironment)
        environment.insert(assignment.section('=', 0, 0), assignment.section('=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TELLARIA_EXECUTABLE), arguments);
    Run run;
    run.Finished = process.waitForFinished(20000);
    if (!run.Finished) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Output = process.readAllStandardOutput();
    run.Errors = process.readAllStandardError();
    return run;
}

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void argumentsAreRead_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("hasTerm");
        QTest::addColumn<QString>("term");
        QTest::addColumn<int>("mode");

        const auto row = [](const char *name, QStringList arguments, Action action,
                            bool hasTerm = false, QString term = {}, int mode = -1) {
            QTest::newRow(name) << (QStringList{"tellaria"} + arguments) << action << hasTerm
                                << term << mode;
        };
        row("nothing: as before", {}, Action::Run);
        row("term", {"猫"}, Action::Run, true, "猫");
        row("mode and term", {"--mode", "2", "cat"}, Action::Run, true, "cat", 2);
        row("mode joined by =", {"--mode=3", "cat"}, Action::Run, true, "cat", 3);
        row("short mode", {"-m", "1", "画蛇添足"}, Action::Run, true, "画蛇添足", 1);
        row("mode after term", {"cat", "--mode", "0"}, Action::Run, true, "cat", 0);
        row("mode alone", {"--mode", "1"}, Action::Run, false, {}, 1);
        row("words make one term", {"New", "York"}, Action::Run, true, "New York");
        row("blank term is still a term", {""}, Action::Run, true, "");
        row("term beginning with a dash", {"--", "-ism"}, Action::Run, true, "-ism");
        row("dashes after -- are text", {"--", "--help"}, Action::Run, true, "--help");
        row("help", {"--help"}, Action::ShowHelp);
        row("short help", {"-h"}, Action::ShowHelp);
        row("help wins over a term", {"cat", "--help"}, Action::ShowHelp);
        row("version", {"--version"}, Action::ShowVersion);
        row("short version", {"-v"}, Action::ShowVersion);
        row("unknown option", {"--bogus"}, Action::Refuse);
        row("unknown short option", {"-x", "cat"}, Action::Refuse);
        row("mode without value", {"cat", "--mode"}, Action::Refuse);
        row("mode out of range", {"--mode", "4", "cat"}, Action::Refuse);
        row("negative mode", {"--mode", "-1", "cat"}, Action::Refuse);
        row("mode not a number", {"--mode", "百科全书", "cat"}, Action::Refuse);
        row("empty mode", {"--mode=", "cat"}, Action::Refuse);
    }

    void argumentsAreRead()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(bool, hasTerm);
        QFETCH(QString, term);
        QFETCH(int, mode);
        const TCommandLine commandLine = ParseCommandLine(arguments);
        QCOMPARE(commandLine.Action, action);
        QCOMPARE(commandLine.Error.isEmpty(), action != Action::Refuse);
        if (action != Action::Run)
            return;
        QCOMPARE(commandLine.Request.Term.has_value(), hasTerm);
        QCOMPARE(commandLine.Request.Term.value_or(QString()), term);
        QCOMPARE(commandLine.Request.Mode, mode);
    }

    void selectionTakesThePlaceOfATerm_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("selection");
        QTest::addColumn<int>("mode");

        const auto row = [](const char *name, QStringList arguments, Action action,
                            bool selection = false, int mode = -1) {
            QTest::newRow(name) << (QStringList{"tellaria"} + arguments) << action << selection
                                << mode;
        };
        row("selection", {"--selection"}, Action::Run, true);
        row("short selection", {"-s"}, Action::Run, true);
        row("with a mode", {"--mode", "2", "--selection"}, Action::Run, true, 2);
        row("mode after it", {"-s", "-m", "1"}, Action::Run, true, 1);
        row("after -- it is the term", {"--", "--selection"}, Action::Run, false);
        row("and a term", {"--selection", "cat"}, Action::Refuse);
        row("term first", {"cat", "-s"}, Action::Refuse);
        row("and a blank term", {"--selection", ""}, Action::Refuse);
        row("and a term after --", {"--selection", "--", "-ism"}, Action::Refuse);
        row("and a bad mode", {"--selection", "--mode", "5"}, Action::Refuse);
    }

    void selectionTakesThePlaceOfATerm()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(bool, selection);
        QFETCH(int, mode);
        const TCommandLine commandLine = ParseCommandLine(arguments);
        QCOMPARE(commandLine.Action, action);
        if (action != Action::Run)
            return;
        QCOMPARE(commandLine.LookUpSelection, selection);
        // The term is read from the selection later, by the program.
        QCOMPARE(commandLine.Request.Term.has_value(), !selection);
        QCOMPARE(commandLine.Request.Mode, mode);
    }

    void refusalsNameWhatWasWrong()
    {
        QVERIFY(ParseCommandLine({"tellaria", "--bogus"}).Error.contains("--bogus"));
        QVERIFY(ParseCommandLine({"tellaria", "-x"}).Error.contains("-x"));
        QVERIFY(ParseCommandLine({"tellaria", "--mode", "9"}).Error.contains("9"));
        QVERIFY(ParseCommandLine({"tellaria", "--mode"}).Error.contains("--mode"));
        QVERIFY(ParseCommandLine({"tellaria", "-s", "cat"}).Error.contains("--selection"));
    }

    void helpAndVersionNeedNoDisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("--version") << "--version" << VersionText().toUtf8();
        QTest::newRow("-v") << "-v" << VersionText().toUtf8();
        QTest::newRow("--help") << "--help" << HelpText().toUtf8();
        QTest::newRow("-h") << "-h" << HelpText().toUtf8();
    }

    void helpAndVersionNeedNoDisplay()
    {
        QFETCH(QString, option);
        QFETCH(QByteArray, expected);
        const Run run = RunProgram({option});
        QVERIFY(run.Finished);
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Output, expected);
        QCOMPARE(run.Errors, QByteArray());
    }

    void badCommandLineIsAUsageError_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("mode out of range") << QStringList{"--mode", "7", "cat"};
        QTest::newRow("a term and --selection") << QStringList{"cat", "--selection"};
    }

    void badCommandLineIsAUsageError()
    {
        QFETCH(QStringList, arguments);
        const Run run = RunProgram(arguments);
        QVERIFY(run.Finished);
        QCOMPARE(run.ExitCode, 2);
        QCOMPARE(run.Output, QByteArray());
        // One line, saying what was wrong and where the usage is.
        QVERIFY2(run.Errors.startsWith("tellaria: "), run.Errors);
        QVERIFY2(run.Errors.endsWith('\n') && run.Errors.count('\n') == 1, run.Errors);
        QVERIFY2(run.Errors.contains("--help"), run.Errors);
    }

    void rootIsToldWhyInsteadOfTheEnginesDeath()
    {
        if (::geteuid() != 0)
            QSKIP("needs root");
        QTemporaryDir runtime;
        // Offscreen: a display is there for Qt but nobody to read a box, so stderr alone says it.
        const Run run = RunProgram(
            {"cat"}, {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime.path()});
        QVERIFY(run.Finished);
        QCOMPARE(run.ExitCode, 1);
        const QString errors = QString::fromUtf8(run.Errors);
        QVERIFY2(errors.contains(QString::fromUtf8("请以普通用户身份运行")), run.Errors);
        QVERIFY2(!errors.contains("Running as root without --no-sandbox"), run.Errors);
        // It stopped before becoming the running copy.
        QCOMPARE(QDir(runtime.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)

#include "CommandLine_test.moc"
