// The window closed, or the program ended by SIGTERM as at a logout, while the engine still owes
// it an answer: a print job's PDF, a print preview's, a find's matches. The built program on a
// private X display with a long article as its page: it ends by itself with status 0, shows no
// message box on its way out, and saves its files as on any close.

#include "tests/support/PrintServer.h"
#include "tests/support/RealInputProgram.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTest>

#include <signal.h>

using namespace tellaria::test;

class ClosingWhileBusyTest : public ProgramTest
{
    Q_OBJECT

private:
    std::unique_ptr<PrintServer> m_printServer;

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        m_proxy->SetPage("http://www.iciba.com/", LongArticleHtml());
        // The print job needs a printer: the print system's default, of the test's own.
        if (MissingPrintServerTools().isEmpty())
            m_printServer = std::make_unique<PrintServer>();
    }

    void closingWhileAnAnswerIsOwedIsQuiet_data()
    {
        QTest::addColumn<QString>("pending");
        QTest::addColumn<bool>("bySignal");
        QTest::newRow("print, window closed") << QStringLiteral("print") << false;
        QTest::newRow("print, SIGTERM") << QStringLiteral("print") << true;
        // The preview is modal: the window closes with it only on a signal.
        QTest::newRow("preview, SIGTERM") << QStringLiteral("preview") << true;
        QTest::newRow("find, window closed") << QStringLiteral("find") << false;
        QTest::newRow("find, SIGTERM") << QStringLiteral("find") << true;
    }

    void closingWhileAnAnswerIsOwedIsQuiet()
    {
        QFETCH(QString, pending);
        QFETCH(bool, bySignal);
        if (pending == QLatin1String("print") && !(m_printServer && m_printServer->Started()))
            QSKIP(qPrintable(MissingPrintServerTools() + " (no printer of the test's own)"));
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 2);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(program->Tree.WaitFor(QStringLiteral("web document"),
                                      QStringLiteral("Long article"), 20000));
        if (pending == QLatin1String("print")) {
            QFile::remove(m_printServer->JobFile());
            QVERIFY(program->Click(Named(QStringLiteral("push button"), QStringLiteral("打印"))));
            QVERIFY(program->Tree.WaitFor(QStringLiteral("dialog"), QStringLiteral("打印"), 30000));
            QVERIFY(
                program->Click(Named(QStringLiteral("push button"), QStringLiteral("打印(P)"))));
            // The dialog gone, the job has begun, and the window has the keys again.
            QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
                return !reading.Find(QStringLiteral("dialog"), QStringLiteral("打印"));
            }));
            QVERIFY(WaitUntilActive(program->Session, program->Run.MainWindow()));
        } else if (pending == QLatin1String("preview")) {
            QVERIFY(
                program->Click(Named(QStringLiteral("push button"), QStringLiteral("打印预览"))));
            QVERIFY(program->Tree.WaitFor(QStringLiteral("dialog"), QStringLiteral("打印预览")));
        } else {
            program->Session.Key(QStringLiteral("ctrl+f"));
            program->Session.Type(QStringLiteral("Paragraph"));
        }
        if (bySignal)
            QVERIFY(::kill(pid_t(program->Run.ProcessId()), SIGTERM) == 0);
        else
            program->Session.Key(QStringLiteral("alt+F4"));

        // A box shown on the way out would hold the process until someone answered it.
        QString box;
        const QDeadlineTimer deadline(30000);
        while (program->Run.Running() && !deadline.hasExpired() && box.isEmpty()) {
            const AccessibleReading reading = program->Tree.Read();
            if (reading.Find(
                    [](const AccessibleNode &node) { return node.Role == QLatin1String("alert"); }))
                box = reading.Describe();
            // The process's end reaches QProcess as an event: unhandled, the loop ran out its time.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        QVERIFY2(box.isEmpty(), qPrintable(box));
        QVERIFY2(program->Run.WaitForExit(), "the program did not end by itself with status 0");
        QCOMPARE(program->Run.ReadFile(QStringLiteral("Lexivander.qry")), QByteArray("cat\r\n"));
        if (pending == QLatin1String("print"))
            qInfo("the job %s the printer before the close",
                  QFile::exists(m_printServer->JobFile()) ? "had reached" : "had not reached");
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<ClosingWhileBusyTest>(argc, argv);
}

#include "ClosingWhileBusy_test.moc"
