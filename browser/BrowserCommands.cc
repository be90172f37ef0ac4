#include "browser/WebBrowser.h"

#include "browser/BrowserDialogs.h"
#include "browser/PageFiles.h"
#include "browser/PdfPrinting.h"

#include <QPrinter>
#include <QRegularExpression>

// The commands the window routes to a browser: when each is available, and the save and print
// jobs they start.

namespace tellaria {

bool TWebBrowser::CommandAvailable(TBrowserCommand command) const
{
    switch (command) {
    case TBrowserCommand::SaveAs:
    case TBrowserCommand::PageSetup:
    case TBrowserCommand::SelectAll:
        return m_hasDocument;
    case TBrowserCommand::Print:
    case TBrowserCommand::PrintPreview:
        // The engine runs one print job at a time.
        return m_hasDocument && !m_printing;
    case TBrowserCommand::Copy:
        return page()->hasSelection();
    case TBrowserCommand::Cut:
        return m_editableSelection && page()->hasSelection();
    case TBrowserCommand::Paste:
        return m_focusEditable && ClipboardHasText();
    }
    return false;
}

void TWebBrowser::RunCommand(TBrowserCommand command)
{
    if (!CommandAvailable(command))
        return;
    switch (command) {
    case TBrowserCommand::SaveAs:
        SaveAs();
        break;
    case TBrowserCommand::Print:
        Print();
        break;
    case TBrowserCommand::PrintPreview:
        if (m_printer) {
            m_printer->setDocName(DocumentName());
            BrowserDialogs::Current().ShowPrintPreview(*this, *m_printer);
        }
        break;
    case TBrowserCommand::PageSetup:
        if (m_printer)
            BrowserDialogs::Current().EditPageSetup(window(), *m_printer);
        break;
    case TBrowserCommand::Cut:
        page()->triggerAction(QWebEnginePage::Cut);
        break;
    case TBrowserCommand::Copy:
        page()->triggerAction(QWebEnginePage::Copy);
        break;
    case TBrowserCommand::Paste:
        page()->triggerAction(QWebEnginePage::Paste);
        break;
    case TBrowserCommand::SelectAll:
        page()->triggerAction(QWebEnginePage::SelectAll);
        break;
    }
}

QString TWebBrowser::DocumentName() const
{
    QString name = m_documentName.isEmpty() ? title().trimmed() : m_documentName;
    if (name.isEmpty())
        name = url().fileName();
    if (name.isEmpty())
        name = QStringLiteral("page");
    // What no file name may hold here or on the systems a file is copied to.
    static const QRegularExpression unfit(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    return name.replace(unfit, QStringLiteral("_"));
}

void TWebBrowser::SaveAs()
{
    SaveAsChoice choice;
    if (!BrowserDialogs::Current().ChooseSaveAs(window(), DocumentName(), choice)
        || choice.FileName.isEmpty())
        return;
    SavePage(*page(), choice.FileName, choice.Format);
}

void TWebBrowser::Print()
{
    if (!m_printer || m_printing)
        return;
    // The job's title, and the file name a PDF is offered under.
    m_printer->setDocName(DocumentName());
    if (!BrowserDialogs::Current().ConfirmPrint(window(), *m_printer))
        return;
    // The printer belongs to the window and outlives the job.
    BeginPrintJob();
    // The engine lays the page out itself, with its text and fonts and the page set-up's paper,
    // orientation and margins: into a PDF file, or a PDF that the printer is sent as it is.
    if (PrintsToPdfFile(*m_printer))
        page()->printToPdf(m_printer->outputFileName(), m_printer->pageLayout(),
                           m_printer->pageRanges());
    else
        PrintPage(*this, *m_printer, [this](bool printed) { EndPrintJob(printed); });
}

void TWebBrowser::BeginPrintJob()
{
    // The flag keeps a second job out until this one ends, whenever that is.
    m_printing = true;
    emit CommandStateChanged();
}

void TWebBrowser::EndPrintJob(bool succeeded)
{
    if (!m_printing || m_closing)
        return;
    m_printing = false;
    emit CommandStateChanged();
    emit PrintJobFinished(succeeded);
}

} // namespace tellaria
