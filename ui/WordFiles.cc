#include "ui/WordFiles.h"

#include "desktop/CoreWording.h"
#include "desktop/WordStore.h"
#include "widgets/Application.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>

namespace tellaria {

namespace {

QString TsvFilter()
{
    return QCoreApplication::translate("WordFiles", "Tab-separated text (*.tsv *.txt)");
}

QString CsvFilter()
{
    return QCoreApplication::translate("WordFiles", "CSV files (*.csv)");
}

} // namespace

QString ModeName(int mode)
{
    return LookupModeText(mode);
}

QString LocalTimeText(std::int64_t seconds)
{
    return seconds <= 0 ? QString()
                        : QDateTime::fromSecsSinceEpoch(seconds).toString(
                            QStringLiteral("yyyy-MM-dd HH:mm"));
}

void ExportWordsToFile(QWidget *parent,
                       const QString &title,
                       const QString &suggestedName,
                       const std::vector<WordEntry> &entries)
{
    QString filter = TsvFilter();
    const QString path
        = QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(suggestedName),
                                       TsvFilter() + QStringLiteral(";;") + CsvFilter(), &filter);
    if (path.isEmpty())
        return;
    const bool csv
        = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) || filter == CsvFilter();
    const std::string text = csv ? WriteWordsCsv(entries) : WriteWordsTsv(entries);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit()) {
        TApplication::ReportError(
            QCoreApplication::translate("WordFiles", "Cannot write file \"%1\": %2")
                .arg(path, file.errorString()));
        return;
    }
}

bool ImportWordsFromFile(QWidget *parent, WordStore &store)
{
    const QString path = QFileDialog::getOpenFileName(
        parent, QCoreApplication::translate("WordFiles", "Import into the Notebook"),
        QDir::homePath(),
        TsvFilter() + QStringLiteral(";;")
            + QCoreApplication::translate("WordFiles", "All files (*)"));
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        TApplication::ReportError(
            QCoreApplication::translate("WordFiles", "Cannot read file \"%1\": %2")
                .arg(path, file.errorString()));
        return false;
    }
    // One byte beyond the limit is enough to tell the file is too long.
    const QByteArray bytes = file.read(qint64(WordsFileSizeLimit) + 1);
    const WordsImport read
        = ReadWordsTsv(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (read.Fault != WordsFault::None) {
        TApplication::ReportError(WordsImportText(read, path));
        return false;
    }
    const long added = store.ImportWords(read.Entries);
    if (added < 0) {
        TApplication::ReportError(
            QCoreApplication::translate("WordFiles", "Cannot import into the notebook: %1")
                .arg(store.LastError()));
        return false;
    }
    QString said
        = QCoreApplication::translate(
              "WordFiles",
              "Read %1 terms, %2 of them new; the rest were merged with those in the notebook.")
              .arg(read.Entries.size())
              .arg(added);
    if (read.Skipped != 0)
        said += QCoreApplication::translate("WordFiles", " %1 lines could not be read in full.")
                    .arg(read.Skipped);
    QMessageBox::information(parent, QString::fromLatin1(ApplicationTitle), said);
    return true;
}

} // namespace tellaria
