#pragma once

// The print preview of a page: the engine's own PDF of it, on the paper, orientation and margins
// of the page set-up, shown page by page as the user pages through it (TPdfPageView). It holds
// the PDF and the pages in view; closed, it gives their memory back.

#include <QBuffer>
#include <QByteArray>
#include <QDialog>
#include <QPointer>

class QAction;
class QLabel;
class QPdfDocument;
class QPrinter;
class QSpinBox;

namespace tellaria {

class TPdfPageView;
class TWebBrowser;

class TPrintPreview : public QDialog
{
    Q_OBJECT
public:
    // Over `parent`, or over the browser's window without one.
    TPrintPreview(TWebBrowser &browser, QPrinter &printer, QWidget *parent = nullptr);
    ~TPrintPreview() override;

    TPdfPageView *View() const { return m_view; }

signals:
    // The page's PDF is on the screen, or the preview says why it is not.
    void Shown();

private:
    // Asks the engine for the page's PDF on the printer's page layout; shown when it comes.
    void Generate();
    void Show(const QByteArray &pdf);
    void PageSetup();
    void Print();
    void FollowPage(int page);

    QPointer<TWebBrowser> m_browser;
    QPrinter &m_printer;
    QByteArray m_pdf;
    QBuffer m_buffer;
    QPdfDocument *m_document;
    TPdfPageView *m_view;
    QSpinBox *m_page;
    QLabel *m_pageCount;
    QList<QAction *> m_documentActions; // on only while a document shows
    bool m_waiting = false;
    bool m_zoomed = false; // a document has been shown, and the zoom set for it
};

} // namespace tellaria
