// The load marks on the result tabs, with the real engine behind the local proxy: a page the
// proxy answers late shows the busy mark until it has loaded, a refused or failed one the
// failure mark; the caption stays; the tooltip is the page's own title and address.

#include "browser/WebBrowser.h"
#include "tests/support/MainWindow.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "ui/ResultPage.h"
#include "ui/TabMark.h"
#include "ui/UnitMain.h"
#include "widgets/Application.h"
#include "widgets/CheckListBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineLoadingInfo>

using namespace tellaria;
using namespace tellaria::test;

Q_DECLARE_METATYPE(TTabMark::TState)

namespace {

using State = TTabMark::TState;

const QString IcibaUrl = "http://www.iciba.com/cat%2F";
const QString BingUrl = "http://dict.bing.com.cn/?FORM=CHOT20&q=cat";

QByteArray Page(const QByteArray &title, const QByteArray &body = "<p>local fixture</p>")
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title
           + "</title></head><body>" + body + "</body></html>";
}

TWebBrowser *BrowserOf(const TfrmMain &window, int index)
{
    QWidget *page = PageControl1(window)->widget(index);
    return page ? page->findChild<TWebBrowser *>() : nullptr;
}

TTabMark *MarkOf(const TfrmMain &window, int index)
{
    const auto *page = qobject_cast<TTabSheet *>(PageControl1(window)->widget(index));
    return page ? page->LoadMark() : nullptr;
}

// Waits for an answer from the page's renderer: what the engine had to report of the load
// before it has been reported by then.
bool RoundTrip(TWebBrowser *browser)
{
    bool answered = false;
    browser->page()->runJavaScript(QStringLiteral("0"), [&](const QVariant &) { answered = true; });
    return TestProxy::WaitFor([&] { return answered; });
}

} // namespace

class TabLoadMarkTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    std::unique_ptr<QTemporaryDir> m_directory;
    std::unique_ptr<TfrmMain> m_window;

    TfrmMain &OpenWindow()
    {
        m_window = OpenMainWindow(m_directory->path());
        return *m_window;
    }

    // The mark shown on tab `index` is the one its state asks for, drawn as the mark draws it.
    bool ShowsMarkOf(int index, State state) const
    {
        TTabMark *mark = MarkOf(*m_window, index);
        if (!mark || mark->State() != state)
            return false;
        const QIcon icon = PageControl1(*m_window)->tabIcon(index);
        switch (state) {
        case State::Idle:
            return icon.isNull();
        case State::Loading:
            return icon.cacheKey() == mark->BusyIcon().cacheKey();
        case State::Failed:
            return icon.cacheKey() == mark->FailedIcon().cacheKey();
        }
        return false;
    }

