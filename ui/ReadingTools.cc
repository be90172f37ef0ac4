#include "ui/ReadingTools.h"

#include "browser/PageReading.h"
#include "browser/PageState.h"
#include "browser/WebBrowser.h"
#include "core/ZoomSteps.h"
#include "ui/Commands.h"
#include "ui/FindBar.h"
#include "ui/PageSurface.h"
#include "ui/ResultPages.h"
#include "ui/StatusLine.h"

#include <QAction>
#include <QComboBox>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace tellaria {

TReadingTools::TReadingTools(QWidget *form,
                             TCommands &commands,
                             TResultPages *pages,
                             TStatusLine *status,
                             const QComboBox *queryBox,
                             const TWindowPlacement &placement)
    : QObject(form)
    , m_pages(pages)
    , m_placement(placement)
    , m_status(status)
    , m_findBar(new TFindBar(pages, form))
    , m_settings(placement.StoredReading())
{
    if (auto *layout = qobject_cast<QVBoxLayout *>(form->layout()))
        layout->insertWidget(layout->indexOf(status), m_findBar);

    m_reader = commands.Action("NViewReader");
    m_reader->setChecked(m_settings.Reader);
    m_highlight = commands.Action("NViewHighlight");
    m_highlight->setChecked(m_settings.Highlight);
    m_zoomIn = commands.Action("mnuZoomIn");
    m_zoomOut = commands.Action("mnuZoomOut");
    m_actualSize = commands.Action("mnuActualSize");

    commands.SetToggle("NViewReader", this, [this](bool on) {
        m_settings.Reader = on;
        ApplyAll();
    });
    commands.SetToggle("NViewHighlight", this, [this](bool on) {
        m_settings.Highlight = on;
        ApplyAll();
    });
    const auto zoomCurrent = [this](int steps) {
        if (m_pages->count() > 0)
            Zoom(m_pages->Page(m_pages->currentIndex()), steps);
    };
    commands.SetRunner("mnuZoomIn", this, [zoomCurrent] { zoomCurrent(1); });
    commands.SetRunner("KeyZoomInPlus", this, [zoomCurrent] { zoomCurrent(1); });
    commands.SetRunner("mnuZoomOut", this, [zoomCurrent] { zoomCurrent(-1); });
    commands.SetRunner("mnuActualSize", this, [zoomCurrent] { zoomCurrent(0); });
    commands.SetRunner("mnuFind", this, [this, queryBox] {
        m_findBar->Open(m_term.isEmpty() ? queryBox->currentText() : m_term);
    });
    commands.SetRunner("mnuFindNext", m_findBar, [this] { m_findBar->FindNext(); });
    commands.SetRunner("mnuFindPrior", m_findBar, [this] { m_findBar->FindPrior(); });
    connect(m_pages, &TResultPages::PageOpened, this, &TReadingTools::PageOpened);
    connect(m_pages, &TResultPages::PagesChanged, this, &TReadingTools::ShowZoom);
}

TReadingSettings TReadingTools::Settings() const
{
    return m_settings;
}

void TReadingTools::PageOpened(TTabSheet *page)
{
    TWebBrowser *browser = page->Browser();
    auto *reading = new TPageReading(browser);
    page->SetReading(reading);
    browser->State()->SetZoom(ZoomOf(page));
    // Ctrl with the wheel zooms in the browser's steps, and is kept for the site.
    FilterPageSurface(browser, this);
    Apply(page);
}

void TReadingTools::Apply(TTabSheet *page)
{
    if (TPageReading *reading = page->Reading()) {
        reading->SetView({m_settings.Reader, m_settings.Highlight ? m_term : QString(),
                          m_pages->tabText(m_pages->indexOf(page))});
    }
}

void TReadingTools::ApplyAll()
{
    for (int index = 0; index < m_pages->count(); ++index)
        Apply(m_pages->Page(index));
}

int TReadingTools::ZoomOf(const TTabSheet *page)
{
    const std::string site = page->Site().toStdString();
    const auto kept = m_settings.Zoom.find(site);
    if (kept != m_settings.Zoom.end())
        return kept->second;
    return m_settings.Zoom[site] = m_placement.StoredZoom(site);
}

void TReadingTools::Zoom(TTabSheet *page, int steps)
{
    const int percent = steps == 0 ? ActualSize : ZoomStep(ZoomOf(page), steps);
    m_settings.Zoom[page->Site().toStdString()] = percent;
    // Every open page of the same reference work follows.
    for (int index = 0; index < m_pages->count(); ++index) {
        TTabSheet *other = m_pages->Page(index);
        if (other->Site() == page->Site() && other->Browser())
            other->Browser()->State()->SetZoom(percent);
    }
    ShowZoom();
}

void TReadingTools::ShowZoom()
{
    const bool pages = m_pages->count() > 0;
    for (QAction *item : {m_zoomIn, m_zoomOut, m_actualSize})
        item->setEnabled(pages);
    const int percent = pages ? ZoomOf(m_pages->Page(m_pages->currentIndex())) : ActualSize;
    m_status->ShowZoom(percent);
}

bool TReadingTools::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    const auto *wheel = static_cast<QWheelEvent *>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0)
        return false;
    // The page whose surface the wheel turned on.
    TTabSheet *page = PageOfSurface(*m_pages, watched);
    if (page)
        Zoom(page, wheel->angleDelta().y() > 0 ? 1 : -1);
    return page != nullptr;
}

} // namespace tellaria
