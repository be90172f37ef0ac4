#include "ui/StartPage.h"

#include <utility>

#include "browser/WebBrowser.h"
#include "core/LookupCatalogue.h"
#include "widgets/Application.h"

#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWidget>

namespace tellaria {

namespace {

const char FallbackHtml[] = R"HTML(<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Tellaria</title>
<style>body{font-family:sans-serif;margin:3em;color:#333}h1{font-weight:normal}</style>
</head><body><h1>Tellaria</h1>
<p>%1</p>
</body></html>)HTML";

} // namespace

TStartPage::TStartPage(TWebBrowser *browser)
    : QObject(browser)
    , m_browser(browser)
    , m_showLimit(new QTimer(this))
{
    m_showLimit->setObjectName(QStringLiteral("firstShowLimit"));
    m_showLimit->setSingleShot(true);
    connect(m_showLimit, &QTimer::timeout, this, &TStartPage::ShowWindow);
    // Queued: the engine finishes the work at hand before the window paints.
    connect(this, &TStartPage::LoadStarted, this, &TStartPage::ShowWindow, Qt::QueuedConnection);
    connect(browser->page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo &info) {
                if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
                    if (!m_started) {
                        m_started = true;
                        emit LoadStarted();
                    }
                    return;
                }
                if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus
                    && info.url().scheme() != QLatin1String("data"))
                    ShowFallback();
                emit LoadEnded();
            });
}

void TStartPage::Request()
{
    m_browser->Navigate(QString::fromUtf8(StartPageUrl.data(), qsizetype(StartPageUrl.size())));
    NoteTime("start page");
}

void TStartPage::ShowWindowOnceStarted(QWidget *window, int limitMs)
{
    m_window = window;
    m_showLimit->start(m_started ? 0 : limitMs);
}

void TStartPage::ShowWindow()
{
    QWidget *window = std::exchange(m_window, nullptr);
    if (!window)
        return;
    m_showLimit->stop();
    if (m_windowClosed)
        return;
    window->show();
    emit WindowShown();
}

void TStartPage::ShowFallback()
{
    m_browser->setHtml(QString::fromLatin1(FallbackHtml)
                           .arg(tr("Type what to look up above, "
                                   "choose how to look it up, then press Enter or the \"Look up\" "
                                   "button to see the results "
                                   "from several online reference works at once.")
                                    .toHtmlEscaped()),
                       QUrl(QStringLiteral("data:,")));
}

} // namespace tellaria
