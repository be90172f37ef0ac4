#include "ui/TabMark.h"

#include "browser/PageState.h"

#include <QPainter>
#include <QPainterPath>
#include <QTabWidget>

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

TTabMark::TTabMark(QTabWidget *tabs, QWidget *page, TPageState *state)
    : QObject(state)
    , m_tabs(tabs)
    , m_page(page)
    , m_pageState(state)
    , m_busyIcon(SharedIcon(tabs, "tellariaBusyIcon", &PaintBusy))
    , m_failedIcon(SharedIcon(tabs, "tellariaFailedIcon", &PaintFailed))
{
    setObjectName(QStringLiteral("TabMark"));
    connect(state, &TPageState::LoadChanged, this, &TTabMark::ScheduleRefresh);
    connect(state, &TPageState::TitleChanged, this, &TTabMark::ScheduleRefresh);
    connect(state, &TPageState::AddressChanged, this, &TTabMark::ScheduleRefresh);
    // In the same repaint as the new tab: a later one would cost a repaint of the window.
    Refresh();
}

TTabMark::TState TTabMark::State() const
{
    switch (m_pageState->Load()) {
    case TPageState::TLoad::Loading:
        return TState::Loading;
    case TPageState::TLoad::Failed:
    case TPageState::TLoad::RendererGone:
        return TState::Failed;
    default:
        return TState::Idle;
    }
}

void TTabMark::ScheduleRefresh()
{
    // The engine also reports while a page and its browser are being destroyed; the tab is
    // touched only later, from the event loop, and not at all once the mark has gone.
    if (m_refreshScheduled)
        return;
    m_refreshScheduled = true;
    QMetaObject::invokeMethod(this, &TTabMark::Refresh, Qt::QueuedConnection);
}

void TTabMark::Refresh()
{
    m_refreshScheduled = false;
    if (!m_tabs || !m_page)
        return;
    const int index = m_tabs->indexOf(m_page);
    if (index < 0)
        return;
    // A new icon repaints the whole window (pages drawn by the engine are composed with the
    // rest each time): set only when the state has changed, not on every new title or address.
    const TState state = State();
    if (state != m_shownState) {
        m_shownState = state;
        switch (state) {
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
    const QString title = m_pageState->Title();
    const QString url = m_pageState->Address().toDisplayString();
    QStringList lines;
    // Without a title of its own the engine names the page by its address: no need to repeat it.
    if (!title.isEmpty() && !url.contains(title))
        lines << title;
    if (!url.isEmpty())
        lines << url;
    switch (m_pageState->Load()) {
    case TPageState::TLoad::RendererGone:
        lines << tr("The page ended unexpectedly");
        break;
    case TPageState::TLoad::Failed:
        lines << tr("The page failed to load");
        break;
    case TPageState::TLoad::Loading:
        lines << tr("Loading...");
        break;
    case TPageState::TLoad::Stopped:
        lines << tr("Loading stopped");
        break;
    default:
        break;
    }
    if (!m_note.isEmpty())
        lines << m_note;
    m_tabs->setTabToolTip(index, lines.join(QLatin1Char('\n')));
    emit Refreshed();
}

void TTabMark::SetNote(const QString &note)
{
    if (note == m_note)
        return;
    m_note = note;
    Refresh();
}

} // namespace tellaria
