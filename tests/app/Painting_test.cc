// What the screen shows after a query, for every way a query begins: keys, the query button, a
// screen reader's press, a first start with a term, a hand-over to the running window, side by
// side. The built program runs as its own process on a private X display with a window manager;
// what is checked is the screen's pixels (the result page's colour where the start page's red
// band was, not a black window), the mode selector and the query box as drawn and as the
// accessibility tree reads them, and a key typed afterwards appearing on the screen.

#include "tests/support/RealInputProgram.h"
#include "tests/support/SelectionHolder.h"

#include <QCoreApplication>
#include <QTest>

#include <optional>

using namespace tellaria::test;

namespace {

// The start page: a pure red band across its top, which shows as long as the start page does.
const QColor StartBand(0xff, 0x00, 0x00);
const QByteArray StartPageHtml
    = "<!DOCTYPE html><html><head><title>start</title></head><body style='margin:0'>"
      "<div style='height:120px;background:#ff0000'></div><p>fixture start page</p></body></html>";
// Every result page, in a colour of its own.
const QColor ResultColour(0x22, 0x55, 0xaa);
const QByteArray ResultPageHtml
    = "<!DOCTYPE html><html><head><title>result</title></head><body style='margin:0;"
      "background:#2255aa;color:#fff'><p>fixture result page</p></body></html>";

const QStringList ModeNames{"百科全书", "成语词典", "英汉汉英词典", "微软Bing智能英汉词典"};

enum class Start { Enter, Button, ScreenReader, FirstStart, HandOver };

QByteArray StoredSettings(int mode, bool sideBySide)
{
    return Settings(mode) + (sideBySide ? "[View]\r\nSideBySide=1\r\n" : "");
}

} // namespace

Q_DECLARE_METATYPE(Start)

class PaintingTest : public ProgramTest
{
    Q_OBJECT

private:
    static QImage Crop(const Program &program, const Control &control)
    {
        const std::optional<QRect> area = program.Area(control);
        return area ? program.Session.Screenshot().copy(*area) : QImage();
    }

    // Makes a query begin as `start` says, and checks what the screen then shows.
    void QueryAndReadTheScreen(Start start,
                               int storedMode,
                               bool sideBySide,
                               const QStringList &arguments,
                               const QString &term,
                               int mode,
                               int requests,
                               const QString &selection = {})
    {
        m_proxy->ClearRequests();
        Program program(TELLARIA_PROGRAM);
        QVERIFY(program.Ready);
        std::optional<SelectionHolder> holder;
        if (!selection.isEmpty()) {
            holder.emplace(program.Session, SELECTION_OWNER, "primary", selection);
            QVERIFY(holder->Held());
        }
        program.Run.WriteFile("Lexivanedr.ini", StoredSettings(storedMode, sideBySide));
        QImage boxBefore;
        QImage selectorBefore;
        if (start == Start::FirstStart) {
            QVERIFY(program.Start(arguments));
        } else {
            QVERIFY(program.Start());
            QVERIFY(TestProxy::WaitFor([&] { return Shows(ClientShot(program), StartBand); }));
            QVERIFY(QueryBoxHasTheKeys(program));
            boxBefore = Crop(program, QueryBox());
            selectorBefore = Crop(program, ModeSelector(ModeNames[storedMode]));
            QVERIFY(DrawnWithText(selectorBefore));
        }
        switch (start) {
        case Start::Enter:
            program.Session.Type(term);
            program.Session.Key("Return");
            break;
        case Start::Button:
            program.Session.Type(term);
            QVERIFY(program.Click(QueryButton()));
            break;
        case Start::ScreenReader: {
            const auto field = program.Tree.WaitFor(FindQueryBoxField);
            QVERIFY(field && program.Tree.SetText(*field, term));
            const auto button = program.Tree.WaitFor(QStringLiteral("push button"), "查询");
            QVERIFY(button && program.Tree.DoAction(*button));
            break;
        }
        case Start::HandOver:
            QCOMPARE(program.Run.StartAgain(arguments), 0);
            break;
        case Start::FirstStart:
            break;
        }
        QVERIFY(WaitForResultRequests(*m_proxy, requests));
        QCOMPARE(ResultRequests(*m_proxy).size(), requests);

        // The page area: the result page over the start page, and never a black window.
        QVERIFY2(
            TestProxy::WaitFor(
                [&] { return ShowsInsteadOf(ClientShot(program), ResultColour, StartBand); }, 5000),
            "the result page is not on the screen");
        // The mode selector and the query box, as read and as drawn.
        QVERIFY(program.Tree.WaitUntil([&](const AccessibleReading &reading) {
            const AccessibleNode *box = FindQueryBox(reading);
            return reading.Find(QStringLiteral("combo box"), ModeNames[mode]) && box
                   && box->Name == term;
        }));
        const QImage selector = Crop(program, ModeSelector(ModeNames[mode]));
        QVERIFY2(DrawnWithText(selector), "the mode selector is not drawn");
        if (!selectorBefore.isNull() && mode != storedMode) {
            QVERIFY2(
                TestProxy::WaitFor(
                    [&] { return Crop(program, ModeSelector(ModeNames[mode])) != selectorBefore; },
                    5000),
                "the mode selector still shows the mode before");
        }
        QVERIFY2(DrawnWithText(Crop(program, QueryBox())), "the query box is not drawn");
        if (!boxBefore.isNull()) {
            QVERIFY2(TestProxy::WaitFor(
                         [&] { return InkGrows(boxBefore, Crop(program, QueryBox())); }, 5000),
                     "the query box does not show the term");
        }
        // A key typed now is drawn as typed.
        QVERIFY(program.Click(QueryBox()));
        QVERIFY(QueryBoxHasTheKeys(program));
        const QImage typedBefore = Crop(program, QueryBox());
        program.Session.Type("mmm");
        QVERIFY2(TestProxy::WaitFor(
                     [&] { return InkGrows(typedBefore, Crop(program, QueryBox())); }, 5000),
                 "a key typed after the query is not drawn");
        CloseByAltF4(program.Session, program.Run);
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        m_proxy->SetPage("http://", ResultPageHtml);
        m_proxy->SetPage("http://www.tellaria.example/", StartPageHtml);
    }

