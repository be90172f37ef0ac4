#include "ui/ResultPages.h"

#include "platform/Application.h"
#include "platform/TabLoadMark.h"

#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QVBoxLayout>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tellaria {

namespace {

// How long a closed page lives on hidden: longer than the engine takes to send a query's requests.
constexpr int FreePagesAfterMs = 400;
// How long after the last page was freed the freed memory goes back to the system.
constexpr int ReleaseMemoryAfterMs = 200;

} // namespace

TTabSheet::TTabSheet(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void TTabSheet::ShowProcessEnded()
{
    if (!m_ended) {
        m_ended = new QWidget(this);
        m_ended->setObjectName(QStringLiteral("PageEnded"));
        m_ended->setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(m_ended);
        auto *message = new QLabel(
            QString::fromUtf8("这一页的显示进程意外结束了，可能是内存不足或程序出错。"), m_ended);
        message->setAlignment(Qt::AlignCenter);
        message->setWordWrap(true);
        auto *again = new QPushButton(QString::fromUtf8("重新加载(&R)"), m_ended);
        again->setObjectName(QStringLiteral("LoadAgain"));
        again->setToolTip(QString::fromUtf8("重新加载此页 (F5)"));
        // F5 reaches only the message on the screen: the active page's.
        auto *key = new QShortcut(QKeySequence(Qt::Key_F5), m_ended);
        connect(again, &QPushButton::clicked, this, &TTabSheet::LoadAgain);
        connect(key, &QShortcut::activated, this, &TTabSheet::LoadAgain);
        layout->addStretch();
        layout->addWidget(message);
        layout->addWidget(again, 0, Qt::AlignHCenter);
        layout->addStretch();
        this->layout()->addWidget(m_ended);
    }
    const bool hadFocus = Browser && Browser->hasFocus();
    if (Browser)
        Browser->hide();
    m_ended->show();
    if (hadFocus)
        m_ended->findChild<QPushButton *>()->setFocus(Qt::OtherFocusReason);
}

void TTabSheet::LoadAgain()
{
    if (!Browser || !m_ended || m_ended->isHidden())
        return;
    const bool hadFocus = m_ended->isAncestorOf(focusWidget());
    m_ended->hide();
    Browser->show();
    Browser->reload();
    if (hadFocus)
        Browser->setFocus(Qt::OtherFocusReason);
}

TResultPages::TResultPages(QWidget *parent)
    : QTabWidget(parent)
    , m_factory([](QWidget *page) { return new TWebBrowser(page); })
{
    setObjectName(QStringLiteral("PageControl1"));
    setDocumentMode(true);
    // Opaque, the strip beside the tabs and an empty page area included: the start page below
    // must not show through.
    setAutoFillBackground(true);
    connect(this, &QTabWidget::currentChanged, this, &TResultPages::PagesChanged);
    // A page's browser leaves much freed memory in the heap, which the C library keeps for later
    // unless told otherwise: query after query the program would grow.
    m_releaseMemory.setSingleShot(true);
    m_releaseMemory.setInterval(ReleaseMemoryAfterMs);
    connect(&m_releaseMemory, &QTimer::timeout, this, [] {
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
    });
}

TTabSheet *TResultPages::OpenPage(const QString &title,
                                  const QString &url,
                                  const BeforeNavigate2Handler &filter,
                                  int index)
{
    ++m_pageIdCounter;
    auto *page = new TTabSheet(this);
    page->setObjectName(QStringLiteral("TabSheet%1").arg(m_pageIdCounter));
    addTab(page, title);
    page->Tag = m_pageIdCounter;

    TWebBrowser *browser = m_factory(page);
    NoteTime("created", index);
    browser->SetSilent(true);
    page->layout()->addWidget(browser);
    browser->Tag = m_pageIdCounter;
    page->Browser = browser;
    browser->SetPrinter(&Printer());
    new TTabLoadMark(this, page, browser);
    connect(browser->page(), &QWebEnginePage::renderProcessTerminated, page,
            [page](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    page->ShowProcessEnded();
            });
    if (filter)
        browser->OnBeforeNavigate2 = filter;
    browser->Navigate(url);
    NoteTime("navigated", index);
    // The active page may have just gained its browser.
    emit PagesChanged();
    return page;
}

TResultPages::~TResultPages() = default;

QPrinter &TResultPages::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TResultPages::ReplacePages(const QueryPlan &plan, const BeforeNavigate2Handler &filter)
{
    const int oldCount = count();
    const auto closeOld = qScopeGuard([&] {
        for (int index = oldCount - 1; index >= 0; --index)
            DisposePage(index);
        if (count() > 0)
            setCurrentIndex(0);
        NoteTime("cleared");
    });
    int opening = 0;
    for (const PageRequest &request : plan) {
        OpenPage(QString::fromStdString(request.Title), QString::fromStdString(request.Url),
                 request.Filtered ? filter : BeforeNavigate2Handler(), ++opening);
    }
    NoteTime("opened");
}

void TResultPages::DisposePage(int index)
{
    auto *page = static_cast<TTabSheet *>(widget(index));
    // The keyboard focus must not die with the page: it goes home.
    if (QWidget *focus = window()->focusWidget(); focus && page->isAncestorOf(focus) && m_focusHome)
        m_focusHome->setFocus(Qt::OtherFocusReason);
    removeTab(index);
    page->hide();
    // The page's browser goes with it, but not now: freeing a browser costs the user-interface
    // thread several milliseconds, and the engine's own work for the pages just opened (which
    // runs on that thread, task by task between the window's events) must not queue behind it.
    // Once the new pages' requests are out, the old pages go with deleteLater, so that the
    // engine's signals still queued for them are delivered first; a page whose browser still
    // prints goes when the job ends.
    QTimer::singleShot(FreePagesAfterMs, page, [this, page] {
        DeleteWhenIdle(page, page->Browser.data());
        m_releaseMemory.start();
    });
}

void TResultPages::CloseAll()
{
    for (int index = count() - 1; index >= 0; --index)
        DisposePage(index);
}

void TResultPages::ShowPrior()
{
    if (currentIndex() > 0)
        setCurrentIndex(currentIndex() - 1);
}

void TResultPages::ShowNext()
{
    if (currentIndex() < count() - 1)
        setCurrentIndex(currentIndex() + 1);
}

TWebBrowser *TResultPages::ActiveBrowser() const
{
    if (count() == 0)
        return nullptr;
    const auto *page = qobject_cast<const TTabSheet *>(currentWidget());
    // The page's own browser: the only one with its tag, since a page holds exactly one.
    if (!page || !page->Browser || page->Browser->Tag != page->Tag)
        return nullptr;
    return page->Browser;
}

void TResultPages::tabInserted(int index)
{
    QTabWidget::tabInserted(index);
    emit PagesChanged();
}

void TResultPages::tabRemoved(int index)
{
    QTabWidget::tabRemoved(index);
    emit PagesChanged();
}

} // namespace tellaria
