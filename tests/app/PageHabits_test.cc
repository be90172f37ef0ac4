// A desktop program's habits, with the built program driven through the X server: a page opened
// in the user's web browser or its address copied, back after following a link, a page that
// never answers stopped and a query's hanging pages all stopped at once, F6 into the page and
// back, a network failure said in the page, the menu on a result tab, the query history cleared,
// the key sheet and the about box, and the toolbar's grip.

#include "tests/support/FileBytes.h"
#include "tests/support/RealInputProgram.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

using namespace tellaria::test;

namespace {

const QString BingPage = QStringLiteral("http://dict.bing.com.cn/");
const QColor FirstColour(0x2e, 0x7d, 0x32);
const QColor NextColour(0xc6, 0x28, 0x28);

// A page that is one big link to the next, in a colour of its own.
const QByteArray LinkPage
    = "<!DOCTYPE html><html><head><title>first</title><style>html,body{margin:0;height:100%}"
      "a{display:block;height:100%;background:#2e7d32}</style></head>"
      "<body><a href=\"http://dict.bing.com.cn/next\">next</a></body></html>";
const QByteArray NextPage
    = "<!DOCTYPE html><html><head><title>next</title><style>html,body{margin:0;height:100%;"
      "background:#c62828}</style></head><body><p>next page</p></body></html>";

const QString BingQuery = QStringLiteral("http://dict.bing.com.cn/?FORM=CHOT20&q=cat");
const QString BingName = QStringLiteral("微软Bing智能英汉词典");
const QStringList Encyclopaedias{"http://zh.wikipedia.org/", "http://baike.baidu.com/",
                                 "http://www.baike.com/", "http://www.britannica.com/",
                                 "http://www.infoplease.com/"};

// A page taller than the screen that puts how far it is scrolled in its title.
const QByteArray TallPage
    = "<!DOCTYPE html><html><head><title>top</title><style>p{height:200px;margin:0}</style>"
      "<script>addEventListener('scroll', () => {"
      " document.title = 'scrolled ' + Math.round(scrollY); });</script></head><body>"
      +
      [] {
          QByteArray lines;
          for (int line = 1; line <= 40; ++line)
              lines += "<p>line " + QByteArray::number(line) + "</p>";
          return lines;
      }()
      + "</body></html>";

// Makes a script the desktop's web browser in `program`'s session: it writes the address it is
// given to a file in the session's home, whose path is returned.
QString RecordingBrowser(const Program &program)
{
    const QString home = program.Session.Environment().value(QStringLiteral("HOME"));
    const QString script = home + QStringLiteral("/recording-browser");
    const QString record = home + QStringLiteral("/opened");
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/sh\nprintf '%s' \"$1\" > '" + record.toUtf8() + "'\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    const QString applications = home + QStringLiteral("/.local/share/applications");
    const QString config = program.Session.Environment().value(QStringLiteral("XDG_CONFIG_HOME"));
    QDir().mkpath(applications);
    QDir().mkpath(config);
    QFile entry(applications + QStringLiteral("/recording-browser.desktop"));
    QFile defaults(config + QStringLiteral("/mimeapps.list"));
    if (!entry.open(QIODevice::WriteOnly) || !defaults.open(QIODevice::WriteOnly))
        return {};
    entry.write("[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + script.toUtf8()
                + " %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;\n");
    defaults.write("[Default Applications]\nx-scheme-handler/http=recording-browser.desktop\n"
                   "x-scheme-handler/https=recording-browser.desktop\n");
    return record;
}

QString TabDescription(const AccessibleReading &reading, int index)
{
    const QList<const AccessibleNode *> tabs = Tabs(reading);
    return index < tabs.size() ? tabs[index]->Description : QString();
}

} // namespace

class PageHabitsTest : public ProgramTest
{
    Q_OBJECT

private:
    int Asked(const QString &url) const { return int(m_proxy->Requests().count(url)); }

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    void init()
    {
        m_proxy->ClearRequests();
        m_proxy->SetDelay(BingPage, 0);
        m_proxy->SetRefused(BingPage, false);
        for (const QString &site : Encyclopaedias)
            m_proxy->SetDelay(site, 0);
    }

