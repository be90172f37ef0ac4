// What `tellaria --selection` makes of the selected text: which line, how it is trimmed, where
// "too long" begins. Reading it from an X server is the Selection test's, through the program.

#include "desktop/SelectedText.h"

#include <QTest>

using namespace tellaria;

namespace {

// In place of the term: the selection is refused as too long.
const QString TooLong = QStringLiteral("<too long>");

} // namespace

class SelectedTextTest : public QObject
{
    Q_OBJECT

private slots:
    void theFirstLineThatIsNotBlankIsTheTerm_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("term");

        const QString ok1000(1000, 'a');
        // U+20000, two UTF-16 units: a character all the same.
        const QString wide = QString::fromUcs4(U"\U00020000");
        QTest::newRow("a word") << "owl"
                                << "owl";
        QTest::newRow("white space around it, ideographic too")
            << QString::fromUtf8("\t 猫　 ") << QString::fromUtf8("猫");
        QTest::newRow("white space inside kept") << "New  York"
                                                 << "New  York";
        QTest::newRow("LF") << "owl\nemu"
                            << "owl";
        QTest::newRow("CR LF") << "owl\r\nemu"
                               << "owl";
        QTest::newRow("CR") << "owl\remu"
                            << "owl";
        QTest::newRow("line separator") << QString::fromUtf8("owl\u2028emu") << "owl";
        QTest::newRow("paragraph separator") << QString::fromUtf8("owl\u2029emu") << "owl";
        QTest::newRow("next line") << QString::fromUtf8("owl\u0085emu") << "owl";
        QTest::newRow("form feed") << "owl\femu"
                                   << "owl";
        QTest::newRow("blank lines before it") << "\n \r\n\t\nyak\nzebu"
                                               << "yak";
        QTest::newRow("blank") << " \t\r\n \n"
                               << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("1,000 characters") << ok1000 << ok1000;
        QTest::newRow("1,000 after trimming") << "  " + ok1000 + "\t" << ok1000;
        QTest::newRow("1,001 characters") << ok1000 + "b" << TooLong;
        QTest::newRow("1,000 characters of two units each")
            << wide.repeated(1000) << wide.repeated(1000);
        QTest::newRow("1,001 characters of two units each") << wide.repeated(1001) << TooLong;
        QTest::newRow("a short first line, a long text") << "owl\n" + ok1000.repeated(50) << "owl";
        QTest::newRow("a long first line, a short second") << ok1000 + "bc\nowl" << TooLong;
    }

    void theFirstLineThatIsNotBlankIsTheTerm()
    {
        QFETCH(QString, selected);
        QFETCH(QString, term);
        const TLookupRequest request = SelectionLookupRequest(selected, 2);
        QCOMPARE(request.Mode, 2);
        QCOMPARE(request.SelectionTooLong, term == TooLong);
        QCOMPARE(request.Term.value_or(TooLong), term);
    }

    void withoutAnXServerThereIsNothingToRead()
    {
        qunsetenv("DISPLAY");
        QVERIFY(!ReadX11SelectedText());
    }
};

QTEST_GUILESS_MAIN(SelectedTextTest)

#include "SelectedText_test.moc"
