#pragma once

// Prints a browser's page and waits for the job, as a print preview that must paint before it
// goes on would: the browser's own print job, begun and ended as the print command's is.

#include "browser/WebBrowser.h"

#include <QEventLoop>
#include <QPointer>
#include <QPrinter>
#include <QTimer>

namespace tellaria {

// Prints on `printer` and waits until the engine has finished, at most `timeoutMs`; false when
// the job failed, did not finish in time, the browser went away meanwhile, or another print of
// the browser is still running.
inline bool PrintAndWait(TWebBrowser &browser, QPrinter &printer, int timeoutMs = 60000)
{
    if (browser.Printing())
        return false;
    browser.BeginPrintJob();
    const QPointer<TWebBrowser> alive(&browser);
    bool succeeded = false;
    QEventLoop loop;
    QObject::connect(&browser, &TWebBrowser::PrintJobFinished, &loop, [&](bool ok) {
        succeeded = ok;
        loop.quit();
    });
    QObject::connect(&browser, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    browser.print(&printer);
    loop.exec();
    return alive && succeeded;
}

} // namespace tellaria
