// The result pages side by side, with the real engine behind the local proxy: every page shown at
// once in columns, one current page that the commands act on, switching without reloading, and
// the choice kept in the settings file.

#include "tests/support/FileBytes.h"
#include "tests/support/MainWindow.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "ui/PageColumns.h"
#include "ui/UnitMain.h"
#include "widgets/Application.h"

#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>

using namespace tellaria;
using namespace tellaria::test;

namespace {

// A page tall enough to scroll.
const QByteArray LongPage = "<!DOCTYPE html><html><head><title>long</title></head><body>"
                            "<div style=\"height:5000px\">fixture</div></body></html>";

} // namespace

class SideBySideTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    std::unique_ptr<QTemporaryDir> m_directory;

    QString SettingsPath() const { return m_directory->filePath("Lexivanedr.ini"); }

    std::unique_ptr<TfrmMain> OpenWindow()
    {
        return OpenMainWindow(m_directory->path(), QSize(1200, 600));
    }

    static TWebBrowser *BrowserAt(TfrmMain &window, int index)
    {
        return qobject_cast<TTabSheet *>(PageControl1(window)->widget(index))->Browser();
    }

    static bool AllLoaded(TfrmMain &window)
    {
        return TestProxy::WaitFor([&] {
            for (int index = 0; index < PageControl1(window)->count(); ++index) {
                if (!BrowserAt(window, index)->HasDocument())
                    return false;
            }
            return PageControl1(window)->count() > 0;
        });
    }

    // The columns' headers, left to right.
    static QList<QWidget *> Headers(TfrmMain &window)
    {
        QList<QWidget *> headers = PageControl1(window)->findChildren<QWidget *>("PageHeader");
        // A closed page's column lies hidden until the page is freed.
        headers.removeIf([&](const QWidget *header) { return !header->isVisibleTo(&window); });
        std::sort(headers.begin(), headers.end(), [&](QWidget *a, QWidget *b) {
            return a->mapTo(&window, QPoint()).x() < b->mapTo(&window, QPoint()).x();
        });
        return headers;
    }

