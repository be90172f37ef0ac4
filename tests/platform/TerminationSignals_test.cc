// SIGTERM closes the main window as the user would, even with a message box up, and errors
// reported from then on go to the standard error stream rather than to a box no one answers.

#include "platform/Application.h"
#include "platform/TerminationSignals.h"
#include "tests/support/MessageBoxWatcher.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <csignal>

using namespace tellaria;
using namespace tellaria::test;

class TerminationSignalsTest : public QObject
{
    Q_OBJECT

private slots:
    // Runs first: the signal, once arrived, stays arrived.
    void boxIsShownBeforeAnySignal()
    {
        QVERIFY(!TTerminationSignals::Arrived());
        MessageBoxWatcher watcher;
        TApplication::ReportErrors({"first", "second"});
        QCOMPARE(watcher.Seen().size(), 1);
        QCOMPARE(watcher.Seen()[0].Text, QString("first.\nsecond."));
    }

    void signalClosesTheModalBoxAndThenTheWindow()
    {
        TTerminationSignals termination;
        QWidget window;
        window.show();
        termination.CloseOnSignal(&window);
        QTimer::singleShot(0, this, [] {
            QTimer::singleShot(50, [] { std::raise(SIGTERM); });
            QMessageBox::information(nullptr, "Tellaria", "waiting");
        });
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(TTerminationSignals::Arrived());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void windowGivenAfterTheSignalIsClosedAtOnce()
    {
        TTerminationSignals termination;
        QWidget window;
        window.show();
        termination.CloseOnSignal(&window);
        QTRY_VERIFY(!window.isVisible());
    }

    void reportsAfterTheSignalShowNoBox()
    {
        MessageBoxWatcher watcher;
        TApplication::ReportError("Cannot create file");
        QTest::qWait(60);
        QCOMPARE(watcher.Seen().size(), 0);
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    TerminationSignalsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TerminationSignals_test.moc"
