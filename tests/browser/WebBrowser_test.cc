// The browser binding on its own, with the real engine behind the local proxy: the silent rules,
// refused downloads, new windows, the before-navigate handler and the command status.

#include "browser/BrowserDialogs.h"
#include "browser/PdfPageView.h"
#include "browser/PrintPreview.h"
#include "browser/WebBrowser.h"
#include "tests/support/PrintWait.h"
#include "tests/support/TestProxy.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

using namespace tellaria;
using namespace tellaria::test;

class WebBrowserTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir m_directory;

    // Shows `browser` with the printable fixture page loaded.
    static bool LoadPrintablePage(TWebBrowser &browser)
    {
        browser.resize(600, 400);
        browser.window()->show();
        browser.Navigate("http://print.example/");
        return WaitForTitle(browser, "print");
    }

    // A printer that writes a PDF named `name` in the test's directory.
    std::unique_ptr<QPrinter> PdfPrinter(const QString &name)
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_directory.filePath(name));
        return printer;
    }

    static bool WaitForTitle(TWebBrowser &browser, const QString &title)
    {
        return TestProxy::WaitFor([&] { return browser.title() == title; });
    }

    static int VisibleDialogs()
    {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->isWindow()
                && (widget->windowFlags() & Qt::Dialog) == Qt::Dialog)
                ++count;
        }
        return count;
    }

