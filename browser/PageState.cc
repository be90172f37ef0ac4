#include "browser/PageState.h"

#include "browser/WebBrowser.h"

#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>

namespace tellaria {

TPageState::TPageState(QWebEnginePage *page)
    : QObject(page)
    , m_page(page)
{
    setObjectName(QStringLiteral("PageState"));
    connect(page, &QWebEnginePage::loadingChanged, this, &TPageState::LoadingChanged);
    connect(page, &QWebEnginePage::titleChanged, this, &TPageState::TitleChanged);
    connect(page, &QWebEnginePage::urlChanged, this, [this] { emit AddressChanged(Address()); });
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    SetLoad(TLoad::RendererGone);
            });
    // A new document has not been read yet.
    connect(page, &QWebEnginePage::loadStarted, this,
            [this] { SetReading(m_reader, m_marking, TArticle::NotAsked, 0); });
    // A new document may come back at the engine's own zoom.
    connect(page, &QWebEnginePage::loadFinished, this, [this] {
        if (m_page->zoomFactor() != m_zoom / 100.0)
            m_page->setZoomFactor(m_zoom / 100.0);
    });
}

void TPageState::SetZoom(int percent)
{
    m_page->setZoomFactor(percent / 100.0);
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    emit ZoomChanged(percent);
}

QString TPageState::Title() const
{
    return m_page->title();
}

QUrl TPageState::Address() const
{
    if (m_load == TLoad::Failed && m_failed.isValid())
        return m_failed;
    const QUrl address = m_page->url();
    return address.isEmpty() ? m_page->requestedUrl() : address;
}

void TPageState::LoadingChanged(const QWebEngineLoadingInfo &info)
{
    // A link to another program's scheme, refused, leaves the page as it was.
    if (!IsEngineScheme(info.url()))
        return;
    // The page that says why the last load failed is no load of the user's.
    if (m_failurePage && m_load == TLoad::Failed && info.url().scheme() == QLatin1String("data"))
        return;
    m_failurePage = false;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        SetLoad(TLoad::Loading);
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        // The process's end says more than the failed load it leaves behind.
        if (m_load != TLoad::RendererGone) {
            m_failed = info.url();
            SetLoad(TLoad::Failed);
        }
        break;
    default:
        // Loaded, or stopped: a navigation the ad-server filter refused, or one the next
        // replaced. Neither is a failure of the page shown; one the user stopped stays so.
        if (m_load != TLoad::Stopped && m_load != TLoad::RendererGone)
            SetLoad(TLoad::Loaded);
        break;
    }
}

void TPageState::SetLoad(TLoad load)
{
    if (load == m_load)
        return;
    m_load = load;
    emit LoadChanged(load);
}

void TPageState::LoadAsked()
{
    m_failurePage = false;
    SetLoad(TLoad::Loading);
}

void TPageState::MarkStopped()
{
    SetLoad(TLoad::Stopped);
}

void TPageState::SetReading(bool reader, bool marking, TArticle article, int termCount)
{
    if (reader == m_reader && marking == m_marking && article == m_article
        && termCount == m_termCount)
        return;
    m_reader = reader;
    m_marking = marking;
    m_article = article;
    m_termCount = termCount;
    emit ReadingChanged();
}

void TPageState::SetFindCount(int count)
{
    if (count == m_findCount)
        return;
    m_findCount = count;
    emit ReadingChanged();
}

} // namespace tellaria
