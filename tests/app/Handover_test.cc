// A later start of the real program hands its lookup to the running window: the window comes to
// the front and runs the query, and the later start ends. Also the first start running the term
// of its command line. The running window is this test's own, behind the local proxy; the
// program is a portable copy in a temporary directory, so its files stay there.

#include "app/Program.h"
#include "desktop/SingleInstance.h"
#include "tests/support/ProgramCopy.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "ui/UnitMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tellaria;
using namespace tellaria::test;

namespace {

// Makes `instance` the running copy, which hands the later starts' requests to `window`, and
// shows the window; false when another copy was running already.
bool ServeAsTheRunningCopy(TSingleInstance &instance, TfrmMain &window)
{
    if (instance.Start({}) != TSingleInstance::TRole::Running)
        return false;
    ServeLaterStarts(instance, window);
    window.show();
    return true;
}

} // namespace

class HandoverTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir m_programDirectory;
    QString m_program;
    std::unique_ptr<QTemporaryDir> m_runtime;

    // Runs the program to its end, with the event loop turning so that this process's window
    // can answer it; its exit code, or -1 when it did not end in time. What it writes on its
    // standard error goes to `errors` when given, else to the test's.
    int RunCopy(const QStringList &arguments, int timeoutMs = 15000, QByteArray *errors = nullptr)
    {
        QProcess process;
        process.setProcessChannelMode(errors ? QProcess::ForwardedOutputChannel
                                             : QProcess::ForwardedChannels);
        if (errors) {
            // The engine's start always says so on this logging category.
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QT_LOGGING_RULES", "qt.webenginecontext.debug=true");
            process.setProcessEnvironment(environment);
        }
        process.start(m_program, arguments);
        if (!process.waitForStarted())
            return -1;
        const bool ended = TestProxy::WaitFor(
            [&] { return process.state() == QProcess::NotRunning; }, timeoutMs);
        if (errors)
            *errors = process.readAllStandardError();
        if (!ended) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    bool WaitForRequest(const QString &url)
    {
        return TestProxy::WaitFor([&] { return m_proxy->Requests().contains(url); });
    }

private slots:
    void initTestCase()
    {
        m_proxy = new TestProxy(this);
        QVERIFY(m_programDirectory.isValid());
        m_program = PlaceProgramIn(QStringLiteral(TELLARIA_EXECUTABLE), m_programDirectory.path());
        QVERIFY(!m_program.isEmpty());
    }

    void init()
    {
        // A runtime directory of each test's own, which the copies it starts inherit.
        m_runtime = std::make_unique<QTemporaryDir>();
        QVERIFY(m_runtime->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
        m_proxy->ClearRequests();
        // Each query writes the history: every case starts from none.
        QFile::remove(m_programDirectory.filePath(QStringLiteral("Lexivander.qry")));
    }

    void laterStartRaisesTheWindowAndRunsTheQuery_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("url");
        QTest::newRow("term and mode")
            << QStringList{"--mode", "2", "cat"} << 2 << "http://www.iciba.com/cat%2F";
        QTest::newRow("term in the current mode")
            << QStringList{"猫"} << 3 << "http://dict.bing.com.cn/?FORM=CHOT20&q=%E7%8C%AB";
    }

    void laterStartRaisesTheWindowAndRunsTheQuery()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, mode);
        QFETCH(QString, url);
        TfrmMain window(m_programDirectory.path());
        TSingleInstance instance(m_programDirectory.path());
        QVERIFY(ServeAsTheRunningCopy(instance, window));
        window.SelectLookupMode(3);
        window.showMinimized();
        QVERIFY(window.isMinimized());

        QCOMPARE(RunCopy(arguments), 0);
        QTRY_VERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        QTRY_COMPARE(PageControl1(window)->count(), 1);
        QCOMPARE(CmbBoxType(window)->currentIndex(), mode);
        QCOMPARE(CmbBook(window)->currentText(), arguments.last());
        QCOMPARE(window.History().Count(), std::size_t(1));
        QVERIFY(WaitForRequest(url));
    }

    // A later start ends as soon as its request is taken, before it would start the engine or
    // connect to the display: nothing of either appears on its standard error.
    void laterStartHandsOverWithoutAWord_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("url");
        QTest::newRow("term") << QStringList{"猫"}
                              << "http://dict.bing.com.cn/?FORM=CHOT20&q=%E7%8C%AB";
        QTest::newRow("mode and term")
            << QStringList{"--mode", "2", "cat"} << "http://www.iciba.com/cat%2F";
        QTest::newRow("nothing") << QStringList{} << QString();
    }

    void laterStartHandsOverWithoutAWord()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, url);
        TfrmMain window(m_programDirectory.path());
        TSingleInstance instance(m_programDirectory.path());
        QVERIFY(ServeAsTheRunningCopy(instance, window));
        window.SelectLookupMode(3);
        int requests = 0;
        connect(&instance, &TSingleInstance::Requested, this, [&] { ++requests; });

        QByteArray errors;
        QCOMPARE(RunCopy(arguments, 15000, &errors), 0);
        QCOMPARE(errors, QByteArray());
        QTRY_COMPARE(requests, 1);
        if (!url.isEmpty())
            QVERIFY(WaitForRequest(url));
    }

    void laterStartWithoutTermOnlyRaisesTheWindow()
    {
        TfrmMain window(m_programDirectory.path());
        TSingleInstance instance(m_programDirectory.path());
        QVERIFY(ServeAsTheRunningCopy(instance, window));
        window.QueryTerm("dog", 2);
        QVERIFY(WaitForRequest("http://www.iciba.com/dog%2F"));
        const QPointer<QWidget> page = PageControl1(window)->widget(0);
        window.showMinimized();
        m_proxy->ClearRequests();

        QCOMPARE(RunCopy({}), 0);
        QTRY_VERIFY(!window.isMinimized());
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        // The window is brought up where a term would be looked up: the page is still the one
        // it had, so no query ran.
        QCOMPARE(PageControl1(window)->count(), 1);
        QCOMPARE(PageControl1(window)->widget(0), page.data());
        QCOMPARE(CmbBook(window)->currentText(), QString("dog"));
        QCOMPARE(window.History().Count(), std::size_t(1));
        // Nor did the page load again: a later start with a term, after it, is the only one
        // the engine asked for.
        QCOMPARE(RunCopy({"--mode", "3", "emu"}), 0);
        QVERIFY(WaitForRequest("http://dict.bing.com.cn/?FORM=CHOT20&q=emu"));
        QVERIFY2(m_proxy->Requests().filter("iciba").isEmpty(),
                 qPrintable(m_proxy->Requests().join('\n')));
    }

    void laterStartWithOnlyAModeSwitchesIt()
    {
        TfrmMain window(m_programDirectory.path());
        TSingleInstance instance(m_programDirectory.path());
        QVERIFY(ServeAsTheRunningCopy(instance, window));
        window.SelectLookupMode(2);
        QVERIFY(!PnlBook(window)->isVisible());

        QCOMPARE(RunCopy({"--mode", "0"}), 0);
        QTRY_COMPARE(CmbBoxType(window)->currentIndex(), 0);
        QVERIFY(PnlBook(window)->isVisible());
        QCOMPARE(PageControl1(window)->count(), 0);
        QCOMPARE(window.History().Count(), std::size_t(0));
    }

    void requestWaitsForAnOpenDialog()
    {
        TfrmMain window(m_programDirectory.path());
        TSingleInstance instance(m_programDirectory.path());
        QVERIFY(ServeAsTheRunningCopy(instance, window));
        int handedOver = -1;
        bool delivered = false;
        int pagesWhileOpen = -1;
        // Runs inside the dialog's own event loop: the later start comes while it is open. The
        // window, minimised, is brought up when the request is delivered, and the open dialog
        // then makes the request wait.
        QTimer::singleShot(0, this, [&] {
            window.showMinimized();
            handedOver = RunCopy({"--mode", "2", "cat"});
            delivered = QTest::qWaitFor([&] { return !window.isMinimized(); });
            pagesWhileOpen = PageControl1(window)->count();
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->accept();
        });
        window.QueryTerm(" ", 0); // blank: "请输入要搜索的内容！" until answered
        QCOMPARE(handedOver, 0);
        QVERIFY(delivered);
        QCOMPARE(pagesWhileOpen, 0);
        QTRY_COMPARE(PageControl1(window)->count(), 1);
        QCOMPARE(CmbBook(window)->currentText(), QString("cat"));
        QVERIFY(WaitForRequest("http://www.iciba.com/cat%2F"));
    }

    void firstStartRunsItsTermAndTakesLaterOnes()
    {
        QProcess first;
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(m_program, {"--mode", "1", "画蛇添足"});
        // The idiom dictionary takes the term in GB18030.
        QVERIFY(WaitForRequest(
            "http://cy.5156edu.com/serach.php?f_type=chengyu&f_key=%BB%AD%C9%DF%CC%ED%D7%E3"));
        QCOMPARE(first.state(), QProcess::Running);

        QCOMPARE(RunCopy({"--mode", "3", "cat"}), 0);
        QVERIFY(WaitForRequest("http://dict.bing.com.cn/?FORM=CHOT20&q=cat"));
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        first.waitForFinished();
    }

    // A later start can hand over before the first start has shown its window: its request
    // waits, and the first start's own term is looked up first.
    void laterRequestWaitsForTheFirstShow()
    {
        TfrmMain window(m_programDirectory.path());
        TSingleInstance instance(m_programDirectory.path());
        ServeLaterStarts(instance, window);
        ShowAndCarryOut(window, {QString("画蛇添足"), 1});
        QVERIFY(window.FirstShowPending());
        emit instance.Requested({QString("cat"), 3});

        const QString firstUrl
            = "http://cy.5156edu.com/serach.php?f_type=chengyu&f_key=%BB%AD%C9%DF%CC%ED%D7%E3";
        const QString laterUrl = "http://dict.bing.com.cn/?FORM=CHOT20&q=cat";
        QVERIFY(WaitForRequest(firstUrl));
        QVERIFY(WaitForRequest(laterUrl));
        const QStringList requests = m_proxy->Requests();
        QVERIFY2(requests.indexOf(firstUrl) < requests.indexOf(laterUrl),
                 qPrintable(requests.join('\n')));
        QCOMPARE(CmbBoxType(window)->currentIndex(), 3);
        QCOMPARE(CmbBook(window)->currentText(), QString("cat"));
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QApplication application(argc, argv);
    HandoverTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "Handover_test.moc"
