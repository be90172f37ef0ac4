#include "ui/PageCommands.h"

#include "browser/ExternalLinks.h"
#include "browser/PageState.h"
#include "browser/WebBrowser.h"
#include "ui/Commands.h"
#include "ui/PageSurface.h"
#include "ui/ResultPages.h"
#include "widgets/Application.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QWebEngineHistory>

namespace tellaria {

namespace {

bool Loading(const TWebBrowser *browser)
{
    return browser->State()->IsLoading();
}

} // namespace

TPageCommands::TPageCommands(QWidget *form, TCommands &commands, TResultPages *pages)
    : QObject(form)
    , m_pages(pages)
    , m_close(commands.Action("ActClose"))
    , m_back(commands.Action("mnuBack"))
    , m_forward(commands.Action("mnuForward"))
    , m_stop(commands.Action("mnuStop"))
    , m_openCurrent(commands.Action("mnuOpenInBrowser"))
    , m_prior(commands.Action("mnuPrior"))
    , m_next(commands.Action("mnuNext"))
{
    connect(&TExternalLinks::Instance(), &TExternalLinks::OpenFailed, this, [form] {
        QMessageBox::information(
            form, QString::fromLatin1(ApplicationTitle),
            QString::fromUtf8("没有可以打开网页的程序。请安装网页浏览器（例如 firefox-esr 或 "
                              "chromium）和 xdg-utils，并在桌面的设置中选择默认的网页浏览器。"));
    });
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
    commands.SetRunner("mnuStop", this, [this] { Stop(m_pages->ActiveBrowser()); });
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
    });
    connect(m_pages, &TResultPages::PagesChanged, this, &TPageCommands::Refresh);
    Refresh();
}

void TPageCommands::Refresh()
{
    const TWebBrowser *browser = m_pages->ActiveBrowser();
    m_openCurrent->setEnabled(browser && browser->url().scheme().startsWith(QLatin1String("http")));
    m_back->setEnabled(browser && browser->history()->canGoBack());
    m_forward->setEnabled(browser && browser->history()->canGoForward());
    m_stop->setEnabled(browser && Loading(browser));
    for (QAction *item : {m_prior, m_next})
        item->setEnabled(m_pages->count() > 1);
}

void TPageCommands::Stop(TWebBrowser *browser)
{
    if (!browser || !Loading(browser))
        return;
    browser->stop();
    browser->State()->MarkStopped();
    Refresh();
}

void TPageCommands::ShowPageMenu(int index, const QPoint &globalPos)
{
    TTabSheet *page = m_pages->Page(index);
    if (!page)
        return;
    QPointer<TTabSheet> guard(page);
    const QUrl address = page->Browser() ? page->Browser()->url() : QUrl();
    QMenu menu(m_pages);
    QAction *reload = menu.addAction(QString::fromUtf8("重新加载(&R)"));
    QAction *open = menu.addAction(QString::fromUtf8("在浏览器中打开(&B)"));
    open->setEnabled(address.scheme().startsWith(QLatin1String("http")));
    QAction *copy = menu.addAction(QString::fromUtf8("复制网址(&C)"));
    copy->setEnabled(!address.isEmpty());
    menu.addSeparator();
    QAction *close = menu.addAction(QString::fromUtf8("关闭此页(&W)"));
    QAction *closeOthers = menu.addAction(QString::fromUtf8("关闭其他页(&O)"));
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
    } else if (event->type() == QEvent::KeyPress
               && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        // Esc stops a page that is loading; otherwise it is the page's own.
        const TTabSheet *page = PageOfSurface(*m_pages, watched);
        TWebBrowser *browser = page ? page->Browser() : nullptr;
        if (browser && Loading(browser)) {
            Stop(browser);
            return true;
        }
    }
    return false;
}

} // namespace tellaria
