#pragma once

// The dialogs a browser command opens, behind one seam so that tests can answer them.

#include <QString>
#include <QWebEngineDownloadRequest>

class QPrinter;
class QWidget;

namespace tellaria {

class TWebBrowser;

struct SaveAsChoice
{
    QString FileName;
    QWebEngineDownloadRequest::SavePageFormat Format
        = QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
};

class BrowserDialogs
{
public:
    virtual ~BrowserDialogs() = default;

    // Asks where and how to save the page; false when the user cancels.
    virtual bool ChooseSaveAs(QWidget *parent, const QString &suggestedName, SaveAsChoice &choice);
    // Lets the user pick a printer and options; false when the user cancels.
    virtual bool ConfirmPrint(QWidget *parent, QPrinter &printer);
    // Edits the printer's paper, orientation and margins; false when the user cancels.
    virtual bool EditPageSetup(QWidget *parent, QPrinter &printer);
    // Shows a preview of `browser`'s page, printed on `printer`. While the pages are drawn the
    // pointer is busy over all the program's windows, which keep answering.
    virtual void ShowPrintPreview(TWebBrowser &browser, QPrinter &printer);

    // The dialogs in use (the real ones unless a test installed others). Never null.
    static BrowserDialogs &Current();
    // Installs `dialogs` (not owned); null restores the real ones.
    static void Install(BrowserDialogs *dialogs);
};

} // namespace tellaria
