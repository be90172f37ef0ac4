#include "browser/PdfPrinting.h"

#include "browser/WebBrowser.h"
#include "widgets/Application.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfDocument>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <algorithm>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tellaria {

namespace {

// The highest resolution a page is drawn at for a printer that takes pictures: a 1200-dpi A4
// page would take half a gigabyte.
constexpr int MostDotsPerInch = 300;

// The key under which a CUPS printer's engine keeps the options Qt's print dialog sets on it
// (pages per sheet, page set, the job options and the printer's own options of its properties
// dialog), as name and value in turn: PPK_CupsOptions of Qt's private qcups_p.h.
constexpr auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList DialogOptions(QPrinter &printer)
{
    return printer.printEngine()->property(CupsOptionsKey).toStringList();
}

bool PrintWithCups(const QByteArray &pdf, QPrinter &printer, QString &error)
{
    QTemporaryFile file;
    file.setFileTemplate(QDir::tempPath() + QStringLiteral("/tellaria-print-XXXXXX.pdf"));
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush()) {
        error = file.errorString();
        return false;
    }
    cups_option_t *options = nullptr;
    int count = 0;
    const auto add = [&](const QByteArray &name, const QByteArray &value) {
        count = cupsAddOption(name.constData(), value.constData(), count, &options);
    };
    // The paper the PDF is laid out on, so that the printer takes that paper rather than scaling
    // the pages to its own.
    add("media", printer.pageLayout().pageSize().key().toUtf8());
    add("copies", QByteArray::number(printer.copyCount()));
    add("collate", printer.collateCopies() ? "true" : "false");
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        add("outputorder", "reverse");
    if (printer.colorMode() == QPrinter::GrayScale)
        add("print-color-mode", "monochrome");
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
        add("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        add("sides", "two-sided-short-edge");
        break;
    case QPrinter::DuplexNone:
        add("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
        break;
    }
    // Last, as Qt's own CUPS engine has them: the dialog's own choice of an option wins.
    const QStringList chosen = DialogOptions(printer);
    for (qsizetype index = 0; index + 1 < chosen.size(); index += 2)
        add(chosen[index].toUtf8(), chosen[index + 1].toUtf8());
    const QByteArray title
        = printer.docName().isEmpty() ? QByteArray("Tellaria") : printer.docName().toUtf8();
    const int job = cupsPrintFile(printer.printerName().toUtf8().constData(),
                                  QFile::encodeName(file.fileName()).constData(), title.constData(),
                                  count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        error = QString::fromUtf8(cupsLastErrorString());
    return job != 0;
}

bool PrintAsPictures(const QByteArray &pdf, QPrinter &printer, QString &error)
{
    QByteArray bytes = pdf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() == 0) {
        error = QCoreApplication::translate("PdfPrinting", "The pages to print cannot be read.");
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QCoreApplication::translate("PdfPrinting", "Printing cannot start.");
        return false;
    }
    const QRect target = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(1.0, double(MostDotsPerInch) / printer.resolution());
    for (int page = 0; page < document.pageCount(); ++page) {
        if (page > 0)
            printer.newPage();
        // Drawn and let go before the next: one page's picture at a time.
        const QImage picture = document.render(page, (QSizeF(target.size()) * scale).toSize());
        painter.drawImage(QRect(QPoint(0, 0), target.size()), picture);
    }
    return painter.end();
}

} // namespace

void RequestPagePdf(TWebBrowser &browser,
                    const QPageLayout &layout,
                    const QPageRanges &ranges,
                    std::function<void(const QByteArray &)> done)
{
    browser.page()->printToPdf(
        WhileOpen(browser, &browser,
                  [done = std::move(done)](const QByteArray &pdf) { done(pdf); }),
        layout, ranges);
}

bool PrintPdf(const QByteArray &pdf, QPrinter &printer, QString &error)
{
    if (pdf.isEmpty()) {
        error = QCoreApplication::translate("PdfPrinting", "The pages to print cannot be made.");
        return false;
    }
    // A printer of the print system has a name; a file or no printer at all has none.
    return !printer.printerName().isEmpty() && printer.outputFormat() == QPrinter::NativeFormat
               ? PrintWithCups(pdf, printer, error)
               : PrintAsPictures(pdf, printer, error);
}

void PrintPage(TWebBrowser &browser, QPrinter &printer, std::function<void(bool)> done)
{
    RequestPagePdf(
        browser, printer.pageLayout(), printer.pageRanges(),
        [&printer, done = std::move(done)](const QByteArray &pdf) {
            QString error;
            const bool printed = PrintPdf(pdf, printer, error);
            ReturnFreedMemory();
            if (!printed)
                TApplication::ReportError(
                    QCoreApplication::translate("PdfPrinting", "Printing failed: %1").arg(error));
            done(printed);
        });
}

void ReturnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace tellaria
