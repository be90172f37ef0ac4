#pragma once

// What the tests that drive the built program as a user does share: the program on a private X
// display with a window manager and an accessibility bus, and the controls a user aims at, found
// in the program's accessibility tree as a user finds them on the screen.

#include "tests/support/AccessibleTree.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestProxy.h"
#include "tests/support/XSession.h"

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace tellaria::test {

inline QByteArray Settings(int mode)
{
    return "[Dictionary]\r\nID=" + QByteArray::number(mode) + "\r\n";
}

// The check list's rows, in the order the sites are listed.
inline const QStringList SiteNames{"维基百科（中文）", "百度百科（中文）", "互动百科（中文）",
                                   "不列颠百科（英文）", "哥伦比亚百科（英文）"};
inline const QString QueryLabel = QStringLiteral("查询：");

// Something a user aims at, found in a reading of the accessibility tree: its area on the screen.
struct Control
{
    QString Description;
    std::function<std::optional<QRect>(const AccessibleReading &)> Area;
};

inline std::optional<QRect> AreaOf(const AccessibleNode *node)
{
    if (!node || node->Extents.isEmpty())
        return std::nullopt;
    return node->Extents;
}

// The ancestor of `node` that lies directly in its window.
const AccessibleNode *PartOfWindow(const AccessibleReading &reading, const AccessibleNode *node)
{
    while (node && node->Parent >= 0 && reading.Parent(*node)->Parent >= 0)
        node = reading.Parent(*node);
    return node && node->Parent >= 0 ? node : nullptr;
}

inline Control Named(const QString &role, const QString &name)
{
    return {role + QLatin1Char(' ') + name,
            [=](const AccessibleReading &reading) { return AreaOf(reading.Find(role, name)); }};
}

const AccessibleNode *FindQueryBox(const AccessibleReading &reading)
{
    return reading.Find([](const AccessibleNode &node) {
        return node.Role == QLatin1String("combo box") && node.LabelledBy.contains(QueryLabel);
    });
}

// The query box's text field, where a screen reader sets the term.
const AccessibleNode *FindQueryBoxField(const AccessibleReading &reading)
{
    const AccessibleNode *box = FindQueryBox(reading);
    for (const AccessibleNode *child :
         box ? reading.Children(*box) : QList<const AccessibleNode *>()) {
        if (child->Role == QLatin1String("text"))
            return child;
    }
    return nullptr;
}

// The query box: the combo box that "查询：" labels. Its own name is the text in it.
inline Control QueryBox()
{
    return {QStringLiteral("the query box"),
            [](const AccessibleReading &reading) { return AreaOf(FindQueryBox(reading)); }};
}

inline Control QueryButton()
{
    return Named(QStringLiteral("push button"), QStringLiteral("查询"));
}

inline Control Menu(const QString &caption)
{
    return Named(QStringLiteral("menu item"), caption);
}

// The mode selector, named by the mode it shows.
inline Control ModeSelector(const QString &mode)
{
    return Named(QStringLiteral("combo box"), mode);
}

// An item of a drop-down list, on the screen only while the list is open.
inline Control ListItem(const QString &text)
{
    return Named(QStringLiteral("list item"), text);
}

// A site's check box: the square at the start of its row.
inline Control CheckBoxOf(const QString &site)
{
    return {QStringLiteral("the check box of ") + site,
            [site](const AccessibleReading &reading) -> std::optional<QRect> {
                const auto item = AreaOf(reading.Find(QStringLiteral("list item"), site));
                if (!item)
                    return std::nullopt;
                return QRect(item->topLeft(), QSize(item->height(), item->height()));
            }};
}

inline Control CheckBox(int row)
{
    return CheckBoxOf(SiteNames[row]);
}

// The first page on the screen: the start page, which lies under the results.
const AccessibleNode *FindPage(const AccessibleReading &reading)
{
    return reading.Find(
        [](const AccessibleNode &node) { return node.Role == QLatin1String("web document"); });
}

// The part of the main window that holds the pages, the start page or the results.
inline Control PageArea()
{
    return {QStringLiteral("the page area"), [](const AccessibleReading &reading) {
                return AreaOf(PartOfWindow(reading, FindPage(reading)));
            }};
}

// The start page's browser.
inline Control StartPage()
{
    return {QStringLiteral("the start page"),
            [](const AccessibleReading &reading) -> std::optional<QRect> {
                const AccessibleNode *page = FindPage(reading);
                return page ? AreaOf(reading.Parent(*page)) : std::nullopt;
            }};
}

// The band area at the top of the main window, which holds the menu bar.
inline Control BandArea()
{
    return {QStringLiteral("the band area"), [](const AccessibleReading &reading) {
                return AreaOf(PartOfWindow(reading, reading.Find([](const AccessibleNode &node) {
                    return node.Role == QLatin1String("menu bar");
                })));
            }};
}

// The standard toolbar, which holds the query box.
inline Control ToolBar()
{
    return {QStringLiteral("the toolbar"),
            [](const AccessibleReading &reading) -> std::optional<QRect> {
                const AccessibleNode *box = FindQueryBox(reading);
                const AccessibleNode *panel = box ? reading.Parent(*box) : nullptr;
                return panel ? AreaOf(reading.Parent(*panel)) : std::nullopt;
            }};
}

// A bare part of the toolbar, where a press grabs the toolbar itself: the search panel left of
// the mode selector, which is the panel's first control.
inline Control BareToolBar()
{
    return {QStringLiteral("the search panel left of the mode selector"),
            [](const AccessibleReading &reading) -> std::optional<QRect> {
                const AccessibleNode *box = FindQueryBox(reading);
                const AccessibleNode *panel = box ? reading.Parent(*box) : nullptr;
                const QList<const AccessibleNode *> controls
                    = panel ? reading.Children(*panel) : QList<const AccessibleNode *>();
                if (controls.isEmpty() || controls.first()->Role != QLatin1String("combo box"))
                    return std::nullopt;
                return QRect(panel->Extents.topLeft(),
                             QPoint(controls.first()->Extents.left() - 1, panel->Extents.bottom()));
            }};
}

const AccessibleNode *FindWindow(const AccessibleReading &reading, const QString &title)
{
    return reading.Find(
        [&](const AccessibleNode &node) { return node.Parent < 0 && node.Name == title; });
}

// The floating toolbar window's caption strip, which the window draws above the toolbar.
inline Control FloatingCaption()
{
    return {QStringLiteral("the floating window's caption strip"),
            [](const AccessibleReading &reading) -> std::optional<QRect> {
                const AccessibleNode *window = FindWindow(reading, QStringLiteral("frmFloating"));
                const QList<const AccessibleNode *> parts
                    = window ? reading.Children(*window) : QList<const AccessibleNode *>();
                return parts.isEmpty() ? std::nullopt : AreaOf(parts.first());
            }};
}

inline bool NoSiteChecked(const AccessibleReading &reading)
{
    for (const QString &site : SiteNames) {
        const AccessibleNode *item = reading.Find(QStringLiteral("list item"), site);
        if (!item || item->Checked())
            return false;
    }
    return true;
}

// The result tabs, in order.
inline QList<const AccessibleNode *> Tabs(const AccessibleReading &reading)
{
    QList<const AccessibleNode *> tabs;
    for (const AccessibleNode &node : reading.Nodes) {
        if (node.Role == QLatin1String("page tab"))
            tabs << &node;
    }
    return tabs;
}

// The index of the current result tab, which the toolkit marks as the tab bar's focused one;
// -1 when none is.
inline int SelectedTab(const AccessibleReading &reading)
{
    const QList<const AccessibleNode *> tabs = Tabs(reading);
    for (int index = 0; index < tabs.size(); ++index) {
        if (tabs[index]->Selected() || tabs[index]->Focused())
            return index;
    }
    return -1;
}

// A private display with a window manager and an accessibility bus, and the program on it.
struct Program
{
    explicit Program(const QString &executable, WindowManager manager = WindowManager::Metacity)
        : Session(manager)
        , Run(Session, executable)
    {
        Ready = Session.Started() && Session.StartAccessibilityBus();
    }

    // Starts the program and waits for its main window; false when none appears.
    bool Start(const QStringList &arguments = {})
    {
        return Run.Start(arguments) && ControlsInPlace();
    }

    // Waits until the tree places the window where the X server shows it: the program learns
    // from the X server where the window manager has put its window, and the places of its
    // controls are right from then on.
    bool ControlsInPlace() const
    {
        // Read again each time: the window manager may still be resizing the window to its
        // stored outer size.
        QRect client;
        const bool placed = Tree.WaitUntil([&](const AccessibleReading &reading) {
            client = Run.ClientGeometry();
            return reading.Find([&](const AccessibleNode &node) {
                return node.Parent < 0 && node.Extents == client;
            });
        });
        if (!placed) {
            qWarning("the window is at %d,%d %dx%d on the screen, not so in the tree:\n%s",
                     client.x(), client.y(), client.width(), client.height(),
                     qPrintable(Tree.Read().Describe()));
        }
        return placed;
    }

    // Waits until `control` is on the screen; its area, or nothing when it does not come.
    std::optional<QRect> Area(const Control &control, int timeoutMs = 10000) const
    {
        std::optional<QRect> area;
        TestProxy::WaitFor(
            [&] {
                area = control.Area(Tree.Read());
                return area.has_value();
            },
            timeoutMs);
        if (!area) {
            qWarning("not on the screen: %s; what is:\n%s", qPrintable(control.Description),
                     qPrintable(Tree.Read().Describe()));
        }
        return area;
    }

    std::optional<QPoint> Locate(const Control &control) const
    {
        const std::optional<QRect> area = Area(control);
        return area ? std::optional<QPoint>(area->center()) : std::nullopt;
    }

    // Clicks the middle of `control` once it is on the screen; false when it does not come.
    bool Click(const Control &control, int button = 1) const
    {
        const std::optional<QPoint> at = Locate(control);
        if (at)
            Session.Click(*at, button);
        return at.has_value();
    }

    XSession Session;
    ProgramRun Run;
    AccessibleTree Tree{Session, QStringLiteral("tellaria")};
    bool Ready = false;
};

// Starts the program with lookup mode `mode` stored (none stored when negative) and `history`
// as its history file (none when empty); null when the display or the window did not come up.
inline std::unique_ptr<Program> LaunchProgram(const QString &executable,
                                              int mode,
                                              const QByteArray &history = {})
{
    auto program = std::make_unique<Program>(executable);
    if (!program->Ready)
        return nullptr;
    if (mode >= 0)
        program->Run.WriteFile("Lexivanedr.ini", Settings(mode));
    if (!history.isEmpty())
        program->Run.WriteFile("Lexivander.qry", history);
    return program->Start() ? std::move(program) : nullptr;
}

// The main window's client area as it shows on the screen.
inline QImage ClientShot(const Program &program)
{
    return program.Session.Screenshot().copy(program.Run.ClientGeometry());
}

// Whether `colour` shows anywhere in `shot`, looked for at every second pixel.
inline bool Shows(const QImage &shot, const QColor &colour)
{
    for (int y = 0; y < shot.height(); y += 2) {
        for (int x = 0; x < shot.width(); x += 2) {
            if (shot.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

// The share of `image`'s pixels for which `holds` is true, at every second pixel.
template<typename Test>
inline double Share(const QImage &image, Test holds)
{
    int all = 0;
    int matching = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            ++all;
            matching += holds(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return all ? double(matching) / all : 0.0;
}

// `shot` shows `shown` and not `hidden` (a page over another), and is no black window.
inline bool ShowsInsteadOf(const QImage &shot, const QColor &shown, const QColor &hidden)
{
    return Shows(shot, shown) && !Shows(shot, hidden)
           && Share(shot, [](const QColor &c) { return c.lightness() < 8; }) < 0.3;
}

// Whether `after` holds more text than `before`, the same control drawn again: more dark pixels
// than a blinking text cursor (some 15) accounts for.
inline bool InkGrows(const QImage &before, const QImage &after)
{
    const auto ink = [](const QImage &image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                dark += image.pixelColor(x, y).lightness() < 160 ? 1 : 0;
        }
        return dark;
    };
    return !before.isNull() && !after.isNull() && ink(after) - ink(before) >= 30;
}

// A control drawn with text on it: mostly light, with some dark strokes.
inline bool DrawnWithText(const QImage &control)
{
    return Share(control, [](const QColor &c) { return c.lightness() > 170; }) > 0.5
           && Share(control, [](const QColor &c) { return c.lightness() < 110; }) > 0.005;
}

// Waits until keys reach the query box: its window is the active one and the box has the
// focus in it.
inline bool QueryBoxHasTheKeys(const Program &program)
{
    return program.Tree.WaitUntil([](const AccessibleReading &reading) {
        const AccessibleNode *box = FindQueryBox(reading);
        return box && box->Focused();
    });
}

// Waits until the window manager has made `window` the active window, which keys reach.
inline bool WaitUntilActive(const XSession &session, const QString &window)
{
    return TestProxy::WaitFor([&] { return session.XDoTool({"getactivewindow"}) == window; },
                              10000);
}

// Replaces the query box's text with `term` and presses Enter.
inline void EnterTerm(const XSession &session, const QString &term)
{
    session.Key("ctrl+a");
    session.Type(term);
    session.Key("Return");
}

// Unchecks every site by a click on its check box; false when a box is not there or a
// click did not take.
inline bool UncheckEverySite(const Program &program)
{
    for (int row = 0; row < SiteNames.size(); ++row) {
        if (!program.Click(CheckBox(row)))
            return false;
    }
    return program.Tree.WaitUntil(NoSiteChecked);
}

// Opens 编辑 › 管理百科全书 by the Edit menu's keys and waits for its list.
inline bool OpenSiteManager(const Program &program)
{
    program.Session.Key(QStringLiteral("alt+e"));
    program.Session.Key(QStringLiteral("m"));
    return bool(program.Tree.WaitFor(QStringLiteral("table"), QStringLiteral("百科全书列表")));
}

// Adds a row to the encyclopaedia list by 添加, its name cell then being edited. The button's key
// clicks it a moment later, as a button pressed by the mouse shows itself pressed: the row is
// waited for.
inline bool AddSiteRow(const Program &program)
{
    program.Session.Key(QStringLiteral("alt+a"));
    return bool(program.Tree.WaitFor([](const AccessibleReading &reading) {
        return reading.Find(
            [](const AccessibleNode &node) { return node.Name == QStringLiteral("新百科全书"); });
    }));
}

// Waits until the encyclopaedia list's dialog has gone.
inline bool SiteManagerClosed(const Program &program)
{
    return program.Tree.WaitUntil([](const AccessibleReading &reading) {
        return !reading.Find(QStringLiteral("table"), QStringLiteral("百科全书列表"));
    });
}

// Waits until something on the screen (a message's words) holds `text`.
inline bool WaitForText(const Program &program, const QString &text)
{
    return bool(program.Tree.WaitFor([&](const AccessibleReading &reading) {
        return reading.Find([&](const AccessibleNode &node) { return node.Name.contains(text); });
    }));
}

// What a screen reader reads of the result page on the screen whose tab or column is `site`;
// empty until it is there.
inline QStringList ShownPageText(const Program &program, const QString &site)
{
    const AccessibleReading reading = program.Tree.Read();
    const AccessibleNode *page = reading.Find([&](const AccessibleNode &node) {
        return node.Role == QLatin1String("web document") && !node.Extents.isEmpty()
               && reading.Parent(node) && reading.Parent(node)->Name == site;
    });
    return page ? program.Tree.PageText(*page) : QStringList();
}

// Waits until the page on the screen named `site` reads every one of `words`.
inline bool PageReads(const Program &program, const QString &site, const QStringList &words)
{
    QString text;
    const bool read = TestProxy::WaitFor([&] {
        text = ShownPageText(program, site).join(QLatin1Char('\n'));
        return std::all_of(words.begin(), words.end(),
                           [&](const QString &word) { return text.contains(word); });
    });
    if (!read)
        qWarning("the page %s reads:\n%s\nin:\n%s", qPrintable(site), qPrintable(text),
                 qPrintable(program.Tree.Read().Describe()));
    return read;
}

// What the program-run tests need and the machine lacks, as one line; empty when nothing is
// missing.
inline QString MissingRealInputTools()
{
    QStringList missing = MissingAccessibilityPrograms();
    if (!XSessionAvailable())
        missing << QStringLiteral("Xvfb, xdotool, xprop, xwininfo or ImageMagick's import");
    return missing.isEmpty() ? QString() : missing.join(QStringLiteral(", ")) + " missing";
}

// The base of a test class that drives the built program: the recording proxy its engine is
// pointed at, and whether a tool the tests need was missing, in which case the run checked
// nothing and counts as skipped.
class ProgramTest : public QObject
{
public:
    bool ToolMissing() const { return m_toolMissing; }

protected:
    // For initTestCase: the missing tools, or empty once the proxy is up.
    QString SetUpProxy()
    {
        const QString missing = MissingRealInputTools();
        m_toolMissing = !missing.isEmpty();
        if (!m_toolMissing)
            m_proxy = new TestProxy(this);
        return missing;
    }

    // Closes the window by the window manager's close key and waits for the program to end.
    static void CloseByAltF4(const XSession &session, ProgramRun &run)
    {
        session.Key(QStringLiteral("alt+F4"));
        QVERIFY(run.WaitForExit());
    }

    TestProxy *m_proxy = nullptr;
    bool m_toolMissing = false;
};

// The main function of a ProgramTest: a run that found a tool missing exits as a skip.
template<typename Test>
int RunProgramTest(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QCoreApplication application(argc, argv);
    Test test;
    const int failures = QTest::qExec(&test, argc, argv);
    return failures == 0 && test.ToolMissing() ? MissingToolExitCode : failures;
}

} // namespace tellaria::test
