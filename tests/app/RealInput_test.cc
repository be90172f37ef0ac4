// The built program driven as a user drives it: its own process on a private X display with a
// real window manager, keys and clicks through the X server's XTEST extension, result pages
// from the local recording proxy. Everything checked is what a user or the file system sees:
// the URLs the engine asked for, the data files after the close, window geometry and pixels.

#include "tests/support/ProgramRun.h"
#include "tests/support/TestProxy.h"
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTest>

#include <functional>

#include <sys/file.h>

#include <fcntl.h>
#include <memory>
#include <unistd.h>

using namespace tellaria::test;

namespace {

// Where a user finds the controls, relative to the main window's client area: the window opens
// at its design width, so the band area's layout is fixed. Each point is a control's middle.
struct
{
    QPoint FileMenu{36, 17};
    QPoint ViewMenu{146, 17};
    QPoint BareToolBar{240, 51}; // the search panel left of the mode selector
    QPoint ModeSelector{375, 51};
    QPoint QueryBox{550, 51};
    QPoint QueryButton{640, 51};
    QPoint CheckBox(int row) const { return {12 + 144 * row, 79}; }
    QPoint PageArea{360, 300};
    int ListItem = 22; // the height of a drop-down list's item
} const Layout;

// The start page fixture: one colour from edge to edge, easy to tell from anything else.
const QColor StartPageColour(0x2e, 0x8b, 0x57);
const QByteArray StartPageHtml
    = "<!DOCTYPE html><html><head><title>start</title><style>html,body{margin:0;height:100%;"
      "background:#2e8b57}</style></head><body></body></html>";

QByteArray Settings(int mode)
{
    return "[Dictionary]\r\nID=" + QByteArray::number(mode) + "\r\n";
}

} // namespace

// A private display with metacity, and the program on it.
struct Program
{
    XSession Session;
    ProgramRun Run{Session, TELLARIA_PROGRAM};
};

// Starts the program with lookup mode `mode` stored (none stored when negative) and `history`
// as its history file (none when empty); null when the display or the window did not come up.
std::unique_ptr<Program> Launch(int mode, const QByteArray &history = {})
{
    auto program = std::make_unique<Program>();
    if (!program->Session.Started())
        return nullptr;
    if (mode >= 0)
        program->Run.WriteFile("Lexivanedr.ini", Settings(mode));
    if (!history.isEmpty())
        program->Run.WriteFile("Lexivander.qry", history);
    return program->Run.Start() ? std::move(program) : nullptr;
}

class RealInputTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;

    // The requests for result pages, the start page's left out.
    QStringList ResultRequests() const
    {
        QStringList requests = m_proxy->Requests();
        requests.removeIf([](const QString &url) { return url.contains("tellaria.example"); });
        return requests;
    }

    bool WaitForResultRequests(int count)
    {
        return TestProxy::WaitFor([&] { return ResultRequests().size() >= count; }, 20000);
    }

    bool WaitForStartPage()
    {
        return TestProxy::WaitFor(
            [&] {
                return m_proxy->Requests().contains(
                    "http://www.tellaria.example/soft/Lexivander.aspx?ver=1.9");
            },
            20000);
    }

    // The first row, from the top of the client area, in column `x` that shows the start page.
    static int StartPageTop(const XSession &session, const ProgramRun &run, int x = 360)
    {
        const QRect client = run.ClientGeometry();
        const QImage screen = session.Screenshot();
        for (int y = 0; y < client.height(); ++y) {
            if (screen.pixelColor(client.left() + x, client.top() + y) == StartPageColour)
                return y;
        }
        return -1;
    }

    // Waits for the engine to paint the start page, then returns where it begins.
    static int WaitForStartPageTop(const XSession &session, const ProgramRun &run)
    {
        int top = -1;
        TestProxy::WaitFor([&] { return (top = StartPageTop(session, run)) >= 0; }, 20000);
        // A paint can still be under way: take the value once it holds.
        for (int tries = 0; tries < 20; ++tries) {
            QTest::qWait(150);
            const int again = StartPageTop(session, run);
            if (again == top)
                break;
            top = again;
        }
        return top;
    }

    // Replaces the query box's text with `term` and presses Enter.
    static void EnterTerm(const XSession &session, const QString &term)
    {
        session.Key("ctrl+a");
        session.Type(term);
        session.Key("Return");
    }

    void CloseByAltF4(XSession &session, ProgramRun &run)
    {
        session.Key("alt+F4");
        QVERIFY(run.WaitForExit());
    }

