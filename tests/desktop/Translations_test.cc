#include "desktop/Translations.h"

#include <QMap>
#include <QTest>

namespace tellaria {

class TranslationsTest : public QObject
{
    Q_OBJECT
private slots:
    void ChoosesTheFirstLanguageServed_data();
    void ChoosesTheFirstLanguageServed();
    void BuildsInOneCatalogueALanguage();
};

void TranslationsTest::ChoosesTheFirstLanguageServed_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("environment"); // NAME=value, separated by blanks
    QTest::addColumn<QString>("shipped");
    QTest::addColumn<QString>("expected");
    const QString ours = QStringLiteral("en zh_CN");
    const auto row = [&](const char *name, const char *stored, const char *environment,
                         const char *expected, const QString &shipped) {
        QTest::newRow(name) << QString::fromLatin1(stored) << QString::fromLatin1(environment)
                            << shipped << QString::fromLatin1(expected);
    };
    // Nothing asked for, or nothing we have: the program's own Chinese.
    row("Unset", "", "", "zh_CN", ours);
    row("CLocale", "", "LANG=C", "zh_CN", ours);
    row("Posix", "", "LC_ALL=POSIX", "zh_CN", ours);
    row("German", "", "LANG=de_DE.UTF-8", "zh_CN", ours);
    row("Chinese", "", "LANG=zh_CN.UTF-8", "zh_CN", ours);
    row("English", "", "LANG=en_US.UTF-8", "en", ours);
    row("EnglishByLanguageAlone", "", "LANG=en_GB.ISO-8859-15@euro", "en", ours);
    row("TraditionalChineseReadsSimplified", "", "LANG=zh_TW.UTF-8", "zh_CN", ours);
    // LANGUAGE's list first, in order, its first entry served winning.
    row("LanguageOverLocale", "", "LANGUAGE=en LANG=zh_CN.UTF-8", "en", ours);
    row("LanguageListWalked", "", "LANGUAGE=de:fr:en:zh_CN LANG=de_DE.UTF-8", "en", ours);
    row("LanguageNoneServed", "", "LANGUAGE=de:fr LANG=en_US.UTF-8", "en", ours);
    row("LanguageWithCLocale", "", "LANGUAGE=en LANG=C", "en", ours);
    // The locale messages are shown in: LC_ALL, else LC_MESSAGES, else LANG; not the first served.
    row("LcAllOverLang", "", "LC_ALL=de_DE.UTF-8 LANG=en_US.UTF-8", "zh_CN", ours);
    row("LcMessagesOverLang", "", "LC_MESSAGES=en_US.UTF-8 LANG=zh_CN.UTF-8", "en", ours);
    // The stored choice overrides; "system" or what we lack follows the desktop.
    row("StoredEnglish", "en", "LANG=zh_CN.UTF-8", "en", ours);
    row("StoredChinese", "zh_CN", "LANGUAGE=en LANG=en_US.UTF-8", "zh_CN", ours);
    row("StoredSystem", "system", "LANG=en_US.UTF-8", "en", ours);
    row("StoredUnknown", "fr", "LANG=C", "zh_CN", ours);
    // A third catalogue serves its desktops with nothing else changed.
    row("ThirdLanguage", "", "LANG=de_AT.UTF-8", "de", QStringLiteral("de en zh_CN"));
}

void TranslationsTest::ChoosesTheFirstLanguageServed()
{
    QFETCH(QString, stored);
    QFETCH(QString, environment);
    QFETCH(QString, shipped);
    QFETCH(QString, expected);
    QMap<QString, QString> variables;
    for (const QString &pair : environment.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        variables.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    const auto lookup = [&](const char *name) { return variables.value(QLatin1String(name)); };
    QCOMPARE(ChooseLanguage(stored, lookup, shipped.split(QLatin1Char(' '))), expected);
}

void TranslationsTest::BuildsInOneCatalogueALanguage()
{
    QCOMPARE(ShippedLanguages(), (QStringList{QStringLiteral("en"), QStringLiteral("zh_CN")}));
    // Each names itself for the language menu.
    QCOMPARE(LanguageOwnName(QStringLiteral("en")), QStringLiteral("English"));
    QCOMPARE(LanguageOwnName(QStringLiteral("zh_CN")),
             QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87"));
}

} // namespace tellaria

QTEST_MAIN(tellaria::TranslationsTest)
#include "Translations_test.moc"
