// The pages a query takes down: each is freed a moment after, or at once when the next query
// comes first; the retirement holds none of them longer. (A page still printing, which waits for
// its job, is ResultPages_test's, with a real print job.)

#include "ui/PageRetirement.h"
#include "widgets/Application.h"

#include <QPointer>
#include <QTest>

#include <algorithm>

using namespace tellaria;

class PageRetirementTest : public QObject
{
    Q_OBJECT

private slots:
    void aRetiredPageIsFreedByItsTimeOrByTheNextQuery_data()
    {
        QTest::addColumn<int>("afterMs");
        QTest::addColumn<bool>("nextQuery");
        QTest::newRow("by its time") << 5 << false;
        QTest::newRow("by the next query, long before its time") << 60000 << true;
    }
    void aRetiredPageIsFreedByItsTimeOrByTheNextQuery()
    {
        QFETCH(int, afterMs);
        QFETCH(bool, nextQuery);
        TPageRetirement retirement;
        QList<QPointer<TTabSheet>> pages;
        for (int count = 0; count < 3; ++count) {
            auto *page = new TTabSheet;
            pages << page;
            retirement.Retire(page, afterMs);
        }
        QCOMPARE(retirement.Count(), 3);
        if (nextQuery) {
            retirement.FreeAll();
            // At once, before the query opens its own pages.
            for (const QPointer<TTabSheet> &page : pages)
                QVERIFY(page.isNull());
        }
        QTRY_VERIFY(
            std::all_of(pages.begin(), pages.end(), [](auto page) { return page.isNull(); }));
        QCOMPARE(retirement.Count(), 0);
        // Nothing is left to free, and freeing again does no harm.
        retirement.FreeAll();
        QCOMPARE(retirement.Count(), 0);
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    PageRetirementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PageRetirement_test.moc"
