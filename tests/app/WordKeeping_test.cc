// The record of look-ups and the vocabulary notebook, with the built program driven through the
// X server's keys: queries from the command line and the query box then Ctrl+H lists both, and
// Enter on one asks it again; Ctrl+D keeps the term with a note, the notebook (Ctrl+Shift+D)
// lists it, its export is read back from the file the dialog was told, and the ☆ is filled. A
// damaged database is said once, queries go on, and the file is set aside only when agreed.

#include "tests/support/RealInputProgram.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tellaria::test;

namespace {

// Whether `node` lies in the top-level window titled `title`.
bool InWindow(const AccessibleReading &reading, const AccessibleNode *node, const QString &title)
{
    while (node && node->Parent >= 0)
        node = reading.Parent(*node);
    return node && node->Name == title;
}

// Waits until the window titled `title` shows a control named exactly `text`.
bool WindowShows(const Program &program, const QString &title, const QString &text)
{
    return program.Tree.WaitUntil([&](const AccessibleReading &reading) {
        return reading.Find([&](const AccessibleNode &node) {
            return node.Name == text && InWindow(reading, &node, title);
        });
    });
}

const QString RecordTitle = QString::fromUtf8("查询记录");
const QString NotebookTitle = QString::fromUtf8("生词本");

} // namespace

