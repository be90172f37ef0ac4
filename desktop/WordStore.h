#pragma once

// The record of look-ups and the vocabulary notebook, in one SQLite database ("tellaria.sqlite"
// in the data folder beside the settings). The user's file is never deleted or overwritten: one
// that is read-only, held by another program or made by a newer version is left as it is, and a
// damaged one is only set aside, under its own name with a suffix, when the caller asks. Values
// reach SQL only as bound values.

#include "core/WordList.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class QSqlDatabase;

namespace tellaria {

inline constexpr char WordStoreFileName[] = "tellaria.sqlite";

// One look-up: when, in which mode (-1 none), the term and the reference works asked.
struct Lookup
{
    std::int64_t Time = 0; // seconds since 1970, UTC
    int Mode = -1;
    QString Term;
    QStringList Sites;
};

// A row of the record as the window lists it, with how often its term was looked up in all.
struct RecordRow
{
    std::int64_t Id = 0;
    std::int64_t Time = 0;
    int Mode = -1;
    QString Term;
    std::int64_t TermCount = 0;
};

class WordStore
{
public:
    enum class State {
        Writable, // records and keeps
        ReadOnly, // shows what it holds; records nothing
        Damaged, // the file does not read as a database; SetAsideAndCreate may replace it
        Unavailable, // nothing to show: held by another program, newer, or no file can be made
    };

    // The schema this version writes; every earlier one (1 up) is migrated on open.
    static constexpr int SchemaVersion = 3;

    explicit WordStore(QString path);
    ~WordStore();
    WordStore(const WordStore &) = delete;
    WordStore &operator=(const WordStore &) = delete;

    // Opens the file, making it when missing. Problem() then says what is wrong, if anything.
    State Open();
    State CurrentState() const { return m_state; }
    // What is wrong and what the program does about it, for the user; empty when all is well.
    const QString &Problem() const { return m_problem; }
    const QString &Path() const { return m_path; }
    // For a damaged file: renames it (and its journal files) to "<name>.damaged-<time>", which
    // it returns, and opens a new database under the name. Empty when the rename failed.
    QString SetAsideAndCreate();

    // Records `lookup`. A write that fails (disk full, the file held) keeps it, and the ones
    // before it, for the next write; nothing already written is touched. False when it failed.
    bool Record(const Lookup &lookup);
    std::size_t PendingCount() const { return m_pending.size(); }

    // The record newest first, filtered by `filter` (a substring of the term), from before the
    // row (`beforeTime`, `beforeId`) on; 0 for both starts at the newest.
    std::vector<RecordRow> RecordRows(const QString &filter,
                                      std::size_t limit,
                                      std::int64_t beforeTime = 0,
                                      std::int64_t beforeId = 0);
    bool RemoveLookups(const std::vector<std::int64_t> &ids);
    // Deletes the whole record with its freed pages overwritten, and shrinks the file.
    bool ClearRecord();
    // Every term of the record with its first and last look-up and count, last looked up first.
    std::vector<WordEntry> RecordTerms();

    // The notebook, by TermKey.
    bool Keep(const QString &term, int mode, const QString &note = {});
    bool IsKept(const QString &term);
    std::vector<WordEntry> Words(const QString &filter = {});
    bool SetNote(const QString &term, const QString &note);
    bool RemoveWord(const QString &term);
    // Merges `entries` into the notebook (MergeWords); the number of new terms, or -1.
    long ImportWords(const std::vector<WordEntry> &entries);

    // The database's last error, for a report.
    QString LastError() const;
    // The connection, for tests that make older versions or count rows.
    QSqlDatabase Database() const;
    // Brings a database at `from` up to `to`, for Open and for tests building older versions.
    static bool Migrate(QSqlDatabase &db, int from, int to);

private:
    State Fail(State state, const QString &problem);
    void SetReadOnly();
    bool OpenImmutable();
    bool Transaction(const std::function<bool()> &body);
    bool WritePending();

    QString m_path;
    QString m_connection;
    State m_state = State::Unavailable;
    QString m_problem;
    std::vector<Lookup> m_pending;
};

// `text` as a bound value: a null string would be SQL's NULL, which no column takes.
inline QString BoundText(const QString &text)
{
    return text.isNull() ? QString(QLatin1String("")) : text;
}

// The local calendar day of `seconds`, as the record window groups it.
QDate LocalDay(std::int64_t seconds);

} // namespace tellaria
