// A result page printed to a PDF file and saved, by the built program on a private X display,
// through its real print and save dialogs driven by keys as a user drives them. What is checked
// is what the user gets: a PDF whose text a PDF reader finds (pdftotext) with its fonts
// (pdffonts), and a home directory holding nothing new after a save made elsewhere.

#include "tests/support/ProgramRun.h"
#include "tests/support/TestProxy.h"
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tellaria::test;

namespace {

// The English–Chinese dictionary's page for "cat", as the proxy serves it.
const QString ResultUrl = QStringLiteral("http://www.iciba.com/cat%2F");
const QByteArray ResultHtml
    = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>cat</title>"
      "</head><body><h1>Fixture page</h1><p>Whiskers purr softly "
      "\xe7\x8c\xab</p></body></html>";

// A private display with metacity, and the program on it.
struct Program
{
    XSession Session;
    ProgramRun Run{Session, TELLARIA_PROGRAM};
    QString Home() const { return Session.Environment().value(QStringLiteral("HOME")); }
};

// Runs `program` with `arguments` to its end; its standard output, or nothing when it failed.
std::optional<QString> Output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Everything in `home` a user sees there: the entries not hidden, at any depth.
QStringList VisibleEntries(const QString &home)
{
    QStringList entries;
    QDirIterator it(home, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(home).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

// The titles of the windows on the screen, for saying where a step went astray.
QStringList WindowTitles(const XSession &session)
{
    QStringList titles;
    for (const QString &window : session.VisibleWindows(QStringLiteral(".*"))) {
        const QString title = session.XDoTool({QStringLiteral("getwindowname"), window});
        if (!title.isEmpty())
            titles << title;
    }
    return titles;
}

} // namespace

class PrintAndSaveTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir m_output; // where the test has the user put the files, outside the home

    // Starts the program looking "cat" up in the English–Chinese dictionary; null when the
    // display, the window or the page's request did not come.
    std::unique_ptr<Program> Launch()
    {
        auto program = std::make_unique<Program>();
        if (!program->Session.Started() || !program->Run.Start({"--mode", "2", "cat"}))
            return nullptr;
        if (!TestProxy::WaitFor([&] { return m_proxy->Requests().contains(ResultUrl); }, 20000))
            return nullptr;
        return program;
    }

    // Picks the File menu's item with mnemonic `key` until a window titled to match `title`
    // shows: the item is greyed until the page has loaded, and the menu then stays open for
    // Escape to close.
    static QString OpenDialog(const XSession &session, const QString &key, const QString &title)
    {
        QString dialog;
        TestProxy::WaitFor(
            [&] {
                session.Key(QStringLiteral("alt+f"));
                session.Key(key);
                dialog = session.WaitForWindow(title, 2000);
                if (dialog.isEmpty())
                    session.Key(QStringLiteral("Escape"));
                return !dialog.isEmpty();
            },
            30000);
        // Keys go where the keyboard is: the dialog, once the window manager has made it the
        // active window.
        if (!dialog.isEmpty()
            && !TestProxy::WaitFor(
                [&] { return session.XDoTool({QStringLiteral("getactivewindow")}) == dialog; },
                10000))
            return {};
        return dialog;
    }

    static void Close(Program &program)
    {
        program.Session.Key(QStringLiteral("alt+F4"));
        QVERIFY(program.Run.WaitForExit());
    }

private slots:
    void initTestCase()
    {
        if (!XSessionAvailable())
            QSKIP("Xvfb, xdotool, xprop, xwininfo or ImageMagick's import is missing");
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()
            || QStandardPaths::findExecutable("pdffonts").isEmpty())
            QSKIP("pdftotext or pdffonts (poppler-utils) is missing");
        QVERIFY(m_output.isValid());
        m_proxy = new TestProxy(this);
        m_proxy->SetPage("http://www.iciba.com/", ResultHtml);
    }

    void init() { m_proxy->ClearRequests(); }

    // "Print to file" in the print dialog: the engine writes the PDF, the words stay text.
    void printingToAFileKeepsTheText()
    {
        const auto program = Launch();
        QVERIFY(program);
        XSession &session = program->Session;
        QVERIFY(!OpenDialog(session, QStringLiteral("p"), QStringLiteral("^打印$")).isEmpty());
        // The only printer here is the PDF file (no print server): name the file, then print.
        const QString pdf = m_output.filePath(QStringLiteral("printed.pdf"));
        session.Key(QStringLiteral("alt+f"));
        session.Key(QStringLiteral("ctrl+a"));
        session.Type(pdf);
        // The file field completes names in a list of its own, which takes Return when it is up:
        // Tab leaves the field, and the print button's key prints.
        session.Key(QStringLiteral("Tab"));
        session.Key(QStringLiteral("alt+p"));

        // The file is complete once a reader finds the words in it.
        std::optional<QString> text;
        QVERIFY2(TestProxy::WaitFor(
                     [&] {
                         text = Output(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
                         return text && text->contains(QStringLiteral("Whiskers purr softly"));
                     },
                     30000),
                 qPrintable(text.value_or(QStringLiteral("<no text>"))));
        QVERIFY2(text->contains(QStringLiteral("Fixture page")), qPrintable(*text));
        QVERIFY2(text->contains(QString::fromUtf8("猫")), qPrintable(*text));
        // pdffonts prints two heading lines, then a line for each font the file holds.
        const std::optional<QString> fonts = Output(QStringLiteral("pdffonts"), {pdf});
        QVERIFY(fonts);
        QVERIFY2(fonts->trimmed().split('\n').size() > 2, qPrintable(*fonts));
        Close(*program);
    }

    void savingElsewhereLeavesTheHomeAsItWas_data()
    {
        QTest::addColumn<bool>("downloadsThere");
        QTest::newRow("no Downloads folder") << false;
        QTest::newRow("the user's own empty Downloads folder") << true;
    }

    void savingElsewhereLeavesTheHomeAsItWas()
    {
        QFETCH(bool, downloadsThere);
        const auto program = Launch();
        QVERIFY(program);
        XSession &session = program->Session;
        const QString downloads = program->Home() + QStringLiteral("/Downloads");
        if (downloadsThere)
            QVERIFY(QDir().mkdir(downloads));
        const QStringList before = VisibleEntries(program->Home());

        QVERIFY(!OpenDialog(session, QStringLiteral("s"), QStringLiteral("^保存网页$")).isEmpty());
        const QString saved
            = m_output.filePath(QStringLiteral("saved-%1.html").arg(downloadsThere));
        session.Key(QStringLiteral("ctrl+a"));
        session.Type(saved);
        // Past the name field's completion list, Return is the dialog's: save.
        session.Key(QStringLiteral("Tab"));
        session.Key(QStringLiteral("Return"));
        QVERIFY2(TestProxy::WaitFor(
                     [&] {
                         QFile file(saved);
                         return file.open(QIODevice::ReadOnly)
                                && file.readAll().contains("Whiskers");
                     },
                     30000),
                 qPrintable(QStringLiteral("windows: %1; the folder holds: %2; the home: %3")
                                .arg(WindowTitles(session).join(QStringLiteral(", ")),
                                     VisibleEntries(m_output.path()).join(QStringLiteral(", ")),
                                     VisibleEntries(program->Home()).join(QStringLiteral(", ")))));

        QCOMPARE(VisibleEntries(program->Home()), before);
        QCOMPARE(QFileInfo(downloads).isDir(), downloadsThere);
        Close(*program);
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    // No print server: the print dialog's one printer is the PDF file, on any machine.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    QCoreApplication application(argc, argv);
    PrintAndSaveTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PrintAndSave_test.moc"
