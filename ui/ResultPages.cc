#include "ui/ResultPages.h"

#include "browser/PageState.h"
#include "ui/PageColumns.h"
#include "ui/PageNotices.h"
#include "ui/PageRetirement.h"
#include "ui/TabMark.h"
#include "widgets/Application.h"

#include <QPrinter>
#include <QScopeGuard>
#include <QTabBar>

#include <QVBoxLayout>
#include <utility>

namespace tellaria {

namespace {

// How long a closed page lives on hidden: longer than the engine takes to send a query's requests.
constexpr int FreePagesAfterMs = 400;
// The longest the window waits for a query's requests to leave before it paints again.
constexpr int AwaitRequestsAtMostMs = 200;
// How long after the last request was handed on the window paints again: time for the engine's
// tasks already queued to carry it out.
constexpr int PaintAfterLastRequestMs = 3;

} // namespace

TResultPages::TResultPages(QWidget *parent)
    : QTabWidget(parent)
    , m_factory([](QWidget *page) { return new TWebBrowser(page); })
    , m_retirement(new TPageRetirement(this))
    , m_emptyNote(new QLabel(
          tr("No encyclopaedia is ticked for the query: please tick at least one above."), this))
{
    m_emptyNote->setObjectName(QStringLiteral("EmptyPlanNote"));
    m_emptyNote->setAlignment(Qt::AlignCenter);
    m_emptyNote->setWordWrap(true);
    m_emptyNote->setMargin(24);
    m_emptyNote->hide();
    setObjectName(QStringLiteral("PageControl1"));
    setDocumentMode(true);
    // A caption is never cut short: a strip too narrow for every tab scrolls instead.
    setElideMode(Qt::ElideNone);
    setUsesScrollButtons(true);
    // Opaque, the strip beside the tabs and an empty page area included: the start page below
    // must not show through.
    setAutoFillBackground(true);
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_columns)
            m_columns->SetCurrent(index);
        emit PagesChanged();
    });
    tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (const int index = tabBar()->tabAt(at); index >= 0)
            emit PageMenuRequested(index, tabBar()->mapToGlobal(at));
    });
    m_sent.setSingleShot(true);
    // A timer, not a posted event: the window's events come before the engine's timers.
    m_sent.setTimerType(Qt::PreciseTimer);
    connect(&m_sent, &QTimer::timeout, this, &TResultPages::ShowSent);
}

TTabSheet *TResultPages::OpenPage(const QString &title,
                                  const QString &url,
                                  const NavigationPolicy &filter,
                                  int index,
                                  const QString &notice)
{
    ++m_pageIdCounter;
    auto *page = new TTabSheet(this);
    page->setObjectName(QStringLiteral("TabSheet%1").arg(m_pageIdCounter));
    addTab(page, title);
    page->SetTag(m_pageIdCounter);
    page->SetUrl(url);

    TWebBrowser *browser
        = m_spare ? std::exchange(m_spare, nullptr).data() : m_factory(page->Content());
    NoteTime("created", index);
    browser->SetSilent(true);
    browser->setAccessibleName(title);
    page->Content()->layout()->addWidget(browser);
    browser->Tag = m_pageIdCounter;
    page->SetBrowser(browser);
    browser->SetPrinter(&Printer());
    // Busy from the start: the engine's report that the load has started comes later.
    browser->State()->LoadAsked();
    auto *mark = new TTabMark(this, page, browser->State());
    page->SetLoadMark(mark);
    connect(page, &TTabSheet::Changed, this, [this, page] {
        const int shown = indexOf(page);
        ShowBadge(shown);
        RefreshHeader(shown);
    });
    connect(browser->page(), &QWebEnginePage::renderProcessTerminated, page,
            [page](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    page->ShowProcessEnded();
            });
    if (filter)
        browser->SetNavigationPolicy(filter);
    connect(
        browser->page(), &QWebEnginePage::loadFinished, page,
        [index] { NoteTime("loaded", index); }, Qt::SingleShotConnection);
    connect(browser, &TWebBrowser::NavigationRefused, this, &TResultPages::NavigationRefused);
    if (notice.isEmpty())
        browser->Navigate(url);
    else
        browser->setHtml(notice, QUrl(QStringLiteral("data:,")));
    // A query's pages get their columns once their requests have left (ShowSent): a browser on
    // the screen costs the engine work on this thread before its request.
    if (m_columns && !m_columnsLater)
        ShowColumn(indexOf(page));
    NoteTime("navigated", index);
    emit PageOpened(page);
    // The active page may have just gained its browser.
    emit PagesChanged();
    return page;
}

