// The page area on its own, with the real engine behind the local proxy: a query's pages are
// shown, over what lay below them, once their requests have left, and the window goes on painting
// meanwhile.

#include "browser/WebBrowser.h"
#include "tests/support/PrintWait.h"
#include "tests/support/TestProxy.h"
#include "ui/ResultPages.h"
#include "widgets/Application.h"

#include <QFileInfo>
#include <QPrinter>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWebEngineHistory>

#include <algorithm>

using namespace tellaria;
using namespace tellaria::test;

namespace {

QueryPlan Plan(const QStringList &urls, bool filtered)
{
    QueryPlan plan;
    for (const QString &url : urls)
        plan.push_back({QUrl(url).host().toStdString(), url.toStdString(), filtered});
    return plan;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget)
        : m_widget(widget)
    {
        widget->installEventFilter(this);
    }

    // Whether the widget, asked to, paints again.
    bool Repaints()
    {
        const int before = m_painted;
        m_widget->update();
        return TestProxy::WaitFor([&] { return m_painted > before; }, 5000);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint)
            ++m_painted;
        return false;
    }

private:
    QWidget *m_widget;
    int m_painted = 0;
};

} // namespace

class ResultPagesTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;

    // A window as the program's: the page area hidden over what it covers until a query.
    struct Window
    {
        QWidget Top;
        QWidget *Below;
        TResultPages *Pages;

        Window()
        {
            Top.resize(600, 400);
            auto *layout = new QVBoxLayout(&Top);
            Below = new QWidget(&Top);
            layout->addWidget(Below);
            Pages = new TResultPages(&Top);
            // A strip of the window stays uncovered, as the status bar does in the program's.
            Pages->setGeometry(0, 0, 600, 380);
            Pages->hide();
            Top.show();
        }
    };

    // What the window looked like when the page area said the requests had left.
    struct AtSent
    {
        int RequestsSent = -1; // of the pages' browsers, by their own signal
        bool Visible = false;
        int Columns = 0; // browsers on the screen, side by side
        int OldAlive = -1; // the browsers of the query before, not yet freed
    };

