// A desktop program's habits, with the built program driven through the X server: back after
// following a link, a page that never answers stopped and asked again, the menu on a result tab,
// and the query history cleared.

#include "tests/support/RealInputProgram.h"

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
      "background:#c62828}</style></head><body></body></html>";

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
    }

    // A click on the page's link, then Alt+Left: the first page is back.
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
        program->Session.Key("alt+Left");
        QVERIFY(TestProxy::WaitFor([&] {
            const QImage shot = ClientShot(*program);
            return Shows(shot, FirstColour) && !Shows(shot, NextColour);
        }));
        CloseByAltF4(program->Session, program->Run);
    }

    // A site that never answers: Esc in its page stops it, and its tab says so instead of
    // loading on; F5 asks again.
    void escStopsAPageThatNeverAnswers()
    {
        m_proxy->SetPage(BingPage, NextPage);
        m_proxy->SetDelay(BingPage, 600000);
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 3);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        const QString url = ResultRequests(*m_proxy).constFirst();
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return TabDescription(reading, 0).contains(QStringLiteral("正在加载"));
        }));
        // Into the page, then Esc.
        program->Session.Click(program->Run.ClientGeometry().center() + QPoint(0, 60));
        program->Session.Key("Escape");
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            const QString description = TabDescription(reading, 0);
            return description.contains(QStringLiteral("已停止加载"))
                   && !description.contains(QStringLiteral("失败"));
        }));
        m_proxy->SetDelay(BingPage, 0);
        program->Session.Key("F5");
        QVERIFY(TestProxy::WaitFor([&] { return Asked(url) == 2; }));
        QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(*program), NextColour); }));
        CloseByAltF4(program->Session, program->Run);
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
