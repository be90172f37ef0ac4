// The browser commands and the twelve action states on live pages, and the ad-server filter of
// dictionary pages, with the real engine behind a local recording proxy.

#include "browser/BrowserDialogs.h"
#include "browser/WebBrowser.h"
#include "tests/support/MainWindow.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "ui/UnitMain.h"
#include "widgets/Application.h"
#include "widgets/CheckListBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tellaria;
using namespace tellaria::test;

namespace {

const QString AdFrame = "http://pagead2.googlesyndication.com/pagead/show_ads.html";

QByteArray PageWithFrame(const QString &frameUrl)
{
    return "<!DOCTYPE html><html><head><title>fixture</title></head><body>"
           "<p id=\"text\">Lexical fixture text</p>"
           "<iframe src=\""
           + frameUrl.toUtf8() + "\"></iframe></body></html>";
}

const QByteArray EditablePage
    = "<!DOCTYPE html><html><head><title>editable</title></head><body>"
      "<p id=\"text\">Selectable words here</p><input id=\"field\" value=\"field words\">"
      "</body></html>";

// Answers the command dialogs as a user would, recording what was asked.
class ScriptedDialogs : public BrowserDialogs
{
public:
    QString SaveFileName;
    QWebEngineDownloadRequest::SavePageFormat SaveFormat
        = QWebEngineDownloadRequest::SingleHtmlSaveFormat;
    QString PdfFileName;
    QPageLayout::Orientation Orientation = QPageLayout::Landscape;
    int PageSetups = 0;
    int Prints = 0;

    bool ChooseSaveAs(QWidget *, const QString &, SaveAsChoice &choice) override
    {
        choice.FileName = SaveFileName;
        choice.Format = SaveFormat;
        return true;
    }
    bool ConfirmPrint(QWidget *, QPrinter &printer) override
    {
        ++Prints;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PdfFileName);
        return true;
    }
    bool EditPageSetup(QWidget *, QPrinter &printer) override
    {
        ++PageSetups;
        printer.setPageOrientation(Orientation);
        return true;
    }
};

} // namespace

class CommandsTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir m_directory;

    template<typename Window = TfrmMain>
    std::unique_ptr<TfrmMain> QueryWindow(int mode, const QString &term)
    {
        auto window = std::make_unique<Window>(m_directory.path() + QLatin1Char('/'));
        window->show();
        CmbBoxType(*window)->setCurrentIndex(mode);
        CmbBook(*window)->lineEdit()->setText(term);
        BtnBookOK(*window)->click();
        return window;
    }

    static bool WaitForDocument(TfrmMain &window)
    {
        return TestProxy::WaitFor([&] {
            TWebBrowser *browser = window.ActiveBrowser();
            return browser && browser->HasDocument() && !browser->title().isEmpty();
        });
    }

    static bool WaitForEnabled(TfrmMain &window, QAction *action, bool enabled)
    {
        Q_UNUSED(window);
        return TestProxy::WaitFor([&] { return action->isEnabled() == enabled; });
    }

    bool Seen(const QString &urlPrefix) const
    {
        for (const QString &url : m_proxy->Requests()) {
            if (url.startsWith(urlPrefix))
                return true;
        }
        return false;
    }