    // The page's address handed to the user's web browser, or copied, from the tab's menu and
    // the File menu, each by its keys.
    void whereAPageLivesElsewhere_data()
    {
        // Where the right click goes (none: the menu bar), then the keys that choose the item.
        QTest::addColumn<QString>("menuOn");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("copied");
        QTest::newRow("tab menu, 在浏览器中打开") << "tab" << QStringList{"b"} << false;
        QTest::newRow("tab menu, 复制网址") << "tab" << QStringList{"c"} << true;
        QTest::newRow("File, 在浏览器中打开当前页") << "" << QStringList{"alt+f", "b"} << false;
        // The page's own menu ends 在浏览器中打开, 复制网址, then its save item.
        QTest::newRow("page menu, 复制网址") << "page" << QStringList{"Up", "Up", "Return"} << true;
        QTest::newRow("page menu, 在浏览器中打开")
            << "page" << QStringList{"Up", "Up", "Up", "Return"} << false;
    }
    void whereAPageLivesElsewhere()
    {
        QFETCH(QString, menuOn);
        QFETCH(QStringList, keys);
        QFETCH(bool, copied);
        m_proxy->SetPage(BingPage, NextPage);
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 3);
        QVERIFY(program);
        const QString record = RecordingBrowser(*program);
        QVERIFY(!record.isEmpty());
        const XSession &session = program->Session;
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(session, QStringLiteral("cat"));
        QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(*program), NextColour); }));
        if (!menuOn.isEmpty()) {
            const auto tab = program->Tree.WaitFor(QStringLiteral("page tab"),
                                                   QStringLiteral("微软Bing智能英汉词典"));
            QVERIFY(tab);
            const std::optional<QPoint> page = program->Locate(PageArea());
            QVERIFY(page);
            const QPoint at = menuOn == QLatin1String("tab") ? tab->Extents.center() : *page;
            // The menu opens beside the pointer: the screen changes there.
            const QRect beside(at + QPoint(8, 8), QSize(90, 60));
            const QImage before = session.Screenshot().copy(beside);
            session.Click(at, 3);
            QVERIFY(
                TestProxy::WaitFor([&] { return session.Screenshot().copy(beside) != before; }));
        }
        for (const QString &key : keys)
            session.Key(key);
        if (copied) {
            QVERIFY(TestProxy::WaitFor([&] { return session.ClipboardText() == BingQuery; }));
        } else {
            QVERIFY(TestProxy::WaitFor([&] { return ReadAll(record) == BingQuery.toUtf8(); }));
        }
        CloseByAltF4(session, program->Run);
    }

    // F1 lists the keys, read from the commands; the about box names the data folder.
    void helpShowsTheKeysAndTheDataFolder()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 3);
        QVERIFY(program);
        const XSession &session = program->Session;
        QVERIFY(QueryBoxHasTheKeys(*program));
        session.Key("F1");
        QVERIFY2(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            for (const char *name : {"阅读模式", "F9", "查找", "Ctrl+F", "刷新", "F5，Ctrl+R",
                                     "键盘快捷键", "F1", "后退"}) {
                if (!reading.Find([&](const AccessibleNode &node) {
                        return node.Name == QString::fromUtf8(name);
                    }))
                    return false;
            }
            return true;
        }),
                 qPrintable(program->Tree.Read().Describe()));
        session.Key("Escape");
        session.Key("alt+h");
        session.Key("a");
        const QString folder = QDir(program->Run.Directory()).absolutePath();
        QVERIFY(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            return reading.Find([&](const AccessibleNode &node) {
                return node.Role == QLatin1String("label") && node.Name.contains(folder)
                       && node.Name.contains(QStringLiteral("GPL-3.0-or-later"));
            });
        }));
        session.Key("Escape");
        CloseByAltF4(session, program->Run);
    }

    // The docked toolbar's grip is drawn, and a drag from it floats the toolbar.
    void theGripIsDrawnAndDrags()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 3);
        QVERIFY(program);
        const XSession &session = program->Session;
        const auto grip = program->Tree.WaitFor([](const AccessibleReading &reading) {
            return reading.Find([](const AccessibleNode &node) {
                return node.Name == QStringLiteral("工具栏拖动柄");
            });
        });
        QVERIFY(grip);
        QVERIFY(TestProxy::WaitFor([&] {
            const QImage shot = session.Screenshot().copy(grip->Extents);
            return Share(shot, [](const QColor &c) { return c.lightness() < 140; }) > 0.1;
        }));
        const std::optional<QPoint> drop = program->Locate(PageArea());
        QVERIFY(drop);
        const QPoint from = grip->Extents.center();
        session.Drag(from, {from + QPoint(0, 40), *drop});
        QVERIFY(!session.WaitForWindow("^frmFloating$", 10000).isEmpty());
        // The main window active again, for the close key.
        session.Click(*drop + QPoint(0, 120));
        QVERIFY(WaitUntilActive(session, program->Run.MainWindow()));
        CloseByAltF4(session, program->Run);
    }

    // A click on the page's link, then Alt+Left, or the mouse's back button: the first page is
    // back.
    void altLeftGoesBackAfterALink()
    {
        m_proxy->SetPage(BingPage, LinkPage);
        m_proxy->SetPage(BingPage + QStringLiteral("next"), NextPage);
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 3);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(*program), FirstColour); }));
        const QRect client = program->Run.ClientGeometry();
        program->Session.Click(client.center() + QPoint(0, 60));
        QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(*program), NextColour); }));
        const auto firstIsBack = [&] {
            return TestProxy::WaitFor([&] {
                const QImage shot = ClientShot(*program);
                return Shows(shot, FirstColour) && !Shows(shot, NextColour);
            });
        };
        program->Session.Key("alt+Left");
        QVERIFY(firstIsBack());
        // The same by the mouse's back button (button 8), after the link once more. Each click is
        // somewhere new: xdotool waits for a pointer move that a click on the spot never makes.
        program->Session.Click(client.center() + QPoint(0, 80));
        QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(*program), NextColour); }));
        program->Session.Click(client.center() + QPoint(0, 60), 8);
        QVERIFY(firstIsBack());
        CloseByAltF4(program->Session, program->Run);
    }

    // Sites that never answer: Esc stops every page of the query still loading, pressed in a
    // page or in the query box where the query leaves the focus, and each tab says so instead
    // of loading on; F5 asks again. With nothing loading, Esc closes the find bar as before.
    void escStopsTheQuery_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("inPage"); // Esc in the page clicked, else in the query box
        QTest::newRow("one site, Esc in its page") << 3 << true;
        QTest::newRow("five sites, Esc in the query box") << 0 << false;
    }
    void escStopsTheQuery()
    {
        QFETCH(int, mode);
        QFETCH(bool, inPage);
        const QStringList hanging = mode == 3 ? QStringList{BingPage} : Encyclopaedias;
        m_proxy->SetPage(BingPage, NextPage);
        for (const QString &site : hanging)
            m_proxy->SetDelay(site, 600000);
        const auto program = LaunchProgram(TELLARIA_PROGRAM, mode);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(WaitForResultRequests(*m_proxy, int(hanging.size())));
        const QString url = ResultRequests(*m_proxy).constFirst();
        const auto everyTab = [&](const QString &words) {
            return program->Tree.WaitUntil([&](const AccessibleReading &reading) {
                const int tabs = int(Tabs(reading).size());
                for (int index = 0; index < tabs; ++index) {
                    const QString description = TabDescription(reading, index);
                    if (!description.contains(words) || description.contains("失败"))
                        return false;
                }
                return tabs == hanging.size();
            });
        };
        QVERIFY(everyTab(QStringLiteral("正在加载")));
        if (inPage)
            program->Session.Click(program->Run.ClientGeometry().center() + QPoint(0, 60));
        else
            QVERIFY(QueryBoxHasTheKeys(*program));
        program->Session.Key("Escape");
        QVERIFY(everyTab(QStringLiteral("已停止加载")));
        for (const QString &site : hanging)
            m_proxy->SetDelay(site, 0);
        program->Session.Key("F5");
        QVERIFY(TestProxy::WaitFor([&] { return Asked(url) == 2; }));
        if (mode == 3)
            QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(*program), NextColour); }));
        // With nothing loading, Esc is the find bar's again.
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            const QList<const AccessibleNode *> tabs = Tabs(reading);
            return std::none_of(tabs.begin(), tabs.end(), [](const AccessibleNode *tab) {
                return tab->Description.contains(QStringLiteral("正在加载"));
            });
        }));
        const auto findField = [](const AccessibleReading &reading) {
            return reading.Find([](const AccessibleNode &node) {
                return node.Name == QStringLiteral("要在所有页中查找的文字");
            });
        };
        program->Session.Key("ctrl+f");
        QVERIFY(program->Tree.WaitUntil(findField));
        program->Session.Key("Escape");
        QVERIFY(program->Tree.WaitUntil(
            [&](const AccessibleReading &reading) { return !findField(reading); }));
        CloseByAltF4(program->Session, program->Run);
    }

    // F6 goes round: from the query box into the page, where PgDn scrolls it (the page's script
    // puts its scroll position in its title, which its tab shows), and back; in tabs and side by
    // side. Tab from the query box reaches the page too, past the tab bar.
    void intoThePageAndBack_data()
    {
        QTest::addColumn<QByteArray>("view");
        QTest::addColumn<QStringList>("into");
        const QByteArray tabs;
        const QByteArray columns("[View]\r\nSideBySide=1\r\n");
        QTest::newRow("tabs, F6") << tabs << QStringList{"F6"};
        QTest::newRow("side by side, F6") << columns << QStringList{"F6"};
        // The query button, the tab bar, the page.
        QTest::newRow("tabs, Tab") << tabs << QStringList{"Tab", "Tab", "Tab"};
        // The query button, the page.
        QTest::newRow("side by side, Tab") << columns << QStringList{"Tab", "Tab"};
    }
    void intoThePageAndBack()
    {
        QFETCH(QByteArray, view);
        QFETCH(QStringList, into);
        m_proxy->SetPage(BingPage, TallPage);
        Program program(TELLARIA_PROGRAM);
        QVERIFY(program.Ready);
        program.Run.WriteFile("Lexivanedr.ini", Settings(3) + view);
        QVERIFY(program.Start());
        QVERIFY(QueryBoxHasTheKeys(program));
        EnterTerm(program.Session, QStringLiteral("cat"));
        QVERIFY(PageReads(program, BingName, {QStringLiteral("line 1")}));
        const auto scrolled = [&] {
            return program.Tree.WaitUntil([](const AccessibleReading &reading) {
                return reading.Find([](const AccessibleNode &node) {
                    return (node.Name + node.Description).contains(QStringLiteral("scrolled "));
                });
            });
        };
        QVERIFY(QueryBoxHasTheKeys(program));
        for (const QString &key : into)
            program.Session.Key(key);
        program.Session.Key("Next");
        QVERIFY(scrolled());
        program.Session.Key("F6");
        QVERIFY(QueryBoxHasTheKeys(program));
        CloseByAltF4(program.Session, program.Run);
    }

    // The network failing: the tab shows the program's own page, which names the reference
    // work, says why in words and how to ask again; the tab keeps its failure mark, and F5 asks
    // again.
    void aNetworkFailureIsSaidInThePage()
    {
        m_proxy->SetPage(BingPage, NextPage);
        m_proxy->SetRefused(BingPage);
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 3);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(PageReads(*program, BingName,
                          {QStringLiteral("没有打开“微软Bing智能英汉词典”"),
                           QStringLiteral("连接被拒绝"), QStringLiteral("重新加载")}));
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return TabDescription(reading, 0).contains(QStringLiteral("失败"));
        }));
        m_proxy->SetRefused(BingPage, false);
        program->Session.Key("F5");
        QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(*program), NextColour); }));
        CloseByAltF4(program->Session, program->Run);
    }

    // The keys every desktop program has, pressed in the query box where a query leaves the
    // focus: Ctrl+S and Ctrl+P open their dialogs for the current page, Ctrl+Q closes the
    // program as its close does, the history saved. The save dialog, taken as it opens (Return),
    // saves the page under the name it offers: the term and the reference work.
    void theEverydayKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("dialog"); // the title of the window it opens; none: it quits
        QTest::addColumn<QString>("answer"); // the key that ends the dialog
        QTest::newRow("save") << QStringLiteral("ctrl+s") << QStringLiteral("^保存网页$")
                              << QStringLiteral("Return");
        QTest::newRow("print") << QStringLiteral("ctrl+p") << QStringLiteral("^打印$")
                               << QStringLiteral("Escape");
        QTest::newRow("quit") << QStringLiteral("ctrl+q") << QString() << QString();
    }

    void theEverydayKeys()
    {
        QFETCH(QString, key);
        QFETCH(QString, dialog);
        QFETCH(QString, answer);
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 3);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        QVERIFY(QueryBoxHasTheKeys(*program));
        if (dialog.isEmpty()) {
            program->Session.Key(key);
            QVERIFY(program->Run.WaitForExit());
            QCOMPARE(program->Run.ReadFile("Lexivander.qry"), QByteArray("cat\r\n"));
            return;
        }
        // The command waits for the page's document; the key is tried until its dialog shows.
        QString window;
        QVERIFY(TestProxy::WaitFor(
            [&] {
                program->Session.Key(key);
                window = program->Session.WaitForWindow(dialog, 2000);
                return !window.isEmpty();
            },
            30000));
        QVERIFY(WaitUntilActive(program->Session, window));
        program->Session.Key(answer);
        QVERIFY(program->Session.WaitForNoWindow(dialog));
        if (key == QLatin1String("ctrl+s")) {
            const QString home = program->Session.Environment().value(QStringLiteral("HOME"));
            const QString offered = QStringLiteral("cat - 微软Bing智能英汉词典.html");
            QVERIFY2(TestProxy::WaitFor([&] {
                         QDirIterator files(home, {offered}, QDir::Files,
                                            QDirIterator::Subdirectories);
                         return files.hasNext();
                     }),
                     qPrintable(offered));
        }
        CloseByAltF4(program->Session, program->Run);
    }

    // With no web browser on the desktop, 在浏览器中打开 says what to install.
    void noWebBrowserIsSaid()
    {
        m_proxy->SetPage(BingPage, NextPage);
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 3);
        QVERIFY(program);
        const XSession &session = program->Session;
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(session, QStringLiteral("cat"));
        QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(*program), NextColour); }));
        session.Key(QStringLiteral("alt+f"));
        session.Key(QStringLiteral("b"));
        const auto ok = program->Tree.WaitFor([](const AccessibleReading &reading) {
            const AccessibleNode *told = reading.Find([](const AccessibleNode &node) {
                return node.Name.contains(QStringLiteral("没有可以打开网页的程序"))
                       && node.Name.contains(QStringLiteral("xdg-utils"));
            });
            return told ? reading.Find(QStringLiteral("push button"), QStringLiteral("确定"))
                        : nullptr;
        });
        QVERIFY2(ok, qPrintable(program->Tree.Read().Describe()));
        QVERIFY(program->Tree.DoAction(*ok));
        // The keys are the main window's again once the message has gone.
        QVERIFY(WaitUntilActive(session, program->Run.MainWindow()));
        CloseByAltF4(session, program->Run);
    }

    // A right click on a tab, 关闭其他页: that page alone is left.
    void theTabMenuClosesTheOthers()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 0);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(WaitForResultRequests(*m_proxy, 5));
        const auto third = program->Tree.WaitFor(QStringLiteral("page tab"), SiteNames[2]);
        QVERIFY(third);
        // The menu opens below the pointer: the screen changes there.
        const QRect below(third->Extents.center() + QPoint(8, 8), QSize(90, 60));
        const QImage before = program->Session.Screenshot().copy(below);
        program->Session.Click(third->Extents.center(), 3);
        QVERIFY(TestProxy::WaitFor(
            [&] { return program->Session.Screenshot().copy(below) != before; }));
        // Its item by its key: O for 关闭其他页(O).
        program->Session.Key("o");
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            const QList<const AccessibleNode *> tabs = Tabs(reading);
            return tabs.size() == 1 && tabs[0]->Name == SiteNames[2];
        }));
        CloseByAltF4(program->Session, program->Run);
    }

    // File > 清除查询历史, confirmed: the close leaves an empty history file. A history that
    // could not be read at start has the item off, and keeps its file.
    void clearingTheHistory_data()
    {
        QTest::addColumn<QByteArray>("history");
        QTest::addColumn<bool>("clearable");
        QTest::newRow("read at start") << QByteArray("cattle\r\nCat\r\n") << true;
        // Longer than the longest history loaded: the load fails.
        QTest::newRow("unreadable") << QByteArray(17 << 20, 'x') << false;
    }
    void clearingTheHistory()
    {
        QFETCH(QByteArray, history);
        QFETCH(bool, clearable);
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 3, history);
        QVERIFY(program);
        const XSession &session = program->Session;
        const auto boxes = [&] { return session.VisibleWindows("^Tellaria$").size() - 1; };
        // A history that cannot be read is reported at start, in a message box.
        if (!clearable) {
            const auto ok
                = program->Tree.WaitFor(QStringLiteral("push button"), QStringLiteral("确定"));
            QVERIFY(ok);
            QVERIFY(program->Tree.DoAction(*ok));
        }
        QVERIFY(QueryBoxHasTheKeys(*program));
        session.Key("alt+f");
        const auto item = program->Tree.WaitFor(QStringLiteral("menu item"),
                                                QStringLiteral("清除查询历史(H)..."));
        QVERIFY(item);
        QCOMPARE(item->Enabled(), clearable);
        if (clearable) {
            session.Key("h");
            // The confirmation, a window of its own, answered by its default button.
            QVERIFY(TestProxy::WaitFor([&] { return boxes() == 1; }, 10000));
            session.Key("Return");
            QVERIFY(TestProxy::WaitFor([&] { return boxes() == 0; }, 10000));
        } else {
            session.Key("Escape");
        }
        CloseByAltF4(session, program->Run);
        QCOMPARE(program->Run.ReadFile("Lexivander.qry"), clearable ? QByteArray() : history);
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<PageHabitsTest>(argc, argv);
}

#include "PageHabits_test.moc"
