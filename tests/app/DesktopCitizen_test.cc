// The built program as a screen reader's user, a keyboard user and a user whose page's process
// dies meet it: its own process on a private X display with a window manager and an
// accessibility bus, keys through the X server. What is checked is what they would find: the
// accessibility tree, the requests the engine makes, the pages' processes.

#include "tests/support/RealInputProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <set>

using namespace tellaria::test;

namespace {

const QStringList EncyclopaediaUrls{
    "http://zh.wikipedia.org/zh-cn/cat",
    "http://baike.baidu.com/list-php/dispose/searchword.php/?&pic=1&word=cat",
    "http://www.baike.com/wiki/cat", "http://www.britannica.com/search?ct=&query=cat",
    "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=cat"};

std::unique_ptr<Program> Launch(int mode)
{
    return LaunchProgram(TELLARIA_PROGRAM, mode);
}

// The processes below `root`, children first found first.
std::set<qint64> Descendants(qint64 root)
{
    std::set<qint64> found{root};
    bool grew = true;
    while (grew) {
        grew = false;
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString &entry : entries) {
            bool number = false;
            const qint64 pid = entry.toLongLong(&number);
            if (!number || found.count(pid))
                continue;
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // "pid (name) state ppid ...": the name may hold spaces, so read after its ")".
            const QByteArray line = stat.readAll();
            const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1 && found.count(fields[1].toLongLong())) {
                found.insert(pid);
                grew = true;
            }
        }
    }
    found.erase(root);
    return found;
}

// The engine's page processes among the program's: its renderers, which say so on their
// command line, or, where they keep the zygote's, the zygote's children that have none of their
// own.
std::set<qint64> PageProcesses(qint64 program)
{
    std::set<qint64> pages;
    const std::set<qint64> all = Descendants(program);
    for (qint64 pid : all) {
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!command.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = command.readAll();
        if (line.contains("--type=renderer")
            || (line.contains("--type=zygote") && Descendants(pid).empty()))
            pages.insert(pid);
    }
    return pages;
}

} // namespace

class DesktopCitizenTest : public ProgramTest
{
    Q_OBJECT

private:
    // Queries "cat" in the encyclopaedia mode from the query box and waits for its five pages.
    bool QueryCat(const Program &program)
    {
        if (!QueryBoxHasTheKeys(program))
            return false;
        EnterTerm(program.Session, QStringLiteral("cat"));
        return WaitForResultRequests(*m_proxy, 5)
               && program.Tree.WaitUntil(
                   [](const AccessibleReading &reading) { return Tabs(reading).size() == 5; });
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        m_proxy->SetPage(
            "http://zh.wikipedia.org/",
            "<!DOCTYPE html><html><head><meta charset='utf-8'><title>维基百科页</title>"
            "</head><body><h1>猫</h1><p>猫是一种小型食肉动物。</p></body></html>");
    }

    void init() { m_proxy->ClearRequests(); }

    // Every control on the screen says what it is, in Chinese and never by an inner name, and a
    // query is made and read through the accessibility interface alone.
    void aScreenReaderFindsEveryControlNamedAndMakesAQuery()
    {
        const auto program = Launch(0);
        QVERIFY(program);
        const AccessibleTree &tree = program->Tree;
        const AccessibleReading reading = tree.Read();
        const QStringList controls{"push button", "toggle button", "combo box", "text",    "list",
                                   "check box",   "list item",     "menu item", "page tab"};
        const QRegularExpression inner(
            QStringLiteral("^(Act[A-Z]|mnu|NView|ToolButton|ToolBar|Cmb|Btn|Pnl|CkLst|Panel|"
                           "PageControl|StatusPanel|CoolBar|Label[0-9]|frmMain)"));
        for (const AccessibleNode &node : reading.Nodes) {
            QVERIFY2(!inner.match(node.Name).hasMatch(), qPrintable(node.Name));
            if (controls.contains(node.Role)) {
                QVERIFY2(!node.Name.isEmpty() || !node.LabelledBy.isEmpty(),
                         qPrintable(node.Role + QStringLiteral(" without a name in\n")
                                    + reading.Describe()));
            }
        }
        for (const char *hint :
             {"前一页", "后一页", "关闭当前页", "关闭所有页", "打印", "保存", "打印预览", "查询"})
            QVERIFY2(reading.Find(QStringLiteral("push button"), QString::fromUtf8(hint)), hint);
        for (const char *panel : {"提示", "状态"})
            QVERIFY2(reading.Find(QStringLiteral("label"), QString::fromUtf8(panel)), panel);

        // The query box's text field, set as a screen reader sets it; the button pressed by its
        // action.
        const auto field = tree.WaitFor(FindQueryBoxField);
        QVERIFY(field);
        QCOMPARE(field->Name, QStringLiteral("查询"));
        QVERIFY(tree.SetText(*field, QStringLiteral("cat")));
        const auto button = tree.WaitFor(QStringLiteral("push button"), QStringLiteral("查询"));
        QVERIFY(button);
        QVERIFY(tree.DoAction(*button));
        QVERIFY(WaitForResultRequests(*m_proxy, 5));
        QCOMPARE(ResultRequests(*m_proxy), EncyclopaediaUrls);

        // Each result tab reads as its caption, its page's address as its description.
        QVERIFY(tree.WaitUntil([](const AccessibleReading &now) {
            const QList<const AccessibleNode *> tabs = Tabs(now);
            if (tabs.size() != 5)
                return false;
            for (int index = 0; index < 5; ++index) {
                if (tabs[index]->Name != SiteNames[index]
                    || !tabs[index]->Description.contains(QStringLiteral("http://")))
                    return false;
            }
            return true;
        }));
        // The current page's own words are read, not only its name; the engine's drawing
        // windows are not among the program's.
        const auto page = tree.WaitFor([](const AccessibleReading &now) {
            return now.Find(QStringLiteral("web document"), QStringLiteral("维基百科页"));
        });
        QVERIFY(page);
        QVERIFY(TestProxy::WaitFor([&] {
            return tree.PageText(*page).contains(QStringLiteral("猫是一种小型食肉动物。"));
        }));
        QVERIFY2(!tree.WindowNames().contains(QStringLiteral("Offscreen")),
                 qPrintable(tree.WindowNames().join(QLatin1Char(' '))));
        CloseByAltF4(program->Session, program->Run);
    }

