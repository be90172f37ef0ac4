#pragma once

// Follows what decides the twelve actions' enabled states: the result pages (their count and the
// active one) and the active browser's command availability. Nothing is polled: each change of
// an input has the states recomputed, all twelve at once, and nothing runs otherwise.

#include "platform/WebBrowser.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace tellaria {

class TResultPages;

class TCommandState : public QObject
{
    Q_OBJECT
public:
    // `update` computes the states (the window's action update); it runs now and after every
    // change of `pages` or of the active browser's commands.
    TCommandState(TResultPages *pages, std::function<void()> update);

    // How many times the states were computed: for the bench's idle check and the tests.
    int Updates() const { return m_updates; }

private:
    void PagesChanged();
    void Update();

    TResultPages *m_pages;
    std::function<void()> m_update;
    QMetaObject::Connection m_browserConnection;
    QPointer<TWebBrowser> m_browser;
    int m_updates = 0;
};

} // namespace tellaria
