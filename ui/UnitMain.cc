#include "ui/UnitMain.h"

#include "platform/Application.h"
#include "platform/ApplicationHint.h"
#include "platform/CheckListBox.h"
#include "platform/CoolBar.h"
#include "platform/Docking.h"
#include "platform/IdleTime.h"
#include "platform/InputMethod.h"
#include "platform/QueryBox.h"
#include "platform/TabLoadMark.h"
#include "platform/WebBrowser.h"
#include "platform/WindowFrame.h"
#include "ui/ImageList.h"
#include "ui/Unit2.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QStackedLayout>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tellaria {

namespace {

constexpr int DesignWidth = 729;
constexpr int DesignHeight = 528;
// How long a closed page lives on hidden: longer than the engine takes to send a query's requests.
constexpr int FreePagesAfterMs = 400;
// How long after the last page was freed the freed memory goes back to the system.
constexpr int ReleaseMemoryAfterMs = 200;

QString Utf8Text(const char *text)
{
    return QString::fromUtf8(text);
}

// Makes `item` follow `action` as a menu item bound to an action does: caption, icon, hint and
// enabled state come from the action, and choosing the item runs it.
void BindMenuItem(QAction *item, QAction *action)
{
    const auto follow = [item, action] {
        item->setText(action->text());
        item->setIcon(action->icon());
        item->setStatusTip(action->statusTip());
        item->setEnabled(action->isEnabled());
    };
    follow();
    QObject::connect(action, &QAction::changed, item, follow);
    QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
}

// Paths go to the file system in its own encoding, whatever code page the texts use: a home
// directory named in Chinese must still be found.
std::string FileSystemPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// Whether the term is blank: nothing but spaces and control characters, which the query's
// blank test trims from either end.
bool IsBlankTerm(const QString &text)
{
    for (const QChar character : text) {
        if (character.unicode() > 0x20)
            return false;
    }
    return true;
}

const char StartPageFallbackHtml[] = R"HTML(<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Tellaria</title>
<style>body{font-family:sans-serif;margin:3em;color:#333}h1{font-weight:normal}</style>
</head><body><h1>Tellaria</h1>
<p>在上方输入要查询的内容，选择查询方式，然后按回车键或“查询”按钮，即可同时在多个网上工具书中查看结果。</p>
</body></html>)HTML";

} // namespace

QString ExecutableDirectory()
{
    return QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
}

