// The built program driven as a user drives it: its own process on a private X display with a
// real window manager, keys and clicks through the X server's XTEST extension, result pages
// from the local recording proxy. Everything checked is what a user, a screen reader or the file
// system sees: the URLs the engine asked for, the data files after the close, window geometry,
// pixels, and the controls in the program's accessibility tree. The places clicked come from that
// tree too, as a user finds them on the screen.

#include "tests/support/RealInputProgram.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

#include <sys/file.h>

#include <fcntl.h>
#include <unistd.h>

using namespace tellaria::test;

namespace {

// The start page fixture: one colour from edge to edge, easy to tell from anything else.
const QColor StartPageColour(0x2e, 0x8b, 0x57);
const QByteArray StartPageHtml
    = "<!DOCTYPE html><html><head><title>start</title><style>html,body{margin:0;height:100%;"
      "background:#2e8b57}</style></head><body></body></html>";

// A result page in a colour of its own: once that shows, the page has been painted.
const QColor ResultPageColour(0x8b, 0x45, 0x13);
QByteArray ResultPageHtml(const QByteArray &body = {})
{
    return "<!DOCTYPE html><html><head><title>result</title><style>html,body{margin:0;"
           "height:100%;background:#8b4513}</style></head><body>"
           + body + "</body></html>";
}

std::unique_ptr<Program> Launch(int mode, const QByteArray &history = {})
{
    return LaunchProgram(TELLARIA_PROGRAM, mode, history);
}

} // namespace

class RealInputTest : public ProgramTest
{
    Q_OBJECT

private:
    // The requests for result pages, the start page's left out.
    QStringList ResultRequests() const { return tellaria::test::ResultRequests(*m_proxy); }

