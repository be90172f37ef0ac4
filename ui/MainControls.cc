#include "ui/MainControls.h"

#include "browser/WebBrowser.h"
#include "ui/BandArea.h"
#include "ui/ImageList.h"
#include "ui/ResultPages.h"
#include "ui/SearchPanel.h"
#include "ui/UnitMain.h"
#include "widgets/ApplicationHint.h"
#include "widgets/CheckListBox.h"
#include "widgets/CoolBar.h"
#include "widgets/Docking.h"
#include "widgets/QueryBox.h"
#include "widgets/ToolbarGrip.h"

#include "core/LookupCatalogue.h"
#include "desktop/Utf8Text.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStackedLayout>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tellaria {

namespace {

// Makes `item` follow `action` as a menu item bound to an action does: caption, icon, hint and
// enabled state come from the action, and choosing the item runs it.
void BindMenuItem(QAction *item, QAction *action)
{
    item->setText(action->text());
    const auto follow = [item, action] {
        item->setIcon(action->icon());
        item->setStatusTip(action->statusTip());
        item->setEnabled(action->isEnabled());
    };
    follow();
    QObject::connect(action, &QAction::changed, item, follow);
    QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
}

} // namespace

TMainControls::TMainControls(TfrmMain *form)
{
    CreateActions(form);
    CreateControls(form);
    CreateMenus(form);
}

void TMainControls::CreateActions(QWidget *form)
{
    struct ActionDesign
    {
        QAction *TMainControls::*Field;
        const char *Name;
        const char *Caption;
        const char *Hint;
        int Image;
    };
    const ActionDesign designs[] = {
        {&TMainControls::ActPrior, "ActPrior", "ActPrior", "前一页", 0},
        {&TMainControls::ActNext, "ActNext", "ActNext", "后一页", 1},
        {&TMainControls::ActClose, "ActClose", "关闭当前页(&C)", "关闭当前页", 2},
        {&TMainControls::ActCloseAll, "ActCloseAll", "关闭所有页", "关闭所有页", 7},
        {&TMainControls::ActSave, "ActSave", "保存(&S)", "保存", 5},
        {&TMainControls::ActPreview, "ActPreview", "打印预览(&V)", "打印预览", 6},
        {&TMainControls::ActPrint, "ActPrint", "打印(&P)", "打印", 4},
        {&TMainControls::ActPageSetup, "ActPageSetup", "页面设置(&U)", "", -1},
        {&TMainControls::ActCopy, "ActCopy", "复制(&C)", "", -1},
        {&TMainControls::ActCut, "ActCut", "剪切(&X)", "", -1},
        {&TMainControls::ActPaste, "ActPaste", "粘贴(&P)", "", -1},
        {&TMainControls::ActSelectAll, "ActSelectAll", "全选(&A)", "", -1},
    };
    for (const ActionDesign &design : designs) {
        auto *action = new QAction(Utf8Text(design.Caption), form);
        action->setObjectName(QLatin1String(design.Name));
        action->setStatusTip(Utf8Text(design.Hint));
        action->setToolTip(Utf8Text(design.Hint));
        if (design.Image >= 0)
            action->setIcon(ImageList1(design.Image));
        action->setEnabled(false);
        // No keyboard shortcuts: the keyboard reaches commands only through the mnemonics.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setMenuRole(QAction::NoRole);
        this->*design.Field = action;
    }
}