TTabSheet::TTabSheet(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

TfrmMain::TfrmMain(const QString &programDirectory, QWidget *parent)
    : QWidget(parent)
    , m_programDirectory(programDirectory)
{
    setObjectName(QStringLiteral("frmMain"));
    if (!m_programDirectory.endsWith(QLatin1Char('/')))
        m_programDirectory += QLatin1Char('/');
    resize(DesignWidth, DesignHeight);
    CreateActions();
    CreateControls();
    CreateMenus();
    // The window opens ready for typing a term.
    CmbBook->setFocus(Qt::OtherFocusReason);
    RunReportingErrors([this] { FormCreate(); });
    // A page's browser leaves much freed memory in the heap, which the C library keeps for later
    // unless told otherwise: query after query the program would grow.
    m_releaseMemory.setSingleShot(true);
    m_releaseMemory.setInterval(ReleaseMemoryAfterMs);
    connect(&m_releaseMemory, &QTimer::timeout, this, [] {
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
    });
    AtIdle(this, [this] { ActionList1Update(); });
}

TfrmMain::~TfrmMain()
{
    // Floating windows are the application's, but none outlives the program's main window.
    for (const QPointer<TfrmFloating> &window : std::as_const(m_floatingWindows))
        delete window.data();
}

void TfrmMain::CreateActions()
{
    struct ActionDesign
    {
        QAction *TfrmMain::*Field;
        const char *Name;
        const char *Caption;
        const char *Hint;
        int Image;
        void (TfrmMain::*Execute)();
    };
    const ActionDesign designs[] = {
        {&TfrmMain::ActPrior, "ActPrior", "ActPrior", "前一页", 0, &TfrmMain::ActPriorExecute},
        {&TfrmMain::ActNext, "ActNext", "ActNext", "后一页", 1, &TfrmMain::ActNextExecute},
        {&TfrmMain::ActClose, "ActClose", "关闭当前页(&C)", "关闭当前页", 2,
         &TfrmMain::ActCloseExecute},
        {&TfrmMain::ActCloseAll, "ActCloseAll", "关闭所有页", "关闭所有页", 7,
         &TfrmMain::ActCloseAllExecute},
        {&TfrmMain::ActSave, "ActSave", "保存(&S)", "保存", 5, &TfrmMain::ActSaveExecute},
        {&TfrmMain::ActPreview, "ActPreview", "打印预览", "打印预览", 6,
         &TfrmMain::ActPreviewExecute},
        {&TfrmMain::ActPrint, "ActPrint", "打印(&P)", "打印", 4, &TfrmMain::ActPrintExecute},
        {&TfrmMain::ActPageSetup, "ActPageSetup", "页面设置", "", -1,
         &TfrmMain::ActPageSetupExecute},
        {&TfrmMain::ActCopy, "ActCopy", "复制(&C)", "", -1, &TfrmMain::ActCopyExecute},
        {&TfrmMain::ActCut, "ActCut", "剪切(&X)", "", -1, &TfrmMain::ActCutExecute},
        {&TfrmMain::ActPaste, "ActPaste", "粘贴(&P)", "", -1, &TfrmMain::ActPasteExecute},
        {&TfrmMain::ActSelectAll, "ActSelectAll", "全选(&A)", "", -1,
         &TfrmMain::ActSelectAllExecute},
    };
    for (const ActionDesign &design : designs) {
        auto *action = new QAction(Utf8Text(design.Caption), this);
        action->setObjectName(QLatin1String(design.Name));
        action->setStatusTip(Utf8Text(design.Hint));
        action->setToolTip(Utf8Text(design.Hint));
        if (design.Image >= 0)
            action->setIcon(ImageList1(design.Image));
        action->setEnabled(false);
        // No keyboard shortcuts: the keyboard reaches commands only through the mnemonics.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setMenuRole(QAction::NoRole);
        ConnectUserAction(action, &QAction::triggered, this,
                          [this, execute = design.Execute] { (this->*execute)(); });
        this->*design.Field = action;
    }
}

void TfrmMain::CreateControls()
{
    auto *mainLayout = new QVBoxLayout(this);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);

    CoolBar1 = new TCoolBar(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->OnDockOver
        = [this](TDragDockObject &source, const QPoint &position, TDragState state, bool &accept) {
              CoolBar1DockOver(source, position, state, accept);
          };
    CoolBar1->OnDockDrop = [this](TDragDockObject &source, const QPoint &position) {
        CoolBar1DockDrop(source, position);
    };
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
    // Dragging it is a docking drag; its own drag is on while it sits in the band area.
    new TDockClient(ToolBar2);
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

    Panel1 = new QFrame(ToolBar2);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setFixedWidth(417);
    auto *panel1Layout = new QHBoxLayout(Panel1);
    panel1Layout->setContentsMargins(96, 1, 1, 1);
    panel1Layout->setSpacing(4);
    CmbBoxType = new QComboBox(Panel1);
    CmbBoxType->setObjectName(QStringLiteral("CmbBoxType"));
    CmbBoxType->setFixedWidth(145);
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
    CmbBook->setAccessibleName(Utf8Text("查询"));
    CmbBook->OnKeyPress = [this](QKeyEvent *event) { return CmbBookKeyPress(event); };
    CmbBook->OnCommitAtEnd = [this](const QString &typed) { CompleteQueryText(typed); };
    panel1Layout->addWidget(CmbBoxType);
    panel1Layout->addWidget(Label2);
    panel1Layout->addWidget(CmbBook);
    panel1Layout->addStretch();
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
    CoolBar1->AppendBand(ToolBar2);

    // Band 3: the encyclopaedia check list.
    PnlBook = new QFrame(CoolBar1);
    PnlBook->setObjectName(QStringLiteral("PnlBook"));
    PnlBook->setFrameShape(QFrame::NoFrame);
    auto *pnlBookLayout = new QVBoxLayout(PnlBook);
    pnlBookLayout->setContentsMargins(0, 0, 0, 0);
    CkLstBookshop = new TCheckListBox(PnlBook);
    CkLstBookshop->setObjectName(QStringLiteral("CkLstBookshop"));
    CkLstBookshop->setFixedHeight(18 + 4);
    // The face colour of the band area around it.
    CkLstBookshop->viewport()->setBackgroundRole(QPalette::Button);
    pnlBookLayout->addWidget(CkLstBookshop, 0, Qt::AlignBottom);
    CoolBar1->AppendBand(PnlBook);

    for (QWidget *control : {static_cast<QWidget *>(CmbBook), static_cast<QWidget *>(CmbBoxType),
                             static_cast<QWidget *>(CkLstBookshop)}) {
        control->setProperty("ImeName", Utf8Text(PreferredInputMethod));
        control->installEventFilter(this);
    }

    // Page area: the start page panel underneath, the result pages on top.
    Panel2 = new QFrame(this);
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
    RequestStartPage();
    PageControl1 = new QTabWidget(Panel2);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);
    // Opaque, the strip beside the tabs and an empty page area included: the start page below
    // must not show through.
    PageControl1->setAutoFillBackground(true);
    pageStack->addWidget(PnlWbAD);
    pageStack->addWidget(PageControl1);
    mainLayout->addWidget(Panel2, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(300);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setFixedWidth(50);
    StatusBar1->addWidget(StatusPanel0);
    StatusBar1->addWidget(StatusPanel1);
    mainLayout->addWidget(StatusBar1);

    ConnectUserAction(BtnBookOK, &QToolButton::clicked, this, [this] { BtnBookOKClick(); });
    ConnectUserAction(CmbBoxType, &QComboBox::activated, this, [this] { CmbBoxTypeChange(); });
    ConnectUserAction(CkLstBookshop, &TCheckListBox::Click, this, [this] { CkLstBookshopClick(); });
    // The query button follows every change of a check, by mouse, Space or anything else.
    ConnectUserAction(CkLstBookshop, &QListWidget::itemChanged, this,
                      [this] { CkLstBookshopClick(); });
}

void TfrmMain::CreateMenus()
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
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { MainMenu1->setActiveAction(MainMenu1File->menuAction()); });
    const auto addBoundItem = [this](QMenu *menu, const char *name, QAction *action) {
        auto *item = new QAction(menu);
        item->setObjectName(QLatin1String(name));
        BindMenuItem(item, action);
        menu->addAction(item);
        return item;
    };

    MainMenu1File = addTopItem("文件(&F)", "MainMenu1File");
    N4 = addBoundItem(MainMenu1File, "N4", ActCloseAll);
    N5 = addBoundItem(MainMenu1File, "N5", ActCloseAll);
    MainMenu1File->addSeparator();
    ActSave1 = addBoundItem(MainMenu1File, "ActSave1", ActSave);
    MainMenu1File->addSeparator();
    mnuPageSetup = addBoundItem(MainMenu1File, "mnuPageSetup", ActPageSetup);
    mnuPreview = addBoundItem(MainMenu1File, "mnuPreview", ActPreview);
    mnuPrint = addBoundItem(MainMenu1File, "mnuPrint", ActPrint);
    MainMenu1File->addSeparator();
    mnuExit = MainMenu1File->addAction(Utf8Text("退出(&X)"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    ConnectUserAction(mnuExit, &QAction::triggered, this, [this] { mnuExitClick(); });

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
    // Qt inverts a check item's check before `triggered`; the handlers invert it themselves.
    ConnectUserAction(NViewStatusBar, &QAction::triggered, this, [this] {
        NViewStatusBar->setChecked(!NViewStatusBar->isChecked());
        NViewStatusBarClick();
    });
    NViewToolBar = MainMenu1View->addAction(Utf8Text("标准按钮(&T)"));
    NViewToolBar->setObjectName(QStringLiteral("NViewToolBar"));
    NViewToolBar->setCheckable(true);
    NViewToolBar->setChecked(true);
    ConnectUserAction(NViewToolBar, &QAction::triggered, this, [this] {
        NViewToolBar->setChecked(!NViewToolBar->isChecked());
        NViewToolBarClick();
    });
}

// ---------------------------------------------------------------------------------------------
// Life cycle

void TfrmMain::FormCreate()
{
    NoteTime("form create");
    m_pageIdCounter = 0;
    m_settings = std::make_unique<SettingsFile>(FileSystemPath(m_programDirectory)
                                                + std::string(SettingsFileName));

    const QSize screen = QGuiApplication::primaryScreen()->size();
    WindowSize stored;
    stored.Width = m_settings->ReadIntValue("Form", "Width", width());
    stored.Height = m_settings->ReadIntValue("Form", "height", height());
    const WindowSize size = CorrectWindowSize(stored, {screen.width(), screen.height()});
    // The stored size is the outer one. A window manager that tells its frame in advance lets
    // the window appear at that size; otherwise the frame is known once the window is on the
    // screen, and the window is resized then (event()).
    m_outerSize = QSize(size.Width, size.Height);
    const std::optional<QMargins> frame = AskFrameMargins(this);
    resize(frame ? m_outerSize.shrunkBy(*frame) : m_outerSize);
    move(QGuiApplication::primaryScreen()->availableGeometry().center() - rect().center());

    m_sites = BuildSiteTable();
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    TDockClient::Of(ToolBar2)->SetFloatingWindowClass([this]() -> TDockTarget * {
        auto *window = new TfrmFloating;
        m_floatingWindows.append(window);
        return window;
    });
    CkLstBookshop->SetColumns(SiteCount);
    CkLstBookshop->clear();

    // A history that cannot be read is reported once the steps below have run, so the window is
    // fully usable (check list, start page) with an empty history.
    const Status loaded = m_history.LoadQueryHistory(FileSystemPath(m_programDirectory));
    RefreshQueryBoxItems();
    NoteTime("history");

    for (const LookupSite &site : m_sites)
        CkLstBookshop->AddRow(QString::fromStdString(site.Name), true);
    NoteTime("check list");
    TApplicationHint::Instance().SetHandler(this, [this](const QString &hint) { ShowHint(hint); });
    NoteTime("hint");
    PageControl1->hide();
    PnlWbAD->show();

    if (!loaded.Ok())
        TApplication::ReportError(QString::fromStdString(loaded.Message()));
}

void TfrmMain::RequestStartPage()
{
    // Asked for as soon as its browser exists, ahead of the rest of the window: the request
    // leaves only once the event loop runs, and the engine's work towards it on its own threads
    // (the page's renderer process above all) overlaps with building and showing the window.
    connect(WbAd->page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo &info) {
                if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus
                    && !m_startPageStarted) {
                    m_startPageStarted = true;
                    // Queued: the engine finishes the work at hand before the window paints.
                    if (m_firstShowPending)
                        QMetaObject::invokeMethod(this, &TfrmMain::FirstShow, Qt::QueuedConnection);
                }
                if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus
                    && info.url().scheme() != QLatin1String("data"))
                    ShowStartPageFallback();
                // What a query needs and start-up does not is made once the start page is in.
                if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                    Printer();
            });
    WbAd->Navigate(QString::fromUtf8(StartPageUrl.data(), qsizetype(StartPageUrl.size())));
    NoteTime("start page");
}

