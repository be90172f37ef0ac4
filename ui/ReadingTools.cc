#include "ui/ReadingTools.h"

#include "browser/PageReading.h"
#include "browser/WebBrowser.h"
#include "core/ZoomSteps.h"
#include "ui/FindBar.h"
#include "ui/MainControls.h"
#include "ui/MenuItem.h"
#include "ui/PageSurface.h"
#include "ui/ResultPages.h"
#include "ui/TabMark.h"
#include "widgets/QueryBox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace tellaria {

TReadingTools::TReadingTools(QWidget *form, TMainControls &ui, const TWindowPlacement &placement)
    : QObject(form)
    , m_pages(ui.PageControl1)
    , m_placement(placement)
    , m_zoomPanel(ui.StatusPanel1)
    , m_findBar(new TFindBar(ui.PageControl1, form))
    , m_settings(placement.StoredReading())
{
    if (auto *layout = qobject_cast<QVBoxLayout *>(form->layout()))
        layout->insertWidget(layout->indexOf(ui.StatusBar1), m_findBar);

    QMenu *view = ui.MainMenu1View;
    m_reader = AddMenuItem(view, ui.mnuRefresh, "NViewReader", "阅读模式(&M)");
    m_reader->setStatusTip(QString::fromUtf8("只显示每页的正文"));
    m_reader->setCheckable(true);
    m_reader->setChecked(m_settings.Reader);
    m_reader->setShortcut(QKeySequence(Qt::Key_F9));
    m_highlight = AddMenuItem(view, ui.mnuRefresh, "NViewHighlight", "突出显示查询词(&H)");
    m_highlight->setStatusTip(QString::fromUtf8("在每页中标出查询词，并在页名旁显示出现次数"));
    m_highlight->setCheckable(true);
    m_highlight->setChecked(m_settings.Highlight);
    view->insertSeparator(ui.mnuPrior);
    m_zoomIn = AddMenuItem(view, ui.mnuPrior, "mnuZoomIn", "放大(&I)");
    // One sequence per key: Ctrl+Shift+= also gives Ctrl++, and two sequences of one item that
    // a key matches would make it ambiguous.
    m_zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    auto *zoomInPlus = new QAction(form);
    zoomInPlus->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    form->addAction(zoomInPlus);
    m_zoomOut = AddMenuItem(view, ui.mnuPrior, "mnuZoomOut", "缩小(&O)");
    m_zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    m_actualSize = AddMenuItem(view, ui.mnuPrior, "mnuActualSize", "实际大小(&A)");
    m_actualSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    view->insertSeparator(ui.mnuPrior);

    QMenu *edit = ui.MainMenu1Edit;
    edit->addSeparator();
    QAction *find = AddMenuItem(edit, nullptr, "mnuFind", "查找(&F)...");
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    find->setStatusTip(QString::fromUtf8("在所有页中查找"));
    QAction *next = AddMenuItem(edit, nullptr, "mnuFindNext", "查找下一个(&N)");
    next->setShortcut(QKeySequence(Qt::Key_F3));
    QAction *prior = AddMenuItem(edit, nullptr, "mnuFindPrior", "查找上一个(&V)");
    prior->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    for (QAction *item :
         {m_reader, m_zoomIn, zoomInPlus, m_zoomOut, m_actualSize, find, next, prior})
        item->setShortcutContext(Qt::ApplicationShortcut);

    connect(m_reader, &QAction::toggled, this, [this](bool on) {
        m_settings.Reader = on;
        ApplyAll();
    });
    connect(m_highlight, &QAction::toggled, this, [this](bool on) {
        m_settings.Highlight = on;
        ApplyAll();
    });
    const auto zoomCurrent = [this](int steps) {
        if (m_pages->count() > 0)
            Zoom(m_pages->Page(m_pages->currentIndex()), steps);
    };
    connect(m_zoomIn, &QAction::triggered, this, [zoomCurrent] { zoomCurrent(1); });
    connect(zoomInPlus, &QAction::triggered, this, [zoomCurrent] { zoomCurrent(1); });
    connect(m_zoomOut, &QAction::triggered, this, [zoomCurrent] { zoomCurrent(-1); });
    connect(m_actualSize, &QAction::triggered, this, [zoomCurrent] { zoomCurrent(0); });
    connect(find, &QAction::triggered, this, [this, &ui] {
        m_findBar->Open(m_term.isEmpty() ? ui.CmbBook->currentText() : m_term);
    });
    connect(next, &QAction::triggered, m_findBar, &TFindBar::FindNext);
    connect(prior, &QAction::triggered, m_findBar, &TFindBar::FindPrior);
    connect(m_findBar, &TFindBar::CountsChanged, this, &TReadingTools::RefreshBadges);
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
    connect(reading, &TPageReading::Applied, page, [this, page] { RefreshBadge(page); });
    const qreal factor = ZoomOf(page) / 100.0;
    browser->setZoomFactor(factor);
    // A new document may come back at the engine's own zoom.
    connect(browser->page(), &QWebEnginePage::loadFinished, page, [this, page] {
        if (TWebBrowser *shown = page->Browser();
            shown && shown->zoomFactor() != ZoomOf(page) / 100.0)
            shown->setZoomFactor(ZoomOf(page) / 100.0);
    });
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
    RefreshBadge(page);
}

void TReadingTools::ApplyAll()
{
    for (int index = 0; index < m_pages->count(); ++index)
        Apply(m_pages->Page(index));
}

void TReadingTools::RefreshBadge(TTabSheet *page)
{
    const TPageReading *reading = page->Reading();
    if (!reading)
        return;
    const int found = m_findBar->MatchesOf(page);
    const bool marking = !reading->View().Term.isEmpty();
    const bool applied = reading->Article() != TPageReading::TArticle::NotAsked || marking;
    QString badge;
    if (found >= 0)
        badge = QString::number(found);
    else if (marking && applied)
        badge = QString::number(reading->Marks());
    page->SetBadge(badge);
    QStringList notes;
    if (found >= 0)
        notes << QString::fromUtf8("找到 %1 处").arg(found);
    else if (marking && applied)
        notes << QString::fromUtf8("查询词出现 %1 次").arg(reading->Marks());
    if (reading->View().Reader && reading->Article() == TPageReading::TArticle::None)
        notes << QString::fromUtf8("此页没有可提取的正文");
    if (TTabMark *mark = page->LoadMark())
        mark->SetNote(notes.join(QLatin1Char('\n')));
}

void TReadingTools::RefreshBadges()
{
    for (int index = 0; index < m_pages->count(); ++index)
        RefreshBadge(m_pages->Page(index));
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
            other->Browser()->setZoomFactor(percent / 100.0);
    }
    ShowZoom();
}

void TReadingTools::ShowZoom()
{
    const bool pages = m_pages->count() > 0;
    for (QAction *item : {m_zoomIn, m_zoomOut, m_actualSize})
        item->setEnabled(pages);
    const int percent = pages ? ZoomOf(m_pages->Page(m_pages->currentIndex())) : ActualSize;
    m_zoomPanel->setText(percent == ActualSize ? QString() : QStringLiteral("%1%").arg(percent));
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
