#pragma once

// The page area's result pages (PageControl1): one tab per page, each holding the page's own
// browser, or all of them side by side in columns. It owns the pages and their browsers: it opens
// them, disposes of them (freed a moment later), moves between them and knows the active browser.
// Whatever changes the page count or the current page is told by PagesChanged.

#include "browser/WebBrowser.h"
#include "core/LookupCatalogue.h"
#include "ui/ResultPage.h"

#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <memory>

class QPrinter;

namespace tellaria {
class TPageColumns;
class TPageRetirement;
} // namespace tellaria

namespace tellaria {

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

    // The PageId counter goes back to 0, as at the window's creation; closing pages never lowers
    // it.
    void ResetPageIds() { m_pageIdCounter = 0; }

    // The printer the print, preview and page-setup commands of every page share, made on first
    // need: setting one up asks the print system, which start-up should not wait for.
    QPrinter &Printer();

    // Makes what queries need and start-up does not: the printer, and the browser of the first
    // page the first query will open, with its display process started. A page's first
    // navigation otherwise waits for its process to start, and the first query's pages all start
    // theirs at once. The browser is made once only, before the first query: a spare kept for
    // later queries would hold a process's memory all along.
    void PrepareQueries();

    // Opens a page captioned `title` with the next PageId: its browser is made silent, prints on
    // the pages' printer, gets `filter` as its before-navigate handler when there is one, and
    // navigates to `url`. `index` numbers the page within its query, for the timing notes.
    // With `notice`, the page shows that document instead and asks nothing of the network.
    TTabSheet *OpenPage(const QString &title,
                        const QString &url,
                        const NavigationPolicy &filter,
                        int index,
                        const QString &notice = {});

    // Opens a page for each request of `plan`, titled and navigated as it says, with `filter` on
    // the filtered ones; then disposes of the pages that were there before (also when opening
    // one fails, which ends the opening there) and makes the first page active. The old pages go
    // after the new ones are navigated, so that the new requests leave first; pages an earlier
    // query left and not yet freed go before.
    //
    // The page area (this) is then shown, raised over the start page: at once for an empty plan;
    // otherwise once the new pages' requests have left, and 200 ms later at the latest
    // (RequestsSent). The engine's work towards the requests runs on this thread, task by task
    // between the window's events, and painting a new browser on the screen would come first.
    // A request the term would have sent to another host opens a page that says so.
    // Each page is named for the user's files as "term - title".
    void ReplacePages(const QueryPlan &plan,
                      const NavigationPolicy &filter,
                      const QString &term = {});
    // Whether the requests of the last ReplacePages are still awaited (RequestsSent to come).
    bool AwaitingRequests() const { return m_awaiting; }

    // Removes page `index` at once; the page and its browser are freed a moment later.
    void DisposePage(int index);
    // Disposes of every page, the last first.
    void CloseAll();
    // Loads the active page again, also when its process has ended.
    void ReloadCurrent();

    // The page before or after the active one becomes active, where there is one; side by side,
    // the keyboard focus goes with it.
    // With `wrap`, the last page comes before the first and the first after the last.
    void ShowPrior(bool wrap = false);
    void ShowNext(bool wrap = false);

    // Shows the pages side by side in columns, or as tabs. The pages stay as they are, loaded
    // and scrolled, and the current one stays current.
    void SetSideBySide(bool sideBySide);
    bool SideBySide() const { return m_columns != nullptr; }
    // Side by side, the columns' shares of the row in thousandths as the user last gave them
    // (ColumnsResized); columns as many as these get them again. Empty for even columns.
    const QList<int> &ColumnWidths() const { return m_columnWidths; }
    void SetColumnWidths(const QList<int> &permille) { m_columnWidths = permille; }

    // The browser of the active page, the page's own; null without pages.
    TWebBrowser *ActiveBrowser() const;

    TTabSheet *Page(int index) const { return static_cast<TTabSheet *>(widget(index)); }
    // Makes `index` the current page and brings it into view, tab or column.
    void Activate(int index);

signals:
    // The page count or the active page has changed.
    void PagesChanged();
    // A page has been opened; its browser has been asked to navigate.
    void PageOpened(TTabSheet *page);
    // The user asked for page `index`'s menu, on its tab or its column's header.
    void PageMenuRequested(int index, const QPoint &globalPos);
    // The requests of the pages the last ReplacePages opened have all left (or their
    // navigations ended before, or the longest wait for them has passed); the page area is
    // shown.
    void RequestsSent();
    // The user has resized the columns: ColumnWidths has changed.
    void ColumnsResized();
    // A page's navigation to `url` was refused for its scheme.
    void NavigationRefused(const QUrl &url);

protected:
    void tabInserted(int index) override;
    void tabRemoved(int index) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ShowColumn(int index);
    void RefreshHeader(int index);
    // Shows the page's badge beside its tab's caption.
    void ShowBadge(int index);
    void AwaitRequests(const QList<TWebBrowser *> &browsers);
    void RequestLeft(TWebBrowser *browser);
    void ShowSent();

    BrowserFactory m_factory;
    // The browser PrepareQueries made, until a page takes it; in a holder never shown.
    QPointer<TWebBrowser> m_spare;
    // The columns, while the pages are side by side.
    TPageColumns *m_columns = nullptr;
    QList<int> m_columnWidths;
    QPointer<QWidget> m_focusHome;
    int m_pageIdCounter = 0;
    // The pages disposed of and not yet freed.
    TPageRetirement *m_retirement;
    // The new pages whose requests have not left yet, and the wait for them.
    QList<QPointer<TWebBrowser>> m_unsent;
    QTimer m_sent;
    bool m_awaiting = false;
    bool m_showEmpty = false;
    bool m_columnsLater = false; // side by side, the new pages' columns wait for their requests
    // Says why a query opened no page, in the area its pages would fill.
    QLabel *m_emptyNote;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace tellaria
