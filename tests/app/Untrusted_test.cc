// What comes from outside can harm nothing, with the built program driven through the X server:
// a page's link to another program's scheme clicked with the pointer, several lines pasted into
// the query box from a real clipboard, a term that would move a site's host, a term whose
// characters would end its part of an address, and the program killed right after its queries.

#include "tests/support/RealInputProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/types.h>

using namespace tellaria::test;

namespace {

// A page that is one big link, so a click anywhere on it follows the link.
QByteArray LinkPage(const QByteArray &href)
{
    return "<!DOCTYPE html><html><head><title>link</title></head><body style=\"margin:0\">"
           "<a href=\""
           + href
           + "\" style=\"position:fixed;left:0;top:0;right:0;bottom:0;display:block;"
             "font-size:40px\">outside link</a></body></html>";
}

// What the status bar's hint panel says, as a screen reader reads it.
QString Hint(const AccessibleReading &reading)
{
    const AccessibleNode *panel = reading.Find(QStringLiteral("label"), QStringLiteral("提示"));
    return panel ? panel->Description : QString();
}

// Whether the page titled `title` comes to read `text` to a screen reader.
bool PageSays(const Program &program, const QString &title, const QString &text)
{
    return TestProxy::WaitFor([&] {
        const AccessibleReading reading = program.Tree.Read();
        const AccessibleNode *page = reading.Find([&](const AccessibleNode &node) {
            return node.Role == QLatin1String("web document") && !node.Extents.isEmpty()
                   && reading.Parent(node) && reading.Parent(node)->Name == title;
        });
        return page && program.Tree.PageText(*page).join(QLatin1Char('\n')).contains(text);
    });
}

} // namespace

