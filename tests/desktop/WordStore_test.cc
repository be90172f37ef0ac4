// The record and notebook database on real files: its versions migrated, its filter at each
// length, the notebook's export read back into another, and the faults a user's file meets (read
// only, held by another program, cut short, not a database, from a newer version, a full disk),
// none of which may change the file.

#include "desktop/WordStore.h"
#include "tests/support/TestDirectory.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/resource.h>

using namespace tellaria;
using test::RunAsOrdinaryUser;
using test::RunInChild;

namespace {

QByteArray FileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "unreadable";
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

QStringList Terms(const std::vector<RecordRow> &rows)
{
    QStringList terms;
    for (const RecordRow &row : rows)
        terms << row.Term;
    return terms;
}

std::int64_t Scalar(const QString &path, const QString &sql)
{
    const QString name = QStringLiteral("probe");
    std::int64_t value = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec(sql) && query.next())
            value = query.value(0).toLongLong();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

QString ReadOnlyProblem(const QString &path)
{
    // No catalogue is installed here: the source text is what a reader gets.
    return QStringLiteral("The record database \"%1\" is read-only. The record and the notebook "
                          "can be viewed, but look-ups are not recorded this run and nothing can "
                          "be changed.")
        .arg(path);
}

// A store at `path` holding `count` look-ups of "term <i>", closed again.
void MakeStore(const QString &path, int count)
{
    WordStore store(path);
    QCOMPARE(store.Open(), WordStore::State::Writable);
    for (int i = 0; i < count; ++i)
        QVERIFY(store.Record({1765000000 + i, i % 4, QStringLiteral("term %1").arg(i), {}}));
}

} // namespace

class WordStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void migratesFromEachEarlierVersion_data()
    {
        QTest::addColumn<int>("from");
        for (int version = 0; version < WordStore::SchemaVersion; ++version)
            QTest::addRow("version %d", version) << version;
    }
    void migratesFromEachEarlierVersion()
    {
        QFETCH(int, from);
        const QString path = m_dir->filePath(QStringLiteral("old-%1.sqlite").arg(from));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "old");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(WordStore::Migrate(db, 0, from));
            QSqlQuery query(db);
            // What a user of that version had: look-ups from version 1, a kept word from 2.
            if (from >= 1) {
                QVERIFY(query.exec("INSERT INTO terms (id, term, count) VALUES (7, '旧的词', 2)"));
                QVERIFY(query.exec("INSERT INTO lookups (time, mode, term_id) VALUES "
                                   "(1700000000, 1, 7), (1700000100, 2, 7)"));
            }
            if (from >= 2)
                QVERIFY(query.exec("INSERT INTO words (key, term, note) VALUES ('旧的词', "
                                   "'旧的词', '旧笔记')"));
        }
        QSqlDatabase::removeDatabase("old");

        WordStore store(path);
        QCOMPARE(store.Open(), WordStore::State::Writable);
        QCOMPARE(Scalar(path, "PRAGMA user_version"), WordStore::SchemaVersion);
        QVERIFY(store.Record({1765000000, 0, QStringLiteral("新的词"), {}}));
        // The old look-ups are found by the new index as by the scan, beside the new one.
        const QStringList expected = from >= 1 ? QStringList{"旧的词", "旧的词"} : QStringList{};
        QCOMPARE(Terms(store.RecordRows(QStringLiteral("旧的词"), 10)), expected);
        QCOMPARE(Terms(store.RecordRows(QStringLiteral("旧的"), 10)), expected);
        QCOMPARE(Terms(store.RecordRows({}, 10)).size(), expected.size() + 1);
        QCOMPARE(store.IsKept(QStringLiteral("旧的词")), from >= 2);
        QVERIFY(store.Keep(QStringLiteral("新的词"), 0));
    }

    void filtersAtEachLength_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("terms");
        const auto row = [](const char *name, const char *filter, QStringList terms) {
            QTest::newRow(name) << QString::fromUtf8(filter) << terms;
        };
        row("nothing: every row", "", {"50%_off", "Pineapple", "苹果", "苹果树", "say \"hi\""});
        row("one Latin letter, case ignored", "p", {"Pineapple"});
        row("one Chinese character", "果", {"苹果", "苹果树"});
        row("two characters", "苹果", {"苹果", "苹果树"});
        row("three Chinese, the index", "苹果树", {"苹果树"});
        row("three Latin, case ignored", "APP", {"Pineapple"});
        row("percent is literal", "%", {"50%_off"});
        row("underscore is literal", "%_", {"50%_off"});
        row("quote inside the index's text", "\"hi\"", {"say \"hi\""});
        row("index syntax is literal", "hi OR", {});
        row("no match", "xyz", {});
    }
    void filtersAtEachLength()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, terms);
        WordStore store(m_dir->filePath(QStringLiteral("filter.sqlite")));
        QCOMPARE(store.Open(), WordStore::State::Writable);
        int at = 0;
        for (const char *term : {"苹果", "苹果树", "Pineapple", "50%_off", "say \"hi\""})
            QVERIFY(store.Record({1765000000 + at++, 0, QString::fromUtf8(term), {}}));
        QStringList found = Terms(store.RecordRows(filter, 100));
        found.sort();
        terms.sort();
        QCOMPARE(found, terms);
    }

    // Filters that match over 2,000 look-ups are read another way (by time, not by term): the
    // same rows come out, newest first, page after page.
    void filtersMatchingManyLookUps()
    {
        WordStore store(m_dir->filePath(QStringLiteral("many.sqlite")));
        QCOMPARE(store.Open(), WordStore::State::Writable);
        for (int i = 0; i < 4200; ++i)
            QVERIFY(store.Record(
                {1000 + i, 0, i % 2 ? "Apple" : QStringLiteral("梨%1").arg(i % 7), {}}));
        for (const char *filter : {"p", "PP", "ppl", "apple", "梨", "梨3"}) {
            const QString text = QString::fromUtf8(filter);
            std::vector<RecordRow> all;
            for (;;) {
                const std::vector<RecordRow> page
                    = all.empty() ? store.RecordRows(text, 500)
                                  : store.RecordRows(text, 500, all.back().Time, all.back().Id);
                all.insert(all.end(), page.begin(), page.end());
                if (page.size() < 500)
                    break;
            }
            const std::size_t expected = text == QString::fromUtf8("梨3") ? 300 : 2100;
            QCOMPARE(all.size(), expected);
            for (std::size_t i = 0; i < all.size(); ++i) {
                QVERIFY2(all[i].Term.contains(text, Qt::CaseInsensitive), filter);
                if (i > 0)
                    QVERIFY(all[i].Time < all[i - 1].Time);
            }
        }
    }

    void recordRowsPageAndCount()
    {
        WordStore store(m_dir->filePath(QStringLiteral("rows.sqlite")));
        QCOMPARE(store.Open(), WordStore::State::Writable);
        for (int i = 0; i < 5; ++i)
            QVERIFY(store.Record({1000 + i, 1, i % 2 ? "单" : "双", {"网站甲", "网站乙"}}));
        const std::vector<RecordRow> first = store.RecordRows({}, 3);
        QCOMPARE(Terms(first), (QStringList{"双", "单", "双"}));
        QCOMPARE(first[0].TermCount, 3);
        QCOMPARE(first[1].TermCount, 2);
        const std::vector<RecordRow> rest = store.RecordRows({}, 10, first[2].Time, first[2].Id);
        QCOMPARE(Terms(rest), (QStringList{"单", "双"}));
        QVERIFY(store.RemoveLookups({first[0].Id, first[1].Id}));
        const std::vector<RecordRow> left = store.RecordRows({}, 10);
        QCOMPARE(left.size(), 3u);
        QCOMPARE(left[0].TermCount, 2); // 双 twice left; 单 once
        QCOMPARE(store.RecordTerms().size(), 2u);
    }

    void notebookExportReadsBackIntoAnother()
    {
        WordStore from(m_dir->filePath(QStringLiteral("from.sqlite")));
        QCOMPARE(from.Open(), WordStore::State::Writable);
        QVERIFY(from.Record({1765000000, 2, QStringLiteral("苹果"), {}}));
        QVERIFY(from.Record({1765000500, 3, QStringLiteral("苹果"), {}}));
        QVERIFY(from.Keep(QStringLiteral("苹果"), 3, QStringLiteral("水果\t\"红的\"\n第二行")));
        QVERIFY(from.Keep(QStringLiteral("say \"hi\""), 0, QStringLiteral("引号,逗号")));
        const std::vector<WordEntry> words = from.Words();
        QCOMPARE(words.size(), 2u);
        const WordEntry &apple = words[1];
        QCOMPARE(apple.First, 1765000000);
        QCOMPARE(apple.Last, 1765000500);
        QCOMPARE(apple.Count, 2);

        const WordsImport read = ReadWordsTsv(WriteWordsTsv(words));
        QVERIFY(read.Fault == WordsFault::None);
        WordStore to(m_dir->filePath(QStringLiteral("to.sqlite")));
        QCOMPARE(to.Open(), WordStore::State::Writable);
        QCOMPARE(to.ImportWords(read.Entries), 2L);
        std::vector<WordEntry> back = to.Words();
        std::reverse(back.begin(), back.end());
        QVERIFY(back == words || to.Words() == words);
        // A second import merges: nothing doubles.
        QCOMPARE(to.ImportWords(read.Entries), 0L);
        QCOMPARE(to.Words().size(), 2u);
        QCOMPARE(to.Words(QStringLiteral("红")).size(), 1u);
        QVERIFY(to.SetNote(QStringLiteral("苹果"), QStringLiteral("新")));
        QVERIFY(to.RemoveWord(QStringLiteral("SAY \"HI\"")));
        QCOMPARE(to.Words().size(), 1u);
        QCOMPARE(QString::fromStdString(to.Words()[0].Note), QStringLiteral("新"));
    }

    void clearingLeavesNoTermInTheFiles()
    {
        const QString path = m_dir->filePath(QStringLiteral("clear.sqlite"));
        WordStore store(path);
        QCOMPARE(store.Open(), WordStore::State::Writable);
        for (int i = 0; i < 200; ++i)
            QVERIFY(store.Record({1765000000 + i, 0, QStringLiteral("secretword%1").arg(i), {}}));
        QVERIFY(store.ClearRecord());
        QVERIFY(store.RecordRows({}, 10).empty());
        for (const QString &file : {path, path + "-wal"}) {
            QFile f(file);
            if (f.open(QIODevice::ReadOnly))
                QVERIFY2(!f.readAll().contains("secretword"), qPrintable(file));
        }
    }

    // Each fault: how the file is made, what the store says, and that the file is left as it was.
    void faultsLeaveTheFileAsItWas_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("says");
        const auto row = [](const char *fault, WordStore::State state, const char *says) {
            QTest::newRow(fault) << fault << int(state) << QString::fromUtf8(says);
        };
        row("newer version", WordStore::State::Unavailable, "newer version");
        row("cut short at a page", WordStore::State::Damaged, "is damaged");
        row("cut short inside a page", WordStore::State::Damaged, "is damaged");
        row("not a database", WordStore::State::Damaged, "is damaged");
        row("held by another program", WordStore::State::Unavailable, "in use by another program");
    }
    void faultsLeaveTheFileAsItWas()
    {
        QFETCH(QString, fault);
        QFETCH(int, state);
        QFETCH(QString, says);
        const QString path = m_dir->filePath(QStringLiteral("fault.sqlite"));
        MakeStore(path, 3000);
        QSqlDatabase other;
        if (fault == "newer version") {
            QCOMPARE(Scalar(path, "PRAGMA user_version = 99"), -1);
        } else if (fault.startsWith("cut short")) {
            const qint64 size = QFileInfo(path).size();
            QVERIFY(QFile::resize(path, fault.endsWith("page") ? size / 2 / 4096 * 4096 : 1000));
        } else if (fault == "not a database") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(8192, 'x'));
        } else {
            other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QSqlQuery query(other);
            QVERIFY(query.exec("PRAGMA journal_mode = DELETE"));
            QVERIFY(query.exec("PRAGMA locking_mode = EXCLUSIVE"));
            QVERIFY(query.exec("BEGIN EXCLUSIVE"));
            QVERIFY(query.exec("INSERT INTO terms (term) VALUES ('held')"));
        }
        const QByteArray before = FileHash(path);
        {
            WordStore store(path);
            QCOMPARE(int(store.Open()), state);
            QVERIFY2(store.Problem().contains(says), qPrintable(store.Problem()));
            QVERIFY(!store.Record({1765000000, 0, QStringLiteral("新"), {}}));
            QVERIFY(store.RecordRows({}, 10).empty());
            if (fault == "not a database") {
                // Set aside only when asked: the same bytes under the name with a suffix.
                const QString aside = store.SetAsideAndCreate();
                QVERIFY(aside.startsWith(path + ".damaged-"));
                QCOMPARE(FileHash(aside), before);
                QCOMPARE(store.CurrentState(), WordStore::State::Writable);
                QVERIFY(store.Record({1765000000, 0, QStringLiteral("新"), {}}));
                return;
            }
        }
        QCOMPARE(FileHash(path), before);
        if (other.isOpen()) {
            QSqlQuery(other).exec("ROLLBACK");
            other.close();
            other = QSqlDatabase();
            QSqlDatabase::removeDatabase("other");
            QCOMPARE(FileHash(path), before);
        }
    }

    // Root writes through any file mode, so the read-only cases run as an ordinary user.
    void readOnlyFileShowsButKeepsNothing()
    {
        const QString path = m_dir->filePath(QStringLiteral("readonly.sqlite"));
        MakeStore(path, 5);
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner
                                                         | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));
        const QByteArray before = FileHash(path);
        const std::string result = RunAsOrdinaryUser([&] {
            WordStore store(path);
            const WordStore::State state = store.Open();
            const bool recorded = store.Record({1765000000, 0, QStringLiteral("新"), {}});
            return std::to_string(int(state)) + " " + std::to_string(recorded) + " "
                   + std::to_string(store.RecordRows({}, 10).size()) + " "
                   + std::to_string(store.Keep(QStringLiteral("词"), 0)) + " "
                   + store.Problem().toStdString();
        });
        QCOMPARE(QString::fromStdString(result), QStringLiteral("%1 0 5 0 %2")
                                                     .arg(int(WordStore::State::ReadOnly))
                                                     .arg(ReadOnlyProblem(path)));
        QCOMPARE(FileHash(path), before);
        QVERIFY(QFile::setPermissions(m_dir->path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void directoryThatTakesNoFile()
    {
        // sysfs refuses new files to everyone, root included.
        WordStore store(QStringLiteral("/sys/tellaria.sqlite"));
        QCOMPARE(store.Open(), WordStore::State::Unavailable);
        QVERIFY(store.Problem().contains(QStringLiteral("cannot be created")));
        QVERIFY(!store.Record({1765000000, 0, QStringLiteral("新"), {}}));
    }

    // A disk that fills up: the write that does not fit fails, and every one before it stays.
    void fullDiskLosesNoEarlierEntry()
    {
        const QString path = m_dir->filePath(QStringLiteral("full.sqlite"));
        MakeStore(path, 10);
        const std::string result = RunInChild([&] {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit size{rlim_t(QFileInfo(path).size()) + 64 * 1024, RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &size);
            WordStore store(path);
            if (store.Open() != WordStore::State::Writable)
                return std::string("not opened: ") + store.Problem().toStdString();
            int written = 10;
            const QString filler(2000, QLatin1Char('x'));
            while (
                written < 100000
                && store.Record({1765000000 + written, 0, filler + QString::number(written), {}}))
                ++written;
            return std::to_string(written) + " " + std::to_string(store.PendingCount());
        });
        const QStringList parts = QString::fromStdString(result).split(' ');
        QCOMPARE(parts.size(), 2);
        QVERIFY2(parts[0].toInt() > 10 && parts[0].toInt() < 100000, result.c_str());
        QCOMPARE(parts[1], QStringLiteral("1"));
        QCOMPARE(Scalar(path, "SELECT count(*) FROM lookups"), parts[0].toInt());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(WordStoreTest)
#include "WordStore_test.moc"
