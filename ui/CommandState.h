#pragma once

// Keeps the states of the page actions: the result pages (their count and the active one) and
// the active browser's command availability decide them. Nothing is polled: each change of an
// input has the states set again, all at once, and nothing runs otherwise.

#include "browser/WebBrowser.h"

#include <QObject>
#include <QPointer>

class QAction;

namespace tellaria {

class TCommands;
class TResultPages;

class TCommandState : public QObject
{
    Q_OBJECT
public:
    // Sets the states of `commands` now and after every change of `pages` or of the active
    // browser's commands.
    TCommandState(const TCommands &commands, TResultPages *pages);

private:
    void PagesChanged();
    void Update();

    TResultPages *m_pages;
    QAction *m_prior, *m_next, *m_close, *m_closeAll, *m_refresh;
    // In the order of TBrowserCommand.
    QAction *m_browserCommands[8];
    QMetaObject::Connection m_browserConnection;
    QPointer<TWebBrowser> m_browser;
};

} // namespace tellaria
