#pragma once

// The main window. Its handlers are the program's entry points for what the user does; each hands
// the work to a class named by its role: the commands (TCommands), the band area (TBandArea), the
// page area (TPageArea) and its result pages (TResultPages), the status line (TStatusLine), query
// completion (TQueryCompletion), the window's placement (TWindowPlacement), the start page
// (TStartPage), the command state (TCommandState) and the toolbar's docking (TToolbarDock).

#include "browser/WebBrowser.h"
#include "core/LookupCatalogue.h"
#include "core/QueryHistory.h"
#include "desktop/CoreWording.h"
#include "desktop/DataDirectory.h"
#include "ui/BandArea.h"
#include "ui/ResultPages.h"

#include <QWidget>

namespace tellaria {

class TCommandState;
class TCommands;
class TEncyclopaedias;
class TPageArea;
class TQueryBand;
class TStatusLine;
class TQueryCompletion;
class TQueryEntry;
class TReadingTools;
class TStartPage;
class TToolbarDock;
class TWebBrowser;
class TWindowPlacement;
class TfrmFloating;

class TfrmMain : public QWidget, private TBandDocking
{
    Q_OBJECT

public:
    // `programDirectory` (with its trailing separator) holds the settings and history files: by
    // default the executable's directory, or the user's configuration directory for the program
    // when that one is not writable (an installed copy).
    explicit TfrmMain(const QString &programDirectory = DataDirectory(ExecutableDirectory()),
                      QWidget *parent = nullptr);
    ~TfrmMain() override;

    const QueryHistory &History() const { return m_history; }

    // The browser of the active result page, the page's own; null without pages.
    TWebBrowser *ActiveBrowser() const;
    // The floating window that holds the standard buttons, or null while they are docked.
    TfrmFloating *FloatingHost() const;

    // Shows the window once the engine has begun loading the start page, and at most `limitMs`
    // from now; then emits FirstShown. Until the engine has begun, a paint of the window would
    // hold up its work on this thread, and the start page's request with it.
    void ShowOnceStartPageStarts(int limitMs);
    // Between ShowOnceStartPageStarts and the show it promises.
    bool FirstShowPending() const;

    // Runs a query for `term` as Enter in the query box does, first picking lookup mode `mode`
    // (the settings' ID) when it is one: for the command line and for later starts.
    void QueryTerm(const QString &term, int mode = -1);
    // Picks lookup mode `mode` (0 to 3) in the mode selector as the user does; others are ignored.
    void SelectLookupMode(int mode);

    // The ad-server filter of dictionary pages: the navigation policy of their browsers.
    static TNavigation BeforeNavigate2(TWebBrowser *sender, const QUrl &url, bool isMainFrame);

signals:
    // The window has closed and saved its files: the program may end.
    void Closed();
    // ShowOnceStartPageStarts has shown the window.
    void FirstShown();

protected:
    // Makes the browser of a result page; tests substitute their own.
    virtual TWebBrowser *CreateBrowser(QWidget *page);

    void showEvent(QShowEvent *event) override;
    // The query box's key presses, for CmbBookKeyPress.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Wire();
    void FormCreate();
    void FormShow();
    void FormClose();

    // Handlers.
    void BtnBookOKClick();
    // False: the box's own handling of the key goes on.
    bool CmbBookKeyPress(QKeyEvent *event);
    void CmbBoxTypeChange();
    void CkLstBookshopClick();
    void ActPriorExecute() { m_pages->ShowPrior(); }
    void ActNextExecute() { m_pages->ShowNext(); }
    void ActCloseExecute();
    void ActCloseAllExecute();
    // The File and Edit commands run on the active page's browser, when it can run them.
    void ActSaveExecute() { RunBrowserCommand(TBrowserCommand::SaveAs); }
    void ActPreviewExecute() { RunBrowserCommand(TBrowserCommand::PrintPreview); }
    void ActPrintExecute() { RunBrowserCommand(TBrowserCommand::Print); }
    void ActPageSetupExecute() { RunBrowserCommand(TBrowserCommand::PageSetup); }
    void ActCopyExecute() { RunBrowserCommand(TBrowserCommand::Copy); }
    void ActCutExecute() { RunBrowserCommand(TBrowserCommand::Cut); }
    void ActPasteExecute() { RunBrowserCommand(TBrowserCommand::Paste); }
    void ActSelectAllExecute() { RunBrowserCommand(TBrowserCommand::SelectAll); }
    void RunBrowserCommand(TBrowserCommand command);
    void NViewStatusBarClick();
    void NViewToolBarClick();
    // The pages side by side in columns, or as tabs.
    void NViewSideBySideClick();
    // The band area (TBandArea asks) takes only a floating toolbar window, outlining itself as
    // the target.
    bool CoolBar1DockOver(TDragDockObject &source,
                          const QPoint &position,
                          TDragState state) override;
    // A floating toolbar window dropped on the band area: its toolbar becomes the last band.
    void CoolBar1DockDrop(TDragDockObject &source, const QPoint &position) override;
    // The application's hint has changed: status bar panel 0 shows it.
    void ShowHint(const QString &hint);
    void mnuExitClick() { close(); }
    // Puts the focus in the query box, its text selected (Ctrl+L, Alt+D, F6).
    void mnuQueryBoxClick();
    // Loads the current page again (F5, Ctrl+R).
    void mnuRefreshClick() { m_pages->ReloadCurrent(); }

    QString m_programDirectory;
    TCommands *m_commands = nullptr;
    TBandArea *m_bands = nullptr;
    TQueryBand *m_query = nullptr;
    TPageArea *m_pageArea = nullptr;
    TResultPages *m_pages = nullptr;
    TStatusLine *m_status = nullptr;
    TStartPage *m_startPage = nullptr;
    TQueryCompletion *m_completion = nullptr;
    TQueryEntry *m_entry = nullptr;
    TCommandState *m_commandState = nullptr;
    TWindowPlacement *m_placement = nullptr;
    TToolbarDock *m_dock = nullptr;
    TReadingTools *m_reading = nullptr;
    TEncyclopaedias *m_sites = nullptr;
    QueryHistory m_history;
    bool m_shown = false;
    bool m_closed = false;
};

} // namespace tellaria
