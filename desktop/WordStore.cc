#include "desktop/WordStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <QtEndian>

#include <atomic>
#include <functional>

namespace tellaria {

namespace {

// SQLite's primary result codes the faults show as.
constexpr int SqliteBusy = 5, SqliteLocked = 6, SqliteReadOnly = 8, SqliteCorrupt = 11,
              SqliteCannotOpen = 14, SqliteNotADatabase = 26;

// At most this many look-ups wait in memory for a file that cannot take them.
constexpr std::size_t PendingLimit = 100000;

int PrimaryCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xFF;
}

// Whether the first bytes and the size read as an SQLite file that is whole: the header's own
// page count, where the header says it is valid, fits within the file.
bool LooksWhole(const QByteArray &head, qint64 size)
{
    if (size == 0)
        return true; // SQLite reads an empty file as an empty database
    if (head.size() < 100 || !head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return false;
    const auto *bytes = reinterpret_cast<const uchar *>(head.constData());
    qint64 pageSize = qFromBigEndian<quint16>(bytes + 16);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0 || size % pageSize != 0)
        return false;
    const quint32 changes = qFromBigEndian<quint32>(bytes + 24);
    const quint32 validFor = qFromBigEndian<quint32>(bytes + 92);
    const qint64 pages = qFromBigEndian<quint32>(bytes + 28);
    return changes != validFor || pages == 0 || pages * pageSize <= size;
}

QString Damaged(const QString &path)
{
    return QCoreApplication::translate("WordStore", "The record database \"%1\" is damaged.")
        .arg(path);
}

} // namespace

WordStore::WordStore(QString path)
    : m_path(std::move(path))
{
    static std::atomic<int> connections{0};
    m_connection = QStringLiteral("tellaria-words-%1").arg(++connections);
}

WordStore::~WordStore()
{
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QSqlDatabase WordStore::Database() const
{
    return QSqlDatabase::database(m_connection, false);
}

QString WordStore::LastError() const
{
    return Database().lastError().text();
}

WordStore::State WordStore::Fail(State state, const QString &problem)
{
    if (state != State::ReadOnly)
        Database().close();
    m_state = state;
    m_problem = problem;
    return state;
}

WordStore::State WordStore::Open()
{
    m_problem.clear();
    const bool existed = QFileInfo::exists(m_path);
    if (existed) {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return Fail(State::Unavailable,
                        QCoreApplication::translate(
                            "WordStore", "Cannot read the record database \"%1\": %2. Look-ups are "
                                         "not recorded this run; the file is left as it is.")
                            .arg(m_path, file.errorString()));
        if (!LooksWhole(file.read(100), file.size()))
            return Fail(State::Damaged, Damaged(m_path));
    }
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    // A file held by another program is waited for briefly: a look-up must not wait on it.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=100"));
    if (!db.open())
        return Fail(State::Unavailable,
                    (existed ? QCoreApplication::translate(
                         "WordStore", "The record database \"%1\" cannot be opened: %2. Look-ups "
                                      "are not recorded this run.")
                             : QCoreApplication::translate(
                                 "WordStore", "The record database \"%1\" cannot be created: %2. "
                                              "Look-ups are not recorded this run."))
                        .arg(m_path, db.lastError().text()));
    QSqlQuery query(db);
    const auto heldOrDamaged = [&](const QSqlError &error) {
        const int code = PrimaryCode(error);
        // A file the user may not write, in a folder that takes no file of the write-ahead
        // log's: read as it stands on the disk, never written.
        if ((code == SqliteReadOnly || code == SqliteCannotOpen) && OpenImmutable())
            return m_state;
        if (code == SqliteCorrupt || code == SqliteNotADatabase)
            return Fail(State::Damaged, Damaged(m_path));
        if (code == SqliteBusy || code == SqliteLocked)
            return Fail(State::Unavailable,
                        QCoreApplication::translate(
                            "WordStore", "The record database \"%1\" is in use by another program. "
                                         "Look-ups are not recorded this run; the file is left as "
                                         "it is. Close that program and start this one again.")
                            .arg(m_path));
        return Fail(
            State::Unavailable,
            QCoreApplication::translate(
                "WordStore",
                "Cannot read the record database \"%1\": %2. Look-ups are not recorded this run.")
                .arg(m_path, error.text()));
    };
    // The schema is read first: a damaged file fails here, before anything is written to it.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_schema")) || !query.next())
        return heldOrDamaged(query.lastError());
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return heldOrDamaged(query.lastError());
    const int version = query.value(0).toInt();
    query.finish();
    if (version > SchemaVersion)
        return Fail(State::Unavailable,
                    QCoreApplication::translate(
                        "WordStore", "The record database \"%1\" was made by a newer version of "
                                     "this program, which this version cannot read. Look-ups are "
                                     "not recorded this run; the file is left as it is.")
                        .arg(m_path));
    // Whether the file takes writes, asked of SQLite itself: root writes through any file mode.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        const QSqlError error = query.lastError();
        if (PrimaryCode(error) != SqliteReadOnly)
            return heldOrDamaged(error);
        if (version != SchemaVersion)
            return Fail(State::Unavailable,
                        QCoreApplication::translate(
                            "WordStore",
                            "The record database \"%1\" is read-only and of an older version, "
                            "so it cannot be updated. Look-ups are not recorded this run.")
                            .arg(m_path));
        SetReadOnly();
        return m_state;
    }
    (void)query.exec(QStringLiteral("ROLLBACK"));
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL"))
        || !query.exec(QStringLiteral("PRAGMA synchronous = NORMAL")))
        return heldOrDamaged(query.lastError());
    query.finish();
    if (!Migrate(db, version, SchemaVersion))
        return heldOrDamaged(db.lastError());
    m_state = State::Writable;
    return m_state;
}

