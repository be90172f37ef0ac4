#pragma once

// The page area (Panel2): the start page's panel (PnlWbAD with the browser WbAd) underneath,
// the result pages (PageControl1) on top; the start page shows whenever there are no pages.

#include <QFrame>

namespace tellaria {

class TResultPages;
class TWebBrowser;

class TPageArea : public QFrame
{
    Q_OBJECT
public:
    explicit TPageArea(QWidget *parent);

    TResultPages *Pages() const { return m_pages; }
    TWebBrowser *StartBrowser() const { return m_startBrowser; }
    QFrame *StartPanel() const { return m_startPanel; }

    // The pages while there are any, the start page otherwise.
    void ShowStartPanelWhenNoPages();

private:
    QFrame *m_startPanel;
    TWebBrowser *m_startBrowser;
    TResultPages *m_pages;
};

} // namespace tellaria