void TfrmMain::ShowOnceStartPageStarts(int limitMs)
{
    m_firstShowPending = true;
    QTimer::singleShot(m_startPageStarted ? 0 : limitMs, this, &TfrmMain::FirstShow);
}

void TfrmMain::FirstShow()
{
    // Once only, whichever comes first: the start of the load or the limit.
    if (!m_firstShowPending)
        return;
    m_firstShowPending = false;
    // A termination signal may have closed the window before it was ever shown.
    if (m_closed)
        return;
    show();
    emit FirstShown();
}

QPrinter &TfrmMain::Printer()
{
    // Made on first need: setting one up asks the print system, which start-up should not wait
    // for.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TfrmMain::ShowStartPageFallback()
{
    // No network, an unknown host or an HTTP error: a page of our own instead of the engine's.
    WbAd->setHtml(QString::fromUtf8(StartPageFallbackHtml), QUrl(QStringLiteral("data:,")));
}

bool TfrmMain::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    const QEvent::Type type = event->type();
    if (m_outerSize.isValid() && isVisible()
        && (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)) {
        // A frame may have a title bar and no side borders (metacity): known as soon as
        // either dimension is. Without a window manager it stays null, and outer is client.
        const QSize frame = frameGeometry().size() - size();
        if (!frame.isNull()) {
            const QSize client = m_outerSize - frame;
            m_outerSize = QSize();
            resize(client);
        }
    }
    return handled;
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        RunReportingErrors([this] { FormShow(); });
    }
}

