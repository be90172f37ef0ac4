#pragma once

// The pages of a PDF document on the screen, one or two side by side, at a zoom of the user's
// choosing. Only the pages in view are drawn, each when it comes into view and at the size it is
// shown, so that the text is sharp at every zoom and a long document holds little memory.

#include <QAbstractScrollArea>
#include <QCache>
#include <QImage>
#include <QPointer>

class QPdfDocument;

namespace tellaria {

class TPdfPageView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TPdfPageView(QWidget *parent = nullptr);

    // Shows `document` (not owned) from its first page; null shows `message` instead.
    void SetDocument(QPdfDocument *document, const QString &message = {});

    // 1.0 shows a page at its printed size.
    double Zoom() const { return m_zoom; }
    void SetZoom(double zoom);
    // The zooms that fit a page's width, or a whole page, in the view.
    double FitWidthZoom() const;
    double FitPageZoom() const;

    // 1 or 2 pages side by side.
    int Columns() const { return m_columns; }
    void SetColumns(int columns);

    // The page at the top of the view, from 0; -1 without a document.
    int CurrentPage() const;
    void GoToPage(int page);
    int PageCount() const;

signals:
    void CurrentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Where each page lies in the document's full height and width, at the zoom, in pixels.
    void Layout();
    QRect PageRect(int page) const;
    const QImage &PageImage(int page, const QSize &size);
    void NoteCurrentPage();

    QPointer<QPdfDocument> m_document;
    QString m_message;
    double m_zoom = 1.0;
    int m_columns = 1;
    QList<QRect> m_pages;
    QSize m_content;
    int m_current = -1;
    // Drawn pages, by number, at the size last shown; at most a few screenfuls of pixels.
    QCache<int, QImage> m_images;
};

} // namespace tellaria
