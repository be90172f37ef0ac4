// Reading the answers, with the built program driven through the X server and read through its
// accessibility tree, the screen's pixels and its settings file: the reader view, the term marked
// and counted, find across all pages and each reference work's own zoom.

#include "tests/support/RealInputProgram.h"

#include <QTest>

using namespace tellaria::test;

namespace {

const QColor PageBackground(0xd0, 0xe8, 0xff);
const QColor ReaderBackground(0xfb, 0xfa, 0xf6);
const QColor MarkColour(0xff, 0xdd, 0x00);
// A block of 100 by 40 CSS pixels at the article page's top left: its width on the screen is
// the page's zoom.
const QColor BlockColour(0x7b, 0x1f, 0xa2);

// An encyclopaedia's article as such sites lay it out: a header with navigation, a side bar, the
// article (the term "cat" four times, "tiger" twice) and a footer. No other word holds "cat".
const QByteArray ArticlePage
    = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Felis - 百科</title><style>"
      "body{margin:0;background:#d0e8ff;font:16px sans-serif}"
      "#block{width:100px;height:40px;background:#7b1fa2}</style></head><body>"
      "<div id=\"block\"></div>"
      "<header><nav><a href=\"/a\">导航首页</a> <a href=\"/b\">导航分类</a> "
      "<a href=\"/c\">导航帮助</a></nav></header>"
      "<aside><ul><li><a href=\"/d\">侧栏链接一</a></li><li><a href=\"/e\">侧栏链接二</a></li>"
      "</ul></aside><main><article><h1>Felis</h1>"
      "<p>The cat is a small furry mammal that people have kept in their homes for thousands of "
      "years. It hunts mice and birds, sleeps for much of the day, and is valued for its company "
      "and for keeping stores free of pests.</p>"
      "<p>A tiger is a much larger relative. Both share sharp claws, keen hearing and eyes that "
      "see well in dim light, which helps them hunt at dusk and dawn when their prey is about.</p>"
      "<p>Every Cat grooms itself with a rough tongue. The tiger does the same, and a young cat "
      "learns to do it from its mother in the first weeks of its life, long before it can hunt on "
      "its own.</p><p>In many languages the word for cat is old; the animal itself has lived "
      "beside farmers since grain was first stored in villages, ten thousand years ago.</p>"
      "</article></main><footer>页脚版权信息 · 联系我们</footer></body></html>";
// Words of the article between two of the term's marks, which split the text around them.
const QStringList ArticleWords{"is a small furry mammal"};
const QStringList AroundWords{"导航首页", "侧栏链接一", "页脚版权信息"};

// A page with nothing to read: links and a search field.
const QByteArray LinksPage
    = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>搜索</title></head>"
      "<body><ul><li><a href=\"/x\">首页</a></li><li><a href=\"/y\">登录</a></li></ul>"
      "<form><input name=\"q\"></form></body></html>";

QByteArray ShortPage(const QByteArray &words)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>short</title></head>"
           "<body><p>"
           + words + "</p></body></html>";
}

// The encyclopaedias' pages: the article, the page with no article, one "tiger", two plain.
const QList<std::pair<QString, QByteArray>> Sites{
    {"http://zh.wikipedia.org/", ArticlePage},
    {"http://baike.baidu.com/", LinksPage},
    {"http://www.baike.com/", ShortPage("Only one tiger lives here.")},
    {"http://www.britannica.com/", ShortPage("Nothing to see.")},
    {"http://www.infoplease.com/", ShortPage("Nothing here either.")}};

// What a screen reader reads of the page of the current tab.
QStringList CurrentPageText(const Program &program)
{
    const auto page = program.Tree.WaitFor([](const AccessibleReading &reading) {
        return reading.Find([&](const AccessibleNode &node) {
            return node.Role == QLatin1String("web document") && !node.Extents.isEmpty()
                   && reading.Parent(node) && SiteNames.contains(reading.Parent(node)->Name);
        });
    });
    return page ? program.Tree.PageText(*page) : QStringList();
}

bool ReadsAll(const QStringList &text, const QStringList &words)
{
    const QString joined = text.join(QLatin1Char('\n'));
    return std::all_of(words.begin(), words.end(),
                       [&](const QString &w) { return joined.contains(w); });
}

bool ReadsNone(const QStringList &text, const QStringList &words)
{
    const QString joined = text.join(QLatin1Char('\n'));
    return std::none_of(words.begin(), words.end(),
                        [&](const QString &w) { return joined.contains(w); });
}

// The description of result tab `index`: its tooltip, with what the reading aids found.
QString TabDescription(const AccessibleReading &reading, int index)
{
    const QList<const AccessibleNode *> tabs = Tabs(reading);
    return index < tabs.size() ? tabs[index]->Description : QString();
}

// The width on the screen of the article page's block: its zoom; 0 when it does not show.
int BlockWidth(const QImage &shot)
{
    int widest = 0;
    for (int y = 0; y < shot.height(); y += 4) {
        int run = 0;
        for (int x = 0; x < shot.width(); ++x) {
            run = shot.pixelColor(x, y) == BlockColour ? run + 1 : 0;
            widest = std::max(widest, run);
        }
    }
    return widest;
}

} // namespace

