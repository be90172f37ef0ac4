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
    {"网页，全部 (*.html *.htm)", QWebEngineDownloadRequest::CompleteHtmlSaveFormat, "html"},
    {"网页档案，单个文件 (*.mht *.mhtml)", QWebEngineDownloadRequest::MimeHtmlSaveFormat, "mht"},
    {"网页，仅文字与结构 (*.html *.htm)", QWebEngineDownloadRequest::SingleHtmlSaveFormat, "html"},
};

} // namespace

bool BrowserDialogs::ChooseSaveAs(QWidget *parent,
                                  const QString &suggestedName,
                                  SaveAsChoice &choice)
{
    QStringList filters;
    for (const SaveFilter &filter : SaveFilters)
        filters << QString::fromUtf8(filter.Text);
    QFileDialog dialog(parent, QStringLiteral("保存网页"),
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
