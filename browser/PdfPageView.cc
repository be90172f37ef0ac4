#include "browser/PdfPageView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace tellaria {

namespace {

// Room around and between the pages, in pixels.
constexpr int Margin = 16;
// The drawn pages kept, in kilobytes: a few screenfuls, whatever the document's length.
constexpr int HeldKilobytes = 48 * 1024;

} // namespace

TPdfPageView::TPdfPageView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_images(HeldKilobytes)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

void TPdfPageView::SetDocument(QPdfDocument *document, const QString &message)
{
    m_document = document;
    m_message = message;
    m_images.clear();
    m_current = -1;
    Layout();
    verticalScrollBar()->setValue(0);
    NoteCurrentPage();
    viewport()->update();
}

int TPdfPageView::PageCount() const
{
    return m_document ? m_document->pageCount() : 0;
}

void TPdfPageView::SetZoom(double zoom)
{
    zoom = std::clamp(zoom, 0.1, 8.0);
    if (qFuzzyCompare(zoom, m_zoom))
        return;
    const int page = CurrentPage();
    m_zoom = zoom;
    m_images.clear();
    m_images.setMaxCost(HeldKilobytes);
    Layout();
    GoToPage(page);
    viewport()->update();
}

void TPdfPageView::SetColumns(int columns)
{
    columns = std::clamp(columns, 1, 2);
    if (columns == m_columns)
        return;
    const int page = CurrentPage();
    m_columns = columns;
    Layout();
    GoToPage(page);
    viewport()->update();
}

double TPdfPageView::FitWidthZoom() const
{
    if (PageCount() == 0)
        return m_zoom;
    const double pointsPerPixel = 72.0 / logicalDpiX();
    const double rowPoints = m_document->pagePointSize(0).width() * m_columns;
    // The vertical scroll bar that a page as wide as the view brings takes its room.
    const int bar = verticalScrollBar()->isVisible() ? 0 : verticalScrollBar()->sizeHint().width();
    const double room = viewport()->width() - bar - Margin * (m_columns + 1);
    return room * pointsPerPixel / rowPoints;
}

double TPdfPageView::FitPageZoom() const
{
    if (PageCount() == 0)
        return m_zoom;
    const double pointsPerPixel = 72.0 / logicalDpiY();
    const double room = viewport()->height() - Margin * 2;
    return std::min(FitWidthZoom(), room * pointsPerPixel / m_document->pagePointSize(0).height());
}

void TPdfPageView::Layout()
{
    m_pages.clear();
    const int count = PageCount();
    const double pixelsPerPoint = m_zoom * logicalDpiX() / 72.0;
    QList<QSize> sizes;
    for (int page = 0; page < count; ++page) {
        const QSizeF points = m_document->pagePointSize(page);
        sizes << QSize(qRound(points.width() * pixelsPerPoint),
                       qRound(points.height() * pixelsPerPoint));
    }
    int widest = 0;
    for (int first = 0; first < count; first += m_columns) {
        int width = -Margin;
        for (int page = first; page < std::min(count, first + m_columns); ++page)
            width += sizes[page].width() + Margin;
        widest = std::max(widest, width);
    }
    const int contentWidth = std::max(viewport()->width(), widest + 2 * Margin);
    int top = Margin;
    for (int first = 0; first < count; first += m_columns) {
        const int last = std::min(count, first + m_columns);
        int width = -Margin;
        int height = 0;
        for (int page = first; page < last; ++page) {
            width += sizes[page].width() + Margin;
            height = std::max(height, sizes[page].height());
        }
        int left = (contentWidth - width) / 2;
        for (int page = first; page < last; ++page) {
            m_pages << QRect(QPoint(left, top), sizes[page]);
            left += sizes[page].width() + Margin;
        }
        top += height + Margin;
    }
    m_content = QSize(contentWidth, count ? top : 0);
    verticalScrollBar()->setRange(0, std::max(0, m_content.height() - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    horizontalScrollBar()->setRange(0, std::max(0, m_content.width() - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

QRect TPdfPageView::PageRect(int page) const
{
    return m_pages[page].translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

int TPdfPageView::CurrentPage() const
{
    const int top = verticalScrollBar()->value();
    for (int page = 0; page < m_pages.size(); ++page) {
        if (m_pages[page].bottom() >= top + Margin)
            return page;
    }
    return m_pages.isEmpty() ? -1 : int(m_pages.size()) - 1;
}

void TPdfPageView::GoToPage(int page)
{
    if (page < 0 || page >= m_pages.size())
        return;
    verticalScrollBar()->setValue(m_pages[page].top() - Margin);
    NoteCurrentPage();
}

void TPdfPageView::NoteCurrentPage()
{
    const int page = CurrentPage();
    if (page != m_current) {
        m_current = page;
        emit CurrentPageChanged(page);
    }
}

const QImage &TPdfPageView::PageImage(int page, const QSize &size)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size) * ratio).toSize();
    if (const QImage *held = m_images.object(page); held && held->size() == pixels)
        return *held;
    auto *image = new QImage(m_document->render(page, pixels));
    image->setDevicePixelRatio(ratio);
    const qsizetype kilobytes = std::max<qsizetype>(1, image->sizeInBytes() / 1024);
    // A page larger than all that may be held is drawn and kept until the next one.
    m_images.setMaxCost(std::max<qsizetype>(HeldKilobytes, kilobytes));
    m_images.insert(page, image, kilobytes);
    return *m_images.object(page);
}

void TPdfPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    if (PageCount() == 0) {
        painter.setPen(palette().color(QPalette::BrightText));
        painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, m_message);
        return;
    }
    for (int page = 0; page < m_pages.size(); ++page) {
        const QRect area = PageRect(page);
        if (!area.intersects(event->rect()))
            continue;
        painter.fillRect(area.translated(2, 2), palette().color(QPalette::Shadow));
        painter.fillRect(area, Qt::white);
        painter.drawImage(area.topLeft(), PageImage(page, area.size()));
    }
}

void TPdfPageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const int page = CurrentPage();
    Layout();
    GoToPage(page);
}

void TPdfPageView::scrollContentsBy(int, int)
{
    viewport()->update();
    NoteCurrentPage();
}

} // namespace tellaria
