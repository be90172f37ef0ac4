// The window's layouts, with the built program driven through the X server and read through its
// accessibility tree and the screen's pixels: the result pages side by side, the query panel at
// the widths users have, no label cut off, the focus when the toolbar comes back, and the
// choices kept in the settings file.

#include "tests/support/RealInputProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace tellaria::test;

namespace {

// Each encyclopaedia's page in a colour of its own, titled by its row, with words of its own.
const QList<QColor> PageColours{QColor(0x8b, 0x45, 0x13), QColor(0x1e, 0x90, 0xff),
                                QColor(0x22, 0x8b, 0x22), QColor(0xdc, 0x14, 0x3c),
                                QColor(0x99, 0x32, 0xcc)};
const QStringList SiteHosts{"http://zh.wikipedia.org/", "http://baike.baidu.com/",
                            "http://www.baike.com/", "http://www.britannica.com/",
                            "http://www.infoplease.com/"};

QByteArray SitePage(int row)
{
    return "<!DOCTYPE html><html><head><title>site" + QByteArray::number(row)
           + "</title><style>html,body{margin:0;height:100%;background:"
           + PageColours[row].name().toLatin1() + "}</style></head><body>words of site "
           + QByteArray::number(row) + "</body></html>";
}

// A window as wide as the screen: wide enough for five columns.
const QByteArray WideWindow = "[Form]\r\nwidth=1280\r\nHeight=700\r\n";

// Starts the program with `settings`; with `font`, the user's font settings make it the
// family the desktop's sans-serif text is drawn in.
std::unique_ptr<Program> Launch(const QByteArray &settings, const QString &font = {})
{
    auto program = std::make_unique<Program>(TELLARIA_PROGRAM);
    if (!program->Ready)
        return nullptr;
    program->Run.WriteFile("Lexivanedr.ini", settings);
    if (!font.isEmpty()) {
        const QString folder
            = program->Session.Environment().value(QStringLiteral("XDG_CONFIG_HOME"))
              + QStringLiteral("/fontconfig");
        QFile conf(folder + QStringLiteral("/fonts.conf"));
        if (!QDir().mkpath(folder) || !conf.open(QIODevice::WriteOnly))
            return nullptr;
        conf.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                   "<fontconfig><alias binding=\"strong\"><family>sans-serif</family><prefer>"
                   "<family>"
                   + font.toUtf8() + "</family></prefer></alias></fontconfig>\n");
    }
    return program->Start() ? std::move(program) : nullptr;
}

// The result pages' browsers on the screen, left to right: each holds its page's document and
// is named by the page's caption.
QList<AccessibleNode> Pages(const AccessibleReading &reading)
{
    QList<AccessibleNode> pages;
    for (const AccessibleNode &node : reading.Nodes) {
        if (node.Role != QLatin1String("web document"))
            continue;
        const AccessibleNode *browser = reading.Parent(node);
        if (browser && SiteNames.contains(browser->Name) && !browser->Extents.isEmpty())
            pages << *browser;
    }
    std::sort(pages.begin(), pages.end(), [](const AccessibleNode &a, const AccessibleNode &b) {
        return a.Extents.left() < b.Extents.left();
    });
    return pages;
}

// The columns of `image` that hold ink (text): pixels far from the background, which is the
// colour of its first pixel; as a first and last column, -1 when none does.
std::pair<int, int> InkColumns(const QImage &image)
{
    const int background = image.pixelColor(0, 0).lightness();
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (std::abs(image.pixelColor(x, y).lightness() - background) > 90) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

} // namespace

class LayoutsTest : public ProgramTest
{
    Q_OBJECT

private:
    QTemporaryDir m_output;

    bool QueryCat(const Program &program)
    {
        if (!QueryBoxHasTheKeys(program))
            return false;
        EnterTerm(program.Session, QStringLiteral("cat"));
        return WaitForResultRequests(*m_proxy, 5);
    }

    static bool AllPagesShow(const Program &program)
    {
        const bool read = program.Tree.WaitUntil(
            [](const AccessibleReading &reading) { return Pages(reading).size() == 5; });
        return read && TestProxy::WaitFor([&] {
                   const QImage shot = ClientShot(program);
                   return std::all_of(PageColours.begin(), PageColours.end(),
                                      [&](const QColor &colour) { return Shows(shot, colour); });
               });
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        for (int row = 0; row < SiteHosts.size(); ++row)
            m_proxy->SetPage(SiteHosts[row], SitePage(row));
    }

