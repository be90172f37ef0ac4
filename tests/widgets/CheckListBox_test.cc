// The check list: its rows in columns on one line at any width, and the click notification.

#include "widgets/CheckListBox.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using namespace tellaria;

class CheckListBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void fiveColumnsShowEveryRowOnOneLine_data()
    {
        QTest::addColumn<int>("width");
        for (int width : {500, 723, 729, 900, 1280})
            QTest::addRow("%d", width) << width;
    }

    void fiveColumnsShowEveryRowOnOneLine()
    {
        QFETCH(int, width);
        TCheckListBox list;
        list.SetColumns(5);
        for (const char *name : {"维基百科（中文）", "百度百科（中文）", "互动百科（中文）",
                                 "不列颠百科（英文）", "哥伦比亚百科（英文）"})
            list.AddRow(QString::fromUtf8(name), true);
        list.resize(width, 22);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QRect first = list.visualItemRect(list.item(0));
        for (int row = 0; row < list.count(); ++row) {
            const QRect rect = list.visualItemRect(list.item(row));
            QCOMPARE(rect.top(), first.top());
            QVERIFY2(list.viewport()->rect().contains(rect.topLeft()),
                     qPrintable(QString("row %1 at x %2").arg(row).arg(rect.left())));
        }
    }

    void clickOnlyForTheUsersMovesAndClicks()
    {
        TCheckListBox list;
        list.SetColumns(5);
        for (int row = 0; row < 5; ++row)
            list.AddRow(QString("site %1").arg(row), true);
        list.resize(600, 22);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy clicks(&list, &TCheckListBox::Click);
        list.setCurrentRow(2); // the program's own move
        QCOMPARE(clicks.count(), 0);
        QTest::keyClick(&list, Qt::Key_Space);
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!list.Checked(2));
        QTest::keyClick(&list, Qt::Key_Right);
        QCOMPARE(clicks.count(), 1);
        const QRect rect = list.visualItemRect(list.item(4));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          QPoint(rect.left() + 8, rect.center().y()));
        QVERIFY(clicks.count() >= 2);
        QVERIFY(!list.Checked(4));
    }
};

QTEST_MAIN(CheckListBoxTest)

#include "CheckListBox_test.moc"
