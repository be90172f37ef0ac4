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
struct TMainControls;

class TPageCommands : public QObject
{
    Q_OBJECT
public:
    // Adds its menu items to `ui`'s menus; closing a page goes through `ui`'s close action.
    TPageCommands(QWidget *form, TMainControls &ui);

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
    QAction *m_prior = nullptr;
    QAction *m_next = nullptr;
};

} // namespace tellaria
