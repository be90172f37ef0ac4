// The user's own encyclopaedias, with the built program driven through the X server: a site
// added with a template, moved to the top, a shipped one removed, the list kept over a restart
// and restored to the shipped five; an address that cannot be one refused.

#include "tests/support/RealInputProgram.h"

#include <QTest>

using namespace tellaria::test;

namespace {

const QString OwnSite = QStringLiteral("Own Wiki");

// The check list's rows, in order.
QStringList CheckListRows(const AccessibleReading &reading)
{
    QStringList rows;
    const AccessibleNode *list
        = reading.Find(QStringLiteral("list"), QStringLiteral("要查询的百科全书"));
    for (const AccessibleNode *item :
         list ? reading.Children(*list) : QList<const AccessibleNode *>())
        rows << item->Name;
    return rows;
}

} // namespace

class EncyclopaediasTest : public ProgramTest
{
    Q_OBJECT

private:
    // Adds a row and types its name and address into it.
    static bool AddSite(const Program &program, const QString &name, const QString &address)
    {
        const XSession &session = program.Session;
        if (!AddSiteRow(program))
            return false;
        session.Type(name);
        session.Key("Tab");
        session.Key("F2");
        session.Type(address);
        session.Key("Return");
        return true;
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    void init() { m_proxy->ClearRequests(); }

    void anOwnSiteIsQueriedInItsPlaceAndKept()
    {
        auto program = std::make_unique<Program>(TELLARIA_PROGRAM);
        QVERIFY(program->Ready);
        program->Run.WriteFile("Lexivanedr.ini", Settings(0));
        QVERIFY(program->Start());
        const XSession &session = program->Session;
        QVERIFY(QueryBoxHasTheKeys(*program));
        QVERIFY(OpenSiteManager(*program));
        QVERIFY(AddSite(*program, OwnSite, QStringLiteral("http://own.example/w?q={utf8}")));
        // To the top with Alt+Up; then down to 不列颠百科, which Del removes; Enter keeps it.
        for (int step = 0; step < 5; ++step)
            session.Key("alt+Up");
        for (int step = 0; step < 4; ++step)
            session.Key("Down");
        session.Key("Delete");
        session.Key("Return");
        QVERIFY(SiteManagerClosed(*program));
        const QStringList rows{OwnSite, SiteNames[0], SiteNames[1], SiteNames[2], SiteNames[4]};
        QVERIFY2(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            return CheckListRows(reading) == rows;
        }),
                 qPrintable(CheckListRows(program->Tree.Read()).join(QLatin1Char(','))));
        // An added site comes unticked: the user ticks it.
        QVERIFY(program->Click(CheckBoxOf(OwnSite)));
        QVERIFY(program->Click(QueryBox()));
        EnterTerm(session, QStringLiteral("big cat"));
        QVERIFY(WaitForResultRequests(*m_proxy, 5));
        QCOMPARE(ResultRequests(*m_proxy),
                 (QStringList{
                     "http://own.example/w?q=big+cat", "http://zh.wikipedia.org/zh-cn/big%20cat",
                     "http://baike.baidu.com/list-php/dispose/searchword.php/"
                     "?&pic=1&word=big%20cat",
                     "http://www.baike.com/wiki/big%20cat",
                     "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=big%20cat"}));
        QVERIFY(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            QStringList tabs;
            for (const AccessibleNode *tab : Tabs(reading))
                tabs << tab->Name;
            return tabs == rows;
        }));
        CloseByAltF4(session, program->Run);
        const QByteArray saved = program->Run.ReadFile("Lexivanedr.ini");
        QVERIFY2(saved.contains("[Encyclopedias]\r\nCount=5\r\nName1=Own Wiki\r\n"
                                "Url1=http://own.example/w?q={utf8}\r\n"),
                 saved.constData());

        // Kept over a restart, ticked; 恢复默认 brings back the five and the section goes.
        QVERIFY(program->Start());
        QVERIFY(program->Tree.WaitUntil(
            [&](const AccessibleReading &reading) { return CheckListRows(reading) == rows; }));
        QVERIFY(QueryBoxHasTheKeys(*program));
        QVERIFY(OpenSiteManager(*program));
        session.Key("alt+r");
        // The shipped rows are back in the dialog (不列颠百科 among them), then Enter keeps them.
        QVERIFY(program->Tree.WaitFor([](const AccessibleReading &reading) {
            return reading.Find([](const AccessibleNode &node) {
                return node.Role != QLatin1String("list item") && node.Name == SiteNames[3];
            });
        }));
        session.Key("Return");
        QVERIFY(SiteManagerClosed(*program));
        QVERIFY(program->Tree.WaitUntil(
            [](const AccessibleReading &reading) { return CheckListRows(reading) == SiteNames; }));
        CloseByAltF4(session, program->Run);
        QVERIFY(!program->Run.ReadFile("Lexivanedr.ini").contains("Encyclopedias"));
    }

    // A list broken by hand: read as far as it is sound, the rest told once at start, and the
    // file left as it is.
    void aListBrokenByHandIsReadAsFarAsItIsSound()
    {
        auto program = std::make_unique<Program>(TELLARIA_PROGRAM);
        QVERIFY(program->Ready);
        const QByteArray settings = Settings(0)
                                    + "[Encyclopedias]\r\nCount=3\r\nName1=Own Wiki\r\n"
                                      "Url1=http://own.example/{utf8}\r\nName2=Bad\r\n"
                                      "Url2=file:///etc/passwd\r\n";
        program->Run.WriteFile("Lexivanedr.ini", settings);
        QVERIFY(program->Start());
        const auto ok = program->Tree.WaitFor([](const AccessibleReading &reading) {
            const AccessibleNode *told = reading.Find([](const AccessibleNode &node) {
                return node.Name.contains(QStringLiteral("第 2 部百科全书无法使用"));
            });
            return told ? reading.Find(QStringLiteral("push button"), QStringLiteral("确定"))
                        : nullptr;
        });
        QVERIFY(ok);
        QVERIFY(program->Tree.DoAction(*ok));
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return CheckListRows(reading) == QStringList{OwnSite};
        }));
        QVERIFY(QueryBoxHasTheKeys(*program));
        CloseByAltF4(program->Session, program->Run);
        QVERIFY(program->Run.ReadFile("Lexivanedr.ini").contains(settings.mid(Settings(0).size())));
    }

    void anAddressThatCannotBeOneIsRefused()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 0);
        QVERIFY(program);
        const XSession &session = program->Session;
        QVERIFY(QueryBoxHasTheKeys(*program));
        QVERIFY(OpenSiteManager(*program));
        QVERIFY(AddSite(*program, QStringLiteral("Bad"), QStringLiteral("javascript:alert(1)")));
        session.Key("Return");
        // The reason, in a message over the dialog; the dialog stays.
        QVERIFY(WaitForText(*program, QStringLiteral("网址必须以 http:// 或 https:// 开头")));
        session.Key("Return");
        QVERIFY(program->Tree.WaitFor(QStringLiteral("table"), QStringLiteral("百科全书列表")));
        session.Key("Escape");
        QVERIFY(SiteManagerClosed(*program));
        QVERIFY(program->Tree.WaitUntil(
            [](const AccessibleReading &reading) { return CheckListRows(reading) == SiteNames; }));
        CloseByAltF4(session, program->Run);
        QVERIFY(!program->Run.ReadFile("Lexivanedr.ini").contains("Encyclopedias"));
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<EncyclopaediasTest>(argc, argv);
}

#include "Encyclopaedias_test.moc"
