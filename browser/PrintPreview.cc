#include "browser/PrintPreview.h"

#include "browser/BrowserDialogs.h"
#include "browser/PdfPageView.h"
#include "browser/PdfPrinting.h"
#include "browser/WebBrowser.h"

#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QPdfDocument>
#include <QPrinter>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tellaria {

namespace {

// A zoom step, as a viewer's buttons take it.
constexpr double ZoomStep = 1.25;

} // namespace

TPrintPreview::TPrintPreview(TWebBrowser &browser, QPrinter &printer, QWidget *parent)
    : QDialog(parent ? parent : browser.window())
    , m_browser(&browser)
    , m_printer(printer)
    , m_document(new QPdfDocument(this))
    , m_view(new TPdfPageView(this))
    , m_page(new QSpinBox(this))
    , m_pageCount(new QLabel(this))
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(tr("Print Preview"));
    resize(800, 700);
    auto *tools = new QToolBar(this);
    const auto add = [&](const char *text, const char *name, auto handler) {
        QAction *action = tools->addAction(tr(text), this, handler);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    // A step of the view: a row of pages, one or two.
    QAction *prior = add(QT_TR_NOOP("Previous Page"), "PreviewPrior", [this] {
        m_view->GoToPage(std::max(0, m_view->CurrentPage() - m_view->Columns()));
    });
    QAction *next = add(QT_TR_NOOP("Next Page"), "PreviewNext", [this] {
        m_view->GoToPage(
            std::min(m_view->PageCount() - 1, m_view->CurrentPage() + m_view->Columns()));
    });
    m_page->setAccessibleName(tr("Page number"));
    tools->addWidget(m_page);
    tools->addWidget(m_pageCount);
    tools->addSeparator();
    QAction *zoomOut = add(QT_TR_NOOP("Zoom Out"), "PreviewZoomOut",
                           [this] { m_view->SetZoom(m_view->Zoom() / ZoomStep); });
    QAction *zoomIn = add(QT_TR_NOOP("Zoom In"), "PreviewZoomIn",
                          [this] { m_view->SetZoom(m_view->Zoom() * ZoomStep); });
    QAction *fitWidth = add(QT_TR_NOOP("Fit Width"), "PreviewFitWidth",
                            [this] { m_view->SetZoom(m_view->FitWidthZoom()); });
    QAction *fitPage = add(QT_TR_NOOP("Whole Page"), "PreviewFitPage",
                           [this] { m_view->SetZoom(m_view->FitPageZoom()); });
    tools->addSeparator();
    auto *columns = new QActionGroup(this);
    QAction *one
        = add(QT_TR_NOOP("Single Page"), "PreviewOnePage", [this] { m_view->SetColumns(1); });
    QAction *two
        = add(QT_TR_NOOP("Two Pages"), "PreviewTwoPages", [this] { m_view->SetColumns(2); });
    for (QAction *action : {one, two}) {
        action->setCheckable(true);
        columns->addAction(action);
    }
    one->setChecked(true);
    tools->addSeparator();
    add(QT_TR_NOOP("Page Setup..."), "PreviewPageSetup", [this] { PageSetup(); });
    QAction *print = add(QT_TR_NOOP("Print..."), "PreviewPrint", [this] { Print(); });
    add(QT_TR_NOOP("Close"), "PreviewClose", [this] { reject(); });
    prior->setShortcut(QKeySequence::MoveToPreviousPage);
    next->setShortcut(QKeySequence::MoveToNextPage);
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    m_documentActions = {prior, next, zoomOut, zoomIn, fitWidth, fitPage, one, two, print};

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_view, 1);
    connect(m_view, &TPdfPageView::CurrentPageChanged, this, &TPrintPreview::FollowPage);
    connect(m_page, &QSpinBox::valueChanged, this, [this](int page) {
        if (page - 1 != m_view->CurrentPage())
            m_view->GoToPage(page - 1);
    });
    Generate();
}

TPrintPreview::~TPrintPreview()
{
    if (m_waiting)
        QApplication::restoreOverrideCursor();
    // The document and the drawn pages go with the dialog; their memory goes back at once.
    m_view->SetDocument(nullptr);
    m_document->close();
    m_pdf.clear();
    m_pdf.squeeze();
    ReturnFreedMemory();
}

void TPrintPreview::Generate()
{
    m_view->SetDocument(nullptr, tr("Making the print preview..."));
    for (QAction *action : std::as_const(m_documentActions))
        action->setEnabled(false);
    if (!m_browser || m_browser->Printing()) {
        Show({});
        return;
    }
    // The engine lays the page out on the pages of the page set-up, as it does for a PDF file;
    // the pointer shows the wait, and the program answers meanwhile.
    m_waiting = true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_browser->BeginPrintJob();
    // The job is the browser's: it ends with the PDF even when the preview has closed meanwhile.
    const QPointer<TPrintPreview> alive(this);
    TWebBrowser *browser = m_browser;
    RequestPagePdf(*browser, m_printer.pageLayout(), {}, [alive, browser](const QByteArray &pdf) {
        browser->EndPrintJob(!pdf.isEmpty());
        if (alive)
            alive->Show(pdf);
    });
}

void TPrintPreview::Show(const QByteArray &pdf)
{
    if (m_waiting) {
        m_waiting = false;
        QApplication::restoreOverrideCursor();
    }
    m_view->SetDocument(nullptr);
    m_document->close();
    m_buffer.close();
    m_pdf = pdf;
    m_buffer.setBuffer(&m_pdf);
    if (!m_pdf.isEmpty() && m_buffer.open(QIODevice::ReadOnly))
        m_document->load(&m_buffer);
    const bool ready
        = m_document->status() == QPdfDocument::Status::Ready && m_document->pageCount() > 0;
    m_view->SetDocument(ready ? m_document : nullptr, tr("The print preview cannot be made."));
    // First shown as wide as the window, as a reader reads it; the user's zoom is kept after.
    if (ready && !std::exchange(m_zoomed, true))
        m_view->SetZoom(m_view->FitWidthZoom());
    m_view->setFocus(Qt::OtherFocusReason);
    for (QAction *action : std::as_const(m_documentActions))
        action->setEnabled(ready);
    m_page->setRange(ready ? 1 : 0, ready ? m_document->pageCount() : 0);
    m_pageCount->setText(tr(" of %1 ").arg(ready ? m_document->pageCount() : 0));
    FollowPage(m_view->CurrentPage());
    emit Shown();
}

void TPrintPreview::FollowPage(int page)
{
    const QSignalBlocker quiet(m_page);
    m_page->setValue(page + 1);
}

void TPrintPreview::PageSetup()
{
    if (m_waiting || !BrowserDialogs::Current().EditPageSetup(this, m_printer))
        return;
    Generate();
}

void TPrintPreview::Print()
{
    // What the preview shows is what the page prints: the same page on the same page set-up.
    QPointer<TWebBrowser> browser = m_browser;
    accept();
    if (browser)
        browser->RunCommand(TBrowserCommand::Print);
}

} // namespace tellaria