    // The page keys, pressed through the X server from the query box and from inside a page:
    // the next and previous page, going round at either end as a browser's tabs do, and the
    // current page closed.
    void thePageKeysWorkFromAnywhere()
    {
        const auto program = Launch(0);
        QVERIFY(program);
        QVERIFY(QueryCat(*program));
        const XSession &session = program->Session;
        const auto selectedIs = [&](int index) {
            return program->Tree.WaitUntil([index](const AccessibleReading &reading) {
                return SelectedTab(reading) == index;
            });
        };
        QVERIFY(selectedIs(0));
        const struct
        {
            const char *Keys;
            int Selected;
        } steps[]
            = {{"ctrl+Tab", 1},   {"ctrl+Next", 2}, {"ctrl+shift+Tab", 1}, {"ctrl+Prior", 0},
               {"ctrl+Prior", 4}, {"ctrl+Next", 0}, {"ctrl+Next", 1},      {"ctrl+Next", 2},
               {"ctrl+Next", 3},  {"ctrl+Next", 4}, {"ctrl+Tab", 0},       {"ctrl+shift+Tab", 4}};
        for (const auto &step : steps) {
            session.Key(QString::fromLatin1(step.Keys));
            QVERIFY2(selectedIs(step.Selected), step.Keys);
        }
        // From inside the page: the page has the keys once clicked.
        QVERIFY(program->Click(PageArea()));
        session.Key(QStringLiteral("ctrl+Prior"));
        QVERIFY(selectedIs(3));
        session.Key(QStringLiteral("ctrl+w"));
        QVERIFY(program->Tree.WaitUntil(
            [](const AccessibleReading &reading) { return Tabs(reading).size() == 4; }));
        QVERIFY(!program->Tree.Read().Find(QStringLiteral("page tab"), SiteNames[3]));
        session.Key(QStringLiteral("alt+F4"));
        QVERIFY(program->Run.WaitForExit());
    }