void TfrmMain::FormShow()
{
    CmbBoxType->setCurrentIndex(StoredLookupMode());
    CmbBoxTypeChange();
}

int TfrmMain::StoredLookupMode() const
{
    const int index = m_settings ? m_settings->ReadIntValue("Dictionary", "ID", 0) : 0;
    return index >= 0 && index < LookupModeCount ? index : -1;
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted() || m_closed)
        return;
    m_closed = true;
    FormClose();
    // The floating windows end with the program, unasked, and must not hold its quit up.
    for (const QPointer<TfrmFloating> &window : std::as_const(m_floatingWindows)) {
        if (window)
            window->EndWithProgram();
    }
    emit Closed();
}

void TfrmMain::FormClose()
{
    // Each save is tried on its own, so a file that cannot be written costs only itself, and
    // every failure is reported. A history whose load failed is not saved: its file is kept.
    QStringList failures;
    const auto attempt = [&failures](const Status &saved) {
        const QString message = QString::fromStdString(saved.Message());
        if (!saved.Ok() && !failures.contains(message))
            failures << message;
    };
    attempt(m_history.SaveQueryHistory(FileSystemPath(m_programDirectory)));
    if (m_settings) {
        // A window closed before it was ever shown (a logout while the program starts) has
        // neither its frame nor its stored mode yet: it keeps the size and mode it was given.
        const QSize outer = m_shown ? frameGeometry().size() : m_outerSize;
        const int mode = m_shown ? CmbBoxType->currentIndex() : StoredLookupMode();
        attempt(m_settings->WriteIntValue("Form", "width", outer.width()));
        attempt(m_settings->WriteIntValue("Form", "Height", outer.height()));
        attempt(m_settings->WriteIntValue("Dictionary", "ID", mode));
        m_settings.reset();
    }
    if (!failures.isEmpty())
        TApplication::ReportErrors(failures);
}