private slots:
    void initTestCase() { m_proxy = new TestProxy(this); }

    void init()
    {
        m_directory = std::make_unique<QTemporaryDir>();
        m_proxy->ClearRequests();
    }

    void cleanup()
    {
        m_window.reset();
        for (const char *prefix : {"http://www.iciba.com/", "http://dict.bing.com.cn/",
                                   "http://zh.wikipedia.org/", "http://baike.baidu.com/"}) {
            m_proxy->SetDelay(prefix, 0);
            m_proxy->SetRefused(prefix, false);
            m_proxy->SetPage(prefix, Page("fixture"));
        }
    }

    void slowPageIsBusyUntilLoaded()
    {
        m_proxy->SetPage("http://www.iciba.com/", Page("cat - 本地词典页"));
        m_proxy->SetDelay("http://www.iciba.com/", 1500);
        TfrmMain &window = OpenWindow();
        window.QueryTerm("cat", 2);
        QCOMPARE(PageControl1(window)->count(), 1);
        QVERIFY(TestProxy::WaitFor([&] { return m_proxy->Requests().contains(IcibaUrl); }));
        // The proxy holds the answer back: the page is still loading.
        QTRY_VERIFY(ShowsMarkOf(0, State::Loading));
        QVERIFY(PageControl1(window)->tabToolTip(0).contains(IcibaUrl));
        QCOMPARE(PageControl1(window)->tabText(0), QString("英汉汉英词典"));

        QTRY_VERIFY_WITH_TIMEOUT(ShowsMarkOf(0, State::Idle), 15000);
        QCOMPARE(PageControl1(window)->tabText(0), QString("英汉汉英词典"));
        // Its first lines; what the reading aids found follows.
        QTRY_COMPARE(PageControl1(window)->tabToolTip(0).section('\n', 0, 1),
                     "cat - 本地词典页\n" + IcibaUrl);

        // The tooltip follows the page's own title as it changes.
        BrowserOf(window, 0)->page()->runJavaScript("document.title = '新标题'");
        QTRY_COMPARE(PageControl1(window)->tabToolTip(0).section('\n', 0, 1),
                     "新标题\n" + IcibaUrl);
        QCOMPARE(PageControl1(window)->tabText(0), QString("英汉汉英词典"));
    }

    void howTheLoadEndsDecidesTheMark_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("status");
        QTest::addColumn<State>("state");
        QTest::newRow("loaded") << false << 200 << State::Idle;
        QTest::newRow("connection closed unanswered") << true << 200 << State::Failed;
        QTest::newRow("server error") << false << 500 << State::Failed;
        QTest::newRow("not found") << false << 404 << State::Failed;
    }

    void howTheLoadEndsDecidesTheMark()
    {
        QFETCH(bool, refused);
        QFETCH(int, status);
        QFETCH(State, state);
        m_proxy->SetRefused("http://dict.bing.com.cn/", refused);
        m_proxy->SetPage("http://dict.bing.com.cn/", Page("Bing fixture"), status);
        TfrmMain &window = OpenWindow();
        window.QueryTerm("cat", 3);
        QVERIFY(TestProxy::WaitFor([&] { return m_proxy->Requests().contains(BingUrl); }));
        QTRY_VERIFY_WITH_TIMEOUT(ShowsMarkOf(0, state), 15000);
        QCOMPARE(PageControl1(window)->tabText(0), QString("微软Bing智能英汉词典"));
        const QString tip = PageControl1(window)->tabToolTip(0);
        QVERIFY2(tip.contains(BingUrl), qPrintable(tip));
        QCOMPARE(tip.contains("页面加载失败"), state == State::Failed);
        // The mark stays as it is once the load has ended.
        QVERIFY(RoundTrip(BrowserOf(window, 0)));
        QVERIFY(ShowsMarkOf(0, state));
    }

    void filteredNavigationIsNoFailure()
    {
        // The dictionary page tries to go to the ad server; the filter stops it and the page
        // that was shown stays, loaded.
        m_proxy->SetPage("http://www.iciba.com/",
                         Page("iciba fixture",
                              "<script>setTimeout(function () { location.href = "
                              "'http://pagead2.googlesyndication.com/ad'; }, 300);</script>"));
        TfrmMain &window = OpenWindow();
        window.QueryTerm("cat", 2);
        QTRY_VERIFY(MarkOf(window, 0));
        bool adLoadEnded = false;
        connect(BrowserOf(window, 0)->page(), &QWebEnginePage::loadingChanged, this,
                [&](const QWebEngineLoadingInfo &info) {
                    if (info.url().host() == "pagead2.googlesyndication.com"
                        && info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                        adLoadEnded = true;
                });
        QVERIFY(TestProxy::WaitFor([&] { return adLoadEnded; }));
        QTRY_VERIFY(ShowsMarkOf(0, State::Idle));
        QVERIFY(m_proxy->Requests().filter("googlesyndication").isEmpty());
    }

    void everyTabHasItsOwnMark()
    {
        m_proxy->SetDelay("http://zh.wikipedia.org/", 2000);
        m_proxy->SetRefused("http://baike.baidu.com/");
        TfrmMain &window = OpenWindow();
        window.QueryTerm("cat", 0);
        QCOMPARE(PageControl1(window)->count(), 5);
        // Each tab is busy from the moment it is there, before the engine reports anything.
        for (int index = 0; index < 5; ++index)
            QVERIFY(ShowsMarkOf(index, State::Loading));
        QTRY_VERIFY_WITH_TIMEOUT(ShowsMarkOf(1, State::Failed) && ShowsMarkOf(2, State::Idle)
                                     && ShowsMarkOf(3, State::Idle) && ShowsMarkOf(4, State::Idle),
                                 15000);
        QVERIFY(ShowsMarkOf(0, State::Loading));
        QTRY_VERIFY_WITH_TIMEOUT(ShowsMarkOf(0, State::Idle), 15000);
        QVERIFY(ShowsMarkOf(1, State::Failed));
        const QStringList captions = {"维基百科（中文）", "百度百科（中文）", "互动百科（中文）",
                                      "不列颠百科（英文）", "哥伦比亚百科（英文）"};
        for (int index = 0; index < 5; ++index)
            QCOMPARE(PageControl1(window)->tabText(index), captions[index]);
    }

    // Runs `action` as the user does: it is enabled as soon as the pages allow it.
    static void TriggerWhenEnabled(QAction *action)
    {
        QVERIFY(action->isEnabled());
        action->trigger();
    }

    void pagesClosedWhileLoadingTakeTheirMarksAlong()
    {
        m_proxy->SetDelay("http://zh.wikipedia.org/", 3000);
        m_proxy->SetDelay("http://www.iciba.com/", 3000);
        TfrmMain &window = OpenWindow();
        window.QueryTerm("cat", 0);
        QTRY_VERIFY(ShowsMarkOf(0, State::Loading));
        // A new query closes every page of the last one, some still loading.
        window.QueryTerm("dog", 2);
        QCOMPARE(PageControl1(window)->count(), 1);
        QTRY_VERIFY(ShowsMarkOf(0, State::Loading));
        TriggerWhenEnabled(ActClose(window));
        QCOMPARE(PageControl1(window)->count(), 0);
        window.QueryTerm("cow", 0);
        QTRY_VERIFY(ShowsMarkOf(0, State::Loading));
        {
            MessageBoxWatcher watcher(QMessageBox::Ok);
            TriggerWhenEnabled(ActCloseAll(window));
        }
        QCOMPARE(PageControl1(window)->count(), 0);
        window.QueryTerm("pig", 0);
        QTRY_VERIFY(ShowsMarkOf(0, State::Loading));
        // And the window itself goes while its pages load, with whatever it left to free later.
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    TApplication application(argc, argv);
    TabLoadMarkTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TabLoadMark_test.moc"