private slots:
    void initTestCase()
    {
        m_proxy = new TestProxy(this);
        m_proxy->SetPage(
            "http://print.example/",
            "<html><head><title>print</title></head><body>printed words</body></html>");
    }

    void silentBrowserAnswersScriptDialogsWithoutShowingThem()
    {
        m_proxy->SetPage("http://dialogs.example/",
                         "<html><head><title>start</title></head><body><script>"
                         "alert('a');"
                         "var c = confirm('b');"
                         "var p = prompt('c', 'default');"
                         "document.title = 'done:' + c + ':' + p;"
                         "</script></body></html>");
        TWebBrowser browser;
        browser.SetSilent(true);
        browser.show();
        browser.Navigate("http://dialogs.example/");
        QVERIFY(WaitForTitle(browser, "done:true:null"));
        QCOMPARE(VisibleDialogs(), 0);
    }

    void downloadsAPageStartsAreRefused()
    {
        QTemporaryDir downloads;
        QWebEngineProfile::defaultProfile()->setDownloadPath(downloads.path());
        m_proxy->SetPage("http://files.example/file.bin", "binary payload", 200,
                         "Content-Disposition: attachment; filename=\"file.bin\"\r\n");
        m_proxy->SetPage("http://files.example/page",
                         "<html><head><title>page</title></head><body>"
                         "<a id=\"l\" href=\"/file.bin\">file</a>"
                         "<script>document.getElementById('l').click();</script></body></html>");
        QList<QWebEngineDownloadRequest::DownloadState> states;
        TWebBrowser browser;
        connect(QWebEngineProfile::defaultProfile(), &QWebEngineProfile::downloadRequested, this,
                [&](QWebEngineDownloadRequest *download) { states << download->state(); });
        browser.Navigate("http://files.example/page");
        QVERIFY(TestProxy::WaitFor([&] { return !states.isEmpty(); }));
        // Refused before anything was written.
        QCOMPARE(states.first(), QWebEngineDownloadRequest::DownloadCancelled);
        QVERIFY(QDir(downloads.path()).isEmpty());
    }

    void newWindowOpensInTheSamePage()
    {
        m_proxy->SetPage("http://opener.example/",
                         "<html><head><title>opener</title></head><body><script>"
                         "window.open('http://opened.example/', '_blank');</script></body></html>");
        m_proxy->SetPage("http://opened.example/",
                         "<html><head><title>opened</title></head><body></body></html>");
        TWebBrowser browser;
        browser.page()->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows,
                                                 true);
        browser.Navigate("http://opener.example/");
        QVERIFY(WaitForTitle(browser, "opened"));
    }

    void beforeNavigateSeesFramesAndItsCancelDecides()
    {
        m_proxy->ClearRequests();
        m_proxy->SetPage("http://frames.example/top",
                         "<html><head><title>top</title></head><body>"
                         "<iframe src=\"http://frames.example/allowed\"></iframe>"
                         "<iframe src=\"http://frames.example/refused\"></iframe></body></html>");
        QStringList seen;
        TWebBrowser browser;
        browser.SetNavigationPolicy([&](TWebBrowser *sender, const QUrl &url, bool isMainFrame) {
            [&] { QCOMPARE(sender, &browser); }();
            seen << (isMainFrame ? "main " : "frame ") + url.toString();
            return url.path() == "/refused" ? TNavigation::Refuse : TNavigation::Allow;
        });
        browser.Navigate("http://frames.example/top");
        // The load ends after its frames: every frame request has been made by then.
        QVERIFY(TestProxy::WaitFor([&] { return browser.HasDocument(); }));
        QVERIFY(m_proxy->Requests().contains("http://frames.example/allowed"));
        QVERIFY(seen.contains("main http://frames.example/top"));
        QVERIFY(seen.contains("frame http://frames.example/allowed"));
        QVERIFY(seen.contains("frame http://frames.example/refused"));
        QVERIFY(!m_proxy->Requests().contains("http://frames.example/refused"));
    }

    void commandStatusBeforeAndAfterTheFirstLoad()
    {
        m_proxy->SetPage("http://status.example/",
                         "<html><head><title>status</title></head><body>text</body></html>");
        TWebBrowser browser;
        const TBrowserCommand documentCommands[]
            = {TBrowserCommand::SaveAs, TBrowserCommand::Print, TBrowserCommand::PrintPreview,
               TBrowserCommand::PageSetup, TBrowserCommand::SelectAll};
        for (TBrowserCommand command : documentCommands)
            QVERIFY(!browser.CommandAvailable(command));
        int changes = 0;
        connect(&browser, &TWebBrowser::CommandStateChanged, this, [&] { ++changes; });
        browser.Navigate("http://status.example/");
        QVERIFY(WaitForTitle(browser, "status"));
        QVERIFY(TestProxy::WaitFor([&] { return browser.HasDocument(); }));
        // The end of the load was told.
        QVERIFY(changes > 0);
        for (TBrowserCommand command : documentCommands)
            QVERIFY(browser.CommandAvailable(command));
        QVERIFY(!browser.CommandAvailable(TBrowserCommand::Copy));
        QVERIFY(!browser.CommandAvailable(TBrowserCommand::Paste));
    }

    void printAndWaitRendersThePageOnceAtATime()
    {
        TWebBrowser browser;
        QVERIFY(LoadPrintablePage(browser));
        const auto pdf = PdfPrinter("preview.pdf");
        QPrinter &printer = *pdf;
        bool nested = true;
        // A second job asked for while the first runs (a repaint of the preview) is refused.
        QTimer::singleShot(0, &browser, [&] { nested = PrintAndWait(browser, printer); });
        QVERIFY(PrintAndWait(browser, printer));
        QVERIFY(!nested);
        QVERIFY(QFileInfo(m_directory.filePath("preview.pdf")).size() > 1000);
        QVERIFY(browser.CommandAvailable(TBrowserCommand::PrintPreview));
    }

    void printAndWaitEndsWhenTheJobDoesNot()
    {
        TWebBrowser browser;
        QVERIFY(LoadPrintablePage(browser));
        const auto pdf = PdfPrinter("late.pdf");
        QPrinter &printer = *pdf;
        // No engine renders a page in a millisecond: the wait gives up and says so.
        QVERIFY(!PrintAndWait(browser, printer, 1));
        // The job still runs; a second one waits for it to end, then prints.
        QVERIFY(
            TestProxy::WaitFor([&] { return browser.CommandAvailable(TBrowserCommand::Print); }));
        QVERIFY(PrintAndWait(browser, printer));
    }

    void aBrowserClosedWhilePrintingGoesWhenTheJobEnds_data()
    {
        QTest::addColumn<bool>("toFile");
        QTest::newRow("printed to a PDF file by the engine") << true;
        QTest::newRow("pages drawn for a printer") << false;
    }

    void aBrowserClosedWhilePrintingGoesWhenTheJobEnds()
    {
        QFETCH(bool, toFile);
        auto *holder = new QWidget;
        auto *browser = new TWebBrowser(holder);
        QVERIFY(LoadPrintablePage(*browser));
        const auto pdf = PdfPrinter("closed.pdf");
        QPrinter &printer = *pdf;
        bool finished = false;
        connect(browser, &TWebBrowser::PrintJobFinished, this, [&] { finished = true; });
        if (toFile) {
            struct ConfirmingDialogs : BrowserDialogs
            {
                bool ConfirmPrint(QWidget *, QPrinter &) override { return true; }
            } dialogs;
            BrowserDialogs::Install(&dialogs);
            browser->SetPrinter(&printer);
            QVERIFY(TestProxy::WaitFor(
                [&] { return browser->CommandAvailable(TBrowserCommand::Print); }));
            browser->RunCommand(TBrowserCommand::Print);
            BrowserDialogs::Install(nullptr);
        } else {
            // Given up on at once, the job goes on.
            QVERIFY(!PrintAndWait(*browser, printer, 1));
        }
        QVERIFY(browser->Printing());
        // The engine cannot drop a page it is printing: the holder outlives the job.
        QPointer<QWidget> alive(holder);
        DeleteWhenIdle(holder, browser);
        QTest::qWait(0);
        QVERIFY(finished || alive);
        QVERIFY(TestProxy::WaitFor([&] { return !alive; }));
        QVERIFY(finished);
    }

    // The print dialog's "print to file": the engine writes the PDF itself, on the paper,
    // orientation and margins of the page set-up, and the page's words stay text.
    void printingToAPdfFileKeepsTextAndPageSetUp()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is missing");
        TWebBrowser browser;
        QVERIFY(LoadPrintablePage(browser));
        const auto pdf = PdfPrinter("set-up.pdf");
        pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                       QMarginsF(30, 30, 30, 30), QPageLayout::Millimeter));
        struct ConfirmingDialogs : BrowserDialogs
        {
            bool ConfirmPrint(QWidget *, QPrinter &) override { return true; }
        } dialogs;
        BrowserDialogs::Install(&dialogs);
        browser.SetPrinter(pdf.get());
        QVERIFY(
            TestProxy::WaitFor([&] { return browser.CommandAvailable(TBrowserCommand::Print); }));
        QSignalSpy finished(&browser, &TWebBrowser::PrintJobFinished);
        browser.RunCommand(TBrowserCommand::Print);
        BrowserDialogs::Install(nullptr);
        // One job at a time, whichever way it prints.
        QVERIFY(!browser.CommandAvailable(TBrowserCommand::Print));
        QVERIFY(!browser.CommandAvailable(TBrowserCommand::PrintPreview));
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(browser.CommandAvailable(TBrowserCommand::Print));

        // pdftotext -bbox places each word it finds, in points from the page's top left.
        QProcess reader;
        reader.start("pdftotext", {"-bbox", pdf->outputFileName(), "-"});
        QVERIFY(reader.waitForFinished());
        const QString boxes = QString::fromUtf8(reader.readAllStandardOutput());
        const QRegularExpressionMatch page
            = QRegularExpression("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\"").match(boxes);
        const QRegularExpressionMatch word
            = QRegularExpression("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>printed<")
                  .match(boxes);
        QVERIFY2(page.hasMatch() && word.hasMatch(), qPrintable(boxes));
        // A5 across, 595 by 420 points, and nothing written in its 30 mm (85 point) margins.
        QVERIFY2(qAbs(page.captured(1).toDouble() - 595.3) < 2
                     && qAbs(page.captured(2).toDouble() - 419.5) < 2,
                 qPrintable(page.captured(0)));
        QVERIFY2(word.captured(1).toDouble() >= 85 && word.captured(2).toDouble() >= 85,
                 qPrintable(word.captured(0)));
    }

    // The preview is the engine's PDF of the page: while the engine makes it the pointer is busy
    // and the window keeps answering; then its pages show, the pointer is the user's again.
    void previewShowsThePagesPdfWithABusyPointerMeanwhile()
    {
        TWebBrowser browser;
        QVERIFY(LoadPrintablePage(browser));
        const auto pdf = PdfPrinter("preview-pointer.pdf");
        browser.SetPrinter(pdf.get());
        QVERIFY(TestProxy::WaitFor(
            [&] { return browser.CommandAvailable(TBrowserCommand::PrintPreview); }));
        int answeredWhileDrawing = 0;
        int busyWhileDrawing = 0;
        bool shown = false;
        bool busyOnceShown = true;
        // Looks in from the event loops the preview runs, until the preview is up.
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&] {
            const QCursor *cursor = QApplication::overrideCursor();
            if (browser.Printing()) {
                ++answeredWhileDrawing;
                busyWhileDrawing += cursor && cursor->shape() == Qt::BusyCursor;
                return;
            }
            auto *preview = qobject_cast<TPrintPreview *>(QApplication::activeModalWidget());
            if (!preview || !preview->isVisible() || answeredWhileDrawing == 0
                || preview->View()->PageCount() == 0)
                return;
            shown = true;
            busyOnceShown = cursor != nullptr;
            preview->reject();
        });
        probe.start(5);
        browser.RunCommand(TBrowserCommand::PrintPreview);
        QVERIFY(shown);
        QVERIFY(answeredWhileDrawing > 0);
        QCOMPARE(busyWhileDrawing, answeredWhileDrawing);
        QVERIFY(!busyOnceShown);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // RequestSent: once per Navigate, when the document's request leaves; never for the page's
    // own resources or its later navigations, nor for a navigation refused before it.
    void requestSentOncePerNavigate_data()
    {
        QTest::addColumn<QStringList>("navigations");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<int>("expected");
        QTest::newRow("a page with a frame, an image and a link it follows")
            << QStringList{"http://sent.example/page"} << false << 1;
        QTest::newRow("two navigations, one after the other")
            << QStringList{"http://sent.example/plain", "http://sent.example/plain2"} << false << 2;
        QTest::newRow("refused by the before-navigate handler")
            << QStringList{"http://sent.example/plain"} << true << 0;
    }

    void requestSentOncePerNavigate()
    {
        QFETCH(QStringList, navigations);
        QFETCH(bool, refuse);
        QFETCH(int, expected);
        m_proxy->SetPage("http://sent.example/page",
                         "<html><head><title>page</title></head><body>"
                         "<iframe src=\"http://sent.example/frame\"></iframe>"
                         "<img src=\"http://sent.example/image.png\">"
                         "<script>onload = () => location.href = '/followed';</script>"
                         "</body></html>");
        m_proxy->SetPage("http://sent.example/followed",
                         "<html><head><title>followed</title></head></html>");
        for (const char *path : {"/plain", "/plain2"})
            m_proxy->SetPage(QString("http://sent.example") + path,
                             "<html><head><title>plain</title></head></html>");
        m_proxy->ClearRequests();
        TWebBrowser browser;
        if (refuse)
            browser.SetNavigationPolicy(
                [](TWebBrowser *, const QUrl &, bool) { return TNavigation::Refuse; });
        QSignalSpy sent(&browser, &TWebBrowser::RequestSent);
        QSignalSpy finished(browser.page(), &QWebEnginePage::loadFinished);
        for (const QString &url : navigations) {
            const int finishedBefore = finished.size();
            browser.Navigate(url);
            // The last of the page's loads has ended: every request it makes has been made.
            const QString last = url.endsWith("/page") ? "http://sent.example/followed" : url;
            QVERIFY(TestProxy::WaitFor([&] {
                return finished.size() > finishedBefore
                       && (refuse || m_proxy->Requests().contains(last));
            }));
            if (url.endsWith("/page"))
                QVERIFY(TestProxy::WaitFor([&] { return browser.title() == "followed"; }));
        }
        QCOMPARE(sent.size(), expected);
        if (refuse)
            QVERIFY(m_proxy->Requests().isEmpty());
    }

    // The program never shows a page's icon: fetching it would only cost a request per page.
    void aPagesIconIsNeverFetched()
    {
        m_proxy->SetPage("http://icons.example/page",
                         "<html><head><title>icon</title>"
                         "<link rel=\"icon\" href=\"http://icons.example/icon.png\"></head>"
                         "<body><img src=\"http://icons.example/image.png\"></body></html>");
        m_proxy->SetPage("http://icons.example/next",
                         "<html><head><title>next</title></head></html>");
        m_proxy->ClearRequests();
        TWebBrowser browser;
        browser.show();
        browser.Navigate("http://icons.example/page");
        // The page's own image comes after its icon link is read; the next page's request comes
        // after the first page's load ended, when an icon would have been asked for.
        QVERIFY(TestProxy::WaitFor(
            [&] { return m_proxy->Requests().contains("http://icons.example/image.png"); }));
        QVERIFY(WaitForTitle(browser, "icon"));
        QSignalSpy finished(browser.page(), &QWebEnginePage::loadFinished);
        browser.Navigate("http://icons.example/next");
        QVERIFY(TestProxy::WaitFor([&] { return !finished.isEmpty(); }));
        QVERIFY(m_proxy->Requests().contains("http://icons.example/next"));
        QVERIFY(!m_proxy->Requests().contains("http://icons.example/icon.png"));
    }

    void urlTextIsEscapedByTheEngine()
    {
        m_proxy->ClearRequests();
        TWebBrowser browser;
        browser.Navigate(QString("http://escape.example/wiki/猫 a"));
        QVERIFY(TestProxy::WaitFor([&] {
            return m_proxy->Requests().contains("http://escape.example/wiki/%E7%8C%AB%20a");
        }));
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QApplication application(argc, argv);
    WebBrowserTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WebBrowser_test.moc"