void TfrmMain::mnuExitClick()
{
    close();
}

// ---------------------------------------------------------------------------------------------
// Query

void TfrmMain::BtnBookOKClick()
{
    const QString text = CmbBook->currentText();
    if (IsBlankTerm(text)) {
        QMessageBox::information(this, QString::fromLatin1(ApplicationTitle),
                                 Utf8Text("请输入要搜索的内容！"));
        return;
    }
    const std::string term = text.toStdString();
    if (m_history.RecordQuery(term))
        RefreshQueryBoxItems();
    NoteTime("recorded");

    SiteChecks checked{};
    for (int row = 0; row < SiteCount; ++row)
        checked[std::size_t(row)] = CkLstBookshop->Checked(row);
    const QueryPlan plan
        = MakeQueryPlan(LookupModeFromIndex(CmbBoxType->currentIndex()), term, checked, m_sites);

    PageControl1->show();
    PageControl1->raise();
    const int oldCount = PageControl1->count();
    m_openingPage = 0;
    {
        const auto closeOld = qScopeGuard([&] {
            for (int index = oldCount - 1; index >= 0; --index)
                DisposePage(index);
            if (PageControl1->count() > 0)
                PageControl1->setCurrentIndex(0);
            NoteTime("cleared");
        });
        for (const PageRequest &request : plan) {
            ++m_openingPage;
            OpenPage(request);
        }
        NoteTime("opened");
    }
}

