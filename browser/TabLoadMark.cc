#include "browser/TabLoadMark.h"

#include "browser/WebBrowser.h"

#include <QPainter>
#include <QPainterPath>
#include <QTabWidget>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cmath>

namespace tellaria {

namespace {

using Painting = void (*)(QPainter &, qreal size);

// At 16 px for the tab, and at twice that for high-density screens.
QIcon DrawnIcon(Painting paint)
{
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// Eight dots round a circle, fading: the usual sign of work in progress.
void PaintBusy(QPainter &painter, qreal size)
{
    const QPointF centre(size / 2, size / 2);
    const qreal radius = size * 0.36;
    const qreal dot = size * 0.1;
    painter.setPen(Qt::NoPen);
    for (int index = 0; index < 8; ++index) {
        const qreal angle = index * M_PI / 4;
        QColor colour(0x33, 0x66, 0xcc);
        colour.setAlphaF(0.25F + 0.75F * float(index) / 7.0F);
        painter.setBrush(colour);
        painter.drawEllipse(centre + QPointF(radius * std::cos(angle), radius * std::sin(angle)),
                            dot, dot);
    }
}

// A red disc with a white cross.
void PaintFailed(QPainter &painter, qreal size)
{
    const QRectF disc(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xcc, 0x22, 0x22));
    painter.drawEllipse(disc);
    painter.setPen(QPen(Qt::white, size * 0.13, Qt::SolidLine, Qt::RoundCap));
    const qreal near = size * 0.32;
    const qreal far = size - near;
    painter.drawLine(QPointF(near, near), QPointF(far, far));
    painter.drawLine(QPointF(far, near), QPointF(near, far));
}

// The icon drawn by `paint`, made once for all the marks of `tabs` and kept with it: a long
// session opens thousands of tabs, and icons made for each would each take their own memory.
QIcon SharedIcon(QTabWidget *tabs, const char *name, Painting paint)
{
    const QVariant kept = tabs->property(name);
    if (kept.canConvert<QIcon>())
        return kept.value<QIcon>();
    QIcon icon = DrawnIcon(paint);
    tabs->setProperty(name, QVariant::fromValue(icon));
    return icon;
}

} // namespace

TTabLoadMark::TTabLoadMark(QTabWidget *tabs, QWidget *page, QWebEngineView *browser)
    : QObject(browser)
    , m_tabs(tabs)
    , m_page(page)
    , m_browser(browser)
    , m_busyIcon(SharedIcon(tabs, "tellariaBusyIcon", &PaintBusy))
    , m_failedIcon(SharedIcon(tabs, "tellariaFailedIcon", &PaintFailed))
{
    setObjectName(QStringLiteral("TabLoadMark"));
    QWebEnginePage *webPage = browser->page();
    connect(webPage, &QWebEnginePage::loadingChanged, this, &TTabLoadMark::LoadingChanged);
    connect(webPage, &QWebEnginePage::titleChanged, this, &TTabLoadMark::ScheduleRefresh);
    connect(webPage, &QWebEnginePage::urlChanged, this, &TTabLoadMark::ScheduleRefresh);
    connect(webPage, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    ProcessEnded();
            });
    // Busy from the start, in the same repaint as the new tab: the engine's report that the load
    // has started would come later, and cost a repaint of the window each.
    m_state = TState::Loading;
    Refresh();
}

TTabLoadMark *TTabLoadMark::Of(const QWebEngineView *browser)
{
    return browser ? browser->findChild<TTabLoadMark *>(QStringLiteral("TabLoadMark"),
                                                        Qt::FindDirectChildrenOnly)
                   : nullptr;
}

void TTabLoadMark::ProcessEnded()
{
    m_processEnded = true;
    m_state = TState::Failed;
    ScheduleRefresh();
}

void TTabLoadMark::LoadingChanged(const QWebEngineLoadingInfo &info)
{
    // A link to another program's scheme, refused, leaves the page as it was.
    if (!IsEngineScheme(info.url()))
        return;
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        m_processEnded = false;
        m_stopped = false;
    }
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        m_state = TState::Loading;
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        m_state = TState::Failed;
        break;
    default:
        // Loaded, or stopped: a navigation the ad-server filter refused, or one the next
        // replaced. Neither is a failure of the page shown.
        m_state = TState::Idle;
        break;
    }
    ScheduleRefresh();
}

void TTabLoadMark::ScheduleRefresh()
{
    // The engine also reports while a page and its browser are being destroyed; the tab is
    // touched only later, from the event loop, and not at all once the mark has gone.
    if (m_refreshScheduled)
        return;
    m_refreshScheduled = true;
    QMetaObject::invokeMethod(this, &TTabLoadMark::Refresh, Qt::QueuedConnection);
}

void TTabLoadMark::Refresh()
{
    m_refreshScheduled = false;
    if (!m_tabs || !m_page)
        return;
    const int index = m_tabs->indexOf(m_page);
    if (index < 0)
        return;
    // A new icon repaints the whole window (pages drawn by the engine are composed with the
    // rest each time): set only when the state has changed, not on every new title or address.
    if (m_state != m_shownState) {
        m_shownState = m_state;
        switch (m_state) {
        case TState::Idle:
            m_tabs->setTabIcon(index, QIcon());
            break;
        case TState::Loading:
            m_tabs->setTabIcon(index, m_busyIcon);
            break;
        case TState::Failed:
            m_tabs->setTabIcon(index, m_failedIcon);
            break;
        }
    }
    const QString title = m_browser->page()->title();
    // Until the first answer arrives the page has no address of its own: show the one asked for.
    QUrl address = m_browser->page()->url();
    if (address.isEmpty())
        address = m_browser->page()->requestedUrl();
    const QString url = address.toDisplayString();
    QStringList lines;
    // Without a title of its own the engine names the page by its address: no need to repeat it.
    if (!title.isEmpty() && !url.contains(title))
        lines << title;
    if (!url.isEmpty())
        lines << url;
    if (m_processEnded)
        lines << QString::fromUtf8("页面已意外终止");
    else if (m_state == TState::Failed)
        lines << QString::fromUtf8("页面加载失败");
    else if (m_state == TState::Loading)
        lines << QString::fromUtf8("正在加载……");
    else if (m_stopped)
        lines << QString::fromUtf8("已停止加载");
    if (!m_note.isEmpty())
        lines << m_note;
    m_tabs->setTabToolTip(index, lines.join(QLatin1Char('\n')));
    emit Refreshed();
}

void TTabLoadMark::MarkStopped()
{
    m_stopped = true;
    m_state = TState::Idle;
    ScheduleRefresh();
}

void TTabLoadMark::SetNote(const QString &note)
{
    if (note == m_note)
        return;
    m_note = note;
    Refresh();
}

} // namespace tellaria