class ReadingTest : public ProgramTest
{
    Q_OBJECT

private:
    std::unique_ptr<Program> Launch(const QByteArray &settings)
    {
        auto program = std::make_unique<Program>(TELLARIA_PROGRAM);
        if (!program->Ready)
            return nullptr;
        program->Run.WriteFile("Lexivanedr.ini", settings);
        return program->Start() ? std::move(program) : nullptr;
    }

    // Enters "cat" in the query box and waits for the five pages' requests.
    bool QueryCat(const Program &program)
    {
        m_proxy->ClearRequests();
        if (!QueryBoxHasTheKeys(program))
            return false;
        EnterTerm(program.Session, QStringLiteral("cat"));
        return WaitForResultRequests(*m_proxy, 5);
    }

    static bool ScreenShows(const Program &program, const QColor &colour)
    {
        return TestProxy::WaitFor([&] { return Shows(ClientShot(program), colour); });
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        for (const auto &[site, page] : Sites)
            m_proxy->SetPage(site, page);
    }

    // F9 shows every page as its article and back, with no new request; kept over a restart.
    void theReaderViewShowsTheArticleAlone()
    {
        auto program = Launch(Settings(0));
        QVERIFY(program);
        QVERIFY(QueryCat(*program));
        QVERIFY(
            TestProxy::WaitFor([&] { return ReadsAll(CurrentPageText(*program), AroundWords); }));
        QVERIFY(ScreenShows(*program, PageBackground));
        const QStringList asked = m_proxy->Requests();

        program->Session.Key("F9");
        QVERIFY(ScreenShows(*program, ReaderBackground));
        QVERIFY(TestProxy::WaitFor([&] {
            const QStringList text = CurrentPageText(*program);
            return ReadsAll(text, ArticleWords) && ReadsNone(text, AroundWords);
        }));
        // The page with no article stays as it was, and its tab says so.
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return TabDescription(reading, 1).contains(QStringLiteral("此页没有可提取的正文"));
        }));
        // And the page itself, for a moment from when it is shown.
        program->Session.Key("ctrl+Tab");
        QVERIFY(TestProxy::WaitFor([&] {
            return ReadsAll(CurrentPageText(*program), {QStringLiteral("此页没有可提取的正文")});
        }));
        program->Session.Key("ctrl+shift+Tab");

        program->Session.Key("F9");
        QVERIFY(
            TestProxy::WaitFor([&] { return ReadsAll(CurrentPageText(*program), AroundWords); }));
        QVERIFY(ScreenShows(*program, PageBackground));
        QCOMPARE(m_proxy->Requests(), asked);

        // On again, by the menu's mnemonics, and kept.
        program->Session.Key("alt+v");
        program->Session.Key("m");
        QVERIFY(
            TestProxy::WaitFor([&] { return ReadsNone(CurrentPageText(*program), AroundWords); }));
        CloseByAltF4(program->Session, program->Run);
        const QByteArray settings = program->Run.ReadFile("Lexivanedr.ini");
        QVERIFY2(settings.contains("[View]\r\nReader=1\r\n"), settings.constData());
        QVERIFY(program->Start());
        QVERIFY(QueryCat(*program));
        QVERIFY(TestProxy::WaitFor([&] {
            const QStringList text = CurrentPageText(*program);
            return ReadsAll(text, ArticleWords) && ReadsNone(text, AroundWords);
        }));
        CloseByAltF4(program->Session, program->Run);
    }

    // The term marked in the page and counted on its tab, in tabs and side by side; a user who
    // changes nothing keeps a settings file without the new keys.
    void theTermIsMarkedAndCounted_data()
    {
        QTest::addColumn<QByteArray>("settings");
        // The tab's count is drawn on the tab bar, which offers a screen reader only its tabs.
        QTest::addColumn<bool>("countLabelled");
        QTest::newRow("tabs") << Settings(0) << false;
        QTest::newRow("side by side") << Settings(0) + "[View]\r\nSideBySide=1\r\n" << true;
    }
    void theTermIsMarkedAndCounted()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, countLabelled);
        auto program = Launch(settings);
        QVERIFY(program);
        QVERIFY(QueryCat(*program));
        QVERIFY(ScreenShows(*program, MarkColour));
        // The count beside the caption, and in what a screen reader hears of the page's tab or
        // column.
        QVERIFY2(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            return (!countLabelled || reading.Find(QStringLiteral("label"), QStringLiteral("4")))
                   && reading.Find([](const AccessibleNode &node) {
                          return node.Description.contains(QStringLiteral("查询词出现 4 次"));
                      });
        }),
                 qPrintable(program->Tree.Read().Describe()));
        CloseByAltF4(program->Session, program->Run);
        const QByteArray saved = program->Run.ReadFile("Lexivanedr.ini");
        for (const char *key : {"Reader", "Highlight", "[Zoom]"})
            QVERIFY2(!saved.contains(key), saved.constData());
    }

    // A term far down a page: the page comes scrolled to its first mark.
    void thePageScrollsToTheFirstMark()
    {
        m_proxy->SetPage("http://dict.bing.com.cn/",
                         "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>tall</title>"
                         "</head><body><div style=\"height:3000px\"></div><p>a cat here</p>"
                         "</body></html>");
        auto program = Launch(Settings(3));
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(program->Session, QStringLiteral("cat"));
        QVERIFY(ScreenShows(*program, MarkColour));
        CloseByAltF4(program->Session, program->Run);
    }

    // Ctrl+F, a word on two pages, F3 through its matches: page after page, round to the first.
    void findGoesThroughEveryPage()
    {
        auto program = Launch(Settings(0));
        QVERIFY(program);
        QVERIFY(QueryCat(*program));
        const XSession &session = program->Session;
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return TabDescription(reading, 2).contains(QStringLiteral("查询词出现"));
        }));
        session.Key("ctrl+f");
        // The field holds the term, selected: typing replaces it.
        session.Type("tiger");
        const auto says = [&](const QString &status, int tab) {
            return program->Tree.WaitUntil([&](const AccessibleReading &reading) {
                return reading.Find(QStringLiteral("label"), status) && SelectedTab(reading) == tab;
            });
        };
        QVERIFY2(says(QStringLiteral("第 1 处，共 3 处，在 2 页中"), 0),
                 qPrintable(program->Tree.Read().Describe()));
        const struct
        {
            const char *key;
            const char *status;
            int tab;
        } steps[] = {{"F3", "第 2 处，共 3 处，在 2 页中", 0},
                     {"Return", "第 3 处，共 3 处，在 2 页中", 2},
                     {"F3", "第 1 处，共 3 处，在 2 页中", 0},
                     {"shift+F3", "第 3 处，共 3 处，在 2 页中", 2}};
        for (const auto &step : steps) {
            session.Key(QString::fromLatin1(step.key));
            QVERIFY2(says(QString::fromUtf8(step.status), step.tab), step.key);
        }
        // Each tab shows its page's count meanwhile.
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return TabDescription(reading, 0).contains(QStringLiteral("找到 2 处"))
                   && TabDescription(reading, 2).contains(QStringLiteral("找到 1 处"));
        }));
        // Esc closes the bar; the keys go where they went before, the query box.
        session.Key("Escape");
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return !reading.Find(QStringLiteral("label"),
                                 QStringLiteral("第 3 处，共 3 处，在 2 页中"));
        }));
        m_proxy->ClearRequests();
        EnterTerm(session, QStringLiteral("owl"));
        QVERIFY(WaitForResultRequests(*m_proxy, 5));
        CloseByAltF4(session, program->Run);
    }

    // Ctrl+= three times on one site's page: its next page opens at that zoom, the others'
    // at theirs; one key more in the file, and kept over a restart.
    void zoomIsKeptPerReferenceWork()
    {
        const QByteArray settings = Settings(0);
        auto program = Launch(settings);
        QVERIFY(program);
        QVERIFY(QueryCat(*program));
        QVERIFY(TestProxy::WaitFor([&] { return BlockWidth(ClientShot(*program)) == 100; }));
        for (int step = 0; step < 3; ++step)
            program->Session.Key("ctrl+equal");
        QVERIFY(TestProxy::WaitFor([&] { return BlockWidth(ClientShot(*program)) == 150; }));
        QVERIFY(QueryCat(*program));
        QVERIFY(TestProxy::WaitFor([&] { return BlockWidth(ClientShot(*program)) == 150; }));
        CloseByAltF4(program->Session, program->Run);
        QByteArray saved = program->Run.ReadFile("Lexivanedr.ini");
        QVERIFY2(saved.endsWith("[Zoom]\r\nzh.wikipedia.org=150\r\n"), saved.constData());
        QVERIFY(program->Start());
        QVERIFY(QueryCat(*program));
        QVERIFY(TestProxy::WaitFor([&] { return BlockWidth(ClientShot(*program)) == 150; }));
        // Ctrl+0 brings it back; the wheel with Ctrl held zooms a step, in the same steps.
        program->Session.Key("ctrl+0");
        QVERIFY(TestProxy::WaitFor([&] { return BlockWidth(ClientShot(*program)) == 100; }));
        const QRect client = program->Run.ClientGeometry();
        program->Session.XDoTool({"mousemove", QString::number(client.center().x()),
                                  QString::number(client.center().y()), "keydown", "ctrl", "click",
                                  "4", "keyup", "ctrl"});
        QVERIFY(TestProxy::WaitFor([&] { return BlockWidth(ClientShot(*program)) == 110; }));
        program->Session.Key("ctrl+0");
        QVERIFY(TestProxy::WaitFor([&] { return BlockWidth(ClientShot(*program)) == 100; }));
        CloseByAltF4(program->Session, program->Run);
        QVERIFY(program->Run.ReadFile("Lexivanedr.ini").contains("zh.wikipedia.org=100\r\n"));
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<ReadingTest>(argc, argv);
}

#include "Reading_test.moc"