class WordKeepingTest : public ProgramTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    void init() { m_proxy->ClearRequests(); }

    void queriesThenCtrlHListsThemAndEnterAsksAgain()
    {
        auto program = std::make_unique<Program>(TELLARIA_PROGRAM);
        QVERIFY(program->Ready);
        program->Run.WriteFile("Lexivanedr.ini", Settings(2));
        QVERIFY(program->Start({QStringLiteral("fromtheline")}));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        const XSession &session = program->Session;
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(session, QStringLiteral("typedterm"));
        QVERIFY(WaitForResultRequests(*m_proxy, 2));

        session.Key("ctrl+h");
        QVERIFY(WindowShows(*program, RecordTitle, QStringLiteral("typedterm")));
        QVERIFY(WindowShows(*program, RecordTitle, QStringLiteral("fromtheline")));
        // The search field filters as one types; the list then takes the keys.
        session.Type(QStringLiteral("line"));
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            return !reading.Find([&](const AccessibleNode &node) {
                return node.Name == QStringLiteral("typedterm")
                       && InWindow(reading, &node, RecordTitle);
            });
        }));
        session.Key("Tab");
        session.Key("Return");
        QVERIFY(WaitForResultRequests(*m_proxy, 3));
        QVERIFY(ResultRequests(*m_proxy).last().contains(QStringLiteral("fromtheline")));
        // The main window comes to the front with the results.
        QVERIFY(WaitUntilActive(session, program->Run.MainWindow()));
        CloseByAltF4(session, program->Run);
        QVERIFY(program->Run.ReadFile("tellaria.sqlite").startsWith("SQLite format 3"));
    }

    void ctrlDKeepsTheTermAndTheNotebookListsAndExportsIt()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 2);
        QVERIFY(program);
        const XSession &session = program->Session;
        QVERIFY(QueryBoxHasTheKeys(*program));
        session.Type(QStringLiteral("keepme"));
        session.Key("ctrl+d");
        QVERIFY(WaitForText(*program, QString::fromUtf8("的笔记")));
        session.Type(QStringLiteral("my note"));
        session.Key("Return");
        // The star beside the box is filled for a kept term.
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            const AccessibleNode *star
                = reading.Find(QStringLiteral("push button"), QString::fromUtf8("加入生词本"));
            return star && star->Description == QString::fromUtf8("已在生词本中");
        }));

        session.Key("ctrl+shift+d");
        QVERIFY(WindowShows(*program, NotebookTitle, QStringLiteral("keepme")));
        QVERIFY(WindowShows(*program, NotebookTitle, QStringLiteral("my note")));
        // 导出 asks where; the file dialog takes the path typed into it.
        session.Key("alt+e");
        QVERIFY(WaitForText(*program, QString::fromUtf8("导出生词本")));
        const QString path = program->Run.Directory() + QStringLiteral("/words.tsv");
        session.Key("ctrl+a");
        session.Type(path);
        session.Key("Return");
        QVERIFY(TestProxy::WaitFor([&] { return QFile::exists(path); }, 10000));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.startsWith("#separator:tab\n"), text.constData());
        QVERIFY2(text.contains("\nkeepme\tmy note\t2\t"), text.constData());
        session.Key("Escape");
        QVERIFY(WaitUntilActive(session, program->Run.MainWindow()));
        CloseByAltF4(session, program->Run);
    }

    // 清除查询历史 with its box ticked clears the record too, leaving no trace of the term in the
    // database's files.
    void clearingTheHistoryClearsTheRecordWhenTicked()
    {
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 2);
        QVERIFY(program);
        const XSession &session = program->Session;
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(session, QStringLiteral("forgetme"));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        QVERIFY(TestProxy::WaitFor(
            [&] { return program->Run.ReadFile("tellaria.sqlite-wal").contains("forgetme"); },
            10000));
        session.Key("alt+f");
        QVERIFY(program->Tree.WaitFor(QStringLiteral("menu item"),
                                      QString::fromUtf8("清除查询历史(H)...")));
        session.Key("h");
        const auto box = program->Tree.WaitFor(
            QStringLiteral("check box"),
            QString::fromUtf8("同时清除查询记录（每次查询的日期和词语）(R)"));
        QVERIFY(box);
        QVERIFY(!box->Checked());
        session.Key("alt+r");
        QVERIFY(program->Tree.WaitUntil([](const AccessibleReading &reading) {
            const AccessibleNode *tick = reading.Find(
                [](const AccessibleNode &node) { return node.Role == QLatin1String("check box"); });
            return tick && tick->Checked();
        }));
        session.Key("Return");
        QVERIFY(WaitUntilActive(session, program->Run.MainWindow()));
        CloseByAltF4(session, program->Run);
        for (const char *file : {"tellaria.sqlite", "tellaria.sqlite-wal"})
            QVERIFY2(!program->Run.ReadFile(file).contains("forgetme"), file);
        QVERIFY(program->Run.ReadFile("tellaria.sqlite").startsWith("SQLite format 3"));
    }

    void aDamagedDatabaseIsSetAsideOnlyWhenAgreed_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("setAside");
        QTest::newRow("no (Esc)") << QStringLiteral("Escape") << false;
        QTest::newRow("yes") << QStringLiteral("y") << true;
    }
    void aDamagedDatabaseIsSetAsideOnlyWhenAgreed()
    {
        QFETCH(QString, answer);
        QFETCH(bool, setAside);
        auto program = std::make_unique<Program>(TELLARIA_PROGRAM);
        QVERIFY(program->Ready);
        const QByteArray damaged(8192, 'x');
        program->Run.WriteFile("Lexivanedr.ini", Settings(2));
        program->Run.WriteFile("tellaria.sqlite", damaged);
        QVERIFY(program->Start());
        const XSession &session = program->Session;
        QVERIFY(WaitForText(*program, QString::fromUtf8("已损坏")));
        session.Key(answer);
        if (setAside) {
            QVERIFY(WaitForText(*program, QString::fromUtf8("新的查询记录从现在开始")));
            session.Key("Return");
        }
        QVERIFY(WaitUntilActive(session, program->Run.MainWindow()));
        // The window queries all the same.
        session.Key("ctrl+l");
        QVERIFY(QueryBoxHasTheKeys(*program));
        EnterTerm(session, QStringLiteral("stillqueries"));
        QVERIFY(WaitForResultRequests(*m_proxy, 1));
        CloseByAltF4(session, program->Run);
        const QStringList aside = QDir(program->Run.Directory())
                                      .entryList({QStringLiteral("tellaria.sqlite.damaged-*")});
        QCOMPARE(aside.size(), setAside ? 1 : 0);
        if (setAside) {
            QCOMPARE(program->Run.ReadFile(aside.first()), damaged);
            QVERIFY(program->Run.ReadFile("tellaria.sqlite").startsWith("SQLite format 3"));
        } else {
            QCOMPARE(program->Run.ReadFile("tellaria.sqlite"), damaged);
        }
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<WordKeepingTest>(argc, argv);
}

#include "WordKeeping_test.moc"
