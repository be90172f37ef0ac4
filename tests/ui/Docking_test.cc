// The standard-buttons toolbar leaving the band area for a floating window and coming back, the
// View menu's two toggles, the floating window's refusal to close and the status-bar hints, all
// driven by mouse and key events on the real main window.

#include "browser/WebBrowser.h"
#include "tests/support/MainWindow.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "tests/ui/UserDrag.h"
#include "ui/Unit2.h"
#include "ui/UnitMain.h"
#include "widgets/Application.h"
#include "widgets/CoolBar.h"
#include "widgets/Docking.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QRubberBand>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

using namespace tellaria;
using namespace tellaria::test;

namespace {

// Delivers what the last input left to do: the events it posted (the hint's recomputation
// among them) and the window system's answers.
void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

QRubberBand *VisibleOutline()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *outline = qobject_cast<QRubberBand *>(widget);
        if (outline && outline->isVisible())
            return outline;
    }
    return nullptr;
}

QRect ScreenRect(const QWidget *widget, const QRect &local)
{
    return QRect(widget->mapToGlobal(local.topLeft()), local.size());
}

// Counts the close requests that reach a floating window's handler.
class CloseCounter
{
public:
    explicit CloseCounter(TfrmFloating *window)
    {
        QObject::connect(
            window, &TForm::CloseRequested, window, [this] { ++Asked; }, Qt::DirectConnection);
    }
    int Asked = 0;
};

} // namespace

class DockingTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir *m_directory = nullptr;

    std::unique_ptr<TfrmMain> OpenWindow()
    {
        auto window = OpenMainWindow(m_directory->path());
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window not exposed");
        Settle();
        return window;
    }

    // Drags the docked toolbar from its bare end to `drop` (screen) and returns the one window
    // made for it, or null; `outline` receives the outline shown just before the release.
    TfrmFloating *Float(TfrmMain &window, const QPoint &drop, QRect *outline = nullptr)
    {
        const QList<TfrmFloating *> before = FloatingWindows();
        Drag(ToolBar2(window), BareToolBarPoint(ToolBar2(window)), {drop}, [&](const QPoint &) {
            if (outline && VisibleOutline())
                *outline = VisibleOutline()->geometry();
        });
        Settle();
        QList<TfrmFloating *> made = FloatingWindows();
        for (TfrmFloating *old : before)
            made.removeOne(old);
        return made.size() == 1 ? made[0] : nullptr;
    }

    // Opens a menu as a user does: a click on its title in the menu bar.
    static bool OpenMenu(TfrmMain &window, QMenu *menu)
    {
        QTest::mouseClick(MainMenu1(window), Qt::LeftButton, {},
                          MainMenu1(window)->actionGeometry(menu->menuAction()).center());
        return TestProxy::WaitFor([&] { return QApplication::activePopupWidget() == menu; }, 5000);
    }

    // Chooses an item of the View menu as a user does: its title, then the item's key.
    void ChooseViewItem(TfrmMain &window, Qt::Key key)
    {
        QVERIFY(OpenMenu(window, MainMenu1View(window)));
        QTest::keyClick(MainMenu1View(window), key);
        Settle();
    }

    // Points at the centre of `widget` and lets the hint follow.
    void PointAt(QWidget *widget)
    {
        QTest::mouseMove(widget);
        Settle();
    }

