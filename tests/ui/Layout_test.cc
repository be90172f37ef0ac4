// The window's layout at the widths users have: the search panel (mode selector, query box) and
// the query button stay whole and in reach down to the window's minimum width, the designed
// layout holds at the design width, and no label of the selector or of a tab is cut off.

#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "ui/UnitMain.h"
#include "widgets/Application.h"

#include <QLineEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

using namespace tellaria;
using namespace tellaria::test;

class LayoutTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir m_directory;

    // Whether `widget` is shown whole inside `area`.
    static bool ShownWhole(const QWidget *widget, const QWidget *area)
    {
        const QRect rect(widget->mapTo(area->window(), QPoint()), widget->size());
        const QRect areaRect(area->mapTo(area->window(), QPoint()), area->size());
        return widget->isVisible() && areaRect.contains(rect);
    }

private slots:
    void initTestCase() { m_proxy = new TestProxy(this); }

    void thePanelStaysWholeAtEveryWidth_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("a narrow tiling window") << 480;
        QTest::newRow("half a small screen") << 600;
        QTest::newRow("the design width") << 729;
        QTest::newRow("a maximised window") << 1280;
    }
    void thePanelStaysWholeAtEveryWidth()
    {
        QFETCH(int, width);
        TfrmMain window(m_directory.path() + QLatin1Char('/'));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(width, 500);
        QTRY_COMPARE(window.width(), std::max(width, window.minimumWidth()));
        QVERIFY(window.minimumWidth() <= 600);
        QToolBar *toolbar = ToolBar2(window);
        for (QWidget *control :
             {static_cast<QWidget *>(CmbBoxType(window)), static_cast<QWidget *>(CmbBook(window)),
              static_cast<QWidget *>(BtnBookOK(window))})
            QVERIFY2(ShownWhole(control, toolbar), qPrintable(control->objectName()));
        QVERIFY(CmbBoxType(window)->x() < CmbBook(window)->x());
        QVERIFY(CmbBook(window)->mapTo(&window, QPoint()).x()
                < BtnBookOK(window)->mapTo(&window, QPoint()).x());
        // No label of the selector is cut off.
        QVERIFY(CmbBoxType(window)->width() >= CmbBoxType(window)->sizeHint().width());
        // Room to type: the width beyond the design goes to the query box, none below it.
        QTRY_COMPARE(CmbBook(window)->width(), 128 + std::max(0, width - 729));
        if (width == 729) {
            // As designed; a selector wider than designed, for a wider font, widens the panel.
            QVERIFY(Part<QWidget>(window, "Panel1")->width() >= 417);
            const int frame = Part<QFrame>(window, "Panel1")->frameWidth();
            QCOMPARE(CmbBoxType(window)->x(), 96 + frame);
            QCOMPARE(CmbBoxType(window)->width(),
                     std::max(145, CmbBoxType(window)->sizeHint().width()));
        }
        // The box takes a click and a term, and Enter queries.
        QTest::mouseClick(CmbBook(window)->lineEdit(), Qt::LeftButton);
        QTest::keyClicks(CmbBook(window), "owl");
        QTest::keyClick(CmbBook(window), Qt::Key_Return);
        QCOMPARE(PageControl1(window)->count(), 5);
    }

    // Tab captions are never cut short, the busy mark beside them included: the strip scrolls.
    void tabCaptionsAreWhole()
    {
        m_proxy->SetDelay("http://www.infoplease.com/", 5000);
        TfrmMain window(m_directory.path() + QLatin1Char('/'));
        window.resize(600, 500);
        window.show();
        window.QueryTerm("owl", 0);
        QTabBar *tabs = PageControl1(window)->tabBar();
        QCOMPARE(tabs->elideMode(), Qt::ElideNone);
        for (int index = 0; index < tabs->count(); ++index) {
            const QString caption = tabs->tabText(index);
            const int needed = tabs->fontMetrics().horizontalAdvance(caption);
            QVERIFY2(tabs->tabRect(index).width() > needed + 16, qPrintable(caption));
        }
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    TApplication application(argc, argv);
    LayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "Layout_test.moc"
