// What the windows change: look-ups removed, the record cleared, the notebook's terms kept, noted,
// removed, exported and imported.

#include "desktop/WordStore.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace tellaria {

namespace {

QString Key(const QString &term)
{
    return QString::fromStdString(TermKey(term.toStdString()));
}

WordEntry EntryAt(const QSqlQuery &query)
{
    return {query.value(0).toString().toStdString(),
            query.value(1).toString().toStdString(),
            query.value(2).toInt(),
            query.value(3).toLongLong(),
            query.value(4).toLongLong(),
            query.value(5).toLongLong()};
}

} // namespace

bool WordStore::RemoveLookups(const std::vector<std::int64_t> &ids)
{
    return Transaction([&] {
        QSqlDatabase db = Database();
        QSqlQuery find(db), remove(db), count(db), empty(db);
        find.prepare(QStringLiteral("SELECT term_id FROM lookups WHERE id = ?"));
        remove.prepare(QStringLiteral("DELETE FROM lookups WHERE id = ?"));
        count.prepare(QStringLiteral("UPDATE terms SET count = count - 1 WHERE id = ?"));
        empty.prepare(QStringLiteral("DELETE FROM terms WHERE id = ? AND count <= 0"));
        for (const std::int64_t id : ids) {
            find.addBindValue(qint64(id));
            if (!find.exec())
                return false;
            if (!find.next())
                continue;
            const qint64 termId = find.value(0).toLongLong();
            find.finish();
            remove.addBindValue(qint64(id));
            count.addBindValue(termId);
            empty.addBindValue(termId);
            if (!remove.exec() || !count.exec() || !empty.exec())
                return false;
        }
        return true;
    });
}

bool WordStore::ClearRecord()
{
    if (m_state != State::Writable)
        return false;
    m_pending.clear();
    QSqlQuery query(Database());
    // Freed pages are overwritten with zeros, so the deleted terms cannot be read from the file.
    if (!query.exec(QStringLiteral("PRAGMA secure_delete = ON")))
        return false;
    const bool cleared = Transaction([this] {
        QSqlQuery remove(Database());
        return remove.exec(QStringLiteral("DELETE FROM lookups"))
               && remove.exec(QStringLiteral("DELETE FROM terms"));
    });
    // The write-ahead log still holds the old pages until a checkpoint empties it.
    return cleared && query.exec(QStringLiteral("VACUUM"))
           && query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

std::vector<WordEntry> WordStore::RecordTerms()
{
    std::vector<WordEntry> terms;
    if (m_state != State::Writable && m_state != State::ReadOnly)
        return terms;
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "SELECT t.term, '', (SELECT mode FROM lookups WHERE term_id = t.id ORDER BY time DESC "
            "LIMIT 1), min(l.time), max(l.time), count(*) FROM lookups l JOIN terms t ON t.id = "
            "l.term_id GROUP BY l.term_id ORDER BY max(l.time) DESC")))
        return terms;
    while (query.next())
        terms.push_back(EntryAt(query));
    return terms;
}

bool WordStore::Keep(const QString &term, int mode, const QString &note)
{
    const QString kept = QString::fromStdString(KeptTerm(term.toStdString()));
    if (kept.isEmpty())
        return false;
    return Transaction([&] {
        QSqlDatabase db = Database();
        QSqlQuery seen(db), keep(db);
        // A term already looked up brings its dates and count along.
        seen.prepare(QStringLiteral("SELECT min(l.time), max(l.time), count(*) FROM lookups l "
                                    "JOIN terms t ON t.id = l.term_id WHERE t.term = ?"));
        seen.addBindValue(kept);
        if (!seen.exec() || !seen.next())
            return false;
        keep.prepare(QStringLiteral(
            "INSERT INTO words (key, term, note, mode, first, last, count, added) VALUES (?, ?, "
            "?, ?, ?, ?, ?, strftime('%s', 'now')) ON CONFLICT (key) DO UPDATE SET note = CASE "
            "WHEN excluded.note <> '' THEN excluded.note ELSE note END"));
        keep.addBindValue(Key(kept));
        keep.addBindValue(kept);
        keep.addBindValue(BoundText(note));
        keep.addBindValue(mode);
        keep.addBindValue(seen.value(0).toLongLong());
        keep.addBindValue(seen.value(1).toLongLong());
        keep.addBindValue(seen.value(2).toLongLong());
        return keep.exec();
    });
}

bool WordStore::IsKept(const QString &term)
{
    if (m_state != State::Writable && m_state != State::ReadOnly)
        return false;
    QSqlQuery query(Database());
    query.prepare(QStringLiteral("SELECT 1 FROM words WHERE key = ?"));
    query.addBindValue(Key(term));
    return query.exec() && query.next();
}

std::vector<WordEntry> WordStore::Words(const QString &filter)
{
    std::vector<WordEntry> words;
    if (m_state != State::Writable && m_state != State::ReadOnly)
        return words;
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    QString text = QStringLiteral("SELECT term, note, mode, first, last, count FROM words");
    // The notebook holds what a person keeps, thousands at most: a scan answers at once.
    if (!filter.isEmpty())
        text += QStringLiteral(" WHERE term LIKE ? ESCAPE '\\' OR note LIKE ? ESCAPE '\\'");
    query.prepare(text + QStringLiteral(" ORDER BY added DESC, rowid DESC"));
    if (!filter.isEmpty()) {
        const QString pattern = QString::fromStdString(LikePattern(filter.toStdString()));
        query.addBindValue(pattern);
        query.addBindValue(pattern);
    }
    if (!query.exec())
        return words;
    while (query.next())
        words.push_back(EntryAt(query));
    return words;
}

bool WordStore::SetNote(const QString &term, const QString &note)
{
    return Transaction([&] {
        QSqlQuery query(Database());
        query.prepare(QStringLiteral("UPDATE words SET note = ? WHERE key = ?"));
        query.addBindValue(BoundText(note));
        query.addBindValue(Key(term));
        return query.exec();
    });
}

bool WordStore::RemoveWord(const QString &term)
{
    return Transaction([&] {
        QSqlQuery query(Database());
        query.prepare(QStringLiteral("DELETE FROM words WHERE key = ?"));
        query.addBindValue(Key(term));
        return query.exec();
    });
}

long WordStore::ImportWords(const std::vector<WordEntry> &entries)
{
    std::vector<WordEntry> merged = Words();
    const long added = static_cast<long>(MergeWords(merged, entries));
    const bool written = Transaction([&] {
        QSqlQuery query(Database());
        query.prepare(QStringLiteral(
            "INSERT INTO words (key, term, note, mode, first, last, count, added) VALUES (?, ?, "
            "?, ?, ?, ?, ?, strftime('%s', 'now')) ON CONFLICT (key) DO UPDATE SET note = "
            "excluded.note, mode = excluded.mode, first = excluded.first, last = excluded.last, "
            "count = excluded.count"));
        for (const WordEntry &entry : merged) {
            query.addBindValue(QString::fromStdString(TermKey(entry.Term)));
            query.addBindValue(QString::fromStdString(entry.Term));
            query.addBindValue(QString::fromStdString(entry.Note));
            query.addBindValue(entry.Mode);
            query.addBindValue(qint64(entry.First));
            query.addBindValue(qint64(entry.Last));
            query.addBindValue(qint64(entry.Count));
            if (!query.exec())
                return false;
        }
        return true;
    });
    return written ? added : -1;
}

} // namespace tellaria
