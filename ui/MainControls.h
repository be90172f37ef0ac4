#pragma once

// What the main window is made of: the band area with the menu, the standard buttons and the
// encyclopaedia check list; the start page panel and the result pages; the status bar; the
// twelve actions and the menu that shows them. Each control carries its designed name as its
// object name. Building them wires nothing: the window connects its handlers itself.

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;
class QToolButton;
class QWidget;

namespace tellaria {

class TCheckListBox;
class TCoolBar;
class TQueryBox;
class TResultPages;
class TSearchPanel;
class TWebBrowser;
class TfrmMain;

struct TMainControls
{
    // Builds every control, action and menu item into `form`, which owns them.
    explicit TMainControls(TfrmMain *form);

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
    TSearchPanel *Panel1 = nullptr;
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
    TResultPages *PageControl1 = nullptr;

    // Menu.
    QMenuBar *MainMenu1 = nullptr;
    QMenu *MainMenu1File = nullptr;
    QMenu *MainMenu1Edit = nullptr;
    QMenu *MainMenu1View = nullptr;
    QAction *N4 = nullptr;
    QAction *N5 = nullptr;
    QAction *mnuClose = nullptr;
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
    QAction *NViewSideBySide = nullptr;
    QAction *mnuPrior = nullptr;
    QAction *mnuNext = nullptr;
    QAction *mnuQueryBox = nullptr;
    QAction *mnuRefresh = nullptr;

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

private:
    void CreateActions(QWidget *form);
    void CreateControls(TfrmMain *form);
    void CreateMenus(QWidget *form);
};

} // namespace tellaria