void TfrmMain::SelectLookupMode(int mode)
{
    if (mode < 0 || mode >= LookupModeCount)
        return;
    CmbBoxType->setCurrentIndex(mode);
    CmbBoxTypeChange();
}

void TfrmMain::QueryTerm(const QString &term, int mode)
{
    SelectLookupMode(mode);
    CmbBook->setEditText(term);
    RunReportingErrors([this] { BtnBookOKClick(); });
}

TWebBrowser *TfrmMain::CreateBrowser(QWidget *page)
{
    return new TWebBrowser(page);
}

void TfrmMain::OpenPage(const PageRequest &request)
{
    ++m_pageIdCounter;
    auto *page = new TTabSheet(PageControl1);
    page->setObjectName(QStringLiteral("TabSheet%1").arg(m_pageIdCounter));
    PageControl1->addTab(page, QString::fromStdString(request.Title));
    page->Tag = m_pageIdCounter;

    TWebBrowser *browser = CreateBrowser(page);
    NoteTime("created", m_openingPage);
    browser->SetResizable(true);
    browser->SetSilent(true);
    page->layout()->addWidget(browser);
    browser->Tag = m_pageIdCounter;
    page->Browser = browser;
    browser->SetPrinter(&Printer());
    new TTabLoadMark(PageControl1, page, browser);
    if (request.Filtered)
        browser->OnBeforeNavigate2 = &TfrmMain::BeforeNavigate2;
    browser->Navigate(QString::fromStdString(request.Url), QVariant(), QVariant(), QVariant(),
                      QVariant());
    NoteTime("navigated", m_openingPage);
}

void TfrmMain::BeforeNavigate2(TWebBrowser *, const QUrl &url, bool, bool &cancel)
{
    cancel = IsAdServerNavigation(url.toString().toStdString());
}

TWebBrowser *TfrmMain::ActiveBrowser() const
{
    if (PageControl1->count() == 0)
        return nullptr;
    const auto *page = qobject_cast<const TTabSheet *>(PageControl1->currentWidget());
    // The page's own browser: the only one with its tag, since a page holds exactly one.
    if (!page || !page->Browser || page->Browser->Tag != page->Tag)
        return nullptr;
    return page->Browser;
}

void TfrmMain::DisposePage(int index)
{
    auto *page = static_cast<TTabSheet *>(PageControl1->widget(index));
    // The keyboard focus must not die with the page: it goes back to the query box.
    if (QWidget *focus = focusWidget(); focus && page->isAncestorOf(focus))
        CmbBook->setFocus(Qt::OtherFocusReason);
    PageControl1->removeTab(index);
    page->hide();
    // The page's browser goes with it, but not now: freeing a browser costs the user-interface
    // thread several milliseconds, and the engine's own work for the pages just opened (which
    // runs on that thread, task by task between the window's events) must not queue behind it.
    // Once the new pages' requests are out, the old pages go with deleteLater, so that the
    // engine's signals still queued for them are delivered first; a page whose browser still
    // prints goes when the job ends.
    QTimer::singleShot(FreePagesAfterMs, page, [this, page] {
        DeleteWhenIdle(page, page->Browser.data());
        m_releaseMemory.start();
    });
}

void TfrmMain::CloseAllPages()
{
    for (int index = PageControl1->count() - 1; index >= 0; --index)
        DisposePage(index);
}

void TfrmMain::ShowStartPanelWhenNoPages()
{
    PageControl1->setVisible(PageControl1->count() > 0);
    PnlWbAD->setVisible(!PageControl1->isVisible());
    if (PageControl1->isVisible())
        PageControl1->raise();
}

void TfrmMain::CmbBoxTypeChange()
{
    PnlBook->setVisible(LookupModeFromIndex(CmbBoxType->currentIndex())
                        == LookupMode::Encyclopaedias);
}

