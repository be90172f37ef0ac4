// SIGTERM closes the main window as the user would, even with a message box up, and errors
// reported from then on go to the standard error stream rather than to a box no one answers.

#include "desktop/TerminationSignals.h"
#include "tests/support/MessageBoxWatcher.h"
#include "widgets/Application.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
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
            // The signal comes from the box's own event loop, once the box is up.
            QTimer whenShown;
            QObject::connect(&whenShown, &QTimer::timeout, [&whenShown] {
                if (QApplication::activeModalWidget()) {
                    whenShown.stop();
                    std::raise(SIGTERM);
                }
            });
            whenShown.start(0);
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
        // A box the report opened would have been answered inside the call, or be showing now;
        // one it posted for later would come before an event posted after the call.
        bool roundTrip = false;
        QMetaObject::invokeMethod(
            qApp, [&] { roundTrip = true; }, Qt::QueuedConnection);
        QTRY_VERIFY(roundTrip);
        QCOMPARE(watcher.Seen().size(), 0);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(windows.begin(), windows.end(), [](const QWidget *window) {
            return qobject_cast<const QMessageBox *>(window) && window->isVisible();
        }));
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