    void init() { m_proxy->ClearRequests(); }

    // View, 并排显示, chosen by its mnemonic or by the pointer: every page shows at once.
    void everyPageShowsAtOnceSideBySide_data()
    {
        QTest::addColumn<bool>("byPointer");
        QTest::newRow("by the mnemonics") << false;
        QTest::newRow("by the pointer") << true;
    }
    void everyPageShowsAtOnceSideBySide()
    {
        QFETCH(bool, byPointer);
        const auto program = Launch(WideWindow + Settings(0));
        QVERIFY(program);
        QVERIFY(QueryCat(*program));
        QVERIFY(program->Tree.WaitUntil(
            [](const AccessibleReading &reading) { return Pages(reading).size() == 1; }));
        if (byPointer) {
            QVERIFY(program->Click(Menu("查看(V)")));
            QVERIFY(program->Click(Menu("并排显示(S)")));
        } else {
            program->Session.Key(QStringLiteral("alt+v"));
            program->Session.Key(QStringLiteral("s"));
        }
        QVERIFY(AllPagesShow(*program));
        // And back to tabs: one page again.
        program->Session.Key(QStringLiteral("alt+v"));
        program->Session.Key(QStringLiteral("s"));
        QVERIFY(program->Tree.WaitUntil(
            [](const AccessibleReading &reading) { return Pages(reading).size() == 1; }));
        CloseByAltF4(program->Session, program->Run);
    }

