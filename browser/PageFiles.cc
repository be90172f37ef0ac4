#include "browser/PageFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <memory>

namespace tellaria {

namespace {

bool IsInside(const QString &path, const QString &directory)
{
    return path == directory || path.startsWith(directory + QLatin1Char('/'));
}

// Removes `made`, innermost first, each only while empty: whatever someone put there stays.
void RemoveEmptyDirectories(const QStringList &made)
{
    for (auto directory = made.crbegin(); directory != made.crend(); ++directory) {
        if (!QDir().rmdir(*directory))
            return;
    }
}

} // namespace

QStringList UnaskedDirectories(const QString &directory, const QString &fileName)
{
    if (directory.isEmpty())
        return {};
    QStringList missing;
    for (QString path = QDir::cleanPath(QDir(directory).absolutePath());
         !QFileInfo::exists(path) && !QDir(path).isRoot(); path = QFileInfo(path).path())
        missing.prepend(path);
    // Those the user's file goes into were asked for.
    const QString file = QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
    while (!missing.isEmpty() && IsInside(file, missing.constFirst()))
        missing.removeFirst();
    return missing;
}

void SavePage(QWebEnginePage &page,
              const QString &fileName,
              QWebEngineDownloadRequest::SavePageFormat format)
{
    const QStringList unasked = UnaskedDirectories(
        QStandardPaths::writableLocation(QStandardPaths::DownloadLocation), fileName);
    if (!unasked.isEmpty()) {
        // Chromium makes the directory before it reports the save as a download request: once
        // this page's request is in, the directory is there to remove.
        auto connection = std::make_shared<QMetaObject::Connection>();
        const auto removeMade = [&page, unasked, connection](QWebEngineDownloadRequest *download) {
            if (download->page() != &page || !download->isSavePageDownload())
                return;
            QObject::disconnect(*connection);
            RemoveEmptyDirectories(unasked);
        };
        *connection = QObject::connect(page.profile(), &QWebEngineProfile::downloadRequested, &page,
                                       removeMade);
    }
    page.save(fileName, format);
}

bool PrintsToPdfFile(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

} // namespace tellaria
