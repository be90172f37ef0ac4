#pragma once

// What a page of a browser offers besides its content: back and forward (Alt+Left, Alt+Right,
// the mouse's side buttons), stop (View > 停止, Esc anywhere in the window while a page of the
// query loads: every such page stops), F6 between the query box and the current page, and a menu
// on each tab and column header to reload the page, open it in the user's web browser, copy its
// address, or close it or the others. File > 在浏览器中打开当前页 opens the current one.

#include <QObject>

class QAction;
class QPoint;
class QWebEngineLoadingInfo;

namespace tellaria {

class TResultPages;
class TTabSheet;
class TWebBrowser;
class TCommands;
class TQueryBand;
class TWindowPlacement;

class TPageCommands : public QObject
{
    Q_OBJECT
public:
    // Runs its commands of `commands` for `pages`; closing a page goes through the close action.
    // F6 goes round between the page and the query box of `queryBand`.
    // The columns side by side get the widths `placement` keeps, and keep there those the user
    // gives them.
    TPageCommands(QWidget *form,
                  TCommands &commands,
                  TResultPages *pages,
                  TWindowPlacement &placement,
                  TQueryBand *queryBand);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowPageMenu(int index, const QPoint &globalPos);
    // Stops every page of the query still loading; false when none was.
    bool StopAll();
    // A load that failed for the network: the page says why, in the program's words.
    void ShowFailure(TTabSheet *page, const QWebEngineLoadingInfo &info);
    // F6: from the page area to the query box, from elsewhere into the current page.
    void GoRound();
    // The keyboard into the current page (side by side, its column); false without one.
    bool GoIntoPage(Qt::FocusReason reason);
    // Whether a key pressed on `watched` is one the main window's keys apply to: the main window
    // or the floating toolbar's, not a menu, a list that has dropped down or a dialog.
    bool InWindow(const QObject *watched) const;
    void Refresh();

    QWidget *m_form;
    TResultPages *m_pages;
    QWidget *m_queryBox;
    QWidget *m_queryButton;
    QAction *m_toQueryBox;
    QAction *m_close;
    QAction *m_back;
    QAction *m_forward;
    QAction *m_stop;
    QAction *m_round;
    QAction *m_openCurrent;
    QAction *m_prior;
    QAction *m_next;
};

} // namespace tellaria
