// The general error report: its text rule, and an exception escaping an event handler reaching
// one message box while the program carries on.

#include "platform/Application.h"
#include "tests/support/MessageBoxWatcher.h"

#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace tellaria;
using namespace tellaria::test;

class ApplicationTest : public QObject
{
    Q_OBJECT

private slots:
    void fullStopIsAddedAfterCharactersSortingAfterIt_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Cannot open file"
                                << "Cannot open file.";
        QTest::newRow("full stop") << "Done."
                                   << "Done.";
        QTest::newRow("comma sorts before") << "a,"
                                            << "a,";
        QTest::newRow("space sorts before") << "a "
                                            << "a ";
        QTest::newRow("slash sorts after") << "a/"
                                           << "a/.";
        QTest::newRow("Chinese full stop") << QString("完成。") << QString("完成。.");
        QTest::newRow("empty") << ""
                               << "";
    }

    void fullStopIsAddedAfterCharactersSortingAfterIt()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorReportText(message), shown);
    }

    void escapedExceptionIsReportedAndTheProgramCarriesOn()
    {
        MessageBoxWatcher watcher;
        int handled = 0;
        QTimer::singleShot(0, qApp, [] { throw std::runtime_error("Broken handler"); });
        QTimer::singleShot(50, qApp, [&] { ++handled; });
        QTRY_COMPARE(watcher.Seen().size(), 1);
        QCOMPARE(watcher.Seen()[0].Text, QString("Broken handler."));
        QCOMPARE(watcher.Seen()[0].Title, QString("Tellaria"));
        QCOMPARE(watcher.Seen()[0].Icon, QMessageBox::Critical);
        QTRY_COMPARE(handled, 1);
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "Application_test.moc"