    bool WaitForResultRequests(int count)
    {
        return tellaria::test::WaitForResultRequests(*m_proxy, count);
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

    // The first row, from the top of the client area, that shows the start page in the middle
    // column of the window; -1 when none does.
    static int StartPageTop(const Program &program)
    {
        const QImage shot = ClientShot(program);
        const int x = shot.width() / 2;
        for (int y = 0; y < shot.height(); ++y) {
            if (shot.pixelColor(x, y) == StartPageColour)
                return y;
        }
        return -1;
    }

    // Waits for the engine to paint the start page where its browser is, and returns where it
    // begins; -1 when it does not.
    static int WaitForStartPageTop(const Program &program)
    {
        int top = -1;
        const bool painted = TestProxy::WaitFor(
            [&] {
                const std::optional<QRect> browser = program.Area(StartPage());
                top = StartPageTop(program);
                return browser && top == browser->top() - program.Run.ClientGeometry().top();
            },
            20000);
        return painted ? top : -1;
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
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
        QVERIFY(program->Click(QueryBox()));
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
        QVERIFY(program->Click(QueryBox()));
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
        const QStringList missing = MissingPinyinPrograms();
        if (!missing.isEmpty()) {
            m_toolMissing = true;
            QSKIP(qPrintable(missing.join(QStringLiteral(", ")) + QStringLiteral(" missing")));
        }
        Program program(TELLARIA_PROGRAM);
        QVERIFY(program.Ready);
        XSession &session = program.Session;
        ProgramRun &run = program.Run;
        QVERIFY(session.StartPinyinInputMethod());
        run.WriteFile("Lexivanedr.ini", Settings(3));
        run.WriteFile("Lexivander.qry", "\xD6\xD0\xCE\xC4\r\n"); // 中文 in the code page
        QVERIFY(program.Start());
        QVERIFY(program.Click(QueryBox()));
        // Pinyin on. The input method learns of a newly focused window over the session bus, and
        // a trigger pressed before it has goes by unseen: the trigger waits for that.
        QVERIFY(TestProxy::WaitFor([&] { return session.InputMethodState() == 1; }, 10000));
        session.Key("ctrl+space");
        QVERIFY(TestProxy::WaitFor([&] { return session.InputMethodState() == 2; }, 10000));
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
        QVERIFY(UncheckEverySite(*program));
        QVERIFY(program->Click(QueryBox()));
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
        QVERIFY(program->Click(QueryBox()));
        session.Type("   ");
        session.Key("Return");
        // The message box is a second window with the program's title.
        QVERIFY(TestProxy::WaitFor([&] { return session.VisibleWindows("^Tellaria$").size() == 2; },
                                   10000));
        const QStringList windows = session.VisibleWindows("^Tellaria$");
        const QString box = windows.value(windows.indexOf(run.MainWindow()) == 0 ? 1 : 0);
        QVERIFY(WaitUntilActive(session, box));
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor([&] { return session.VisibleWindows("^Tellaria$").size() == 1; },
                                   10000));
        // The focus is back in the query box: the next term goes straight in.
        QVERIFY(QueryBoxHasTheKeys(*program));
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
        QVERIFY(program->Click(QueryBox()));
        session.Key("shift+Tab");
        session.Key("Home");
        session.Key("Down");
        session.Key("Tab");
        session.Type("ox");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        // Mouse: open the list, pick its last item (the Bing mode) by clicking it. The selector
        // shows the mode chosen by the keys.
        QVERIFY(program->Click(ModeSelector("成语词典")));
        QVERIFY(program->Click(ListItem("微软Bing智能英汉词典")));
        QVERIFY(program->Locate(ModeSelector("微软Bing智能英汉词典")));
        QVERIFY(program->Click(QueryBox()));
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
        const int startTop = WaitForStartPageTop(*program);
        QVERIFY(startTop > 0);
        const int bottom = run.ClientGeometry().height() - 4;
        const auto startPageAt = [&](int y) {
            return ClientShot(*program).pixelColor(run.ClientGeometry().width() / 2, y)
                   == StartPageColour;
        };
        QVERIFY(!startPageAt(bottom)); // the status bar

        // View > 状态栏(B) by its mnemonics hides the status bar: the start page reaches the
        // bottom.
        session.Key("alt+v");
        session.Key("b");
        QVERIFY(TestProxy::WaitFor([&] { return startPageAt(bottom); }, 5000));
        // By mouse it comes back.
        QVERIFY(program->Click(Menu("查看(V)")));
        QVERIFY(program->Click(Menu("状态栏(B)")));
        QVERIFY(TestProxy::WaitFor([&] { return !startPageAt(bottom); }, 5000));

        // View > 标准按钮(T) by its mnemonics hides the toolbar band: the page area moves up.
        session.Key("alt+v");
        session.Key("t");
        QVERIFY(TestProxy::WaitFor([&] { return StartPageTop(*program) < startTop - 15; }, 5000));
        session.Key("alt+v");
        session.Key("t");
        QVERIFY(TestProxy::WaitFor([&] { return StartPageTop(*program) == startTop; }, 5000));

        // File > 退出(X) by mouse ends the program, saving as a close does.
        QVERIFY(program->Click(Menu("文件(F)")));
        QVERIFY(program->Locate(Menu("退出(X)")));
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
        QVERIFY(QueryBoxHasTheKeys(*program));
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
        Program program(TELLARIA_PROGRAM, manager);
        QVERIFY(program.Ready);
        XSession &session = program.Session;
        ProgramRun &run = program.Run;
        for (int cycle = 0; cycle < 3; ++cycle) {
            QVERIFY(program.Start());
            QCOMPARE(session.OuterSize(run.MainWindow()), QSize(729, 528));
            if (manager == WindowManager::None) {
                // Nothing handles Alt+F4 without a window manager: the File menu closes.
                QVERIFY(program.Click(QueryBox()));
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

    // A window manager too busy to tell its frame before the window is shown (stopped until the
    // program has asked and given up waiting): the window still ends at its stored outer size.
    void aBusyWindowManagerStillGetsTheStoredSize()
    {
        Program program(TELLARIA_PROGRAM, WindowManager::Metacity);
        QVERIFY(program.Ready);
        XSession &session = program.Session;
        ProgramRun &run = program.Run;
        run.WriteFile("Lexivanedr.ini", "[Form]\r\nwidth=700\r\nHeight=500\r\n");
        session.PauseWindowManager(true);
        // The window is shown as the start page's load begins, before its request leaves: the
        // window manager goes on once the request is in, the window long waiting to be mapped.
        QTimer resume;
        connect(&resume, &QTimer::timeout, this, [&] {
            if (m_proxy->Requests().contains(
                    "http://www.tellaria.example/soft/Lexivander.aspx?ver=1.9")) {
                session.PauseWindowManager(false);
                resume.stop();
            }
        });
        resume.start(20);
        QVERIFY(program.Start());
        QVERIFY(!resume.isActive());
        QVERIFY(TestProxy::WaitFor(
            [&] { return session.OuterSize(run.MainWindow()) == QSize(700, 500); }));
        CloseByAltF4(session, run);
        QVERIFY(run.ReadFile("Lexivanedr.ini").contains("width=700\r\nHeight=500\r\n"));
    }

    // A logout while the program starts, before its window is up: the close saves the size and
    // mode it was given, whatever frame the window manager would have given it. The stored
    // values have blanks around their "=", which a save leaves out, so that a close that saves
    // nothing shows.
    void aLogoutDuringTheStartKeepsTheStoredSizeAndMode_data()
    {
        theStoredSizeHoldsOverRestarts_data();
    }
    void aLogoutDuringTheStartKeepsTheStoredSizeAndMode()
    {
        QFETCH(WindowManager, manager);
        Program program(TELLARIA_PROGRAM, manager);
        QVERIFY(program.Ready);
        ProgramRun &run = program.Run;
        run.WriteFile("Lexivanedr.ini",
                      "[Form]\r\nwidth = 700\r\nHeight = 500\r\n[Dictionary]\r\nID = 2\r\n");
        QVERIFY(run.StartAndTerminateEarly());
        QVERIFY(run.WaitForExit());
        QCOMPARE(run.ReadFile("Lexivanedr.ini"),
                 QByteArray("[Form]\r\nwidth=700\r\nHeight=500\r\n[Dictionary]\r\nID=2\r\n"));
    }

    void focusStaysWithTheUserAcrossQueriesAndClosedPages()
    {
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        // No click: the window opens ready for a term.
        QVERIFY(QueryBoxHasTheKeys(*program));
        session.Type("ant");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        // Enter leaves the focus in the query box.
        EnterTerm(session, "bee");
        QVERIFY(WaitForResultRequests(2));
        // Into the page, then the query button: the focused page goes, the focus does not.
        QVERIFY(program->Click(PageArea()));
        QVERIFY(program->Click(QueryButton()));
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
        QVERIFY(program->Click(QueryBox()));
        session.Type("elk");
        // Every site unchecked by mouse: the button is off. Space on the last one checks it
        // again, and the button must follow.
        QVERIFY(UncheckEverySite(*program));
        session.Key("space");
        QVERIFY(program->Click(QueryButton()));
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
        QVERIFY(WaitForStartPageTop(*program) > 0);
        const int bottom = run.ClientGeometry().height() - 4;
        const auto statusBarShown = [&] {
            return ClientShot(*program).pixelColor(run.ClientGeometry().width() / 2, bottom)
                   != StartPageColour;
        };
        QVERIFY(statusBarShown());
        QVERIFY(QueryBoxHasTheKeys(*program));
        // F10 opens the first menu; Right moves on through the menus to the View menu, whose
        // first item hides the status bar.
        session.Key("F10");
        session.Key("Right");
        session.Key("Right");
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor([&] { return !statusBarShown(); }, 5000));
        // Alt alone reaches the menu bar; Left wraps round from the first menu to the last (Help),
        // and once more to the View menu.
        session.Key("alt");
        session.Key("Left");
        session.Key("Left");
        session.Key("Down");
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor(statusBarShown, 5000));
        // Escape closes an open menu, and again leaves the menu bar: the keys are back in the
        // query box. A key pressed while a menu closes may go to the closing menu, as it would
        // for a user, so each waits for the one before it to be done.
        session.Key("F10");
        QVERIFY(program->Locate(Menu("退出(X)")));
        session.Key("Escape");
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return !reading.Find(QStringLiteral("menu item"), QStringLiteral("退出(X)"));
        }));
        session.Key("Escape");
        QVERIFY(QueryBoxHasTheKeys(*program));
        session.Type("gnu");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        QCOMPARE(ResultRequests(), QStringList{"http://dict.bing.com.cn/?FORM=CHOT20&q=gnu"});
        CloseByAltF4(session, run);
    }

    void thePageAreaCoversTheStartPageCompletely()
    {
        m_proxy->SetPage("http://zh.wikipedia.org/", ResultPageHtml());
        const auto program = Launch(0);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        QVERIFY(WaitForStartPage());
        QVERIFY(WaitForStartPageTop(*program) > 0);

        // Every site unchecked, Enter: an empty page area, in the window's face colour.
        QVERIFY(UncheckEverySite(*program));
        QVERIFY(program->Click(QueryBox()));
        session.Type("yak");
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor([&] { return !Shows(ClientShot(*program), StartPageColour); },
                                   5000));
        QVERIFY(!program->Tree.Read().Find(
            [](const AccessibleNode &node) { return node.Role == QLatin1String("page tab"); }));

        // One result page: nothing of the start page beside its tab either, once the page has
        // been painted.
        QVERIFY(program->Click(CheckBox(0)));
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            const AccessibleNode *first = reading.Find(QStringLiteral("list item"), SiteNames[0]);
            return first && first->Checked();
        }));
        QVERIFY(program->Click(QueryBox()));
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        QImage shot;
        QVERIFY(TestProxy::WaitFor(
            [&] {
                shot = ClientShot(*program);
                return Shows(shot, ResultPageColour);
            },
            20000));
        QVERIFY(!Shows(shot, StartPageColour));
        QCOMPARE(ResultRequests(), QStringList{"http://zh.wikipedia.org/zh-cn/yak"});
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
        QVERIFY(QueryBoxHasTheKeys(*program));
        session.Type("bat");
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor(
            [&] { return ResultRequests().contains("http://marker.example/after-popup"); }, 20000));
        // The user's click on the link opens it, in the same tab.
        QVERIFY(program->Click(PageArea()));
        QVERIFY(TestProxy::WaitFor(
            [&] { return ResultRequests().contains("http://clicked.example/"); }, 20000));
        QVERIFY2(!ResultRequests().join(' ').contains("popup.example"),
                 qPrintable(ResultRequests().join(' ')));
        QCOMPARE(session.VisibleWindows("^Tellaria$").size(), 1);
        CloseByAltF4(session, run);
    }

    void savePageFromThePagesContextMenu()
    {
        m_proxy->SetPage("http://dict.bing.com.cn/", ResultPageHtml("<p>saved words</p>"));
        const auto program = Launch(3);
        QVERIFY(program);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        QVERIFY(QueryBoxHasTheKeys(*program));
        session.Type("bat");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(1));
        QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(*program), ResultPageColour); },
                                   20000));
        // Right-click in the page: the menu opens where the pointer is, over the page. Save page
        // is the menu's last item.
        const std::optional<QPoint> page = program->Locate(PageArea());
        QVERIFY(page);
        session.Click(*page, 3);
        QVERIFY(TestProxy::WaitFor(
            [&] {
                return session.Screenshot().pixelColor(*page + QPoint(8, 8)) != ResultPageColour;
            },
            5000));
        session.Key("Up");
        session.Key("Return");
        // The save dialog: a full path for the name, then Enter.
        const QString dialog = session.WaitForWindow("^保存网页$", 10000);
        QVERIFY(!dialog.isEmpty());
        QVERIFY(WaitUntilActive(session, dialog));
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
        const int dockedTop = WaitForStartPageTop(*program);
        QVERIFY(dockedTop > 0);
        const std::optional<QRect> toolBar = program->Area(ToolBar());
        const std::optional<QPoint> grab = program->Locate(BareToolBar());
        const std::optional<QPoint> drop = program->Locate(PageArea());
        QVERIFY(toolBar && grab && drop);
        // The drag's outline has the toolbar's size and keeps the grabbed point where it was.
        const QPoint outline = toolBar->center() + (*drop - *grab);
        const auto outlineShows
            = [&] { return session.Screenshot().pixelColor(outline) != StartPageColour; };
        QVERIFY(!outlineShows());
        session.XDoTool({"mousemove", "--sync", QString::number(grab->x()),
                         QString::number(grab->y()), "mousedown", "1"});
        for (int step = 1; step <= 10; ++step) {
            const QPoint at = *grab + (*drop - *grab) * step / 10;
            session.XDoTool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        }
        // The drag runs: its outline is on the screen. Escape takes it away.
        QVERIFY(TestProxy::WaitFor(outlineShows, 5000));
        session.Key("Escape");
        QVERIFY(TestProxy::WaitFor([&] { return !outlineShows(); }, 5000));
        session.XDoTool({"mousemove", QString::number(drop->x() + 10), QString::number(drop->y())});
        session.XDoTool({"mouseup", "1"});
        // The release after it floats nothing. The status bar hidden by keys pressed after the
        // release shows that the program has handled the release.
        session.Key("alt+v");
        session.Key("b");
        QVERIFY(TestProxy::WaitFor(
            [&] {
                return ClientShot(*program).pixelColor(run.ClientGeometry().width() / 2,
                                                       run.ClientGeometry().height() - 4)
                       == StartPageColour;
            },
            5000));
        QVERIFY(!FindWindow(program->Tree.Read(), QStringLiteral("frmFloating")));
        QVERIFY(session.VisibleWindows("^frmFloating$").isEmpty());
        QCOMPARE(StartPageTop(*program), dockedTop);
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
        auto program = std::make_unique<Program>(TELLARIA_PROGRAM);
        QVERIFY(program->Ready);
        XSession &session = program->Session;
        ProgramRun &run = program->Run;
        const QByteArray history = "dog\r\ncat\r\nowl\r\n";
        run.WriteFile("Lexivanedr.ini", Settings(3));
        run.WriteFile("Lexivander.qry", history);
        const int writer = ::open(QFile::encodeName(run.Directory() + "/Lexivander.qry"), O_RDWR);
        QVERIFY(writer >= 0);
        QVERIFY(::flock(writer, LOCK_EX) == 0);
        // The error report comes first, in a window with the program's title; a key answers it.
        QVERIFY(program->Start());
        ::close(writer);
        const QString report = run.MainWindow();
        QVERIFY(session.ClientGeometry(report).width() < 600); // a message box, not the window
        QVERIFY(WaitUntilActive(session, report));
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor(
            [&] { return !session.VisibleWindows("^Tellaria$").contains(report); }, 10000));
        QVERIFY(run.FindMainWindow());
        QVERIFY(program->ControlsInPlace());
        QVERIFY(QueryBoxHasTheKeys(*program));
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
        const int dockedTop = WaitForStartPageTop(*program);
        QVERIFY(dockedTop > 0);

        // Drag the toolbar by its bare part and drop it over the page area: it floats.
        const std::optional<QPoint> grab = program->Locate(BareToolBar());
        const std::optional<QPoint> drop = program->Locate(PageArea());
        QVERIFY(grab && drop);
        session.Drag(*grab, {*grab + QPoint(0, 40), *drop});
        const QString floating = session.WaitForWindow("^frmFloating$", 10000);
        QVERIFY(!floating.isEmpty());
        // The band area lost the toolbar's row: the page area starts higher.
        QVERIFY(TestProxy::WaitFor([&] { return StartPageTop(*program) < dockedTop - 15; }, 5000));

        // Drag the floating window by its caption strip, away from the band area: it moves.
        const QRect placed = session.ClientGeometry(floating);
        QVERIFY(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            const AccessibleNode *window = FindWindow(reading, QStringLiteral("frmFloating"));
            return window && window->Extents == placed;
        }));
        const std::optional<QPoint> caption = program->Locate(FloatingCaption());
        QVERIFY(caption);
        const QPoint offset(-150, 250);
        session.Drag(*caption, {*caption + QPoint(0, 30), *caption + offset});
        QVERIFY(TestProxy::WaitFor(
            [&] { return session.ClientGeometry(floating).topLeft() == placed.topLeft() + offset; },
            5000));
        QCOMPARE(session.ClientGeometry(floating).size(), placed.size());

        // Drop it on the band area: the toolbar docks back and the window goes.
        const QPoint moved = *caption + offset;
        const std::optional<QPoint> bandArea = program->Locate(BandArea());
        QVERIFY(bandArea);
        session.Drag(moved, {moved + QPoint(0, -30), *bandArea});
        QVERIFY(session.WaitForNoWindow("^frmFloating$", 10000));
        QVERIFY(TestProxy::WaitFor([&] { return StartPageTop(*program) == dockedTop; }, 5000));
        CloseByAltF4(session, run);
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<RealInputTest>(argc, argv);
}

#include "RealInput_test.moc"