private slots:
    // Every command the tests above ran, failures included, reported its errors where they
    // happened: none needed the application's last guard.
    void cleanupTestCase() { QCOMPARE(TApplication::EscapedErrors(), 0); }

    void initTestCase() { m_proxy = new TestProxy(this); }

    void init()
    {
        m_directory = new QTemporaryDir;
        QVERIFY(m_directory->isValid());
    }

    void cleanup()
    {
        delete m_directory;
        m_directory = nullptr;
        QVERIFY(!VisibleOutline());
    }

    void everyStartIsDockedSecondWithBothItemsChecked()
    {
        {
            auto window = OpenWindow();
            QVERIFY(Float(*window, ScreenCentre(Panel2(*window))));
            ChooseViewItem(*window, Qt::Key_T);
            ChooseViewItem(*window, Qt::Key_B);
            window->close();
        }
        auto window = OpenWindow();
        QCOMPARE(CoolBar1(*window)->BandControls(),
                 (QList<QWidget *>{ToolBar1(*window), ToolBar2(*window), PnlBook(*window)}));
        QVERIFY(ToolBar2(*window)->isVisible());
        QVERIFY(StatusBar1(*window)->isVisible());
        QVERIFY(NViewToolBar(*window)->isChecked());
        QVERIFY(NViewStatusBar(*window)->isChecked());
        QCOMPARE(TDockClient::Of(ToolBar2(*window))->DragMode(), TDragMode::Automatic);
        QVERIFY(!ToolBar2(*window)->childAt(BareToolBarPoint(ToolBar2(*window))));
    }

    void dropOverTheBandAreaChangesNothing_data()
    {
        QTest::addColumn<QString>("over");
        QTest::newRow("menu bar") << "ToolBar1";
        QTest::newRow("check list") << "CkLstBookshop";
        QTest::newRow("the toolbar itself") << "Panel1";
    }

    void dropOverTheBandAreaChangesNothing()
    {
        QFETCH(QString, over);
        auto window = OpenWindow();
        const QList<TfrmFloating *> windowsBefore = FloatingWindows();
        const QRect toolBarBefore = ToolBar2(*window)->geometry();
        const int pageAreaBefore = Panel2(*window)->height();
        const QPoint press = BareToolBarPoint(ToolBar2(*window));
        const QPoint drop = ScreenCentre(window->findChild<QWidget *>(over)) + QPoint(0, 3);

        QRect outline;
        Drag(ToolBar2(*window), press, {drop}, [&](const QPoint &) {
            QRubberBand *band = VisibleOutline();
            QVERIFY(band);
            outline = band->geometry();
        });
        // Refused: the outline stays the toolbar's own, the grabbed point under the pointer.
        QCOMPARE(outline, QRect(drop - press, ToolBar2(*window)->size()));
        Settle();
        QCOMPARE(FloatingWindows(), windowsBefore);
        QCOMPARE(CoolBar1(*window)->BandControls(),
                 (QList<QWidget *>{ToolBar1(*window), ToolBar2(*window), PnlBook(*window)}));
        QCOMPARE(ToolBar2(*window)->geometry(), toolBarBefore);
        QCOMPARE(Panel2(*window)->height(), pageAreaBefore);
        QVERIFY(ToolBar2(*window)->isVisible());
    }

    void floatMoveRedockAndFloatAgain()
    {
        auto window = OpenWindow();
        // The one made at start, as the program does; it must never be used.
        TfrmFloating startWindow;
        QToolBar *toolBar = ToolBar2(*window);
        const QSize dockedSize = toolBar->size();
        const int bandAreaDocked = CoolBar1(*window)->height();
        const int pageAreaDocked = Panel2(*window)->height();
        const QPoint press = BareToolBarPoint(toolBar);
        const QPoint drop = ScreenCentre(Panel2(*window));

        QRect outline;
        TfrmFloating *first = Float(*window, drop, &outline);
        QVERIFY(first);
        const QPointer<TfrmFloating> firstAlive(first);
        QCOMPARE(outline, QRect(drop - press, dockedSize));
        QVERIFY(first != &startWindow);
        QVERIFY(!startWindow.isVisible());
        QVERIFY(startWindow.DockClients().isEmpty());
        QCOMPARE(first->windowTitle(), QString("frmFloating"));
        QVERIFY(first->isVisible());
        QVERIFY(first->isWindow());
        QVERIFY(!first->parentWidget());
        QCOMPARE(first->frameGeometry().topLeft(), outline.topLeft());
        QCOMPARE(first->ClientArea()->size(), dockedSize);
        QCOMPARE(window->FloatingHost(), first);
        QCOMPARE(first->DockClients(), QList<QWidget *>{toolBar});
        QCOMPARE(toolBar->geometry(), QRect(QPoint(0, 0), dockedSize));
        QCOMPARE(CoolBar1(*window)->BandControls(),
                 (QList<QWidget *>{ToolBar1(*window), PnlBook(*window)}));
        QVERIFY(CoolBar1(*window)->height() < bandAreaDocked);
        QVERIFY(Panel2(*window)->height() > pageAreaDocked);
        QCOMPARE(TDockClient::Of(toolBar)->DragMode(), TDragMode::Manual);
        QVERIFY(NViewToolBar(*window)->isChecked());

        // Its own drag is off while it floats: dragging it outlines nothing and moves nothing.
        const QPoint placed = first->pos();
        bool outlined = false;
        Drag(toolBar, BareToolBarPoint(toolBar), {drop + QPoint(-200, 120)},
             [&](const QPoint &) { outlined = VisibleOutline() != nullptr; });
        QVERIFY(!outlined);
        QCOMPARE(first->pos(), placed);
        QCOMPARE(window->FloatingHost(), first);

        // The query box, with completion, and the query button work in the floating window.
        QLineEdit *edit = CmbBook(*window)->lineEdit();
        first->activateWindow();
        edit->setFocus();
        QTest::keyClicks(CmbBook(*window), "owl");
        QTest::keyClick(CmbBook(*window), Qt::Key_Return);
        QCOMPARE(CmbBook(*window)->count(), 1);
        edit->clear();
        QTest::keyClicks(CmbBook(*window), "o");
        QCOMPARE(edit->text(), QString("owl"));
        CmbBoxType(*window)->setCurrentIndex(1);
        QTest::mouseClick(BtnBookOK(*window), Qt::LeftButton);
        QCOMPARE(PageControl1(*window)->count(), 1);

        // Dragging the window by its caption strip moves it, size kept, wherever the band area
        // is not.
        const QSize frameSize = first->frameGeometry().size();
        const QPoint grab(30, first->CaptionStrip()->height() / 2);
        const QPoint target = ScreenCentre(Panel2(*window)) + QPoint(-150, 60);
        Drag(first->CaptionStrip(), grab, {target},
             [&](const QPoint &) { outline = VisibleOutline()->geometry(); });
        Settle();
        const QPoint frameOffset = first->geometry().topLeft() - first->frameGeometry().topLeft();
        const QPoint grabInFrame = first->CaptionStrip()->mapTo(first, grab) + frameOffset;
        QCOMPARE(outline, QRect(target - grabInFrame, frameSize));
        QCOMPARE(first->frameGeometry(), outline);
        QCOMPARE(window->FloatingHost(), first);

        // The user narrows the window by its right border.
        const QPoint border(first->width() - 2, first->height() / 2);
        Drag(first, border, {first->mapToGlobal(border) + QPoint(-120, 0)});
        Settle();
        QCOMPARE(first->frameGeometry().size(), frameSize - QSize(120, 0));
        const QSize floatingSize = toolBar->size();
        QCOMPARE(floatingSize, dockedSize - QSize(120, 0));

        // Over the band area the whole area is the outline; the drop docks the toolbar again.
        const QPoint overBands = ScreenCentre(ToolBar1(*window));
        QRect bandArea;
        Drag(first->CaptionStrip(), grab, {ScreenCentre(Panel2(*window)), overBands},
             [&](const QPoint &) {
                 outline = VisibleOutline()->geometry();
                 bandArea = ScreenRect(CoolBar1(*window), CoolBar1(*window)->contentsRect());
             });
        Settle();
        QCOMPARE(outline, bandArea);
        QCOMPARE(CoolBar1(*window)->BandControls(),
                 (QList<QWidget *>{ToolBar1(*window), PnlBook(*window), toolBar}));
        QCOMPARE(CoolBar1(*window)->VisibleBandControls(), CoolBar1(*window)->BandControls());
        QVERIFY(!window->FloatingHost());
        QVERIFY(toolBar->isVisible());
        QVERIFY(toolBar->y() > PnlBook(*window)->geometry().bottom());
        // The emptied window is freed.
        QTRY_VERIFY(!firstAlive);
        QCOMPARE(TDockClient::Of(toolBar)->DragMode(), TDragMode::Automatic);
        QVERIFY(NViewToolBar(*window)->isChecked());
        for (TfrmFloating *floating : FloatingWindows())
            QVERIFY(!floating->isVisible());

        // Floating again makes a second window, sized as the toolbar was in the first.
        TfrmFloating *second = Float(*window, drop, &outline);
        QVERIFY(second);
        QVERIFY(second != firstAlive.data());
        QCOMPARE(outline.size(), floatingSize);
        QCOMPARE(second->frameGeometry().topLeft(), outline.topLeft());
        QCOMPARE(second->ClientArea()->size(), floatingSize);
        QCOMPARE(window->FloatingHost(), second);
        QVERIFY(second->isVisible());
    }

    // Wherever the toolbar comes back or goes, the keyboard follows its query box: typing never
    // goes nowhere.
    void theFocusFollowsTheQueryBox()
    {
        auto window = OpenWindow();
        QApplication::setActiveWindow(window.get());
        ChooseViewItem(*window, Qt::Key_T);
        QVERIFY(!CmbBook(*window)->isVisible());
        ChooseViewItem(*window, Qt::Key_T);
        QTRY_COMPARE(QApplication::focusWidget(), CmbBook(*window));

        TfrmFloating *floating = Float(*window, ScreenCentre(Panel2(*window)));
        QVERIFY(floating);
        QTRY_COMPARE(QApplication::focusWidget(), CmbBook(*window));
        QCOMPARE(CmbBook(*window)->window(), floating);

        const QPoint grab(30, floating->CaptionStrip()->height() / 2);
        Drag(floating->CaptionStrip(), grab, {ScreenCentre(ToolBar1(*window))});
        Settle();
        QVERIFY(!window->FloatingHost());
        QTRY_COMPARE(QApplication::focusWidget(), CmbBook(*window));
        QCOMPARE(CmbBook(*window)->window(), window.get());
    }

    void viewToolBarInEveryState_data()
    {
        QTest::addColumn<bool>("floating");
        QTest::newRow("docked") << false;
        QTest::newRow("floating") << true;
    }

    void viewToolBarInEveryState()
    {
        QFETCH(bool, floating);
        auto window = OpenWindow();
        TfrmFloating *host = floating ? Float(*window, ScreenCentre(Panel2(*window))) : nullptr;
        QCOMPARE(window->FloatingHost(), host);
        const int bandArea = CoolBar1(*window)->height();

        // What is on screen: the toolbar's band, or the window that holds it.
        const auto shown
            = [&] { return floating ? host->isVisible() : ToolBar2(*window)->isVisible(); };
        for (const bool expected : {false, true, false, true}) {
            ChooseViewItem(*window, Qt::Key_T);
            QCOMPARE(NViewToolBar(*window)->isChecked(), expected);
            QCOMPARE(shown(), expected);
            QCOMPARE(window->FloatingHost(), host);
            QVERIFY(NViewStatusBar(*window)->isChecked());
            if (floating) {
                QVERIFY(ToolBar2(*window)->isVisibleTo(host));
                QCOMPARE(CoolBar1(*window)->height(), bandArea);
            } else {
                QCOMPARE(CoolBar1(*window)->VisibleBandControls().contains(ToolBar2(*window)),
                         expected);
                QCOMPARE(CoolBar1(*window)->height() == bandArea, expected);
            }
        }
    }

    void viewStatusBarAndHintsWhileHidden()
    {
        auto window = OpenWindow();
        const int pageArea = Panel2(*window)->height();
        ChooseViewItem(*window, Qt::Key_B);
        QVERIFY(!NViewStatusBar(*window)->isChecked());
        QVERIFY(!StatusBar1(*window)->isVisible());
        const int pageAreaAlone = Panel2(*window)->height();
        QVERIFY(pageAreaAlone > pageArea);
        QVERIFY(NViewToolBar(*window)->isChecked());

        PointAt(ToolButton1(*window));
        QCOMPARE(StatusPanel0(*window)->text(), QString("前一页"));
        PointAt(BtnBookOK(*window));
        QCOMPARE(StatusPanel0(*window)->text(), QString("查询"));

        ChooseViewItem(*window, Qt::Key_B);
        QVERIFY(NViewStatusBar(*window)->isChecked());
        QVERIFY(StatusBar1(*window)->isVisible());
        QVERIFY(Panel2(*window)->height() < pageAreaAlone);
        // The pointer is back over the query button once the menu has gone.
        QCOMPARE(StatusPanel0(*window)->text(), QString("查询"));
    }

    void floatingWindowRefusesEveryCloseRequest()
    {
        auto window = OpenWindow();
        TfrmFloating *floating = Float(*window, ScreenCentre(Panel2(*window)));
        QVERIFY(floating);
        CloseCounter counter(floating);

        QCloseEvent closeEvent;
        QApplication::sendEvent(floating, &closeEvent);
        QVERIFY(!closeEvent.isAccepted());
        QVERIFY(!floating->close());
        // The window manager's close request arrives through the platform window.
        QVERIFY(!floating->windowHandle()->close());
        QTest::keyClick(floating, Qt::Key_F4, Qt::AltModifier);
        QTest::keyClick(CmbBook(*window), Qt::Key_F4, Qt::AltModifier);
        Settle();
        QCOMPARE(counter.Asked, 5);
        QVERIFY(floating->isVisible());
        QCOMPARE(window->FloatingHost(), floating);
        QVERIFY(ToolBar2(*window)->isVisible());
    }

    void hintOfTheControlUnderThePointer_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("disabled previous-page button") << "ToolButton1"
                                                       << "前一页";
        QTest::newRow("disabled close-all button") << "ToolButton8"
                                                   << "关闭所有页";
        QTest::newRow("print button") << "ToolButton5"
                                      << "打印";
        QTest::newRow("query button") << "BtnBookOK"
                                      << "查询";
        QTest::newRow("menu bar") << "MainMenu1"
                                  << "";
        QTest::newRow("query box") << "CmbBook"
                                   << "";
        QTest::newRow("mode selector") << "CmbBoxType"
                                       << "";
        QTest::newRow("check list") << "CkLstBookshop"
                                    << "";
        QTest::newRow("page area") << "Panel2"
                                   << "";
        QTest::newRow("status bar") << "StatusBar1"
                                    << "";
    }

    void hintOfTheControlUnderThePointer()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        auto window = OpenWindow();
        QWidget *target = window->findChild<QWidget *>(control);
        QVERIFY(target);
        // From a known hint first, so that an empty one has to be shown.
        PointAt(ToolButton2(*window));
        QCOMPARE(StatusPanel0(*window)->text(), QString("后一页"));
        PointAt(target);
        QCOMPARE(StatusPanel0(*window)->text(), hint);
        // Qt's own status tips never reach the bar.
        QVERIFY(StatusBar1(*window)->currentMessage().isEmpty());
    }

    void hintChangesOnlyWhenTheTextDoes()
    {
        auto window = OpenWindow();
        PointAt(ToolButton1(*window));
        QCOMPARE(StatusPanel0(*window)->text(), QString("前一页"));
        StatusPanel0(*window)->setText("stale");
        QTest::mouseMove(ToolButton1(*window), QPoint(3, 3));
        Settle();
        QCOMPARE(StatusPanel0(*window)->text(), QString("stale"));
        PointAt(ToolButton3(*window));
        QCOMPARE(StatusPanel0(*window)->text(), QString("关闭当前页"));
    }

    void hintsFromTheFloatingWindow()
    {
        auto window = OpenWindow();
        // Side by side, so that the pointer is over one window only.
        window->setGeometry(0, 0, 760, 260);
        Settle();
        TfrmFloating *floating = Float(*window, ScreenCentre(Panel2(*window)));
        QVERIFY(floating);
        const QPoint grab(30, 5);
        Drag(floating->CaptionStrip(), grab, {QPoint(30, 330) + grab});
        Settle();
        QVERIFY(!floating->frameGeometry().intersects(window->frameGeometry()));

        PointAt(ToolButton1(*window));
        QCOMPARE(StatusPanel0(*window)->text(), QString("前一页"));
        PointAt(CmbBook(*window));
        QCOMPARE(StatusPanel0(*window)->text(), QString());
        PointAt(ToolButton7(*window));
        QCOMPARE(StatusPanel0(*window)->text(), QString("打印预览"));
        PointAt(floating->CaptionStrip());
        QCOMPARE(StatusPanel0(*window)->text(), QString());
    }

    void hintOfTheHighlightedMenuItem()
    {
        auto window = OpenWindow();
        QMenu *menu = MainMenu1File(*window);
        QStringList seen;
        QVERIFY(OpenMenu(*window, menu));
        for (QAction *item : {N4(*window), mnuExit(*window), N5(*window), mnuPrint(*window)}) {
            QTest::mouseMove(menu, menu->actionGeometry(item).center());
            Settle();
            seen << StatusPanel0(*window)->text();
        }
        menu->close();
        QCOMPARE(seen, (QStringList{"关闭所有页", "", "关闭所有页", "打印"}));
    }

    // Last: the application's own event loop runs to its end here.
    void closingTheMainWindowWhileFloatingEndsTheProgram()
    {
        auto window = OpenWindow();
        Query(*window, "owl");
        TfrmFloating *floating = Float(*window, ScreenCentre(Panel2(*window)));
        QVERIFY(floating);
        CloseCounter counter(floating);

        connect(window.get(), &TfrmMain::Closed, qApp, &QCoreApplication::quit,
                Qt::QueuedConnection);
        QTimer::singleShot(0, window.get(), [&] { window->close(); });
        // Fails the test instead of hanging it if the quit is held up.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        watchdog.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(counter.Asked, 0);
        QVERIFY(!floating->isVisible());
        QVERIFY(QFile::exists(m_directory->filePath("Lexivander.qry")));
        QVERIFY(QFile::exists(m_directory->filePath("Lexivanedr.ini")));
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    TApplication application(argc, argv);
    DockingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "Docking_test.moc"
