#include "ui/WordFiles.h"

#include "core/LookupCatalogue.h"
#include "desktop/WordStore.h"
#include "widgets/Application.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>

namespace tellaria {

namespace {

const char TsvFilter[] = "制表符分隔文本 (*.tsv *.txt)";
const char CsvFilter[] = "CSV 文件 (*.csv)";

} // namespace

QString ModeName(int mode)
{
    const LookupMode known = LookupModeFromIndex(mode);
    return known == LookupMode::None ? QString() : QString::fromStdString(LookupModeLabel(known));
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
    QString filter = QString::fromUtf8(TsvFilter);
    const QString path = QFileDialog::getSaveFileName(
        parent, title, QDir::home().filePath(suggestedName),
        QString::fromUtf8(TsvFilter) + QStringLiteral(";;") + QString::fromUtf8(CsvFilter),
        &filter);
    if (path.isEmpty())
        return;
    const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)
                     || filter == QString::fromUtf8(CsvFilter);
    const std::string text = csv ? WriteWordsCsv(entries) : WriteWordsTsv(entries);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit()) {
        TApplication::ReportError(
            QString::fromUtf8("无法写入文件“%1”：%2").arg(path, file.errorString()));
        return;
    }
}

bool ImportWordsFromFile(QWidget *parent, WordStore &store)
{
    const QString path = QFileDialog::getOpenFileName(
        parent, QString::fromUtf8("导入生词本"), QDir::homePath(),
        QString::fromUtf8(TsvFilter) + QStringLiteral(";;") + QString::fromUtf8("所有文件 (*)"));
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        TApplication::ReportError(
            QString::fromUtf8("无法读取文件“%1”：%2").arg(path, file.errorString()));
        return false;
    }
    // One byte beyond the limit is enough to tell the file is too long.
    const QByteArray bytes = file.read(qint64(WordsFileSizeLimit) + 1);
    const WordsImport read = ReadWordsTsv(
        std::string_view(bytes.constData(), std::size_t(bytes.size())), path.toStdString());
    if (!read.Problem.empty()) {
        TApplication::ReportError(QString::fromStdString(read.Problem));
        return false;
    }
    const long added = store.ImportWords(read.Entries);
    if (added < 0) {
        TApplication::ReportError(QString::fromUtf8("无法导入生词本：%1").arg(store.LastError()));
        return false;
    }
    QString said = QString::fromUtf8("读入 %1 个词语，其中 %2 个是新的，其余已与生词本中的合并。")
                       .arg(read.Entries.size())
                       .arg(added);
    if (read.Skipped != 0)
        said += QString::fromUtf8("有 %1 行无法完整读取。").arg(read.Skipped);
    QMessageBox::information(parent, QString::fromLatin1(ApplicationTitle), said);
    return true;
}

} // namespace tellaria
