#pragma once

// Follows what decides the twelve actions' enabled states: the result pages (their count and the
// active one) and the active browser's command availability. Nothing is polled: each change of
// an input has the states recomputed, all twelve at once, and nothing runs otherwise.

#include "browser/WebBrowser.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace tellaria {

class TResultPages;
struct TMainControls;

class TCommandState : public QObject
{
    Q_OBJECT
public:
    // `update` computes the states (the window's action update); it runs now and after every
    // change of `pages` or of the active browser's commands.
    TCommandState(TResultPages *pages, std::function<void()> update);

    // Sets the states of `ui`'s actions from its pages and their active browser.
    static void Apply(TMainControls &ui);

private:
    void PagesChanged();
    void Update();

    TResultPages *m_pages;
    std::function<void()> m_update;
    QMetaObject::Connection m_browserConnection;
    QPointer<TWebBrowser> m_browser;
};

} // namespace tellaria
