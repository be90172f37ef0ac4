#pragma once

// Printing through the engine's own PDF of a page: the page is laid out once, as a PDF file
// would be, and a printer gets that document as it is, text and all, without the program ever
// holding more than one page drawn as a picture.

#include <QByteArray>
#include <QString>

#include <functional>

class QPageLayout;
class QPageRanges;
class QPrinter;

namespace tellaria {

class TWebBrowser;

// Asks the engine for a PDF of `browser`'s page laid out as `layout`, limited to `ranges` (all
// pages when empty); `done` gets its bytes, empty when the engine could not make one. When the
// browser goes first, `done` is not called at all.
void RequestPagePdf(TWebBrowser &browser,
                    const QPageLayout &layout,
                    const QPageRanges &ranges,
                    std::function<void(const QByteArray &)> done);

// Sends `pdf` to `printer`. A printer of the print system (CUPS) gets the document itself, with
// the copies, sides, page order, colour and further options chosen in the print dialog; any other
// gets its pages one at a time, each drawn as a picture at up to 300 dots an inch and let go
// before the next. False, with `error` saying why, when the job could not be handed over.
bool PrintPdf(const QByteArray &pdf, QPrinter &printer, QString &error);

// Prints `browser`'s page on `printer` through its PDF (RequestPagePdf, then PrintPdf), with the
// printer's page layout and page ranges; a failure is reported to the user. `done` gets whether
// the job was handed over, once it has been or has failed; neither happens when the browser goes
// first.
void PrintPage(TWebBrowser &browser, QPrinter &printer, std::function<void(bool)> done);

// Gives the memory freed since back to the system: the C library keeps freed memory for later
// otherwise, and a print job frees much at once.
void ReturnFreedMemory();

} // namespace tellaria
