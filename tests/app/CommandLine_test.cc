// The command line: what it asks for, and the real program answering --help, --version, a bad
// command line and a start as root without a display or an engine.

#include "desktop/CommandLine.h"
#include "tests/support/ProgramCopy.h"

#include <QDir>
#include <QFile>
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
Run RunProgram(const QStringList &arguments,
               const QStringList &extraEnvironment = {},
               const QString &program = TELLARIA_EXECUTABLE)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The desktop's language is the test's to give.
    for (const char *name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QTWEBENGINE_DISABLE_SANDBOX",
          "QTWEBENGINE_CHROMIUM_FLAGS", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QString::fromLatin1(name));
    for (const QString &assignment : extraEnvironment)
        environment.insert(assignment.section('=', 0, 0), assignment.section('=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
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

// Today's help, word for word, which a Chinese desktop and one we have no catalogue for read.
const char ChineseHelp[]
    = "用法：tellaria [选项] [词语]\n"
      "　或：tellaria [-m N] --selection\n"
      "同时在多部网上工具书中查询词语，每部工具书的结果显示在各自的标签页中。\n"
      "\n"
      "选项：\n"
      "  -m, --mode <N>    查询方式，默认为上次使用的方式：\n"
      "                    0  百科全书\n"
      "                    1  成语词典\n"
      "                    2  英汉汉英词典\n"
      "                    3  微软Bing智能英汉词典\n"
      "  -s, --selection   查询在任何程序中选中的文字（主选区）；没有选中的文字时，\n"
      "                    查询剪贴板中的文字。只查第一个非空行，超过 1000 个字时\n"
      "                    不查询。不能与词语同时使用。\n"
      "  -h, --help        显示本帮助并退出\n"
      "  -v, --version     显示版本信息并退出\n"
      "\n"
      "参数：\n"
      "  词语              启动后把词语填入查询框并立即查询，如同按下回车键；\n"
      "                    多个词以空格连成一个词语。以“-”开头的词语请写在“--”之后。\n"
      "\n"
      "Tellaria 已在运行时，新启动的 Tellaria 把词语（或选中的文字）交给已打开的\n"
      "窗口查询，把该窗口提到最前，然后退出。\n";

const QStringList EnglishDesktop{"LANGUAGE=en", "LANG=C"};
const QStringList ChineseDesktop{"LANG=zh_CN.UTF-8"};
const QStringList CLocale{"LANG=C"};

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

    // In the desktop's language: English where it asks for English, today's Chinese where it
    // asks for Chinese or for nothing we have.
    void helpAndVersionNeedNoDisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("desktop");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("whole"); // else the lines expected begin the output
        const QByteArray version = VersionText().toUtf8();
        const QByteArray english = "Usage: tellaria [OPTION] [TERM]\n"
                                   "  or:  tellaria [-m N] --selection\n";
        QTest::newRow("--version") << "--version" << CLocale << version << true;
        QTest::newRow("-v, English") << "-v" << EnglishDesktop << version << true;
        QTest::newRow("--help, C locale") << "--help" << CLocale << QByteArray(ChineseHelp) << true;
        QTest::newRow("-h, Chinese") << "-h" << ChineseDesktop << QByteArray(ChineseHelp) << true;
        QTest::newRow("--help, German")
            << "--help" << QStringList{"LANG=de_DE.UTF-8"} << QByteArray(ChineseHelp) << true;
        QTest::newRow("--help, English") << "--help" << EnglishDesktop << english << false;
        QTest::newRow("--help, en_US")
            << "--help" << QStringList{"LANG=en_US.UTF-8"} << english << false;
    }

    void helpAndVersionNeedNoDisplay()
    {
        QFETCH(QString, option);
        QFETCH(QStringList, desktop);
        QFETCH(QByteArray, expected);
        QFETCH(bool, whole);
        const Run run = RunProgram({option}, desktop);
        QVERIFY(run.Finished);
        QCOMPARE(run.ExitCode, 0);
        if (whole)
            QCOMPARE(run.Output, expected);
        else
            QVERIFY2(run.Output.startsWith(expected), run.Output);
        // No word of another language slipped in.
        if (!whole)
            QVERIFY2(QString::fromUtf8(run.Output).toLatin1() == run.Output, run.Output);
        QCOMPARE(run.Errors, QByteArray());
    }

    void badCommandLineIsAUsageError_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("desktop");
        QTest::addColumn<QString>("expected");
        const QStringList mode{"--mode", "7", "cat"};
        const QStringList both{"cat", "--selection"};
        QTest::newRow("mode out of range") << mode << CLocale
                                           << QString::fromUtf8("tellaria: 查询方式必须是 0 到 3 "
                                                                "之间的数字，而不是“7”（用法见"
                                                                "“tellaria --help”）\n");
        QTest::newRow("a term and --selection, Chinese")
            << both << ChineseDesktop
            << QString::fromUtf8("tellaria: 选项 --selection 查询选中的文字，不能再给出词语“cat”"
                                 "（用法见“tellaria --help”）\n");
        QTest::newRow("mode out of range, English")
            << mode << EnglishDesktop
            << QString("tellaria: The lookup mode must be a number from 0 to 3, not \"7\" (see "
                       "\"tellaria --help\" for usage)\n");
        QTest::newRow("unknown option, English")
            << QStringList{"--bogus"} << EnglishDesktop
            << QString("tellaria: Unknown option: --bogus (see \"tellaria --help\" for usage)\n");
    }

    // One line, saying what was wrong and where the usage is.
    void badCommandLineIsAUsageError()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, desktop);
        QFETCH(QString, expected);
        const Run run = RunProgram(arguments, desktop);
        QVERIFY(run.Finished);
        QCOMPARE(run.ExitCode, 2);
        QCOMPARE(run.Output, QByteArray());
        QCOMPARE(QString::fromUtf8(run.Errors), expected);
    }

    // The stored choice outlives the program and overrides the desktop.
    void storedLanguageOverridesTheDesktop_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QStringList>("desktop");
        QTest::addColumn<bool>("english");
        QTest::newRow("English chosen, Chinese desktop")
            << QByteArray("[View]\r\nLanguage=en\r\n") << ChineseDesktop << true;
        QTest::newRow("Chinese chosen, English desktop")
            << QByteArray("[View]\r\nLanguage=zh_CN\r\n") << EnglishDesktop << false;
        QTest::newRow("system, English desktop")
            << QByteArray("[View]\r\nLanguage=system\r\n") << EnglishDesktop << true;
    }

    void storedLanguageOverridesTheDesktop()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QStringList, desktop);
        QFETCH(bool, english);
        QTemporaryDir directory;
        const QString program = test::PlaceProgramIn(TELLARIA_EXECUTABLE, directory.path());
        QVERIFY(!program.isEmpty());
        QFile file(directory.filePath("Lexivanedr.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(settings);
        file.close();
        const Run run = RunProgram({"--help"}, desktop, program);
        QVERIFY(run.Finished);
        QCOMPARE(run.Output.startsWith("Usage: tellaria"), english);
        QCOMPARE(run.Output == ChineseHelp, !english);
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