TResultPages::~TResultPages() = default;

void TResultPages::PrepareQueries()
{
    Printer();
    if (m_spare || m_pageIdCounter > 0)
        return;
    // Hidden for good, so that the browser shows only once it is in a page.
    auto *holder = new QWidget(this);
    holder->hide();
    m_spare = m_factory(holder);
    m_spare->StartProcess();
}

QPrinter &TResultPages::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TResultPages::ReplacePages(const QueryPlan &plan,
                                const NavigationPolicy &filter,
                                const QString &term)
{
    // Pages an earlier query left hidden and not yet freed go now, before the new pages open, as
    // the old pages of any browser's tabs do.
    m_retirement->FreeAll();
    const int oldCount = count();
    QList<TWebBrowser *> opened;
    const auto closeOld = qScopeGuard([&] {
        for (int index = oldCount - 1; index >= 0; --index)
            DisposePage(index);
        if (count() > 0)
            setCurrentIndex(0);
        NoteTime("cleared");
        AwaitRequests(opened);
    });
    // Side by side, the new columns wait for the requests (ShowSent). The rest of the window
    // paints as it changes: a hold on the window's painting was seen to leave it black or stale
    // for good on some paths (a first start with a term, a hand-over that changes the mode).
    if (!plan.empty())
        m_columnsLater = true;
    m_emptyNote->setVisible(plan.empty());
    if (plan.empty()) {
        m_emptyNote->setGeometry(rect());
        m_emptyNote->raise();
    }
    int opening = 0;
    for (const PageRequest &request : plan) {
        const QString title = QString::fromStdString(request.Title);
        TTabSheet *page
            = OpenPage(title, QString::fromStdString(request.Url),
                       request.Filtered ? filter : NavigationPolicy(), ++opening,
                       request.Fault == AddressFault::None ? QString() : HostMovedPage(title));
        if (page->Browser() && !term.isEmpty())
            page->Browser()->SetDocumentName(term + QStringLiteral(" - ") + title);
        opened << page->Browser();
    }
    NoteTime("opened");
}

void TResultPages::AwaitRequests(const QList<TWebBrowser *> &browsers)
{
    m_unsent.clear();
    for (TWebBrowser *browser : browsers) {
        if (!browser)
            continue;
        m_unsent << browser;
        connect(
            browser, &TWebBrowser::RequestSent, this, [this, browser] { RequestLeft(browser); },
            Qt::SingleShotConnection);
        // A navigation that ends without a request (refused, or failed) waits for nothing.
        connect(
            browser->page(), &QWebEnginePage::loadFinished, this,
            [this, browser] { RequestLeft(browser); }, Qt::SingleShotConnection);
    }
    m_awaiting = true;
    // Shown also for a query that opened no page (none ticked): a query always covers the start
    // page.
    m_showEmpty = m_unsent.isEmpty();
    if (m_unsent.isEmpty())
        ShowSent();
    else
        m_sent.start(AwaitRequestsAtMostMs);
}

void TResultPages::RequestLeft(TWebBrowser *browser)
{
    if (!m_awaiting || !m_unsent.removeOne(browser))
        return;
    // A page disposed of meanwhile waits for nothing either.
    m_unsent.removeAll(nullptr);
    if (m_unsent.isEmpty())
        m_sent.start(PaintAfterLastRequestMs);
}

void TResultPages::ShowSent()
{
    if (!m_awaiting)
        return;
    m_awaiting = false;
    m_sent.stop();
    m_unsent.clear();
    NoteTime("sent");
    if (std::exchange(m_columnsLater, false) && m_columns) {
        for (int index = m_columns->Count(); index < count(); ++index)
            ShowColumn(index);
    }
    // Pages all closed meanwhile leave the start page on the screen.
    if (m_showEmpty || count() > 0) {
        show();
        raise();
    }
    emit RequestsSent();
}

void TResultPages::DisposePage(int index)
{
    auto *page = static_cast<TTabSheet *>(widget(index));
    // The keyboard focus must not die with the page: it goes home.
    // Side by side, what the page shows lies in a column, not in the page.
    if (QWidget *focus = window()->focusWidget();
        focus && m_focusHome && (page->isAncestorOf(focus) || page->Content()->isAncestorOf(focus)))
        m_focusHome->setFocus(Qt::OtherFocusReason);
    // Side by side, the page's content stays in its column, hidden, and goes with the page. A
    // page still waiting for its column has none to give up.
    if (m_columns && page->Content()->parentWidget() != page) {
        QWidget *column = m_columns->Retire(index);
        connect(page, &QObject::destroyed, column, [column] { delete column; });
    }
    removeTab(index);
    page->hide();
    // The page's browser goes with it, but not now (TPageRetirement); a query that comes before
    // frees it first.
    m_retirement->Retire(page, FreePagesAfterMs);
}

