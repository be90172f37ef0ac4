#pragma once

// The page area's result pages (PageControl1): one tab per page, each holding the page's own
// browser. It owns the pages and their browsers: it opens them, disposes of them (freed a moment
// later), moves between them and knows the active browser. Whatever changes the page count or
// the current page is told by PagesChanged.

#include "core/LookupCatalogue.h"
#include "platform/WebBrowser.h"

#include <QPointer>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <memory>

class QPrinter;

namespace tellaria {

// A result page: a tab whose tag is the PageId it shares with the browser inside it.
class TTabSheet : public QWidget
{
    Q_OBJECT
public:
    explicit TTabSheet(QWidget *parent = nullptr);
    int Tag = 0;
    // The browser inside, made with the page.
    QPointer<TWebBrowser> Browser;

    // The page's process has ended (killed when memory ran out, or crashed): in place of the
    // browser's empty area, a message says so, with a button and F5 to load the page again.
    void ShowProcessEnded();
    // Loads the page again in its browser, which comes back in place of the message.
    void LoadAgain();

private:
    QWidget *m_ended = nullptr; // the message, made when first needed
};

class TResultPages : public QTabWidget
{
    Q_OBJECT
public:
    // Makes the browser of a new page inside `page`. What it throws ends the opening there.
    using BrowserFactory = std::function<TWebBrowser *(QWidget *page)>;

    explicit TResultPages(QWidget *parent = nullptr);
    ~TResultPages() override;

    // The factory every later page's browser comes from; a plain TWebBrowser until set.
    void SetBrowserFactory(BrowserFactory factory) { m_factory = std::move(factory); }
    // Where the keyboard focus goes when the page that holds it is disposed of.
    void SetFocusHome(QWidget *widget) { m_focusHome = widget; }

    // The PageId counter: 0 until the first page, never lowered by closing pages.
    int PageIdCounter() const { return m_pageIdCounter; }
    void ResetPageIds() { m_pageIdCounter = 0; }

    // The printer the print, preview and page-setup commands of every page share, made on first
    // need: setting one up asks the print system, which start-up should not wait for.
    QPrinter &Printer();

    // Opens a page captioned `title` with the next PageId: its browser is made silent, prints on
    // the pages' printer, gets `filter` as its before-navigate handler when there is one, and
    // navigates to `url`. `index` numbers the page within its query, for the timing notes.
    TTabSheet *OpenPage(const QString &title,
                        const QString &url,
                        const BeforeNavigate2Handler &filter,
                        int index);

    // Opens a page for each request of `plan`, titled and navigated as it says, with `filter` on
    // the filtered ones; then disposes of the pages that were there before (also when opening
    // one fails, which ends the opening there) and makes the first page active. The old pages go
    // after the new ones are navigated, so that the new requests leave first.
    void ReplacePages(const QueryPlan &plan, const BeforeNavigate2Handler &filter);

    // Removes page `index` at once; the page and its browser are freed a moment later.
    void DisposePage(int index);
    // Disposes of every page, the last first.
    void CloseAll();

    // The page before or after the active one becomes active, where there is one.
    void ShowPrior();
    void ShowNext();

    // The browser of the active page: the one browser whose tag is the active page's PageId, the
    // page's own; null without pages.
    TWebBrowser *ActiveBrowser() const;

signals:
    // The page count or the active page has changed.
    void PagesChanged();

protected:
    void tabInserted(int index) override;
    void tabRemoved(int index) override;

private:
    BrowserFactory m_factory;
    QPointer<QWidget> m_focusHome;
    int m_pageIdCounter = 0;
    QTimer m_releaseMemory; // gives the memory of freed pages back to the system
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace tellaria