void WordStore::SetReadOnly()
{
    m_state = State::ReadOnly;
    m_problem = QCoreApplication::translate(
                    "WordStore",
                    "The record database \"%1\" is read-only. The record and the notebook can be "
                    "viewed, but look-ups are not recorded this run and nothing can be changed.")
                    .arg(m_path);
}

bool WordStore::OpenImmutable()
{
    QSqlDatabase db = Database();
    db.close();
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    db.setDatabaseName(QUrl::fromLocalFile(m_path).toString(QUrl::FullyEncoded)
                       + QStringLiteral("?immutable=1"));
    QSqlQuery query(db);
    if (!db.open() || !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()
        || query.value(0).toInt() != SchemaVersion) {
        db.close();
        return false;
    }
    SetReadOnly();
    return true;
}

QString WordStore::SetAsideAndCreate()
{
    if (m_state != State::Damaged)
        return {};
    Database().close();
    QString aside
        = QStringLiteral("%1.damaged-%2")
              .arg(m_path,
                   QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    if (QFileInfo::exists(aside) || !QFile::rename(m_path, aside))
        return {};
    // The journal files belong to the damaged file: moved beside it, never applied to a new one.
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString journal = m_path + QLatin1String(suffix);
        if (QFileInfo::exists(journal))
            (void)QFile::rename(journal, aside + QLatin1String(suffix));
    }
    Open();
    return aside;
}

bool WordStore::Transaction(const std::function<bool()> &body)
{
    if (m_state != State::Writable)
        return false;
    QSqlDatabase db = Database();
    if (!db.transaction())
        return false;
    if (!body()) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        db.rollback();
        return false;
    }
    return true;
}

bool WordStore::Record(const Lookup &lookup)
{
    const std::string term = KeptTerm(lookup.Term.toStdString());
    if (term.empty() || m_state != State::Writable)
        return false;
    if (m_pending.size() >= PendingLimit)
        m_pending.erase(m_pending.begin());
    m_pending.push_back(lookup);
    m_pending.back().Term = QString::fromStdString(term);
    return WritePending();
}

