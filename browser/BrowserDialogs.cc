#include "browser/BrowserDialogs.h"

#include "browser/PrintPreview.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace tellaria {

namespace {

BrowserDialogs *g_installed = nullptr;

struct SaveFilter
{
    const char *Text;
    QWebEngineDownloadRequest::SavePageFormat Format;
    const char *Suffix;
};

// The three ways a page can be saved, in the order the dialog offers them.
const SaveFilter SaveFilters[] = {
    {QT_TRANSLATE_NOOP("BrowserDialogs", "Web page, complete (*.html *.htm)"),
     QWebEngineDownloadRequest::CompleteHtmlSaveFormat, "html"},
    {QT_TRANSLATE_NOOP("BrowserDialogs", "Web archive, single file (*.mht *.mhtml)"),
     QWebEngineDownloadRequest::MimeHtmlSaveFormat, "mht"},
    {QT_TRANSLATE_NOOP("BrowserDialogs", "Web page, text and structure only (*.html *.htm)"),
     QWebEngineDownloadRequest::SingleHtmlSaveFormat, "html"},
};

} // namespace

bool BrowserDialogs::ChooseSaveAs(QWidget *parent,
                                  const QString &suggestedName,
                                  SaveAsChoice &choice)
{
    QStringList filters;
    for (const SaveFilter &filter : SaveFilters)
        filters << QCoreApplication::translate("BrowserDialogs", filter.Text);
    QFileDialog dialog(parent, QCoreApplication::translate("BrowserDialogs", "Save Page"),
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectFile(suggestedName + QStringLiteral(".html"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
    const SaveFilter &filter = SaveFilters[index < 0 ? 0 : index];
    choice.FileName = dialog.selectedFiles().constFirst();
    if (QFileInfo(choice.FileName).suffix().isEmpty())
        choice.FileName += QLatin1Char('.') + QLatin1String(filter.Suffix);
    choice.Format = filter.Format;
    return true;
}

bool BrowserDialogs::ConfirmPrint(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool BrowserDialogs::EditPageSetup(QWidget *parent, QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void BrowserDialogs::ShowPrintPreview(TWebBrowser &browser, QPrinter &printer)
{
    TPrintPreview preview(browser, printer);
    preview.exec();
}

BrowserDialogs &BrowserDialogs::Current()
{
    static BrowserDialogs real;
    return g_installed ? *g_installed : real;
}

void BrowserDialogs::Install(BrowserDialogs *dialogs)
{
    g_installed = dialogs;
}

} // namespace tellaria