private slots:
    void initTestCase()
    {
        m_proxy = new TestProxy(this);
        for (const char *host : {"a", "b", "c"})
            m_proxy->SetPage(QString("http://%1.pages.example/").arg(host),
                             "<html><head><title>page</title></head></html>");
    }

    void pagesShowOnceTheirRequestsHaveLeft_data()
    {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("queries");
        QTest::addColumn<bool>("sideBySide");
        const QStringList three{"http://a.pages.example/", "http://b.pages.example/",
                                "http://c.pages.example/"};
        QTest::newRow("the first query, three pages") << three << false << 1 << false;
        QTest::newRow("a later query, replacing three pages") << three << false << 2 << false;
        // Their navigations end without a request: nothing is waited for.
        QTest::newRow("every page refused by its filter") << three << true << 1 << false;
        QTest::newRow("no page at all: shown at once") << QStringList() << false << 1 << false;
        // The new pages' columns come with the requests, the old ones go at once.
        QTest::newRow("side by side, a later query") << three << false << 2 << true;
    }

    void pagesShowOnceTheirRequestsHaveLeft()
    {
        QFETCH(QStringList, urls);
        QFETCH(bool, refused);
        QFETCH(int, queries);
        QFETCH(bool, sideBySide);
        Window window;
        window.Pages->SetSideBySide(sideBySide);
        // The browsers in columns; the old pages' columns are hidden until freed.
        const auto columns = [&] {
            const auto *splitter = window.Pages->findChild<QSplitter *>("PageSplitter");
            if (!splitter)
                return -1;
            const QList<TWebBrowser *> browsers = splitter->findChildren<TWebBrowser *>();
            return int(std::ranges::count_if(browsers, [&](const TWebBrowser *browser) {
                return browser->isVisibleTo(splitter);
            }));
        };
        const NavigationPolicy refuse
            = [](TWebBrowser *, const QUrl &, bool) { return TNavigation::Refuse; };
        QSignalSpy shown(window.Pages, &TResultPages::RequestsSent);
        PaintCounter painter(&window.Top);
        for (int query = 1; query <= queries; ++query) {
            m_proxy->ClearRequests();
            int requestsSent = 0;
            QList<QPointer<TWebBrowser>> old;
            for (TWebBrowser *browser : window.Pages->findChildren<TWebBrowser *>())
                old << browser;
            const auto alive
                = [&] { return int(std::ranges::count_if(old, [](auto b) { return bool(b); })); };
            AtSent at;
            const auto connection = connect(window.Pages, &TResultPages::RequestsSent, this, [&] {
                at = {requestsSent, window.Pages->isVisible(), columns(), alive()};
            });
            const int shownBefore = shown.size();
            window.Pages->ReplacePages(Plan(urls, refused), refuse);
            for (int index = 0; index < window.Pages->count(); ++index)
                connect(qobject_cast<TTabSheet *>(window.Pages->widget(index))->Browser(),
                        &TWebBrowser::RequestSent, this, [&] { ++requestsSent; });
            // Only the new pages are left, the first of them current.
            QCOMPARE(window.Pages->count(), urls.size());
            if (!urls.isEmpty()) {
                QCOMPARE(window.Pages->currentIndex(), 0);
                QCOMPARE(shown.size(), shownBefore);
                // What the pages will cover stays in view, and the window goes on painting.
                QCOMPARE(window.Pages->isVisible(), query > 1);
                if (sideBySide)
                    QCOMPARE(columns(), 0);
                QVERIFY(painter.Repaints());
            }
            QVERIFY(TestProxy::WaitFor([&] { return shown.size() > shownBefore; }));
            disconnect(connection);
            QCOMPARE(shown.size(), shownBefore + 1);
            QCOMPARE(at.RequestsSent, refused ? 0 : int(urls.size()));
            QVERIFY(at.Visible);
            if (sideBySide)
                QCOMPARE(at.Columns, int(urls.size()));
            // The old pages outlive the new requests (freeing them costs this thread), and go
            // soon after.
            QCOMPARE(at.OldAlive, int(old.size()));
            QVERIFY(TestProxy::WaitFor([&] { return alive() == 0; }));
            if (!refused) {
                QVERIFY(
                    TestProxy::WaitFor([&] { return m_proxy->Requests().size() >= urls.size(); }));
                for (const QString &url : urls)
                    QVERIFY(m_proxy->Requests().contains(url));
            }
        }
    }

    // The first query's first page gets the browser made ahead, whose process it uses: it was
    // started before, with no document that counts and nothing on the screen.
    void theFirstQueryUsesABrowserStartedAhead()
    {
        Window window;
        window.Pages->PrepareQueries();
        const QList<TWebBrowser *> made = window.Pages->findChildren<TWebBrowser *>();
        QCOMPARE(made.size(), 1);
        TWebBrowser *ahead = made.first();
        QVERIFY(TestProxy::WaitFor([&] { return ahead->page()->renderProcessPid() > 0; }));
        const qint64 process = ahead->page()->renderProcessPid();
        QVERIFY(!ahead->HasDocument());
        // A query without pages leaves it waiting, off the screen.
        window.Pages->ReplacePages(Plan({}, false), {});
        QVERIFY(TestProxy::WaitFor([&] { return window.Pages->isVisible(); }));
        QVERIFY(!ahead->isVisible());

        const QStringList urls{"http://a.pages.example/", "http://b.pages.example/"};
        window.Pages->ReplacePages(Plan(urls, false), {});
        QCOMPARE(qobject_cast<TTabSheet *>(window.Pages->widget(0))->Browser(), ahead);
        QVERIFY(TestProxy::WaitFor([&] { return ahead->HasDocument() && ahead->isVisible(); }));
        QCOMPARE(ahead->page()->renderProcessPid(), process);
        QCOMPARE(ahead->url(), QUrl(urls[0]));
        // No empty first document to go back to.
        QCOMPARE(ahead->history()->count(), 1);
        // Made once only: later queries make their browsers as they go.
        window.Pages->PrepareQueries();
        QCOMPARE(window.Pages->findChildren<TWebBrowser *>().size(), urls.size());
    }

    // Queries in quick succession: the pages of the query two back, disposed of and not yet
    // freed, are gone before the next query's first page is made (with their columns, side by
    // side); the last query's pages stay until their own time comes.
    void aQuickQueryFreesThePagesLeftBehindFirst_data()
    {
        QTest::addColumn<bool>("sideBySide");
        QTest::newRow("tabs") << false;
        QTest::newRow("side by side") << true;
    }

    void aQuickQueryFreesThePagesLeftBehindFirst()
    {
        QFETCH(bool, sideBySide);
        Window window;
        window.Pages->SetSideBySide(sideBySide);
        const QueryPlan plan = Plan({"http://a.pages.example/", "http://b.pages.example/"}, false);
        const auto browsers = [&] {
            QList<QPointer<TWebBrowser>> all;
            for (TWebBrowser *browser : window.Top.findChildren<TWebBrowser *>())
                all << browser;
            return all;
        };
        const auto alive = [](const QList<QPointer<TWebBrowser>> &list) {
            return int(std::ranges::count_if(list, [](auto browser) { return bool(browser); }));
        };
        QSignalSpy shown(window.Pages, &TResultPages::RequestsSent);
        window.Pages->ReplacePages(plan, {});
        // Side by side, the pages have their columns from then on.
        QVERIFY(TestProxy::WaitFor([&] { return shown.size() == 1; }));
        const QList<QPointer<TWebBrowser>> first = browsers();
        window.Pages->ReplacePages(plan, {});
        QCOMPARE(alive(first), int(plan.size()));
        QList<QPointer<TWebBrowser>> second = browsers();
        second.removeIf([&](auto browser) { return first.contains(browser); });
        QList<int> firstAliveAtMaking;
        window.Pages->SetBrowserFactory([&](QWidget *page) {
            firstAliveAtMaking << alive(first);
            return new TWebBrowser(page);
        });
        window.Pages->ReplacePages(plan, {});
        QCOMPARE(firstAliveAtMaking, QList<int>(plan.size(), 0));
        QCOMPARE(alive(second), int(plan.size()));
        QCOMPARE(window.Top.findChildren<TWebBrowser *>().size(), 2 * plan.size());
        QVERIFY(TestProxy::WaitFor([&] { return alive(second) == 0; }));
    }

    // A page still printing when a quick query comes is not taken from the engine mid-job: it
    // goes once the job has ended, and the job ends as it should.
    void aPrintingPageLeftBehindGoesWhenItsJobEnds()
    {
        Window window;
        QTemporaryDir directory;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(directory.filePath("page.pdf"));
        const QueryPlan plan = Plan({"http://a.pages.example/"}, false);
        window.Pages->ReplacePages(plan, {});
        const QPointer<TWebBrowser> printing = window.Pages->ActiveBrowser();
        QVERIFY(TestProxy::WaitFor([&] { return printing->title() == "page"; }));
        // Given up on at once, the job goes on.
        QVERIFY(!PrintAndWait(*printing, printer, 1));
        QVERIFY(printing->Printing());
        QSignalSpy finished(printing.data(), &TWebBrowser::PrintJobFinished);
        window.Pages->ReplacePages(plan, {});
        window.Pages->ReplacePages(plan, {});
        QVERIFY(printing);
        QVERIFY(TestProxy::WaitFor([&] { return !printing; }));
        QCOMPARE(finished.size(), 1);
        QVERIFY(QFileInfo(directory.filePath("page.pdf")).size() > 0);
    }

    // A query's pages all closed before their requests have left: the window paints, and the
    // page area is not shown over what it would have covered.
    void pagesClosedBeforeTheirRequestsLeaveShowNothing()
    {
        Window window;
        QSignalSpy shown(window.Pages, &TResultPages::RequestsSent);
        window.Pages->ReplacePages(
            Plan({"http://a.pages.example/", "http://b.pages.example/"}, false), {});
        window.Pages->CloseAll();
        QVERIFY(TestProxy::WaitFor([&] { return shown.size() == 1; }));
        QVERIFY(PaintCounter(&window.Top).Repaints());
        QVERIFY(!window.Pages->isVisible());
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    TApplication application(argc, argv);
    ResultPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ResultPages_test.moc"