bool WordStore::WritePending()
{
    const bool written = Transaction([this] {
        QSqlDatabase db = Database();
        QSqlQuery term(db), lookup(db), word(db);
        term.prepare(QStringLiteral("INSERT INTO terms (term, count) VALUES (?, 1) ON CONFLICT "
                                    "(term) DO UPDATE SET count = count + 1 RETURNING id"));
        lookup.prepare(
            QStringLiteral("INSERT INTO lookups (time, mode, term_id, sites) VALUES (?, ?, ?, ?)"));
        word.prepare(QStringLiteral("UPDATE words SET last = max(last, ?), mode = ?, "
                                    "count = count + 1, first = CASE first WHEN 0 THEN ? ELSE "
                                    "first END WHERE key = ?"));
        for (const Lookup &entry : m_pending) {
            term.addBindValue(BoundText(entry.Term));
            if (!term.exec() || !term.next())
                return false;
            const qint64 termId = term.value(0).toLongLong();
            term.finish();
            lookup.addBindValue(qint64(entry.Time));
            lookup.addBindValue(entry.Mode);
            lookup.addBindValue(termId);
            lookup.addBindValue(BoundText(entry.Sites.join(QLatin1Char('\n'))));
            word.addBindValue(qint64(entry.Time));
            word.addBindValue(entry.Mode);
            word.addBindValue(qint64(entry.Time));
            word.addBindValue(QString::fromStdString(TermKey(entry.Term.toStdString())));
            if (!lookup.exec() || !word.exec())
                return false;
        }
        return true;
    });
    if (written)
        m_pending.clear();
    return written;
}

std::vector<RecordRow> WordStore::RecordRows(const QString &filter,
                                             std::size_t limit,
                                             std::int64_t beforeTime,
                                             std::int64_t beforeId)
{
    std::vector<RecordRow> rows;
    if (m_state != State::Writable && m_state != State::ReadOnly)
        return rows;
    const std::string needle = filter.toStdString();
    const FilterMethod method = ChooseFilterMethod(needle);
    QString text = QStringLiteral("SELECT l.id, l.time, l.mode, t.term, t.count FROM lookups l "
                                  "JOIN terms t ON t.id = l.term_id WHERE 1");
    const QString bound = QString::fromStdString(
        method == FilterMethod::Like ? LikePattern(needle) : TrigramPhrase(needle));
    if (method != FilterMethod::All) {
        // The matching terms come from a scan of the distinct terms (short filters) or from the
        // trigram index. Few look-ups of them are read through the term index and sorted; many,
        // by the time index from the newest on, which soon reaches a page of them. SQLite cannot
        // tell the two apart: the stored counts can.
        const QString matching
            = method == FilterMethod::Like
                  ? QStringLiteral("SELECT id FROM terms WHERE term LIKE ? ESCAPE '\\'")
                  : QStringLiteral("SELECT rowid FROM terms_fts WHERE terms_fts MATCH ?");
        QSqlQuery count(Database());
        count.prepare(
            method == FilterMethod::Like
                ? QStringLiteral("SELECT total(count) FROM terms WHERE term LIKE ? "
                                 "ESCAPE '\\'")
                : QStringLiteral("SELECT total(count) FROM terms WHERE id IN (%1)").arg(matching));
        count.addBindValue(bound);
        if (!count.exec() || !count.next() || count.value(0).toDouble() == 0)
            return rows;
        if (count.value(0).toDouble() <= 2000)
            text += QStringLiteral(" AND l.term_id IN (%1)").arg(matching);
        else if (method == FilterMethod::Like)
            text += QStringLiteral(" AND t.term LIKE ? ESCAPE '\\'"); // checked row by row
        else
            text += QStringLiteral(" AND +l.term_id IN (%1)").arg(matching); // "+": no term index
    }
    if (beforeTime != 0 || beforeId != 0)
        text += QStringLiteral(" AND (l.time, l.id) < (?, ?)");
    text += QStringLiteral(" ORDER BY l.time DESC, l.id DESC LIMIT ?");
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    query.prepare(text);
    if (method != FilterMethod::All)
        query.addBindValue(bound);
    if (beforeTime != 0 || beforeId != 0) {
        query.addBindValue(qint64(beforeTime));
        query.addBindValue(qint64(beforeId));
    }
    query.addBindValue(qint64(limit));
    if (!query.exec())
        return rows;
    while (query.next())
        rows.push_back({query.value(0).toLongLong(), query.value(1).toLongLong(),
                        query.value(2).toInt(), query.value(3).toString(),
                        query.value(4).toLongLong()});
    return rows;
}

QDate LocalDay(std::int64_t seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds).date();
}

} // namespace tellaria