private slots:
    void initTestCase()
    {
        m_proxy = new TestProxy(this);
        for (const char *site :
             {"http://zh.wikipedia.org/", "http://baike.baidu.com/", "http://www.baike.com/",
              "http://www.britannica.com/", "http://www.infoplease.com/"})
            m_proxy->SetPage(site, LongPage);
    }

    void init() { m_directory = std::make_unique<QTemporaryDir>(); }

    void cleanupTestCase() { QCOMPARE(TApplication::EscapedErrors(), 0); }

    // Every page on the screen at once, each under a header with its caption, and the same
    // browsers as the tabs had: nothing made or loaded again either way, scrolling kept.
    void switchingShowsThePagesTogetherWithoutReloading()
    {
        auto window = OpenWindow();
        Query(*window, "cat");
        QVERIFY(AllLoaded(*window));
        PageControl1(*window)->setCurrentIndex(2);
        RunScript(BrowserAt(*window, 2), "window.scrollTo(0, 1234)");
        QList<TWebBrowser *> browsers;
        for (int index = 0; index < 5; ++index)
            browsers << BrowserAt(*window, index);
        m_proxy->ClearRequests();

        NViewSideBySide(*window)->trigger();
        QVERIFY(NViewSideBySide(*window)->isChecked());
        QVERIFY(!PageControl1(*window)->tabBar()->isVisible());
        const QList<QWidget *> headers = Headers(*window);
        QCOMPARE(headers.size(), 5);
        for (int index = 0; index < 5; ++index) {
            QVERIFY(browsers[index]->isVisible());
            QCOMPARE(BrowserAt(*window, index), browsers[index]);
            QCOMPARE(headers[index]->accessibleName(), PageControl1(*window)->tabText(index));
        }
        QCOMPARE(PageControl1(*window)->currentIndex(), 2);
        QCOMPARE(RunScript(browsers[2], "window.scrollY").toInt(), 1234);

        NViewSideBySide(*window)->trigger();
        QVERIFY(PageControl1(*window)->tabBar()->isVisible());
        QVERIFY(Headers(*window).isEmpty());
        QCOMPARE(PageControl1(*window)->currentIndex(), 2);
        QVERIFY(browsers[2]->isVisible());
        QVERIFY(!browsers[1]->isVisible());
        QCOMPARE(RunScript(browsers[2], "window.scrollY").toInt(), 1234);
        QCOMPARE(window->findChildren<TWebBrowser *>().size(), 5 + 1);
        QVERIFY(m_proxy->Requests().isEmpty());
    }

    // A query side by side replaces the columns; the old pages' browsers are freed, also when
    // the layout changes before they are.
    void aQueryReplacesTheColumnsAndFreesTheOldPages()
    {
        for (const bool switchMeanwhile : {false, true}) {
            auto window = OpenWindow();
            NViewSideBySide(*window)->trigger();
            Query(*window, "cat");
            QVERIFY(AllLoaded(*window));
            QList<QPointer<TWebBrowser>> old;
            for (int index = 0; index < 5; ++index)
                old << BrowserAt(*window, index);
            Query(*window, "dog");
            if (switchMeanwhile)
                NViewSideBySide(*window)->trigger();
            QVERIFY(AllLoaded(*window));
            QCOMPARE(Headers(*window).size(), switchMeanwhile ? 0 : 5);
            for (int index = 0; index < 5; ++index) {
                QVERIFY(BrowserAt(*window, index)->isVisible() || switchMeanwhile);
                QVERIFY(!old.contains(BrowserAt(*window, index)));
            }
            QTRY_VERIFY(std::ranges::all_of(old, [](const auto &browser) { return !browser; }));
            QCOMPARE(window->findChildren<TWebBrowser *>().size(), 5 + 1);
        }
    }

    // The current page is the one clicked or stepped to; the commands act on it, and closing it
    // leaves the others sharing the width.
    void oneCurrentPageThatTheCommandsActOn()
    {
        auto window = OpenWindow();
        NViewSideBySide(*window)->trigger();
        Query(*window, "cat");
        QVERIFY(AllLoaded(*window));
        QCOMPARE(Headers(*window).size(), 5);
        QCOMPARE(PageControl1(*window)->currentIndex(), 0);

        QTest::mouseClick(Headers(*window)[3], Qt::LeftButton);
        QCOMPARE(PageControl1(*window)->currentIndex(), 3);
        QCOMPARE(window->ActiveBrowser(), BrowserAt(*window, 3));
        QVERIFY(ActNext(*window)->isEnabled());
        ActNext(*window)->trigger();
        QCOMPARE(PageControl1(*window)->currentIndex(), 4);
        QTRY_VERIFY(BrowserAt(*window, 4)->isAncestorOf(QApplication::focusWidget())
                    || BrowserAt(*window, 4)->hasFocus());
        QVERIFY(!ActNext(*window)->isEnabled());
        ActPrior(*window)->trigger();
        QCOMPARE(PageControl1(*window)->currentIndex(), 3);

        TWebBrowser *closed = BrowserAt(*window, 3);
        // The keyboard is in the page that goes: it comes back to the query box.
        QApplication::setActiveWindow(window.get());
        closed->setFocus();
        QTRY_VERIFY(closed->isAncestorOf(QApplication::focusWidget()) || closed->hasFocus());
        ActClose(*window)->trigger();
        QCOMPARE(QApplication::focusWidget(), CmbBook(*window));
        QCOMPARE(PageControl1(*window)->count(), 4);
        QVERIFY(!closed->isVisible());
        const auto *splitter = PageControl1(*window)->findChild<QSplitter *>("PageSplitter");
        // The closed column is hidden at once and freed with its page a moment later.
        QList<QWidget *> shown;
        for (int index = 0; index < splitter->count(); ++index) {
            if (!splitter->widget(index)->isHidden())
                shown << splitter->widget(index);
        }
        QCOMPARE(shown.size(), 4);
        QTRY_VERIFY2(
            std::ranges::all_of(shown,
                                [&](const QWidget *column) {
                                    return std::abs(column->width() - shown[0]->width()) <= 1
                                           && column->width() * 4 >= splitter->width() - 40;
                                }),
            qPrintable(QString::number(shown[0]->width())));
        QCOMPARE(window->ActiveBrowser(),
                 BrowserAt(*window, PageControl1(*window)->currentIndex()));
        QVERIFY(BrowserAt(*window, PageControl1(*window)->currentIndex())->isVisible());
        // And the closed page's browser is freed, not kept in its hidden column.
        const QPointer<TWebBrowser> freed(closed);
        QTRY_VERIFY(freed.isNull());
    }

    // A window too narrow for every column scrolls sideways instead of squeezing the pages.
    void aNarrowWindowScrollsSideways()
    {
        auto window = OpenWindow();
        window->resize(700, 500);
        NViewSideBySide(*window)->trigger();
        Query(*window, "cat");
        const auto *columns = PageControl1(*window)->findChild<TPageColumns *>();
        QVERIFY(columns);
        QTRY_VERIFY(columns->horizontalScrollBar()->isVisible());
        for (QWidget *header : Headers(*window))
            QVERIFY(header->width() >= TPageColumns::MinimumColumnWidth);
    }

    // Kept in the settings file under View, SideBySide; every other line stays as it was.
    void theChoiceIsKeptInTheSettingsFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("startsSideBySide");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no key gives tabs, and the choice is added")
            << QByteArray("; mine\r\n[Dictionary]\r\nID=0\r\n") << false
            << QByteArray("; mine\r\n[Dictionary]\r\nID=0\r\n[Form]\r\n");
        QTest::newRow("kept on, then off in place")
            << QByteArray("[View]\r\nSideBySide=1\r\nOther=7\r\n") << true
            << QByteArray("[View]\r\nSideBySide=0\r\nOther=7\r\n");
        QTest::newRow("a value other than 1 gives tabs")
            << QByteArray("[View]\r\nSideBySide=2\r\n") << false
            << QByteArray("[View]\r\nSideBySide=1\r\n");
    }
    void theChoiceIsKeptInTheSettingsFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, startsSideBySide);
        QFETCH(QByteArray, after);
        WriteAll(SettingsPath(), before);
        {
            auto window = OpenWindow();
            QCOMPARE(NViewSideBySide(*window)->isChecked(), startsSideBySide);
            QCOMPARE(PageControl1(*window)->SideBySide(), startsSideBySide);
            // Turned the other way, and so kept.
            NViewSideBySide(*window)->trigger();
            window->close();
        }
        const QByteArray saved = ReadAll(SettingsPath());
        QVERIFY2(saved.startsWith(after), saved.constData());
        const QByteArray line = startsSideBySide ? "SideBySide=0\r\n" : "SideBySide=1\r\n";
        QVERIFY2(saved.contains("[View]\r\n") && saved.contains(line), saved.constData());
        {
            auto window = OpenWindow();
            QCOMPARE(PageControl1(*window)->SideBySide(), !startsSideBySide);
        }
    }

    // A user who never chose the layout finds the settings file as it always was.
    void aFileWithoutTheKeyStaysWithoutIt()
    {
        const QByteArray settings = "[Form]\r\nwidth=700\r\nHeight=500\r\n[Dictionary]\r\nID=0\r\n";
        WriteAll(SettingsPath(), settings);
        auto window = std::make_unique<TfrmMain>(m_directory->path() + QLatin1Char('/'));
        window->close();
        QCOMPARE(ReadAll(SettingsPath()), settings);
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    TApplication application(argc, argv);
    SideBySideTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SideBySide_test.moc"
