// The built program as a user runs it on a Wayland desktop: natively, on Qt's Wayland platform,
// as an ordinary user, under sway on a headless output, with keys from wtype and the pointer from
// a virtual pointer. One run goes through what a Wayland session changes: completion and a query
// by keyboard, the toolbar floated by a drag and docked back by a drag between windows, a query
// after that, and the compositor's close, after which the history holds the terms. What is
// checked is what the user and the compositor see: the pages asked for at the test's proxy, the
// compositor's window tree, the controls in the accessibility tree and the screen's pixels.

#include "tests/support/ProgramCopy.h"
#include "tests/support/RealInputProgram.h"
#include "tests/support/TestDirectory.h"
#include "tests/support/WaylandSession.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

using namespace tellaria::test;

namespace {

// One run of the built program on the compositor: a copy in a directory of its own, where it
// keeps its data files.
class WaylandProgram
{
public:
    WaylandProgram(const WaylandSession &session, const QString &executable)
        : m_session(session)
    {
        m_executable = PlaceProgramIn(executable, m_directory.path());
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    ~WaylandProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    void WriteFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(m_directory.filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }

    // The file's bytes, or "<missing>".
    QByteArray ReadFile(const QString &name) const
    {
        QFile file(m_directory.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    bool Start()
    {
        QProcessEnvironment environment = m_session.Environment();
        // As in the other program-run tests the engine runs without its sandbox, which a test
        // machine's container may not allow; the program never switches it off itself.
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        m_process.setProcessEnvironment(environment);
        m_process.start(m_executable);
        return m_process.waitForStarted();
    }

    // Waits for the process to end by itself; true when it ended with status 0.
    bool WaitForExit(int timeoutMs = 20000)
    {
        TestProxy::WaitFor([&] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
        return m_process.state() == QProcess::NotRunning
               && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

private:
    const WaylandSession &m_session;
    QTemporaryDir m_directory;
    QString m_executable;
    QProcess m_process;
};

// The compositor's window that shows the accessible window titled `title`: Qt adds the
// application's name to a window title that lacks it.
const WaylandWindow *ShownAs(const QList<WaylandWindow> &windows, const QString &title)
{
    for (const WaylandWindow &window : windows) {
        if (window.AppId == QLatin1String("tellaria")
            && (window.Title == title || window.Title.startsWith(title + QStringLiteral(" — "))))
            return &window;
    }
    return nullptr;
}

// `reading` with each control placed where the screen shows it. A Wayland client does not know
// where its windows are, so its accessibility tree places each window's controls relative to a
// place of its own choosing; the compositor's tree tells where the window really is. Windows the
// compositor does not show are placed far off the screen.
AccessibleReading OnTheScreen(const AccessibleReading &reading, const QList<WaylandWindow> &windows)
{
    AccessibleReading placed;
    QHash<int, QPoint> offsets; // by the window's index in the reading
    for (int index = 0; index < reading.Nodes.size(); ++index) {
        const AccessibleNode &node = reading.Nodes[index];
        const AccessibleNode *window = reading.Window(node);
        const int windowIndex = window ? int(window - reading.Nodes.data()) : index;
        if (!offsets.contains(windowIndex)) {
            const WaylandWindow *shown = ShownAs(windows, reading.Nodes[windowIndex].Name);
            offsets.insert(windowIndex, shown ? shown->Content.topLeft()
                                                    - reading.Nodes[windowIndex].Extents.topLeft()
                                              : QPoint(-1, -1) * 100000);
        }
        placed.Nodes.append(node);
        placed.Nodes.last().Extents.translate(offsets.value(windowIndex));
    }
    return placed;
}

// The floating toolbar window as the compositor shows it.
bool IsFloatingWindow(const WaylandWindow &window)
{
    return window.AppId == QLatin1String("tellaria")
           && window.Title.startsWith(QLatin1String("frmFloating"));
}

int ProgramWindows(const QList<WaylandWindow> &windows)
{
    return int(std::count_if(windows.begin(), windows.end(), [](const WaylandWindow &window) {
        return window.AppId == QLatin1String("tellaria");
    }));
}

// The program's windows as the compositor shows them, for saying what went wrong.
QString DescribeWindows(const QList<WaylandWindow> &windows)
{
    QStringList shown;
    for (const WaylandWindow &window : windows) {
        if (window.AppId != QLatin1String("tellaria"))
            continue;
        const QRect &area = window.Content;
        shown << QStringLiteral("\"%1\" at %2,%3 %4x%5%6%7")
                     .arg(window.Title)
                     .arg(area.x())
                     .arg(area.y())
                     .arg(area.width())
                     .arg(area.height())
                     .arg(window.Floating ? QStringLiteral(", floating") : QString())
                     .arg(window.Focused ? QStringLiteral(", focused") : QString());
    }
    return shown.join(QStringLiteral(", "));
}

// The united area of the children of the accessible window titled `title`: what the window
// holds.
QRect ContentOf(const AccessibleReading &reading, const QString &title)
{
    QRect content;
    if (const AccessibleNode *window = FindWindow(reading, title)) {
        for (const AccessibleNode *part : reading.Children(*window))
            content |= part->Extents;
    }
    return content;
}

} // namespace

// The steps run in order on one session and one run of the program, each from where the last
// left it: a step that fails leaves the ones after it failing too.
class WaylandTest : public ProgramTest
{
    Q_OBJECT

private:
    // The accessibility tree with every control placed where the compositor shows it.
    AccessibleReading Read() const { return OnTheScreen(m_tree->Read(), m_session->Windows()); }

    // Waits until the reading, placed on the screen, holds.
    bool WaitUntil(const std::function<bool(const AccessibleReading &)> &holds) const
    {
        return TestProxy::WaitFor([&] { return holds(Read()); }, 20000);
    }

    // Waits until the query box shows `text`; says what it shows when it does not.
    bool QueryBoxShows(const QString &text) const
    {
        QString shown;
        const bool shows = m_tree->WaitUntil([&](const AccessibleReading &reading) {
            const AccessibleNode *box = FindQueryBox(reading);
            shown = box ? box->Name : QStringLiteral("<no query box>");
            return shown == text;
        });
        if (!shows)
            qWarning("the query box shows \"%s\", not \"%s\"", qPrintable(shown), qPrintable(text));
        return shows;
    }

    std::unique_ptr<WaylandSession> m_session;
    std::unique_ptr<WaylandProgram> m_program;
    std::unique_ptr<AccessibleTree> m_tree;

private slots:
    void initTestCase()
    {
        const QStringList missing = MissingWaylandPrograms(QStringLiteral(WAYLAND_POINTER))
                                    + MissingWaylandAccessibilityPrograms();
        if (!missing.isEmpty()) {
            m_toolMissing = true;
            QSKIP(qPrintable(missing.join(QStringLiteral(", ")) + QStringLiteral(" missing")));
        }
        m_proxy = new TestProxy(this);
        // The start page under a red band, the answer in a colour of its own: which of them the
        // screen shows tells whether the query's page was painted.
        m_proxy->SetPage("http://www.tellaria.example/",
                         "<html><body style='margin:0'><div style='height:120px;"
                         "background:#ff0000'></div></body></html>");
        m_proxy->SetPage("http://dict.bing.com.cn/",
                         "<html><body style='margin:0;background:#2255aa'>answer</body></html>");
        m_session = std::make_unique<WaylandSession>(QStringLiteral(WAYLAND_POINTER));
        QVERIFY(m_session->Started());
        QVERIFY(m_session->StartAccessibilityBus());
        m_tree = std::make_unique<AccessibleTree>(
            [session = m_session.get()] { return session->AccessibilityBusAddress(); },
            QStringLiteral("tellaria"));
    }

    void cleanupTestCase()
    {
        m_tree.reset();
        m_program.reset();
        m_session.reset();
    }

    void aTypedPrefixIsCompletedFromTheHistoryAndEnterAsksForIt()
    {
        m_program = std::make_unique<WaylandProgram>(*m_session, TELLARIA_PROGRAM);
        m_program->WriteFile("Lexivanedr.ini", Settings(3));
        m_program->WriteFile("Lexivander.qry", "cattle\r\n");
        QVERIFY(m_program->Start());
        // The main window takes a tile of the screen, the keyboard and the query box's focus.
        QVERIFY(m_session->WaitForWindow([](const WaylandWindow &window) {
            return window.AppId == QLatin1String("tellaria") && window.Title == "Tellaria"
                   && !window.Floating && window.Focused;
        }));
        QVERIFY(m_tree->WaitUntil([](const AccessibleReading &reading) {
            const AccessibleNode *box = FindQueryBox(reading);
            return box && box->Focused();
        }));
        m_session->Type("cat");
        QVERIFY(QueryBoxShows("cattle"));
        m_session->Type({}, {"Return"});
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        QCOMPARE(ResultRequests(*m_proxy).first(), "http://dict.bing.com.cn/?FORM=CHOT20&q=cattle");

        // On the screen: the answer over the start page, the query box with its term, and a key
        // typed next drawn as typed.
        const auto window = [&] {
            const QList<WaylandWindow> windows = m_session->Windows();
            const WaylandWindow *shown = ShownAs(windows, QStringLiteral("Tellaria"));
            return shown ? m_session->Screenshot().copy(shown->Content) : QImage();
        };
        QVERIFY2(TestProxy::WaitFor([&] {
                     return ShowsInsteadOf(window(), QColor(0x22, 0x55, 0xaa), QColor(0xff, 0, 0));
                 }),
                 "the answer page is not on the screen");
        const auto box = [&] {
            const AccessibleReading reading = Read();
            const AccessibleNode *node = FindQueryBox(reading);
            // Its designed width, where the term is drawn: the box is wider in a wide window.
            const QRect text = node ? node->Extents : QRect();
            return node ? m_session->Screenshot().copy(
                       text.adjusted(0, 0, std::min(0, 128 - text.width()), 0))
                        : QImage();
        };
        QVERIFY(DrawnWithText(box()));
        // To the end of the completed term, which the keys then extend.
        m_session->Type({}, {"End"});
        QImage before;
        QVERIFY(TestProxy::WaitFor([&] {
            before = box();
            return !before.isNull()
                   && Share(before, [](const QColor &c) { return c.hsvSaturation() > 100; }) == 0;
        }));
        m_session->Type("mmm");
        QVERIFY2(TestProxy::WaitFor([&] { return InkGrows(before, box()); }),
                 "the keys typed are not drawn");
    }

    void draggingTheToolbarOffFloatsItAtTheSizeOfWhatItHolds()
    {
        const AccessibleReading docked = Read();
        const std::optional<QRect> bare = BareToolBar().Area(docked);
        const std::optional<QRect> page = PageArea().Area(docked);
        QVERIFY2(bare && page, qPrintable(docked.Describe()));
        m_session->MovePointer(bare->center());
        m_session->Press();
        m_session->MovePointer(bare->center() + QPoint(0, 40));
        m_session->MovePointer(page->center());
        m_session->Release();

        // Floated over the main window, not given a tile of the screen beside it.
        const auto floating = m_session->WaitForWindow(IsFloatingWindow);
        QVERIFY(floating);
        QVERIFY2(floating->Floating, qPrintable(floating->Title));
        QVERIFY(WaitUntil([](const AccessibleReading &reading) {
            const AccessibleNode *box = FindQueryBox(reading);
            return box && reading.Window(*box)->Name == QLatin1String("frmFloating");
        }));
        const AccessibleReading reading = Read();
        const QRect window = m_session->WaitForWindow(IsFloatingWindow)->Content;
        // Its size is what its caption strip and toolbar take, with its border around them.
        const QRect content = ContentOf(reading, QStringLiteral("frmFloating"));
        QVERIFY2(window.contains(content), qPrintable(reading.Describe()));
        QVERIFY2((window.size() - content.size()).width() <= 8
                     && (window.size() - content.size()).height() <= 8,
                 qPrintable(reading.Describe()));
        // The query box and the query button show in it, none left over to the toolbar's
        // overflow menu.
        for (const Control &control : {QueryBox(), QueryButton()}) {
            const std::optional<QRect> area = control.Area(reading);
            QVERIFY2(area && window.contains(*area),
                     qPrintable(control.Description + "\n" + reading.Describe()));
        }
    }

    void draggingTheFloatingToolbarOverTheBandsDocksItThere()
    {
        const AccessibleReading reading = Read();
        const std::optional<QRect> caption = FloatingCaption().Area(reading);
        const std::optional<QRect> bands = BandArea().Area(reading);
        QVERIFY2(caption && bands, qPrintable(reading.Describe()));
        // A place in the band area right of the menu bar, where nothing but the drop's outline
        // can show.
        const AccessibleNode *menuBar = reading.Find(
            [](const AccessibleNode &node) { return node.Role == QLatin1String("menu bar"); });
        const AccessibleNode *lastMenu = reading.Children(*menuBar).last();
        const QPoint sample(lastMenu->Extents.right() + 100, bands->center().y());
        const std::optional<QRect> page = PageArea().Area(reading);
        QVERIFY(page);
        const QPoint grab(caption->right() - 40, caption->center().y());
        m_session->MovePointer(grab);
        const QImage before = m_session->Screenshot();
        // Let go over the main window's pages, below the floating window, it stays as it was.
        // The drag's picture follows the pointer while the drag lasts: the drag is on when it
        // shows there, and over when it has gone.
        const QPoint miss(page->left() + 100, page->bottom() - 100);
        const QRect trail = QRect(miss - QPoint(40, 20), QSize(400, 80)) & *page;
        const auto trailAsBefore
            = [&] { return m_session->Screenshot().copy(trail) == before.copy(trail); };
        m_session->Press();
        m_session->MovePointer(grab - QPoint(0, 70));
        m_session->MovePointer(miss);
        QVERIFY(TestProxy::WaitFor([&] { return !trailAsBefore(); }, 10000));
        m_session->Release();
        m_session->MovePointer(grab);
        QVERIFY(TestProxy::WaitFor(trailAsBefore, 10000));
        // The picture goes while the drag's own event loop still runs, and a press that came
        // within that loop's last turn would be lost to it. The tree's questions, one after the
        // other's answer, reach the program in later turns, by when the drag is done with.
        QVERIFY(FindQueryBox(Read()));

        // The main window follows the drag over its bands and shows where the toolbar would go.
        // The pointer keeps moving there, as a hand does, so a drag that started late is still
        // followed. A press the toolkit lost to the last drag starts none: the button is let go,
        // any drag the program still holds is ended with Escape, as a user would, and the
        // caption pressed again.
        const QPoint over(bands->right() - 40, bands->center().y());
        const auto outlined = [&] {
            int step = 0;
            return TestProxy::WaitFor(
                [&] {
                    m_session->MovePointer(over + QPoint((++step % 2) * 6, 0));
                    return m_session->Screenshot().pixel(sample) != before.pixel(sample);
                },
                8000);
        };
        QStringList attempts;
        bool dragging = false;
        for (int attempt = 0; attempt < 3 && !dragging; ++attempt) {
            if (attempt > 0) {
                m_session->Release();
                attempts << DescribeWindows(m_session->Windows());
                m_session->Type({}, {"Escape"});
                m_session->MovePointer(grab);
                QVERIFY(FindQueryBox(Read()));
            }
            m_session->Press();
            m_session->MovePointer(grab - QPoint(0, 70));
            m_session->MovePointer(over);
            dragging = outlined();
        }
        if (!dragging) {
            attempts << DescribeWindows(m_session->Windows());
            m_session->Release();
        }
        QVERIFY2(
            dragging,
            qPrintable(QStringLiteral("after each drag: ") + attempts.join(QStringLiteral("; "))
                       + QStringLiteral("\nsway said:\n")
                       + m_session
                             ->CompositorSaid({QStringLiteral("Rejecting"),
                                               QStringLiteral("Ignoring"), QStringLiteral("drag")})
                             .join(QLatin1Char('\n'))));
        QCOMPARE(ProgramWindows(m_session->Windows()), 2);
        const AccessibleReading during = Read();
        const AccessibleNode *box = FindQueryBox(during);
        QVERIFY2(box && during.Window(*box)->Name == QLatin1String("frmFloating"),
                 qPrintable(during.Describe()));
        m_session->Release();

        // One window again, with the keyboard, and the query box in its bands with the focus.
        QVERIFY(
            TestProxy::WaitFor([&] { return ProgramWindows(m_session->Windows()) == 1; }, 10000));
        QVERIFY(m_session->WaitForWindow([](const WaylandWindow &window) {
            return window.Title == "Tellaria" && window.Focused;
        }));
        QVERIFY(WaitUntil([](const AccessibleReading &docked) {
            const AccessibleNode *dockedBox = FindQueryBox(docked);
            const std::optional<QRect> bandArea = BandArea().Area(docked);
            return dockedBox && dockedBox->Focused() && bandArea
                   && bandArea->contains(dockedBox->Extents)
                   && docked.Window(*dockedBox)->Name == QLatin1String("Tellaria");
        }));
    }

    void aQueryTypedAfterTheDockAsksForItsTerm()
    {
        m_session->Type({}, {"ctrl+a"});
        m_session->Type("owl");
        QVERIFY(QueryBoxShows("owl"));
        m_session->Type({}, {"Return"});
        QVERIFY(WaitForResultRequests(*m_proxy, 2));
        QCOMPARE(ResultRequests(*m_proxy).at(1), "http://dict.bing.com.cn/?FORM=CHOT20&q=owl");
    }

    void theCompositorsCloseEndsTheProgramWithTheHistorySaved()
    {
        QVERIFY(m_session->Command("[app_id=tellaria] kill"));
        QVERIFY(m_program->WaitForExit());
        QCOMPARE(m_program->ReadFile("Lexivander.qry"), QByteArray("cattle\r\nowl\r\n"));
    }
};

int main(int argc, char *argv[])
{
    // sway and the program run as an ordinary user, as does the test that talks to them.
    BecomeOrdinaryUser();
    return RunProgramTest<WaylandTest>(argc, argv);
}

#include "Wayland_test.moc"
