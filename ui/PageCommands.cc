#include "ui/PageCommands.h"

#include "browser/ExternalLinks.h"
#include "browser/NetworkFailure.h"
#include "browser/PageState.h"
#include "browser/WebBrowser.h"
#include "ui/Commands.h"
#include "ui/PageSurface.h"
#include "ui/QueryBand.h"
#include "ui/ResultPages.h"
#include "ui/WindowPlacement.h"
#include "widgets/Application.h"
#include "widgets/QueryBox.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>

namespace tellaria {

namespace {

bool Loading(const TWebBrowser *browser)
{
    return browser->State()->IsLoading();
}

} // namespace

TPageCommands::TPageCommands(QWidget *form,
                             TCommands &commands,
                             TResultPages *pages,
                             TWindowPlacement &placement,
                             TQueryBand *queryBand)
    : QObject(form)
    , m_form(form)
    , m_pages(pages)
    , m_queryBox(queryBand->QueryBox())
    , m_queryButton(queryBand->QueryButton())
    , m_toQueryBox(commands.Action("mnuQueryBox"))
    , m_close(commands.Action("ActClose"))
    , m_back(commands.Action("mnuBack"))
    , m_forward(commands.Action("mnuForward"))
    , m_stop(commands.Action("mnuStop"))
    , m_round(commands.Action("mnuPageOrQueryBox"))
    , m_openCurrent(commands.Action("mnuOpenInBrowser"))
    , m_prior(commands.Action("mnuPrior"))
    , m_next(commands.Action("mnuNext"))
{
    connect(&TExternalLinks::Instance(), &TExternalLinks::OpenFailed, this, [form] {
        QMessageBox::information(
            form, QString::fromLatin1(ApplicationTitle),
            tr("There is no program to open web pages. Please install a web browser (for example "
               "firefox-esr or chromium) and xdg-utils, and choose the default web browser in the "
               "desktop's settings."));
    });
    // Esc is the window's own only while a page loads (eventFilter): as a shortcut it would be
    // taken from the find bar, an open menu or the page itself. The menu names it all the same.
    qApp->installEventFilter(this);

    commands.SetRunner("mnuOpenInBrowser", this, [this] {
        if (TWebBrowser *browser = m_pages->ActiveBrowser())
            OpenInDefaultBrowser(browser->url());
    });
    commands.SetRunner("mnuBack", this, [this] {
        if (TWebBrowser *browser = m_pages->ActiveBrowser())
            browser->back();
    });
    commands.SetRunner("mnuForward", this, [this] {
        if (TWebBrowser *browser = m_pages->ActiveBrowser())
            browser->forward();
    });
    commands.SetRunner("mnuStop", this, [this] { StopAll(); });
    commands.SetRunner("mnuPageOrQueryBox", this, [this] { GoRound(); });
    // The page keys go round at the ends, as a browser's tabs do.
    commands.SetRunner("mnuPrior", m_pages, [this] { m_pages->ShowPrior(true); });
    commands.SetRunner("mnuNext", m_pages, [this] { m_pages->ShowNext(true); });
    connect(m_pages, &TResultPages::PageMenuRequested, this, &TPageCommands::ShowPageMenu);
    connect(m_pages, &TResultPages::PageOpened, this, [this](TTabSheet *page) {
        TWebBrowser *browser = page->Browser();
        // The mouse's side buttons and Esc arrive on the page's surface.
        FilterPageSurface(browser, this);
        connect(browser->page(), &QWebEnginePage::loadStarted, this, &TPageCommands::Refresh);
        connect(browser->page(), &QWebEnginePage::loadFinished, this, &TPageCommands::Refresh);
        connect(browser->page(), &QWebEnginePage::urlChanged, this, &TPageCommands::Refresh);
        connect(browser->State(), &TPageState::LoadChanged, this, &TPageCommands::Refresh);
        connect(browser->page(), &QWebEnginePage::loadingChanged, this,
                [this, page](const QWebEngineLoadingInfo &info) { ShowFailure(page, info); });
    });
    connect(m_pages, &TResultPages::PagesChanged, this, &TPageCommands::Refresh);
    m_pages->SetColumnWidths(placement.StoredColumnWidths());
    connect(m_pages, &TResultPages::ColumnsResized, this,
            [this, &placement] { placement.SetColumnWidths(m_pages->ColumnWidths()); });
    Refresh();
}

void TPageCommands::Refresh()
{
    const TWebBrowser *browser = m_pages->ActiveBrowser();
    m_openCurrent->setEnabled(browser && browser->url().scheme().startsWith(QLatin1String("http")));
    m_back->setEnabled(browser && browser->history()->canGoBack());
    m_forward->setEnabled(browser && browser->history()->canGoForward());
    bool anyLoading = false;
    for (int index = 0; index < m_pages->count() && !anyLoading; ++index) {
        const TWebBrowser *other = m_pages->Page(index)->Browser();
        anyLoading = other && Loading(other);
    }
    m_stop->setEnabled(anyLoading);
    for (QAction *item : {m_prior, m_next})
        item->setEnabled(m_pages->count() > 1);
}

bool TPageCommands::StopAll()
{
    // The pages of the query are the pages there are: a query replaces those of the last.
    bool stopped = false;
    for (int index = 0; index < m_pages->count(); ++index) {
        TWebBrowser *browser = m_pages->Page(index)->Browser();
        if (!browser || !Loading(browser))
            continue;
        browser->stop();
        browser->State()->MarkStopped();
        stopped = true;
    }
    Refresh();
    return stopped;
}

void TPageCommands::ShowFailure(TTabSheet *page, const QWebEngineLoadingInfo &info)
{
    const QString reason = NetworkFailureReason(info);
    if (reason.isEmpty() || !info.url().scheme().startsWith(QLatin1String("http")))
        return;
    const QString site = m_pages->tabText(m_pages->indexOf(page));
    const QString html = NetworkFailurePage(site, reason, info.url());
    // After the engine has done with the failure: its page then gives way to the program's.
    QTimer::singleShot(0, page, [browser = QPointer<TWebBrowser>(page->Browser()), html] {
        if (!browser || browser->State()->Load() != TPageState::TLoad::Failed)
            return;
        browser->State()->ShowingFailure();
        browser->setHtml(html, QUrl(QStringLiteral("data:,")));
    });
}

void TPageCommands::GoRound()
{
    const QWidget *focus = QApplication::focusWidget();
    // Side by side the columns lie outside the tabs' own area, but their contents are the pages'.
    bool inPage = false;
    for (int index = 0; index < m_pages->count() && focus && !inPage; ++index) {
        const TTabSheet *page = m_pages->Page(index);
        inPage = page->isAncestorOf(focus) || page->Content()->isAncestorOf(focus);
    }
    if (inPage || !GoIntoPage(Qt::ShortcutFocusReason))
        m_toQueryBox->trigger();
}

bool TPageCommands::GoIntoPage(Qt::FocusReason reason)
{
    TWebBrowser *browser = m_pages->ActiveBrowser();
    if (!browser || !browser->isVisible())
        return false;
    browser->activateWindow();
    // Tab also goes on to the page's first link, as in a browser.
    browser->setFocus(reason);
    return true;
}

bool TPageCommands::InWindow(const QObject *watched) const
{
    if (!watched->isWidgetType())
        return false;
    const QWidget *top = static_cast<const QWidget *>(watched)->window();
    if (top->windowType() == Qt::Popup || qobject_cast<const QDialog *>(top))
        return false;
    return top == m_form || top == m_queryBox->window();
}

void TPageCommands::ShowPageMenu(int index, const QPoint &globalPos)
{
    TTabSheet *page = m_pages->Page(index);
    if (!page)
        return;
    QPointer<TTabSheet> guard(page);
    const QUrl address = page->Browser() ? page->Browser()->url() : QUrl();
    QMenu menu(m_pages);
    QAction *reload = menu.addAction(tr("&Reload"));
    QAction *open = menu.addAction(tr("Open in &browser"));
    open->setEnabled(address.scheme().startsWith(QLatin1String("http")));
    QAction *copy = menu.addAction(tr("&Copy address"));
    copy->setEnabled(!address.isEmpty());
    menu.addSeparator();
    QAction *close = menu.addAction(tr("Close this page (&W)"));
    QAction *closeOthers = menu.addAction(tr("Close &other pages"));
    closeOthers->setEnabled(m_pages->count() > 1);
    QAction *chosen = menu.exec(globalPos);
    if (!chosen || !guard)
        return;
    index = m_pages->indexOf(guard);
    if (chosen == reload) {
        guard->Reload();
    } else if (chosen == open) {
        OpenInDefaultBrowser(address);
    } else if (chosen == copy) {
        CopyAddress(address);
    } else if (chosen == close) {
        // As the close command does, the start page coming back after the last.
        m_pages->setCurrentIndex(index);
        m_close->trigger();
    } else if (chosen == closeOthers) {
        for (int other = m_pages->count() - 1; other >= 0; --other) {
            if (other != index)
                m_pages->DisposePage(other);
        }
    }
}

bool TPageCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto button = static_cast<QMouseEvent *>(event)->button();
        if (button != Qt::BackButton && button != Qt::ForwardButton)
            return false;
        if (const TTabSheet *page = PageOfSurface(*m_pages, watched)) {
            TWebBrowser *browser = page->Browser();
            if (button == Qt::BackButton)
                browser->back();
            else
                browser->forward();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        // Esc stops the query wherever it is pressed in the window, while some page of it
        // loads; otherwise it is the find bar's, the page's or whichever control's has it.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier
            && m_stop->isEnabled() && InWindow(watched))
            return StopAll();
        // Tab leads from the last control before the page area into the page shown, past the
        // start page that lies hidden under the results.
        const QWidget *focus = QApplication::focusWidget();
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier && InWindow(watched)
            && (focus == m_pages->tabBar() || (m_pages->SideBySide() && focus == m_queryButton)))
            return GoIntoPage(Qt::TabFocusReason);
    }
    return false;
}

} // namespace tellaria