    // Ctrl+L, Alt+D and F6 put the keyboard in the query box with its text selected: typing
    // replaces the term, from inside a page as from anywhere.
    void theQueryBoxKeysSelectTheTerm_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::newRow("Ctrl+L") << "ctrl+l";
        QTest::newRow("Alt+D") << "alt+d";
        QTest::newRow("F6") << "F6";
    }
    void theQueryBoxKeysSelectTheTerm()
    {
        QFETCH(QString, keys);
        const auto program = Launch(3);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        program->Session.Type(QStringLiteral("cat"));
        program->Session.Key(QStringLiteral("Return"));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        // The click must land in the result page, not in the start page it replaces: that one
        // goes, and the keyboard with it back to the query box.
        QVERIFY(program->Tree.WaitUntil(
            [](const AccessibleReading &reading) { return Tabs(reading).size() == 1; }));
        QVERIFY(program->Click(PageArea()));
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            const AccessibleNode *box = FindQueryBox(reading);
            return box && !box->Focused();
        }));
        program->Session.Key(keys);
        QVERIFY(QueryBoxHasTheKeys(*program));
        program->Session.Type(QStringLiteral("dog"));
        program->Session.Key(QStringLiteral("Return"));
        QVERIFY(WaitForResultRequests(*m_proxy, 2));
        QCOMPARE(ResultRequests(*m_proxy).last(),
                 QStringLiteral("http://dict.bing.com.cn/?FORM=CHOT20&q=dog"));
        CloseByAltF4(program->Session, program->Run);
    }

    // F5 and Ctrl+R load the current page again wherever the focus is, as in any browser.
    void aKeyReloadsTheCurrentPage_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("inThePage");
        QTest::newRow("F5 in the query box") << "F5" << false;
        QTest::newRow("Ctrl+R in the page") << "ctrl+r" << true;
        QTest::newRow("F5 in the page") << "F5" << true;
    }
    void aKeyReloadsTheCurrentPage()
    {
        QFETCH(QString, keys);
        QFETCH(bool, inThePage);
        const auto program = Launch(2);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        const QString url = QStringLiteral("http://www.iciba.com/cat%2F");
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        QVERIFY(program->Tree.WaitUntil(
            [](const AccessibleReading &reading) { return Tabs(reading).size() == 1; }));
        if (inThePage)
            QVERIFY(program->Click(PageArea()));
        program->Session.Key(keys);
        QVERIFY(WaitForResultRequests(*m_proxy, 2));
        QCOMPARE(ResultRequests(*m_proxy), (QStringList{url, url}));
        CloseByAltF4(program->Session, program->Run);
    }

    // A query with no encyclopaedia ticked says why no page opened, where the pages would be.
    void aQueryWithNoSiteTickedSaysSo()
    {
        Program program(TELLARIA_PROGRAM);
        QVERIFY(program.Ready);
        program.Run.WriteFile("Lexivanedr.ini", "[Dictionary]\r\nID=0\r\nSites=0\r\n");
        QVERIFY(program.Start());
        QVERIFY(QueryBoxHasTheKeys(program));
        EnterTerm(program.Session, QStringLiteral("cat"));
        const auto note = program.Tree.WaitFor(
            QStringLiteral("label"),
            QString::fromUtf8("没有勾选要查询的百科全书：请在上方勾选至少一个。"));
        QVERIFY(note);
        // On the screen, inside the window, drawn over the start page.
        QVERIFY(program.Run.ClientGeometry().contains(note->Extents));
        QVERIFY(TestProxy::WaitFor([&] {
            const QImage area = program.Session.Screenshot().copy(note->Extents);
            return Share(area, [](const QColor &c) { return c.lightness() < 110; }) > 0.001;
        }));
        QCOMPARE(ResultRequests(*m_proxy), QStringList());
        CloseByAltF4(program.Session, program.Run);
        QCOMPARE(program.Run.ReadFile("Lexivander.qry"), QByteArray("cat\r\n"));
    }

    // One page's process killed, as the kernel does when memory runs out: its tab says so, the
    // others do not; the page comes back with F5, and a query afterwards works as always.
    void aPageWhoseProcessIsKilledComesBack()
    {
        const auto program = Launch(0);
        QVERIFY(program);
        QVERIFY(WaitForResultRequests(*m_proxy, 0));
        // The start page's process is there before the query; the pages' come with it.
        std::set<qint64> before;
        QVERIFY(TestProxy::WaitFor([&] {
            before = PageProcesses(program->Run.ProcessId());
            return !before.empty();
        }));
        QVERIFY(QueryCat(*program));
        std::set<qint64> pages;
        QVERIFY(TestProxy::WaitFor([&] {
            pages.clear();
            for (qint64 pid : PageProcesses(program->Run.ProcessId())) {
                if (!before.count(pid))
                    pages.insert(pid);
            }
            return pages.size() >= 2;
        }));
        QVERIFY(::kill(pid_t(*pages.begin()), SIGKILL) == 0);

        const auto ended = [](const AccessibleNode *tab) {
            return tab->Description.contains(QStringLiteral("页面已意外终止"));
        };
        int endedTab = -1;
        QVERIFY(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            const QList<const AccessibleNode *> tabs = Tabs(reading);
            endedTab = -1;
            int count = 0;
            for (int index = 0; index < tabs.size(); ++index) {
                if (ended(tabs[index])) {
                    endedTab = index;
                    ++count;
                }
            }
            return tabs.size() == 5 && count == 1;
        }));
        // Its message and button show once the user picks the tab.
        const QString caption = SiteNames[endedTab];
        QVERIFY(program->Click(Named(QStringLiteral("page tab"), caption)));
        QVERIFY(
            program->Tree.WaitFor(QStringLiteral("push button"), QStringLiteral("重新加载(R)")));
        m_proxy->ClearRequests();
        program->Session.Key(QStringLiteral("F5"));
        QVERIFY(TestProxy::WaitFor(
            [&] { return m_proxy->Requests().contains(EncyclopaediaUrls[endedTab]); }));
        QVERIFY(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            const QList<const AccessibleNode *> tabs = Tabs(reading);
            return tabs.size() == 5 && !ended(tabs[endedTab])
                   && !reading.Find(QStringLiteral("push button"), QStringLiteral("重新加载(R)"));
        }));
        QCOMPARE(m_proxy->Requests().size(), 1);

        // And the next query opens its pages as always.
        QVERIFY(program->Click(QueryBox()));
        EnterTerm(program->Session, QStringLiteral("owl"));
        QVERIFY(TestProxy::WaitFor([&] { return ResultRequests(*m_proxy).size() >= 6; }));
        CloseByAltF4(program->Session, program->Run);
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<DesktopCitizenTest>(argc, argv);
}

#include "DesktopCitizen_test.moc"