void TMainControls::CreateControls(TfrmMain *form)
{
    auto *mainLayout = new QVBoxLayout(form);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);

    CoolBar1 = new TBandArea(form);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    mainLayout->addWidget(CoolBar1);

    // Band 1: the menu, shown as a toolbar of caption buttons.
    ToolBar1 = new QToolBar(CoolBar1);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    CoolBar1->AppendBand(ToolBar1);

    // Band 2: the standard buttons and the search panel.
    ToolBar2 = new QToolBar(CoolBar1);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setMovable(false);
    ToolBar2->setFloatable(false);
    ToolBar2->setIconSize(QSize(16, 16));
    ToolBar2->setMinimumHeight(24);
    // Dragging it is a docking drag; its own drag is on while it sits in the band area. The grip
    // shows where to take hold.
    new TDockClient(ToolBar2);
    ToolBar2->addWidget(new TToolbarGrip(ToolBar2));
    const auto addButton = [this](const char *name, QAction *action) {
        auto *button = new QToolButton(ToolBar2);
        button->setObjectName(QLatin1String(name));
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setFixedWidth(28);
        // A screen reader names the button by what it does, never by the action's inner caption.
        button->setAccessibleName(action->statusTip());
        ToolBar2->addWidget(button);
        return button;
    };
    ToolButton1 = addButton("ToolButton1", ActPrior);
    ToolButton2 = addButton("ToolButton2", ActNext);
    ToolButton3 = addButton("ToolButton3", ActClose);
    ToolButton8 = addButton("ToolButton8", ActCloseAll);
    ToolButton5 = addButton("ToolButton5", ActPrint);
    ToolButton6 = addButton("ToolButton6", ActSave);
    ToolButton7 = addButton("ToolButton7", ActPreview);

    Panel1 = new TSearchPanel(ToolBar2);
    CmbBoxType = new QComboBox(Panel1);
    CmbBoxType->setObjectName(QStringLiteral("CmbBoxType"));
    for (int index = 0; index < LookupModeCount; ++index)
        CmbBoxType->addItem(QString::fromStdString(LookupModeLabel(LookupModeFromIndex(index))));
    CmbBoxType->setCurrentIndex(-1);
    Label2 = new QLabel(Utf8Text("查询："), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    CmbBook = new TQueryBox(Panel1);
    CmbBook->setObjectName(QStringLiteral("CmbBook"));
    CmbBook->setInsertPolicy(QComboBox::NoInsert);
    CmbBook->setDuplicatesEnabled(true);
    CmbBook->setCompleter(nullptr);
    CmbBook->setMaxVisibleItems(8);
    CmbBook->setFixedWidth(128);
    Label2->setBuddy(CmbBook);
    // The combo box is named by its label on this platform; its text field by its own name.
    CmbBook->setAccessibleName(Utf8Text("查询"));
    CmbBook->lineEdit()->setAccessibleName(Utf8Text("查询"));
    Panel1->SetControls(CmbBoxType, Label2, CmbBook);
    ToolBar2->addWidget(Panel1);

    BtnBookOK = new QToolButton(ToolBar2);
    BtnBookOK->setObjectName(QStringLiteral("BtnBookOK"));
    BtnBookOK->setIcon(ImageList1(9));
    BtnBookOK->setToolTip(Utf8Text("查询"));
    BtnBookOK->setStatusTip(Utf8Text("查询"));
    BtnBookOK->setAccessibleName(Utf8Text("查询"));
    BtnBookOK->setAutoRaise(true);
    BtnBookOK->setFixedWidth(28);
    ToolBar2->addWidget(BtnBookOK);
    // The toolbar never puts the query panel into its » menu: it is as wide as its controls at
    // their narrowest, and the window with it.
    int needed = 0;
    const QList<QAction *> items = ToolBar2->actions();
    for (QAction *item : items) {
        if (const QWidget *control = ToolBar2->widgetForAction(item))
            needed += std::max(control->minimumWidth(), control->minimumSizeHint().width());
    }
    QStyle *style = ToolBar2->style();
    needed += int(items.size() - 1) * style->pixelMetric(QStyle::PM_ToolBarItemSpacing)
              + 2
                    * (style->pixelMetric(QStyle::PM_ToolBarFrameWidth)
                       + style->pixelMetric(QStyle::PM_ToolBarItemMargin))
              + style->pixelMetric(QStyle::PM_ToolBarExtensionExtent);
    ToolBar2->setMinimumWidth(needed);
    CoolBar1->AppendBand(ToolBar2);

    // Band 3: the encyclopaedia check list.
    PnlBook = new QFrame(CoolBar1);
    PnlBook->setObjectName(QStringLiteral("PnlBook"));
    PnlBook->setFrameShape(QFrame::NoFrame);
    auto *pnlBookLayout = new QVBoxLayout(PnlBook);
    pnlBookLayout->setContentsMargins(0, 0, 0, 0);
    CkLstBookshop = new TCheckListBox(PnlBook);
    CkLstBookshop->setObjectName(QStringLiteral("CkLstBookshop"));
    // Named by what its ticks choose; each row keeps its site's name.
    CkLstBookshop->setAccessibleName(Utf8Text("要查询的百科全书"));
    CkLstBookshop->setFixedHeight(18 + 4);
    // The face colour of the band area around it.
    CkLstBookshop->viewport()->setBackgroundRole(QPalette::Button);
    pnlBookLayout->addWidget(CkLstBookshop, 0, Qt::AlignBottom);
    CoolBar1->AppendBand(PnlBook);

    // Page area: the start page panel underneath, the result pages on top.
    Panel2 = new QFrame(form);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Sunken);
    auto *pageStack = new QStackedLayout(Panel2);
    pageStack->setStackingMode(QStackedLayout::StackAll);
    pageStack->setContentsMargins(1, 1, 1, 1);
    PnlWbAD = new QFrame(Panel2);
    PnlWbAD->setObjectName(QStringLiteral("PnlWbAD"));
    auto *startLayout = new QVBoxLayout(PnlWbAD);
    startLayout->setContentsMargins(0, 0, 0, 0);
    WbAd = new TWebBrowser(PnlWbAD);
    WbAd->setObjectName(QStringLiteral("WbAd"));
    // Designed silent: the start page may not raise dialogs of its own either.
    WbAd->SetSilent(true);
    startLayout->addWidget(WbAd);
    PageControl1 = new TResultPages(Panel2);
    pageStack->addWidget(PnlWbAD);
    pageStack->addWidget(PageControl1);
    mainLayout->addWidget(Panel2, 1);

    StatusBar1 = new QStatusBar(form);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(300);
    StatusPanel0->setAccessibleName(Utf8Text("提示"));
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setFixedWidth(50);
    StatusPanel1->setAccessibleName(Utf8Text("状态"));
    StatusBar1->addWidget(StatusPanel0);
    StatusBar1->addWidget(StatusPanel1);
    mainLayout->addWidget(StatusBar1);
}

