// The general error report: its text rule, and an exception escaping an event handler reaching
// one message box while the program carries on.

#include "tests/support/MessageBoxWatcher.h"
#include "widgets/Application.h"

#include <QPushButton>
#include <QTest>

#include <memory>
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
        const int escapedBefore = TApplication::EscapedErrors();
        int handled = 0;
        QTimer::singleShot(0, qApp, [] { throw std::runtime_error("Broken handler"); });
        QTimer::singleShot(50, qApp, [&] { ++handled; });
        QTRY_COMPARE(watcher.Seen().size(), 1);
        QCOMPARE(watcher.Seen()[0].Text, QString("Broken handler."));
        QCOMPARE(watcher.Seen()[0].Title, QString("Tellaria"));
        QCOMPARE(watcher.Seen()[0].Icon, QMessageBox::Critical);
        QTRY_COMPARE(handled, 1);
        QCOMPARE(TApplication::EscapedErrors(), escapedBefore + 1);
    }

    // A user's command that throws is reported where it was connected: the exception never
    // reaches the event delivery (the application's last guard would report it a second time,
    // under the generic text), and the next click works again.
    void aThrowingCommandIsReportedWhereItIsConnected_data()
    {
        QTest::addColumn<bool>("standardException");
        QTest::addColumn<QString>("shown");
        QTest::newRow("with a message") << true << "Cannot create file \"x\". Disk full.";
        QTest::newRow("without one") << false << "未知错误.";
    }
    void aThrowingCommandIsReportedWhereItIsConnected()
    {
        QFETCH(bool, standardException);
        const int escapedBefore = TApplication::EscapedErrors();
        QPushButton button;
        int runs = 0;
        ConnectUserAction(&button, &QPushButton::clicked, &button, [&] {
            ++runs;
            if (standardException)
                throw std::runtime_error("Cannot create file \"x\". Disk full");
            throw 42;
        });
        MessageBoxWatcher watcher;
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTRY_COMPARE(watcher.Seen().size(), 2);
        QCOMPARE(runs, 2);
        for (const SeenMessageBox &seen : watcher.Seen()) {
            QTEST(seen.Text, "shown");
            QCOMPARE(seen.Icon, QMessageBox::Critical);
        }
        QCOMPARE(TApplication::EscapedErrors(), escapedBefore);
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