private slots:
    void initTestCase()
    {
        if (!XSessionAvailable())
            QSKIP("Xvfb, xdotool, xprop, xwininfo or ImageMagick's import is missing");
        m_proxy = new TestProxy(this);
    }

    void init()
    {
        m_proxy->ClearRequests();
        m_proxy->SetPage("http://www.tellaria.example/", StartPageHtml);
    }

    void enterInEachModeRequestsTheModesUrlsAndRecordsTheTerm_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("urls");
        QTest::newRow("encyclopaedias")
            << 0
            << QStringList{
                   "http://zh.wikipedia.org/zh-cn/big%20cat",
                   "http://baike.baidu.com/list-php/dispose/searchword.php/"
                   "?&pic=1&word=big%20cat",
                   "http://www.baike.com/wiki/big%20cat",
                   "http://www.britannica.com/search?ct=&query=big%20cat",
                   "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=big%20cat"};
        QTest::newRow("idiom dictionary")
            << 1 << QStringList{"http://cy.5156edu.com/serach.php?f_type=chengyu&f_key=big+cat"};
        QTest::newRow("English-Chinese dictionary")
            << 2 << QStringList{"http://www.iciba.com/big+cat%2F"};
        QTest::newRow("Bing dictionary")
            << 3 << QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=big+cat"};
    }
    void enterInEachModeRequestsTheModesUrlsAndRecordsTheTerm()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, urls);
        const auto program = Launch(mode);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        run.Click(Layout.QueryBox);
        session.Type("big cat");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(urls.size()));
        QCOMPARE(ResultRequests(), urls);
        CloseByAltF4(session, run);
        QCOMPARE(run.ReadFile("Lexivander.qry"), QByteArray("big cat\r\n"));
        QVERIFY(run.ReadFile("Lexivanedr.ini").contains("ID=" + QByteArray::number(mode)));
    }

    void typingCompletesFromTheHistory()
    {
        const auto program = Launch(3, "cattle\r\nCat\r\n");
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        run.Click(Layout.QueryBox);
        // "c" completes to the first entry that starts with it, in the case typed.
        session.Type("c");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        // "cat" shows "cattle" with "tle" highlighted; Backspace removes the highlighted part.
        session.Key("ctrl+a");
        session.Type("cat");
        session.Key("BackSpace");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(2));
        QCOMPARE(ResultRequests(), (QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=cattle",
                                                "http://dict.bing.com.cn/?FORM=CHOT20&q=cat"}));
        CloseByAltF4(session, run);
        // "cat" differs from "Cat" in letter case: a new entry.
        QCOMPARE(run.ReadFile("Lexivander.qry"), QByteArray("cattle\r\nCat\r\ncat\r\n"));
    }

    void chineseFromAPinyinInputMethodIsCompleted()
    {
        XSession session;
        QVERIFY(session.Started());
        if (!session.StartPinyinInputMethod())
            QSKIP("fcitx5 with pinyin did not start");
        ProgramRun run(session, TELLARIA_PROGRAM);
        run.WriteFile("Lexivanedr.ini", Settings(3));
        run.WriteFile("Lexivander.qry", "\xD6\xD0\xCE\xC4\r\n"); // 中文 in the code page
        QVERIFY(run.Start());
        run.Click(Layout.QueryBox);
        // Pinyin on. The input method learns of a newly focused window over the session bus;
        // a trigger pressed before it has, goes by unseen, and a user presses it again.
        bool active = false;
        for (int press = 1; press <= 3 && !active; ++press) {
            session.Key("ctrl+space");
            active = TestProxy::WaitFor([&] { return session.InputMethodActive(); }, 2000);
            if (!active)
                qInfo("pinyin not on after press %d", press);
        }
        QVERIFY(active);
        // Space commits the first candidate, 中; the box completes it to 中文 with 文 selected.
        session.Type("zhong");
        session.Key("space");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        // Again, then Backspace takes the selected 文 away: what is left is the commit alone.
        session.Key("ctrl+a");
        session.Type("zhong");
        session.Key("space");
        session.Key("BackSpace");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(2));
        QCOMPARE(ResultRequests(),
                 (QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=%E4%B8%AD%E6%96%87",
                              "http://dict.bing.com.cn/?FORM=CHOT20&q=%E4%B8%AD"}));
        session.Key("ctrl+space");
        CloseByAltF4(session, run);
        QCOMPARE(run.ReadFile("Lexivander.qry"), QByteArray("\xD6\xD0\xCE\xC4\r\n\xD6\xD0\r\n"));
    }

    void enterWithEveryEncyclopaediaUncheckedOpensNothingButRecords()
    {
        const auto program = Launch(0);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        for (int row = 0; row < 5; ++row)
            run.Click(Layout.CheckBox(row));
        run.Click(Layout.QueryBox);
        session.Type("owl");
        session.Key("Return");
        // The next query, in the Bing mode (Shift+Tab to the mode selector, End), is the only one
        // that reaches the engine: the first asked for nothing.
        session.Key("shift+Tab");
        session.Key("End");
        session.Key("Tab");
        EnterTerm(session, "emu");
        QVERIFY(WaitForResultRequests(1));
        QCOMPARE(ResultRequests(), QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=emu"});
        CloseByAltF4(session, run);
        QCOMPARE(run.ReadFile("Lexivander.qry"), QByteArray("owl\r\nemu\r\n"));
    }

    void aBlankTermIsRefusedWithAMessageAnsweredByAKey()
    {
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        run.Click(Layout.QueryBox);
        session.Type("   ");
        session.Key("Return");
        // The message box is a second window with the program's title.
        QVERIFY(TestProxy::WaitFor([&] { return session.VisibleWindows("^Tellaria$").size() == 2; },
                                   10000));
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor([&] { return session.VisibleWindows("^Tellaria$").size() == 1; },
                                   10000));
        // The focus is back in the query box: the next term goes straight in.
        EnterTerm(session, "yak");
        QVERIFY(WaitForResultRequests(1));
        QCOMPARE(ResultRequests(), QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=yak"});
        CloseByAltF4(session, run);
        QCOMPARE(run.ReadFile("Lexivander.qry"), QByteArray("yak\r\n"));
    }

    void theModeSelectorWorksByKeyboardAndByMouse()
    {
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        // Keyboard: from the query box back to the mode selector, Home, one down: the idiom mode.
        run.Click(Layout.QueryBox);
        session.Key("shift+Tab");
        session.Key("Home");
        session.Key("Down");
        session.Key("Tab");
        session.Type("ox");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        // Mouse: open the list, pick its last item (the Bing mode) by clicking it. The list opens
        // with the current item (the idiom mode, second) over the selector.
        run.Click(Layout.ModeSelector);
        QTest::qWait(500);
        run.Click(Layout.ModeSelector + QPoint(0, 2 * Layout.ListItem));
        QTest::qWait(300);
        run.Click(Layout.QueryBox);
        EnterTerm(session, "ox");
        QVERIFY(WaitForResultRequests(2));
        QCOMPARE(ResultRequests(),
                 (QStringList{"http://cy.5156edu.com/serach.php?f_type=chengyu&f_key=ox",
                              "http://dict.bing.com.cn/?FORM=CHOT20&q=ox"}));
        CloseByAltF4(session, run);
        QVERIFY(run.ReadFile("Lexivanedr.ini").contains("ID=3"));
    }

    void theMenusWorkByMouseAndByMnemonics()
    {
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        QVERIFY(WaitForStartPage());
        const int startTop = WaitForStartPageTop(session, run);
        QVERIFY(startTop > 0);
        const int bottom = run.ClientGeometry().height() - 4;
        const auto startPageAt = [&](int y) {
            const QRect client = run.ClientGeometry();
            return session.Screenshot().pixelColor(client.left() + 360, client.top() + y)
                   == StartPageColour;
        };
        QVERIFY(!startPageAt(bottom)); // the status bar

        // View > 状态栏(B) by its mnemonics hides the status bar: the start page reaches the
        // bottom.
        session.Key("alt+v");
        session.Key("b");
        QVERIFY(TestProxy::WaitFor([&] { return startPageAt(bottom); }, 5000));
        // By mouse it comes back.
        run.Click(Layout.ViewMenu);
        QTest::qWait(400);
        run.Click(Layout.ViewMenu + QPoint(30, 22));
        QVERIFY(TestProxy::WaitFor([&] { return !startPageAt(bottom); }, 5000));

        // View > 标准按钮(T) by its mnemonics hides the toolbar band: the page area moves up.
        session.Key("alt+v");
        session.Key("t");
        QVERIFY(
            TestProxy::WaitFor([&] { return StartPageTop(session, run) < startTop - 15; }, 5000));
        session.Key("alt+v");
        session.Key("t");
        QVERIFY(TestProxy::WaitFor([&] { return StartPageTop(session, run) == startTop; }, 5000));

        // File > 退出(X) by mouse ends the program, saving as a close does.
        run.Click(Layout.FileMenu);
        QTest::qWait(400);
        // 退出 is the menu's last item: from the top, Up wraps round to it.
        session.Key("Up");
        session.Key("Return");
        QVERIFY(run.WaitForExit());
        QVERIFY(run.ReadFile("Lexivanedr.ini").contains("ID=3"));
    }

    void fileMenuMnemonicsEndTheProgram()
    {
        const auto program = Launch(-1);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        session.Key("alt+f");
        session.Key("x");
        QVERIFY(run.WaitForExit());
        QCOMPARE(run.ReadFile("Lexivander.qry"), QByteArray());
    }

    void theStoredSizeHoldsOverRestarts_data()
    {
        QTest::addColumn<WindowManager>("manager");
        QTest::newRow("metacity: title bar only") << WindowManager::Metacity;
        QTest::newRow("openbox: full border") << WindowManager::Openbox;
        QTest::newRow("no window manager") << WindowManager::None;
    }
    void theStoredSizeHoldsOverRestarts()
    {
        QFETCH(WindowManager, manager);
        XSession session(manager);
        QVERIFY(session.Started());
        ProgramRun run(session, TELLARIA_PROGRAM);
        for (int cycle = 0; cycle < 3; ++cycle) {
            QVERIFY(run.Start());
            QCOMPARE(session.OuterSize(run.MainWindow()), QSize(729, 528));
            if (manager == WindowManager::None) {
                // Nothing handles Alt+F4 without a window manager: the File menu closes.
                run.Click(Layout.QueryBox);
                session.Key("alt+f");
                session.Key("x");
                QVERIFY(run.WaitForExit());
            } else {
                CloseByAltF4(session, run);
            }
            const QByteArray settings = run.ReadFile("Lexivanedr.ini");
            QVERIFY2(settings.contains("width=729\r\n") && settings.contains("Height=528\r\n"),
                     settings.constData());
        }
    }

    // A logout while the program starts, before its window is up: the stored size and mode
    // stay as they were, whatever frame the window manager would have given it.
    void aLogoutDuringTheStartKeepsTheStoredSizeAndMode_data()
    {
        theStoredSizeHoldsOverRestarts_data();
    }
    void aLogoutDuringTheStartKeepsTheStoredSizeAndMode()
    {
        QFETCH(WindowManager, manager);
        XSession session(manager);
        QVERIFY(session.Started());
        ProgramRun run(session, TELLARIA_PROGRAM);
        const QByteArray settings = "[Form]\r\nwidth=700\r\nHeight=500\r\n[Dictionary]\r\nID=2\r\n";
        run.WriteFile("Lexivanedr.ini", settings);
        QVERIFY(run.StartAndTerminateEarly());
        QVERIFY(run.WaitForExit());
        QCOMPARE(run.ReadFile("Lexivanedr.ini"), settings);
    }

    void focusStaysWithTheUserAcrossQueriesAndClosedPages()
    {
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        // No click: the window opens ready for a term.
        session.Type("ant");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        // Enter leaves the focus in the query box.
        EnterTerm(session, "bee");
        QVERIFY(WaitForResultRequests(2));
        // Into the page, then the query button: the focused page goes, the focus does not.
        run.Click(Layout.PageArea);
        run.Click(Layout.QueryButton);
        QVERIFY(WaitForResultRequests(3));
        EnterTerm(session, "cow");
        QVERIFY(WaitForResultRequests(4));
        QCOMPARE(ResultRequests(), (QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=ant",
                                                "http://dict.bing.com.cn/?FORM=CHOT20&q=bee",
                                                "http://dict.bing.com.cn/?FORM=CHOT20&q=bee",
                                                "http://dict.bing.com.cn/?FORM=CHOT20&q=cow"}));
        CloseByAltF4(session, run);
    }

    void spaceOnTheCheckListSetsTheQueryButton()
    {
        const auto program = Launch(0);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        run.Click(Layout.QueryBox);
        session.Type("elk");
        // Every site unchecked by mouse: the button is off. Space on the last one checks it
        // again, and the button must follow.
        for (int row = 0; row < 5; ++row)
            run.Click(Layout.CheckBox(row));
        session.Key("space");
        run.Click(Layout.QueryButton);
        QVERIFY(WaitForResultRequests(1));
        QCOMPARE(ResultRequests(),
                 QStringList{"http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=elk"});
        CloseByAltF4(session, run);
    }

    void theMenuBarWorksFromTheKeyboard()
    {
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        QVERIFY(WaitForStartPage());
        QVERIFY(WaitForStartPageTop(session, run) > 0);
        const int bottom = run.ClientGeometry().height() - 4;
        const auto statusBarShown = [&] {
            const QRect client = run.ClientGeometry();
            return session.Screenshot().pixelColor(client.left() + 360, client.top() + bottom)
                   != StartPageColour;
        };
        QVERIFY(statusBarShown());
        // F10 opens the first menu; Right moves on through the menus to the View menu, whose
        // first item hides the status bar.
        session.Key("F10");
        session.Key("Right");
        session.Key("Right");
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor([&] { return !statusBarShown(); }, 5000));
        // Alt alone reaches the menu bar; Left wraps round from the first menu to the last.
        session.Key("alt");
        session.Key("Left");
        session.Key("Down");
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor(statusBarShown, 5000));
        // Escape closes an open menu and gives the keys back to the query box.
        session.Key("F10");
        session.Key("Escape");
        session.Key("Escape");
        session.Type("gnu");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        QCOMPARE(ResultRequests(), QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=gnu"});
        CloseByAltF4(session, run);
    }

    void thePageAreaCoversTheStartPageCompletely()
    {
        const auto program = Launch(0);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        QVERIFY(WaitForStartPage());
        QVERIFY(WaitForStartPageTop(session, run) > 0);
        const auto startPageShows = [&] {
            const QRect client = run.ClientGeometry();
            const QImage screen = session.Screenshot().copy(client);
            for (int y = 0; y < screen.height(); y += 2) {
                for (int x = 0; x < screen.width(); x += 2) {
                    if (screen.pixelColor(x, y) == StartPageColour)
                        return true;
                }
            }
            return false;
        };
        // Every site unchecked, Enter: an empty page area, in the window's face colour.
        for (int row = 0; row < 5; ++row)
            run.Click(Layout.CheckBox(row));
        run.Click(Layout.QueryBox);
        session.Type("yak");
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor([&] { return !startPageShows(); }, 5000));
        // One result page: nothing of the start page beside its tab either.
        run.Click(Layout.CheckBox(0));
        run.Click(Layout.QueryBox);
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        QTest::qWait(500);
        QVERIFY(!startPageShows());
        CloseByAltF4(session, run);
    }

    void aScriptCannotOpenAWindowButAClickedLinkOpensInTheTab()
    {
        // The result page tries a pop-up on load, then asks for a marker once the attempt is
        // behind it; its whole body is a link meant for a new window.
        m_proxy->SetPage("http://dict.bing.com.cn/",
                         "<!DOCTYPE html><html><head><title>result</title></head><body "
                         "style=\"margin:0\"><a target=\"_blank\" href=\"http://clicked.example/\" "
                         "style=\"display:block;height:100vh\">link</a><script>"
                         "window.open('http://popup.example/ad');"
                         "new Image().src='http://marker.example/after-popup';</script>"
                         "</body></html>");
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        session.Type("bat");
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor(
            [&] { return ResultRequests().contains("http://marker.example/after-popup"); }, 20000));
        // The user's click on the link opens it, in the same tab.
        run.Click(Layout.PageArea);
        QVERIFY(TestProxy::WaitFor(
            [&] { return ResultRequests().contains("http://clicked.example/"); }, 20000));
        QVERIFY2(!ResultRequests().join(' ').contains("popup.example"),
                 qPrintable(ResultRequests().join(' ')));
        QCOMPARE(session.VisibleWindows("^Tellaria$").size(), 1);
        CloseByAltF4(session, run);
    }

    void savePageFromThePagesContextMenu()
    {
        m_proxy->SetPage("http://dict.bing.com.cn/",
                         "<!DOCTYPE html><html><head><title>result</title></head><body>"
                         "<p>saved words</p></body></html>");
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        session.Type("bat");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        QTest::qWait(1000);
        // Right-click in the page: Save page is the menu's last item.
        run.Click(Layout.PageArea, 3);
        QTest::qWait(500);
        session.Key("Up");
        session.Key("Return");
        // The save dialog: a full path for the name, then Enter.
        const QString dialog = session.WaitForWindow("^保存网页$", 10000);
        QVERIFY(!dialog.isEmpty());
        const QString target = run.Directory() + "/saved.html";
        session.Key("ctrl+a");
        session.Type(target);
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor(
            [&] {
                QFile file(target);
                return file.open(QIODevice::ReadOnly) && file.readAll().contains("saved words");
            },
            15000));
        CloseByAltF4(session, run);
    }

    void escapeCancelsADockingDrag()
    {
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        QVERIFY(WaitForStartPage());
        const int dockedTop = WaitForStartPageTop(session, run);
        QVERIFY(dockedTop > 0);
        const QPoint grab = run.At(Layout.BareToolBar);
        const QPoint drop = run.At({300, 300});
        session.XDoTool({"mousemove", "--sync", QString::number(grab.x()),
                         QString::number(grab.y()), "mousedown", "1"});
        for (int step = 1; step <= 10; ++step) {
            const QPoint at = grab + (drop - grab) * step / 10;
            session.XDoTool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        }
        session.Key("Escape");
        session.XDoTool({"mousemove", QString::number(drop.x() + 10), QString::number(drop.y())});
        session.XDoTool({"mouseup", "1"});
        QTest::qWait(500);
        QVERIFY(session.VisibleWindows("^frmFloating$").isEmpty());
        QCOMPARE(StartPageTop(session, run), dockedTop);
        CloseByAltF4(session, run);
    }

    void aSecondStartHandsItsTermToTheRunningWindow()
    {
        const auto program = Launch(0);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        // Out of sight, as when the user starts the lookup from elsewhere.
        // The window minimised, as its title bar's button does.
        session.XDoTool({"windowminimize", run.MainWindow()});
        QVERIFY(session.WaitForNoWindow("^Tellaria$", 5000));
        QCOMPARE(run.StartAgain({"--mode", "3", "owl"}), 0);
        QVERIFY(WaitForResultRequests(1));
        QCOMPARE(ResultRequests(), QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=owl"});
        // Raised and active: the keyboard reaches it at once.
        QVERIFY(TestProxy::WaitFor(
            [&] { return session.XDoTool({"getactivewindow"}) == run.MainWindow(); }, 5000));
        // Only one copy ran: one history, the term in it once the window closes.
        CloseByAltF4(session, run);
        QCOMPARE(run.ReadFile("Lexivander.qry"), QByteArray("owl\r\n"));
        QCOMPARE(session.VisibleWindows("^Tellaria$").size(), 0);
    }

    void aHistoryLockedAtStartIsReportedAndKept()
    {
        // Another program writes the history as the window starts.
        auto program = std::make_unique<Program>();
        QVERIFY(program->Session.Started());
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        const QByteArray history = "dog\r\ncat\r\nowl\r\n";
        run.WriteFile("Lexivanedr.ini", Settings(3));
        run.WriteFile("Lexivander.qry", history);
        const int writer = ::open(QFile::encodeName(run.Directory() + "/Lexivander.qry"), O_RDWR);
        QVERIFY(writer >= 0);
        QVERIFY(::flock(writer, LOCK_EX) == 0);
        // The error report comes first, in a window with the program's title; a key answers it.
        QVERIFY(run.Start());
        ::close(writer);
        const QString report = run.MainWindow();
        QVERIFY(session.ClientGeometry(report).width() < 600); // a message box, not the window
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor(
            [&] { return !session.VisibleWindows("^Tellaria$").contains(report); }, 10000));
        QVERIFY(run.FindMainWindow());
        EnterTerm(session, "emu");
        QVERIFY(WaitForResultRequests(1));
        CloseByAltF4(session, run);
        // What could not be read is not overwritten with what this run knew.
        QCOMPARE(run.ReadFile("Lexivander.qry"), history);
        QVERIFY(run.ReadFile("Lexivanedr.ini").contains("ID=3"));
    }

    void theToolbarFloatsByADragMovesAndDocksBack()
    {
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        QVERIFY(WaitForStartPage());
        const int dockedTop = WaitForStartPageTop(session, run);
        QVERIFY(dockedTop > 0);

        // Drag the toolbar by its bare part and drop it over the page area: it floats.
        const QPoint grab = run.At(Layout.BareToolBar);
        session.Drag(grab, {grab + QPoint(0, 40), run.At({300, 300})});
        const QString floating = session.WaitForWindow("^frmFloating$", 10000);
        QVERIFY(!floating.isEmpty());
        // The band area lost the toolbar's row: the page area starts higher.
        QVERIFY(
            TestProxy::WaitFor([&] { return StartPageTop(session, run) < dockedTop - 15; }, 5000));

        // Drag the floating window by its caption strip, away from the band area: it moves.
        const QRect placed = session.ClientGeometry(floating);
        const QPoint caption = placed.topLeft() + QPoint(60, 10);
        const QPoint offset(-150, 250);
        session.Drag(caption, {caption + QPoint(0, 30), caption + offset});
        QVERIFY(TestProxy::WaitFor(
            [&] { return session.ClientGeometry(floating).topLeft() == placed.topLeft() + offset; },
            5000));
        QCOMPARE(session.ClientGeometry(floating).size(), placed.size());

        // Drop it on the band area: the toolbar docks back and the window goes.
        const QPoint moved = caption + offset;
        session.Drag(moved, {moved + QPoint(0, -30), run.At({300, 20})});
        QVERIFY(session.WaitForNoWindow("^frmFloating$", 10000));
        QVERIFY(TestProxy::WaitFor([&] { return StartPageTop(session, run) == dockedTop; }, 5000));
        CloseByAltF4(session, run);
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QCoreApplication application(argc, argv);
    RealInputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RealInput_test.moc"
