#pragma once

// What a page of a browser offers besides its content: back and forward (Alt+Left, Alt+Right,
// the mouse's side buttons), stop (View > 停止, Esc in a page that is loading), and a menu on
// each tab and column header to reload the page, open it in the user's web browser, copy its
// address, or close it or the others. File > 在浏览器中打开当前页 opens the current one.

#include <QObject>

class QAction;
class QPoint;

namespace tellaria {

class TResultPages;
class TTabSheet;
class TWebBrowser;
class TCommands;

class TPageCommands : public QObject
{
    Q_OBJECT
public:
    // Runs its commands of `commands` for `pages`; closing a page goes through the close action.
    TPageCommands(QWidget *form, TCommands &commands, TResultPages *pages);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowPageMenu(int index, const QPoint &globalPos);
    void Stop(TWebBrowser *browser);
    void Refresh();

    TResultPages *m_pages;
    QAction *m_close;
    QAction *m_back;
    QAction *m_forward;
    QAction *m_stop;
    QAction *m_openCurrent;
    QAction *m_prior;
    QAction *m_next;
};

} // namespace tellaria
