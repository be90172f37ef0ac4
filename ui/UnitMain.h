#pragma once

// The main window: the band area with the menu, the standard buttons and the encyclopaedia
// check list; the start page panel and the result pages; the status bar. Its handlers carry
// the program's behaviour and hand the logic to the lookup core and the browser binding.

#include "core/LookupCatalogue.h"
#include "core/QueryHistory.h"
#include "core/SettingsFile.h"
#include "platform/DataDirectory.h"
#include "platform/QueryBox.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPrinter;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace tellaria {

class TCheckListBox;
class TCoolBar;
class TDragDockObject;
enum class TDragState;
class TWebBrowser;
class TfrmFloating;

// The directory of the running executable, with its trailing separator.
QString ExecutableDirectory();

// A result page: a tab whose tag is the PageId it shares with the browser inside it.
class TTabSheet : public QWidget
{
    Q_OBJECT
public:
    explicit TTabSheet(QWidget *parent = nullptr);
    int Tag = 0;
    // The browser inside, made with the page.
    QPointer<TWebBrowser> Browser;
};

class TfrmMain : public QWidget
{
    Q_OBJECT
public:
    // `programDirectory` (with its trailing separator) holds the settings and history files: by
    // default the executable's directory, or the user's configuration directory for the program
    // when that one is not writable (an installed copy).
    explicit TfrmMain(const QString &programDirectory = DataDirectory(ExecutableDirectory()),
                      QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Band area and its three bands.
    TCoolBar *CoolBar1 = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QToolBar *ToolBar2 = nullptr;
    QToolButton *ToolButton1 = nullptr;
    QToolButton *ToolButton2 = nullptr;
    QToolButton *ToolButton3 = nullptr;
    QToolButton *ToolButton8 = nullptr;
    QToolButton *ToolButton5 = nullptr;
    QToolButton *ToolButton6 = nullptr;
    QToolButton *ToolButton7 = nullptr;
    QFrame *Panel1 = nullptr;
    QComboBox *CmbBoxType = nullptr;
    QLabel *Label2 = nullptr;
    TQueryBox *CmbBook = nullptr;
    QToolButton *BtnBookOK = nullptr;
    QFrame *PnlBook = nullptr;
    TCheckListBox *CkLstBookshop = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanel0 = nullptr;
    QLabel *StatusPanel1 = nullptr;
    QFrame *Panel2 = nullptr;
    QFrame *PnlWbAD = nullptr;
    TWebBrowser *WbAd = nullptr;
    QTabWidget *PageControl1 = nullptr;

    // Menu.
    QMenuBar *MainMenu1 = nullptr;
    QMenu *MainMenu1File = nullptr;
    QMenu *MainMenu1Edit = nullptr;
    QMenu *MainMenu1View = nullptr;
    QAction *N4 = nullptr;
    QAction *N5 = nullptr;
    QAction *ActSave1 = nullptr;
    QAction *mnuPageSetup = nullptr;
    QAction *mnuPreview = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuCut = nullptr;
    QAction *mnuPaste = nullptr;
    QAction *mnuSelectAll = nullptr;
    QAction *NViewStatusBar = nullptr;
    QAction *NViewToolBar = nullptr;

    // ActionList1.
    QAction *ActPrior = nullptr;
    QAction *ActNext = nullptr;
    QAction *ActClose = nullptr;
    QAction *ActCloseAll = nullptr;
    QAction *ActSave = nullptr;
    QAction *ActPreview = nullptr;
    QAction *ActPrint = nullptr;
    QAction *ActPageSetup = nullptr;
    QAction *ActCopy = nullptr;
    QAction *ActCut = nullptr;
    QAction *ActPaste = nullptr;
    QAction *ActSelectAll = nullptr;

    const QString &ProgramDirectory() const { return m_programDirectory; }
    const QueryHistory &History() const { return m_history; }
    int PageIdCounter() const { return m_pageIdCounter; }
    // The printer the print, preview and page-setup commands of every page share.
    QPrinter &Printer();

    // The browser of the active result page: the one browser whose tag is the active page's
    // PageId, the page's own; null without pages.
    TWebBrowser *ActiveBrowser() const;

    // Shows the window once the engine has begun loading the start page, and at most `limitMs`
    // from now; then emits FirstShown. Until the engine has begun, a paint of the window would
    // hold up its work on this thread, and the start page's request with it.
    void ShowOnceStartPageStarts(int limitMs);
    // Between ShowOnceStartPageStarts and the show it promises.
    bool FirstShowPending() const { return m_firstShowPending; }

    // Runs a query for `term` as Enter in the query box does, first picking lookup mode `mode`
    // (the settings' ID) when it is one: for the command line and for later starts.
    void QueryTerm(const QString &term, int mode = -1);
    // Picks lookup mode `mode` (0 to 3) in the mode selector as the user does; others are ignored.
    void SelectLookupMode(int mode);

    // Handlers.
    void BtnBookOKClick();
    void CmbBoxTypeChange();
    void CkLstBookshopClick();
    void ActionList1Update();
    void ActPriorExecute();
    void ActNextExecute();
    void ActCloseExecute();
    void ActCloseAllExecute();
    void ActSaveExecute();
    void ActPreviewExecute();
    void ActPrintExecute();
    void ActPageSetupExecute();
    void ActCopyExecute();
    void ActCutExecute();
    void ActPasteExecute();
    void ActSelectAllExecute();
    void NViewStatusBarClick();
    void NViewToolBarClick();
    // The band area takes only a floating toolbar window, outlining itself as the target.
    void CoolBar1DockOver(TDragDockObject &source,
                          const QPoint &position,
                          TDragState state,
                          bool &accept);
    // A floating toolbar window dropped on the band area: its toolbar becomes the last band.
    void CoolBar1DockDrop(TDragDockObject &source, const QPoint &position);
    // The application's hint has changed: status bar panel 0 shows it.
    void ShowHint(const QString &hint);
    // The floating window that holds ToolBar2, or null while it is docked.
    TfrmFloating *FloatingHost() const;
    void mnuExitClick();
    // The ad-server filter of dictionary pages.
    static void BeforeNavigate2(TWebBrowser *sender,
                                const QUrl &url,
                                bool isMainFrame,
                                bool &cancel);

signals:
    // The window has closed and saved its files: the program may end.
    void Closed();
    // ShowOnceStartPageStarts has shown the window.
    void FirstShown();

protected:
    // Makes the browser of a result page; tests substitute their own.
    virtual TWebBrowser *CreateBrowser(QWidget *page);

    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateActions();
    void CreateMenus();
    void FormCreate();
    void FormShow();
    // The lookup mode the settings hold, or -1 when they hold none of the four.
    int StoredLookupMode() const;
    void FormClose();
    // True when the key was consumed by completion.
    bool CmbBookKeyPress(QKeyEvent *event);
    bool CompleteQueryText(const QString &typed);
    void RefreshQueryBoxItems();
    void OpenPage(const PageRequest &request);
    void CloseAllPages();
    // Removes result page `index`, its browser with it.
    void DisposePage(int index);
    void ShowStartPanelWhenNoPages();
    void RunBrowserCommand(int commandId);
    void RequestStartPage();
    void ShowStartPageFallback();
    void FirstShow();

    QString m_programDirectory;
    std::unique_ptr<SettingsFile> m_settings;
    SiteTable m_sites;
    QueryHistory m_history;
    int m_pageIdCounter = 0;
    int m_openingPage = 0; // the plan's page being opened, from 1, for the timing notes
    // The outer size the window is given, until its frame is known once it is shown.
    QSize m_outerSize;
    bool m_shown = false;
    bool m_startPageStarted = false;
    bool m_firstShowPending = false;
    bool m_closed = false;
    std::unique_ptr<QPrinter> m_printer;
    QTimer m_releaseMemory; // gives the memory of freed pages back to the system
    // Every floating window made for ToolBar2, in order; each is used for one float only.
    QList<QPointer<TfrmFloating>> m_floatingWindows;
};

} // namespace tellaria
