// The main window with the real browser engine behind a local recording proxy: start-up and
// shutdown, the road of one query, the page actions.

#include "browser/WebBrowser.h"
#include "core/CodePage.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MainWindow.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "ui/UnitMain.h"
#include "widgets/Application.h"
#include "widgets/CheckListBox.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QToolButton>
#include <csignal>

#include <algorithm>
#include <stdexcept>

#include <sys/file.h>

#include <fcntl.h>
#include <unistd.h>

using namespace tellaria;
using namespace tellaria::test;

class UnitMainTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir *m_directory = nullptr;

    QString DataPath(const char *name) const { return m_directory->filePath(name); }

    std::unique_ptr<TfrmMain> OpenWindow() { return OpenMainWindow(m_directory->path()); }

    // Clicks the check box of row `row` of the check list.
    static void ClickCheckBox(TfrmMain &window, int row)
    {
        QListWidget *list = CkLstBookshop(window);
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(rect.left() + 8, rect.center().y()));
    }

    QList<int> PageTags(const TfrmMain &window) const
    {
        QList<int> tags;
        for (int index = 0; index < PageControl1(window)->count(); ++index)
            tags << qobject_cast<TTabSheet *>(PageControl1(window)->widget(index))->Tag();
        return tags;
    }

private slots:
    // Every command the tests above ran, failures included, reported its errors where they
    // happened: none needed the application's last guard.
    void cleanupTestCase() { QCOMPARE(TApplication::EscapedErrors(), 0); }

    void initTestCase() { m_proxy = new TestProxy(this); }

    void init()
    {
        m_directory = new QTemporaryDir;
        QVERIFY(m_directory->isValid());
        m_proxy->ClearRequests();
    }

    void cleanup()
    {
        delete m_directory;
        m_directory = nullptr;
    }

    void startShowsStartPageAndEmptyPageArea()
    {
        auto window = OpenWindow();
        QVERIFY(TestProxy::WaitFor([&] {
            return m_proxy->Requests().contains(
                "http://www.tellaria.example/soft/Lexivander.aspx?ver=1.9");
        }));
        QCOMPARE(window->windowTitle(), QString("Tellaria"));
        QVERIFY(PnlWbAD(*window)->isVisible());
        QVERIFY(!PageControl1(*window)->isVisible());
        QCOMPARE(CkLstBookshop(*window)->count(), 5);
        for (int row = 0; row < 5; ++row)
            QVERIFY(CkLstBookshop(*window)->Checked(row));
        QCOMPARE(CkLstBookshop(*window)->item(0)->text(), QString("维基百科（中文）"));
        QCOMPARE(CmbBoxType(*window)->currentIndex(), 0);
        QVERIFY(PnlBook(*window)->isVisible());
        QCOMPARE(CmbBook(*window)->count(), 0);
        QVERIFY(BtnBookOK(*window)->isEnabled());
    }

    void firstShowWaitsForTheStartPageOnce_data()
    {
        QTest::addColumn<bool>("startedBefore");
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<bool>("closedBefore");
        QTest::addColumn<int>("showsExpected");
        // Shown at the load's start, and not again when the limit passes after it.
        QTest::newRow("load starts, then the limit passes") << false << 300 << false << 1;
        // A load already started shows the window at once, not at the limit.
        QTest::newRow("load started before") << true << 60000 << false << 1;
        QTest::newRow("limit first") << false << 0 << false << 1;
        // A termination signal's close before the show: the window never appears.
        QTest::newRow("closed before") << false << 300 << true << 0;
    }

    void firstShowWaitsForTheStartPageOnce()
    {
        QFETCH(bool, startedBefore);
        QFETCH(int, limitMs);
        QFETCH(bool, closedBefore);
        QFETCH(int, showsExpected);
        const QByteArray settings = "[Form]\r\nwidth=640\r\nHeight=450\r\n[Dictionary]\r\nID=2\r\n";
        WriteAll(DataPath("Lexivanedr.ini"), settings);
        TfrmMain window(m_directory->path() + QLatin1Char('/'));
        bool loadStarted = false;
        connect(WbAd(window)->page(), &QWebEnginePage::loadStarted, this,
                [&] { loadStarted = true; });
        int shows = 0;
        bool visibleWhenShown = false;
        connect(&window, &TfrmMain::FirstShown, this, [&] {
            ++shows;
            visibleWhenShown = window.isVisible();
        });
        if (startedBefore) {
            QVERIFY(TestProxy::WaitFor([&] {
                return m_proxy->Requests().contains(
                    "http://www.tellaria.example/soft/Lexivander.aspx?ver=1.9");
            }));
        }
        window.ShowOnceStartPageStarts(limitMs);
        QVERIFY(window.FirstShowPending());
        QVERIFY(!window.isVisible());
        if (closedBefore)
            window.close();
        // Both the load's start and the limit have come and gone, or the window was shown
        // without waiting for the limit.
        const auto *limit = window.findChild<QTimer *>("firstShowLimit");
        QVERIFY(limit);
        QVERIFY(TestProxy::WaitFor(
            [&] { return loadStarted && !limit->isActive() && !window.FirstShowPending(); }));
        QCOMPARE(shows, showsExpected);
        QCOMPARE(window.isVisible(), showsExpected > 0);
        QCOMPARE(visibleWhenShown, showsExpected > 0);
        QVERIFY(!window.FirstShowPending());
        // Closed unseen, it keeps the size and mode it was given: it has no frame to measure,
        // and its mode was never restored into the selector.
        if (closedBefore)
            QCOMPARE(ReadAll(DataPath("Lexivanedr.ini")), settings);
    }

    void unreachableStartPageShowsTheBuiltInPage()
    {
        m_proxy->SetPage("http://www.tellaria.example/", "gone", 404);
        auto window = OpenWindow();
        const bool shown = TestProxy::WaitFor(
            [&] { return WbAd(*window)->title() == "Tellaria" && WbAd(*window)->HasDocument(); });
        m_proxy->SetPage("http://www.tellaria.example/", {}, 200);
        QVERIFY(shown);
        QString text;
        WbAd(*window)->page()->toPlainText([&](const QString &plain) { text = plain; });
        QVERIFY(TestProxy::WaitFor([&] { return !text.isEmpty(); }));
        QVERIFY2(text.contains("查询"), qPrintable(text));
    }

    void queryRequestsExactlyThePlannedUrls_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QList<int>>("uncheckedRows");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QStringList>("titles");

        QTest::newRow("idiom, GBK bytes")
            << 1 << QString("中") << QList<int>{}
            << QStringList{"http://cy.5156edu.com/serach.php?f_type=chengyu&f_key=%D6%D0"}
            << QStringList{"成语词典"};
        QTest::newRow("Bing, UTF-8 bytes")
            << 3 << QString("中 a") << QList<int>{}
            << QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=%E4%B8%AD+a"}
            << QStringList{"微软Bing智能英汉词典"};
        QTest::newRow("iciba, slash encoded")
            << 2 << QString("a b") << QList<int>{} << QStringList{"http://www.iciba.com/a+b%2F"}
            << QStringList{"英汉汉英词典"};
        QTest::newRow("three of five encyclopaedias, spaces")
            << 0 << QString("a b") << QList<int>{1, 3}
            << QStringList{"http://zh.wikipedia.org/zh-cn/a%20b", "http://www.baike.com/wiki/a%20b",
                           "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=a%20b"}
            << QStringList{"维基百科（中文）", "互动百科（中文）", "哥伦比亚百科（英文）"};
    }

    void queryRequestsExactlyThePlannedUrls()
    {
        QFETCH(int, mode);
        QFETCH(QString, term);
        QFETCH(QList<int>, uncheckedRows);
        QFETCH(QStringList, urls);
        QFETCH(QStringList, titles);

        auto window = OpenWindow();
        for (int row : uncheckedRows)
            CkLstBookshop(*window)->SetChecked(row, false);
        Query(*window, mode, term);

        QCOMPARE(PageControl1(*window)->count(), titles.size());
        for (int index = 0; index < titles.size(); ++index)
            QCOMPARE(PageControl1(*window)->tabText(index), titles[index]);
        QVERIFY(WaitForResultRequests(*m_proxy, urls.size()));
        // Nothing beyond the plan: every page's load has ended, so every request is in.
        QVERIFY(TestProxy::WaitFor([&] {
            for (int index = 0; index < PageControl1(*window)->count(); ++index) {
                auto *browser = PageControl1(*window)->widget(index)->findChild<TWebBrowser *>();
                if (!browser || !browser->HasDocument())
                    return false;
            }
            return true;
        }));
        QStringList requests = ResultRequests(*m_proxy);
        requests.sort();
        urls.sort();
        QCOMPARE(requests, urls);
    }

    void secondQueryReplacesPagesAndPageIdsGoOn()
    {
        auto window = OpenWindow();
        Query(*window, 0, "cat");
        QCOMPARE(PageTags(*window), (QList<int>{1, 2, 3, 4, 5}));
        CkLstBookshop(*window)->SetChecked(1, false);
        CkLstBookshop(*window)->SetChecked(2, false);
        Query(*window, 0, "dog");
        QCOMPARE(PageTags(*window), (QList<int>{6, 7, 8}));
        QTRY_COMPARE(window->findChildren<TWebBrowser *>().size(), 3 + 1); // with the start page's
        QCOMPARE(window->ActiveBrowser()->Tag,
                 qobject_cast<TTabSheet *>(PageControl1(*window)->currentWidget())->Tag());
        Query(*window, 1, "dog");
        QCOMPARE(PageTags(*window), (QList<int>{9}));
    }

    // The new pages are opened and navigated before the old ones are taken down; the old ones
    // leave the page area at once and are freed a moment later, browsers and all.
    void queryReplacesPagesAtOnceAndFreesTheOldOnesAfter()
    {
        auto window = OpenWindow();
        Query(*window, 0, "cat");
        QList<QPointer<QWidget>> oldPages;
        for (int index = 0; index < PageControl1(*window)->count(); ++index) {
            auto *page = qobject_cast<TTabSheet *>(PageControl1(*window)->widget(index));
            oldPages << page << page->Browser();
        }
        CkLstBookshop(*window)->SetChecked(0, false);
        CkLstBookshop(*window)->SetChecked(3, false);
        m_proxy->ClearRequests();
        Query(*window, 0, "dog");

        QCOMPARE(PageTags(*window), (QList<int>{6, 7, 8}));
        QCOMPARE(PageControl1(*window)->currentIndex(), 0);
        for (const QPointer<QWidget> &old : std::as_const(oldPages)) {
            QVERIFY(old && !old->isVisible());
            QCOMPARE(PageControl1(*window)->indexOf(old), -1);
        }
        // The old browsers, still alive, are never the active one.
        QCOMPARE(window->ActiveBrowser()->Tag, 6);
        QVERIFY(WaitForResultRequests(*m_proxy, 3));
        QTRY_VERIFY(std::none_of(oldPages.cbegin(), oldPages.cend(),
                                 [](const QPointer<QWidget> &old) { return bool(old); }));
        QCOMPARE(window->findChildren<TWebBrowser *>().size(), 3 + 1);

        // Closing the active page: the next one's browser is active at once.
        ActClose(*window)->trigger();
        QCOMPARE(window->ActiveBrowser()->Tag,
                 qobject_cast<TTabSheet *>(PageControl1(*window)->currentWidget())->Tag());
        QVERIFY(window->ActiveBrowser()->Tag != 6);
    }

    // A browser that cannot be made ends the query at its page: the term is recorded, the old
    // pages are gone all the same, the pages opened before stay.
    void failingBrowserEndsTheQueryAtItsPage()
    {
        struct FailingWindow : TfrmMain
        {
            using TfrmMain::TfrmMain;
            int FailAt = 0;
            TWebBrowser *CreateBrowser(QWidget *page) override
            {
                if (--FailAt == 0)
                    throw std::runtime_error("no browser");
                return TfrmMain::CreateBrowser(page);
            }
        };
        FailingWindow window(m_directory->path() + QLatin1Char('/'));
        window.show();
        Query(window, 0, "cat");
        QCOMPARE(PageControl1(window)->count(), 5);
        window.FailAt = 3;
        MessageBoxWatcher watcher;
        Query(window, 0, "dog");
        QTRY_COMPARE(watcher.Seen().size(), 1);
        QCOMPARE(watcher.Seen()[0].Text, QString("no browser."));
        QCOMPARE(CmbBook(window)->count(), 2);
        // Two pages opened; the third has its tab, without a browser.
        QCOMPARE(PageTags(window), (QList<int>{6, 7, 8}));
        QCOMPARE(PageControl1(window)->currentIndex(), 0);
        QTRY_COMPARE(window.findChildren<TWebBrowser *>().size(), 2 + 1);
    }

    void blankTermIsRefusedWithAMessage()
    {
        auto window = OpenWindow();
        MessageBoxWatcher watcher;
        Query(*window, 0, QString(" \t "));
        QTRY_COMPARE(watcher.Seen().size(), 1);
        QCOMPARE(watcher.Seen()[0].Text, QString("请输入要搜索的内容！"));
        QCOMPARE(watcher.Seen()[0].Title, QString("Tellaria"));
        QCOMPARE(watcher.Seen()[0].Icon, QMessageBox::Information);
        QCOMPARE(CmbBook(*window)->count(), 0);
        QVERIFY(!PageControl1(*window)->isVisible());
    }

    void enterRunsQueryEvenWithButtonDisabled()
    {
        auto window = OpenWindow();
        for (int row = 0; row < 5; ++row)
            ClickCheckBox(*window, row);
        QVERIFY(!BtnBookOK(*window)->isEnabled());
        Query(*window, 0, "owl");
        QCOMPARE(CmbBook(*window)->count(), 1);
        QVERIFY(PageControl1(*window)->isVisible());
        QCOMPARE(PageControl1(*window)->count(), 0);
        // Switching mode leaves the button as the last click left it.
        ChooseMode(*window, 2);
        QVERIFY(!BtnBookOK(*window)->isEnabled());
        QVERIFY(!PnlBook(*window)->isVisible());
    }

    void queryButtonFollowsEveryCheckChange()
    {
        auto window = OpenWindow();
        QListWidget *list = CkLstBookshop(*window);
        for (int row = 1; row < 5; ++row)
            ClickCheckBox(*window, row);
        QVERIFY(BtnBookOK(*window)->isEnabled());
        // A mouse click on the last checked box unchecks it and disables the button.
        ClickCheckBox(*window, 0);
        QVERIFY(!CkLstBookshop(*window)->Checked(0));
        QVERIFY(!BtnBookOK(*window)->isEnabled());
        // The space bar checks it again: the button follows.
        list->setFocus();
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Space);
        QVERIFY(CkLstBookshop(*window)->Checked(0));
        QVERIFY(BtnBookOK(*window)->isEnabled());
        QTest::keyClick(list, Qt::Key_Space);
        QVERIFY(!CkLstBookshop(*window)->Checked(0));
        QVERIFY(!BtnBookOK(*window)->isEnabled());
    }

    void pageActionsFollowThePageArea()
    {
        auto window = OpenWindow();
        for (QAction *action : {ActPrior(*window), ActNext(*window), ActClose(*window),
                                ActCloseAll(*window), ActSave(*window), ActCopy(*window)})
            QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
        Query(*window, 0, "cat");
        // The states follow each change of the page area as it happens.
        PageControl1(*window)->setCurrentIndex(0);
        QVERIFY(!ActPrior(*window)->isEnabled());
        QVERIFY(ActNext(*window)->isEnabled());
        QVERIFY(ActClose(*window)->isEnabled());
        ActPrior(*window)->trigger();
        QCOMPARE(PageControl1(*window)->currentIndex(), 0);
        ActNext(*window)->trigger();
        QCOMPARE(PageControl1(*window)->currentIndex(), 1);
        PageControl1(*window)->setCurrentIndex(4);
        ActNext(*window)->trigger();
        QCOMPARE(PageControl1(*window)->currentIndex(), 4);
        QVERIFY(ActPrior(*window)->isEnabled());
        QVERIFY(!ActNext(*window)->isEnabled());

        ActClose(*window)->trigger();
        QCOMPARE(PageControl1(*window)->count(), 4);
        QTRY_COMPARE(window->findChildren<TWebBrowser *>().size(), 4 + 1);

        {
            MessageBoxWatcher cancel(QMessageBox::Cancel);
            ActCloseAll(*window)->trigger();
            QCOMPARE(cancel.Seen().size(), 1);
            QCOMPARE(cancel.Seen()[0].Text, QString("确实要关闭所有查询结果吗？"));
            QCOMPARE(cancel.Seen()[0].Icon, QMessageBox::Question);
        }
        QCOMPARE(PageControl1(*window)->count(), 4);
        {
            MessageBoxWatcher ok(QMessageBox::Ok);
            ActCloseAll(*window)->trigger();
        }
        QCOMPARE(PageControl1(*window)->count(), 0);
        QVERIFY(!PageControl1(*window)->isVisible());
        QVERIFY(PnlWbAD(*window)->isVisible());
        QTRY_COMPARE(window->findChildren<TWebBrowser *>().size(), 1);
        QVERIFY(!ActClose(*window)->isEnabled());
    }

    // A page whose process is killed says so in its place and on its tab; F5 loads it again.
    // The other pages, and the next query, are untouched.
    void aPageWhoseProcessEndsCanBeLoadedAgain()
    {
        auto window = OpenWindow();
        Query(*window, 0, "cat");
        QVERIFY(WaitForResultRequests(*m_proxy, 5));
        TResultPages *pages = PageControl1(*window);
        const auto browserAt
            = [&](int index) { return qobject_cast<TTabSheet *>(pages->widget(index))->Browser(); };
        QVERIFY(TestProxy::WaitFor([&] {
            for (int index = 0; index < 5; ++index) {
                if (!browserAt(index)->HasDocument())
                    return false;
            }
            return true;
        }));
        pages->setCurrentIndex(1);
        TWebBrowser *victim = browserAt(1);
        const QString url = victim->url().toString();
        const qint64 process = victim->page()->renderProcessPid();
        QVERIFY(process > 0);
        QVERIFY(::kill(pid_t(process), SIGKILL) == 0);

        QWidget *ended = nullptr;
        QVERIFY(TestProxy::WaitFor([&] {
            ended = pages->widget(1)->findChild<QWidget *>("PageEnded");
            return ended && ended->isVisible();
        }));
        QVERIFY(!victim->isVisible());
        QTRY_VERIFY(pages->tabToolTip(1).contains("页面已意外终止"));
        QVERIFY(!ActSave(*window)->isEnabled());
        for (int index : {0, 2, 3, 4})
            QVERIFY(!pages->tabToolTip(index).contains("终止"));

        m_proxy->ClearRequests();
        QTest::keyClick(window.get(), Qt::Key_F5);
        QVERIFY(TestProxy::WaitFor([&] { return m_proxy->Requests().contains(url); }));
        QVERIFY(!ended->isVisible());
        QVERIFY(victim->isVisible());
        QTRY_VERIFY(!pages->tabToolTip(1).contains("终止"));
        QVERIFY(TestProxy::WaitFor([&] { return ActSave(*window)->isEnabled(); }));

        m_proxy->ClearRequests();
        Query(*window, 2, "dog");
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
    }

    // The ticked encyclopaedias are kept in the settings file, one bit a row; every other line of
    // the file stays as it was.
    void tickedSitesAreKept_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("tickedAtStart");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("all five without the key; two unticked")
            << QByteArray("[Dictionary]\r\nID=0\r\n; mine\r\n") << 0b11111
            << QByteArray("[Dictionary]\r\nID=0\r\nSites=26\r\n; mine\r\n");
        QTest::newRow("kept from the last run")
            << QByteArray("[Dictionary]\r\nSites=5\r\nID=0\r\n") << 0b00101
            << QByteArray("[Dictionary]\r\nSites=0\r\nID=0\r\n");
    }
    void tickedSitesAreKept()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, tickedAtStart);
        QFETCH(QByteArray, after);
        WriteAll(DataPath("Lexivanedr.ini"), before);
        int ticked = 0;
        {
            auto window = OpenWindow();
            TCheckListBox *list = CkLstBookshop(*window);
            QCOMPARE(list->CheckedRows(), tickedAtStart);
            // The user unticks the first and the third row, or ticks them again.
            ClickCheckBox(*window, 0);
            ClickCheckBox(*window, 2);
            ticked = list->CheckedRows();
            QCOMPARE(ticked, tickedAtStart ^ 0b00101);
            window->close();
        }
        QVERIFY2(ReadAll(DataPath("Lexivanedr.ini")).startsWith(after),
                 ReadAll(DataPath("Lexivanedr.ini")).toPercentEncoding().constData());
        auto window = OpenWindow();
        QCOMPARE(CkLstBookshop(*window)->CheckedRows(), ticked);
    }

    void closingLastPageShowsStartPageWithoutReload()
    {
        auto window = OpenWindow();
        QVERIFY(TestProxy::WaitFor([&] { return WbAd(*window)->HasDocument(); }));
        m_proxy->ClearRequests();
        Query(*window, 1, "cat");
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        ActClose(*window)->trigger();
        QVERIFY(PnlWbAD(*window)->isVisible());
        // A reload would be asked for at once; the next query's request comes after it.
        Query(*window, 3, "cat");
        QVERIFY(WaitForResultRequests(*m_proxy, 2));
        QCOMPARE(m_proxy->Requests(),
                 (QStringList{"http://cy.5156edu.com/serach.php?f_type=chengyu&f_key=cat",
                              "http://dict.bing.com.cn/?FORM=CHOT20&q=cat"}));
    }

    void restartRestoresSizeModeAndHistory()
    {
        QSize outer;
        {
            auto window = OpenWindow();
            window->resize(640, 450);
            outer = window->frameGeometry().size();
            Query(*window, 2, "cat");
            Query(*window, 2, "Cat");
            Query(*window, 2, "cat");
            window->close();
        }
        QCOMPARE(ReadAll(DataPath("Lexivander.qry")), QByteArray("cat\r\nCat\r\n"));
        QCOMPARE(ReadAll(DataPath("Lexivanedr.ini")),
                 "[Form]\r\nwidth=" + QByteArray::number(outer.width()) + "\r\nHeight="
                     + QByteArray::number(outer.height()) + "\r\n[Dictionary]\r\nID=2\r\n");

        auto window = OpenWindow();
        QCOMPARE(window->size(), QSize(640, 450));
        QCOMPARE(window->frameGeometry().size(), outer);
        QCOMPARE(CmbBoxType(*window)->currentIndex(), 2);
        QVERIFY(!PnlBook(*window)->isVisible());
        QCOMPARE(CmbBook(*window)->count(), 2);
        QCOMPARE(CmbBook(*window)->itemText(1), QString("Cat"));
    }

    void storedSettingsAreCorrectedAgainstTheScreen_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QSize>("expected");
        QTest::addColumn<int>("mode");
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QTest::newRow("too narrow, too low, no mode")
            << QByteArray("[FORM]\nWIDTH=5\nHEIGHT=9\n[dictionary]\nid=-1\n") << screen << -1;
        QTest::newRow("hex and spaces, mode out of range")
            << QByteArray("[Form]\r\nWidth= 0x258\r\nheight=$190\r\n[Dictionary]\r\nID=4\r\n")
            << QSize(600, 400) << -1;
        QTest::newRow("height just over the screen, garbage mode")
            << QByteArray("[Form]\nWidth=20000\nheight=" + QByteArray::number(screen.height() + 10)
                          + "\n[Dictionary]\nID=abc\n")
            << QSize(screen.width(), screen.height() + 10) << 0;
    }

    void storedSettingsAreCorrectedAgainstTheScreen()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QSize, expected);
        QFETCH(int, mode);
        WriteAll(DataPath("Lexivanedr.ini"), ini);
        auto window = OpenWindow();
        QCOMPARE(window->frameGeometry().size(), expected);
        QCOMPARE(CmbBoxType(*window)->currentIndex(), mode);
        QCOMPARE(PnlBook(*window)->isVisible(), mode == 0);
        window->close();
        const QString written = QString::fromLatin1(ReadAll(DataPath("Lexivanedr.ini")));
        QVERIFY2(written.contains(QRegularExpression(QString("(^|\\n)id=%1\\r?\\n").arg(mode),
                                                     QRegularExpression::CaseInsensitiveOption)),
                 qPrintable(written));
    }

    void unreadableHistoryIsReportedAndWindowStillOpens()
    {
        const QString path = DataPath("Lexivander.qry");
        WriteAll(path, "cat\r\n");
        // Another program writing the file holds it locked.
        const int writer = ::open(QFile::encodeName(path).constData(), O_RDWR);
        QVERIFY(writer >= 0);
        QVERIFY(::flock(writer, LOCK_EX) == 0);
        MessageBoxWatcher watcher;
        auto window = OpenWindow();
        ::close(writer);
        QTRY_COMPARE(watcher.Seen().size(), 1);
        QVERIFY2(watcher.Seen()[0].Text.startsWith(QString::fromUtf8("无法打开文件“") + path
                                                   + QString::fromUtf8("”。")),
                 qPrintable(watcher.Seen()[0].Text));
        QCOMPARE(watcher.Seen()[0].Icon, QMessageBox::Critical);
        QCOMPARE(watcher.Seen()[0].Title, QString("Tellaria"));
        QCOMPARE(CmbBook(*window)->count(), 0);
        QCOMPARE(CkLstBookshop(*window)->count(), 5);
    }

    void failedHistorySaveIsReportedAndTheSettingsAreStillSaved()
    {
        auto window = OpenWindow();
        Query(*window, 1, "cat");
        // A directory where the history file should go makes the save fail.
        QVERIFY(QDir(m_directory->path()).mkdir("Lexivander.qry"));
        MessageBoxWatcher watcher;
        window->close();
        QTRY_COMPARE(watcher.Seen().size(), 1);
        QCOMPARE(watcher.Seen()[0].Text, QString::fromUtf8("无法创建文件“")
                                             + DataPath("Lexivander.qry")
                                             + QString::fromUtf8("”。Is a directory."));
        QCOMPARE(watcher.Seen()[0].Icon, QMessageBox::Critical);
        QCOMPARE(watcher.Seen()[0].Title, QString("Tellaria"));
        QVERIFY2(ReadAll(DataPath("Lexivanedr.ini")).endsWith("[Dictionary]\r\nID=1\r\n"),
                 ReadAll(DataPath("Lexivanedr.ini")).constData());
    }

    void historyThatCouldNotBeLoadedIsKeptAtClose()
    {
        const QString path = DataPath("Lexivander.qry");
        WriteAll(path, "dog\r\ncat\r\nowl\r\n");
        const int writer = ::open(QFile::encodeName(path).constData(), O_RDWR);
        QVERIFY(writer >= 0);
        QVERIFY(::flock(writer, LOCK_EX) == 0);
        MessageBoxWatcher watcher;
        auto window = OpenWindow();
        QTRY_COMPARE(watcher.Seen().size(), 1);
        ::close(writer);
        Query(*window, 1, "emu");
        // A report would be answered before the close returns.
        window->close();
        // The load's report only: the save was not tried, so nothing failed.
        QCOMPARE(watcher.Seen().size(), 1);
        QCOMPARE(ReadAll(path), QByteArray("dog\r\ncat\r\nowl\r\n"));
        QVERIFY(QFile::exists(DataPath("Lexivanedr.ini")));
    }

    void filesAreFoundInADirectoryNamedInChinese()
    {
        QVERIFY(QDir(m_directory->path()).mkdir("词典"));
        const QString directory = m_directory->filePath("词典") + '/';
        WriteAll(directory + "Lexivander.qry", "cat\r\n");
        {
            TfrmMain window(directory);
            window.show();
            QCOMPARE(CmbBook(window)->count(), 1);
            window.close();
        }
        QVERIFY(QFile::exists(directory + "Lexivanedr.ini"));
    }

    void completionKeepsTypedCaseAndHighlightsTheRest()
    {
        WriteAll(DataPath("Lexivander.qry"), "cattle\r\nCat\r\n");
        auto window = OpenWindow();
        QLineEdit *edit = CmbBook(*window)->lineEdit();
        QTest::keyClicks(CmbBook(*window), "c");
        QCOMPARE(edit->text(), QString("cattle"));
        QCOMPARE(edit->selectedText(), QString("attle"));
        QTest::keyClicks(CmbBook(*window), "at");
        QCOMPARE(edit->text(), QString("cattle"));
        QCOMPARE(edit->selectedText(), QString("tle"));
        QTest::keyClick(CmbBook(*window), Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString("cat"));
        QTest::keyClicks(CmbBook(*window), "x");
        QCOMPARE(edit->text(), QString("catx"));
        QCOMPARE(CmbBook(*window)->count(), 2); // typing never adds entries
        QTest::keyClick(CmbBook(*window), Qt::Key_Return);
        QCOMPARE(CmbBook(*window)->count(), 3);
        QCOMPARE(CmbBook(*window)->itemText(2), QString("catx"));
    }

    // What an input method sends: pre-edit text while composing, then the commit.
    void inputMethodCommitsAreCompletedButNotPreedit_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QStringList>("commits");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::newRow("one character") << "中文\r\n"
                                       << QStringList{"中"} << "中文"
                                       << "文";
        QTest::newRow("then the rest") << "中文字\r\n"
                                       << QStringList{"中", "文"} << "中文字"
                                       << "字";
        QTest::newRow("a phrase") << "中文字\r\n"
                                  << QStringList{"中文"} << "中文字"
                                  << "字";
        QTest::newRow("no entry") << "英文\r\n"
                                  << QStringList{"中"} << "中"
                                  << "";
    }
    void inputMethodCommitsAreCompletedButNotPreedit()
    {
        QFETCH(QString, history);
        QFETCH(QStringList, commits);
        WriteAll(DataPath("Lexivander.qry"),
                 QByteArray::fromStdString(AnsiFromUtf8(history.toStdString())));
        auto window = OpenWindow();
        QLineEdit *edit = CmbBook(*window)->lineEdit();
        for (const QString &commit : commits) {
            QInputMethodEvent preedit(QStringLiteral("zhong"), {});
            QApplication::sendEvent(CmbBook(*window), &preedit);
            // Composing text is never completed.
            QVERIFY(!edit->hasSelectedText());
            QInputMethodEvent done;
            done.setCommitString(commit);
            QApplication::sendEvent(CmbBook(*window), &done);
        }
        QTEST(edit->text(), "text");
        QTEST(edit->selectedText(), "selected");
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    TApplication application(argc, argv);
    UnitMainTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "UnitMain_test.moc"