void TResultPages::CloseAll()
{
    for (int index = count() - 1; index >= 0; --index)
        DisposePage(index);
}

void TResultPages::ReloadCurrent()
{
    if (count() > 0)
        Page(currentIndex())->Reload();
}

void TResultPages::ShowPrior(bool wrap)
{
    if (currentIndex() > 0)
        Activate(currentIndex() - 1);
    else if (wrap && count() > 1)
        Activate(count() - 1);
}

void TResultPages::ShowNext(bool wrap)
{
    if (currentIndex() < count() - 1)
        Activate(currentIndex() + 1);
    else if (wrap && count() > 1)
        Activate(0);
}

void TResultPages::Activate(int index)
{
    setCurrentIndex(index);
    // Side by side every page is on the screen: the keyboard goes where the user's eyes go.
    if (m_columns && Page(index)->Browser())
        Page(index)->Browser()->setFocus(Qt::OtherFocusReason);
}

void TResultPages::SetSideBySide(bool sideBySide)
{
    if (sideBySide == SideBySide())
        return;
    if (sideBySide) {
        m_columns = new TPageColumns(this);
        connect(m_columns, &TPageColumns::MenuRequested, this, &TResultPages::PageMenuRequested);
        m_columns->SetProportions(m_columnWidths);
        connect(m_columns, &TPageColumns::Resized, this, [this] {
            m_columnWidths = m_columns->Proportions();
            emit ColumnsResized();
        });
        connect(m_columns, &TPageColumns::Chosen, this, [this](int index) {
            if (index >= 0 && index != currentIndex())
                setCurrentIndex(index);
        });
        tabBar()->hide();
        m_columns->setGeometry(rect());
        for (int index = 0; index < count(); ++index)
            ShowColumn(index);
        m_columns->show();
        m_columns->raise();
        m_emptyNote->raise();
        return;
    }
    for (int index = 0; index < count(); ++index)
        Page(index)->TakeContentBack();
    delete std::exchange(m_columns, nullptr);
    tabBar()->show();
}

void TResultPages::ShowColumn(int index)
{
    m_columns->Insert(index, Page(index)->Content());
    RefreshHeader(index);
    m_columns->SetCurrent(currentIndex());
}

void TResultPages::RefreshHeader(int index)
{
    if (m_columns && index >= 0 && index < m_columns->Count())
        m_columns->SetHeader(index, tabText(index), tabIcon(index), tabToolTip(index),
                             Page(index)->Badge());
}

void TResultPages::ShowBadge(int index)
{
    if (index < 0)
        return;
    const QString &badge = Page(index)->Badge();
    auto *label = qobject_cast<QLabel *>(tabBar()->tabButton(index, QTabBar::RightSide));
    if (label ? label->text() == badge : badge.isEmpty())
        return;
    if (!label) {
        label = new QLabel(tabBar());
        label->setObjectName(QStringLiteral("PageBadge"));
        label->setContentsMargins(4, 0, 0, 0);
        QFont small = label->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        label->setFont(small);
        label->setForegroundRole(QPalette::PlaceholderText);
    }
    label->setText(badge);
    label->adjustSize();
    // Set again, so that the tab makes room for the new text.
    tabBar()->setTabButton(index, QTabBar::RightSide, label);
    label->setVisible(!badge.isEmpty());
}

void TResultPages::resizeEvent(QResizeEvent *event)
{
    QTabWidget::resizeEvent(event);
    if (m_columns)
        m_columns->setGeometry(rect());
    m_emptyNote->setGeometry(rect());
}

TWebBrowser *TResultPages::ActiveBrowser() const
{
    if (count() == 0)
        return nullptr;
    // The page's own browser, made with it.
    const auto *page = qobject_cast<const TTabSheet *>(currentWidget());
    return page ? page->Browser() : nullptr;
}

void TResultPages::tabInserted(int index)
{
    QTabWidget::tabInserted(index);
    m_emptyNote->hide();
    emit PagesChanged();
}

void TResultPages::tabRemoved(int index)
{
    QTabWidget::tabRemoved(index);
    emit PagesChanged();
}

} // namespace tellaria
