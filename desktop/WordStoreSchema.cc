// The database's versions, each a step from the one before, so that a file of any earlier
// version is brought up to date on open. A step is never changed once released: a new one is
// added instead.

#include "desktop/WordStore.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace tellaria {

namespace {

// Version 1: the record. Each distinct term once, with how often it was looked up, so the count
// beside a row and the filter's short-text scan need not go through every look-up.
const char *const Version1[] = {
    "CREATE TABLE terms (id INTEGER PRIMARY KEY, term TEXT NOT NULL UNIQUE,"
    " count INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE lookups (id INTEGER PRIMARY KEY, time INTEGER NOT NULL,"
    " mode INTEGER NOT NULL DEFAULT -1, term_id INTEGER NOT NULL REFERENCES terms(id),"
    " sites TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX lookups_time ON lookups (time)",
    "CREATE INDEX lookups_term ON lookups (term_id, time)",
};

// Version 2: the notebook, keyed by the term with ASCII letters lowered.
const char *const Version2[] = {
    "CREATE TABLE words (key TEXT PRIMARY KEY, term TEXT NOT NULL, note TEXT NOT NULL DEFAULT '',"
    " mode INTEGER NOT NULL DEFAULT -1, first INTEGER NOT NULL DEFAULT 0,"
    " last INTEGER NOT NULL DEFAULT 0, count INTEGER NOT NULL DEFAULT 0,"
    " added INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX words_added ON words (added)",
};

// Version 3: the substring index of the terms (trigrams), kept by triggers, for filters of three
// characters and more.
const char *const Version3[] = {
    "CREATE VIRTUAL TABLE terms_fts USING fts5 (term, content='terms', content_rowid='id',"
    " tokenize='trigram')",
    "CREATE TRIGGER terms_fts_insert AFTER INSERT ON terms BEGIN"
    " INSERT INTO terms_fts (rowid, term) VALUES (new.id, new.term); END",
    "CREATE TRIGGER terms_fts_delete AFTER DELETE ON terms BEGIN"
    " INSERT INTO terms_fts (terms_fts, rowid, term) VALUES ('delete', old.id, old.term); END",
    "CREATE TRIGGER terms_fts_update AFTER UPDATE OF term ON terms BEGIN"
    " INSERT INTO terms_fts (terms_fts, rowid, term) VALUES ('delete', old.id, old.term);"
    " INSERT INTO terms_fts (rowid, term) VALUES (new.id, new.term); END",
    "INSERT INTO terms_fts (terms_fts) VALUES ('rebuild')",
};

struct Step
{
    const char *const *Begin;
    const char *const *End;
};

const Step Steps[] = {
    {std::begin(Version1), std::end(Version1)},
    {std::begin(Version2), std::end(Version2)},
    {std::begin(Version3), std::end(Version3)},
};
static_assert(std::size(Steps) == WordStore::SchemaVersion);

} // namespace

bool WordStore::Migrate(QSqlDatabase &db, int from, int to)
{
    if (from < 0 || to > SchemaVersion || from > to)
        return false;
    if (from == to)
        return true;
    if (!db.transaction())
        return false;
    QSqlQuery query(db);
    for (int version = from; version < to; ++version) {
        for (auto text = Steps[version].Begin; text != Steps[version].End; ++text) {
            if (!query.exec(QString::fromLatin1(*text))) {
                db.rollback();
                return false;
            }
        }
    }
    // A pragma takes no bound value; the number is the program's own.
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(to))) {
        db.rollback();
        return false;
    }
    return db.commit();
}

} // namespace tellaria
