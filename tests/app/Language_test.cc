// The program in its user's language, through the built program on a private display: the
// desktop's language list decides, Chinese where it asks for nothing we have, and the choice
// made in Help › Language is kept over a restart. Read as a screen reader reads the window.

#include "tests/support/RealInputProgram.h"

#include <QTest>

using namespace tellaria::test;

namespace {

const char *const LanguageVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

// The desktop's language variables set to `desktop` ("NAME=value" each) for the programs the
// test starts, and put back after.
class DesktopLanguage
{
public:
    explicit DesktopLanguage(const QStringList &desktop)
    {
        for (const char *name : LanguageVariables) {
            m_saved << qgetenv(name);
            qunsetenv(name);
        }
        for (const QString &pair : desktop)
            qputenv(pair.section('=', 0, 0).toLatin1().constData(), pair.section('=', 1).toUtf8());
    }
    ~DesktopLanguage()
    {
        for (int index = 0; index < m_saved.size(); ++index) {
            if (m_saved[index].isNull())
                qunsetenv(LanguageVariables[index]);
            else
                qputenv(LanguageVariables[index], m_saved[index]);
        }
    }

private:
    QList<QByteArray> m_saved;
};

// Waits until the window shows a control named `name`.
bool Shows(const Program &program, const QString &name)
{
    const bool found = program.Tree.WaitUntil([&](const AccessibleReading &reading) {
        return reading.Find([&](const AccessibleNode &node) { return node.Name == name; });
    });
    if (!found)
        qWarning("no \"%s\" in:\n%s", qPrintable(name), qPrintable(program.Tree.Read().Describe()));
    return found;
}

const QString EnglishGrip = QStringLiteral("Toolbar grip");
const QString ChineseGrip = QStringLiteral("工具栏拖动柄");
// The first menu's title as a screen reader reads it: without the mnemonic's "&".
const QString EnglishMenu = QStringLiteral("File");
const QString ChineseMenu = QStringLiteral("文件(F)");

} // namespace

class LanguageTest : public ProgramTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString missing = SetUpProxy(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    void theDesktopsLanguageIsSpoken_data()
    {
        QTest::addColumn<QStringList>("desktop");
        QTest::addColumn<QString>("grip");
        QTest::addColumn<QString>("menu");
        QTest::newRow("LANGUAGE=en")
            << QStringList{"LANGUAGE=en", "LANG=C"} << EnglishGrip << EnglishMenu;
        QTest::newRow("zh_CN.UTF-8")
            << QStringList{"LANG=zh_CN.UTF-8"} << ChineseGrip << ChineseMenu;
        QTest::newRow("C") << QStringList{"LANG=C"} << ChineseGrip << ChineseMenu;
        // English asked for before a Chinese locale: the language list comes first.
        QTest::newRow("LANGUAGE=en over zh_CN")
            << QStringList{"LANGUAGE=en", "LANG=zh_CN.UTF-8"} << EnglishGrip << EnglishMenu;
    }

    // The toolbar grip names itself in the language spoken.
    void theDesktopsLanguageIsSpoken()
    {
        QFETCH(QStringList, desktop);
        QFETCH(QString, grip);
        QFETCH(QString, menu);
        const DesktopLanguage language(desktop);
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 0);
        QVERIFY(program);
        QVERIFY(Shows(*program, grip));
        QVERIFY(Shows(*program, menu));
        CloseByAltF4(program->Session, program->Run);
    }

    // English chosen in Help › Language on a Chinese desktop: kept in the settings file, and
    // spoken from the next start on.
    void theChoiceIsKeptOverARestart()
    {
        const DesktopLanguage language({"LANG=zh_CN.UTF-8"});
        const auto program = LaunchProgram(TELLARIA_PROGRAM, 0);
        QVERIFY(program);
        QVERIFY(Shows(*program, ChineseGrip));
        QVERIFY(!program->Run.ReadFile("Lexivanedr.ini").contains("Language"));
        const XSession &session = program->Session;
        QVERIFY(program->Click(Menu(QStringLiteral("帮助(H)"))));
        QVERIFY(program->Click(Menu(QStringLiteral("界面语言 / Language(L)"))));
        QVERIFY(program->Click(Menu(QStringLiteral("English"))));
        // Said in English, the language chosen.
        QVERIFY(
            Shows(*program,
                  QStringLiteral("The interface language changes when Tellaria is next started.")));
        // The box's button, in the toolkit's words for the language spoken now.
        QVERIFY(program->Click(
            {QStringLiteral("the box's button"), [](const AccessibleReading &reading) {
                 return AreaOf(reading.Find([](const AccessibleNode &node) {
                     return node.Role == QLatin1String("push button")
                            && (node.Name.contains(QLatin1String("OK"))
                                || node.Name.contains(QStringLiteral("确定")));
                 }));
             }}));
        QVERIFY(TestProxy::WaitFor(
            [&] { return program->Run.ReadFile("Lexivanedr.ini").contains("Language=en"); }));
        CloseByAltF4(session, program->Run);

        QVERIFY(program->Start());
        QVERIFY(Shows(*program, EnglishGrip));
        CloseByAltF4(session, program->Run);
    }
};

int main(int argc, char *argv[])
{
    return RunProgramTest<LanguageTest>(argc, argv);
}

#include "Language_test.moc"