void TMainControls::CreateMenus(QWidget *form)
{
    // A real menu bar in the band: mnemonics, Alt alone, Left and Right between open menus and
    // Escape behave as the keyboard expects of a menu bar.
    MainMenu1 = new QMenuBar(ToolBar1);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);
    ToolBar1->addWidget(MainMenu1);
    const auto addTopItem = [this](const char *caption, const char *name) {
        QMenu *menu = MainMenu1->addMenu(Utf8Text(caption));
        menu->setObjectName(QLatin1String(name));
        TApplicationHint::HighlightDisabledItems(menu);
        return menu;
    };
    // F10 opens the first menu, from there the arrow keys lead on.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), form);
    QObject::connect(menuKey, &QShortcut::activated, MainMenu1,
                     [this] { MainMenu1->setActiveAction(MainMenu1File->menuAction()); });
    const auto addBoundItem = [](QMenu *menu, const char *name, QAction *action) {
        auto *item = new QAction(menu);
        item->setObjectName(QLatin1String(name));
        BindMenuItem(item, action);
        menu->addAction(item);
        return item;
    };

    MainMenu1File = addTopItem("文件(&F)", "MainMenu1File");
    N4 = addBoundItem(MainMenu1File, "N4", ActCloseAll);
    N5 = addBoundItem(MainMenu1File, "N5", ActCloseAll);
    mnuClose = addBoundItem(MainMenu1File, "mnuClose", ActClose);
    mnuClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    MainMenu1File->addSeparator();
    ActSave1 = addBoundItem(MainMenu1File, "ActSave1", ActSave);
    MainMenu1File->addSeparator();
    mnuPageSetup = addBoundItem(MainMenu1File, "mnuPageSetup", ActPageSetup);
    mnuPreview = addBoundItem(MainMenu1File, "mnuPreview", ActPreview);
    mnuPrint = addBoundItem(MainMenu1File, "mnuPrint", ActPrint);
    MainMenu1File->addSeparator();
    mnuExit = MainMenu1File->addAction(Utf8Text("退出(&X)"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    // The keys every desktop program has for these.
    ActSave1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    MainMenu1Edit = addTopItem("编辑(&E)", "MainMenu1Edit");
    mnuCopy = addBoundItem(MainMenu1Edit, "mnuCopy", ActCopy);
    mnuCut = addBoundItem(MainMenu1Edit, "mnuCut", ActCut);
    mnuPaste = addBoundItem(MainMenu1Edit, "mnuPaste", ActPaste);
    MainMenu1Edit->addSeparator();
    mnuSelectAll = addBoundItem(MainMenu1Edit, "mnuSelectAll", ActSelectAll);

    MainMenu1View = addTopItem("查看(&V)", "MainMenu1View");
    NViewStatusBar = MainMenu1View->addAction(Utf8Text("状态栏(&B)"));
    NViewStatusBar->setObjectName(QStringLiteral("NViewStatusBar"));
    NViewStatusBar->setCheckable(true);
    NViewStatusBar->setChecked(true);
    NViewToolBar = MainMenu1View->addAction(Utf8Text("标准按钮(&T)"));
    NViewToolBar->setObjectName(QStringLiteral("NViewToolBar"));
    NViewToolBar->setCheckable(true);
    NViewToolBar->setChecked(true);
    NViewSideBySide = MainMenu1View->addAction(Utf8Text("并排显示(&S)"));
    NViewSideBySide->setObjectName(QStringLiteral("NViewSideBySide"));
    NViewSideBySide->setCheckable(true);
    // Every browser reloads its page with F5 and Ctrl+R; the key also brings back a page whose
    // process has ended.
    mnuRefresh = MainMenu1View->addAction(Utf8Text("刷新(&R)"));
    mnuRefresh->setObjectName(QStringLiteral("mnuRefresh"));
    mnuRefresh->setStatusTip(Utf8Text("重新加载当前页"));
    mnuRefresh->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
    mnuRefresh->setEnabled(false);
    // Keys for the pages, shown where a keyboard user looks for them. The previous and next
    // page items are named by the actions' hints: their captions are no text for a user.
    MainMenu1View->addSeparator();
    // Their keys go round at the ends, as a browser's do, while the buttons stop there
    // (TPageCommands): the items are not bound to the actions.
    mnuPrior = MainMenu1View->addAction(ActPrior->statusTip());
    mnuPrior->setObjectName(QStringLiteral("mnuPrior"));
    mnuPrior->setIcon(ActPrior->icon());
    // One sequence for Ctrl+Shift+Tab: the toolkit matches it in more than one spelling, and a
    // key two sequences of an action match is ambiguous and does nothing.
    mnuPrior->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_PageUp),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    mnuNext = MainMenu1View->addAction(ActNext->statusTip());
    mnuNext->setObjectName(QStringLiteral("mnuNext"));
    mnuNext->setIcon(ActNext->icon());
    for (QAction *item : {mnuPrior, mnuNext})
        item->setEnabled(false);
    mnuNext->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_Tab)});
    mnuQueryBox = MainMenu1View->addAction(Utf8Text("转到查询框(&Q)"));
    mnuQueryBox->setObjectName(QStringLiteral("mnuQueryBox"));
    // F6 goes round between the query box and the page (TPageCommands).
    mnuQueryBox->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D)});
    // From anywhere in the program, the floating toolbar and the pages included.
    for (QAction *item :
         {mnuClose, mnuPrior, mnuNext, mnuQueryBox, mnuRefresh, ActSave1, mnuPrint, mnuExit})
        item->setShortcutContext(Qt::ApplicationShortcut);
}

} // namespace tellaria