    // A splitter dragged widens its column, and its width is kept over a restart; a column
    // clicked becomes the current page, which File, 保存 saves and Ctrl+W closes.
    void aColumnIsResizedMadeCurrentSavedAndClosed()
    {
        const auto program = Launch(WideWindow + "[View]\r\nSideBySide=1\r\n" + Settings(0));
        QVERIFY(program);
        QVERIFY(QueryCat(*program));
        QVERIFY(AllPagesShow(*program));
        const QList<AccessibleNode> before = Pages(program->Tree.Read());
        const QRect first = before[0].Extents;
        const QPoint handle(first.right() + 2, first.center().y());
        program->Session.Drag(handle, {handle + QPoint(40, 0), handle + QPoint(80, 0)});
        QVERIFY(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            const QList<AccessibleNode> pages = Pages(reading);
            return pages.size() == 5 && pages[0].Extents.width() > first.width() + 40;
        }));

        const AccessibleNode third = Pages(program->Tree.Read())[2];
        program->Session.Click(third.Extents.center());
        const QString saved = m_output.filePath(QStringLiteral("column.html"));
        program->Session.Key(QStringLiteral("alt+f"));
        program->Session.Key(QStringLiteral("s"));
        QVERIFY(!program->Session.WaitForWindow(QStringLiteral("^保存网页$")).isEmpty());
        QVERIFY(WaitUntilActive(program->Session,
                                program->Session.WaitForWindow(QStringLiteral("^保存网页$"))));
        program->Session.Key(QStringLiteral("ctrl+a"));
        program->Session.Type(saved);
        // Past the name field's completion list, Return is the dialog's.
        program->Session.Key(QStringLiteral("Tab"));
        program->Session.Key(QStringLiteral("Return"));
        QVERIFY(TestProxy::WaitFor([&] {
            QFile file(saved);
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("words of site 2");
        }));

        QVERIFY(WaitUntilActive(program->Session, program->Run.MainWindow()));
        program->Session.Key(QStringLiteral("ctrl+w"));
        QVERIFY(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            const QList<AccessibleNode> pages = Pages(reading);
            return pages.size() == 4
                   && std::none_of(pages.begin(), pages.end(), [](const AccessibleNode &page) {
                          return page.Name == SiteNames[2];
                      });
        }));
        CloseByAltF4(program->Session, program->Run);

        // The widths the drag gave are kept as shares of the row, and come back after a restart.
        const QByteArray settings = program->Run.ReadFile("Lexivanedr.ini");
        QVERIFY2(settings.contains("[Columns]\r\nCount=5\r\nWidth1="), settings.constData());
        QVERIFY(program->Start());
        m_proxy->ClearRequests();
        QVERIFY(QueryCat(*program));
        QVERIFY(AllPagesShow(*program));
        QVERIFY2(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            const QList<AccessibleNode> pages = Pages(reading);
            return pages.size() == 5 && pages[0].Extents.width() > first.width() + 40
                   && pages[1].Extents.width() < pages[0].Extents.width() - 40;
        }),
                 qPrintable([&] {
                     QString widths = QString::number(first.width()) + QLatin1Char(':');
                     for (const AccessibleNode &page : Pages(program->Tree.Read()))
                         widths += QLatin1Char(' ') + QString::number(page.Extents.width());
                     return widths;
                 }()));
        CloseByAltF4(program->Session, program->Run);
    }

    // The choice survives a restart; the settings file gains the one key and keeps the rest.
    void theLayoutIsKeptInTheSettingsFile()
    {
        const QByteArray mine = "; mine\r\n[Other]\r\nKey=1\r\n";
        const auto program = Launch(WideWindow + Settings(0) + mine);
        QVERIFY(program);
        program->Session.Key(QStringLiteral("alt+v"));
        program->Session.Key(QStringLiteral("s"));
        // The menu has closed, and so let go of the keyboard the window manager's close key needs.
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return !reading.Find(QStringLiteral("menu item"), QStringLiteral("并排显示(S)"));
        }));
        CloseByAltF4(program->Session, program->Run);
        const QByteArray saved = program->Run.ReadFile("Lexivanedr.ini");
        QVERIFY2(saved.startsWith("[Form]\r\nwidth=1280\r\nHeight=700\r\n" + Settings(0) + mine),
                 saved.constData());
        QVERIFY2(saved.endsWith("[View]\r\nSideBySide=1\r\n"), saved.constData());

        QVERIFY(program->Start());
        QVERIFY(QueryCat(*program));
        QVERIFY(AllPagesShow(*program));
        CloseByAltF4(program->Session, program->Run);
    }

    // At the widths users have, the mode selector, the query box and the query button are on
    // the screen, whole and in that order, and a click into the box and Enter query.
    void thePanelIsWholeAtEveryWidth_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("480 px") << 480;
        QTest::newRow("600 px") << 600;
        QTest::newRow("729 px") << 729;
        QTest::newRow("1200 px") << 1200;
    }
    void thePanelIsWholeAtEveryWidth()
    {
        QFETCH(int, width);
        const auto program = Launch("[Form]\r\nwidth=" + QByteArray::number(width)
                                    + "\r\nHeight=500\r\n" + Settings(3));
        QVERIFY(program);
        const QRect client = program->Run.ClientGeometry();
        QVERIFY(client.width() <= std::max(width, 600));
        QVERIFY(width < 729 || client.width() == width);
        const std::optional<QRect> selector
            = program->Area(ModeSelector(QStringLiteral("微软Bing智能英汉词典")));
        const std::optional<QRect> box = program->Area(QueryBox());
        const std::optional<QRect> button = program->Area(QueryButton());
        QVERIFY(selector && box && button);
        for (const QRect &area : {*selector, *box, *button})
            QVERIFY2(client.contains(area), qPrintable(program->Tree.Read().Describe()));
        // Room to type: the query box keeps its design width up to the design width of the
        // window, and takes what the window has beyond it.
        QCOMPARE(box->width(), 128 + std::max(0, client.width() - 729));
        QVERIFY2(selector->right() < box->left() && box->right() < button->left(),
                 qPrintable(QStringLiteral("%1 %2 %3")
                                .arg(selector->right())
                                .arg(box->left())
                                .arg(button->left())));
        QVERIFY(program->Click(QueryBox()));
        program->Session.Type(QStringLiteral("owl"));
        program->Session.Key(QStringLiteral("Return"));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        QCOMPARE(ResultRequests(*m_proxy),
                 QStringList{QStringLiteral("http://dict.bing.com.cn/?FORM=CHOT20&q=owl")});
        CloseByAltF4(program->Session, program->Run);
    }

    // The mode selector shows its longest label whole: as wide in the box as in its own list,
    // in each of the fonts the package recommends.
    void theLongestModeIsNotCutOff_data()
    {
        QTest::addColumn<QString>("font");
        QTest::newRow("Noto Sans CJK") << "Noto Sans CJK SC";
        QTest::newRow("WenQuanYi Micro Hei") << "WenQuanYi Micro Hei";
    }
    void theLongestModeIsNotCutOff()
    {
        QFETCH(QString, font);
        QProcess match;
        match.start(QStringLiteral("fc-match"),
                    {QStringLiteral("-f"), QStringLiteral("%{family}"), font});
        QVERIFY(match.waitForFinished());
        if (!QString::fromUtf8(match.readAllStandardOutput()).contains(font))
            QSKIP(qPrintable(font + QStringLiteral(" is not installed")));
        const auto program = Launch(Settings(3), font);
        QVERIFY(program);
        const QString longest = QStringLiteral("微软Bing智能英汉词典");
        const std::optional<QRect> closed = program->Area(ModeSelector(longest));
        QVERIFY(closed);
        // The drop-down arrow is not text: only the part left of it counts.
        const QImage shown
            = program->Session.Screenshot().copy(closed->adjusted(0, 2, -closed->height(), -2));
        const auto [shownFirst, shownLast] = InkColumns(shown);
        QVERIFY(shownFirst >= 0);
        QVERIFY(program->Click(ModeSelector(longest)));
        const std::optional<QRect> item = program->Area(ListItem(longest));
        QVERIFY(item);
        // The item as wide as the box: the tree gives the list's items a wider area than the list.
        const QRect itemText(item->left(), item->top() + 2, closed->width() - closed->height(),
                             item->height() - 4);
        const auto [listFirst, listLast] = InkColumns(program->Session.Screenshot().copy(itemText));
        QVERIFY(listFirst >= 0);
        QVERIFY2(std::abs((shownLast - shownFirst) - (listLast - listFirst)) <= 2,
                 qPrintable(QStringLiteral("shown %1, in the list %2")
                                .arg(shownLast - shownFirst)
                                .arg(listLast - listFirst)));
        program->Session.Key(QStringLiteral("Escape"));
        QVERIFY(program->Tree.WaitUntil([&](const AccessibleReading &reading) {
            return !reading.Find(QStringLiteral("list item"), longest);
        }));
        CloseByAltF4(program->Session, program->Run);
    }

    // The standard buttons hidden and shown again from the View menu: what is typed goes to
    // the query box.
    void typingAfterTheToolbarComesBackGoesToTheQueryBox()
    {
        const auto program = Launch(Settings(3));
        QVERIFY(program);
        QVERIFY(QueryBoxHasTheKeys(*program));
        // Each time once the last has taken: the box gone, then back.
        for (const bool shown : {false, true}) {
            program->Session.Key(QStringLiteral("alt+v"));
            program->Session.Key(QStringLiteral("t"));
            QVERIFY(program->Tree.WaitUntil([shown](const AccessibleReading &reading) {
                return (FindQueryBox(reading) != nullptr) == shown;
            }));
        }
        QVERIFY(QueryBoxHasTheKeys(*program));
        program->Session.Type(QStringLiteral("elk"));
        program->Session.Key(QStringLiteral("Return"));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        QCOMPARE(ResultRequests(*m_proxy),
                 QStringList{QStringLiteral("http://dict.bing.com.cn/?FORM=CHOT20&q=elk")});
        CloseByAltF4(program->Session, program->Run);
    }

    // The sites a user unticks stay unticked at the next start; the settings file gains the
    // one key.
    void tickedSitesAreKeptOverARestart()
    {
        const auto program = Launch(Settings(0));
        QVERIFY(program);
        QVERIFY(program->Click(CheckBox(1)));
        QVERIFY(program->Click(CheckBox(3)));
        const auto ticked = [](const AccessibleReading &reading) {
            QList<bool> rows;
            for (const QString &site : SiteNames) {
                const AccessibleNode *item = reading.Find(QStringLiteral("list item"), site);
                rows << (item && item->Checked());
            }
            return rows;
        };
        const QList<bool> expected{true, false, true, false, true};
        QVERIFY(program->Tree.WaitUntil(
            [&](const AccessibleReading &reading) { return ticked(reading) == expected; }));
        CloseByAltF4(program->Session, program->Run);
        const QByteArray saved = program->Run.ReadFile("Lexivanedr.ini");
        QVERIFY2(saved.startsWith("[Dictionary]\r\nID=0\r\nSites=21\r\n[Form]\r\n"),
                 saved.constData());

        QVERIFY(program->Start());
        QVERIFY(program->Tree.WaitUntil(
            [&](const AccessibleReading &reading) { return ticked(reading) == expected; }));
        CloseByAltF4(program->Session, program->Run);
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<LayoutsTest>(argc, argv);
}

#include "Layouts_test.moc"
