// A long article's print preview and print, through the built program on a private X display
// with its keys and pointer from the X server: the preview shows the article's hundred pages and
// the user pages through all of them; printed, the article reaches a print queue of the test's
// own (PrintServer) as a PDF with every page and its text, and with the options chosen on the
// print dialog. Meanwhile the program's own process stays within bounds of memory, and gives it
// back afterwards.

#include "tests/support/PrintServer.h"
#include "tests/support/RealInputProgram.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace tellaria::test;

namespace {

// The proportional set size of process `pid` alone, in megabytes; -1 when it cannot be read.
double PssMegabytes(qint64 pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression pss(QStringLiteral("^Pss:\\s+(\\d+) kB"),
                                 QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pss.match(QString::fromLatin1(rollup.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() / 1024 : -1;
}

// The preview's page count, from its "共 N 页"; 0 while no preview shows one.
int PreviewPages(const AccessibleReading &reading)
{
    static const QRegularExpression count(QStringLiteral("共 (\\d+) 页"));
    for (const AccessibleNode &node : reading.Nodes) {
        const QRegularExpressionMatch match = count.match(node.Name);
        if (node.Role == QLatin1String("label") && match.hasMatch())
            return match.captured(1).toInt();
    }
    return 0;
}

// Runs `program` with `arguments`; its standard output, empty when it failed.
QString Output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class PrintingTest : public ProgramTest
{
    Q_OBJECT

private:
    // The program with the long article as its current page; its PSS then, in `before`.
    std::unique_ptr<Program> OpenLongArticle(double &before)
    {
        auto program = LaunchProgram(TELLARIA_PROGRAM, 2);
        if (!program || !QueryBoxHasTheKeys(*program))
            return nullptr;
        EnterTerm(program->Session, QStringLiteral("cat"));
        if (!program->Tree.WaitFor(QStringLiteral("web document"), QStringLiteral("Long article"),
                                   20000))
            return nullptr;
        before = PssMegabytes(program->Run.ProcessId());
        return before > 0 ? std::move(program) : nullptr;
    }

    std::unique_ptr<PrintServer> m_printServer;

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        m_proxy->SetPage("http://www.iciba.com/", LongArticleHtml());
        if (const QString missing = MissingPrintServerTools(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        // Started before the programs, which find its printer as their default.
        m_printServer = std::make_unique<PrintServer>();
        QVERIFY2(m_printServer->Started(), qPrintable(m_printServer->Error()));
    }

    // Printed on a printer of the print system: the queue gets the article as a PDF, every page
    // with its text, and the program never holds the pages drawn as pictures.
    void aLongArticlePrintsWithItsTextInLittleMemory()
    {
        double before = 0;
        const auto program = OpenLongArticle(before);
        QVERIFY(program);
        const qint64 pid = program->Run.ProcessId();
        QVERIFY(program->Click(Named(QStringLiteral("push button"), QStringLiteral("打印"))));
        // The print dialog, with the print system's default printer chosen: its print button.
        QVERIFY(program->Tree.WaitFor(QStringLiteral("dialog"), QStringLiteral("打印"), 30000));
        QVERIFY(program->Click(Named(QStringLiteral("push button"), QStringLiteral("打印(P)"))));
        double most = before;
        QVERIFY2(TestProxy::WaitFor(
                     [&] {
                         most = std::max(most, PssMegabytes(pid));
                         return QFile::exists(m_printServer->JobFile());
                     },
                     60000),
                 "no job reached the printer");
        const QString info = Output(QStringLiteral("pdfinfo"), {m_printServer->JobFile()});
        const int pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                              .match(info)
                              .captured(1)
                              .toInt();
        QVERIFY2(pages >= 100, qPrintable(info));
        const QString text = Output(QStringLiteral("pdftotext"), {m_printServer->JobFile(), "-"});
        for (const char *words : {"Paragraph 0:", "Paragraph 1100:", "Paragraph 2199:"})
            QVERIFY2(text.contains(QLatin1String(words)), words);
        QVERIFY2(most <= before + 300,
                 qPrintable(QStringLiteral("%1 MB before, %2 MB at most").arg(before).arg(most)));
        double after = 0;
        QVERIFY2(TestProxy::WaitFor([&] { return (after = PssMegabytes(pid)) <= before + 50; }),
                 qPrintable(QStringLiteral("%1 MB before, %2 MB after").arg(before).arg(after)));
        qInfo("the program's own PSS: %.1f MB before printing %d pages, %.1f at most, %.1f after",
              before, pages, most, after);
        CloseByAltF4(program->Session, program->Run);
    }

    // A choice made on the print dialog reaches the job as the print system's option, as the
    // printer gets it: the page set on the dialog's own options, the pages per sheet and the
    // paper on the printer's properties (the dialog does not take the first two together).
    void theDialogsOptionsReachTheJob_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("option");
        QTest::newRow("odd pages")
            << QStringLiteral("选项(O) >>") << QStringLiteral("份数") << QStringLiteral("全部页面")
            << QStringLiteral("奇数页面") << QStringLiteral("page-set=odd");
        QTest::newRow("two pages a sheet")
            << QStringLiteral("属性(R)") << QStringLiteral("页") << QStringLiteral("1 (1x1)")
            << QStringLiteral("2 (2x1)") << QStringLiteral("number-up=2");
        QTest::newRow("paper") << QStringLiteral("属性(R)") << QStringLiteral("页")
                               << QStringLiteral("A4") << QStringLiteral("A5")
                               << QStringLiteral("media=A5");
    }

    void theDialogsOptionsReachTheJob()
    {
        QFETCH(QString, opener);
        QFETCH(QString, tab);
        QFETCH(QString, shown);
        QFETCH(QString, chosen);
        QFETCH(QString, option);
        QFile::remove(m_printServer->JobFile());
        double before = 0;
        const auto program = OpenLongArticle(before);
        QVERIFY(program);
        const auto button
            = [](const QString &name) { return Named(QStringLiteral("push button"), name); };
        QVERIFY(program->Click(button(QStringLiteral("打印"))));
        QVERIFY(program->Tree.WaitFor(QStringLiteral("dialog"), QStringLiteral("打印"), 30000));
        QVERIFY(program->Click(button(opener)));
        QVERIFY(program->Click(Named(QStringLiteral("page tab"), tab)));
        QVERIFY(program->Click(Named(QStringLiteral("combo box"), shown)));
        QVERIFY(program->Click(ListItem(chosen)));
        QVERIFY(program->Tree.WaitFor(QStringLiteral("combo box"), chosen));
        // The printer's properties are a dialog of their own.
        if (program->Tree.Read().Find(QStringLiteral("dialog"), QStringLiteral("打印机属性")))
            QVERIFY(program->Click(button(QStringLiteral("确定"))));
        QVERIFY(program->Click(button(QStringLiteral("打印(P)"))));
        QVERIFY2(TestProxy::WaitFor([&] { return QFile::exists(m_printServer->JobFile()); }, 60000),
                 "no job reached the printer");
        const QStringList options = m_printServer->JobOptions();
        QVERIFY2(options.contains(option), qPrintable(options.join(QLatin1Char(' '))));
        CloseByAltF4(program->Session, program->Run);
    }

    void aLongArticlesPreviewHoldsLittleAndGivesItBack()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 2);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(program->Tree.WaitFor(QStringLiteral("web document"),
                                      QStringLiteral("Long article"), 20000));
        const qint64 pid = program->Run.ProcessId();
        const double before = PssMegabytes(pid);
        QVERIFY(before > 0);

        QVERIFY(program->Click(Named(QStringLiteral("push button"), QStringLiteral("打印预览"))));
        int pages = 0;
        QVERIFY(program->Tree.WaitUntil(
            [&](const AccessibleReading &reading) { return (pages = PreviewPages(reading)) > 0; },
            30000));
        QVERIFY2(pages >= 100, qPrintable(QString::number(pages)));
        // Through every page, a screenful at a time, as a reader pages through; the memory read
        // as it goes.
        double most = before;
        const auto onLastPage = [&](const AccessibleReading &reading) {
            const AccessibleNode *number
                = reading.Find(QStringLiteral("spin box"), QStringLiteral("页码"));
            return number && program->Tree.PageText(*number).contains(QString::number(pages));
        };
        for (int step = 0; step < pages * 3 && !onLastPage(program->Tree.Read()); step += 10) {
            program->Session.XDoTool({"key", "--repeat", "10", "--delay", "20", "Next"});
            most = std::max(most, PssMegabytes(pid));
        }
        QVERIFY(program->Tree.WaitUntil(onLastPage));
        most = std::max(most, PssMegabytes(pid));
        QVERIFY2(most <= before + 300,
                 qPrintable(QStringLiteral("%1 MB before, %2 MB at most").arg(before).arg(most)));

        program->Session.Key(QStringLiteral("Escape"));
        QVERIFY(program->Tree.WaitUntil(
            [](const AccessibleReading &reading) { return PreviewPages(reading) == 0; }));
        double after = 0;
        QVERIFY2(TestProxy::WaitFor([&] { return (after = PssMegabytes(pid)) <= before + 50; }),
                 qPrintable(QStringLiteral("%1 MB before, %2 MB after").arg(before).arg(after)));
        qInfo("the program's own PSS: %.1f MB before the preview, %.1f at most while paging "
              "through %d pages, %.1f after it closed",
              before, most, pages, after);
        CloseByAltF4(program->Session, program->Run);
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<PrintingTest>(argc, argv);
}

#include "Printing_test.moc"
