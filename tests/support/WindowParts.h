#pragma once

// The main window's controls, found as tools and screen readers find them: by their object
// names. A control on the floating toolbar is no longer inside the window, so the search goes on
// through the other top-level windows.

#include "browser/WebBrowser.h"
#include "ui/ResultPages.h"
#include "widgets/CheckListBox.h"
#include "widgets/CoolBar.h"
#include "widgets/QueryBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>

namespace tellaria::test {

template<typename T>
T *Part(const QObject &window, const char *name)
{
    if (T *part = window.findChild<T *>(QLatin1String(name)))
        return part;
    for (QWidget *other : QApplication::topLevelWidgets()) {
        if (T *part = other->findChild<T *>(QLatin1String(name)))
            return part;
    }
    std::fprintf(stderr, "The window has no %s.\n", name);
    std::abort();
}

#define TELLARIA_WINDOW_PART(Type, Name) \
    inline Type *Name(const QObject &window) \
    { \
        return Part<Type>(window, #Name); \
    }

TELLARIA_WINDOW_PART(TCoolBar, CoolBar1)
TELLARIA_WINDOW_PART(QToolBar, ToolBar1)
TELLARIA_WINDOW_PART(QToolBar, ToolBar2)
TELLARIA_WINDOW_PART(QToolButton, ToolButton1)
TELLARIA_WINDOW_PART(QToolButton, ToolButton2)
TELLARIA_WINDOW_PART(QToolButton, ToolButton3)
TELLARIA_WINDOW_PART(QToolButton, ToolButton7)
TELLARIA_WINDOW_PART(QComboBox, CmbBoxType)
TELLARIA_WINDOW_PART(TQueryBox, CmbBook)
TELLARIA_WINDOW_PART(QToolButton, BtnBookOK)
TELLARIA_WINDOW_PART(QFrame, PnlBook)
TELLARIA_WINDOW_PART(TCheckListBox, CkLstBookshop)
TELLARIA_WINDOW_PART(QStatusBar, StatusBar1)
TELLARIA_WINDOW_PART(QLabel, StatusPanel0)
TELLARIA_WINDOW_PART(QFrame, Panel2)
TELLARIA_WINDOW_PART(QFrame, PnlWbAD)
TELLARIA_WINDOW_PART(TWebBrowser, WbAd)
TELLARIA_WINDOW_PART(TResultPages, PageControl1)
TELLARIA_WINDOW_PART(QMenuBar, MainMenu1)
TELLARIA_WINDOW_PART(QMenu, MainMenu1File)
TELLARIA_WINDOW_PART(QMenu, MainMenu1View)
TELLARIA_WINDOW_PART(QAction, N4)
TELLARIA_WINDOW_PART(QAction, N5)
TELLARIA_WINDOW_PART(QAction, mnuExit)
TELLARIA_WINDOW_PART(QAction, mnuPrint)
TELLARIA_WINDOW_PART(QAction, NViewStatusBar)
TELLARIA_WINDOW_PART(QAction, NViewToolBar)
TELLARIA_WINDOW_PART(QAction, NViewSideBySide)
TELLARIA_WINDOW_PART(QAction, ActPrior)
TELLARIA_WINDOW_PART(QAction, ActNext)
TELLARIA_WINDOW_PART(QAction, ActClose)
TELLARIA_WINDOW_PART(QAction, ActCloseAll)
TELLARIA_WINDOW_PART(QAction, ActSave)
TELLARIA_WINDOW_PART(QAction, ActPreview)
TELLARIA_WINDOW_PART(QAction, ActPrint)
TELLARIA_WINDOW_PART(QAction, ActPageSetup)
TELLARIA_WINDOW_PART(QAction, ActCopy)
TELLARIA_WINDOW_PART(QAction, ActCut)
TELLARIA_WINDOW_PART(QAction, ActPaste)
TELLARIA_WINDOW_PART(QAction, ActSelectAll)

#undef TELLARIA_WINDOW_PART

} // namespace tellaria::test
