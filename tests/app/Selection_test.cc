// `tellaria --selection` as a desktop shortcut runs it: the built program, on a private X display
// where another program (SelectionOwner) holds the selected or copied text. Handed over to a
// running window (this test's own, behind the local proxy), the text's rules show in what the
// window does: the URL it asks for, the term it records, the message box it shows instead. With
// no window running, the program opens its own and looks the selection up there.

#include "app/Program.h"
#include "desktop/SingleInstance.h"
#include "desktop/Translations.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/ProgramCopy.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/SelectionHolder.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "tests/support/XSession.h"
#include "ui/UnitMain.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using namespace tellaria;
using namespace tellaria::test;

namespace {

const QString BlankMessage = QString::fromUtf8("请输入要搜索的内容！");
const QString TooLongMessage = QString::fromUtf8("选中的文字太长（超过 1000 个字），无法查询。");

QString BingUrl(const QString &encodedTerm)
{
    return "http://dict.bing.com.cn/?FORM=CHOT20&q=" + encodedTerm;
}

} // namespace

class SelectionTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir m_programDirectory;
    QString m_program;
    std::unique_ptr<QTemporaryDir> m_runtime;

    bool WaitForRequest(const QString &url)
    {
        return TestProxy::WaitFor([&] { return m_proxy->Requests().contains(url); }, 20000);
    }

    // Runs the program on `session`'s display to its end, handing over to this process's
    // window; its exit code, or -1 when it did not end in time.
    int RunCopy(const XSession &session, const QStringList &arguments)
    {
        QProcessEnvironment environment = session.Environment();
        environment.insert("XDG_RUNTIME_DIR", m_runtime->path());
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(m_program, arguments);
        if (!process.waitForStarted())
            return -1;
        if (!TestProxy::WaitFor([&] { return process.state() == QProcess::NotRunning; })) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

private slots:
    void initTestCase()
    {
        if (!XSessionAvailable())
            QSKIP("Xvfb, xdotool, xprop, xwininfo or ImageMagick's import is missing");
        m_proxy = new TestProxy(this);
        QVERIFY(m_programDirectory.isValid());
        m_program = PlaceProgramIn(QStringLiteral(TELLARIA_EXECUTABLE), m_programDirectory.path());
        QVERIFY(!m_program.isEmpty());
    }

    void init()
    {
        m_runtime = std::make_unique<QTemporaryDir>();
        QVERIFY(m_runtime->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
        m_proxy->ClearRequests();
        // Each query writes the history: every case starts from none.
        QFile::remove(m_programDirectory.filePath(QStringLiteral("Lexivander.qry")));
    }

    void theRunningWindowLooksUpWhatIsSelected_data()
    {
        QTest::addColumn<QString>("primary"); // null: no program holds it
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("url"); // empty when refused
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QString>("message"); // shown instead of a lookup

        const QString none;
        QTest::newRow("one line, the primary selection before the clipboard")
            << "owl"
            << "emu" << BingUrl("owl") << "owl" << none;
        QTest::newRow("several lines: the first that is not blank, trimmed")
            << " \r\n  big cat \r\nsecond line\nthird" << none << BingUrl("big+cat") << "big cat"
            << none;
        QTest::newRow("no primary selection: the clipboard")
            << none << "emu" << BingUrl("emu") << "emu" << none;
        QTest::newRow("blank") << " \t\n  \n"
                               << "emu" << QString() << none << BlankMessage;
        QTest::newRow("nothing selected or copied")
            << none << none << QString() << none << BlankMessage;
        QTest::newRow("1,001 characters")
            << QString(1001, 'a') << none << QString() << none << TooLongMessage;
        // Over what one X request carries (16 MiB here): sent in pieces, ICCCM's INCR.
        QTest::newRow("a 17,000,000-character line")
            << QString(17'000'000, 'b') << none << QString() << none << TooLongMessage;
    }

    void theRunningWindowLooksUpWhatIsSelected()
    {
        QFETCH(QString, primary);
        QFETCH(QString, clipboard);
        QFETCH(QString, url);
        QFETCH(QString, recorded);
        QFETCH(QString, message);

        XSession session(WindowManager::None);
        QVERIFY(session.Started());
        std::vector<std::unique_ptr<SelectionHolder>> holders;
        for (const auto &[selection, text] :
             {std::pair{"primary", primary}, {"clipboard", clipboard}}) {
            if (text.isNull())
                continue;
            holders.push_back(
                std::make_unique<SelectionHolder>(session, SELECTION_OWNER, selection, text));
            QVERIFY(holders.back()->Held());
        }

        TfrmMain window(m_programDirectory.path());
        TSingleInstance instance(m_programDirectory.path());
        QCOMPARE(instance.Start({}), TSingleInstance::TRole::Running);
        ServeLaterStarts(instance, window);
        window.show();
        // The encyclopaedias: a --mode 3 that did not arrive would ask for five pages.
        window.SelectLookupMode(0);
        MessageBoxWatcher boxes;

        QCOMPARE(RunCopy(session, {"--selection", "--mode", "3"}), 0);
        if (message.isEmpty()) {
            QVERIFY(WaitForRequest(url));
            QCOMPARE(ResultRequests(*m_proxy), QStringList{url});
            QCOMPARE(window.History().Entries(), std::vector{recorded.toStdString()});
            QCOMPARE(boxes.Seen().size(), 0);
            return;
        }
        QVERIFY(TestProxy::WaitFor([&] { return !boxes.Seen().isEmpty(); }));
        QCOMPARE(boxes.Seen().size(), 1);
        QCOMPARE(boxes.Seen().first().Title, QString("Tellaria"));
        QCOMPARE(boxes.Seen().first().Text, message);
        QCOMPARE(boxes.Seen().first().Icon, QMessageBox::Information);
        // Refused as a blank term is: the mode asked for is picked, nothing asked or recorded.
        QCOMPARE(window.History().Count(), std::size_t(0));
        QCOMPARE(ResultRequests(*m_proxy), QStringList());
        QCOMPARE(CmbBoxType(window)->currentIndex(), 3);
    }

    void aFirstStartOpensTheWindowAndLooksTheSelectionUp()
    {
        XSession session;
        QVERIFY(session.Started());
        SelectionHolder holder(session, SELECTION_OWNER, "primary", "owl\nemu");
        QVERIFY(holder.Held());
        ProgramRun run(session, TELLARIA_EXECUTABLE);
        QVERIFY(run.Start({"--selection", "--mode", "3"}));
        QVERIFY(WaitForRequest(BingUrl("owl")));
        QCOMPARE(ResultRequests(*m_proxy), QStringList{BingUrl("owl")});
        session.Key("alt+F4");
        QVERIFY(run.WaitForExit());
        QCOMPARE(run.ReadFile("Lexivander.qry"), QByteArray("owl\r\n"));
        QVERIFY(run.ReadFile("Lexivanedr.ini").contains("ID=3"));
    }

    void aFirstStartRefusesATooLongSelectionInABox()
    {
        XSession session;
        QVERIFY(session.Started());
        SelectionHolder holder(session, SELECTION_OWNER, "primary", QString(1001, 'a'));
        QVERIFY(holder.Held());
        ProgramRun run(session, TELLARIA_EXECUTABLE);
        QVERIFY(run.Start({"--selection", "--mode", "3"}));
        // The box is a second window with the program's title, in front of the first.
        QVERIFY(TestProxy::WaitFor([&] { return session.VisibleWindows("^Tellaria$").size() == 2; },
                                   20000));
        QCOMPARE(ResultRequests(*m_proxy), QStringList());
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor([&] { return session.VisibleWindows("^Tellaria$").size() == 1; },
                                   10000));
        session.Key("alt+F4");
        QVERIFY(run.WaitForExit());
        QCOMPARE(ResultRequests(*m_proxy), QStringList());
        QCOMPARE(run.ReadFile("Lexivander.qry"), QByteArray());
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QApplication application(argc, argv);
    // The message boxes watched here speak as the program's do.
    InstallTranslations();
    SelectionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "Selection_test.moc"