void TfrmMain::CkLstBookshopClick()
{
    BtnBookOK->setEnabled(false);
    for (int row = 0; row < SiteCount; ++row) {
        if (CkLstBookshop->Checked(row)) {
            BtnBookOK->setEnabled(true);
            break;
        }
    }
}

void TfrmMain::ActPriorExecute()
{
    if (PageControl1->currentIndex() > 0)
        PageControl1->setCurrentIndex(PageControl1->currentIndex() - 1);
}

void TfrmMain::ActNextExecute()
{
    if (PageControl1->currentIndex() < PageControl1->count() - 1)
        PageControl1->setCurrentIndex(PageControl1->currentIndex() + 1);
}

void TfrmMain::ActCloseExecute()
{
    if (PageControl1->count() > 0)
        DisposePage(PageControl1->currentIndex());
    ShowStartPanelWhenNoPages();
}

void TfrmMain::ActCloseAllExecute()
{
    const auto answer = QMessageBox::question(
        this, QString::fromLatin1(ApplicationTitle), Utf8Text("确实要关闭所有查询结果吗？"),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    if (answer != QMessageBox::Ok)
        return;
    CloseAllPages();
    ShowStartPanelWhenNoPages();
}

// ---------------------------------------------------------------------------------------------
// Browser commands

void TfrmMain::ActionList1Update()
{
    const int index = PageControl1->currentIndex();
    const int count = PageControl1->count();
    ActPrior->setEnabled(index > 0);
    ActNext->setEnabled(index < count - 1);
    ActClose->setEnabled(count > 0);
    ActCloseAll->setEnabled(count > 0);

    QAction *const commandActions[]
        = {ActSave, ActPreview, ActPrint, ActPageSetup, ActCopy, ActCut, ActPaste, ActSelectAll};
    const int commands[]
        = {OLECMDID_SAVEAS, OLECMDID_PRINTPREVIEW, OLECMDID_PRINT, OLECMDID_PAGESETUP,
           OLECMDID_COPY,   OLECMDID_CUT,          OLECMDID_PASTE, OLECMDID_SELECTALL};
    TWebBrowser *browser = ActiveBrowser();
    for (std::size_t i = 0; i < std::size(commands); ++i) {
        const bool available
            = browser
              && browser->QueryStatusWB(commands[i]) == (OLECMDF_SUPPORTED | OLECMDF_ENABLED);
        commandActions[i]->setEnabled(available);
    }
}

void TfrmMain::RunBrowserCommand(int commandId)
{
    TWebBrowser *browser = ActiveBrowser();
    if (browser && browser->QueryStatusWB(commandId) == (OLECMDF_SUPPORTED | OLECMDF_ENABLED))
        browser->ExecWB(commandId, OLECMDEXECOPT_DODEFAULT);
}

void TfrmMain::ActSaveExecute()
{
    RunBrowserCommand(OLECMDID_SAVEAS);
}
void TfrmMain::ActPreviewExecute()
{
    RunBrowserCommand(OLECMDID_PRINTPREVIEW);
}
void TfrmMain::ActPrintExecute()
{
    RunBrowserCommand(OLECMDID_PRINT);
}
void TfrmMain::ActPageSetupExecute()
{
    RunBrowserCommand(OLECMDID_PAGESETUP);
}
void TfrmMain::ActCopyExecute()
{
    RunBrowserCommand(OLECMDID_COPY);
}
void TfrmMain::ActCutExecute()
{
    RunBrowserCommand(OLECMDID_CUT);
}
void TfrmMain::ActPasteExecute()
{
    RunBrowserCommand(OLECMDID_PASTE);
}
void TfrmMain::ActSelectAllExecute()
{
    RunBrowserCommand(OLECMDID_SELECTALL);
}

// ---------------------------------------------------------------------------------------------
// View menu

void TfrmMain::NViewStatusBarClick()
{
    NViewStatusBar->setChecked(!NViewStatusBar->isChecked());
    StatusBar1->setVisible(NViewStatusBar->isChecked());
}

void TfrmMain::NViewToolBarClick()
{
    NViewToolBar->setChecked(!NViewToolBar->isChecked());
    // A floating toolbar is shown and hidden with its window, whatever the check says: the two
    // stay in step because only this item shows or hides a window that holds the toolbar.
    if (TfrmFloating *window = FloatingHost()) {
        window->setVisible(!window->isVisible());
        return;
    }
    ToolBar2->setVisible(NViewToolBar->isChecked());
}

// ---------------------------------------------------------------------------------------------
// Docking and hints

TfrmFloating *TfrmMain::FloatingHost() const
{
    return qobject_cast<TfrmFloating *>(ToolBar2->window());
}

void TfrmMain::CoolBar1DockOver(TDragDockObject &source, const QPoint &, TDragState, bool &accept)
{
    // Only a floating toolbar window docks here; the toolbar itself never does.
    accept = qobject_cast<TfrmFloating *>(source.Control()) != nullptr;
    if (accept) {
        const QRect client = CoolBar1->contentsRect();
        source.SetDockRect(QRect(CoolBar1->mapToGlobal(client.topLeft()), client.size()));
    }
}

void TfrmMain::CoolBar1DockDrop(TDragDockObject &source, const QPoint &)
{
    // Docking the toolbar below reports here again with the toolbar itself: nothing to do then.
    auto *window = qobject_cast<TfrmFloating *>(source.Control());
    if (!window)
        return;
    const QList<QWidget *> controls = window->DockClients();
    if (controls.isEmpty())
        return;
    QWidget *control = controls.first();
    TDockClient *client = TDockClient::Of(control);
    client->SetDragMode(TDragMode::Automatic);
    client->ManualDock(CoolBar1);
    // The emptied window is never used again: free it once its own drag has unwound.
    window->hide();
    window->deleteLater();
}

void TfrmMain::ShowHint(const QString &hint)
{
    StatusPanel0->setText(hint);
}

// ---------------------------------------------------------------------------------------------
// Query box

void TfrmMain::RefreshQueryBoxItems()
{
    // Refilling the list must leave the text being typed alone.
    QLineEdit *edit = CmbBook->lineEdit();
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    const QSignalBlocker blocker(CmbBook);
    CmbBook->clear();
    for (std::size_t index = 0; index < m_history.Count(); ++index)
        CmbBook->addItem(QString::fromStdString(m_history.EntryText(index)));
    CmbBook->setCurrentIndex(-1);
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

bool TfrmMain::CompleteQueryText(const QString &typed)
{
    const std::optional<std::size_t> match = m_history.FindCompletion(typed.toStdString());
    if (!match)
        return false;
    const QString entry = QString::fromStdString(m_history.EntryText(*match));
    if (entry.size() < typed.size())
        return false;
    {
        const QSignalBlocker blocker(CmbBook);
        CmbBook->setCurrentIndex(int(*match));
    }
    QLineEdit *edit = CmbBook->lineEdit();
    edit->setText(typed + entry.mid(typed.size()));
    // The completed rest is selected so that the next character replaces it.
    edit->setSelection(int(edit->text().size()), -int(entry.size() - typed.size()));
    return true;
}

bool TfrmMain::CmbBookKeyPress(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        NoteTime("enter");
        RunReportingErrors([this] { BtnBookOKClick(); });
        return false; // the box's own handling of Enter goes on
    }
    const QString text = event->text();
    const bool printable
        = !text.isEmpty() && text.at(0).unicode() >= 0x20 && key != Qt::Key_Backspace
          && key != Qt::Key_Tab && key != Qt::Key_Escape && key != Qt::Key_Delete
          && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!printable)
        return false;
    QLineEdit *edit = CmbBook->lineEdit();
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    // Completion extends only what is typed at the end of the text; editing in the middle
    // must not cut off what follows the cursor.
    const int end = edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
    if (end != edit->text().size())
        return false;
    return CompleteQueryText(edit->text().left(start) + text);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && watched->property("ImeName").isValid()) {
        RequestInputMethod(qobject_cast<QWidget *>(watched),
                           watched->property("ImeName").toString());
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tellaria
