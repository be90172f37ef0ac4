#pragma once

// The files a page's save and print commands write, and nothing besides them.

#include <QString>
#include <QWebEngineDownloadRequest>

class QPrinter;
class QWebEnginePage;

namespace tellaria {

// Saves `page` as `fileName` in `format`, as QWebEnginePage::save does. The engine makes its
// default download directory (the desktop's Downloads folder) on every save when it is missing,
// though the page then goes where the user chose; what it made for this save is removed again
// while empty, unless the user's file goes there. Returns at once; the engine writes the file.
void SavePage(QWebEnginePage &page,
              const QString &fileName,
              QWebEngineDownloadRequest::SavePageFormat format);

// The directories a save would make for the engine's default download directory `directory`
// that the user's file `fileName` does not go into: from its topmost missing ancestor down to
// itself, outermost first, less those holding `fileName`. Empty when it exists.
QStringList UnaskedDirectories(const QString &directory, const QString &fileName);

// Whether `printer` writes a PDF file, as the print dialog's "print to file" sets it. Such a file
// is written by the engine itself, its text kept as text; a printer gets pictures of the pages.
bool PrintsToPdfFile(const QPrinter &printer);

} // namespace tellaria