class UntrustedTest : public ProgramTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        // Whatever the desktop would start for a link, it would be through xdg-open: this one
        // only notes that it was asked.
        QVERIFY(m_bin.isValid());
        QFile opener(m_bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\necho \"$@\" >> \"$(dirname \"$0\")/opened\"\n");
        opener.close();
        opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner);
        qputenv("PATH", m_bin.path().toLocal8Bit() + ':' + qgetenv("PATH"));
    }

    void init() { m_proxy->ClearRequests(); }

    // Each link is clicked with the pointer; the status bar says what was refused, and no
    // program was asked to open it.
    void aPageStartsNoOtherProgram_data()
    {
        QTest::addColumn<QByteArray>("href");
        QTest::addColumn<QString>("said");
        QTest::newRow("ssh") << QByteArray("ssh://evil.test/x") << QStringLiteral("ssh:");
        QTest::newRow("smb") << QByteArray("smb://evil.test/share") << QStringLiteral("smb:");
        QTest::newRow("mailto") << QByteArray("mailto:a@evil.test") << QStringLiteral("mailto:");
    }

    void aPageStartsNoOtherProgram()
    {
        QFETCH(QByteArray, href);
        QFETCH(QString, said);
        QFile::remove(m_bin.filePath(QStringLiteral("opened")));
        m_proxy->SetPage(QStringLiteral("http://www.iciba.com/"), LinkPage(href));
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 2);
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        QVERIFY(PageSays(*program, QStringLiteral("英汉汉英词典"), QStringLiteral("outside link")));
        QVERIFY(program->Click(PageArea()));
        const QString expected = QStringLiteral("已阻止打开 %1 链接").arg(said);
        QVERIFY2(program->Tree.WaitUntil(
                     [&](const AccessibleReading &reading) { return Hint(reading) == expected; }),
                 qPrintable(Hint(program->Tree.Read())));
        QVERIFY(!QFile::exists(m_bin.filePath(QStringLiteral("opened"))));
        m_proxy->SetPage(QStringLiteral("http://www.iciba.com/"), {});
        CloseByAltF4(program->Session, program->Run);
    }

    // Three lines from a real clipboard make one term: the sites and the history get one line.
    void pastedLinesAreOneTerm()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 0);
        QVERIFY(program);
        const XSession &session = program->Session;
        QVERIFY(session.SetClipboardText("one\r\ntwo\nthree"));
        QVERIFY(QueryBoxHasTheKeys(*program));
        session.Key("ctrl+a");
        session.Key("ctrl+v");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(*m_proxy, 5));
        QCOMPARE(ResultRequests(*m_proxy).first(),
                 QStringLiteral("http://zh.wikipedia.org/zh-cn/one%20two%20three"));
        for (const QString &request : ResultRequests(*m_proxy)) {
            QVERIFY2(!request.contains(QLatin1String("%0A"), Qt::CaseInsensitive)
                         && !request.contains(QLatin1String("%0D"), Qt::CaseInsensitive),
                     qPrintable(request));
        }
        // The box shows what was looked up.
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            const AccessibleNode *box = FindQueryBox(reading);
            return box && box->Name == QStringLiteral("one two three");
        }));
        CloseByAltF4(session, program->Run);
        QCOMPARE(program->Run.ReadFile("Lexivander.qry"), QByteArray("one two three\r\n"));
    }

    // Killed as a crash or a power cut would, right after its queries: none is lost.
    void aKilledProgramKeepsItsQueries()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 1, "old\r\n");
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        EnterTerm(program->Session, QStringLiteral("big dog"));
        QVERIFY(WaitForResultRequests(*m_proxy, 2));
        const QByteArray expected = "old\r\ncat\r\nbig dog\r\n";
        QVERIFY2(
            TestProxy::WaitFor([&] { return program->Run.ReadFile("Lexivander.qry") == expected; }),
            program->Run.ReadFile("Lexivander.qry").toHex().constData());
        QVERIFY(::kill(pid_t(program->Run.ProcessId()), SIGKILL) == 0);
        QVERIFY(TestProxy::WaitFor([&] { return !program->Run.Running(); }));
        QCOMPARE(program->Run.ReadFile("Lexivander.qry"), expected);
    }

    // A site whose address ends at its host: the term cannot become its host. A term that would
    // end its part of the address reaches every site whole.
    void aTermStaysInItsPartOfTheAddress()
    {
        auto program = std::make_unique<Program>(TELLARIA_PROGRAM);
        QVERIFY(program->Ready);
        program->Run.WriteFile("Lexivanedr.ini",
                               Settings(0)
                                   + "Sites=7\r\n[Encyclopedias]\r\nCount=3\r\nName1=Own\r\n"
                                     "Url1=http://own.test\r\nName2=Wiki\r\n"
                                     "Url2=http://zh.wikipedia.org/zh-cn/\r\nName3=Baidu\r\n"
                                     "Url3=http://baike.baidu.com/s?pic=1&word=\r\n");
        QVERIFY(program->Start());
        const XSession &session = program->Session;
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(session, QStringLiteral("@evil.test/x"));
        QVERIFY(WaitForResultRequests(*m_proxy, 2));
        QVERIFY(
            PageSays(*program, QStringLiteral("Own"), QStringLiteral("它的网址会指向另一个网站")));
        for (const QString &request : ResultRequests(*m_proxy)) {
            const QString host = QUrl(request).host();
            QVERIFY2(host != QLatin1String("evil.test") && host != QLatin1String("own.test"),
                     qPrintable(request));
        }

        m_proxy->ClearRequests();
        EnterTerm(session, QStringLiteral("C# & C++ 100%"));
        QVERIFY(WaitForResultRequests(*m_proxy, 2));
        QCOMPARE(
            ResultRequests(*m_proxy),
            (QStringList{"http://zh.wikipedia.org/zh-cn/C%23%20&%20C++%20100%25",
                         "http://baike.baidu.com/s?pic=1&word=C%23%20%26%20C%2B%2B%20100%25"}));
        CloseByAltF4(session, program->Run);
    }

    // A site's name pasted with line breaks into the list's name cell is refused with its
    // reason, and the settings file gains no key from it.
    void aNameWithALineBreakIsRefused()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 0);
        QVERIFY(program);
        const XSession &session = program->Session;
        QVERIFY(session.SetClipboardText("x\r\n[Dictionary]\r\nID=3"));
        QVERIFY(QueryBoxHasTheKeys(*program));
        QVERIFY(OpenSiteManager(*program));
        QVERIFY(AddSiteRow(*program));
        session.Key("ctrl+a");
        session.Key("ctrl+v");
        session.Key("Tab");
        session.Key("F2");
        session.Type(QStringLiteral("http://a.example/"));
        session.Key("Return");
        session.Key("Return");
        QVERIFY(WaitForText(*program, QStringLiteral("名称中不能有换行符")));
        session.Key("Return");
        QVERIFY(program->Tree.WaitFor(QStringLiteral("table"), QStringLiteral("百科全书列表")));
        session.Key("Escape");
        QVERIFY(SiteManagerClosed(*program));
        CloseByAltF4(session, program->Run);
        const QByteArray settings = program->Run.ReadFile("Lexivanedr.ini");
        QVERIFY2(settings.contains("ID=0") && !settings.contains("ID=3")
                     && !settings.contains("Encyclopedias"),
                 settings.constData());
    }

private:
    QTemporaryDir m_bin;
};

int main(int argc, char *argv[])
{
    return RunProgramTest<UntrustedTest>(argc, argv);
}

#include "Untrusted_test.moc"