private slots:
    // Every command the tests above ran, failures included, reported its errors where they
    // happened: none needed the application's last guard.
    void cleanupTestCase() { QCOMPARE(TApplication::EscapedErrors(), 0); }

    void initTestCase()
    {
        QVERIFY(m_directory.isValid());
        m_proxy = new TestProxy(this);
        m_proxy->SetPage("http://www.iciba.com/", EditablePage);
    }

    void init() { m_proxy->ClearRequests(); }

    void filterRefusesAdServerNavigationsOfDictionaryPagesOnly_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<bool>("frameLoads");
        QTest::newRow("dictionary, ad frame") << 1 << AdFrame << false;
        QTest::newRow("dictionary, prefix in a query string")
            << 1 << "http://frames.example/f?u=http://pagead2.googlesyndication.com" << false;
        QTest::newRow("dictionary, upper-case prefix")
            << 1 << "http://frames.example/f?u=HTTP://PAGEAD2.GOOGLESYNDICATION.COM" << true;
        QTest::newRow("encyclopaedia, ad frame") << 0 << AdFrame << true;
    }

    void filterRefusesAdServerNavigationsOfDictionaryPagesOnly()
    {
        QFETCH(int, mode);
        QFETCH(QString, frame);
        QFETCH(bool, frameLoads);
        m_proxy->SetPage("http://cy.5156edu.com/", PageWithFrame(frame));
        m_proxy->SetPage("http://zh.wikipedia.org/", PageWithFrame(frame));
        m_proxy->SetPage("http://frames.example/", "<html><body>frame</body></html>");

        auto window = QueryWindow(mode, "cat");
        if (mode == 0)
            PageControl1(*window)->setCurrentIndex(0);
        QVERIFY(WaitForDocument(*window));
        QCOMPARE(window->ActiveBrowser()->title(), QString("fixture"));
        // The page's load has finished, frames included: any frame request has been made.
        QCOMPARE(Seen(frame), frameLoads);
    }

    void actionsWithoutPagesAndWithOnePage()
    {
        TfrmMain window(m_directory.path() + QLatin1Char('/'));
        window.show();
        const QList<QAction *> all
            = {ActPrior(window), ActNext(window),    ActClose(window), ActCloseAll(window),
               ActSave(window),  ActPreview(window), ActPrint(window), ActPageSetup(window),
               ActCopy(window),  ActCut(window),     ActPaste(window), ActSelectAll(window)};
        for (QAction *action : all)
            QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));

        auto queried = QueryWindow(2, "cat");
        QVERIFY(WaitForDocument(*queried));
        QVERIFY(WaitForEnabled(*queried, ActSave(*queried), true));
        QVERIFY(!ActPrior(*queried)->isEnabled());
        QVERIFY(!ActNext(*queried)->isEnabled());
        QVERIFY(ActClose(*queried)->isEnabled());
        QVERIFY(ActCloseAll(*queried)->isEnabled());
        for (QAction *action : {ActPreview(*queried), ActPrint(*queried), ActPageSetup(*queried),
                                ActSelectAll(*queried)})
            QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
        QVERIFY(!ActCopy(*queried)->isEnabled()); // nothing selected yet
        QVERIFY(!ActCut(*queried)->isEnabled());
    }

    void copyFollowsTheSelectionAndFillsTheClipboard()
    {
        auto window = QueryWindow(2, "cat");
        QVERIFY(WaitForDocument(*window));
        QApplication::setActiveWindow(window.get());
        window->ActiveBrowser()->setFocus();
        QApplication::clipboard()->setText("before");
        RunScript(window->ActiveBrowser(),
                  "var r = document.createRange();"
                  "r.selectNodeContents(document.getElementById('text'));"
                  "getSelection().removeAllRanges(); getSelection().addRange(r);");
        QVERIFY(WaitForEnabled(*window, ActCopy(*window), true));
        QVERIFY(!ActCut(*window)->isEnabled()); // the selection is not editable
        ActCopy(*window)->trigger();
        QTRY_COMPARE(QApplication::clipboard()->text(), QString("Selectable words here"));

        RunScript(window->ActiveBrowser(), "getSelection().removeAllRanges();");
        QVERIFY(WaitForEnabled(*window, ActCopy(*window), false));
    }

    void pasteAndCutFollowTheFocusedField()
    {
        auto window = QueryWindow(2, "cat");
        QVERIFY(WaitForDocument(*window));
        // The page has the focus, as when the user clicks into it.
        QApplication::setActiveWindow(window.get());
        window->ActiveBrowser()->setFocus();
        QApplication::clipboard()->setText("pasted");
        QVERIFY(WaitForEnabled(*window, ActPaste(*window), false));
        RunScript(window->ActiveBrowser(), "document.getElementById('field').focus();");
        QVERIFY(WaitForEnabled(*window, ActPaste(*window), true));
        QVERIFY(!ActCut(*window)->isEnabled());
        RunScript(window->ActiveBrowser(), "document.getElementById('field').select();");
        QVERIFY(WaitForEnabled(*window, ActCut(*window), true));
        ActCut(*window)->trigger();
        QTRY_COMPARE(QApplication::clipboard()->text(), QString("field words"));
        QTRY_COMPARE(
            RunScript(window->ActiveBrowser(), "document.getElementById('field').value").toString(),
            QString());
        ActPaste(*window)->trigger();
        QTRY_COMPARE(
            RunScript(window->ActiveBrowser(), "document.getElementById('field').value").toString(),
            QString("field words"));
        RunScript(window->ActiveBrowser(), "document.getElementById('field').blur();");
        QVERIFY(WaitForEnabled(*window, ActPaste(*window), false));
    }

    void aCommandThatCannotRunDoesNothing()
    {
        auto window = QueryWindow(2, "cat");
        QVERIFY(WaitForDocument(*window));
        QApplication::clipboard()->setText("untouched");
        QVERIFY(!ActCopy(*window)->isEnabled()); // nothing selected
        // As if the action's state had not caught up yet: the handler itself still refuses.
        ActCopy(*window)->setEnabled(true);
        ActCopy(*window)->trigger();
        // The page's own copy would have replaced the clipboard by the time a script's answer
        // comes back from the page.
        RunScript(window->ActiveBrowser(), "1");
        QCOMPARE(QApplication::clipboard()->text(), QString("untouched"));
    }

    // A page that keeps changing while nothing that decides a command changes leaves the menus and
    // the toolbar as they are; a change that matters reaches them.
    void aBusyPageLeavesTheCommandsAlone()
    {
        m_proxy->SetPage("http://dict.bing.com.cn/",
                         "<!DOCTYPE html><html><head><title>busy</title></head><body>"
                         "<p id=\"n\">0</p><script>var n = 0; setInterval(function () {"
                         "document.getElementById('n').textContent = ++n; }, 5);</script>"
                         "</body></html>");
        int changes = 0; // outlives the window, whose close may still change commands
        auto window = QueryWindow(3, "cat");
        QVERIFY(WaitForDocument(*window));
        // Past the page's load, which does change commands.
        QVERIFY(TestProxy::WaitFor(
            [&] { return RunScript(window->ActiveBrowser(), "n").toInt() >= 20; }));
        for (QAction *action : window->findChildren<QAction *>())
            connect(action, &QAction::changed, this, [&] { ++changes; });
        QVERIFY(TestProxy::WaitFor(
            [&] { return RunScript(window->ActiveBrowser(), "n").toInt() >= 200; }));
        QCOMPARE(changes, 0);
        QApplication::setActiveWindow(window.get());
        window->ActiveBrowser()->setFocus();
        RunScript(window->ActiveBrowser(), "document.execCommand('selectAll');");
        QVERIFY(WaitForEnabled(*window, ActCopy(*window), true));
        QVERIFY(changes > 0);
    }

    void saveWritesThePage()
    {
        ScriptedDialogs dialogs;
        dialogs.SaveFileName = m_directory.filePath("saved.html");
        BrowserDialogs::Install(&dialogs);
        auto window = QueryWindow(2, "cat");
        QVERIFY(WaitForDocument(*window));
        QVERIFY(WaitForEnabled(*window, ActSave(*window), true));
        ActSave(*window)->trigger();
        BrowserDialogs::Install(nullptr);
        QVERIFY(TestProxy::WaitFor([&] {
            QFile file(dialogs.SaveFileName);
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("Selectable words");
        }));
    }

    void pageSetupThenPrintMakesAPdfInTheChosenOrientation()
    {
        ScriptedDialogs dialogs;
        dialogs.PdfFileName = m_directory.filePath("printed.pdf");
        BrowserDialogs::Install(&dialogs);
        auto window = QueryWindow(2, "cat");
        QVERIFY(WaitForDocument(*window));
        QVERIFY(WaitForEnabled(*window, ActPageSetup(*window), true));
        ActPageSetup(*window)->trigger();
        QCOMPARE(dialogs.PageSetups, 1);
        ActPrint(*window)->trigger();
        QCOMPARE(dialogs.Prints, 1);
        // While the job runs a second one cannot start.
        QVERIFY(!ActPrint(*window)->isEnabled());
        QVERIFY(WaitForEnabled(*window, ActPrint(*window), true));
        BrowserDialogs::Install(nullptr);

        QFile pdf(dialogs.PdfFileName);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        const QRegularExpressionMatch box
            = QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)")
                  .match(QString::fromLatin1(bytes));
        QVERIFY(box.hasMatch());
        QVERIFY2(box.captured(1).toDouble() > box.captured(2).toDouble(),
                 qPrintable(box.captured(0)));
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    TApplication application(argc, argv);
    CommandsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "Commands_test.moc"