    void aQueryMadeInTheWindowIsOnTheScreen_data()
    {
        QTest::addColumn<Start>("start");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("sideBySide");
        QTest::addColumn<int>("requests");
        QTest::newRow("Enter") << Start::Enter << 2 << false << 1;
        QTest::newRow("the query button") << Start::Button << 0 << false << 5;
        QTest::newRow("the button pressed by a screen reader")
            << Start::ScreenReader << 3 << false << 1;
        QTest::newRow("Enter, side by side") << Start::Enter << 0 << true << 5;
    }
    void aQueryMadeInTheWindowIsOnTheScreen()
    {
        QFETCH(Start, start);
        QFETCH(int, mode);
        QFETCH(bool, sideBySide);
        QFETCH(int, requests);
        QueryAndReadTheScreen(start, mode, sideBySide, {}, "cat", mode, requests);
    }

    void aFirstStartWithATermIsOnTheScreen_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<int>("storedMode");
        QTest::addColumn<QString>("term");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("requests");
        QTest::newRow("tellaria TERM") << QStringList{"猫"} << QString() << 0 << "猫" << 0 << 5;
        for (int mode = 0; mode < 4; ++mode) {
            QTest::addRow("tellaria --mode %d TERM", mode)
                << QStringList{"--mode", QString::number(mode), "New York"} << QString()
                << (mode + 1) % 4 << "New York" << mode << (mode == 0 ? 5 : 1);
        }
        QTest::newRow("tellaria --selection")
            << QStringList{"--selection"} << "owl" << 3 << "owl" << 3 << 1;
    }
    void aFirstStartWithATermIsOnTheScreen()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, selection);
        QFETCH(int, storedMode);
        QFETCH(QString, term);
        QFETCH(int, mode);
        QFETCH(int, requests);
        QueryAndReadTheScreen(Start::FirstStart, storedMode, false, arguments, term, mode, requests,
                              selection);
    }

    void aHandOverIsOnTheScreen_data()
    {
        QTest::addColumn<int>("storedMode");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("term");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("requests");
        QTest::newRow("in the same mode") << 2 << QStringList{"cat"} << "cat" << 2 << 1;
        QTest::newRow("into 百科全书") << 2 << QStringList{"--mode", "0", "cat"} << "cat" << 0 << 5;
        QTest::newRow("out of 百科全书")
            << 0 << QStringList{"--mode", "2", "New York"} << "New York" << 2 << 1;
    }
    void aHandOverIsOnTheScreen()
    {
        QFETCH(int, storedMode);
        QFETCH(QStringList, arguments);
        QFETCH(QString, term);
        QFETCH(int, mode);
        QFETCH(int, requests);
        QueryAndReadTheScreen(Start::HandOver, storedMode, false, arguments, term, mode, requests);
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<PaintingTest>(argc, argv);
}

#include "Painting_test.moc"
